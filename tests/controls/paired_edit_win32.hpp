#pragma once
// A framework rich edit carrying the in-place scroll-bar pair.
#include <memory>

#include "controls/kiv_inplace_scroll_bar_win32.hpp"
#include "framework/win32/rich_edit.hpp"

namespace kiv::ctltest {

// A rich edit wired to the pair as a themed edit wires it: every message
// passes through the pair first, a new parent takes the bars along, and the
// edit's going takes them off.
class TPairedEdit : public TRichEdit {
 public:
  explicit TPairedEdit(TComponent* owner)
      : TRichEdit(owner), pair(std::make_unique<TKivSubScrollBar>(this)) {}
  ~TPairedEdit() override {
    if (pair) pair->SetTarget(nullptr);
  }
  void SetParent(TWinControl* parent) override {
    TRichEdit::SetParent(parent);
    if (pair) pair->SetParentControl(parent);
  }
  void WndProc(TMessage& m) override {
    if (pair) pair->TargetMessage(m);
    TRichEdit::WndProc(m);
  }
  std::unique_ptr<TKivSubScrollBar> pair;
};

}  // namespace kiv::ctltest
