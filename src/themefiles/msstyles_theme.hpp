#pragma once
// TKivThemeMsStyles: a theme drawn from a platform visual-styles file that it
// reads itself (a ".msstyles" resource-only module, through the portable
// module reader, or the library's packaged ".theme" form), whether or not the
// platform has the style installed or active. Every known section of the
// style's INI text becomes a TmsuxThemeObject of the parts table; the
// operations below draw from them and fall back to the built-in look for what
// the style lacks.
//
// The drawings are portable: each Draw... method paints on a device context
// (a surface's own in every build) and answers whether the style had what it
// needed; the theme's canvas operations (msstyles_theme_paint_win32.cpp) call
// them and draw the built-in look when they answer false.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "framework/font.hpp"
#include "graphics/kiv_bitmap_list.hpp"
#include "theme/kiv_theme.hpp"
#include "themefiles/msstyles_ini.hpp"
#include "themefiles/msstyles_parts.hpp"

namespace kiv {

struct TmsuxStyleLibrary;

// The packaged form's signature.
inline constexpr char kMsStylesSignature[] = "QSMSSTL";
inline constexpr size_t kMsStylesSignatureSize = 7;

class TKivThemeMsStyles : public TkivTheme {
  KIV_CLASS(TKivThemeMsStyles, TkivTheme)

 public:
  TKivThemeMsStyles();
  ~TKivThemeMsStyles() override;

  // The packaged form begins with the signature; a visual-styles library is
  // a module ("MZ", then "PE\0\0" where its header points). The position is
  // kept.
  static bool ClassCanLoadFromStream(TStream& stream);
  static bool StreamHoldsPackage(TStream& stream);
  static bool StreamHoldsModule(TStream& stream);

  std::string GetThemeType() override;
  TkivThemeConfig GetConfig() override;
  bool CanLoadFromStream(TStream& stream) override { return ClassCanLoadFromStream(stream); }
  // The packaged form, or a visual-styles library (the rest of the stream,
  // read through the portable module reader; from a file stream the theme
  // takes the file's base name and name, else it keeps its name). Data that
  // is neither answers false and changes nothing (no image is dropped, the
  // INI text stays), as does a library without its name lists or INI
  // resource; zlib errors and malformed contents raise, with the theme as
  // it was.
  bool LoadFromStream(TStream& stream) override;
  bool SaveToStream(TStream& stream) override;
  // ".theme" (any case): the packaged form; anything else: a visual-styles
  // library. False when the library lacks its name lists or INI resource, or
  // is no module at all; the theme is then unchanged.
  bool LoadFromFile(const std::string& file_name) override;
  // Only names ending in ".theme": writes the packaged form.
  bool SaveToFile(const std::string& file_name) override;
  // From another visual-styles theme: the base assignment, then its packaged
  // form read back; other themes as the base assigns them.
  void Assign(const TPersistent* source) override;

  // A library's bytes (what LoadFromFile reads from a ".msstyles" file).
  bool LoadFromLibrary(std::vector<uint8_t> bytes, const std::string& theme_name);
  // Rebuilds the parts table from the INI text and reads the system metrics,
  // then the defaults (colours and fonts from the style when it is loaded).
  void Apply();

  // Loaded: the parts table exists, there are images and "Button.Pushbutton".
  bool Loaded() const;
  const TmsuxParts& Parts() const { return parts_; }
  const TmsuxIni& Ini() const { return ini_; }
  const std::string& IniText() const { return ini_text_; }
  const TkivBitmapList& Bitmaps() const { return bitmaps_; }
  const std::vector<std::string>& ColorSchemes() const { return color_names_; }
  const std::vector<std::string>& SizeNames() const { return size_names_; }
  const std::vector<std::string>& IniNames() const { return ini_names_; }
  const std::array<TColor, 3>& MenuColors() const { return menu_colors_; }
  TFont* MenuFont() const { return menu_font_.get(); }
  TFont* StatusFont() const { return status_font_.get(); }
  TFont* MessageFont() const { return message_font_.get(); }

  // Image numbers for the control states (portable rules of the operations).
  static int32_t ButtonImage(uint8_t state);
  static int32_t ScrollArrowImage(uint8_t part, uint8_t state);
  static int32_t CheckImage(uint8_t kind, uint8_t state);

