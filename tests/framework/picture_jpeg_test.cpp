#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#ifndef _WIN32
#include <sys/wait.h>
#endif
#include <filesystem>
#include <string>
#include <vector>

#include "framework/exceptions.hpp"
#include "framework/picture/picture.hpp"
#include "support/testdata.hpp"

namespace kiv {
namespace {

using kivtest::TestData;

std::vector<uint8_t> Bytes(const std::string& path) {
  std::string s = kivtest::ReadFile(path);
  return std::vector<uint8_t>(s.begin(), s.end());
}

#ifndef _WIN32
std::vector<std::string> JpegFiles() {
  std::vector<std::string> files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(TestData("jpeg"))) {
    const std::string ext = e.path().extension().string();
    if (ext == ".jpg" || ext == ".jpeg") files.push_back(e.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// What libjpeg-turbo's own djpeg makes of a file: its PNM output as pixels, or
// its error message.
struct TDjpeg {
  bool ok = false;
  std::string error;    // the first message on its error output
  bool warned = false;  // exit status 2: decoded, with warnings
  int width = 0, height = 0;
  std::vector<TkivPixel> pixels;
};

TDjpeg RunDjpeg(const std::string& path) {
  const std::string out = testing::TempDir() + "kiv_djpeg.pnm",
                    err = testing::TempDir() + "kiv_djpeg.err";
  const std::string cmd =
      "/usr/bin/djpeg -pnm -outfile '" + out + "' '" + path + "' 2>'" + err + "'";
  TDjpeg r;
  const int status = std::system(cmd.c_str());
  r.error = kivtest::ReadFile(err);
  r.error = r.error.substr(0, r.error.find('\n'));
  r.warned = status != 0 && WIFEXITED(status) && WEXITSTATUS(status) == 2;
  if (status != 0 && !r.warned) return r;
  const std::string pnm = kivtest::ReadFile(out);
  int channels = pnm[1] == '6' ? 3 : 1, maxval = 0, consumed = 0;
  std::sscanf(pnm.c_str() + 2, "%d %d %d%n", &r.width, &r.height, &maxval, &consumed);
  const unsigned char* p = reinterpret_cast<const unsigned char*>(pnm.data()) + 2 + consumed + 1;
  for (int i = 0; i < r.width * r.height; ++i, p += channels) {
    const uint32_t red = p[0], green = p[channels == 3 ? 1 : 0], blue = p[channels == 3 ? 2 : 0];
    r.pixels.push_back(0xFF000000u | red << 16 | green << 8 | blue);
  }
  r.ok = true;
  return r;
}

// Every file of the collections, good or damaged, against djpeg: the same
// pixels (CMYK and YCCK included), or the same refusal message.
TEST(JpegDecoder, MatchesDjpegOnEveryFile) {
  int compared = 0, refused = 0;
  for (const std::string& path : JpegFiles()) {
    SCOPED_TRACE(path);
    const TDjpeg want = RunDjpeg(path);
    const std::vector<uint8_t> bytes = Bytes(path);
    if (!want.ok) {
      try {
        DecodeJpeg(bytes.data(), bytes.size());
        ADD_FAILURE() << "decoded; djpeg says " << want.error;
      } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(std::string(e.what()), "Invalid JPEG: " + want.error);
      }
      ++refused;
      continue;
    }
    const TDecodedPicture pic = DecodeJpeg(bytes.data(), bytes.size());
    ASSERT_EQ(pic.Width, want.width);
    ASSERT_EQ(pic.Height, want.height);
    int wrong = 0;
    for (size_t i = 0; i < want.pixels.size(); ++i)
      wrong += pic.Frames[0].Pixels[i] != want.pixels[i];
    EXPECT_EQ(wrong, 0);
    if (want.warned) {
      ASSERT_FALSE(pic.Warnings.empty());
      EXPECT_EQ(pic.Warnings[0], want.error);
    } else {
      EXPECT_TRUE(pic.Warnings.empty());
    }
    ++compared;
  }
  EXPECT_GE(compared, 60);
  EXPECT_GE(refused, 1);  // the 12-bit file
}
#endif

TEST(JpegDecoder, RefusesWhatLibjpegRefusesWithItsMessage) {
  const auto twelve_bit = Bytes(TestData("jpeg/libjpeg-turbo/testimages/monkey12.jpg"));
  try {
    DecodeJpeg(twelve_bit.data(), twelve_bit.size());
    ADD_FAILURE() << "decoded";
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "Invalid JPEG: Unsupported JPEG data precision 12");
  }
  // Failures at every stage: no data, a header cut short, data that is no JPEG.
  const std::vector<uint8_t> empty, soi_only = {0xFF, 0xD8}, text = {'h', 'e', 'l', 'l', 'o'};
  for (const auto* bytes : {&empty, &soi_only, &text}) {
    try {
      DecodeJpeg(bytes->data(), bytes->size());
      ADD_FAILURE() << "decoded";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(std::string(e.what()).rfind("Invalid JPEG: ", 0), 0u);
      EXPECT_GT(std::string(e.what()).size(), 20u) << e.what();
    }
  }
}

TEST(JpegDecoder, TruncatedFilesDecodeWithWarningsAndGreyRows) {
  for (const char* file : {"jpeg/wuffs/test/data/peacock.default.truncated.jpeg",
                           "jpeg/wuffs/test/data/peacock.progressive.truncated.jpeg"}) {
    SCOPED_TRACE(file);
    const auto bytes = Bytes(TestData(file));
    const TDecodedPicture pic = DecodeJpeg(bytes.data(), bytes.size());
    ASSERT_FALSE(pic.Warnings.empty());
    EXPECT_EQ(pic.Warnings[0], "Premature end of JPEG file");
    EXPECT_EQ(pic.Width, 100);
    EXPECT_EQ(pic.Height, 75);
    if (std::string(file).find("default") != std::string::npos) {
      const TkivPixel* last_row = pic.Frames[0].Pixels.data() + 74 * 100;
      for (int x = 0; x < 100; ++x) ASSERT_EQ(last_row[x], 0xFF808080u) << x;
    }
  }
}

TEST(JpegDecoder, ReportsColourSpaceAndKeepsTheStoredOrientation) {
  struct Case {
    const char* file;
    const char* space;
    int width, height;
  };
  const Case cases[] = {
      {"jpeg/pillow/Tests/images/pil_sample_cmyk.jpg", "YCCK", 100, 100},
      {"jpeg/wuffs/test/data/peacock.grayscale.jpeg", "grayscale", 100, 75},
      {"jpeg/libjpeg-turbo/testimages/testimgari.jpg", "YCbCr", 227, 149},
      // Its EXIF orientation 8 (a quarter turn) is not applied: it stays 2 x 1 as stored.
      {"jpeg/pillow/Tests/images/orientation_rectangle.jpg", "YCbCr", 2, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const TDecodedPicture pic = LoadPictureFile(TestData(c.file));
    EXPECT_EQ(pic.Format, TPictureFormat::pfJpeg);
    EXPECT_EQ(pic.ColorSpace, c.space);
    EXPECT_EQ(pic.Width, c.width);
    EXPECT_EQ(pic.Height, c.height);
    EXPECT_EQ(pic.BitsPerSample, 8);
    EXPECT_FALSE(pic.Transparent);
  }
  TDecodeLimits small;
  small.MaxFramePixels = 100 * 75 - 1;
  const auto bytes = Bytes(TestData("jpeg/wuffs/test/data/peacock.default.jpeg"));
  EXPECT_THROW(DecodeJpeg(bytes.data(), bytes.size(), small), EInvalidGraphic);
}

}  // namespace
}  // namespace kiv
