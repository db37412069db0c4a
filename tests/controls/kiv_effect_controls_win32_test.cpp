// The effect button, check box and radio button on the engine's manual
// timer: the effect between the normal and hot faces as it reaches the
// window, a second event starting from the whole previous face, the cases
// that change the look at once, slots held and released (also when no slot
// was free, and when destroyed mid-effect), form streams and sounds.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/kiv_controls_unit_win32.hpp"
#include "controls/kiv_effect_controls_win32.hpp"
#include "controls_support_win32.hpp"
#include "effects/engine.hpp"
#include "framework/filer.hpp"
#include "sound_recorder.hpp"

namespace kiv {
namespace {

using ctltest::FirstDifference;
using ctltest::PaintToMemory;
using ctltest::TShownForm;
using kivtest::TMemoryDC;

// The engine on a manual timer, and the process-wide settings the effect
// controls read at their start values, for the length of a test.
class EffectControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetAnimationTimer(std::make_unique<TkivManualTimer>());
    Reset();
  }
  void TearDown() override {
    Reset();
    SetAnimationTimer(CreatePlatformTimer());
  }
  static void Reset() {
    UseGlobalAnimation = false;
    GlobalAnimation().SetEnabled(false);
    ResetGlobalSounds();
  }
  // Timer events, as the running timer delivers them (none once it stops).
  static void Tick(int count) {
    for (int i = 0; i < count; ++i) AnimationTimer().ProcessMessages();
  }
};

bool AnySlotActive() {
  for (int i = 0; i < kAnimationSlotCount; ++i)
    if (IsAnimating(i)) return true;
  return false;
}

// What the control's window shows now.
std::unique_ptr<TMemoryDC> Screen(TWinControl& c) {
  auto mem = std::make_unique<TMemoryDC>(c.Width(), c.Height(), true);
  HDC dc = GetDC(c.Handle());
  BitBlt(mem->dc, 0, 0, c.Width(), c.Height(), dc, 0, 0, SRCCOPY);
  ReleaseDC(c.Handle(), dc);
  GdiFlush();
  return mem;
}

std::unique_ptr<TkivBitmap> ToSurface(const TMemoryDC& m) {
  auto s = std::make_unique<TkivBitmap>();
  s->SetSize(m.w, m.h);
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x) s->SetPixel(x, y, m.At(x, y) | 0xFF000000u);
  return s;
}

// The first pixel where a surface and a bitmap differ, as text; empty when
// they agree.
std::string SurfaceDifference(const TkivBitmap& s, const TMemoryDC& m) {
  if (s.Width() != m.w || s.Height() != m.h) return "sizes differ";
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x)
      if ((s.GetPixel(x, y) & 0xFFFFFF) != (m.At(x, y) & 0xFFFFFF))
        return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
  return {};
}

// Each control at 75 x 25. The button shows the close glyph in greys unless
// hot, so its two faces differ in the classic look too (the classic push
// button and the classic marks look the same hot and not).
template <class T>
T* Make(TShownForm& s, int left = 10, int top = 10) {
  auto* c = new T(s.form.get());
  c->SetBounds(left, top, 75, 25);
  c->SetCaption(L"Effect");
  if constexpr (std::is_same_v<T, TKivEffectButton>) {
    c->SetKind(bkClose);
    c->SetBlackAndWhiteGlyph(true);
  }
  c->SetParent(s.form.get());
  return c;
}

void ShowPainted(TShownForm& s) {
  s.Show();
  UpdateWindow(s.form->Handle());
  TShownForm::Pump();
}

bool RepaintPending(TWinControl& c) {
  return GetUpdateRect(c.Handle(), nullptr, FALSE) != 0;
}

template <class T>
class EffectControlTypes : public EffectControlsTest {};
using EffectTypes = ::testing::Types<TKivEffectButton, TKivEffectCheckBox, TKivEffectRadioButton>;
TYPED_TEST_SUITE(EffectControlTypes, EffectTypes);

