// Skin containers: exact bytes, the four variants, the older layouts, the
// filter registry and the refusals of bad counts.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "framework/streams.hpp"
#include "framework/zlib_streams.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "skin_bytes.hpp"
#include "themefiles/skin_filters.hpp"
#include "themefiles/skin_objects.hpp"
#include "themefiles/skin_source.hpp"

namespace kiv {
namespace {

using kivtest::ComponentBytes;
using kivtest::Compressed;
using kivtest::SkinBytes;

std::vector<uint8_t> Bytes(TMemoryStream& s) {
  return std::vector<uint8_t>(s.Memory(), s.Memory() + s.Size());
}

// Saves the source with a filter class and gives the bytes.
std::vector<uint8_t> Save(TLqSkinSource& source, TLqSkinFilterClass cls) {
  auto filter = CreateSkinFilter(cls);
  filter->SetSource(&source);
  TMemoryStream out;
  filter->WriteToStream(out);
  return Bytes(out);
}

void Load(TLqSkinSource& source, const std::vector<uint8_t>& bytes) {
  TMemoryStream in;
  in.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  in.SetPosition(0);
  source.LoadFromStream(in);
}

struct Variant {
  TLqSkinFilterClass cls;
  const char* signature;
  bool compressed;
  uint8_t zlib_flags;  // second byte of the zlib header: 0x01 level 1, 0x9C default
  bool compact;
};

const Variant kVariants[] = {
    {&TLqSkinFilterUncompressed::StaticClass(), "_UCT", false, 0, false},
    {&TLqSkinFilterCompressed::StaticClass(), "_DCT", true, 0x01, false},
    {&TLqSkinFilterUltraCompressed::StaticClass(), "_TCT", true, 0x9C, false},
    {&TLqSkinFilterMaxCompression::StaticClass(), "_MCT", true, 0x9C, true},
};

TEST(SkinContainer, EmptySkinIsTheStringsCountsAndTables) {
  TLqSkinSource source;
  source.SetSkinName("E");
  source.SetSkinVersion("");
  source.SetAuthor("");
  TMemoryStream tables;
  source.Colors()->SaveToStream(tables);
  source.SysColors()->SaveToStream(tables);
  source.Fonts()->SaveToStream(tables);

  SkinBytes want;
  want.Raw(std::string("_UCT\0", 5)).Str("E").Str("").Str("").Str("").Str("");
  want.U32(0).U32(0x00FF0000).Raw(Bytes(tables));
  EXPECT_EQ(Save(source, &TLqSkinFilterUncompressed::StaticClass()), want.Bytes());

  // The compact body marks the bitmap count as well.
  const std::vector<uint8_t> max = Save(source, &TLqSkinFilterMaxCompression::StaticClass());
  TMemoryStream packed;
  packed.WriteBuffer(max.data() + 9, static_cast<int64_t>(max.size() - 9));
  packed.SetPosition(0);
  TDecompressionStream inflate(packed);
  std::vector<uint8_t> body(want.Size() - 5);
  inflate.ReadBuffer(body.data(), static_cast<int64_t>(body.size()));
  SkinBytes compact;
  compact.Str("E").Str("").Str("").Str("").Str("").U32(0x00FFF000).U32(0x00FF0000);
  EXPECT_EQ(std::vector<uint8_t>(body.begin(), body.begin() + compact.Size()), compact.Bytes());
}

TEST(SkinContainer, EachVariantHasItsSignatureTagAndZlibHeader) {
  for (const Variant& v : kVariants) {
    SCOPED_TRACE(v.signature);
    TLqSkinSource source;
    const std::vector<uint8_t> bytes = Save(source, v.cls);
    ASSERT_GT(bytes.size(), 11u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 5), std::string(v.signature, 5));
    if (v.compressed) {
      EXPECT_EQ(std::string(bytes.begin() + 5, bytes.begin() + 9), "QSLZ");
      EXPECT_EQ(bytes[9], 0x78);
      EXPECT_EQ(bytes[10], v.zlib_flags);
    } else {
      EXPECT_EQ(bytes[5], 14);  // length of "Kivstyle Theme"
    }
    // Sniffing the stream finds the same filter again.
    TMemoryStream in;
    in.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    in.SetPosition(0);
    EXPECT_EQ(FindSkinFilterByStream(in), v.cls);
    EXPECT_EQ(in.Position(), 0);
  }
}

// A skin with two bitmaps (one with a near-key pixel and partial alpha) and
// a small object tree.
void FillSample(TLqSkinSource& source) {
  auto* frame = new TkivBitmap;
  frame->SetName("Frame");
  frame->SetSize(3, 2);
  const TkivPixel px[] = {0xFFFF00FF, 0x80FA04FB, 0x007D027E, 0xFF123456, 0xFFF900FF, 0x80808080};
  std::memcpy(frame->Bits(), px, sizeof px);
  frame->SetAlphaBlend(true);
  source.Bitmaps()->Add(frame);
  auto* plain = new TkivBitmap;
  plain->SetName("Plain");
  plain->SetSize(1, 1);
  plain->SetPixel(0, 0, 0xFF00FF00);
  source.Bitmaps()->Add(plain);

  auto* button = new TLqButtonObject(nullptr);
  button->SetName("Button");
  button->SetBounds(Rect(0, 0, 75, 25));
  button->SetColor(clRed);
  button->SetMarginLeft(2);
  button->Bitmap()->SetName("frame");
  button->Bitmap()->SetRect(Rect(0, 0, 3, 2));
  auto* text = new TLqTextObject(button);
  text->SetName("Text");
  text->SetAlign(saClient);
  text->FontPressed()->SetColor(clBlue);
  source.AddObject(button);
}

TEST(SkinContainer, EveryVariantRoundTripsBitmapsAndObjects) {
  for (const Variant& v : kVariants) {
    SCOPED_TRACE(v.signature);
    TLqSkinSource original;
    FillSample(original);
    TLqSkinSource copy;
    Load(copy, Save(original, v.cls));
    ASSERT_EQ(copy.Bitmaps()->Count(), 2);
    EXPECT_EQ(copy.Bitmaps()->GetBitmap(0)->Name(), "Frame");
    EXPECT_EQ(copy.Bitmaps()->GetBitmap(1)->GetPixel(0, 0), 0xFF00FF00u);
    ASSERT_EQ(copy.ObjectCount(), 1);
    auto* button = dynamic_cast<TLqButtonObject*>(copy.FindObject("button"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->BoundsRect(), Rect(0, 0, 75, 25));
    EXPECT_EQ(button->Color(), clRed);
    EXPECT_EQ(button->MarginLeft(), 2);
    // The link resolved by name against the loaded bitmaps.
    EXPECT_EQ(button->Bitmap()->Bitmap(), copy.Bitmaps()->GetBitmap(0));
    ASSERT_EQ(button->ChildCount(), 1);
    auto* text = dynamic_cast<TLqTextObject*>(button->Child(0));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Name(), "Text");
    EXPECT_EQ(text->Align(), saClient);
    EXPECT_EQ(text->FontPressed()->Color(), clBlue);
    EXPECT_EQ(text->Font()->Charset(), kDefaultCharset);
  }
}

TEST(SkinContainer, StandardBodiesKeyNearMagentaAndKeyColoursCompactKeepsPixels) {
  for (const Variant& v : kVariants) {
    SCOPED_TRACE(v.signature);
    TLqSkinSource original;
    FillSample(original);
    TLqSkinSource copy;
    Load(copy, Save(original, v.cls));
    const TkivBitmap* frame = copy.Bitmaps()->GetBitmap(0);
    ASSERT_NE(frame, nullptr);
    if (v.compact) {
      EXPECT_EQ(frame->GetPixel(0, 0), 0xFFFF00FFu);
      EXPECT_EQ(frame->GetPixel(1, 0), 0x80FA04FBu);
      EXPECT_EQ(frame->GetPixel(2, 0), 0x007D027Eu);
      EXPECT_FALSE(frame->Transparent());  // flags as stored
      EXPECT_TRUE(frame->AlphaBlend());
    } else {
      // Within 5 of magenta or of the key colour: the key pixel.
      EXPECT_EQ(frame->GetPixel(0, 0), KeyPixel);
      EXPECT_EQ(frame->GetPixel(1, 0), KeyPixel);
      EXPECT_EQ(frame->GetPixel(2, 0), KeyPixel);
      EXPECT_EQ(frame->GetPixel(1, 1), 0xFFF900FFu);  // red 6 away: kept
      EXPECT_TRUE(frame->Transparent());
      EXPECT_TRUE(frame->AlphaBlend());  // 0x80808080 is still there
    }
  }
}

// ---- read paths built by hand

// Objects of the standard body as text.
const char kFormText[] =
    "object Form: TLqSkinObject\n"
    "  Color = clNavy\n"
    "  Width = 40\n"
    "end\n";

TEST(SkinContainer, CompressedDataWithoutSignatureLoadsThroughTheDefaultFilter) {
  SkinBytes body;
  body.Header("NoSig").U32(0).U32(0xFF0000).ColorTable("clRed").SysColorTable().FontTable(
      "Arial,12,0,255,0,0");
  const SkinBytes file = Compressed("", body, 1);  // starts with "QSLZ"
  TLqSkinSource source;
  Load(source, file.Bytes());
  EXPECT_EQ(source.SkinName(), "NoSig");
  EXPECT_EQ(source.Colors()->GetColor(0), clRed);
  EXPECT_EQ(source.Fonts()->FontByIndex(0)->Name(), "Arial");
}

TEST(SkinContainer, UncompressedExtensionOverCompressedDataFailsWithAReadError) {
  TLqSkinSource sample;
  FillSample(sample);
  const std::vector<uint8_t> bytes = Save(sample, &TLqSkinFilterCompressed::StaticClass());
  const std::string path =
      (std::filesystem::temp_directory_path() / "kiv_skin_wrong_ext.uskn").string();
  {
    TFileStream f(path, fmCreate);
    f.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  }
  TLqSkinSource source;
  // "_DCT" read as the length of the skin name promises more than the file.
  try {
    source.LoadFromFile(path);
    ADD_FAILURE() << "loaded";
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "Stream read error");
  }
  std::filesystem::remove(path);
}

