#include "skin_description.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "framework/exceptions.hpp"
#include "framework/font.hpp"
#include "framework/picture/png_writer.hpp"
#include "framework/streams.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_bitmap_list.hpp"
#include "support/testdata.hpp"
#include "themefiles/skin_filters.hpp"
#include "themefiles/skin_objects.hpp"
#include "themefiles/skin_source.hpp"

namespace kiv {
namespace {

// A 2 x 1 24-bit BMP, bottom-up: a magenta pixel and a white one.
void WriteBmp(const std::string& path) {
  const uint8_t bmp[] = {
      'B', 'M', 62, 0, 0, 0, 0, 0, 0,   0, 54,  0,   0,   0,           // file header
      40,  0,   0,  0, 2, 0, 0, 0, 1,   0, 0,   0,   1,   0,   24, 0,  // info header
      0,   0,   0,  0, 8, 0, 0, 0, 0,   0, 0,   0,   0,   0,   0,  0,
      0,   0,   0,  0, 0, 0, 0, 0, 255, 0, 255, 255, 255, 255, 0,  0};  // pixels, padding
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bmp), sizeof bmp);
}

// Pictures in the temporary folder, beside the description that uses them.
struct Fixture {
  std::string description = kivtest::TempPath("kivskin-desc.txt");
  Fixture() {
    // 16 x 8: an opaque upper half and a half-transparent lower half.
    std::vector<TkivPixel> px(16 * 8);
    for (int i = 0; i < 16 * 8; ++i) px[i] = i < 64 ? 0xFF304050 : 0x80FFFFFF;
    const std::vector<unsigned char> png = EncodePngRgba(px.data(), 16, 8);
    std::ofstream(kivtest::TempPath("kivskin-faces.png"), std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    WriteBmp(kivtest::TempPath("kivskin-marks.bmp"));
  }
  void Read(const std::string& text, TLqSkinSource& into) {
    ReadSkinDescription(text, description, into);
  }
};

const char kGood[] = R"(# every statement once
skin "Ember"
version '1.0'
author "Somebody's ""own"""
picture Faces "kivskin-faces.png"
picture Marks 'kivskin-marks.bmp'

object Button TLqButtonObject
  Bounds = 0, 0, 75, 25
  Margins = 2, 3, 2, 3
  Bitmap = Faces(0, 4, 8, 4)     # the lower, half-transparent band
  BitmapPressed = faces(8, 0, 8, 4)
  Color = rgb(16, 32, 48)
  Font.Style = [fsBold, fsItalic]
  Font.Color = clWhite
  object Text TLqTextObject
    Align = saClient
    TextAlign = taCenter
    FontPressed.Size = 11
  end
end
object Edit TLqSkinObject
  Color = $00ABCDEF
end

color ButtonHot = clRed
font ButtonTextNormal.Size = 13
)";

TEST(SkinDescription, BuildsTheSkinItDescribes) {
  Fixture f;
  TLqSkinSource s;
  f.Read(kGood, s);
  EXPECT_EQ(s.SkinName(), "Ember");
  EXPECT_EQ(s.SkinVersion(), "1.0");
  EXPECT_EQ(s.Author(), "Somebody's \"own\"");

  ASSERT_EQ(s.Bitmaps()->Count(), 2);
  const TkivBitmap* faces = s.Bitmaps()->GetBitmap(0);
  EXPECT_EQ(faces->Width(), 16);
  EXPECT_TRUE(faces->AlphaBlend());
  const TkivBitmap* marks = s.Bitmaps()->GetBitmap(1);
  EXPECT_EQ(marks->GetPixel(0, 0), KeyPixel);  // magenta became the key
  EXPECT_EQ(marks->GetPixel(1, 0), 0xFFFFFFFFu);

  ASSERT_EQ(s.ObjectCount(), 2);
  auto* button = dynamic_cast<TLqButtonObject*>(s.FindObject("button"));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->BoundsRect(), Bounds(0, 0, 75, 25));
  EXPECT_EQ(button->Margins(), Rect(2, 3, 2, 3));
  EXPECT_EQ(button->Color(), TColor(0x302010));
  EXPECT_EQ(button->Font()->Style(), (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(button->Font()->Color(), clWhite);
  // Links name their picture and cell, and resolve to the surface.
  EXPECT_EQ(button->Bitmap()->Bitmap(), faces);
  EXPECT_EQ(button->Bitmap()->Rect(), Rect(0, 4, 8, 8));
  EXPECT_EQ(button->BitmapPressed()->Name(), "Faces");
  EXPECT_EQ(button->BitmapPressed()->Rect(), Rect(8, 0, 16, 4));
  auto* text = dynamic_cast<TLqTextObject*>(button->FindChild("Text"));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->Owner(), button);
  EXPECT_EQ(text->Align(), saClient);
  EXPECT_EQ(text->TextAlign(), taCenter);
  EXPECT_EQ(text->FontPressed()->Size(), 11);

  // Tables: derived from the objects, then the entries set by name.
  EXPECT_EQ(s.Colors()->GetColor(tcButtonNormal), TColor(0x302010));
  EXPECT_EQ(s.Colors()->GetColor(tcButtonHot), clRed);
  EXPECT_EQ(s.Colors()->GetColor(tcEditNormal), TColor(0xABCDEF));
  EXPECT_EQ(s.Fonts()->FontByIndex(tfButtonTextNormal)->Size(), 13);
  EXPECT_EQ(s.Fonts()->FontByIndex(tfButtonTextPressed)->Size(), 11);
}

