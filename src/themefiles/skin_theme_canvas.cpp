// TKivSkinFile's canvas operations: each hands the canvas's device context
// to its device-context twin; the texts go through the theme's placement.
#include "themefiles/skin_paint.hpp"
#include "themefiles/skin_theme.hpp"

namespace kiv {

#define KIV_SKIN_FORWARD_PAINT(name, Record)                                        \
  void TKivSkinFile::name(uint8_t kind, TCanvas& canvas, const std::string& object, \
                          const Record& info) {                                     \
    name(kind, SkinCanvasDC(canvas), object, info);                                 \
  }
KIV_SKIN_PAINT_OPS(KIV_SKIN_FORWARD_PAINT)
#undef KIV_SKIN_FORWARD_PAINT

void TKivSkinFile::PaintWindowCaption(uint8_t kind, TCanvas& canvas, const std::string& object,
                                      const TRect& rect, const TkivWindowInfo& info) {
  PaintWindowCaption(kind, SkinCanvasDC(canvas), object, rect, info);
}

void TKivSkinFile::PaintButtonText(uint8_t kind, TCanvas& canvas, const std::string& object,
                                   const TkivTextInfo& text, const TkivStateInfo& info) {
  if (NamedObject(object) == nullptr) {
    TkivTheme::PaintButtonText(kind, canvas, object, text, info);
    return;
  }
  DrawText(canvas, ButtonTextInfo(object, text));
}

void TKivSkinFile::PaintStatusText(uint8_t kind, TCanvas& canvas, const std::string& object,
                                   const TkivTextInfo& text, const TkivStateInfo& info) {
  DrawText(canvas, StatusTextInfo(object, text));
}

}  // namespace kiv
