#pragma once
// TKivSkinFile: a theme drawn from a skin (themefiles/skin_source.hpp). For
// each element it picks the skin object named by the control's theme object
// (a top-level object of that name, ignoring case) or, for "default" and for
// names the skin lacks, the element's default object; it puts the object in
// the object state that matches the control's state, gives it the control's
// rectangle and lets it paint itself.
//
// The theme keeps two sources: the loaded one, which every load fills, and
// the working one, a copy with the theme's hue and brightness applied, from
// which everything is drawn. Applying (after every load and assignment)
// rebuilds the working copy and the table of default objects.
//
// Drawing is portable: every paint operation has a twin taking a device
// context (a surface's own in every build); the canvas operations hand the
// canvas's device context to it (skin_paint.hpp: SkinCanvasDC).
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "theme/kiv_theme.hpp"
#include "themefiles/skin_source.hpp"

namespace kiv {

// The default objects, looked up by name among the working source's
// top-level objects: role, then object name.
// clang-format off
#define KIV_SKIN_DEFAULT_OBJECTS(X) \
  X(Form, "Form")                   \
  X(ToolWindow, "ToolWindow")       \
  X(Button, "Button")               \
  X(SpinButton, "SpinButton")       \
  X(Checkbox, "Checkbox")           \
  X(RadioButton, "RadioButton")     \
  X(GroupBox, "GroupBox")           \
  X(ScrollBar, "ScrollBar")         \
  X(ProgressBar, "ProgressBar")     \
  X(Edit, "Edit")                   \
  X(ComboBox, "ComboBox")           \
  X(TrackBar, "TrackBar")           \
  X(MenuBar, "MenuBar")             \
  X(PopupMenu, "PopupMenu")         \
  X(Header, "Header")               \
  X(StatusBar, "StatusBar")         \
  X(Tabs, "Tabs")                   \
  X(Container, "Container")         \
  X(Frame, "Frame")                 \
  X(ScrollBox, "ScrollBox")         \
  X(Splitter, "Splitter")           \
  X(ControlBar, "ControlBar")       \
  X(SpeedButton, "SpeedButton")     \
  X(ToolBar, "ToolBar")             \
  X(Grid, "Grid")                   \
  X(ListBox, "ListBox")             \
  X(Hint, "Hint")                   \
  X(Panel, "Panel")
// clang-format on

#define KIV_SKIN_ROLE_ENUM(role, name) sr##role,
enum TKivSkinRole : uint8_t { KIV_SKIN_DEFAULT_OBJECTS(KIV_SKIN_ROLE_ENUM) srCount };
#undef KIV_SKIN_ROLE_ENUM

// The object name of a role.
const char* SkinRoleName(TKivSkinRole role);

// Object states (skin_enums.hpp) for the control states the theme receives.
// Push and spin buttons: 2, 8 pressed; 3 disabled; 4, 6 focused; 1, 5, 7 hot.
uint8_t SkinButtonState(uint8_t state);
// Scroll-bar buttons, thumbs and tracks: 1 pressed, 2 hot, 3 disabled.
uint8_t SkinScrollState(uint8_t state);
// Header-panel buttons: 1 hot, 2 pressed, 3 disabled.
uint8_t SkinPanelButtonState(uint8_t state);
// Edit and memo frames: 3 disabled, everything else normal.
uint8_t SkinEditFrameState(uint8_t state);

// What a window frame keeps besides the frame object itself: its client
// object (taken out of the frame, which now holds an empty client in its
// place), a copy of the whole frame for the part rectangles and hit tests,
// and one that paints the title-bar buttons.
struct TKivSkinFrameParts {
  std::unique_ptr<TLqSkinObject> Client;
  std::unique_ptr<TLqSkinObject> Geometry;
  std::unique_ptr<TLqSkinObject> Buttons;
  // The frame's rectangle as the skin designed it: the copies are placed
  // from it, so that every query starts from the same layout.
  TRect Design;
};

class TKivSkinFile : public TkivTheme {
  KIV_CLASS(TKivSkinFile, TkivTheme)
 public:
  TKivSkinFile();
  ~TKivSkinFile() override;

  // The 5 bytes at the position are a registered filter's signature, or the
  // first 4 are the tag "QSLZ"; the position is left where it was.
  static bool ClassCanLoadFromStream(TStream& stream);

  std::string GetThemeType() override { return "Lacquer 3 theme"; }
  TkivThemeConfig GetConfig() override;
  bool CanLoadFromStream(TStream& stream) override { return ClassCanLoadFromStream(stream); }
  // Through the filter of the stream's signature (the compressed one when
  // there is none); true and applied when the skin has objects.
  bool LoadFromStream(TStream& stream) override;
  // The maximum-compression container, with the theme's colour and font
  // tables. Always true.
  bool SaveToStream(TStream& stream) override;
  // The filter of the file's extension; true, applied and the file name
  // kept when the skin has objects.
  bool LoadFromFile(const std::string& file_name) override;
  // The extension's filter, else the default one. Always true.
  bool SaveToFile(const std::string& file_name) override;
  // From another skin theme: the base assignment, then a copy of its loaded
  // skin, applied. Other themes as the base assigns them.
  void Assign(const TPersistent* source) override;