TEST(SkinContainer, DamagedZlibDataRaisesTheZlibErrorAfterReadingWhatItCould) {
  SkinBytes body;
  body.Header("Cut").U32(0).U32(0xFF0000);
  for (int i = 0; i < 200; ++i) body.Str("padding that the table reader never reaches");
  // Stored blocks (level 0), so that the strings inflate before the cut.
  SkinBytes file = Compressed(std::string("_DCT\0", 5), body, 0);
  std::vector<uint8_t> cut(file.Bytes().begin(), file.Bytes().begin() + 200);
  TLqSkinSource source;
  FillSample(source);
  try {
    Load(source, cut);
    ADD_FAILURE() << "loaded";
  } catch (const EDecompressionError& e) {
    EXPECT_STREQ(e.what(), "error");
  }
  EXPECT_EQ(source.SkinName(), "Cut");  // cleared, then read up to the damage
  EXPECT_EQ(source.Bitmaps()->Count(), 0);
}

TEST(SkinContainer, ObjectWordWithoutMarkerDerivesTheTables) {
  SkinBytes body;
  body.Header().U32(0).U32(2);
  body.Str("TLqSkinObject").Str(kFormText);
  body.Str("TLqSkinObject")
      .Str(
          "object Button: TLqSkinObject\n  Color = clMaroon\n  object Text: TLqTextObject\n"
          "    FontHot.Color = clLime\n  end\nend\n");
  SkinBytes file;
  file.Raw(std::string("_UCT\0", 5)).Raw(body.Bytes());
  TLqSkinSource source;
  Load(source, file.Bytes());
  ASSERT_EQ(source.ObjectCount(), 2);
  EXPECT_EQ(source.Colors()->GetColor(tcWindow), clNavy);
  EXPECT_EQ(source.Colors()->GetColor(tcButtonPressed), clMaroon);
  EXPECT_EQ(source.Colors()->GetColor(tcHint), clInfoBk);
  EXPECT_EQ(source.Fonts()->FontByIndex(tfButtonTextHot)->Color(), clLime);
}