  // The drawings, on a device context; false when the style lacks the part.
  bool DrawButton(TkivDC dc, uint8_t kind, const TkivStateInfo& info) const;
  bool DrawCheck(TkivDC dc, uint8_t kind, const TkivStateInfo& info) const;
  bool DrawScrollBarButton(TkivDC dc, const TkivPartInfo& info) const;
  bool DrawScrollBarTrack(TkivDC dc, const TkivPartInfo& info) const;
  bool DrawMemo(TkivDC dc, const TkivStateInfo& info) const;
  bool DrawEdit(TkivDC dc, uint8_t kind, const TkivStateInfo& info) const;
  bool DrawProgressBar(TkivDC dc, const TkivPartInfo& info) const;
  bool DrawStatusBar(TkivDC dc, const TRect& rect) const;
  bool DrawStatusPanel(TkivDC dc, const TkivStateInfo& info) const;
  bool DrawHeader(TkivDC dc, const TRect& rect) const;
  bool DrawHeaderSection(TkivDC dc, const TkivPartInfo& info) const;
  bool DrawPanel(TkivDC dc, const TRect& rect) const;
  bool DrawPanelCaption(TkivDC dc, const TRect& rect) const;
  bool DrawPanelButton(TkivDC dc, const TkivPartInfo& info) const;
  // One section's image into a rectangle; false when it has nothing to draw.
  bool DrawSection(TkivDC dc, const char* section, const TRect& rect, int32_t image) const;

  // Window kinds: 6 a tool window (the small caption, frames and close
  // button), any other kind a normal one. The frame draws the caption over
  // the band above the content, the left and right frames beside it and the
  // bottom frame below, each frame 1 when active, 2 when not; false when the
  // style lacks any of them (the built-in frame is drawn first then).
  bool DrawWindowFrame(TkivDC dc, uint8_t kind, const TkivWindowInfo& info) const;
  // Close, help, minimize, restore and maximize buttons (frames 1 to 4:
  // normal, hot, pressed, disabled); false for the others and where the
  // style lacks the button.
  bool DrawWindowButton(TkivDC dc, uint8_t kind, const TkivWindowButtonInfo& info) const;
  // Track bar: the body, the track (part 0 horizontal, 1 vertical) and the
  // thumb (parts below), frames 1 to 5: normal, hot, pressed, focused,
  // disabled.
  bool DrawTrackBar(TkivDC dc, const TRect& rect) const;
  bool DrawTrackBarTrack(TkivDC dc, const TkivPartInfo& info) const;
  bool DrawTrackBarThumb(TkivDC dc, const TkivPartInfo& info) const;
  // Tabs: the body (the pane), a tab (part 0 a top tab, 1 the tab at the
  // left edge; frames 1 to 5 normal, hot, selected (pressed), disabled,
  // focused) and the scroll buttons (part 0 left, 1 right).
  bool DrawTabsBody(TkivDC dc, const TRect& rect) const;
  bool DrawTab(TkivDC dc, const TkivPartInfo& info) const;
  bool DrawTabScrollButton(TkivDC dc, const TkivPartInfo& info) const;
  // Tool bar: the bar with its gripper in the strip left of the content,
  // the control bar, a tool button (parts below; frames 1 to 4 normal, hot,
  // pressed, disabled, 5 checked).
  bool DrawToolBar(TkivDC dc, const TRect& rect) const;
  bool DrawControlBar(TkivDC dc, const TRect& rect) const;
  bool DrawToolButton(TkivDC dc, const TkivPartInfo& info) const;
  // Menus in the style's menu colours (kind 0 the menu bar, 1 a pop-up):
  // the body, an item (part 0; hot and pressed in the highlight colour), the
  // separator (part 1) and the MDI buttons of a menu bar (parts 2 to 4).
  bool DrawMenu(TkivDC dc, uint8_t kind, const TRect& rect) const;
  bool DrawMenuItem(TkivDC dc, uint8_t kind, const TkivPartInfo& info) const;
  // The frame of a list box, tree or grid, and a list item's check box
  // (mode 0 checked, 1 unchecked, 2 greyed; 3, the picture, is not the
  // style's).
  bool DrawListFrame(TkivDC dc, const TRect& rect) const;
  bool DrawListItemCheck(TkivDC dc, const TkivListCheckInfo& info) const;

