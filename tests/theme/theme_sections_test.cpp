// The theme sections: their stored forms byte for byte, round trips through
// fresh sections, the system colours' repeated identifier, and streams that
// lie about their counts and lengths or hold text that is not a value.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "framework/exceptions.hpp"
#include "framework/streams.hpp"
#include "graphics/kiv_color.hpp"
#include "graphics/kiv_utils.hpp"
#include "theme/kiv_theme.hpp"
#include "theme/section_bytes.hpp"
#include "theme/theme_font_text.hpp"

namespace kiv {
namespace {

using kivtest::SectionBytes;

std::unique_ptr<TMemoryStream> Saved(const std::function<void(TStream&)>& save) {
  auto s = std::make_unique<TMemoryStream>();
  save(*s);
  s->SetPosition(0);
  return s;
}

TEST(ThemeSections, ColourSectionStartsWithCountAndFirstTriple) {
  TkivTheme theme;
  auto s = Saved([&](TStream& out) { theme.Colors()->SaveToStream(out); });
  const std::vector<uint8_t> want =
      SectionBytes().U8(21).Str("CaptionNormal").Str(":").Str("clBlue").Bytes();
  const std::vector<uint8_t> got = kivtest::StreamBytes(*s);
  ASSERT_GE(got.size(), want.size());
  EXPECT_EQ(std::vector<uint8_t>(got.begin(), got.begin() + want.size()), want);
  // Then the other 21 triples, entry names in index order, nothing after.
  s->SetPosition(want.size());
  for (int i = 1; i < kThemeColorCount; ++i) {
    EXPECT_EQ(ReadString(*s), ColorNames[i]);
    EXPECT_EQ(ReadString(*s), ":");
    EXPECT_EQ(StringToColor(ReadString(*s)), theme.Colors()->GetColor(i)) << i;
  }
  EXPECT_EQ(s->Position(), s->Size());
}

TEST(ThemeSections, SystemColourSectionStoresBothActiveCaptionEntries) {
  TkivTheme theme;
  auto s = Saved([&](TStream& out) { theme.SysColors()->SaveToStream(out); });
  ASSERT_EQ(ReadU32(*s), 26u);
  int active_caption = 0;
  for (int i = 0; i < 26; ++i) {
    const std::string name = ReadString(*s);
    EXPECT_EQ(name, SysColorTable[i].Identifier);
    EXPECT_EQ(ReadString(*s), ":");
    EXPECT_EQ(StringToColor(ReadString(*s)), ColorToRGB(SysColorTable[i].Constant)) << name;
    active_caption += name == "clActiveCaption";
  }
  EXPECT_EQ(active_caption, 2);
  EXPECT_EQ(s->Position(), s->Size());
}

TEST(ThemeSections, SystemColourLookupFindsTheFirstEntryOfAConstant) {
  // Entry i holds the colour i, so every entry can be told apart.
  SectionBytes b;
  b.U32(26);
  for (int i = 0; i < 26; ++i) b.Entry(SysColorTable[i].Identifier, std::to_string(i));
  TkivThemeSysColors section;
  section.LoadFromStream(*b.Stream());
  EXPECT_EQ(section.GetSysColor(clActiveCaption), 1);
  EXPECT_EQ(section.Entry(10), 10);
  EXPECT_EQ(section.GetSysColor(clBtnFace), 4);
  EXPECT_EQ(section.GetSysColor(clDefault), 9);
  EXPECT_EQ(section.GetSysColor(clWindowText), clNone);  // the table's 27th entry is not held
  EXPECT_EQ(section.GetSysColor(clRed), clNone);

  section.SetSysColor(clActiveCaption, 0x123456);
  EXPECT_EQ(section.Entry(1), 0x123456);
  EXPECT_EQ(section.Entry(10), 10);
  section.SetSysColor(clWindowText, 0x654321);  // ignored
  for (int i = 0; i < 26; ++i)
    if (i != 1) {
      EXPECT_EQ(section.Entry(i), i);
    }
}

// Values unlike any default: system colours, named colours, clNone,
// clDefault and plain colours.
TColor SampleColor(int i) {
  const TColor named[] = {clBtnFace, clRed, clHighlight, clNone, clDefault};
  return i % 2 ? named[i / 2 % 5] : 0x00102030 + i * 0x010101;
}

TEST(ThemeSections, EverySectionRoundTripsThroughAFreshOne) {
  TkivTheme theme;
  for (int i = 0; i < kThemeColorCount; ++i) theme.Colors()->SetColor(i, SampleColor(i));
  // System colours through a stream, since the repeated constant cannot be
  // set apart by SetSysColor.
  SectionBytes sys;
  sys.U32(26);
  for (int i = 0; i < 26; ++i) sys.Entry("x", ColorToString(SampleColor(i + 3)));
  theme.SysColors()->LoadFromStream(*sys.Stream());
  for (int i = 0; i < kThemeFontCount; ++i) {
    TFont* f = theme.Fonts()->FontByIndex(i);
    SetFontValues(*f, i % 2 ? "Arial" : "Courier New", 6 + i % 13, 0x00010203 * (i + 1),
                  TFontStyles::FromBits(i % 16));
  }
  theme.Options()->SetOption(1, true);

  TkivThemeColors colors;
  colors.LoadFromStream(*Saved([&](TStream& s) { theme.Colors()->SaveToStream(s); }));
  for (int i = 0; i < kThemeColorCount; ++i) EXPECT_EQ(colors.GetColor(i), SampleColor(i)) << i;

  TkivThemeSysColors sys_colors;
  sys_colors.LoadFromStream(*Saved([&](TStream& s) { theme.SysColors()->SaveToStream(s); }));
  for (int i = 0; i < kThemeSysColorCount; ++i)
    EXPECT_EQ(sys_colors.Entry(i), SampleColor(i + 3)) << i;

  TkivThemeFonts fonts;
  fonts.LoadFromStream(*Saved([&](TStream& s) { theme.Fonts()->SaveToStream(s); }));
  for (int i = 0; i < kThemeFontCount; ++i) {
    const TFont* want = theme.Fonts()->FontByIndex(i);
    const TFont* got = fonts.FontByIndex(i);
    EXPECT_EQ(got->Name(), want->Name()) << i;
    EXPECT_EQ(got->Size(), want->Size()) << i;
    EXPECT_EQ(got->Color(), want->Color()) << i;
    EXPECT_EQ(got->Style(), want->Style()) << i;
  }

  TkivThemeOptions options;
  auto saved = Saved([&](TStream& s) { theme.Options()->SaveToStream(s); });
  EXPECT_EQ(kivtest::StreamBytes(*saved), (std::vector<uint8_t>{1, 0, 1}));
  options.LoadFromStream(*saved);
  EXPECT_FALSE(options.GetOption(0));
  EXPECT_TRUE(options.GetOption(1));
}

TEST(ThemeSections, FontWithASystemColourReadsBackAsThatColour) {
  TkivThemeFonts fonts;
  fonts.FontByIndex(3)->SetColor(clBtnShadow);
  fonts.FontByIndex(4)->SetColor(clHighlight);
  TkivThemeFonts read;
  read.LoadFromStream(*Saved([&](TStream& s) { fonts.SaveToStream(s); }));
  EXPECT_EQ(read.FontByIndex(3)->Color(), ColorToRGB(clBtnShadow));
  EXPECT_EQ(read.FontByIndex(4)->Color(), ColorToRGB(clHighlight));
}

// ---- streams that do not hold what they claim ----

// Each section's reader with a way to see whether it changed.
struct Section {
  const char* name;
  std::function<void(TStream&)> load;
  std::function<std::string()> state;
};

struct Sections {
  TkivThemeColors colors;
  TkivThemeSysColors sys_colors;
  TkivThemeFonts fonts;
  TkivThemeOptions options;

