// Component streams: both forms, every property kind, defaults, references,
// events, collections, binary properties, parent hooks and malformed input.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/collections.hpp"
#include "framework/filer.hpp"
#include "framework/font.hpp"

namespace kiv {
namespace {

enum TShade { shLight, shMedium, shDark };
constexpr std::array<std::string_view, 3> kShadeNames{"shLight", "shMedium", "shDark"};
enum TFlag { flA, flB, flC };
constexpr std::array<std::string_view, 3> kFlagNames{"flA", "flB", "flC"};
using TFlags = TSet<TFlag>;

class TTestItem : public TCollectionItem {
  KIV_CLASS(TTestItem, TCollectionItem)
 public:
  explicit TTestItem(TCollection* c) : TCollectionItem(c), sub_(TTestItem::StaticClass(), this) {}
  int32_t Value() const { return value_; }
  void SetValue(int32_t v) { value_ = v; }
  const std::string& Label() const { return label_; }
  void SetLabel(const std::string& v) { label_ = v; }
  TCollection* Sub() const { return const_cast<TCollection*>(&sub_); }
  TComponent* Link() const { return link_; }
  void SetLink(TComponent* v) { link_ = v; }
  void Assign(const TPersistent* source) override {
    if (auto* o = dynamic_cast<const TTestItem*>(source)) {
      value_ = o->value_;
      label_ = o->label_;
      sub_.Assign(&o->sub_);
      return;
    }
    TCollectionItem::Assign(source);
  }

 private:
  int32_t value_ = 0;
  std::string label_;
  TCollection sub_;
  TComponent* link_ = nullptr;
};
KIV_IMPLEMENT_CLASS(TTestItem, c) {
  c.Integer("Value", &TTestItem::Value, &TTestItem::SetValue).Default(0);
  c.String("Label", &TTestItem::Label, &TTestItem::SetLabel);
  c.Object("Sub", &TTestItem::Sub);
  c.Component("Link", &TTestItem::Link, &TTestItem::SetLink);
}

// A component with one property of every kind, a binary and a custom
// defined property, and a parent-child relation of its own.
class TTestComp : public TComponent {
  KIV_CLASS(TTestComp, TComponent)
 public:
  explicit TTestComp(TComponent* owner)
      : TComponent(owner), items_(TTestItem::StaticClass(), this) {}
  ~TTestComp() override {
    DestroyComponents();  // children still see this parent while they go
    if (parent_) std::erase(parent_->kids_, this);
    for (TTestComp* k : kids_) k->parent_ = nullptr;
  }

  int32_t Count() const { return count_; }
  void SetCount(int32_t v) {
    if (v == count_) return;
    count_ = v;
    ++count_sets;
  }
  int64_t Big() const { return big_; }
  void SetBig(int64_t v) { big_ = v; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  TShade Shade() const { return shade_; }
  void SetShade(TShade v) { shade_ = v; }
  TFlags Flags() const { return flags_; }
  void SetFlags(TFlags v) { flags_ = v; }
  double Ratio() const { return ratio_; }
  void SetRatio(double v) { ratio_ = v; }
  long double Precise() const { return precise_; }
  void SetPrecise(long double v) { precise_ = v; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }
  const std::u16string& Title() const { return title_; }
  void SetTitle(const std::u16string& v) { title_ = v; }
  TColor Color() const { return color_; }
  void SetColor(TColor v) { color_ = v; }
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* v) { font_->Assign(v); }
  TTestComp* Buddy() const { return buddy_; }
  void SetBuddy(TTestComp* v) {
    if (buddy_ == v) return;
    buddy_ = v;
    if (v) v->FreeNotification(this);
  }
  TCollection* Items() const { return const_cast<TCollection*>(&items_); }
  TNotifyEvent OnPing;
  void Ping(TObject*) { ++pings; }
  void Pong(TObject*) { pings += 100; }
  void Wrong(int) {}

