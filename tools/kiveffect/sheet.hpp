#pragma once
// The contact sheet: each effect played between the tool's two pictures, one
// row per effect under a label with the effect's name: the old picture, then
// every K-th frame and the last one.
#include <memory>
#include <string>
#include <vector>

#include "effects/engine.hpp"
#include "graphics/kiv_bitmap.hpp"

namespace kivtool {

struct TSheetOptions {
  int Width = 96, Height = 64;  // of each frame
  int Every = 2;                // every K-th frame is kept
  kiv::TkivAnimationRec Rec;    // resolution, tiles, rotation, time
};

inline constexpr int kSheetGap = 3;
inline constexpr kiv::TkivPixel kSheetBackground = 0xFF303030u, kSheetLabelColour = 0xFFE8E8E8u;

// The top of row `row`'s label; its frames start kSheetLabelBand below it.
inline constexpr int kSheetLabelBand = 7 + kSheetGap;
inline int SheetRowTop(int row, int frame_height) {
  return kSheetGap + row * (kSheetLabelBand + frame_height + kSheetGap);
}

// The name a row is labelled with: the effect's registered name.
std::string SheetLabel(const std::string& effect);

// Throws std::runtime_error for an unknown effect name; nullptr for no effects.
std::unique_ptr<kiv::TkivBitmap> ComposeSheet(const std::vector<std::string>& effects,
                                              TSheetOptions& options,
                                              int* frames_per_row = nullptr);

}  // namespace kivtool
