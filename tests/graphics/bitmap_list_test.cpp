// Bitmap links (validity, the nine-part analysis) and bitmap lists (lookup by
// name, links, ownership).
#include <gtest/gtest.h>

#include <memory>

#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_bitmap_list.hpp"

namespace kiv {
namespace {

TEST(BitmapLink, ValidNeedsASurfaceAndAPositiveArea) {
  TkivBitmap b;
  b.SetSize(4, 4);
  TkivBitmapLink link;
  EXPECT_FALSE(link.IsValid());
  link.SetRect(TRect{0, 0, 2, 2});
  EXPECT_FALSE(link.IsValid());
  link.SetBitmap(&b);
  EXPECT_TRUE(link.IsValid());
  for (TRect r : {TRect{2, 0, 2, 2}, TRect{0, 2, 2, 2}, TRect{3, 3, 1, 1}, TRect{0, 3, 2, 1}}) {
    link.SetRect(r);
    EXPECT_FALSE(link.IsValid()) << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom;
  }
}

// A 60 x 60 opaque surface with a 10 x 10 link at (30, 40).
struct AnalyseFixture {
  TkivBitmap surface;
  std::unique_ptr<TkivBitmapLink> link;
  AnalyseFixture() {
    surface.SetSize(60, 60);
    surface.Fill(0xFF808080);
    link.reset(surface.CreateLink(TRect{30, 40, 40, 50}));
  }
  std::tuple<bool, bool, bool> Flags(TRect margins) {
    link->Analyse(margins);
    return {link->HasMaskedAngles(), link->HasMaskedBorder(), link->HasMaskedBody()};
  }
};

TEST(BitmapLink, AnalyseFindsTheTransparentParts) {
  using Flags = std::tuple<bool, bool, bool>;  // angles, border, body
  const TRect m2{2, 2, 2, 2};
  {
    AnalyseFixture f;
    EXPECT_EQ(f.Flags(TRect{}), Flags(false, false, false));
    EXPECT_EQ(f.Flags(m2), Flags(false, false, false));
  }
  struct Case {
    int x, y;
    TkivPixel p;
    TRect margins;
    Flags want;
  };
  for (const Case& c : {
           Case{39, 49, KeyPixel, m2, {true, false, false}},
           Case{35, 40, KeyPixel, m2, {false, true, false}},
           Case{35, 45, KeyPixel, m2, {false, false, true}},
           Case{30, 45, 0xFE000000, m2, {false, true, false}},               // alpha below 255
           Case{35, 45, 0x33333333, m2, {false, false, false}},              // never transparent
           Case{39, 49, KeyPixel | 0xFF000000u, m2, {false, false, false}},  // opaque key colour
           Case{37, 42, KeyPixel, TRect{}, {false, false, true}},
           Case{29, 42, KeyPixel, TRect{}, {false, false, false}},  // outside the link
           // Bottom margin only: still the nine-part analysis.
           Case{35, 48, KeyPixel, TRect{0, 0, 0, 3}, {false, true, false}},
           Case{35, 46, KeyPixel, TRect{0, 0, 0, 3}, {false, false, true}},
       }) {
    AnalyseFixture f;
    f.surface.SetPixel(c.x, c.y, c.p);
    EXPECT_EQ(f.Flags(c.margins), c.want) << c.x << "," << c.y;
  }
  // Overlapping margins: (1, 1) lies in two corners; with the top and bottom
  // margins overlapping, (5, 1) lies in both the top and the bottom edge.
  AnalyseFixture f;
  f.surface.SetPixel(31, 41, KeyPixel);
  EXPECT_EQ(f.Flags(TRect{2, 2, 9, 9}), Flags(true, false, false));
  AnalyseFixture g;
  g.surface.SetPixel(35, 41, KeyPixel);
  EXPECT_EQ(g.Flags(TRect{2, 6, 2, 6}), Flags(false, true, false));
}

TEST(BitmapLink, PixelsOutsideTheSurfaceCountAsTransparent) {
  TkivBitmap b;
  b.SetSize(4, 4);
  b.Fill(0xFF000000);
  TkivBitmapLink link;
  link.SetBitmap(&b);
  link.SetRect(TRect{2, 0, 6, 4});  // the right half lies outside
  link.Analyse();
  EXPECT_TRUE(link.HasMaskedBody());
  link.Analyse(TRect{1, 1, 1, 1});
  EXPECT_TRUE(link.HasMaskedAngles());
  EXPECT_TRUE(link.HasMaskedBorder());
  EXPECT_TRUE(link.HasMaskedBody());
  link.Analyse(TRect{1, 1, 3, 1});  // right margin 3 covers all that is outside
  EXPECT_TRUE(link.HasMaskedAngles());
  EXPECT_TRUE(link.HasMaskedBorder());
  EXPECT_FALSE(link.HasMaskedBody());
  // A huge rectangle is analysed without visiting its outside pixels.
  link.SetRect(TRect{-2000000000, -2000000000, 2000000000, 2000000000});
  link.Analyse(TRect{1, 1, 1, 1});
  EXPECT_TRUE(link.HasMaskedAngles());
  EXPECT_TRUE(link.HasMaskedBody());
}

TEST(BitmapLink, AssignCopiesEverything) {
  TkivBitmap b;
  b.SetSize(3, 3);
  b.SetName("Frame");
  std::unique_ptr<TkivBitmapLink> a(b.CreateLink(TRect{0, 0, 2, 2}));
  a->Analyse();  // the fresh surface's pixels have alpha 0
  TkivBitmapLink c;
  c.Assign(a.get());
  EXPECT_EQ(c.Bitmap(), &b);
  EXPECT_EQ(c.Rect(), (TRect{0, 0, 2, 2}));
  EXPECT_EQ(c.Name(), "Frame");
  EXPECT_TRUE(c.HasMaskedBody());
  c.SetLeft(1);
  c.SetBottom(-4);
  EXPECT_EQ(c.Rect(), (TRect{1, 0, 2, -4}));
}

TEST(BitmapList, FindsSurfacesByNameIgnoringCase) {
  TkivBitmapList list;
  for (const char* name : {"Button", "Frame", "frame"}) {
    auto* b = new TkivBitmap();
    b->SetName(name);
    b->SetSize(8, 8);
    list.Add(b);
  }
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.GetBitmap(-1), nullptr);
  EXPECT_EQ(list.GetBitmap(3), nullptr);
  EXPECT_EQ(list.GetBitmap(1)->Name(), "Frame");
  EXPECT_EQ(list.FindBitmap("FRAME"), list.GetBitmap(1));
  EXPECT_EQ(list.FindBitmap("frame"), list.GetBitmap(1));
  EXPECT_EQ(list.FindBitmap("fram"), nullptr);
  std::unique_ptr<TkivBitmapLink> link(list.CreateLink("fRaMe", TRect{1, 2, 3, 4}));
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->Bitmap(), list.GetBitmap(1));
  EXPECT_EQ(link->Name(), "Frame");
  EXPECT_EQ(link->Rect(), (TRect{1, 2, 3, 4}));
  EXPECT_FALSE(link->HasMaskedBody());
  EXPECT_EQ(list.CreateLink("none", TRect{}), nullptr);
}