  std::vector<uint8_t> payload;
  std::vector<int32_t> extra;
  int count_sets = 0;
  int pings = 0;
  int loaded_calls = 0;
  bool reading_during_loaded = true;
  TTestComp* parent_ = nullptr;
  std::vector<TTestComp*> kids_;

  void DefineProperties(TFiler& filer) override {
    TComponent::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Payload", [this](TStream& s) { payload = ReadBytes(s, static_cast<uint64_t>(s.Size())); },
        [this](TStream& s) { s.WriteBuffer(payload.data(), static_cast<int64_t>(payload.size())); },
        !payload.empty());
    filer.DefineProperty(
        "Extra",
        [this](TReader& r) {
          extra.clear();
          r.ReadListBegin();
          while (!r.EndOfList()) extra.push_back(r.ReadInteger());
          r.ReadListEnd();
        },
        [this](TWriter& w) {
          w.WriteListBegin();
          for (int32_t v : extra) w.WriteInteger(v);
          w.WriteListEnd();
        },
        !extra.empty());
  }
  void Loaded() override {
    TComponent::Loaded();
    ++loaded_calls;
    reading_during_loaded = ComponentState().Contains(csReading);
  }
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == opRemove && c == buddy_) buddy_ = nullptr;
  }
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override { return parent_; }
  void SetParentComponent(TComponent* p) override {
    if (auto* tp = dynamic_cast<TTestComp*>(p)) {
      parent_ = tp;
      tp->kids_.push_back(this);
    }
  }
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) override {
    for (TTestComp* k : kids_) proc(k);
  }
  void AddKid(TTestComp* k) { k->SetParentComponent(this); }

 private:
  int32_t count_ = 0;
  int64_t big_ = 0;
  bool enabled_ = true;
  TShade shade_ = shMedium;
  TFlags flags_;
  double ratio_ = 0;
  long double precise_ = 0;
  std::string caption_;
  std::u16string title_;
  TColor color_ = clBtnFace;
  std::unique_ptr<TFont> font_ = std::make_unique<TFont>();
  TTestComp* buddy_ = nullptr;
  TCollection items_;
};
KIV_IMPLEMENT_CLASS(TTestComp, c) {
  c.Integer("Count", &TTestComp::Count, &TTestComp::SetCount).Default(0);
  c.Integer("Big", &TTestComp::Big, &TTestComp::SetBig).Default(0);
  c.Boolean("Enabled", &TTestComp::Enabled, &TTestComp::SetEnabled).Default(true);
  c.Enum("Shade", &TTestComp::Shade, &TTestComp::SetShade, kShadeNames).Default(shMedium);
  c.Set("Flags", &TTestComp::Flags, &TTestComp::SetFlags, kFlagNames);
  c.Float("Ratio", &TTestComp::Ratio, &TTestComp::SetRatio);
  c.Float("Precise", &TTestComp::Precise, &TTestComp::SetPrecise);
  c.String("Caption", &TTestComp::Caption, &TTestComp::SetCaption);
  c.WideString("Title", &TTestComp::Title, &TTestComp::SetTitle);
  c.Color("Color", &TTestComp::Color, &TTestComp::SetColor).Default(clBtnFace);
  c.Object("Font", &TTestComp::Font, &TTestComp::SetFont);
  c.Component("Buddy", &TTestComp::Buddy, &TTestComp::SetBuddy);
  c.Object("Items", &TTestComp::Items);
  c.Event("OnPing", &TTestComp::OnPing);
  c.Method("Ping", &TTestComp::Ping);
  c.Method("Pong", &TTestComp::Pong);
  c.Method("Wrong", &TTestComp::Wrong);
}

class ComponentStream : public ::testing::Test {
 protected:
  void SetUp() override { RegisterClass(TTestComp::StaticClass()); }
  void TearDown() override { UnRegisterClass(TTestComp::StaticClass()); }

