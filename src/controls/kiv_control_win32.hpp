#pragma once
// The base of the library's themed controls. TKivControl owns a window and
// paints through one of three buffering modes, draws a frame (bevels, border,
// or the platform's visual-styles edit frame) around its inner area, follows
// the mouse pointer (Hot) and the keyboard focus (HasFocus) through the
// framework's notifications, and can paint its parent's background behind
// itself. TKivGraphicControl is the windowless twin without frame or focus.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "controls/kiv_control_types.hpp"
#include "framework/event.hpp"
#include "framework/font.hpp"
#include "framework/win32/custom_control.hpp"

namespace kiv {

class TkivBitmap;
class TKivGraphicControl;
class TKivScrollBar;

class TKivControl : public TCustomControl {
  KIV_CLASS(TKivControl, TCustomControl)
 public:
  explicit TKivControl(TComponent* owner);
  ~TKivControl() override;

  TKivPerformance Performance() const { return performance_; }
  void SetPerformance(TKivPerformance value);
  bool HasFocus() const { return has_focus_; }
  bool Hot() const { return hot_; }
  int ScrollBarKind() const { return scroll_bar_kind_; }
  TFont* PaintFont() { return &paint_font_; }
  bool UseSystemFrame() const { return use_system_frame_; }
  void SetUseSystemFrame(bool value);
  // The size last asked for; painting and the inner rectangle use it.
  int PaintWidth() const { return paint_width_; }
  int PaintHeight() const { return paint_height_; }

  // Frame settings (protected in the library's sense: descendants publish them).
  int BorderWidth() const { return frame_.BorderWidth; }
  void SetBorderWidth(int value);
  int BevelWidth() const { return frame_.BevelWidth; }
  void SetBevelWidth(int value);
  TKivBevelCut BevelInner() const { return frame_.BevelInner; }
  void SetBevelInner(TKivBevelCut value);
  TKivBevelCut BevelOuter() const { return frame_.BevelOuter; }
  void SetBevelOuter(TKivBevelCut value);
  TKivBevelSides BevelSides() const { return frame_.BevelSides; }
  void SetBevelSides(TKivBevelSides value);
  TKivBevelKind BevelKind() const { return bevel_kind_; }
  void SetBevelKind(TKivBevelKind value);

  virtual TRect GetInnerRect();
  TRect GetClientRect() override;
  void SetBounds(int left, int top, int width, int height) override;
  void Loaded() override;
  void Dispatch(TMessage& message) override;

  // The built-in scroll bars (made by CreateScrollBar when the window is).
  TKivScrollBar* HorzScrollBar() const { return horz_scroll_bar_; }
  TKivScrollBar* VertScrollBar() const { return vert_scroll_bar_; }
  // What a built-in bar reports when it scrolls: the control sends itself
  // WM_HSCROLL or WM_VSCROLL with the scroll code as the word parameter and
  // the bar's position as the long one. Ignored while suppressed.
  void ScrollBarScrolled(bool horizontal, int code, int position);
  void SetScrollSuppressed(bool value) { scroll_suppressed_ = value; }

  void WndProc(TMessage& message) override;

  // The platform's visual-styles data of a class ("Button", "Edit") for this
  // control's window, opened on first use and kept until the visual styles
  // change or the window goes (opening it costs far more than drawing);
  // nullptr when there is none. A class the style lacks is not asked for
  // again until then either.
  HANDLE ThemeData(const wchar_t* class_name);

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

 protected:
  // Stores value in field; true when it differed (the caller repaints or
  // lays out again only then).
  template <class T>
  static bool Change(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
  }
  virtual void PaintFrame();
  virtual void PaintClient();
  // A new built-in scroll bar owned by this control (a TKivScrollBar in the
  // base); CreateWnd gives it its orientation, place and scroll routing.
  virtual TKivScrollBar* CreateScrollBar(bool horizontal);
  virtual int GetScrollBarSize();
  virtual void FrameChanged() {}
  virtual void MouseEnter();
  virtual void MouseLeave();
  // Hot without the events or a repaint: for descendants that paint the look
  // of each state themselves around the change.
  void SetHot(bool value) { hot_ = value; }
  virtual void FocusEnter();
  virtual void FocusExit();

