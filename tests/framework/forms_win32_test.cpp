// Forms read from their text definition (given directly and from the
// program's resources), freeing a shown form, and the rich-edit control
// loading real documents.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "framework/exceptions.hpp"
#include "framework/win32/forms.hpp"
#include "framework/win32/published.hpp"
#include "framework/win32/stdctrls.hpp"
#include "support/test_form_win32.hpp"
#include "support/testdata.hpp"

namespace kiv {

// A form class of a program: its handler is named by the definition.
class TResourceForm : public TForm {
  KIV_CLASS(TResourceForm, TForm)
 public:
  using TForm::TForm;
  TPanel* Panel1 = nullptr;
  TButton* Button1 = nullptr;
  TImage* Image1 = nullptr;
  TRichEdit* RichEdit1 = nullptr;
  TTimer* Timer1 = nullptr;
  int created = 0;
  TWinControl* active_at_create = nullptr;
  void FormCreate(TObject* sender) {
    ++created;
    EXPECT_EQ(sender, this);
    // Everything was read before OnCreate runs.
    EXPECT_NE(Button1, nullptr);
  }

 protected:
  void BindComponents() override {
    Panel1 = dynamic_cast<TPanel*>(FindComponent("Panel1"));
    Button1 = dynamic_cast<TButton*>(FindComponent("Button1"));
    Image1 = dynamic_cast<TImage*>(FindComponent("Image1"));
    RichEdit1 = dynamic_cast<TRichEdit*>(FindComponent("RichEdit1"));
    Timer1 = dynamic_cast<TTimer*>(FindComponent("Timer1"));
  }
};

KIV_IMPLEMENT_CLASS(TResourceForm, c) {
  c.Method("FormCreate", &TResourceForm::FormCreate);
}

namespace {

const char kDefinition[] = R"(object ResourceForm: TResourceForm
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Viewer'
  ClientHeight = 434
  ClientWidth = 277
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Position = poDefault
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 13
  object Image1: TImage
    Left = 16
    Top = 72
    Width = 135
    Height = 179
    AutoSize = True
    Center = True
    Proportional = True
  end
  object RichEdit1: TRichEdit
    Left = 0
    Top = 352
    Width = 277
    Height = 43
    Align = alBottom
    Alignment = taCenter
    ReadOnly = True
    ScrollBars = ssVertical
    TabOrder = 1
  end
  object Panel1: TPanel
    Left = 0
    Top = 395
    Width = 277
    Height = 39
    Align = alBottom
    TabOrder = 0
    object Button1: TButton
      Left = 93
      Top = 5
      Width = 75
      Height = 25
      Anchors = []
      Caption = '&Close'
      TabOrder = 0
    end
  end
  object Timer1: TTimer
    Enabled = False
    Interval = 20
  end
end
)";

TEST(FormDefinition, TextDefinitionBuildsTheFormItsControlsAndHandlers) {
  RegisterClass(TResourceForm::StaticClass());
  TResourceForm form(nullptr);
  form.ReadDefinition(kDefinition);
  EXPECT_EQ(form.Caption(), L"Viewer");
  EXPECT_EQ(form.BorderStyle(), bsDialog);
  EXPECT_TRUE(form.BorderIcons() == TBorderIcons{biSystemMenu});
  EXPECT_EQ(form.Position(), poDefault);
  EXPECT_EQ(form.ClientWidth(), 277);
  EXPECT_EQ(form.ClientHeight(), 434);
  EXPECT_EQ(form.Font()->Height(), -11);
  EXPECT_TRUE(static_cast<bool>(form.OnCreate));
  EXPECT_EQ(form.OnCreate.MethodName, "FormCreate");
  auto* button = dynamic_cast<TButton*>(form.FindComponent("Button1"));
  auto* panel = dynamic_cast<TPanel*>(form.FindComponent("Panel1"));
  auto* edit = dynamic_cast<TRichEdit*>(form.FindComponent("RichEdit1"));
  auto* image = dynamic_cast<TImage*>(form.FindComponent("Image1"));
  auto* timer = dynamic_cast<TTimer*>(form.FindComponent("Timer1"));
  ASSERT_TRUE(button && panel && edit && image && timer);
  // Parents as nested in the definition; owner is the form.
  EXPECT_EQ(button->Parent(), panel);
  EXPECT_EQ(panel->Parent(), &form);
  EXPECT_EQ(button->Owner(), &form);
  EXPECT_EQ(button->Caption(), L"&Close");
  EXPECT_TRUE(button->Anchors().Empty());
  EXPECT_TRUE(image->AutoSize() && image->Center() && image->Proportional());
  EXPECT_EQ(edit->Alignment(), taCenter);
  EXPECT_TRUE(edit->ReadOnly());
  EXPECT_EQ(edit->ScrollBars(), ssVertical);
  EXPECT_FALSE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 20u);
  // Fonts flow from the form to the controls that inherit them.
  EXPECT_EQ(button->Font()->Height(), -11);
  EXPECT_EQ(button->Font()->Name(), "MS Sans Serif");
  // Bottom alignment: the panel (lower in the design) at the very bottom,
  // the edit directly above it.
  EXPECT_EQ(panel->BoundsRect(), Bounds(0, 395, 277, 39));
  EXPECT_EQ(edit->BoundsRect(), Bounds(0, 352, 277, 43));
  // The window's client size as designed, and the layout follows a resize.
  form.SetClientSize(300, 200);
  EXPECT_EQ(panel->BoundsRect(), Bounds(0, 161, 300, 39));
  EXPECT_EQ(edit->BoundsRect(), Bounds(0, 118, 300, 43));
  // The button has no anchors: its centre keeps its share of the panel.
  EXPECT_EQ(button->Left(), MulDiv(93 + 37, 300, 277) - 37);
  // Tab order: panel (0) holding the button, then the edit (1).
  form.Show();
  Application()->ProcessMessages();
  EXPECT_EQ(form.ActiveControl(), button);
}

