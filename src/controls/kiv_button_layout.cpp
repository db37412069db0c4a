// The push button's kinds, glyph cells and layout.
#include "controls/kiv_button_layout.hpp"

#include <algorithm>

#include "graphics/kiv_utils.hpp"

namespace kiv {

namespace {

// Indexed by TBitBtnKind. Modal results: 1 OK, 2 Cancel, 3 Abort, 4 Retry,
// 5 Ignore, 6 Yes, 7 No, 8 All.
constexpr TKivButtonKindInfo kKinds[] = {
    {nullptr, 0, false, nullptr},
    {L"OK", 1, true, "KIV_BTN_OK"},
    {L"Cancel", 2, false, "KIV_BTN_CANCEL"},
    {L"&Help", 0, false, "KIV_BTN_HELP"},
    {L"&Yes", 6, true, "KIV_BTN_YES"},
    {L"&No", 7, false, "KIV_BTN_NO"},
    {L"&Close", 0, false, "KIV_BTN_CLOSE"},
    {L"Abort", 3, false, "KIV_BTN_ABORT"},
    {L"&Retry", 4, false, "KIV_BTN_RETRY"},
    {L"&Ignore", 5, false, "KIV_BTN_IGNORE"},
    {L"&All", 8, false, "KIV_BTN_ALL"},
};
static_assert(std::size(kKinds) == bkAll + 1);

}  // namespace

const TKivButtonKindInfo& ButtonKindInfo(TBitBtnKind kind) {
  return kKinds[std::clamp<int>(kind, bkCustom, bkAll)];
}

int GlyphCountFor(int width, int height, int current) {
  if (height <= 0 || width <= 0 || width % height != 0) return current;
  const int cells = width / height;
  return cells <= 4 ? cells : 1;
}

int GlyphCellFor(int num_glyphs, bool enabled, bool pressed) {
  const int count = std::clamp(num_glyphs, 1, 4);
  int cell = 0;
  if (count > 1 && !enabled) cell += 1;
  if (count > 2 && pressed) cell += 2;
  return std::min(cell, count - 1);
}

TSize WordWrapArea(int width, int height, int spacing, TSize cell) {
  return TSize{width - spacing - cell.cx - 10, height - spacing - cell.cy - 10};
}

TRect ButtonContentRect(const TKivButtonLayoutInput& in) {
  TRect r{0, 0, in.Text.cx, in.Text.cy};
  if (in.HasGlyph) {
    if (in.Layout == blGlyphTop || in.Layout == blGlyphBottom)
      r.Bottom += in.Cell.cy + in.Spacing;
    else
      r.Right += in.Cell.cx + in.Spacing;
    r.Right = std::max(r.Right, r.Left + in.Cell.cx);
    r.Bottom = std::max(r.Bottom, r.Top + in.Cell.cy);
  }
  const int w = r.Width(), h = r.Height();
  switch (in.Alignment) {
    case kAlignLeft:
      r = Bounds(4, (in.PaintHeight - h) / 2, w, h);
      break;
    case kAlignRight:
      r = Bounds(in.PaintWidth - w - 4, (in.PaintHeight - h) / 2, w, h);
      break;
    default:
      r = CenterRect(r, TRect{0, 0, in.Width, in.Height});
      break;
  }
  if (in.Pressed) r = Bounds(r.Left + 1, r.Top + 1, w, h);
  return r;
}

TRect ButtonTextRect(const TKivButtonLayoutInput& in) {
  TRect r = ButtonContentRect(in);
  if (!in.HasGlyph) return r;
  const int dx = in.Cell.cx + in.Spacing, dy = in.Cell.cy + in.Spacing;
  switch (in.Layout) {
    case blGlyphLeft:
      r.Left += dx;
      break;
    case blGlyphRight:
      r.Right -= dx;
      break;
    case blGlyphTop:
      r.Top += dy;
      break;
    case blGlyphBottom:
      r.Bottom -= dy;
      break;
  }
  return r;
}

TRect ButtonGlyphRect(const TKivButtonLayoutInput& in) {
  TRect r = ButtonContentRect(in);
  if (!in.HasGlyph) return r;
  const int dx = in.Cell.cx + in.Spacing, dy = in.Cell.cy + in.Spacing;
  switch (in.Layout) {
    case blGlyphLeft:
      r.Right = r.Left + dx;
      break;
    case blGlyphRight:
      r.Left = r.Right - dx;
      break;
    case blGlyphTop:
      r.Bottom = r.Top + dy;
      break;
    case blGlyphBottom:
      r.Top = r.Bottom - dy;
      break;
  }
  return r;
}

}  // namespace kiv
