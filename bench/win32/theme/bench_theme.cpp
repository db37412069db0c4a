// The built-in theme's drawing of three elements against the platform drawing
// the same elements itself, at the same sizes, on the same 32-bit surface, in
// one run: a 75 x 25 push button face, a 13 x 13 check mark and a 17 x 100
// vertical scroll bar (arrow buttons, track and thumb).
//
//   scripts/bench-win32.sh bench_theme [--repetitions N] [--min-batch-ms MS]
//
// Each group's baseline is the platform: DrawFrameControl for the faces and
// marks, DrawEdge and a fill for the scroll bar's track and thumb.
#include <windows.h>

#include <cstdio>

#include "framework/win32/canvas.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "theme/kiv_theme.hpp"
#include "timing.hpp"

using namespace kiv;

namespace {

const std::string kObject = "default";

void PlatformScrollBar(HDC dc, const RECT& r) {
  RECT up{r.left, r.top, r.right, r.top + 17};
  RECT down{r.left, r.bottom - 17, r.right, r.bottom};
  RECT track{r.left, r.top + 17, r.right, r.bottom - 17};
  RECT thumb{r.left, r.top + 30, r.right, r.top + 60};
  DrawFrameControl(dc, &up, DFC_SCROLL, DFCS_SCROLLUP);
  FillRect(dc, &track, GetSysColorBrush(COLOR_SCROLLBAR));
  DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
  DrawFrameControl(dc, &down, DFC_SCROLL, DFCS_SCROLLDOWN);
}

void ThemeScrollBar(TkivTheme& t, TCanvas& c, const TRect& r) {
  t.PaintScrollBarFrame(0, c, kObject, r);
  t.PaintScrollBarButton(0, c, kObject,
                         MakePartInfo(TRect{r.Left, r.Top, r.Right, r.Top + 17}, 0, 0));
  t.PaintScrollBarTrack(0, c, kObject,
                        MakePartInfo(TRect{r.Left, r.Top + 17, r.Right, r.Bottom - 17}, 0, 0));
  t.PaintScrollBarButton(0, c, kObject,
                         MakePartInfo(TRect{r.Left, r.Top + 30, r.Right, r.Top + 60}, 8, 0));
  t.PaintScrollBarButton(0, c, kObject,
                         MakePartInfo(TRect{r.Left, r.Bottom - 17, r.Right, r.Bottom}, 1, 0));
}

}  // namespace

int main(int argc, char** argv) {
  kivbench::TTimingRun run(kivbench::ParseTimingOptions(argc, argv));
  TkivBitmap surface;
  surface.SetSize(128, 128);
  surface.Fill(0xFFFFFFFF);
  HDC dc = static_cast<HDC>(surface.DC());
  TCanvas canvas;
  canvas.SetHandle(dc);
  TkivTheme theme;
  canvas.Font()->Assign(theme.Fonts()->FontByIndex(34));  // the check mark's pen colour

  const RECT button{0, 0, 75, 25};
  const TRect button_t{0, 0, 75, 25};
  run.Add(
      "button 75x25", "DrawFrameControl push",
      [&] {
        RECT r = button;
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH);
        GdiFlush();
      },
      true);
  for (uint8_t state : {kStateNormal, kStateHot, kStatePressed}) {
    static const char* const kNames[] = {"theme PaintButton normal", "theme PaintButton hot",
                                         "theme PaintButton pressed"};
    run.Add("button 75x25", kNames[state], [&, state] {
      theme.PaintButton(0, canvas, kObject, MakeStateInfo(button_t, state));
      GdiFlush();
    });
  }

  const RECT check{0, 0, 13, 13};
  const TRect check_t{0, 0, 13, 13};
  run.Add(
      "check 13x13", "DrawFrameControl menu check",
      [&] {
        RECT r = check;
        DrawFrameControl(dc, &r, DFC_MENU, DFCS_MENUCHECK);
        GdiFlush();
      },
      true);
  run.Add("check 13x13", "DrawFrameControl check box", [&] {
    RECT r = check;
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    GdiFlush();
  });
  run.Add("check 13x13", "theme check mark glyph", [&] {
    theme.PaintMenuItemGlyph(0, canvas, kObject, MakeGlyphInfo(check_t, nullptr, 0, kGlyphCheck),
                             MakePartInfo(check_t, 0, 0));
    GdiFlush();
  });

  const RECT bar{0, 0, 17, 100};
  const TRect bar_t{0, 0, 17, 100};
  run.Add(
      "scroll bar 17x100", "platform frame controls",
      [&] {
        PlatformScrollBar(dc, bar);
        GdiFlush();
      },
      true);
  run.Add("scroll bar 17x100", "theme scroll bar", [&] {
    ThemeScrollBar(theme, canvas, bar_t);
    GdiFlush();
  });

  run.Run();
  run.Print(stdout);
  canvas.SetHandle(nullptr);
  return 0;
}
