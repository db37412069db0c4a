// A 75 x 25 push button face drawn by the skin-file theme against the
// built-in theme's face, on the same 32-bit surface, in one run.
//
//   scripts/bench-win32.sh bench_skin_theme [--repetitions N] [--min-batch-ms MS]
//
// The skin is what skins usually hold for a button: a "Button" object whose
// "Face" is a button object drawn in nine parts (4-pixel margins, tiled
// edges and centre) from a 22 x 22 cell of a bitmap, with its own cells for
// the hot and pressed states. The baseline is the built-in theme's normal
// face (a frame and a fill).
#include <windows.h>

#include <cstdio>

#include "framework/win32/canvas.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "theme/kiv_theme.hpp"
#include "themefiles/skin_objects.hpp"
#include "themefiles/skin_theme.hpp"
#include "timing.hpp"

using namespace kiv;

namespace {

const std::string kObject = "default";

// Three 22 x 22 button cells side by side: a dark border, a lighter inside,
// a highlight row, each cell in its own hue.
TkivBitmap* MakeSheet() {
  auto* sheet = new TkivBitmap;
  sheet->SetName("Buttons");
  sheet->SetSize(66, 22);
  const TkivPixel inside[] = {0xFFD8D8E0, 0xFFE0E8FF, 0xFFB8B8C8};
  for (int i = 0; i < 3; ++i) {
    sheet->FillRect(Bounds(22 * i, 0, 22, 22), 0xFF404050);
    sheet->FillRect(Bounds(22 * i + 1, 1, 20, 20), inside[i]);
    sheet->FillRect(Bounds(22 * i + 2, 2, 18, 1), 0xFFFFFFFF);
  }
  return sheet;
}

void Link(TkivBitmapLink* link, int cell) {
  link->SetName("Buttons");
  link->SetRect(Bounds(22 * cell, 0, 22, 22));
}

void MakeSkin(TKivSkinFile& skin) {
  TLqSkinSource source;
  source.Bitmaps()->Add(MakeSheet());
  auto* button = new TLqSkinObject(nullptr);
  button->SetName("Button");
  button->SetColor(clNone);
  auto* face = new TLqButtonObject(button);
  face->SetName("Face");
  face->SetMarginLeft(4);
  face->SetMarginTop(4);
  face->SetMarginRight(4);
  face->SetMarginBottom(4);
  Link(face->Bitmap(), 0);
  Link(face->BitmapHot(), 1);
  Link(face->BitmapPressed(), 2);
  source.AddObject(button);
  skin.LoadedSource()->Assign(&source);
  skin.Apply();
}

}  // namespace

int main(int argc, char** argv) {
  kivbench::TTimingRun run(kivbench::ParseTimingOptions(argc, argv));
  TkivBitmap surface;
  surface.SetSize(128, 64);
  surface.Fill(0xFFFFFFFF);
  HDC dc = static_cast<HDC>(surface.DC());
  TCanvas canvas;
  canvas.SetHandle(dc);
  TkivTheme builtin;
  TKivSkinFile skin;
  MakeSkin(skin);
  if (!skin.SupportsButton(0, kObject)) {
    std::fprintf(stderr, "bench_skin_theme: the skin has no button\n");
    return 1;
  }

  const TRect button{0, 0, 75, 25};
  // What is timed must draw the skin: its inside colour in the face's centre.
  skin.PaintButton(0, canvas, kObject, MakeStateInfo(button, kStateNormal));
  if (surface.GetPixel(37, 12) != 0xFFD8D8E0 || surface.GetPixel(0, 0) != 0xFF404050) {
    std::fprintf(stderr, "bench_skin_theme: the skin's face was not drawn\n");
    return 1;
  }
  run.Add(
      "button 75x25", "built-in PaintButton normal",
      [&] {
        builtin.PaintButton(0, canvas, kObject, MakeStateInfo(button, kStateNormal));
        GdiFlush();
      },
      true);
  static const char* const kNames[] = {"skin PaintButton normal", "skin PaintButton hot",
                                       "skin PaintButton pressed"};
  for (uint8_t state : {kStateNormal, kStateHot, kStatePressed}) {
    run.Add("button 75x25", kNames[state], [&, state] {
      skin.PaintButton(0, canvas, kObject, MakeStateInfo(button, state));
      GdiFlush();
    });
  }

  run.Run();
  run.Print(stdout);
  canvas.SetHandle(nullptr);
  return 0;
}
