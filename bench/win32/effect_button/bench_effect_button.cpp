// One 20-millisecond tick of a 75 x 25 effect button's fade against a plain
// BitBlt of the button's 75 x 25 face to its window, in one run. The tick is
// the engine's timer event as the timer delivers it: every slot looked at,
// the running one's frame composed from the two faces about halfway through
// the fade, and drawn on the button's window; and the tick's pieces alone. The button is the
// viewer's Close button (double buffered, resolution 10, the fade both ways).
#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "controls/kiv_effect_controls_win32.hpp"
#include "effects/engine.hpp"
#include "effects/frame_canvas.hpp"
#include "effects/frame_kernels.hpp"
#include "effects/masks.hpp"
#include "framework/win32/application.hpp"
#include "framework/win32/forms.hpp"
#include "graphics/kiv_winapi_win32.hpp"
#include "timing.hpp"

using namespace kiv;

int main(int argc, char** argv) {
  kivbench::TTimingRun run(kivbench::ParseTimingOptions(argc, argv));
  SetAnimationTimer(std::make_unique<TkivManualTimer>());
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(0, 0, 200, 60);
  auto* button = new TKivEffectButton(&form);
  button->SetBounds(10, 10, 75, 25);
  button->SetKind(bkClose);
  button->SetParent(&form);
  form.Show();
  Application()->ProcessMessages();

  button->Perform(CM_MOUSEENTER);
  const int slot = button->AnimationSlot();
  if (slot < 0 || !IsAnimating(slot)) {
    std::fprintf(stderr, "bench_effect_button: the fade did not start\n");
    return 1;
  }
  TkivAnimationSlot& running = AnimationSlot(slot);
  // The window's device context the frames go to, held for the run.
  HDC window = button->Canvas()->Handle();

  // The baseline's source: the button's face in a 32-bit section.
  HDC mem = CreateCompatibleDC(window);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 75;
  info.bmiHeader.biHeight = -25;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(mem, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bitmap);
  button->Perform(WM_PAINT, reinterpret_cast<uintptr_t>(mem), 0);
  GdiFlush();

  const char* group = Platform().VisualStylesActive ? "effect button 75x25, visual styles"
                                                    : "effect button 75x25, classic";
  run.Add(
      group, "BitBlt of the face to the window",
      [&] {
        BitBlt(window, 0, 0, 75, 25, mem, 0, 0, SRCCOPY);
        GdiFlush();
      },
      true);
  // Every case alternates frames at 45 and 50 % (two neighbouring frames of
  // the 400 ms fade), so that each frame lays a new level into the hot face,
  // as in a running fade; one progress repeated would find its alpha laid.
  struct TAlternate {
    int p = 45;
    int Next() { return p = p == 45 ? 50 : 45; }
  };
  TAlternate tick, step, bare_step, compose, general;
  run.Add(group, "fade tick (AnimationTick, frames at 45 and 50 %)", [&] {
    running.Elapsed = static_cast<float>(tick.Next() * 4 - 20);  // the tick adds 20
    AnimationTick();
    GdiFlush();
  });
  run.Add(group, "fade frame (StepAnimation, frames at 45 and 50 %)", [&] {
    running.Elapsed = static_cast<float>(step.Next() * 4 - 20);
    StepAnimation(slot);
    GdiFlush();
  });
  // The tick's pieces, so that what the engine adds around them shows as the
  // step's time less theirs: the step with no place to put its frame, the
  // composition, the frame put on the window.
  run.Add(group, "the step without putting the frame (no frame place)", [&] {
    running.Elapsed = static_cast<float>(bare_step.Next() * 4 - 20);
    TkivFrameCanvas* place = running.Canvas;
    running.Canvas = nullptr;
    StepAnimation(slot);
    running.Canvas = place;
  });
  run.Add(group, "the frame's composition alone (ComposeFrame)",
          [&] { ComposeFrame(running, static_cast<uint8_t>(compose.Next())); });
  // The same frames' pixels through the general mask row, its alpha row
  // filled with the level as a frame filled it: what the composition cost
  // before it had a kernel for one level.
  const int pixels = running.Work->Width() * running.Work->Height();
  std::vector<uint8_t> alpha(static_cast<size_t>(pixels));
  run.Add(group, "the same pixels through the general mask row", [&] {
    alpha.assign(alpha.size(), UniformMaskLevel(static_cast<uint8_t>(general.Next())));
    ComposeMaskRow(running.Target->ScanLine(0), alpha.data(), running.Source->ScanLine(0),
                   running.Work->ScanLine(0), pixels);
  });
  run.Add(group, "the frame put on the window alone (DrawFrame)", [&] {
    running.Canvas->DrawFrame(*running.Work, running.X, running.Y);
    GdiFlush();
  });
  run.Run();
  run.Print(stdout);

  SelectObject(mem, old);
  DeleteObject(bitmap);
  DeleteDC(mem);
  return 0;
}
