#pragma once
// TKivRichEdit: the platform's rich-text edit control with a frame painted by
// the library (the current theme's memo look, the platform's visual-styles
// edit frame, or a classic sunken frame), the library's scroll bars laid over
// its native ones, and recolouring and repainting on theme notifications.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "controls/kiv_rich_edit_states.hpp"
#include "framework/event.hpp"
#include "framework/win32/rich_edit.hpp"

namespace kiv {

class TCanvas;
class TKivScrollBar;
class TKivSubScrollBar;

class TKivRichEdit : public TRichEdit {
  KIV_CLASS(TKivRichEdit, TRichEdit)
 public:
  explicit TKivRichEdit(TComponent* owner);
  ~TKivRichEdit() override;

  const std::string& ThemeObject() const { return theme_object_; }
  void SetThemeObject(const std::string& value);
  // The pointer is over the control (between the framework's enter and leave
  // notifications).
  bool Hot() const { return hot_; }
  // The library's bars laid over the native ones (they live in the edit's
  // parent).
  TKivSubScrollBar* ScrollBarPair() const { return pair_.get(); }

  void SetParent(TWinControl* parent) override;
  void WndProc(TMessage& message) override;

  // The frame in the look that serves the control: the theme's memo when the
  // theme has one for ThemeObject, else the visual styles' edit frame when
  // they are active, else the classic sunken frame.
  virtual void DrawFrame(TCanvas& canvas, const TRect& rect);
  // The client area in the same look; the classic look fills it with Color.
  virtual void DrawClient(TCanvas& canvas, const TRect& rect);

 protected:
  void Dispatch(TMessage& message) override;
  void CreateHandleDone() override;
  // The bar each in-place bar hosts, owned by owner: a plain TKivScrollBar.
  virtual TKivScrollBar* CreateScrollBar(TComponent* owner);
  // Run after the hot flag has changed; nothing here, for descendants.
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}

  TKivRichEditLook Look();
  bool ThemeMode();
  // The frame painted over the native one, in the window's device context.
  void PaintNonClient();
  // Every native scroll bar the window shows is covered by the library's.
  bool NativeBarsCovered();
  // Frame and client drawn into dc as the window shows them.
  void PrintInto(HDC dc);
  void DrawFrameOn(HDC dc, const TKivRichEditFrameRects& rects);
  bool DrawStyledLook(TCanvas& canvas, const TRect& rect);
  void ThemeNotification(TMessage& message);
  // The shared visual-styles data is stale (the styles changed).
  static void ForgetEditStyle();

 private:
  std::unique_ptr<TKivSubScrollBar> pair_;
  std::string theme_object_ = "default";
  bool hot_ = false;
};

}  // namespace kiv
