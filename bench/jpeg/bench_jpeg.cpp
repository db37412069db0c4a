// Decoding a 4000 x 3000 JPEG (made here with libjpeg's compressor, quality
// 90, 4:2:0) three ways:
//   KivDecodeJpeg   the project's decoder: 32-bit pixels, every check included;
//   LibjpegRawLoop  the bare loop djpeg runs: header, start, scan lines into one
//                   reused RGB row buffer, finish (the library's own cost);
//   LibjpegIntoNewImage  the same loop writing 32-bit rows into a new picture;
//   DjpegProcess    /usr/bin/djpeg as a whole process writing PPM to /dev/null
//                   (wall time, and its processor time as a counter).
// The first three share the input in memory; the last reads the same bytes
// from a file in /tmp.
#include <benchmark/benchmark.h>

// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "framework/picture/picture.hpp"
#include "test_jpeg.hpp"

namespace {

using kivbench::kHeight;
using kivbench::kWidth;
using kivbench::TestJpeg;

const std::string& TestJpegFile() {
  static const std::string path = [] {
    std::string p = "/tmp/kiv_bench_jpeg_4000x3000.jpg";
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(TestJpeg().data()),
               std::streamsize(TestJpeg().size()));
    return p;
  }();
  return path;
}

void SetPictureItems(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * int64_t(kWidth) * kHeight);
}

// libjpeg's decode loop over `jpeg` in the given output colour space, one
// scan line at a time into the row `row_at(line)` returns.
template <class RowAt>
void LibjpegDecode(const std::vector<unsigned char>& jpeg, J_COLOR_SPACE space, RowAt row_at) {
  jpeg_decompress_struct d;
  jpeg_error_mgr err;
  d.err = jpeg_std_error(&err);
  jpeg_create_decompress(&d);
  jpeg_mem_src(&d, jpeg.data(), jpeg.size());
  jpeg_read_header(&d, TRUE);
  d.out_color_space = space;
  jpeg_start_decompress(&d);
  while (d.output_scanline < d.output_height) {
    JSAMPROW r = row_at(d.output_scanline);
    jpeg_read_scanlines(&d, &r, 1);
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
}

void KivDecodeJpeg(benchmark::State& state) {
  const auto& jpeg = TestJpeg();
  for (auto _ : state) {
    kiv::TDecodedPicture pic = kiv::DecodeJpeg(jpeg.data(), jpeg.size());
    benchmark::DoNotOptimize(pic.Frames[0].Pixels.data());
  }
  SetPictureItems(state);
  state.counters["bytes"] = double(jpeg.size());
}

void LibjpegRawLoop(benchmark::State& state) {
  const auto& jpeg = TestJpeg();
  std::vector<unsigned char> row(size_t(kWidth) * 3);
  for (auto _ : state) {
    LibjpegDecode(jpeg, JCS_RGB, [&](JDIMENSION) { return row.data(); });
    benchmark::DoNotOptimize(row.data());
  }
  SetPictureItems(state);
}

// The same loop into a whole new 32-bit picture, as any decoder that hands
// the picture on must produce: the floor for KivDecodeJpeg.
void LibjpegIntoNewImage(benchmark::State& state) {
  const auto& jpeg = TestJpeg();
  for (auto _ : state) {
    std::unique_ptr<uint32_t[]> image(new uint32_t[size_t(kWidth) * kHeight]);
    LibjpegDecode(jpeg, JCS_EXT_BGRA, [&](JDIMENSION line) {
      return reinterpret_cast<JSAMPROW>(image.get() + size_t(line) * kWidth);
    });
    benchmark::DoNotOptimize(image.get());
  }
  SetPictureItems(state);
}

// The processor time of the finished child processes (user and system).
double ChildCpuMs() {
  rusage usage;
  getrusage(RUSAGE_CHILDREN, &usage);
  auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Wall time per run, and in "child_cpu_ms" the processor time of djpeg (and
// the shell that starts it): the in-process cases' CPU time compares with
// that one, undisturbed by how busy the machine is.
void DjpegProcess(benchmark::State& state) {
  const std::string cmd = "/usr/bin/djpeg -outfile /dev/null " + TestJpegFile();
  const double cpu0 = ChildCpuMs();
  for (auto _ : state) {
    if (std::system(cmd.c_str()) != 0) state.SkipWithError("djpeg failed");
  }
  state.counters["child_cpu_ms"] = (ChildCpuMs() - cpu0) / double(state.iterations());
  SetPictureItems(state);
}

// On a shared machine the fastest of several repetitions is the figure to
// compare (run with --benchmark_repetitions=10); "min" reports it.
double Fastest(const std::vector<double>& v) {
  return *std::min_element(v.begin(), v.end());
}

// Every case in milliseconds of wall time, with the fastest repetition.
void Timed(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMillisecond)->UseRealTime()->ComputeStatistics("min", Fastest);
}

BENCHMARK(KivDecodeJpeg)->Apply(Timed);
BENCHMARK(LibjpegRawLoop)->Apply(Timed);
BENCHMARK(LibjpegIntoNewImage)->Apply(Timed);
BENCHMARK(DjpegProcess)->Apply(Timed);

}  // namespace

BENCHMARK_MAIN();