  // The working copy with hue and brightness, the default objects, the
  // theme's name from the skin, then colours and fonts. Notifies nobody.
  void Apply();

  TLqSkinSource* LoadedSource() const { return loaded_.get(); }
  TLqSkinSource* WorkingSource() const { return working_.get(); }
  // The default object of a role in the working source, or none.
  TLqSkinObject* DefaultObject(TKivSkinRole role) const { return defaults_[role]; }
  const TKivSkinFrameParts& FrameParts(bool tool_window) const { return frames_[tool_window]; }
  // The object an element uses: the named top-level object unless the name
  // is "default" or unknown, then the role's default object (or none).
  TLqSkinObject* ObjectFor(const std::string& object, TKivSkinRole role) const;
  // The named top-level object only ("default" names none).
  TLqSkinObject* NamedObject(const std::string& object) const;

  // Colours and fonts come from the skin once one is applied.
  void LoadDefaultColors() override;
  void LoadDefaultFonts() override;

  // ---- queries
  bool SupportsWindow(uint8_t kind, const std::string& object) override;
  TkivRegion WindowRegion(uint8_t kind, const TRect& rect, const std::string& object) override;
  int32_t WindowHitTest(uint8_t kind, const TkivWindowInfo& info, const std::string& object,
                        const TPoint& point) override;
  TRect WindowContentRect(uint8_t kind, const TRect& source, const std::string& object) override;
  TRect WindowCaptionRect(uint8_t kind, const TkivWindowInfo& source,
                          const std::string& object) override;
  TRect WindowButtonRect(uint8_t kind, const TkivWindowInfo& info, int32_t button,
                         const std::string& object) override;
  // The frame's painted shape as rectangles relative to the window's corner
  // (what WindowRegion makes a platform region of); empty for a plain window.
  TLqRegion WindowRegionRects(uint8_t kind, const TRect& rect, const std::string& object);
  bool SupportsHint(uint8_t kind, const std::string& object) override { return true; }
  TRect HintContentRect(uint8_t kind, const TRect& source, const std::string& object) override;
  bool SupportsStaticText(uint8_t kind, const std::string& object) override { return true; }
  bool SupportsContainer(uint8_t kind, const std::string& object) override;
  TRect ContainerContentRect(uint8_t kind, const TRect& source, const std::string& object) override;
  bool SupportsButton(uint8_t kind, const std::string& object) override;
  bool ButtonIsTransparent(uint8_t kind, const std::string& object) override;
  bool SupportsCheck(uint8_t kind, const std::string& object) override;
  TSize GetCheckSize(uint8_t kind, const std::string& object) override;
  bool SupportsSplitter(uint8_t kind, const std::string& object) override;
  bool SupportsScrollBar(uint8_t kind, const std::string& object) override;
  bool ScrollBarIsTransparent(uint8_t kind, const std::string& object) override;
  bool SupportsProgressBar(uint8_t kind, const std::string& object) override;
  bool ProgressBarIsTransparent(uint8_t kind, const std::string& object) override;
  bool SupportsTrackBar(uint8_t kind, const std::string& object) override;
  bool SupportsHeader(uint8_t kind, const std::string& object) override;
  bool SupportsStatusBar(uint8_t kind, const std::string& object) override;
  bool SupportsEdit(uint8_t kind, const std::string& object) override;
  TRect EditContentRect(uint8_t kind, const TRect& source, const std::string& object) override;
  bool SupportsGroupBox(uint8_t kind, const std::string& object) override;
  bool GroupBoxIsTransparent(uint8_t kind, const std::string& object) override;
  bool SupportsMemo(uint8_t kind, const std::string& object) override;
  TRect MemoContentRect(uint8_t kind, const TkivStateInfo& source,
                        const std::string& object) override;
  bool SupportsTextArea(uint8_t, const std::string&) override { return false; }
  bool SupportsMenu(uint8_t kind, const std::string& object) override;
  TRect MenuContentRect(uint8_t kind, const TRect& source, const std::string& object) override;
  bool SupportsControlBar(uint8_t kind, const std::string& object) override;
  TRect ControlBarContentRect(uint8_t, const TRect& source, const std::string&) override {
    return source;
  }
  bool SupportsToolBar(uint8_t kind, const std::string& object) override;
  bool SupportsScrollBox(uint8_t kind, const std::string& object) override;
  TRect ScrollBoxContentRect(uint8_t, const TRect& source, const std::string&) override {
    return source;
  }
  bool SupportsPanel(uint8_t kind, const std::string& object) override;
  bool PanelIsTransparent(uint8_t kind, const std::string& object) override;
  TRect PanelContentRect(uint8_t, const TRect& source, const std::string&) override {
    return source;
  }
  bool SupportsTabs(uint8_t kind, const std::string& object) override;
  TRect TabsContentRect(uint8_t kind, const TRect& source, const std::string& object) override;
  bool SupportsListBox(uint8_t kind, const std::string& object) override;
  bool SupportsTree(uint8_t kind, const std::string& object) override;
  bool SupportsGrid(uint8_t kind, const std::string& object) override;

