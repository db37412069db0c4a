// The portable half of "kivstyle bench": load time against reading the bytes.
#include "kivstyle_bench.hpp"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "framework/file_bytes.hpp"
#include "themefiles/msstyles_theme.hpp"

namespace kivstyle {

namespace {

template <class F>
double MedianSeconds(int rounds, F&& run) {
  std::vector<double> t;
  for (int i = 0; i < rounds; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    t.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(t.begin(), t.end());
  return t[t.size() / 2];
}

}  // namespace

int Bench(const std::string& file) {
  size_t bytes = 0;
  const double read = MedianSeconds(7, [&] { bytes = kiv::ReadFileBytes(file).size(); });
  const double load = MedianSeconds(7, [&] {
    kiv::TKivThemeMsStyles theme;
    theme.LoadFromFile(file);
  });
  std::printf("| %-40s | %10s | %10s | %6s |\n", "case", "style", "baseline", "ratio");
  std::printf("| %-40s | %7.2f ms | %7.2f ms | %6.1f |\n", "load into a theme vs read the bytes",
              load * 1e3, read * 1e3, load / read);
  std::printf("(%zu bytes; median of 7)\n", bytes);
  BenchDrawing(file);
  return 0;
}

#ifndef _WIN32
void BenchDrawing(const std::string&) {
  std::printf("drawing against DrawThemeBackground: Windows (or Wine) only\n");
}
#endif

}  // namespace kivstyle
