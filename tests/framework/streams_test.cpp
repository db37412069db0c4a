// Memory, file and string streams and the little-endian helpers.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "framework/streams.hpp"

namespace kiv {
namespace {

std::string TempName(const char* tag) {
  return std::string("kiv_stream_") + tag + ".tmp";  // tests run in the build folder
}

TEST(MemoryStream, ReadStopsAtTheEndAndReadBufferRaises) {
  TMemoryStream m;
  WriteU32(m, 0x11223344);
  WriteU16(m, 0xBEEF);
  EXPECT_EQ(m.Size(), 6);
  EXPECT_EQ(m.Memory()[0], 0x44);  // little-endian
  m.SetPosition(0);
  EXPECT_EQ(ReadU32(m), 0x11223344u);
  uint8_t buf[8];
  EXPECT_EQ(m.Read(buf, 8), 2);
  EXPECT_EQ(m.Read(buf, 8), 0);
  m.SetPosition(4);
  try {
    ReadU32(m);
    ADD_FAILURE();
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "Stream read error");
  }
  EXPECT_THROW(m.Seek(-1, soBeginning), EStreamError);
}

TEST(MemoryStream, SeekPastTheEndThenWriteZeroFills) {
  TMemoryStream m;
  EXPECT_EQ(m.Seek(3, soEnd), 3);
  WriteU8(m, 7);
  ASSERT_EQ(m.Size(), 4);
  EXPECT_EQ(m.Memory()[0], 0);
  EXPECT_EQ(m.Memory()[3], 7);
  EXPECT_EQ(m.Seek(-1, soCurrent), 3);
  m.SetSize(2);
  EXPECT_EQ(m.Position(), 2);
  EXPECT_THROW(m.SetSize(int64_t{1} << 62), EStreamError);
}

TEST(MemoryStream, CopyFromWholeSourceAndPart) {
  TStringStream src("abcdef");
  TMemoryStream dst;
  src.SetPosition(4);
  EXPECT_EQ(dst.CopyFrom(src, 0), 6);  // 0 copies everything from the start
  src.SetPosition(1);
  dst.CopyFrom(src, 2);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(dst.Memory()), 8), "abcdefbc");
  EXPECT_THROW(dst.CopyFrom(src, 10), EReadError);
}

TEST(ReadBytes, CorruptLengthFailsWithoutHugeAllocation) {
  TStringStream s("abc");
  EXPECT_THROW(ReadBytes(s, uint64_t{1} << 60), EReadError);
  s.SetPosition(0);
  auto v = ReadBytes(s, 3);
  EXPECT_EQ(v.size(), 3u);
}

TEST(FileStream, CreateWriteReopenAndTruncate) {
  std::string name = TempName("rw");
  {
    TFileStream f(name, fmCreate);
    WriteI64(f, -2);
    f.WriteBuffer("xyz", 3);
    EXPECT_EQ(f.Size(), 11);
  }
  {
    TFileStream f(name, fmOpenReadWrite | fmShareDenyNone);
    EXPECT_EQ(ReadI64(f), -2);
    f.SetSize(9);
    EXPECT_EQ(f.Size(), 9);
    EXPECT_EQ(f.Position(), 8);
  }
  TMemoryStream m;
  m.LoadFromFile(name);
  EXPECT_EQ(m.Size(), 9);
  EXPECT_EQ(m.Memory()[8], 'x');
  std::remove(name.c_str());
}

TEST(FileStream, MissingFileRaisesOpenErrorWithTheName) {
  try {
    TFileStream f("no_such_dir/none.bin", fmOpenRead);
    ADD_FAILURE();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"no_such_dir/none.bin\". ", 0), 0u)
        << e.what();
  }
  EXPECT_THROW(TFileStream("no_such_dir/none.bin", fmCreate), EFCreateError);
}

#ifdef _WIN32
TEST(FileStream, ExclusiveSharingKeepsOthersOut) {
  std::string name = TempName("share");
  {
    TFileStream owner(name, fmCreate | fmShareExclusive);
    EXPECT_THROW(TFileStream(name, fmOpenRead | fmShareDenyNone), EFOpenError);
  }
  {
    TFileStream reader(name, fmOpenRead | fmShareDenyWrite);
    TFileStream second(name, fmOpenRead | fmShareDenyWrite);
    EXPECT_THROW(TFileStream(name, fmOpenWrite | fmShareDenyNone), EFOpenError);
  }
  std::remove(name.c_str());
}
#endif

TEST(StringStream, ReadStringAndOverwrite) {
  TStringStream s("hello");
  EXPECT_EQ(s.ReadString(2), "he");
  s.WriteString("LLO!");
  EXPECT_EQ(s.DataString(), "heLLO!");
  EXPECT_EQ(s.ReadString(5), "");
}

}  // namespace
}  // namespace kiv
