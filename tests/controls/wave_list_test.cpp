// Wave lists: the collection in a form stream ("WaveData" holds exactly the
// wave file), the first list as the global one, the play operations with
// their global routing and ignored errors, and the index clamping the
// effect controls use.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "controls/kiv_wave_list.hpp"
#include "framework/filer.hpp"
#include "sound_recorder.hpp"
#include "support/testdata.hpp"

namespace {

using kiv::TKivExtraWaveList;
using kivtest::ScopedSoundRecorder;

// Keeps the process-wide settings of one test from reaching the next.
class WaveListTest : public ::testing::Test {
 protected:
  void SetUp() override { kiv::ResetGlobalSounds(); }
  void TearDown() override { kiv::ResetGlobalSounds(); }
};

void AddWave(TKivExtraWaveList& list, const std::vector<uint8_t>& bytes) {
  kiv::TMemoryStream s;
  s.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  s.SetPosition(0);
  list.Waves()->Add()->Wave()->LoadFromStream(s);
}

const void* WaveBytes(TKivExtraWaveList& list, int index) {
  return list.Waves()->Items(index)->Wave()->Bytes();
}

TEST_F(WaveListTest, FormStreamHoldsTheWaveFileAndRestoresItems) {
  const std::string pop = kivtest::ReadFile(kivtest::TestData("wav/hound/testsamples/pop.wav"));
  TKivExtraWaveList list(nullptr);
  list.SetName("Sounds");
  AddWave(list, std::vector<uint8_t>(pop.begin(), pop.end()));
  AddWave(list, kivtest::SmallWave());
  list.Waves()->Items(0)->Wave()->SetName("Pop");
  list.Waves()->Items(0)->SetTag(7);
  list.Waves()->Items(1)->SetOptions({kiv::ewoSync, kiv::ewoNoStop});

  kiv::TMemoryStream form;
  form.WriteComponent(&list);
  // The binary property: name, vaBinary, 32-bit size, then the file's bytes.
  const std::string bytes(reinterpret_cast<const char*>(form.Memory()),
                          static_cast<size_t>(form.Size()));
  std::string stored = "\x0DWave.WaveData\x0A";
  for (int i = 0; i < 4; ++i) stored += static_cast<char>(pop.size() >> (8 * i));
  EXPECT_NE(bytes.find(stored + pop), std::string::npos);
  EXPECT_EQ(bytes.find("Extra_Version"), std::string::npos);  // not stored
  EXPECT_EQ(bytes.find("Pop"), std::string::npos);            // names are not stored

  form.SetPosition(0);
  TKivExtraWaveList read(nullptr);
  form.ReadComponent(&read);
  ASSERT_EQ(read.Waves()->Count(), 2);
  auto* first = read.Waves()->Items(0);
  auto* second = read.Waves()->Items(1);
  EXPECT_EQ(
      std::string(reinterpret_cast<const char*>(first->Wave()->Bytes()), first->Wave()->Size()),
      pop);
  EXPECT_EQ(first->DisplayName(), "Extra Wave");
  EXPECT_EQ(first->Tag(), 7);
  EXPECT_EQ(first->Options(), kiv::TKivExtraWaveOptions{kiv::ewoAsync});
  EXPECT_EQ(std::vector<uint8_t>(second->Wave()->Bytes(),
                                 second->Wave()->Bytes() + second->Wave()->Size()),
            kivtest::SmallWave());
  EXPECT_EQ(second->Options(), (kiv::TKivExtraWaveOptions{kiv::ewoSync, kiv::ewoNoStop}));
  EXPECT_EQ(second->Wave()->Flags(), 0x14u);
  EXPECT_EQ(read.Extra_Version(), "2.0.6");
  EXPECT_EQ(read.Waves()->GetOwner(), &read);
}

TEST_F(WaveListTest, ItemsCopyTheirWaveAndNotifyOnlyForAnotherWave) {
  TKivExtraWaveList list(nullptr);
  AddWave(list, kivtest::SmallWave());
  auto* a = list.Waves()->Items(0);
  a->SetTag(3);
  auto* b = list.Waves()->Add();
  int changes = 0;
  b->OnChange.Handler = [&](kiv::TObject*) { ++changes; };
  b->SetWave(b->Wave());
  EXPECT_EQ(changes, 0);
  b->SetWave(a->Wave());
  EXPECT_EQ(changes, 1);
  EXPECT_NE(b->Wave(), a->Wave());
  EXPECT_EQ(b->Wave()->Size(), a->Wave()->Size());
  auto* c = list.Waves()->Add();
  c->Assign(a);
  EXPECT_EQ(c->Tag(), 3);
  EXPECT_EQ(c->Wave()->Size(), a->Wave()->Size());
}

TEST_F(WaveListTest, TheFirstListIsGlobalUntilItGoes) {
  auto first = std::make_unique<TKivExtraWaveList>(nullptr);
  EXPECT_EQ(kiv::GlobalWaveList, first.get());
  TKivExtraWaveList second(nullptr);
  EXPECT_EQ(kiv::GlobalWaveList, first.get());
  first.reset();
  EXPECT_EQ(kiv::GlobalWaveList, nullptr);  // the second list does not take over
}

TEST_F(WaveListTest, PlayListWaveIgnoresMissingListsAndIndexes) {
  ScopedSoundRecorder recorder;
  auto& calls = ScopedSoundRecorder::Calls();
  TKivExtraWaveList list(nullptr);
  AddWave(list, kivtest::SmallWave());
  AddWave(list, kivtest::SmallWave());
  for (int index : {5, 2, -1, -2, 1000000}) {
    EXPECT_NO_THROW(kiv::PlayListWave(&list, index));
    EXPECT_NO_THROW(kiv::PlayListWave(nullptr, index));
  }
  EXPECT_TRUE(calls.empty());
  kiv::PlayListWave(&list, 1);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Sound, WaveBytes(list, 1));
}

