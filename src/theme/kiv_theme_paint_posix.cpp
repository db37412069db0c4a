// The built-in theme's paint operations without a device context: they draw
// nothing. Every query, content rectangle and the window geometry of the
// built-in theme are portable and live in kiv_theme.cpp; the drawings
// themselves need a device context and live in the theme_paint_*_win32.cpp
// files. This file is their portable twin.
#ifndef _WIN32
#include "theme/kiv_theme.hpp"

namespace kiv {

#define KIV_SKIP(...)
#define KIV_NOTHING_PAINT(family, name, Record) \
  void TkivTheme::name(uint8_t, TCanvas&, const std::string&, const Record&) {}
#define KIV_NOTHING_TEXT(family, name, Record) \
  void TkivTheme::name(uint8_t, TCanvas&, const std::string&, const TkivTextInfo&, const Record&) {}
#define KIV_NOTHING_GLYPH(family, name, Record)                                     \
  void TkivTheme::name(uint8_t, TCanvas&, const std::string&, const TkivGlyphInfo&, \
                       const Record&) {}
KIV_THEME_OPERATIONS(KIV_SKIP, KIV_SKIP, KIV_SKIP, KIV_SKIP, KIV_SKIP, KIV_NOTHING_PAINT,
                     KIV_NOTHING_TEXT, KIV_NOTHING_GLYPH)
#undef KIV_SKIP
#undef KIV_NOTHING_PAINT
#undef KIV_NOTHING_TEXT
#undef KIV_NOTHING_GLYPH

void TkivTheme::DrawText(TCanvas&, const TkivTextInfo&) {}

void TkivTheme::PaintWindowCaption(uint8_t, TCanvas&, const std::string&, const TRect&,
                                   const TkivWindowInfo&) {}

}  // namespace kiv

#endif  // _WIN32
