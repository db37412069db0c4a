// The effect controls' animation options: their published properties with
// defaults through a form stream, the mapping of Direction onto the record's
// rotation, the two time limits, and copying.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "controls/kiv_anim_options.hpp"
#include "framework/filer.hpp"

namespace kiv {
namespace {

// A form component holding both kinds of options, as the effect controls do.
class TAnimHolder : public TComponent {
  KIV_CLASS(TAnimHolder, TComponent)
 public:
  explicit TAnimHolder(TComponent* owner) : TComponent(owner) {}
  TKivAdvancedAnimation* Animation() const { return advanced_.get(); }
  void SetAnimation(TKivAdvancedAnimation* value) { advanced_->Assign(value); }
  TKivExtAnimation* Plain() const { return plain_.get(); }
  void SetPlain(TKivExtAnimation* value) { plain_->Assign(value); }

 private:
  std::unique_ptr<TKivAdvancedAnimation> advanced_ = std::make_unique<TKivAdvancedAnimation>();
  std::unique_ptr<TKivExtAnimation> plain_ = std::make_unique<TKivExtAnimation>();
};

KIV_IMPLEMENT_CLASS(TAnimHolder, c) {
  c.Object("Animation", &TAnimHolder::Animation, &TAnimHolder::SetAnimation);
  c.Object("Plain", &TAnimHolder::Plain, &TAnimHolder::SetPlain);
}

std::string Between(const std::string& text, const std::string& from, const std::string& to) {
  const size_t a = text.find(from);
  if (a == std::string::npos) return {};
  return text.substr(a, text.find(to, a) - a);
}

TEST(AnimOptions, DefaultsAreNotWrittenButTheEffectNamesAre) {
  TAnimHolder holder(nullptr);
  holder.SetName("Holder");
  const std::string text = ComponentToText(&holder);
  EXPECT_EQ(text,
            "object Holder: TAnimHolder\n"
            "  Animation.EffectMouseEnter = '[ FADE ] - Fade'\n"
            "  Animation.EffectMouseLeave = '[ FADE ] - Fade'\n"
            "end\n");
  const TKivAdvancedAnimation& a = *holder.Animation();
  EXPECT_EQ(a.Direction(), qdNone);
  EXPECT_FALSE(a.Enabled());
  EXPECT_EQ(a.Resolution(), 1);
  EXPECT_EQ(a.TileCount(), 1);
  EXPECT_EQ(a.Time(), 400);
  EXPECT_TRUE(a.Bitmap()->IsEmpty());
}

TEST(AnimOptions, EveryPropertyRoundTripsThroughTheFormStream) {
  TAnimHolder holder(nullptr);
  holder.SetName("Holder");
  TKivAdvancedAnimation& a = *holder.Animation();
  a.SetDirection(qdRotate270);
  a.SetEnabled(true);
  a.SetResolution(10);
  a.SetTileCount(4);
  a.SetTime(1200);
  a.SetEffectMouseEnter("[ CIRCLE ] - Circle out");
  a.SetEffectMouseLeave("[ SLIDE ] - Slide left");
  TkivBitmap pattern;
  pattern.SetSize(3, 2);
  pattern.Fill(0xFF112233);
  pattern.SetPixel(2, 1, 0xFF445566);
  a.SetBitmap(&pattern);
  holder.Plain()->SetDirection(qdRotate90);
  holder.Plain()->SetTime(8000);

  kiv::TMemoryStream form;
  form.WriteComponent(&holder);
  form.SetPosition(0);
  TAnimHolder read(nullptr);
  form.ReadComponent(&read);
  const TKivAdvancedAnimation& b = *read.Animation();
  EXPECT_EQ(b.Direction(), qdRotate270);
  EXPECT_TRUE(b.Enabled());
  EXPECT_EQ(b.Resolution(), 10);
  EXPECT_EQ(b.TileCount(), 4);
  EXPECT_EQ(b.Time(), 1200);
  EXPECT_EQ(b.EffectMouseEnter(), "[ CIRCLE ] - Circle out");
  EXPECT_EQ(b.EffectMouseLeave(), "[ SLIDE ] - Slide left");
  ASSERT_EQ(b.Bitmap()->Width(), 3);
  ASSERT_EQ(b.Bitmap()->Height(), 2);
  EXPECT_EQ(b.Bitmap()->GetPixel(0, 0), 0xFF112233u);
  EXPECT_EQ(b.Bitmap()->GetPixel(2, 1), 0xFF445566u);
  EXPECT_EQ(read.Plain()->Direction(), qdRotate90);
  EXPECT_EQ(read.Plain()->Time(), 8000);
  // Text form names the properties as stored.
  const std::string text = ComponentToText(&holder);
  EXPECT_NE(text.find("Animation.Direction = qdRotate270\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Animation.Bitmap = {"), std::string::npos) << text;
  EXPECT_EQ(Between(text, "Plain.", "end"), "Plain.Direction = qdRotate90\n  Plain.Time = 8000\n");
}

TEST(AnimOptions, DirectionMapsOntoTheRecordsRotation) {
  struct Case {
    TKivDirection set;
    TkivRotation rotation;
    TKivDirection read;
  };
  TKivExtAnimation a;
  for (const Case& t :
       {Case{qdRotate90, qrRotate90, qdRotate90}, Case{qdRotate180, qrRotate180, qdRotate180},
        Case{qdRotate270, qrRotate270, qdRotate270}, Case{qdNoRotate, qrNone, qdNone},
        Case{qdNone, qrNone, qdNone}}) {
    a.SetDirection(qdRotate180);
    a.SetDirection(t.set);
    EXPECT_EQ(a.AnimationRec()->Rotation(), t.rotation) << t.set;
    EXPECT_EQ(a.Direction(), t.read) << t.set;
  }
}

TEST(AnimOptions, TimeLimitsOfEachKind) {
  struct Case {
    int set, ext, advanced;
  };
  TKivExtAnimation ext;
  TKivAdvancedAnimation advanced;
  TKivExtAnimation& through_base = advanced;  // the setter is virtual
  for (const Case& t : {Case{5000, 5000, 3000}, Case{20000, 9000, 3000}, Case{10, 50, 50},
                        Case{3000, 3000, 3000}, Case{700, 700, 700}}) {
    ext.SetTime(t.set);
    through_base.SetTime(t.set);
    EXPECT_EQ(ext.Time(), t.ext) << t.set;
    EXPECT_EQ(advanced.Time(), t.advanced) << t.set;
  }
  // The form stream sets Time through the same virtual setter.
  TAnimHolder holder(nullptr);
  TextToComponent("object H: TAnimHolder\n  Animation.Time = 5000\n  Plain.Time = 5000\nend\n",
                  &holder);
  EXPECT_EQ(holder.Animation()->Time(), 3000);
  EXPECT_EQ(holder.Plain()->Time(), 5000);
}

TEST(AnimOptions, AssignCopiesRecordNamesAndPicture) {
  TKivAdvancedAnimation source;
  source.SetEnabled(true);
  source.SetTileCount(7);
  source.SetEffectMouseEnter("[ FADE ] - Fade in");
  source.SetEffect("some effect");
  TkivBitmap pattern;
  pattern.SetSize(2, 2);
  source.SetBitmap(&pattern);

  TKivAdvancedAnimation copy;
  copy.Assign(&source);
  EXPECT_TRUE(copy.Enabled());
  EXPECT_EQ(copy.TileCount(), 7);
  EXPECT_EQ(copy.EffectMouseEnter(), "[ FADE ] - Fade in");
  EXPECT_EQ(copy.AnimationRec()->Effect(), "some effect");
  EXPECT_EQ(copy.Bitmap()->Width(), 2);
  EXPECT_NE(copy.Bitmap(), source.Bitmap());

  TKivExtAnimation plain;  // a plain one gives only its record
  plain.SetTileCount(3);
  copy.Assign(&plain);
  EXPECT_EQ(copy.TileCount(), 3);
  EXPECT_EQ(copy.EffectMouseEnter(), "[ FADE ] - Fade in");
  TkivBitmap other;
  EXPECT_THROW(copy.Assign(&other), EInvalidCast);
}

TEST(AnimOptions, GlobalOptionsExistFromTheStart) {
  EXPECT_FALSE(UseGlobalAnimation);
  EXPECT_EQ(GlobalAnimation().EffectMouseEnter(), kFadeEffectName);
  EXPECT_EQ(&GlobalAnimation(), &GlobalAnimation());
}

}  // namespace
}  // namespace kiv
