#pragma once
// TImage: a windowless control that shows a picture.
#include <memory>

#include "framework/win32/custom_control.hpp"
#include "framework/win32/picture_registry.hpp"

namespace kiv {

// Shows a picture. AutoSize takes the picture's size; Center centres it;
// Stretch and Proportional scale it (Proportional only ever shrinks). A
// picture that changes (an animated one, each frame) repaints the control.
class TImage : public TGraphicControl {
  KIV_CLASS(TImage, TGraphicControl)
 public:
  explicit TImage(TComponent* owner);
  ~TImage() override;
  TPicture* Picture() { return picture_.get(); }
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool value);
  bool Center() const { return center_; }
  void SetCenter(bool value);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  bool Proportional() const { return proportional_; }
  void SetProportional(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  // Where the picture is drawn, in the control's coordinates.
  TRect DestRect();

 protected:
  void Paint() override;

 private:
  void PictureChanged();
  std::unique_ptr<TPicture> picture_;
  bool auto_size_ = false, center_ = false, stretch_ = false, proportional_ = false,
       transparent_ = false;
};

}  // namespace kiv
