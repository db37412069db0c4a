#include "themefiles/msstyles_object.hpp"

#include <gtest/gtest.h>

#include <map>

#include "graphics/kiv_bitmap_list.hpp"
#include "themefiles/msstyles_ini.hpp"
#include "themefiles/msstyles_parts.hpp"

namespace {

using kiv::TkivBitmap;
using kiv::TkivBitmapList;
using kiv::TmsuxIni;
using kiv::TmsuxMargins;
using kiv::TmsuxThemeObject;

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF,
                   kGrey = 0xFF808080, kMagenta = 0xFFFF00FF;

// Bitmap resources of a test: surfaces made by a function per name.
struct Images {
  std::map<std::string, std::function<void(TkivBitmap&)>> makers;
  std::vector<std::string> loaded;
  kiv::TmsuxBitmapSource Source() {
    return [this](TkivBitmap& b, const std::string& name) {
      loaded.push_back(name);
      if (auto it = makers.find(name); it != makers.end()) it->second(b);
    };
  }
};

// w x h, each of n frames along the layout one colour of colors.
void Frames(TkivBitmap& b, int w, int h, bool horizontal, const std::vector<uint32_t>& colors) {
  b.SetSize(w, h);
  const int n = int(colors.size());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, colors[horizontal ? x / (w / n) : y / (h / n)]);
}

std::unique_ptr<TmsuxThemeObject> Object(const std::string& lines, TkivBitmapList* list = nullptr,
                                         Images* images = nullptr) {
  static TmsuxIni ini;
  ini.SetText("[Part]\n" + lines);
  return std::make_unique<TmsuxThemeObject>(ini, "part", list,
                                            images ? images->Source() : kiv::TmsuxBitmapSource{});
}

TEST(MsStylesIni, SectionsAndKeysIgnoreCaseAndKeepFileOrder) {
  const TmsuxIni ini(
      "; comment\nOrphan=1\n[Edit]\n  BgType =  BorderFill  \n\n; note\nBorderSize=1\n"
      "[Other]\nA=1\n[EDIT]\nbgtype=ImageFile\nNoValue\n");
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"Edit", "Other"}));
  EXPECT_EQ(ini.ReadString("edit", "BGTYPE", "x"), "BorderFill");  // the first line wins
  EXPECT_EQ(ini.ReadString("edit", "missing", "fallback"), "fallback");
  EXPECT_EQ(ini.ReadString("nowhere", "A", "none"), "none");
  const TmsuxIni::TLines& edit = ini.Section("eDiT");
  ASSERT_EQ(edit.size(), 4u);
  EXPECT_EQ(edit[2], (std::pair<std::string, std::string>{"bgtype", "ImageFile"}));
  EXPECT_EQ(edit[3].first, "NoValue");
}

TEST(MsStylesObject, ParsesEveryKnownKeyIgnoringCase) {
  const auto o = Object(
      "BGTYPE = borderFILL\nFillColor = 10 20 30\nFillColorHint=1,2,3\nTextColor = 255\n"
      "BorderColor = 174 174 174\nBorderSize = 2\nTransparentColor = 0 255 0\nTransparent = YES\n"
      "ImageSelectType = size\nImageCount = 6\nImageLayout = Vertical\nSizingType = TrueSize\n"
      "SizingMargins = 8, 7, 6, 5\nContentMargins = 1 2,3 ,4\nCaptionMargins = 4, 3, 0, 0\n"
      "ContentAlignment = Right\nGlyphType = ImageGlyph\nGlyphTransparent = 1\n"
      "TextShadowType = Continuous\nTextShadowColor = 1 1 1\nTextShadowOffset = 2, -1\n"
      "Unknown = kept\nbordersize = 3\n");
  EXPECT_EQ(o->BgType, kiv::kBgBorderFill);
  EXPECT_EQ(o->FillColor, 0x1E140A);
  EXPECT_EQ(o->FillColorHint, 0x030201);
  EXPECT_EQ(o->TextColor, 0x0000FF);  // missing blue and green are 0
  EXPECT_EQ(o->BorderColor, 0xAEAEAE);
  EXPECT_EQ(o->BorderSize, 3);  // a later value wins
  EXPECT_EQ(o->TransparentColor, 0x00FF00);
  EXPECT_TRUE(o->Transparent);
  EXPECT_EQ(o->ImageSelectType, kiv::kSelectSize);
  EXPECT_EQ(o->ImageCount, 6);
  EXPECT_EQ(o->ImageLayout, kiv::kLayoutVertical);
  EXPECT_EQ(o->SizingType, kiv::kSizeTrueSize);
  EXPECT_EQ(o->SizingMargins, (TmsuxMargins{8, 7, 6, 5}));
  EXPECT_EQ(o->ContentMargins, (TmsuxMargins{1, 2, 3, 4}));
  EXPECT_EQ(o->CaptionMargins, (TmsuxMargins{4, 3, 0, 0}));
  EXPECT_EQ(o->ContentAlignment, 2);
  EXPECT_EQ(o->GlyphType, 1);
  EXPECT_TRUE(o->GlyphTransparent);
  EXPECT_EQ(o->TextShadowType, 2);
  EXPECT_EQ(o->TextShadowColor, 0x010101);
  EXPECT_EQ(o->TextShadowOffset, (kiv::TPoint{2, -1}));
  // Every key is kept once, lower case, with its last value.
  EXPECT_EQ(o->Props().size(), 22u);
  EXPECT_EQ(o->Prop("UNKNOWN"), "kept");
  EXPECT_EQ(o->Prop("bordersize"), "3");
  EXPECT_TRUE(o->Exists());
}

