// kivpic: tells what the viewer's picture decoders make of a file.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "framework/exceptions.hpp"
#include "framework/picture/animation_timeline.hpp"
#include "framework/picture/picture.hpp"
#include "framework/picture/png_writer.hpp"

namespace {

const char kHelp[] =
    "Usage: kivpic [--png PREFIX] [--format bmp|gif|jpeg] FILE\n"
    "\n"
    "Decodes FILE as the viewer does (the decoder is chosen by the file's extension,\n"
    "by its content when the extension is none of jpg, jpeg, gif, bmp, or by\n"
    "--format) and prints one fact per line, \"key: value\", in this order:\n"
    "\n"
    "  file: FILE\n"
    "  format: BMP | GIF | JPEG\n"
    "  size: WIDTH x HEIGHT\n"
    "  bits: BITS            (JPEG: bits per sample; BMP: bits per pixel; GIF: palette bits)\n"
    "  colorspace: NAME      (palette, RGB, RGBA, grayscale, YCbCr, CMYK, YCCK)\n"
    "  details: TEXT         (header kind, compression, palette, ...)\n"
    "  transparent: yes | no (some pixel is not fully opaque)\n"
    "  frames: N\n"
    "  loop: none | COUNT    (GIF looping block: none, or the count it stores, 0 = for ever)\n"
    "  plays: forever | N    (how many times the viewer plays the frames)\n"
    "  duration: forever | MS (total playing time in milliseconds, 0 for a still picture)\n"
    "  frame I: delay MS ms (stored HUNDREDTHS)   one line per frame, I from 1\n"
    "  warning: TEXT         one line per repaired damage, if any\n"
    "\n"
    "With --png PREFIX, frame I is also written as PREFIX-I.png (RGBA, the whole\n"
    "picture as the viewer shows it at that frame; transparent pixels have alpha 0)\n"
    "and a line \"wrote: PATH\" follows for each.\n"
    "\n"
    "When the file cannot be decoded, prints \"error: MESSAGE\" with the decoder's\n"
    "message and exits with status 1. Wrong usage exits with status 2.\n";

}  // namespace

int main(int argc, char** argv) {
  std::string png_prefix, file;
  kiv::TPictureFormat forced = kiv::TPictureFormat::pfUnknown;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kHelp, stdout);
      return 0;
    } else if (arg == "--png" && i + 1 < argc) {
      png_prefix = argv[++i];
    } else if (arg == "--format" && i + 1 < argc) {
      std::string f = argv[++i];
      forced = kiv::PictureFormatFromFileName("x." + f);
      if (forced == kiv::TPictureFormat::pfUnknown) {
        std::fprintf(stderr, "kivpic: unknown format \"%s\"\n", f.c_str());
        return 2;
      }
    } else if (file.empty() && (arg.empty() || arg[0] != '-')) {
      file = arg;
    } else {
      std::fputs(kHelp, stderr);
      return 2;
    }
  }
  if (file.empty()) {
    std::fputs(kHelp, stderr);
    return 2;
  }

  std::printf("file: %s\n", file.c_str());
  kiv::TDecodedPicture pic;
  try {
    std::vector<uint8_t> bytes = kiv::ReadPictureFile(file);
    kiv::TPictureFormat format =
        forced != kiv::TPictureFormat::pfUnknown ? forced : kiv::PictureFormatFromFileName(file);
    pic = kiv::DecodePicture(bytes.data(), bytes.size(), format);
  } catch (const std::exception& e) {
    std::printf("error: %s\n", e.what());
    return 1;
  }

  const kiv::TAnimationTimeline timeline = kiv::TAnimationTimeline::ForPicture(pic);
  std::printf("format: %s\n", kiv::PictureFormatName(pic.Format));
  std::printf("size: %d x %d\n", pic.Width, pic.Height);
  std::printf("bits: %d\n", pic.BitsPerSample);
  std::printf("colorspace: %s\n", pic.ColorSpace.c_str());
  std::printf("details: %s\n", pic.Details.c_str());
  std::printf("transparent: %s\n", pic.Transparent ? "yes" : "no");
  std::printf("frames: %zu\n", pic.Frames.size());
  if (pic.HasLoopBlock)
    std::printf("loop: %d\n", pic.LoopCount);
  else
    std::printf("loop: none\n");
  if (pic.Plays() == 0)
    std::printf("plays: forever\n");
  else
    std::printf("plays: %d\n", pic.Plays());
  if (timeline.DurationMs() < 0)
    std::printf("duration: forever\n");
  else
    std::printf("duration: %lld\n", static_cast<long long>(timeline.DurationMs()));
  for (size_t i = 0; i < pic.Frames.size(); ++i)
    std::printf("frame %zu: delay %d ms (stored %d)\n", i + 1, pic.Frames[i].DelayMs,
                pic.Frames[i].StoredDelay);
  for (const std::string& w : pic.Warnings) std::printf("warning: %s\n", w.c_str());

  if (!png_prefix.empty()) {
    for (size_t i = 0; i < pic.Frames.size(); ++i) {
      std::string path = png_prefix + "-" + std::to_string(i + 1) + ".png";
      if (!kiv::WritePngRgba(path, pic.Frames[i].Pixels.data(), pic.Width, pic.Height)) {
        std::fprintf(stderr, "kivpic: cannot write %s\n", path.c_str());
        return 1;
      }
      std::printf("wrote: %s\n", path.c_str());
    }
  }
  return 0;
}