  // A tree using every property kind: Form1 > Panel1 > Button1, and Other
  // beside Panel1.
  static std::unique_ptr<TTestComp> MakeTree() {
    auto root = std::make_unique<TTestComp>(nullptr);
    root->SetName("Form1");
    root->SetCount(-70000);
    root->SetBig(int64_t{1} << 40);
    root->SetEnabled(false);
    root->SetShade(shDark);
    root->SetFlags({flA, flC});
    root->SetRatio(0.1);
    root->SetPrecise(1.0L / 3);
    root->SetCaption(std::string("It's \xE9t\xE9\r\n") + std::string(300, 'x'));
    root->SetTitle(u"Gr\u00FC\u00DFe \u65E5\u672C \U0001F600");
    root->SetColor(clWindowText);
    root->Font()->SetName("Tahoma");
    root->Font()->SetStyle({fsBold, fsUnderline});
    root->Font()->SetColor(0x123456);
    root->payload = {0, 1, 2, 0xFE, 0xFF};
    root->extra = {5, -200, 1 << 20};
    root->OnPing.Bind(root.get(), &TTestComp::Pong, "Pong");
    auto* item = static_cast<TTestItem*>(root->Items()->Add());
    item->SetValue(7);
    item->SetLabel("first");
    static_cast<TTestItem*>(item->Sub()->Add())->SetValue(8);
    root->Items()->Add();  // an item with nothing but defaults
    auto* panel = new TTestComp(root.get());
    panel->SetName("Panel1");
    root->AddKid(panel);
    auto* button = new TTestComp(root.get());
    button->SetName("Button1");
    panel->AddKid(button);
    button->SetCount(3);
    button->SetBuddy(root.get());
    button->OnPing.Bind(root.get(), &TTestComp::Ping, "Ping");
    auto* other = new TTestComp(root.get());
    other->SetName("Other");
    root->AddKid(other);
    root->SetBuddy(other);
    return root;
  }

  static std::string Binary(TComponent* c) {
    TMemoryStream m;
    m.WriteComponent(c);
    return std::string(reinterpret_cast<const char*>(m.Memory()), static_cast<size_t>(m.Size()));
  }

  static std::unique_ptr<TTestComp> ReadBinary(const std::string& bytes) {
    TStringStream s(bytes);
    return std::unique_ptr<TTestComp>(static_cast<TTestComp*>(s.ReadComponent()));
  }

  static std::unique_ptr<TTestComp> ReadText(const std::string& text) {
    return std::unique_ptr<TTestComp>(static_cast<TTestComp*>(TextToComponent(text)));
  }
};

void ExpectSameTree(TTestComp& a, TTestComp& b) {
  EXPECT_EQ(a.Count(), b.Count());
  EXPECT_EQ(a.Big(), b.Big());
  EXPECT_EQ(a.Enabled(), b.Enabled());
  EXPECT_EQ(a.Shade(), b.Shade());
  EXPECT_EQ(a.Flags(), b.Flags());
  EXPECT_EQ(a.Ratio(), b.Ratio());
  EXPECT_EQ(a.Precise(), b.Precise());
  EXPECT_EQ(a.Caption(), b.Caption());
  EXPECT_EQ(a.Title(), b.Title());
  EXPECT_EQ(a.Color(), b.Color());
  EXPECT_EQ(a.Font()->Name(), b.Font()->Name());
  EXPECT_EQ(a.Font()->Style(), b.Font()->Style());
  EXPECT_EQ(a.Font()->Color(), b.Font()->Color());
  EXPECT_EQ(a.Font()->Height(), b.Font()->Height());
  EXPECT_EQ(a.payload, b.payload);
  EXPECT_EQ(a.extra, b.extra);
  EXPECT_EQ(a.OnPing.MethodName, b.OnPing.MethodName);
  EXPECT_EQ(a.Buddy() ? a.Buddy()->Name() : "", b.Buddy() ? b.Buddy()->Name() : "");
  ASSERT_EQ(a.Items()->Count(), b.Items()->Count());
  for (int i = 0; i < a.Items()->Count(); ++i) {
    auto* x = static_cast<TTestItem*>(a.Items()->Items(i));
    auto* y = static_cast<TTestItem*>(b.Items()->Items(i));
    EXPECT_EQ(x->Value(), y->Value());
    EXPECT_EQ(x->Label(), y->Label());
    EXPECT_EQ(x->Sub()->Count(), y->Sub()->Count());
  }
  ASSERT_EQ(a.kids_.size(), b.kids_.size());
  for (size_t i = 0; i < a.kids_.size(); ++i) {
    EXPECT_EQ(a.kids_[i]->Name(), b.kids_[i]->Name());
    ExpectSameTree(*a.kids_[i], *b.kids_[i]);
  }
}

