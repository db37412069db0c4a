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

}  // namespace kiv
