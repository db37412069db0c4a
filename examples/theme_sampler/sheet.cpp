#include "sheet.hpp"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "framework/win32/canvas.hpp"
#include "theme/theme_records.hpp"

#ifdef DrawText
#undef DrawText
#endif

namespace kiv::sampler {

namespace {

// Layout of the sheet, in pixels.
constexpr int kMargin = 10;
constexpr int kTitleHeight = 26;
constexpr int kNameWidth = 96;    // the family names' column
constexpr int kCellGap = 10;      // between cells of a row
constexpr int kLabelHeight = 15;  // under each cell
constexpr int kRowGap = 8;
constexpr TkivPixel kSheetColor = 0xFFFFFFFF;
constexpr TkivPixel kCellColor = 0xFFEDEDED;  // shows what an element leaves unpainted
constexpr TColor kInkColor = 0x00303030;

using TDraw = std::function<void(TkivTheme&, TCanvas&, const TRect&)>;

struct TCell {
  std::wstring Label;
  int Width, Height;
  TDraw Draw;
};

struct TRow {
  std::wstring Family;
  std::vector<TCell> Cells;
};

struct TState {
  uint8_t Code;
  const wchar_t* Name;
};
constexpr TState kStates[] = {{kStateNormal, L"normal"},   {kStateHot, L"hot"},
                              {kStatePressed, L"pressed"}, {kStateDisabled, L"disabled"},
                              {kStateFocused, L"focused"}, {kStateDefault, L"default"}};
constexpr TState kFourStates[] = {{kStateNormal, L"normal"},
                                  {kStateHot, L"hot"},
                                  {kStatePressed, L"pressed"},
                                  {kStateDisabled, L"disabled"}};

const std::string kObject = "default";

TRect Inset(const TRect& r, int h, int v) {
  return TRect{r.Left + h, r.Top + v, r.Right - h, r.Bottom - v};
}

TkivTextInfo Centred(const TRect& r, const char16_t* text) {
  return MakeTextInfo(r, text, kDtCenter | kDtVCenter | kDtSingleLine);
}

TkivTextInfo LeftMiddle(const TRect& r, const char16_t* text) {
  return MakeTextInfo(r, text, kDtVCenter | kDtSingleLine);
}

void UseFont(TkivTheme& theme, TCanvas& canvas, int index) {
  canvas.Font()->Assign(theme.Fonts()->FontByIndex(index));
}

// A 16 x 16 picture for the glyph operations: a disc in two colours on the
// key colour, drawn transparently.
TkivBitmap& Picture() {
  static TkivBitmap picture;
  if (picture.IsEmpty()) {
    picture.SetSize(16, 16);
    picture.SetTransparent(true);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const int dx = 2 * x - 15, dy = 2 * y - 15, d = dx * dx + dy * dy;
        picture.SetPixel(x, y, d > 225 ? KeyPixel : d > 100 ? 0xFF2060C0 : 0xFFF0C020);
      }
  }
  return picture;
}

// A cell per state of a one-state element.
template <class F>
std::vector<TCell> PerState(std::span<const TState> states, int w, int h, F draw) {
  std::vector<TCell> cells;
  for (const TState& s : states)
    cells.push_back(TCell{
        s.Name, w, h,
        [draw, code = s.Code](TkivTheme& t, TCanvas& c, const TRect& r) { draw(t, c, r, code); }});
  return cells;
}

std::vector<TRow> Rows() {
  std::vector<TRow> rows;

  // Window: frame, client, caption and title-bar buttons, active and not.
  auto window = [](bool active) {
    return [active](TkivTheme& t, TCanvas& c, const TRect& r) {
      const uint16_t buttons = 1 << kWindowButtonSysMenu | 1 << kWindowButtonClose |
                               1 << kWindowButtonMinimize | 1 << kWindowButtonMaximize;
      const TkivWindowInfo info = MakeWindowInfo(r, active, buttons, TRect{}, u"Window");
      t.PaintWindowFrame(0, c, kObject, info);
      t.PaintWindowClient(0, c, kObject, t.WindowContentRect(0, r, kObject));
      t.PaintWindowCaption(0, c, kObject, t.WindowCaptionRect(0, info, kObject), info);
      for (uint8_t b :
           {kWindowButtonSysMenu, kWindowButtonClose, kWindowButtonMinimize, kWindowButtonMaximize})
        t.PaintWindowButton(0, c, kObject,
                            MakeWindowButtonInfo(t.WindowButtonRect(0, info, b, kObject), b,
                                                 kStateNormal, &Picture()));
    };
  };
  rows.push_back(
      TRow{L"Window",
           {TCell{L"active", 170, 70, window(true)}, TCell{L"inactive", 170, 70, window(false)},
            TCell{L"grip, sizeable", 20, 20,
                  [](TkivTheme& t, TCanvas& c, const TRect& r) {
                    t.PaintWindowGrip(0, c, kObject, MakeGripInfo(r, true));
                  }},
            TCell{L"grip", 20, 20, [](TkivTheme& t, TCanvas& c, const TRect& r) {
                    t.PaintWindowGrip(0, c, kObject, MakeGripInfo(r, false));
                  }}}});

  // Title-bar buttons: close, help, minimize, restore, maximize, roll up and
  // down, tray, side by side in each state.
  rows.push_back(TRow{L"Title buttons",
                      PerState(std::span(kFourStates).first(3), 8 * 22, 18,
                               [](TkivTheme& t, TCanvas& c, const TRect& r, uint8_t state) {
                                 int x = r.Left;
                                 for (uint8_t b : {1, 2, 3, 4, 5, 7, 8, 9}) {
                                   t.PaintWindowButton(
                                       0, c, kObject,
                                       MakeWindowButtonInfo(TRect{x, r.Top, x + 22, r.Bottom}, b,
                                                            state, nullptr));
                                   x += 22;
                                 }
                               })});

  // Push button faces with their text, in every state.
  rows.push_back(
      TRow{L"Button",
           PerState(kStates, 75, 25, [](TkivTheme& t, TCanvas& c, const TRect& r, uint8_t state) {
             static constexpr int kFont[] = {10, 12, 11, 14, 13, 10, 10};
             const TkivStateInfo info = MakeStateInfo(r, state);
             t.PaintButton(0, c, kObject, info);
             UseFont(t, c, kFont[state]);
             t.PaintButtonText(0, c, kObject, Centred(r, u"OK"), info);
           })});
  rows.back().Cells.push_back(
      TCell{L"glyph", 24, 24, [](TkivTheme& t, TCanvas& c, const TRect& r) {
              const TkivStateInfo info = MakeStateInfo(r, kStateNormal);
              t.PaintButton(0, c, kObject, info);
              t.PaintButtonGlyph(0, c, kObject,
                                 MakeGlyphInfo(Inset(r, 4, 4), &Picture(), 4, kGlyphPicture), info);
            }});

  // Check box and radio button: the mark box and the text.
  std::vector<TCell> checks;
  for (uint8_t kind : {0, 1})
    for (const TState& s : kFourStates)
      checks.push_back(
          TCell{std::wstring(kind == 0 ? L"box " : L"radio ") + s.Name, 66, 16,
                [kind, state = s.Code](TkivTheme& t, TCanvas& c, const TRect& r) {
                  const TSize size = t.GetCheckSize(kind, kObject);
                  const TkivStateInfo box = MakeStateInfo(
                      TRect{r.Left, r.Top + 1, r.Left + size.cx, r.Top + 1 + size.cy}, state);
                  t.PaintCheck(kind, c, kObject, box);
                  // Normal, pressed, hot, focused, disabled from 15 (20).
                  static constexpr int kOffset[] = {0, 2, 1, 4};
                  UseFont(t, c, (kind == 0 ? 15 : 20) + kOffset[state]);
                  t.PaintCheckText(kind, c, kObject,
                                   LeftMiddle(TRect{r.Left + 17, r.Top, r.Right, r.Bottom},
                                              kind == 0 ? u"Check" : u"Radio"),
                                   box);
                }});
  rows.push_back(TRow{L"Check", checks});

  // Scroll bar, vertical 17 x 100: frame, arrow buttons, track and thumb in
  // one state; and a horizontal one. The bars number their parts and states
  // their own way: thumbs 9 vertical, 8 horizontal, tracks 0 vertical, 1
  // horizontal; state 1 pressed (dragging), 2 hot.
  auto vertical = [](TkivTheme& t, TCanvas& c, const TRect& r, uint8_t label) {
    const uint8_t state = label == kStateHot ? 2 : label == kStatePressed ? 1 : label;
    t.PaintScrollBarFrame(0, c, kObject, r);
    t.PaintScrollBarButton(0, c, kObject,
                           MakePartInfo(TRect{r.Left, r.Top, r.Right, r.Top + 17}, 0, state));
    t.PaintScrollBarTrack(
        0, c, kObject, MakePartInfo(TRect{r.Left, r.Top + 17, r.Right, r.Bottom - 17}, 0, state));
    t.PaintScrollBarButton(0, c, kObject,
                           MakePartInfo(TRect{r.Left, r.Top + 30, r.Right, r.Top + 60}, 9, state));
    t.PaintScrollBarButton(0, c, kObject,
                           MakePartInfo(TRect{r.Left, r.Bottom - 17, r.Right, r.Bottom}, 1, state));
  };
  rows.push_back(TRow{L"Scroll bar", PerState(kFourStates, 17, 100, vertical)});
  rows.back().Cells.push_back(
      TCell{L"horizontal", 100, 17, [](TkivTheme& t, TCanvas& c, const TRect& r) {
              t.PaintScrollBarFrame(0, c, kObject, r);
              t.PaintScrollBarButton(0, c, kObject, MakePartInfo(TRect{0, 0, 17, 17}, 4, 0));
              t.PaintScrollBarTrack(0, c, kObject, MakePartInfo(TRect{17, 0, 83, 17}, 1, 0));
              t.PaintScrollBarButton(0, c, kObject, MakePartInfo(TRect{30, 0, 60, 17}, 8, 0));
              t.PaintScrollBarButton(0, c, kObject, MakePartInfo(TRect{83, 0, 100, 17}, 5, 0));
            }});

  // Hint, static text, containers, splitter, scroll box.
  rows.push_back(TRow{
      L"Containers",
      {TCell{L"hint", 90, 30,
             [](TkivTheme& t, TCanvas& c, const TRect& r) { t.PaintHint(0, c, kObject, r); }},
       TCell{L"static text", 70, 20,
             [](TkivTheme& t, TCanvas& c, const TRect& r) {
               UseFont(t, c, 4);
               t.PaintStaticText(0, c, kObject, LeftMiddle(r, u"Static"),
                                 MakeStateInfo(r, kStateNormal));
             }},
       TCell{L"raised", 80, 36,
             [](TkivTheme& t, TCanvas& c, const TRect& r) {
               t.PaintContainer(0, c, kObject, r);
               UseFont(t, c, 8);
               t.PaintContainerText(0, c, kObject, Centred(r, u"Raised"), r);
             }},
       TCell{L"sunken", 80, 36,
             [](TkivTheme& t, TCanvas& c, const TRect& r) {
               t.PaintContainer(1, c, kObject, r);
               UseFont(t, c, 8);
               t.PaintContainerText(1, c, kObject, Centred(r, u"Sunken"), r);
             }},
       TCell{L"splitter", 60, 8,
             [](TkivTheme& t, TCanvas& c, const TRect& r) { t.PaintSplitter(0, c, kObject, r); }},
       TCell{L"scroll box", 60, 36, [](TkivTheme& t, TCanvas& c, const TRect& r) {
               t.PaintScrollBox(0, c, kObject, r);
             }}}});

  // Bars: progress and track bar, status bar and its panels.
  rows.push_back(
      TRow{L"Bars",
           {TCell{L"progress", 90, 16,
                  [](TkivTheme& t, TCanvas& c, const TRect& r) {
                    t.PaintProgressBar(0, c, kObject, MakePartInfo(r, 0, kStateNormal));
                  }},
            TCell{L"track bar", 90, 24,
                  [](TkivTheme& t, TCanvas& c, const TRect& r) {
                    t.PaintTrackBar(0, c, kObject, r);
                    t.PaintTrackBarTrack(0, c, kObject, MakePartInfo(Inset(r, 4, 10), 0, 0));
                    t.PaintTrackBarThumb(0, c, kObject, MakePartInfo(TRect{40, 2, 50, 22}, 0, 0));
                  }},
            TCell{L"status bar", 200, 22, [](TkivTheme& t, TCanvas& c, const TRect& r) {
                    t.PaintStatusBar(0, c, kObject, r);
                    const TRect inner = t.StatusBarContentRect(0, r, kObject);
                    const TRect panels[] = {TRect{inner.Left, inner.Top, 100, inner.Bottom},
                                            TRect{102, inner.Top, inner.Right, inner.Bottom}};
                    for (int i = 0; i < 2; ++i) {
                      const TkivStateInfo info =
                          MakeStateInfo(panels[i], i == 0 ? kStateNormal : kStateDisabled);
                      t.PaintStatusPanel(0, c, kObject, info);
                      UseFont(t, c, i == 0 ? 49 : 50);
                      t.PaintStatusText(0, c, kObject, LeftMiddle(Inset(panels[i], 3, 0), u"Panel"),
                                        info);
                    }
                  }}}});

  // Header: the body, then a section in each state.
  rows.push_back(
      TRow{L"Header", {TCell{L"body", 60, 20, [](TkivTheme& t, TCanvas& c, const TRect& r) {
                               t.PaintHeader(0, c, kObject, r);
                             }}}});
  for (const TState& s : kStates)
    rows.back().Cells.push_back(
        TCell{s.Name, 60, 20, [state = s.Code](TkivTheme& t, TCanvas& c, const TRect& r) {
                const TkivPartInfo info = MakePartInfo(r, 0, state);
                t.PaintHeaderSection(0, c, kObject, info);
                // Header fonts: normal 42, pressed 43, hot 46, disabled 48.
                UseFont(t, c,
                        state == kStateHot        ? 46
                        : state == kStatePressed  ? 43
                        : state == kStateDisabled ? 48
                                                  : 42);
                t.PaintHeaderText(0, c, kObject, Centred(r, u"Name"), info);
              }});

  // Edits: edit box and combo box with its button, memo, text area, group box.
  rows.push_back(TRow{
      L"Edits",
      {TCell{L"edit", 90, 22,
             [](TkivTheme& t, TCanvas& c, const TRect& r) {
               const TkivStateInfo info = MakeStateInfo(r, kStateNormal);
               t.PaintEdit(0, c, kObject, info);
               UseFont(t, c, 29);
               t.DrawText(c, LeftMiddle(t.EditContentRect(0, r, kObject), u"Edit"));
             }},
       TCell{L"combo", 90, 22,
             [](TkivTheme& t, TCanvas& c, const TRect& r) {
               t.PaintEdit(5, c, kObject, MakeStateInfo(r, kStateNormal));
               t.PaintEditButton(5, c, kObject,
                                 MakePartInfo(TRect{r.Right - 18, 2, r.Right - 2, r.Bottom - 2}, 0,
                                              kStateNormal));
             }},
       TCell{L"memo", 90, 40,
             [](TkivTheme& t, TCanvas& c, const TRect& r) {
               t.PaintMemo(0, c, kObject, MakeStateInfo(r, kStateNormal));
             }},
       TCell{L"text area", 90, 40,
             [](TkivTheme& t, TCanvas& c, const TRect& r) {
               t.PaintTextArea(0, c, kObject, MakeStateInfo(r, kStateNormal));
             }},
       TCell{L"group box", 110, 50, [](TkivTheme& t, TCanvas& c, const TRect& r) {
               t.PaintGroupBox(0, c, kObject, MakeStateInfo(r, kStateNormal));
               UseFont(t, c, 25);
               t.PaintGroupBoxText(0, c, kObject, LeftMiddle(TRect{12, 0, 100, 14}, u"Group"),
                                   MakeStateInfo(r, kStateNormal));
             }}}});

  // Menu: the body, items in each state, the separator and the glyph marks.
  rows.push_back(
      TRow{L"Menu", {TCell{L"menu", 60, 40, [](TkivTheme& t, TCanvas& c, const TRect& r) {
                             t.PaintMenu(1, c, kObject, r);
                           }}}});
  for (const TState& s : kFourStates)
    rows.back().Cells.push_back(
        TCell{s.Name, 70, 18, [state = s.Code](TkivTheme& t, TCanvas& c, const TRect& r) {
                const TkivPartInfo info = MakePartInfo(r, 0, state);
                t.PaintMenuItem(1, c, kObject, info);
                UseFont(t, c, state == kStateDisabled ? 37 : 34);
                t.PaintMenuItemText(1, c, kObject, LeftMiddle(Inset(r, 6, 0), u"Item"), info);
              }});
  rows.back().Cells.push_back(
      TCell{L"separator", 70, 8, [](TkivTheme& t, TCanvas& c, const TRect& r) {
              t.PaintMenuItem(1, c, kObject, MakePartInfo(r, 1, 0));
            }});
  const std::pair<uint8_t, const wchar_t*> marks[] = {
      {kGlyphCheck, L"check"}, {kGlyphRadio, L"radio"}, {kGlyphArrow, L"arrow"}};
  for (const auto& [mode, name] : marks)
    rows.back().Cells.push_back(
        TCell{name, 20, 20, [mode](TkivTheme& t, TCanvas& c, const TRect& r) {
                UseFont(t, c, 34);
                t.PaintMenuItemGlyph(1, c, kObject, MakeGlyphInfo(r, nullptr, 0, mode),
                                     MakePartInfo(r, 0, 0));
              }});

  // Tool bar with a button, control bar, panel, tabs.
  rows.push_back(TRow{
      L"Bars and panels",
      {TCell{
           L"tool bar", 90, 28,
           [](TkivTheme& t, TCanvas& c, const TRect& r) {
             t.PaintToolBar(0, c, kObject, r);
             const TRect b{13, 3, 37, 25};
             const TkivPartInfo info = MakePartInfo(b, 0, kStateNormal);
             t.PaintToolButton(0, c, kObject, info);
             t.PaintToolButtonGlyph(0, c, kObject, MakeGlyphInfo(b, &Picture(), 0, kGlyphPicture),
                                    info);
             UseFont(t, c, 38);
             t.PaintToolButtonText(0, c, kObject, LeftMiddle(TRect{40, 3, 88, 25}, u"Tool"), info);
           }},
       TCell{L"control bar", 60, 28,
             [](TkivTheme& t, TCanvas& c, const TRect& r) { t.PaintControlBar(0, c, kObject, r); }},
       TCell{L"panel", 130, 60,
             [](TkivTheme& t, TCanvas& c, const TRect& r) {
               t.PaintPanel(1, c, kObject, r);
               t.PaintPanelBorder(1, c, kObject, MakePartInfo(r, 0, kStateNormal));
               const TRect caption{2, 2, r.Right - 2, 20};
               t.PaintPanelCaption(1, c, kObject, caption);
               t.PaintPanelButton(1, c, kObject,
                                  MakePartInfo(TRect{r.Right - 20, 4, r.Right - 4, 18}, 0, 0));
               UseFont(t, c, 8);
               t.PaintPanelText(1, c, kObject, LeftMiddle(Inset(caption, 4, 0), u"Panel"), caption);
             }},
       TCell{L"tabs", 160, 60, [](TkivTheme& t, TCanvas& c, const TRect& r) {
               t.PaintTabsBody(0, c, kObject, TRect{0, 19, r.Right, r.Bottom});
               for (int i = 0; i < 3; ++i) {
                 const TRect tab{2 + 44 * i, i == 0 ? 0 : 2, 44 + 44 * i, 20};
                 const TkivPartInfo info = MakePartInfo(tab, 0, i == 0 ? kStateHot : 0);
                 t.PaintTab(0, c, kObject, info);
                 UseFont(t, c, i == 0 ? 55 : 51);
                 t.PaintTabText(0, c, kObject, Centred(tab, u"Tab"), info);
               }
               t.PaintTabScrollButton(0, c, kObject,
                                      MakePartInfo(TRect{r.Right - 18, 2, r.Right - 2, 18}, 0, 0));
             }}}});

  // Lists: the list box body and its items in each state, the item checks;
  // trees and grids likewise.
  rows.push_back(
      TRow{L"List", {TCell{L"list box", 60, 40, [](TkivTheme& t, TCanvas& c, const TRect& r) {
                             t.PaintListBox(0, c, kObject, r);
                             t.PaintListBoxBorder(0, c, kObject, r);
                           }}}});
  for (int state = 0; state <= 4; ++state)
    rows.back().Cells.push_back(
        TCell{state == 4 ? std::wstring(L"focused") : std::wstring(kStates[state].Name), 56, 18,
              [state](TkivTheme& t, TCanvas& c, const TRect& r) {
                const TkivStateInfo info = MakeStateInfo(r, static_cast<uint8_t>(state));
                t.PaintListItem(0, c, kObject, info);
                // Normal, hot, selected, disabled, focused.
                static constexpr int kFont[] = {57, 58, 59, 61, 60};
                UseFont(t, c, kFont[state]);
                t.PaintListItemText(0, c, kObject, LeftMiddle(Inset(r, 4, 0), u"Item"), info);
              }});
  const wchar_t* const check_names[] = {L"checked", L"unchecked", L"greyed", L"picture"};
  for (uint8_t mode = 0; mode < 4; ++mode)
    rows.back().Cells.push_back(
        TCell{check_names[mode], 20, 20, [mode](TkivTheme& t, TCanvas& c, const TRect& r) {
                t.PaintListItemCheck(0, c, kObject, MakeListCheckInfo(r, &Picture(), mode));
              }});

  rows.push_back(TRow{
      L"Tree and grid",
      {TCell{L"tree", 60, 40,
             [](TkivTheme& t, TCanvas& c, const TRect& r) { t.PaintTree(0, c, kObject, r); }},
       TCell{L"grid", 60, 40,
             [](TkivTheme& t, TCanvas& c, const TRect& r) { t.PaintGrid(0, c, kObject, r); }}}});
  for (int state = 0; state <= 4; ++state)
    rows.back().Cells.push_back(TCell{
        std::wstring(L"item ") + (state == 4 ? L"focused" : kStates[state].Name), 56, 18,
        [state](TkivTheme& t, TCanvas& c, const TRect& r) {
          const TkivStateInfo info = MakeStateInfo(r, static_cast<uint8_t>(state));
          t.PaintTreeItem(0, c, kObject, info);
          t.PaintTreeItemGlyph(0, c, kObject, MakeGlyphInfo(r, nullptr, 0, kGlyphPicture), info);
          UseFont(t, c, 57);
          t.PaintTreeItemText(0, c, kObject, LeftMiddle(Inset(r, 4, 0), u"Node"), info);
        }});
  for (int part = 0; part <= 5; ++part)
    rows.back().Cells.push_back(TCell{
        part == 5 ? std::wstring(L"cell, state 1") : L"cell " + std::to_wstring(part), 40, 18,
        [part](TkivTheme& t, TCanvas& c, const TRect& r) {
          const TkivPartInfo info =
              part == 5 ? MakePartInfo(r, 0, 1) : MakePartInfo(r, static_cast<uint8_t>(part), 0);
          t.PaintGridCell(0, c, kObject, info);
          UseFont(t, c, 57);
          t.PaintGridCellText(0, c, kObject, Centred(r, u"12"), info);
        }});
  return rows;
}

// A cell's column: the element, or its label when that is wider (about six
// pixels a character in the labels' font).
int ColumnWidth(const TCell& cell) {
  return std::max(cell.Width, 6 * static_cast<int>(cell.Label.size()));
}

int RowWidth(const TRow& row) {
  int w = 0;
  for (const TCell& c : row.Cells) w += ColumnWidth(c) + kCellGap;
  return w - kCellGap;
}

int RowHeight(const TRow& row) {
  int h = 0;
  for (const TCell& c : row.Cells) h = std::max(h, c.Height);
  return h + kLabelHeight;
}

// Label text in the sheet's own small font.
void Label(HDC dc, HFONT font, TRect r, const std::wstring& text, UINT format) {
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kInkColor);
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, format | DT_NOPREFIX);
  SelectObject(dc, old);
}

}  // namespace

