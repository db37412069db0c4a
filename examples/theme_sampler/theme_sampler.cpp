// Theme sampler: every element family of the current theme in each of its
// states on one labelled sheet, shown in a window or saved as PNG.
//
//   theme_sampler [--theme FILE] [--png OUT]
//   theme_sampler --save-theme OUT [--hue N] [--brightness N]
//
// Without --theme the built-in theme is current. --theme FILE reads a theme
// through the theme manager's loader, which asks every registered theme class
// whether it can read the file; the sampler registers one class of its own,
// which reads a theme kept as its sections (the form --save-theme writes: the
// built-in theme's defaults, shifted by --hue and --brightness). A file no
// class can read is an error (exit status 1).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "framework/exceptions.hpp"
#include "framework/picture/png_writer.hpp"
#include "framework/streams.hpp"
#include "graphics/kiv_utils.hpp"
#include "sheet.hpp"
#include "theme/theme_manager.hpp"
#include "themefiles/msstyles_theme.hpp"
#include "themefiles/theme_file.hpp"

using namespace kiv;

namespace {

// A theme kept as its sections: the signature, the name, then the colour,
// system-colour, font and options sections in their stream forms.
class TSectionTheme : public TkivTheme {
  KIV_CLASS(TSectionTheme, TkivTheme)
 public:
  static constexpr char kSignature[] = "KIVSAMPLERTHEME1";
  static constexpr int64_t kSignatureSize = sizeof(kSignature) - 1;

  static bool ClassCanLoadFromStream(TStream& stream) {
    char head[kSignatureSize];
    return stream.Read(head, kSignatureSize) == kSignatureSize &&
           std::memcmp(head, kSignature, kSignatureSize) == 0;
  }
  bool CanLoadFromStream(TStream& stream) override { return ClassCanLoadFromStream(stream); }
  TkivThemeConfig GetConfig() override {
    TkivThemeConfig config;
    config.CanSave = true;
    return config;
  }
  bool LoadFromStream(TStream& stream) override {
    if (!ClassCanLoadFromStream(stream)) return false;
    SetName(ReadString(stream));
    Colors()->LoadFromStream(stream);
    SysColors()->LoadFromStream(stream);
    Fonts()->LoadFromStream(stream);
    Options()->LoadFromStream(stream);
    return true;
  }
  bool SaveToStream(TStream& stream) override {
    stream.WriteBuffer(kSignature, kSignatureSize);
    WriteString(stream, Name());
    Colors()->SaveToStream(stream);
    SysColors()->SaveToStream(stream);
    Fonts()->SaveToStream(stream);
    Options()->SaveToStream(stream);
    return true;
  }
};

KIV_IMPLEMENT_CLASS(TSectionTheme, c) {}

std::unique_ptr<TkivBitmap> g_sheet;

LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(wnd, &ps);
      if (g_sheet) g_sheet->Draw(dc, 0, 0);
      EndPaint(wnd, &ps);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(wnd, msg, wp, lp);
  }
}

int ShowSheet(const std::string& title) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = L"KivThemeSampler";
  RegisterClassW(&wc);
  const DWORD style = WS_OVERLAPPEDWINDOW & ~(WS_THICKFRAME | WS_MAXIMIZEBOX);
  RECT r{0, 0, g_sheet->Width(), g_sheet->Height()};
  AdjustWindowRect(&r, style, FALSE);
  const std::wstring caption(title.begin(), title.end());
  HWND wnd = CreateWindowW(wc.lpszClassName, caption.c_str(), style | WS_VISIBLE, CW_USEDEFAULT,
                           CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                           wc.hInstance, nullptr);
  if (!wnd) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

int Fail(const std::string& text) {
  std::fprintf(stderr, "theme_sampler: %s\n", text.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string theme_file, png, save_theme;
  int hue = 0, brightness = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool has_value = i + 1 < argc;
    if (a == "--theme" && has_value) {
      theme_file = argv[++i];
    } else if (a == "--png" && has_value) {
      png = argv[++i];
    } else if (a == "--save-theme" && has_value) {
      save_theme = argv[++i];
    } else if (a == "--hue" && has_value) {
      hue = std::atoi(argv[++i]);
    } else if (a == "--brightness" && has_value) {
      brightness = std::atoi(argv[++i]);
    } else {
      std::fprintf(stderr,
                   "usage: theme_sampler [--theme FILE] [--png OUT]\n"
                   "       theme_sampler --save-theme OUT [--hue N] [--brightness N]\n");
      return 2;
    }
  }
  RegisterThemeClass<TSectionTheme>();
  RegisterMsStylesTheme();  // --theme also reads visual-styles (.msstyles) files

  try {
    if (!save_theme.empty()) {
      TSectionTheme theme;
      theme.SetHue(hue);
      theme.SetBrightness(brightness);
      theme.LoadDefaults();
      if (hue != 0 || brightness != 0)
        theme.SetName("Default theme, hue " + std::to_string(hue) + ", brightness " +
                      std::to_string(brightness));
      TFileStream out(save_theme, fmCreate);
      SaveThemeToStream(&theme, out);
      return 0;
    }

    if (theme_file.empty()) {
      SetCurrentTheme(std::make_unique<TkivTheme>());
    } else {
      std::unique_ptr<TkivTheme> theme = LoadThemeFile(theme_file);
      if (!theme) return Fail(theme_file + ": no registered theme class can read this file");
      SetCurrentTheme(std::move(theme));
    }
    g_sheet = sampler::DrawSheet(*CurrentTheme());
  } catch (const Exception& e) {
    return Fail((theme_file.empty() ? save_theme : theme_file) + ": " + e.Message());
  }

  if (!png.empty()) {
    if (!WritePngRgba(png, g_sheet->Bits(), g_sheet->Width(), g_sheet->Height()))
      return Fail(png + ": cannot write the file");
    std::printf("%s: %d x %d, %s\n", png.c_str(), g_sheet->Width(), g_sheet->Height(),
                CurrentTheme()->Name().c_str());
    return 0;
  }
  return ShowSheet("Theme sampler: " + CurrentTheme()->Name());
}
