// One 20-millisecond tick of a 75 x 25 effect button's fade against a plain
// BitBlt of the button's 75 x 25 face to its window, in one run. The tick is
// the engine's timer event as the timer delivers it: every slot looked at,
// the running one's frame composed from the two faces halfway through the
// fade, and drawn on the button's window. The button is the viewer's Close
// button (double buffered, resolution 10, the fade both ways).
#include <windows.h>

#include <cstdio>
#include <memory>

#include "controls/kiv_effect_controls_win32.hpp"
#include "effects/engine.hpp"
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
  run.Add(group, "fade tick (AnimationTick, frame at 50 %)", [&] {
    running.Elapsed = 180;  // the tick adds 20: progress 50
    AnimationTick();
    GdiFlush();
  });
  run.Add(group, "fade frame (StepAnimation, frame at 50 %)", [&] {
    running.Elapsed = 180;
    StepAnimation(slot);
    GdiFlush();
  });
  run.Add(group, "the frame's composition alone (ComposeFrame at 50 %)",
          [&] { ComposeFrame(running, 50); });
  run.Run();
  run.Print(stdout);

  SelectObject(mem, old);
  DeleteObject(bitmap);
  DeleteDC(mem);
  return 0;
}
