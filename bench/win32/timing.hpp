#pragma once
// A small timing harness for benchmarks that must run where Google Benchmark
// is not built (the win32 build, under Wine): cases are timed in batches, the
// repetitions interleave every case (so that a slow moment of a shared
// machine hits all of them alike), and each case is reported against a
// baseline case of its group measured in the same run.
//
//   kivbench::TTimingRun run(kivbench::ParseTimingOptions(argc, argv));
//   run.Add("button 75x25", "platform", [&] { DrawFrameControl(...); }, true);
//   run.Add("button 75x25", "theme", [&] { theme.PaintButton(...); });
//   run.Run();
//   run.Print(stdout);
//
// Figures per case: the median and the fastest time of one call across the
// repetitions, and the ratio to the group's baseline taken per repetition
// (case time / baseline time of the same repetition), reported as the median
// and the range of those ratios. The median paired ratio is the figure to hold
// a bar against; the times only show the scale.
//
// Portable: std::chrono::steady_clock (QueryPerformanceCounter on Windows).
// A body that draws through a batching API flushes it itself (GdiFlush), so
// that the time of a batch is the time of its drawing.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kivbench {

struct TTimingOptions {
  int Repetitions = 15;           // timed batches per case
  double MinBatchSeconds = 0.02;  // a batch runs at least this long
  std::string Filter;             // only groups or names containing this text
};

// --repetitions N, --min-batch-ms MS, --filter TEXT; anything else is reported
// and ends the program with status 2.
inline TTimingOptions ParseTimingOptions(int argc, char** argv) {
  TTimingOptions o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool has_value = i + 1 < argc;
    if (a == "--repetitions" && has_value) {
      o.Repetitions = std::max(1, std::atoi(argv[++i]));
    } else if (a == "--min-batch-ms" && has_value) {
      o.MinBatchSeconds = std::max(0.001, std::atof(argv[++i]) / 1000.0);
    } else if (a == "--filter" && has_value) {
      o.Filter = argv[++i];
    } else {
      std::fprintf(stderr, "usage: %s [--repetitions N] [--min-batch-ms MS] [--filter TEXT]\n",
                   argc > 0 ? argv[0] : "bench");
      std::exit(2);
    }
  }
  return o;
}

struct TTimingCase {
  std::string Group;
  std::string Name;
  std::function<void()> Body;
  bool Baseline = false;
  std::function<void()> Teardown;  // after each call, not timed
  long long Iterations = 1;        // calls per batch, fixed by calibration
  std::vector<double> Seconds;     // one call's time, per repetition
};

// One case's result.
struct TTimingResult {
  std::string Group, Name;
  bool Baseline = false;
  double MedianSeconds = 0, MinSeconds = 0;
  // Case time / baseline time, paired by repetition: median and range. 0 when
  // the group has no baseline.
  double MedianRatio = 0, MinRatio = 0, MaxRatio = 0;
};

class TTimingRun {
 public:
  explicit TTimingRun(TTimingOptions options = {}) : options_(std::move(options)) {}

  // Adds a case to a group; a group's baseline is the case added with
  // baseline set (one per group). A teardown, when given, runs after every
  // call of the body outside the timed part (freeing what the body made).
  void Add(std::string group, std::string name, std::function<void()> body, bool baseline = false,
           std::function<void()> teardown = {}) {
    const std::string& f = options_.Filter;
    if (!f.empty() && group.find(f) == std::string::npos && name.find(f) == std::string::npos)
      return;
    TTimingCase c;
    c.Group = std::move(group);
    c.Name = std::move(name);
    c.Body = std::move(body);
    c.Baseline = baseline;
    c.Teardown = std::move(teardown);
    cases_.push_back(std::move(c));
  }

  void Run() {
    for (TTimingCase& c : cases_) Calibrate(c);
    // Interleaved: every repetition times every case once, starting one case
    // further on each time so that no case always follows the same one.
    const size_t n = cases_.size();
    for (int rep = 0; rep < options_.Repetitions; ++rep)
      for (size_t k = 0; k < n; ++k) {
        TTimingCase& c = cases_[(k + static_cast<size_t>(rep)) % n];
        c.Seconds.push_back(TimeBatch(c) / static_cast<double>(c.Iterations));
      }
  }

