// Feeds arbitrary bytes to the reader of the "ThemeStream" property (a
// theme kept in a form). A read must succeed or fail with one of the
// framework's exceptions; an item that read data must write it and read it
// back unchanged, and the theme manager must load or refuse its data
// cleanly (the older form's theme goes through the manager while reading).
#include <cstddef>
#include <cstdint>

#include "framework/exceptions.hpp"
#include "framework/streams.hpp"
#include "themefiles/theme_stream.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kiv::TMemoryStream in;
  if (size > 0) in.WriteBuffer(data, static_cast<int64_t>(size));
  in.SetPosition(0);
  kiv::TKivThemeStream item(nullptr);
  try {
    item.ReadData(in);
  } catch (const kiv::Exception&) {
    return 0;
  }
  if (item.Data()->Size() == 0) return 0;
  kiv::TMemoryStream out;
  item.WriteData(out);
  out.SetPosition(0);
  kiv::TKivThemeStream again(nullptr);
  again.ReadData(out);
  if (again.ThemeName() != item.ThemeName() || again.Data()->Size() != item.Data()->Size())
    __builtin_trap();
  try {
    item.LoadTheme();
  } catch (const kiv::Exception&) {
  }
  return 0;
}
