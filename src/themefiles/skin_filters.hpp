#pragma once
// Skin containers and the filters that read and write them. Four variants:
//
//   class                          ext   signature   compression     body
//   TLqSkinFilterUncompressed      uskn  "_UCT\0"    none            standard
//   TLqSkinFilterCompressed        qskn  "_DCT\0"    zlib level 1    standard
//   TLqSkinFilterUltraCompressed   xskn  "_TCT\0"    zlib level -1   standard
//   TLqSkinFilterMaxCompression    mskn  "_MCT\0"    zlib level -1   compact
//
// A container is the signature, then the body; compressed variants put the
// tag "QSLZ" and a zlib stream (header, deflate data, Adler-32 trailer) that
// runs to the end of the data in place of the body. The signature is
// optional on input.
//
// Bodies (integers 32-bit little-endian, strings a 32-bit length and bytes):
//
//   standard: SkinName, SkinVersion, Author, AuthorEMail, AuthorURL;
//             bitmap count N; N bitmap records (surface stream form);
//             object word M | 0xFF0000; M x (class name, text-form component
//             stream as a string); colour, system-colour and font tables.
//   compact:  the five strings; bitmap word N | 0xFFF000; N x (bitmap
//             record, Transparent byte, AlphaBlend byte); object word
//             M | 0xFF0000; M x (class name, size S, S bytes of binary
//             component stream); the three tables.
//
// The marker bits leave 12 bits for the compact bitmap count and 16 for the
// object count: the writers refuse skins with more (EWriteError) rather than
// write files that cannot be read back. Readers also take the older layouts:
// an object word with only bits 16..19 set (colour and font tables, no
// system colours), or with no marker (no tables: they are derived from the
// objects); a compact bitmap word with only bits 16..19 set (bitmaps
// converted like the standard body's) or none (each bitmap a name, a size
// and a BMP file image).
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "framework/classes.hpp"

namespace kiv {

class TLqSkinSource;
class TStream;

using TLqSkinSignature = std::array<char, 5>;

class TLqSkinFilter : public TPersistent {
  KIV_CLASS(TLqSkinFilter, TPersistent)
 public:
  TLqSkinFilter() : TLqSkinFilter(TLqSkinSignature{'0', '0', '0', '0', '\0'}) {}

  const TLqSkinSignature& Signature() const { return signature_; }
  TLqSkinSource* Source() const { return source_; }
  void SetSource(TLqSkinSource* source) { source_ = source; }

  // The body alone; nothing without a source.
  virtual void ReadBody(TStream& stream);
  virtual void WriteBody(TStream& stream);
  virtual std::string Extension() const { return ""; }
  virtual std::string Description() const { return ""; }
  // The whole container.
  virtual void ReadFromStream(TStream& stream);
  virtual void WriteToStream(TStream& stream);

 protected:
  explicit TLqSkinFilter(const TLqSkinSignature& signature) : signature_(signature) {}
  // Reads the signature, stepping back when the stream does not start with it.
  void SkipSignature(TStream& stream);
  // Refuses a source whose counts do not fit their marked words.
  virtual void CheckCounts() const;

 private:
  TLqSkinSignature signature_;
  TLqSkinSource* source_ = nullptr;
};

class TLqSkinFilterUncompressed : public TLqSkinFilter {
  KIV_CLASS(TLqSkinFilterUncompressed, TLqSkinFilter)
 public:
  TLqSkinFilterUncompressed() : TLqSkinFilter({'_', 'U', 'C', 'T', '\0'}) {}
  std::string Extension() const override { return "uskn"; }
  std::string Description() const override { return "Uncompressed Skin"; }
};

// The zlib variants: tag "QSLZ", then the body deflated at Level().
class TLqSkinFilterCompressed : public TLqSkinFilter {
  KIV_CLASS(TLqSkinFilterCompressed, TLqSkinFilter)
 public:
  TLqSkinFilterCompressed() : TLqSkinFilter({'_', 'D', 'C', 'T', '\0'}) {}
  std::string Extension() const override { return "qskn"; }
  std::string Description() const override { return "Compressed Skin"; }
  void ReadFromStream(TStream& stream) override;
  void WriteToStream(TStream& stream) override;
  virtual int Level() const { return 1; }

 protected:
  using TLqSkinFilter::TLqSkinFilter;
};

class TLqSkinFilterUltraCompressed : public TLqSkinFilterCompressed {
  KIV_CLASS(TLqSkinFilterUltraCompressed, TLqSkinFilterCompressed)
 public:
  TLqSkinFilterUltraCompressed() : TLqSkinFilterCompressed({'_', 'T', 'C', 'T', '\0'}) {}
  std::string Extension() const override { return "xskn"; }
  std::string Description() const override { return "Ultra Compressed Skin"; }
  int Level() const override { return -1; }

 protected:
  using TLqSkinFilterCompressed::TLqSkinFilterCompressed;
};

class TLqSkinFilterMaxCompression : public TLqSkinFilterUltraCompressed {
  KIV_CLASS(TLqSkinFilterMaxCompression, TLqSkinFilterUltraCompressed)
 public:
  TLqSkinFilterMaxCompression() : TLqSkinFilterUltraCompressed({'_', 'M', 'C', 'T', '\0'}) {}
  std::string Extension() const override { return "mskn"; }
  std::string Description() const override { return "Maximum Compressed"; }
  void ReadBody(TStream& stream) override;
  void WriteBody(TStream& stream) override;

 protected:
  void CheckCounts() const override;
};

// ---- the filter registry

using TLqSkinFilterClass = const TClassInfo*;

// A new filter of the class (the caller owns it).
std::unique_ptr<TLqSkinFilter> CreateSkinFilter(TLqSkinFilterClass cls);
std::string SkinFilterExtension(TLqSkinFilterClass cls);
std::string SkinFilterDescription(TLqSkinFilterClass cls);

// Filled when the unit starts: uncompressed, compressed, ultra, maximum.
const std::vector<TLqSkinFilterClass>& SkinFilters();
void RegisterSkinFilter(TLqSkinFilterClass cls);
void UnregisterSkinFilter(TLqSkinFilterClass cls);

// TLqSkinFilterCompressed when the unit starts.
TLqSkinFilterClass DefaultSkinFilter();
void SetDefaultSkinFilter(TLqSkinFilterClass cls);

// The first filter whose "." + extension equals the file's extension,
// ignoring case; nil for none.
TLqSkinFilterClass FindSkinFilterByFileName(const std::string& file_name);
// The first filter whose signature the stream starts with, else the default
// filter; the stream's position is left where it was.
TLqSkinFilterClass FindSkinFilterByStream(TStream& stream);
// "Uncompressed Skin (*.uskn)|*.uskn|Compressed Skin (*.qskn)|*.qskn|..."
std::string SkinFileDialogFilter();

}  // namespace kiv
