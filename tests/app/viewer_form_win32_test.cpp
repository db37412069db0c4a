// The viewer's main window made inside the test program from the viewer's own
// definition, where its controls can be inspected directly: the themed
// controls with their design-time settings, the Close button's faces, and
// the design layout kept after a caption that fails to load.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/viewer_folder_win32.hpp"
#include "app/viewer_form_win32.hpp"
#include "effects/engine.hpp"
#include "graphics/kiv_winapi_win32.hpp"
#include "support/memory_dc_win32.hpp"

namespace kiv {
namespace {

// The viewer's working folder with a 160 x 30 picture, the window's class
// registered.
class TFormFolder : public TViewerFolder {
 public:
  TFormFolder() : TViewerFolder("form") {
    RegisterClass(TForm1::StaticClass());
    WritePicture(160, 30, [](int, int) { return 0x3366CCu; });
  }
};

TEST(ViewerForm, TheDefinitionMakesTheThemedControlsWithTheirSettings) {
  TFormFolder folder;
  // A caption, so that the box keeps the vertical bar its definition asks for.
  folder.WriteCaption("a caption");
  TForm1* form = nullptr;
  Application()->CreateForm(&form);
  ASSERT_NE(form, nullptr);
  std::unique_ptr<TForm1> owned(form);

  TKivRichEdit* edit = form->KivRichEdit1;
  EXPECT_EQ(edit->Align(), alBottom);
  EXPECT_EQ(edit->Alignment(), taCenter);
  EXPECT_TRUE(edit->ReadOnly());
  EXPECT_EQ(edit->ScrollBars(), ssVertical);
  EXPECT_EQ(edit->TabOrder(), 1);
  EXPECT_EQ(edit->ThemeObject(), "default");
  EXPECT_EQ(edit->Font()->Height(), -11);

  TKivHeaderPanel* panel = form->KivHeaderPanel1;
  EXPECT_EQ(panel->Align(), alBottom);
  EXPECT_EQ(panel->Height(), 39);
  EXPECT_EQ(panel->Performance(), qspNoBuffer);
  EXPECT_FALSE(panel->ShowCaption());
  EXPECT_FALSE(panel->ShowButton());
  EXPECT_TRUE(panel->ShowBevel());
  EXPECT_EQ(panel->BevelWidth(), 1);
  EXPECT_EQ(panel->BorderWidth(), 3);
  EXPECT_EQ(panel->CaptionHeight(), 20);
  EXPECT_EQ(panel->ButtonKind(), qpbkRollUp);
  EXPECT_FALSE(panel->Rolled());
  EXPECT_FALSE(panel->AnimateRoll());
  EXPECT_FALSE(panel->ParentRoll());
  EXPECT_FALSE(panel->LinkPanels());
  EXPECT_EQ(panel->Caption(), L"KivHeaderPanel1");
  EXPECT_EQ(panel->ThemeObject(), "default");
  EXPECT_EQ(panel->NormalHeight(), 0);

  TKivEffectButton* button = form->KivEffectButton1;
  EXPECT_EQ(button->Parent(), panel);
  EXPECT_EQ(button->Anchors(), TAnchors{});
  EXPECT_EQ(button->Performance(), qspDoubleBuffer);
  EXPECT_EQ(button->Caption(), L"&Close");
  EXPECT_EQ(button->Kind(), bkClose);
  EXPECT_EQ(button->NumGlyphs(), 2);
  ASSERT_EQ(button->Glyph()->Width(), 32);
  ASSERT_EQ(button->Glyph()->Height(), 16);
  EXPECT_EQ(button->Glyph()->Canvas()->Pixel(0, 15), TColor(0x00808000));  // teal key
  EXPECT_FALSE(button->BlackAndWhiteGlyph());
  EXPECT_FALSE(button->WordWrap());
  EXPECT_FALSE(button->FontOptions()->Bold());
  EXPECT_EQ(button->FontOptions()->FontColor(), clNone);
  EXPECT_EQ(button->ThemeObject(), "default");
  EXPECT_EQ(button->TabOrder(), 0);
  EXPECT_TRUE(button->Animation()->Enabled());
  EXPECT_EQ(button->Animation()->Resolution(), 10);
  EXPECT_EQ(button->Animation()->EffectMouseEnter(), "[ FADE ] - Fade");
  EXPECT_EQ(button->Animation()->EffectMouseLeave(), "[ FADE ] - Fade");
  EXPECT_TRUE(button->SoundOptions().Empty());
  EXPECT_EQ(button->WaveList(), nullptr);
  EXPECT_GE(button->AnimationSlot(), 0);
}

// The Close button's face after the fade has run all the way in: with
// visual styles the hot face differs from the normal one; in the classic
// look the two are the same pixels, so the fade changes nothing visible.
TEST(ViewerForm, TheCloseButtonsHotFaceDiffersOnlyWithVisualStyles) {
  TFormFolder folder;
  SetAnimationTimer(std::make_unique<TkivManualTimer>());
  TForm1* form = nullptr;
  Application()->CreateForm(&form);
  ASSERT_NE(form, nullptr);
  std::unique_ptr<TForm1> owned(form);
  form->Show();
  Application()->ProcessMessages();
  TKivEffectButton* button = form->KivEffectButton1;
  auto face = [&] {
    auto m = std::make_unique<kivtest::TMemoryDC>(75, 25, true);
    HDC dc = GetDC(button->Handle());
    BitBlt(m->dc, 0, 0, 75, 25, dc, 0, 0, SRCCOPY);
    ReleaseDC(button->Handle(), dc);
    GdiFlush();
    return m;
  };
  // The focus elsewhere: the face's normal look is the plain one.
  form->KivRichEdit1->SetFocus();
  Application()->ProcessMessages();
  UpdateWindow(form->Handle());
  const auto normal = face();
  button->Perform(CM_MOUSEENTER);
  for (int i = 0; i < 25; ++i) AnimationTimer().ProcessMessages();
  EXPECT_FALSE(IsAnimating(button->AnimationSlot()));
  const auto hot = face();
  int differing = 0;
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 75; ++x)
      differing += (normal->At(x, y) & 0xFFFFFF) != (hot->At(x, y) & 0xFFFFFF);
  if (Platform().VisualStylesActive)
    EXPECT_GT(differing, 0);
  else
    EXPECT_EQ(differing, 0);
  owned.reset();
  SetAnimationTimer(CreatePlatformTimer());
}

TEST(ViewerForm, ACaptionErrorLeavesThePictureInPlaceAndTheRestAsDesigned) {
  TFormFolder folder;
  const std::string base = folder.Base();
  folder.WriteCaption("held open elsewhere");
  HANDLE lock =
      CreateFileA((base + ".txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);

  std::vector<std::string> errors;
  Application()->OnException = [&](TObject*, const std::exception& e) {
    errors.push_back(e.what());
  };
  TForm1* form = nullptr;
  Application()->CreateForm(&form);
  Application()->OnException = nullptr;
  CloseHandle(lock);

  ASSERT_NE(form, nullptr);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find(base + ".txt"), std::string::npos) << errors[0];
  EXPECT_EQ(ToNarrow(form->Caption()), base);
  EXPECT_EQ(form->Image1->BoundsRect(), Bounds(0, 0, 160, 30));
  EXPECT_EQ(form->Image1->Picture()->Width(), 160);
  EXPECT_EQ(form->ClientWidth(), 277);
  EXPECT_EQ(form->ClientHeight(), 434);
  EXPECT_EQ(form->KivRichEdit1->BoundsRect(), Bounds(0, 352, 277, 43));
  EXPECT_EQ(form->KivHeaderPanel1->BoundsRect(), Bounds(0, 395, 277, 39));
  EXPECT_EQ(form->KivEffectButton1->BoundsRect(), Bounds(93, 5, 75, 25));
  delete form;
}

}  // namespace
}  // namespace kiv
