// The theme object: a fresh theme's defaults, assignment, object fonts, the
// built-in answers, the window geometry and the operation set's slot order.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/exceptions.hpp"
#include "framework/streams.hpp"
#include "theme/kiv_theme.hpp"

namespace kiv {
namespace {

TEST(Theme, FreshThemeHasTheBuiltInDefaults) {
  TkivTheme theme;
  EXPECT_EQ(theme.Name(), "Default theme");
  EXPECT_EQ(theme.GetThemeType(), "Default");
  EXPECT_EQ(theme.FileName(), "");
  EXPECT_EQ(theme.Hue(), 0);
  EXPECT_EQ(theme.Brightness(), 0);

  const TkivThemeColors& c = *theme.Colors();
  EXPECT_EQ(c.GetColor(0), 0x00FF0000);
  EXPECT_EQ(c.GetColor(tcBorder), 0);
  EXPECT_EQ(c.GetColor(tcEditSelection), clHighlight);
  EXPECT_EQ(c.GetColor(tcHint), clInfoBk);
  EXPECT_EQ(c.GetColor(tcWindowBorder), 0x808080);
  EXPECT_EQ(c.GetColor(tcBarDock), clBtnFace);

  for (int i = 0; i < kThemeSysColorCount; ++i)
    EXPECT_EQ(theme.SysColors()->Entry(i), ColorToRGB(SysColorTable[i].Constant)) << i;
  EXPECT_EQ(theme.SysColors()->GetSysColor(clDefault), clDefault);

  struct FontCase {
    int index;
    int32_t size;
    TColor color;
    bool bold;
  };
  const TFont framework_default;
  for (const FontCase& f : {
           FontCase{0, 10, clWhite, true},
           FontCase{1, 10, clSilver, true},
           FontCase{3, 8, clSilver, true},
           FontCase{4, 8, clBlack, false},
           FontCase{14, 8, ColorToRGB(clBtnShadow), false},
           FontCase{33, 8, clWhite, false},
           FontCase{65, 8, ColorToRGB(clBtnShadow), false},
           FontCase{8, framework_default.Size(), ColorToRGB(framework_default.Color()), false},
           FontCase{49, framework_default.Size(), ColorToRGB(framework_default.Color()), false},
       }) {
    const TFont* font = theme.Fonts()->FontByIndex(f.index);
    EXPECT_EQ(font->Name(), "Tahoma") << f.index;
    EXPECT_EQ(font->Size(), f.size) << f.index;
    EXPECT_EQ(font->Color(), f.color) << f.index;
    EXPECT_EQ(font->Style(), f.bold ? TFontStyles{fsBold} : TFontStyles{}) << f.index;
  }

  EXPECT_FALSE(theme.Options()->GetOption(0));
  EXPECT_FALSE(theme.Options()->GetOption(1));
  for (TPersistent* section :
       std::initializer_list<TPersistent*>{theme.Colors(), theme.SysColors(), theme.Fonts()})
    EXPECT_NE(section, nullptr);
  EXPECT_EQ(theme.Colors()->Theme(), &theme);
  EXPECT_EQ(theme.SysColors()->Theme(), &theme);
  EXPECT_EQ(theme.Fonts()->Theme(), &theme);
  EXPECT_EQ(theme.Drawing()->Theme(), &theme);
  EXPECT_EQ(theme.Metrics()->Theme(), &theme);
  EXPECT_EQ(theme.Options()->Theme(), &theme);
}

TEST(Theme, DefaultsAreReloadedWithTheHueAndBrightnessShifts) {
  TkivTheme theme;
  theme.Colors()->SetColor(tcBorder, clLime);
  theme.SetHue(85);  // blue -> red, white stays white
  theme.LoadDefaults();
  EXPECT_EQ(theme.Colors()->GetColor(tcCaptionNormal), clRed);
  EXPECT_GE(theme.Colors()->GetColor(tcButtonNormal), 0);  // resolved by the shift
  EXPECT_EQ(theme.Fonts()->FontByIndex(0)->Color(), clWhite);

  theme.SetHue(0);
  theme.SetBrightness(-255);
  theme.LoadDefaultColors();
  for (int i = 0; i < kThemeColorCount; ++i) EXPECT_EQ(theme.Colors()->GetColor(i), 0) << i;
  theme.SetBrightness(0);
  theme.LoadDefaultColors();
  // The entry without a default keeps what it was set to.
  EXPECT_EQ(theme.Colors()->GetColor(tcBorder), 0);
  theme.Colors()->SetColor(tcBorder, clLime);
  theme.LoadDefaultColors();
  EXPECT_EQ(theme.Colors()->GetColor(tcBorder), clLime);
  EXPECT_EQ(theme.Colors()->GetColor(tcButtonNormal), clBtnFace);
}

TEST(Theme, AssignCopiesNameAndSectionsButNotShiftsOrFileName) {
  TkivTheme source, dest;
  source.SetName("Other");
  source.SetFileName("other.skn");
  source.SetHue(10);
  source.Colors()->SetColor(3, clRed);
  source.SysColors()->SetSysColor(clBtnFace, 0x010203);
  source.Fonts()->FontByIndex(5)->SetName("Arial");
  source.Options()->SetOption(1, true);
  dest.Assign(&source);
  EXPECT_EQ(dest.Name(), "Other");
  EXPECT_EQ(dest.FileName(), "");
  EXPECT_EQ(dest.Hue(), 0);
  EXPECT_EQ(dest.Colors()->GetColor(3), clRed);
  EXPECT_EQ(dest.SysColors()->GetSysColor(clBtnFace), 0x010203);
  EXPECT_EQ(dest.Fonts()->FontByIndex(5)->Name(), "Arial");
  EXPECT_TRUE(dest.Options()->GetOption(1));

  TFont font;
  EXPECT_THROW(dest.Assign(&font), EInvalidCast);
  EXPECT_THROW(dest.Assign(nullptr), EInvalidCast);
  EXPECT_EQ(dest.Name(), "Other");
}

// A theme that makes object fonts bold and counts the calls.
class BoldObjects : public TkivTheme {
 public:
  int calls = 0;
  void AssignObjectFont(TFont& font, int32_t index, const std::string& object) override {
    TkivTheme::AssignObjectFont(font, index, object);
    font.SetStyle({fsBold});
    ++calls;
  }
};

TEST(Theme, ObjectFontGoesThroughTheThemeForNamedObjects) {
  BoldObjects theme;
  TkivThemeFonts& fonts = *theme.Fonts();
  EXPECT_EQ(fonts.ObjectFont(10, "default"), fonts.FontByIndex(10));
  EXPECT_EQ(theme.calls, 0);
  TFont* work = fonts.ObjectFont(10, "Button1");
  EXPECT_EQ(work, fonts.WorkFont());
  EXPECT_EQ(theme.calls, 1);
  EXPECT_EQ(work->Size(), 8);
  EXPECT_EQ(work->Style(), TFontStyles{fsBold});
  EXPECT_EQ(fonts.FontByIndex(10)->Style(), TFontStyles{});  // the section's font untouched
  fonts.ObjectFont(0, "Default");                            // the name is compared exactly
  EXPECT_EQ(theme.calls, 2);
  EXPECT_EQ(fonts.WorkFont()->Size(), 10);

  TkivThemeFonts lone;  // no theme: always the section's own font
  EXPECT_EQ(lone.ObjectFont(10, "Button1"), lone.FontByIndex(10));
}

TEST(Theme, BuiltInAnswersAndNoStreamOrFileSupport) {
  TkivTheme theme;
  const TkivThemeConfig config = theme.GetConfig();
  EXPECT_FALSE(config.ToolBarLayout || config.CanSave || config.FileBased);
  EXPECT_EQ(config.FileFilter, "");
  EXPECT_EQ(config.FileExtension, "");
  TMemoryStream s;
  EXPECT_FALSE(theme.CanLoadFromStream(s));
  EXPECT_FALSE(theme.LoadFromStream(s));
  EXPECT_FALSE(theme.SaveToStream(s));
  EXPECT_EQ(s.Size(), 0);
  EXPECT_FALSE(theme.LoadFromFile("x.skn"));
  EXPECT_FALSE(theme.SaveToFile("x.skn"));

  for (uint8_t kind : {0, 1, 5}) {
    for (const std::string object : {"default", "Button1"}) {
      EXPECT_FALSE(theme.SupportsWindow(kind, object));
      EXPECT_FALSE(theme.SupportsButton(kind, object));
      EXPECT_FALSE(theme.SupportsScrollBar(kind, object));
      EXPECT_FALSE(theme.SupportsMemo(kind, object));
      EXPECT_FALSE(theme.SupportsPanel(kind, object));
      EXPECT_FALSE(theme.SupportsGrid(kind, object));
      EXPECT_TRUE(theme.StaticTextIsTransparent(kind, object));
      EXPECT_TRUE(theme.CheckIsTransparent(kind, object));
      EXPECT_TRUE(theme.TrackBarIsTransparent(kind, object));
      EXPECT_TRUE(theme.GroupBoxIsTransparent(kind, object));
      EXPECT_TRUE(theme.TabsAreTransparent(kind, object));
      EXPECT_FALSE(theme.ButtonIsTransparent(kind, object));
      EXPECT_FALSE(theme.PanelIsTransparent(kind, object));
      EXPECT_FALSE(theme.ContainerIsTransparent(kind, object));
      EXPECT_FALSE(theme.MemoIsTransparent(kind, object));
    }
  }
  EXPECT_EQ(theme.GetCheckSize(0, "default"), (TSize{13, 13}));
  EXPECT_EQ(theme.WindowRegion(0, Rect(0, 0, 300, 200), "default"), nullptr);
}

TEST(Theme, ContentRectanglesOfTheBuiltInTheme) {
  TkivTheme t;
  const TRect r = Rect(10, 20, 110, 220);
  const std::string o = "default";
  struct Case {
    const char* op;
    TRect got, want;
  };
  for (const Case& c : {
           Case{"Hint", t.HintContentRect(0, r, o), Rect(20, 33, 100, 207)},
           Case{"Container", t.ContainerContentRect(0, r, o), r},
           Case{"ProgressBar", t.ProgressBarContentRect(0, MakePartInfo(r, 1, 2), o), r},
           Case{"StatusBar", t.StatusBarContentRect(0, r, o), Rect(15, 22, 105, 218)},
           Case{"Edit", t.EditContentRect(0, r, o), Rect(13, 23, 107, 217)},
           Case{"GroupBox", t.GroupBoxContentRect(0, r, o), r},
           Case{"Memo", t.MemoContentRect(0, MakeStateInfo(r, 1), o), r},
           Case{"TextArea", t.TextAreaContentRect(0, r, o), r},
           Case{"Menu", t.MenuContentRect(0, r, o), Rect(13, 25, 107, 215)},
           Case{"ControlBar", t.ControlBarContentRect(0, r, o), r},
           Case{"ToolBar", t.ToolBarContentRect(0, r, o), Rect(21, 22, 108, 218)},
           Case{"ScrollBox", t.ScrollBoxContentRect(0, r, o), Rect(13, 23, 107, 217)},
           Case{"Panel", t.PanelContentRect(0, r, o), r},
           Case{"Tabs", t.TabsContentRect(0, r, o), r},
           Case{"ListBox", t.ListBoxContentRect(0, r, o), Rect(14, 25, 106, 215)},
           Case{"Tree", t.TreeContentRect(0, r, o), Rect(12, 22, 108, 218)},
           Case{"Grid", t.GridContentRect(0, r, o), Rect(12, 22, 108, 218)},
       }) {
    EXPECT_EQ(c.got, c.want) << c.op;
  }
}

TEST(Theme, WindowFrameGeometry) {
  TkivTheme t;
  const TRect w = Rect(0, 0, 300, 200);
  EXPECT_EQ(t.WindowContentRect(0, w, "default"), Rect(4, 22, 296, 196));
  const auto info = [&](uint16_t buttons) {
    return MakeWindowInfo(w, true, buttons, TRect{}, u"Caption");
  };
  EXPECT_EQ(t.WindowCaptionRect(0, info(0), "default"), Rect(4, 3, 296, 22));

  const TRect b0 = Rect(273, 4, 295, 21);
  const auto slot = [&](int steps) {
    return Rect(b0.Left - 22 * steps, b0.Top, b0.Right - 22 * steps, b0.Bottom);
  };
  const uint16_t close = 1 << 1, help = 1 << 2, min = 1 << 3, max = 1 << 5, restore_max = 1 << 6,
                 roll_down = 1 << 8, tray = 1 << 9, sys = 1 << 0;
  struct Case {
    uint16_t buttons;
    int button;
    TRect want;
  };
  for (const Case& c : {
           Case{close | min, 1, b0},
           Case{close | min, 3, slot(1)},
           Case{close | min, 4, slot(1)},  // restore from minimized shares the slot
           Case{close | min, 5, TRect{}},  // maximize absent
           Case{min, 3, b0},
           Case{close | restore_max, 5, slot(1)},
           Case{close | max | min, 3, slot(2)},
           Case{close | max | min | roll_down, 7, slot(3)},
           Case{close | roll_down | tray, 9, slot(2)},
           Case{close | max | min | roll_down | tray | help, 2, slot(5)},
           Case{help, 2, b0},
           Case{sys | close, 0, Rect(4, 4, 26, 21)},
           Case{close, 0, TRect{}},
           Case{0x3FF, 10, TRect{}},
           Case{0x3FF, -1, TRect{}},
       }) {
    EXPECT_EQ(t.WindowButtonRect(0, info(c.buttons), c.button, "default"), c.want)
        << "buttons " << c.buttons << ", button " << c.button;
  }

  struct Hit {
    uint8_t kind;
    uint16_t buttons;
    TPoint p;
    int32_t want;
  };
  for (const Hit& h : {
           Hit{0, close | min, Point(280, 10), kHitClose},
           Hit{0, close | min, Point(260, 10), kHitMinimize},
           Hit{0, close | min | sys, Point(10, 10), kHitSysMenu},
           Hit{1, close, Point(150, 10), kHitCaption},
           Hit{0, 0, Point(1, 1), kHitTopLeft},
           Hit{0, 0, Point(1, 100), kHitLeft},
           Hit{0, 0, Point(298, 100), kHitRight},
           Hit{0, 0, Point(150, 198), kHitBottom},
           Hit{0, 0, Point(299, 199), kHitBottomRight},
           Hit{0, 0, Point(1, 199), kHitBottomLeft},
           Hit{0, 0, Point(299, 1), kHitTopRight},
           Hit{0, 0, Point(150, 1), kHitTop},
           Hit{6, 0, Point(150, 100), kHitNone},
           Hit{0, 0, Point(400, 100), kHitNone},
           Hit{3, close, Point(280, 10), kHitNone},
           Hit{3, 0, Point(1, 1), kHitNone},
       }) {
    EXPECT_EQ(t.WindowHitTest(h.kind, info(h.buttons), "default", h.p), h.want)
        << "kind " << int{h.kind} << " at " << h.p.X << "," << h.p.Y;
  }
}

// The operation set as the family table lists it.
const std::vector<std::string> kExpectedSlots = {
    "LoadDefaultColors",
    "AdjustSystemColors",
    "LoadDefaultFonts",
    "AssignObjectFont",
    "Create",
    "GetThemeType",
    "GetConfig",
    "CanLoadFromStream",
    "LoadFromStream",
    "SaveToStream",
    "LoadFromFile",
    "SaveToFile",
    "LoadDefaults",
    "DrawText",
    // window
    "SupportsWindow",
    "WindowRegion",
    "WindowHitTest",
    "WindowContentRect",
    "WindowCaptionRect",
    "WindowButtonRect",
    "PaintWindowFrame",
    "PaintWindowClient",
    "PaintWindowCaption",
    "PaintWindowButton",
    "PaintWindowGrip",
    // hint, static text, container
    "SupportsHint",
    "HintContentRect",
    "PaintHint",
    "SupportsStaticText",
    "StaticTextIsTransparent",
    "PaintStaticText",
    "SupportsContainer",
    "ContainerIsTransparent",
    "ContainerContentRect",
    "PaintContainer",
    "PaintContainerPart",
    "PaintContainerText",
    // button, check, splitter
    "SupportsButton",
    "ButtonIsTransparent",
    "PaintButton",
    "PaintButtonText",
    "PaintButtonGlyph",
    "SupportsCheck",
    "CheckIsTransparent",
    "PaintCheck",
    "PaintCheckText",
    "GetCheckSize",
    "SupportsSplitter",
    "SplitterIsTransparent",
    "PaintSplitter",
    // scroll bar, progress bar, track bar
    "SupportsScrollBar",
    "ScrollBarIsTransparent",
    "PaintScrollBarFrame",
    "PaintScrollBarButton",
    "PaintScrollBarTrack",
    "SupportsProgressBar",
    "ProgressBarIsTransparent",
    "ProgressBarContentRect",
    "PaintProgressBar",
    "SupportsTrackBar",
    "TrackBarIsTransparent",
    "PaintTrackBar",
    "PaintTrackBarTrack",
    "PaintTrackBarThumb",
    // header, status bar
    "SupportsHeader",
    "HeaderIsTransparent",
    "PaintHeader",
    "PaintHeaderSection",
    "PaintHeaderText",
    "PaintHeaderGlyph",
    "SupportsStatusBar",
    "StatusBarIsTransparent",
    "StatusBarContentRect",
    "PaintStatusBar",
    "PaintStatusPanel",
    "PaintStatusText",
    "PaintStatusGlyph",
    // edit, group box, memo, text area
    "SupportsEdit",
    "EditIsTransparent",
    "EditContentRect",
    "PaintEdit",
    "PaintEditButton",
    "SupportsGroupBox",
    "GroupBoxIsTransparent",
    "GroupBoxContentRect",
    "PaintGroupBox",
    "PaintGroupBoxText",
    "SupportsMemo",
    "MemoIsTransparent",
    "MemoContentRect",
    "PaintMemo",
    "SupportsTextArea",
    "TextAreaIsTransparent",
    "TextAreaContentRect",
    "PaintTextArea",
    // menu, control bar, tool bar, scroll box
    "SupportsMenu",
    "MenuIsTransparent",
    "MenuContentRect",
    "PaintMenu",
    "PaintMenuItem",
    "PaintMenuItemText",
    "PaintMenuItemGlyph",
    "SupportsControlBar",
    "ControlBarContentRect",
    "PaintControlBar",
    "SupportsToolBar",
    "ToolBarContentRect",
    "PaintToolBar",
    "PaintToolButton",
    "PaintToolButtonText",
    "PaintToolButtonGlyph",
    "SupportsScrollBox",
    "ScrollBoxContentRect",
    "PaintScrollBox",
    // panel, tabs
    "SupportsPanel",
    "PanelIsTransparent",
    "PanelContentRect",
    "PaintPanel",
    "PaintPanelCaption",
    "PaintPanelButton",
    "PaintPanelBorder",
    "PaintPanelText",
    "SupportsTabs",
    "TabsAreTransparent",
    "TabsContentRect",
    "PaintTabsBody",
    "PaintTab",
    "PaintTabScrollButton",
    "PaintTabText",
    "PaintTabGlyph",
    // list box, tree, grid
    "SupportsListBox",
    "ListBoxIsTransparent",
    "ListBoxContentRect",
    "PaintListBox",
    "PaintListBoxBorder",
    "PaintListItem",
    "PaintListItemText",
    "PaintListItemCheck",
    "SupportsTree",
    "TreeIsTransparent",
    "TreeContentRect",
    "PaintTree",
    "PaintTreeItem",
    "PaintTreeItemText",
    "PaintTreeItemGlyph",
    "SupportsGrid",
    "GridIsTransparent",
    "GridContentRect",
    "PaintGrid",
    "PaintGridCell",
    "PaintGridCellText",
    "PaintGridCellGlyph",
};

TEST(ThemeOperations, SlotOrderFollowsTheFamilyTable) {
  std::vector<std::string> names;
  for (const TkivThemeOperation& op : ThemeOperations()) names.push_back(op.Name);
  EXPECT_EQ(names.size(), 152u);
  EXPECT_EQ(names, kExpectedSlots);
  // Every family's operations are consecutive and open with its support query.
  std::string family;
  std::vector<std::string> seen;
  for (const TkivThemeOperation& op : ThemeOperations()) {
    if (op.Family == family) continue;
    family = op.Family;
    for (const std::string& f : seen) EXPECT_NE(f, family) << "family split: " << family;
    seen.push_back(family);
    if (family != "General") {
      EXPECT_EQ(std::string(op.Name), "Supports" + family);
    }
  }
  EXPECT_EQ(seen.size(), 26u);
}

// Under the Itanium C++ ABI (GCC, also for mingw-w64) a pointer to a virtual
// member function holds 1 + the byte offset of its slot in the vtable, so the
// declared operations can be checked to occupy consecutive slots in the
// order of the names table, with nothing declared between them.
struct MemberPointerBits {
  intptr_t ptr;
  intptr_t adj;
};

template <class F>
intptr_t SlotOffset(F member) {
  static_assert(sizeof(F) == sizeof(MemberPointerBits));
  MemberPointerBits bits;
  std::memcpy(&bits, &member, sizeof bits);
  EXPECT_EQ(bits.ptr & 1, 1) << "not a virtual operation";
  return bits.ptr - 1;
}

TEST(ThemeOperations, OperationsOccupyConsecutiveVirtualSlots) {
  std::vector<std::pair<std::string, intptr_t>> slots;
#define KIV_SLOT_NONE(...)
#define KIV_SLOT(family, name, ...) slots.emplace_back(#name, SlotOffset(&TkivTheme::name));
  KIV_THEME_OPERATIONS(KIV_SLOT_NONE, KIV_SLOT, KIV_SLOT, KIV_SLOT, KIV_SLOT, KIV_SLOT, KIV_SLOT,
                       KIV_SLOT)
#undef KIV_SLOT_NONE
#undef KIV_SLOT
  ASSERT_EQ(slots.size(), 151u);  // the constructor holds the 152nd place
  for (size_t i = 1; i < slots.size(); ++i)
    EXPECT_EQ(slots[i].second - slots[i - 1].second, static_cast<intptr_t>(sizeof(void*)))
        << slots[i - 1].first << " -> " << slots[i].first;
  // Overriding keeps the slot: a derived theme's operation is found there.
  EXPECT_EQ(SlotOffset(&BoldObjects::AssignObjectFont), SlotOffset(&TkivTheme::AssignObjectFont));
}

}  // namespace
}  // namespace kiv
