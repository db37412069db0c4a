#pragma once
// A small skin built in memory for the skin-file theme's tests: one bitmap,
// "Sheet", of 2 x 2 cells each in its own colour, and objects whose bitmap
// links name one cell each, so that every painted pixel tells which object
// painted it.
#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_bitmap_list.hpp"
#include "themefiles/skin_objects.hpp"
#include "themefiles/skin_source.hpp"
#include "themefiles/skin_theme.hpp"

namespace kivtest {

// Every cell of the sheet is 2 x 2 pixels of its own colour.
inline kiv::TkivPixel Cell(int i) {
  return 0xFF000000u | uint32_t(10 + 5 * i) << 16 | uint32_t(220 - 3 * i) << 8 | uint32_t(30 + i);
}
inline constexpr int kCells = 50;

class SkinFixture {
  using TComponent = kiv::TComponent;
  using TLqSkinObject = kiv::TLqSkinObject;
  using TLqBitmapObject = kiv::TLqBitmapObject;

 public:
  SkinFixture() {
    auto* sheet = new kiv::TkivBitmap;
    sheet->SetName("Sheet");
    sheet->SetSize(2 * kCells, 2);
    for (int i = 0; i < kCells; ++i) sheet->FillRect(kiv::Bounds(2 * i, 0, 2, 2), Cell(i));
    source_.Bitmaps()->Add(sheet);
  }
  kiv::TkivBitmap* Sheet() const { return source_.Bitmaps()->GetBitmap(0); }
  // A top-level object: plain, or drawing cell when cell >= 0.
  TLqSkinObject* Top(const std::string& name, int cell = -1) {
    TLqSkinObject* o = cell >= 0 ? Bitmap(nullptr, name, cell) : new TLqSkinObject(nullptr);
    o->SetName(name);
    if (cell < 0) o->SetColor(kiv::clNone);
    source_.AddObject(o);
    return o;
  }
  // A child drawing cell.
  template <class T = TLqBitmapObject>
  T* Bitmap(TComponent* owner, const std::string& name, int cell) {
    auto* o = new T(owner);
    o->SetName(name);
    o->Bitmap()->SetName("Sheet");
    o->Bitmap()->SetRect(kiv::Bounds(2 * cell, 0, 2, 2));
    return o;
  }
  // Hands the skin to the theme.
  kiv::TKivSkinFile& Theme() {
    theme_.LoadedSource()->Assign(&source_);
    theme_.Apply();
    return theme_;
  }

 private:
  kiv::TLqSkinSource source_;
  kiv::TKivSkinFile theme_;
};

}  // namespace kivtest