// Which wave an event plays: the global one of the event when the control
// uses the global settings and they are on, else the control's own.
TEST_F(WaveListTest, EventWavesFollowTheGlobalSettings) {
  ScopedSoundRecorder recorder;
  auto& calls = ScopedSoundRecorder::Calls();
  TKivExtraWaveList global(nullptr);  // the first list: the global one
  TKivExtraWaveList own(nullptr);
  for (int i = 0; i < 3; ++i) {
    AddWave(global, kivtest::SmallWave());
    AddWave(own, kivtest::SmallWave());
  }
  kiv::GlobalEnterIndex = 0;
  kiv::GlobalLeaveIndex = 1;
  kiv::GlobalClickIndex = 2;
  using Play = void (*)(TKivExtraWaveList*, int, bool);
  struct Case {
    Play play;
    bool use_global, global_on;
    const void* want;
  };
  const Case cases[] = {
      {kiv::PlayEnterWave, true, true, WaveBytes(global, 0)},
      {kiv::PlayLeaveWave, true, true, WaveBytes(global, 1)},
      {kiv::PlayClickWave, true, true, WaveBytes(global, 2)},
      {kiv::PlayEnterWave, false, true, WaveBytes(own, 2)},
      {kiv::PlayLeaveWave, true, false, WaveBytes(own, 2)},
      {kiv::PlayClickWave, false, false, WaveBytes(own, 2)},
  };
  for (const Case& t : cases) {
    calls.clear();
    kiv::UseGlobalSounds = t.global_on;
    t.play(&own, 2, t.use_global);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Sound, t.want) << t.use_global << t.global_on;
  }
  // Global settings on with no global list: nothing, and nothing raised.
  kiv::GlobalWaveList = nullptr;
  kiv::UseGlobalSounds = true;
  calls.clear();
  kiv::PlayEnterWave(&own, 0, true);
  EXPECT_TRUE(calls.empty());
}

TEST_F(WaveListTest, StoredIndexesAreClampedToTheList) {
  TKivExtraWaveList list(nullptr);
  for (int i = 0; i < 3; ++i) AddWave(list, kivtest::SmallWave());
  TKivExtraWaveList empty(nullptr);
  struct Case {
    const TKivExtraWaveList* list;
    int value, want;
  };
  for (const Case& t : {Case{&list, 7, 2}, Case{&list, 2, 2}, Case{&list, 1, 1}, Case{&list, 0, 0},
                        Case{&list, -5, -1}, Case{&empty, 0, -1}, Case{nullptr, 1, -1}})
    EXPECT_EQ(kiv::ClampWaveIndex(t.list, t.value), t.want) << t.value;
}

}  // namespace