std::unique_ptr<TkivBitmap> DrawSheet(TkivTheme& theme) {
  const std::vector<TRow> rows = Rows();
  int width = 0, height = kMargin + kTitleHeight;
  for (const TRow& row : rows) {
    width = std::max(width, RowWidth(row));
    height += RowHeight(row) + kRowGap;
  }
  width += 2 * kMargin + kNameWidth;
  height += kMargin - kRowGap;

  auto sheet = std::make_unique<TkivBitmap>();
  sheet->SetSize(width, height);
  sheet->Fill(kSheetColor);
  HDC dc = static_cast<HDC>(sheet->DC());
  HFONT small =
      CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  HFONT bold = CreateFontW(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  const std::string title = "Theme sampler: " + theme.Name() + " (" + theme.GetThemeType() + ")";
  Label(dc, bold, TRect{kMargin, kMargin, width - kMargin, kMargin + kTitleHeight},
        std::wstring(title.begin(), title.end()), DT_LEFT | DT_TOP | DT_SINGLELINE);

  int y = kMargin + kTitleHeight;
  for (const TRow& row : rows) {
    Label(dc, bold, TRect{kMargin, y, kMargin + kNameWidth - 4, y + 40}, row.Family,
          DT_LEFT | DT_TOP | DT_WORDBREAK);
    int x = kMargin + kNameWidth;
    for (const TCell& cell : row.Cells) {
      // Each element is drawn at the origin of a surface of its own size:
      // the window geometry is in window coordinates.
      TkivBitmap surface;
      surface.SetSize(cell.Width, cell.Height);
      surface.Fill(kCellColor);
      TCanvas canvas;
      canvas.SetHandle(static_cast<HDC>(surface.DC()));
      cell.Draw(theme, canvas, TRect{0, 0, cell.Width, cell.Height});
      canvas.SetHandle(nullptr);
      GdiFlush();
      surface.DrawTo(*sheet, x, y);
      const int column = ColumnWidth(cell);
      Label(dc, small, TRect{x - 4, y + cell.Height + 1, x + column + 4, y + cell.Height + 15},
            cell.Label, DT_LEFT | DT_TOP | DT_SINGLELINE);
      x += column + kCellGap;
    }
    y += RowHeight(row) + kRowGap;
  }
  GdiFlush();
  DeleteObject(small);
  DeleteObject(bold);
  sheet->SetAlpha(255);
  return sheet;
}

}  // namespace kiv::sampler
