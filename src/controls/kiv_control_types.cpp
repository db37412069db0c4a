// The inner rectangle and the bevel presets.
#include "controls/kiv_control_types.hpp"

namespace kiv {

TKivBevelCut BevelKindCut(TKivBevelKind kind) {
  switch (kind) {
    case qbkSingle:
    case qbkTile:
    case qbkSoft:
      return qbvLowered;
    case qbkBorder:
      return qbvBorder;
    case qbkFlat:
      return qbvFlatBorder;
    case qbkNone:
      break;
  }
  return qbvNone;
}

TRect KivInnerRect(int width, int height, const TKivFrameSpec& frame) {
  TRect r{frame.BorderWidth, frame.BorderWidth, width - frame.BorderWidth,
          height - frame.BorderWidth};
  const int cuts = (frame.BevelInner != qbvNone) + (frame.BevelOuter != qbvNone);
  const int d = frame.BevelWidth * cuts;
  if (frame.BevelSides.Contains(qbsLeft)) r.Left += d;
  if (frame.BevelSides.Contains(qbsTop)) r.Top += d;
  if (frame.BevelSides.Contains(qbsRight)) r.Right -= d;
  if (frame.BevelSides.Contains(qbsBottom)) r.Bottom -= d;
  return r;
}

}  // namespace kiv