TEST(SkinContainer, OlderMarkerReadsColoursAndFontsButNoSystemColours) {
  SkinBytes body;
  body.Header().U32(0).U32(0xF0001).Str("TLqSkinObject").Str(kFormText);
  body.ColorTable("clGreen").FontTable("Courier,9,0,0,0,255");
  SkinBytes file;
  file.Raw(std::string("_UCT\0", 5)).Raw(body.Bytes());
  TLqSkinSource source;
  const TColor sys_before = source.SysColors()->Entry(0);
  Load(source, file.Bytes());
  EXPECT_EQ(source.ObjectCount(), 1);
  EXPECT_EQ(source.Colors()->GetColor(0), clGreen);
  EXPECT_EQ(source.Fonts()->FontByIndex(0)->Color(), 0xFF0000);
  EXPECT_EQ(source.SysColors()->Entry(0), sys_before);
}

TEST(SkinContainer, UnknownAndRenamedClassesInBothBodies) {
  // Standard body: an unknown class is skipped, a class of an older library
  // ("TSeTextObject") is read as ours.
  SkinBytes standard;
  standard.Header().U32(0).U32(0xFF0002);
  standard.Str("TFooUnknownThing").Str("object X: TFooUnknownThing\n  Strange = 1\nend\n");
  standard.Str("TSeTextObject").Str("object Label: TSeTextObject\n  Width = 7\nend\n");
  standard.ColorTable("clRed").SysColorTable().FontTable("Arial,8,0,0,0,0");
  // Compact body: the unknown record's bytes are skipped by its size.
  SkinBytes compact;
  compact.Header().U32(0xFFF000).U32(0xFF0002);
  const std::vector<uint8_t> junk(37, 0xEE);
  compact.Str("TFooUnknownThing").U32(uint32_t(junk.size())).Raw(junk);
  const auto label = ComponentBytes("TXyTextObject", "Label", {{"Width", 7}});
  compact.Str("TXyTextObject").U32(uint32_t(label.size())).Raw(label);
  compact.ColorTable("clRed").SysColorTable().FontTable("Arial,8,0,0,0,0");

  struct Case {
    const char* name;
    SkinBytes file;
  };
  SkinBytes a, b;
  a.Raw(std::string("_UCT\0", 5)).Raw(standard.Bytes());
  b = Compressed(std::string("_MCT\0", 5), compact, 6);
  for (const Case& c : {Case{"standard", a}, Case{"compact", b}}) {
    SCOPED_TRACE(c.name);
    TLqSkinSource source;
    Load(source, c.file.Bytes());
    ASSERT_EQ(source.ObjectCount(), 1);
    EXPECT_EQ(source.Objects(0)->ClassName(), "TLqTextObject");
    EXPECT_EQ(source.Objects(0)->Width(), 7);
    EXPECT_EQ(source.Colors()->GetColor(0), clRed);
  }
}

