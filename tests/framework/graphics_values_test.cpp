// Colours as text and RGB, fonts as persistent values, collections.
#include <gtest/gtest.h>

#include <memory>

#include "framework/collections.hpp"
#include "framework/colors.hpp"
#include "framework/font.hpp"
#include "framework/text_convert.hpp"

namespace kiv {
namespace {

TEST(Colors, TextFormUsesIdentifiersElseDollarHex) {
  struct Case {
    TColor color;
    const char* text;
  };
  for (const Case& t :
       {Case{clBtnFace, "clBtnFace"}, Case{clBlack, "clBlack"}, Case{clSilver, "clSilver"},
        Case{clNone, "clNone"}, Case{clDefault, "clDefault"}, Case{clMenuBar, "clMenuBar"},
        Case{0x123456, "$00123456"}, Case{static_cast<TColor>(0xFF000019), "$FF000019"}}) {
    EXPECT_EQ(ColorToString(t.color), t.text);
    EXPECT_EQ(StringToColor(t.text), t.color);
  }
  EXPECT_EQ(StringToColor("CLBTNFACE"), clBtnFace);
  EXPECT_EQ(StringToColor("clLtGray"), clSilver);
  EXPECT_EQ(StringToColor("255"), clRed);
  EXPECT_EQ(StringToColor("-16777201"), clBtnFace);
  EXPECT_EQ(StringToColor("0xFF"), clRed);
  try {
    StringToColor("reddish");
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'reddish' is not a valid integer value");
  }
  EXPECT_THROW(StringToColor("$1FFFFFFFF"), EConvertError);
  EXPECT_THROW(StringToColor(""), EConvertError);
}

TEST(Colors, SystemColoursResolveThroughThePlatform) {
  EXPECT_EQ(clScrollBar, static_cast<TColor>(0xFF000000));
  EXPECT_EQ(clBtnFace, static_cast<TColor>(0xFF00000F));
  EXPECT_EQ(ColorToRGB(clBtnFace), SysColor(15));
  EXPECT_EQ(ColorToRGB(clWindowText), SysColor(8));
  EXPECT_EQ(ColorToRGB(0x00ABCDEF), 0x00ABCDEF);
  EXPECT_EQ(ColorToRGB(clNone), clNone);
  EXPECT_EQ(ColorToRGB(clDefault), clDefault);
#ifndef _WIN32
  EXPECT_EQ(ColorToRGB(clBtnFace), 0xC8D0D4);  // the classic scheme natively
  EXPECT_EQ(ColorToRGB(clWindow), 0xFFFFFF);
#endif
}

TEST(Font, DefaultsSizeAndHeightFollowPixelsPerInch) {
  TFont f;
  EXPECT_EQ(f.Name(), "MS Sans Serif");
  EXPECT_EQ(f.PixelsPerInch(), ScreenPixelsPerInch());
#ifndef _WIN32
  EXPECT_EQ(ScreenPixelsPerInch(), 96);
#endif
  f.SetPixelsPerInch(96);
  f.SetHeight(-11);
  EXPECT_EQ(f.Size(), 8);
  f.SetSize(12);
  EXPECT_EQ(f.Height(), -16);
  f.SetPixelsPerInch(120);
  f.SetSize(8);
  EXPECT_EQ(f.Height(), -13);  // -MulDiv(8, 120, 72) rounds half away from zero
  EXPECT_EQ(f.Color(), clWindowText);
  EXPECT_EQ(f.Charset(), kDefaultCharset);
}

TEST(Font, ChangesNotifyOnceAndReleaseThePlatformHandle) {
  TFont f;
  int changes = 0;
  f.OnChange.Handler = [&](TObject* sender) {
    EXPECT_EQ(sender, &f);
    ++changes;
  };
  f.SetPlatformHandle(
      std::shared_ptr<void>(new int(1), [](void* p) { delete static_cast<int*>(p); }));
  f.SetColor(f.Color());  // unchanged: nothing happens
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(f.PlatformHandle());
  f.SetStyle({fsItalic});
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(f.PlatformHandle());

  TFont other;
  other.SetName("Arial");
  other.SetStyle({fsBold, fsStrikeOut});
  other.SetColor(clRed);
  f.Assign(&other);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(f.Name(), "Arial");
  EXPECT_EQ(f.Style(), (TFontStyles{fsBold, fsStrikeOut}));
  EXPECT_EQ(f.Color(), clRed);
  f.Assign(&other);
  EXPECT_EQ(changes, 2) << "assigning equal values is no change";
  TPersistent p;
  EXPECT_THROW(f.Assign(&p), EInvalidCast);
}

class TNamedItem : public TCollectionItem {
  KIV_CLASS(TNamedItem, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  std::string name;
  std::string DisplayName() const override {
    return name.empty() ? TCollectionItem::DisplayName() : name;
  }
  void Assign(const TPersistent* source) override {
    if (auto* o = dynamic_cast<const TNamedItem*>(source)) {
      name = o->name;
      return;
    }
    TCollectionItem::Assign(source);
  }
};
KIV_IMPLEMENT_CLASS(TNamedItem, c) {}

class TCountingCollection : public TCollection {
 public:
  TCountingCollection() : TCollection(TNamedItem::StaticClass()) {}
  int updates = 0;

