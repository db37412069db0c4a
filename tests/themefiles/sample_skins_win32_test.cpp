// The sample skins (examples/skins) loaded as themes: every control family
// they describe is drawn from their pictures, at the places their
// descriptions give.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/font.hpp"
#include "framework/win32/canvas.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "support/testdata.hpp"
#include "theme/theme_records.hpp"
#include "theme/theme_tables.hpp"
#include "themefiles/skin_theme.hpp"
#include "themefiles/theme_file.hpp"

namespace kiv {
namespace {

constexpr TkivPixel kGround = 0xFF123456;  // what the drawing leaves shows this
const std::string kObject = "default";

struct SampleSkin {
  const char* file;
  const char* name;
  TColor button_text;  // the Text child's font colour in the description
};
constexpr SampleSkin kSkins[] = {{"ember.mskn", "Ember", 0xE2E8EC},
                                 {"glacier.mskn", "Glacier", 0x422C18}};

std::unique_ptr<TkivTheme> Load(const SampleSkin& skin) {
  return LoadThemeFile(kivtest::TestSource(std::string("../examples/skins/") + skin.file));
}

// A surface of the ground colour with what draw paints on it.
template <class F>
std::unique_ptr<TkivBitmap> Painted(int w, int h, F draw) {
  auto surface = std::make_unique<TkivBitmap>();
  surface->SetSize(w, h);
  surface->Fill(kGround);
  TCanvas canvas;
  canvas.SetHandle(static_cast<HDC>(surface->DC()));
  draw(canvas, TRect{0, 0, w, h});
  canvas.SetHandle(nullptr);
  GdiFlush();
  return surface;
}

uint32_t Rgb(TkivPixel p) {
  return p & 0xFFFFFF;
}

// Pixels differing from the picture's cell at (x, y), drawn at its own
// size; the cell's key pixels must leave the ground.
int DiffersFromCell(const TkivBitmap& drawn, const TkivBitmap& picture, int x, int y) {
  int differ = 0;
  for (int j = 0; j < drawn.Height(); ++j)
    for (int i = 0; i < drawn.Width(); ++i) {
      const TkivPixel want = picture.GetPixel(x + i, y + j);
      differ += Rgb(drawn.GetPixel(i, j)) != Rgb(want == KeyPixel ? kGround : want);
    }
  return differ;
}

TEST(SampleSkins, LoadAsThemesThatDrawEveryFamily) {
  for (const SampleSkin& skin : kSkins) {
    SCOPED_TRACE(skin.file);
    std::unique_ptr<TkivTheme> theme = Load(skin);
    ASSERT_NE(theme, nullptr);
    auto* t = dynamic_cast<TKivSkinFile*>(theme.get());
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Name(), skin.name);
    EXPECT_TRUE(t->SupportsWindow(0, kObject));
    EXPECT_TRUE(t->SupportsButton(0, kObject));
    EXPECT_TRUE(t->SupportsCheck(0, kObject));
    EXPECT_TRUE(t->SupportsCheck(1, kObject));
    EXPECT_TRUE(t->SupportsScrollBar(0, kObject));
    EXPECT_TRUE(t->SupportsPanel(1, kObject));
    EXPECT_TRUE(t->SupportsEdit(0, kObject));
    EXPECT_TRUE(t->SupportsMemo(0, kObject));
    EXPECT_TRUE(t->SupportsHeader(0, kObject));
    EXPECT_TRUE(t->SupportsStatusBar(0, kObject));
    // Fonts come from the objects' text children.
    EXPECT_EQ(t->Fonts()->FontByIndex(tfButtonTextNormal)->Color(), skin.button_text);
  }
}

// Marks and arrow buttons are drawn at their pictures' size: exactly the
// cells of each state, transparent where the picture is magenta.
TEST(SampleSkins, MarksAndArrowsAreTheirCells) {
  for (const SampleSkin& skin : kSkins) {
    SCOPED_TRACE(skin.file);
    std::unique_ptr<TkivTheme> theme = Load(skin);
    ASSERT_NE(theme, nullptr);
    auto& t = dynamic_cast<TKivSkinFile&>(*theme);
    const TkivBitmap* checks = t.WorkingSource()->Bitmaps()->FindBitmap("Checks");
    const TkivBitmap* scroll = t.WorkingSource()->Bitmaps()->FindBitmap("Scroll");
    ASSERT_TRUE(checks && scroll);
    EXPECT_EQ(t.GetCheckSize(0, kObject), (TSize{13, 13}));
    // Theme states normal, hot, pressed, disabled are the cells' columns.
    for (uint8_t state = 0; state < 4; ++state)
      for (uint8_t kind = 0; kind < 2; ++kind)
        for (int mark = 0; mark < 3; ++mark) {
          SCOPED_TRACE(testing::Message()
                       << "state " << int(state) << " kind " << int(kind) << " mark " << mark);
          auto drawn = Painted(13, 13, [&](TCanvas& c, const TRect& r) {
            t.PaintCheck(kind, c, kObject, MakeStateInfo(r, uint8_t(state + mark * 5)));
          });
          // Rows: box checked, unchecked, mixed at 13, 0, 26; radios 39 on.
          static constexpr int kRow[] = {13, 0, 26};
          EXPECT_EQ(DiffersFromCell(*drawn, *checks, state * 13, kind * 39 + kRow[mark]), 0);
        }
    // Scroll-bar codes: 0 normal, 2 hot, 1 pressed, 3 disabled; parts 0 up,
    // 1 down, 4 left, 5 right.
    const struct {
      uint8_t code;
      int column;
    } states[] = {{0, 0}, {2, 1}, {1, 2}, {3, 3}};
    const struct {
      uint8_t part;
      int row;
    } parts[] = {{0, 0}, {1, 17}, {4, 34}, {5, 51}};
    for (const auto& s : states)
      for (const auto& p : parts) {
        SCOPED_TRACE(testing::Message() << "code " << int(s.code) << " part " << int(p.part));
        auto drawn = Painted(17, 17, [&](TCanvas& c, const TRect& r) {
          t.PaintScrollBarButton(0, c, kObject, MakePartInfo(r, p.part, s.code));
        });
        EXPECT_EQ(DiffersFromCell(*drawn, *scroll, s.column * 17, p.row), 0);
      }
  }
}

// Stretched faces: a 75 x 25 button keeps its rounded corners transparent
// and shows a different face in each state; the edit's top edge takes the
// picture's edge colour, and the hot edit its accent.
TEST(SampleSkins, StretchedFacesFollowTheirStates) {
  for (const SampleSkin& skin : kSkins) {
    SCOPED_TRACE(skin.file);
    std::unique_ptr<TkivTheme> theme = Load(skin);
    ASSERT_NE(theme, nullptr);
    auto& t = dynamic_cast<TKivSkinFile&>(*theme);
    const TkivBitmap* parts = t.WorkingSource()->Bitmaps()->FindBitmap("Parts");
    ASSERT_NE(parts, nullptr);
    TkivPixel centre[4];
    for (uint8_t state = 0; state < 4; ++state) {
      auto face = Painted(75, 25, [&](TCanvas& c, const TRect& r) {
        t.PaintButton(0, c, kObject, MakeStateInfo(r, state));
      });
      EXPECT_EQ(Rgb(face->GetPixel(0, 0)), Rgb(kGround));
      EXPECT_NE(Rgb(face->GetPixel(37, 0)), Rgb(kGround));
      centre[state] = Rgb(face->GetPixel(37, 12));
    }
    EXPECT_NE(centre[0], centre[1]);
    EXPECT_NE(centre[0], centre[2]);
    EXPECT_NE(centre[1], centre[2]);
    for (auto [code, column] : {std::pair{0, 0}, std::pair{1, 12}}) {
      auto edit = Painted(100, 22, [&](TCanvas& c, const TRect& r) {
        t.PaintEdit(0, c, kObject, MakeStateInfo(r, uint8_t(code)));
      });
      EXPECT_EQ(Rgb(edit->GetPixel(50, 0)), Rgb(parts->GetPixel(column + 6, 0)));
      EXPECT_EQ(Rgb(edit->GetPixel(50, 11)), Rgb(parts->GetPixel(column + 6, 6)));
    }
  }
}

// The window frame: its parts where the description puts them (a 28-pixel
// title bar, 5-pixel borders, the title-bar buttons at their distance from
// the right edge, restore in maximize's place), the client untouched.
TEST(SampleSkins, WindowFrameFollowsTheDescription) {
  for (const SampleSkin& skin : kSkins) {
    SCOPED_TRACE(skin.file);
    std::unique_ptr<TkivTheme> theme = Load(skin);
    ASSERT_NE(theme, nullptr);
    auto& t = dynamic_cast<TKivSkinFile&>(*theme);
    const TRect window{0, 0, 300, 120};
    const uint16_t normal =
        1 << kWindowButtonClose | 1 << kWindowButtonMinimize | 1 << kWindowButtonMaximize;
    const uint16_t maximized =
        1 << kWindowButtonClose | 1 << kWindowButtonMinimize | 1 << kWindowButtonRestoreMax;
    const TkivWindowInfo info = MakeWindowInfo(window, true, normal, TRect{}, u"Window");
    const TkivWindowInfo zoomed = MakeWindowInfo(window, true, maximized, TRect{}, u"Window");
    EXPECT_EQ(t.WindowContentRect(0, window, kObject), (TRect{5, 28, 295, 115}));
    EXPECT_EQ(t.WindowButtonRect(0, info, kWindowButtonClose, kObject), (TRect{276, 0, 300, 28}));
    EXPECT_EQ(t.WindowButtonRect(0, info, kWindowButtonMaximize, kObject),
              (TRect{254, 0, 276, 28}));
    EXPECT_EQ(t.WindowButtonRect(0, info, kWindowButtonMinimize, kObject),
              (TRect{232, 0, 254, 28}));
    EXPECT_EQ(t.WindowButtonRect(0, zoomed, kWindowButtonRestoreMax, kObject),
              (TRect{254, 0, 276, 28}));
    EXPECT_EQ(t.WindowButtonRect(0, zoomed, kWindowButtonMaximize, kObject), TRect{});
    EXPECT_EQ(t.WindowCaptionRect(0, info, kObject), (TRect{0, 0, 300, 28}));
    const TkivBitmap* frame = t.WorkingSource()->Bitmaps()->FindBitmap("Frame");
    ASSERT_NE(frame, nullptr);
    auto drawn = Painted(
        300, 120, [&](TCanvas& c, const TRect&) { t.PaintWindowFrame(0, c, kObject, info); });
    EXPECT_EQ(Rgb(drawn->GetPixel(150, 70)), Rgb(kGround));                   // the client
    EXPECT_EQ(Rgb(drawn->GetPixel(0, 70)), Rgb(frame->GetPixel(96, 14)));     // left edge
    EXPECT_EQ(Rgb(drawn->GetPixel(299, 70)), Rgb(frame->GetPixel(107, 14)));  // right edge
    EXPECT_EQ(Rgb(drawn->GetPixel(0, 0)), Rgb(kGround));  // the title bar's round corner
    EXPECT_EQ(Rgb(drawn->GetPixel(150, 0)), Rgb(frame->GetPixel(24, 0)));  // its top edge
  }
}

}  // namespace
}  // namespace kiv
