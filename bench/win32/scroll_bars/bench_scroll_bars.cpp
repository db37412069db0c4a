// Dragging the in-place thumb over a 2,000-line caption in a rich edit: one
// drag step (the pointer moves on the in-place bar, the edit scrolls to the
// thumb, the bar syncs with the native one, and both repaint) against the
// rich-edit control scrolling the same number of lines by itself
// (EM_LINESCROLL) and repainting, in one run. The look is the Wine prefix's:
// visual styles in the default prefix, classic with KIV_WINE_LOOK=classic.
// The cases after the two are the step's pieces, and the time of one request
// to the window server, the unit most of a step's time is counted in under
// Wine.
#include <windows.h>
// after windows.h, which it needs
#include <richedit.h>

#include <cstdio>
#include <memory>
#include <string>

#include "controls/kiv_inplace_scroll_bar_win32.hpp"
#include "framework/win32/application.hpp"
#include "framework/win32/forms.hpp"
#include "framework/win32/rich_edit.hpp"
#include "graphics/kiv_winapi_win32.hpp"
#include "timing.hpp"

using namespace kiv;

namespace {

// A rich edit carrying the in-place pair, wired as a themed edit wires it.
class TPairedEdit : public TRichEdit {
 public:
  explicit TPairedEdit(TComponent* owner)
      : TRichEdit(owner), pair(std::make_unique<TKivSubScrollBar>(this)) {}
  ~TPairedEdit() override { pair->SetTarget(nullptr); }
  void SetParent(TWinControl* parent) override {
    TRichEdit::SetParent(parent);
    pair->SetParentControl(parent);
  }
  void WndProc(TMessage& m) override {
    pair->TargetMessage(m);
    TRichEdit::WndProc(m);
  }
  std::unique_ptr<TKivSubScrollBar> pair;
};

std::wstring Caption() {
  std::wstring text;
  for (int i = 1; i <= 2000; ++i) text += L"Line " + std::to_wstring(i) + L" of the caption.\r\n";
  return text;
}

int FirstLine(HWND edit) {
  return static_cast<int>(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0));
}

}  // namespace