TEST_F(ComponentStream, BothFormsRoundTripEveryPropertyKind) {
  auto tree = MakeTree();
  std::string bin = Binary(tree.get());
  ASSERT_EQ(bin.substr(0, 4), "TPF0");

  auto from_binary = ReadBinary(bin);
  ExpectSameTree(*tree, *from_binary);
  EXPECT_EQ(Binary(from_binary.get()), bin);

  std::string text = ComponentToText(tree.get());
  auto from_text = ReadText(text);
  ExpectSameTree(*tree, *from_text);
  EXPECT_EQ(ComponentToText(from_text.get()), text);

  // Children are owned by the root and hang under the parent they were read
  // under; references and events are resolved against the new tree.
  EXPECT_EQ(from_text->ComponentCount(), 3);
  TTestComp* button = from_text->kids_.at(0)->kids_.at(0);
  EXPECT_EQ(button->Owner(), from_text.get());
  EXPECT_EQ(button->Buddy(), from_text.get());
  EXPECT_EQ(from_text->Buddy(), from_text->FindComponent("Other"));
  button->OnPing(button);
  from_text->OnPing(from_text.get());
  EXPECT_EQ(from_text->pings, 101);
  // Loaded ran once per component, after reading finished.
  EXPECT_EQ(button->loaded_calls, 1);
  EXPECT_FALSE(button->reading_during_loaded);
  EXPECT_FALSE(from_text->ComponentState().Contains(csLoading));
  // The reference registered a free notification: deleting the target clears it.
  delete from_text->FindComponent("Other");
  EXPECT_EQ(from_text->Buddy(), nullptr);
}

TEST_F(ComponentStream, TextFormShowsEachValueKind) {
  auto tree = MakeTree();
  std::string text = ComponentToText(tree.get());
  for (const char* piece : {
           "object Form1: TTestComp\n  Count = -70000\n  Big = 1099511627776\n  Enabled = False\n",
           "  Shade = shDark\n  Flags = [flA, flC]\n  Ratio = 0.1\n  Precise = "
           "0.333333333333333333342\n",
           "  Caption = \n    'It''s '#233't'#233#13#10'xxxx",
           "xxxx' +\n    'xxxx",
           "  Title = 'Gr'#252#223'e '#26085#26412' '#55357#56832\n",
           "  Color = clWindowText\n  Font.Charset = DEFAULT_CHARSET\n  Font.Color = 1193046\n",
           "  Font.Name = 'Tahoma'\n  Font.Style = [fsBold, fsUnderline]\n",
           "  Buddy = Other\n",
           "  Items = <\n    item\n      Value = 7\n      Label = 'first'\n      Sub = <\n        "
           "item\n"
           "          Value = 8\n          Sub = <>\n        end>\n    end\n    item\n      Sub = "
           "<>\n    end>\n",
           "  OnPing = Pong\n  Payload = {\n    000102FEFF}\n  Extra = (\n    5\n    -200\n    "
           "1048576)\n",
           "  object Panel1: TTestComp\n    Font.Charset",
           "    object Button1: TTestComp\n      Count = 3\n",
           "      Buddy = Form1\n",
           "  object Other: TTestComp\n",
       })
    EXPECT_NE(text.find(piece), std::string::npos) << piece << "\n---\n" << text;
}

