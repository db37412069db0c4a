#pragma once
// kivskin render: one control drawn from a skin file by the skin-file theme.
#include <string>

namespace kiv {

// Loads the skin FILE into a skin-file theme and draws the control KIND in
// STATE (comma-separated names: an interaction state, a check mark, or
// "inactive" for windows) into a surface of the control's usual size, on a
// light grey ground, saved as the PNG file OUT. Unknown kinds or states
// raise EConvertError naming the known ones. Only the Windows build draws.
int RenderSkinControl(const std::string& file, const std::string& kind, const std::string& state,
                      const std::string& out);

}  // namespace kiv