// The window keeps the normal face until the first frame; the frames run
// between the faces and the last one leaves the hot face, with the slot
// stopped and still held, and the timer off.
TYPED_TEST(EffectControlTypes, EnteringPlaysTheEffectFromTheNormalToTheHotFace) {
  TShownForm s;
  auto* c = Make<TypeParam>(s);
  ShowPainted(s);
  const auto normal = PaintToMemory(*c);
  ASSERT_EQ(FirstDifference(*Screen(*c), *normal), "") << "the window shows the normal face";
  const int slot = c->AnimationSlot();
  ASSERT_GE(slot, 0);

  c->Perform(CM_MOUSEENTER);
  EXPECT_TRUE(c->Hot());
  EXPECT_TRUE(c->Animating());
  EXPECT_TRUE(AnimationTimer().Enabled());
  EXPECT_FALSE(RepaintPending(*c));
  EXPECT_EQ(FirstDifference(*Screen(*c), *normal), "") << "before the first frame";
  const auto hot = PaintToMemory(*c);
  const bool faces_differ = FirstDifference(*hot, *normal) != "";
  if (std::is_same_v<TypeParam, TKivEffectButton>) {
    ASSERT_TRUE(faces_differ);
  }

  this->Tick(10);  // progress 50 %
  EXPECT_TRUE(c->Animating());
  if (faces_differ) {
    const auto mid = Screen(*c);
    EXPECT_NE(FirstDifference(*mid, *normal), "");
    EXPECT_NE(FirstDifference(*mid, *hot), "");
  }
  this->Tick(10);
  EXPECT_FALSE(c->Animating());
  EXPECT_FALSE(AnimationTimer().Enabled());
  EXPECT_EQ(FirstDifference(*Screen(*c), *hot), "");
  EXPECT_EQ(c->AnimationSlot(), slot);
  EXPECT_TRUE(AnimationSlot(slot).Reserved);
}

// Leaving 5 ticks into the enter effect starts the leave effect from the
// whole hot face: its source is that face, and its first frame is the one
// the engine makes from the hot face to the normal one, not from the frame
// on screen. It ends on the normal face.
TYPED_TEST(EffectControlTypes, LeavingMidEffectStartsFromTheWholeHotFace) {
  TShownForm s;
  auto* c = Make<TypeParam>(s);
  ShowPainted(s);
  const auto normal = PaintToMemory(*c);
  c->Perform(CM_MOUSEENTER);
  const auto hot = PaintToMemory(*c);
  this->Tick(5);
  ASSERT_TRUE(c->Animating());
  if (FirstDifference(*hot, *normal) != "") {
    EXPECT_NE(FirstDifference(*Screen(*c), *hot), "") << "the screen shows a frame mid-effect";
  }

  c->Perform(CM_MOUSELEAVE);
  EXPECT_FALSE(c->Hot());
  ASSERT_TRUE(c->Animating());
  EXPECT_EQ(SurfaceDifference(*c->OldFace(), *hot), "");
  EXPECT_EQ(SurfaceDifference(*c->NewFace(), *normal), "");
  this->Tick(1);
  const auto first = Screen(*c);

  auto source = ToSurface(*hot), target = ToSurface(*normal);
  TkivBitmap replay;
  replay.SetSize(75, 25);
  TkivSurfaceCanvas replay_canvas(replay);
  TkivAnimationRec rec;
  rec.Assign(c->Animation()->AnimationRec());
  rec.SetEffect(c->Animation()->EffectMouseLeave());
  const int index = StartAnimation(&replay_canvas, 0, 0, -1, rec, target.get(), source.get());
  ASSERT_GE(index, 0);
  StepAnimation(index);
  StopAnimation(index);
  EXPECT_EQ(SurfaceDifference(replay, *first), "");

  this->Tick(19);
  EXPECT_FALSE(c->Animating());
  EXPECT_EQ(FirstDifference(*Screen(*c), *normal), "");
}

