#include "framework/win32/picture_graphics.hpp"

#include <algorithm>
#include <cstring>

#include "framework/exceptions.hpp"
#include "framework/large_blocks.hpp"
#include "framework/streams.hpp"
#include "framework/win32/picture_registry.hpp"

namespace kiv {

// ---------------------------------------------------------------------------
// TDecodedImage

TDecodedImage::TDecodedImage() = default;

TDecodedImage::~TDecodedImage() {
  FreeSurface();
}

bool TDecodedImage::Transparent() const {
  return TGraphic::Transparent() || (picture_ && picture_->Transparent);
}

void TDecodedImage::FreeSurface() {
  dib_.Reset();
  bits_ = nullptr;
}

// JPEG pictures are decoded straight into the section that is drawn: the
// picture is written once, and no second picture-sized block is touched.
template <class Decode>
void TDecodedImage::LoadJpegIntoSection(Decode decode) {
  TDibSection dib;
  TDecodedPicture decoded = decode([&dib](int32_t width, int32_t height) {
    dib = TDibSection(width, height, TDibSection::roTopDown);
    MapFreshPages(dib.Bits(), size_t(width) * size_t(height) * sizeof(TkivPixel));
    return static_cast<TkivPixel*>(dib.Bits());
  });
  SetPicture(std::make_shared<TDecodedPicture>(std::move(decoded)), std::move(dib));
}

void TDecodedImage::LoadFromBytes(const uint8_t* data, size_t size) {
  if (Format() == TPictureFormat::pfJpeg) {
    LoadJpegIntoSection(
        [&](const TPixelTarget& target) { return DecodeJpegInto(data, size, target); });
    return;
  }
  auto decoded = std::make_shared<TDecodedPicture>(DecodePicture(data, size, Format()));
  SetPicture(std::move(decoded));
}

// A JPEG file is read a chunk at a time as the decoder needs it (the whole
// file is never held); other files are read whole, as every graphic reads.
void TDecodedImage::LoadFromFile(const std::string& file_name) {
  if (Format() != TPictureFormat::pfJpeg) {
    TGraphic::LoadFromFile(file_name);
    return;
  }
  TFileStream file(file_name, fmOpenRead | fmShareDenyWrite);
  LoadJpegIntoSection([&](const TPixelTarget& target) { return DecodeJpegInto(file, target); });
}

void TDecodedImage::LoadFromFile(const std::wstring& file_name) {
  if (Format() != TPictureFormat::pfJpeg) {
    TGraphic::LoadFromFile(file_name);
    return;
  }
  TFileStream file(file_name, fmOpenRead | fmShareDenyWrite);
  LoadJpegIntoSection([&](const TPixelTarget& target) { return DecodeJpegInto(file, target); });
}

void TDecodedImage::Assign(const TGraphic& source) {
  if (&source == this) return;
  auto* other = dynamic_cast<const TDecodedImage*>(&source);
  if (!other || other->Format() != Format()) {
    TGraphic::Assign(source);
    return;
  }
  SetPicture(other->picture_);
  // A picture decoded into its section has its pixels only there.
  if (picture_ && picture_->Frames[0].Pixels.empty())
    std::memcpy(bits_, other->bits_, PixelCount() * sizeof(uint32_t));
}

void TDecodedImage::SetPicture(std::shared_ptr<const TDecodedPicture> picture, TDibSection filled) {
  FreeSurface();
  picture_ = nullptr;
  frame_ = 0;
  if (picture && picture->Width > 0 && picture->Height > 0 && !picture->Frames.empty()) {
    // Top-down, as the decoders deliver rows.
    dib_ = filled ? std::move(filled)
                  : TDibSection(picture->Width, picture->Height, TDibSection::roTopDown);
    dib_.DC();
    bits_ = static_cast<uint32_t*>(dib_.Bits());
    picture_ = std::move(picture);
    CopyFrame(0);
  }
  PictureLoaded();
  Changed();
}

size_t TDecodedImage::PixelCount() const {
  return static_cast<size_t>(picture_->Width) * static_cast<size_t>(picture_->Height);
}

// Transparent pictures go to the DIB premultiplied, as AlphaBlend takes them.
// A frame without pixels of its own was decoded into the DIB: nothing to copy.
void TDecodedImage::CopyFrame(int index) {
  const TPixelBuffer& px = picture_->Frames[static_cast<size_t>(index)].Pixels;
  size_t n = PixelCount();
  if (px.empty()) {
    // Nothing: the pixels are in the DIB already.
  } else if (!picture_->Transparent) {
    std::memcpy(bits_, px.data(), n * sizeof(uint32_t));
  } else {
    for (size_t i = 0; i < n; ++i) {
      uint32_t p = px[i];
      uint32_t a = p >> 24;
      if (a == 255) {
        bits_[i] = p;
      } else if (a == 0) {
        bits_[i] = 0;
      } else {
        auto mul = [a](uint32_t c) { return (c * a + 127) / 255; };
        bits_[i] = a << 24 | mul(p >> 16 & 0xFF) << 16 | mul(p >> 8 & 0xFF) << 8 | mul(p & 0xFF);
      }
    }
  }
  GdiFlush();
  frame_ = index;
}

void TDecodedImage::SetFrame(int index) {
  if (!picture_) return;
  index = std::clamp(index, 0, FrameCount() - 1);
  CopyFrame(index);
  Changed();
}

void TDecodedImage::Draw(TCanvas* canvas, const TRect& r) {
  if (!picture_ || r.Width() <= 0 || r.Height() <= 0) return;
  HDC dst = canvas->Handle();
  int w = picture_->Width, h = picture_->Height;
  if (Transparent()) {
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dst, r.Left, r.Top, r.Width(), r.Height(), dib_.DC(), 0, 0, w, h, blend);
  } else if (r.Width() == w && r.Height() == h) {
    BitBlt(dst, r.Left, r.Top, w, h, dib_.DC(), 0, 0, SRCCOPY);
  } else {
    int old = SetStretchBltMode(dst, COLORONCOLOR);
    StretchBlt(dst, r.Left, r.Top, r.Width(), r.Height(), dib_.DC(), 0, 0, w, h, SRCCOPY);
    SetStretchBltMode(dst, old);
  }
}

