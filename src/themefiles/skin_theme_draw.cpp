// TKivSkinFile: the element queries and drawings of the hint, container,
// button, check, splitter, scroll-bar, progress-bar, track-bar, header,
// status-bar, edit, group-box and memo families, on device contexts (menus,
// bars, panels, tabs and lists in skin_theme_draw_more.cpp, window frames in
// skin_theme_window.cpp).
#include "graphics/kiv_utils.hpp"
#include "theme/theme_tables.hpp"
#include "themefiles/skin_objects.hpp"
#include "themefiles/skin_paint.hpp"
#include "themefiles/skin_theme.hpp"
#include "themefiles/skin_theme_parts.hpp"

namespace kiv {

using namespace skin_parts;

namespace {

// A filled arrow of the given size pointing up (0), down (1), right (2) or
// left (3), centred in rect.
void DrawArrow(TkivDC dc, const TRect& rect, int direction, int size, TColor color) {
  const int cx = (rect.Left + rect.Right) / 2, cy = (rect.Top + rect.Bottom) / 2;
  for (int i = 0; i < size; ++i) {
    if (direction <= 1) {
      const int y = direction == 0 ? cy - size / 2 + i : cy + size / 2 - i;
      SkinFillRect(dc, TRect{cx - i, y, cx + i + 1, y + 1}, color);
    } else {
      const int x = direction == 3 ? cx - size / 2 + i : cx + size / 2 - i;
      SkinFillRect(dc, TRect{x, cy - i, x + 1, cy + i + 1}, color);
    }
  }
}

void FrameRect(TkivDC dc, const TRect& r, TColor color) {
  SkinFillRect(dc, TRect{r.Left, r.Top, r.Right, r.Top + 1}, color);
  SkinFillRect(dc, TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom}, color);
  SkinFillRect(dc, TRect{r.Left, r.Top, r.Left + 1, r.Bottom}, color);
  SkinFillRect(dc, TRect{r.Right - 1, r.Top, r.Right, r.Bottom}, color);
}

}  // namespace

// ---------------------------------------------------------------- hint

TRect TKivSkinFile::HintContentRect(uint8_t, const TRect& source, const std::string&) {
  return TRect{source.Left + 4, source.Top + 3, source.Right - 4, source.Bottom - 3};
}

void TKivSkinFile::PaintHint(uint8_t, TkivDC dc, const std::string& object, const TRect& info) {
  if (TLqSkinObject* hint = ObjectFor(object, srHint)) {
    PaintObject(dc, hint, info, kLqStateNormal);
    return;
  }
  SkinFillRect(dc, info, clInfoBk);
  FrameRect(dc, info, 0x808080);
}

// ---------------------------------------------------------------- container

bool TKivSkinFile::SupportsContainer(uint8_t kind, const std::string& object) {
  return kind == 0 && ObjectFor(object, srContainer) != nullptr;
}

TRect TKivSkinFile::ContainerContentRect(uint8_t, const TRect& source, const std::string& object) {
  const TLqSkinObject* panel = Part(ObjectFor(object, srContainer), "Panel");
  return panel ? ShrinkRect(source, panel->Margins()) : source;
}

void TKivSkinFile::PaintContainer(uint8_t, TkivDC dc, const std::string& object,
                                  const TRect& info) {
  PaintObject(dc, ObjectFor(object, srContainer), info, kLqStateNormal);
}

// ---------------------------------------------------------------- button

namespace {
bool SpinKind(uint8_t kind) {
  return kind >= 4 && kind <= 7;
}
}  // namespace

bool TKivSkinFile::SupportsButton(uint8_t kind, const std::string& object) {
  if (NamedObject(object)) return true;
  if (kind == 0) return defaults_[srButton] != nullptr;
  return SpinKind(kind) && defaults_[srSpinButton] != nullptr;
}

bool TKivSkinFile::ButtonIsTransparent(uint8_t kind, const std::string& object) {
  return MaskedOf(PartOrSelf(ObjectFor(object, SpinKind(kind) ? srSpinButton : srButton), "Face"));
}

