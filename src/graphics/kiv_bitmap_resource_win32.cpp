// Bitmap resources of a module loaded as a data file. 32-bit resources are
// read from their packed DIB with their alpha; others are loaded by the
// platform and copied opaque.
#include <windows.h>

#include "graphics/kiv_bitmap.hpp"

namespace kiv {

namespace {

struct DataModule {
  HMODULE handle;
  explicit DataModule(const std::string& file)
      : handle(LoadLibraryExA(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~DataModule() {
    if (handle != nullptr) FreeLibrary(handle);
  }
};

}  // namespace

void TkivBitmap::LoadFromModuleResource(const std::string& module_file,
                                        const std::string& resource_name) {
  DataModule module(module_file);
  if (module.handle == nullptr) return;
  HRSRC info = FindResourceA(module.handle, resource_name.c_str(), MAKEINTRESOURCEA(2));
  if (info == nullptr) return;
  HGLOBAL global = LoadResource(module.handle, info);
  const auto* data = static_cast<const uint8_t*>(global ? LockResource(global) : nullptr);
  const DWORD size = SizeofResource(module.handle, info);
  if (data == nullptr || size < 16) return;
  const uint32_t header = data[0] | data[1] << 8 | data[2] << 16 | uint32_t{data[3]} << 24;
  const uint16_t bit_count = static_cast<uint16_t>(data[14] | data[15] << 8);
  if (header >= 16 && header <= size && bit_count == 32) {
    LoadFromPackedDib32(data, size);
    return;
  }
  HBITMAP bitmap = LoadBitmapA(module.handle, resource_name.c_str());
  if (bitmap == nullptr)
    bitmap = static_cast<HBITMAP>(
        LoadImageA(module.handle, resource_name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (bitmap == nullptr) return;
  BITMAP bm{};
  GetObjectW(bitmap, sizeof(bm), &bm);
  SetSize(bm.bmWidth, bm.bmHeight);
  if (!IsEmpty()) {
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(static_cast<HDC>(dc_), 0, 0, width_, height_, source, 0, 0, SRCCOPY);
    GdiFlush();
    SelectObject(source, old);
    DeleteDC(source);
    SetAlpha(255);
  }
  DeleteObject(bitmap);
}

}  // namespace kiv
