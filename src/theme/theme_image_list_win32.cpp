#include "theme/theme_image_list_win32.hpp"

#include "framework/win32/canvas.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "theme/theme_unit.hpp"

namespace kiv {

TkivBitmap* ImageListGlyph(TImageList* list, int index, bool enabled) {
  std::unique_ptr<TkivBitmap>& surface = theme_unit::State().ImageListGlyph;
  surface.reset();
  if (list == nullptr) return nullptr;
  surface = std::make_unique<TkivBitmap>();
  surface->SetSize(list->Width(), list->Height());
  surface->Fill(KeyPixel);
  surface->SetTransparent(list->Masked() || list->DrawingStyle() == dsTransparent);
  TCanvas canvas;
  canvas.SetHandle(static_cast<HDC>(surface->DC()));
  list->Draw(&canvas, 0, 0, index, enabled);
  canvas.SetHandle(nullptr);
  GdiFlush();
  return surface.get();
}

TkivGlyphInfo MakeGlyphInfo(const TRect& rect, TImageList* list, int index, bool enabled,
                            uint8_t value) {
  return TkivGlyphInfo{rect, ImageListGlyph(list, index, enabled), value, kGlyphPicture};
}

}  // namespace kiv
