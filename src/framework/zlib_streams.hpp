#pragma once
// zlib streams: a write-only stream that deflates into another stream (zlib
// wrapper: header and Adler-32 trailer) and a read-only stream that inflates
// from one.
#include <cstdint>
#include <memory>

#include "framework/streams.hpp"

namespace kiv {

// zlib levels: -1 (zlib's default, 6), 0 (store) to 9.
constexpr int kZlibDefaultLevel = -1;
constexpr int kZlibFastest = 1;
constexpr int kZlibMax = 9;

// Everything written is compressed into dest; the zlib stream is finished
// (all output flushed, trailer written) by Finish or, at the latest, by the
// destructor (which cannot report a write failure: call Finish to see it).
// Reading and seeking raise ECompressionError "Invalid stream operation",
// except Seek(0, soCurrent), which gives the bytes taken in so far.
class TCompressionStream : public TStream {
 public:
  TCompressionStream(int level, TStream& dest);
  ~TCompressionStream() override;
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void Finish();
  // Output size as a percentage saved, as the framework reports it.
  double CompressionRate() const;

 private:
  struct State;
  std::unique_ptr<State> z_;
};

// Reads inflate from source, starting at its position when created. At the
// end of the zlib stream Read returns 0; corrupt or truncated data raises
// EDecompressionError "error". Seeking forward reads and discards, seeking to
// 0 starts again from the beginning, other backward seeks and writes raise
// EDecompressionError "Invalid stream operation". Bytes of the source that
// follow the zlib stream are given back to the source when it can seek.
class TDecompressionStream : public TStream {
 public:
  explicit TDecompressionStream(TStream& source);
  ~TDecompressionStream() override;
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;

 private:
  void Skip(int64_t count);
  struct State;
  std::unique_ptr<State> z_;
};

}  // namespace kiv
