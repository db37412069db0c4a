#pragma once
// Window messages as the framework passes them from the window procedure to the
// controls, and the framework's own notification numbers. Portable: no
// platform header, so code on either side of the seam can name the numbers.
#include <cstdint>

namespace kiv {

// One message on its way through a control's dispatch path. Result is what the
// window procedure returns; handlers set it.
struct TMessage {
  uint32_t Msg = 0;
  uintptr_t WParam = 0;
  intptr_t LParam = 0;
  intptr_t Result = 0;
};

// Framework notifications ("control messages"), each a real message number in
// the 0xB000 range so that they pass through the same dispatch as the
// platform's own and can be sent and observed in tests.
inline constexpr uint32_t CM_BASE = 0xB000;
inline constexpr uint32_t CM_ACTIVATE = CM_BASE + 0;
inline constexpr uint32_t CM_DEACTIVATE = CM_BASE + 1;
inline constexpr uint32_t CM_GOTFOCUS = CM_BASE + 2;
inline constexpr uint32_t CM_LOSTFOCUS = CM_BASE + 3;
inline constexpr uint32_t CM_CANCELMODE = CM_BASE + 4;
inline constexpr uint32_t CM_DIALOGKEY = CM_BASE + 5;
inline constexpr uint32_t CM_DIALOGCHAR = CM_BASE + 6;
inline constexpr uint32_t CM_FOCUSCHANGED = CM_BASE + 7;
inline constexpr uint32_t CM_PARENTFONTCHANGED = CM_BASE + 8;
inline constexpr uint32_t CM_PARENTCOLORCHANGED = CM_BASE + 9;
inline constexpr uint32_t CM_HITTEST = CM_BASE + 10;
inline constexpr uint32_t CM_VISIBLECHANGED = CM_BASE + 11;
inline constexpr uint32_t CM_ENABLEDCHANGED = CM_BASE + 12;
inline constexpr uint32_t CM_COLORCHANGED = CM_BASE + 13;
inline constexpr uint32_t CM_FONTCHANGED = CM_BASE + 14;
inline constexpr uint32_t CM_CURSORCHANGED = CM_BASE + 15;
inline constexpr uint32_t CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr uint32_t CM_MOUSEENTER = CM_BASE + 19;
inline constexpr uint32_t CM_MOUSELEAVE = CM_BASE + 20;
inline constexpr uint32_t CM_BUTTONPRESSED = CM_BASE + 24;
inline constexpr uint32_t CM_SHOWINGCHANGED = CM_BASE + 25;
inline constexpr uint32_t CM_ENTER = CM_BASE + 26;
inline constexpr uint32_t CM_EXIT = CM_BASE + 27;
inline constexpr uint32_t CM_WANTSPECIALKEY = CM_BASE + 30;
inline constexpr uint32_t CM_RELEASE = CM_BASE + 33;
inline constexpr uint32_t CM_SHOWHINTCHANGED = CM_BASE + 34;
inline constexpr uint32_t CM_SYSCOLORCHANGE = CM_BASE + 36;
inline constexpr uint32_t CM_TABSTOPCHANGED = CM_BASE + 40;
inline constexpr uint32_t CM_CONTROLLISTCHANGE = CM_BASE + 44;
inline constexpr uint32_t CM_CHILDKEY = CM_BASE + 46;
inline constexpr uint32_t CM_HINTSHOW = CM_BASE + 48;
inline constexpr uint32_t CM_RECREATEWND = CM_BASE + 51;
inline constexpr uint32_t CM_INVALIDATE = CM_BASE + 52;
inline constexpr uint32_t CM_CONTROLCHANGE = CM_BASE + 54;

// Platform notifications reflected back to the control that caused them
// (a native button's click reaches the button as CN_COMMAND).
inline constexpr uint32_t CN_BASE = 0xBC00;
inline constexpr uint32_t CN_COMMAND = CN_BASE + 0x0111;     // WM_COMMAND
inline constexpr uint32_t CN_NOTIFY = CN_BASE + 0x004E;      // WM_NOTIFY
inline constexpr uint32_t CN_KEYDOWN = CN_BASE + 0x0100;     // WM_KEYDOWN
inline constexpr uint32_t CN_CHAR = CN_BASE + 0x0102;        // WM_CHAR
inline constexpr uint32_t CN_SYSKEYDOWN = CN_BASE + 0x0104;  // WM_SYSKEYDOWN
inline constexpr uint32_t CN_SYSCHAR = CN_BASE + 0x0106;     // WM_SYSCHAR
inline constexpr uint32_t CN_CTLCOLOREDIT = CN_BASE + 0x0133;
inline constexpr uint32_t CN_CTLCOLORSTATIC = CN_BASE + 0x0138;

// The library's own messages (theme manager to controls) travel through the
// framework untouched: no framework handler claims them.
inline constexpr uint32_t KIV_THEME_MESSAGE = 0x800;
inline constexpr uint32_t KIV_THEMELINK_MESSAGE = 0x801;

}  // namespace kiv
