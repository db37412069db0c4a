#pragma once
// Picture decoding: JPEG (libjpeg), GIF (giflib, every frame composited onto
// the logical screen) and Windows BMP (our own reader). Each decoder turns a
// byte buffer into 32-bit pixels 0xAARRGGBB, rows top-down, straight (not
// premultiplied) alpha, plus what the file says about them. Every refusal is
// an EInvalidGraphic whose message says what is wrong with the file.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/large_blocks.hpp"
#include "framework/types.hpp"

namespace kiv {

class TStream;

enum class TPictureFormat { pfUnknown, pfBmp, pfGif, pfJpeg, pfPng };

// "BMP", "GIF", "JPEG", "PNG" ("unknown" for pfUnknown).
const char* PictureFormatName(TPictureFormat format);

// Allocates large blocks through AllocateLargeBlock (large pages where the
// system gives them) and leaves elements made without a value uninitialised:
// each decoder writes every pixel of a frame, so a 48 MB picture is not
// cleared first for nothing.
template <class T>
struct TUninitialisedAllocator : std::allocator<T> {
  template <class U>
  struct rebind {
    using other = TUninitialisedAllocator<U>;
  };
  TUninitialisedAllocator() = default;
  template <class U>
  TUninitialisedAllocator(const TUninitialisedAllocator<U>&) noexcept {}
  T* allocate(size_t n) {
    if (n > SIZE_MAX / sizeof(T)) throw std::bad_array_new_length();
    return static_cast<T*>(AllocateLargeBlock(n * sizeof(T)));
  }
  void deallocate(T* p, size_t n) noexcept { FreeLargeBlock(p, n * sizeof(T)); }
  template <class U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

// Pixels of one frame; resize() leaves new pixels undefined, assign() and the
// (count, value) constructor fill them.
using TPixelBuffer = std::vector<TkivPixel, TUninitialisedAllocator<TkivPixel>>;

// One picture as the viewer shows it at one moment: the whole logical screen.
struct TPictureFrame {
  TPixelBuffer Pixels;  // Width * Height pixels, top-down rows (none: see TPixelTarget)
  int StoredDelay = 0;  // delay as stored, in hundredths of a second (GIF)
  int DelayMs = 0;      // how long the viewer shows this frame
};

struct TDecodedPicture {
  TPictureFormat Format = TPictureFormat::pfUnknown;
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<TPictureFrame> Frames;  // at least one
  bool HasLoopBlock = false;          // GIF: a NETSCAPE2.0/ANIMEXTS1.0 looping block exists
  int LoopCount = 0;                  // GIF: as stored in the looping block (0 = for ever)
  bool Transparent = false;           // some pixel of some frame has alpha below 255
  int BitsPerSample = 8;              // JPEG data precision; BMP: bits per pixel
  std::string ColorSpace;             // "RGB", "grayscale", "YCbCr", "CMYK", "YCCK", "palette", ...
  std::string Details;                // one line for people: header kind, compression, ...
  std::vector<std::string> Warnings;  // damage the decoder repaired (truncation, bad frames)

  bool Animated() const { return Frames.size() > 1; }
  // How many times the viewer plays the frames: 0 for ever, else a count.
  int Plays() const { return HasLoopBlock ? LoopCount : 1; }
};

// Bounds that keep a hostile file from taking unbounded memory. A frame is at
// most 128 megapixels (512 MiB of pixels: more than any camera picture today
// and about the largest 32-bit DIB section a 64-bit process can count on); an
// animation keeps at most 256 megapixels of frames in all (1 GiB). Fuzzers and
// tests may lower them.
struct TDecodeLimits {
  uint64_t MaxFramePixels = uint64_t(128) << 20;
  uint64_t MaxTotalPixels = uint64_t(256) << 20;
};

// The viewer's delay for a stored GIF delay in hundredths of a second: 0 counts
// as 10, values under 3 count as 3, each hundredth lasts 12 milliseconds.
int ViewerDelayMs(int stored_hundredths);

TDecodedPicture DecodeBmp(const uint8_t* data, size_t size, const TDecodeLimits& limits = {});
TDecodedPicture DecodeGif(const uint8_t* data, size_t size, const TDecodeLimits& limits = {});
TDecodedPicture DecodeJpeg(const uint8_t* data, size_t size, const TDecodeLimits& limits = {});
// PNG (our own reader over zlib): every colour type and bit depth, tRNS
// transparency, no interlacing. Not among kPictureFileTypes: the viewer shows
// JPEG, GIF and BMP only; tools read skin artwork with it.
TDecodedPicture DecodePng(const uint8_t* data, size_t size, const TDecodeLimits& limits = {});

// Where a decoder may put the pixels of a one-frame picture instead of a
// buffer of its own: the memory that will be drawn, so that the picture is
// not copied once more. Called once, with the picture's size, after the
// header is accepted and before the first row; returns width * height pixels
// in top-down rows, which the decoder then writes completely (rows it cannot
// decode are filled as in its own buffer). Such a picture's frame has an
// empty Pixels. What the target allocates belongs to the caller, also when
// decoding fails afterwards.
using TPixelTarget = std::function<TkivPixel*(int32_t width, int32_t height)>;
TDecodedPicture DecodeJpegInto(const uint8_t* data, size_t size, const TPixelTarget& target,
                               const TDecodeLimits& limits = {});
// The same from the stream's position on, read a chunk at a time, so that the
// file is never held whole; what the stream throws is passed on as it is.
TDecodedPicture DecodeJpegInto(TStream& stream, const TPixelTarget& target,
                               const TDecodeLimits& limits = {});

// The decoder for a format; pfUnknown guesses the format from the content.
TDecodedPicture DecodePicture(const uint8_t* data, size_t size, TPictureFormat format,
                              const TDecodeLimits& limits = {});

// The file types the decoders read: extension (lower case, no dot), format,
// and the description file dialogs show. The one map from extensions to
// formats; the framework's picture registry is filled from it.
struct TPictureFileType {
  std::string_view Extension;
  TPictureFormat Format;
  std::string_view Description;
};
inline constexpr std::array<TPictureFileType, 4> kPictureFileTypes{{
    {"bmp", TPictureFormat::pfBmp, "Bitmaps"},
    {"jpg", TPictureFormat::pfJpeg, "JPEG pictures"},
    {"jpeg", TPictureFormat::pfJpeg, "JPEG pictures"},
    {"gif", TPictureFormat::pfGif, "GIF pictures"},
}};

// The extension of a file name, lower case, without the dot ("" for none; a
// dot in a folder name does not count).
std::string FileExtension(const std::string& file_name);
// Format by the file's extension through kPictureFileTypes, case-insensitive;
// pfUnknown for any other extension.
TPictureFormat PictureFormatFromFileName(const std::string& file_name);
// Format by the first bytes; pfUnknown when none matches.
TPictureFormat SniffPictureFormat(const uint8_t* data, size_t size);

// Reads a whole file (ReadFileBytes: at most 1 GiB; EFOpenError, EReadError).
std::vector<uint8_t> ReadPictureFile(const std::string& path);
// Reads a file and decodes it by its extension (by its content when the
// extension is none of the picture formats).
TDecodedPicture LoadPictureFile(const std::string& path, const TDecodeLimits& limits = {});

}  // namespace kiv
