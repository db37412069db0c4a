// The skin object tree: placement, drawing onto surfaces, look-ups, states,
// regions, copying and the children's stream record.
#include <gtest/gtest.h>

#include <memory>

#include "framework/filer.hpp"
#include "framework/streams.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_utils.hpp"
#include "skin_bytes.hpp"
#include "themefiles/skin_objects.hpp"
#include "themefiles/skin_source.hpp"

namespace kiv {
namespace {

TEST(SkinPlacement, ChildrenFollowTheirAlignment) {
  struct Case {
    const char* name;
    TLqAlign align;
    TRect parent_before, child_before, parent_after, want;
  };
  const Case cases[] = {
      // Keeps its distance (10) from the right edge.
      {"top right", saTopRight, Rect(0, 0, 100, 50), Bounds(80, 5, 10, 10), Rect(0, 0, 150, 50),
       Bounds(130, 5, 10, 10)},
      // A parent that had no width yet moves nothing.
      {"from width 0", saTopRight, Rect(0, 0, 0, 50), Bounds(80, 5, 10, 10), Rect(0, 0, 150, 50),
       Bounds(80, 5, 10, 10)},
      {"top left follows a move", saTopLeft, Rect(0, 0, 100, 50), Bounds(4, 5, 10, 10),
       Rect(20, 30, 120, 80), Bounds(24, 35, 10, 10)},
      // Keeps its offsets from the bottom-right corner (it is not mirrored).
      {"bottom right", saBottomRight, Rect(0, 0, 100, 50), Bounds(80, 40, 10, 5),
       Rect(0, 0, 150, 80), Bounds(130, 70, 10, 5)},
      {"bottom left", saBottomLeft, Rect(0, 0, 100, 50), Bounds(5, 40, 10, 5), Rect(0, 0, 150, 80),
       Bounds(5, 70, 10, 5)},
      {"centre of 4 in 11", saCenter, Rect(0, 0, 1, 1), Bounds(0, 0, 4, 4), Rect(0, 0, 11, 11),
       Bounds(3, 3, 4, 4)},
      {"client", saClient, Rect(0, 0, 1, 1), Bounds(0, 0, 4, 4), Rect(2, 3, 12, 13),
       Rect(2, 3, 12, 13)},
      {"right", saRight, Rect(0, 0, 1, 1), Bounds(0, 0, 4, 4), Rect(0, 0, 30, 20),
       Rect(26, 0, 30, 20)},
      {"bottom", saBottom, Rect(0, 0, 1, 1), Bounds(0, 0, 4, 4), Rect(0, 0, 30, 20),
       Rect(0, 16, 30, 20)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TLqSkinObject parent(nullptr);
    parent.SetBounds(c.parent_before);
    auto* child = new TLqSkinObject(&parent);
    child->SetBounds(c.child_before);
    child->SetAlign(c.align);
    parent.SetBounds(c.parent_after);
    EXPECT_EQ(child->BoundsRect(), c.want);
  }
}

TEST(SkinPlacement, PassesShareTheWorkAreaInOrder) {
  TLqSkinObject parent(nullptr);
  auto make = [&](TLqAlign align, int w, int h) {
    auto* c = new TLqSkinObject(&parent);
    c->SetBounds(Bounds(0, 0, w, h));
    c->SetAlign(align);
    return c;
  };
  // Created in an order that differs from the order of the passes.
  TLqSkinObject* client = make(saClient, 1, 1);
  TLqSkinObject* left = make(saLeft, 10, 1);
  TLqSkinObject* top = make(saTop, 1, 4);
  TLqSkinObject* most_top = make(saMostTop, 1, 5);
  TLqSkinObject* most_right = make(saMostRight, 7, 1);
  TLqSkinObject* hidden = make(saClient, 3, 3);
  hidden->SetVisible(false);
  parent.SetBounds(Rect(0, 0, 100, 50));
  EXPECT_EQ(most_top->BoundsRect(), Rect(0, 0, 100, 5));
  EXPECT_EQ(most_right->BoundsRect(), Rect(93, 5, 100, 50));
  EXPECT_EQ(top->BoundsRect(), Rect(0, 5, 93, 9));
  EXPECT_EQ(left->BoundsRect(), Rect(0, 9, 10, 50));
  EXPECT_EQ(client->BoundsRect(), Rect(10, 9, 93, 50));
  EXPECT_EQ(hidden->BoundsRect(), Rect(0, 0, 3, 3));
}

TEST(SkinPlacement, NegativeSizesBecomeZero) {
  TLqSkinObject o(nullptr);
  o.SetBounds(Rect(10, 10, 5, 2));
  EXPECT_EQ(o.Width(), 0);
  EXPECT_EQ(o.Height(), 0);
  EXPECT_EQ(o.Left(), 10);
}

// ---- drawing onto a surface

constexpr TkivPixel kBack = 0xFF010101;

struct Canvas {
  TkivBitmap surface;
  explicit Canvas(int w = 10, int h = 10) {
    surface.SetSize(w, h);
    surface.Fill(kBack);
  }
  TkivDC dc() const { return surface.DC(); }
  TkivPixel at(int x, int y) const { return surface.GetPixel(x, y); }
};

TEST(SkinDrawing, AnOwnerPaintsItselfOnlyWithDrawIfOwner) {
  for (bool draw_if_owner : {false, true}) {
    SCOPED_TRACE(draw_if_owner);
    Canvas canvas;
    TLqSkinObject parent(nullptr);
    parent.SetColor(clRed);
    parent.SetDrawIfOwner(draw_if_owner);
    parent.SetBounds(Rect(0, 0, 10, 10));
    auto* child = new TLqSkinObject(&parent);
    child->SetColor(clBlue);
    child->SetBounds(Rect(0, 0, 5, 10));
    parent.Draw(canvas.dc(), TRect{});
    EXPECT_EQ(canvas.at(2, 2), 0xFF0000FFu);
    EXPECT_EQ(canvas.at(7, 2), draw_if_owner ? 0xFFFF0000u : kBack);
  }
}

TEST(SkinDrawing, ClipRectanglesAndInvisibleObjectsPaintNothing) {
  Canvas canvas;
  TLqSkinObject o(nullptr);
  o.SetColor(clRed);
  o.SetBounds(Rect(0, 0, 5, 5));
  o.Draw(canvas.dc(), Rect(6, 6, 9, 9));  // the clip misses the object
  o.SetVisible(false);
  o.Draw(canvas.dc(), TRect{});
  EXPECT_EQ(canvas.at(2, 2), kBack);
}

TEST(SkinDrawing, DashTextIsAOnePixelSeparatorInTheFontColour) {
  Canvas canvas(20, 9);
  TLqSkinObject o(nullptr);
  o.SetColor(clNone);
  o.Font()->SetColor(clLime);
  o.SetBounds(Rect(0, 0, 20, 9));
  o.SetText(u"-");
  o.Draw(canvas.dc(), TRect{});
  for (int x = 0; x < 20; ++x)
    for (int y = 0; y < 9; ++y) {
      const bool line = y == 4 && x >= 3 && x < 17;
      EXPECT_EQ(canvas.at(x, y), line ? 0xFF00FF00u : kBack) << x << "," << y;
    }
}

// A 3 x 3 source: a colour per part, so that every painted pixel tells
// which part of the source it came from.
struct NineSource {
  TkivBitmapList list;
  NineSource() {
    auto* b = new TkivBitmap;
    b->SetName("Parts");
    b->SetSize(3, 3);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 3; ++x) b->SetPixel(x, y, 0xFF000000u | uint32_t(y * 3 + x + 1) << 4);
    list.Add(b);
  }
  TkivBitmap* bitmap() const { return list.GetBitmap(0); }
  static TkivPixel part(int px, int py) { return 0xFF000000u | uint32_t(py * 3 + px + 1) << 4; }
};

TEST(SkinDrawing, NinePartDrawingCopiesCornersAndTilesEdgesAndCentre) {
  NineSource src;
  Canvas canvas(7, 6);
  TLqBitmapObject o(nullptr);
  o.Bitmap()->SetName("PARTS");
  o.Bitmap()->SetRect(Rect(0, 0, 3, 3));
  o.SetMarginLeft(1);
  o.SetMarginTop(1);
  o.SetMarginRight(1);
  o.SetMarginBottom(1);
  o.SetBitmapList(&src.list);
  o.AfterLoad();
  ASSERT_EQ(o.Bitmap()->Bitmap(), src.bitmap());
  o.SetBounds(Rect(1, 1, 7, 6));
  o.Draw(canvas.dc(), TRect{});
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 7; ++x) {
      if (x == 0 || y == 0) {
        EXPECT_EQ(canvas.at(x, y), kBack);
        continue;
      }
      const int px = x == 1 ? 0 : x == 6 ? 2 : 1;
      const int py = y == 1 ? 0 : y == 5 ? 2 : 1;
      EXPECT_EQ(canvas.at(x, y), NineSource::part(px, py)) << x << "," << y;
    }
}

TEST(SkinDrawing, KeyPixelsAreLeftOutOnlyInThePartsThatHoldThem) {
  NineSource src;
  src.bitmap()->SetPixel(0, 0, KeyPixel);  // the top-left corner
  Canvas canvas(4, 4);
  TLqBitmapObject o(nullptr);
  o.Bitmap()->SetName("Parts");
  o.Bitmap()->SetRect(Rect(0, 0, 3, 3));
  o.SetMarginLeft(1);
  o.SetMarginTop(1);
  o.SetMarginRight(1);
  o.SetMarginBottom(1);
  o.SetBitmapList(&src.list);
  o.AfterLoad();
  EXPECT_TRUE(o.Bitmap()->HasMaskedAngles());
  EXPECT_FALSE(o.Bitmap()->HasMaskedBody());
  o.SetBounds(Rect(0, 0, 4, 4));
  o.Draw(canvas.dc(), TRect{});
  EXPECT_EQ(canvas.at(0, 0), kBack);
  EXPECT_EQ(canvas.at(3, 0), NineSource::part(2, 0));
  EXPECT_EQ(canvas.at(1, 1), NineSource::part(1, 1));
  EXPECT_FALSE(src.bitmap()->Transparent());  // the flag was put back
}

TEST(SkinDrawing, WithoutMarginsTheColourDecidesWhetherTheBitmapIsUsed) {
  NineSource src;
  for (TColor color : {clNone, clWhite}) {
    SCOPED_TRACE(color);
    Canvas canvas(3, 3);
    TLqBitmapObject o(nullptr);
    o.SetColor(color);
    o.Bitmap()->SetName("Parts");
    o.Bitmap()->SetRect(Rect(0, 0, 3, 3));
    o.SetBitmapList(&src.list);
    o.AfterLoad();
    o.SetBounds(Rect(0, 0, 3, 3));
    o.Draw(canvas.dc(), TRect{});
    EXPECT_EQ(canvas.at(1, 1), color == clNone ? kBack : NineSource::part(1, 1));
  }
}

TEST(SkinDrawing, StateLinksReplaceTheBitmapWhenUsable) {
  NineSource src;
  TLqButtonObject o(nullptr);
  o.Bitmap()->SetName("Parts");
  o.Bitmap()->SetRect(Rect(0, 0, 1, 1));
  o.BitmapPressed()->SetName("Parts");
  o.BitmapPressed()->SetRect(Rect(2, 2, 3, 3));
  o.BitmapHot()->SetName("Missing");
  o.BitmapHot()->SetRect(Rect(1, 1, 2, 2));
  o.SetBitmapList(&src.list);
  o.AfterLoad();
  o.SetBounds(Rect(0, 0, 2, 2));
  struct Case {
    uint8_t state;
    TkivPixel want;
  };
  for (const Case& c :
       {Case{kLqStateNormal, NineSource::part(0, 0)}, Case{kLqStatePressed, NineSource::part(2, 2)},
        Case{kLqStateHot, NineSource::part(0, 0)}}) {  // hot link unusable
    Canvas canvas(2, 2);
    o.SetState(c.state);
    o.Draw(canvas.dc(), TRect{});
    EXPECT_EQ(canvas.at(1, 1), c.want) << int(c.state);
  }
}

// ---- fonts, states and look-ups

TEST(SkinObjects, TextObjectFontFollowsTheState) {
  TLqTextObject o(nullptr);
  struct Case {
    uint8_t state;
    TFont* want;
  };
  for (const Case& c :
       {Case{kLqStatePressed, o.FontPressed()}, Case{kLqStateHot, o.FontHot()},
        Case{kLqStateFocused, o.FontFocused()}, Case{kLqStateDisabled, o.FontDisabled()},
        Case{kLqStateMaximized, o.Font()}, Case{kLqStateNormal, o.Font()}}) {
    o.SetState(c.state);
    EXPECT_EQ(o.GetFont(), c.want) << int(c.state);
  }
  EXPECT_EQ(o.FontHot()->Name(), "Tahoma");
  EXPECT_EQ(o.FontHot()->Size(), 8);
}

TEST(SkinObjects, LookUpsIgnoreCaseAndSearchDepthFirst) {
  TLqSkinSource source;
  auto* button = new TLqSkinObject(nullptr);
  button->SetName("Button");
  button->SetBounds(Rect(0, 0, 50, 20));
  auto* glass = new TLqSkinObject(button);
  glass->SetName("Glass");
  glass->SetKind(skTranparent);
  glass->SetBounds(Rect(0, 0, 50, 20));
  auto* face = new TLqSkinObject(button);
  face->SetName("Face");
  face->SetKind(skClient);
  face->SetBounds(Rect(10, 0, 30, 20));
  auto* close = new TLqSystemButton(face);
  close->SetAction(sbaClose);
  close->SetBounds(Rect(12, 2, 16, 6));
  source.AddObject(button);

  EXPECT_EQ(source.FindObject("BUTTON"), button);
  EXPECT_EQ(source.FindObject("face"), nullptr);  // top level only
  EXPECT_EQ(button->FindChild("FACE"), face);
  EXPECT_EQ(button->FindKind(skClient), face);
  EXPECT_EQ(button->FindAction(sbaClose), close);
  EXPECT_EQ(button->FindAction(sbaHelp), nullptr);
  EXPECT_EQ(button->ObjectAt(Point(13, 3)), close);
  EXPECT_EQ(button->ObjectAt(Point(20, 10)), face);
  EXPECT_EQ(button->ObjectAt(Point(2, 10)), button);  // the glass is skipped
  EXPECT_EQ(button->ObjectAt(Point(60, 10)), nullptr);
  EXPECT_EQ(source.Objects(1), nullptr);
  source.UnmaskClients();
  EXPECT_FALSE(face->Masked());
}

TEST(SkinObjects, SystemButtonsShowByWindowStateAndFlags) {
  struct Case {
    TLqAction action;
    uint8_t state;
    uint16_t flags;
    bool visible;
  };
  const uint16_t all = 0x3FF;
  const Case cases[] = {
      {sbaRestore, kLqStateNormal, all, false},       {sbaMaximize, kLqStateNormal, all, true},
      {sbaMaximize, kLqStateMaximized, all, false},   {sbaRestore, kLqStateMaximized, all, true},
      {sbaRestore, kLqStateMaximized, 1 << 4, false},  // restore asks bit 6 when maximized
      {sbaMinimize, kLqStateMinimized, all, false},   {sbaRollUp, kLqStateRolledUp, all, false},
      {sbaRollDown, kLqStateRolledUp, all, true},     {sbaClose, kLqStateNormal, all & ~2, false},
      {sbaSysMenu, kLqStateNormal, 1, true},          {sbaTray, kLqStateNormal, 1 << 9, true},
  };
  for (const Case& c : cases) {
    TLqSystemButton a(nullptr);
    TLqSysButtonSkinObject b(nullptr);
    for (TLqSkinObject* o : {static_cast<TLqSkinObject*>(&a), static_cast<TLqSkinObject*>(&b)}) {
      a.SetAction(c.action);
      b.SetAction(c.action);
      o->SetState(c.state);
      o->SetWindowFlags(c.flags);
      EXPECT_EQ(o->Visible(), c.visible)
          << o->ClassName() << " action " << int(c.action) << " state " << int(c.state);
    }
  }
}

TEST(SkinObjects, HueAndBrightnessSkipNoColour) {
  TLqActiveObject o(nullptr);
  o.SetColor(clNone);
  o.SetActiveColor(0x0000FF);
  o.ChangeBrightness(40);
  EXPECT_EQ(o.Color(), clNone);
  EXPECT_NE(o.ActiveColor(), 0x0000FF);
  o.ChangeHue(120);
  EXPECT_EQ(o.Color(), clNone);
}

// ---- regions

TEST(SkinRegions, MaskedBitmapsCutTheirKeyPixelsOut) {
  NineSource src;
  src.bitmap()->SetPixel(0, 0, KeyPixel);
  TLqBitmapSkinObject o(nullptr);
  o.Bitmap()->SetName("Parts");
  o.Bitmap()->SetRect(Rect(0, 0, 3, 3));
  o.SetBitmapList(&src.list);
  o.AfterLoad();
  o.SetBounds(Rect(2, 1, 5, 4));
  const TLqRegion masked = o.CreateObjectRegion();
  const TLqRegion want = {Rect(3, 1, 5, 2), Rect(2, 2, 5, 3), Rect(2, 3, 5, 4)};
  EXPECT_EQ(masked, want);
  o.SetMasked(false);
  EXPECT_EQ(o.CreateObjectRegion(), TLqRegion{o.BoundsRect()});

  TLqSkinObject parent(nullptr);
  parent.SetBounds(Rect(0, 0, 10, 10));
  auto* a = new TLqSkinObject(&parent);
  a->SetBounds(Rect(0, 0, 2, 2));
  auto* b = new TLqSkinObject(&parent);
  b->SetBounds(Rect(5, 5, 7, 7));
  auto* gone = new TLqSkinObject(&parent);
  gone->SetBounds(Rect(8, 8, 9, 9));
  gone->SetVisible(false);
  EXPECT_EQ(parent.TreeRegion(), (TLqRegion{Rect(0, 0, 2, 2), Rect(5, 5, 7, 7)}));
  parent.SetDrawIfOwner(true);
  EXPECT_EQ(parent.TreeRegion(), TLqRegion{Rect(0, 0, 10, 10)});
  parent.SetBounds(Rect(0, 0, 0, 10));
  EXPECT_TRUE(parent.TreeRegion().empty());
}

// ---- copying and the children's record

TEST(SkinSourceCopy, AssignClonesTreesAndLinksThemToItsOwnBitmaps) {
  TLqSkinSource a;
  auto* bmp = new TkivBitmap;
  bmp->SetName("B");
  bmp->SetSize(2, 2);
  a.Bitmaps()->Add(bmp);
  auto* o = new TLqBitmapObject(nullptr);
  o->SetName("Obj");
  o->Bitmap()->SetName("b");
  o->Bitmap()->SetRect(Rect(0, 0, 2, 2));
  auto* kid = new TLqTextObject(o);
  kid->SetName("Kid");
  kid->SetWidth(9);
  a.AddObject(o);
  o->AfterLoad();
  a.SetSkinName("Copied");
  a.Colors()->SetColor(0, clPurple);

  TLqSkinSource b;
  b.Assign(&a);
  EXPECT_EQ(b.SkinName(), "Copied");
  EXPECT_EQ(b.Colors()->GetColor(0), clPurple);
  ASSERT_EQ(b.Bitmaps()->Count(), 1);
  EXPECT_NE(b.Bitmaps()->GetBitmap(0), bmp);
  auto* copy = dynamic_cast<TLqBitmapObject*>(b.FindObject("obj"));
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, o);
  EXPECT_EQ(copy->Bitmap()->Bitmap(), b.Bitmaps()->GetBitmap(0));
  ASSERT_EQ(copy->ChildCount(), 1);
  EXPECT_EQ(copy->Child(0)->ClassName(), "TLqTextObject");
  EXPECT_EQ(copy->Child(0)->Width(), 9);
}