  std::vector<Section> All() {
    return {
        {"colors", [this](TStream& s) { colors.LoadFromStream(s); },
         [this] {
           TMemoryStream m;
           colors.SaveToStream(m);
           return std::string(m.Memory(), m.Memory() + m.Size());
         }},
        {"sys colors", [this](TStream& s) { sys_colors.LoadFromStream(s); },
         [this] {
           TMemoryStream m;
           sys_colors.SaveToStream(m);
           return std::string(m.Memory(), m.Memory() + m.Size());
         }},
        {"fonts", [this](TStream& s) { fonts.LoadFromStream(s); },
         [this] {
           TMemoryStream m;
           fonts.SaveToStream(m);
           return std::string(m.Memory(), m.Memory() + m.Size());
         }},
        {"options", [this](TStream& s) { options.LoadFromStream(s); },
         [this] {
           TMemoryStream m;
           options.SaveToStream(m);
           return std::string(m.Memory(), m.Memory() + m.Size());
         }},
    };
  }
};

TEST(ThemeSections, CountsAndLengthsPastTheEndAreReadErrorsThatChangeNothing) {
  const std::string font = "Arial,9,0,1,2,3";
  struct Case {
    const char* what;
    std::vector<uint8_t> colors, sys_colors, fonts, options;
  };
  const Case cases[] = {
      {"empty stream", {}, {}, {}, {}},
      {"count 255, two entries",
       SectionBytes().U8(255).Entry("a", "clRed").Entry("b", "clLime").Bytes(),
       SectionBytes().U32(255).Entry("a", "clRed").Entry("b", "clLime").Bytes(),
       SectionBytes().U8(255).Entry("a", font).Entry("b", font).Bytes(),
       SectionBytes().U8(255).U8(1).U8(1).Bytes()},
      {"huge 32-bit count", {}, SectionBytes().U32(0xFFFFFFFF).Entry("a", "clRed").Bytes(), {}, {}},
      {"length past the end",
       SectionBytes().U8(0).Str("a").Str(":").U32(1000).Bytes(),
       SectionBytes().U32(1).Str("a").Str(":").U32(1000).Bytes(),
       SectionBytes().U8(0).Str("a").Str(":").U32(1000).Bytes(),
       {}},
      {"negative length",
       SectionBytes().U8(0).Str("a").U32(0x80000000).Str("clRed").Bytes(),
       SectionBytes().U32(1).Str("a").U32(0xFFFFFFFF).Str("clRed").Bytes(),
       SectionBytes().U8(0).Str("a").U32(0xFFFFFFF0).Str(font).Bytes(),
       {}},
      // The second entry is cut short: the first must not be stored either.
      {"second entry cut short",
       SectionBytes().U8(1).Entry("a", "clRed").Str("b").Str(":").U32(6).U8('c').Bytes(),
       SectionBytes().U32(2).Entry("a", "clRed").Str("b").Str(":").U32(6).U8('c').Bytes(),
       SectionBytes().U8(1).Entry("a", font).Str("b").Str(":").U32(6).U8('A').Bytes(),
       {}},
  };
  for (const Case& c : cases) {
    Sections sections;
    const std::vector<uint8_t>* bytes[] = {&c.colors, &c.sys_colors, &c.fonts, &c.options};
    int i = 0;
    for (const Section& section : sections.All()) {
      const std::vector<uint8_t>& data = *bytes[i++];
      if (&c != &cases[0] && data.empty()) continue;  // no such case for this section
      TMemoryStream s;
      if (!data.empty()) s.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
      s.SetPosition(0);
      const std::string before = section.state();
      EXPECT_THROW(section.load(s), EReadError) << c.what << ", " << section.name;
      EXPECT_EQ(section.state(), before) << c.what << ", " << section.name;
    }
  }
}

TEST(ThemeSections, SurplusEntriesAreReadAndDropped) {
  // 256 entries where the sections hold 22, 26, 66 and 2; entry i holds i.
  SectionBytes colors, sys, fonts, options;
  colors.U8(255);
  sys.U32(256);
  fonts.U8(255);
  options.U8(255);
  for (int i = 0; i < 256; ++i) {
    colors.Entry("c", std::to_string(i));
    sys.Entry("s", std::to_string(i));
    fonts.Entry("f", "F" + std::to_string(i) + "," + std::to_string(i % 50 + 1) + ",0,0,0,0");
    options.U8(static_cast<uint8_t>(i % 2 ? 1 : 0));
  }
  colors.U8(0xEE);  // bytes after the section stay unread
  Sections s;
  auto cs = colors.Stream();
  s.colors.LoadFromStream(*cs);
  EXPECT_EQ(cs->Position(), cs->Size() - 1);
  for (int i = 0; i < kThemeColorCount; ++i) EXPECT_EQ(s.colors.GetColor(i), i);
  auto ss = sys.Stream();
  s.sys_colors.LoadFromStream(*ss);
  EXPECT_EQ(ss->Position(), ss->Size());
  for (int i = 0; i < kThemeSysColorCount; ++i) EXPECT_EQ(s.sys_colors.Entry(i), i);
  auto fs = fonts.Stream();
  s.fonts.LoadFromStream(*fs);
  EXPECT_EQ(fs->Position(), fs->Size());
  for (int i = 0; i < kThemeFontCount; ++i) {
    EXPECT_EQ(s.fonts.FontByIndex(i)->Name(), "F" + std::to_string(i));
    EXPECT_EQ(s.fonts.FontByIndex(i)->Size(), i % 50 + 1);
  }
  auto os = options.Stream();
  s.options.LoadFromStream(*os);
  EXPECT_EQ(os->Position(), os->Size());
  EXPECT_FALSE(s.options.GetOption(0));
  EXPECT_TRUE(s.options.GetOption(1));
}

TEST(ThemeSections, TextThatIsNotAValueStopsReadingAndKeepsWhatWasRead) {
  TkivThemeColors colors;
  colors.SetColor(2, clAqua);
  colors.SetColor(3, clAqua);
  auto cs = SectionBytes()
                .U8(3)
                .Entry("a", "clRed")
                .Entry("b", "$00123456")
                .Entry("c", "not a colour")
                .Entry("d", "clLime")
                .Stream();
  EXPECT_THROW(colors.LoadFromStream(*cs), EConvertError);
  EXPECT_EQ(colors.GetColor(0), clRed);
  EXPECT_EQ(colors.GetColor(1), 0x123456);
  EXPECT_EQ(colors.GetColor(2), clAqua);
  EXPECT_EQ(colors.GetColor(3), clAqua);

  TkivThemeSysColors sys;
  const TColor face = sys.Entry(4);
  auto ss = SectionBytes()
                .U32(5)
                .Entry("a", "1")
                .Entry("b", "2")
                .Entry("c", "3")
                .Entry("d", "4")
                .Entry("e", "")
                .Stream();
  EXPECT_THROW(sys.LoadFromStream(*ss), EConvertError);  // empty text is not a colour
  EXPECT_EQ(sys.Entry(3), 4);
  EXPECT_EQ(sys.Entry(4), face);

  // A font entry whose size, or one of whose colour fields, is not an
  // integer leaves that font entirely as it was.
  for (const char* bad : {"Arial,big,0,1,2,3", "Arial,9,0,1,x,3", "Arial,9,0,1,2", "Arial"}) {
    TkivThemeFonts fonts;
    auto fs = SectionBytes().U8(1).Entry("a", "Verdana,12,0,0,0,255,bold").Entry("b", bad).Stream();
    EXPECT_THROW(fonts.LoadFromStream(*fs), EConvertError) << bad;
    EXPECT_EQ(fonts.FontByIndex(0)->Name(), "Verdana") << bad;
    EXPECT_EQ(fonts.FontByIndex(0)->Color(), 0xFF0000) << bad;
    EXPECT_EQ(fonts.FontByIndex(1)->Name(), "Tahoma") << bad;
    EXPECT_EQ(fonts.FontByIndex(1)->Size(), TFont().Size()) << bad;
  }
}

TEST(ThemeSections, ReadingIsPositionalAndIgnoresStoredNames) {
  TkivThemeColors colors;
  colors.LoadFromStream(
      *SectionBytes().U8(1).Entry("Grid", "clRed").Str("").Str("").Str("clLime").Stream());
  EXPECT_EQ(colors.GetColor(tcCaptionNormal), clRed);
  EXPECT_EQ(colors.GetColor(tcCaptionInactive), clLime);
  EXPECT_EQ(colors.GetColor(tcGrid), 0);
}

TEST(ThemeSections, IndicesOutsideASectionAreListErrors) {
  TkivThemeColors colors;
  TkivThemeSysColors sys;
  TkivThemeFonts fonts;
  TkivThemeOptions options;
  EXPECT_THROW(colors.GetColor(22), EListError);
  EXPECT_THROW(colors.SetColor(-1, 0), EListError);
  EXPECT_THROW(sys.Entry(26), EListError);
  EXPECT_THROW(fonts.FontByIndex(66), EListError);
  EXPECT_THROW(fonts.ObjectFont(-1, "default"), EListError);
  EXPECT_THROW(options.SetOption(2, true), EListError);
}

TEST(ThemeSections, AssignCopiesFromItsOwnClassOnly) {
  TkivThemeColors a, b;
  a.SetColor(5, clRed);
  b.Assign(&a);
  EXPECT_EQ(b.GetColor(5), clRed);
  TkivThemeFonts fa, fb;
  fa.FontByIndex(7)->SetName("Arial");
  fb.Assign(&fa);
  EXPECT_EQ(fb.FontByIndex(7)->Name(), "Arial");
  EXPECT_NE(fb.FontByIndex(7), fa.FontByIndex(7));
  TkivThemeOptions oa, ob;
  oa.SetOption(0, true);
  ob.Assign(&oa);
  EXPECT_TRUE(ob.GetOption(0));

  TkivThemeSysColors sys;
  EXPECT_THROW(b.Assign(&sys), EInvalidCast);
  EXPECT_EQ(b.GetColor(5), clRed);
  EXPECT_THROW(sys.Assign(&a), EInvalidCast);
  EXPECT_THROW(ob.Assign(&fa), EInvalidCast);
}

TEST(ThemeSections, ShiftsLeaveColourSectionsAloneForZeroButResolveFonts) {
  TkivThemeColors colors;
  colors.SetColor(0, clBtnFace);
  colors.SetColor(1, clBlue);
  colors.ShiftHue(0);
  colors.ShiftBrightness(0);
  EXPECT_EQ(colors.GetColor(0), clBtnFace);
  colors.ShiftHue(85);  // blue -> red; system colours come out resolved
  EXPECT_EQ(colors.GetColor(1), clRed);
  EXPECT_GE(colors.GetColor(0), 0);
  colors.ShiftBrightness(-1000);
  EXPECT_EQ(colors.GetColor(1), clBlack);

  TkivThemeSysColors sys;
  sys.SetSysColor(clBtnFace, clBlue);
  sys.ShiftHue(85);
  EXPECT_EQ(sys.GetSysColor(clBtnFace), clRed);
  sys.ShiftBrightness(300);
  EXPECT_EQ(sys.GetSysColor(clBtnFace), clWhite);

  TkivThemeFonts fonts;
  fonts.FontByIndex(0)->SetColor(clBtnShadow);
  fonts.FontByIndex(1)->SetColor(0x00000142);  // a colour a hue round trip would move
  fonts.ShiftHue(0);
  EXPECT_EQ(fonts.FontByIndex(0)->Color(), ColorToRGB(clBtnShadow));
  EXPECT_EQ(fonts.FontByIndex(1)->Color(), 0x00000142);
  fonts.ShiftBrightness(0);
  EXPECT_EQ(fonts.FontByIndex(1)->Color(), 0x00000142);
  fonts.FontByIndex(2)->SetColor(clBlue);
  fonts.ShiftHue(85);
  EXPECT_EQ(fonts.FontByIndex(2)->Color(), clRed);
}

}  // namespace
}  // namespace kiv
