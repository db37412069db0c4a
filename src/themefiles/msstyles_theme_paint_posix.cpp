// Portable twin of msstyles_theme_paint_win32.cpp: without a canvas there is
// nothing to paint on; the Draw... methods draw on surfaces in every build.
#ifndef _WIN32
#include "themefiles/msstyles_theme.hpp"

namespace kiv {

#define KIV_NO_CANVAS(name, Record) \
  void TKivThemeMsStyles::name(uint8_t, TCanvas&, const std::string&, const Record&) {}
KIV_NO_CANVAS(PaintButton, TkivStateInfo)
KIV_NO_CANVAS(PaintCheck, TkivStateInfo)
KIV_NO_CANVAS(PaintScrollBarFrame, TRect)
KIV_NO_CANVAS(PaintScrollBarButton, TkivPartInfo)
KIV_NO_CANVAS(PaintScrollBarTrack, TkivPartInfo)
KIV_NO_CANVAS(PaintEdit, TkivStateInfo)
KIV_NO_CANVAS(PaintMemo, TkivStateInfo)
KIV_NO_CANVAS(PaintProgressBar, TkivPartInfo)
KIV_NO_CANVAS(PaintStatusBar, TRect)
KIV_NO_CANVAS(PaintStatusPanel, TkivStateInfo)
KIV_NO_CANVAS(PaintHeader, TRect)
KIV_NO_CANVAS(PaintHeaderSection, TkivPartInfo)
KIV_NO_CANVAS(PaintPanel, TRect)
KIV_NO_CANVAS(PaintPanelCaption, TRect)
KIV_NO_CANVAS(PaintPanelButton, TkivPartInfo)
KIV_NO_CANVAS(PaintWindowFrame, TkivWindowInfo)
KIV_NO_CANVAS(PaintWindowButton, TkivWindowButtonInfo)
KIV_NO_CANVAS(PaintTrackBar, TRect)
KIV_NO_CANVAS(PaintTrackBarTrack, TkivPartInfo)
KIV_NO_CANVAS(PaintTrackBarThumb, TkivPartInfo)
KIV_NO_CANVAS(PaintTabsBody, TRect)
KIV_NO_CANVAS(PaintTab, TkivPartInfo)
KIV_NO_CANVAS(PaintTabScrollButton, TkivPartInfo)
KIV_NO_CANVAS(PaintControlBar, TRect)
KIV_NO_CANVAS(PaintToolBar, TRect)
KIV_NO_CANVAS(PaintToolButton, TkivPartInfo)
KIV_NO_CANVAS(PaintMenu, TRect)
KIV_NO_CANVAS(PaintMenuItem, TkivPartInfo)
KIV_NO_CANVAS(PaintListBox, TRect)
KIV_NO_CANVAS(PaintListItemCheck, TkivListCheckInfo)
KIV_NO_CANVAS(PaintTree, TRect)
KIV_NO_CANVAS(PaintGrid, TRect)
#undef KIV_NO_CANVAS
void TKivThemeMsStyles::PaintWindowCaption(uint8_t, TCanvas&, const std::string&, const TRect&,
                                           const TkivWindowInfo&) {}

}  // namespace kiv
#endif
