// kivskin render outside Windows: the skin-file theme draws through GDI.
#include "framework/exceptions.hpp"
#include "render.hpp"

namespace kiv {

int RenderSkinControl(const std::string&, const std::string&, const std::string&,
                      const std::string&) {
  throw Exception("render draws through Win32: run the Windows build of kivskin (under Wine)");
}

}  // namespace kiv
