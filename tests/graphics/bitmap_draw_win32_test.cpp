// Drawing surfaces onto device contexts: a window's DC (GDI route), a
// bottom-up 32-bit DIB (direct route) and a device-dependent bitmap (GDI
// route), each compared pixel by pixel with the same drawing onto a surface.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "framework/exceptions.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_winapi_win32.hpp"
#include "support/memory_dc_win32.hpp"

namespace kiv {
namespace {

constexpr TkivPixel Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return a << 24 | r << 16 | g << 8 | b;
}

using DibTarget = kivtest::TMemoryDC;

// Reads any DC's pixels through BitBlt into a top-down 32-bit DIB.
std::vector<TkivPixel> Capture(HDC source, int w, int h) {
  DibTarget grab(w, h, true);
  BitBlt(grab.dc, 0, 0, w, h, source, 0, 0, SRCCOPY);
  GdiFlush();
  return std::vector<TkivPixel>(grab.bits, grab.bits + w * h);
}

std::unique_ptr<TkivBitmap> Pattern(int w, int h, uint32_t seed) {
  auto b = std::make_unique<TkivBitmap>();
  b->SetSize(w, h);
  std::mt19937 rng(seed);
  for (int i = 0; i < w * h; ++i) b->Bits()[i] = static_cast<TkivPixel>(rng()) | 0xFF000000u;
  return b;
}

// A source with every kind of pixel: opaque, key, transparent, partial.
std::unique_ptr<TkivBitmap> Mixed(int w, int h) {
  auto b = Pattern(w, h, 5);
  for (int i = 0; i < w * h; ++i) {
    switch (i % 4) {
      case 1:
        b->Bits()[i] = KeyPixel;
        break;
      case 2:
        b->Bits()[i] &= 0x00FFFFFF;
        break;
      case 3:
        b->Bits()[i] = (b->Bits()[i] & 0x00FFFFFF) | 0x80000000u;
        break;
    }
  }
  return b;
}

TEST(DrawRoutes, ASurfaceDCIsFoundInTheRegistry) {
  TkivBitmap b;
  b.SetSize(3, 3);
  EXPECT_EQ(ClassifyDrawTarget(b.DC()).kind, TkivDrawTarget::kSurface);
  DibTarget dib(4, 4);
  EXPECT_EQ(ClassifyDrawTarget(dib.dc).kind, TkivDrawTarget::kDirectDib);
  // Only bottom-up DIBs are written directly; a top-down one goes through GDI
  // and is drawn the right way up.
  DibTarget top_down(4, 4, true);
  top_down.Fill(0x11223344);
  EXPECT_EQ(ClassifyDrawTarget(top_down.dc).kind, TkivDrawTarget::kGdi);
  for (int i = 0; i < 16; ++i) ASSERT_EQ(top_down.bits[i], 0x11223344u);  // probe undone
  auto two = Pattern(2, 2, 3);
  two->Draw(top_down.dc, 0, 0);
  GdiFlush();
  EXPECT_EQ(top_down.bits[0] & 0xFFFFFF, two->GetPixel(0, 0) & 0xFFFFFF);
  EXPECT_EQ(top_down.bits[4] & 0xFFFFFF, two->GetPixel(0, 1) & 0xFFFFFF);
  // Surface memory is a top-down DIB section in its own memory DC.
  DIBSECTION ds{};
  ASSERT_EQ(GetObjectW(static_cast<HBITMAP>(b.Handle()), sizeof(ds), &ds), (int)sizeof(ds));
  EXPECT_EQ(ds.dsBm.bmBits, b.Bits());
  EXPECT_EQ(ds.dsBm.bmHeight, 3);
  EXPECT_EQ(ds.dsBm.bmBitsPixel, 32);
  EXPECT_EQ(GetCurrentObject(static_cast<HDC>(b.DC()), OBJ_BITMAP), b.Handle());
}

// The direct route: same pixels as onto a surface for unscaled drawing, rounded
// maps for stretching, window origin honoured.
TEST(DrawRoutes, DirectDibGetsTheSurfacePixels) {
  for (bool alpha : {false, true})
    for (bool key : {false, true}) {
      SCOPED_TRACE(testing::Message() << "alpha " << alpha << " key " << key);
      auto src = Mixed(10, 10);
      src->SetAlphaBlend(alpha);
      src->SetTransparent(key);
      TkivBitmap want;
      want.SetSize(20, 20);
      want.Fill(Argb(255, 10, 20, 30));
      src->DrawTo(want, -3, 0);
      src->DrawTo(want, 12, 11, TRect{2, 2, 9, 8});
      DibTarget dib(20, 20);
      dib.Fill(Argb(255, 10, 20, 30));
      src->Draw(dib.dc, -3, 0);
      src->Draw(dib.dc, 12, 11, TRect{2, 2, 9, 8});
      for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(dib.At(x, y), want.GetPixel(x, y)) << x << "," << y;
    }
  auto two = Pattern(2, 1, 1);
  DibTarget dib(4, 1);
  two->Draw(dib.dc, TRect{0, 0, 4, 1}, two->BoundsRect());
  EXPECT_EQ(dib.At(0, 0), two->GetPixel(0, 0));
  EXPECT_EQ(dib.At(1, 0), two->GetPixel(0, 0));
  EXPECT_EQ(dib.At(2, 0), two->GetPixel(1, 0));  // 0.667 rounds to 1
  EXPECT_EQ(dib.At(3, 0), two->GetPixel(1, 0));
  // The DC's window origin moves the destination.
  DibTarget shifted(6, 6);
  SetWindowOrgEx(shifted.dc, 2, 1, nullptr);
  two->Draw(shifted.dc, 2, 1);
  EXPECT_EQ(shifted.At(0, 0), two->GetPixel(0, 0));
  EXPECT_EQ(shifted.At(1, 0), two->GetPixel(1, 0));
  TkivBitmap surface;
  surface.SetSize(6, 6);
  SetWindowOrgEx(static_cast<HDC>(surface.DC()), 2, 1, nullptr);
  two->Draw(surface.DC(), 3, 2);
  EXPECT_EQ(surface.GetPixel(1, 1), two->GetPixel(0, 0));
}

TEST(DrawRoutes, TileOntoADibMatchesTileOntoASurface) {
  auto src = Pattern(3, 3, 2);
  TkivBitmap want;
  want.SetSize(9, 6);
  src->Tile(want.DC(), TRect{1, 1, 8, 5}, src->BoundsRect());
  DibTarget dib(9, 6);
  src->Tile(dib.dc, TRect{1, 1, 8, 5}, src->BoundsRect());
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 9; ++x) ASSERT_EQ(dib.At(x, y), want.GetPixel(x, y)) << x << "," << y;
}