  // ---- drawing: each canvas operation and its device-context twin
#define KIV_SKIN_PAINT_OPS(X)                \
  X(PaintWindowFrame, TkivWindowInfo)        \
  X(PaintWindowClient, TRect)                \
  X(PaintWindowButton, TkivWindowButtonInfo) \
  X(PaintWindowGrip, TkivGripInfo)           \
  X(PaintHint, TRect)                        \
  X(PaintContainer, TRect)                   \
  X(PaintButton, TkivStateInfo)              \
  X(PaintCheck, TkivStateInfo)               \
  X(PaintSplitter, TRect)                    \
  X(PaintScrollBarFrame, TRect)              \
  X(PaintScrollBarButton, TkivPartInfo)      \
  X(PaintScrollBarTrack, TkivPartInfo)       \
  X(PaintProgressBar, TkivPartInfo)          \
  X(PaintTrackBarTrack, TkivPartInfo)        \
  X(PaintTrackBarThumb, TkivPartInfo)        \
  X(PaintHeader, TRect)                      \
  X(PaintHeaderSection, TkivPartInfo)        \
  X(PaintStatusBar, TRect)                   \
  X(PaintStatusPanel, TkivStateInfo)         \
  X(PaintEdit, TkivStateInfo)                \
  X(PaintEditButton, TkivPartInfo)           \
  X(PaintGroupBox, TkivStateInfo)            \
  X(PaintMemo, TkivStateInfo)                \
  X(PaintMenu, TRect)                        \
  X(PaintMenuItem, TkivPartInfo)             \
  X(PaintControlBar, TRect)                  \
  X(PaintToolBar, TRect)                     \
  X(PaintToolButton, TkivPartInfo)           \
  X(PaintScrollBox, TRect)                   \
  X(PaintPanel, TRect)                       \
  X(PaintPanelCaption, TRect)                \
  X(PaintPanelButton, TkivPartInfo)          \
  X(PaintTabsBody, TRect)                    \
  X(PaintTab, TkivPartInfo)                  \
  X(PaintTabScrollButton, TkivPartInfo)      \
  X(PaintListBox, TRect)                     \
  X(PaintListBoxBorder, TRect)               \
  X(PaintListItem, TkivStateInfo)            \
  X(PaintListItemCheck, TkivListCheckInfo)   \
  X(PaintTree, TRect)                        \
  X(PaintTreeItem, TkivStateInfo)            \
  X(PaintGrid, TRect)                        \
  X(PaintGridCell, TkivPartInfo)

#define KIV_SKIN_DECLARE_PAINT(name, Record)                                              \
  void name(uint8_t kind, TCanvas& canvas, const std::string& object, const Record& info) \
      override;                                                                           \
  void name(uint8_t kind, TkivDC dc, const std::string& object, const Record& info);
  KIV_SKIN_PAINT_OPS(KIV_SKIN_DECLARE_PAINT)
#undef KIV_SKIN_DECLARE_PAINT

  // The caption: the frame's title object with the caption text.
  void PaintWindowCaption(uint8_t kind, TCanvas& canvas, const std::string& object,
                          const TRect& rect, const TkivWindowInfo& info) override;
  void PaintWindowCaption(uint8_t kind, TkivDC dc, const std::string& object, const TRect& rect,
                          const TkivWindowInfo& info);
  // The text of a push button placed by its text object's alignment.
  void PaintButtonText(uint8_t kind, TCanvas& canvas, const std::string& object,
                       const TkivTextInfo& text, const TkivStateInfo& info) override;
  // The status text moved in by the margins of the status bar's "Panel".
  void PaintStatusText(uint8_t kind, TCanvas& canvas, const std::string& object,
                       const TkivTextInfo& text, const TkivStateInfo& info) override;
  // The text request a push button's text is drawn with (placement from the
  // named text object's alignment).
  TkivTextInfo ButtonTextInfo(const std::string& object, const TkivTextInfo& text) const;
  TkivTextInfo StatusTextInfo(const std::string& object, const TkivTextInfo& text) const;

 private:
  void BuildDefaults();
  void BuildFrame(TLqSkinObject* frame, TKivSkinFrameParts& parts);
  // The frame object of a window kind (0, 1 form; 6 tool window) and its parts.
  TLqSkinObject* FrameFor(uint8_t kind, const std::string& object) const;
  const TKivSkinFrameParts* FramePartsFor(uint8_t kind, const std::string& object) const;
  // The geometry copy placed over a window rectangle with its flags.
  TLqSkinObject* PlacedGeometry(uint8_t kind, const TkivWindowInfo& info,
                                const std::string& object) const;

  std::unique_ptr<TLqSkinSource> loaded_;
  std::unique_ptr<TLqSkinSource> working_;
  std::array<TLqSkinObject*, srCount> defaults_{};
  std::array<TKivSkinFrameParts, 2> frames_;  // form, tool window
  bool applied_ = false;
};

// Registers TKivSkinFile with the theme manager (once), so that the
// manager's loader reads skins; run at start-up.
void RegisterSkinFileTheme();

}  // namespace kiv
