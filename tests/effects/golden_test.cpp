// Golden tables of every effect: the masks of the 54 mask effects at a few
// grid sizes and progress values, and a digest of composed frames of all
// effects (and the bitmap animation) for every rotation. The tables were made
// by this code after its frames had been checked by eye (kiveffect sheet);
// they guard against regressions. KIV_UPDATE_GOLDEN=1 rewrites them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "effects/engine.hpp"
#include "engine_support.hpp"
#include "support/testdata.hpp"

namespace kiv {
namespace {

std::string GoldenPath(const std::string& file) {
  return kivtest::TestSource("effects/golden/" + file);
}

void CompareOrUpdate(const std::string& file, const std::string& actual) {
  const std::string path = GoldenPath(file);
  if (const char* u = std::getenv("KIV_UPDATE_GOLDEN"); u && std::string(u) == "1") {
    std::ofstream(path, std::ios::binary) << actual;
    GTEST_SKIP() << "rewrote " << path;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "missing " << path;
  std::stringstream ss;
  ss << in.rdbuf();
  const std::string want = ss.str();
  if (want == actual) return;
  // Report the first differing case.
  std::istringstream a(actual), w(want);
  std::string la, lw, header;
  int line = 0;
  while (true) {
    const bool ga = static_cast<bool>(std::getline(a, la));
    const bool gw = static_cast<bool>(std::getline(w, lw));
    ++line;
    if (!ga && !gw) break;
    if (!la.empty() && la[0] == '#') header = la;
    if (la != lw || ga != gw) {
      ADD_FAILURE() << file << " line " << line << " (" << header << ")\n want: " << lw
                    << "\n  got: " << la;
      return;
    }
  }
}

TEST(Golden, MasksOfEveryMaskEffect) {
  const std::pair<int, int> sizes[] = {{1, 1}, {8, 3}, {3, 8}, {13, 9}};
  const int progress[] = {0, 5, 33, 50, 77, 100};
  std::ostringstream out;
  char buf[8];
  for (const TkivMaskEffect& e : kMaskEffects)
    for (auto [w, h] : sizes)
      for (int p : progress) {
        std::vector<uint8_t> m(static_cast<size_t>(w) * h, 0);
        e.proc(m.data(), w, h, static_cast<uint8_t>(p));
        out << "# " << e.name << " " << w << "x" << h << " p=" << p << "\n";
        for (int y = 0; y < h; ++y) {
          for (int x = 0; x < w; ++x) {
            std::snprintf(buf, sizeof buf, "%02x", m[x + static_cast<size_t>(y) * w]);
            out << buf;
          }
          out << "\n";
        }
      }
  CompareOrUpdate("masks.txt", out.str());
}

// FNV-1a over the frame and the target's alpha-rewritten pixels.
uint64_t Digest(const TkivBitmap& work, const TkivBitmap& target) {
  uint64_t h = 1469598103934665603ull;
  for (const TkivBitmap* s : {&work, &target})
    for (int y = 0; y < s->Height(); ++y)
      for (int x = 0; x < s->Width(); ++x) {
        const TkivPixel p = s->GetPixel(x, y);
        for (int b = 0; b < 4; ++b) {
          h ^= (p >> (8 * b)) & 0xFF;
          h *= 1099511628211ull;
        }
      }
  return h;
}

TEST(Golden, ComposedFramesOfEveryEffect) {
  kivtest::ManualEngine engine;
  struct Setup {
    int w, h, res, tiles;
  };
  const Setup setups[] = {{23, 13, 3, 1}, {23, 13, 2, 2}, {1, 1, 1, 1}, {12, 30, 4, 1}};
  const int progress[] = {0, 1, 37, 50, 100};
  std::ostringstream out;
  char buf[32];
  for (const std::string& name : EffectNames()) {
    if (name == kRandomEffectName) continue;
    for (const Setup& s : setups)
      for (int rot = 0; rot < 4; ++rot) {
        out << "# " << name << " " << s.w << "x" << s.h << " res=" << s.res << " tiles=" << s.tiles
            << " rot=" << rot << "\n";
        for (int p : progress) {
          kivtest::Surface source(s.w, s.h), target(s.w, s.h);
          kivtest::PaintPattern(source, 1);
          kivtest::PaintPattern(target, 2);
          target.SetPixel(s.w / 2, s.h / 2, KeyPixel | 0xFF000000u);
          TkivAnimationRec rec;
          rec.SetEffect(name);
          rec.SetResolution(s.res);
          rec.SetTileCount(s.tiles);
          rec.SetRotation(static_cast<TkivRotation>(rot));
          kivtest::Surface pattern(5, 4);
          for (int i = 0; i < 20; ++i)
            pattern.SetPixel(i % 5, i / 5, 0xFF000000u | (i * 13) * 0x010101u);
          rec.SetBitmap(&pattern);
          const int slot = StartAnimation(nullptr, 0, 0, 9, rec, &target, &source);
          ASSERT_TRUE(IsAnimating(slot)) << name;
          ComposeFrame(AnimationSlot(slot), static_cast<uint8_t>(p));
          std::snprintf(buf, sizeof buf, "p=%d %016llx\n", p,
                        static_cast<unsigned long long>(Digest(*AnimationSlot(slot).Work, target)));
          out << buf;
          StopAnimation(slot);
        }
      }
  }
  CompareOrUpdate("compositions.txt", out.str());
}

}  // namespace
}  // namespace kiv