  void SetScrollBarKind(int value) { scroll_bar_kind_ = value; }
  void Paint() override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void CMMouseEnter(TMessage& m) override;
  void CMMouseLeave(TMessage& m) override;
  void CMEnter(TMessage& m) override;
  void CMExit(TMessage& m) override;
  void CMVisibleChanged(TMessage& m) override;
  void WMEraseBkgnd(TMessage& m) override;
  void WMWindowPosChanging(TMessage& m) override;
  virtual void WMThemeChanged(TMessage& m);

  // The inner rectangle as painting uses it: with both bars the square
  // between them belongs to the frame.
  TRect PaintInnerRect();
  // Frame and client painted on whatever Canvas points at (the erase path).
  void PaintFrameAndClient();
  void LayoutScrollBars();
  void DestroyWnd() override;

 private:
  void FreeScrollBars();
  void CloseThemeDatas();
  void PaintBevel(HDC dc, TRect& r, TKivBevelCut cut, bool outer);

  TKivPerformance performance_ = qspNoBuffer;
  bool has_focus_ = false;
  bool hot_ = false;
  TKivScrollBar* horz_scroll_bar_ = nullptr;
  TKivScrollBar* vert_scroll_bar_ = nullptr;
  int scroll_bar_kind_ = kScrollBarNone;
  bool scroll_suppressed_ = false;
  TFont paint_font_;
  TKivFrameSpec frame_;
  TKivBevelKind bevel_kind_ = qbkNone;
  bool use_system_frame_ = true;
  int paint_width_ = 0;
  int paint_height_ = 0;
  std::vector<std::pair<std::wstring, HANDLE>> theme_data_;
  std::unique_ptr<TkivBitmap> own_buffer_;  // qspDoubleBuffer's, kept between paints
};

class TKivGraphicControl : public TGraphicControl {
  KIV_CLASS(TKivGraphicControl, TGraphicControl)
 public:
  explicit TKivGraphicControl(TComponent* owner);
  ~TKivGraphicControl() override;

  TKivPerformance Performance() const { return performance_; }
  void SetPerformance(TKivPerformance value);
  bool Hot() const { return hot_; }
  TFont* PaintFont() { return &paint_font_; }
  void Loaded() override;

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

 protected:
  virtual void PaintControl();
  virtual void MouseEnter();
  virtual void MouseLeave();
  void Paint() override;
  // What PaintControl must draw this time, in the control's coordinates:
  // the whole control, except with a buffer of its own that still holds the
  // last paint at this size, where the part the paint asks for is enough
  // (the rest of the buffer is still right).
  const TRect& PaintClip() const { return paint_clip_; }
  void WMPaint(TMessage& m) override;
  void CMMouseEnter(TMessage& m) override;
  void CMMouseLeave(TMessage& m) override;

 private:
  TKivPerformance performance_ = qspNoBuffer;
  bool hot_ = false;
  TFont paint_font_;
  // qspDoubleBuffer's surface, kept between paints and made again only when
  // the size changes (a scroll bar being dragged paints at every step).
  std::unique_ptr<TkivBitmap> own_buffer_;
  TRect paint_clip_;
};

// ---- painting support shared by the themed controls ----

// The one surface shared by every control in qspSharedBuffer mode: its size
// is fixed at (screen width + 500) x (screen height + 500); its pixels are
// allocated on first use.
TkivBitmap& SharedBuffer();
TSize SharedBufferSize();

// Visual styles are active for this program (the platform flag the theme
// manager keeps current).
bool VisualStylesActive();

// Paints into dc what control's parent shows behind the control (dc's
// coordinates are the control's). Nested transparent controls compose: the
// origin moves relative to where it stands and is put back afterwards.
void PaintParentBackground(TControl* control, HDC dc);

// What a background painter is told: the control's bounds in its parent
// (twice: the area to paint and the control's place), the control and the
// parent.
struct TKivBackgroundInfo {
  TRect Rect;
  TRect ControlRect;
  TControl* Control = nullptr;
  TWinControl* Parent = nullptr;
};
using TKivBackgroundPainter = std::function<void(TCanvas& canvas, const TKivBackgroundInfo& info)>;

// Registers the painter for parents of the class (and of classes derived from
// it, unless a more derived class has its own). The controls unit registers
// TKivControl (the parent paints its frame and client into the context) and
// the framework's form (a fill with the form's Color) when it starts.
void RegisterBackgroundPainter(const TClassInfo& parent_class, TKivBackgroundPainter painter);
// Frees the registry (unit shutdown).
void FreeBackgroundPainters();

}  // namespace kiv
