// TKivThemeMsStyles: what the style draws for each element, on a device
// context, with the image numbers chosen by state; the element queries.
#include "graphics/kiv_utils.hpp"
#include "themefiles/msstyles_paint.hpp"
#include "themefiles/msstyles_theme.hpp"

namespace kiv {

namespace {

bool Usable(const TkivBitmap* b) {
  return b != nullptr && !b->IsEmpty();
}

// The object has something to draw: a fill, a border, or a usable image.
bool Drawable(const TmsuxThemeObject* o) {
  if (o == nullptr || !o->Exists()) return false;
  switch (o->BgType) {
    case kBgImageFile:
      return Usable(o->Image) || Usable(o->SizeImages[0]) || Usable(o->SizeImages[1]) ||
             Usable(o->SizeImages[2]);
    case kBgNone:
      return true;
    default:
      return o->FillColor != clNone || (o->BgType == kBgBorderFill && o->BorderSize > 0);
  }
}

const char* ButtonSection(uint8_t kind) {
  switch (kind) {
    case 4:
      return "Spin.Up";
    case 5:
      return "Spin.Down";
    case 6:
      return "Spin.Uphorz";
    case 7:
      return "Spin.Downhorz";
    default:
      return "Button.Pushbutton";
  }
}

}  // namespace

int32_t TKivThemeMsStyles::ButtonImage(uint8_t state) {
  switch (state) {
    case 1:
    case 5:
    case 7:
      return 2;
    case 2:
    case 8:
    case 10:
    case 11:
      return 3;
    case 3:
    case 9:
      return 4;
    case 4:
    case 6:
      return 5;
    default:
      return 1;
  }
}

int32_t TKivThemeMsStyles::ScrollArrowImage(uint8_t part, uint8_t state) {
  int32_t base = 1;
  if (state == 1) base = 3;
  if (state == 2) base = 2;
  if (state == 3) base = 4;
  switch (part) {
    case 1:
      return base + 4;
    case 4:
      return base + 8;
    case 5:
      return base + 12;
    default:
      return base;
  }
}

// The check box's frames: unchecked 1-4, checked 5-8, mixed 9-12, each
// normal, hot, pressed, disabled; the control's state is the interaction
// (0 normal, 1 hot, 2 pressed, 3 disabled) plus 0 checked, 5 unchecked,
// 10 mixed. The radio button has the first two groups.
int32_t TKivThemeMsStyles::CheckImage(uint8_t kind, uint8_t state) {
  const int32_t interaction = state % 5 > 3 ? 0 : state % 5;
  const int32_t group = state / 5;  // 0 checked, 1 unchecked, 2 mixed
  int32_t first = group == 0 ? 5 : group == 1 ? 1 : 9;
  if (kind == 1 && group == 2) first = 5;
  return first + interaction;
}

bool TKivThemeMsStyles::HasLook(const char* section) const {
  return Drawable(parts_.Part(section));
}

bool TKivThemeMsStyles::DrawSection(TkivDC dc, const char* section, const TRect& rect,
                                    int32_t image) const {
  const TmsuxThemeObject* o = parts_.Part(section);
  if (!Drawable(o)) return false;
  o->Draw(dc, rect, image);
  return true;
}

bool TKivThemeMsStyles::DrawButton(TkivDC dc, uint8_t kind, const TkivStateInfo& info) const {
  return DrawSection(dc, ButtonSection(kind), info.Rect, ButtonImage(info.State));
}

bool TKivThemeMsStyles::DrawCheck(TkivDC dc, uint8_t kind, const TkivStateInfo& info) const {
  return DrawSection(dc, kind == 1 ? "button.radiobutton" : "button.checkbox", info.Rect,
                     CheckImage(kind, info.State));
}

bool TKivThemeMsStyles::DrawScrollBarButton(TkivDC dc, const TkivPartInfo& info) const {
  if (info.Part == 8 || info.Part == 9) {
    const bool horizontal = info.Part == 8;
    const int32_t image = ScrollArrowImage(0, info.State);
    if (!DrawSection(dc, horizontal ? "ScrollBar.ThumbBtnHorz" : "ScrollBar.ThumbBtnVert",
                     info.Rect, image))
      return false;
    const TmsuxThemeObject* gripper =
        parts_.Part(horizontal ? "ScrollBar.GripperHorz" : "ScrollBar.GripperVert");
    if (Drawable(gripper) && Usable(gripper->Image)) {
      const TRect frame = gripper->FrameRect(*gripper->Image, image);
      if (frame.Width() < info.Rect.Width() && frame.Height() < info.Rect.Height())
        gripper->Draw(dc, info.Rect, image);
    }
    return true;
  }
  return DrawSection(dc, "ScrollBar.ArrowBtn", info.Rect, ScrollArrowImage(info.Part, info.State));
}

bool TKivThemeMsStyles::DrawScrollBarTrack(TkivDC dc, const TkivPartInfo& info) const {
  return DrawSection(dc, info.Part == 1 ? "ScrollBar.UpperTrackHorz" : "ScrollBar.UpperTrackVert",
                     info.Rect, 1);
}

bool TKivThemeMsStyles::DrawWithFill(TkivDC dc, const char* section, const char* fill_from,
                                     const TRect& rect) const {
  TmsuxThemeObject* o = parts_.Part(section);
  if (!Drawable(o)) return false;
  const TmsuxThemeObject* fill = parts_.Part(fill_from);
  const TColor own = o->FillColor;
  // This one drawing takes the other section's fill colour (when it states one).
  if (fill != nullptr && fill->FillColor != clNone) o->FillColor = fill->FillColor;
  o->Draw(dc, rect, 1);
  o->FillColor = own;
  return true;
}

bool TKivThemeMsStyles::DrawMemo(TkivDC dc, const TkivStateInfo& info) const {
  switch (info.State) {
    case 0:
    case 1:
    case 2:
      return DrawSection(dc, "edit", info.Rect, 1);
    case 3:
      return DrawWithFill(dc, "edit", "edit.edittext(disabled)", info.Rect);
    case 4:
      return DrawWithFill(dc, "edit", "edit.edittext(readonly)", info.Rect);
    case 5:
      StyleFillRect(dc, info.Rect, SysColors()->GetSysColor(clHighlight));
      return true;
    default:
      return true;
  }
}

bool TKivThemeMsStyles::DrawEdit(TkivDC dc, uint8_t kind, const TkivStateInfo& info) const {
  if (kind >= 4 && kind <= 6) {
    if (info.State == 4) return DrawWithFill(dc, "combobox", "combobox(disabled)", info.Rect);
    return DrawSection(dc, "combobox", info.Rect, 1);
  }
  switch (info.State) {
    case 4:
      return DrawWithFill(dc, "edit", "edit.edittext(disabled)", info.Rect);
    case 5:
      return DrawWithFill(dc, "edit", "edit.edittext(readonly)", info.Rect);
    case 6:
      StyleFillRect(dc, info.Rect, SysColors()->GetSysColor(clHighlight));
      return true;
    default:
      return DrawSection(dc, "edit", info.Rect, 1);
  }
}

// Parts of the progress bar: 0 the horizontal bar, 1 its chunk, 2 the
// vertical bar, 3 its chunk.
bool TKivThemeMsStyles::DrawProgressBar(TkivDC dc, const TkivPartInfo& info) const {
  static const char* const kSections[] = {"Progress.Bar", "Progress.Chunk", "Progress.BarVert",
                                          "Progress.ChunkVert"};
  return info.Part < 4 && DrawSection(dc, kSections[info.Part], info.Rect, 1);
}

bool TKivThemeMsStyles::DrawStatusBar(TkivDC dc, const TRect& rect) const {
  return DrawSection(dc, "status", rect, 1);
}

// States of a status panel: 2 the last panel (the gripper pane), 3 the size
// grip, others a pane.
bool TKivThemeMsStyles::DrawStatusPanel(TkivDC dc, const TkivStateInfo& info) const {
  const char* section = info.State == 2   ? "status.gripperpane"
                        : info.State == 3 ? "status.gripper"
                                          : "status.pane";
  return DrawSection(dc, section, info.Rect, 1);
}

bool TKivThemeMsStyles::DrawHeader(TkivDC dc, const TRect& rect) const {
  return DrawSection(dc, "header", rect, 1);
}

// Header sections: state 0 normal, 1 hot, 2 pressed (frames 1 to 3).
bool TKivThemeMsStyles::DrawHeaderSection(TkivDC dc, const TkivPartInfo& info) const {
  return DrawSection(dc, "header.headeritem", info.Rect, info.State <= 2 ? info.State + 1 : 1);
}

// The header panel's faces from the style's explorer-bar sections: the body,
// the caption bar over its rectangle grown by 1 on every side, and the
// caption button (picture 1 collapse, 2 expand, 3 close; state 1 hot and 2
// pressed take frames 2 and 3).
bool TKivThemeMsStyles::DrawPanel(TkivDC dc, const TRect& rect) const {
  return DrawSection(dc, "explorerbar.SpecialGroupBackground", rect, 1);
}

bool TKivThemeMsStyles::DrawPanelCaption(TkivDC dc, const TRect& rect) const {
  return DrawSection(dc, "explorerbar.NormalGroupHead", InflateRectBy(rect, 1), 1);
}

bool TKivThemeMsStyles::DrawPanelButton(TkivDC dc, const TkivPartInfo& info) const {
  const char* section = nullptr;
  switch (info.Part) {
    case 1:
      section = "explorerbar.NormalGroupCollapse";
      break;
    case 2:
      section = "explorerbar.NormalGroupExpand";
      break;
    case 3:
      section = parts_.Existing("explorerbar.headerclose") ? "explorerbar.headerclose"
                                                           : "Window.CloseButton";
      break;
    default:
      return false;
  }
  const int32_t image = info.State == 1 ? 2 : info.State == 2 ? 3 : 1;
  return DrawSection(dc, section, info.Rect, image);
}

// ---------------------------------------------------------------- queries

bool TKivThemeMsStyles::SupportsButton(uint8_t, const std::string&) {
  return parts_.Built();
}
bool TKivThemeMsStyles::ButtonIsTransparent(uint8_t, const std::string&) {
  return parts_.Built() && parts_.Part("Button.Pushbutton")->Transparent;
}
bool TKivThemeMsStyles::SupportsCheck(uint8_t kind, const std::string&) {
  return parts_.Existing(kind == 1 ? "button.radiobutton" : "button.checkbox") != nullptr;
}
bool TKivThemeMsStyles::SupportsScrollBar(uint8_t, const std::string&) {
  return parts_.Built();
}
bool TKivThemeMsStyles::ScrollBarIsTransparent(uint8_t, const std::string&) {
  return false;
}
bool TKivThemeMsStyles::SupportsEdit(uint8_t kind, const std::string&) {
  return parts_.Existing(kind >= 4 && kind <= 6 ? "combobox" : "edit") != nullptr;
}
TRect TKivThemeMsStyles::EditContentRect(uint8_t, const TRect& source, const std::string&) {
  return InflateRectBy(source, -4);
}
bool TKivThemeMsStyles::SupportsMemo(uint8_t, const std::string&) {
  return parts_.Existing("edit") != nullptr;
}
bool TKivThemeMsStyles::MemoIsTransparent(uint8_t, const std::string&) {
  return false;
}
TRect TKivThemeMsStyles::MemoContentRect(uint8_t, const TkivStateInfo& source, const std::string&) {
  return InflateRectBy(source.Rect, -2);
}
bool TKivThemeMsStyles::SupportsProgressBar(uint8_t, const std::string&) {
  return parts_.Existing("Progress.Bar") != nullptr;
}
bool TKivThemeMsStyles::SupportsStatusBar(uint8_t, const std::string&) {
  return parts_.Existing("status") != nullptr;
}
bool TKivThemeMsStyles::SupportsHeader(uint8_t, const std::string&) {
  return parts_.Existing("header") != nullptr;
}
bool TKivThemeMsStyles::SupportsPanel(uint8_t, const std::string&) {
  return parts_.Existing("explorerbar") != nullptr;
}
bool TKivThemeMsStyles::PanelIsTransparent(uint8_t, const std::string&) {
  return parts_.Built() && parts_.Part("explorerbar.NormalGroupHead")->Transparent;
}
TRect TKivThemeMsStyles::PanelContentRect(uint8_t, const TRect& source, const std::string&) {
  return source;
}

}  // namespace kiv
