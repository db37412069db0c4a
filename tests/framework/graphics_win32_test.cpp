// Canvas drawing checked pixel by pixel on small bitmaps; bitmaps read from
// real BMP files and written back; the picture's registry of file formats;
// the image control; image lists, actions and the clipboard.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "framework/exceptions.hpp"
#include "framework/win32/actions.hpp"
#include "framework/win32/forms.hpp"
#include "framework/win32/graphics.hpp"
#include "framework/win32/stdctrls.hpp"
#include "support/test_form_win32.hpp"
#include "support/testdata.hpp"

namespace kiv {
namespace {

// A 10 x 10 32-bit bitmap cleared to white.
std::unique_ptr<TBitmap> Surface(int w = 10, int h = 10) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf32bit);
  b->SetSize(w, h);
  b->Canvas()->Brush()->SetColor(clWhite);
  b->Canvas()->FillRect(Rect(0, 0, w, h));
  return b;
}

uint32_t Px(TBitmap* b, int x, int y) {
  GdiFlush();
  return static_cast<uint32_t*>(b->ScanLine(y))[x] & 0xFFFFFF;
}

// Rows of the bitmap as text: '#' for the colour given, '.' otherwise.
std::vector<std::string> Mask(TBitmap* b, uint32_t rgb) {
  std::vector<std::string> rows;
  for (int y = 0; y < b->Height(); ++y) {
    std::string row;
    for (int x = 0; x < b->Width(); ++x) row += Px(b, x, y) == rgb ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

TEST(Canvas, FillRectAndFrameRectExcludeRightAndBottom) {
  auto b = Surface(6, 5);
  TCanvas* c = b->Canvas();
  c->Brush()->SetColor(clRed);
  c->FillRect(Rect(1, 1, 4, 3));
  EXPECT_EQ(Mask(b.get(), kRed),
            (std::vector<std::string>{"......", ".###..", ".###..", "......", "......"}));
  c->Brush()->SetColor(clBlue);
  c->FrameRect(Rect(0, 0, 6, 5));
  EXPECT_EQ(Mask(b.get(), kBlue),
            (std::vector<std::string>{"######", "#....#", "#....#", "#....#", "######"}));
}

TEST(Canvas, PenDrawsLinesPolylinesAndOutlines) {
  auto b = Surface(6, 6);
  TCanvas* c = b->Canvas();
  c->Pen()->SetColor(clRed);
  c->MoveTo(0, 0);
  c->LineTo(5, 0);  // the end point is not drawn
  EXPECT_EQ(c->PenPos(), Point(5, 0));
  c->Polyline({{0, 2}, {0, 5}, {3, 5}});
  EXPECT_EQ(Mask(b.get(), kRed),
            (std::vector<std::string>{"#####.", "......", "#.....", "#.....", "#.....", "###..."}));
  // Rectangle: outline with the pen, inside with the brush.
  auto r = Surface(5, 5);
  r->Canvas()->Pen()->SetColor(clBlue);
  r->Canvas()->Brush()->SetColor(clRed);
  r->Canvas()->Rectangle(Rect(0, 0, 5, 4));
  EXPECT_EQ(Mask(r.get(), kBlue),
            (std::vector<std::string>{"#####", "#...#", "#...#", "#####", "....."}));
  EXPECT_EQ(Mask(r.get(), kRed),
            (std::vector<std::string>{".....", ".###.", ".###.", ".....", "....."}));
  // A clear pen draws no outline: the fill alone, one pixel short on the
  // right and bottom, as the platform fills without an outline.
  auto n = Surface(4, 4);
  n->Canvas()->Pen()->SetStyle(psClear);
  n->Canvas()->Brush()->SetColor(clRed);
  n->Canvas()->Rectangle(Rect(0, 0, 4, 4));
  EXPECT_EQ(Mask(n.get(), kRed), (std::vector<std::string>{"###.", "###.", "###.", "...."}));
}

TEST(Canvas, PolygonFillsAndRoundRectCutsCorners) {
  auto b = Surface(7, 7);
  TCanvas* c = b->Canvas();
  c->Pen()->SetColor(clRed);
  c->Brush()->SetColor(clRed);
  c->Polygon({{0, 0}, {6, 0}, {0, 6}});
  EXPECT_EQ(Px(b.get(), 1, 1), kRed);
  EXPECT_EQ(Px(b.get(), 5, 5), kWhite);
  auto rr = Surface(10, 10);
  rr->Canvas()->Pen()->SetColor(clBlue);
  rr->Canvas()->Brush()->SetColor(clBlue);
  rr->Canvas()->RoundRect(Rect(0, 0, 10, 10), 6, 6);
  EXPECT_EQ(Px(rr.get(), 0, 0), kWhite);
  EXPECT_EQ(Px(rr.get(), 5, 0), kBlue);
  EXPECT_EQ(Px(rr.get(), 5, 5), kBlue);
}

TEST(Canvas, TextOutUsesTheFontAndTextExtentMeasuresIt) {
  auto b = Surface(60, 20);
  TCanvas* c = b->Canvas();
  c->Font()->SetColor(clRed);
  c->Font()->SetHeight(-11);
  c->Brush()->SetStyle(bsClear);
  TSize s = c->TextExtent(L"Hello");
  EXPECT_GT(s.cx, 10);
  EXPECT_GE(s.cy, 11);
  c->TextOut(2, 2, L"Hello");
  int red = 0;
  for (const std::string& row : Mask(b.get(), kRed)) red += std::count(row.begin(), row.end(), '#');
  EXPECT_GT(red, 10);
  // Nothing lands outside the measured box.
  for (int y = 0; y < 20; ++y)
    for (int x = 2 + s.cx + 1; x < 60; ++x) EXPECT_NE(Px(b.get(), x, y), kRed);
  // A bigger font measures bigger; a changed font is selected anew.
  c->Font()->SetHeight(-22);
  EXPECT_GT(c->TextExtent(L"Hello").cx, s.cx);
}

TEST(Canvas, DrawStretchDrawAndCopyRect) {
  auto src = Surface(2, 2);
  src->Canvas()->SetPixel(0, 0, clRed);
  src->Canvas()->SetPixel(1, 1, clBlue);
  auto dst = Surface(6, 6);
  dst->Canvas()->Draw(1, 1, src.get());
  EXPECT_EQ(Px(dst.get(), 1, 1), kRed);
  EXPECT_EQ(Px(dst.get(), 2, 2), kBlue);
  EXPECT_EQ(Px(dst.get(), 0, 0), kWhite);
  auto big = Surface(4, 4);
  big->Canvas()->StretchDraw(Rect(0, 0, 4, 4), src.get());
  EXPECT_EQ(Mask(big.get(), kRed), (std::vector<std::string>{"##..", "##..", "....", "...."}));
  EXPECT_EQ(Mask(big.get(), kBlue), (std::vector<std::string>{"....", "....", "..##", "..##"}));
  auto copy = Surface(3, 3);
  copy->Canvas()->CopyRect(Rect(0, 0, 1, 1), dst->Canvas(), Rect(2, 2, 3, 3));
  EXPECT_EQ(Px(copy.get(), 0, 0), kBlue);
  // A transparent bitmap leaves its key colour (bottom-left pixel) out.
  auto keyed = Surface(2, 2);
  keyed->Canvas()->SetPixel(1, 0, clRed);
  keyed->SetTransparent(true);
  auto under = Surface(2, 2);
  under->Canvas()->Brush()->SetColor(clBlue);
  under->Canvas()->FillRect(Rect(0, 0, 2, 2));
  under->Canvas()->Draw(0, 0, keyed.get());
  EXPECT_EQ(Mask(under.get(), kRed), (std::vector<std::string>{".#", ".."}));
  EXPECT_EQ(Mask(under.get(), kBlue), (std::vector<std::string>{"#.", "##"}));
}

TEST(Canvas, ChangingPenAndBrushWhileSelectedIsSafe) {
  auto b = Surface(4, 1);
  TCanvas* c = b->Canvas();
  for (int i = 0; i < 4; ++i) {
    c->Brush()->SetColor(i % 2 ? clRed : clBlue);
    c->FillRect(Rect(i, 0, i + 1, 1));
    c->Pen()->SetWidth(1 + i % 2);  // the selected pen is replaced each time
    c->MoveTo(0, 0);
  }
  EXPECT_EQ(Mask(b.get(), kRed), (std::vector<std::string>{".#.#"}));
  EXPECT_EQ(Mask(b.get(), kBlue), (std::vector<std::string>{"#.#."}));
}

// --- bitmaps

TEST(Bitmap, FormatsHandleTypesAndScanLines) {
  TBitmap b;
  EXPECT_TRUE(b.Empty());
  b.SetPixelFormat(pf32bit);
  b.SetSize(3, 2);
  EXPECT_EQ(b.HandleType(), bmDIB);
  EXPECT_EQ(b.BytesPerScanLine(), 12);
  static_cast<uint32_t*>(b.ScanLine(1))[2] = 0x00123456;
  EXPECT_EQ(b.Canvas()->Pixel(2, 1), 0x563412);  // COLORREF order
  EXPECT_THROW(b.ScanLine(2), EInvalidGraphic);
  b.SetPixelFormat(pf24bit);            // the picture survives a format change
  EXPECT_EQ(b.BytesPerScanLine(), 12);  // 9 bytes padded to 4
  EXPECT_EQ(b.Canvas()->Pixel(2, 1), 0x563412);
  b.SetSize(5, 4);  // and a resize keeps the old corner
  EXPECT_EQ(b.Canvas()->Pixel(2, 1), 0x563412);
  EXPECT_EQ(b.Width(), 5);
  TBitmap ddb;
  ddb.SetHandleType(bmDDB);
  ddb.SetSize(4, 4);
  EXPECT_FALSE(ddb.Empty());
  ddb.Canvas()->SetPixel(1, 1, clRed);
  EXPECT_EQ(ddb.Canvas()->Pixel(1, 1), clRed);
}

std::unique_ptr<TBitmap> LoadBmp(const std::string& name) {
  auto b = std::make_unique<TBitmap>();
  b->LoadFromFile(kivtest::TestData("bmpsuite/" + name));
  return b;
}

// Every pixel as 0xRRGGBB, whatever the stored format.
std::vector<uint32_t> Pixels(TBitmap* b) {
  TBitmap copy;
  copy.SetPixelFormat(pf32bit);
  copy.SetSize(b->Width(), b->Height());
  copy.Canvas()->Draw(0, 0, b);
  std::vector<uint32_t> out;
  for (int y = 0; y < b->Height(); ++y)
    for (int x = 0; x < b->Width(); ++x) out.push_back(Px(&copy, x, y));
  return out;
}

TEST(Bitmap, EveryEncodingOfTheSamePictureDecodesToTheSamePixels) {
  struct Group {
    const char* reference;
    std::vector<const char*> same;
  };
  const Group groups[] = {
      {"g/pal8.bmp",
       {"g/pal8-0.bmp", "g/pal8os2.bmp", "g/pal8rle.bmp", "g/pal8topdown.bmp", "g/pal8v4.bmp",
        "g/pal8v5.bmp"}},
      {"g/pal4.bmp", {"g/pal4rle.bmp"}},
      {"g/pal1.bmp", {"g/pal1wb.bmp"}},
      {"g/rgb24.bmp", {"g/rgb32.bmp", "g/rgb32bf.bmp", "g/rgb24pal.bmp", "g/rgb32bfdef.bmp"}},
      {"g/rgb16.bmp", {"g/rgb16bfdef.bmp"}},
  };
  for (const Group& g : groups) {
    auto ref = LoadBmp(g.reference);
    ASSERT_EQ(ref->Width(), 127) << g.reference;
    ASSERT_EQ(ref->Height(), 64) << g.reference;
    std::vector<uint32_t> want = Pixels(ref.get());
    for (const char* name : g.same) {
      auto b = LoadBmp(name);
      ASSERT_EQ(b->Width() * 1000 + b->Height(), 127 * 1000 + 64) << name;
      EXPECT_TRUE(Pixels(b.get()) == want) << name << " differs from " << g.reference;
    }
  }
  // Top row of pal8.bmp starts with the picture's dark blue-ish border colours,
  // not black: the palette was applied.
  auto pal8 = LoadBmp("g/pal8.bmp");
  std::vector<uint32_t> px = Pixels(pal8.get());
  EXPECT_NE(std::count(px.begin(), px.end(), 0u), static_cast<long>(px.size()));
  EXPECT_EQ(pal8->PixelFormat(), pf8bit);
}

TEST(Bitmap, BrokenFilesAreRefusedWithAClearError) {
  // The clearly malformed files must be refused; none may crash or hang.
  for (const char* name : {"b/badbitcount.bmp", "b/badbitssize.bmp", "b/badheadersize.bmp",
                           "b/badplanes.bmp", "b/badwidth.bmp", "b/reallybig.bmp",
                           "b/rletopdown.bmp", "b/shortfile.bmp", "b/badpalettesize.bmp"}) {
    TBitmap b;
    try {
      b.LoadFromFile(kivtest::TestData(std::string("bmpsuite/") + name));
      ADD_FAILURE() << name << " was accepted";
    } catch (const EInvalidGraphic& e) {
      EXPECT_STREQ(e.what(), "Bitmap image is not valid") << name;
    }
  }
  for (const auto& entry : std::filesystem::directory_iterator(kivtest::TestData("bmpsuite/b"))) {
    TBitmap b;
    try {
      b.LoadFromFile(entry.path().string());
      EXPECT_GT(b.Width(), 0);
    } catch (const EInvalidGraphic&) {
    }
  }
  for (const auto& entry : std::filesystem::directory_iterator(kivtest::TestData("bmpsuite/q"))) {
    TBitmap b;
    try {
      b.LoadFromFile(entry.path().string());
    } catch (const EInvalidGraphic&) {
    }
  }
  const uint8_t tiny[] = {'B', 'M', 0, 0};
  TBitmap b;
  EXPECT_THROW(b.LoadFromBytes(tiny, sizeof tiny), EInvalidGraphic);
}

TEST(Bitmap, StreamsCarryTheFileFromTheirPosition) {
  auto b = LoadBmp("g/rgb24.bmp");
  TMemoryStream s;
  s.WriteBuffer("head", 4);
  b->SaveToStream(s);
  s.SetPosition(4);
  TBitmap back;
  back.LoadFromStream(s);
  EXPECT_EQ(back.Width(), 127);
  EXPECT_TRUE(Pixels(&back) == Pixels(b.get()));
  s.SetPosition(s.Size() - 10);  // what is left is no bitmap
  EXPECT_THROW(back.LoadFromStream(s), EInvalidGraphic);
}

TEST(Bitmap, SavedBitmapsReadBackIdentically) {
  for (const char* name :
       {"g/pal8.bmp", "g/rgb24.bmp", "g/pal1.bmp", "g/rgb32.bmp", "g/pal4.bmp"}) {
    auto b = LoadBmp(name);
    std::vector<uint8_t> data = b->SaveToBytes();
    ASSERT_GT(data.size(), 54u);
    EXPECT_EQ(data[0], 'B');
    TBitmap back;
    back.LoadFromBytes(data.data(), data.size());
    EXPECT_EQ(back.PixelFormat(), b->PixelFormat()) << name;
    EXPECT_TRUE(Pixels(&back) == Pixels(b.get())) << name;
  }
}

// --- pictures

class TDummyGraphic : public TGraphic {
 public:
  bool Empty() const override { return size_ == 0; }
  int Width() const override { return size_; }
  int Height() const override { return size_; }
  void Draw(TCanvas* canvas, const TRect& r) override {
    canvas->Brush()->SetColor(clRed);
    canvas->FillRect(r);
  }
  void LoadFromBytes(const uint8_t* data, size_t size) override {
    size_ = static_cast<int>(size);
    Changed();
  }
  std::unique_ptr<TGraphic> NewEmpty() const override { return std::make_unique<TDummyGraphic>(); }
  void NextFrame() { Changed(); }  // as an animated picture does
  int size_ = 0;
};

TEST(Picture, LoadFromFileChoosesTheGraphicByExtension) {
  TPicture p;
  int changes = 0;
  p.OnChange = [&](TPicture*) { ++changes; };
  p.LoadFromFile(kivtest::TestData("bmpsuite/g/pal8.bmp"));
  ASSERT_NE(dynamic_cast<TBitmap*>(p.Graphic()), nullptr);
  EXPECT_EQ(p.Width(), 127);
  EXPECT_GE(changes, 1);
  // Other decoders register their extensions; the case of the name does not matter.
  TPicture::RegisterFileFormat("DUM", "Dummy pictures",
                               [] { return std::make_unique<TDummyGraphic>(); });
  std::string file = kivtest::WriteTempFile("kiv_picture.Dum", "12345");
  p.LoadFromFile(file);
  ASSERT_NE(dynamic_cast<TDummyGraphic*>(p.Graphic()), nullptr);
  EXPECT_EQ(p.Width(), 5);
  TPicture::UnregisterFileFormat("dum");
  try {
    p.LoadFromFile(file);
    ADD_FAILURE() << "unregistered extension accepted";
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "Unknown picture file extension (.dum)");
  }
  EXPECT_THROW(p.LoadFromFile(kivtest::TestData("bmpsuite/no_such_file.bmp")), EFOpenError);
  std::filesystem::remove(file);
}

TEST(Image, AutoSizeCentreAndRepaintWhenThePictureChanges) {
  TForm form(nullptr);
  kivtest::MakeBareForm(form, 50, 50, 200, 120);
  auto* image = new TImage(&form);
  image->SetParent(&form);
  image->SetBounds(16, 72, 135, 179);
  image->SetAutoSize(true);
  image->Picture()->LoadFromFile(kivtest::TestData("bmpsuite/g/rgb24.bmp"));
  EXPECT_EQ(image->BoundsRect(), Bounds(16, 72, 127, 64));
  image->SetBounds(0, 0, 127, 64);
  form.Show();
  Application()->ProcessMessages();
  // What the window shows is the picture.
  HDC dc = GetDC(form.Handle());
  TBitmap* bmp = static_cast<TBitmap*>(image->Picture()->Graphic());
  EXPECT_EQ(GetPixel(dc, 10, 10), bmp->Canvas()->Pixel(10, 10));
  EXPECT_EQ(GetPixel(dc, 100, 50), bmp->Canvas()->Pixel(100, 50));
  // An animated graphic asks for a repaint by reporting a change.
  auto dummy = std::make_unique<TDummyGraphic>();
  dummy->size_ = 20;
  TDummyGraphic* frames = dummy.get();
  image->SetAutoSize(false);
  image->SetCenter(true);
  image->Picture()->SetGraphic(std::move(dummy));
  EXPECT_EQ(image->DestRect(), Bounds((127 - 20) / 2, (64 - 20) / 2, 20, 20));
  Application()->ProcessMessages();
  EXPECT_EQ(GetPixel(dc, 63, 31), RGB(255, 0, 0));
  ValidateRect(form.Handle(), nullptr);
  frames->NextFrame();
  RECT update{};
  EXPECT_TRUE(GetUpdateRect(form.Handle(), &update, FALSE));
  EXPECT_EQ(update.right - update.left, 127);
  ReleaseDC(form.Handle(), dc);
}

TEST(Image, ProportionalShrinksButNeverEnlarges) {
  TImage image(nullptr);
  auto g = std::make_unique<TDummyGraphic>();
  g->size_ = 40;
  image.Picture()->SetGraphic(std::move(g));
  image.SetProportional(true);
  image.SetBounds(0, 0, 100, 20);
  EXPECT_EQ(image.DestRect(), Rect(0, 0, 20, 20));
  image.SetBounds(0, 0, 100, 100);
  EXPECT_EQ(image.DestRect(), Rect(0, 0, 40, 40));
  image.SetStretch(true);
  EXPECT_EQ(image.DestRect(), Rect(0, 0, 100, 100));
}

// --- image lists, actions, clipboard

TEST(ImageList, HoldsImagesOfItsSizeAndDrawsThemMasked) {
  TImageList list(nullptr);
  list.SetSize(4, 4);
  auto strip = Surface(8, 4);
  strip->Canvas()->Brush()->SetColor(clFuchsia);
  strip->Canvas()->FillRect(Rect(0, 0, 8, 4));
  strip->Canvas()->Brush()->SetColor(clRed);
  strip->Canvas()->FillRect(Rect(1, 1, 3, 3));
  strip->Canvas()->Brush()->SetColor(clBlue);
  strip->Canvas()->FillRect(Rect(4, 0, 8, 4));
  EXPECT_EQ(list.AddMasked(strip.get(), clFuchsia), 0);
  EXPECT_EQ(list.Count(), 2);
  auto target = Surface(4, 4);
  list.Draw(target->Canvas(), 0, 0, 0);
  EXPECT_EQ(Mask(target.get(), kRed), (std::vector<std::string>{"....", ".##.", ".##.", "...."}));
  EXPECT_EQ(Px(target.get(), 0, 0), kWhite);  // masked out
  list.Draw(target->Canvas(), 0, 0, 1);
  EXPECT_EQ(Px(target.get(), 0, 0), kBlue);
  list.Draw(target->Canvas(), 0, 0, 7);  // no such image: nothing
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(Action, ControlsFollowTheirActionAndClicksRunIt) {
  TForm form(nullptr);
  auto* actions = new TActionList(&form);
  auto* images = new TImageList(&form);
  actions->SetImages(images);
  auto* act = new TAction(&form);
  act->SetActionList(actions);
  act->SetCaption(L"&Open");
  act->SetImageIndex(2);
  int runs = 0;
  act->OnExecute.Handler = [&](TObject*) { ++runs; };
  auto* button = new TButton(&form);
  button->SetParent(&form);
  button->SetAction(act);
  EXPECT_EQ(button->Caption(), L"&Open");
  button->Click();
  EXPECT_EQ(runs, 1);
  act->SetEnabled(false);
  EXPECT_FALSE(button->Enabled());
  act->SetCaption(L"Open again");
  EXPECT_EQ(button->Caption(), L"Open again");
  EXPECT_EQ(act->ClientCount(), 1);
  EXPECT_EQ(actions->ActionCount(), 1);
  EXPECT_EQ(actions->Images(), images);
  delete images;  // the list forgets a freed image list
  EXPECT_EQ(actions->Images(), nullptr);
  delete button;
  EXPECT_EQ(act->ClientCount(), 0);
}

TEST(Clipboard, TakesACopyOfABitmap) {
  auto b = Surface(3, 2);
  b->Canvas()->SetPixel(2, 1, clRed);
  Clipboard()->Assign(b.get());
  ASSERT_TRUE(Clipboard()->HasBitmap());
  TBitmap back;
  Clipboard()->GetBitmap(&back);
  EXPECT_EQ(back.Width(), 3);
  EXPECT_EQ(back.Height(), 2);
  EXPECT_EQ(back.Canvas()->Pixel(2, 1), clRed);
  TBitmap empty;
  EXPECT_THROW(Clipboard()->Assign(&empty), EInvalidOperation);
}

}  // namespace
}  // namespace kiv