TEST(FormDefinition, ErrorsNameThePropertyAndTheLine) {
  TForm form(nullptr);
  try {
    form.ReadDefinition("object F: TForm\n  Nonsense = 1\nend\n");
    ADD_FAILURE() << "unknown property accepted";
  } catch (const EReadError& e) {
    EXPECT_NE(std::string(e.what()).find("Nonsense"), std::string::npos) << e.what();
  }
  EXPECT_THROW(form.ReadDefinition("object F: TForm\n  object X: TNoSuchClass\n  end\nend\n"),
               EClassNotFound);
}

TEST(FormDefinition, CreateFormReadsTheDefinitionFromTheResourcesThenRunsOnCreate) {
  RegisterClass(TResourceForm::StaticClass());
  TResourceForm* form = nullptr;
  Application()->CreateForm(&form);
  ASSERT_NE(form, nullptr);
  std::unique_ptr<TResourceForm> owned(form);
  EXPECT_EQ(form->created, 1);
  EXPECT_EQ(form->Caption(), L"From the resources");
  EXPECT_EQ(form->ClientWidth(), 200);
  ASSERT_NE(form->Button1, nullptr);
  EXPECT_TRUE(form->Button1->Default());
  EXPECT_EQ(form->Button1->Parent(), form->Panel1);
  // The form is the application's main form: closing it ends the program's loop.
  EXPECT_EQ(Application()->MainForm(), form);
  owned.reset();
  EXPECT_EQ(Application()->MainForm(), nullptr);
}

// --- rich edit

struct EditFixture {
  TForm form{nullptr};
  TRichEdit* edit;
  EditFixture(int width = 277, int height = 100) {
    kivtest::MakeBareForm(form, 0, 0, width + 20, height + 20);
    edit = new TRichEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(0, 0, width, height);
    edit->Handle();
  }
};

