#pragma once
// The few framework services this layer needs before the framework's own
// versions are in place. Kept in one header so that switching to them is a
// one-line change per function.
#include "framework/types.hpp"

namespace kiv::bridge {

// RGB value of a framework colour: plain colours keep their low three bytes;
// system colours (negative values) resolve through the platform.
TColor ColorToRGB(TColor color);

}  // namespace kiv::bridge
