// JPEG through libjpeg, at full size, with libjpeg's default (accurate)
// settings, so that the pixels are exactly what djpeg writes. Greyscale, YCbCr
// and RGB files come out of libjpeg as 32-bit BGRA rows directly; CMYK and
// YCCK files come out as CMYK and are turned into RGB the way djpeg does it
// for Adobe's inverted CMYK: R = C * K / 255, rounded (likewise G from M and B
// from Y). EXIF orientation is not applied.
//
// libjpeg reports errors through a callback that must not return; ours
// longjmps back into DecodeJpeg, which then throws. Every C++ object of
// DecodeJpeg is created before setjmp, and none is created between setjmp and
// the libjpeg calls, so the jump skips no destructor.
// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>
// After jpeglib.h: the error codes and the macros that raise them.
#include <jerror.h>

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>

#include "framework/exceptions.hpp"
#include "framework/picture/picture.hpp"
#include "framework/picture/picture_internal.hpp"
#include "framework/streams.hpp"

namespace kiv {
namespace {

// More scans than any encoder writes; progressive files with endless scans
// would otherwise take endless time.
constexpr int kMaxScans = 1000;
constexpr int kMaxWarningsKept = 4;

struct TJpegErrors {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  char warnings[kMaxWarningsKept][JMSG_LENGTH_MAX];
  int warnings_kept;
  long warning_count;
};

void OnError(j_common_ptr cinfo) {
  auto* e = reinterpret_cast<TJpegErrors*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, e->message);
  std::longjmp(e->jump, 1);
}

void OnMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;  // trace messages
  auto* e = reinterpret_cast<TJpegErrors*>(cinfo->err);
  ++cinfo->err->num_warnings;
  ++e->warning_count;
  if (e->warnings_kept < kMaxWarningsKept)
    (*cinfo->err->format_message)(cinfo, e->warnings[e->warnings_kept++]);
}

void OnOutput(j_common_ptr) {}

void OnProgress(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (d->input_scan_number > kMaxScans) {
    auto* e = reinterpret_cast<TJpegErrors*>(cinfo->err);
    std::snprintf(e->message, sizeof e->message, "more than %d scans", kMaxScans);
    std::longjmp(e->jump, 1);
  }
}

const char* ColorSpaceName(J_COLOR_SPACE space) {
  switch (space) {
    case JCS_GRAYSCALE:
      return "grayscale";
    case JCS_RGB:
      return "RGB";
    case JCS_YCbCr:
      return "YCbCr";
    case JCS_CMYK:
      return "CMYK";
    case JCS_YCCK:
      return "YCCK";
    default:
      return "unknown";
  }
}

inline uint8_t CmykChannel(unsigned c, unsigned k) {
  // floor(c * k / 255 + 0.5) in integers.
  return static_cast<uint8_t>((2 * c * k + 255) / 510);
}

// The bytes of a stream handed to libjpeg a chunk at a time through one
// buffer, as libjpeg's own file source does: the file is never held whole.
// The end of the stream is an end-of-image marker with libjpeg's warning, as
// the memory source makes it, so both sources give the same pixels. A stream
// that fails leaves its exception here and libjpeg is left by the error jump
// (an exception must not cross libjpeg's C frames).
constexpr size_t kStreamChunk = size_t{64} << 10;

struct TStreamSource {
  jpeg_source_mgr mgr;
  TStream* stream;
  std::jmp_buf* jump;
  std::vector<JOCTET> buffer;
  std::exception_ptr failure;
  bool start_of_file;
};

void InitStreamSource(j_decompress_ptr cinfo) {
  reinterpret_cast<TStreamSource*>(cinfo->src)->start_of_file = true;
}

boolean FillFromStream(j_decompress_ptr cinfo) {
  auto* src = reinterpret_cast<TStreamSource*>(cinfo->src);
  int64_t n = 0;
  try {
    n = src->stream->Read(src->buffer.data(), int64_t(src->buffer.size()));
  } catch (...) {
    src->failure = std::current_exception();
  }
  if (src->failure) std::longjmp(*src->jump, 1);
  if (n <= 0) {
    if (src->start_of_file) ERREXIT(cinfo, JERR_INPUT_EMPTY);
    WARNMS(cinfo, JWRN_JPEG_EOF);
    src->buffer[0] = 0xFF;
    src->buffer[1] = JPEG_EOI;
    n = 2;
  }
  src->mgr.next_input_byte = src->buffer.data();
  src->mgr.bytes_in_buffer = size_t(n);
  src->start_of_file = false;
  return TRUE;
}

void SkipInStream(j_decompress_ptr cinfo, long count) {
  auto* src = reinterpret_cast<TStreamSource*>(cinfo->src);
  if (count <= 0) return;
  while (size_t(count) > src->mgr.bytes_in_buffer) {
    count -= long(src->mgr.bytes_in_buffer);
    FillFromStream(cinfo);
  }
  src->mgr.next_input_byte += count;
  src->mgr.bytes_in_buffer -= size_t(count);
}

void TermStreamSource(j_decompress_ptr) {}

// Where the bytes come from: memory, or a stream when `stream` is set.
struct TJpegInput {
  const uint8_t* data = nullptr;
  size_t size = 0;
  TStream* stream = nullptr;
};

