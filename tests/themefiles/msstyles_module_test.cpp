#include "themefiles/msstyles_module.hpp"

#include <gtest/gtest.h>

#include "graphics/kiv_bitmap.hpp"
#include "msstyles_support.hpp"
#include "pe_module_builder.hpp"
#include "themefiles/msstyles_ini.hpp"

namespace {

using kiv::TkivBitmap;
using kivtest::PeModuleBuilder;

std::vector<uint8_t> Utf16(std::u16string_view s) {
  std::vector<uint8_t> b;
  for (char16_t c : s) b.push_back(uint8_t(c)), b.push_back(uint8_t(c >> 8));
  return b;
}

// A packed DIB: 40-byte header, rows bottom-up, padded to 4 bytes.
std::vector<uint8_t> PackedDib(int w, int h, int bits, const std::vector<uint32_t>& top_down) {
  std::vector<uint8_t> b(40, 0);
  auto put = [&](size_t at, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b[at + i] = uint8_t(v >> (8 * i));
  };
  put(0, 40, 4), put(4, uint32_t(w), 4), put(8, uint32_t(h), 4), put(12, 1, 2),
      put(14, uint32_t(bits), 2);
  const int stride = (w * bits / 8 + 3) / 4 * 4;
  for (int y = h - 1; y >= 0; --y) {
    std::vector<uint8_t> row(size_t(stride), 0);
    for (int x = 0; x < w; ++x)
      for (int k = 0; k < bits / 8; ++k)
        row[size_t(x * bits / 8 + k)] = uint8_t(top_down[y * w + x] >> (8 * k));
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

TEST(MsStylesModule, IniTextKeepsTheLastLineAndDropsMarkAndPadding) {
  struct Case {
    std::u16string utf16;
    std::string want;
  };
  const Case cases[] = {
      // The resource's own size: nothing of the last line is lost.
      {u"[Border]\r\nWidth = 1", "[Border]\r\nWidth=1"},
      {u"\uFEFF[A]\r\nKey = v = w\r\n", "[A]\r\nKey=v=w\r\n"},
      {std::u16string(u"[A]\r\nX = 2\0\0\0", 12), "[A]\r\nX=2"},
      {u"caf\u00E9 \u4E2D", "caf\xE9 ?"},
      {u"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(kiv::StyleIniText(Utf16(c.utf16)), c.want);
  std::vector<uint8_t> odd = Utf16(u"ab");
  odd.push_back('c');  // half a character at the end is not read
  EXPECT_EQ(kiv::StyleIniText(odd), "ab");
}

TEST(MsStylesModule, NameListsEndAtTheEmptyString) {
  struct Case {
    std::u16string utf16;
    std::vector<std::string> want;
  };
  const Case cases[] = {
      {std::u16string(u"Blue\0\0", 6), {"Blue"}},
      {std::u16string(u"A\0Bc\0\0D\0", 9), {"A", "Bc"}},
      {u"Tail", {"Tail"}},
      {std::u16string(u"\0A\0", 3), {}},
      {u"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(kiv::ReadStyleNameList(Utf16(c.utf16)), c.want);
}

TEST(MsStylesModule, LibraryNeedsItsThreeListsAndTheIniResource) {
  const std::vector<uint8_t> ini = Utf16(u"[Edit]\r\nBgType = BorderFill\r\n");
  const kivtest::PeResourceSpec colors{
      u"COLORNAMES", 0, u"", 1, 0, Utf16(std::u16string(u"Blue\0\0", 6))};
  const kivtest::PeResourceSpec sizes{
      u"SIZENAMES", 0, u"", 1, 0, Utf16(std::u16string(u"NormalSize\0\0", 12))};
  const kivtest::PeResourceSpec files{
      u"FILERESNAMES", 0, u"", 1, 0, Utf16(std::u16string(u"BLUE_INI\0\0", 10))};
  const kivtest::PeResourceSpec text{u"TEXTFILE", 0, u"BLUE_INI", 0, 0, ini};
  const kivtest::PeResourceSpec empty_sizes{
      u"SIZENAMES", 0, u"", 1, 0, Utf16(std::u16string(u"\0\0", 2))};
  struct Case {
    const char* what;
    std::vector<kivtest::PeResourceSpec> resources;
    bool loads;
  };
  const Case cases[] = {
      {"complete", {colors, sizes, files, text}, true},
      {"no INI resource", {colors, sizes, files}, false},
      {"empty size list", {colors, empty_sizes, files, text}, false},
      {"no colour list", {sizes, files, text}, false},
  };
  for (const Case& c : cases) {
    kiv::TmsuxStyleLibrary library;
    EXPECT_EQ(library.Load(PeModuleBuilder::Build(c.resources).bytes), c.loads) << c.what;
    if (c.loads) {
      EXPECT_EQ(library.ColorNames, std::vector<std::string>{"Blue"});
      EXPECT_EQ(library.SizeNames, std::vector<std::string>{"NormalSize"});
      EXPECT_EQ(library.IniText, "[Edit]\r\nBgType=BorderFill\r\n");
    }
  }
}

TEST(MsStylesModule, BitmapResourcesOfEveryDepthBecomeSurfaces) {
  const std::vector<uint32_t> pixels{0x80112233, 0x00445566, 0xFF778899, 0x40AABBCC};
  TkivBitmap opaque;
  ASSERT_TRUE(kiv::LoadStyleBitmap(opaque, PackedDib(2, 2, 24, pixels)));
  ASSERT_EQ(opaque.Width(), 2);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(opaque.Bits()[i], pixels[i] | 0xFF000000u) << i;
  EXPECT_FALSE(opaque.AlphaBlend());

  TkivBitmap alpha;
  ASSERT_TRUE(kiv::LoadStyleBitmap(alpha, PackedDib(2, 2, 32, pixels)));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(alpha.Bits()[i], pixels[i]) << i;
  EXPECT_TRUE(alpha.AlphaBlend());

  // Not a bitmap, or rows missing: the surface stays as it was.
  std::vector<uint8_t> cut = PackedDib(2, 2, 24, pixels);
  cut.resize(cut.size() - 4);
  for (const std::vector<uint8_t>& bad : {std::vector<uint8_t>(10, 0), cut}) {
    EXPECT_FALSE(kiv::LoadStyleBitmap(alpha, bad));
    EXPECT_EQ(alpha.Width(), 2);
    EXPECT_EQ(alpha.Bits()[0], pixels[0]);
  }
}

TEST(MsStylesModule, WineLightStyleNamesAndIniText) {
  KIV_REQUIRE_LIGHT_MSSTYLES(path);
  kiv::TmsuxStyleLibrary library;
  ASSERT_TRUE(library.Load(kiv::TPeResources::FromFile(path).Bytes()));
  EXPECT_EQ(library.ColorNames, std::vector<std::string>{"Blue"});
  EXPECT_EQ(library.SizeNames, std::vector<std::string>{"NormalSize"});
  EXPECT_EQ(library.IniNames.front(), "BLUE_INI");
  // The file's last line survives whole.
  const kiv::TmsuxIni ini(library.IniText);
  const auto names = ini.SectionNames();
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(ini.ReadString(names.back(), "Width", "missing"), "1");
  EXPECT_EQ(ini.ReadString("button.PUSHBUTTON", "sizingmargins", ""), "8, 8, 8, 8");
}

}  // namespace