// Without animation in force the look changes at once, through a repaint;
// the global options stand in for the control's own while they are used.
TEST_F(EffectControlsTest, WithoutAnimationTheLookChangesAtOnce) {
  struct Case {
    const char* what;
    bool enabled, own, use_global, global, want_effect;
  };
  for (const Case& k : {Case{"disabled control", false, true, false, false, false},
                        Case{"own options off", true, false, false, false, false},
                        Case{"global options off", true, true, true, false, false},
                        Case{"global options on", true, false, true, true, true}}) {
    SCOPED_TRACE(k.what);
    UseGlobalAnimation = k.use_global;
    GlobalAnimation().SetEnabled(k.global);
    TShownForm s;
    auto* b = Make<TKivEffectButton>(s);
    b->SetEnabled(k.enabled);
    b->Animation()->SetEnabled(k.own);
    ShowPainted(s);
    b->Perform(CM_MOUSEENTER);
    EXPECT_TRUE(b->Hot());
    EXPECT_EQ(b->Animating(), k.want_effect);
    if (k.want_effect) continue;
    EXPECT_FALSE(AnySlotActive());
    EXPECT_TRUE(RepaintPending(*b));
    UpdateWindow(b->Handle());
    EXPECT_EQ(FirstDifference(*Screen(*b), *PaintToMemory(*b)), "");
    b->Perform(CM_MOUSELEAVE);
    EXPECT_FALSE(b->Hot());
    EXPECT_FALSE(AnySlotActive());
    EXPECT_TRUE(RepaintPending(*b));
  }
}

// Switching animation off mid-effect: the change that follows is shown at
// once and the effect still running does not draw over it.
TEST_F(EffectControlsTest, AChangeWithoutAnimationStopsTheRunningEffect) {
  TShownForm s;
  auto* b = Make<TKivEffectButton>(s);
  ShowPainted(s);
  b->Perform(CM_MOUSEENTER);
  Tick(5);
  b->Animation()->SetEnabled(false);
  b->Perform(CM_MOUSELEAVE);
  EXPECT_FALSE(b->Animating());
  UpdateWindow(b->Handle());
  Tick(20);
  EXPECT_EQ(FirstDifference(*Screen(*b), *PaintToMemory(*b)), "");
}

// A control destroyed mid-effect stops it before its faces go and releases
// its own slot; another control's slot and effect are left alone.
TEST_F(EffectControlsTest, DestroyedMidEffectReleasesOnlyItsOwnSlot) {
  TShownForm s;
  auto* a = Make<TKivEffectButton>(s);
  auto* b = Make<TKivEffectButton>(s, 100);
  ShowPainted(s);
  const int slot_a = a->AnimationSlot(), slot_b = b->AnimationSlot();
  ASSERT_GE(slot_a, 0);
  ASSERT_GE(slot_b, 0);
  ASSERT_NE(slot_a, slot_b);
  a->Perform(CM_MOUSEENTER);
  b->Perform(CM_MOUSEENTER);
  Tick(5);
  delete a;
  EXPECT_FALSE(IsAnimating(slot_a));
  EXPECT_FALSE(AnimationSlot(slot_a).Reserved);
  EXPECT_TRUE(IsAnimating(slot_b));
  EXPECT_TRUE(AnimationSlot(slot_b).Reserved);
  Tick(15);
  EXPECT_FALSE(b->Animating());
  EXPECT_EQ(FirstDifference(*Screen(*b), *PaintToMemory(*b)), "");
}

// Every slot taken: a new control holds none and changes its look at once,
// touching no slot. Once one is free it reserves it before its next effect,
// animates only there, and gives back exactly that one when destroyed
// mid-effect.
TEST_F(EffectControlsTest, AControlMadeWhileNoSlotWasFreeReservesOneBeforeItsEffect) {
  std::vector<int> taken;
  for (int i = ReserveAnimationSlot(); i >= 0; i = ReserveAnimationSlot()) taken.push_back(i);
  auto release_all = [&] {
    for (int i : taken) ReleaseAnimationSlot(i);
  };
  TShownForm s;
  auto* c = Make<TKivEffectButton>(s);
  ShowPainted(s);
  EXPECT_EQ(c->AnimationSlot(), -1);
  c->Perform(CM_MOUSEENTER);
  EXPECT_TRUE(c->Hot());
  EXPECT_FALSE(AnySlotActive());
  EXPECT_TRUE(RepaintPending(*c));
  c->Perform(CM_MOUSELEAVE);
  EXPECT_FALSE(AnySlotActive());

  const int freed = taken.back();
  taken.pop_back();
  ReleaseAnimationSlot(freed);
  c->Perform(CM_MOUSEENTER);
  EXPECT_EQ(c->AnimationSlot(), freed);
  EXPECT_TRUE(IsAnimating(freed));
  Tick(5);
  delete c;
  EXPECT_FALSE(AnySlotActive());
  EXPECT_FALSE(AnimationSlot(freed).Reserved);
  for (int i : taken) EXPECT_TRUE(AnimationSlot(i).Reserved) << i;
  release_all();
}

