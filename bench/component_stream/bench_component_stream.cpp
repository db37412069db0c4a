// A form of 1000 components with a dozen properties each (a nested font, a
// reference, a collection), written and read in both forms.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "framework/collections.hpp"
#include "framework/filer.hpp"
#include "framework/font.hpp"

namespace kiv {
namespace {

class TBenchItem : public TCollectionItem {
  KIV_CLASS(TBenchItem, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  int32_t value = 0;
};
KIV_IMPLEMENT_CLASS(TBenchItem, c) {
  c.Integer(
      "Value", [](const TBenchItem& i) { return i.value; },
      [](TBenchItem& i, int32_t v) { i.value = v; });
}

class TBenchComp : public TComponent {
  KIV_CLASS(TBenchComp, TComponent)
 public:
  explicit TBenchComp(TComponent* owner)
      : TComponent(owner), items_(TBenchItem::StaticClass(), this) {}
  int32_t left = 0, top = 0, width = 0, height = 0;
  bool visible = true;
  std::string caption;
  TColor color = clBtnFace;
  TFont font;
  TBenchComp* buddy = nullptr;
  TFont* Font() const { return const_cast<TFont*>(&font); }
  TCollection* Items() const { return const_cast<TCollection*>(&items_); }

 private:
  TCollection items_;
};
KIV_IMPLEMENT_CLASS(TBenchComp, c) {
  c.Integer(
      "Left", [](const TBenchComp& o) { return o.left; },
      [](TBenchComp& o, int32_t v) { o.left = v; });
  c.Integer(
      "Top", [](const TBenchComp& o) { return o.top; },
      [](TBenchComp& o, int32_t v) { o.top = v; });
  c.Integer(
      "Width", [](const TBenchComp& o) { return o.width; },
      [](TBenchComp& o, int32_t v) { o.width = v; });
  c.Integer(
      "Height", [](const TBenchComp& o) { return o.height; },
      [](TBenchComp& o, int32_t v) { o.height = v; });
  c.Boolean(
       "Visible", [](const TBenchComp& o) { return o.visible; },
       [](TBenchComp& o, bool v) { o.visible = v; })
      .Default(true);
  c.String(
      "Caption", [](const TBenchComp& o) { return o.caption; },
      [](TBenchComp& o, const std::string& v) { o.caption = v; });
  c.Color(
       "Color", [](const TBenchComp& o) { return o.color; },
       [](TBenchComp& o, TColor v) { o.color = v; })
      .Default(clBtnFace);
  c.Object("Font", &TBenchComp::Font);
  c.Component(
      "Buddy", [](const TBenchComp& o) { return o.buddy; },
      [](TBenchComp& o, TBenchComp* v) { o.buddy = v; });
  c.Object("Items", &TBenchComp::Items);
}

std::unique_ptr<TBenchComp> MakeForm() {
  auto form = std::make_unique<TBenchComp>(nullptr);
  form->SetName("Form1");
  TBenchComp* prev = form.get();
  for (int i = 0; i < 1000; ++i) {
    auto* c = new TBenchComp(form.get());
    c->SetName("Control" + std::to_string(i));
    c->left = i;
    c->top = i * 3;
    c->width = 75;
    c->height = 25;
    c->visible = i % 2;
    c->caption = "Caption of control " + std::to_string(i);
    c->color = i % 3 ? clWindow : 0x00336699;
    c->font.SetStyle({fsBold});
    c->buddy = prev;
    prev = c;
    for (int k = 0; k < 3; ++k) static_cast<TBenchItem*>(c->Items()->Add())->value = k * i;
  }
  return form;
}

std::string Binary(TComponent* c) {
  TMemoryStream m;
  m.WriteComponent(c);
  return std::string(reinterpret_cast<const char*>(m.Memory()), static_cast<size_t>(m.Size()));
}

void BM_WriteBinary(benchmark::State& state) {
  auto form = MakeForm();
  for (auto _ : state) benchmark::DoNotOptimize(Binary(form.get()));
}
BENCHMARK(BM_WriteBinary)->Unit(benchmark::kMillisecond);

void BM_ReadBinary(benchmark::State& state) {
  RegisterClass(TBenchComp::StaticClass());
  std::string bin = Binary(MakeForm().get());
  for (auto _ : state) {
    TStringStream s(bin);
    std::unique_ptr<TComponent> c(s.ReadComponent());
    benchmark::DoNotOptimize(c.get());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bin.size()));
}
BENCHMARK(BM_ReadBinary)->Unit(benchmark::kMillisecond);

void BM_BinaryToText(benchmark::State& state) {
  std::string bin = Binary(MakeForm().get());
  for (auto _ : state) {
    TStringStream in(bin), out;
    ObjectBinaryToText(in, out);
    benchmark::DoNotOptimize(out.DataString().size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bin.size()));
}
BENCHMARK(BM_BinaryToText)->Unit(benchmark::kMillisecond);

void BM_TextToBinary(benchmark::State& state) {
  std::string text = ComponentToText(MakeForm().get());
  for (auto _ : state) {
    TStringStream in(text);
    TMemoryStream out;
    ObjectTextToBinary(in, out);
    benchmark::DoNotOptimize(out.Size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_TextToBinary)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kiv

BENCHMARK_MAIN();
