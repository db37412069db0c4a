#pragma once
// Forms (top-level windows), the application object with its message loop,
// and the screen.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/win32/controls.hpp"

namespace kiv {

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
inline constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT,
                              mrRetry = IDRETRY, mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO,
                              mrAll = 8;

using TCloseEvent = std::function<void(TObject*, TCloseAction&)>;
using TCloseQueryEvent = std::function<void(TObject*, bool&)>;

class TCustomForm : public TCustomControl {
  KIV_CLASS(TCustomForm, TCustomControl)
 public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  TFormBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TFormBorderStyle value);
  TBorderIcons BorderIcons() const { return border_icons_; }
  void SetBorderIcons(TBorderIcons value);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition value) { position_ = value; }
  int PixelsPerInch() const { return pixels_per_inch_; }
  void SetPixelsPerInch(int value) { pixels_per_inch_ = value; }

  TWinControl* ActiveControl() const { return active_control_; }
  void SetActiveControl(TWinControl* control);
  // Called when a control of the form receives the focus.
  void SetFocusedControl(TWinControl* control);
  TWinControl* FocusedControl() const { return focused_control_; }

  TModalResult ModalResult() const { return modal_result_; }
  void SetModalResult(TModalResult value) { modal_result_ = value; }
  TModalResult ShowModal();
  bool Modal() const { return modal_; }
  void Close();
  bool CloseQuery();
  void Release();  // frees the form once the current message is done

  void SetClientSize(int width, int height) override;
  TRect GetClientRect() override;
  TPoint ClientOrigin() override;
  bool Showing() const override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  // Reads the form's definition from the program's resources (RCDATA named
  // by the class name, upper case) when there is one; then OnCreate runs.
  // TApplication::CreateForm calls it after constructing the form.
  virtual void InitializeForm();
  // Reads a form definition (text form, or binary "TPF0") into this form.
  void ReadDefinition(const std::string& definition);
  int TextHeight = 13;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void AlignControls(TControl* control, TRect& rect) override;
  void Paint() override;
  virtual void DoCreate();
  virtual void DoClose(TCloseAction& action);
  void VisibleChanging() override;
  // Finds the named children after the definition was read (binds members).
  virtual void BindComponents() {}
  void Dispatch(TMessage& m) override;
  void CMDialogKey(TMessage& m) override;
  void WMClose(TMessage& m);
  void WMActivate(TMessage& m);
  void CMShowingChanged(TMessage& m);
  void CMRelease(TMessage& m);
  void WMSetFocus(TMessage& m) override;
  void CMVisibleChanged(TMessage& m) override;

 private:
  friend class TControl;
  friend class TWinControl;
  TSize FrameSize();
  TFormBorderStyle border_style_ = bsSizeable;
  TBorderIcons border_icons_{biSystemMenu, biMinimize, biMaximize};
  TPosition position_ = poDesigned;
  int pixels_per_inch_ = 96;
  TWinControl* active_control_ = nullptr;
  TWinControl* focused_control_ = nullptr;
  TModalResult modal_result_ = mrNone;
  bool modal_ = false;
};

class TForm : public TCustomForm {
  KIV_CLASS(TForm, TCustomForm)
 public:
  using TCustomForm::TCustomForm;
};

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