TEST(MsStylesObject, DefaultsAndWordsThatNameNothing) {
  const auto missing = Object("");
  EXPECT_FALSE(missing->Exists());
  EXPECT_EQ(missing->BgType, kiv::kBgFill);
  EXPECT_EQ(missing->FillColor, kiv::clNone);
  EXPECT_EQ(missing->FillColorHint, kiv::clNone);  // no hint: the theme keeps its colour
  EXPECT_EQ(missing->TransparentColor, 0xFF00FF);
  EXPECT_EQ(missing->TextShadowColor, 0x282828);
  EXPECT_EQ(missing->ImageCount, 1);
  EXPECT_EQ(missing->ImageLayout, kiv::kLayoutHorizontal);
  EXPECT_EQ(missing->SizingType, kiv::kSizeStretch);

  const auto odd = Object(
      "BgType = Gradient\nSizingType = Tile\nImageLayout = diagonal\nTextShadowType = double\n"
      "Transparent = on\nImageSelectType = always\nSizingMargins = 8, 8, x, 8\n"
      "ContentMargins = 1, 2, 3\nCaptionMargins = 4, -3, 2, 1\n");
  EXPECT_EQ(odd->BgType, kiv::kBgFill);
  EXPECT_EQ(odd->SizingType, kiv::kSizeTile);
  EXPECT_EQ(odd->ImageLayout, kiv::kLayoutVertical);
  EXPECT_EQ(odd->TextShadowType, 0);
  EXPECT_FALSE(odd->Transparent);
  EXPECT_EQ(odd->ImageSelectType, kiv::kSelectNone);
  EXPECT_EQ(odd->SizingMargins, TmsuxMargins{});  // a third field that is no number
  EXPECT_EQ(odd->ContentMargins, TmsuxMargins{});
  EXPECT_EQ(odd->CaptionMargins, (TmsuxMargins{4, 0, 2, 1}));
}

TEST(MsStylesObject, ImageFileNamesBecomeResourceNames) {
  struct Case {
    const char* file;
    const char* name;
  };
  for (const Case& c :
       {Case{"blue_button.bmp", "BLUE_BUTTON_BMP"}, Case{"Blue\\Button.BMP", "BLUE_BUTTON_BMP"},
        Case{" a.b.c.png ", "A_B.C.PNG"}, Case{"x.b", "X.B"}, Case{"x.bm", "X_BM"}})
    EXPECT_EQ(kiv::StyleResourceName(c.file), c.name) << c.file;
}

