// Themes kept in a form's stream: the "ThemeStream" property's bytes, a round
// trip through a form's binary and text forms, sizes the data cannot hold,
// and the older form converted (or left empty) on reading.
#include <gtest/gtest.h>

#include <memory>

#include "framework/class_builder.hpp"
#include "framework/exceptions.hpp"
#include "framework/filer.hpp"
#include "skin_bytes.hpp"
#include "themefiles/skin_theme.hpp"
#include "themefiles/theme_stream.hpp"

namespace kiv {
namespace {

// A component that carries themes, as a form would.
class TThemeHolder : public TComponent {
  KIV_CLASS(TThemeHolder, TComponent)
 public:
  explicit TThemeHolder(TComponent* owner = nullptr)
      : TComponent(owner), themes_(TKivThemeStream::StaticClass(), this) {}
  TCollection* Themes() const { return const_cast<TCollection*>(&themes_); }
  TKivThemeStream* Item(int i) const { return static_cast<TKivThemeStream*>(themes_.Items(i)); }

 private:
  TCollection themes_;
};
KIV_IMPLEMENT_CLASS(TThemeHolder, c) {
  c.Object("Themes", &TThemeHolder::Themes);
}

std::vector<uint8_t> Bytes(TMemoryStream& s) {
  return std::vector<uint8_t>(s.Memory(), s.Memory() + s.Size());
}

std::vector<uint8_t> Written(const TKivThemeStream& item) {
  TMemoryStream out;
  item.WriteData(out);
  return Bytes(out);
}

void Read(TKivThemeStream& item, const kivtest::SkinBytes& bytes) {
  auto in = bytes.Stream();
  item.ReadData(*in);
}

// A skin with one object, built field by field.
kivtest::SkinBytes SkinFile(const std::string& name) {
  kivtest::SkinBytes b;
  b.Raw(std::string("_UCT\0", 5)).Header(name).U32(0).U32(0xFF0001u);
  b.Str("TLqSkinObject").Str("object Button: TLqSkinObject\n  Height = 23\nend\n");
  return b.ColorTable("clGreen").SysColorTable().FontTable("Tahoma,8,1,0,0,0");
}

TEST(ThemeStream, WritesAMarkerAndWhenThereIsDataItsNameAndSize) {
  TKivThemeStream item(nullptr);
  EXPECT_EQ(item.DisplayName(), "(empty)");
  EXPECT_EQ(Written(item), std::vector<uint8_t>{0});

  item.Data()->WriteBuffer("0123456789", 10);
  item.SetThemeName("Abcd");
  kivtest::SkinBytes want;
  want.U8(2).Str("Abcd").U32(10).U32(0).Raw("0123456789");
  EXPECT_EQ(Written(item), want.Bytes());  // 27 bytes
  EXPECT_EQ(item.ThemeStore(), "Abcd");
  item.SetThemeStore("ignored");
  EXPECT_EQ(item.DisplayName(), "Abcd");

  TKivThemeStream back(nullptr);
  Read(back, want);
  EXPECT_EQ(back.ThemeName(), "Abcd");
  EXPECT_EQ(Bytes(*back.Data()), std::vector<uint8_t>(want.Bytes().end() - 10, want.Bytes().end()));
  // An empty item and an unknown marker read back empty.
  for (uint8_t marker : {0, 7}) {
    kivtest::SkinBytes other;
    other.U8(marker).Str("x");
    Read(back, other);
    EXPECT_EQ(back.Data()->Size(), 0) << int(marker);
    EXPECT_EQ(back.ThemeName(), "(empty)") << int(marker);
  }
}

TEST(ThemeStream, SizesTheDataCannotHoldAreReadErrors) {
  struct Case {
    const char* what;
    int64_t size;
    int extra;  // bytes actually there
  };
  const Case cases[] = {
      {"one byte more than there is", 5, 4},
      {"negative", -1, 4},
      {"a huge size", int64_t{1} << 60, 4},
  };
  for (const Case& c : cases) {
    kivtest::SkinBytes b;
    b.U8(2).Str("Big").U32(uint32_t(c.size)).U32(uint32_t(uint64_t(c.size) >> 32));
    for (int i = 0; i < c.extra; ++i) b.U8(0xAB);
    TKivThemeStream item(nullptr);
    EXPECT_THROW(Read(item, b), EReadError) << c.what;
    EXPECT_EQ(item.Data()->Size(), 0) << c.what;
  }
}

TEST(ThemeStream, AFormCarriesItsThemeThroughBinaryAndTextForms) {
  TKivSkinFile skin;
  auto in = SkinFile("Carried").Stream();
  ASSERT_TRUE(skin.LoadFromStream(*in));
  TThemeHolder holder;
  holder.SetName("Holder");
  auto* item = static_cast<TKivThemeStream*>(holder.Themes()->Add());
  item->StoreTheme(&skin);
  item->SetTag(5);
  holder.Themes()->Add();  // an empty one alongside
  ASSERT_GT(item->Data()->Size(), 5);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(item->Data()->Memory()), 5),
            std::string("_MCT\0", 5));
  EXPECT_EQ(item->ThemeName(), "Carried");