std::string Rtf(const std::string& name) {
  return kivtest::TestData("rtf/rtfpipe/Files/" + name);
}

// Freeing a shown form takes its children's windows with its own: no child
// is hidden, moved or painted again on the way, and each one learns that
// its window is gone.
TEST(Lifetime, FreeingAShownFormMovesAndRepaintsNoneOfItsChildren) {
  struct TLogged : TPanel {
    using TPanel::TPanel;
    std::vector<uint32_t>* log = nullptr;
    void WndProc(TMessage& m) override {
      if (log && (m.Msg == WM_WINDOWPOSCHANGED || m.Msg == WM_PAINT || m.Msg == WM_NCPAINT ||
                  m.Msg == WM_ERASEBKGND || m.Msg == WM_NCDESTROY))
        log->push_back(m.Msg);
      TPanel::WndProc(m);
    }
  };
  std::vector<uint32_t> log;
  auto form = std::make_unique<TForm>(nullptr);
  form->SetPosition(poDesigned);
  form->SetBounds(100, 100, 220, 180);
  std::vector<TLogged*> children;
  for (TAlign a : {alBottom, alBottom, alClient}) {
    auto* c = new TLogged(form.get());
    c->SetParent(form.get());
    c->SetAlign(a);
    c->SetHeight(30);
    children.push_back(c);
  }
  auto* inner = new TLogged(form.get());  // a grandchild goes the same way
  inner->SetParent(children[0]);
  children.push_back(inner);
  form->Show();
  Application()->ProcessMessages();
  UpdateWindow(form->Handle());
  for (TLogged* c : children) {
    ASSERT_TRUE(c->HandleAllocated());
    c->log = &log;
  }
  form.reset();
  EXPECT_EQ(log, std::vector<uint32_t>(children.size(), WM_NCDESTROY));
}

TEST(RichEdit, LoadsRichTextWithItsOwnFormatting) {
  EditFixture f;
  f.edit->Lines()->LoadFromFile(Rtf("minimal.rtf"));
  EXPECT_EQ(f.edit->Lines()->Count(), 1);
  EXPECT_EQ(f.edit->Lines()->Get(0), L"foobar");
  EXPECT_EQ(f.edit->Text(), L"foobar");
  // Every well-formed document loads as rich text (no RTF control words
  // appear as text).
  for (const char* name :
       {"RtfParserTest_0.rtf", "RtfParserTest_2.rtf", "RtfParserTest_7.rtf", "Test01.rtf",
        "phprtflite/hello_world.rtf", "phprtflite/paragraphs_fonts.rtf", "phprtflite/utf8.rtf"}) {
    f.edit->Clear();
    f.edit->Lines()->LoadFromFile(Rtf(name));
    EXPECT_GT(f.edit->Lines()->Count(), 0) << name;
    EXPECT_EQ(f.edit->Text().find(L"\\rtf"), std::wstring::npos) << name;
  }
}

TEST(RichEdit, PlainTextFallsBackAndTakesTheBoxAlignment) {
  EditFixture f;
  struct Case {
    const char* content;
    int lines;
  };
  // A final line break adds no line of its own.
  for (const Case& t : {Case{"one\r\ntwo\r\nthree", 3}, Case{"one\r\ntwo\r\nthree\r\n", 3},
                        Case{"", 0}, Case{"single", 1}}) {
    std::string file = kivtest::WriteTempFile("kiv_caption.txt", t.content);
    f.edit->Clear();
    f.edit->SetAlignment(taCenter);
    f.edit->Lines()->LoadFromFile(file);
    EXPECT_EQ(f.edit->Lines()->Count(), t.lines) << t.content;
    if (t.lines > 0) {
      EXPECT_EQ(f.edit->Lines()->Get(0),
                ToWide(std::string(t.content).substr(0, std::string(t.content).find('\r'))));
      for (int i = 0; i < t.lines; ++i) EXPECT_EQ(f.edit->ParagraphAlignment(i), taCenter) << i;
    }
    std::filesystem::remove(file);
  }
  // Words wrap at the box's width and wrapped lines count.
  EditFixture narrow(80, 100);
  std::string file = kivtest::WriteTempFile(
      "kiv_long.txt", "a long caption that cannot fit on one line of a narrow box");
  narrow.edit->Lines()->LoadFromFile(file);
  EXPECT_GT(narrow.edit->Lines()->Count(), 2);
  std::filesystem::remove(file);
}

