#pragma once
// TWinControl: a control with a window of its own. It makes the window on
// demand (its own window class, or a superclass of a platform class), holds
// the child controls, aligns and anchors them, paints the windowless ones,
// and runs focus, tab order and keyboard navigation.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/win32/control.hpp"

namespace kiv {

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
  void KeyMessage(TMessage& m, void (TWinControl::*handler)(uint16_t&, TShiftState));
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
}  // namespace kiv
