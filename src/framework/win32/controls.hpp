#pragma once
// Controls: windowless controls painted by their parent (TControl,
// TGraphicControl) and controls that own a window (TWinControl,
// TCustomControl); the one dispatch path from the window procedure to the
// message handlers; alignment, anchors, focus and keyboard navigation.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/classes.hpp"
#include "framework/messages.hpp"
#include "framework/text_convert.hpp"
#include "framework/types.hpp"
#include "framework/win32/graphics.hpp"

namespace kiv {

class TWinControl;
class TCustomForm;
class TAction;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
inline constexpr TAnchors kDefaultAnchors{akLeft, akTop};

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftFlag : uint16_t {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64
};
using TShiftState = uint16_t;

// What a control is (fixed by its class).
enum TControlStyleFlag : uint32_t {
  csAcceptsControls = 1u << 0,
  csCaptureMouse = 1u << 1,
  csClickEvents = 1u << 2,
  csFramed = 1u << 3,
  csSetCaption = 1u << 4,
  csOpaque = 1u << 5,
  csDoubleClicks = 1u << 6,
  csFixedWidth = 1u << 7,
  csFixedHeight = 1u << 8,
  csReplicatable = 1u << 9,
  csNoStdEvents = 1u << 10,
  csActionClient = 1u << 11,
  csParentBackground = 1u << 12,
};
// What a control is doing now.
enum TControlStateFlag : uint32_t {
  csLButtonDown = 1u << 0,
  csClicked = 1u << 1,
  csAlignmentNeeded = 1u << 2,
  csFocusing = 1u << 3,
  csCreating = 1u << 4,
  csPaintCopy = 1u << 5,
  csCustomPaint = 1u << 6,
  csDestroyingHandle = 1u << 7,
};

// Cursor identifiers of TScreen::Cursors.
using TCursor = int;
inline constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4,
                         crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9,
                         crUpArrow = -10, crHourGlass = -11, crNo = -18, crAppStart = -19,
                         crHelp = -20, crHandPoint = -21, crSizeAll = -22;

using TMouseEvent = std::function<void(TObject*, TMouseButton, TShiftState, int, int)>;
using TMouseMoveEvent = std::function<void(TObject*, TShiftState, int, int)>;
using TKeyEvent = std::function<void(TObject*, uint16_t& key, TShiftState)>;
using TKeyPressEvent = std::function<void(TObject*, wchar_t& key)>;

// What CM_HINTSHOW carries (LParam points to it): the control may change the
// text or the place, or refuse the hint by answering non-zero.
struct THintInfo {
  class TControl* HintControl = nullptr;
  TPoint CursorPos;  // in screen coordinates
  std::wstring HintStr;
};

// The character after a single "&" in a caption, upper-cased; 0 if none.
wchar_t AccelChar(const std::wstring& caption);
// True when ch (any case) is the caption's accelerator.
bool IsAccel(wchar_t ch, const std::wstring& caption);

TShiftState KeyboardShiftState();

// A control's window parameters, filled by CreateParams before the window is made.
struct TCreateParams {
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  // The platform class to build on ("BUTTON", "RichEdit20W"); empty for the
  // framework's own window class.
  std::wstring SubclassName;
  UINT ClassStyle = CS_DBLCLKS;
};

class TControl : public TComponent {
  KIV_CLASS(TControl, TComponent)
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  // --- messages
  // Sends a message straight through this control's dispatch path.
  intptr_t Perform(uint32_t msg, uintptr_t wparam = 0, intptr_t lparam = 0);
  // The first stop of every message; overridable to see or divert any of them.
  virtual void WndProc(TMessage& message);
  // Finds the handler for the message number; unclaimed messages go to
  // DefaultHandler. Subclasses add their own numbers and call the base.
  virtual void Dispatch(TMessage& message);
  virtual void DefaultHandler(TMessage& message);

  // --- tree and bounds
  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  // The area children are placed in, in the control's own coordinates.
  TRect ClientRect() { return GetClientRect(); }
  virtual TRect GetClientRect();
  int ClientWidth() { return ClientRect().Width(); }
  int ClientHeight() { return ClientRect().Height(); }
  void SetClientWidth(int v) { SetClientSize(v, ClientHeight()); }
  void SetClientHeight(int v) { SetClientSize(ClientWidth(), v); }
  virtual void SetClientSize(int width, int height);
  // Top-left of the client area in screen coordinates.
  virtual TPoint ClientOrigin();
  TPoint ClientToScreen(TPoint p);
  TPoint ScreenToClient(TPoint p);

