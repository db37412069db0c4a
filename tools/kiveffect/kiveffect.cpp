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
//       sheet: one row per effect, the old picture, then every K-th frame and
//       the last one
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "effects/engine.hpp"
#include "pictures.hpp"
#include "framework/picture/png_writer.hpp"

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

// A surface sized at construction.
std::unique_ptr<TkivBitmap> NewSurface(int w, int h) {
  auto s = std::make_unique<TkivBitmap>();
  s->SetSize(w, h);
  return s;
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
  int w = 96, h = 64, every = 2;
  TkivAnimationRec rec;
  for (size_t i = 2; i + 1 < a.size(); i += 2) {
    const std::string& k = a[i];
    const std::string& v = a[i + 1];
    if (k == "--size") {
      const size_t x = v.find('x');
      if (x == std::string::npos) throw std::runtime_error("bad size: " + v);
      w = ToInt(v.substr(0, x), 1, 2000, "width");
      h = ToInt(v.substr(x + 1), 1, 2000, "height");
    } else if (k == "--resolution") {
      rec.SetResolution(ToInt(v, -1000, 1000, "resolution"));
    } else if (k == "--tiles") {
      rec.SetTileCount(ToInt(v, -1000, 1000, "tile count"));
    } else if (k == "--rotation") {
      rec.SetRotation(static_cast<TkivRotation>(ToInt(v, 0, 3, "rotation")));
    } else if (k == "--time") {
      rec.SetTime(ToInt(v, 0, 100000, "time"));
    } else if (k == "--every") {
      every = ToInt(v, 1, 1000, "frame step");
    } else {
      return Usage();
    }
  }
  if (a.size() % 2 != 0) return Usage();

  SetAnimationTimer(std::make_unique<TkivManualTimer>());
  TkivBitmap source;
  source.SetSize(w, h);
  kivtool::PaintOldPicture(source);
  const int gap = 3;
  std::vector<std::vector<std::unique_ptr<TkivBitmap>>> rows;
  for (const std::string& name : names) {
    if (name != kBitmapEffectName && FindEffect(name) == nullptr)
      throw std::runtime_error("no effect named " + name);
    if (name == kBitmapEffectName) {
      // A radial pattern: the centre (bright) appears first.
      TkivBitmap pat;
      pat.SetSize(32, 32);
      for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
          const int d = (x - 16) * (x - 16) + (y - 16) * (y - 16);
          const int v = d >= 512 ? 0 : 255 - d / 2;
          pat.SetPixel(x, y, 0xFF000000u | static_cast<TkivPixel>(v) * 0x010101u);
        }
      rec.SetBitmap(&pat);
    }
    TkivBitmap target, screen;
    target.SetSize(w, h);
    screen.SetSize(w, h);
    kivtool::PaintNewPicture(target);
    rec.SetEffect(name);
    // Every frame the engine draws lands on the screen surface; a copy of it
    // is kept after each timer event.
    TkivSurfaceCanvas canvas(screen);
    std::vector<std::unique_ptr<TkivBitmap>> frames;
    const int slot = StartAnimation(&canvas, 0, 0, -1, rec, &target, &source);
    while (IsAnimating(slot)) {
      AnimationTick();
      frames.push_back(NewSurface(w, h));
      screen.DrawTo(*frames.back(), 0, 0);
    }
    std::vector<std::unique_ptr<TkivBitmap>> row;
    row.push_back(NewSurface(w, h));
    source.DrawTo(*row.back(), 0, 0);
    for (size_t f = 0; f < frames.size(); ++f)
      if ((f + 1) % every == 0 || f + 1 == frames.size()) row.push_back(std::move(frames[f]));
    rows.push_back(std::move(row));
  }
  size_t most = 0;
  for (const auto& r : rows) most = std::max(most, r.size());
  if (rows.empty() || most == 0) return Usage();
  TkivBitmap sheet;
  sheet.SetSize(static_cast<int>(most) * (w + gap) + gap,
                static_cast<int>(rows.size()) * (h + gap) + gap);
  sheet.Fill(0xFF303030u);
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < rows[r].size(); ++c)
      rows[r][c]->DrawTo(sheet, gap + static_cast<int>(c) * (w + gap),
                         gap + static_cast<int>(r) * (h + gap));
  // The sheet's colours, opaque: frames are shown on screen without alpha.
  std::vector<kiv::TkivPixel> opaque(static_cast<size_t>(sheet.Width()) * sheet.Height());
  for (int y = 0; y < sheet.Height(); ++y) {
    const kiv::TkivPixel* row = sheet.ScanLine(y);
    for (int x = 0; x < sheet.Width(); ++x)
      opaque[static_cast<size_t>(y) * sheet.Width() + x] = row[x] | 0xFF000000u;
  }
  if (!kiv::WritePngRgba(out, opaque.data(), sheet.Width(), sheet.Height()))
    throw std::runtime_error("cannot write " + out);
  std::printf("%s: %zu effect(s), %zu frames per row\n", out.c_str(), rows.size(), most - 1);
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
