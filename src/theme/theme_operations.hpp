#pragma once
// The theme's operation set, in slot order, written once. TkivTheme declares
// its virtual operations by expanding this list, and the names table comes
// from the same list, so the declarations, the slot order that file themes
// override and the names cannot disagree.
//
// The list takes one macro per operation shape:
//   CTOR(family, name)             the virtual constructor (the class's own
//                                  constructor here; it holds a slot)
//   OP(family, name, result, params)
//                                  any other signature, params in parentheses
//   SUPPORTS(family, name)         bool (kind, object name): the theme has a
//                                  look for this element kind and object
//   QUERY(family, name, answer)    bool (kind, object name): the look leaves
//                                  parts of the rectangle unpainted; answer is
//                                  the built-in theme's reply
//   RECT(family, name, Source)     TRect (kind, source, object name): the
//                                  element's content rectangle
//   PAINT(family, name, Record)    void (kind, canvas, object name, record)
//   TEXT(family, name, Record)     void (kind, canvas, object name, text
//                                  record, the element's record)
//   GLYPH(family, name, Record)    void (kind, canvas, object name, glyph
//                                  record, the element's record)
//
// A family's element kind is a byte that selects a variant of the family
// (0 push button, 4 and 5 spin buttons; 0 check box, 1 radio button; ...).
// clang-format off
#define KIV_THEME_OPERATIONS(CTOR, OP, SUPPORTS, QUERY, RECT, PAINT, TEXT, GLYPH)                  \
  OP(General, LoadDefaultColors, void, ())                                                         \
  OP(General, AdjustSystemColors, void, ())                                                        \
  OP(General, LoadDefaultFonts, void, ())                                                          \
  OP(General, AssignObjectFont, void, (TFont& font, int32_t index, const std::string& object))     \
  CTOR(General, Create)                                                                            \
  OP(General, GetThemeType, std::string, ())                                                       \
  OP(General, GetConfig, TkivThemeConfig, ())                                                      \
  OP(General, CanLoadFromStream, bool, (TStream& stream))                                          \
  OP(General, LoadFromStream, bool, (TStream& stream))                                             \
  OP(General, SaveToStream, bool, (TStream& stream))                                               \
  OP(General, LoadFromFile, bool, (const std::string& file_name))                                  \
  OP(General, SaveToFile, bool, (const std::string& file_name))                                    \
  OP(General, LoadDefaults, void, ())                                                              \
  OP(General, DrawText, void, (TCanvas& canvas, const TkivTextInfo& info))                         \
                                                                                                   \
  SUPPORTS(Window, SupportsWindow)                                                                 \
  OP(Window, WindowRegion, TkivRegion, (uint8_t kind, const TRect& rect, const std::string& object)) \
  OP(Window, WindowHitTest, int32_t,                                                               \
     (uint8_t kind, const TkivWindowInfo& info, const std::string& object, const TPoint& point))    \
  RECT(Window, WindowContentRect, TRect)                                                           \
  RECT(Window, WindowCaptionRect, TkivWindowInfo)                                                  \
  OP(Window, WindowButtonRect, TRect,                                                              \
     (uint8_t kind, const TkivWindowInfo& info, int32_t button, const std::string& object))        \
  PAINT(Window, PaintWindowFrame, TkivWindowInfo)                                                  \
  PAINT(Window, PaintWindowClient, TRect)                                                          \
  OP(Window, PaintWindowCaption, void,                                                             \
     (uint8_t kind, TCanvas& canvas, const std::string& object, const TRect& rect,                 \
      const TkivWindowInfo& info))                                                                 \
  PAINT(Window, PaintWindowButton, TkivWindowButtonInfo)                                           \
  PAINT(Window, PaintWindowGrip, TkivGripInfo)                                                     \
                                                                                                   \
  SUPPORTS(Hint, SupportsHint)                                                                     \
  RECT(Hint, HintContentRect, TRect)                                                               \
  PAINT(Hint, PaintHint, TRect)                                                                    \
                                                                                                   \
  SUPPORTS(StaticText, SupportsStaticText)                                                         \
  QUERY(StaticText, StaticTextIsTransparent, true)                                                 \
  TEXT(StaticText, PaintStaticText, TkivStateInfo)                                                 \
                                                                                                   \
  SUPPORTS(Container, SupportsContainer)                                                           \
  QUERY(Container, ContainerIsTransparent, false)                                                  \
  RECT(Container, ContainerContentRect, TRect)                                                     \
  PAINT(Container, PaintContainer, TRect)                                                          \
  PAINT(Container, PaintContainerPart, TkivPartInfo)                                               \
  TEXT(Container, PaintContainerText, TRect)                                                       \
                                                                                                   \
  SUPPORTS(Button, SupportsButton)                                                                 \
  QUERY(Button, ButtonIsTransparent, false)                                                        \
  PAINT(Button, PaintButton, TkivStateInfo)                                                        \
  TEXT(Button, PaintButtonText, TkivStateInfo)                                                     \
  GLYPH(Button, PaintButtonGlyph, TkivStateInfo)                                                   \
                                                                                                   \
  SUPPORTS(Check, SupportsCheck)                                                                   \
  QUERY(Check, CheckIsTransparent, true)                                                           \
  PAINT(Check, PaintCheck, TkivStateInfo)                                                          \
  TEXT(Check, PaintCheckText, TkivStateInfo)                                                       \
  OP(Check, GetCheckSize, TSize, (uint8_t kind, const std::string& object))                        \
                                                                                                   \
  SUPPORTS(Splitter, SupportsSplitter)                                                             \
  QUERY(Splitter, SplitterIsTransparent, false)                                                    \
  PAINT(Splitter, PaintSplitter, TRect)                                                            \
                                                                                                   \
  SUPPORTS(ScrollBar, SupportsScrollBar)                                                           \
  QUERY(ScrollBar, ScrollBarIsTransparent, false)                                                  \
  PAINT(ScrollBar, PaintScrollBarFrame, TRect)                                                     \
  PAINT(ScrollBar, PaintScrollBarButton, TkivPartInfo)                                             \
  PAINT(ScrollBar, PaintScrollBarTrack, TkivPartInfo)                                              \
                                                                                                   \
  SUPPORTS(ProgressBar, SupportsProgressBar)                                                       \
  QUERY(ProgressBar, ProgressBarIsTransparent, false)                                              \
  RECT(ProgressBar, ProgressBarContentRect, TkivPartInfo)                                          \
  PAINT(ProgressBar, PaintProgressBar, TkivPartInfo)                                               \
                                                                                                   \
  SUPPORTS(TrackBar, SupportsTrackBar)                                                             \
  QUERY(TrackBar, TrackBarIsTransparent, true)                                                     \
  PAINT(TrackBar, PaintTrackBar, TRect)                                                            \
  PAINT(TrackBar, PaintTrackBarTrack, TkivPartInfo)                                                \
  PAINT(TrackBar, PaintTrackBarThumb, TkivPartInfo)                                                \
                                                                                                   \
  SUPPORTS(Header, SupportsHeader)                                                                 \
  QUERY(Header, HeaderIsTransparent, false)                                                        \
  PAINT(Header, PaintHeader, TRect)                                                                \
  PAINT(Header, PaintHeaderSection, TkivPartInfo)                                                  \
  TEXT(Header, PaintHeaderText, TkivPartInfo)                                                      \
  GLYPH(Header, PaintHeaderGlyph, TkivPartInfo)                                                    \
                                                                                                   \
  SUPPORTS(StatusBar, SupportsStatusBar)                                                           \
  QUERY(StatusBar, StatusBarIsTransparent, false)                                                  \
  RECT(StatusBar, StatusBarContentRect, TRect)                                                     \
  PAINT(StatusBar, PaintStatusBar, TRect)                                                          \
  PAINT(StatusBar, PaintStatusPanel, TkivStateInfo)                                                \
  TEXT(StatusBar, PaintStatusText, TkivStateInfo)                                                  \
  GLYPH(StatusBar, PaintStatusGlyph, TkivStateInfo)                                                \
                                                                                                   \
  SUPPORTS(Edit, SupportsEdit)                                                                     \
  QUERY(Edit, EditIsTransparent, false)                                                            \
  RECT(Edit, EditContentRect, TRect)                                                               \
  PAINT(Edit, PaintEdit, TkivStateInfo)                                                            \
  PAINT(Edit, PaintEditButton, TkivPartInfo)                                                       \
                                                                                                   \
  SUPPORTS(GroupBox, SupportsGroupBox)                                                             \
  QUERY(GroupBox, GroupBoxIsTransparent, true)                                                     \
  RECT(GroupBox, GroupBoxContentRect, TRect)                                                       \
  PAINT(GroupBox, PaintGroupBox, TkivStateInfo)                                                    \
  TEXT(GroupBox, PaintGroupBoxText, TkivStateInfo)                                                 \
                                                                                                   \
  SUPPORTS(Memo, SupportsMemo)                                                                     \
  QUERY(Memo, MemoIsTransparent, false)                                                            \
  RECT(Memo, MemoContentRect, TkivStateInfo)                                                       \
  PAINT(Memo, PaintMemo, TkivStateInfo)                                                            \
                                                                                                   \
  SUPPORTS(TextArea, SupportsTextArea)                                                             \
  QUERY(TextArea, TextAreaIsTransparent, false)                                                    \
  RECT(TextArea, TextAreaContentRect, TRect)                                                       \
  PAINT(TextArea, PaintTextArea, TkivStateInfo)                                                    \
                                                                                                   \
  SUPPORTS(Menu, SupportsMenu)                                                                     \
  QUERY(Menu, MenuIsTransparent, false)                                                            \
  RECT(Menu, MenuContentRect, TRect)                                                               \
  PAINT(Menu, PaintMenu, TRect)                                                                    \
  PAINT(Menu, PaintMenuItem, TkivPartInfo)                                                         \
  TEXT(Menu, PaintMenuItemText, TkivPartInfo)                                                      \
  GLYPH(Menu, PaintMenuItemGlyph, TkivPartInfo)                                                    \
                                                                                                   \
  SUPPORTS(ControlBar, SupportsControlBar)                                                         \
  RECT(ControlBar, ControlBarContentRect, TRect)                                                   \
  PAINT(ControlBar, PaintControlBar, TRect)                                                        \
                                                                                                   \
  SUPPORTS(ToolBar, SupportsToolBar)                                                               \
  RECT(ToolBar, ToolBarContentRect, TRect)                                                         \
  PAINT(ToolBar, PaintToolBar, TRect)                                                              \
  PAINT(ToolBar, PaintToolButton, TkivPartInfo)                                                    \
  TEXT(ToolBar, PaintToolButtonText, TkivPartInfo)                                                 \
  GLYPH(ToolBar, PaintToolButtonGlyph, TkivPartInfo)                                               \
                                                                                                   \
  SUPPORTS(ScrollBox, SupportsScrollBox)                                                           \
  RECT(ScrollBox, ScrollBoxContentRect, TRect)                                                     \
  PAINT(ScrollBox, PaintScrollBox, TRect)                                                          \
                                                                                                   \
  SUPPORTS(Panel, SupportsPanel)                                                                   \
  QUERY(Panel, PanelIsTransparent, false)                                                          \
  RECT(Panel, PanelContentRect, TRect)                                                             \
  PAINT(Panel, PaintPanel, TRect)                                                                  \
  PAINT(Panel, PaintPanelCaption, TRect)                                                           \
  PAINT(Panel, PaintPanelButton, TkivPartInfo)                                                     \
  PAINT(Panel, PaintPanelBorder, TkivPartInfo)                                                     \
  TEXT(Panel, PaintPanelText, TRect)                                                               \
                                                                                                   \
  SUPPORTS(Tabs, SupportsTabs)                                                                     \
  QUERY(Tabs, TabsAreTransparent, true)                                                            \
  RECT(Tabs, TabsContentRect, TRect)                                                               \
  PAINT(Tabs, PaintTabsBody, TRect)                                                                \
  PAINT(Tabs, PaintTab, TkivPartInfo)                                                              \
  PAINT(Tabs, PaintTabScrollButton, TkivPartInfo)                                                  \
  TEXT(Tabs, PaintTabText, TkivPartInfo)                                                           \
  GLYPH(Tabs, PaintTabGlyph, TkivPartInfo)                                                         \
                                                                                                   \
  SUPPORTS(ListBox, SupportsListBox)                                                               \
  QUERY(ListBox, ListBoxIsTransparent, false)                                                      \
  RECT(ListBox, ListBoxContentRect, TRect)                                                         \
  PAINT(ListBox, PaintListBox, TRect)                                                              \
  PAINT(ListBox, PaintListBoxBorder, TRect)                                                        \
  PAINT(ListBox, PaintListItem, TkivStateInfo)                                                     \
  TEXT(ListBox, PaintListItemText, TkivStateInfo)                                                  \
  PAINT(ListBox, PaintListItemCheck, TkivListCheckInfo)                                            \
                                                                                                   \
  SUPPORTS(Tree, SupportsTree)                                                                     \
  QUERY(Tree, TreeIsTransparent, false)                                                            \
  RECT(Tree, TreeContentRect, TRect)                                                               \
  PAINT(Tree, PaintTree, TRect)                                                                    \
  PAINT(Tree, PaintTreeItem, TkivStateInfo)                                                        \
  TEXT(Tree, PaintTreeItemText, TkivStateInfo)                                                     \
  GLYPH(Tree, PaintTreeItemGlyph, TkivStateInfo)                                                   \
                                                                                                   \
  SUPPORTS(Grid, SupportsGrid)                                                                     \
  QUERY(Grid, GridIsTransparent, false)                                                            \
  RECT(Grid, GridContentRect, TRect)                                                               \
  PAINT(Grid, PaintGrid, TRect)                                                                    \
  PAINT(Grid, PaintGridCell, TkivPartInfo)                                                         \
  TEXT(Grid, PaintGridCellText, TkivPartInfo)                                                      \
  GLYPH(Grid, PaintGridCellGlyph, TkivPartInfo)
// clang-format on