  // --- appearance and state
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible here and in every parent up to a visible window.
  virtual bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  bool ParentColor() const { return parent_color_; }
  void SetParentColor(bool value);
  TFont* Font() { return &font_; }
  TFont* Font() const { return const_cast<TFont*>(&font_); }
  bool ParentFont() const { return parent_font_; }
  void SetParentFont(bool value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor value);
  const std::wstring& Hint() const { return hint_; }
  void SetHint(const std::wstring& value) { hint_ = value; }
  bool ShowHint() const { return show_hint_; }
  void SetShowHint(bool value) { show_hint_ = value; }
  // Caption and Text are the same string.
  virtual std::wstring Text() const;
  void SetText(const std::wstring& value);
  std::wstring Caption() const { return Text(); }
  void SetCaption(const std::wstring& value) { SetText(value); }
  TAlign Align() const { return align_; }
  void SetAlign(TAlign value);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors value);
  uint32_t ControlStyle() const { return control_style_; }
  void SetControlStyle(uint32_t value) { control_style_ = value; }
  uint32_t ControlState() const { return control_state_; }
  void SetControlState(uint32_t value) { control_state_ = value; }
  TAction* Action() const { return action_; }
  void SetAction(TAction* action);
  bool MouseCapture();
  void SetMouseCapture(bool value);

  // --- painting
  virtual void Invalidate();
  virtual void Update();
  void Repaint() {
    Invalidate();
    Update();
  }
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();

  // --- behaviour
  virtual void Click();
  virtual void DblClick();
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  // Streams: a control is read beneath its parent window.
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;
  // Called by the action when it changes (and once when it is assigned).
  virtual void ActionChange(TAction* action, bool check_defaults);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

 protected:
  friend class TWinControl;
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // Moves the control without recording it as its designed place; used by
  // alignment and anchors.
  void MoveBy(const TRect& r);
  void UpdateAnchorRules();
  void RequestAlign();
  bool Loading() const { return ComponentState().Contains(csLoading); }

  virtual void VisibleChanging() {}
  void ParentFontOrColorChanged();

  // Message handlers (one virtual function per message number).
  virtual void WMLButtonDown(TMessage& m);
  virtual void WMLButtonUp(TMessage& m);
  virtual void WMLButtonDblClk(TMessage& m);
  virtual void WMRButtonDown(TMessage& m);
  virtual void WMRButtonUp(TMessage& m);
  virtual void WMMouseMove(TMessage& m);
  virtual void WMSetText(TMessage& m);
  virtual void CMMouseEnter(TMessage& m);
  virtual void CMMouseLeave(TMessage& m);
  virtual void CMEnabledChanged(TMessage& m);
  virtual void CMVisibleChanged(TMessage& m);
  virtual void CMTextChanged(TMessage& m);
  virtual void CMFontChanged(TMessage& m);
  virtual void CMColorChanged(TMessage& m);
  virtual void CMParentFontChanged(TMessage& m);
  virtual void CMParentColorChanged(TMessage& m);
  virtual void CMHintShow(TMessage& m);
  virtual void CMHitTest(TMessage& m);
  virtual void CMCursorChanged(TMessage& m);

  std::wstring text_;
  TFont font_;
  bool updating_font_ = false;

 private:
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clWindow;
  bool parent_color_ = true;
  bool parent_font_ = true;
  TCursor cursor_ = crDefault;
  std::wstring hint_;
  bool show_hint_ = false;
  TAlign align_ = alNone;
  TAnchors anchors_ = kDefaultAnchors;
  uint32_t control_style_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  uint32_t control_state_ = 0;
  TAction* action_ = nullptr;
  // Anchors: the designed place and the parent's client size it was made for.
  TPoint anchor_rules_;
  TSize original_parent_size_;
  bool anchoring_ = false;
};

class TWinControl : public TControl {
  KIV_CLASS(TWinControl, TControl)
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // --- the window
  HWND Handle();  // made on demand, with the parent's window first
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  void RecreateWnd();
  // The control that owns a window of the framework (or nullptr).
  static TWinControl* FindControl(HWND window);
  void DefaultHandler(TMessage& message) override;
  void Dispatch(TMessage& message) override;
  void WndProc(TMessage& message) override;