TEST(SkinContainer, CompactBitmapWordsOfOlderLayouts) {
  // Bits 16..19 marked: converted like the standard body's.
  SkinBytes converted;
  converted.Header().U32(0xF0001).Bitmap("a", 2, 1, {0xFFFF00FF, 0xFF010203});
  converted.U32(0xFF0000).ColorTable("clRed").SysColorTable().FontTable("Arial,8,0,0,0,0");
  // No marker: name, size and a BMP file image.
  SkinBytes legacy;
  const auto bmp = kivtest::BmpFile(2, 2, {0x7F007F, 0x112233, 0x445566, 0x7D027E});
  legacy.Header().U32(1).Str("Legacy").U32(uint32_t(bmp.size())).Raw(bmp);
  legacy.U32(0xFF0000).ColorTable("clRed").SysColorTable().FontTable("Arial,8,0,0,0,0");

  TLqSkinSource one;
  Load(one, Compressed(std::string("_MCT\0", 5), converted, 6).Bytes());
  ASSERT_EQ(one.Bitmaps()->Count(), 1);
  EXPECT_EQ(one.Bitmaps()->GetBitmap(0)->GetPixel(0, 0), KeyPixel);
  EXPECT_EQ(one.Bitmaps()->GetBitmap(0)->GetPixel(1, 0), 0xFF010203u);

  TLqSkinSource two;
  Load(two, Compressed(std::string("_MCT\0", 5), legacy, 6).Bytes());
  ASSERT_EQ(two.Bitmaps()->Count(), 1);
  const TkivBitmap* b = two.Bitmaps()->GetBitmap(0);
  EXPECT_EQ(b->Name(), "Legacy");
  EXPECT_EQ(b->GetPixel(0, 0), KeyPixel);
  EXPECT_EQ(b->GetPixel(1, 0), 0xFF112233u);
  EXPECT_EQ(b->GetPixel(0, 1), 0xFF445566u);
  EXPECT_EQ(b->GetPixel(1, 1), KeyPixel);  // within 5 of the key colour
  EXPECT_TRUE(b->Transparent());
}