TDecodedPicture Decode(const TJpegInput& input, const TPixelTarget& target,
                       const TDecodeLimits& limits) {
  TDecodedPicture result;
  TkivPixel* pixels = nullptr;
  size_t size = input.size;
  std::vector<uint8_t> cmyk_row;
  jpeg_decompress_struct cinfo;
  jpeg_progress_mgr progress;
  TJpegErrors errors;
  TStreamSource stream_source{};
  std::memset(&cinfo, 0, sizeof cinfo);
  std::memset(&errors, 0, sizeof errors);
  if (input.stream) stream_source.buffer.resize(kStreamChunk);

  cinfo.err = jpeg_std_error(&errors.mgr);
  errors.mgr.error_exit = OnError;
  errors.mgr.emit_message = OnMessage;
  errors.mgr.output_message = OnOutput;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    if (stream_source.failure) std::rethrow_exception(stream_source.failure);
    throw EInvalidGraphic(std::string("Invalid JPEG: ") + errors.message);
  }
  jpeg_create_decompress(&cinfo);
  progress.progress_monitor = OnProgress;
  cinfo.progress = &progress;
  // No backing store exists, so libjpeg refuses what would need more memory
  // than this (a whole-image coefficient buffer of a progressive file).
  cinfo.mem->max_memory_to_use = static_cast<long>(
      std::min<uint64_t>(limits.MaxFramePixels * 8 + (uint64_t(64) << 20), uint64_t(LONG_MAX)));
  if (input.stream) {
    stream_source.mgr.init_source = InitStreamSource;
    stream_source.mgr.fill_input_buffer = FillFromStream;
    stream_source.mgr.skip_input_data = SkipInStream;
    stream_source.mgr.resync_to_restart = jpeg_resync_to_restart;
    stream_source.mgr.term_source = TermStreamSource;
    stream_source.stream = input.stream;
    stream_source.jump = &errors.jump;
    cinfo.src = &stream_source.mgr;
  } else {
    if (size > ULONG_MAX) size = ULONG_MAX;
    jpeg_mem_src(&cinfo, input.data, static_cast<unsigned long>(size));
  }
  jpeg_read_header(&cinfo, TRUE);

  const J_COLOR_SPACE source = cinfo.jpeg_color_space;
  const bool cmyk = source == JCS_CMYK || source == JCS_YCCK;
  if (uint64_t(cinfo.image_width) * cinfo.image_height > limits.MaxFramePixels ||
      cinfo.image_width == 0 || cinfo.image_height == 0) {
    const uint64_t w = cinfo.image_width, h = cinfo.image_height;
    jpeg_destroy_decompress(&cinfo);
    picture_detail::CheckFrameSize("JPEG", w, h, limits);
  }
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
  jpeg_start_decompress(&cinfo);

  const uint32_t width = cinfo.output_width, height = cinfo.output_height;
  // The memory is the caller's or the frame's; whatever throws here (no
  // memory) must still let go of libjpeg's.
  try {
    result.Frames.resize(1);
    if (target) {
      pixels = target(int32_t(width), int32_t(height));
      if (pixels == nullptr) throw std::bad_alloc();
    } else {
      result.Frames[0].Pixels.resize(size_t(width) * height);
      pixels = result.Frames[0].Pixels.data();
    }
    if (cmyk) cmyk_row.resize(size_t(width) * 4);
  } catch (...) {
    jpeg_destroy_decompress(&cinfo);
    throw;
  }
  while (cinfo.output_scanline < height) {
    TkivPixel* dst = pixels + size_t(cinfo.output_scanline) * width;
    JSAMPROW row = cmyk ? cmyk_row.data() : reinterpret_cast<JSAMPROW>(dst);
    jpeg_read_scanlines(&cinfo, &row, 1);
    if (cmyk) {
      const uint8_t* s = cmyk_row.data();
      for (uint32_t x = 0; x < width; ++x, s += 4)
        dst[x] = 0xFF000000u | uint32_t(CmykChannel(s[0], s[3])) << 16 |
                 uint32_t(CmykChannel(s[1], s[3])) << 8 | CmykChannel(s[2], s[3]);
    }
  }
  jpeg_finish_decompress(&cinfo);

  result.Format = TPictureFormat::pfJpeg;
  result.Width = int32_t(width);
  result.Height = int32_t(height);
  result.BitsPerSample = cinfo.data_precision;
  result.ColorSpace = ColorSpaceName(source);
  result.Details = std::string("JPEG, ") + ColorSpaceName(source) + ", " +
                   std::to_string(cinfo.num_components) + " component(s), " +
                   (cinfo.progressive_mode ? "progressive" : "sequential") +
                   (cinfo.arith_code ? ", arithmetic coding" : ", Huffman coding") +
                   (cinfo.saw_Adobe_marker ? ", Adobe marker" : "");
  for (int i = 0; i < errors.warnings_kept; ++i)
    result.Warnings.push_back(std::string(errors.warnings[i]));
  if (errors.warning_count > errors.warnings_kept)
    result.Warnings.push_back(std::to_string(errors.warning_count - errors.warnings_kept) +
                              " more warning(s)");
  jpeg_destroy_decompress(&cinfo);
  result.Frames[0].DelayMs = 0;
  return result;
}

}  // namespace

TDecodedPicture DecodeJpeg(const uint8_t* data, size_t size, const TDecodeLimits& limits) {
  return Decode(TJpegInput{data, size, nullptr}, TPixelTarget(), limits);
}

TDecodedPicture DecodeJpegInto(const uint8_t* data, size_t size, const TPixelTarget& target,
                               const TDecodeLimits& limits) {
  return Decode(TJpegInput{data, size, nullptr}, target, limits);
}

TDecodedPicture DecodeJpegInto(TStream& stream, const TPixelTarget& target,
                               const TDecodeLimits& limits) {
  return Decode(TJpegInput{nullptr, 0, &stream}, target, limits);
}

}  // namespace kiv
