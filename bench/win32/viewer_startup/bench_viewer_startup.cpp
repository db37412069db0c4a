// The viewer's start-up to its first paint: the window read from its
// definition, the start-up sequence (picture, caption, layout), shown and
// painted whole, then freed. The themed window (the library's rich edit,
// header panel and effect button) against the same picture window with the
// framework's plain rich edit, panel and button, on the same picture and
// caption in the working directory.
//
// Freeing the window is not part of start-up: it runs after each timed call
// and is timed as a group of its own. The split: the picture window with one
// themed control put in its role at a time, so that each control's share of
// the difference shows, made only or made, shown and painted; and, with
// --phases N, the median time of each step (make, show, paint, free) of N
// start-ups of each window, one after another.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "app/viewer_folder_win32.hpp"
#include "app/viewer_form_win32.hpp"
#include "app/viewer_roles_win32.hpp"
#include "controls/kiv_controls_unit_win32.hpp"
#include "framework/class_builder.hpp"
#include "timing.hpp"

namespace kiv {

// The picture window as it was before the themed controls took the roles;
// with a definition given, the window that definition describes (the roles
// filled by plain or themed controls alike).
class TPlainViewerForm : public TForm {
  KIV_CLASS(TPlainViewerForm, TForm)
 public:
  explicit TPlainViewerForm(TComponent* owner) : TForm(owner) {}
  void FormCreate(TObject*) { RunViewerStartUp(*this, *image_, *caption_box_, *panel_role_); }

  // The definition the next window reads instead of its resource.
  static inline const std::string* NextDefinition = nullptr;

  void InitializeForm() override {
    if (!NextDefinition) {
      TForm::InitializeForm();
      return;
    }
    ReadDefinition(*NextDefinition);
    BindComponents();
    DoCreate();
  }

 protected:
  void BindComponents() override {
    image_ = dynamic_cast<TImage*>(FindComponent("Image1"));
    caption_box_ = std::make_unique<TRichEditCaptionBox>(
        dynamic_cast<TRichEdit*>(FindComponent("KivRichEdit1")));
    panel_role_ = std::make_unique<TPanelBottom>(
        dynamic_cast<TWinControl*>(FindComponent("KivHeaderPanel1")));
  }

 private:
  class TPanelBottom : public TBottomPanelRole {
   public:
    explicit TPanelBottom(TWinControl* panel) : panel_(panel) {}
    int Height() override { return panel_->Height(); }
    void SetTop(int value) override { panel_->SetTop(value); }

   private:
    TWinControl* panel_;
  };
  TImage* image_ = nullptr;
  std::unique_ptr<TCaptionBoxRole> caption_box_;
  std::unique_ptr<TBottomPanelRole> panel_role_;
};

KIV_IMPLEMENT_CLASS(TPlainViewerForm, c) {
  c.Method("FormCreate", &TPlainViewerForm::FormCreate);
}

}  // namespace kiv