TEST(MsStylesObject, FontFieldsSetStylesWhateverTheirWords) {
  struct Case {
    const char* text;
    const char* name;
    int size;
    bool bold, italic, underline, strike;
  };
  for (const Case& c : {Case{"Tahoma, 8, italic", "Tahoma", 8, true, false, false, false},
                        Case{"Segoe UI,9", "Segoe UI", 9, false, false, false, false},
                        Case{"Arial, 10, , bold, , x", "Arial", 10, false, true, false, true},
                        Case{"Tahoma,ten", "Tahoma", 0, false, false, false, false}}) {
    const kiv::TmsuxFontValue f = kiv::ParseStyleFont(c.text);
    EXPECT_EQ(f.Name, c.name) << c.text;
    EXPECT_EQ(f.Size, c.size) << c.text;
    EXPECT_EQ(std::vector<bool>({f.Bold, f.Italic, f.Underline, f.StrikeOut}),
              std::vector<bool>({c.bold, c.italic, c.underline, c.strike}))
        << c.text;
  }
  const TmsuxIni ini("[SysMetrics]\nCaptionBarHeight=30\nBorderWidth=wide\nMenu = 1 2 3\n");
  const kiv::TmsuxSysMetrics m = kiv::ReadStyleSysMetrics(ini);
  EXPECT_EQ(m.CaptionBarHeight, 30);
  EXPECT_EQ(m.SmCaptionBarHeight, 17);
  EXPECT_EQ(m.BorderWidth, 4);
  EXPECT_EQ(m.SmBorderWidth, 3);
  EXPECT_EQ(kiv::ReadStyleSysColor(ini, "Menu"), 0x030201);
  EXPECT_EQ(kiv::ReadStyleSysColor(ini, "Window"), 0x646464);  // RGB(100, 100, 100)
}

// Pixels of a surface row by row as one string of colour letters.
std::string Picture(const TkivBitmap& b, const std::map<uint32_t, char>& letters) {
  std::string s;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      auto it = letters.find(b.GetPixel(x, y) | 0xFF000000u);
      s += it == letters.end() ? '?' : it->second;
    }
    s += '\n';
  }
  return s;
}

TEST(MsStylesObject, FramesHorizontalAndVertical) {
  TkivBitmapList list;
  Images images;
  images.makers["STRIP_BMP"] = [](TkivBitmap& b) {
    Frames(b, 80, 4, true, {kRed, kGreen, kBlue, kWhite});
  };
  images.makers["COLUMN_BMP"] = [](TkivBitmap& b) {
    Frames(b, 4, 60, false, {kRed, kGreen, kBlue});
  };
  const auto strip =
      Object("ImageFile=strip.bmp\nImageCount=4\nImageLayout=horizontal\nSizingType=truesize\n",
             &list, &images);
  EXPECT_EQ(strip->FrameRect(*strip->Image, 2), (kiv::TRect{20, 0, 40, 4}));
  TkivBitmap target;
  target.SetSize(20, 4);
  target.Fill(kGrey);
  strip->Draw(target, target.BoundsRect(), 2);
  EXPECT_EQ(Picture(target, {{kGreen, 'g'}}),
            "gggggggggggggggggggg\ngggggggggggggggggggg\n"
            "gggggggggggggggggggg\ngggggggggggggggggggg\n");
  const auto column =
      Object("ImageFile=column.bmp\nImageCount=3\nImageLayout=vertical\n", &list, &images);
  EXPECT_EQ(column->FrameRect(*column->Image, 3), (kiv::TRect{0, 40, 4, 60}));
  EXPECT_EQ(column->FrameRect(*column->Image, 9),
            (kiv::TRect{0, 40, 4, 60}));  // never past the image
  EXPECT_EQ(images.loaded, (std::vector<std::string>{"STRIP_BMP", "COLUMN_BMP"}));
}

TEST(MsStylesObject, RepeatedDrawingsFollowFrameSizeAndPlace) {
  // The nine pieces are composed once per image, frame and size: a drawing
  // that changes any of them, or only the place, still shows what it asks for.
  TkivBitmapList list;
  Images images;
  images.makers["STRIP_BMP"] = [](TkivBitmap& b) {
    Frames(b, 8, 2, true, {kRed, kGreen, kBlue, kWhite});
  };
  const auto o = Object("ImageFile=strip.bmp\nImageCount=4\nSizingType=Stretch\n", &list, &images);
  struct Case {
    kiv::TRect rect;
    int image;
    const char* want;
  };
  const Case cases[] = {
      {{0, 0, 4, 2}, 1, "rrrr\nrrrr\n"}, {{0, 0, 4, 2}, 2, "gggg\ngggg\n"},
      {{0, 0, 2, 2}, 2, "gg--\ngg--\n"}, {{2, 0, 4, 2}, 2, "--gg\n--gg\n"},
      {{0, 1, 4, 2}, 3, "----\nbbbb\n"},
  };
  for (const Case& c : cases) {
    TkivBitmap target;
    target.SetSize(4, 2);
    target.Fill(kGrey);
    o->Draw(target, c.rect, c.image);
    EXPECT_EQ(Picture(target, {{kRed, 'r'}, {kGreen, 'g'}, {kBlue, 'b'}, {kGrey, '-'}}), c.want)
        << c.image << " at " << c.rect.Left << "," << c.rect.Top;
  }
}

