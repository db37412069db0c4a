// JPEG decoded into memory the caller provides (the section a picture is
// drawn from), and the large blocks decoded pictures live in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/exceptions.hpp"
#include "framework/large_blocks.hpp"
#include "framework/picture/picture.hpp"
#include "framework/streams.hpp"
#include "support/testdata.hpp"

namespace kiv {
namespace {

std::vector<uint8_t> Bytes(const std::string& relative) {
  const std::string s = kivtest::ReadFile(kivtest::TestData(relative));
  return std::vector<uint8_t>(s.begin(), s.end());
}

// Baseline, progressive and cut short, greyscale, inverted CMYK (its own row
// conversion), odd subsampling: each into a target that is one pixel longer
// than the picture, so a write past the end shows.
TEST(JpegIntoTarget, WritesWhatTheOwnBufferWouldHoldAndNothingMore) {
  constexpr TkivPixel kUntouched = 0x12345678;
  for (const char* file : {"jpeg/wuffs/test/data/peacock.default.jpeg",
                           "jpeg/wuffs/test/data/peacock.progressive.truncated.jpeg",
                           "jpeg/wuffs/test/data/peacock.grayscale.jpeg",
                           "jpeg/pillow/Tests/images/pil_sample_cmyk.jpg",
                           "jpeg/wuffs/test/data/peacock.s-weird.jpeg"}) {
    SCOPED_TRACE(file);
    const std::vector<uint8_t> bytes = Bytes(file);
    const TDecodedPicture own = DecodeJpeg(bytes.data(), bytes.size());
    std::vector<TkivPixel> memory;
    int calls = 0;
    const TDecodedPicture into =
        DecodeJpegInto(bytes.data(), bytes.size(), [&](int32_t w, int32_t h) {
          ++calls;
          EXPECT_EQ(w, own.Width);
          EXPECT_EQ(h, own.Height);
          memory.assign(size_t(w) * size_t(h) + 1, kUntouched);
          return memory.data();
        });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(into.Width, own.Width);
    EXPECT_EQ(into.Height, own.Height);
    EXPECT_EQ(into.ColorSpace, own.ColorSpace);
    EXPECT_EQ(into.Warnings, own.Warnings);
    ASSERT_EQ(into.Frames.size(), 1u);
    EXPECT_TRUE(into.Frames[0].Pixels.empty());
    ASSERT_EQ(memory.size(), own.Frames[0].Pixels.size() + 1);
    EXPECT_EQ(memory.back(), kUntouched);
    memory.pop_back();
    EXPECT_TRUE(std::equal(memory.begin(), memory.end(), own.Frames[0].Pixels.begin()));

    // The same read from the file a chunk at a time.
    TFileStream stream(kivtest::TestData(file), fmOpenRead | fmShareDenyWrite);
    std::vector<TkivPixel> streamed;
    const TDecodedPicture from_file = DecodeJpegInto(stream, [&](int32_t w, int32_t h) {
      streamed.resize(size_t(w) * size_t(h));
      return streamed.data();
    });
    EXPECT_EQ(from_file.Warnings, own.Warnings);
    EXPECT_EQ(streamed, memory);
  }
}

// A stream that fails part-way: its own exception reaches the caller (not a
// decoder's refusal), with libjpeg's memory given back.
class TFailingStream : public TMemoryStream {
 public:
  int64_t Read(void* buffer, int64_t count) override {
    if (Position() >= 1000) throw EReadError("Stream read error");
    return TMemoryStream::Read(buffer, std::min<int64_t>(count, 1000 - Position()));
  }
};

TEST(JpegIntoTarget, StreamsEndFailAndRunDryLikeMemory) {
  const std::vector<uint8_t> good = Bytes("jpeg/wuffs/test/data/peacock.default.jpeg");
  std::vector<TkivPixel> memory;
  const TPixelTarget target = [&](int32_t w, int32_t h) {
    memory.resize(size_t(w) * size_t(h));
    return memory.data();
  };
  TFailingStream failing;
  failing.WriteBuffer(good.data(), int64_t(good.size()));
  failing.SetPosition(0);
  EXPECT_THROW(DecodeJpegInto(failing, target), EReadError);

  TMemoryStream empty;
  std::string from_memory, from_stream;
  try {
    DecodeJpeg(good.data(), 0);
  } catch (const EInvalidGraphic& e) {
    from_memory = e.what();
  }
  try {
    DecodeJpegInto(empty, target);
  } catch (const EInvalidGraphic& e) {
    from_stream = e.what();
  }
  EXPECT_FALSE(from_stream.empty());
  EXPECT_EQ(from_stream, from_memory);
}

// Refusals before the size is known never call the target; a target that
// fails has its exception passed on with libjpeg's memory given back (the
// sanitizers' leak check sees it otherwise).
TEST(JpegIntoTarget, RefusalsAndFailingTargets) {
  int calls = 0;
  const TPixelTarget counting = [&](int32_t w, int32_t h) -> TkivPixel* {
    ++calls;
    throw std::runtime_error("no memory for the picture");
  };
  const std::vector<uint8_t> twelve_bit = Bytes("jpeg/libjpeg-turbo/testimages/monkey12.jpg");
  EXPECT_THROW(DecodeJpegInto(twelve_bit.data(), twelve_bit.size(), counting), EInvalidGraphic);
  const std::vector<uint8_t> junk(100, 0x55);
  EXPECT_THROW(DecodeJpegInto(junk.data(), junk.size(), counting), EInvalidGraphic);
  EXPECT_EQ(calls, 0);

  const std::vector<uint8_t> good = Bytes("jpeg/wuffs/test/data/peacock.default.jpeg");
  EXPECT_THROW(DecodeJpegInto(good.data(), good.size(), counting), std::runtime_error);
  EXPECT_EQ(calls, 1);
  EXPECT_THROW(DecodeJpegInto(good.data(), good.size(),
                              [](int32_t, int32_t) -> TkivPixel* { return nullptr; }),
               std::bad_alloc);
}

// Blocks from 4 MiB on come from the large-block path: 2 MiB aligned for huge
// pages natively, whole pages of committed memory on Windows; smaller ones
// from the heap. Every byte of both is usable.
TEST(LargeBlocks, PicturesOfFourMiBAndMoreGetTheirOwnPages) {
#ifdef _WIN32
  constexpr uintptr_t kAlign = uintptr_t{64} << 10;
#else
  constexpr uintptr_t kAlign = uintptr_t{2} << 20;
#endif
  TPixelBuffer large(kLargeBlockBytes / sizeof(TkivPixel) + 3, 0xFF00FF00u);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(large.data()) % kAlign, 0u);
  EXPECT_EQ(large.back(), 0xFF00FF00u);
  TPixelBuffer small(1000, 7);
  EXPECT_EQ(small[999], 7u);
  TPixelBuffer grown = small;
  grown.resize(large.size());
  EXPECT_EQ(reinterpret_cast<uintptr_t>(grown.data()) % kAlign, 0u);
  EXPECT_EQ(grown[999], 7u);
}

}  // namespace
}  // namespace kiv
