#include "framework/streams.hpp"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "framework/text_convert.hpp"

namespace kiv {

namespace {

constexpr int64_t kCopyChunk = 64 * 1024;

// New position for origin + offset, refusing overflow and negative results.
int64_t SeekTarget(int64_t base, int64_t offset) {
  if ((offset > 0 && base > std::numeric_limits<int64_t>::max() - offset) || base + offset < 0)
    throw EStreamError("Invalid stream operation");
  return base + offset;
}

}  // namespace

// ---- TStream ----

int64_t TStream::Size() {
  int64_t pos = Seek(0, soCurrent);
  int64_t end = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return end;
}

void TStream::SetSize(int64_t) {
  throw EStreamError("Invalid stream operation");
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count < 0 || (count != 0 && Read(buffer, count) != count))
    throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count < 0 || (count != 0 && Write(buffer, count) != count))
    throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  if (count < 0) throw EReadError("Stream read error");
  std::vector<uint8_t> buf(static_cast<size_t>(std::min(count, kCopyChunk)));
  int64_t left = count;
  while (left > 0) {
    int64_t n = std::min<int64_t>(left, static_cast<int64_t>(buf.size()));
    source.ReadBuffer(buf.data(), n);
    WriteBuffer(buf.data(), n);
    left -= n;
  }
  return count;
}

// ---- little-endian helpers ----

namespace {
template <class T>
T ReadLE(TStream& s) {
  uint8_t b[sizeof(T)];
  s.ReadBuffer(b, sizeof(T));
  uint64_t v = 0;
  for (size_t i = 0; i < sizeof(T); ++i) v |= static_cast<uint64_t>(b[i]) << (8 * i);
  return static_cast<T>(v);
}
template <class T>
void WriteLE(TStream& s, T value) {
  uint8_t b[sizeof(T)];
  uint64_t v = static_cast<uint64_t>(value);
  for (size_t i = 0; i < sizeof(T); ++i) b[i] = static_cast<uint8_t>(v >> (8 * i));
  s.WriteBuffer(b, sizeof(T));
}
}  // namespace

uint8_t ReadU8(TStream& s) {
  return ReadLE<uint8_t>(s);
}
uint16_t ReadU16(TStream& s) {
  return ReadLE<uint16_t>(s);
}
uint32_t ReadU32(TStream& s) {
  return ReadLE<uint32_t>(s);
}
int32_t ReadI32(TStream& s) {
  return static_cast<int32_t>(ReadLE<uint32_t>(s));
}
int64_t ReadI64(TStream& s) {
  return static_cast<int64_t>(ReadLE<uint64_t>(s));
}
void WriteU8(TStream& s, uint8_t v) {
  WriteLE(s, v);
}
void WriteU16(TStream& s, uint16_t v) {
  WriteLE(s, v);
}
void WriteU32(TStream& s, uint32_t v) {
  WriteLE(s, v);
}
void WriteI32(TStream& s, int32_t v) {
  WriteLE(s, static_cast<uint32_t>(v));
}
void WriteI64(TStream& s, int64_t v) {
  WriteLE(s, static_cast<uint64_t>(v));
}

std::vector<uint8_t> ReadBytes(TStream& s, uint64_t n) {
  std::vector<uint8_t> out;
  while (out.size() < n) {
    size_t chunk = static_cast<size_t>(std::min<uint64_t>(n - out.size(), kCopyChunk));
    size_t old = out.size();
    out.resize(old + chunk);
    s.ReadBuffer(out.data() + old, static_cast<int64_t>(chunk));
  }
  return out;
}

// ---- Container streams ----

// Memory and string streams keep their bytes in a container; these do the
// work for both.
namespace {

template <class Bytes>
int64_t ReadBytesAt(const Bytes& data, int64_t& position, void* buffer, int64_t count) {
  int64_t size = static_cast<int64_t>(data.size());
  if (count <= 0 || position >= size) return 0;
  int64_t n = std::min(count, size - position);
  std::memcpy(buffer, data.data() + position, static_cast<size_t>(n));
  position += n;
  return n;
}

// Memory streams hold at most 2 GiB - 1, as the framework's 32-bit sizes.
template <class Bytes>
void ResizeBytes(Bytes& data, int64_t& position, int64_t new_size) {
  if (new_size < 0) throw EStreamError("Invalid stream operation");
  if (new_size > std::numeric_limits<int32_t>::max())
    throw EStreamError("Out of memory while expanding memory stream");
  try {
    data.resize(static_cast<size_t>(new_size));
  } catch (const std::bad_alloc&) {
    throw EStreamError("Out of memory while expanding memory stream");
  } catch (const std::length_error&) {
    throw EStreamError("Out of memory while expanding memory stream");
  }
  if (position > new_size) position = new_size;
}

template <class Bytes>
int64_t WriteBytesAt(Bytes& data, int64_t& position, const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  if (position > std::numeric_limits<int64_t>::max() - count)
    throw EWriteError("Stream write error");
  int64_t end = position + count;
  if (end > static_cast<int64_t>(data.size())) ResizeBytes(data, position, end);
  std::memcpy(data.data() + position, buffer, static_cast<size_t>(count));
  position = end;
  return count;
}

}  // namespace

