// Every real wave file, the fuzz-made ones included, through Play with the
// platform's own playback: well-formed waves reach it, in both modes, and
// the ones that would crash it never do.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "controls/kiv_extra_wave.hpp"
#include "sound_recorder.hpp"
#include "support/testdata.hpp"

namespace {

std::vector<std::string> WaveFiles() {
  std::vector<std::string> files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(kivtest::TestData("wav")))
    if (e.is_regular_file() && e.path().extension() == ".wav") files.push_back(e.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

TEST(WavePlayback, EveryRealWaveThroughThePlatformWithoutACrash) {
  const std::vector<std::string> files = WaveFiles();
  ASSERT_GE(files.size(), 24u);
  kivtest::ScopedSoundRecorder recorder(/*pass_through=*/true);
  auto& calls = kivtest::ScopedSoundRecorder::Calls();
  int played = 0, refused = 0;
  for (kiv::TKivExtraWaveOption mode : {kiv::ewoSync, kiv::ewoAsync}) {
    for (const std::string& file : files) {
      SCOPED_TRACE(file);
      kiv::TKivExtraWave wave;
      wave.LoadFromFile(file);
      wave.SetOptions({mode, kiv::ewoNoDefault});
      const bool playable = wave.Check().Playable;
      calls.clear();
      wave.Play();
      if (playable) {
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].Sound, wave.Bytes());
        ++played;
      } else {
        EXPECT_TRUE(calls.empty());
        ++refused;
      }
      // The platform reads an asynchronous sound on a thread of its own: give
      // it time to do so while the bytes are alive.
      if (mode == kiv::ewoAsync) Sleep(30);
    }
  }
  // 24 files: the 4 that crash the platform, and 3 more whose RIFF size
  // claims more bytes than they hold, are refused in both modes.
  EXPECT_EQ(played, 2 * 17);
  EXPECT_EQ(refused, 2 * 7);
}

// The four files that crash the platform's playback when handed over as they
// are, refused before any call.
TEST(WavePlayback, FilesThatCrashThePlatformAreNeverHandedOver) {
  kivtest::ScopedSoundRecorder recorder(/*pass_through=*/true);
  auto& calls = kivtest::ScopedSoundRecorder::Calls();
  for (const char* name : {"crash-24728523ef4be15c838293b676f6853e73723bf4.wav",
                           "crash-b8447179832529c48f9c6bf17feab6337bbc78ea.wav",
                           "crash-cbd757427cea12bd8a21f86cd8cf74d98ce56bee.wav",
                           "oom-48ae4cd061ff8578ad3f23dc87624bd365cf5216.wav"}) {
    kiv::TKivExtraWave wave;
    wave.LoadFromFile(kivtest::TestData(std::string("wav/hound/testsamples/fuzz/") + name));
    calls.clear();  // the previous wave's destruction stopped the sound
    for (kiv::TKivExtraWaveOption mode : {kiv::ewoSync, kiv::ewoAsync}) {
      wave.SetOptions({mode});
      wave.Play();
    }
    EXPECT_TRUE(calls.empty()) << name;
  }
}

}  // namespace