TEST(BitmapList, ClearAndDestructionFreeTheSurfaces) {
  const size_t before = BitmapRegistry().size();
  {
    TkivBitmapList list;
    for (int i = 0; i < 3; ++i) {
      auto* b = new TkivBitmap();
      b->SetSize(2, 2);
      list.Add(b);
    }
    EXPECT_EQ(BitmapRegistry().size(), before + 3);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(BitmapRegistry().size(), before);
    auto* b = new TkivBitmap();
    b->SetSize(2, 2);
    list.Add(b);
  }
  EXPECT_EQ(BitmapRegistry().size(), before);  // and ASan sees no leak
  // As a framework list: its items are the surfaces, and a list freed or
  // cleared through the base type still frees them.
  std::unique_ptr<TList> base(new TkivBitmapList());
  auto* list = static_cast<TkivBitmapList*>(base.get());
  for (int i = 0; i < 2; ++i) {
    auto* b = new TkivBitmap();
    b->SetSize(2, 2);
    list->Add(b);
  }
  EXPECT_EQ(base->Items(1), list->GetBitmap(1));
  EXPECT_EQ(BitmapRegistry().size(), before + 2);
  base->Clear();
  EXPECT_EQ(BitmapRegistry().size(), before);
  auto* b = new TkivBitmap();
  b->SetSize(2, 2);
  list->Add(b);
  base.reset();
  EXPECT_EQ(BitmapRegistry().size(), before);
}

}  // namespace
}  // namespace kiv