// A 6 x 6 image with 2-pixel margins: corners r, g, b, w; edges grey; the
// centre in its own colour.
void NineParts(TkivBitmap& b, uint32_t centre) {
  b.SetSize(6, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      const int cx = x < 2 ? 0 : x < 4 ? 1 : 2, cy = y < 2 ? 0 : y < 4 ? 1 : 2;
      uint32_t c = kGrey;
      if (cx == 1 && cy == 1) c = centre;
      if (cx != 1 && cy != 1) c = cx == 0 ? (cy == 0 ? kRed : kBlue) : (cy == 0 ? kGreen : kWhite);
      b.SetPixel(x, y, c);
    }
}

TEST(MsStylesObject, NinePartsKeepCornersAndStretchOrTile) {
  Images images;
  images.makers["NINE_BMP"] = [](TkivBitmap& b) { NineParts(b, 0xFF00FFFF); };
  const std::map<uint32_t, char> letters{{kRed, 'r'},   {kGreen, 'g'}, {kBlue, 'b'},
                                         {kWhite, 'w'}, {kGrey, '-'},  {0xFF00FFFF, 'c'}};
  struct Case {
    const char* sizing;
    kiv::TRect rect;
    const char* want;
  };
  const Case cases[] = {
      {"Stretch",
       {0, 0, 9, 6},
       "rr-----gg\nrr-----gg\n--ccccc--\n--ccccc--\nbb-----ww\nbb-----ww\n"},
      {"Stretch",
       {1, 1, 8, 5},
       "bbbbbbbbb\nbrr---ggb\nbrr---ggb\nbbb---wwb\nbbb---wwb\nbbbbbbbbb\n"},
      // Margins larger than the frame: nothing is drawn.
      {"Stretch\nSizingMargins=4,4,2,2",
       {0, 0, 9, 6},
       "bbbbbbbbb\nbbbbbbbbb\nbbbbbbbbb\nbbbbbbbbb\nbbbbbbbbb\nbbbbbbbbb\n"},
      {"TileVertical",
       {0, 0, 9, 6},
       "bbbbbbbbb\nbbbbbbbbb\nbbbbbbbbb\nbbbbbbbbb\nbbbbbbbbb\nbbbbbbbbb\n"},
  };
  for (const Case& c : cases) {
    TkivBitmapList list;
    const auto o = Object(
        std::string("ImageFile=nine.bmp\nSizingMargins=2,2,2,2\nSizingType=") + c.sizing + "\n",
        &list, &images);
    EXPECT_FALSE(o->Transparent);
    TkivBitmap target;
    target.SetSize(9, 6);
    target.Fill(kBlue);
    o->Draw(target, c.rect, 1);
    EXPECT_EQ(Picture(target, letters), c.want) << c.sizing << " " << c.rect.Left;
  }
}

TEST(MsStylesObject, TransparentKeyColourLetsTheBackgroundShow) {
  TkivBitmapList list;
  Images images;
  images.makers["NINE_BMP"] = [](TkivBitmap& b) { NineParts(b, kMagenta); };
  const auto o =
      Object("ImageFile=nine.bmp\nSizingMargins=2,2,2,2\nSizingType=Tile\nTransparent=true\n",
             &list, &images);
  TkivBitmap target;
  target.SetSize(6, 6);
  target.Fill(kBlue);
  o->Draw(target, target.BoundsRect(), 1);
  EXPECT_EQ(
      Picture(target, {{kRed, 'r'}, {kGreen, 'g'}, {kBlue, 'b'}, {kWhite, 'w'}, {kGrey, '-'}}),
      "rr--gg\nrr--gg\n--bb--\n--bb--\nbb--ww\nbb--ww\n");
  // A second section with the same image (already keyed) counts it too.
  const auto again = Object("ImageFile=nine.bmp\n", &list, &images);
  EXPECT_TRUE(again->Transparent);
  EXPECT_EQ(again->Prop("transparent"), "true");
}

