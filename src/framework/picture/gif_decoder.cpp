// GIF through giflib, read block by block so that every size is checked before
// anything is allocated. Each frame is drawn onto the logical screen (clipped
// to it, de-interlaced, with its own or the global palette and its
// transparency index) and the screen is kept as that frame's picture; then the
// frame's disposal applies: 0 and 1 keep it, 2 clears its rectangle to
// transparent, 3 restores the screen as it was before the frame. The screen
// starts transparent, so the window background shows through pixels no frame
// has painted; the stored background colour is not used.
//
// Frames whose LZW minimum code size is 9 to 11 (pixel values wider than a
// byte, which giflib refuses) are decoded by our own LZW reader; their values
// past the palette are black, as in any frame.
//
// Damage after at least one whole frame keeps the frames decoded so far (and
// says so in Warnings); damage before that refuses the file.
#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>

#include "framework/exceptions.hpp"
#include "framework/picture/gif_lzw.hpp"
#include "framework/picture/picture.hpp"
#include "framework/picture/picture_internal.hpp"

namespace kiv {
namespace {

[[noreturn]] void Fail(const std::string& what) {
  throw EInvalidGraphic("Invalid GIF: " + what);
}

struct TMemoryReader {
  const uint8_t* data;
  size_t left;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int count) {
  auto* r = static_cast<TMemoryReader*>(gif->UserData);
  if (count <= 0) return 0;
  size_t n = std::min(r->left, size_t(count));
  std::memcpy(buffer, r->data, n);
  r->data += n;
  r->left -= n;
  return int(n);
}

// giflib's reason for a failure; its code is 0 in some failures, and a read
// failure from memory always means the data ended early.
std::string Reason(int code, const TMemoryReader& reader) {
  if (code == D_GIF_ERR_READ_FAILED ||
      (reader.left == 0 &&
       (code == 0 || code == D_GIF_ERR_NO_SCRN_DSCR || code == D_GIF_ERR_NO_IMAG_DSCR)))
    return "the data ends too early";
  if (code == 0) return "the data is damaged";
  const char* text = GifErrorString(code);
  return text ? std::string(text) : "giflib error " + std::to_string(code);
}

class TGifCloser {
 public:
  explicit TGifCloser(GifFileType* gif) : gif_(gif) {}
  ~TGifCloser() {
    int error = 0;
    DGifCloseFile(gif_, &error);
  }
  TGifCloser(const TGifCloser&) = delete;
  TGifCloser& operator=(const TGifCloser&) = delete;

 private:
  GifFileType* gif_;
};

// Rows of an interlaced frame in the order they are stored.
std::vector<int> InterlacedRows(int height) {
  std::vector<int> rows;
  rows.reserve(size_t(height));
  const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int y = start[pass]; y < height; y += step[pass]) rows.push_back(y);
  return rows;
}

// Draws one row of frame pixels onto the screen row `dst` from column `x0`,
// clipped to the screen's width; the transparent index leaves the screen as it is.
template <class TIndex>
void DrawRow(const TIndex* line, int64_t x0, int frame_width, int screen_width,
             const std::array<TkivPixel, 256>& palette, int transparent, TkivPixel* dst) {
  const int64_t x1 = std::min<int64_t>(x0 + frame_width, screen_width);
  for (int64_t x = std::max<int64_t>(x0, 0); x < x1; ++x) {
    const int v = line[size_t(x - x0)];
    if (v == transparent) continue;
    dst[x] = v < 256 ? palette[size_t(v)] : 0xFF000000u;
  }
}

// The minimum code size of a frame giflib refused, when that is why: the
// descriptor (9 bytes and its palette) was read from `start` and the reader
// stopped just past the code size byte, which is above 8. 0 otherwise.
int WideCodeSize(const uint8_t* start, size_t left, const TMemoryReader& reader) {
  if (left < 10) return 0;
  const uint8_t flags = start[8];
  const size_t at = 9 + ((flags & 0x80) ? size_t(3) << ((flags & 7) + 1) : 0);
  if (at >= left || left - reader.left != at + 1 || start[at] <= 8) return 0;
  return start[at];
}

struct TControl {
  int disposal = 0;
  int delay = 0;
  int transparent = -1;
};

}  // namespace