TEST(RichEdit, BrokenDocumentsLoadAsTextOrRichTextButNeverFail) {
  EditFixture f;
  for (int i = 0; i <= 6; ++i) {
    std::string name = "RtfParserTest_fail_" + std::to_string(i) + ".rtf";
    f.edit->Clear();
    EXPECT_NO_THROW(f.edit->Lines()->LoadFromFile(Rtf(name))) << name;
  }
  // This one does not start with the rich-text signature: it shows as text.
  f.edit->Clear();
  f.edit->Lines()->LoadFromFile(Rtf("RtfParserTest_fail_0.rtf"));
  EXPECT_EQ(f.edit->Lines()->Get(0), L"/{\\rtf1\\deff0");
}

// A stream whose reads fail: neither rich text nor plain text can be read.
class TFailingStream : public TStream {
 public:
  int64_t Read(void*, int64_t) override { throw EReadError("Stream read error"); }
  int64_t Write(const void*, int64_t) override { return 0; }
  int64_t Seek(int64_t, TSeekOrigin) override { return 0; }
};

TEST(RichEdit, FailingToLoadBothWaysRaisesFailedToLoadStream) {
  EditFixture f;
  TFailingStream bad;
  try {
    f.edit->Lines()->LoadFromStream(bad);
    ADD_FAILURE() << "no error";
  } catch (const EOutOfResources& e) {
    EXPECT_STREQ(e.what(), "Failed to Load Stream");
  }
  EXPECT_THROW(f.edit->Lines()->LoadFromFile(Rtf("no_such_file.rtf")), EFOpenError);
}

TEST(RichEdit, ReadOnlyScrollBarsAndBorder) {
  EditFixture f(100, 40);
  f.edit->SetReadOnly(true);
  EXPECT_TRUE(GetWindowLongW(f.edit->Handle(), GWL_STYLE) & ES_READONLY);
  f.edit->Lines()->LoadFromFile(Rtf("minimal.rtf"));
  f.edit->SetAlignment(taCenter);
  f.edit->SetScrollBars(ssVertical);  // a new window keeps text, format and settings
  EXPECT_EQ(f.edit->Text(), L"foobar");
  EXPECT_EQ(f.edit->ParagraphAlignment(0), taCenter);
  EXPECT_TRUE(GetWindowLongW(f.edit->Handle(), GWL_STYLE) & ES_READONLY);
  // The vertical bar shows only when the text does not fit.
  EXPECT_FALSE(GetWindowLongW(f.edit->Handle(), GWL_STYLE) & WS_VSCROLL);
  std::string file =
      kivtest::WriteTempFile("kiv_tall.txt", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9");
  f.edit->Lines()->LoadFromFile(file);
  EXPECT_TRUE(GetWindowLongW(f.edit->Handle(), GWL_STYLE) & WS_VSCROLL);
  f.edit->Lines()->LoadFromFile(Rtf("minimal.rtf"));
  std::filesystem::remove(file);
  EXPECT_TRUE(GetWindowLongW(f.edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  f.edit->SetBorderStyle(bsNone);
  EXPECT_FALSE(GetWindowLongW(f.edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  // Typing into a read-only box changes nothing.
  SendMessageW(f.edit->Handle(), WM_CHAR, L'x', 1);
  EXPECT_EQ(f.edit->Text(), L"foobar");
}

}  // namespace
}  // namespace kiv