// The viewer's Close button as its window defines it, read from a form text:
// the settings hold, and the text the button writes reads back into a
// button with the same values. Settings away from the construction values
// (animation off, resolution 1, stored wave indexes) come back too.
TEST_F(EffectControlsTest, TheCloseButtonsSettingsStreamThroughTheFormText) {
  RegisterKivControls();
  const std::string definition =
      "object F: TForm\n"
      "  object KivEffectButton1: TKivEffectButton\n"
      "    Left = 93\n"
      "    Top = 5\n"
      "    Width = 75\n"
      "    Height = 25\n"
      "    Anchors = []\n"
      "    Performance = qspDoubleBuffer\n"
      "    Caption = '&Close'\n"
      "    Kind = bkClose\n"
      "    NumGlyphs = 2\n"
      "    BlackAndWhiteGlyph = False\n"
      "    WordWrap = False\n"
      "    FontOptions.Bold = False\n"
      "    FontOptions.Italic = False\n"
      "    FontOptions.SizeDelta = 0\n"
      "    FontOptions.StrikeOut = False\n"
      "    FontOptions.Underline = False\n"
      "    ThemeObject = 'default'\n"
      "    TabOrder = 0\n"
      "    Animation.Enabled = True\n"
      "    Animation.Resolution = 10\n"
      "    Animation.EffectMouseEnter = '[ FADE ] - Fade'\n"
      "    Animation.EffectMouseLeave = '[ FADE ] - Fade'\n"
      "    SoundOptions = []\n"
      "  end\n"
      "end\n";
  auto read = [](const std::string& text, TForm& form) {
    TextToComponent(text, &form);
    auto* b = dynamic_cast<TKivEffectButton*>(form.FindComponent("KivEffectButton1"));
    EXPECT_NE(b, nullptr);
    return b;
  };
  auto same = [](TKivEffectButton* a, TKivEffectButton* b) {
    EXPECT_EQ(b->Left(), a->Left());
    EXPECT_EQ(b->Top(), a->Top());
    EXPECT_EQ(b->Width(), a->Width());
    EXPECT_EQ(b->Height(), a->Height());
    EXPECT_EQ(b->Caption(), a->Caption());
    EXPECT_EQ(b->Kind(), a->Kind());
    EXPECT_EQ(b->NumGlyphs(), a->NumGlyphs());
    EXPECT_EQ(b->Performance(), a->Performance());
    const TKivAdvancedAnimation &x = *a->Animation(), &y = *b->Animation();
    EXPECT_EQ(y.Enabled(), x.Enabled());
    EXPECT_EQ(y.Resolution(), x.Resolution());
    EXPECT_EQ(y.TileCount(), x.TileCount());
    EXPECT_EQ(y.Time(), x.Time());
    EXPECT_EQ(y.Direction(), x.Direction());
    EXPECT_EQ(y.EffectMouseEnter(), x.EffectMouseEnter());
    EXPECT_EQ(y.EffectMouseLeave(), x.EffectMouseLeave());
    EXPECT_EQ(b->SoundOptions(), a->SoundOptions());
    EXPECT_EQ(b->WaveClickIndex(), a->WaveClickIndex());
    EXPECT_EQ(b->WaveInIndex(), a->WaveInIndex());
    EXPECT_EQ(b->WaveOutIndex(), a->WaveOutIndex());
    EXPECT_EQ(b->WaveList() != nullptr, a->WaveList() != nullptr);
  };

  TForm first(nullptr);
  TKivEffectButton* b = read(definition, first);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->Caption(), L"&Close");
  EXPECT_EQ(b->Kind(), bkClose);
  EXPECT_EQ(b->Anchors(), TAnchors{});
  EXPECT_EQ(b->Performance(), qspDoubleBuffer);
  EXPECT_EQ(b->Glyph()->Width(), 32);
  EXPECT_EQ(b->Glyph()->Height(), 16);
  EXPECT_EQ(b->NumGlyphs(), 2);
  EXPECT_EQ(b->FontOptions()->FontColor(), clNone);
  EXPECT_TRUE(b->Animation()->Enabled());
  EXPECT_EQ(b->Animation()->Resolution(), 10);
  EXPECT_EQ(b->Animation()->Time(), 400);
  EXPECT_EQ(b->Animation()->EffectMouseEnter(), kFadeEffectName);
  EXPECT_EQ(b->Animation()->EffectMouseLeave(), kFadeEffectName);
  EXPECT_TRUE(b->SoundOptions().Empty());
  EXPECT_EQ(b->WaveList(), nullptr);
  EXPECT_GE(b->AnimationSlot(), 0);
  TForm second(nullptr);
  TKivEffectButton* again = read(ComponentToText(&first), second);
  ASSERT_NE(again, nullptr);
  same(b, again);

  // Away from the construction values, with waves the indexes point into
  // (a reference to the list is resolved only once the whole form is read,
  // after the indexes).
  auto* list = new TKivExtraWaveList(&first);
  list->SetName("Sounds");
  for (int i = 0; i < 3; ++i) list->Waves()->Add();
  b->SetWaveList(list);
  b->SetWaveClickIndex(1);
  b->SetWaveInIndex(2);
  b->SetWaveOutIndex(1);
  b->SetSoundOptions({esoIgnoreGlobalOptions});
  TKivAdvancedAnimation& a = *b->Animation();
  a.SetEnabled(false);
  a.SetResolution(1);
  a.SetTileCount(3);
  a.SetTime(1500);
  a.SetDirection(qdRotate180);
  a.SetEffectMouseEnter("[ FADE ] - CircleFade");
  const std::string text = ComponentToText(&first);
  TForm third(nullptr);
  TKivEffectButton* changed = read(text, third);
  ASSERT_NE(changed, nullptr);
  same(b, changed);
  EXPECT_EQ(changed->WaveList(), third.FindComponent("Sounds"));
  EXPECT_EQ(changed->Version_Extra(), "2.0.6");
  EXPECT_EQ(text.find("Version_Extra"), std::string::npos);
}

