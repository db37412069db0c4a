#pragma once
// "kivstyle bench FILE": timings measured against a baseline in the same run.
#include <string>

namespace kivstyle {

// Loading the style into a theme against reading the file's bytes (both
// builds), and drawing a 75 x 25 push button and a 17 x 17 arrow button from
// the style against the platform's DrawThemeBackground of the same part and
// size (Windows: kivstyle_bench_win32.cpp).
int Bench(const std::string& file);
// The drawing half, Windows only; elsewhere it says so.
void BenchDrawing(const std::string& file);

}  // namespace kivstyle
