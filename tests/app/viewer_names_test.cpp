#include "app/viewer_names.hpp"

#include <gtest/gtest.h>

namespace kiv {
namespace {

TEST(ViewerNames, ComeFromTheProgramFileName) {
  struct Case { const char* path; const char* base; const char* ini; const char* title; };
  const Case cases[] = {
      {"C:\\pics\\photo.final.exe", "photo", "C:\\pics\\photo.ini", "photo"},
      {"C:\\pics\\SunSet.exe", "SunSet", "C:\\pics\\SunSet.ini", "Sunset"},
      {"Z:/tmp/a/NoDot", "NoDot", "Z:/tmp/a/NoDot.ini", "Nodot"},
      {"viewer.exe", "viewer", "viewer.ini", "viewer"},
      {"C:\\dir.with.dots\\x.exe", "x", "C:\\dir.with.dots\\x.ini", "x"},
      {"C:\\pics\\.hidden.exe", "", "C:\\pics\\.ini", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ViewerBaseName(c.path), c.base) << c.path;
    EXPECT_EQ(ViewerSettingsPath(c.path), c.ini) << c.path;
    EXPECT_EQ(ViewerApplicationTitle(c.path), c.title) << c.path;
  }
}

TEST(ViewerNames, TextBoxHeightAcceptsDecimalAndBothHexForms) {
  struct Case { const char* text; int32_t want; };
  const Case cases[] = {
      {"0x20", 32}, {"0X20", 32}, {"$20", 32}, {"32", 32}, {"abc", 0},  {"", 0},
      {"0x", 0},    {"$", 0},     {"-5", -5},  {"12px", 0}, {"0x1g", 0}, {"99999999999", 0},
      {"007", 7},   {"-$10", -16}, {" 32", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseTextBoxHeight(c.text), c.want) << '"' << c.text << '"';
}

TEST(ViewerNames, CaptionHeightRoundsTheLineHeightTiesToEven) {
  EXPECT_EQ(CaptionLineHeight(-11), 12);
  EXPECT_EQ(CaptionLineHeight(-15), 16);  // -16.5 rounds to -16, not -17
  EXPECT_EQ(CaptionBoxHeight(0, -11, 3), 36);
  EXPECT_EQ(CaptionBoxHeight(0, -11, 4), 48);
  EXPECT_EQ(CaptionBoxHeight(-3, -11, 1), 12);  // a non-positive setting is ignored
  EXPECT_EQ(CaptionBoxHeight(32, -11, 9), 32);
}

TEST(ViewerNames, NotFoundMessageIsExact) {
  EXPECT_EQ(PictureNotFoundMessage("photo"),
            "Picture \"photo\"\r\n .jpg  .gif or .bmp not found");
}

}  // namespace
}  // namespace kiv
