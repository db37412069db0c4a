#pragma once
// TPanel: a container with a 3-D bevel and an optional caption.
#include <array>
#include <string_view>

#include "framework/win32/custom_control.hpp"

namespace kiv {

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
inline constexpr std::array<std::string_view, 4> kBevelCutNames{"bvNone", "bvLowered", "bvRaised",
                                                                "bvSpace"};
static_assert(kBevelCutNames.size() == bvSpace + 1);

// A container with a 3-D bevel and an optional centred caption.
class TPanel : public TCustomControl {
  KIV_CLASS(TPanel, TCustomControl)
 public:
  explicit TPanel(TComponent* owner);
  TBevelCut BevelInner() const { return bevel_inner_; }
  void SetBevelInner(TBevelCut value);
  TBevelCut BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(TBevelCut value);
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int value);
  int BorderWidth() const { return border_width_; }
  void SetBorderWidth(int value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  void AdjustClientRect(TRect& r) override;

 protected:
  void Paint() override;

 private:
  void FrameChanged();
  TBevelCut bevel_inner_ = bvNone;
  TBevelCut bevel_outer_ = bvRaised;
  int bevel_width_ = 1;
  int border_width_ = 0;
  TAlignment alignment_ = taCenter;
};

}  // namespace kiv
