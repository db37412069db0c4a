// Bitmap resources of a module loaded as a data file, read into a framework
// bitmap and assigned from it: 32-bit resources as device-independent bitmaps
// (so their alpha survives), others as the platform loads them.
#include <windows.h>

#include "framework/text_convert.hpp"
#include "framework/win32/graphics.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_bitmap_win32.hpp"

namespace kiv {

namespace {

struct DataModule {
  HMODULE handle;
  explicit DataModule(const std::string& file)
      : handle(LoadLibraryExA(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~DataModule() {
    if (handle != nullptr) FreeLibrary(handle);
  }
  DataModule(const DataModule&) = delete;
  DataModule& operator=(const DataModule&) = delete;
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
  // The header's own size, then the rest of the header with its bit count
  // (at 10 in the 12-byte core header, at 14 in the others); a resource too
  // short for its header is no bitmap.
  if (data == nullptr || size < 12) return;
  const uint32_t header = data[0] | data[1] << 8 | data[2] << 16 | uint32_t{data[3]} << 24;
  if (header > size || (header != 12 && header < 16)) return;
  const size_t at = header == 12 ? 10 : 14;
  const uint16_t bit_count = static_cast<uint16_t>(data[at] | data[at + 1] << 8);
  const std::wstring name = ToWide(resource_name);
  TBitmap bitmap;
  if (bit_count == 32) {
    bitmap.LoadFromResourceName(module.handle, name.c_str());
  } else {
    HBITMAP handle = LoadBitmapA(module.handle, resource_name.c_str());
    if (handle != nullptr) {
      bitmap.SetHandle(handle);
    } else {
      bitmap.LoadFromResourceName(module.handle, name.c_str());
    }
  }
  kiv::Assign(*this, &bitmap);
}

}  // namespace kiv
