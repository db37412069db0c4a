#pragma once
// Glyphs from an image list: the image is drawn onto a surface that the theme
// unit keeps, and the glyph record hands that surface to the theme as a
// picture (Mode kGlyphPicture).
#include "framework/win32/actions.hpp"
#include "theme/theme_records.hpp"

namespace kiv {

// Frees the surface of the previous call and makes a new one of the list's
// image size, filled with KeyPixel and Transparent when the list is masked or
// draws transparently; the image is drawn at (0, 0), greyed when not enabled
// (an index the list does not have leaves the fill alone). The theme unit
// owns the surface: it stays valid until the next call or the unit's
// shutdown. No list: no surface (none).
TkivBitmap* ImageListGlyph(TImageList* list, int index, bool enabled);

// The glyph record of an image-list image: Bitmap from ImageListGlyph, the
// caller's Value, Mode kGlyphPicture.
TkivGlyphInfo MakeGlyphInfo(const TRect& rect, TImageList* list, int index, bool enabled,
                            uint8_t value);

}  // namespace kiv
