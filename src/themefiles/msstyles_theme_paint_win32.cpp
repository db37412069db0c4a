// TKivThemeMsStyles's canvas operations: the style's drawing on the canvas's
// device context, the built-in look where the style lacks the part.
#include <windows.h>

#include "framework/win32/canvas.hpp"
#include "themefiles/msstyles_theme.hpp"

namespace kiv {

namespace {
TkivDC Dc(TCanvas& canvas) {
  return static_cast<TkivDC>(canvas.Handle());
}
}  // namespace

void TKivThemeMsStyles::PaintButton(uint8_t kind, TCanvas& canvas, const std::string& object,
                                    const TkivStateInfo& info) {
  if (!DrawButton(Dc(canvas), kind, info)) TkivTheme::PaintButton(kind, canvas, object, info);
}

void TKivThemeMsStyles::PaintCheck(uint8_t kind, TCanvas& canvas, const std::string& object,
                                   const TkivStateInfo& info) {
  if (!DrawCheck(Dc(canvas), kind, info)) TkivTheme::PaintCheck(kind, canvas, object, info);
}

void TKivThemeMsStyles::PaintScrollBarFrame(uint8_t, TCanvas&, const std::string&, const TRect&) {}

void TKivThemeMsStyles::PaintScrollBarButton(uint8_t kind, TCanvas& canvas,
                                             const std::string& object, const TkivPartInfo& info) {
  if (kind != 0 || !DrawScrollBarButton(Dc(canvas), info))
    TkivTheme::PaintScrollBarButton(kind, canvas, object, info);
}

void TKivThemeMsStyles::PaintScrollBarTrack(uint8_t kind, TCanvas& canvas,
                                            const std::string& object, const TkivPartInfo& info) {
  if (!DrawScrollBarTrack(Dc(canvas), info))
    TkivTheme::PaintScrollBarTrack(kind, canvas, object, info);
}

void TKivThemeMsStyles::PaintEdit(uint8_t kind, TCanvas& canvas, const std::string& object,
                                  const TkivStateInfo& info) {
  if (!DrawEdit(Dc(canvas), kind, info)) TkivTheme::PaintEdit(kind, canvas, object, info);
}

void TKivThemeMsStyles::PaintMemo(uint8_t kind, TCanvas& canvas, const std::string& object,
                                  const TkivStateInfo& info) {
  if (!DrawMemo(Dc(canvas), info)) TkivTheme::PaintMemo(kind, canvas, object, info);
}

void TKivThemeMsStyles::PaintProgressBar(uint8_t kind, TCanvas& canvas, const std::string& object,
                                         const TkivPartInfo& info) {
  if (!DrawProgressBar(Dc(canvas), info)) TkivTheme::PaintProgressBar(kind, canvas, object, info);
}

void TKivThemeMsStyles::PaintStatusBar(uint8_t kind, TCanvas& canvas, const std::string& object,
                                       const TRect& info) {
  if (!DrawStatusBar(Dc(canvas), info)) TkivTheme::PaintStatusBar(kind, canvas, object, info);
}

void TKivThemeMsStyles::PaintStatusPanel(uint8_t kind, TCanvas& canvas, const std::string& object,
                                         const TkivStateInfo& info) {
  if (!DrawStatusPanel(Dc(canvas), info)) TkivTheme::PaintStatusPanel(kind, canvas, object, info);
}

void TKivThemeMsStyles::PaintHeader(uint8_t kind, TCanvas& canvas, const std::string& object,
                                    const TRect& info) {
  if (!DrawHeader(Dc(canvas), info)) TkivTheme::PaintHeader(kind, canvas, object, info);
}

void TKivThemeMsStyles::PaintHeaderSection(uint8_t kind, TCanvas& canvas, const std::string& object,
                                           const TkivPartInfo& info) {
  if (!DrawHeaderSection(Dc(canvas), info))
    TkivTheme::PaintHeaderSection(kind, canvas, object, info);
}

void TKivThemeMsStyles::PaintPanel(uint8_t kind, TCanvas& canvas, const std::string& object,
                                   const TRect& info) {
  if (!DrawPanel(Dc(canvas), info)) TkivTheme::PaintPanel(kind, canvas, object, info);
}

void TKivThemeMsStyles::PaintPanelCaption(uint8_t kind, TCanvas& canvas, const std::string& object,
                                          const TRect& info) {
  if (!DrawPanelCaption(Dc(canvas), info)) TkivTheme::PaintPanelCaption(kind, canvas, object, info);
}

void TKivThemeMsStyles::PaintPanelButton(uint8_t kind, TCanvas& canvas, const std::string& object,
                                         const TkivPartInfo& info) {
  if (!DrawPanelButton(Dc(canvas), info)) TkivTheme::PaintPanelButton(kind, canvas, object, info);
}

// ---------------------------------------------------------------- window

void TKivThemeMsStyles::PaintWindowFrame(uint8_t kind, TCanvas& canvas, const std::string& object,
                                         const TkivWindowInfo& info) {
  if (!DrawWindowFrame(Dc(canvas), kind, info))
    TkivTheme::PaintWindowFrame(kind, canvas, object, info);
}

// The caption text in the caption font of the state, in the colour of the
// state's caption section when it states one, placed by the caption's
// content alignment, over its shadow when the caption has one.
void TKivThemeMsStyles::PaintWindowCaption(uint8_t kind, TCanvas& canvas, const std::string& object,
                                           const TRect& rect, const TkivWindowInfo& info) {
  const TmsuxThemeObject* caption =
      parts_.Existing(kind == 6 ? "Window.SmallCaption" : "Window.Caption");
  if (caption == nullptr) {
    TkivTheme::PaintWindowCaption(kind, canvas, object, rect, info);
    return;
  }
  canvas.Font()->Assign(Fonts()->FontByIndex(info.Active ? 0 : 1));
  if (const TmsuxThemeObject* state =
          parts_.Existing(info.Active ? "Window.Caption(Active)" : "Window.Caption(Inactive)");
      state != nullptr && !state->Prop("textcolor").empty())
    canvas.Font()->SetColor(state->TextColor);
  uint32_t align = 0;
  if (caption->ContentAlignment == 1) align = kDtCenter;
  if (caption->ContentAlignment == 2) align = kDtRight;
  const uint32_t format = align | kDtVCenter | kDtSingleLine;
  if (caption->TextShadowType == 1) {
    const TColor color = canvas.Font()->Color();
    canvas.Font()->SetColor(caption->TextShadowColor);
    const TPoint d = caption->TextShadowOffset;
    DrawText(canvas, MakeTextInfo(TRect{rect.Left + d.X, rect.Top + d.Y, rect.Right + d.X,
                                        rect.Bottom + d.Y},
                                  info.Caption, format));
    canvas.Font()->SetColor(color);
  }
  DrawText(canvas, MakeTextInfo(rect, info.Caption, format));
}

void TKivThemeMsStyles::PaintWindowButton(uint8_t kind, TCanvas& canvas, const std::string& object,
                                          const TkivWindowButtonInfo& info) {
  if (!DrawWindowButton(Dc(canvas), kind, info))
    TkivTheme::PaintWindowButton(kind, canvas, object, info);
}

// ---------------------------------------------------------------- bars, tabs, menus, lists

#define KIV_STYLE_OR_BUILT_IN(Operation, Record, draw)                                        \
  void TKivThemeMsStyles::Operation(uint8_t kind, TCanvas& canvas, const std::string& object, \
                                    const Record& info) {                                     \
    [[maybe_unused]] const TkivDC dc = Dc(canvas);                                            \
    if (!(draw)) TkivTheme::Operation(kind, canvas, object, info);                            \
  }
KIV_STYLE_OR_BUILT_IN(PaintTrackBar, TRect, DrawTrackBar(dc, info))
KIV_STYLE_OR_BUILT_IN(PaintTrackBarTrack, TkivPartInfo, DrawTrackBarTrack(dc, info))
KIV_STYLE_OR_BUILT_IN(PaintTrackBarThumb, TkivPartInfo, DrawTrackBarThumb(dc, info))
KIV_STYLE_OR_BUILT_IN(PaintTabsBody, TRect, DrawTabsBody(dc, info))
KIV_STYLE_OR_BUILT_IN(PaintTab, TkivPartInfo, DrawTab(dc, info))
KIV_STYLE_OR_BUILT_IN(PaintTabScrollButton, TkivPartInfo, DrawTabScrollButton(dc, info))
KIV_STYLE_OR_BUILT_IN(PaintControlBar, TRect, DrawControlBar(dc, info))
KIV_STYLE_OR_BUILT_IN(PaintToolBar, TRect, DrawToolBar(dc, info))
KIV_STYLE_OR_BUILT_IN(PaintToolButton, TkivPartInfo, DrawToolButton(dc, info))
KIV_STYLE_OR_BUILT_IN(PaintMenu, TRect, DrawMenu(dc, kind, info))
KIV_STYLE_OR_BUILT_IN(PaintMenuItem, TkivPartInfo, DrawMenuItem(dc, kind, info))
KIV_STYLE_OR_BUILT_IN(PaintListBox, TRect, DrawListFrame(dc, info))
KIV_STYLE_OR_BUILT_IN(PaintListItemCheck, TkivListCheckInfo, DrawListItemCheck(dc, info))
KIV_STYLE_OR_BUILT_IN(PaintTree, TRect, DrawListFrame(dc, info))
KIV_STYLE_OR_BUILT_IN(PaintGrid, TRect, DrawListFrame(dc, info))
#undef KIV_STYLE_OR_BUILT_IN

}  // namespace kiv
