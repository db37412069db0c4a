// TKivSkinFile: the element queries and drawings of the menu, control-bar,
// tool-bar, scroll-box, header-panel, tab, list-box, tree and grid families,
// on device contexts.
#include "graphics/kiv_utils.hpp"
#include "themefiles/skin_objects.hpp"
#include "themefiles/skin_paint.hpp"
#include "themefiles/skin_theme.hpp"
#include "themefiles/skin_theme_parts.hpp"

namespace kiv {

using namespace skin_parts;

// ---------------------------------------------------------------- menu

bool TKivSkinFile::SupportsMenu(uint8_t kind, const std::string& object) {
  if (kind > 1) return NamedObject(object) != nullptr;
  return ObjectFor(object, kind == 1 ? srPopupMenu : srMenuBar) != nullptr;
}

TRect TKivSkinFile::MenuContentRect(uint8_t kind, const TRect& source, const std::string& object) {
  const TLqSkinObject* frame =
      Part(ObjectFor(object, kind == 1 ? srPopupMenu : srMenuBar), "Frame");
  return frame ? ShrinkRect(source, frame->Margins()) : source;
}

void TKivSkinFile::PaintMenu(uint8_t kind, TkivDC dc, const std::string& object,
                             const TRect& info) {
  PaintObject(dc, PartOrSelf(ObjectFor(object, kind == 1 ? srPopupMenu : srMenuBar), "Frame"), info,
              kLqStateNormal);
}

// Parts: 0 an item, 1 a separator, 2 to 4 the minimize, restore and close
// buttons of a child window's menu bar, 5 and 6 the scroll buttons of a
// long pop-up menu.
void TKivSkinFile::PaintMenuItem(uint8_t kind, TkivDC dc, const std::string& object,
                                 const TkivPartInfo& info) {
  static constexpr const char* kParts[] = {"Item",  "Separator", "Min",       "Restore",
                                           "Close", "upbutton",  "downbutton"};
  if (info.Part >= std::size(kParts)) return;
  PaintObject(dc, Part(ObjectFor(object, kind == 1 ? srPopupMenu : srMenuBar), kParts[info.Part]),
              info.Rect, SkinItemState(info.State));
}

// ---------------------------------------------------------------- control bar, tool bar

bool TKivSkinFile::SupportsControlBar(uint8_t, const std::string& object) {
  return ObjectFor(object, srControlBar) != nullptr;
}

void TKivSkinFile::PaintControlBar(uint8_t, TkivDC dc, const std::string& object,
                                   const TRect& info) {
  PaintObject(dc, PartOrSelf(ObjectFor(object, srControlBar), "Back"), info, kLqStateNormal);
}

namespace {
TLqSkinObject* ToolBarObject(const TKivSkinFile& skin, const std::string& object) {
  if (TLqSkinObject* o = skin.ObjectFor(object, srToolBar)) return o;
  return skin.DefaultObject(srControlBar);
}
}  // namespace

bool TKivSkinFile::SupportsToolBar(uint8_t kind, const std::string& object) {
  return kind <= 1 && ToolBarObject(*this, object) != nullptr;
}

void TKivSkinFile::PaintToolBar(uint8_t, TkivDC dc, const std::string& object, const TRect& info) {
  PaintObject(dc, PartOrSelf(ToolBarObject(*this, object), "Frame"), info, kLqStateNormal);
}

// Parts: 0 a button's face (kind 1: the flat one), 1 a separator, 2 the
// chevron, 3 and 4 the grabber of a horizontal and of a vertical bar.
void TKivSkinFile::PaintToolButton(uint8_t kind, TkivDC dc, const std::string& object,
                                   const TkivPartInfo& info) {
  const bool flat = kind == 1;
  TLqSkinObject* part = nullptr;
  switch (info.Part) {
    case 0:
      part = Part(ObjectFor(object, srSpeedButton), flat ? "FlatFace" : "Face");
      break;
    case 1:
      part = Part(ToolBarObject(*this, object), "Separator");
      break;
    case 2:
      part = Part(ToolBarObject(*this, object), flat ? "FlatChevron" : "Chevron");
      break;
    case 3:
      part = Part(ToolBarObject(*this, object), "Grabber");
      break;
    case 4:
      part = Part(ToolBarObject(*this, object), "GrabberVert");
      break;
    default:
      return;
  }
  PaintObject(dc, part, info.Rect, SkinButtonState(info.State));
}

// ---------------------------------------------------------------- scroll box

bool TKivSkinFile::SupportsScrollBox(uint8_t kind, const std::string& object) {
  return kind == 0 && ObjectFor(object, srScrollBox) != nullptr;
}

void TKivSkinFile::PaintScrollBox(uint8_t, TkivDC dc, const std::string& object,
                                  const TRect& info) {
  PaintObject(dc, PartOrSelf(ObjectFor(object, srScrollBox), "Frame"), info, kLqStateNormal);
}

// ---------------------------------------------------------------- header panel

bool TKivSkinFile::SupportsPanel(uint8_t kind, const std::string& object) {
  return kind == 1 && ObjectFor(object, srPanel) != nullptr;
}

bool TKivSkinFile::PanelIsTransparent(uint8_t, const std::string& object) {
  if (MaskedOf(ObjectFor(object, srPanel))) return true;
  return MaskedOf(Part(defaults_[srPanel], "Caption"));
}

void TKivSkinFile::PaintPanel(uint8_t, TkivDC dc, const std::string& object, const TRect& info) {
  PaintObject(dc, Part(ObjectFor(object, srPanel), "Frame"), info, kLqStateNormal);
}

void TKivSkinFile::PaintPanelCaption(uint8_t, TkivDC dc, const std::string& object,
                                     const TRect& info) {
  TLqSkinObject* caption = Part(ObjectFor(object, srPanel), "Caption");
  PaintObject(dc, caption, info, kLqStateNormal);
  if (caption) caption->SetText(std::u16string());
}

// Button kinds (the part): 1 roll up, 2 roll down, 3 hide.
void TKivSkinFile::PaintPanelButton(uint8_t, TkivDC dc, const std::string& object,
                                    const TkivPartInfo& info) {
  static constexpr const char* kButtons[] = {nullptr, "ButtonRollup", "ButtonRollDown",
                                             "ButtonHide"};
  if (info.Part < 1 || info.Part > 3) return;
  PaintObject(dc, Part(ObjectFor(object, srPanel), kButtons[info.Part]), info.Rect,
              SkinPanelButtonState(info.State));
}

// ---------------------------------------------------------------- tabs

bool TKivSkinFile::SupportsTabs(uint8_t kind, const std::string& object) {
  return kind <= 1 && ObjectFor(object, srTabs) != nullptr;
}

TRect TKivSkinFile::TabsContentRect(uint8_t, const TRect& source, const std::string&) {
  return InflateRectBy(source, -2);
}

void TKivSkinFile::PaintTabsBody(uint8_t, TkivDC dc, const std::string& object, const TRect& info) {
  PaintObject(dc, PartOrSelf(ObjectFor(object, srTabs), "Frame"), info, kLqStateNormal);
}

// Parts: where the tabs sit: 0 top, 1 left, 2 right, 3 bottom.
void TKivSkinFile::PaintTab(uint8_t, TkivDC dc, const std::string& object,
                            const TkivPartInfo& info) {
  static constexpr const char* kOwn[] = {"TabTop", "TabLeft", "TabRight", "Tab"};
  TLqSkinObject* tabs = ObjectFor(object, srTabs);
  PaintObject(dc, FirstPart(tabs, {kOwn[info.Part <= 3 ? info.Part : 3], "Tab"}), info.Rect,
              SkinItemState(info.State));
}

// Parts: 0 the left button, 1 the right one.
void TKivSkinFile::PaintTabScrollButton(uint8_t, TkivDC dc, const std::string& object,
                                        const TkivPartInfo& info) {
  if (info.Part > 1) return;
  PaintObject(dc, Part(ObjectFor(object, srTabs), info.Part == 0 ? "LeftButton" : "RightButton"),
              info.Rect, SkinPanelButtonState(info.State));
}

// ---------------------------------------------------------------- list box, tree, grid

bool TKivSkinFile::SupportsListBox(uint8_t kind, const std::string& object) {
  return kind == 0 && ObjectFor(object, srListBox) != nullptr;
}

bool TKivSkinFile::SupportsTree(uint8_t kind, const std::string& object) {
  return kind == 0 && ObjectFor(object, srListBox) != nullptr;
}

bool TKivSkinFile::SupportsGrid(uint8_t kind, const std::string& object) {
  return kind == 0 && ObjectFor(object, srGrid) != nullptr;
}

void TKivSkinFile::PaintListBox(uint8_t, TkivDC dc, const std::string& object, const TRect& info) {
  PaintObject(dc, PartOrSelf(ObjectFor(object, srListBox), "Frame"), info, kLqStateNormal);
}

void TKivSkinFile::PaintListBoxBorder(uint8_t, TkivDC dc, const std::string& object,
                                      const TRect& info) {
  PaintObject(dc, Part(ObjectFor(object, srListBox), "Frame"), info, kLqStateNormal);
}

void TKivSkinFile::PaintListItem(uint8_t, TkivDC dc, const std::string& object,
                                 const TkivStateInfo& info) {
  PaintObject(dc, Part(ObjectFor(object, srListBox), "Item"), info.Rect, SkinItemState(info.State));
}

// Modes: 0 checked, 1 unchecked, 2 greyed (the list's marks, else the check
// box's), 3 the picture centred.
void TKivSkinFile::PaintListItemCheck(uint8_t, TkivDC dc, const std::string& object,
                                      const TkivListCheckInfo& info) {
  static constexpr const char* kMarks[] = {"Checked", "Unchecked", "Mixed"};
  if (info.Mode == 3) {
    if (info.Bitmap && !info.Bitmap->IsEmpty()) {
      const TRect at =
          CenterRect(Bounds(0, 0, info.Bitmap->Width(), info.Bitmap->Height()), info.Rect);
      info.Bitmap->Draw(dc, at.Left, at.Top);
    }
    return;
  }
  if (info.Mode > 2) return;
  TLqSkinObject* mark = Part(ObjectFor(object, srListBox), kMarks[info.Mode]);
  if (mark == nullptr) mark = Part(defaults_[srCheckbox], kMarks[info.Mode]);
  PaintObject(dc, mark, info.Rect, kLqStateNormal);
}

void TKivSkinFile::PaintTree(uint8_t, TkivDC dc, const std::string& object, const TRect& info) {
  PaintObject(dc, PartOrSelf(ObjectFor(object, srListBox), "Frame"), info, kLqStateNormal);
}

void TKivSkinFile::PaintTreeItem(uint8_t, TkivDC dc, const std::string& object,
                                 const TkivStateInfo& info) {
  PaintObject(dc, Part(ObjectFor(object, srListBox), "Item"), info.Rect, SkinItemState(info.State));
}

void TKivSkinFile::PaintGrid(uint8_t, TkivDC dc, const std::string& object, const TRect& info) {
  PaintObject(dc, PartOrSelf(ObjectFor(object, srGrid), "Frame"), info, kLqStateNormal);
}

// Parts: 1 a fixed cell, any other a cell; state 1 selected.
void TKivSkinFile::PaintGridCell(uint8_t, TkivDC dc, const std::string& object,
                                 const TkivPartInfo& info) {
  PaintObject(dc, Part(ObjectFor(object, srGrid), info.Part == 1 ? "Fixed" : "Cell"), info.Rect,
              info.State == 1 ? kLqStateFocused : kLqStateNormal);
}

}  // namespace kiv
