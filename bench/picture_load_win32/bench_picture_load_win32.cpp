// Loading the viewer's picture, timed in one program under Wine, on the
// 4000 x 3000 JPEG of bench/jpeg written to a file:
//   portable decode   DecodeJpeg of the file's bytes, already in memory, into
//                     the decoder's own new picture (the baseline);
//   portable file     LoadPictureFile: the file read and decoded the same way;
//   viewer            TPicture::LoadFromFile, as the viewer loads its picture:
//                     the file read and decoded into the section the image is
//                     drawn from, ready to draw (its memory context made);
//   decode and copy   the portable decode, then a new section and the picture
//                     copied into it: how the viewer loaded it before.
// Each round runs every case once, in turn, so that a slow spell of a shared
// machine hits all of them alike; the program prints each case's fastest and
// median time and the viewer's ratio to the baseline per round and overall.
// Arguments: [rounds] (default 9).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "framework/picture/picture.hpp"
#include "framework/win32/dib_section.hpp"
#include "framework/win32/picture_graphics.hpp"
#include "framework/win32/picture_registry.hpp"
#include "test_jpeg.hpp"

namespace {

double NowMs() {
  LARGE_INTEGER frequency, count;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  return double(count.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct TCase {
  const char* name;
  std::function<void()> run;
  std::vector<double> ms;
};

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  const std::vector<unsigned char>& jpeg = kivbench::TestJpeg();
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string path = std::string(temp) + "kiv_bench_picture_load.jpg";
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(jpeg.data()), std::streamsize(jpeg.size()));

  uint32_t check = 0;  // keeps every result alive to the end of its case
  std::vector<TCase> cases = {
      {"portable decode",
       [&] {
         kiv::TDecodedPicture p = kiv::DecodeJpeg(jpeg.data(), jpeg.size());
         check += p.Frames[0].Pixels[size_t(p.Width) * p.Height / 2];
       },
       {}},
      {"portable file",
       [&] {
         kiv::TDecodedPicture p = kiv::LoadPictureFile(path);
         check += p.Frames[0].Pixels[size_t(p.Width) * p.Height / 2];
       },
       {}},
      {"viewer",
       [&] {
         kiv::TPicture p;
         p.LoadFromFile(path);
         check += dynamic_cast<kiv::TJPEGImage*>(p.Graphic()) ? uint32_t(p.Width()) : 0;
       },
       {}},
      {"decode and copy",
       [&] {
         kiv::TDecodedPicture p = kiv::LoadPictureFile(path);
         kiv::TDibSection dib(p.Width, p.Height, kiv::TDibSection::roTopDown);
         dib.DC();
         std::memcpy(dib.Bits(), p.Frames[0].Pixels.data(),
                     p.Frames[0].Pixels.size() * sizeof(kiv::TkivPixel));
         GdiFlush();
         check += static_cast<uint32_t*>(dib.Bits())[0];
       },
       {}},
  };

  std::printf("%d x %d JPEG, %zu bytes; %d rounds\n", kivbench::kWidth, kivbench::kHeight,
              jpeg.size(), rounds);
  std::printf("round  %s\n", "portable decode / portable file / viewer / decode and copy (ms)");
  std::vector<double> ratios;
  for (int r = 0; r < rounds; ++r) {
    std::printf("%5d ", r + 1);
    for (TCase& c : cases) {
      const double t0 = NowMs();
      c.run();
      c.ms.push_back(NowMs() - t0);
      std::printf(" %8.1f", c.ms.back());
    }
    ratios.push_back(cases[2].ms.back() / cases[0].ms.back());
    std::printf("   viewer / portable decode %.3f\n", ratios.back());
  }
  std::printf("\n%-16s %10s %10s %14s\n", "case", "fastest", "median", "x decode (med)");
  const double base = Median(cases[0].ms);
  for (const TCase& c : cases)
    std::printf("%-16s %8.1f ms %7.1f ms %14.3f\n", c.name,
                *std::min_element(c.ms.begin(), c.ms.end()), Median(c.ms), Median(c.ms) / base);
  std::printf(
      "viewer / portable decode: median of the rounds' ratios %.3f, fastest to fastest %.3f\n",
      Median(ratios),
      *std::min_element(cases[2].ms.begin(), cases[2].ms.end()) /
          *std::min_element(cases[0].ms.begin(), cases[0].ms.end()));
  std::remove(path.c_str());
  return check == 0xFFFFFFFFu ? 1 : 0;
}
