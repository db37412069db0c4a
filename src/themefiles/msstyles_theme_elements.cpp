// TKivThemeMsStyles: the window frame and its title-bar buttons, track bar,
// tabs, tool bar and control bar, menus, and the frames of lists, trees and
// grids, drawn from the style on a device context; their element queries.
#include <algorithm>
#include <iterator>

#include "framework/colors.hpp"
#include "graphics/kiv_utils.hpp"
#include "themefiles/msstyles_paint.hpp"
#include "themefiles/msstyles_theme.hpp"

namespace kiv {

namespace {

constexpr uint8_t kToolWindow = 6;

// Frames of the parts with four looks: normal, hot, pressed, disabled.
int32_t FourStateImage(uint8_t state) {
  return state <= kStateDisabled ? state + 1 : 1;
}

// Track-bar thumbs and tabs: normal, hot, pressed (selected), then the
// thumb's focused and disabled frames, the tab's disabled and focused ones.
int32_t ThumbImage(uint8_t state) {
  static constexpr int32_t kImage[] = {1, 2, 3, 5, 4};
  return state < std::size(kImage) ? kImage[state] : 1;
}

const char* WindowButtonSection(uint8_t kind, uint8_t button) {
  switch (button) {
    case kWindowButtonClose:
      return kind == kToolWindow ? "Window.SmallCloseButton" : "Window.CloseButton";
    case kWindowButtonHelp:
      return "Window.HelpButton";
    case kWindowButtonMinimize:
      return "Window.MinButton";
    case kWindowButtonRestoreMin:
    case kWindowButtonRestoreMax:
      return "Window.RestoreButton";
    case kWindowButtonMaximize:
      return "Window.MaxButton";
    default:
      return nullptr;
  }
}

}  // namespace

// ---------------------------------------------------------------- window

TRect TKivThemeMsStyles::WindowContent(uint8_t kind, const TRect& w) const {
  const bool tool = kind == kToolWindow;
  const int32_t border = tool ? parts_.Metrics.SmBorderWidth : parts_.Metrics.BorderWidth;
  const int32_t caption =
      tool ? parts_.Metrics.SmCaptionBarHeight : parts_.Metrics.CaptionBarHeight;
  return TRect{w.Left + border, w.Top + border + caption, w.Right - border, w.Bottom - border};
}

bool TKivThemeMsStyles::DrawWindowFrame(TkivDC dc, uint8_t kind, const TkivWindowInfo& info) const {
  const bool tool = kind == kToolWindow;
  const TRect& w = info.Rect;
  const TRect c = WindowContent(kind, w);
  const int32_t image = info.Active ? 1 : 2;
  const struct {
    const char* section;
    TRect rect;
  } pieces[] = {
      {tool ? "Window.SmallFrameLeft" : "Window.FrameLeft", TRect{w.Left, c.Top, c.Left, c.Bottom}},
      {tool ? "Window.SmallFrameRight" : "Window.FrameRight",
       TRect{c.Right, c.Top, w.Right, c.Bottom}},
      {tool ? "Window.SmallFrameBottom" : "Window.FrameBottom",
       TRect{w.Left, c.Bottom, w.Right, w.Bottom}},
      {tool ? "Window.SmallCaption" : "Window.Caption", TRect{w.Left, w.Top, w.Right, c.Top}},
  };
  for (const auto& p : pieces)
    if (!HasLook(p.section)) return false;
  for (const auto& p : pieces) DrawSection(dc, p.section, p.rect, image);
  return true;
}

bool TKivThemeMsStyles::DrawWindowButton(TkivDC dc, uint8_t kind,
                                         const TkivWindowButtonInfo& info) const {
  const char* section = WindowButtonSection(kind, info.Button);
  if (section == nullptr || info.Rect.IsEmpty()) return false;
  return DrawSection(dc, section, info.Rect, FourStateImage(info.State));
}

bool TKivThemeMsStyles::SupportsWindow(uint8_t kind, const std::string&) {
  return parts_.Existing(kind == kToolWindow ? "Window.SmallCaption" : "Window.Caption") != nullptr;
}

TRect TKivThemeMsStyles::WindowContentRect(uint8_t kind, const TRect& source, const std::string&) {
  // A style without the window's caption leaves the window to the built-in
  // look, geometry included.
  if (!SupportsWindow(kind, "default"))
    return TkivTheme::WindowContentRect(kind, source, "default");
  return WindowContent(kind, source);
}

TRect TKivThemeMsStyles::WindowCaptionRect(uint8_t kind, const TkivWindowInfo& source,
                                           const std::string&) {
  if (!SupportsWindow(kind, "default"))
    return TkivTheme::WindowCaptionRect(kind, source, "default");
  const TRect& w = source.Rect;
  const TRect c = WindowContent(kind, w);
  const TmsuxMargins& m =
      parts_.Part(kind == kToolWindow ? "Window.SmallCaption" : "Window.Caption")->CaptionMargins;
  const int32_t border = c.Left - w.Left;
  // Between the system-menu button and the buttons on the right.
  int32_t left = c.Left, right = c.Right;
  for (int32_t b = kWindowButtonSysMenu; b <= kWindowButtonTray; ++b) {
    const TRect r = WindowButtonRect(kind, source, b, "default");
    if (r.IsEmpty()) continue;
    if (b == kWindowButtonSysMenu)
      left = std::max(left, r.Right);
    else
      right = std::min(right, r.Left);
  }
  return TRect{left + m.Left, w.Top + border + m.Top, right - m.Right, c.Top - m.Bottom};
}

// ---------------------------------------------------------------- track bar

bool TKivThemeMsStyles::DrawTrackBar(TkivDC dc, const TRect& rect) const {
  return DrawSection(dc, "TrackBar", rect, 1);
}

bool TKivThemeMsStyles::DrawTrackBarTrack(TkivDC dc, const TkivPartInfo& info) const {
  return DrawSection(dc, info.Part == 1 ? "TrackBar.TrackVert" : "TrackBar.Track", info.Rect, 1);
}

// Thumb parts: 0 horizontal, 1 pointing up, 2 pointing down, 3 vertical,
// 4 pointing left, 5 pointing right.
bool TKivThemeMsStyles::DrawTrackBarThumb(TkivDC dc, const TkivPartInfo& info) const {
  static const char* const kSections[] = {"TrackBar.Thumb",       "TrackBar.ThumbTop",
                                          "TrackBar.ThumbBottom", "TrackBar.ThumbVert",
                                          "TrackBar.ThumbLeft",   "TrackBar.ThumbRight"};
  return info.Part < std::size(kSections) &&
         DrawSection(dc, kSections[info.Part], info.Rect, ThumbImage(info.State));
}

bool TKivThemeMsStyles::SupportsTrackBar(uint8_t, const std::string&) {
  return parts_.Existing("TrackBar.Track") != nullptr;
}

// ---------------------------------------------------------------- tabs

bool TKivThemeMsStyles::DrawTabsBody(TkivDC dc, const TRect& rect) const {
  return DrawSection(dc, "tab.pane", rect, 1) || DrawSection(dc, "tab", rect, 1);
}

bool TKivThemeMsStyles::DrawTab(TkivDC dc, const TkivPartInfo& info) const {
  static constexpr int32_t kImage[] = {1, 2, 3, 4, 5};
  const int32_t image = info.State < std::size(kImage) ? kImage[info.State] : 1;
  if (info.Part == 1 && DrawSection(dc, "tab.toptabitemleftedge", info.Rect, image)) return true;
  return DrawSection(dc, "tab.toptabitem", info.Rect, image);
}

bool TKivThemeMsStyles::DrawTabScrollButton(TkivDC dc, const TkivPartInfo& info) const {
  return DrawSection(dc, "ScrollBar.ArrowBtn", info.Rect,
                     ScrollArrowImage(info.Part == 1 ? 5 : 4, info.State));
}

bool TKivThemeMsStyles::SupportsTabs(uint8_t, const std::string&) {
  return parts_.Existing("tab") != nullptr;
}

// ---------------------------------------------------------------- tool bar

bool TKivThemeMsStyles::DrawToolBar(TkivDC dc, const TRect& rect) const {
  if (!DrawSection(dc, "toolbar", rect, 1) && !DrawSection(dc, "rebar", rect, 1)) return false;
  // The gripper fills the strip that ToolBarContentRect leaves of the left.
  const TRect strip{rect.Left + 2, rect.Top + 2, rect.Left + 9, rect.Bottom - 2};
  if (!strip.IsEmpty()) DrawSection(dc, "rebar.gripper", strip, 1);
  return true;
}

bool TKivThemeMsStyles::DrawControlBar(TkivDC dc, const TRect& rect) const {
  return DrawSection(dc, "rebar", rect, 1);
}

// Tool button parts: 0 a button, 1 a separator, 2 a drop-down button, 3 a
// split button, 4 the drop-down half of a split button.
bool TKivThemeMsStyles::DrawToolButton(TkivDC dc, const TkivPartInfo& info) const {
  static const char* const kSections[] = {"toolbar.button", "toolbar.separator",
                                          "toolbar.dropdownbutton", "toolbar.splitbutton",
                                          "toolbar.splitbuttondropdown"};
  // Normal, hot, pressed, disabled, and 5 (checked) as the style's fifth frame.
  const int32_t image = info.State == 5 ? 5 : FourStateImage(info.State);
  return info.Part < std::size(kSections) &&
         DrawSection(dc, kSections[info.Part], info.Rect, image);
}

bool TKivThemeMsStyles::SupportsControlBar(uint8_t, const std::string&) {
  return parts_.Existing("rebar") != nullptr;
}
bool TKivThemeMsStyles::SupportsToolBar(uint8_t, const std::string&) {
  return parts_.Existing("toolbar.button") != nullptr;
}

// ---------------------------------------------------------------- menus

bool TKivThemeMsStyles::DrawMenu(TkivDC dc, uint8_t kind, const TRect& rect) const {
  if (!Loaded()) return false;
  StyleFillRect(dc, rect, menu_colors_[kind == 0 ? 1 : 0]);
  if (kind != 0) StyleFrameRect(dc, rect, SysColors()->GetSysColor(clBtnShadow));
  return true;
}

bool TKivThemeMsStyles::DrawMenuItem(TkivDC dc, uint8_t kind, const TkivPartInfo& info) const {
  static const char* const kMdiSections[] = {"Window.MDIMinButton", "Window.MDIRestoreButton",
                                             "Window.MDICloseButton"};
  if (info.Part >= 2 && info.Part <= 4)
    return DrawSection(dc, kMdiSections[info.Part - 2], info.Rect, FourStateImage(info.State));
  if (!Loaded()) return false;
  const TRect& r = info.Rect;
  if (info.Part == 1) {
    // The separator: a line across the middle, inset as the items' text.
    const int32_t y = (r.Top + r.Bottom) / 2;
    StyleFillRect(dc, TRect{r.Left + 3, y, r.Right - 3, y + 1},
                  SysColors()->GetSysColor(clBtnShadow));
    return true;
  }
  if (info.Part != 0) return true;
  const bool lit = info.State == kStateHot || info.State == kStatePressed;
  StyleFillRect(dc, r, menu_colors_[lit ? 2 : kind == 0 ? 1 : 0]);
  return true;
}

bool TKivThemeMsStyles::SupportsMenu(uint8_t, const std::string&) {
  return Loaded();
}

// ---------------------------------------------------------------- lists

bool TKivThemeMsStyles::DrawListFrame(TkivDC dc, const TRect& rect) const {
  return DrawSection(dc, "listview", rect, 1);
}

bool TKivThemeMsStyles::DrawListItemCheck(TkivDC dc, const TkivListCheckInfo& info) const {
  static constexpr uint8_t kCheckState[] = {0, 5, 10};  // checked, unchecked, mixed
  if (info.Mode >= std::size(kCheckState)) return false;
  return DrawCheck(dc, 0, MakeStateInfo(info.Rect, kCheckState[info.Mode]));
}

bool TKivThemeMsStyles::SupportsListBox(uint8_t, const std::string&) {
  return parts_.Existing("edit") != nullptr;
}
bool TKivThemeMsStyles::SupportsTree(uint8_t, const std::string&) {
  return parts_.Existing("edit") != nullptr;
}
bool TKivThemeMsStyles::SupportsGrid(uint8_t, const std::string&) {
  return parts_.Existing("edit") != nullptr;
}

}  // namespace kiv
