#pragma once
// The application object with its message loop, idle step and hints, and the
// screen (cursors, forms).
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/win32/form.hpp"

namespace kiv {

using TExceptionEvent = std::function<void(TObject*, const std::exception&)>;

class TApplication : public TComponent {
  KIV_CLASS(TApplication, TComponent)
 public:
  TApplication();
  ~TApplication() override;

  // "Sunset" for SunSet.exe: the program file's name cut before its first
  // dot, every character after the first in lower case.
  const std::wstring& Title() const { return title_; }
  void SetTitle(const std::wstring& value) { title_ = value; }
  TCustomForm* MainForm() const { return main_form_; }
  bool Terminated() const { return terminated_; }
  bool ShowMainForm = true;

  // Constructs a form of class T owned by the application, reads its
  // definition and runs OnCreate; the first form made becomes the main form.
  template <typename T>
  T* CreateForm(T** reference = nullptr) {
    T* form = new T(this);
    if (reference) *reference = form;
    if (!main_form_) main_form_ = form;
    form->InitializeForm();
    return form;
  }
  void Run();
  void Terminate();
  void ProcessMessages();
  // Waits for and handles one message, running the idle step when there are none.
  void HandleMessage();
  // The idle step: mouse enter and leave, then OnIdle.
  void Idle();
  int MessageBox(const std::wstring& text, const std::wstring& caption = L"",
                 unsigned flags = MB_OK);
  // The standard error box: the application title as caption, one OK button.
  void ShowException(const std::exception& e);
  void HandleException(const std::exception& e);
  // The control the mouse was last found over by the idle step.
  TControl* MouseControl() const { return mouse_control_; }
  void ClearMainForm();
  // Forgets a control that is going away.
  void ControlDestroying(TControl* control);

  // Hints: after the pointer rests HintPause milliseconds on a control whose
  // ShowHint is set and whose Hint is not empty, the control is asked with
  // CM_HINTSHOW and, unless it refuses, the hint window shows the text.
  bool ShowHint = true;
  unsigned HintPause = 500;
  HWND HintWindow() const { return hint_window_; }
  void CancelHint();

  TExceptionEvent OnException;
  std::function<void(TObject*, bool& done)> OnIdle;

 private:
  bool ProcessMessage(MSG& msg);
  bool IsKeyMsg(MSG& msg);
  void DoMouseIdle();
  std::wstring title_;
  TCustomForm* main_form_ = nullptr;
  bool terminated_ = false;
  TControl* mouse_control_ = nullptr;
  DWORD mouse_since_ = 0;
  bool hint_done_ = false;
  HWND hint_window_ = nullptr;
  void DoHint(TControl* control, TPoint pos);
};

class TScreen {
 public:
  int Width() const;
  int Height() const;
  int PixelsPerInch() const;
  HCURSOR Cursors(TCursor index) const;
  void SetCursors(TCursor index, HCURSOR cursor);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor value);
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* Forms(int i) const { return forms_[i]; }
  TCustomForm* ActiveForm() const;
  void AddForm(TCustomForm* form) { forms_.push_back(form); }
  void RemoveForm(TCustomForm* form);

 private:
  TCursor cursor_ = crDefault;
  std::vector<TCustomForm*> forms_;
  std::vector<std::pair<TCursor, HCURSOR>> custom_;
};

// The default application title for a program file: its name without folder,
// cut before the first dot, every character after the first in lower case.
std::wstring TitleFromProgramPath(const std::wstring& path);

TApplication* Application();

// The body of a program's entry point: registers the main form's class,
// creates the form from its definition in the resources, runs the message
// loop until the application ends, and frees the form. A definition that
// cannot be read is shown in the error box and gives exit code 1.
template <class TMainForm>
int RunMainForm() {
  RegisterClass(TMainForm::StaticClass());
  TMainForm* form = nullptr;
  try {
    Application()->CreateForm(&form);
  } catch (const std::exception& e) {
    Application()->ShowException(e);
    return 1;
  }
  Application()->Run();
  delete form;
  return 0;
}
TScreen* Screen();

}  // namespace kiv
