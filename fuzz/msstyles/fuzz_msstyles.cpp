// Feeds arbitrary bytes to the visual-styles library reader. The reader must
// load the module or refuse it with the framework's read error, and nothing
// else; every resource it lists lies inside the bytes. The same bytes then go
// to the visual-styles theme as a stream, the way the theme manager hands it
// a file: it recognises a module or a package, or refuses them with a stream
// error; a theme that loads draws every element it has into a small surface.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/exceptions.hpp"
#include "framework/streams.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "themefiles/msstyles_module.hpp"
#include "themefiles/msstyles_theme.hpp"

namespace {

void DrawEverything(const kiv::TKivThemeMsStyles& theme) {
  using kiv::MakePartInfo;
  using kiv::MakeStateInfo;
  kiv::TkivBitmap target;
  target.SetSize(48, 40);
  const kiv::TkivDC dc = target.DC();
  const kiv::TRect r{2, 3, 45, 37};
  for (uint8_t state : {0, 1, 2, 3, 4, 5, 6, 10}) {
    for (uint8_t kind : {0, 1, 4, 5, 6}) {
      theme.DrawButton(dc, kind, MakeStateInfo(r, state));
      theme.DrawCheck(dc, kind, MakeStateInfo(r, state));
      theme.DrawEdit(dc, kind, MakeStateInfo(r, state));
      theme.DrawWindowFrame(dc, kind, kiv::MakeWindowInfo(r, state & 1, 0xFFFF, {}, u"x"));
      theme.DrawMenu(dc, kind, r);
    }
    theme.DrawMemo(dc, MakeStateInfo(r, state));
    theme.DrawStatusPanel(dc, MakeStateInfo(r, state));
    for (uint8_t part = 0; part < 10; ++part) {
      const kiv::TkivPartInfo info = MakePartInfo(r, part, state);
      theme.DrawScrollBarButton(dc, info);
      theme.DrawScrollBarTrack(dc, info);
      theme.DrawProgressBar(dc, info);
      theme.DrawHeaderSection(dc, info);
      theme.DrawTrackBarTrack(dc, info);
      theme.DrawTrackBarThumb(dc, info);
      theme.DrawTab(dc, info);
      theme.DrawTabScrollButton(dc, info);
      theme.DrawToolButton(dc, info);
      theme.DrawMenuItem(dc, part & 1, info);
      theme.DrawWindowButton(dc, part & 6, kiv::MakeWindowButtonInfo(r, part, state, nullptr));
    }
    theme.DrawListItemCheck(dc, kiv::MakeListCheckInfo(r, nullptr, state));
  }
  theme.DrawStatusBar(dc, r);
  theme.DrawHeader(dc, r);
  theme.DrawTrackBar(dc, r);
  theme.DrawTabsBody(dc, r);
  theme.DrawToolBar(dc, r);
  theme.DrawControlBar(dc, r);
  theme.DrawListFrame(dc, r);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kiv::TmsuxStyleLibrary library;
  try {
    library.Load(std::vector<uint8_t>(data, data + size));
  } catch (const kiv::EReadError&) {
  }
  for (const kiv::TPeResource& r : library.Resources.Resources())
    if (r.Offset > size || r.Size > size - r.Offset) __builtin_trap();

  kiv::TMemoryStream stream;
  stream.WriteBuffer(data, static_cast<int64_t>(size));
  stream.SetPosition(0);
  // Bytes that neither kind claims are refused before a theme is made (it
  // brings its fonts and sections, the dearest part of a run).
  if (!kiv::TKivThemeMsStyles::ClassCanLoadFromStream(stream)) return 0;
  kiv::TKivThemeMsStyles theme;
  try {
    if (!theme.LoadFromStream(stream)) return 0;
  } catch (const kiv::EStreamError&) {
    return 0;
  }
  DrawEverything(theme);
  return 0;
}