TEST(MsStylesObject, TrueSizeLargerThanTheRectangleIsCentred) {
  TkivBitmapList list;
  Images images;
  images.makers["BIG_BMP"] = [](TkivBitmap& b) { Frames(b, 6, 6, true, {kRed}); };
  const auto o = Object("ImageFile=big.bmp\nSizingType=TrueSize\n", &list, &images);
  TkivBitmap target;
  target.SetSize(8, 8);
  target.Fill(kBlue);
  o->Draw(target, kiv::TRect{3, 3, 5, 5}, 1);
  EXPECT_EQ(Picture(target, {{kRed, 'r'}, {kBlue, 'b'}}),
            "bbbbbbbb\nbrrrrrrb\nbrrrrrrb\nbrrrrrrb\nbrrrrrrb\nbrrrrrrb\nbrrrrrrb\nbbbbbbbb\n");
}

TEST(MsStylesObject, BorderAndFillTypes) {
  TkivBitmap target;
  target.SetSize(5, 4);
  const std::map<uint32_t, char> letters{{kRed, 'r'}, {kGreen, 'g'}, {kBlue, 'b'}};
  struct Case {
    const char* lines;
    const char* want;
  };
  const Case cases[] = {
      {"BgType=BorderFill\nBorderSize=1\nBorderColor=255 0 0\nFillColor=0 255 0\n",
       "rrrrr\nrgggr\nrgggr\nrrrrr\n"},
      // A border size from the file never runs past an empty rectangle.
      {"BgType=BorderFill\nBorderSize=2000000000\nBorderColor=255 0 0\nFillColor=0 255 0\n",
       "rrrrr\nrrrrr\nrrrrr\nrrrrr\n"},
      {"BgType=Gradient\nFillColor=0 255 0\n", "ggggg\nggggg\nggggg\nggggg\n"},
      {"BgType=None\nFillColor=0 255 0\n", "bbbbb\nbbbbb\nbbbbb\nbbbbb\n"},
      {"BgType=BorderFill\n", "bbbbb\nbbbbb\nbbbbb\nbbbbb\n"},  // no fill colour: nothing filled
      {"BgType=ImageFile\nImageFile=missing.bmp\n", "bbbbb\nbbbbb\nbbbbb\nbbbbb\n"},
  };
  for (const Case& c : cases) {
    TkivBitmapList list;
    Images images;
    target.Fill(kBlue);
    Object(c.lines, &list, &images)->Draw(target, target.BoundsRect(), 1);
    EXPECT_EQ(Picture(target, letters), c.want) << c.lines;
  }
}

TEST(MsStylesObject, SizeVariantsPickTheLargestThatFits) {
  TkivBitmapList list;
  Images images;
  images.makers["V13_BMP"] = [](TkivBitmap& b) { Frames(b, 13, 13, true, {kRed}); };
  images.makers["V16_BMP"] = [](TkivBitmap& b) { Frames(b, 16, 16, true, {kGreen}); };
  images.makers["V20_BMP"] = [](TkivBitmap& b) { Frames(b, 20, 20, true, {kBlue}); };
  const auto o = Object(
      "ImageSelectType=Dpi\nImageFile1=v13.bmp\nImageFile2=v16.bmp\nImageFile3=v20.bmp\n"
      "ContentMargins=1,1,0,0\nSizingType=TrueSize\n",
      &list, &images);
  struct Case {
    int width;
    int want;
  };
  for (const Case& c : {Case{10, 13}, Case{18, 13}, Case{19, 16}, Case{22, 16}, Case{23, 20}})
    EXPECT_EQ(o->ChooseSizeVariant(kiv::TRect{0, 0, c.width, 13})->Width(), c.want) << c.width;
  TkivBitmap target;
  target.SetSize(19, 19);
  target.Fill(kWhite);
  o->Draw(target, target.BoundsRect(), 1);
  EXPECT_EQ(target.GetPixel(9, 9) | 0xFF000000u, kGreen);
  EXPECT_EQ(target.GetPixel(0, 0) | 0xFF000000u, kWhite);  // 16 x 16 centred from (1, 1)
}

}  // namespace