 protected:
  void Update(TCollectionItem*) override { ++updates; }
};

TEST(Collection, ItemsKnowTheirIndexOwnerAndDisplayName) {
  TCountingCollection c;
  auto* a = static_cast<TNamedItem*>(c.Add());
  auto* b = static_cast<TNamedItem*>(c.Add());
  auto* d = static_cast<TNamedItem*>(c.Insert(0));
  EXPECT_EQ(d->Index(), 0);
  EXPECT_EQ(a->Index(), 1);
  EXPECT_EQ(a->Collection(), &c);
  EXPECT_EQ(a->GetOwner(), &c);
  EXPECT_EQ(a->DisplayName(), "TNamedItem");
  b->name = "second";
  EXPECT_EQ(b->DisplayName(), "second");
  EXPECT_EQ(c.FindItemID(b->ID()), b);
  b->SetIndex(0);
  EXPECT_EQ(c.Items(0), b);
  delete a;  // an item removes itself
  EXPECT_EQ(c.Count(), 2);
  c.Delete(0);
  EXPECT_EQ(c.Items(0), d);
  EXPECT_THROW(c.Items(1), EListError);
  int before = c.updates;
  c.BeginUpdate();
  c.Add();
  c.Add();
  EXPECT_EQ(c.updates, before);
  c.EndUpdate();
  EXPECT_EQ(c.updates, before + 1);
}

TEST(Collection, AssignCopiesItemsAndRefusesOtherClasses) {
  TCountingCollection src, dst;
  static_cast<TNamedItem*>(src.Add())->name = "x";
  static_cast<TNamedItem*>(src.Add())->name = "y";
  dst.Add();
  dst.Assign(&src);
  ASSERT_EQ(dst.Count(), 2);
  EXPECT_EQ(static_cast<TNamedItem*>(dst.Items(1))->name, "y");
  EXPECT_NE(dst.Items(1), src.Items(1));
  TFont f;
  EXPECT_THROW(dst.Assign(&f), EInvalidCast);
  // An item moved to another collection changes owner.
  TCollectionItem* moved = src.Items(0);
  moved->SetCollection(&dst);
  EXPECT_EQ(src.Count(), 1);
  EXPECT_EQ(dst.Count(), 3);
}

TEST(TextConvert, IntegersAndStringMappings) {
  EXPECT_EQ(StrToInt(" -42"), -42);
  EXPECT_EQ(StrToInt("$FF000000"), static_cast<int32_t>(0xFF000000));
  EXPECT_THROW(StrToInt("2147483648"), EConvertError);
  EXPECT_THROW(StrToInt("12a"), EConvertError);
  EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
  std::u16string w = u"a\u00E9\U0001F600";
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(w)), w);
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD") << "overlong forms are refused";
  EXPECT_EQ(NarrowLatin1(u"\u00E9\u0100"), "\xE9?");
  EXPECT_EQ(WidenLatin1("\xE9"), u"\u00E9");
}

}  // namespace
}  // namespace kiv
