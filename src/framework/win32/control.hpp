#pragma once
// TControl: the base of every control, windowless or not. Its place in the
// tree and on the parent, its appearance and state, the one dispatch path from
// WndProc to the message handlers, mouse capture and clicks. The enumerations
// a control publishes carry their names in a table beside them.
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "framework/classes.hpp"
#include "framework/colors.hpp"
#include "framework/font.hpp"
#include "framework/messages.hpp"
#include "framework/types.hpp"

namespace kiv {

class TWinControl;
class TCustomForm;
class TAction;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
inline constexpr std::array<std::string_view, 7> kAlignNames{
    "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"};
static_assert(kAlignNames.size() == alCustom + 1);

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
inline constexpr std::array<std::string_view, 4> kAnchorKindNames{"akLeft", "akTop", "akRight",
                                                                  "akBottom"};
static_assert(kAnchorKindNames.size() == akBottom + 1);
using TAnchors = TSet<TAnchorKind>;
inline constexpr TAnchors kDefaultAnchors{akLeft, akTop};

// How a control places its text (or its paragraphs) across its width.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
inline constexpr std::array<std::string_view, 3> kAlignmentNames{"taLeftJustify", "taRightJustify",
                                                                 "taCenter"};
static_assert(kAlignmentNames.size() == taCenter + 1);

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
  // Paints a part of an opaque windowless control (in its own coordinates)
  // at once through its parent's window, where Invalidate would leave it to
  // the parent's next paint: for a change the user must see while the
  // control still has the mouse (a dragged thumb), without the round of
  // invalidation, WM_PAINT, BeginPaint and EndPaint. Other controls, and a
  // parent whose window gives no device context, invalidate the part.
  // True when the part was painted.
  bool PaintNow(const TRect& part);
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

// The form a control sits on (nullptr if none).
TCustomForm* GetParentForm(TControl* control);
// Control under a screen point, descending through windows and windowless
// children; disabled ones included when asked.
TControl* FindDragTarget(TPoint screen_point, bool allow_disabled);
// The control holding the mouse capture, windowless ones included.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);

}  // namespace kiv
