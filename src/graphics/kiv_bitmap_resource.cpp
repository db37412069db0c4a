// Portable twin of kiv_bitmap_resource_win32.cpp: there are no modules to load
// resources from, so the surface stays as it is (as for a missing resource).
#ifndef _WIN32
#include "graphics/kiv_bitmap.hpp"

namespace kiv {

void TkivBitmap::LoadFromModuleResource(const std::string&, const std::string&) {}

}  // namespace kiv
#endif
