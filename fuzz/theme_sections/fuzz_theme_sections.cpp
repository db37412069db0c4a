// Feeds arbitrary bytes to the theme section readers: the first byte picks
// the section, the rest is its stream. A reader must load the bytes or refuse
// them with the framework's read or conversion error, and nothing else. A
// colour, system-colour or options section that loaded must write bytes that
// read back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/exceptions.hpp"
#include "framework/streams.hpp"
#include "theme/theme_sections.hpp"

namespace {

template <class Section>
std::string Saved(const Section& section) {
  kiv::TMemoryStream s;
  section.SaveToStream(s);
  return std::string(s.Memory(), s.Memory() + s.Size());
}

// Loads the stream into a fresh section; when it loads, checks that what it
// writes reads back unchanged.
template <class Section>
void Check(kiv::TMemoryStream& in, bool round_trip) {
  Section section;
  try {
    section.LoadFromStream(in);
  } catch (const kiv::EReadError&) {
    return;
  } catch (const kiv::EConvertError&) {
    return;
  }
  if (in.Position() > in.Size()) __builtin_trap();
  if (!round_trip) {
    Saved(section);
    return;
  }
  const std::string first = Saved(section);
  kiv::TMemoryStream again;
  again.WriteBuffer(first.data(), static_cast<int64_t>(first.size()));
  again.SetPosition(0);
  Section copy;
  copy.LoadFromStream(again);
  if (Saved(copy) != first) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  kiv::TMemoryStream in;
  if (size > 1) in.WriteBuffer(data + 1, static_cast<int64_t>(size - 1));
  in.SetPosition(0);
  switch (data[0] % 4) {
    case 0:
      Check<kiv::TkivThemeColors>(in, true);
      break;
    case 1:
      Check<kiv::TkivThemeSysColors>(in, true);
      break;
    case 2:
      // A face name holding "," or ";" does not survive the text form, so
      // the font section is only loaded and written.
      Check<kiv::TkivThemeFonts>(in, false);
      break;
    default:
      Check<kiv::TkivThemeOptions>(in, true);
      break;
  }
  return 0;
}