  // Colours and fonts from the style when it is loaded.
  void LoadDefaultColors() override;
  void AdjustSystemColors() override;
  void LoadDefaultFonts() override;

  // Queries of the families the style draws.
  bool SupportsButton(uint8_t kind, const std::string& object) override;
  bool ButtonIsTransparent(uint8_t kind, const std::string& object) override;
  bool SupportsCheck(uint8_t kind, const std::string& object) override;
  bool SupportsScrollBar(uint8_t kind, const std::string& object) override;
  bool ScrollBarIsTransparent(uint8_t kind, const std::string& object) override;
  bool SupportsEdit(uint8_t kind, const std::string& object) override;
  TRect EditContentRect(uint8_t kind, const TRect& source, const std::string& object) override;
  bool SupportsMemo(uint8_t kind, const std::string& object) override;
  bool MemoIsTransparent(uint8_t kind, const std::string& object) override;
  TRect MemoContentRect(uint8_t kind, const TkivStateInfo& source,
                        const std::string& object) override;
  bool SupportsProgressBar(uint8_t kind, const std::string& object) override;
  bool SupportsStatusBar(uint8_t kind, const std::string& object) override;
  bool SupportsHeader(uint8_t kind, const std::string& object) override;
  bool SupportsPanel(uint8_t kind, const std::string& object) override;
  bool SupportsWindow(uint8_t kind, const std::string& object) override;
  // The window's geometry from the style's metrics: borders of the border
  // width, the caption bar's height above the content (the small ones for
  // kind 6); the caption text's rectangle runs between the system-menu
  // button and the buttons on the right, less the caption's margins. The
  // built-in geometry when the style has no caption for the kind.
  TRect WindowContentRect(uint8_t kind, const TRect& source, const std::string& object) override;
  TRect WindowCaptionRect(uint8_t kind, const TkivWindowInfo& source,
                          const std::string& object) override;
  bool SupportsTrackBar(uint8_t kind, const std::string& object) override;
  bool SupportsMenu(uint8_t kind, const std::string& object) override;
  bool SupportsControlBar(uint8_t kind, const std::string& object) override;
  bool SupportsToolBar(uint8_t kind, const std::string& object) override;
  bool SupportsTabs(uint8_t kind, const std::string& object) override;
  bool SupportsListBox(uint8_t kind, const std::string& object) override;
  bool SupportsTree(uint8_t kind, const std::string& object) override;
  bool SupportsGrid(uint8_t kind, const std::string& object) override;
  bool PanelIsTransparent(uint8_t kind, const std::string& object) override;
  TRect PanelContentRect(uint8_t kind, const TRect& source, const std::string& object) override;

