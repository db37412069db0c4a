// TKivHeaderPanel's rolling: up to its caption bar and down to the stored
// normal height, in steps with messages let through between them when
// animated, moving the header panels stacked directly below and resizing
// the parent along with it.
//
// An animated roll lets every pending message run between its steps, so a
// handler may ask for another roll (ignored until this one ends) or free the
// panel, its form with it (the roll then stops at once and touches nothing
// of the panel again).
#include <vector>

#include "controls/kiv_header_panel_win32.hpp"
#include "framework/win32/application.hpp"

namespace kiv {

namespace {

// Marks a roll under way for as long as it runs, unless the panel went.
class TRollGuard {
 public:
  TRollGuard(bool& rolling, std::shared_ptr<bool> alive)
      : rolling_(rolling), alive_(std::move(alive)) {
    rolling_ = true;
  }
  ~TRollGuard() { Release(); }
  void Release() {
    if (released_) return;
    released_ = true;
    if (*alive_) rolling_ = false;
  }

 private:
  bool& rolling_;
  std::shared_ptr<bool> alive_;
  bool released_ = false;
};

}  // namespace

void TKivHeaderPanel::SetRolled(bool value) {
  if (value == rolled_) return;
  if (Loading()) {
    rolled_ = value;
    return;
  }
  if (rolling_ || Gone()) return;
  if (value)
    RollUp();
  else
    RollDown();
}

// Sets each height on the way from one height to the next but the last;
// with ParentRoll the parent follows. Animated, each step is painted (the
// pending messages run) and held for 3 ms. False when the panel went.
bool TKivHeaderPanel::StepHeights(int from, int to) {
  const std::vector<int32_t> heights = HeaderRollHeights(from, to, animate_roll_);
  const std::shared_ptr<bool> alive = alive_;
  for (size_t i = 0; i + 1 < heights.size(); ++i) {
    SetHeight(heights[i]);
    if (parent_roll_ && Parent()) Parent()->SetHeight(Height());
    Application()->ProcessMessages();
    if (!*alive || Gone()) return false;
    Sleep(3);
  }
  return true;
}

void TKivHeaderPanel::MoveLinkedPanels(int old_height, int new_height) {
  if (!link_panels_ || !Parent()) return;
  std::vector<TKivHeaderPanel*> panels;
  std::vector<TKivPanelBox> boxes;
  TWinControl* parent = Parent();
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* other = dynamic_cast<TKivHeaderPanel*>(parent->Controls(i));
    if (!other || other == this) continue;
    panels.push_back(other);
    boxes.push_back({other->Left(), other->Top(), other->Width()});
  }
  const std::vector<int32_t> shifts =
      HeaderLinkedShifts({Left(), Top(), Width()}, old_height, new_height, boxes);
  for (size_t i = 0; i < panels.size(); ++i)
    if (shifts[i] != 0) panels[i]->SetTop(panels[i]->Top() + shifts[i]);
}

void TKivHeaderPanel::RollUp() {
  const std::shared_ptr<bool> alive = alive_;
  TRollGuard guard(rolling_, alive);
  if (OnBeforeRoll) {
    bool allowed = true;
    OnBeforeRoll(this, true, allowed);
    if (!*alive || !allowed) return;
  }
  normal_height_ = PaintHeight();
  const int rolled_height = HeaderRolledHeight(Frame());
  if (!StepHeights(normal_height_, rolled_height)) return;
  SetHeight(rolled_height);
  MoveLinkedPanels(normal_height_, Height());
  if (parent_roll_ && Parent()) Parent()->SetHeight(Height());
  rolled_ = true;
  Invalidate();
  if (Parent()) Parent()->Realign();
  guard.Release();
  if (OnRollup) OnRollup(this);
}

void TKivHeaderPanel::RollDown() {
  const std::shared_ptr<bool> alive = alive_;
  TRollGuard guard(rolling_, alive);
  if (OnBeforeRoll) {
    bool allowed = true;
    OnBeforeRoll(this, false, allowed);
    if (!*alive || !allowed) return;
  }
  rolled_ = false;  // from here on the height may change
  // The panels linked below lie against the height the roll starts from:
  // an animated roll has passed through others by the time they move.
  const int old_height = Height();
  if (!StepHeights(old_height, normal_height_)) return;
  SetHeight(normal_height_);
  MoveLinkedPanels(old_height, Height());
  if (parent_roll_ && Parent()) Parent()->SetHeight(Height());
  Invalidate();
  if (Parent()) Parent()->Realign();
  guard.Release();
  if (OnRollup) OnRollup(this);
}

}  // namespace kiv