// A device-dependent bitmap: GDI route (StretchBlt, TransparentBlt or the
// composing fallback). Its pixels carry no alpha, so colours are compared.
TEST(DrawRoutes, DeviceDependentBitmapGetsTheSurfaceColours) {
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP ddb = CreateCompatibleBitmap(screen, 20, 20);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(mem, ddb);
  ASSERT_EQ(ClassifyDrawTarget(mem).kind, TkivDrawTarget::kGdi);
  for (bool use_transparent_blt : {true, false})
    for (int kind = 0; kind < 3; ++kind) {
      SCOPED_TRACE(testing::Message()
                   << "TransparentBlt " << use_transparent_blt << " kind " << kind);
      AllowTransparentBlt(use_transparent_blt);
      auto src = Mixed(10, 10);
      src->SetTransparent(kind == 1);
      src->SetAlphaBlend(kind == 2);
      TkivBitmap background;
      background.SetSize(20, 20);
      for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) background.SetPixel(x, y, Argb(255, x * 12, y * 12, 99));
      background.Draw(mem, 0, 0);  // opaque: StretchBlt
      TkivBitmap want;
      want.Assign(&background);
      src->DrawTo(want, -3, 4);
      src->Draw(mem, -3, 4);
      const std::vector<TkivPixel> got = Capture(mem, 20, 20);
      for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
          ASSERT_EQ(got[y * 20 + x] & 0xFFFFFF, want.GetPixel(x, y) & 0xFFFFFF) << x << "," << y;
    }
  AllowTransparentBlt(true);
  SelectObject(mem, old);
  DeleteObject(ddb);
  DeleteDC(mem);
}

