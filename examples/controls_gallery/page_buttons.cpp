// The push button's page: each state, the standard kinds with their glyphs,
// and the glyph layouts.
#include "controls/kiv_button_win32.hpp"
#include "gallery_page.hpp"

namespace kiv::gallery {
namespace {

TKivButton* Add(TWinControl* section, int left, int top, const std::wstring& caption) {
  auto* b = new TKivButton(section->Owner());
  b->SetBounds(left, top, 75, 25);
  b->SetCaption(caption);
  b->SetParent(section);
  return b;
}

int Build(TWinControl* s) {
  AddRowLabel(s, 8, 10, L"States");
  int x = 80;
  const int step = 82;
  Add(s, x, 4, L"Normal");
  ShowHot(Add(s, x += step, 4, L"Hot"));
  ShowPressed(Add(s, x += step, 4, L"Pressed"));
  ShowFocused(Add(s, x += step, 4, L"Focused"));
  TKivButton* def = Add(s, x += step, 4, L"Default");
  def->SetDefault(true);
  // The default button acts as such while the focus is on a control that
  // is not a button.
  def->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<intptr_t>(s));
  Add(s, x += step, 4, L"Disabled")->SetEnabled(false);

  AddRowLabel(s, 8, 42, L"Kinds");
  x = 80;
  for (TBitBtnKind kind : {bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose}) {
    Add(s, x, 36, L"")->SetKind(kind);
    x += step;
  }
  x = 80;
  for (TBitBtnKind kind : {bkAbort, bkRetry, bkIgnore, bkAll}) {
    Add(s, x, 66, L"")->SetKind(kind);
    x += step;
  }
  TKivButton* off = Add(s, x, 66, L"");
  off->SetKind(bkOK);
  off->SetCaption(L"Off");
  off->SetEnabled(false);

  AddRowLabel(s, 8, 112, L"Layouts");
  x = 80;
  for (TButtonLayout layout : {blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom}) {
    TKivButton* b = Add(s, x, 98, L"Retry");
    b->SetKind(bkRetry);
    b->SetCaption(L"&Retry");
    b->SetLayout(layout);
    b->SetHeight(layout == blGlyphTop || layout == blGlyphBottom ? 44 : 25);
    x += step;
  }
  TKivButton* wide = Add(s, x, 98, L"Left-aligned");
  wide->SetWidth(2 * 75 + 7);
  wide->SetKind(bkClose);
  wide->SetCaption(L"Left-aligned &close");
  wide->SetAlignment(taLeftJustify);
  return 150;
}

const TPageRegistrar kPage(10, L"Push buttons (TKivButton)", Build);

}  // namespace
}  // namespace kiv::gallery