void TKivSkinFile::PaintButton(uint8_t kind, TkivDC dc, const std::string& object,
                               const TkivStateInfo& info) {
  TLqSkinObject* button = ObjectFor(object, SpinKind(kind) ? srSpinButton : srButton);
  if (button == nullptr) return;
  PaintObject(dc, PartOrSelf(button, "Face"), info.Rect, SkinButtonState(info.State));
  if (SpinKind(kind)) {
    TRect r = info.Rect;
    if (info.State == 2) r = TRect{r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
    DrawArrow(dc, r, kind - 4, 3, Colors()->GetColor(tcBorder));
  }
}

TkivTextInfo TKivSkinFile::ButtonTextInfo(const std::string& object,
                                          const TkivTextInfo& text) const {
  TkivTextInfo placed = text;
  // The text alignments run row by row, the placements column by column.
  static constexpr uint8_t kPlacement[] = {kPlaceTopLeft,    kPlaceTopCenter,    kPlaceTopRight,
                                           kPlaceMiddleLeft, kPlaceMiddleCenter, kPlaceMiddleRight,
                                           kPlaceBottomLeft, kPlaceBottomCenter, kPlaceBottomRight};
  if (const auto* t = dynamic_cast<const TLqTextObject*>(NamedObject(object)))
    placed.Placement = kPlacement[t->TextAlign()];
  return placed;
}

// ---------------------------------------------------------------- check

bool TKivSkinFile::SupportsCheck(uint8_t kind, const std::string& object) {
  if (kind > 1) return NamedObject(object) != nullptr;
  return ObjectFor(object, kind == 1 ? srRadioButton : srCheckbox) != nullptr;
}

TSize TKivSkinFile::GetCheckSize(uint8_t kind, const std::string& object) {
  const TLqSkinObject* checked =
      Part(ObjectFor(object, kind == 1 ? srRadioButton : srCheckbox), "Checked");
  if (checked && checked->HasArea()) return TSize{checked->Width(), checked->Height()};
  return TkivTheme::GetCheckSize(kind, object);
}

// The mark's state: the interaction (0 normal, 1 hot, 2 pressed, 3
// disabled, 4 focused) plus 0 checked, 5 unchecked, 10 mixed.
void TKivSkinFile::PaintCheck(uint8_t kind, TkivDC dc, const std::string& object,
                              const TkivStateInfo& info) {
  static constexpr const char* kMarks[] = {"Checked", "Unchecked", "Mixed"};
  static constexpr uint8_t kStates[] = {kLqStateNormal, kLqStateHot, kLqStatePressed,
                                        kLqStateDisabled, kLqStateFocused};
  const int group = info.State / 5;
  if (group > 2) return;
  TLqSkinObject* mark =
      Part(ObjectFor(object, kind == 1 ? srRadioButton : srCheckbox), kMarks[group]);
  PaintObject(dc, mark, info.Rect, kStates[info.State % 5]);
}

// ---------------------------------------------------------------- splitter

bool TKivSkinFile::SupportsSplitter(uint8_t kind, const std::string& object) {
  return kind == 0 && ObjectFor(object, srSplitter) != nullptr;
}

void TKivSkinFile::PaintSplitter(uint8_t, TkivDC dc, const std::string& object, const TRect& info) {
  PaintObject(dc, ObjectFor(object, srSplitter), info, kLqStateNormal);
}

// ---------------------------------------------------------------- scroll bar

bool TKivSkinFile::SupportsScrollBar(uint8_t kind, const std::string& object) {
  if (NamedObject(object)) return true;
  return kind == 0 && defaults_[srScrollBar] != nullptr;
}

bool TKivSkinFile::ScrollBarIsTransparent(uint8_t kind, const std::string&) {
  return kind == 0 && MaskedOf(defaults_[srScrollBar]);
}

void TKivSkinFile::PaintScrollBarFrame(uint8_t, TkivDC dc, const std::string& object,
                                       const TRect& info) {
  PaintObject(dc, Part(ObjectFor(object, srScrollBox), "Frame"), info, kLqStateNormal);
}

void TKivSkinFile::PaintScrollBarButton(uint8_t, TkivDC dc, const std::string& object,
                                        const TkivPartInfo& info) {
  const char* name = nullptr;
  switch (info.Part) {
    case 0:
      name = "TopButton";
      break;
    case 1:
      name = "BottomButton";
      break;
    case 4:
      name = "LeftButton";
      break;
    case 5:
      name = "RightButton";
      break;
    case 8:
      name = "HorzSlider";
      break;
    case 9:
      name = "VertSlider";
      break;
    default:
      return;
  }
  PaintObject(dc, Part(ObjectFor(object, srScrollBar), name), info.Rect,
              SkinScrollState(info.State));
}

void TKivSkinFile::PaintScrollBarTrack(uint8_t, TkivDC dc, const std::string& object,
                                       const TkivPartInfo& info) {
  PaintObject(dc, Part(ObjectFor(object, srScrollBar), info.Part == 0 ? "VertFrame" : "HorzFrame"),
              info.Rect, SkinScrollState(info.State));
}

// ---------------------------------------------------------------- progress bar

bool TKivSkinFile::SupportsProgressBar(uint8_t kind, const std::string& object) {
  return kind == 0 && ObjectFor(object, srProgressBar) != nullptr;
}

bool TKivSkinFile::ProgressBarIsTransparent(uint8_t, const std::string& object) {
  return MaskedOf(Part(ObjectFor(object, srProgressBar), "Frame"));
}

// Parts: 0 the horizontal frame, 1 its bar, 2 the vertical frame, 3 its bar.
void TKivSkinFile::PaintProgressBar(uint8_t, TkivDC dc, const std::string& object,
                                    const TkivPartInfo& info) {
  TLqSkinObject* bar = ObjectFor(object, srProgressBar);
  TLqSkinObject* part = nullptr;
  switch (info.Part) {
    case 0:
      part = FirstPart(bar, {"FrameHorz", "Frame"});
      break;
    case 1:
      part = FirstPart(bar, {"BarHorz", "Bar", "SolidHorz", "Solid"});
      break;
    case 2:
      part = FirstPart(bar, {"FrameVert", "Frame"});
      break;
    case 3:
      part = FirstPart(bar, {"BarVert", "Bar", "SolidVert", "Solid"});
      break;
    default:
      return;
  }
  PaintObject(dc, part, info.Rect, kLqStateNormal);
}

// ---------------------------------------------------------------- track bar

bool TKivSkinFile::SupportsTrackBar(uint8_t kind, const std::string& object) {
  return kind <= 1 && ObjectFor(object, srTrackBar) != nullptr;
}

// Kind 0 horizontal, 1 vertical.
void TKivSkinFile::PaintTrackBarTrack(uint8_t kind, TkivDC dc, const std::string& object,
                                      const TkivPartInfo& info) {
  TLqSkinObject* bar = ObjectFor(object, srTrackBar);
  PaintObject(dc, FirstPart(bar, {kind == 1 ? "TrackVert" : "TrackHorz", "Track"}), info.Rect,
              kLqStateNormal);
}

// Parts of the thumb: 0 plain, 1 pointing up or left, 2 down or right, 3 both.
void TKivSkinFile::PaintTrackBarThumb(uint8_t kind, TkivDC dc, const std::string& object,
                                      const TkivPartInfo& info) {
  static constexpr const char* kHorz[] = {"ThumbHorz", "ThumbHorzTop", "ThumbHorzBottom",
                                          "ThumbHorzBoth"};
  static constexpr const char* kVert[] = {"ThumbVert", "ThumbVertLeft", "ThumbVertRight",
                                          "ThumbVertBoth"};
  const char* own = (kind == 1 ? kVert : kHorz)[info.Part <= 3 ? info.Part : 0];
  TLqSkinObject* bar = ObjectFor(object, srTrackBar);
  PaintObject(dc, FirstPart(bar, {own, kind == 1 ? "ThumbVert" : "ThumbHorz", "Thumb"}), info.Rect,
              SkinPanelButtonState(info.State));
}

// ---------------------------------------------------------------- header

bool TKivSkinFile::SupportsHeader(uint8_t kind, const std::string& object) {
  return kind == 0 && ObjectFor(object, srHeader) != nullptr;
}

void TKivSkinFile::PaintHeader(uint8_t, TkivDC dc, const std::string& object, const TRect& info) {
  PaintObject(dc, PartOrSelf(ObjectFor(object, srHeader), "Frame"), info, kLqStateNormal);
}

void TKivSkinFile::PaintHeaderSection(uint8_t, TkivDC dc, const std::string& object,
                                      const TkivPartInfo& info) {
  PaintObject(dc, Part(ObjectFor(object, srHeader), "Section"), info.Rect,
              SkinPanelButtonState(info.State));
}

// ---------------------------------------------------------------- status bar

bool TKivSkinFile::SupportsStatusBar(uint8_t kind, const std::string& object) {
  return kind == 0 && ObjectFor(object, srStatusBar) != nullptr;
}

void TKivSkinFile::PaintStatusBar(uint8_t, TkivDC dc, const std::string& object,
                                  const TRect& info) {
  PaintObject(dc, PartOrSelf(ObjectFor(object, srStatusBar), "Frame"), info, kLqStateNormal);
}

// State 3 is the size grip; every other state a panel.
void TKivSkinFile::PaintStatusPanel(uint8_t, TkivDC dc, const std::string& object,
                                    const TkivStateInfo& info) {
  PaintObject(dc, Part(ObjectFor(object, srStatusBar), info.State == 3 ? "Gripper" : "Panel"),
              info.Rect, kLqStateNormal);
}

TkivTextInfo TKivSkinFile::StatusTextInfo(const std::string& object,
                                          const TkivTextInfo& text) const {
  TkivTextInfo moved = text;
  if (const TLqSkinObject* panel = Part(ObjectFor(object, srStatusBar), "Panel"))
    moved.Rect = ShrinkRect(text.Rect, panel->Margins());
  return moved;
}

// ---------------------------------------------------------------- edit

namespace {
bool ComboKind(uint8_t kind) {
  return kind == 5 || kind == 6;
}
}  // namespace

bool TKivSkinFile::SupportsEdit(uint8_t kind, const std::string& object) {
  if (NamedObject(object)) return true;
  if (kind == 0) return defaults_[srEdit] != nullptr;
  return ComboKind(kind) && defaults_[srComboBox] != nullptr;
}

TRect TKivSkinFile::EditContentRect(uint8_t, const TRect& source, const std::string&) {
  return InflateRectBy(source, -4);
}

// States: 6 the selection (filled with the theme's selection colour); 4
// disabled, 1 hot, anything else normal.
void TKivSkinFile::PaintEdit(uint8_t kind, TkivDC dc, const std::string& object,
                             const TkivStateInfo& info) {
  if (info.State == 6) {
    SkinFillRect(dc, info.Rect, Colors()->GetColor(tcEditSelection));
    return;
  }
  TLqSkinObject* edit = ObjectFor(object, ComboKind(kind) ? srComboBox : srEdit);
  TLqSkinObject* frame = Part(edit, "Frame");
  if (frame == nullptr) frame = Part(defaults_[srEdit], "Frame");
  const uint8_t state = info.State == 4   ? kLqStateDisabled
                        : info.State == 1 ? kLqStateHot
                                          : kLqStateNormal;
  PaintObject(dc, frame, info.Rect, state);
}

// Button kind (the part) 0: the combo box's drop-down button; 2 to 9: the
// edit's buttons.
void TKivSkinFile::PaintEditButton(uint8_t, TkivDC dc, const std::string& object,
                                   const TkivPartInfo& info) {
  TKivSkinRole role;
  if (info.Part == 0)
    role = srComboBox;
  else if (info.Part >= 2 && info.Part <= 9)
    role = srEdit;
  else
    return;
  const uint8_t state = info.State == 4   ? kLqStateDisabled
                        : info.State == 2 ? kLqStatePressed
                        : info.State == 1 ? kLqStateHot
                                          : kLqStateNormal;
  PaintObject(dc, Part(ObjectFor(object, role), "Button"), info.Rect, state);
}

// ---------------------------------------------------------------- group box

bool TKivSkinFile::SupportsGroupBox(uint8_t kind, const std::string& object) {
  return kind == 0 && ObjectFor(object, srGroupBox) != nullptr;
}

bool TKivSkinFile::GroupBoxIsTransparent(uint8_t, const std::string& object) {
  return MaskedOf(PartOrSelf(ObjectFor(object, srGroupBox), "Frame"));
}

void TKivSkinFile::PaintGroupBox(uint8_t, TkivDC dc, const std::string& object,
                                 const TkivStateInfo& info) {
  PaintObject(dc, PartOrSelf(ObjectFor(object, srGroupBox), "Frame"), info.Rect,
              info.State == 1 ? kLqStateDisabled : kLqStateNormal);
}

// ---------------------------------------------------------------- memo

bool TKivSkinFile::SupportsMemo(uint8_t kind, const std::string&) {
  return kind == 0 && defaults_[srEdit] != nullptr;
}

TRect TKivSkinFile::MemoContentRect(uint8_t, const TkivStateInfo& source, const std::string&) {
  return InflateRectBy(source.Rect, -4);
}

void TKivSkinFile::PaintMemo(uint8_t, TkivDC dc, const std::string&, const TkivStateInfo& info) {
  PaintObject(dc, Part(defaults_[srEdit], "Frame"), info.Rect, SkinEditFrameState(info.State));
}

}  // namespace kiv
