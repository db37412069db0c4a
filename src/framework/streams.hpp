#pragma once
// Byte streams: the abstract TStream with its buffer and little-endian helpers,
// and the memory, file and string streams built on it.
//
// Read returns what it could read and never fails at the end of the data;
// ReadBuffer and WriteBuffer insist on the whole count and raise EReadError
// "Stream read error" / EWriteError "Stream write error" otherwise.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/exceptions.hpp"

namespace kiv {

class TComponent;

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };

class TStream {
 public:
  virtual ~TStream() = default;
  TStream() = default;
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;

  // Copies up to count bytes; returns how many were read (0 at the end).
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  // Writes up to count bytes; returns how many were written.
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  // Moves the position and returns the new one.
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int64_t value) { Seek(value, soBeginning); }
  virtual int64_t Size();
  virtual void SetSize(int64_t new_size);

  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);
  // Copies count bytes from source at its position; count 0 copies the whole
  // source from its beginning. Returns the number of bytes copied.
  int64_t CopyFrom(TStream& source, int64_t count);

  // Component streams in the binary form (see framework/filer.hpp).
  void WriteComponent(TComponent* instance);
  // Reads a component tree; with no instance the root is created from the
  // class named in the stream (it must be registered) and returned unowned.
  TComponent* ReadComponent(TComponent* instance = nullptr);
};

// Little-endian integers on any stream; readers raise "Stream read error".
uint8_t ReadU8(TStream& s);
uint16_t ReadU16(TStream& s);
uint32_t ReadU32(TStream& s);
int32_t ReadI32(TStream& s);
int64_t ReadI64(TStream& s);
void WriteU8(TStream& s, uint8_t v);
void WriteU16(TStream& s, uint16_t v);
void WriteU32(TStream& s, uint32_t v);
void WriteI32(TStream& s, int32_t v);
void WriteI64(TStream& s, int64_t v);

// Reads exactly n bytes, growing the result as data arrives, so that a
// corrupt length never allocates more than the stream really holds.
std::vector<uint8_t> ReadBytes(TStream& s, uint64_t n);

// A stream over bytes held in a container (a byte vector or a string), at
// most 2 GiB - 1 of them. Seeking past the end is allowed; a write there
// fills the gap with zeros. The memory and string streams are this with
// their own container.
template <class Bytes>
class TContainerStream : public TStream {
 public:
  TContainerStream() = default;
  explicit TContainerStream(Bytes data) : data_(std::move(data)) {}
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(data_.size()); }
  void SetSize(int64_t new_size) override;

 protected:
  Bytes data_;
  int64_t position_ = 0;
};

extern template class TContainerStream<std::vector<uint8_t>>;
extern template class TContainerStream<std::string>;

// Growable block of memory.
class TMemoryStream : public TContainerStream<std::vector<uint8_t>> {
 public:
  uint8_t* Memory() { return data_.data(); }
  const uint8_t* Memory() const { return data_.data(); }
  void Clear();
  void LoadFromStream(TStream& source);  // whole source from its beginning
  void SaveToStream(TStream& dest);      // whole memory, position unchanged
  void LoadFromFile(const std::string& file_name);
  void SaveToFile(const std::string& file_name);
};

// File modes: one of fmCreate / fmOpenRead / fmOpenWrite / fmOpenReadWrite,
// combined with one sharing mode.
enum : uint32_t {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmShareCompat = 0x0000,
  fmShareExclusive = 0x0010,
  fmShareDenyWrite = 0x0020,
  fmShareDenyRead = 0x0030,
  fmShareDenyNone = 0x0040,
  fmCreate = 0xFF00,
};

// A file on disk. fmCreate creates (or empties) the file for reading and
// writing; the open modes need an existing file. Failures raise EFCreateError
// 'Cannot create file "name". reason' or EFOpenError 'Cannot open file
// "name". reason'. Sharing modes are honoured where the platform has them
// (Win32; fmShareCompat shares nothing there, as fmShareExclusive).
class TFileStream : public TStream {
 public:
  TFileStream(const std::string& file_name, uint32_t mode);
  // A name in wide characters: any name the file system holds, also outside
  // the system code page (the messages show it in that code page).
  TFileStream(const std::wstring& file_name, uint32_t mode);
  ~TFileStream() override;
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t new_size) override;
  const std::string& FileName() const { return file_name_; }

 private:
  std::string file_name_;
  intptr_t handle_ = -1;
};

// A stream over a std::string, which DataString exposes.
class TStringStream : public TContainerStream<std::string> {
 public:
  explicit TStringStream(std::string data = {}) : TContainerStream(std::move(data)) {}
  const std::string& DataString() const { return data_; }
  std::string ReadString(int64_t count);
  void WriteString(const std::string& text) {
    WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
  }
};

// The platform's file primitives behind TFileStream (POSIX natively,
// CreateFileW on Win32). Handles are -1 when invalid; errors come back as
// text for the exception messages.
namespace platform {
intptr_t FileOpen(const std::string& name, uint32_t mode, std::string& error);
intptr_t FileCreate(const std::string& name, uint32_t mode, std::string& error);
intptr_t FileOpen(const std::wstring& name, uint32_t mode, std::string& error);
intptr_t FileCreate(const std::wstring& name, uint32_t mode, std::string& error);
void FileClose(intptr_t handle);
int64_t FileRead(intptr_t handle, void* buffer, int64_t count);
int64_t FileWrite(intptr_t handle, const void* buffer, int64_t count);
int64_t FileSeek(intptr_t handle, int64_t offset, int origin);
bool FileTruncate(intptr_t handle);  // at the current position
}  // namespace platform

}  // namespace kiv
