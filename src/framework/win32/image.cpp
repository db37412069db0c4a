// TImage.
#include "framework/win32/image.hpp"

#include <algorithm>

namespace kiv {

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
  SetControlStyle(ControlStyle() | csReplicatable);
  SetBounds(0, 0, 105, 105);
  picture_->OnChange = [this](TPicture*) { PictureChanged(); };
}

TImage::~TImage() {
  picture_->OnChange = nullptr;
}

void TImage::PictureChanged() {
  TGraphic* g = picture_->Graphic();
  if (auto_size_ && g && g->Width() > 0 && g->Height() > 0)
    SetBounds(Left(), Top(), g->Width(), g->Height());
  // Opaque when the picture covers the whole control.
  uint32_t style = ControlStyle() & ~csOpaque;
  if (g && !g->Empty() && !transparent_ && !g->Transparent()) {
    TRect d = DestRect();
    if (d.Left <= 0 && d.Top <= 0 && d.Right >= Width() && d.Bottom >= Height()) style |= csOpaque;
  }
  SetControlStyle(style);
  Invalidate();
}

void TImage::SetAutoSize(bool value) {
  if (value == auto_size_) return;
  auto_size_ = value;
  PictureChanged();
}
void TImage::SetCenter(bool value) {
  if (value == center_) return;
  center_ = value;
  PictureChanged();
}
void TImage::SetStretch(bool value) {
  if (value == stretch_) return;
  stretch_ = value;
  PictureChanged();
}
void TImage::SetProportional(bool value) {
  if (value == proportional_) return;
  proportional_ = value;
  PictureChanged();
}
void TImage::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  if (picture_->Graphic()) picture_->Graphic()->SetTransparent(value);
  PictureChanged();
}

TRect TImage::DestRect() {
  int pw = picture_->Width(), ph = picture_->Height();
  int cw = Width(), ch = Height();
  int w = pw, h = ph;
  if (stretch_ || (proportional_ && (pw > cw || ph > ch))) {
    if (proportional_ && pw > 0 && ph > 0) {
      // Largest size of the picture's shape that fits.
      if (static_cast<int64_t>(cw) * ph <= static_cast<int64_t>(ch) * pw) {
        w = cw;
        h = static_cast<int>(static_cast<int64_t>(ph) * cw / pw);
      } else {
        h = ch;
        w = static_cast<int>(static_cast<int64_t>(pw) * ch / ph);
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect r = Rect(0, 0, w, h);
  if (center_) {
    int dx = (cw - w) / 2, dy = (ch - h) / 2;
    r = Rect(dx, dy, dx + w, dy + h);
  }
  return r;
}

void TImage::Paint() {
  TGraphic* g = picture_->Graphic();
  if (!g || g->Empty()) return;
  if (transparent_ != g->Transparent()) g->SetTransparent(transparent_ || g->Transparent());
  Canvas()->StretchDraw(DestRect(), g);
}

}  // namespace kiv