// What make writes is what the filters read back, in every variant.
TEST(SkinDescription, WrittenSkinReadsBackInEveryVariant) {
  Fixture f;
  TLqSkinSource made;
  f.Read(kGood, made);
  for (TLqSkinFilterClass variant : SkinFilters()) {
    SCOPED_TRACE(SkinFilterExtension(variant));
    TMemoryStream bytes;
    auto writer = CreateSkinFilter(variant);
    writer->SetSource(&made);
    writer->WriteToStream(bytes);
    bytes.SetPosition(0);
    TLqSkinSource read;
    auto reader = CreateSkinFilter(FindSkinFilterByStream(bytes));
    reader->SetSource(&read);
    reader->ReadFromStream(bytes);
    ASSERT_EQ(read.ObjectCount(), 2);
    auto* button = dynamic_cast<TLqButtonObject*>(read.FindObject("Button"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->BitmapPressed()->Rect(), Rect(8, 0, 16, 4));
    EXPECT_NE(button->Bitmap()->Bitmap(), nullptr);
    ASSERT_NE(button->FindChild("Text"), nullptr);
    EXPECT_EQ(read.Bitmaps()->GetBitmap(1)->GetPixel(0, 0), KeyPixel);
    EXPECT_EQ(read.Colors()->GetColor(tcButtonHot), clRed);
  }
}

TEST(SkinDescription, MistakesNameTheLineAndTheFault) {
  const struct {
    const char* text;
    int line;
    const char* says;
  } cases[] = {
      {"skin \"A\"\nskins \"B\"", 2, "unknown keyword \"skins\""},
      {"skin A", 1, "a text expected (in quotes)"},
      {"skin \"A", 1, "no closing \""},
      {"object B TNoSuchClass\nend", 1, "unknown class \"TNoSuchClass\""},
      {"object B TLqSkinSource\nend", 1, "not a skin object class"},
      {"object B TLqSkinObject\n  Colour = 1\nend", 2, "has no property \"Colour\""},
      {"object B TLqSkinObject\n  Align = saMiddle\nend", 2, "one of saNone, saLeft"},
      {"object B TLqSkinObject\n  Bounds = 1, 2, 3\nend", 2, "Bounds takes 4 numbers, found 3"},
      {"object B TLqSkinObject\n  Left = 1 2\nend", 2, "unexpected \"2\""},
      {"object B TLqSkinObject\n  Masked = Yes\nend", 2, "not a value of Masked"},
      {"object B TLqSkinObject\n  Color = rgb(1, 2, 300)\nend", 2, "between 0 and 255"},
      {"object B TLqSkinObject\n  Font = 3\nend", 2, "set through its properties"},
      {"object B TLqBitmapObject\n  Bitmap = Nope(0, 0, 1, 1)\nend", 2, "no picture named"},
      {"picture P \"kivskin-faces.png\"\nobject B TLqBitmapObject\n"
       "  Bitmap = P(10, 0, 8, 8)\nend",
       3, "lies outside \"P\" (16 x 8)"},
      {"picture P \"kivskin-faces.png\"\npicture p \"kivskin-marks.bmp\"", 2, "already defined"},
      {"picture P \"kivskin-missing.png\"", 1, "cannot read picture"},
      {"object A TLqSkinObject\nend\nobject a TLqSkinObject\nend", 3,
       "object \"a\" is already defined"},
      {"object A TLqSkinObject\n  object C TLqSkinObject\n  end\n  object C TLqSkinObject\n"
       "  end\nend",
       4, "already exists"},
      {"object A TLqSkinObject\n  object C TLqSkinObject\nend", 1, "\"A\" has no \"end\""},
      {"end", 1, "without an open object"},
      {"Left = 3", 1, "outside an object"},
      {"object A TLqSkinObject\n  picture P \"x.png\"\nend", 2, "stands outside objects"},
      {"object A TLqSkinObject\n  Name = 'not valid'\nend", 2, "cannot set Name"},
      {"color Nothing = clRed", 1, "unknown colour table entry"},
      {"syscolor clNothing = clRed", 1, "unknown system colour"},
      {"font ButtonTextNormal = 3", 1, "a font property expected"},
      {"font ButtonTextNormal.Colour = 3", 1, "has no property \"Colour\""},
      {"skin \"A\" ; ", 1, "unexpected character ';'"},
  };
  Fixture f;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TLqSkinSource s;
    try {
      f.Read(c.text, s);
      ADD_FAILURE() << "accepted";
    } catch (const EParserError& e) {
      const std::string message = e.what();
      const std::string where = f.description + ":" + std::to_string(c.line) + ": ";
      EXPECT_EQ(message.rfind(where, 0), 0u) << message;
      EXPECT_NE(message.find(c.says), std::string::npos) << message;
    }
  }
}

}  // namespace
}  // namespace kiv