TEST_F(ComponentStream, DefaultValuesAreNotWritten) {
  TTestComp plain(nullptr);
  plain.SetName("Plain");
  std::string text = ComponentToText(&plain);
  // A font property without a declared default is always written; Size is
  // not stored at all.
  EXPECT_EQ(text,
            "object Plain: TTestComp\n"
            "  Font.Charset = DEFAULT_CHARSET\n"
            "  Font.Color = clWindowText\n"
            "  Font.Height = -11\n"
            "  Font.Name = 'MS Sans Serif'\n"
            "  Items = <>\n"
            "end\n");
  // Reading it back into an existing instance leaves the setters untouched
  // for values that were not written.
  TTestComp target(nullptr);
  TextToComponent(text, &target);
  EXPECT_EQ(target.Name(), "Plain");
  EXPECT_EQ(target.count_sets, 0);
}

TEST_F(ComponentStream, IntegersUseTheSmallestTag) {
  struct Case {
    int64_t value;
    std::string bytes;
  };
  for (const Case& t :
       {Case{-128, std::string("\x02\x80", 2)}, Case{300, std::string("\x03\x2C\x01", 3)},
        Case{-70000, std::string("\x04\x90\xEE\xFE\xFF", 5)},
        Case{int64_t{1} << 40, std::string("\x13\0\0\0\0\0\x01\0\0", 9)}}) {
    TMemoryStream m;
    TWriter w(m);
    w.WriteInteger(t.value);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(m.Memory()), static_cast<size_t>(m.Size())),
              t.bytes);
    m.SetPosition(0);
    TReader r(m);
    EXPECT_EQ(r.ReadInt64(), t.value);
  }
}

TEST_F(ComponentStream, MalformedTextFailsWithTheFrameworksErrors) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"object X: TFoo\nend\n", "Class TFoo not found"},
      {"object Name: TTestComp\n  Prop = 1\nend\n",
       "Error reading Name.Prop: Property Prop does not exist"},
      {"object Name: TTestComp\n  Font.Nope = 1\nend\n",
       "Error reading Name.Font.Nope: Property Font.Nope does not exist"},
      {"object Name: TTestComp\n  Count = 'abc'\nend\n",
       "Error reading Name.Count: Invalid property value"},
      {"object Name: TTestComp\n  Count = 5000000000\nend\n",
       "Error reading Name.Count: Invalid property value"},
      {"object Name: TTestComp\n  Shade = shNone\nend\n",
       "Error reading Name.Shade: Invalid property value"},
      {"object Name: TTestComp\n  Flags = [flA, flZ]\nend\n",
       "Error reading Name.Flags: Invalid property value"},
      {"object Name: TTestComp\n  OnPing = Missing\nend\n",
       "Error reading Name.OnPing: Invalid property value"},
      {"object Name: TTestComp\n  OnPing = Wrong\nend\n",
       "Error reading Name.OnPing: Invalid property value"},
      {"object Name: TTestComp\n  Items = <\n    item\n      Bad = 1\n    end>\nend\n",
       "Error reading Name.Items: Property Bad does not exist"},
      {"object Name: TTestComp\n  Color = clNoSuchColour\nend\n",
       "Error reading Name.Color: Invalid property value"},
      {"object A: TTestComp\n  object B: TTestComp\n  end\n  object b: TTestComp\n  end\nend\n",
       "A component named b already exists"},
      {"object 1: TTestComp\nend\n", "Identifier expected on line 1"},
      {"object A: TTestComp\n  Count 1\nend\n", "'=' expected on line 2"},
      {"object A: TTestComp\n  Caption = 'open\nend\n", "Unterminated string on line 2"},
      {"object A: TTestComp\n  Payload = {ABC}\nend\n", "Invalid binary value on line 2"},
      {"object A: TTestComp\n  Caption = #70000\nend\n", "Invalid string constant on line 2"},
      {"object A: TTestComp\n  Count = 1\n", "Identifier expected on line 3"},
      {"inherited A: TTestComp\nend\n", "object expected on line 1"},
  };
  for (const Case& t : cases) {
    try {
      ReadText(t.text);
      ADD_FAILURE() << "no error for: " << t.text;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), t.message) << t.text;
    }
  }
  EXPECT_THROW(ReadText("object X: TFoo\nend\n"), EClassNotFound);
  EXPECT_THROW(ReadText("object A: TTestComp\n  Count 1\nend\n"), EParserError);
}

