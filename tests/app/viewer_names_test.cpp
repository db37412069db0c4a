#include "app/viewer_names.hpp"

#include <gtest/gtest.h>

namespace kiv {
namespace {

TEST(ViewerNames, ComeFromTheProgramFileName) {
  struct Case {
    const wchar_t* path;
    const wchar_t* base;
    const wchar_t* ini;
    const wchar_t* title;
  };
  const Case cases[] = {
      {L"C:\\pics\\photo.final.exe", L"photo", L"C:\\pics\\photo.ini", L"photo"},
      {L"C:\\pics\\SunSet.exe", L"SunSet", L"C:\\pics\\SunSet.ini", L"Sunset"},
      {L"Z:/tmp/a/NoDot", L"NoDot", L"Z:/tmp/a/NoDot.ini", L"Nodot"},
      {L"viewer.exe", L"viewer", L"viewer.ini", L"viewer"},
      {L"C:\\dir.with.dots\\x.exe", L"x", L"C:\\dir.with.dots\\x.ini", L"x"},
      {L"C:\\pics\\.hidden.exe", L"", L"C:\\pics\\.ini", L""},
      // Names outside any single-byte code page keep every character.
      {L"C:\\\u0444\u043e\u0442\u043e\\\u041b\u0435\u0442\u043e.final.exe",
       L"\u041b\u0435\u0442\u043e", L"C:\\\u0444\u043e\u0442\u043e\\\u041b\u0435\u0442\u043e.ini",
       L"\u041b\u0435\u0442\u043e"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ViewerBaseName(c.path), c.base);
    EXPECT_EQ(ViewerSettingsPath(c.path), c.ini);
    EXPECT_EQ(ViewerApplicationTitle(c.path), c.title);
  }
}

TEST(ViewerNames, TextBoxHeightAcceptsDecimalAndBothHexForms) {
  struct Case {
    const char* text;
    int32_t want;
  };
  const Case cases[] = {
      {"0x20", 32}, {"0X20", 32},       {"$20", 32}, {"32", 32},    {"abc", 0},
      {"", 0},      {"0x", 0},          {"$", 0},    {"-5", -5},    {"12px", 0},
      {"0x1g", 0},  {"99999999999", 0}, {"007", 7},  {"-$10", -16}, {" 32", 0},
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
  EXPECT_EQ(PictureNotFoundMessage(L"photo"),
            L"Picture \"photo\"\r\n .jpg  .gif or .bmp not found");
}

}  // namespace
}  // namespace kiv
