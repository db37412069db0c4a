#pragma once
// Forms: top-level windows with a border style, a position, an active
// control, closing and modal showing, and a definition read from the
// program's resources.
#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "framework/win32/custom_control.hpp"

namespace kiv {

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
inline constexpr std::array<std::string_view, 6> kFormBorderStyleNames{
    "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"};
static_assert(kFormBorderStyleNames.size() == bsSizeToolWin + 1);

// The border of a control: bsNone or bsSingle (the first two form border styles).
using TBorderStyle = TFormBorderStyle;
inline constexpr std::array<std::string_view, 2> kBorderStyleNames{kFormBorderStyleNames[bsNone],
                                                                   kFormBorderStyleNames[bsSingle]};

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
inline constexpr std::array<std::string_view, 4> kBorderIconNames{"biSystemMenu", "biMinimize",
                                                                  "biMaximize", "biHelp"};
static_assert(kBorderIconNames.size() == biHelp + 1);
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
inline constexpr std::array<std::string_view, 8> kPositionNames{
    "poDesigned",     "poDefault",       "poDefaultPosOnly", "poDefaultSizeOnly",
    "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"};
static_assert(kPositionNames.size() == poOwnerFormCenter + 1);

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
  void WMGetMinMaxInfo(TMessage& m);
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

}  // namespace kiv
