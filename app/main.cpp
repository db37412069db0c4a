// KivView: shows the picture named after the program, its caption below it
// and a Close button. The main window does the work when it is created; the
// message loop runs until the window is closed.
#include <windows.h>

#include "app/viewer_form_win32.hpp"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return kiv::RunMainForm<kiv::TForm1>(); }
