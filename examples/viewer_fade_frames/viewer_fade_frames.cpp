// viewer_fade_frames OUT_DIR [SCALE]: makes the viewer's main window (from
// the viewer's own definition, on a picture this program draws), moves the
// pointer onto the Close button as the framework reports it, and drives the
// effects engine's timer by hand: the button's window is saved after 0, 10
// and 20 ticks of 20 ms (normal face, half-way through the 400 ms fade, hot
// face) as close_fade_0.png, close_fade_1.png and close_fade_2.png, each
// pixel drawn SCALE x SCALE (default 4).
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/viewer_folder_win32.hpp"
#include "app/viewer_form_win32.hpp"
#include "effects/engine.hpp"
#include "framework/picture/png_writer.hpp"

namespace {

namespace fs = std::filesystem;

// The window's pixels as they are on screen, each scale x scale.
bool SaveWindow(HWND window, const std::string& path, int scale) {
  RECT r;
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(window);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(mem, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bitmap);
  BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* px = static_cast<const kiv::TkivPixel*>(bits);
  std::vector<kiv::TkivPixel> out(size_t(w) * scale * h * scale);
  for (int y = 0; y < h * scale; ++y)
    for (int x = 0; x < w * scale; ++x)
      out[size_t(y) * w * scale + x] = px[size_t(y / scale) * w + x / scale] | 0xFF000000u;
  SelectObject(mem, old);
  DeleteObject(bitmap);
  DeleteDC(mem);
  ReleaseDC(window, screen);
  return kiv::WritePngRgba(path, out.data(), w * scale, h * scale);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: viewer_fade_frames OUT_DIR [SCALE]\n");
    return 2;
  }
  const fs::path out = fs::absolute(argv[1]);
  const int scale = argc > 2 ? std::max(1, std::atoi(argv[2])) : 4;
  fs::create_directories(out);
  kiv::RegisterClass(kiv::TForm1::StaticClass());
  const kiv::TViewerFolder folder("fade");
  folder.WritePicture(277, 60, [](int, int) { return 0x2A6FB0u; });
  kiv::SetAnimationTimer(std::make_unique<kiv::TkivManualTimer>());
  kiv::TForm1* form = nullptr;
  kiv::Application()->CreateForm(&form);
  form->Show();
  // The focus on the caption box, so that the button shows its plain face.
  form->KivRichEdit1->SetFocus();
  kiv::Application()->ProcessMessages();
  UpdateWindow(form->Handle());
  HWND button = form->KivEffectButton1->Handle();
  int saved = 0;
  auto save = [&](int frame) {
    const std::string path = (out / ("close_fade_" + std::to_string(frame) + ".png")).string();
    if (SaveWindow(button, path, scale)) {
      std::printf("%s\n", path.c_str());
      ++saved;
    }
  };
  save(0);
  form->KivEffectButton1->Perform(kiv::CM_MOUSEENTER);
  for (int i = 0; i < 10; ++i) kiv::AnimationTimer().ProcessMessages();
  save(1);
  for (int i = 0; i < 10; ++i) kiv::AnimationTimer().ProcessMessages();
  save(2);
  delete form;
  return saved == 3 ? 0 : 1;
}