namespace kiv {
namespace {

// Hostile input: real files with corrupted header fields, colour tables and
// pixel data, and cut short at every header boundary. Each must either load
// with a sane size or be refused with EInvalidGraphic.
TEST(Bitmap, CorruptedAndTruncatedFilesNeverCrash) {
  uint32_t seed = 12345;
  auto next = [&] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  int loaded = 0, refused = 0;
  for (const char* name : {"g/pal8.bmp", "g/pal4rle.bmp", "g/pal8rle.bmp", "g/rgb16-565.bmp",
                           "g/rgb32bf.bmp", "g/pal8os2.bmp", "g/pal1.bmp"}) {
    std::string file = kivtest::ReadFile(kivtest::TestData(std::string("bmpsuite/") + name));
    std::vector<std::vector<uint8_t>> cases;
    for (size_t cut : {0, 2, 13, 14, 17, 30, 53, 54, 60, 200})
      if (cut < file.size()) cases.emplace_back(file.begin(), file.begin() + cut);
    for (int i = 0; i < 600; ++i) {
      std::vector<uint8_t> data(file.begin(), file.end());
      int edits = 1 + next() % 4;
      for (int e = 0; e < edits; ++e) {
        // Mostly the headers and colour table, sometimes anywhere.
        size_t at =
            (next() % 4) ? next() % std::min<size_t>(data.size(), 160) : next() % data.size();
        data[at] = static_cast<uint8_t>(next() % 3 == 0 ? 0xFF : next());
      }
      cases.push_back(std::move(data));
    }
    for (const auto& data : cases) {
      TBitmap b;
      try {
        b.LoadFromBytes(data.data(), data.size());
        ASSERT_GT(b.Width(), 0);
        ASSERT_LE(b.Width(), 0x7FFF);
        ASSERT_GT(b.Height(), 0);
        ++loaded;
      } catch (const EInvalidGraphic&) {
        ++refused;
      }
    }
  }
  EXPECT_GT(loaded, 0);
  EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace kiv
