// Stored waves: the two stream forms, files, assignment, the form property,
// the RIFF checks that guard playback, the playback flags and what Play
// hands to the platform.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "controls/kiv_extra_wave.hpp"
#include "controls/kiv_wave.hpp"
#include "framework/exceptions.hpp"
#include "framework/streams.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "sound_recorder.hpp"
#include "support/testdata.hpp"

namespace {

using kiv::TKivExtraWave;
using kiv::TKivWave;
using kivtest::Chunk;
using kivtest::MakeRiff;
using kivtest::PcmFormat;
using kivtest::ScopedSoundRecorder;
using kivtest::SmallWave;

std::vector<uint8_t> BytesOf(const TKivWave& w) {
  return std::vector<uint8_t>(w.Bytes(), w.Bytes() + w.Size());
}

void Load(TKivWave& w, const std::vector<uint8_t>& bytes) {
  kiv::TMemoryStream s;
  s.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  s.SetPosition(0);
  w.LoadFromStream(s);
}

const char kPop[] = "wav/hound/testsamples/pop.wav";

TEST(WaveStreamForms, BareAtStartKeepsDataNotNameFramedLaterKeepsBoth) {
  TKivWave saved;
  Load(saved, SmallWave());
  saved.SetName("Click");

  kiv::TMemoryStream bare;
  saved.SaveToStream(bare);
  EXPECT_EQ(bare.Size(), static_cast<int64_t>(SmallWave().size()));  // no name, no sizes
  bare.SetPosition(0);
  TKivWave from_bare;
  from_bare.SetName("kept");
  from_bare.LoadFromStream(bare);
  EXPECT_EQ(BytesOf(from_bare), SmallWave());
  EXPECT_EQ(from_bare.Name(), "kept");

  kiv::TMemoryStream framed;
  const std::string other(10, 'x');
  framed.WriteBuffer(other.data(), 10);
  saved.SaveToStream(framed);
  framed.SetPosition(10);
  TKivWave from_framed;
  from_framed.LoadFromStream(framed);
  EXPECT_EQ(BytesOf(from_framed), SmallWave());
  EXPECT_EQ(from_framed.Name(), "Click");
  EXPECT_EQ(framed.Position(), framed.Size());
}

// The framed form made byte by byte, not by the writer: sizes, name, data,
// and more content after it that must stay unread.
TEST(WaveStreamForms, ReadsAFramedRecordMadeByHand) {
  std::vector<uint8_t> bytes{0xAA, 0xBB};  // whatever came before
  const std::vector<uint8_t> data = SmallWave();
  kivtest::PutU32(bytes, static_cast<uint32_t>(data.size()));
  kivtest::PutU32(bytes, 3);
  bytes.insert(bytes.end(), {'Z', 'a', 'p'});
  bytes.insert(bytes.end(), data.begin(), data.end());
  bytes.insert(bytes.end(), {1, 2, 3});
  kiv::TMemoryStream s;
  s.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  s.SetPosition(2);
  TKivWave w;
  int changes = 0;
  w.OnChange.Handler = [&](kiv::TObject*) { ++changes; };
  w.LoadFromStream(s);
  EXPECT_EQ(w.Name(), "Zap");
  EXPECT_EQ(BytesOf(w), data);
  EXPECT_EQ(s.Position(), static_cast<int64_t>(bytes.size()) - 3);
  EXPECT_EQ(changes, 1);
}

// A framed record whose sizes claim more than the stream holds is refused,
// without allocating the claimed size and without touching the wave.
TEST(WaveStreamForms, ShortFramedRecordRaisesAndLeavesTheWave) {
  struct Case {
    uint32_t data_size, name_size;
  };
  for (const Case& t : {Case{0xFFFFFFF0u, 0}, Case{4, 0x7FFFFFFF}, Case{100, 2}}) {
    std::vector<uint8_t> bytes{0};
    kivtest::PutU32(bytes, t.data_size);
    kivtest::PutU32(bytes, t.name_size);
    bytes.insert(bytes.end(), {'a', 'b', 'c', 'd', 'e'});
    kiv::TMemoryStream s;
    s.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    s.SetPosition(1);
    TKivWave w;
    Load(w, SmallWave());
    w.SetName("before");
    EXPECT_THROW(w.LoadFromStream(s), kiv::EReadError) << t.data_size << " " << t.name_size;
    EXPECT_EQ(BytesOf(w), SmallWave());
    EXPECT_EQ(w.Name(), "before");
  }
}

TEST(WaveFiles, AFileIsStoredExactlyAsReadAndWrittenBackUnchanged) {
  const std::string path = kivtest::TestData(kPop);
  TKivWave w;
  w.LoadFromFile(path);
  const std::string file = kivtest::ReadFile(path);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(w.Bytes()), w.Size()), file);
  const std::string out = kivtest::TempPath("kiv_wave_out.wav");
  w.SaveToFile(out);
  EXPECT_EQ(kivtest::ReadFile(out), file);
  std::filesystem::remove(out);
  EXPECT_THROW(w.LoadFromFile(kivtest::TempPath("no_such_wave.wav")), kiv::EFOpenError);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(w.Bytes()), w.Size()), file);
}

