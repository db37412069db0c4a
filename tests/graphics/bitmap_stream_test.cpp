// The surface stream format and stream strings, on exact bytes and on
// truncated or hostile streams.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "framework/exceptions.hpp"
#include "framework/streams.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_bitmap_list.hpp"
#include "graphics/kiv_utils.hpp"

namespace kiv {
namespace {

std::vector<uint8_t> Bytes(TMemoryStream& s) {
  return std::vector<uint8_t>(s.Memory(), s.Memory() + s.Size());
}

void Put32(std::vector<uint8_t>& v, uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}

std::unique_ptr<TMemoryStream> StreamOf(const std::vector<uint8_t>& v) {
  auto s = std::make_unique<TMemoryStream>();
  if (!v.empty()) s->WriteBuffer(v.data(), static_cast<int64_t>(v.size()));
  s->SetPosition(0);
  return s;
}

TEST(SurfaceStream, WritesNameSizeAndPixels) {
  TkivBitmap b;
  b.SetSize(2, 1);
  b.SetName("Ab");
  b.SetPixel(0, 0, 0x44332211);
  b.SetPixel(1, 0, 0x88776655);
  TMemoryStream s;
  b.SaveToStream(s);
  const std::vector<uint8_t> want = {2, 0, 0, 0,    'A',  'b',  2,    0,    0,    0,    1,
                                     0, 0, 0, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
  EXPECT_EQ(Bytes(s), want);

  // Height -1: the same single row, read bottom to top.
  std::vector<uint8_t> flipped = want;
  flipped[10] = 0xFF, flipped[11] = 0xFF, flipped[12] = 0xFF, flipped[13] = 0xFF;
  auto in = StreamOf(flipped);
  TkivBitmap c;
  c.SetAlphaBlend(true);
  c.LoadFromStream(*in);
  EXPECT_EQ(c.Name(), "Ab");
  EXPECT_EQ(c.Width(), 2);
  EXPECT_EQ(c.Height(), 1);
  EXPECT_EQ(c.GetPixel(0, 0), 0x44332211u);
  EXPECT_EQ(c.GetPixel(1, 0), 0x88776655u);
  EXPECT_TRUE(c.AlphaBlend());  // flags are not changed by loading
  EXPECT_EQ(in->Position(), in->Size());
}

TEST(SurfaceStream, NegativeHeightFlipsTheRowsAndRoundTripsOtherwise) {
  TkivBitmap b;
  b.SetSize(3, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 3; ++x) b.SetPixel(x, y, 0xFF000000u | y << 8 | x);
  TMemoryStream s;
  b.SaveToStream(s);
  s.SetPosition(0);
  TkivBitmap c;
  c.LoadFromStream(s);
  EXPECT_EQ(0, std::memcmp(b.Bits(), c.Bits(), 3 * 4 * 4));
  s.SetPosition(8);  // the height field, after the empty name and the width
  WriteI32(s, -4);
  s.SetPosition(0);
  c.LoadFromStream(s);
  for (int y = 0; y < 4; ++y) EXPECT_EQ(c.GetPixel(2, y), b.GetPixel(2, 3 - y));
}

TEST(SurfaceStream, ZeroSizesKeepTheSurfaceAndReadNoPixels) {
  TkivBitmap b;
  b.SetSize(1, 2);
  b.SetPixel(0, 0, 1);
  b.SetPixel(0, 1, 2);
  for (auto [w, h, flipped] : {std::tuple{0, 5, false}, {5, 0, true}}) {
    std::vector<uint8_t> v;
    Put32(v, 1);
    v.push_back('n');
    Put32(v, static_cast<uint32_t>(w));
    Put32(v, static_cast<uint32_t>(h));
    auto s = StreamOf(v);
    b.LoadFromStream(*s);
    EXPECT_EQ(b.Width(), 1);
    EXPECT_EQ(b.Height(), 2);
    EXPECT_EQ(b.Name(), "n");
    EXPECT_EQ(s->Position(), s->Size());
    // Height 0 still flips the rows the surface has.
    EXPECT_EQ(b.GetPixel(0, 0), flipped ? 2u : 1u);
    if (flipped) b.FlipVertical();
  }
}

TEST(SurfaceStream, TruncatedAndHostileStreamsRaiseBeforeAllocating) {
  auto header = [](uint32_t name_len, uint32_t w, uint32_t h) {
    std::vector<uint8_t> v;
    Put32(v, name_len);
    Put32(v, w);
    Put32(v, h);
    return v;
  };
  struct Case {
    std::vector<uint8_t> bytes;
  };
  std::vector<uint8_t> short_pixels = header(0, 2, 2);
  short_pixels.resize(short_pixels.size() + 15);  // one byte short of 16
  for (const std::vector<uint8_t>& bytes : {
           std::vector<uint8_t>{1, 0},             // length cut
           std::vector<uint8_t>{5, 0, 0, 0, 'a'},  // name cut
           header(0x7FFFFFFF, 1, 1),               // absurd name
           header(0xFFFFFFFF, 1, 1),               // negative name length
           header(0, 0x7FFFFFFF, 0x7FFFFFFF),      // absurd size
           header(0, 65536, 0x80000000u),          // most negative height
           header(0, 100000, 1),                   // pixels missing
           header(0, 0xFFF00000u, 200),            // negative width, nothing behind
           short_pixels,
       }) {
    auto s = StreamOf(bytes);
    TkivBitmap b;
    EXPECT_THROW(b.LoadFromStream(*s), EReadError) << bytes.size();
    EXPECT_TRUE(b.IsEmpty());
  }
}

TEST(StreamString, LengthThenBytes) {
  TMemoryStream s;
  WriteString(s, "Frame");
  WriteString(s, "");
  EXPECT_EQ(Bytes(s), (std::vector<uint8_t>{5, 0, 0, 0, 'F', 'r', 'a', 'm', 'e', 0, 0, 0, 0}));
  s.SetPosition(0);
  EXPECT_EQ(ReadString(s), "Frame");
  EXPECT_EQ(ReadString(s), "");
  EXPECT_THROW(ReadString(s), EReadError);
}

TEST(BitmapLinkClass, PublishesNameAndRectangle) {
  const TClassInfo& cls = TkivBitmapLink::StaticClass();
  EXPECT_EQ(cls.Name(), "TkivBitmapLink");
  TkivBitmapLink link;
  cls.FindProperty("Left")->SetOrd(link, -7);
  cls.FindProperty("Bottom")->SetOrd(link, 3);
  cls.FindProperty("Name")->SetString(link, "Frame");
  EXPECT_EQ(link.Rect(), (TRect{-7, 0, 0, 3}));
  EXPECT_EQ(link.Name(), "Frame");
  EXPECT_EQ(cls.FindProperty("Top")->GetOrd(link), 0);
  // Assignment between unrelated persistent classes is the framework's error.
  TkivBitmap surface;
  EXPECT_THROW(link.Assign(&surface), EInvalidCast);
  EXPECT_THROW(surface.Assign(&link), EInvalidCast);
  std::unique_ptr<TPersistent> made(TkivBitmap::StaticClass().CreateInstance());
  EXPECT_TRUE(made->Is<TkivBitmap>());
}

}  // namespace
}  // namespace kiv
