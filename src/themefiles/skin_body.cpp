// The standard and compact skin bodies, with the read paths of older
// layouts. Every count read is checked against the bytes that remain before
// anything is made for it.
#include "themefiles/skin_body.hpp"

#include <algorithm>
#include <memory>

#include "framework/filer.hpp"
#include "framework/picture/picture.hpp"
#include "framework/streams.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_utils.hpp"
#include "themefiles/skin_registry.hpp"
#include "themefiles/skin_source.hpp"

namespace kiv {

namespace {

constexpr uint32_t kObjectMarker = 0xFF0000;      // bits 16..23
constexpr uint32_t kOlderObjectMarker = 0xF0000;  // bits 16..19
constexpr uint32_t kBitmapMarker = 0xFFF000;      // bits 12..23
constexpr uint32_t kMaxCompactBitmaps = 0xFFF;

constexpr TkivPixel kMagenta = 0xFF00FF;

int64_t Remaining(TStream& s) {
  return std::max<int64_t>(0, s.Size() - s.Position());
}

// Refuses a count of records that cannot fit in what remains, each record
// taking at least min_bytes.
void CheckCount(TStream& s, uint32_t count, int64_t min_bytes) {
  if (count > Remaining(s) / min_bytes) throw EReadError("Stream read error");
}

void ReadStrings(TStream& s, TLqSkinSource& source) {
  source.SetSkinName(ReadString(s));
  source.SetSkinVersion(ReadString(s));
  source.SetAuthor(ReadString(s));
  source.SetAuthorEMail(ReadString(s));
  source.SetAuthorURL(ReadString(s));
}

void WriteStrings(TStream& s, const TLqSkinSource& source) {
  WriteString(s, source.SkinName());
  WriteString(s, source.SkinVersion());
  WriteString(s, source.Author());
  WriteString(s, source.AuthorEMail());
  WriteString(s, source.AuthorURL());
}

// A bitmap record whose magenta and near-key pixels become the key pixel.
std::unique_ptr<TkivBitmap> ReadConvertedBitmap(TStream& s) {
  auto bmp = std::make_unique<TkivBitmap>();
  bmp->LoadFromStream(s);
  bmp->SetTransparentColor(kMagenta);
  bmp->SetTransparentColor(KeyPixel);
  bmp->DetectAlpha();
  return bmp;
}

// The oldest compact bitmap: a name and a BMP file image.
std::unique_ptr<TkivBitmap> ReadLegacyBitmap(TStream& s) {
  std::string name = ReadString(s);
  const uint32_t size = ReadU32(s);
  if (size > Remaining(s)) throw EReadError("Stream read error");
  const std::vector<uint8_t> image = ReadBytes(s, size);
  const TDecodedPicture picture = DecodeBmp(image.data(), image.size());
  auto bmp = std::make_unique<TkivBitmap>();
  bmp->SetSize(picture.Width, picture.Height);
  if (!bmp->IsEmpty() && !picture.Frames.empty())
    std::copy_n(picture.Frames[0].Pixels.data(), size_t(picture.Width) * picture.Height,
                bmp->Bits());
  bmp->SetTransparentColor(KeyPixel);
  bmp->DetectAlpha();
  bmp->SetName(std::move(name));
  return bmp;
}

// Creates the object of a record from its binary component stream (at
// position 0) and hands it to the source; nil class: nothing.
void LoadObject(TClass cls, TMemoryStream& binary, TLqSkinSource& source) {
  std::unique_ptr<TComponent> made(cls->CreateComponent(nullptr));
  auto* object = dynamic_cast<TLqSkinObject*>(made.get());
  if (!object) return;
  binary.SetPosition(0);
  binary.ReadComponent(object);
  object->SetCharset(kDefaultCharset);
  made.release();
  source.AddObject(object);
  object->AfterLoad();
}

// M objects of the standard body: class name, text form.
void ReadTextObjects(TStream& s, TLqSkinSource& source, uint32_t count) {
  CheckCount(s, count, 8);
  for (uint32_t i = 0; i < count; ++i) {
    const std::string class_name = ReadString(s);
    TStringStream text(ReadString(s));
    TClass cls = FindSkinObjectClass(class_name);
    if (!cls) continue;  // unknown class: the record is skipped
    TMemoryStream binary;
    ObjectTextToBinary(text, binary);
    LoadObject(cls, binary, source);
  }
}

// M objects of the compact body: class name, size, binary component stream.
void ReadBinaryObjects(TStream& s, TLqSkinSource& source, uint32_t count) {
  CheckCount(s, count, 8);
  for (uint32_t i = 0; i < count; ++i) {
    const std::string class_name = ReadString(s);
    const uint32_t size = ReadU32(s);
    if (size > Remaining(s)) throw EReadError("Stream read error");
    TClass cls = FindSkinObjectClass(class_name);
    if (!cls) {
      s.Seek(size, soCurrent);
      continue;
    }
    const std::vector<uint8_t> bytes = ReadBytes(s, size);
    TMemoryStream binary;
    binary.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    LoadObject(cls, binary, source);
  }
}

// The object word, the objects and the tables that the word announces.
void ReadObjectsAndTables(TStream& s, TLqSkinSource& source, bool compact) {
  const uint32_t word = ReadU32(s);
  auto objects = [&](uint32_t count) {
    if (compact)
      ReadBinaryObjects(s, source, count);
    else
      ReadTextObjects(s, source, count);
  };
  if ((word & kObjectMarker) == kObjectMarker) {
    objects(word & ~kObjectMarker);
    source.Colors()->LoadFromStream(s);
    source.SysColors()->LoadFromStream(s);
    source.Fonts()->LoadFromStream(s);
  } else if ((word & kOlderObjectMarker) == kOlderObjectMarker) {
    objects(word & ~kOlderObjectMarker);
    source.Colors()->LoadFromStream(s);
    source.Fonts()->LoadFromStream(s);
  } else {
    objects(word);
    source.DeriveTables();
  }
}

void WriteObjectWordAndTables(TStream& s, TLqSkinSource& source, bool compact) {
  WriteU32(s, static_cast<uint32_t>(source.ObjectCount()) | kObjectMarker);
  for (int i = 0; i < source.ObjectCount(); ++i) {
    TLqSkinObject* object = source.Objects(i);
    WriteString(s, object->ClassName());
    TMemoryStream binary;
    binary.WriteComponent(object);
    binary.SetPosition(0);
    if (compact) {
      WriteU32(s, static_cast<uint32_t>(binary.Size()));
      s.WriteBuffer(binary.Memory(), binary.Size());
    } else {
      TStringStream text;
      ObjectBinaryToText(binary, text);
      WriteString(s, text.DataString());
    }
  }
  source.Colors()->SaveToStream(s);
  source.SysColors()->SaveToStream(s);
  source.Fonts()->SaveToStream(s);
}

void CheckChildren(TLqSkinObject* object) {
  if (static_cast<uint32_t>(object->ChildCount()) > kMaxSkinObjectCount)
    throw EWriteError("A skin object can store at most 65535 children; \"" + object->Name() +
                      "\" has " + std::to_string(object->ChildCount()));
  for (int i = 0; i < object->ChildCount(); ++i)
    if (TLqSkinObject* c = object->Child(i)) CheckChildren(c);
}

}  // namespace

void CheckObjectCounts(const TLqSkinSource& source) {
  if (static_cast<uint32_t>(source.ObjectCount()) > kMaxSkinObjectCount)
    throw EWriteError("A skin can store at most 65535 top-level objects; this one has " +
                      std::to_string(source.ObjectCount()));
  for (int i = 0; i < source.ObjectCount(); ++i) CheckChildren(source.Objects(i));
}

void CheckCompactBitmapCount(const TLqSkinSource& source) {
  if (static_cast<uint32_t>(source.Bitmaps()->Count()) > kMaxCompactBitmaps)
    throw EWriteError("A maximum-compression skin can store at most 4095 bitmaps; this one has " +
                      std::to_string(source.Bitmaps()->Count()));
}

void ReadStandardBody(TStream& s, TLqSkinSource& source) {
  source.Clear();
  ReadStrings(s, source);
  const uint32_t count = ReadU32(s);
  CheckCount(s, count, 12);  // name length, width, height
  for (uint32_t i = 0; i < count; ++i) source.Bitmaps()->Add(ReadConvertedBitmap(s).release());
  ReadObjectsAndTables(s, source, false);
}

void WriteStandardBody(TStream& s, TLqSkinSource& source) {
  CheckObjectCounts(source);
  WriteStrings(s, source);
  TkivBitmapList& bitmaps = *source.Bitmaps();
  WriteU32(s, static_cast<uint32_t>(bitmaps.Count()));
  for (int i = 0; i < bitmaps.Count(); ++i) bitmaps.GetBitmap(i)->SaveToStream(s);
  WriteObjectWordAndTables(s, source, false);
}

void ReadCompactBody(TStream& s, TLqSkinSource& source) {
  source.Clear();
  ReadStrings(s, source);
  const uint32_t word = ReadU32(s);
  TkivBitmapList& bitmaps = *source.Bitmaps();
  if ((word & kBitmapMarker) == kBitmapMarker) {
    const uint32_t count = word & ~kBitmapMarker;
    CheckCount(s, count, 14);  // a bitmap record and two flag bytes
    for (uint32_t i = 0; i < count; ++i) {
      auto bmp = std::make_unique<TkivBitmap>();
      bmp->LoadFromStream(s);
      bmp->SetTransparent(ReadU8(s) != 0);
      bmp->SetAlphaBlend(ReadU8(s) != 0);
      bitmaps.Add(bmp.release());
    }
  } else if ((word & kOlderObjectMarker) == kOlderObjectMarker) {
    const uint32_t count = word & ~kOlderObjectMarker;
    CheckCount(s, count, 12);
    for (uint32_t i = 0; i < count; ++i) bitmaps.Add(ReadConvertedBitmap(s).release());
  } else {
    CheckCount(s, word, 8);  // name length, image size
    for (uint32_t i = 0; i < word; ++i) bitmaps.Add(ReadLegacyBitmap(s).release());
  }
  ReadObjectsAndTables(s, source, true);
}

void WriteCompactBody(TStream& s, TLqSkinSource& source) {
  CheckObjectCounts(source);
  CheckCompactBitmapCount(source);
  WriteStrings(s, source);
  TkivBitmapList& bitmaps = *source.Bitmaps();
  WriteU32(s, static_cast<uint32_t>(bitmaps.Count()) | kBitmapMarker);
  for (int i = 0; i < bitmaps.Count(); ++i) {
    const TkivBitmap* bmp = bitmaps.GetBitmap(i);
    bmp->SaveToStream(s);
    WriteU8(s, bmp->Transparent() ? 1 : 0);
    WriteU8(s, bmp->AlphaBlend() ? 1 : 0);
  }
  WriteObjectWordAndTables(s, source, true);
}

}  // namespace kiv