TEST(WaveAssign, CopiesDataKeepsNameAndAlwaysNotifies) {
  TKivWave source;
  Load(source, SmallWave());
  source.SetName("source");
  TKivWave dest;
  dest.SetName("dest");
  int changes = 0;
  dest.OnChange.Handler = [&](kiv::TObject*) { ++changes; };
  dest.Assign(&source);
  EXPECT_EQ(BytesOf(dest), SmallWave());
  EXPECT_NE(dest.Bytes(), source.Bytes());
  EXPECT_EQ(dest.Name(), "dest");
  dest.Assign(nullptr);  // no source: data kept, still notified
  EXPECT_EQ(BytesOf(dest), SmallWave());
  EXPECT_EQ(changes, 2);
  kiv::TkivBitmap other;
  EXPECT_THROW(dest.Assign(&other), kiv::EInvalidCast);
}

// The checks that decide whether the platform may be handed the bytes, on
// files built field by field.
TEST(WaveCheck, RefusesWhatThePlaybackWouldReadPastAndNamesTheReason) {
  const std::vector<uint8_t> data{1, 2, 3, 4};
  std::vector<uint8_t> truncated = SmallWave();
  truncated.pop_back();
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    bool playable;
    const char* reason;  // a part of the reason
  };
  const Case cases[] = {
      {"well formed", SmallWave(), true, ""},
      {"extra chunks and an odd chunk",
       MakeRiff({{"LIST", {1, 2, 3}},
                 {"fmt ", PcmFormat(18)},
                 {"fact", {0, 0, 0, 0}},
                 {"data", {1, 2, 3}}}),
       true, ""},
      {"last odd chunk without its pad byte",
       MakeRiff({{"fmt ", PcmFormat()}, {"data", {1, 2, 3}}}, 4 + 24 + 8 + 3), true, ""},
      {"empty", {}, false, "no wave data"},
      {"shorter than a header", {'R', 'I', 'F', 'F', 4, 0}, false, "shorter than a RIFF header"},
      {"not RIFF",
       [] {
         auto b = SmallWave();
         b[0] = 'X';
         return b;
       }(),
       false, "not a RIFF"},
      {"not WAVE", MakeRiff({{"fmt ", PcmFormat()}, {"data", data}}, -1, "AVI "), false,
       "not \"WAVE\""},
      {"RIFF size beyond the bytes", truncated, false, "are stored"},
      {"RIFF size near 4 GiB", MakeRiff({{"fmt ", PcmFormat()}, {"data", data}}, 0xFFFFFFFE), false,
       "are stored"},
      {"chunk beyond the RIFF data", MakeRiff({{"fmt ", PcmFormat()}, {"data", data, 0x7FFFFFF0}}),
       false, "chunk \"data\" at offset 36"},
      {"chunk header cut by the RIFF end",
       [&] {
         auto b = MakeRiff({{"fmt ", PcmFormat()}, {"data", data}});
         b.insert(b.end(), {'x', 'y', 'z', 'w'});
         b[4] += 4;
         return b;
       }(),
       false, "chunk header at offset 48"},
      {"short fmt", MakeRiff({{"fmt ", PcmFormat(14)}, {"data", data}}), false,
       "is 14 bytes, fewer than 16"},
      {"no fmt", MakeRiff({{"data", data}}), false, "no \"fmt \" chunk"},
      {"no data", MakeRiff({{"fmt ", PcmFormat()}, {"LIST", data}}), false, "no \"data\" chunk"},
  };
  for (const Case& t : cases) {
    const kiv::TKivWaveCheck c = kiv::CheckWave(t.bytes.data(), t.bytes.size());
    EXPECT_EQ(c.Playable, t.playable) << t.what << ": " << c.Reason;
    EXPECT_NE(c.Reason.find(t.reason), std::string::npos) << t.what << ": " << c.Reason;
    EXPECT_EQ(c.Reason.empty(), t.playable) << t.what;
  }
  const std::vector<uint8_t> wave = SmallWave();
  const kiv::TKivWaveCheck c = kiv::CheckWave(wave.data(), wave.size());
  ASSERT_EQ(c.Chunks.size(), 2u);
  EXPECT_EQ(c.Chunks[1].Id, "data");
  EXPECT_EQ(c.Chunks[1].Offset, 36u);
  EXPECT_EQ(c.Format.FormatTag, 1);
  EXPECT_EQ(c.Format.SamplesPerSec, 8000u);
  EXPECT_EQ(c.DataSize, 4u);
}

