// KivView: shows the picture named after the program, its caption below it
// and a Close button. The main window does the work when it is created; the
// message loop runs until the window is closed.
#include <windows.h>

#include "app/viewer_form_win32.hpp"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace kiv;
  RegisterClass(TForm1::StaticClass());
  TForm1* form = nullptr;
  try {
    Application()->CreateForm(&form);
  } catch (const std::exception& e) {
    // Only a broken window definition gets here.
    Application()->ShowException(e);
    return 1;
  }
  Application()->Run();
  delete form;
  return 0;
}
