#pragma once
// Named framework colours, their text form and their resolution to RGB.
// A TColor is 0x00BBGGRR; 0xFF0000nn names system colour nn, resolved by
// ColorToRGB through SysColor (GetSysColor on Win32, the classic scheme
// natively).
#include <optional>
#include <string>
#include <string_view>

#include "framework/types.hpp"

namespace kiv {

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor kSysColorBase = static_cast<TColor>(0xFF000000u);
constexpr TColor clScrollBar = kSysColorBase | 0;
constexpr TColor clBackground = kSysColorBase | 1;
constexpr TColor clActiveCaption = kSysColorBase | 2;
constexpr TColor clInactiveCaption = kSysColorBase | 3;
constexpr TColor clMenu = kSysColorBase | 4;
constexpr TColor clWindow = kSysColorBase | 5;
constexpr TColor clWindowFrame = kSysColorBase | 6;
constexpr TColor clMenuText = kSysColorBase | 7;
constexpr TColor clWindowText = kSysColorBase | 8;
constexpr TColor clCaptionText = kSysColorBase | 9;
constexpr TColor clActiveBorder = kSysColorBase | 10;
constexpr TColor clInactiveBorder = kSysColorBase | 11;
constexpr TColor clAppWorkSpace = kSysColorBase | 12;
constexpr TColor clHighlight = kSysColorBase | 13;
constexpr TColor clHighlightText = kSysColorBase | 14;
constexpr TColor clBtnFace = kSysColorBase | 15;
constexpr TColor clBtnShadow = kSysColorBase | 16;
constexpr TColor clGrayText = kSysColorBase | 17;
constexpr TColor clBtnText = kSysColorBase | 18;
constexpr TColor clInactiveCaptionText = kSysColorBase | 19;
constexpr TColor clBtnHighlight = kSysColorBase | 20;
constexpr TColor cl3DDkShadow = kSysColorBase | 21;
constexpr TColor cl3DLight = kSysColorBase | 22;
constexpr TColor clInfoText = kSysColorBase | 23;
constexpr TColor clInfoBk = kSysColorBase | 24;
constexpr TColor clHotLight = kSysColorBase | 26;
constexpr TColor clGradientActiveCaption = kSysColorBase | 27;
constexpr TColor clGradientInactiveCaption = kSysColorBase | 28;
constexpr TColor clMenuHighlight = kSysColorBase | 29;
constexpr TColor clMenuBar = kSysColorBase | 30;

// The platform's system colour nn as 0x00BBGGRR (platform seam).
TColor SysColor(int index);
// The classic scheme's colour for system colour nn (the native SysColor).
TColor ClassicSysColor(int index);

// System colours resolve through SysColor; every other value is returned as is.
TColor ColorToRGB(TColor color);

// "clBtnFace" for named colours, else "$" and eight upper-case hex digits.
std::string ColorToString(TColor color);
// Accepts identifiers (any case), decimal and $hex (also 0x); otherwise
// EConvertError "'text' is not a valid integer value".
TColor StringToColor(std::string_view text);
std::optional<TColor> IdentToColor(std::string_view ident);
const char* ColorToIdent(TColor color);  // nullptr when the colour has no name

}  // namespace kiv
