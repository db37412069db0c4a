#include "framework/zlib_streams.hpp"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace kiv {

namespace {
constexpr size_t kBufferSize = 64 * 1024;
[[noreturn]] void CompressionError() {
  throw ECompressionError("error");
}
[[noreturn]] void DecompressionError() {
  throw EDecompressionError("error");
}
}  // namespace

// ---- TCompressionStream ----

struct TCompressionStream::State {
  z_stream zs{};
  TStream* dest = nullptr;
  uint8_t out[kBufferSize];
  int64_t total_in = 0;
  int64_t total_out = 0;
  bool finished = false;

  void Drain(bool all) {
    size_t n = sizeof out - zs.avail_out;
    if (n && (all || zs.avail_out == 0)) {
      dest->WriteBuffer(out, static_cast<int64_t>(n));
      total_out += static_cast<int64_t>(n);
      zs.next_out = out;
      zs.avail_out = sizeof out;
    }
  }
};

TCompressionStream::TCompressionStream(int level, TStream& dest) : z_(std::make_unique<State>()) {
  z_->dest = &dest;
  if (level < -1 || level > 9) CompressionError();
  if (deflateInit(&z_->zs, level) != Z_OK) CompressionError();
  z_->zs.next_out = z_->out;
  z_->zs.avail_out = sizeof z_->out;
}

TCompressionStream::~TCompressionStream() {
  try {
    Finish();
  } catch (...) {
    // A destructor cannot report the failure; Finish() lets callers see it.
  }
  deflateEnd(&z_->zs);
}

int64_t TCompressionStream::Read(void*, int64_t) {
  throw ECompressionError("Invalid stream operation");
}

int64_t TCompressionStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  if (z_->finished) throw ECompressionError("Invalid stream operation");
  const uint8_t* p = static_cast<const uint8_t*>(buffer);
  int64_t left = count;
  while (left > 0) {
    uInt chunk = static_cast<uInt>(std::min<int64_t>(left, 1 << 30));
    z_->zs.next_in = const_cast<Bytef*>(p);
    z_->zs.avail_in = chunk;
    while (z_->zs.avail_in > 0) {
      if (deflate(&z_->zs, Z_NO_FLUSH) == Z_STREAM_ERROR) CompressionError();
      z_->Drain(false);
    }
    p += chunk;
    left -= chunk;
  }
  z_->total_in += count;
  return count;
}

int64_t TCompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
  if (offset == 0 && origin == soCurrent) return z_->total_in;
  throw ECompressionError("Invalid stream operation");
}

void TCompressionStream::Finish() {
  if (z_->finished) return;
  z_->zs.next_in = nullptr;
  z_->zs.avail_in = 0;
  for (;;) {
    int rc = deflate(&z_->zs, Z_FINISH);
    if (rc == Z_STREAM_ERROR) CompressionError();
    bool done = rc == Z_STREAM_END;
    z_->Drain(done);
    if (done) break;
  }
  z_->finished = true;
}

double TCompressionStream::CompressionRate() const {
  if (z_->total_in == 0) return 0;
  return (1.0 - static_cast<double>(z_->total_out) / static_cast<double>(z_->total_in)) * 100.0;
}

// ---- TDecompressionStream ----

struct TDecompressionStream::State {
  z_stream zs{};
  TStream* source = nullptr;
  int64_t source_start = 0;
  uint8_t in[kBufferSize];
  int64_t position = 0;
  bool ended = false;
};

TDecompressionStream::TDecompressionStream(TStream& source) : z_(std::make_unique<State>()) {
  z_->source = &source;
  try {
    z_->source_start = source.Position();
  } catch (const Exception&) {
    z_->source_start = -1;  // the source cannot seek: no restart
  }
  if (inflateInit(&z_->zs) != Z_OK) DecompressionError();
}

TDecompressionStream::~TDecompressionStream() {
  inflateEnd(&z_->zs);
}

int64_t TDecompressionStream::Read(void* buffer, int64_t count) {
  if (count <= 0 || z_->ended) return 0;
  uint8_t* out = static_cast<uint8_t*>(buffer);
  int64_t done = 0;
  while (done < count && !z_->ended) {
    uInt want = static_cast<uInt>(std::min<int64_t>(count - done, 1 << 30));
    z_->zs.next_out = out + done;
    z_->zs.avail_out = want;
    int rc = inflate(&z_->zs, Z_NO_FLUSH);
    done += want - z_->zs.avail_out;
    if (rc == Z_STREAM_END) {
      z_->ended = true;
      // Give back what follows the zlib stream, so that a container can go on.
      if (z_->zs.avail_in > 0) {
        try {
          z_->source->Seek(-static_cast<int64_t>(z_->zs.avail_in), soCurrent);
          z_->zs.avail_in = 0;
        } catch (const Exception&) {
        }
      }
    } else if (rc == Z_BUF_ERROR && z_->zs.avail_in == 0) {
      // No progress without input: fetch more; none left means truncated data.
      int64_t n = z_->source->Read(z_->in, sizeof z_->in);
      if (n <= 0) DecompressionError();
      z_->zs.next_in = z_->in;
      z_->zs.avail_in = static_cast<uInt>(n);
    } else if (rc != Z_OK) {
      DecompressionError();
    }
  }
  z_->position += done;
  return done;
}

int64_t TDecompressionStream::Write(const void*, int64_t) {
  throw EDecompressionError("Invalid stream operation");
}

void TDecompressionStream::Skip(int64_t count) {
  uint8_t buf[4096];
  while (count > 0) {
    int64_t n = std::min<int64_t>(count, sizeof buf);
    ReadBuffer(buf, n);
    count -= n;
  }
}

int64_t TDecompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
  if (origin == soBeginning && offset == 0) {
    if (z_->position == 0 && !z_->ended) return 0;
    if (z_->source_start < 0) throw EDecompressionError("Invalid stream operation");
    if (inflateReset(&z_->zs) != Z_OK) DecompressionError();
    z_->source->SetPosition(z_->source_start);
    z_->zs.avail_in = 0;
    z_->position = 0;
    z_->ended = false;
    return 0;
  }
  if (origin == soCurrent && offset >= 0) {
    Skip(offset);
    return z_->position;
  }
  if (origin == soBeginning && offset >= z_->position) {
    Skip(offset - z_->position);
    return z_->position;
  }
  throw EDecompressionError("Invalid stream operation");
}

}  // namespace kiv
