#include "theme/kiv_theme.hpp"

#include "theme/theme_font_text.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TkivTheme, c) {}

namespace {

#define KIV_ENTRY_CTOR(family, name) TkivThemeOperation{#family, #name},
#define KIV_ENTRY_OP(family, name, ...) TkivThemeOperation{#family, #name},
constexpr TkivThemeOperation kOperations[] = {
    KIV_THEME_OPERATIONS(KIV_ENTRY_CTOR, KIV_ENTRY_OP, KIV_ENTRY_CTOR, KIV_ENTRY_OP, KIV_ENTRY_OP,
                         KIV_ENTRY_OP, KIV_ENTRY_OP, KIV_ENTRY_OP)};
#undef KIV_ENTRY_CTOR
#undef KIV_ENTRY_OP

// Shrinks r by h on the left and right and by v at the top and bottom.
TRect Inset(const TRect& r, int32_t h, int32_t v) {
  return TRect{r.Left + h, r.Top + v, r.Right - h, r.Bottom - v};
}

bool Contains(const TRect& r, const TPoint& p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

// The window-button slot width: each present button to the right of another
// moves it this far to the left.
constexpr int32_t kButtonStep = 22;

}  // namespace

std::span<const TkivThemeOperation> ThemeOperations() {
  return kOperations;
}

TkivTheme::TkivTheme() {
  name_ = "Default theme";
  colors_ = std::make_unique<TkivThemeColors>(this);
  sys_colors_ = std::make_unique<TkivThemeSysColors>(this);
  fonts_ = std::make_unique<TkivThemeFonts>(this);
  metrics_ = std::make_unique<TkivThemeMetrics>(this);
  drawing_ = std::make_unique<TkivThemeDrawing>(this);
  options_ = std::make_unique<TkivThemeOptions>(this);
  LoadDefaults();
}

TkivTheme::~TkivTheme() {
  options_.reset();
  metrics_.reset();
  drawing_.reset();
  fonts_.reset();
  sys_colors_.reset();
  colors_.reset();
}

void TkivTheme::Assign(const TPersistent* source) {
  if (const auto* s = dynamic_cast<const TkivTheme*>(source)) {
    if (s == this) return;
    name_ = s->name_;
    colors_->Assign(s->colors_.get());
    sys_colors_->Assign(s->sys_colors_.get());
    fonts_->Assign(s->fonts_.get());
    options_->Assign(s->options_.get());
    return;
  }
  TPersistent::Assign(source);
}

// ---------------------------------------------------------------- general operations

void TkivTheme::LoadDefaultColors() {
  for (int i = 0; i < kThemeColorCount; ++i)
    if (kThemeColorDefaults[i].Set) colors_->SetColor(i, kThemeColorDefaults[i].Value);
  colors_->ShiftHue(hue_);
  colors_->ShiftBrightness(brightness_);
}

void TkivTheme::AdjustSystemColors() {
  sys_colors_->ShiftHue(hue_);
  sys_colors_->ShiftBrightness(brightness_);
}

void TkivTheme::LoadDefaultFonts() {
  for (int i = 0; i < kThemeFontCount; ++i) {
    const TkivThemeFontDefault& d = kThemeFontDefaults[i];
    if (!d.Set) continue;
    SetFontValues(*fonts_->FontByIndex(i), kThemeFontFace, d.Size, d.Color,
                  d.Bold ? TFontStyles{fsBold} : TFontStyles{});
  }
  fonts_->ShiftHue(hue_);
  fonts_->ShiftBrightness(brightness_);
}

void TkivTheme::AssignObjectFont(TFont& font, int32_t index, const std::string&) {
  font.Assign(fonts_->FontByIndex(index));
}

std::string TkivTheme::GetThemeType() {
  return "Default";
}

TkivThemeConfig TkivTheme::GetConfig() {
  return TkivThemeConfig{};
}

bool TkivTheme::CanLoadFromStream(TStream&) {
  return false;
}

bool TkivTheme::LoadFromStream(TStream&) {
  return false;
}

bool TkivTheme::SaveToStream(TStream&) {
  return false;
}

bool TkivTheme::LoadFromFile(const std::string&) {
  return false;
}

bool TkivTheme::SaveToFile(const std::string&) {
  return false;
}

void TkivTheme::LoadDefaults() {
  LoadDefaultColors();
  AdjustSystemColors();
  LoadDefaultFonts();
}

// ---------------------------------------------------------------- queries

#define KIV_DEFINE_SUPPORTS(family, name)             \
  bool TkivTheme::name(uint8_t, const std::string&) { \
    return false;                                     \
  }
#define KIV_DEFINE_QUERY(family, name, answer)        \
  bool TkivTheme::name(uint8_t, const std::string&) { \
    return answer;                                    \
  }
#define KIV_SKIP(...)
KIV_THEME_OPERATIONS(KIV_SKIP, KIV_SKIP, KIV_DEFINE_SUPPORTS, KIV_DEFINE_QUERY, KIV_SKIP, KIV_SKIP,
                     KIV_SKIP, KIV_SKIP)
#undef KIV_DEFINE_SUPPORTS
#undef KIV_DEFINE_QUERY
#undef KIV_SKIP

TSize TkivTheme::GetCheckSize(uint8_t, const std::string&) {
  return TSize{13, 13};
}

// ---------------------------------------------------------------- window geometry

TkivRegion TkivTheme::WindowRegion(uint8_t, const TRect&, const std::string&) {
  return nullptr;
}

TRect TkivTheme::WindowContentRect(uint8_t, const TRect& source, const std::string&) {
  return TRect{source.Left + 4, source.Top + 22, source.Right - 4, source.Bottom - 4};
}

TRect TkivTheme::WindowCaptionRect(uint8_t kind, const TkivWindowInfo& source, const std::string&) {
  const TRect c = WindowContentRect(kind, source.Rect, "default");
  return TRect{c.Left, 3, c.Right, c.Top};
}

TRect TkivTheme::WindowButtonRect(uint8_t kind, const TkivWindowInfo& info, int32_t button,
                                  const std::string&) {
  auto has = [&](int i) { return (info.Buttons >> i & 1) != 0; };
  auto has_pair = [&](int i) { return has(i) || has(i + 1); };
  const TRect c = WindowContentRect(kind, info.Rect, "default");
  const TRect b0{c.Right - 23, 4, c.Right - 1, c.Top - 1};
  // Slots from the right: close, maximize pair, minimize pair, roll pair,
  // tray, help; each present button pushes the ones after it one step left.
  const bool close = has(kWindowButtonClose);
  const bool maximize = has_pair(kWindowButtonMaximize);
  const bool minimize = has_pair(kWindowButtonMinimize);
  const bool roll = has_pair(kWindowButtonRollUp);
  const bool tray = has(kWindowButtonTray);
  int32_t steps = 0;
  switch (button) {
    case kWindowButtonSysMenu:
      if (!has(kWindowButtonSysMenu)) return TRect{};
      return TRect{c.Left, 4, c.Left + kButtonStep, c.Top - 1};
    case kWindowButtonClose:
      if (!close) return TRect{};
      break;
    case kWindowButtonMaximize:
    case kWindowButtonRestoreMax:
      if (!maximize) return TRect{};
      steps = close;
      break;
    case kWindowButtonMinimize:
    case kWindowButtonRestoreMin:
      if (!minimize) return TRect{};
      steps = close + maximize;
      break;
    case kWindowButtonRollUp:
    case kWindowButtonRollDown:
      if (!roll) return TRect{};
      steps = close + maximize + minimize;
      break;
    case kWindowButtonTray:
      if (!tray) return TRect{};
      steps = close + maximize + minimize + roll;
      break;
    case kWindowButtonHelp:
      if (!has(kWindowButtonHelp)) return TRect{};
      steps = close + maximize + minimize + roll + tray;
      break;
    default:
      return TRect{};
  }
  const int32_t dx = steps * kButtonStep;
  return TRect{b0.Left - dx, b0.Top, b0.Right - dx, b0.Bottom};
}

int32_t TkivTheme::WindowHitTest(uint8_t kind, const TkivWindowInfo& info, const std::string&,
                                 const TPoint& point) {
  if (kind != 0 && kind != 1 && kind != 2 && kind != 6) return kHitNone;
  const TRect w = info.Rect;
  const TRect c = WindowContentRect(kind, w, "default");
  const bool left = Contains(TRect{w.Left, w.Top, c.Left, w.Bottom}, point);
  const bool top = Contains(TRect{w.Left, w.Top, w.Right, c.Top}, point);
  const bool right = Contains(TRect{c.Right, w.Top, w.Right, w.Bottom}, point);
  const bool bottom = Contains(TRect{w.Left, c.Bottom, w.Right, w.Bottom}, point);
  int32_t code = kHitNone;
  if (left) code = kHitLeft;
  if (top) code = kHitTop;
  if (right) code = kHitRight;
  if (bottom) code = kHitBottom;
  if (left && top) code = kHitTopLeft;
  if (right && top) code = kHitTopRight;
  if (left && bottom) code = kHitBottomLeft;
  if (right && bottom) code = kHitBottomRight;
  if (Contains(WindowCaptionRect(kind, info, "default"), point)) code = kHitCaption;
  // Button index -> hit code; indices past the tray button answer none.
  static constexpr int32_t kButtonCodes[] = {
      kHitSysMenu, kHitClose, kHitHelp, kHitMinimize, kHitMinimize, kHitMaximize, kHitMaximize,
      kHitRoll,    kHitRoll,  kHitTray, kHitNone,     kHitNone,     kHitNone};
  for (int32_t b = 0; b < static_cast<int32_t>(std::size(kButtonCodes)); ++b)
    if (Contains(WindowButtonRect(kind, info, b, "default"), point)) return kButtonCodes[b];
  return code;
}

// ---------------------------------------------------------------- content rectangles

TRect TkivTheme::HintContentRect(uint8_t, const TRect& source, const std::string&) {
  return Inset(source, 10, 13);
}

TRect TkivTheme::ContainerContentRect(uint8_t, const TRect& source, const std::string&) {
  return source;
}

TRect TkivTheme::ProgressBarContentRect(uint8_t, const TkivPartInfo& source, const std::string&) {
  return source.Rect;
}

TRect TkivTheme::StatusBarContentRect(uint8_t, const TRect& source, const std::string&) {
  return Inset(source, 5, 2);
}

TRect TkivTheme::EditContentRect(uint8_t, const TRect& source, const std::string&) {
  return Inset(source, 3, 3);
}

TRect TkivTheme::GroupBoxContentRect(uint8_t, const TRect& source, const std::string&) {
  return source;
}

TRect TkivTheme::MemoContentRect(uint8_t, const TkivStateInfo& source, const std::string&) {
  return source.Rect;
}

TRect TkivTheme::TextAreaContentRect(uint8_t, const TRect& source, const std::string&) {
  return source;
}

TRect TkivTheme::MenuContentRect(uint8_t, const TRect& source, const std::string&) {
  return Inset(source, 3, 5);
}

TRect TkivTheme::ControlBarContentRect(uint8_t, const TRect& source, const std::string&) {
  return source;
}

TRect TkivTheme::ToolBarContentRect(uint8_t, const TRect& source, const std::string&) {
  TRect r = Inset(source, 2, 2);
  r.Left += 9;
  return r;
}

TRect TkivTheme::ScrollBoxContentRect(uint8_t, const TRect& source, const std::string&) {
  return Inset(source, 3, 3);
}

TRect TkivTheme::PanelContentRect(uint8_t, const TRect& source, const std::string&) {
  return source;
}

TRect TkivTheme::TabsContentRect(uint8_t, const TRect& source, const std::string&) {
  return source;
}

TRect TkivTheme::ListBoxContentRect(uint8_t, const TRect& source, const std::string&) {
  return Inset(source, 4, 5);
}

TRect TkivTheme::TreeContentRect(uint8_t, const TRect& source, const std::string&) {
  return Inset(source, 2, 2);
}

TRect TkivTheme::GridContentRect(uint8_t, const TRect& source, const std::string&) {
  return Inset(source, 2, 2);
}

}  // namespace kiv