  // Canvas operations (Windows; a portable twin draws the built-in nothing).
  void PaintButton(uint8_t kind, TCanvas& canvas, const std::string& object,
                   const TkivStateInfo& info) override;
  void PaintCheck(uint8_t kind, TCanvas& canvas, const std::string& object,
                  const TkivStateInfo& info) override;
  void PaintScrollBarFrame(uint8_t kind, TCanvas& canvas, const std::string& object,
                           const TRect& info) override;
  void PaintScrollBarButton(uint8_t kind, TCanvas& canvas, const std::string& object,
                            const TkivPartInfo& info) override;
  void PaintScrollBarTrack(uint8_t kind, TCanvas& canvas, const std::string& object,
                           const TkivPartInfo& info) override;
  void PaintEdit(uint8_t kind, TCanvas& canvas, const std::string& object,
                 const TkivStateInfo& info) override;
  void PaintMemo(uint8_t kind, TCanvas& canvas, const std::string& object,
                 const TkivStateInfo& info) override;
  void PaintProgressBar(uint8_t kind, TCanvas& canvas, const std::string& object,
                        const TkivPartInfo& info) override;
  void PaintStatusBar(uint8_t kind, TCanvas& canvas, const std::string& object,
                      const TRect& info) override;
  void PaintStatusPanel(uint8_t kind, TCanvas& canvas, const std::string& object,
                        const TkivStateInfo& info) override;
  void PaintHeader(uint8_t kind, TCanvas& canvas, const std::string& object,
                   const TRect& info) override;
  void PaintHeaderSection(uint8_t kind, TCanvas& canvas, const std::string& object,
                          const TkivPartInfo& info) override;
  void PaintPanel(uint8_t kind, TCanvas& canvas, const std::string& object,
                  const TRect& info) override;
  void PaintPanelCaption(uint8_t kind, TCanvas& canvas, const std::string& object,
                         const TRect& info) override;
  void PaintPanelButton(uint8_t kind, TCanvas& canvas, const std::string& object,
                        const TkivPartInfo& info) override;
  void PaintWindowFrame(uint8_t kind, TCanvas& canvas, const std::string& object,
                        const TkivWindowInfo& info) override;
  void PaintWindowCaption(uint8_t kind, TCanvas& canvas, const std::string& object,
                          const TRect& rect, const TkivWindowInfo& info) override;
  void PaintWindowButton(uint8_t kind, TCanvas& canvas, const std::string& object,
                         const TkivWindowButtonInfo& info) override;
  void PaintTrackBar(uint8_t kind, TCanvas& canvas, const std::string& object,
                     const TRect& info) override;
  void PaintTrackBarTrack(uint8_t kind, TCanvas& canvas, const std::string& object,
                          const TkivPartInfo& info) override;
  void PaintTrackBarThumb(uint8_t kind, TCanvas& canvas, const std::string& object,
                          const TkivPartInfo& info) override;
  void PaintTabsBody(uint8_t kind, TCanvas& canvas, const std::string& object,
                     const TRect& info) override;
  void PaintTab(uint8_t kind, TCanvas& canvas, const std::string& object,
                const TkivPartInfo& info) override;
  void PaintTabScrollButton(uint8_t kind, TCanvas& canvas, const std::string& object,
                            const TkivPartInfo& info) override;
  void PaintControlBar(uint8_t kind, TCanvas& canvas, const std::string& object,
                       const TRect& info) override;
  void PaintToolBar(uint8_t kind, TCanvas& canvas, const std::string& object,
                    const TRect& info) override;
  void PaintToolButton(uint8_t kind, TCanvas& canvas, const std::string& object,
                       const TkivPartInfo& info) override;
  void PaintMenu(uint8_t kind, TCanvas& canvas, const std::string& object,
                 const TRect& info) override;
  void PaintMenuItem(uint8_t kind, TCanvas& canvas, const std::string& object,
                     const TkivPartInfo& info) override;
  void PaintListBox(uint8_t kind, TCanvas& canvas, const std::string& object,
                    const TRect& info) override;
  void PaintListItemCheck(uint8_t kind, TCanvas& canvas, const std::string& object,
                          const TkivListCheckInfo& info) override;
  void PaintTree(uint8_t kind, TCanvas& canvas, const std::string& object,
                 const TRect& info) override;
  void PaintGrid(uint8_t kind, TCanvas& canvas, const std::string& object,
                 const TRect& info) override;

 private:
  // The section exists and has something to draw.
  bool HasLook(const char* section) const;
  // The content rectangle of a window rectangle by the style's metrics.
  TRect WindowContent(uint8_t kind, const TRect& window) const;
  void ReadPackage(TStream& stream);
  void WritePackage(TStream& stream);
  bool DrawWithFill(TkivDC dc, const char* section, const char* fill_from, const TRect& rect) const;

  std::vector<std::string> color_names_, size_names_, ini_names_;
  std::string ini_text_;
  TmsuxIni ini_;
  TkivBitmapList bitmaps_;
  TmsuxParts parts_;
  // The library the images of the INI text load from while the parts table
  // is built; none afterwards.
  const TmsuxStyleLibrary* library_ = nullptr;
  std::array<TColor, 3> menu_colors_{};  // menu, menu bar, menu highlight
  std::unique_ptr<TFont> menu_font_, status_font_, message_font_;
};

// Registers TKivThemeMsStyles with the theme manager (once), so that the
// manager's loader reads packaged visual styles; run at start-up.
void RegisterMsStylesTheme();

}  // namespace kiv
