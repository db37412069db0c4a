#include "sheet.hpp"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "label.hpp"
#include "pictures.hpp"

namespace kivtool {
namespace {

using kiv::TkivBitmap;

// A surface sized at construction.
std::unique_ptr<TkivBitmap> NewSurface(int w, int h) {
  auto s = std::make_unique<TkivBitmap>();
  s->SetSize(w, h);
  return s;
}

}  // namespace

std::string SheetLabel(const std::string& effect) {
  if (effect == kiv::kBitmapEffectName) return effect;
  const kiv::TkivProcItem* item = kiv::FindEffect(effect);
  if (item == nullptr) throw std::runtime_error("no effect named " + effect);
  return item->Name;
}

std::unique_ptr<TkivBitmap> ComposeSheet(const std::vector<std::string>& effects,
                                         TSheetOptions& options, int* frames_per_row) {
  const int w = options.Width, h = options.Height;
  kiv::TkivAnimationRec& rec = options.Rec;
  kiv::SetAnimationTimer(std::make_unique<kiv::TkivManualTimer>());
  TkivBitmap source;
  source.SetSize(w, h);
  PaintOldPicture(source);
  std::vector<std::vector<std::unique_ptr<TkivBitmap>>> rows;
  std::vector<std::string> labels;
  TkivBitmap pattern;
  for (const std::string& name : effects) {
    labels.push_back(SheetLabel(name));
    if (name == kiv::kBitmapEffectName) {
      // A radial pattern: the centre (bright) appears first.
      pattern.SetSize(32, 32);
      for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
          const int d = (x - 16) * (x - 16) + (y - 16) * (y - 16);
          const int v = d >= 512 ? 0 : 255 - d / 2;
          pattern.SetPixel(x, y, 0xFF000000u | static_cast<kiv::TkivPixel>(v) * 0x010101u);
        }
      rec.SetBitmap(&pattern);
    }
    TkivBitmap target, screen;
    target.SetSize(w, h);
    screen.SetSize(w, h);
    PaintNewPicture(target);
    rec.SetEffect(name);
    // Every frame the engine draws lands on the screen surface; a copy of it
    // is kept after each timer event.
    kiv::TkivSurfaceCanvas canvas(screen);
    std::vector<std::unique_ptr<TkivBitmap>> frames;
    const int slot = kiv::StartAnimation(&canvas, 0, 0, -1, rec, &target, &source);
    while (kiv::IsAnimating(slot)) {
      kiv::AnimationTick();
      frames.push_back(NewSurface(w, h));
      screen.DrawTo(*frames.back(), 0, 0);
    }
    std::vector<std::unique_ptr<TkivBitmap>> row;
    row.push_back(NewSurface(w, h));
    source.DrawTo(*row.back(), 0, 0);
    for (size_t f = 0; f < frames.size(); ++f)
      if ((f + 1) % options.Every == 0 || f + 1 == frames.size())
        row.push_back(std::move(frames[f]));
    rows.push_back(std::move(row));
  }
  size_t most = 0;
  int widest_label = 0;
  for (const auto& r : rows) most = std::max(most, r.size());
  for (const std::string& l : labels) widest_label = std::max(widest_label, LabelWidth(l));
  if (frames_per_row) *frames_per_row = most > 0 ? static_cast<int>(most) - 1 : 0;
  if (rows.empty()) return nullptr;
  auto sheet_surface = NewSurface(1, 1);
  TkivBitmap& sheet = *sheet_surface;
  sheet.SetSize(
      std::max(static_cast<int>(most) * (w + kSheetGap), widest_label + kSheetGap) + kSheetGap,
      SheetRowTop(static_cast<int>(rows.size()), h));
  sheet.Fill(kSheetBackground);
  for (size_t r = 0; r < rows.size(); ++r) {
    const int top = SheetRowTop(static_cast<int>(r), h);
    DrawLabel(sheet, kSheetGap, top, labels[r], kSheetLabelColour);
    for (size_t c = 0; c < rows[r].size(); ++c)
      rows[r][c]->DrawTo(sheet, kSheetGap + static_cast<int>(c) * (w + kSheetGap),
                         top + kSheetLabelBand);
  }
  return sheet_surface;
}

}  // namespace kivtool
