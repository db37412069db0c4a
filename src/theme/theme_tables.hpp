#pragma once
// The theme's named sets, each written once: the 22 theme colours, the
// system-colour identifiers and the 66 theme fonts. The enumerations, the
// entry names that the section streams store and the defaults that the theme
// loads all come from these lists, so they cannot drift apart.
#include <array>
#include <cstdint>

#include "framework/colors.hpp"

namespace kiv {

// Theme colours in index order: SET(name, default) for the entries that
// LoadDefaultColors sets, KEEP(name) for the one it leaves as created.
#define KIV_THEME_COLORS(SET, KEEP) \
  SET(CaptionNormal, clBlue)        \
  SET(CaptionInactive, clSilver)    \
  SET(WindowBorder, clGray)         \
  SET(Window, clSilver)             \
  KEEP(Border)                      \
  SET(PanelNormal, clBtnFace)       \
  SET(PanelDisabled, clBtnFace)     \
  SET(ButtonNormal, clBtnFace)      \
  SET(ButtonHot, clBtnFace)         \
  SET(ButtonPressed, clBtnFace)     \
  SET(ButtonFocused, clBtnFace)     \
  SET(ButtonDisabled, clBtnFace)    \
  SET(EditNormal, clWindow)         \
  SET(EditHot, clWindow)            \
  SET(EditFocused, clWindow)        \
  SET(EditDisabled, clBtnFace)      \
  SET(EditSelection, clHighlight)   \
  SET(Hint, clInfoBk)               \
  SET(List, clWindow)               \
  SET(Tree, clWindow)               \
  SET(Grid, clWindow)               \
  SET(BarDock, clBtnFace)

// System-colour identifiers with their framework constants, in table order.
// The theme's system-colour section holds the first kThemeSysColorCount of
// them; "clActiveCaption" appears twice (entries 1 and 10), and the last
// entry, clWindowText, is in the table only.
#define KIV_SYS_COLOR_TABLE(X) \
  X(clActiveBorder)            \
  X(clActiveCaption)           \
  X(clAppWorkSpace)            \
  X(clBackground)              \
  X(clBtnFace)                 \
  X(clBtnHighlight)            \
  X(clBtnShadow)               \
  X(clBtnText)                 \
  X(clCaptionText)             \
  X(clDefault)                 \
  X(clActiveCaption)           \
  X(clGrayText)                \
  X(clHighlight)               \
  X(clHighlightText)           \
  X(clInactiveBorder)          \
  X(clInactiveCaption)         \
  X(clInactiveCaptionText)     \
  X(clInfoBk)                  \
  X(clInfoText)                \
  X(clMenu)                    \
  X(clMenuText)                \
  X(clScrollBar)               \
  X(cl3DDkShadow)              \
  X(cl3DLight)                 \
  X(clWindow)                  \
  X(clWindowFrame)             \
  X(clWindowText)

// Theme fonts in index order: SET(name, points, colour, bold) for the entries
// LoadDefaultFonts sets (face "Tahoma" in every case), KEEP(name) for those
// that keep the framework's default size and colour.
#define KIV_THEME_FONTS(SET, KEEP)                 \
  SET(CaptionTextNormal, 10, clWhite, true)        \
  SET(CaptionTextInactive, 10, clSilver, true)     \
  SET(SmCaptionTextNormal, 8, clWhite, true)       \
  SET(SmCaptionTextInactive, 8, clSilver, true)    \
  SET(StaticTextNormal, 8, clBlack, false)         \
  SET(StaticTextHot, 8, clBlack, false)            \
  SET(StaticTextFocused, 8, clBlack, false)        \
  SET(StaticTextDisabled, 8, clBlack, false)       \
  KEEP(PanelTextNormal)                            \
  KEEP(PanelTextDisabled)                          \
  SET(ButtonTextNormal, 8, clBlack, false)         \
  SET(ButtonTextPressed, 8, clBlack, false)        \
  SET(ButtonTextHot, 8, clBlack, false)            \
  SET(ButtonTextFocused, 8, clBlack, false)        \
  SET(ButtonTextDisabled, 8, clBtnShadow, false)   \
  SET(CheckBoxTextNormal, 8, clBlack, false)       \
  SET(CheckBoxTextPressed, 8, clBlack, false)      \
  SET(CheckBoxTextHot, 8, clBlack, false)          \
  SET(CheckBoxTextFocused, 8, clBlack, false)      \
  SET(CheckBoxTextDisabled, 8, clBlack, false)     \
  SET(RadioButtonTextNormal, 8, clBlack, false)    \
  SET(RadioButtonTextPressed, 8, clBlack, false)   \
  SET(RadioButtonTextHot, 8, clBlack, false)       \
  SET(RadioButtonTextFocused, 8, clBlack, false)   \
  SET(RadioButtonTextDisabled, 8, clBlack, false)  \
  SET(GroupBoxTextNormal, 8, clBlack, false)       \
  SET(GroupBoxTextDisabled, 8, clBtnShadow, false) \
  SET(WindowTextNormal, 8, clBlack, false)         \
  SET(WindowTextDisabled, 8, clBtnShadow, false)   \
  SET(EditBoxTextNormal, 8, clBlack, false)        \
  SET(EditBoxTextFocused, 8, clBlack, false)       \
  SET(EditBoxTextHot, 8, clBlack, false)           \
  SET(EditBoxTextDisabled, 8, clBtnShadow, false)  \
  SET(EditBoxTextSelected, 8, clWhite, false)      \
  KEEP(MenuItemTextNormal)                         \
  KEEP(MenuItemTextSelected)                       \
  KEEP(MenuItemTextHot)                            \
  SET(MenuItemTextDisabled, 8, clBtnShadow, false) \
  KEEP(ToolItemTextNormal)                         \
  KEEP(ToolItemTextSelected)                       \
  KEEP(ToolItemTextHot)                            \
  SET(ToolItemTextDisabled, 8, clBtnShadow, false) \
  KEEP(HeaderSectionTextNormal)                    \
  KEEP(HeaderSectionTextPressed)                   \
  KEEP(HeaderSectionTextDraggedOut)                \
  KEEP(HeaderSectionTextDragging)                  \
  SET(HeaderSectionTextHot, 8, clBlack, false)     \
  KEEP(HeaderSectionTextUnderDrag)                 \
  KEEP(HeaderSectionTextDisabled)                  \
  KEEP(StatusPanelTextNormal)                      \
  KEEP(StatusPanelTextDisabled)                    \
  KEEP(TabTextInactiveNormal)                      \
  KEEP(TabTextInactiveHot)                         \
  KEEP(TabTextInactiveDisabled)                    \
  KEEP(TabTextActiveNormal)                        \
  KEEP(TabTextActiveHot)                           \
  KEEP(TabTextActiveDisabled)                      \
  KEEP(ListItemTextNormal)                         \
  KEEP(ListItemTextHot)                            \
  KEEP(ListItemTextSelected)                       \
  KEEP(ListItemTextFocused)                        \
  KEEP(ListItemTextDisabled)                       \
  KEEP(PopupMenuItemTextNormal)                    \
  KEEP(PopupMenuItemTextSelected)                  \
  KEEP(PopupMenuItemTextHot)                       \
  SET(PopupMenuItemTextDisabled, 8, clBtnShadow, false)

// ---- enumerations: tcCaptionNormal .. tcBarDock, tfCaptionTextNormal .. ----

#define KIV_ENUM_SET(name, ...) tc##name,
#define KIV_ENUM_KEEP(name) tc##name,
enum TkivThemeColor : uint8_t { KIV_THEME_COLORS(KIV_ENUM_SET, KIV_ENUM_KEEP) };
#undef KIV_ENUM_SET
#undef KIV_ENUM_KEEP

#define KIV_ENUM_SET(name, ...) tf##name,
#define KIV_ENUM_KEEP(name) tf##name,
enum TkivThemeFont : uint8_t { KIV_THEME_FONTS(KIV_ENUM_SET, KIV_ENUM_KEEP) };
#undef KIV_ENUM_SET
#undef KIV_ENUM_KEEP

// ---- names, as stored in the section streams ----

#define KIV_NAME_SET(name, ...) #name,
#define KIV_NAME_KEEP(name) #name,
inline constexpr const char* ColorNames[] = {KIV_THEME_COLORS(KIV_NAME_SET, KIV_NAME_KEEP)};
inline constexpr const char* FontNames[] = {KIV_THEME_FONTS(KIV_NAME_SET, KIV_NAME_KEEP)};
#undef KIV_NAME_SET
#undef KIV_NAME_KEEP

inline constexpr int kThemeColorCount = static_cast<int>(std::size(ColorNames));
inline constexpr int kThemeFontCount = static_cast<int>(std::size(FontNames));

struct TkivSysColorEntry {
  TColor Constant;
  const char* Identifier;
};
#define KIV_SYS_ENTRY(name) TkivSysColorEntry{name, #name},
inline constexpr TkivSysColorEntry SysColorTable[] = {KIV_SYS_COLOR_TABLE(KIV_SYS_ENTRY)};
#undef KIV_SYS_ENTRY

// Entries of SysColorTable that the system-colour section holds.
inline constexpr int kThemeSysColorCount = static_cast<int>(std::size(SysColorTable)) - 1;

static_assert(kThemeColorCount == 22 && kThemeFontCount == 66 && kThemeSysColorCount == 26);

// ---- defaults ----

struct TkivThemeColorDefault {
  bool Set;  // false: LoadDefaultColors leaves the entry as it is
  TColor Value;
};
#define KIV_DEFAULT_SET(name, value) TkivThemeColorDefault{true, value},
#define KIV_DEFAULT_KEEP(name) TkivThemeColorDefault{false, 0},
inline constexpr TkivThemeColorDefault kThemeColorDefaults[] = {
    KIV_THEME_COLORS(KIV_DEFAULT_SET, KIV_DEFAULT_KEEP)};
#undef KIV_DEFAULT_SET
#undef KIV_DEFAULT_KEEP

struct TkivThemeFontDefault {
  bool Set;  // false: the font keeps the framework's default size and colour
  int32_t Size;
  TColor Color;
  bool Bold;
};
#define KIV_DEFAULT_SET(name, size, color, bold) TkivThemeFontDefault{true, size, color, bold},
#define KIV_DEFAULT_KEEP(name) TkivThemeFontDefault{false, 0, 0, false},
inline constexpr TkivThemeFontDefault kThemeFontDefaults[] = {
    KIV_THEME_FONTS(KIV_DEFAULT_SET, KIV_DEFAULT_KEEP)};
#undef KIV_DEFAULT_SET
#undef KIV_DEFAULT_KEEP

// The face every theme font is created with and reset to.
inline constexpr const char* kThemeFontFace = "Tahoma";

}  // namespace kiv