template <class Bytes>
int64_t TContainerStream<Bytes>::Read(void* buffer, int64_t count) {
  return ReadBytesAt(data_, position_, buffer, count);
}

template <class Bytes>
int64_t TContainerStream<Bytes>::Write(const void* buffer, int64_t count) {
  return WriteBytesAt(data_, position_, buffer, count);
}

template <class Bytes>
int64_t TContainerStream<Bytes>::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? position_ : Size();
  position_ = SeekTarget(base, offset);
  return position_;
}

template <class Bytes>
void TContainerStream<Bytes>::SetSize(int64_t new_size) {
  ResizeBytes(data_, position_, new_size);
}

template class TContainerStream<std::vector<uint8_t>>;
template class TContainerStream<std::string>;

void TMemoryStream::Clear() {
  data_.clear();
  data_.shrink_to_fit();
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
  source.SetPosition(0);
  int64_t n = source.Size();
  SetSize(n);
  position_ = 0;
  if (n) source.ReadBuffer(data_.data(), n);
}

void TMemoryStream::SaveToStream(TStream& dest) {
  if (!data_.empty()) dest.WriteBuffer(data_.data(), Size());
}

void TMemoryStream::LoadFromFile(const std::string& file_name) {
  TFileStream f(file_name, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(f);
}

void TMemoryStream::SaveToFile(const std::string& file_name) {
  TFileStream f(file_name, fmCreate);
  SaveToStream(f);
}

// ---- TFileStream ----

namespace {
template <class TName>
intptr_t OpenFile(const TName& name, const std::string& shown_name, uint32_t mode) {
  std::string error;
  if ((mode & 0xFF00) == fmCreate) {
    intptr_t handle = platform::FileCreate(name, mode & 0xFF, error);
    if (handle == -1) throw EFCreateError("Cannot create file \"" + shown_name + "\". " + error);
    return handle;
  }
  intptr_t handle = platform::FileOpen(name, mode, error);
  if (handle == -1) throw EFOpenError("Cannot open file \"" + shown_name + "\". " + error);
  return handle;
}
}  // namespace

TFileStream::TFileStream(const std::string& file_name, uint32_t mode)
    : file_name_(file_name), handle_(OpenFile(file_name, file_name, mode)) {}

TFileStream::TFileStream(const std::wstring& file_name, uint32_t mode)
    : file_name_(ToNarrow(file_name)), handle_(OpenFile(file_name, file_name_, mode)) {}

TFileStream::~TFileStream() {
  if (handle_ != -1) platform::FileClose(handle_);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
  if (count <= 0) return 0;
  int64_t n = platform::FileRead(handle_, buffer, count);
  return n < 0 ? 0 : n;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  int64_t n = platform::FileWrite(handle_, buffer, count);
  return n < 0 ? 0 : n;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t r = platform::FileSeek(handle_, offset, origin);
  if (r < 0) throw EStreamError("Invalid stream operation");
  return r;
}

void TFileStream::SetSize(int64_t new_size) {
  if (new_size < 0) throw EStreamError("Invalid stream operation");
  int64_t pos = Position();
  Seek(new_size, soBeginning);
  if (!platform::FileTruncate(handle_)) throw EStreamError("Stream write error");
  Seek(std::min(pos, new_size), soBeginning);
}

// ---- TStringStream ----

std::string TStringStream::ReadString(int64_t count) {
  int64_t n = std::max<int64_t>(0, std::min(count, Size() - position_));
  std::string out =
      n > 0 ? data_.substr(static_cast<size_t>(position_), static_cast<size_t>(n)) : std::string();
  position_ += n;
  return out;
}

}  // namespace kiv