TEST_F(ComponentStream, MalformedBinaryFailsWithoutCrashing) {
  std::string good = Binary(MakeTree().get());
  struct Case {
    std::string bytes;
    const char* message;
  };
  std::string bad_tag = good;
  size_t count_at = bad_tag.find("Count") + 5;
  bad_tag[count_at] = 99;
  const Case cases[] = {
      {"TPF1" + good.substr(4), "Invalid stream format"},
      {good.substr(0, 3), "Stream read error"},
      {good.substr(0, good.size() / 2), nullptr},
      {good.substr(0, count_at + 2), "Error reading Form1.Count: Stream read error"},
      {bad_tag, "Error reading Form1.Count: Invalid stream format"},
      // a wide string claiming 2^32-1 characters in a short stream
      {std::string("TPF0\x09TTestComp\x01X\x05Title\x12\xFF\xFF\xFF\xFF", 27),
       "Error reading X.Title: Stream read error"},
      // a property path ending in a dot names nothing (its value must not be skipped silently)
      {std::string("TPF0\x09TTestComp\x01X\x05"
                   "Font.\x02\x05\0\0",
                   26),
       "Error reading X.Font.: Property Font. does not exist"},
  };
  for (const Case& t : cases) {
    try {
      ReadBinary(t.bytes);
      ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
      if (t.message) {
        EXPECT_STREQ(e.what(), t.message);
      }
    }
  }
  // Every truncation of a good stream fails cleanly (ASan watches for leaks).
  for (size_t n = 0; n < good.size(); n += 7)
    EXPECT_THROW(ReadBinary(good.substr(0, n)), EReadError) << n;
}

TEST_F(ComponentStream, DeepNestingIsRefusedNotRecursedWithoutBound) {
  // 300 nested components in the binary form.
  TMemoryStream m;
  TWriter w(m);
  m.WriteBuffer("TPF0", 4);
  for (int i = 0; i < 300; ++i) {
    w.WriteStr("TTestComp");
    w.WriteStr("");
    w.WriteListEnd();
  }
  for (int i = 0; i < 300; ++i) w.WriteListEnd();
  m.SetPosition(0);
  EXPECT_THROW(std::unique_ptr<TComponent>(m.ReadComponent()), EReadError);

  // 300 nested collections (Items > Sub > Sub ...).
  TMemoryStream c;
  TWriter cw(c);
  c.WriteBuffer("TPF0", 4);
  cw.WriteStr("TTestComp");
  cw.WriteStr("");
  cw.WriteStr("Items");
  for (int i = 0; i < 300; ++i) {
    cw.WriteValue(vaCollection);
    cw.WriteListBegin();
    cw.WriteStr("Sub");
  }
  c.SetPosition(0);
  try {
    std::unique_ptr<TComponent>(c.ReadComponent());
    ADD_FAILURE();
  } catch (const EReadError& e) {
    EXPECT_NE(std::string(e.what()).find("nesting deeper than 256 levels"), std::string::npos)
        << e.what();
  }

  // And in the text form.
  std::string text;
  for (int i = 0; i < 300; ++i) text += "object TTestComp\n";
  for (int i = 0; i < 300; ++i) text += "end\n";
  EXPECT_THROW(ReadText(text), EParserError);
  std::string list =
      "object A: TTestComp\n  Extra = " + std::string(300, '(') + std::string(300, ')') + "\nend\n";
  EXPECT_THROW(ReadText(list), EParserError);
}