TEST(SkinObjectStream, ChildrenInTheOlderTextRecordAreRead) {
  kivtest::SkinBytes objects;
  objects.U32(2);  // no marker: class name and text form per child
  objects.Str("TLqTextObject").Str("object A: TLqTextObject\n  Width = 3\nend\n");
  objects.Str("TNoSuchClass").Str("object B: TNoSuchClass\nend\n");
  auto stream = objects.Stream();
  TLqSkinObject parent(nullptr);
  parent.ReadObjects(*stream);
  ASSERT_EQ(parent.ChildCount(), 1);
  EXPECT_EQ(parent.Child(0)->Name(), "A");
  EXPECT_EQ(parent.Child(0)->Width(), 3);

  // The current record: count with 0xF0000, class, size, binary stream.
  TMemoryStream out;
  parent.WriteObjects(out);
  out.SetPosition(0);
  EXPECT_EQ(ReadU32(out), 0xF0001u);
  EXPECT_EQ(ReadString(out), "TLqTextObject");
  const uint32_t size = ReadU32(out);
  EXPECT_EQ(int64_t(size), out.Size() - out.Position());
  char sig[4];
  out.ReadBuffer(sig, 4);
  EXPECT_EQ(std::string(sig, 4), "TPF0");
}

}  // namespace
}  // namespace kiv
