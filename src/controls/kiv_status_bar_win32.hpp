#pragma once
// TKivStatusBar: a bar of panels, normally along the bottom of a form. Each
// panel (TKivStatusPanel) shows a text and an optional image of the bar's
// image list and may host a control laid over its area. The panels are laid
// out by two percentages (kiv_status_layout.hpp): the view priority decides
// which panels are dropped when the bar is too narrow, the stretch priority
// which panel takes the room left over. A size grip is drawn in the bar's
// right end when the bar sits in the bottom-right corner of its form. The
// bar draws through the current theme's status-bar look, else with the
// platform's visual styles (class "Status"), else in the classic look.
#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "controls/kiv_control_win32.hpp"
#include "controls/kiv_status_layout.hpp"
#include "framework/collections.hpp"
#include "framework/win32/actions.hpp"

namespace kiv {

class TKivStatusBar;

enum TKivStatusPanelstyle { psText, psOwnerDraw };
inline constexpr std::array<std::string_view, 2> kKivStatusPanelstyleNames{"psText", "psOwnerDraw"};
static_assert(kKivStatusPanelstyleNames.size() == psOwnerDraw + 1);

class TKivStatusPanel : public TCollectionItem {
  KIV_CLASS(TKivStatusPanel, TCollectionItem)
 public:
  explicit TKivStatusPanel(TCollection* collection);
  ~TKivStatusPanel() override;

  const std::u16string& Text() const { return text_; }
  void SetText(const std::u16string& value);
  // Kept within 0 .. MaxWidth.
  int Width() const { return sizing_.Width; }
  void SetWidth(int value);
  // Lowers Width when set below it.
  int MaxWidth() const { return sizing_.MaxWidth; }
  void SetMaxWidth(int value);
  // 0: never shown; 100: never dropped; lower values are dropped first.
  int ViewPriority() const { return sizing_.ViewPriority; }
  void SetViewPriority(int value);
  // 0: never stretched; higher values take the spare width first.
  int StretchPriority() const { return sizing_.StretchPriority; }
  void SetStretchPriority(int value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TKivStatusGliphLayout Layout() const { return layout_; }
  void SetLayout(TKivStatusGliphLayout value);
  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int value);
  bool ShowImage() const { return show_image_; }
  void SetShowImage(bool value);
  int Margin() const { return margin_; }
  void SetMargin(int value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);
  TKivStatusPanelstyle Style() const { return style_; }
  void SetStyle(TKivStatusPanelstyle value);
  // Framed panels are drawn with a frame and inset their hosted control.
  bool Framed() const { return framed_; }
  void SetFramed(bool value);
  // The control laid over the panel's area (a child of the bar). Refuses the
  // bar and its parents; a control hosted by another panel of the bar moves
  // here.
  TControl* Control() const { return control_; }
  void SetControl(TControl* value);

  // What the last layout gave the panel.
  bool Shown() const { return place_.Shown; }
  int LayoutWidth() const { return place_.LayoutWidth; }
  int PanelLeft() const { return place_.PanelLeft; }
  int PanelRight() const { return place_.PanelRight; }
  int EffectiveWidth() const { return place_.EffectiveWidth(); }
  const TKivStatusPanelSizing& Sizing() const { return sizing_; }

  // The text; else "[ control name ]"; else the class name.
  std::string DisplayName() const override;
  // From another status panel every property (the control by name among the
  // components of this bar's owner).
  void Assign(const TPersistent* source) override;
  TKivStatusBar* StatusBar() const;

 private:
  friend class TKivStatusBar;
  // Tells the bar: lay out again first (layout) or only repaint.
  void Report(bool layout);

  std::u16string text_;
  TKivStatusPanelSizing sizing_;
  TAlignment alignment_ = taLeftJustify;
  TKivStatusGliphLayout layout_ = sglGlyphLeft;
  int image_index_ = -1;
  bool show_image_ = true;
  int margin_ = 2;
  int spacing_ = 4;
  TKivStatusPanelstyle style_ = psText;
  bool framed_ = true;
  TControl* control_ = nullptr;
  TKivStatusPanelPlace place_;
};

class TKivStatusPanels : public TCollection {
  KIV_CLASS(TKivStatusPanels, TCollection)
 public:
  explicit TKivStatusPanels(TKivStatusBar* bar);
  // A new panel of the class the bar asks for (see TKivStatusBar::CreatePanel).
  TKivStatusPanel* Add();
  TKivStatusPanel* Items(int index) const;
  TKivStatusBar* StatusBar() const { return bar_; }

 protected:
  void Update(TCollectionItem* item) override;
  void Notify(TCollectionItem* item, TCollectionNotification action) override;