// ---------------------------------------------------------------------------
// TGIFImage

TGIFImage::TGIFImage() = default;

TGIFImage::~TGIFImage() = default;

bool TGIFImage::Animating() const {
  return animating_;
}

unsigned TGIFImage::CurrentDelay() const {
  if (!animating_) return 0;
  return static_cast<unsigned>(
      std::max(Decoded()->Frames[static_cast<size_t>(Frame())].DelayMs, 1));
}

void TGIFImage::PictureLoaded() {
  plays_done_ = 0;
  animating_ = Decoded() && Decoded()->Animated();
  Schedule();
}

void TGIFImage::Schedule() {
  if (!animating_) {
    if (timer_) timer_->SetEnabled(false);
    return;
  }
  if (!timer_) {
    timer_ = std::make_unique<TTimer>(nullptr);
    timer_->SetEnabled(false);
    timer_->OnTimer.Handler = [this](TObject*) { Step(); };
  }
  // A new interval restarts the platform timer: the frame stays its full delay.
  timer_->SetEnabled(false);
  timer_->SetInterval(CurrentDelay());
  timer_->SetEnabled(true);
}

void TGIFImage::Step() {
  if (!animating_) return;
  int next = Frame() + 1;
  if (next >= FrameCount()) {
    ++plays_done_;
    int plays = Decoded()->Plays();
    if (plays != 0 && plays_done_ >= plays) {
      // The last pass is over: its last frame stays.
      animating_ = false;
      Schedule();
      return;
    }
    next = 0;
  }
  SetFrame(next);
  Schedule();
}

// ---------------------------------------------------------------------------
// TBmpImage

void TBmpImage::LoadFromBytes(const uint8_t* data, size_t size) {
  LoadDecoded(DecodeBmp(data, size), false);
}

// ---------------------------------------------------------------------------
// Registration: every file type the decoders read, through the graphic of its
// format. BMP files go through the project's BMP reader, which knows more of
// them than GDI does; the result is still a framework bitmap.

namespace {

std::unique_ptr<TGraphic> NewGraphicFor(TPictureFormat format) {
  switch (format) {
    case TPictureFormat::pfJpeg:
      return std::make_unique<TJPEGImage>();
    case TPictureFormat::pfGif:
      return std::make_unique<TGIFImage>();
    default:
      return std::make_unique<TBmpImage>();
  }
}

const bool kRegistered = [] {
  for (const TPictureFileType& t : kPictureFileTypes)
    TPicture::RegisterFileFormat(std::string(t.Extension), std::string(t.Description),
                                 [format = t.Format] { return NewGraphicFor(format); });
  return true;
}();

}  // namespace

void LinkDecodedPictureFormats() {
  (void)kRegistered;
}

}  // namespace kiv