TDecodedPicture DecodeGif(const uint8_t* data, size_t size, const TDecodeLimits& limits) {
  if (size < 6 || std::memcmp(data, "GIF", 3) != 0)
    Fail("the data does not start with \"GIF87a\" or \"GIF89a\"");
  TMemoryReader reader{data, size};
  int error = 0;
  GifFileType* gif = DGifOpen(&reader, ReadFromMemory, &error);
  if (!gif) {
    if (error == D_GIF_ERR_NOT_GIF_FILE)
      Fail("the data does not start with \"GIF87a\" or \"GIF89a\"");
    Fail("the header cannot be read: " + Reason(error, reader));
  }
  TGifCloser closer(gif);

  const int width = gif->SWidth, height = gif->SHeight;
  picture_detail::CheckFrameSize("GIF", uint64_t(width), uint64_t(height), limits);
  const uint64_t screen_pixels = uint64_t(width) * uint64_t(height);

  TDecodedPicture result;
  result.Format = TPictureFormat::pfGif;
  result.Width = width;
  result.Height = height;
  result.ColorSpace = "palette";
  result.BitsPerSample = gif->SColorMap ? gif->SColorMap->BitsPerPixel : 8;

  TPixelBuffer canvas(size_t(screen_pixels), 0);
  TPixelBuffer saved;
  std::vector<GifPixelType> line;
  std::vector<uint16_t> wide_line;
  std::vector<int> rows;
  TControl control;
  int interlaced_frames = 0, frames_without_palette = 0;
  bool trailer = false;
  std::string damage;  // why reading stopped early, when it did

  auto stop = [&](const std::string& what) {
    if (result.Frames.empty()) Fail(what);
    damage = what;
  };

  while (damage.empty() && !trailer) {
    if (reader.left == 0) break;  // the data ends between blocks: no trailer
    GifRecordType type;
    if (DGifGetRecordType(gif, &type) == GIF_ERROR) {
      stop("the block after frame " + std::to_string(result.Frames.size()) +
           " cannot be read: " + Reason(gif->Error, reader));
      break;
    }
    if (type == TERMINATE_RECORD_TYPE) {
      trailer = true;
    } else if (type == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* ext = nullptr;
      if (DGifGetExtension(gif, &code, &ext) == GIF_ERROR) {
        stop("an extension block after frame " + std::to_string(result.Frames.size()) +
             " cannot be read: " + Reason(gif->Error, reader));
        break;
      }
      if (code == GRAPHICS_EXT_FUNC_CODE && ext && ext[0] >= 4) {
        control.disposal = (ext[1] >> 2) & 7;
        control.delay = ext[2] | ext[3] << 8;
        control.transparent = (ext[1] & 1) ? ext[4] : -1;
      }
      bool looping = code == APPLICATION_EXT_FUNC_CODE && ext && ext[0] == 11 &&
                     (std::memcmp(ext + 1, "NETSCAPE2.0", 11) == 0 ||
                      std::memcmp(ext + 1, "ANIMEXTS1.0", 11) == 0);
      while (ext) {
        if (DGifGetExtensionNext(gif, &ext) == GIF_ERROR) {
          stop("an extension block after frame " + std::to_string(result.Frames.size()) +
               " cannot be read: " + Reason(gif->Error, reader));
          break;
        }
        // The looping sub-block: id 1 and a 16-bit count. The first looping
        // block of the file counts.
        if (looping && ext && ext[0] >= 3 && ext[1] == 1 && !result.HasLoopBlock) {
          result.HasLoopBlock = true;
          result.LoopCount = ext[2] | ext[3] << 8;
        }
        looping = false;
      }
    } else if (type == IMAGE_DESC_RECORD_TYPE) {
      const int index = int(result.Frames.size()) + 1;
      const std::string name = "frame " + std::to_string(index);
      const uint8_t* desc_start = reader.data;
      const size_t desc_left = reader.left;
      int wide_code_size = 0;
      if (DGifGetImageDesc(gif) == GIF_ERROR) {
        wide_code_size = WideCodeSize(desc_start, desc_left, reader);
        if (wide_code_size > kGifMaxMinCodeSize) {
          stop("the LZW minimum code size of " + name + " is " + std::to_string(wide_code_size) +
               "; GIF's 12-bit codes allow at most " + std::to_string(kGifMaxMinCodeSize));
          break;
        }
        if (wide_code_size == 0) {
          stop("the descriptor of " + name + " cannot be read: " + Reason(gif->Error, reader));
          break;
        }
      }
      // Our own reader for the pixel data giflib does not take; the reader
      // of the file moves on past that data once the frame is done.
      std::unique_ptr<TGifLzwReader> wide;
      if (wide_code_size > 0)
        wide = std::make_unique<TGifLzwReader>(wide_code_size, reader.data, reader.left);
      auto finish_wide = [&] {
        wide->SkipRest();
        reader.data += wide->Consumed();
        reader.left -= wide->Consumed();
      };
      const GifImageDesc& d = gif->Image;
      const uint64_t frame_pixels = uint64_t(d.Width) * uint64_t(d.Height);
      if (frame_pixels > limits.MaxFramePixels) {
        stop(name + " is " + std::to_string(d.Width) + " x " + std::to_string(d.Height) +
             " pixels, more than the limit of " + std::to_string(limits.MaxFramePixels));
        break;
      }
      if ((result.Frames.size() + 1) * screen_pixels > limits.MaxTotalPixels) {
        stop("the frames from " + name + " on exceed the limit of " +
             std::to_string(limits.MaxTotalPixels) + " pixels for all frames");
        break;
      }
      const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
      if (!map) ++frames_without_palette;
      // Indices past the palette, and every index when there is no palette, are opaque black.
      std::array<TkivPixel, 256> palette;
      palette.fill(0xFF000000u);
      for (int i = 0; map && i < std::min(map->ColorCount, 256); ++i) {
        const GifColorType& c = map->Colors[i];
        palette[size_t(i)] = 0xFF000000u | uint32_t(c.Red) << 16 | uint32_t(c.Green) << 8 | c.Blue;
      }
      if (d.Interlace) ++interlaced_frames;
      if (control.disposal == 3) saved = canvas;

      if ((d.Width == 0 || d.Height == 0) && wide) {
        finish_wide();
      } else if (d.Width == 0 || d.Height == 0) {
        // Nothing to draw; skip the (empty) pixel data.
        int code_size = 0;
        GifByteType* block = nullptr;
        bool ok = DGifGetCode(gif, &code_size, &block) != GIF_ERROR;
        while (ok && block) ok = DGifGetCodeNext(gif, &block) != GIF_ERROR;
        if (!ok) {
          stop("the pixel data of " + name + " cannot be read: " + Reason(gif->Error, reader));
          break;
        }
      } else {
        if (wide)
          wide_line.resize(size_t(d.Width));
        else
          line.resize(size_t(d.Width));
        rows.clear();
        if (d.Interlace) rows = InterlacedRows(d.Height);
        bool ok = true;
        for (int i = 0; i < d.Height; ++i) {
          const bool read = wide ? wide->ReadPixels(wide_line.data(), size_t(d.Width))
                                 : DGifGetLine(gif, line.data(), d.Width) != GIF_ERROR;
          if (!read) {
            stop("the pixel data of " + name + " is damaged at row " + std::to_string(i + 1) +
                 " of " + std::to_string(d.Height) + ": " +
                 (wide ? wide->Error() : Reason(gif->Error, reader)));
            ok = false;
            break;
          }
          const int64_t y = int64_t(d.Top) + (d.Interlace ? rows[size_t(i)] : i);
          if (y < 0 || y >= height) continue;
          TkivPixel* dst = canvas.data() + size_t(y) * size_t(width);
          if (wide)
            DrawRow(wide_line.data(), d.Left, d.Width, width, palette, control.transparent, dst);
          else
            DrawRow(line.data(), d.Left, d.Width, width, palette, control.transparent, dst);
        }
        if (!ok) break;
        if (wide) finish_wide();
      }

      TPictureFrame frame;
      frame.Pixels = canvas;
      frame.StoredDelay = control.delay;
      frame.DelayMs = ViewerDelayMs(control.delay);
      result.Frames.push_back(std::move(frame));

      if (control.disposal == 2) {
        const int64_t x0 = std::max<int64_t>(d.Left, 0), y0 = std::max<int64_t>(d.Top, 0);
        const int64_t x1 = std::min<int64_t>(int64_t(d.Left) + d.Width, width);
        const int64_t y1 = std::min<int64_t>(int64_t(d.Top) + d.Height, height);
        // A frame wholly outside the screen clears nothing (x0 may lie past x1).
        for (int64_t y = y0; x0 < x1 && y < y1; ++y)
          std::fill(canvas.begin() + y * width + x0, canvas.begin() + y * width + x1, 0);
      } else if (control.disposal == 3) {
        canvas = saved;
      }
      control = TControl{};
    } else {
      stop("an unknown block type follows frame " + std::to_string(result.Frames.size()));
    }
  }

  if (result.Frames.empty()) Fail("the file holds no picture");
  if (!damage.empty())
    result.Warnings.push_back(damage + "; the " + std::to_string(result.Frames.size()) +
                              " frame(s) before it are shown");
  else if (!trailer)
    result.Warnings.push_back("the file ends without its trailer");
  if (frames_without_palette > 0)
    result.Warnings.push_back(std::to_string(frames_without_palette) +
                              " frame(s) have no palette and are drawn black");

  result.Details = std::string(reinterpret_cast<const char*>(data), 6) + ", logical screen " +
                   std::to_string(width) + " x " + std::to_string(height) + ", " +
                   (gif->SColorMap ? "global palette of " +
                                         std::to_string(gif->SColorMap->ColorCount) + " colours"
                                   : std::string("no global palette"));
  if (interlaced_frames)
    result.Details += ", " + std::to_string(interlaced_frames) + " interlaced frame(s)";
  result.Transparent = picture_detail::AnyTransparent(result);
  return result;
}

}  // namespace kiv
