// Controls gallery: one window with every themed control of the library in
// each of its states, page by page (see gallery_page.hpp for adding a page).
//
//   controls_gallery [--png OUT] [--theme FILE]
//
// --png OUT paints the window, child windows included, into a bitmap and
// writes it as a PNG without showing anything (no display needed); the look
// is the platform's (visual styles when active, else classic). --theme FILE
// reads a theme through the theme manager's loader and makes it current.
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "controls/kiv_control_win32.hpp"
#include "controls/kiv_controls_unit_win32.hpp"
#include "framework/picture/png_writer.hpp"
#include "framework/streams.hpp"
#include "framework/text_convert.hpp"
#include "framework/win32/application.hpp"
#include "framework/win32/forms.hpp"
#include "gallery_page.hpp"
#include "graphics/kiv_utils_gdi_win32.hpp"
#include "theme/theme_manager.hpp"
#include "themefiles/msstyles_theme.hpp"
#include "themefiles/theme_file.hpp"

namespace kiv::gallery {

std::vector<TPage>& Pages() {
  static std::vector<TPage> pages;
  return pages;
}

void ShowHot(TControl* control) {
  control->Perform(CM_MOUSEENTER);
}

void ShowFocused(TWinControl* control) {
  control->Perform(CM_ENTER);
}

void ShowPressed(TWinControl* control) {
  control->Perform(WM_KEYDOWN, VK_SPACE, 0);
}

namespace {

constexpr int kTitleHeight = 22;
constexpr int kWidth = 600;

// A page's section: a title band over the body that holds the page's
// controls.
class TSection : public TKivControl {
 public:
  TSection(TComponent* owner, std::wstring title) : TKivControl(owner), title_(std::move(title)) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
    body_ = new TKivControl(owner);
    body_->SetControlStyle(body_->ControlStyle() | csAcceptsControls);
    body_->SetParent(this);
  }
  TKivControl* Body() const { return body_; }
  void SetBodyHeight(int height) {
    SetHeight(kTitleHeight + height);
    body_->SetBounds(0, kTitleHeight, Width(), height);
  }

 protected:
  void PaintClient() override {
    TCanvas* c = Canvas();
    FillRectColor(c, TRect{0, 0, PaintWidth(), kTitleHeight}, clBtnShadow);
    c->Font()->Assign(PaintFont());
    TFontStyles bold{fsBold};
    c->Font()->SetStyle(bold);
    c->Font()->SetColor(clBtnHighlight);
    TRect r{8, 0, PaintWidth() - 8, kTitleHeight};
    DrawTextWide(c, title_, r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }

 private:
  std::wstring title_;
  TKivControl* body_;
};

class TRowLabel : public TGraphicControl {
 public:
  TRowLabel(TComponent* owner, std::wstring text)
      : TGraphicControl(owner), text_(std::move(text)) {}

 protected:
  void Paint() override {
    TRect r{0, 0, Width(), Height()};
    Canvas()->Font()->Assign(Parent()->Font());
    Canvas()->Font()->SetColor(clGrayText);
    DrawTextWide(Canvas(), text_, r, DT_SINGLELINE | DT_NOPREFIX);
  }

 private:
  std::wstring text_;
};

// Paints control (a window) and its child windows into dc, each at its
// place: the program's own paint path with a device context, as a print
// request would ask, so that nothing needs a display.
void PaintTree(TWinControl* control, HDC dc) {
  control->Perform(WM_ERASEBKGND, reinterpret_cast<uintptr_t>(dc), 0);
  control->Perform(WM_PAINT, reinterpret_cast<uintptr_t>(dc), 0);
  for (int i = 0; i < control->ControlCount(); ++i) {
    auto* child = dynamic_cast<TWinControl*>(control->Controls(i));
    if (!child || !child->Visible()) continue;
    const int saved = SaveDC(dc);
    POINT origin;
    GetWindowOrgEx(dc, &origin);
    SetWindowOrgEx(dc, origin.x - child->Left(), origin.y - child->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, child->Width(), child->Height());
    PaintTree(child, dc);
    RestoreDC(dc, saved);
  }
}

bool SavePng(TForm& form, const std::string& path) {
  const int w = form.ClientWidth(), h = form.ClientHeight();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) {
    DeleteDC(dc);
    return false;
  }
  HGDIOBJ old = SelectObject(dc, bitmap);
  PaintTree(&form, dc);
  GdiFlush();
  std::vector<TkivPixel> pixels(static_cast<const TkivPixel*>(bits),
                                static_cast<const TkivPixel*>(bits) + size_t(w) * h);
  for (TkivPixel& p : pixels) p |= 0xFF000000u;
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return WritePngRgba(path, pixels.data(), w, h);
}

int Run(int argc, wchar_t** argv) {
  std::string png, theme_file;
  for (int i = 1; i < argc; ++i) {
    const std::wstring a = argv[i];
    if (a == L"--png" && i + 1 < argc) {
      png = ToNarrow(argv[++i]);
    } else if (a == L"--theme" && i + 1 < argc) {
      theme_file = ToNarrow(argv[++i]);
    } else {
      std::fprintf(stderr, "usage: controls_gallery [--png OUT] [--theme FILE]\n");
      return 2;
    }
  }
  RegisterKivControls();
  RegisterMsStylesTheme();  // --theme also reads visual-styles (.msstyles) files
  if (!theme_file.empty()) {
    try {
      std::unique_ptr<TkivTheme> theme = LoadThemeFile(theme_file);
      if (!theme) {
        std::fprintf(stderr, "controls_gallery: no theme class reads %s\n", theme_file.c_str());
        return 1;
      }
      SetCurrentTheme(std::move(theme));
    } catch (const std::exception& e) {
      std::fprintf(stderr, "controls_gallery: %s: %s\n", theme_file.c_str(), e.what());
      return 1;
    }
  }

  TForm form(nullptr);
  form.SetBorderStyle(bsSingle);
  form.SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize});
  form.SetCaption(L"KivView themed controls");
  form.SetColor(clBtnFace);
  std::vector<TPage> pages = Pages();
  std::stable_sort(pages.begin(), pages.end(),
                   [](const TPage& a, const TPage& b) { return a.Order < b.Order; });
  int top = 8;
  for (const TPage& page : pages) {
    auto* section = new TSection(&form, page.Title);
    section->SetBounds(8, top, kWidth - 16, 100);
    section->SetParent(&form);
    section->Body()->SetBounds(0, kTitleHeight, kWidth - 16, 100);
    section->SetBodyHeight(page.Build(section->Body()));
    top += section->Height() + 8;
  }
  form.SetClientWidth(kWidth);
  form.SetClientHeight(top);
  form.HandleNeeded();
  if (!png.empty()) {
    if (!SavePng(form, png)) {
      std::fprintf(stderr, "controls_gallery: cannot write %s\n", png.c_str());
      return 1;
    }
    return 0;
  }
  form.Show();
  while (form.Visible() && !Application()->Terminated()) Application()->HandleMessage();
  return 0;
}

}  // namespace

void AddRowLabel(TWinControl* section, int left, int top, const std::wstring& text) {
  auto* label = new TRowLabel(section->Owner(), text);
  label->SetBounds(left, top, 70, 16);
  label->SetParent(section);
}

}  // namespace kiv::gallery

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const int code = kiv::gallery::Run(argc, argv);
  LocalFree(argv);
  return code;
}