 private:
  friend class TKivStatusPanel;
  friend class TKivStatusBar;
  TKivStatusBar* bar_;
  // Added and not yet constructed: no layout may read it.
  TCollectionItem* constructing_ = nullptr;
};

using TKivStatusPanelEvent = TEvent<void(TObject* bar, TKivStatusPanel* panel)>;
using TKivDrawPanelEvent = TEvent<void(TObject* bar, TKivStatusPanel* panel, const TRect& rect)>;
using TKivPanelClassEvent = TEvent<void(TObject* bar, const TClassInfo*& panel_class)>;

class TKivStatusBar : public TKivControl {
  KIV_CLASS(TKivStatusBar, TKivControl)
 public:
  explicit TKivStatusBar(TComponent* owner);
  ~TKivStatusBar() override;

  TKivStatusPanels* Panels() const { return panels_.get(); }
  void SetPanels(TKivStatusPanels* value) { panels_->Assign(value); }
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* value);
  bool SizeGrip() const { return size_grip_; }
  void SetSizeGrip(bool value);
  const std::string& ThemeObject() const { return theme_object_; }
  void SetThemeObject(const std::string& value);

  // The current theme has a status-bar look for ThemeObject.
  bool ThemeMode();
  // Where the panels go: the theme's content rectangle, else the area
  // inside the border and the bevels.
  TRect ContentRect();
  // Lays the panels out in the content rectangle and places (and shows or
  // hides) their controls.
  void LayoutPanels();
  // The panel under a point of the bar (only shown panels, over their laid
  // out extent), or none.
  TKivStatusPanel* PanelAt(TPoint p);
  // The size grip is drawn: SizeGrip, and the bar's bottom-right corner is
  // the bottom-right corner of its form's client area, the form neither
  // minimised nor maximised. Virtual for bars that stand for one in a
  // corner (a preview of a form, say).
  virtual bool SizeGripShown();
  // The cursor the bar shows at a point: the sizing cursor over a shown
  // grip, else its own Cursor.
  TCursor CursorAt(TPoint p);

  // Adds a panel: TKivStatusPanel, unless OnCreatePanelClass names another.
  virtual TKivStatusPanel* CreatePanel();
  virtual TRect GetPanelRect(int index);
  virtual TRect GetPanelContentRect(TKivStatusPanel* panel);
  virtual TRect GetSizeGripRect();
  // The image's rectangle, relative to the panel's content rectangle.
  virtual TRect GetContentRect(TKivStatusPanel* panel);
  virtual TSize GetImageSize(TKivStatusPanel* panel);
  virtual TSize GetTextSize(TKivStatusPanel* panel);
  // The text's rectangle, relative to the panel's content rectangle.
  virtual TRect GetTextRect(TKivStatusPanel* panel);

  void SetBounds(int left, int top, int width, int height) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  void Dispatch(TMessage& message) override;

  TKivStatusPanelEvent OnPanelClick;
  TKivStatusPanelEvent OnPanelDblClick;
  TKivDrawPanelEvent OnDrawPanel;
  TKivPanelClassEvent OnCreatePanelClass;

 protected:
  virtual void DrawBackground();
  virtual void DrawPanelByIndex(int index);
  virtual void DrawPanel(TKivStatusPanel* panel, const TRect& rect, bool last);
  virtual void DrawPanelText(TKivStatusPanel* panel, const TRect& rect);
  virtual void DrawPanelImage(TKivStatusPanel* panel, const TRect& rect);
  virtual void DrawSizeGrip();
  virtual void PanelClick(TKivStatusPanel* panel);
  virtual void PanelDblClick(TKivStatusPanel* panel);
  virtual void DrawPanelEvent(TKivStatusPanel* panel, const TRect& rect);

  void FrameChanged() override;
  void PaintFrame() override;
  void PaintClient() override;
  void AlignControls(TControl* control, TRect& rect) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void WMLButtonDblClk(TMessage& m) override;
  void WMSetCursor(TMessage& m) override;
  void CMControlChange(TMessage& m) override;
  void CMFontChanged(TMessage& m) override;

 private:
  friend class TKivStatusPanel;
  friend class TKivStatusPanels;
  void PanelChanged(bool layout);
  void PanelRemoved(TKivStatusPanel* panel);
  // The panel has an image of the list to draw.
  bool HasImage(TKivStatusPanel* panel);
  TKivStatusContent Content(TKivStatusPanel* panel);
  // The platform's "Status" drawings, when visual styles are active and
  // the style has them; none means the classic look.
  HANDLE StatusTheme();
  // The panel hosting the control, or none.
  TKivStatusPanel* HostOf(const TControl* control) const;

  std::unique_ptr<TKivStatusPanels> panels_;
  TImageList* images_ = nullptr;
  bool size_grip_ = true;
  std::string theme_object_ = "default";
  TKivStatusPanel* down_panel_ = nullptr;  // under the left button when pressed
  bool laying_out_ = false;
  bool hosting_ = false;  // a panel is taking a control: no new panel for it
};

}  // namespace kiv
