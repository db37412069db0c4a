#pragma once
// TKivFontOptions: adjustments a control applies to its caption font (added
// styles, a size step, another face or colour), with a change notification.
#include <string>

#include "framework/classes.hpp"
#include "framework/colors.hpp"
#include "framework/font.hpp"

namespace kiv {

class TKivFontOptions : public TPersistent {
  KIV_CLASS(TKivFontOptions, TPersistent)
 public:
  TKivFontOptions() = default;

  bool Bold() const { return bold_; }
  void SetBold(bool value) { Store(bold_, value); }
  bool Italic() const { return italic_; }
  void SetItalic(bool value) { Store(italic_, value); }
  int SizeDelta() const { return size_delta_; }
  void SetSizeDelta(int value) { Store(size_delta_, value); }
  bool Underline() const { return underline_; }
  void SetUnderline(bool value) { Store(underline_, value); }
  bool StrikeOut() const { return strike_out_; }
  void SetStrikeOut(bool value) { Store(strike_out_, value); }
  const std::string& FontName() const { return font_name_; }
  void SetFontName(const std::string& value) { Store(font_name_, value); }
  TColor FontColor() const { return font_color_; }
  void SetFontColor(TColor value) { Store(font_color_, value); }

  // From other options: all seven values, then one notification.
  void Assign(const TPersistent* source) override;

  // Adds the set styles (never removes one), adds SizeDelta to the point
  // size, and sets the face and colour when they are given.
  void ApplyTo(TFont& font) const;

  TNotifyEvent OnChange;

 private:
  template <class T>
  void Store(T& field, const T& value) {
    if (field == value) return;
    field = value;
    if (OnChange) OnChange(this);
  }

  bool bold_ = false;
  bool italic_ = false;
  int size_delta_ = 0;
  bool underline_ = false;
  bool strike_out_ = false;
  std::string font_name_;
  TColor font_color_ = clNone;
};

}  // namespace kiv