int main(int argc, char** argv) {
  kivbench::TTimingRun run(kivbench::ParseTimingOptions(argc, argv));
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(0, 0, 560, 320);
  auto* native = new TRichEdit(&form);
  native->SetBounds(10, 10, 260, 300);
  native->SetScrollBars(ssVertical);
  native->SetParent(&form);
  auto* paired = new TPairedEdit(&form);
  paired->SetBounds(290, 10, 260, 300);
  paired->SetScrollBars(ssVertical);
  paired->SetParent(&form);
  form.Show();
  const std::wstring text = Caption();
  SetWindowTextW(native->Handle(), text.c_str());
  SetWindowTextW(paired->Handle(), text.c_str());
  UpdateWindow(paired->Handle());
  Application()->ProcessMessages();

  TKivInplaceScrollBar* bar = paired->pair->VertScrollBar();
  if (!bar || !bar->Visible()) {
    std::fprintf(stderr, "bench_scroll_bars: the in-place bar is not shown\n");
    return 1;
  }
  HWND bar_window = bar->Handle();
  HWND edit_window = paired->Handle();
  HWND native_window = native->Handle();

  // Grab the thumb and find how far the text moves per step of the pointer.
  const int step = 2;
  const TRect thumb = bar->ScrollBar()->GetThumbRect();
  const TRect track = bar->ScrollBar()->GetTrackRect();
  const int x = thumb.Left + thumb.Width() / 2;
  int y = thumb.Top + 1;
  SendMessageW(bar_window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  SendMessageW(bar_window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  const int free_pixels = track.Height() - thumb.Height();
  const int steps_per_sweep = free_pixels / step;
  for (int i = 0; i < steps_per_sweep; ++i)
    SendMessageW(bar_window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y += step));
  const int lines = FirstLine(edit_window);
  const int lines_per_step = std::max(1, (lines + steps_per_sweep / 2) / steps_per_sweep);
  // The edit's scroll unit (what SB_THUMBTRACK carries) as far as one step
  // moves it.
  const int swept = bar->ScrollBar()->Position();
  const int units_per_step = std::max(1, (swept + steps_per_sweep / 2) / steps_per_sweep);
  std::printf(
      "2,000 lines, %d of them scrolled by a %d-pixel sweep of the thumb: %d per %d-pixel"
      " step (%d of the edit's scroll units)\n",
      lines, free_pixels, lines_per_step, step, units_per_step);

  // Both sweep back and forth over the whole text.
  int drag_direction = -step;
  auto drag_step = [&] {
    if (y + drag_direction < thumb.Top + 1 || y + drag_direction > thumb.Top + 1 + free_pixels)
      drag_direction = -drag_direction;
    y += drag_direction;
    SendMessageW(bar_window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    UpdateWindow(edit_window);  // the edit repaints, and the bar syncs on its paint
    UpdateWindow(bar_window);
    GdiFlush();
  };
  // The native edit sweeps between its first and its last first line, so
  // that every step scrolls (a step past the end would cost nothing).
  SendMessageW(native_window, EM_LINESCROLL, 0, 100000);
  const int last_line = FirstLine(native_window);
  SendMessageW(native_window, EM_LINESCROLL, 0, -100000);
  int native_direction = lines_per_step;
  int native_line = 0;
  auto native_step = [&] {
    if (native_line + native_direction < 0 || native_line + native_direction > last_line)
      native_direction = -native_direction;
    native_line += native_direction;
    SendMessageW(native_window, EM_LINESCROLL, 0, native_direction);
    UpdateWindow(native_window);
    GdiFlush();
  };
  const char* group = Platform().VisualStylesActive ? "drag step, 2,000-line caption, visual styles"
                                                    : "drag step, 2,000-line caption, classic";
  run.Add(group, "rich edit's own scroll (EM_LINESCROLL) and repaint", native_step, true);
  run.Add(group, "in-place thumb dragged: scroll, sync and repaint of both", drag_step);
  // Where a drag step's time goes (not held against the bar).
  // The plain edit scrolled by the bar's message, as far as a drag step
  // scrolls (SB_THUMBTRACK carries the edit's scroll unit, not lines).
  SendMessageW(native_window, EM_LINESCROLL, 0, 100000);
  SCROLLINFO native_info{};
  native_info.cbSize = sizeof native_info;
  native_info.fMask = SIF_POS;
  GetScrollInfo(native_window, SB_VERT, &native_info);
  const int last_unit = native_info.nPos;
  SendMessageW(native_window, EM_LINESCROLL, 0, -100000);
  int thumb_unit = 0, thumb_direction = units_per_step;
  run.Add(group, "  of which: the edit scrolled by SB_THUMBTRACK and repainted", [&] {
    if (thumb_unit + thumb_direction < 0 || thumb_unit + thumb_direction > last_unit)
      thumb_direction = -thumb_direction;
    thumb_unit += thumb_direction;
    SendMessageW(native_window, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, thumb_unit), 0);
    UpdateWindow(native_window);
    GdiFlush();
  });
  // The pointer's way through the framework to the bar, the bar's hit tests
  // and the SB_THUMBTRACK through the pair to the edit, with nothing to
  // scroll: the pointer moves to where it is.
  run.Add(group, "  of which: the pointer's and the message's way, nothing scrolled", [&] {
    SendMessageW(bar_window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    UpdateWindow(edit_window);
    UpdateWindow(bar_window);
    GdiFlush();
  });
  run.Add(group, "  of which: one sync with the native bar", [&] { bar->SyncWithTarget(); });
  // What a drag step paints of the bar: the thumb's old and new place (2
  // pixels apart), at once through the window's device context.
  run.Add(group, "  of which: the in-place bar's thumb move painted", [&] {
    TKivScrollBar* b = bar->ScrollBar();
    TRect r = b->GetThumbRect();
    r.Bottom += step;
    b->PaintNow(r);
    GdiFlush();
  });
  run.Add(group, "  of which: the in-place bar repainted in full", [&] {
    bar->ScrollBar()->Invalidate();
    UpdateWindow(bar_window);
    GdiFlush();
  });
  // The unit of most of the above under Wine: one request to the window
  // server (GetCapture asks it for the thread's capture window).
  run.Add(group, "  scale: one window-server request", [] { GetCapture(); });
  run.Run();
  if (!bar->Visible() || !IsWindowVisible(bar_window)) {
    std::fprintf(stderr, "bench_scroll_bars: the in-place bar went hidden while timed\n");
    return 1;
  }
  run.Print(stdout);
  SendMessageW(bar_window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  return 0;
}
