#pragma once
// The push button's arithmetic without a window: its kinds and glyph layouts,
// how many cells a glyph strip holds, which cell a state shows, and where the
// glyph-and-caption block, its caption part and its glyph part lie.
#include <array>
#include <cstdint>
#include <string_view>

#include "framework/types.hpp"

namespace kiv {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
inline constexpr std::array<std::string_view, 4> kButtonLayoutNames{"blGlyphLeft", "blGlyphRight",
                                                                    "blGlyphTop", "blGlyphBottom"};
static_assert(kButtonLayoutNames.size() == blGlyphBottom + 1);

enum TBitBtnKind {
  bkCustom,
  bkOK,
  bkCancel,
  bkHelp,
  bkYes,
  bkNo,
  bkClose,
  bkAbort,
  bkRetry,
  bkIgnore,
  bkAll
};
inline constexpr std::array<std::string_view, 11> kBitBtnKindNames{
    "bkCustom", "bkOK",    "bkCancel", "bkHelp",   "bkYes", "bkNo",
    "bkClose",  "bkAbort", "bkRetry",  "bkIgnore", "bkAll"};
static_assert(kBitBtnKindNames.size() == bkAll + 1);

// What a standard kind gives the button: caption, modal result, whether it is
// the default button, and the name of its glyph resource (none for bkCustom).
struct TKivButtonKindInfo {
  const wchar_t* Caption;
  int ModalResult;
  bool Default;
  const char* GlyphResource;
};
const TKivButtonKindInfo& ButtonKindInfo(TBitBtnKind kind);

// The cell count a glyph strip of this size gives: width / height when the
// width is a positive multiple of the height, at most 4, and 1 for longer
// strips; an empty or uneven strip leaves the count as it was.
int GlyphCountFor(int width, int height, int current);

// The cell shown: the first; one further when disabled (with 2 cells or
// more), two further when pressed (with 3 or more); never past the last.
int GlyphCellFor(int num_glyphs, bool enabled, bool pressed);

// TAlignment's values (framework/win32/control.hpp), repeated here without
// the window header: left, right, centre.
enum : int { kAlignLeft = 0, kAlignRight = 1, kAlignCenter = 2 };

struct TKivButtonLayoutInput {
  TSize Text;  // the caption measured (or the word-wrap area)
  TSize Cell;  // one glyph cell; 0 x 0 without a glyph
  bool HasGlyph = false;
  TButtonLayout Layout = blGlyphLeft;
  int Spacing = 4;
  int Alignment = kAlignCenter;
  int Width = 0, Height = 0;            // the control's size
  int PaintWidth = 0, PaintHeight = 0;  // the size last asked for
  bool Pressed = false;
};

// The word-wrap area: what is left of the button around glyph and spacing.
TSize WordWrapArea(int width, int height, int spacing, TSize cell);

// The block of glyph and caption, placed by Alignment and moved by (1, 1)
// while pressed.
TRect ButtonContentRect(const TKivButtonLayoutInput& in);
// The caption's part of the block.
TRect ButtonTextRect(const TKivButtonLayoutInput& in);
// The glyph's part of the block.
TRect ButtonGlyphRect(const TKivButtonLayoutInput& in);

}  // namespace kiv
