// zlib streams against zlib's own one-shot API, and their failures.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "framework/zlib_streams.hpp"

namespace kiv {
namespace {

std::string Sample(size_t n) {
  std::string s;
  uint32_t x = 12345;
  for (size_t i = 0; i < n; ++i) {
    x = x * 1103515245 + 12345;
    s += static_cast<char>(i % 3 ? 'a' + (i / 7) % 26 : (x >> 16) & 0xFF);
  }
  return s;
}

std::string Deflate(const std::string& data, int level) {
  TMemoryStream out;
  {
    TCompressionStream z(level, out);
    z.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
    EXPECT_EQ(z.Position(), static_cast<int64_t>(data.size()));
  }  // finished by the destructor
  return std::string(reinterpret_cast<const char*>(out.Memory()), static_cast<size_t>(out.Size()));
}

TEST(CompressionStream, OutputInflatesWithZlibUncompress) {
  for (int level : {-1, 0, 1, 9}) {
    std::string data = Sample(300000);
    std::string packed = Deflate(data, level);
    ASSERT_GE(packed.size(), 2u);
    EXPECT_EQ(static_cast<uint8_t>(packed[0]) & 0x0F, 8) << "zlib header, deflate method";
    std::vector<uint8_t> back(data.size());
    uLongf len = static_cast<uLongf>(back.size());
    ASSERT_EQ(uncompress(back.data(), &len, reinterpret_cast<const Bytef*>(packed.data()),
                         static_cast<uLong>(packed.size())),
              Z_OK)
        << level;
    EXPECT_EQ(std::string(back.begin(), back.begin() + len), data);
  }
  EXPECT_EQ(Deflate("", 6).size(), 8u);  // header + empty block + Adler-32
}

TEST(CompressionStream, RefusesReadingAndSeeking) {
  TMemoryStream out;
  TCompressionStream z(1, out);
  char c;
  try {
    z.Read(&c, 1);
    ADD_FAILURE();
  } catch (const ECompressionError& e) {
    EXPECT_STREQ(e.what(), "Invalid stream operation");
  }
  EXPECT_THROW(z.Seek(0, soBeginning), ECompressionError);
  EXPECT_THROW(TCompressionStream(10, out), ECompressionError);
}

TEST(DecompressionStream, InflatesZlibCompressOutputAndStopsAtItsEnd) {
  std::string data = Sample(200000);
  std::vector<uint8_t> packed(compressBound(static_cast<uLong>(data.size())));
  uLongf len = static_cast<uLongf>(packed.size());
  ASSERT_EQ(compress2(packed.data(), &len, reinterpret_cast<const Bytef*>(data.data()),
                      static_cast<uLong>(data.size()), 9),
            Z_OK);
  TMemoryStream src;
  src.WriteBuffer("HEAD", 4);
  src.WriteBuffer(packed.data(), static_cast<int64_t>(len));
  src.WriteBuffer("TAIL", 4);
  src.SetPosition(4);
  TDecompressionStream z(src);
  std::string back(data.size(), '\0');
  z.ReadBuffer(back.data(), static_cast<int64_t>(back.size()));
  EXPECT_EQ(back, data);
  char extra[4];
  EXPECT_EQ(z.Read(extra, 4), 0);  // the end is not an error
  EXPECT_EQ(src.Position(), static_cast<int64_t>(4 + len))
      << "bytes after the stream are given back";
  // Seeking: forward skips, to 0 restarts, backward fails.
  EXPECT_EQ(z.Seek(0, soBeginning), 0);
  EXPECT_EQ(z.Seek(1000, soBeginning), 1000);
  EXPECT_EQ(z.Seek(10, soCurrent), 1010);
  z.ReadBuffer(extra, 4);
  EXPECT_EQ(std::string(extra, 4), data.substr(1010, 4));
  try {
    z.Seek(5, soBeginning);
    ADD_FAILURE();
  } catch (const EDecompressionError& e) {
    EXPECT_STREQ(e.what(), "Invalid stream operation");
  }
  EXPECT_THROW(z.Seek(-1, soCurrent), EDecompressionError);
  EXPECT_THROW(z.Seek(0, soEnd), EDecompressionError);
  EXPECT_THROW(z.Write("x", 1), EDecompressionError);
}

TEST(DecompressionStream, CorruptOrTruncatedDataRaisesError) {
  std::string data = Sample(50000);
  std::string packed = Deflate(data, -1);
  std::string corrupt = packed;
  corrupt[packed.size() / 2] ^= 0x55;
  std::string bad_check = packed;
  bad_check[packed.size() - 1] ^= 1;  // Adler-32 trailer
  for (const std::string& bytes :
       {packed.substr(0, packed.size() / 2), packed.substr(0, packed.size() - 2), corrupt,
        bad_check, std::string("not zlib at all")}) {
    TStringStream src(bytes);
    TDecompressionStream z(src);
    std::string back(data.size() + 10, '\0');
    try {
      z.Read(back.data(), static_cast<int64_t>(back.size()));
      ADD_FAILURE() << "no error for " << bytes.size() << " bytes";
    } catch (const EDecompressionError& e) {
      EXPECT_STREQ(e.what(), "error");
    }
  }
}

TEST(DecompressionStream, SmallReadsAcrossTheWholeStream) {
  std::string data = Sample(70000);
  TStringStream src(Deflate(data, 1));
  TDecompressionStream z(src);
  std::string back;
  char buf[7];
  for (int64_t n; (n = z.Read(buf, sizeof buf)) > 0;) back.append(buf, static_cast<size_t>(n));
  EXPECT_EQ(back, data);
}

}  // namespace
}  // namespace kiv