TEST_F(ComponentStream, ReadsIntoAGivenRootAndKeepsChildrenOwned) {
  TTestComp form(nullptr);
  TextToComponent(
      "object Main: TTestComp\n  Count = 2\n  object Kid: TTestComp\n    Enabled = False\n  "
      "end\nend\n",
      &form);
  EXPECT_EQ(form.Name(), "Main");
  EXPECT_EQ(form.Count(), 2);
  ASSERT_EQ(form.ComponentCount(), 1);
  EXPECT_FALSE(static_cast<TTestComp*>(form.Components(0))->Enabled());
  EXPECT_EQ(form.kids_.size(), 1u);
}

TEST_F(ComponentStream, ReferencesFromReplacedItemsAreDropped) {
  // Items written twice: the first items, waiting for their Link, are gone
  // when references are resolved (ASan reports a use after free otherwise).
  auto c = ReadText(
      "object A: TTestComp\n"
      "  Items = <\n    item\n      Link = B\n    end>\n"
      "  Items = <\n    item\n      Sub = <\n        item\n          Link = A\n        end>\n    "
      "end>\n"
      "  Items = <\n    item\n      Value = 1\n    end\n    item\n      Link = B\n    end>\n"
      "  object B: TTestComp\n  end\n"
      "end\n");
  ASSERT_EQ(c->Items()->Count(), 2);
  EXPECT_EQ(static_cast<TTestItem*>(c->Items()->Items(0))->Link(), nullptr);
  EXPECT_EQ(static_cast<TTestItem*>(c->Items()->Items(1))->Link(), c->FindComponent("B"));
}

TEST_F(ComponentStream, TextAcceptsHexConcatenationAndFloats) {
  auto c = ReadText(
      "object A: TTestComp\n"
      "  Count = $7F\n"
      "  Caption = 'a' + #66 +\n    'c'#$44\n"
      "  Ratio = -1.5E3\n"
      "  Color = $00FF00FF\n"
      "  Flags = []\n"
      "  Buddy = nil\n"
      "end\n");
  EXPECT_EQ(c->Count(), 127);
  EXPECT_EQ(c->Caption(), "aBcD");
  EXPECT_EQ(c->Ratio(), -1500.0);
  EXPECT_EQ(c->Color(), 0xFF00FF);

  // Numbered set elements and dotted references pass through the conversion.
  TStringStream text("object A: TTestComp\n  X = [0, 2]\n  Y = Form2.Button1\nend\n");
  TMemoryStream bin;
  ObjectTextToBinary(text, bin);
  bin.SetPosition(0);
  TStringStream back;
  ObjectBinaryToText(bin, back);
  EXPECT_EQ(back.DataString(), "object A: TTestComp\n  X = [0, 2]\n  Y = Form2.Button1\nend\n");
}

// A property name's first byte is its length: names of 22 characters and
// more start with bytes beyond the last value tag, and must not be taken
// for a malformed value where the end of the list is looked for.
TEST_F(ComponentStream, LongPropertyNamesAreNotMistakenForValueTags) {
  const std::string text =
      "object A: TTestComp\n"
      "  Font.AVeryLongNestedPropertyName = 1\n"
      "  ANameOfExactlyTwentyTw = 2\n"
      "end\n";
  TStringStream in(text);
  TMemoryStream bin;
  ObjectTextToBinary(in, bin);
  bin.SetPosition(0);
  TStringStream back;
  ObjectBinaryToText(bin, back);
  EXPECT_EQ(back.DataString(), text);
}

}  // namespace
}  // namespace kiv
