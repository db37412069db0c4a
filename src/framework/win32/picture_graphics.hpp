#pragma once
// Graphics over the portable picture decoders: JPEG and GIF pictures held as
// decoded frames and drawn from a 32-bit DIB section, the GIF one playing its
// animation on a framework timer; and BMP files read by the project's own BMP
// decoder into a framework bitmap. TPicture knows them by extension: "jpg",
// "jpeg", "gif" and "bmp".
#include <windows.h>

#include <memory>

#include "framework/picture/animation_timeline.hpp"
#include "framework/picture/picture.hpp"
#include "framework/win32/bitmap.hpp"
#include "framework/win32/dib_section.hpp"
#include "framework/win32/graphic.hpp"
#include "framework/win32/timer.hpp"

namespace kiv {

// A decoded picture shown one frame at a time. Pictures with transparent
// pixels are drawn with their alpha, so whatever lies beneath (the control's
// background) shows through; the others are copied.
class TDecodedImage : public TGraphic {
 public:
  TDecodedImage();
  ~TDecodedImage() override;

  bool Empty() const override { return picture_ == nullptr; }
  int Width() const override { return picture_ ? picture_->Width : 0; }
  int Height() const override { return picture_ ? picture_->Height : 0; }
  bool Transparent() const override;
  void Draw(TCanvas* canvas, const TRect& r) override;
  // Decodes the bytes; a refusal is the decoder's EInvalidGraphic and leaves
  // the graphic as it was.
  void LoadFromBytes(const uint8_t* data, size_t size) override;
  void LoadFromFile(const std::string& file_name) override;
  void LoadFromFile(const std::wstring& file_name) override;
  void Assign(const TGraphic& source) override;

  const TDecodedPicture* Decoded() const { return picture_.get(); }
  int FrameCount() const { return picture_ ? static_cast<int>(picture_->Frames.size()) : 0; }
  int Frame() const { return frame_; }
  // Shows frame `index` (clamped to the frames there are) and tells OnChange.
  void SetFrame(int index);

 protected:
  virtual TPictureFormat Format() const = 0;
  // Called once a new picture is in place (frame 0 shown).
  virtual void PictureLoaded() {}

 private:
  template <class Decode>
  void LoadJpegIntoSection(Decode decode);
  // Shows the picture from `filled` when given (the DIB it was decoded into),
  // else from a new DIB with frame 0 copied in.
  void SetPicture(std::shared_ptr<const TDecodedPicture> picture, TDibSection filled = {});
  size_t PixelCount() const;
  void FreeSurface();
  void CopyFrame(int index);
  std::shared_ptr<const TDecodedPicture> picture_;
  int frame_ = 0;
  TDibSection dib_;
  uint32_t* bits_ = nullptr;
};

// JPEG pictures (libjpeg), decoded at full size.
class TJPEGImage : public TDecodedImage {
 public:
  std::unique_ptr<TGraphic> NewEmpty() const override { return std::make_unique<TJPEGImage>(); }

 protected:
  TPictureFormat Format() const override { return TPictureFormat::pfJpeg; }
};

// GIF pictures (giflib), every frame composited on the logical screen. An
// animated one plays in the background: each frame stays for its delay (0
// counts as 10 hundredths, under 3 as 3, a hundredth lasting 12 ms) and the
// frames repeat as the looping block says (0 for ever, N plays in all, no
// block: once); then the last frame stays. Every frame change fires OnChange.
class TGIFImage : public TDecodedImage {
 public:
  TGIFImage();
  ~TGIFImage() override;
  std::unique_ptr<TGraphic> NewEmpty() const override { return std::make_unique<TGIFImage>(); }

  bool Animating() const;
  // Passes through the frames finished so far.
  int PlaysDone() const { return plays_done_; }
  // How long the current frame stays, in milliseconds (0 when not animating).
  unsigned CurrentDelay() const;
  // What the timer does: the next frame, or the end of the animation.
  void Step();

 protected:
  TPictureFormat Format() const override { return TPictureFormat::pfGif; }
  void PictureLoaded() override;

 private:
  void Schedule();
  std::unique_ptr<TTimer> timer_;
  int plays_done_ = 0;
  bool animating_ = false;
};

// BMP files decoded by the project's BMP reader (every header version, bit
// fields with alpha, RLE 4/8/24, embedded JPEG) into a 32-bit framework
// bitmap, shown as stored.
class TBmpImage : public TBitmap {
 public:
  void LoadFromBytes(const uint8_t* data, size_t size) override;
  std::unique_ptr<TGraphic> NewEmpty() const override { return std::make_unique<TBmpImage>(); }
};

}  // namespace kiv