TEST(SkinContainer, CountsBeyondTheDataAreRefusedBeforeAllocating) {
  struct Case {
    const char* name;
    SkinBytes body;
    bool compact;
  };
  SkinBytes bitmaps, objects, compact_bitmaps, children, legacy_size;
  bitmaps.Header().U32(0x7FFFFFFF);
  objects.Header().U32(0).U32(0xFFFFFF);
  compact_bitmaps.Header().U32(0xFFFFFF);
  legacy_size.Header().U32(1).Str("x").U32(0xFFFFFFF0);
  SkinBytes kids;
  kids.U32(0xFFFFF);  // 65535 children announced, none there
  const auto parent = ComponentBytes("TLqSkinObject", "P", {}, kids.Bytes());
  children.Header()
      .U32(0xFFF000)
      .U32(0xFF0001)
      .Str("TLqSkinObject")
      .U32(uint32_t(parent.size()))
      .Raw(parent);
  for (const Case& c :
       {Case{"bitmaps", bitmaps, false}, Case{"objects", objects, false},
        Case{"compact bitmaps", compact_bitmaps, true},
        Case{"legacy image size", legacy_size, true}, Case{"children", children, true}}) {
    SCOPED_TRACE(c.name);
    TLqSkinSource source;
    auto file = Compressed(std::string(c.compact ? "_MCT" : "_TCT") + '\0', c.body, 6);
    EXPECT_THROW(Load(source, file.Bytes()), EReadError);
  }
}

TEST(SkinContainer, NestingDeeperThanTheLimitIsRefused) {
  std::vector<uint8_t> inner = ComponentBytes("TLqSkinObject", "Leaf", {});
  for (int depth = 0; depth < kMaxSkinObjectDepth + 2; ++depth) {
    SkinBytes objects;
    objects.U32(0xF0001).Str("TLqSkinObject").U32(uint32_t(inner.size())).Raw(inner);
    inner = ComponentBytes("TLqSkinObject", "N", {}, objects.Bytes());
  }
  SkinBytes body;
  body.Header()
      .U32(0xFFF000)
      .U32(0xFF0001)
      .Str("TLqSkinObject")
      .U32(uint32_t(inner.size()))
      .Raw(inner);
  TLqSkinSource source;
  try {
    Load(source, Compressed(std::string("_MCT\0", 5), body, 6).Bytes());
    ADD_FAILURE() << "loaded";
  } catch (const EReadError& e) {
    EXPECT_NE(std::string(e.what()).find("nested more than 64 levels"), std::string::npos)
        << e.what();
  }
}

// ---- the writers refuse what the marked words cannot hold

