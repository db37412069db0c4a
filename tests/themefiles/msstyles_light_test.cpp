// Facts read from Wine's own visual style, light.msstyles, through the
// portable reader: the parts table, the push button, the scroll-bar arrows and
// the edit frame.
#include <gtest/gtest.h>

#include "graphics/kiv_bitmap_list.hpp"
#include "msstyles_support.hpp"
#include "themefiles/msstyles_ini.hpp"
#include "themefiles/msstyles_module.hpp"
#include "themefiles/msstyles_parts.hpp"

namespace {

using kiv::TkivBitmap;

class LightStyle : public ::testing::Test {
 protected:
  void SetUp() override {
    KIV_REQUIRE_LIGHT_MSSTYLES(path);
    ASSERT_TRUE(library_.Load(kiv::TPeResources::FromFile(path).Bytes()));
    ini_.SetText(library_.IniText);
    parts_.Build(ini_, &bitmaps_,
                 [this](TkivBitmap& b, const std::string& name) { library_.ReadBitmap(b, name); });
  }
  kiv::TmsuxStyleLibrary library_;
  kiv::TmsuxIni ini_;
  kiv::TkivBitmapList bitmaps_;
  kiv::TmsuxParts parts_;
};

TEST_F(LightStyle, PartsTableAndImagesResolve) {
  int present = 0;
  std::vector<std::string> missing;
  for (const auto& part : parts_.All()) {
    if (part->Exists()) {
      ++present;
    } else {
      missing.push_back(part->SectionName());
    }
    for (const std::string& name :
         {part->ImageName, part->SizeImageNames[0], part->SizeImageNames[1],
          part->SizeImageNames[2], part->GlyphImageName})
      if (!name.empty()) {
        EXPECT_FALSE(bitmaps_.FindBitmap(name)->IsEmpty()) << part->SectionName() << " " << name;
      }
  }
  EXPECT_EQ(present, 85) << ::testing::PrintToString(missing);
  EXPECT_EQ(parts_.Existing("explorerbar"), nullptr);
  EXPECT_EQ(parts_.Existing("Window.SysButton"), nullptr);
  EXPECT_EQ(parts_.Existing("Button.Pushbutton(Defaulted)"), nullptr);
  // SysMetrics states no bar heights or border widths: the defaults hold.
  EXPECT_EQ(parts_.Metrics.CaptionBarHeight, 25);
  EXPECT_EQ(kiv::ReadStyleSysColor(ini_, "BtnFace"), 0xF5F5F5);
}

TEST_F(LightStyle, PushButtonAndArrowFrames) {
  const kiv::TmsuxThemeObject* button = parts_.Existing("Button.Pushbutton");
  ASSERT_NE(button, nullptr);
  ASSERT_NE(button->Image, nullptr);
  EXPECT_EQ(button->BgType, kiv::kBgImageFile);
  EXPECT_EQ(button->SizingType, kiv::kSizeStretch);
  EXPECT_EQ(button->ImageLayout, kiv::kLayoutVertical);
  EXPECT_EQ(button->ImageCount, 6);
  EXPECT_EQ(button->SizingMargins, (kiv::TmsuxMargins{8, 8, 8, 8}));
  EXPECT_EQ(button->Image->Height(), 6 * 23);
  EXPECT_EQ(button->FrameRect(*button->Image, 2),
            (kiv::TRect{0, 23, button->Image->Width(), 46}));  // the hot face

  const kiv::TmsuxThemeObject* arrow = parts_.Existing("ScrollBar.ArrowBtn");
  ASSERT_NE(arrow, nullptr);
  ASSERT_NE(arrow->Image, nullptr);
  EXPECT_EQ(arrow->ImageCount, 20);
  EXPECT_EQ(arrow->Image->Height(), 20 * 17);
  EXPECT_EQ(arrow->GlyphType, 1);
  EXPECT_EQ(arrow->ImageSelectType, kiv::kSelectSize);
  EXPECT_TRUE(arrow->Transparent);
}

TEST_F(LightStyle, EditFrameIsAOnePixelBorder) {
  const kiv::TmsuxThemeObject* edit = parts_.Existing("edit");
  ASSERT_NE(edit, nullptr);
  TkivBitmap target;
  target.SetSize(20, 10);
  target.Fill(0xFF000000);
  edit->Draw(target, target.BoundsRect(), 1);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool border = x == 0 || y == 0 || x == 19 || y == 9;
      EXPECT_EQ(target.GetPixel(x, y) & 0xFFFFFF, border ? 0xAEAEAEu : 0xFFFFFFu) << x << "," << y;
    }
}

}  // namespace
