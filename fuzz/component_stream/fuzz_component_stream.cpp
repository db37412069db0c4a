// Feeds arbitrary bytes to the component stream reader: input starting with
// "TPF0" as the binary form, anything else as the text form. Whatever loads
// must survive a round trip: writing it, reading that back and writing again
// gives the same bytes, and its text form reads back to the same text.
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/collections.hpp"
#include "framework/filer.hpp"
#include "framework/font.hpp"

namespace kiv {
namespace {

enum TFuzzShade { fzLight, fzDark };
inline constexpr std::array<std::string_view, 2> kFuzzShadeNames{"fzLight", "fzDark"};
enum TFuzzFlag { ffOne, ffTwo, ffThree };
inline constexpr std::array<std::string_view, 3> kFuzzFlagNames{"ffOne", "ffTwo", "ffThree"};

class TFuzzItem : public TCollectionItem {
  KIV_CLASS(TFuzzItem, TCollectionItem)
 public:
  explicit TFuzzItem(TCollection* c) : TCollectionItem(c), sub_(TFuzzItem::StaticClass(), this) {}
  int32_t value = 0;
  std::u16string text;
  TComponent* link = nullptr;
  TCollection* Sub() const { return const_cast<TCollection*>(&sub_); }

 private:
  TCollection sub_;
};
KIV_IMPLEMENT_CLASS(TFuzzItem, c) {
  c.Integer(
      "Value", [](const TFuzzItem& i) { return i.value; },
      [](TFuzzItem& i, int32_t v) { i.value = v; });
  c.WideString(
      "Text", [](const TFuzzItem& i) { return i.text; },
      [](TFuzzItem& i, const std::u16string& v) { i.text = v; });
  c.Object("Sub", &TFuzzItem::Sub);
  c.Component(
      "Link", [](const TFuzzItem& i) { return i.link; },
      [](TFuzzItem& i, TComponent* v) { i.link = v; });
}

class TFuzzComp : public TComponent {
  KIV_CLASS(TFuzzComp, TComponent)
 public:
  explicit TFuzzComp(TComponent* owner)
      : TComponent(owner), items_(TFuzzItem::StaticClass(), this) {}
  ~TFuzzComp() override {
    DestroyComponents();
    if (parent_) std::erase(parent_->kids_, this);
    for (TFuzzComp* k : kids_) k->parent_ = nullptr;
  }
  int64_t number = 0;
  bool flag = false;
  TFuzzShade shade = fzLight;
  TSet<TFuzzFlag> flags;
  double ratio = 0;
  std::string caption;
  TColor color = clBtnFace;
  TFont font;
  TFuzzComp* buddy = nullptr;
  TNotifyEvent OnPing;
  std::vector<uint8_t> payload;
  std::vector<std::u16string> lines;
  TFuzzComp* parent_ = nullptr;
  std::vector<TFuzzComp*> kids_;

