// The skin-file theme: its state tables, loading through the theme manager,
// the choice between named and default objects, and every element family
// painted from the bitmaps of a small skin built here.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "graphics/kiv_bitmap.hpp"
#include "skin_bytes.hpp"
#include "skin_theme_fixture.hpp"
#include "theme/theme_manager.hpp"
#include "themefiles/skin_filters.hpp"
#include "themefiles/skin_objects.hpp"
#include "themefiles/skin_theme.hpp"

namespace kiv {
namespace {

using kivtest::Cell;
using kivtest::kCells;
using kivtest::SkinFixture;

TEST(SkinTheme, StateTablesMapControlStatesToObjectStates) {
  struct Case {
    uint8_t (*map)(uint8_t);
    const char* table;
    std::vector<uint8_t> want;  // object state for control states 0..11
  };
  const Case cases[] = {
      {SkinButtonState, "button", {0, 5, 6, 8, 7, 5, 7, 5, 6, 0, 0, 0}},
      {SkinScrollState, "scroll", {0, 6, 5, 8, 0, 0, 0, 0, 0, 0, 0, 0}},
      {SkinPanelButtonState, "panel button", {0, 5, 6, 8, 0, 0, 0, 0, 0, 0, 0, 0}},
      {SkinEditFrameState, "edit frame", {0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases)
    for (uint8_t s = 0; s < c.want.size(); ++s)
      EXPECT_EQ(c.map(s), c.want[s]) << c.table << " state " << int(s);
}

// ---- loading

// An uncompressed skin built field by field: no bitmaps, the objects given
// in text form, the three tables.
kivtest::SkinBytes UncompressedSkin(
    const std::vector<std::pair<std::string, std::string>>& objects) {
  kivtest::SkinBytes b;
  b.Raw(std::string("_UCT\0", 5)).Header("Fixture skin").U32(0);
  b.U32(0xFF0000u | uint32_t(objects.size()));
  for (const auto& [cls, text] : objects) b.Str(cls).Str(text);
  return b.ColorTable("clRed").SysColorTable().FontTable("Arial,9,1,0,0,255");
}

TEST(SkinTheme, TheManagerRecognisesSkinsAndSavesThemAsMaximumCompression) {
  RegisterSkinFileTheme();
  RegisterSkinFileTheme();  // once only
  int registered = 0;
  for (const TkivThemeClass& c : ThemeManager().ThemeClasses())
    registered += c.Class == &TKivSkinFile::StaticClass();
  EXPECT_EQ(registered, 1);

  const TLqSkinFilterClass program_default = DefaultSkinFilter();
  const auto bytes =
      UncompressedSkin({{"TLqSkinObject", "object Button: TLqSkinObject\n  Width = 7\nend\n"}});
  auto in = bytes.Stream();
  std::unique_ptr<TkivTheme> theme = LoadThemeFromStream(*in);
  auto* skin = dynamic_cast<TKivSkinFile*>(theme.get());
  ASSERT_NE(skin, nullptr);
  EXPECT_EQ(skin->Name(), "Fixture skin");
  EXPECT_EQ(skin->GetThemeType(), "Lacquer 3 theme");
  EXPECT_EQ(skin->Colors()->GetColor(tcCaptionNormal), clRed);
  EXPECT_EQ(skin->Fonts()->FontByIndex(tfCaptionTextNormal)->Name(), "Arial");
  ASSERT_NE(skin->DefaultObject(srButton), nullptr);
  EXPECT_EQ(skin->DefaultObject(srButton)->Width(), 7);
  EXPECT_EQ(skin->DefaultObject(srEdit), nullptr);
  const TkivThemeConfig config = skin->GetConfig();
  EXPECT_TRUE(config.CanSave);
  EXPECT_EQ(config.FileExtension, "mskn");
  EXPECT_EQ(config.FileFilter, SkinFileDialogFilter());

  TMemoryStream saved;
  SaveThemeToStream(skin, saved);
  ASSERT_GT(saved.Size(), 9);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(saved.Memory()), 5),
            std::string("_MCT\0", 5));
  saved.SetPosition(0);
  std::unique_ptr<TkivTheme> again = LoadThemeFromStream(saved);
  auto* reread = dynamic_cast<TKivSkinFile*>(again.get());
  ASSERT_NE(reread, nullptr);
  EXPECT_EQ(reread->DefaultObject(srButton)->Width(), 7);
  // The theme's formats were its own: the program's default filter stays.
  EXPECT_EQ(DefaultSkinFilter(), program_default);

  // A copy takes its own copy of the skin.
  TKivSkinFile copy;
  copy.Assign(skin);
  ASSERT_NE(copy.DefaultObject(srButton), nullptr);
  EXPECT_NE(copy.DefaultObject(srButton), skin->DefaultObject(srButton));
  EXPECT_EQ(copy.Name(), "Fixture skin");

  // Files: the extension chooses the container; the name is kept.
  const std::string path =
      (std::filesystem::temp_directory_path() / "kiv_skin_theme.uskn").string();
  EXPECT_TRUE(skin->SaveToFile(path));
  TKivSkinFile from_file;
  EXPECT_TRUE(from_file.LoadFromFile(path));
  EXPECT_EQ(from_file.FileName(), path);
  char signature[5] = {};
  {
    TFileStream head(path, fmOpenRead);
    head.Read(signature, 5);
  }
  EXPECT_EQ(std::string(signature, 5), std::string("_UCT\0", 5));
  std::filesystem::remove(path);
  EXPECT_FALSE(from_file.LoadFromFile(path + ".missing"));
}

TEST(SkinTheme, WhatTheClassClaimsAndWhatLoadsNothing) {
  struct Case {
    const char* what;
    std::string head;
    bool claims;
  };
  const Case cases[] = {
      {"uncompressed signature", std::string("_UCT\0", 5), true},
      {"maximum signature", std::string("_MCT\0", 5), true},
      {"tag without signature", "QSLZ", true},
      {"signature without its zero", "_DCTX", false},
      {"too short", "_UC", false},
      {"visual styles package", "QSMSSTL", false},
  };
  for (const Case& c : cases) {
    TStringStream s(c.head);
    EXPECT_EQ(TKivSkinFile::ClassCanLoadFromStream(s), c.claims) << c.what;
    EXPECT_EQ(s.Position(), 0) << c.what;
  }
  // A skin without objects is no theme.
  TKivSkinFile skin;
  auto empty = UncompressedSkin({}).Stream();
  EXPECT_FALSE(skin.LoadFromStream(*empty));
  EXPECT_EQ(skin.Name(), "Lacquer 3 theme");
  // A compressed skin with its signature cut off reads through the
  // compressed filter.
  kivtest::SkinBytes body;
  body.Header("Bare").U32(0).U32(0xFF0001u);
  body.Str("TLqSkinObject").Str("object Edit: TLqSkinObject\nend\n");
  body.ColorTable("clBlue").SysColorTable().FontTable("Tahoma,8,1,0,0,0");
  auto bare = kivtest::Compressed("", body, 6).Stream();
  EXPECT_TRUE(skin.LoadFromStream(*bare));
  EXPECT_EQ(skin.Name(), "Bare");
  EXPECT_NE(skin.DefaultObject(srEdit), nullptr);
}

// ---- drawing from a skin built in memory

constexpr TkivPixel kBack = 0xFF010101;

struct Surface {
  TkivBitmap bitmap;
  Surface(int w, int h) {
    bitmap.SetSize(w, h);
    bitmap.Fill(kBack);
  }
  TkivDC dc() const { return bitmap.DC(); }
  TkivPixel at(int x, int y) const { return bitmap.GetPixel(x, y); }
};

TEST(SkinTheme, DefaultAlwaysNamesTheDefaultObjects) {
  SkinFixture f;
  f.Bitmap(f.Top("Button"), "Face", 0);
  f.Bitmap(f.Top("default"), "Face", 1);  // never used for "default"
  f.Bitmap(f.Top("Special"), "Face", 2);
  f.Top("Plain");  // no parts at all
  f.Bitmap(f.Top("ScrollBar"), "TopButton", 3);
  TKivSkinFile& skin = f.Theme();
  struct Case {
    const char* object;
    TkivPixel want;
  };
  for (const Case& c : {Case{"default", Cell(0)}, Case{"Special", Cell(2)},
                        Case{"SPECIAL", Cell(2)}, Case{"Unknown", Cell(0)}}) {
    Surface s(6, 6);
    skin.PaintButton(0, s.dc(), c.object, MakeStateInfo(Rect(1, 1, 5, 5), 0));
    EXPECT_EQ(s.at(2, 2), c.want) << c.object;
    EXPECT_EQ(s.at(0, 0), kBack) << c.object;
  }
  EXPECT_TRUE(skin.SupportsButton(0, "Unknown"));   // served by "Button"
  EXPECT_FALSE(skin.SupportsButton(1, "Unknown"));  // no default for kind 1
  EXPECT_TRUE(skin.SupportsButton(1, "Special"));
  EXPECT_FALSE(skin.SupportsEdit(0, "default"));
  // A named object without the part asked for paints nothing for it.
  Surface s(6, 6);
  skin.PaintScrollBarButton(0, s.dc(), "Plain", MakePartInfo(Rect(1, 1, 5, 5), 0, 0));
  EXPECT_EQ(s.at(2, 2), kBack);
  skin.PaintScrollBarButton(0, s.dc(), "default", MakePartInfo(Rect(1, 1, 5, 5), 0, 0));
  EXPECT_EQ(s.at(2, 2), Cell(3));
}

TEST(SkinTheme, ButtonStatesChooseTheirBitmaps) {
  SkinFixture f;
  auto* face = f.Bitmap<TLqButtonObject>(f.Top("Button"), "Face", 0);
  face->BitmapPressed()->SetName("Sheet");
  face->BitmapPressed()->SetRect(Bounds(2, 0, 2, 2));
  face->BitmapHot()->SetName("Sheet");
  face->BitmapHot()->SetRect(Bounds(4, 0, 2, 2));
  face->BitmapDisabled()->SetName("Sheet");
  face->BitmapDisabled()->SetRect(Bounds(6, 0, 2, 2));
  TKivSkinFile& skin = f.Theme();
  struct Case {
    uint8_t state;
    int cell;
  };
  for (const Case& c : {Case{0, 0}, Case{1, 2}, Case{2, 1}, Case{3, 3}, Case{8, 1}, Case{9, 0}}) {
    Surface s(4, 4);
    skin.PaintButton(0, s.dc(), "default", MakeStateInfo(Rect(0, 0, 4, 4), c.state));
    EXPECT_EQ(s.at(1, 1), Cell(c.cell)) << "state " << int(c.state);
  }
}

TEST(SkinTheme, HueAndBrightnessShiftTheWorkingCopyOnly) {
  SkinFixture f;
  f.Bitmap(f.Top("Button"), "Face", 0);
  TKivSkinFile& skin = f.Theme();
  auto face = [&] {
    Surface s(4, 4);
    skin.PaintButton(0, s.dc(), "default", MakeStateInfo(Rect(0, 0, 4, 4), 0));
    return s.at(1, 1);
  };
  EXPECT_EQ(face(), Cell(0));
  skin.SetBrightness(60);
  skin.Apply();
  const TkivPixel brighter = face();
  EXPECT_GT(brighter & 0xFF, Cell(0) & 0xFF);
  EXPECT_EQ(skin.LoadedSource()->Bitmaps()->GetBitmap(0)->GetPixel(0, 0), Cell(0));
  skin.Apply();  // starts again from the loaded skin: no second shift
  EXPECT_EQ(face(), brighter);
}

TEST(SkinTheme, EveryFamilyPaintsItsPartFromTheSkinBitmap) {
  SkinFixture f;
  int next = 0;
  // Adds a part drawing the next cell and gives the cell. Parts painted
  // through their whole object fill it (saClient).
  auto part = [&](TLqSkinObject* top, const char* name, TLqAlign align = saNone) {
    f.Bitmap(top, name, next)->SetAlign(align);
    return next++;
  };
  auto top = [&](const char* name) { return f.Top(name); };
  using Paint = std::function<void(TKivSkinFile&, TkivDC, const TRect&)>;
  struct Case {
    const char* what;
    int cell;
    Paint paint;
  };
  std::vector<Case> cases;
  auto add = [&](const char* what, int cell, Paint paint) {
    cases.push_back({what, cell, std::move(paint)});
  };
  const std::string d = "default";

  TLqSkinObject* o = top("SpinButton");
  add("spin button", part(o, "Face"),
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintButton(4, dc, d, MakeStateInfo(r, 0)); });
  o = top("Checkbox");
  add("check box checked", part(o, "Checked"),
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintCheck(0, dc, d, MakeStateInfo(r, 0)); });
  add("check box unchecked", part(o, "Unchecked"),
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintCheck(0, dc, d, MakeStateInfo(r, 5)); });
  add("check box mixed", part(o, "Mixed"),
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintCheck(0, dc, d, MakeStateInfo(r, 11)); });
  o = top("RadioButton");
  add("radio button", part(o, "Checked"),
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintCheck(1, dc, d, MakeStateInfo(r, 0)); });
  o = top("Splitter");
  add("splitter", part(o, "Bar", saClient),
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintSplitter(0, dc, d, r); });
  o = top("ScrollBar");
  add("scroll-bar button", part(o, "BottomButton"), [&](auto& k, TkivDC dc, const TRect& r) {
    k.PaintScrollBarButton(0, dc, d, MakePartInfo(r, 1, 0));
  });
  add("scroll-bar thumb", part(o, "VertSlider"), [&](auto& k, TkivDC dc, const TRect& r) {
    k.PaintScrollBarButton(0, dc, d, MakePartInfo(r, 9, 1));
  });
  add("scroll-bar track", part(o, "HorzFrame"), [&](auto& k, TkivDC dc, const TRect& r) {
    k.PaintScrollBarTrack(0, dc, d, MakePartInfo(r, 1, 0));
  });
  o = top("ScrollBox");
  const int scroll_box = part(o, "Frame");
  add("scroll box", scroll_box,
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintScrollBox(0, dc, d, r); });
  add("scroll-bar frame", scroll_box,
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintScrollBarFrame(0, dc, d, r); });
  o = top("ProgressBar");
  add("progress frame", part(o, "Frame"), [&](auto& k, TkivDC dc, const TRect& r) {
    k.PaintProgressBar(0, dc, d, MakePartInfo(r, 0, 0));
  });
  add("progress bar", part(o, "Bar", saClient), [&](auto& k, TkivDC dc, const TRect& r) {
    k.PaintProgressBar(0, dc, d, MakePartInfo(r, 1, 0));
  });
  o = top("TrackBar");
  add("track", part(o, "Track"), [&](auto& k, TkivDC dc, const TRect& r) {
    k.PaintTrackBarTrack(0, dc, d, MakePartInfo(r, 0, 0));
  });
  add("thumb", part(o, "ThumbVert"), [&](auto& k, TkivDC dc, const TRect& r) {
    k.PaintTrackBarThumb(1, dc, d, MakePartInfo(r, 0, 0));
  });
  o = top("Header");
  add("header", part(o, "Frame"),
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintHeader(0, dc, d, r); });
  add("header section", part(o, "Section"), [&](auto& k, TkivDC dc, const TRect& r) {
    k.PaintHeaderSection(0, dc, d, MakePartInfo(r, 0, 1));
  });
  o = top("StatusBar");
  add("status bar", part(o, "Frame"),
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintStatusBar(0, dc, d, r); });
  add("status panel", part(o, "Panel"), [&](auto& k, TkivDC dc, const TRect& r) {
    k.PaintStatusPanel(0, dc, d, MakeStateInfo(r, 0));
  });
  add("size grip", part(o, "Gripper"), [&](auto& k, TkivDC dc, const TRect& r) {
    k.PaintStatusPanel(0, dc, d, MakeStateInfo(r, 3));
  });
  o = top("Edit");
  const int edit_frame = part(o, "Frame");
  add("edit", edit_frame,
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintEdit(0, dc, d, MakeStateInfo(r, 4)); });
  add("memo", edit_frame, [&](auto& k, TkivDC dc, const TRect& r) {
    k.PaintMemo(0, dc, "Unknown", MakeStateInfo(r, 3));
  });
  add("edit button", part(o, "Button"), [&](auto& k, TkivDC dc, const TRect& r) {
    k.PaintEditButton(0, dc, d, MakePartInfo(r, 2, 2));
  });
  o = top("ComboBox");
  add("combo box", part(o, "Frame"),
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintEdit(5, dc, d, MakeStateInfo(r, 0)); });
  add("drop-down button", part(o, "Button"), [&](auto& k, TkivDC dc, const TRect& r) {
    k.PaintEditButton(5, dc, d, MakePartInfo(r, 0, 1));
  });
  o = top("GroupBox");
  add("group box", part(o, "Frame"),
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintGroupBox(0, dc, d, MakeStateInfo(r, 0)); });
  o = top("MenuBar");
  add("menu bar", part(o, "Frame"),
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintMenu(0, dc, d, r); });
  add("menu-bar item", part(o, "Item"), [&](auto& k, TkivDC dc, const TRect& r) {
    k.PaintMenuItem(0, dc, d, MakePartInfo(r, 0, 1));
  });
  o = top("PopupMenu");
  add("pop-up separator", part(o, "Separator"), [&](auto& k, TkivDC dc, const TRect& r) {
    k.PaintMenuItem(1, dc, d, MakePartInfo(r, 1, 0));
  });
  o = top("ControlBar");
  add("control bar", part(o, "Back"),
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintControlBar(0, dc, d, r); });
  o = top("ToolBar");
  add("tool bar", part(o, "Frame"),
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintToolBar(0, dc, d, r); });
  add("tool separator", part(o, "Separator"), [&](auto& k, TkivDC dc, const TRect& r) {
    k.PaintToolButton(0, dc, d, MakePartInfo(r, 1, 0));
  });
  o = top("SpeedButton");
  add("tool button", part(o, "Face"), [&](auto& k, TkivDC dc, const TRect& r) {
    k.PaintToolButton(0, dc, d, MakePartInfo(r, 0, 0));
  });
  o = top("Container");
  add("container", part(o, "Body", saClient),
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintContainer(0, dc, d, r); });
  o = top("Panel");
  add("panel", part(o, "Frame"),
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintPanel(1, dc, d, r); });
  add("panel caption", part(o, "Caption"),
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintPanelCaption(1, dc, d, r); });
  add("panel button", part(o, "ButtonRollDown"), [&](auto& k, TkivDC dc, const TRect& r) {
    k.PaintPanelButton(1, dc, d, MakePartInfo(r, 2, 1));
  });
  o = top("Tabs");
  add("tabs body", part(o, "Frame"),
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintTabsBody(0, dc, d, r); });
  add("tab", part(o, "Tab"),
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintTab(0, dc, d, MakePartInfo(r, 0, 2)); });
  add("tab scroll button", part(o, "RightButton"), [&](auto& k, TkivDC dc, const TRect& r) {
    k.PaintTabScrollButton(0, dc, d, MakePartInfo(r, 1, 0));
  });
  o = top("ListBox");
  const int list_frame = part(o, "Frame");
  add("list box", list_frame,
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintListBox(0, dc, d, r); });
  add("tree", list_frame, [&](auto& k, TkivDC dc, const TRect& r) { k.PaintTree(0, dc, d, r); });
  const int list_item = part(o, "Item");
  add("list item", list_item,
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintListItem(0, dc, d, MakeStateInfo(r, 1)); });
  add("tree item", list_item,
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintTreeItem(0, dc, d, MakeStateInfo(r, 0)); });
  add("list check", part(o, "Unchecked"), [&](auto& k, TkivDC dc, const TRect& r) {
    k.PaintListItemCheck(0, dc, d, MakeListCheckInfo(r, nullptr, 1));
  });
  o = top("Grid");
  add("grid", part(o, "Frame"),
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintGrid(0, dc, d, r); });
  add("fixed cell", part(o, "Fixed"), [&](auto& k, TkivDC dc, const TRect& r) {
    k.PaintGridCell(0, dc, d, MakePartInfo(r, 1, 0));
  });
  o = top("Hint");
  add("hint", part(o, "Body", saClient),
      [&](auto& k, TkivDC dc, const TRect& r) { k.PaintHint(0, dc, d, r); });
  ASSERT_LE(next, kCells);

  TKivSkinFile& skin = f.Theme();
  const TRect r = Rect(2, 2, 9, 8);
  for (const Case& c : cases) {
    Surface s(11, 10);
    c.paint(skin, s.dc(), r);
    // Inside the rectangle the part's cell, tiled; outside nothing.
    EXPECT_EQ(s.at(2, 2), Cell(c.cell)) << c.what;
    EXPECT_EQ(s.at(8, 3), Cell(c.cell)) << c.what;
    EXPECT_EQ(s.at(1, 1), kBack) << c.what;
    EXPECT_EQ(s.at(9, 8), kBack) << c.what;
  }
  // The families answer their support queries from the same objects.
  EXPECT_TRUE(skin.SupportsCheck(1, d));
  EXPECT_TRUE(skin.SupportsScrollBar(0, d));
  EXPECT_FALSE(skin.SupportsScrollBar(1, d));
  EXPECT_TRUE(skin.SupportsMemo(0, d));
  EXPECT_TRUE(skin.SupportsPanel(1, d));
  EXPECT_FALSE(skin.SupportsPanel(0, d));
  EXPECT_TRUE(skin.SupportsTabs(1, d));
  EXPECT_TRUE(skin.SupportsGrid(0, d));
  EXPECT_FALSE(skin.SupportsWindow(0, d));
}