// The four fuzz-made files that crash the platform's playback all claim a
// RIFF size far beyond their bytes; real waves of unusual formats pass.
TEST(WaveCheck, RealFiles) {
  struct Case {
    const char* file;
    bool playable;
  };
  const Case cases[] = {
      {"wav/hound/testsamples/fuzz/crash-24728523ef4be15c838293b676f6853e73723bf4.wav", false},
      {"wav/hound/testsamples/fuzz/crash-b8447179832529c48f9c6bf17feab6337bbc78ea.wav", false},
      {"wav/hound/testsamples/fuzz/crash-cbd757427cea12bd8a21f86cd8cf74d98ce56bee.wav", false},
      {"wav/hound/testsamples/fuzz/oom-48ae4cd061ff8578ad3f23dc87624bd365cf5216.wav", false},
      {"wav/hound/testsamples/waveformatextensible-ieeefloat-44100Hz-mono.wav", true},
      {"wav/hound/testsamples/pcmwaveformat-16bit-44100Hz-mono-extra.wav", true},
      {"wav/mcgill-afsp/tests/M1F1-uint8-AFsp.wav", true},
  };
  for (const Case& t : cases) {
    TKivWave w;
    w.LoadFromFile(kivtest::TestData(t.file));
    EXPECT_EQ(w.Check().Playable, t.playable) << t.file << ": " << w.Check().Reason;
  }
}

TEST(ExtraWave, FlagsFollowTheOptions) {
  using kiv::TKivExtraWaveOptions;
  struct Case {
    TKivExtraWaveOptions options;
    uint32_t flags;
  };
  const Case cases[] = {
      {{}, 0x04},
      {{kiv::ewoSync}, 0x04},
      {{kiv::ewoAsync}, 0x05},
      {{kiv::ewoNoDefault}, 0x06},
      {{kiv::ewoAsync, kiv::ewoLoop}, 0x0D},
      {{kiv::ewoSync, kiv::ewoLoop}, 0x0D},  // a loop never plays synchronously
      {{kiv::ewoAsync, kiv::ewoNoStop}, 0x15},
      {{kiv::ewoSync, kiv::ewoAsync, kiv::ewoNoDefault, kiv::ewoLoop, kiv::ewoNoStop}, 0x1F},
  };
  TKivExtraWave w;
  EXPECT_EQ(w.Name(), "Extra Wave");
  EXPECT_EQ(w.Options(), TKivExtraWaveOptions{kiv::ewoAsync});
  EXPECT_EQ(w.Flags(), 0x05u);
  for (const Case& t : cases) {
    w.SetOptions(t.options);
    EXPECT_EQ(w.Flags(), t.flags) << t.options.Bits();
  }
}

TEST(ExtraWave, PlayHandsOverOnlyCheckedBytes) {
  ScopedSoundRecorder recorder;
  auto& calls = ScopedSoundRecorder::Calls();
  TKivExtraWave w;
  w.SetOptions({kiv::ewoAsync, kiv::ewoNoDefault});

  Load(w, SmallWave());
  w.Play();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Sound, w.Bytes());
  EXPECT_EQ(calls[0].Flags, 0x07u);

  calls.clear();
  std::vector<uint8_t> bad = SmallWave();
  bad[4] = 0xF0;  // RIFF size beyond the bytes
  Load(w, bad);
  calls.clear();
  w.Play();
  EXPECT_TRUE(calls.empty());

  // No bytes: no sound handed over, which stops the sound that plays.
  Load(w, {});
  calls.clear();
  w.Play();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Sound, nullptr);
}

TEST(ExtraWave, DestructionStopsThePlayingSound) {
  ScopedSoundRecorder recorder;
  auto& calls = ScopedSoundRecorder::Calls();
  auto w = std::make_unique<TKivExtraWave>();
  Load(*w, SmallWave());
  w->SetOptions({kiv::ewoAsync, kiv::ewoLoop});
  w->Play();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Flags, 0x0Du);
  w.reset();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].Sound, nullptr);
}

// Asynchronous playback reads the bytes after Play returns: replacing them
// (load, assign) first stops the sound, but only when they may still be
// playing.
TEST(ExtraWave, ReplacingBytesThatMayBePlayingStopsThemFirst) {
  ScopedSoundRecorder recorder;
  auto& calls = ScopedSoundRecorder::Calls();
  TKivExtraWave a, b;
  Load(a, SmallWave());
  Load(b, SmallWave());
  a.Play();
  const void* played = a.Bytes();
  calls.clear();
  Load(b, SmallWave());  // not the bytes being played
  EXPECT_TRUE(calls.empty());
  a.Assign(&b);  // the bytes being played
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Sound, nullptr);
  EXPECT_FALSE(kiv::SoundMayBePlaying(played));

  // With ewoNoStop a new sound leaves the playing one alone: both count.
  a.SetOptions({kiv::ewoAsync, kiv::ewoNoStop});
  b.SetOptions({kiv::ewoAsync, kiv::ewoNoStop});
  a.Play();
  b.Play();
  EXPECT_TRUE(kiv::SoundMayBePlaying(a.Bytes()));
  EXPECT_TRUE(kiv::SoundMayBePlaying(b.Bytes()));
  calls.clear();
  Load(a, SmallWave());
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Sound, nullptr);
}

}  // namespace
