#include "effects/catalogue.hpp"

#include <gtest/gtest.h>

#include "effects/animation_rec.hpp"
#include "engine_support.hpp"
#include "framework/filer.hpp"
#include "framework/streams.hpp"

namespace kiv {
namespace {

TEST(EffectCatalogue, RegistersTheFiftyEightEffectsInOrderWithTheirPrefixes) {
  // Other tests may register effects of their own after the built-in ones.
  const TkivProcList& list = EffectList();
  ASSERT_GE(list.Count(), 58);
  struct Case {
    int index;
    const char* name;
    TkivProcKind kind;
  };
  const Case cases[] = {
      {0, "[ FADE ] - SmoothDiagonal", pkFade},  {13, "[ FADE ] - SlideDown", pkFade},
      {20, "[ FADE ] - Fade", pkFade},           {32, "[ FADE ] - Pixel fade", pkFade},
      {43, "[ FADE ] - DiamondSlideIn", pkFade}, {53, "[ FADE ] - Plasma", pkFade},
      {54, "[ SLIDE ] - Interlace", pkSlide},    {55, "[ SLIDE ] - Corner", pkSlide},
      {56, "[ MANUAL ] - Slide", pkManual},      {57, "[ MANUAL ] - Push", pkManual},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(list.Items(c.index)->Name, c.name);
    EXPECT_EQ(list.Items(c.index)->Kind, c.kind);
  }
  const auto& names = EffectNames();
  ASSERT_EQ(names.size(), 60u);
  EXPECT_EQ(names[0], "[ RANDOM ] - Random selection");
  EXPECT_EQ(names[1], "[ BITMAP ] - Bitmap Animation");
  EXPECT_EQ(names[2], "[ FADE ] - SmoothDiagonal");
  EXPECT_EQ(names[59], "[ MANUAL ] - Push");
}

TEST(EffectCatalogue, FindsByDisplayOrBareNameIgnoringCase) {
  TkivProcItem* fade = EffectList().Items(20);
  EXPECT_EQ(FindEffect("FADE"), fade);
  EXPECT_EQ(FindEffect("[ fade ] - fade"), fade);
  EXPECT_EQ(FindEffect("pixel FADE"), EffectList().Items(32));
  EXPECT_EQ(FindEffect("[ MANUAL ] - Push"), EffectList().Items(57));
  EXPECT_EQ(FindEffect("Dissolve"), nullptr);
  EXPECT_EQ(FindEffect("[ RANDOM ] - Random selection"), nullptr);
  EXPECT_EQ(FindEffect(""), nullptr);
}

TEST(EffectCatalogue, RefusesAProcedureRegisteredTwice) {
  const TkivEffectProc fade = FindEffect("Fade")->Proc;
  const int count = EffectList().Count();
  try {
    RegisterEffect("Dissolve", pkFade, fade);
    FAIL() << "no exception";
  } catch (const EProcItemError& e) {
    EXPECT_STREQ(e.what(), "Effect procedute Dissolve already exists in list");
  }
  EXPECT_EQ(EffectList().Count(), count);
  EXPECT_EQ(FindEffect("Dissolve"), nullptr);
}

TEST(EffectCatalogue, RandomChoiceReachesManyEffects) {
  std::vector<bool> seen(58, false);
  for (int i = 0; i < 2000; ++i) {
    TkivProcItem* item = RandomEffect();
    ASSERT_NE(item, nullptr);
    for (int k = 0; k < 58; ++k)
      if (EffectList().Items(k) == item) seen[k] = true;
  }
  int reached = 0;
  for (bool b : seen) reached += b;
  EXPECT_EQ(reached, 58);
}

TEST(AnimationRec, DefaultsAndClamps) {
  TkivAnimationRec rec;
  EXPECT_EQ(rec.Effect(), "[ RANDOM ] - Random selection");
  EXPECT_FALSE(rec.Enabled());
  EXPECT_EQ(rec.Resolution(), 1);
  EXPECT_EQ(rec.TileCount(), 1);
  EXPECT_EQ(rec.Time(), 400);
  EXPECT_EQ(rec.Rotation(), qrNone);
  struct Case {
    void (TkivAnimationRec::*set)(int);
    int (TkivAnimationRec::*get)() const;
    int in, want;
  };
  const Case cases[] = {
      {&TkivAnimationRec::SetResolution, &TkivAnimationRec::Resolution, 0, 1},
      {&TkivAnimationRec::SetResolution, &TkivAnimationRec::Resolution, -5, 1},
      {&TkivAnimationRec::SetResolution, &TkivAnimationRec::Resolution, 11, 10},
      {&TkivAnimationRec::SetResolution, &TkivAnimationRec::Resolution, 7, 7},
      {&TkivAnimationRec::SetTileCount, &TkivAnimationRec::TileCount, 25, 20},
      {&TkivAnimationRec::SetTileCount, &TkivAnimationRec::TileCount, 0, 1},
      {&TkivAnimationRec::SetTime, &TkivAnimationRec::Time, 10, 50},
      {&TkivAnimationRec::SetTime, &TkivAnimationRec::Time, 10000, 9000},
      {&TkivAnimationRec::SetTime, &TkivAnimationRec::Time, 2000, 2000},
  };
  for (const Case& c : cases) {
    TkivAnimationRec r;
    (r.*c.set)(c.in);
    EXPECT_EQ((r.*c.get)(), c.want) << c.in;
  }
}

TEST(AnimationRec, AssignCopiesEveryFieldAndThePicture) {
  TkivAnimationRec a, b;
  a.SetEffect("Push");
  a.SetEnabled(true);
  a.SetResolution(4);
  a.SetRotation(qrRotate270);
  a.SetTileCount(3);
  a.SetTime(1234);
  kivtest::Surface pic(2, 1);
  pic.SetPixel(1, 0, 0xFF123456u);
  a.SetBitmap(&pic);
  pic.SetPixel(1, 0, 0);  // the record keeps its own copy
  b.Assign(&a);
  EXPECT_EQ(b.Effect(), "Push");
  EXPECT_TRUE(b.Enabled());
  EXPECT_EQ(b.Resolution(), 4);
  EXPECT_EQ(b.Rotation(), qrRotate270);
  EXPECT_EQ(b.TileCount(), 3);
  EXPECT_EQ(b.Time(), 1234);
  EXPECT_EQ(b.Bitmap()->GetPixel(1, 0), 0xFF123456u);
}

TEST(AnimationRec, StreamsThroughBothFormsOfTheComponentStream) {
  EXPECT_EQ(GetClass("TkivAnimationRec"), &TkivAnimationRec::StaticClass());
  TkivAnimationRec a;
  a.SetName("Anim");
  a.SetEffect("[ SLIDE ] - Interlace");
  a.SetEnabled(true);
  a.SetResolution(4);
  a.SetRotation(qrRotate180);
  a.SetTileCount(3);
  a.SetTime(1234);
  kivtest::Surface pic(3, 2);
  kivtest::PaintPattern(pic, 5);
  a.SetBitmap(&pic);

  auto same = [&](const TkivAnimationRec& b, const char* form) {
    EXPECT_EQ(b.Name(), "Anim") << form;
    EXPECT_EQ(b.Effect(), "[ SLIDE ] - Interlace") << form;
    EXPECT_TRUE(b.Enabled()) << form;
    EXPECT_EQ(b.Resolution(), 4) << form;
    EXPECT_EQ(b.Rotation(), qrRotate180) << form;
    EXPECT_EQ(b.TileCount(), 3) << form;
    EXPECT_EQ(b.Time(), 1234) << form;
    ASSERT_EQ(b.Bitmap()->Width(), 3) << form;
    ASSERT_EQ(b.Bitmap()->Height(), 2) << form;
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) EXPECT_EQ(b.Bitmap()->GetPixel(x, y), pic.GetPixel(x, y)) << form;
  };
  TMemoryStream binary;
  binary.WriteComponent(&a);
  binary.SetPosition(0);
  std::unique_ptr<TComponent> from_binary(binary.ReadComponent());  // class from the registry
  ASSERT_TRUE(from_binary && from_binary->Is<TkivAnimationRec>());
  same(static_cast<TkivAnimationRec&>(*from_binary), "binary");

