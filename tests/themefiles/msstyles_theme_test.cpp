#include "themefiles/msstyles_theme.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "framework/exceptions.hpp"
#include "framework/streams.hpp"
#include "framework/zlib_streams.hpp"
#include "graphics/kiv_utils.hpp"
#include "msstyles_support.hpp"
#include "pe_module_builder.hpp"
#include "support/testdata.hpp"
#include "theme/theme_manager.hpp"
#include "theme/theme_tables.hpp"

namespace {

using kiv::TkivBitmap;
using kiv::TKivThemeMsStyles;
using kiv::TMemoryStream;

std::vector<uint32_t> Pixels(const TkivBitmap& b) {
  return std::vector<uint32_t>(b.Bits(), b.Bits() + size_t(b.Width()) * b.Height());
}

// The button in a state, drawn over white into a surface of that size.
std::vector<uint32_t> Button(const TKivThemeMsStyles& theme, int w, int h, uint8_t state) {
  TkivBitmap b;
  b.SetSize(w, h);
  b.Fill(0xFFFFFFFF);
  EXPECT_TRUE(theme.DrawButton(b.DC(), 0, kiv::MakeStateInfo(b.BoundsRect(), state)));
  return Pixels(b);
}

class LightTheme : public ::testing::Test {
 protected:
  void SetUp() override {
    KIV_REQUIRE_LIGHT_MSSTYLES(path);
    path_ = path;
    ASSERT_TRUE(theme_.LoadFromFile(path));
  }
  std::string path_;
  TKivThemeMsStyles theme_;
};

TEST_F(LightTheme, LoadsTheLibrary) {
  EXPECT_EQ(theme_.Name(), "light");
  EXPECT_EQ(theme_.FileName(), path_);
  EXPECT_TRUE(theme_.Loaded());
  EXPECT_EQ(theme_.ColorSchemes(), std::vector<std::string>{"Blue"});
  EXPECT_EQ(theme_.SizeNames(), std::vector<std::string>{"NormalSize"});
  EXPECT_GT(theme_.Bitmaps().Count(), 100);
  // No "FillColorHint" in the push button: the button colour stays the
  // theme's own instead of turning black.
  EXPECT_EQ(theme_.Colors()->GetColor(kiv::tcButtonNormal), kiv::clBtnFace);
  EXPECT_EQ(theme_.SysColors()->GetSysColor(kiv::clBtnFace), 0xF5F5F5);
  EXPECT_EQ(theme_.SysColors()->GetSysColor(kiv::clHighlight), 0xFA9630);  // 48 150 250
  EXPECT_EQ(theme_.Fonts()->FontByIndex(kiv::tfButtonTextDisabled)->Color(), 0xA6A6A6);
  EXPECT_TRUE(theme_.SupportsButton(0, "default"));
  EXPECT_TRUE(theme_.SupportsMemo(0, "default"));
  EXPECT_FALSE(theme_.SupportsPanel(1, "default"));  // no explorer-bar sections
  EXPECT_EQ(theme_.GetThemeType(), "Microsoft msstyles");
  EXPECT_EQ(theme_.GetConfig().FileFilter,
            "Microsoft msstyles (*.msstyles)|*.msstyles|Kivstyle themes (*.theme)|*.theme");
}

TEST_F(LightTheme, PackagedFormRoundTrip) {
  const std::string file = kivtest::TempPath("kiv-light-round-trip.theme");
  ASSERT_TRUE(theme_.SaveToFile(file));
  EXPECT_FALSE(theme_.SaveToFile(kivtest::TempPath("kiv-light.msstyles")));
  EXPECT_FALSE(std::filesystem::exists(kivtest::TempPath("kiv-light.msstyles")));

  TKivThemeMsStyles copy;
  ASSERT_TRUE(copy.LoadFromFile(file));
  EXPECT_EQ(copy.Name(), "light");
  EXPECT_EQ(copy.IniText(), theme_.IniText());
  EXPECT_EQ(copy.Bitmaps().Count(), theme_.Bitmaps().Count());
  for (uint8_t state : {0, 1, 2, 3})
    EXPECT_EQ(Button(copy, 75, 25, state), Button(theme_, 75, 25, state)) << int(state);
  // The manager's loader picks the class by the signature.
  kiv::RegisterMsStylesTheme();
  kiv::RegisterMsStylesTheme();
  TMemoryStream stream;
  stream.LoadFromFile(file);
  stream.SetPosition(0);
  const std::unique_ptr<kiv::TkivTheme> loaded = kiv::LoadThemeFromStream(stream);
  ASSERT_NE(dynamic_cast<TKivThemeMsStyles*>(loaded.get()), nullptr);
  std::filesystem::remove(file);
}

TEST_F(LightTheme, ForeignOrDamagedPackagesChangeNothing) {
  TMemoryStream good;
  ASSERT_TRUE(theme_.SaveToStream(good));
  const std::string bytes(reinterpret_cast<const char*>(good.Memory()), size_t(good.Size()));
  const int before = theme_.Bitmaps().Count();
  const std::string ini = theme_.IniText();
  const auto face = Button(theme_, 30, 20, 0);

  // Another signature: no success, nothing dropped.
  TMemoryStream other;
  other.WriteBuffer("QSMSSTX", 7);
  other.WriteBuffer(bytes.data() + 7, int64_t(bytes.size()) - 7);
  other.SetPosition(0);
  EXPECT_FALSE(theme_.LoadFromStream(other));
  EXPECT_FALSE(TKivThemeMsStyles::ClassCanLoadFromStream(other));

  // Cut short, or the content's bitmap count raised: the error propagates.
  for (size_t keep : {size_t(7), size_t(40), bytes.size() / 2, bytes.size() - 5}) {
    TMemoryStream cut;
    cut.WriteBuffer(bytes.data(), int64_t(keep));
    cut.SetPosition(0);
    EXPECT_THROW(theme_.LoadFromStream(cut), kiv::EStreamError) << keep;
  }
  TMemoryStream hostile;
  hostile.WriteBuffer("QSMSSTL", 7);
  {
    kiv::TCompressionStream z(kiv::kZlibFastest, hostile);
    kiv::WriteString(z, "name");
    kiv::WriteString(z, "[Edit]\r\nBgType=None\r\n");
    kiv::WriteU32(z, 0xFFFFFFFF);
    z.Finish();
  }
  hostile.SetPosition(0);
  EXPECT_THROW(theme_.LoadFromStream(hostile), kiv::EReadError);

  EXPECT_EQ(theme_.Bitmaps().Count(), before);
  EXPECT_EQ(theme_.IniText(), ini);
  EXPECT_EQ(theme_.Name(), "light");
  EXPECT_EQ(Button(theme_, 30, 20, 0), face);
}

TEST_F(LightTheme, AssignCopiesThePackage) {
  TKivThemeMsStyles copy;
  copy.Assign(&theme_);
  EXPECT_TRUE(copy.Loaded());
  EXPECT_EQ(Button(copy, 40, 30, 1), Button(theme_, 40, 30, 1));
}

TEST(MsStylesTheme, NotAStyleLibraryLoadsNothing) {
  TKivThemeMsStyles theme;
  const std::string junk =
      kivtest::WriteTempFile("kiv-not-a-style.msstyles", "MZ but nothing else");
  EXPECT_FALSE(theme.LoadFromFile(junk));
  EXPECT_FALSE(theme.LoadFromFile(kivtest::TempPath("kiv-no-such-file.msstyles")));
  EXPECT_FALSE(theme.LoadFromFile(kivtest::TempPath("kiv-no-such-file.theme")));
  EXPECT_FALSE(theme.Loaded());
  EXPECT_FALSE(theme.SupportsButton(0, "default"));
  EXPECT_TRUE(theme.FileName().empty());
  std::filesystem::remove(junk);
}

TEST(MsStylesTheme, WhatTheStyleLacksIsNotDrawn) {
  // A style with a push button and no edit: the edit falls to the built-in look.
  auto u16 = [](std::u16string_view s) {
    std::vector<uint8_t> b;
    for (char16_t c : s) b.push_back(uint8_t(c)), b.push_back(uint8_t(c >> 8));
    return b;
  };
  const std::vector<kivtest::PeResourceSpec> resources{
      {u"COLORNAMES", 0, u"", 1, 0, u16(std::u16string(u"Blue\0\0", 6))},
      {u"SIZENAMES", 0, u"", 1, 0, u16(std::u16string(u"Normal\0\0", 8))},
      {u"FILERESNAMES", 0, u"", 1, 0, u16(std::u16string(u"X_INI\0\0", 7))},
      {u"TEXTFILE", 0, u"X_INI", 0, 0,
       u16(u"[Button.Pushbutton]\r\nBgType = BorderFill\r\nBorderSize = 1\r\nFillColor = 0 0 "
           u"255\r\n")},
  };
  TKivThemeMsStyles theme;
  ASSERT_TRUE(theme.LoadFromLibrary(kivtest::PeModuleBuilder::Build(resources).bytes, "x"));
  EXPECT_FALSE(theme.SupportsMemo(0, "default"));
  TkivBitmap b;
  b.SetSize(6, 4);
  b.Fill(0xFF00FF00);
  EXPECT_FALSE(theme.DrawMemo(b.DC(), kiv::MakeStateInfo(b.BoundsRect(), 0)));
  EXPECT_EQ(b.GetPixel(2, 2), 0xFF00FF00u);
  EXPECT_TRUE(theme.DrawButton(b.DC(), 0, kiv::MakeStateInfo(b.BoundsRect(), 0)));
  EXPECT_EQ(b.GetPixel(2, 2) & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(b.GetPixel(0, 0) & 0xFFFFFF, 0x000000u);
}

}  // namespace