  // --- children
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_[index]; }
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  bool ContainsControl(const TControl* control) const;
  // Topmost visible child at a point of the client area (disabled ones only
  // when asked; windowed children only when asked).
  TControl* ControlAtPos(TPoint p, bool allow_disabled, bool allow_win_controls = false);
  // Sends a message to every child until one sets a non-zero result.
  void Broadcast(TMessage& message);
  void NotifyControls(uint32_t msg);

  // --- alignment
  void DisableAlign() { ++align_level_; }
  void EnableAlign();
  void Realign();
  virtual void AdjustClientRect(TRect& r) {}

  // --- focus and keyboard
  int TabOrder() const;
  void SetTabOrder(int value);
  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool value);
  // Paint through an off-screen bitmap of the client area (no flicker).
  bool DoubleBuffered() const { return double_buffered_; }
  void SetDoubleBuffered(bool value) { double_buffered_ = value; }
  virtual bool CanFocus();
  bool Focused();
  virtual void SetFocus();
  // Children of this control and theirs, each list in tab order.
  void GetTabOrderList(std::vector<TWinControl*>& list);
  TWinControl* FindNextControl(TWinControl* current, bool go_forward, bool check_tab_stop,
                               bool check_parent);
  void SelectNext(TWinControl* current, bool go_forward, bool check_tab_stop);

  void Invalidate() override;
  void Update() override;
  void SetBounds(int left, int top, int width, int height) override;
  TRect GetClientRect() override;
  void SetClientSize(int width, int height) override;
  TPoint ClientOrigin() override;
  bool Showing() const override;
  std::wstring Text() const override;
  void Loaded() override;
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

 protected:
  friend class TControl;
  friend class TCustomForm;
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  void DestroyHandle();
  // Called right after the window exists (children, font, texts are set).
  virtual void CreateHandleDone() {}
  // Places the aligned children inside rect.
  virtual void AlignControls(TControl* control, TRect& rect);
  virtual void PaintWindow(HDC dc);
  void PaintControls(HDC dc, TControl* first);
  void PaintHandler(TMessage& m);
  virtual void KeyDown(uint16_t& key, TShiftState shift);
  virtual void KeyUp(uint16_t& key, TShiftState shift);
  virtual void KeyPress(wchar_t& key);
  virtual void DoEnter();
  virtual void DoExit();
  // The platform font handle sent to the window (WM_SETFONT).
  HFONT FontHandle();
  bool IsNativeClass() const { return native_; }
  void UpdateBoundsFromWindow();

  virtual void WMPaint(TMessage& m);
  virtual void WMEraseBkgnd(TMessage& m);
  virtual void WMWindowPosChanging(TMessage& m);
  virtual void WMWindowPosChanged(TMessage& m);
  virtual void WMSetFocus(TMessage& m);
  virtual void WMKillFocus(TMessage& m);
  virtual void WMSetCursor(TMessage& m);
  virtual void WMKeyDown(TMessage& m);
  virtual void WMKeyUp(TMessage& m);
  virtual void WMChar(TMessage& m);
  virtual void WMCommand(TMessage& m);
  virtual void WMNotify(TMessage& m);
  virtual void WMCtlColor(TMessage& m);
  virtual void CNKeyDown(TMessage& m);
  virtual void CNChar(TMessage& m);
  virtual void CMDialogKey(TMessage& m);
  virtual void CMDialogChar(TMessage& m);
  virtual void CMFocusChanged(TMessage& m);
  virtual void CMEnter(TMessage& m);
  virtual void CMExit(TMessage& m);
  virtual void CMControlListChange(TMessage& m) {}
  virtual void CMControlChange(TMessage& m) {}
  void CMEnabledChanged(TMessage& m) override;
  void CMVisibleChanged(TMessage& m) override;
  void CMFontChanged(TMessage& m) override;
  void CMColorChanged(TMessage& m) override;
  void CMParentFontChanged(TMessage& m) override;
  void CMParentColorChanged(TMessage& m) override;
  void CMMouseEnter(TMessage& m) override;
  void CMMouseLeave(TMessage& m) override;

  HBRUSH BrushHandle();

 private:
  friend LRESULT CALLBACK KivWndProc(HWND, UINT, WPARAM, LPARAM);
  void CreateHandle();
  void UpdateTabOrderPosition(int value);
  HWND handle_ = nullptr;
  WNDPROC def_proc_ = nullptr;
  bool native_ = false;
  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tab_list_;
  bool tab_stop_ = false;
  bool double_buffered_ = false;
  int desired_tab_order_ = 1 << 30;
  int align_level_ = 0;
  bool aligning_ = false;
  HFONT font_handle_ = nullptr;
  HBRUSH brush_handle_ = nullptr;
  TColor brush_color_ = 0;
};

// The control that paints through a canvas lent to it for the paint: the
// canvas's device context is the parent's or the window's paint context.
class TControlCanvas : public TCanvas {
 public:
  explicit TControlCanvas(TControl* control) : control_(control) {}
  ~TControlCanvas() override;
  void FreeHandle();

 protected:
  void CreateHandle() override;

 private:
  TControl* control_;
  HDC owned_dc_ = nullptr;
  HWND owned_window_ = nullptr;
};

class TGraphicControl : public TControl {
  KIV_CLASS(TGraphicControl, TControl)
 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;
  TCanvas* Canvas() { return canvas_.get(); }
  void Dispatch(TMessage& message) override;

 protected:
  virtual void Paint() {}
  virtual void WMPaint(TMessage& m);

 private:
  std::unique_ptr<TControlCanvas> canvas_;
};

class TCustomControl : public TWinControl {
  KIV_CLASS(TCustomControl, TWinControl)
 public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;
  TCanvas* Canvas() { return canvas_.get(); }
  TNotifyEvent OnPaint;

 protected:
  virtual void Paint();
  void PaintWindow(HDC dc) override;
  void DestroyWnd() override;

 private:
  std::unique_ptr<TControlCanvas> canvas_;
};

// The form a control sits on (nullptr if none).
TCustomForm* GetParentForm(TControl* control);
// Control under a screen point, descending through windows and windowless
// children; disabled ones included when asked.
TControl* FindDragTarget(TPoint screen_point, bool allow_disabled);
// The control holding the mouse capture, windowless ones included.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);

// Releases the device contexts that control canvases took for drawing
// outside a paint (the idle step does it).
void FreeDeviceContexts();

// A hidden window that hands its messages to a function (timers, the theme
// manager's notifications).
HWND AllocateHWnd(std::function<void(TMessage&)> handler);
void DeallocateHWnd(HWND window);

}  // namespace kiv