  const std::string text = ComponentToText(&a);
  EXPECT_NE(text.find("Rotation = qrRotate180"), std::string::npos) << text;
  EXPECT_NE(text.find("Bitmap = {"), std::string::npos) << text;
  TkivAnimationRec from_text;
  TextToComponent(text, &from_text);
  same(from_text, "text");

  // Defaults are left out, except the effect name, which has no stored default.
  TkivAnimationRec plain;
  EXPECT_EQ(ComponentToText(&plain),
            "object TkivAnimationRec\n  Effect = '[ RANDOM ] - Random selection'\nend\n");
}

TEST(AnimationRec, ReadingClampsAsTheSettersDo) {
  TkivAnimationRec rec;
  TextToComponent(
      "object Anim: TkivAnimationRec\n  Resolution = 0\n  TileCount = 25\n  Time = 10000\nend\n",
      &rec);
  EXPECT_EQ(rec.Resolution(), 1);
  EXPECT_EQ(rec.TileCount(), 20);
  EXPECT_EQ(rec.Time(), 9000);
  TextToComponent("object Anim: TkivAnimationRec\n  Resolution = 11\n  Time = 10\nend\n", &rec);
  EXPECT_EQ(rec.Resolution(), 10);
  EXPECT_EQ(rec.Time(), 50);
  // An unknown rotation name is refused by the reader.
  EXPECT_THROW(
      TextToComponent("object Anim: TkivAnimationRec\n  Rotation = qrSideways\nend\n", &rec),
      EReadError);
}

TEST(AnimationRec, AssignFromAnotherClassIsRefused) {
  TkivAnimationRec rec;
  TComponent other(nullptr);
  EXPECT_THROW(rec.Assign(&other), EInvalidCast);
  // An empty picture empties the record's pattern.
  kivtest::Surface pic(2, 2), empty;
  rec.SetBitmap(&pic);
  rec.SetBitmap(&empty);
  EXPECT_TRUE(rec.Bitmap()->IsEmpty());
}

}  // namespace
}  // namespace kiv