  TFont* Font() const { return const_cast<TFont*>(&font); }
  TCollection* Items() const { return const_cast<TCollection*>(&items_); }
  TFuzzComp* Buddy() const { return buddy; }
  void SetBuddy(TFuzzComp* v) {
    buddy = v;
    if (v) v->FreeNotification(this);
  }
  void Ping(TObject*) {}
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == opRemove && c == buddy) buddy = nullptr;
  }
  void DefineProperties(TFiler& filer) override {
    filer.DefineBinaryProperty(
        "Payload", [this](TStream& s) { payload = ReadBytes(s, static_cast<uint64_t>(s.Size())); },
        [this](TStream& s) { s.WriteBuffer(payload.data(), static_cast<int64_t>(payload.size())); },
        !payload.empty());
    filer.DefineProperty(
        "Lines",
        [this](TReader& r) {
          lines.clear();
          r.ReadListBegin();
          while (!r.EndOfList()) lines.push_back(r.ReadWideString());
          r.ReadListEnd();
        },
        [this](TWriter& w) {
          w.WriteListBegin();
          for (const auto& l : lines) w.WriteWideString(l);
          w.WriteListEnd();
        },
        !lines.empty());
  }
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override { return parent_; }
  void SetParentComponent(TComponent* p) override {
    if (auto* fp = dynamic_cast<TFuzzComp*>(p)) {
      parent_ = fp;
      fp->kids_.push_back(this);
    }
  }
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) override {
    for (TFuzzComp* k : kids_) proc(k);
  }

 private:
  TCollection items_;
};
KIV_IMPLEMENT_CLASS(TFuzzComp, c) {
  c.Integer(
      "Number", [](const TFuzzComp& o) { return o.number; },
      [](TFuzzComp& o, int64_t v) { o.number = v; });
  c.Boolean(
       "Flag", [](const TFuzzComp& o) { return o.flag; }, [](TFuzzComp& o, bool v) { o.flag = v; })
      .Default(false);
  c.Enum(
       "Shade", [](const TFuzzComp& o) { return o.shade; },
       [](TFuzzComp& o, TFuzzShade v) { o.shade = v; }, kFuzzShadeNames)
      .Default(fzLight);
  c.Set(
      "Flags", [](const TFuzzComp& o) { return o.flags; },
      [](TFuzzComp& o, TSet<TFuzzFlag> v) { o.flags = v; }, kFuzzFlagNames);
  c.Float(
      "Ratio", [](const TFuzzComp& o) { return o.ratio; },
      [](TFuzzComp& o, double v) { o.ratio = v; });
  c.String(
      "Caption", [](const TFuzzComp& o) { return o.caption; },
      [](TFuzzComp& o, const std::string& v) { o.caption = v; });
  c.Color(
       "Color", [](const TFuzzComp& o) { return o.color; },
       [](TFuzzComp& o, TColor v) { o.color = v; })
      .Default(clBtnFace);
  c.Object("Font", &TFuzzComp::Font);
  c.Component("Buddy", &TFuzzComp::Buddy, &TFuzzComp::SetBuddy);
  c.Object("Items", &TFuzzComp::Items);
  c.Event("OnPing", &TFuzzComp::OnPing);
  c.Method("Ping", &TFuzzComp::Ping);
}

std::string Bytes(TMemoryStream& m) {
  return std::string(reinterpret_cast<const char*>(m.Memory()), static_cast<size_t>(m.Size()));
}

std::string Write(TComponent* c) {
  TMemoryStream m;
  m.WriteComponent(c);
  return Bytes(m);
}

std::unique_ptr<TComponent> ReadBinary(const std::string& bytes) {
  TStringStream s(bytes);
  return std::unique_ptr<TComponent>(s.ReadComponent());
}

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

void RoundTrip(TComponent* loaded) {
  std::string first = Write(loaded);
  std::unique_ptr<TComponent> again;
  try {
    again = ReadBinary(first);
  } catch (const Exception&) {
    Check(false);  // what we wrote must read back
  }
  Check(Write(again.get()) == first);
  std::string text = ComponentToText(loaded);
  std::unique_ptr<TComponent> from_text;
  try {
    from_text.reset(TextToComponent(text));
  } catch (const Exception&) {
    Check(false);
  }
  Check(ComponentToText(from_text.get()) == text);
}

}  // namespace
}  // namespace kiv

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kiv;
  static bool registered = [] {
    RegisterClasses({&TFuzzComp::StaticClass()});
    return true;
  }();
  (void)registered;
  std::string input(reinterpret_cast<const char*>(data), size);
  std::unique_ptr<TComponent> loaded;
  try {
    if (input.rfind("TPF0", 0) == 0) {
      // The converter walks the same bytes without class information.
      try {
        TStringStream in(input);
        TStringStream text;
        ObjectBinaryToText(in, text);
      } catch (const Exception&) {
      }
      loaded = ReadBinary(input);
    } else {
      loaded.reset(TextToComponent(input));
    }
  } catch (const Exception&) {
    return 0;
  }
  RoundTrip(loaded.get());
  return 0;
}