  std::vector<TTimingResult> Results() const {
    std::vector<TTimingResult> out;
    for (const TTimingCase& c : cases_) {
      TTimingResult r;
      r.Group = c.Group;
      r.Name = c.Name;
      r.Baseline = c.Baseline;
      r.MedianSeconds = Median(c.Seconds);
      r.MinSeconds = c.Seconds.empty() ? 0 : *std::min_element(c.Seconds.begin(), c.Seconds.end());
      if (const TTimingCase* base = BaselineOf(c.Group)) {
        std::vector<double> ratios;
        for (size_t i = 0; i < c.Seconds.size() && i < base->Seconds.size(); ++i)
          if (base->Seconds[i] > 0) ratios.push_back(c.Seconds[i] / base->Seconds[i]);
        if (!ratios.empty()) {
          r.MedianRatio = Median(ratios);
          r.MinRatio = *std::min_element(ratios.begin(), ratios.end());
          r.MaxRatio = *std::max_element(ratios.begin(), ratios.end());
        }
      }
      out.push_back(r);
    }
    return out;
  }

  // A table: group, case, median and fastest time of one call, and the paired
  // ratio to the group's baseline (median, then range).
  void Print(std::FILE* out) const {
    std::fprintf(out, "%d repetitions, batches of at least %.0f ms\n", options_.Repetitions,
                 options_.MinBatchSeconds * 1000.0);
    std::fprintf(out, "%-22s %-28s %12s %12s %8s %17s\n", "group", "case", "median", "fastest",
                 "ratio", "ratio range");
    for (const TTimingResult& r : Results()) {
      char ratio[32] = "-", range[48] = "";
      if (r.Baseline) {
        std::snprintf(ratio, sizeof ratio, "base");
      } else if (r.MedianRatio > 0) {
        std::snprintf(ratio, sizeof ratio, "%.3f", r.MedianRatio);
        std::snprintf(range, sizeof range, "%.3f .. %.3f", r.MinRatio, r.MaxRatio);
      }
      std::fprintf(out, "%-22s %-28s %12s %12s %8s %17s\n", r.Group.c_str(), r.Name.c_str(),
                   Format(r.MedianSeconds).c_str(), Format(r.MinSeconds).c_str(), ratio, range);
    }
  }

 private:
  using Clock = std::chrono::steady_clock;

  double TimeBatch(TTimingCase& c) const {
    if (c.Teardown) {
      double seconds = 0;
      for (long long i = 0; i < c.Iterations; ++i) {
        const auto t0 = Clock::now();
        c.Body();
        seconds += std::chrono::duration<double>(Clock::now() - t0).count();
        c.Teardown();
      }
      return seconds;
    }
    const auto t0 = Clock::now();
    for (long long i = 0; i < c.Iterations; ++i) c.Body();
    return std::chrono::duration<double>(Clock::now() - t0).count();
  }

  // Grows the batch until it lasts the minimum time (after one warm-up call).
  void Calibrate(TTimingCase& c) const {
    c.Body();
    if (c.Teardown) c.Teardown();
    c.Iterations = 1;
    for (;;) {
      const double t = TimeBatch(c);
      if (t >= options_.MinBatchSeconds || c.Iterations >= (1LL << 40)) break;
      const double grow = t > 0 ? options_.MinBatchSeconds * 1.2 / t : 10.0;
      c.Iterations =
          static_cast<long long>(static_cast<double>(c.Iterations) * std::clamp(grow, 2.0, 100.0));
    }
  }

  const TTimingCase* BaselineOf(const std::string& group) const {
    for (const TTimingCase& c : cases_)
      if (c.Group == group && c.Baseline) return &c;
    return nullptr;
  }

  static double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
  }

  static std::string Format(double seconds) {
    char buf[32];
    if (seconds >= 1e-3)
      std::snprintf(buf, sizeof buf, "%.3f ms", seconds * 1e3);
    else if (seconds >= 1e-6)
      std::snprintf(buf, sizeof buf, "%.3f us", seconds * 1e6);
    else
      std::snprintf(buf, sizeof buf, "%.1f ns", seconds * 1e9);
    return buf;
  }

  TTimingOptions options_;
  std::vector<TTimingCase> cases_;
};

}  // namespace kivbench
