// Skin containers: signatures, the zlib wrapping, choosing a filter by file
// name or by the stream's first bytes, and the file-dialog filter text.
#include "themefiles/skin_filters.hpp"

#include <cstring>
#include <exception>

#include "framework/file_bytes.hpp"
#include "framework/streams.hpp"
#include "framework/text_convert.hpp"
#include "framework/zlib_streams.hpp"
#include "themefiles/skin_body.hpp"
#include "themefiles/skin_source.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TLqSkinFilter, c) {}
KIV_IMPLEMENT_CLASS(TLqSkinFilterUncompressed, c) {}
KIV_IMPLEMENT_CLASS(TLqSkinFilterCompressed, c) {}
KIV_IMPLEMENT_CLASS(TLqSkinFilterUltraCompressed, c) {}
KIV_IMPLEMENT_CLASS(TLqSkinFilterMaxCompression, c) {}

namespace {

constexpr char kTag[4] = {'Q', 'S', 'L', 'Z'};

// Inflates the rest of the stream into body, chunk by chunk; false when the
// zlib data is damaged (body then holds the chunks read before the damage).
bool InflateInto(TStream& stream, TMemoryStream& body, int64_t chunk) {
  TDecompressionStream inflate(stream);
  std::vector<uint8_t> buffer(static_cast<size_t>(chunk));
  for (;;) {
    int64_t n;
    try {
      n = inflate.Read(buffer.data(), chunk);
    } catch (const EZlibError&) {
      return false;
    }
    if (n <= 0) return true;
    if (body.Size() + n > static_cast<int64_t>(kMaxWholeFileSize))
      throw EReadError("Skin body larger than 1 GiB");
    body.WriteBuffer(buffer.data(), n);
  }
}

}  // namespace

// ---- the base filter: an uncompressed container with the standard body

void TLqSkinFilter::ReadBody(TStream& stream) {
  if (source_) ReadStandardBody(stream, *source_);
}

void TLqSkinFilter::WriteBody(TStream& stream) {
  if (source_) WriteStandardBody(stream, *source_);
}

void TLqSkinFilter::CheckCounts() const {
  if (source_) CheckObjectCounts(*source_);
}

void TLqSkinFilter::SkipSignature(TStream& stream) {
  char head[5];
  const int64_t got = stream.Read(head, 5);
  if (got != 5 || std::memcmp(head, signature_.data(), 5) != 0) stream.Seek(-got, soCurrent);
}

void TLqSkinFilter::ReadFromStream(TStream& stream) {
  SkipSignature(stream);
  ReadBody(stream);
}

void TLqSkinFilter::WriteToStream(TStream& stream) {
  CheckCounts();
  stream.WriteBuffer(signature_.data(), 5);
  WriteBody(stream);
}

// ---- the zlib variants

void TLqSkinFilterCompressed::ReadFromStream(TStream& stream) {
  SkipSignature(stream);
  char tag[4];
  stream.ReadBuffer(tag, 4);  // the tag is not checked
  // The body is inflated into memory first, so that every count it holds can
  // be checked against the bytes really there. A zlib error is kept until
  // the body has been read as far as the good data goes: the source then
  // holds what was read before the damage, and the zlib error is reported.
  TMemoryStream body;
  std::exception_ptr zlib_error;
  const int64_t start = stream.Position();
  if (!InflateInto(stream, body, 64 * 1024)) {
    // A Read that meets the damage hands over nothing of what it inflated:
    // inflate again, byte by byte over the last chunk, to keep every good byte.
    const int64_t good = body.Size();
    body.Clear();
    stream.SetPosition(start);
    TDecompressionStream again(stream);
    std::vector<uint8_t> buffer(static_cast<size_t>(good));
    again.ReadBuffer(buffer.data(), good);
    body.WriteBuffer(buffer.data(), good);
    try {
      uint8_t byte;
      while (again.Read(&byte, 1) == 1) body.WriteBuffer(&byte, 1);
    } catch (const EZlibError&) {
      zlib_error = std::current_exception();
    }
    if (!zlib_error) zlib_error = std::make_exception_ptr(EDecompressionError("error"));
  }
  body.SetPosition(0);
  try {
    ReadBody(body);
  } catch (const EReadError&) {
    if (zlib_error) std::rethrow_exception(zlib_error);
    throw;
  }
  if (zlib_error) std::rethrow_exception(zlib_error);
}

void TLqSkinFilterCompressed::WriteToStream(TStream& stream) {
  CheckCounts();
  stream.WriteBuffer(Signature().data(), 5);
  stream.WriteBuffer(kTag, 4);
  TCompressionStream deflate(Level(), stream);
  WriteBody(deflate);
  deflate.Finish();
}

// ---- the maximum filter: compact body

void TLqSkinFilterMaxCompression::ReadBody(TStream& stream) {
  if (Source()) ReadCompactBody(stream, *Source());
}

void TLqSkinFilterMaxCompression::WriteBody(TStream& stream) {
  if (Source()) WriteCompactBody(stream, *Source());
}

void TLqSkinFilterMaxCompression::CheckCounts() const {
  TLqSkinFilterUltraCompressed::CheckCounts();
  if (Source()) CheckCompactBitmapCount(*Source());
}

// ---- the registry's look-ups

std::unique_ptr<TLqSkinFilter> CreateSkinFilter(TLqSkinFilterClass cls) {
  if (!cls) return nullptr;
  std::unique_ptr<TPersistent> made(cls->CreateInstance());
  auto* filter = dynamic_cast<TLqSkinFilter*>(made.get());
  if (!filter) return nullptr;
  made.release();
  return std::unique_ptr<TLqSkinFilter>(filter);
}

std::string SkinFilterExtension(TLqSkinFilterClass cls) {
  auto f = CreateSkinFilter(cls);
  return f ? f->Extension() : std::string();
}

std::string SkinFilterDescription(TLqSkinFilterClass cls) {
  auto f = CreateSkinFilter(cls);
  return f ? f->Description() : std::string();
}

TLqSkinFilterClass FindSkinFilterByFileName(const std::string& file_name) {
  // The extension: from the last dot of the last path component.
  const size_t slash = file_name.find_last_of("/\\:");
  const size_t dot = file_name.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return nullptr;
  const std::string ext = LowerCase(file_name.substr(dot));
  for (TLqSkinFilterClass cls : SkinFilters()) {
    std::string want(1, '.');
    want += LowerCase(SkinFilterExtension(cls));
    if (ext == want) return cls;
  }
  return nullptr;
}

TLqSkinFilterClass FindSkinFilterByStream(TStream& stream) {
  char head[5] = {};
  const int64_t got = stream.Read(head, 5);
  stream.Seek(-got, soCurrent);
  if (got == 5)
    for (TLqSkinFilterClass cls : SkinFilters())
      if (auto f = CreateSkinFilter(cls); f && std::memcmp(f->Signature().data(), head, 5) == 0)
        return cls;
  return DefaultSkinFilter();
}

std::string SkinFileDialogFilter() {
  std::string text;
  for (TLqSkinFilterClass cls : SkinFilters()) {
    const std::string ext = SkinFilterExtension(cls);
    if (!text.empty()) text += "|";
    text.append(SkinFilterDescription(cls)).append(" (*.").append(ext).append(")|*.").append(ext);
  }
  return text;
}

}  // namespace kiv
