// TIcon.
#include "framework/win32/icon.hpp"

#include "framework/exceptions.hpp"
#include "framework/win32/picture_registry.hpp"

namespace kiv {

TIcon::~TIcon() {
  if (icon_) DestroyIcon(icon_);
}

void TIcon::SetHandle(HICON icon) {
  if (icon_) DestroyIcon(icon_);
  icon_ = icon;
  width_ = height_ = 0;
  ICONINFO ii{};
  if (icon && GetIconInfo(icon, &ii)) {
    BITMAP bm{};
    GetObjectW(ii.hbmMask, sizeof(bm), &bm);
    width_ = bm.bmWidth;
    height_ = ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    if (ii.hbmColor) DeleteObject(ii.hbmColor);
    if (ii.hbmMask) DeleteObject(ii.hbmMask);
  }
  Changed();
}

void TIcon::Draw(TCanvas* canvas, const TRect& r) {
  if (icon_)
    DrawIconEx(canvas->Handle(), r.Left, r.Top, icon_, r.Width(), r.Height(), 0, nullptr,
               DI_NORMAL);
}

void TIcon::LoadFromBytes(const uint8_t* data, size_t size) {
  // Icon directory: reserved 0, type 1, count, then 16-byte entries.
  if (size < 6 || data[0] || data[1] || data[2] != 1 || data[3])
    throw EInvalidGraphic("Icon image is not valid");
  size_t count = data[4] | data[5] << 8;
  if (count == 0 || 6 + count * 16 > size) throw EInvalidGraphic("Icon image is not valid");
  const uint8_t* e = data + 6;  // first entry
  uint32_t bytes = e[8] | e[9] << 8 | e[10] << 16 | static_cast<uint32_t>(e[11]) << 24;
  uint32_t at = e[12] | e[13] << 8 | e[14] << 16 | static_cast<uint32_t>(e[15]) << 24;
  if (at > size || bytes > size - at || bytes < 40)
    throw EInvalidGraphic("Icon image is not valid");
  HICON icon = CreateIconFromResourceEx(const_cast<uint8_t*>(data + at), bytes, TRUE, 0x00030000, 0,
                                        0, LR_DEFAULTCOLOR);
  if (!icon) throw EInvalidGraphic("Icon image is not valid");
  SetHandle(icon);
}

const TPictureFormatRegistrar kIconFormat("ico", "Icons", [] { return std::make_unique<TIcon>(); });
void LinkIconFormat() {}

}  // namespace kiv