namespace {

kiv::TCustomForm* made = nullptr;  // the window the last call made

// The window made from the definition.
void Make(const std::string* definition) {
  kiv::TPlainViewerForm::NextDefinition = definition;
  try {
    made = kiv::Application()->CreateForm<kiv::TPlainViewerForm>();
  } catch (...) {
    kiv::TPlainViewerForm::NextDefinition = nullptr;
    throw;
  }
  kiv::TPlainViewerForm::NextDefinition = nullptr;
  GdiFlush();
}

// The viewer's own window, as the program makes it.
void MakeViewer() {
  made = kiv::Application()->CreateForm<kiv::TForm1>();
  GdiFlush();
}

void ShowAndPaint(kiv::TCustomForm& form) {
  form.Show();
  UpdateWindow(form.Handle());
  GdiFlush();
}

void StartAndPaint(const std::string* definition) {
  Make(definition);
  ShowAndPaint(*made);
}

void Free() {
  delete made;
  made = nullptr;
  GdiFlush();
}

double Milliseconds() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return double(count.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

struct TWindowCase {
  const char* Name;
  const std::string* Definition;
};

// Each window started n times after one unmeasured start, the windows taking
// turns; the median time of each step.
void PrintPhases(const std::vector<TWindowCase>& cases, int n) {
  std::vector<std::vector<double>> steps(cases.size() * 4);
  for (int round = 0; round <= n; ++round)
    for (size_t i = 0; i < cases.size(); ++i) {
      const double t0 = Milliseconds();
      Make(cases[i].Definition);
      const double t1 = Milliseconds();
      made->Show();
      GdiFlush();
      const double t2 = Milliseconds();
      UpdateWindow(made->Handle());
      GdiFlush();
      const double t3 = Milliseconds();
      Free();
      const double t4 = Milliseconds();
      if (round == 0) continue;
      const double times[4] = {t1 - t0, t2 - t1, t3 - t2, t4 - t3};
      for (int k = 0; k < 4; ++k) steps[i * 4 + size_t(k)].push_back(times[k]);
    }
  std::printf("%d start-ups of each window, median ms per step\n", n);
  std::printf("%-28s %8s %8s %8s %8s %8s\n", "window", "make", "show", "paint", "free", "to paint");
  for (size_t i = 0; i < cases.size(); ++i) {
    double m[4];
    for (int k = 0; k < 4; ++k) m[k] = Median(steps[i * 4 + size_t(k)]);
    std::printf("%-28s %8.2f %8.2f %8.2f %8.2f %8.2f\n", cases[i].Name, m[0], m[1], m[2], m[3],
                m[0] + m[1] + m[2]);
  }
}

std::string ResourceText(const char* name) {
  HRSRC res = FindResourceA(nullptr, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  HGLOBAL data = res ? LoadResource(nullptr, res) : nullptr;
  const char* bytes = data ? static_cast<const char*>(LockResource(data)) : nullptr;
  if (!bytes) {
    std::fprintf(stderr, "resource %s not found\n", name);
    std::exit(1);
  }
  return std::string(bytes, SizeofResource(nullptr, res));
}

// The lines of a definition's object block "object NAME: ..." up to its own
// "end" (same indentation): first line and one past the last.
struct TBlock {
  size_t First = 0, Last = 0;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

TBlock FindBlock(const std::vector<std::string>& lines, const std::string& name) {
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string head = "object " + name + ":";
    const size_t indent = lines[i].find_first_not_of(' ');
    if (indent == std::string::npos || lines[i].compare(indent, head.size(), head) != 0) continue;
    const std::string end = std::string(indent, ' ') + "end";
    for (size_t j = i + 1; j < lines.size(); ++j)
      if (lines[j] == end) return {i, j + 1};
  }
  std::fprintf(stderr, "object %s not found in the definition\n", name.c_str());
  std::exit(1);
}

// The definition with the named object's block taken from another one.
std::string WithBlock(const std::string& into, const std::string& from, const std::string& name) {
  std::vector<std::string> a = Lines(into), b = Lines(from);
  const TBlock at = FindBlock(a, name), src = FindBlock(b, name);
  a.erase(a.begin() + std::ptrdiff_t(at.First), a.begin() + std::ptrdiff_t(at.Last));
  a.insert(a.begin() + std::ptrdiff_t(at.First), b.begin() + std::ptrdiff_t(src.First),
           b.begin() + std::ptrdiff_t(src.Last));
  std::string out;
  for (const std::string& line : a) out += line + "\n";
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  // --phases N is this program's own option; the rest go to the harness.
  int phases = 0;
  std::vector<char*> args(argv, argv + argc);
  for (size_t i = 1; i + 1 < args.size(); ++i)
    if (std::string(args[i]) == "--phases") {
      phases = std::max(1, std::atoi(args[i + 1]));
      args.erase(args.begin() + std::ptrdiff_t(i), args.begin() + std::ptrdiff_t(i) + 2);
      break;
    }
  kivbench::TTimingOptions options = kivbench::ParseTimingOptions(int(args.size()), args.data());
  // A batch is one start-up, whose paired ratio spreads over 0.5 .. 2 on a
  // shared machine: the median of 15 pairs moved by several hundredths
  // between runs, that of 81 by about two.
  if (std::none_of(args.begin(), args.end(),
                   [](const char* a) { return std::string(a) == "--repetitions"; }))
    options.Repetitions = 81;
  kivbench::TTimingRun run(options);
  kiv::RegisterClasses({&kiv::TForm1::StaticClass(), &kiv::TPlainViewerForm::StaticClass()});
  kiv::RegisterKivControls();  // the split reads themed controls without TForm1
  const kiv::TViewerFolder folder("bench");
  // A diagonal gradient: blue grows to the right, green upwards.
  folder.WritePicture(320, 240, [](int x, int y) {
    const int up = 239 - y;  // rows counted from the bottom
    return uint32_t((x + up) * 127 / 560) << 16 | uint32_t(up * 255 / 240) << 8 |
           uint32_t(x * 255 / 320);
  });
  folder.WriteCaption("A harbour at dusk\nboats coming in\none by one\n");

  // Every window reads its definition from text, the plain one's resource
  // and the viewer's own (TFORM1), or one made of the two.
  static const std::string plain = ResourceText("TPLAINVIEWERFORM");
  static const std::string themed = ResourceText("TFORM1");
  static const std::string rich_edit_only = WithBlock(plain, themed, "KivRichEdit1");
  // The header panel holding the plain button.
  static const std::string panel_only =
      WithBlock(plain, WithBlock(themed, plain, "KivEffectButton1"), "KivHeaderPanel1");
  // The effect button on the plain panel.
  static const std::string button_only = WithBlock(plain, themed, "KivEffectButton1");
  const std::vector<TWindowCase> windows = {{"plain controls", &plain},
                                            {"themed rich edit only", &rich_edit_only},
                                            {"themed header panel only", &panel_only},
                                            {"themed effect button only", &button_only},
                                            {"themed window", &themed}};

  if (phases > 0) {
    PrintPhases(windows, phases);
  } else {
    const char* headline = "start-up to first paint, 320x240 BMP, 3-line caption";
    auto viewer = [] {
      MakeViewer();
      ShowAndPaint(*made);
    };
    run.Add(
        headline, "plain controls", [] { StartAndPaint(&plain); }, true, Free);
    run.Add(headline, "themed window (TForm1)", viewer, false, Free);
    // As measured before freeing was taken out of the timed part.
    const char* with_free = "start-up, first paint and freeing";
    run.Add(
        with_free, "plain controls", [] { StartAndPaint(&plain), Free(); }, true);
    run.Add(with_free, "themed window (TForm1)", [viewer] { viewer(), Free(); });
    for (const TWindowCase& c : windows) {
      const std::string* definition = c.Definition;
      const bool base = definition == &plain;
      run.Add(
          "made, shown, painted", c.Name, [definition] { StartAndPaint(definition); }, base, Free);
      run.Add(
          "made, not shown", c.Name, [definition] { Make(definition); }, base, Free);
    }
    run.Run();
    run.Print(stdout);
  }
  return 0;
}