namespace kiv {
namespace {

// A fast path stands for what its effect's procedure does: a uniform mask
// is that one value in every cell at every progress, and the other marks sit
// on the effects whose one-pass forms they name.
TEST(Catalogue, FastPathsSitOnTheEffectsTheyStandFor) {
  int uniform = 0;
  for (int i = 0; i < EffectList().Count(); ++i) {
    const TkivProcItem& item = *EffectList().Items(i);
    if (item.Fast != fpUniformMask) continue;
    ++uniform;
    ASSERT_EQ(item.Kind, pkFade) << item.Name;
    for (int p = 0; p <= 100; ++p) {
      std::vector<uint8_t> mask(7 * 5, 0);
      std::get<TkivMaskProc>(item.Proc)(mask.data(), 7, 5, static_cast<uint8_t>(p));
      EXPECT_EQ(mask, std::vector<uint8_t>(mask.size(), UniformMaskLevel(static_cast<uint8_t>(p))))
          << item.Name << " p " << p;
    }
  }
  EXPECT_EQ(uniform, 1);  // "Fade"
  struct Case {
    const char* name;
    TkivFastPath fast;
  };
  for (const Case& c : {Case{"Fade", fpUniformMask}, Case{"Interlace", fpInterlaceRows},
                        Case{"Corner", fpNone}, Case{"Slide", fpSlide}, Case{"Push", fpPush}}) {
    ASSERT_NE(FindEffect(c.name), nullptr) << c.name;
    EXPECT_EQ(FindEffect(c.name)->Fast, c.fast) << c.name;
  }
}

}  // namespace
}  // namespace kiv
