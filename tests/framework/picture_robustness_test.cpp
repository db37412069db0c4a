// Every picture file of the collections, whole and cut short at many points,
// through every decoder: each either decodes or is refused with a message,
// whatever the format it really holds. Under the native build's sanitizers
// this catches reads out of bounds and leaks on every path.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/exceptions.hpp"
#include "framework/picture/picture.hpp"
#include "support/testdata.hpp"

namespace kiv {
namespace {

TEST(PictureRobustness, NoFileOrPrefixOfOneCrashesAnyDecoder) {
  std::vector<std::string> files;
  for (const char* dir : {"bmpsuite", "gif", "jpeg"})
    for (const auto& e : std::filesystem::recursive_directory_iterator(kivtest::TestData(dir))) {
      const std::string ext = e.path().extension().string();
      if (ext == ".bmp" || ext == ".gif" || ext == ".jpg" || ext == ".jpeg")
        files.push_back(e.path().string());
    }
  ASSERT_GT(files.size(), 190u);
  TDecodeLimits limits;
  limits.MaxFramePixels = 16 << 20;
  limits.MaxTotalPixels = 64 << 20;
  int decoded = 0, refused = 0;
  for (const std::string& path : files) {
    const std::string bytes = kivtest::ReadFile(path);
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    // Many cut points in small files, a few in the large photographs.
    const size_t step = std::max<size_t>(1, bytes.size() / (bytes.size() < 32768 ? 23 : 5));
    for (size_t size = 0; size <= bytes.size(); size += (size < 64 ? 1 : step)) {
      for (TPictureFormat f :
           {TPictureFormat::pfBmp, TPictureFormat::pfGif, TPictureFormat::pfJpeg}) {
        try {
          TDecodedPicture pic = DecodePicture(data, size, f, limits);
          ASSERT_FALSE(pic.Frames.empty()) << path;
          ASSERT_EQ(pic.Frames[0].Pixels.size(), size_t(pic.Width) * size_t(pic.Height)) << path;
          ++decoded;
        } catch (const EInvalidGraphic& e) {
          ASSERT_GT(std::string(e.what()).size(), 14u) << path;
          ++refused;
        }
      }
    }
  }
  EXPECT_GT(decoded, 0);
  EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace kiv