// A window's DC: an AlphaBlend surface keeps the background under its
// transparent pixels; a keyed one leaves its key pixels out.
LRESULT CALLBACK PlainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_ERASEBKGND) return 1;
  if (m == WM_PAINT) {
    PAINTSTRUCT ps;
    BeginPaint(w, &ps);
    EndPaint(w, &ps);
    return 0;
  }
  return DefWindowProcW(w, m, wp, lp);
}

TEST(DrawRoutes, WindowDCGetsTheSurfaceColours) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = PlainProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"KivDrawRouteTest";
  RegisterClassW(&wc);
  HWND wnd = CreateWindowExW(WS_EX_TOOLWINDOW, L"KivDrawRouteTest", L"", WS_POPUP, 0, 0, 20, 20,
                             nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(wnd, nullptr);
  ShowWindow(wnd, SW_SHOWNOACTIVATE);
  UpdateWindow(wnd);
  HDC dc = GetDC(wnd);
  EXPECT_EQ(ClassifyDrawTarget(dc).kind, TkivDrawTarget::kGdi);
  for (int kind = 0; kind < 3; ++kind) {
    SCOPED_TRACE(kind);
    TkivBitmap background;
    background.SetSize(20, 20);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) background.SetPixel(x, y, Argb(255, 200 - x * 5, y * 12, 40));
    background.Draw(dc, 0, 0);
    auto src = Mixed(10, 10);
    src->SetTransparent(kind == 1);
    src->SetAlphaBlend(kind == 2);
    TkivBitmap want;
    want.Assign(&background);
    src->DrawTo(want, 5, 6);
    src->Draw(dc, 5, 6);
    const std::vector<TkivPixel> got = Capture(dc, 20, 20);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x)
        ASSERT_EQ(got[y * 20 + x] & 0xFFFFFF, want.GetPixel(x, y) & 0xFFFFFF) << x << "," << y;
    if (kind == 2) {  // a transparent source pixel left the background
      EXPECT_EQ(got[6 * 20 + 7] & 0xFFFFFF, background.GetPixel(7, 6) & 0xFFFFFF);
    }
  }
  ReleaseDC(wnd, dc);
  DestroyWindow(wnd);
}

TEST(DrawRoutes, SizingFailsWithTheGeneralExceptionAndLeavesTheSurfaceEmpty) {
  TkivBitmap b;
  b.SetSize(2, 2);
  EXPECT_THROW(b.SetSize(40000, 40000), Exception);
  EXPECT_TRUE(b.IsEmpty());
  EXPECT_EQ(b.DC(), nullptr);
  EXPECT_EQ(b.Handle(), nullptr);
}

}  // namespace
}  // namespace kiv

namespace kiv {
namespace {

// The system's user32.dll holds the classic window bitmaps (OBM_CLOSE is 32754).
TEST(ModuleResource, LoadsABitmapResourceOpaqueAndIgnoresMissingOnes) {
  TkivBitmap b;
  b.SetName("keep");
  b.LoadFromModuleResource("user32.dll", "#32754");
  ASSERT_FALSE(b.IsEmpty());
  HBITMAP reference = LoadBitmapW(nullptr, MAKEINTRESOURCEW(32754));
  ASSERT_NE(reference, nullptr);
  BITMAP bm{};
  GetObjectW(reference, sizeof(bm), &bm);
  EXPECT_EQ(b.Width(), bm.bmWidth);
  EXPECT_EQ(b.Height(), bm.bmHeight);
  DeleteObject(reference);
  for (int i = 0; i < b.Width() * b.Height(); ++i) ASSERT_EQ(b.Bits()[i] >> 24, 255u);
  EXPECT_EQ(b.Name(), "keep");
  const TkivPixel first = b.GetPixel(0, 0);
  b.LoadFromModuleResource("user32.dll", "NO_SUCH_BITMAP");
  b.LoadFromModuleResource("no_such_module_here.dll", "#32754");
  EXPECT_EQ(b.GetPixel(0, 0), first);
  EXPECT_EQ(b.Width(), bm.bmWidth);
}

}  // namespace
}  // namespace kiv
