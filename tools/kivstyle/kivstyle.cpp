// kivstyle: a visual style as the library reads it.
//   kivstyle names FILE          colour-scheme and size names, known sections
//   kivstyle ini FILE            the INI text
//   kivstyle parts FILE          each known section and its parsed properties
//   kivstyle draw FILE CLASS PART STATE WxH OUT.png
//                                a part drawn over white: CLASS and PART as
//                                the platform numbers them (Button 1 is the
//                                push button), STATE its state; with PART 0,
//                                CLASS names a section and STATE an image
//   kivstyle pack FILE.msstyles OUT.theme
//   kivstyle unpack FILE.theme OUT.ini
//   kivstyle bench FILE          timings against baselines of the same run
// FILE is a ".msstyles" library or a packaged ".theme".
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "framework/exceptions.hpp"
#include "framework/picture/png_writer.hpp"
#include "framework/text_convert.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "kivstyle_bench.hpp"
#include "themefiles/msstyles_theme.hpp"

namespace {

using kiv::TKivThemeMsStyles;
using kiv::TmsuxThemeObject;

int Usage() {
  std::fputs(
      "usage: kivstyle names|ini|parts FILE\n"
      "       kivstyle draw FILE CLASS PART STATE WxH OUT.png\n"
      "       kivstyle pack FILE.msstyles OUT.theme\n"
      "       kivstyle unpack FILE.theme OUT.ini\n"
      "       kivstyle bench FILE\n",
      stderr);
  return 2;
}

std::string Join(const std::vector<std::string>& list) {
  std::string s;
  for (const std::string& x : list) s += (s.empty() ? "" : ", ") + x;
  return s;
}

std::string Color(kiv::TColor c) {
  if (c == kiv::clNone) return "none";
  return std::to_string(c & 0xFF) + " " + std::to_string((c >> 8) & 0xFF) + " " +
         std::to_string((c >> 16) & 0xFF);
}

std::string Margins(const kiv::TmsuxMargins& m) {
  return std::to_string(m.Left) + ", " + std::to_string(m.Right) + ", " + std::to_string(m.Top) +
         ", " + std::to_string(m.Bottom);
}

std::string Image(const kiv::TkivBitmap* b, const std::string& name) {
  if (name.empty()) return "";
  if (b == nullptr || b->IsEmpty()) return name + " (missing)";
  return name + " (" + std::to_string(b->Width()) + " x " + std::to_string(b->Height()) + ")";
}

void PrintPart(const TmsuxThemeObject& o) {
  static const char* const kBg[] = {"fill", "borderfill", "imagefile", "none"};
  static const char* const kSizing[] = {"tile",
                                        "stretch",
                                        "tilevertical",
                                        "tilehorizontal",
                                        "truesize",
                                        "bordertileclientstretch",
                                        "borderstretchclienttile"};
  std::printf("[%s]\n", o.SectionName().c_str());
  std::printf("  bgtype %s, sizing %s, transparent %s\n", kBg[o.BgType], kSizing[o.SizingType],
              o.Transparent ? "yes" : "no");
  if (!o.ImageName.empty())
    std::printf("  image %s, %d frames %s\n", Image(o.Image, o.ImageName).c_str(), o.ImageCount,
                o.ImageLayout == kiv::kLayoutHorizontal ? "horizontal" : "vertical");
  for (size_t k = 0; k < o.SizeImages.size(); ++k)
    if (!o.SizeImageNames[k].empty())
      std::printf("  size variant %zu %s\n", k + 1,
                  Image(o.SizeImages[k], o.SizeImageNames[k]).c_str());
  if (o.GlyphType == 1)
    std::printf("  image glyph %s\n", Image(o.GlyphImage, o.GlyphImageName).c_str());
  std::printf("  sizing margins %s, content margins %s\n", Margins(o.SizingMargins).c_str(),
              Margins(o.ContentMargins).c_str());
  if (o.BgType != kiv::kBgImageFile)
    std::printf("  fill %s, border %s x %d\n", Color(o.FillColor).c_str(),
                Color(o.BorderColor).c_str(), o.BorderSize);
  std::printf("  text %s\n", Color(o.TextColor).c_str());
}

// The platform's class and part numbers of the parts this tool draws.
const char* SectionOf(const std::string& klass, int part) {
  struct Entry {
    const char* klass;
    int part;
    const char* section;
  };
  static const Entry kParts[] = {
      {"Button", 1, "Button.Pushbutton"},
      {"Button", 2, "button.radiobutton"},
      {"Button", 3, "button.checkbox"},
      {"Button", 4, "button.groupbox"},
      {"ScrollBar", 1, "ScrollBar.ArrowBtn"},
      {"ScrollBar", 2, "ScrollBar.ThumbBtnHorz"},
      {"ScrollBar", 3, "ScrollBar.ThumbBtnVert"},
      {"ScrollBar", 4, "ScrollBar.LowerTrackHorz"},
      {"ScrollBar", 5, "ScrollBar.UpperTrackHorz"},
      {"ScrollBar", 6, "ScrollBar.LowerTrackVert"},
      {"ScrollBar", 7, "ScrollBar.UpperTrackVert"},
      {"ScrollBar", 8, "ScrollBar.GripperHorz"},
      {"ScrollBar", 9, "ScrollBar.GripperVert"},
      {"Edit", 1, "edit"},
      {"Progress", 1, "Progress.Bar"},
      {"Progress", 2, "Progress.BarVert"},
      {"Progress", 3, "Progress.Chunk"},
      {"Progress", 4, "Progress.ChunkVert"},
      {"Status", 1, "status.pane"},
      {"Status", 2, "status.gripperpane"},
      {"Status", 3, "status.gripper"},
      {"Header", 1, "header.headeritem"},
      {"Spin", 1, "Spin.Up"},
      {"Spin", 2, "Spin.Down"},
      {"Tab", 1, "tab.toptabitem"},
      {"Tab", 9, "tab.pane"},
      {"Rebar", 3, "rebar.band"},
      {"Toolbar", 1, "toolbar.button"},
  };
  for (const Entry& e : kParts)
    if (kiv::SameText(klass, e.klass) && part == e.part) return e.section;
  return nullptr;
}

int Run(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  if (command == "bench" && argc == 3) return kivstyle::Bench(argv[2]);
  TKivThemeMsStyles theme;
  if (!theme.LoadFromFile(argv[2])) {
    std::fprintf(stderr, "error: %s is no visual style this library reads\n", argv[2]);
    return 1;
  }
  if (command == "names" && argc == 3) {
    std::printf("colour schemes: %s\nsizes: %s\nINI resources: %s\n",
                Join(theme.ColorSchemes()).c_str(), Join(theme.SizeNames()).c_str(),
                Join(theme.IniNames()).c_str());
    std::vector<std::string> present, missing;
    for (const auto& part : theme.Parts().All())
      (part->Exists() ? present : missing).push_back(part->SectionName());
    std::printf("known sections: %zu of %zu\nmissing: %s\nimages: %d\n", present.size(),
                theme.Parts().All().size(), Join(missing).c_str(), theme.Bitmaps().Count());
    return 0;
  }
  if (command == "ini" && argc == 3) {
    std::fwrite(theme.IniText().data(), 1, theme.IniText().size(), stdout);
    return 0;
  }
  if (command == "parts" && argc == 3) {
    for (const auto& part : theme.Parts().All())
      if (part->Exists()) PrintPart(*part);
    return 0;
  }
  if (command == "draw" && argc == 8) {
    const int part = std::atoi(argv[4]), state = std::atoi(argv[5]);
    int w = 0, h = 0;
    if (std::sscanf(argv[6], "%dx%d", &w, &h) != 2 || w <= 0 || h <= 0 || w > 4096 || h > 4096)
      return Usage();
    const char* section = part == 0 ? argv[3] : SectionOf(argv[3], part);
    if (section == nullptr || theme.Parts().Existing(section) == nullptr) {
      std::fprintf(stderr, "error: the style has no %s part %d\n", argv[3], part);
      return 1;
    }
    kiv::TkivBitmap surface;
    surface.SetSize(w, h);
    surface.Fill(0xFFFFFFFF);
    theme.Parts().Existing(section)->Draw(surface, surface.BoundsRect(), state);
    if (!kiv::WritePngRgba(argv[7], surface.Bits(), w, h)) {
      std::fprintf(stderr, "error: cannot write %s\n", argv[7]);
      return 1;
    }
    return 0;
  }
  if (command == "pack" && argc == 4) {
    if (!theme.SaveToFile(argv[3])) {
      std::fprintf(stderr, "error: the packaged form is written to a name ending in .theme\n");
      return 1;
    }
    return 0;
  }
  if (command == "unpack" && argc == 4) {
    std::ofstream out(argv[3], std::ios::binary);
    out << theme.IniText();
    return out ? 0 : 1;
  }
  return Usage();
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const kiv::Exception& e) {
    std::fprintf(stderr, "error: %s\n", e.what());
    return 1;
  }
}