TEST(SkinContainer, WritersRefuseCountsThatWouldCorruptTheirMarkers) {
  TLqSkinSource many_bitmaps;
  for (int i = 0; i < 4096; ++i) many_bitmaps.Bitmaps()->Add(new TkivBitmap);
  // The standard body has no marker on its bitmap count.
  EXPECT_NO_THROW(Save(many_bitmaps, &TLqSkinFilterUncompressed::StaticClass()));
  {
    auto filter = CreateSkinFilter(&TLqSkinFilterMaxCompression::StaticClass());
    filter->SetSource(&many_bitmaps);
    TMemoryStream out;
    EXPECT_THROW(filter->WriteToStream(out), EWriteError);
    EXPECT_EQ(out.Size(), 0);  // refused before anything was written
  }
  many_bitmaps.Bitmaps()->Clear();
  for (int i = 0; i < 4095; ++i) many_bitmaps.Bitmaps()->Add(new TkivBitmap);
  TLqSkinSource back;
  Load(back, Save(many_bitmaps, &TLqSkinFilterMaxCompression::StaticClass()));
  EXPECT_EQ(back.Bitmaps()->Count(), 4095);

  TLqSkinSource many_children;
  auto* parent = new TLqSkinObject(nullptr);
  for (int i = 0; i < 65536; ++i) new TLqSkinObject(parent);
  many_children.AddObject(parent);
  for (const Variant& v : kVariants) {
    auto filter = CreateSkinFilter(v.cls);
    filter->SetSource(&many_children);
    TMemoryStream out;
    EXPECT_THROW(filter->WriteToStream(out), EWriteError) << v.signature;
    EXPECT_EQ(out.Size(), 0);
  }
}

// ---- the registry

TEST(SkinFilters, RegistryOrderDefaultExtensionsAndDialogText) {
  ASSERT_EQ(SkinFilters().size(), 4u);
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(SkinFilters()[i], kVariants[i].cls);
  EXPECT_EQ(DefaultSkinFilter(), &TLqSkinFilterCompressed::StaticClass());
  EXPECT_EQ(SkinFileDialogFilter(),
            "Uncompressed Skin (*.uskn)|*.uskn|Compressed Skin (*.qskn)|*.qskn|"
            "Ultra Compressed Skin (*.xskn)|*.xskn|Maximum Compressed (*.mskn)|*.mskn");
  struct Case {
    const char* file;
    TLqSkinFilterClass want;
  };
  for (const Case& c :
       {Case{"a.uskn", &TLqSkinFilterUncompressed::StaticClass()},
        Case{"dir/B.QSKN", &TLqSkinFilterCompressed::StaticClass()},
        Case{"c:\\x\\y.Xskn", &TLqSkinFilterUltraCompressed::StaticClass()},
        Case{"z.mskn", &TLqSkinFilterMaxCompression::StaticClass()}, Case{"a.qskn.bak", nullptr},
        Case{"dir.uskn/file", nullptr}, Case{"noext", nullptr}})
    EXPECT_EQ(FindSkinFilterByFileName(c.file), c.want) << c.file;
  // The base filter is never registered.
  EXPECT_EQ(CreateSkinFilter(&TLqSkinFilter::StaticClass())->Extension(), "");
}

TEST(SkinFilters, DefaultFilterServesUnknownStreamsAndSaves) {
  TLqSkinSource source;
  FillSample(source);
  SetDefaultSkinFilter(&TLqSkinFilterMaxCompression::StaticClass());
  TMemoryStream out;
  source.SaveToStream(out);
  SetDefaultSkinFilter(&TLqSkinFilterCompressed::StaticClass());
  EXPECT_EQ(std::memcmp(out.Memory(), "_MCT", 5), 0);

  TMemoryStream junk;
  junk.WriteBuffer("xyz", 3);
  junk.SetPosition(0);
  EXPECT_EQ(FindSkinFilterByStream(junk), &TLqSkinFilterCompressed::StaticClass());
}

TEST(SkinFilters, FilesWithUnknownExtensionsOrMissingLoadNothing) {
  TLqSkinSource source;
  FillSample(source);
  source.LoadFromFile("/nonexistent/folder/skin.qskn");
  source.LoadFromFile("skin.txt");
  EXPECT_EQ(source.ObjectCount(), 1);

  const std::string path =
      (std::filesystem::temp_directory_path() / "kiv_skin_roundtrip.xskn").string();
  source.SaveToFile(path);
  TLqSkinSource back;
  back.LoadFromFile(path);
  std::filesystem::remove(path);
  EXPECT_EQ(back.ObjectCount(), 1);
  EXPECT_EQ(back.Bitmaps()->Count(), 2);
}

}  // namespace
}  // namespace kiv