TEST_F(EffectControlsTest, WaveIndexesStayWithinTheList) {
  TShownForm s;
  auto* b = Make<TKivEffectButton>(s);
  b->SetWaveInIndex(1);
  EXPECT_EQ(b->WaveInIndex(), -1) << "no list";
  auto* list = new TKivExtraWaveList(s.form.get());
  b->SetWaveList(list);
  b->SetWaveInIndex(0);
  EXPECT_EQ(b->WaveInIndex(), -1) << "no waves";
  for (int i = 0; i < 3; ++i) list->Waves()->Add();
  struct Case {
    int value, want;
  };
  for (const Case& k : {Case{7, 2}, Case{2, 2}, Case{0, 0}, Case{-5, -1}}) {
    b->SetWaveInIndex(k.value);
    b->SetWaveOutIndex(k.value);
    b->SetWaveClickIndex(k.value);
    EXPECT_EQ(b->WaveInIndex(), k.want) << k.value;
    EXPECT_EQ(b->WaveOutIndex(), k.want) << k.value;
    EXPECT_EQ(b->WaveClickIndex(), k.want) << k.value;
  }
  b->SetWaveInIndex(1);
  delete list;  // the button forgets the list, and the enter and leave waves
  EXPECT_EQ(b->WaveList(), nullptr);
  EXPECT_EQ(b->WaveInIndex(), -1);
  EXPECT_EQ(b->WaveOutIndex(), -1);
}

void AddWaves(TKivExtraWaveList& list, int count) {
  const std::vector<uint8_t> bytes = kivtest::SmallWave();
  for (int i = 0; i < count; ++i) {
    TMemoryStream s;
    s.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    s.SetPosition(0);
    list.Waves()->Add()->Wave()->LoadFromStream(s);
  }
}

const void* WaveOf(TKivExtraWaveList& list, int index) {
  return list.Waves()->Items(index)->Wave()->Bytes();
}

