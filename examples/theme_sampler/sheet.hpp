#pragma once
// The sampler's sheet: every element family of a theme in each of its states,
// one labelled row per family, drawn onto one surface.
#include <memory>

#include "graphics/kiv_bitmap.hpp"
#include "theme/kiv_theme.hpp"

namespace kiv::sampler {

// The whole sheet for the theme, its size fixed by the layout (the same for
// every theme).
std::unique_ptr<TkivBitmap> DrawSheet(TkivTheme& theme);

}  // namespace kiv::sampler
