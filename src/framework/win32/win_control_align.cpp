// Alignment and anchors: where the children of a windowed control go.
#include "framework/win32/win_control.hpp"

#include <algorithm>
#include <vector>
#include "framework/numeric.hpp"

namespace kiv {

void TControl::MoveBy(const TRect& r) {
  anchoring_ = true;
  try {
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
  } catch (...) {
    anchoring_ = false;
    throw;
  }
  anchoring_ = false;
}

void TControl::SetAlign(TAlign value) {
  if (value == align_) return;
  align_ = value;
  static const TAnchors kAnchorAlign[] = {kDefaultAnchors,
                                          {akLeft, akTop, akRight},
                                          {akLeft, akRight, akBottom},
                                          {akLeft, akTop, akBottom},
                                          {akRight, akTop, akBottom},
                                          {akLeft, akTop, akRight, akBottom},
                                          kDefaultAnchors};
  anchors_ = kAnchorAlign[value];
  RequestAlign();
}

void TControl::SetAnchors(TAnchors value) {
  if (value == anchors_) return;
  anchors_ = value;
  UpdateAnchorRules();
}

// Remembers the place the control was given and the parent's size at the
// time; when the parent changes size, AlignControls moves the control from
// these by its anchors.
void TControl::UpdateAnchorRules() {
  if (anchoring_ || !parent_) return;
  TRect pc = parent_->ClientRect();
  original_parent_size_ = {pc.Width(), pc.Height()};
  // A control tied to neither side keeps its centre, measured from the
  // client area's corner, at the same share of the client area.
  if (anchors_.Contains(akLeft))
    anchor_rules_.X = anchors_.Contains(akRight) ? width_ : left_;
  else
    anchor_rules_.X = anchors_.Contains(akRight) ? left_ : left_ + width_ / 2 - pc.Left;
  if (anchors_.Contains(akTop))
    anchor_rules_.Y = anchors_.Contains(akBottom) ? height_ : top_;
  else
    anchor_rules_.Y = anchors_.Contains(akBottom) ? top_ : top_ + height_ / 2 - pc.Top;
}

void TControl::RequestAlign() {
  if (parent_) {
    TRect r = parent_->ClientRect();
    parent_->AlignControls(this, r);
  }
}

void TWinControl::EnableAlign() {
  if (--align_level_ == 0 && (control_state_ & csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() {
  TRect r = ClientRect();
  AlignControls(nullptr, r);
}

// Aligned children first, in the order top, bottom, left, right, client; each
// group ordered by position (the control being moved wins ties); then the
// anchored ones follow their parent's size.
void TWinControl::AlignControls(TControl* control, TRect& rect) {
  if (aligning_ || align_level_ > 0 || Loading()) {
    control_state_ |= csAlignmentNeeded;
    return;
  }
  aligning_ = true;
  control_state_ &= ~csAlignmentNeeded;
  try {
    AdjustClientRect(rect);
    auto insert_before = [](TControl* a, TControl* b, TAlign align) {
      switch (align) {
        case alTop:
          return a->Top() < b->Top();
        case alBottom:
          return a->Top() + a->Height() >= b->Top() + b->Height();
        case alLeft:
          return a->Left() < b->Left();
        case alRight:
          return a->Left() + a->Width() >= b->Left() + b->Width();
        default:
          return false;
      }
    };
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
      std::vector<TControl*> list;
      if (control && control->align_ == align && control->visible_ && control->parent_ == this)
        list.push_back(control);
      for (TControl* c : controls_) {
        if (c == control || c->align_ != align || !c->visible_) continue;
        size_t j = 0;
        while (j < list.size() && !insert_before(c, list[j], align)) ++j;
        list.insert(list.begin() + j, c);
      }
      for (TControl* c : list) {
        TRect r;
        int w = c->width_, h = c->height_;
        switch (align) {
          case alTop:
            r = Bounds(rect.Left, rect.Top, rect.Width(), h);
            rect.Top += h;
            break;
          case alBottom:
            r = Bounds(rect.Left, rect.Bottom - h, rect.Width(), h);
            rect.Bottom -= h;
            break;
          case alLeft:
            r = Bounds(rect.Left, rect.Top, w, rect.Height());
            rect.Left += w;
            break;
          case alRight:
            r = Bounds(rect.Right - w, rect.Top, w, rect.Height());
            rect.Right -= w;
            break;
          default:
            r = rect;
            break;
        }
        c->MoveBy(r);
      }
    }
    // Anchors of the free controls, against the size they were placed for.
    TRect client = ClientRect();
    for (TControl* c : controls_) {
      if (c->align_ != alNone || c->original_parent_size_.cx <= 0 ||
          c->original_parent_size_.cy <= 0)
        continue;
      TAnchors a = c->anchors_;
      int l = c->left_, t = c->top_, w = c->width_, h = c->height_;
      int dx = client.Width() - c->original_parent_size_.cx;
      int dy = client.Height() - c->original_parent_size_.cy;
      if (a.Contains(akLeft)) {
        if (a.Contains(akRight)) w = c->anchor_rules_.X + dx;
      } else if (a.Contains(akRight)) {
        l = c->anchor_rules_.X + dx;
      } else {
        l = client.Left + MulDiv(c->anchor_rules_.X, client.Width(), c->original_parent_size_.cx) -
            w / 2;
      }
      if (a.Contains(akTop)) {
        if (a.Contains(akBottom)) h = c->anchor_rules_.Y + dy;
      } else if (a.Contains(akBottom)) {
        t = c->anchor_rules_.Y + dy;
      } else {
        t = client.Top + MulDiv(c->anchor_rules_.Y, client.Height(), c->original_parent_size_.cy) -
            h / 2;
      }
      c->MoveBy(Bounds(l, t, std::max(w, 0), std::max(h, 0)));
    }
  } catch (...) {
    aligning_ = false;
    throw;
  }
  aligning_ = false;
}

}  // namespace kiv