TEST(SkinTheme, WindowFramesLeaveTheClientAloneAndPlaceTheirButtons) {
  SkinFixture f;
  TLqSkinObject* form = f.Top("Form");
  form->SetKind(skForm);
  form->SetBounds(Rect(0, 0, 40, 30));
  auto* title = f.Bitmap(form, "Title", 0);
  title->SetKind(skTitle);
  title->SetAlign(saTop);
  title->SetBounds(Bounds(0, 0, 40, 4));
  auto* client = f.Bitmap(form, "Client", 1);
  client->SetKind(skClient);
  client->SetAlign(saClient);
  auto* close = f.Bitmap<TLqSystemButton>(form, "Close", 2);
  close->SetAction(sbaClose);
  close->SetAlign(saTopRight);
  close->SetBounds(Bounds(35, 0, 3, 3));
  TKivSkinFile& skin = f.Theme();
  ASSERT_TRUE(skin.SupportsWindow(0, "default"));
  ASSERT_NE(skin.FrameParts(false).Client, nullptr);

  const TkivWindowInfo info =
      MakeWindowInfo(Rect(0, 0, 20, 16), true, 1 << kWindowButtonClose, TRect{}, u"");
  EXPECT_EQ(skin.WindowContentRect(0, info.Rect, "default"), Rect(0, 4, 20, 16));
  EXPECT_EQ(skin.WindowCaptionRect(0, info, "default"), Rect(0, 0, 20, 4));
  const TRect close_at = skin.WindowButtonRect(0, info, kWindowButtonClose, "default");
  EXPECT_EQ(close_at, Bounds(15, 0, 3, 3));  // 5 from the right edge, as designed
  EXPECT_TRUE(skin.WindowButtonRect(0, info, kWindowButtonMaximize, "default").IsEmpty());
  EXPECT_EQ(skin.WindowHitTest(0, info, "default", Point(16, 1)), kHitClose);
  EXPECT_EQ(skin.WindowHitTest(0, info, "default", Point(5, 1)), kHitCaption);
  EXPECT_EQ(skin.WindowHitTest(0, info, "default", Point(10, 10)), kHitNone);
  EXPECT_EQ(skin.WindowHitTest(3, info, "default", Point(16, 1)), kHitNone);

  Surface s(20, 16);
  skin.PaintWindowFrame(0, s.dc(), "default", info);
  EXPECT_EQ(s.at(1, 1), Cell(0));
  EXPECT_EQ(s.at(16, 1), Cell(0)) << "the frame paints no button";
  EXPECT_EQ(s.at(10, 10), kBack) << "the client is left alone";
  skin.PaintWindowButton(0, s.dc(), "default",
                         MakeWindowButtonInfo(close_at, kWindowButtonClose, 0, nullptr));
  EXPECT_EQ(s.at(16, 1), Cell(2));
  skin.PaintWindowClient(0, s.dc(), "default", Rect(0, 4, 20, 16));
  EXPECT_EQ(s.at(10, 10), Cell(1));
}

}  // namespace
}  // namespace kiv
