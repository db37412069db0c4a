#include "framework/win32/dib_section.hpp"

#include <utility>

#include "framework/exceptions.hpp"

namespace kiv {

TDibSection::TDibSection(const BITMAPINFO& info) {
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
  if (!bitmap_ || !bits_) {
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = nullptr;
    bits_ = nullptr;
    throw EOutOfResources("Can't allocate the DIB handle");
  }
}

namespace {
BITMAPINFO Info32(int width, int height, TDibSection::TRowOrder order) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  // A negative height stores the top row first.
  info.bmiHeader.biHeight = order == TDibSection::roTopDown ? -height : height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}
}  // namespace

TDibSection::TDibSection(int width, int height, TRowOrder order)
    : TDibSection(Info32(width, height, order)) {}

TDibSection::TDibSection(HBITMAP bitmap, HDC dc) : bitmap_(bitmap), dc_(dc) {
  DIBSECTION ds{};
  if (bitmap_ && GetObjectW(bitmap_, sizeof(ds), &ds) == sizeof(ds)) bits_ = ds.dsBm.bmBits;
}

TDibSection::TDibSection(TDibSection&& other) noexcept
    : bitmap_(std::exchange(other.bitmap_, nullptr)),
      bits_(std::exchange(other.bits_, nullptr)),
      dc_(std::exchange(other.dc_, nullptr)),
      old_object_(std::exchange(other.old_object_, nullptr)) {}

TDibSection& TDibSection::operator=(TDibSection&& other) noexcept {
  if (this != &other) {
    Reset();
    bitmap_ = std::exchange(other.bitmap_, nullptr);
    bits_ = std::exchange(other.bits_, nullptr);
    dc_ = std::exchange(other.dc_, nullptr);
    old_object_ = std::exchange(other.old_object_, nullptr);
  }
  return *this;
}

HDC TDibSection::DC() {
  if (!dc_ && bitmap_) {
    dc_ = CreateCompatibleDC(nullptr);
    if (!dc_) throw EOutOfResources("Can't create compatible DC");
    old_object_ = SelectObject(dc_, bitmap_);
    if (!old_object_) {
      DeleteDC(dc_);
      dc_ = nullptr;
      throw EOutOfResources("Can't select an object into DC");
    }
  }
  return dc_;
}

void TDibSection::Reset() {
  if (dc_) {
    // A context taken over from Release has no remembered object: deleting
    // the context alone lets go of the section.
    if (old_object_) SelectObject(dc_, old_object_);
    DeleteDC(dc_);
  }
  if (bitmap_) DeleteObject(bitmap_);
  Release();
}

void TDibSection::Release() {
  bitmap_ = nullptr;
  bits_ = nullptr;
  dc_ = nullptr;
  old_object_ = nullptr;
}

}  // namespace kiv
