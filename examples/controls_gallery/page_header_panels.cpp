// The header panel page: caption bars with the roll and close buttons in
// each state, a rolled panel, and the viewer's bottom strip (bevel and
// border only, holding its Close button).
#include <windows.h>

#include "controls/kiv_button_win32.hpp"
#include "controls/kiv_header_panel_win32.hpp"
#include "gallery_page.hpp"

namespace kiv::gallery {
namespace {

constexpr int kPanelWidth = 120;

TKivHeaderPanel* Add(TWinControl* section, int left, int top, const std::wstring& caption) {
  auto* p = new TKivHeaderPanel(section->Owner());
  p->SetBounds(left, top, kPanelWidth, 70);
  p->SetCaption(caption);
  p->SetParent(section);
  return p;
}

// The pointer over the caption button, and the left button held on it.
LPARAM OverButton(TKivHeaderPanel* p) {
  const TRect r = p->ButtonRect();
  return MAKELPARAM((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}
void ShowButtonHot(TKivHeaderPanel* p) {
  p->Perform(WM_MOUSEMOVE, 0, OverButton(p));
}
void ShowButtonPressed(TKivHeaderPanel* p) {
  p->Perform(WM_LBUTTONDOWN, MK_LBUTTON, OverButton(p));
  p->SetMouseCapture(false);
}

int Build(TWinControl* s) {
  const int step = kPanelWidth + 8;
  AddRowLabel(s, 8, 10, L"Roll up");
  int x = 80;
  Add(s, x, 6, L"Normal");
  ShowButtonHot(Add(s, x += step, 6, L"Hot"));
  ShowButtonPressed(Add(s, x += step, 6, L"Pressed"));
  Add(s, x += step, 6, L"Rolled up")->SetRolled(true);

  AddRowLabel(s, 8, 88, L"Close");
  x = 80;
  Add(s, x, 84, L"Normal")->SetButtonKind(qpbkClose);
  auto* hot = Add(s, x += step, 84, L"Hot");
  hot->SetButtonKind(qpbkClose);
  ShowButtonHot(hot);
  auto* plain = Add(s, x += step, 84, L"No bevel");
  plain->SetShowBevel(false);
  plain->SetButtonKind(qpbkClose);
  auto* bare = Add(s, x += step, 84, L"No button");
  bare->SetShowButton(false);

  AddRowLabel(s, 8, 166, L"Strip");
  auto* strip = new TKivHeaderPanel(s->Owner());
  strip->SetBounds(80, 162, 277, 39);
  strip->SetShowCaption(false);
  strip->SetShowButton(false);
  strip->SetCaption(L"KivHeaderPanel1");
  strip->SetParent(s);
  auto* close = new TKivButton(s->Owner());
  close->SetBounds(93, 5, 75, 25);
  close->SetKind(bkClose);
  close->SetParent(strip);
  return 210;
}

const TPageRegistrar kPage(30, L"Header panels (TKivHeaderPanel)", Build);

}  // namespace
}  // namespace kiv::gallery
