// Name lists, INI text and bitmaps of a visual-styles library.
#include "themefiles/msstyles_module.hpp"

#include <cstring>

#include "framework/exceptions.hpp"
#include "framework/picture/picture.hpp"
#include "framework/text_convert.hpp"
#include "graphics/kiv_bitmap.hpp"

namespace kiv {

namespace {

constexpr uint64_t kMaxStyleBitmapPixels = uint64_t{16} << 20;  // 4096 x 4096

std::u16string Utf16Units(std::span<const uint8_t> data) {
  std::u16string text(data.size() / 2, u'\0');
  for (size_t i = 0; i < text.size(); ++i)
    text[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  return text;
}

uint32_t U32(const uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | uint32_t{p[3]} << 24;
}
uint16_t U16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

// Where the pixels of a packed DIB begin: after the header, the colour masks
// that follow a 40-byte header with BI_BITFIELDS (3) or BI_ALPHABITFIELDS
// (6), and the colour table.
bool PixelOffset(std::span<const uint8_t> dib, uint64_t& offset) {
  if (dib.size() < 12) return false;
  const uint32_t header = U32(dib.data());
  if (header > dib.size() || (header != 12 && header < 16)) return false;
  if (header == 12) {
    const uint16_t bits = U16(dib.data() + 10);
    offset = 12 + (bits <= 8 ? uint64_t{3} << bits : 0);
    return true;
  }
  if (header < 40) return false;
  const uint16_t bits = U16(dib.data() + 14);
  const uint32_t compression = U32(dib.data() + 16);
  const uint32_t used = U32(dib.data() + 32);
  uint64_t masks = 0;
  if (header == 40 && compression == 3) masks = 12;
  if (header == 40 && compression == 6) masks = 16;
  const uint64_t colors = used != 0 ? used : (bits <= 8 ? uint64_t{1} << bits : 0);
  offset = header + masks + colors * 4;
  return offset <= dib.size();
}

}  // namespace

std::vector<std::string> ReadStyleNameList(std::span<const uint8_t> data) {
  std::vector<std::string> names;
  const std::u16string units = Utf16Units(data);
  size_t start = 0;
  while (start < units.size()) {
    size_t end = units.find(u'\0', start);
    if (end == std::u16string::npos) end = units.size();
    if (end == start) break;  // the empty string ends the list
    names.push_back(NarrowLatin1(std::u16string_view(units).substr(start, end - start)));
    start = end + 1;
  }
  return names;
}

std::string StyleIniText(std::span<const uint8_t> data) {
  std::u16string units = Utf16Units(data);
  if (!units.empty() && units.front() == u'\uFEFF') units.erase(0, 1);
  while (!units.empty() && units.back() == u'\0') units.pop_back();
  const std::string narrow = NarrowLatin1(units);
  std::string text;
  text.reserve(narrow.size());
  for (size_t i = 0; i < narrow.size(); ++i) {
    if (narrow.compare(i, 3, " = ") == 0) {
      text += '=';
      i += 2;
    } else {
      text += narrow[i];
    }
  }
  return text;
}

bool LoadStyleBitmap(TkivBitmap& surface, std::span<const uint8_t> data) {
  uint64_t offset = 0;
  if (!PixelOffset(data, offset)) return false;
  const uint32_t header = U32(data.data());
  const uint16_t bits = header == 12 ? U16(data.data() + 10) : U16(data.data() + 14);
  try {
    if (bits == 32) {
      TkivBitmap loaded;
      loaded.LoadFromPackedDib32(data.data(), data.size());
      surface.SetSize(loaded.Width(), loaded.Height());
      std::memcpy(surface.Bits(), loaded.Bits(),
                  size_t(loaded.Width()) * size_t(loaded.Height()) * sizeof(TkivPixel));
      surface.SetAlphaBlend(loaded.AlphaBlend());
      return true;
    }
    // Any other depth: the same bytes behind a 14-byte file header.
    std::vector<uint8_t> file(14 + data.size());
    const uint64_t size = file.size(), pixels = 14 + offset;
    const uint8_t head[14] = {'B',
                              'M',
                              uint8_t(size),
                              uint8_t(size >> 8),
                              uint8_t(size >> 16),
                              uint8_t(size >> 24),
                              0,
                              0,
                              0,
                              0,
                              uint8_t(pixels),
                              uint8_t(pixels >> 8),
                              uint8_t(pixels >> 16),
                              uint8_t(pixels >> 24)};
    std::memcpy(file.data(), head, 14);
    std::memcpy(file.data() + 14, data.data(), data.size());
    // Style bitmaps are small; a header that claims more (which RLE data
    // could back with few bytes) is refused before anything is allocated.
    const TDecodedPicture picture = DecodeBmp(
        file.data(), file.size(), TDecodeLimits{kMaxStyleBitmapPixels, kMaxStyleBitmapPixels});
    surface.SetSize(picture.Width, picture.Height);
    const TPixelBuffer& px = picture.Frames.front().Pixels;
    for (size_t i = 0; i < px.size(); ++i) surface.Bits()[i] = px[i] | 0xFF000000u;
    surface.SetAlphaBlend(false);
    return true;
  } catch (const Exception&) {
    return false;
  }
}

bool TmsuxStyleLibrary::Load(std::vector<uint8_t> bytes) {
  Resources = TPeResources(std::move(bytes));
  const TPeResourceId one = TPeResourceId::FromNumber(1);
  ColorNames = ReadStyleNameList(Resources.FindData(TPeResourceId::FromString("COLORNAMES"), one));
  SizeNames = ReadStyleNameList(Resources.FindData(TPeResourceId::FromString("SIZENAMES"), one));
  IniNames = ReadStyleNameList(Resources.FindData(TPeResourceId::FromString("FILERESNAMES"), one));
  IniText.clear();
  if (ColorNames.empty() || SizeNames.empty() || IniNames.empty()) return false;
  const TPeResource* ini = Resources.Find(TPeResourceId::FromString("TEXTFILE"),
                                          TPeResourceId::FromString(IniNames.front()));
  if (ini == nullptr) return false;
  IniText = StyleIniText(Resources.Data(*ini));
  return true;
}

bool TmsuxStyleLibrary::ReadBitmap(TkivBitmap& surface, const std::string& name) const {
  const TPeResource* r =
      Resources.Find(TPeResourceId::FromNumber(kPeResourceBitmap), TPeResourceId::FromString(name));
  return r != nullptr && LoadStyleBitmap(surface, Resources.Data(*r));
}

}  // namespace kiv