  TMemoryStream binary;
  binary.WriteComponent(&holder);
  binary.SetPosition(0);
  TThemeHolder from_binary;
  binary.ReadComponent(&from_binary);
  TThemeHolder from_text;
  TextToComponent(ComponentToText(&holder), &from_text);
  for (TThemeHolder* h : {&from_binary, &from_text}) {
    ASSERT_EQ(h->Themes()->Count(), 2);
    EXPECT_EQ(h->Item(0)->ThemeName(), "Carried");
    EXPECT_EQ(h->Item(0)->Tag(), 5);
    EXPECT_EQ(Bytes(*h->Item(0)->Data()), Bytes(*item->Data()));
    EXPECT_EQ(h->Item(1)->ThemeName(), "(empty)");
    EXPECT_EQ(h->Item(1)->LoadTheme(), nullptr);
    // The manager reads the theme back from the item.
    std::unique_ptr<TkivTheme> theme = h->Item(0)->LoadTheme();
    auto* back = dynamic_cast<TKivSkinFile*>(theme.get());
    ASSERT_NE(back, nullptr);
    ASSERT_NE(back->DefaultObject(srButton), nullptr);
    EXPECT_EQ(back->DefaultObject(srButton)->Height(), 23);
  }
}

TEST(ThemeStream, TheOlderFormIsConvertedThroughTheManagerOrLeftEmpty) {
  kivtest::SkinBytes older;
  older.U8(1).Raw(SkinFile("Older").Bytes());
  TKivThemeStream item(nullptr);
  Read(item, older);
  EXPECT_EQ(item.ThemeName(), "Older");
  ASSERT_GT(item.Data()->Size(), 5);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(item.Data()->Memory()), 5),
            std::string("_MCT\0", 5));

  // Data no class claims, and a skin without objects: the item stays empty.
  kivtest::SkinBytes unknown;
  unknown.U8(1).Raw("not a theme at all");
  kivtest::SkinBytes no_objects;
  no_objects.U8(1).Raw(std::string("_UCT\0", 5)).Header("Hollow").U32(0).U32(0xFF0000u);
  no_objects.ColorTable("clRed").SysColorTable().FontTable("Tahoma,8,1,0,0,0");
  for (const kivtest::SkinBytes* b : {&unknown, &no_objects}) {
    Read(item, *b);
    EXPECT_EQ(item.Data()->Size(), 0);
    EXPECT_EQ(item.ThemeName(), "(empty)");
  }
  // A skin cut short raises the container's error; the item is left empty.
  kivtest::SkinBytes cut;
  cut.U8(1).Raw(std::string("_UCT\0", 5)).Header("Cut").U32(3);
  EXPECT_THROW(Read(item, cut), EReadError);
  EXPECT_EQ(item.Data()->Size(), 0);
}

}  // namespace
}  // namespace kiv
