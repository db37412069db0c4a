// The scroll bar's page: both orientations in each state, a bar without
// buttons, and the in-place pair laid over a rich edit's own bar.
#include <string>

#include "controls/kiv_inplace_scroll_bar_win32.hpp"
#include "framework/win32/application.hpp"
#include "framework/win32/rich_edit.hpp"
#include "gallery_page.hpp"

namespace kiv::gallery {
namespace {

// A rich edit carrying the in-place pair, wired as a themed edit wires it.
class TPairedEdit : public TRichEdit {
 public:
  explicit TPairedEdit(TComponent* owner)
      : TRichEdit(owner), pair_(std::make_unique<TKivSubScrollBar>(this)) {}
  ~TPairedEdit() override { pair_->SetTarget(nullptr); }
  void SetParent(TWinControl* parent) override {
    TRichEdit::SetParent(parent);
    pair_->SetParentControl(parent);
  }
  void WndProc(TMessage& m) override {
    pair_->TargetMessage(m);
    TRichEdit::WndProc(m);
  }

 private:
  std::unique_ptr<TKivSubScrollBar> pair_;
};

TKivScrollBar* Add(TWinControl* section, TKivScrollOrientation orientation, int left, int top,
                   int length) {
  auto* bar = new TKivScrollBar(section->Owner());
  bar->SetOrientation(orientation);
  const int thickness = GetSystemMetrics(SM_CYVTHUMB);
  if (orientation == qsoHorizontal)
    bar->SetBounds(left, top, length, thickness);
  else
    bar->SetBounds(left, top, thickness, length);
  bar->SetPageSize(20);
  bar->SetPosition(30);
  bar->SetParent(section);
  return bar;
}

// The pointer over a part, through the bar's own mouse messages.
void Hover(TKivScrollBar* bar, const TRect& part) {
  bar->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(part.Left + 2, part.Top + 2));
}

// The left button held on a part; the press's capture and repeat end at
// once, so that the gallery stays still and keeps its mouse.
void Hold(TKivScrollBar* bar, const TRect& part) {
  Hover(bar, part);
  bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(part.Left + 2, part.Top + 2));
  if (bar->RepeatTimer()) bar->RepeatTimer()->SetEnabled(false);
  SetCaptureControl(nullptr);
}

std::wstring Caption() {
  std::wstring text =
      L"An in-place scroll bar lies over the rich edit's own bar and keeps in "
      L"step with it both ways.\r\n";
  for (int i = 1; i <= 40; ++i) text += L"Caption line " + std::to_wstring(i) + L"\r\n";
  return text;
}

int Build(TWinControl* s) {
  const int step = 128, length = 120;
  AddRowLabel(s, 8, 8, L"Horizontal");
  int x = 80;
  Add(s, qsoHorizontal, x, 8, length);
  TKivScrollBar* hot = Add(s, qsoHorizontal, x += step, 8, length);
  Hover(hot, hot->GetThumbRect());
  TKivScrollBar* pressed = Add(s, qsoHorizontal, x += step, 8, length);
  Hold(pressed, pressed->GetSecondButtonRect());
  TKivScrollBar* dragged = Add(s, qsoHorizontal, x += step, 8, length);
  Hold(dragged, dragged->GetThumbRect());
  x = 80;
  Add(s, qsoHorizontal, x, 34, length)->SetEnabled(false);
  Add(s, qsoHorizontal, x += step, 34, length)->SetShowButtons(false);
  TKivScrollBar* whole = Add(s, qsoHorizontal, x += step, 34, length);
  whole->SetPageSize(101);  // the page holds everything: no thumb

  AddRowLabel(s, 8, 66, L"Vertical");
  x = 80;
  Add(s, qsoVertical, x, 62, 110);
  TKivScrollBar* v_hot = Add(s, qsoVertical, x += 32, 62, 110);
  Hover(v_hot, v_hot->GetFirstButtonRect());
  TKivScrollBar* v_dragged = Add(s, qsoVertical, x += 32, 62, 110);
  Hold(v_dragged, v_dragged->GetThumbRect());
  Add(s, qsoVertical, x += 32, 62, 110)->SetEnabled(false);
  Add(s, qsoVertical, x += 32, 62, 110)->SetShowButtons(false);

  AddRowLabel(s, 260, 66, L"In place");
  auto* edit = new TPairedEdit(s->Owner());
  edit->SetBounds(336, 62, 250, 110);
  edit->SetScrollBars(ssVertical);
  edit->SetReadOnly(true);
  edit->SetParent(s);
  SetWindowTextW(edit->Handle(), Caption().c_str());
  SendMessageW(edit->Handle(), EM_LINESCROLL, 0, 12);
  return 182;
}

const TPageRegistrar kPage(30, L"Scroll bars (TKivScrollBar, in place over a rich edit)", Build);

}  // namespace
}  // namespace kiv::gallery
