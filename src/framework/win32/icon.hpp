#pragma once
// TIcon: an icon (the program's own, or one read from an .ico file).
#include <windows.h>

#include <memory>

#include "framework/win32/graphic.hpp"

namespace kiv {

class TIcon : public TGraphic {
 public:
  ~TIcon() override;
  bool Empty() const override { return icon_ == nullptr; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  HICON Handle() const { return icon_; }
  void SetHandle(HICON icon);  // takes ownership
  void Draw(TCanvas* canvas, const TRect& r) override;
  void LoadFromBytes(const uint8_t* data, size_t size) override;
  std::unique_ptr<TGraphic> NewEmpty() const override { return std::make_unique<TIcon>(); }

 private:
  HICON icon_ = nullptr;
  int width_ = 0, height_ = 0;
};

}  // namespace kiv
