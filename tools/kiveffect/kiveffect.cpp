// kiveffect: looks at the transition effects from the command line.
//
//   kiveffect list
//       every registered display name, in registration order
//   kiveffect mask NAME COLS ROWS PROGRESS [ROTATION]
//       the effect's mask on a COLS x ROWS grid at PROGRESS (0..100), turned
//       by ROTATION (0..3 quarter turns), as rows of numbers
//   kiveffect sheet OUT.png NAME[,NAME...] [--size WxH] [--resolution R]
//                   [--tiles T] [--rotation N] [--time MS] [--every K]
//       plays each effect between two pictures of its own and saves a contact
//       sheet: one row per effect under its name, the old picture, then every
//       K-th frame and the last one
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "effects/engine.hpp"
#include "framework/picture/png_writer.hpp"
#include "sheet.hpp"

using namespace kiv;

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: kiveffect list\n"
               "       kiveffect mask NAME COLS ROWS PROGRESS [ROTATION]\n"
               "       kiveffect sheet OUT.png NAME[,NAME...] [--size WxH] [--resolution R]\n"
               "                 [--tiles T] [--rotation N] [--time MS] [--every K]\n");
  return 2;
}

int ToInt(const std::string& s, int low, int high, const char* what) {
  char* end = nullptr;
  const long v = std::strtol(s.c_str(), &end, 10);
  if (s.empty() || *end != '\0' || v < low || v > high)
    throw std::runtime_error(std::string("bad ") + what + ": " + s);
  return static_cast<int>(v);
}

int List() {
  const TkivProcList& list = EffectList();
  for (int i = 0; i < list.Count(); ++i) std::printf("%s\n", list.Items(i)->Name.c_str());
  return 0;
}

int Mask(const std::vector<std::string>& a) {
  if (a.size() < 4 || a.size() > 5) return Usage();
  const TkivProcItem* item = FindEffect(a[0]);
  if (item == nullptr || item->Kind != pkFade)
    throw std::runtime_error("no mask effect named " + a[0]);
  TkivFrameGrid g;
  g.Cols = ToInt(a[1], 1, 4096, "columns");
  g.Rows = ToInt(a[2], 1, 4096, "rows");
  const int p = ToInt(a[3], 0, 100, "progress");
  const int rot = a.size() == 5 ? ToInt(a[4], 0, 3, "rotation") : 0;
  std::vector<uint8_t> mask(static_cast<size_t>(g.Cols) * g.Rows), mask2(mask.size());
  g.Mask = mask.data();
  g.Mask2 = mask2.data();
  BuildEffectMask(static_cast<TkivRotation>(rot), std::get<TkivMaskProc>(item->Proc), g,
                  static_cast<uint8_t>(p));
  for (int y = 0; y < g.Rows; ++y) {
    for (int x = 0; x < g.Cols; ++x)
      std::printf(x ? " %3d" : "%3d", mask[x + static_cast<size_t>(y) * g.Cols]);
    std::printf("\n");
  }
  return 0;
}

int Sheet(const std::vector<std::string>& a) {
  if (a.size() < 2) return Usage();
  const std::string out = a[0];
  std::vector<std::string> names;
  {
    std::stringstream ss(a[1]);
    for (std::string n; std::getline(ss, n, ',');)
      if (!n.empty()) names.push_back(n);
  }
  kivtool::TSheetOptions options;
  for (size_t i = 2; i + 1 < a.size(); i += 2) {
    const std::string& k = a[i];
    const std::string& v = a[i + 1];
    if (k == "--size") {
      const size_t x = v.find('x');
      if (x == std::string::npos) throw std::runtime_error("bad size: " + v);
      options.Width = ToInt(v.substr(0, x), 1, 2000, "width");
      options.Height = ToInt(v.substr(x + 1), 1, 2000, "height");
    } else if (k == "--resolution") {
      options.Rec.SetResolution(ToInt(v, -1000, 1000, "resolution"));
    } else if (k == "--tiles") {
      options.Rec.SetTileCount(ToInt(v, -1000, 1000, "tile count"));
    } else if (k == "--rotation") {
      options.Rec.SetRotation(static_cast<TkivRotation>(ToInt(v, 0, 3, "rotation")));
    } else if (k == "--time") {
      options.Rec.SetTime(ToInt(v, 0, 100000, "time"));
    } else if (k == "--every") {
      options.Every = ToInt(v, 1, 1000, "frame step");
    } else {
      return Usage();
    }
  }
  if (a.size() % 2 != 0) return Usage();

  int frames = 0;
  const std::unique_ptr<TkivBitmap> composed = kivtool::ComposeSheet(names, options, &frames);
  if (!composed) return Usage();
  const TkivBitmap& sheet = *composed;
  // The sheet's colours, opaque: frames are shown on screen without alpha.
  std::vector<kiv::TkivPixel> opaque(static_cast<size_t>(sheet.Width()) * sheet.Height());
  for (int y = 0; y < sheet.Height(); ++y) {
    const kiv::TkivPixel* row = sheet.ScanLine(y);
    for (int x = 0; x < sheet.Width(); ++x)
      opaque[static_cast<size_t>(y) * sheet.Width() + x] = row[x] | 0xFF000000u;
  }
  if (!kiv::WritePngRgba(out, opaque.data(), sheet.Width(), sheet.Height()))
    throw std::runtime_error("cannot write " + out);
  std::printf("%s: %zu effect(s), %d frames per row\n", out.c_str(), names.size(), frames);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string cmd = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  try {
    if (cmd == "list") return List();
    if (cmd == "mask") return Mask(args);
    if (cmd == "sheet") return Sheet(args);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kiveffect: %s\n", e.what());
    return 1;
  }
  return Usage();
}
