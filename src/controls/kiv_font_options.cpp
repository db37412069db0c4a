// TKivFontOptions.
#include "controls/kiv_font_options.hpp"

#include "framework/class_builder.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TKivFontOptions, c) {
  c.Boolean("Bold", &TKivFontOptions::Bold, &TKivFontOptions::SetBold).Default(false);
  c.Boolean("Italic", &TKivFontOptions::Italic, &TKivFontOptions::SetItalic).Default(false);
  c.Integer("SizeDelta", &TKivFontOptions::SizeDelta, &TKivFontOptions::SetSizeDelta).Default(0);
  c.Boolean("Underline", &TKivFontOptions::Underline, &TKivFontOptions::SetUnderline)
      .Default(false);
  c.Boolean("StrikeOut", &TKivFontOptions::StrikeOut, &TKivFontOptions::SetStrikeOut)
      .Default(false);
  c.String("FontName", &TKivFontOptions::FontName, &TKivFontOptions::SetFontName);
  c.Color("FontColor", &TKivFontOptions::FontColor, &TKivFontOptions::SetFontColor).Default(clNone);
}

void TKivFontOptions::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TKivFontOptions*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  bold_ = other->bold_;
  italic_ = other->italic_;
  size_delta_ = other->size_delta_;
  underline_ = other->underline_;
  strike_out_ = other->strike_out_;
  font_name_ = other->font_name_;
  font_color_ = other->font_color_;
  if (OnChange) OnChange(this);
}

void TKivFontOptions::ApplyTo(TFont& font) const {
  TFontStyles style = font.Style();
  if (bold_) style.Include(fsBold);
  if (italic_) style.Include(fsItalic);
  if (underline_) style.Include(fsUnderline);
  if (strike_out_) style.Include(fsStrikeOut);
  font.SetStyle(style);
  if (size_delta_ != 0) font.SetSize(font.Size() + size_delta_);
  if (!font_name_.empty()) font.SetName(font_name_);
  if (font_color_ != clNone) font.SetColor(font_color_);
}

}  // namespace kiv