// Sounds go to the platform through the replaceable play function: the own
// leave wave unless the global settings apply; enter and click waves only
// through the global settings, for the kinds that sound (button 0, check
// box and radio button 2); a disabled control still sounds.
TEST_F(EffectControlsTest, SoundsFollowTheGlobalSettingsAndTheControlsKind) {
  TShownForm s;
  auto* global = new TKivExtraWaveList(s.form.get());  // the first list: the global one
  ASSERT_EQ(GlobalWaveList, global);
  AddWaves(*global, 3);
  GlobalEnterIndex = 0;
  GlobalClickIndex = 1;
  GlobalLeaveIndex = 2;
  auto* own = new TKivExtraWaveList(s.form.get());
  AddWaves(*own, 2);
  auto* b = Make<TKivEffectButton>(s);
  auto* box = Make<TKivEffectCheckBox>(s, 100);
  b->SetWaveList(own);
  b->SetWaveInIndex(0);
  b->SetWaveOutIndex(1);
  box->SetWaveList(own);
  box->SetWaveOutIndex(0);
  ShowPainted(s);
  std::vector<std::string> clicks;
  b->OnClick.Handler = [&](TObject*) { clicks.push_back("click"); };
  using kivtest::ScopedSoundRecorder;
  ScopedSoundRecorder recorder;
  auto played = [] {
    std::vector<const void*> sounds;
    for (const auto& call : ScopedSoundRecorder::Calls()) sounds.push_back(call.Sound);
    ScopedSoundRecorder::Calls().clear();
    return sounds;
  };
  using Sounds = std::vector<const void*>;
  auto press_release = [](TWinControl* c) {
    SendMessageW(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(c->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  };

  // Global sounds off: only the own leave wave.
  b->Perform(CM_MOUSEENTER);
  EXPECT_EQ(played(), Sounds{});
  b->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(played(), Sounds{WaveOf(*own, 1)});
  b->Click();
  EXPECT_EQ(played(), Sounds{});

  UseGlobalSounds = true;
  b->OnClick.Handler = [&](TObject*) { clicks.push_back(played().empty() ? "silent" : "after"); };
  b->Perform(CM_MOUSEENTER);
  EXPECT_EQ(played(), Sounds{WaveOf(*global, 0)});
  b->Click();
  EXPECT_EQ(clicks.back(), "after") << "the click sound plays before the click";
  b->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(played(), Sounds{WaveOf(*global, 2)});
  box->Perform(CM_MOUSEENTER);
  press_release(box);
  box->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(played(), (Sounds{WaveOf(*global, 0), WaveOf(*global, 1), WaveOf(*global, 2)}));

  SoundingControls.Exclude(kSoundingCheckBox);  // check boxes fall silent but for leaving
  box->Perform(CM_MOUSEENTER);
  press_release(box);
  box->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(played(), Sounds{WaveOf(*global, 2)});

  b->SetSoundOptions({esoIgnoreGlobalOptions});
  b->SetEnabled(false);
  b->Perform(CM_MOUSEENTER);
  b->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(played(), Sounds{WaveOf(*own, 1)});
}

// The effect check box's and radio button's own press: the pressed look and
// the capture, no focus taken, the running effect stopped; the release
// checks the control.
template <class T>
class EffectMarkTypes : public EffectControlsTest {};
using EffectMarks = ::testing::Types<TKivEffectCheckBox, TKivEffectRadioButton>;
TYPED_TEST_SUITE(EffectMarkTypes, EffectMarks);

TYPED_TEST(EffectMarkTypes, ThePressStopsTheEffectWithoutTheFocusAndTheReleaseChecks) {
  TShownForm s;
  auto* box = Make<TypeParam>(s);
  auto* other = Make<TKivEffectButton>(s, 100);
  ShowPainted(s);
  other->SetFocus();
  TShownForm::Pump();
  int down = 0;
  box->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++down; };
  box->Perform(CM_MOUSEENTER);
  this->Tick(3);
  ASSERT_TRUE(box->Animating());
  SendMessageW(box->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(down, 1);
  EXPECT_TRUE(box->Pressed());
  EXPECT_FALSE(box->Animating());
  EXPECT_EQ(GetCapture(), box->Handle());
  EXPECT_FALSE(box->HasFocus());
  SendMessageW(box->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_FALSE(box->Pressed());
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
}  // namespace kiv
