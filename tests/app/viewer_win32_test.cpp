// The viewer program end to end: copies of kivview.exe under other names,
// started in folders the test fills with pictures, captions and settings; what
// a user sees is read back through Win32 (title, client size, the controls'
// places, the caption box's lines, message boxes) and the program is ended
// with real keyboard input or its close box.
#include <gtest/gtest.h>
#include <windows.h>

#include <richedit.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/picture/picture.hpp"
#include "support/picture_writers.hpp"

namespace {

namespace fs = std::filesystem;

const fs::path kViewer = fs::path("..") / "app" / "kivview.exe";

kivtest::RgbPixels Solid(int w, int h, uint32_t rgb) {
  return kivtest::RgbPixels(static_cast<size_t>(w) * h, rgb);
}
std::vector<uint8_t> Bmp(int w, int h) {
  return kivtest::MakeBmp24(w, h, Solid(w, h, 0x3366CC));
}
std::vector<uint8_t> Jpeg(int w, int h) {
  return kivtest::MakeJpeg(w, h, Solid(w, h, 0xCC6633));
}
std::vector<uint8_t> Gif(int w, int h) {
  return kivtest::MakeGif(w, h, {0x00FF00, 0}, {{std::vector<uint8_t>(size_t(w) * h, 0), 0}});
}
std::vector<uint8_t> Text(const std::string& s) {
  return {s.begin(), s.end()};
}

using Files = std::map<fs::path, std::vector<uint8_t>>;

// Wide names, so that files named outside the system code page are written too.
void Write(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  ASSERT_TRUE(out.good()) << path.string();
}

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Rect&) const = default;
};
std::ostream& operator<<(std::ostream& o, const Rect& r) {
  return o << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

// One run of the viewer: a folder with the program (named `exe`) and
// `beside` files, and a working directory that is either that folder or a
// second one holding `in_work` files.
class Viewer {
 public:
  Viewer(const fs::path& exe, const Files& beside, bool other_work_dir = false,
         const Files& in_work = {}) {
    static int serial = 0;
    root_ = fs::temp_directory_path() /
            ("kivview_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++serial));
    fs::remove_all(root_);
    fs::create_directories(root_ / "prog");
    fs::copy_file(kViewer, root_ / "prog" / exe);
    for (const auto& [name, bytes] : beside) Write(root_ / "prog" / name, bytes);
    work_ = other_work_dir ? root_ / "work" : root_ / "prog";
    fs::create_directories(work_);
    for (const auto& [name, bytes] : in_work) Write(work_ / name, bytes);
    exe_ = root_ / "prog" / exe;
  }
  ~Viewer() {
    if (process_) {
      if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 1);
      WaitForSingleObject(process_, 5000);
      CloseHandle(process_);
    }
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  fs::path Work() const { return work_; }

  void Start() {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + exe_.wstring() + L"\"";
    ASSERT_TRUE(CreateProcessW(exe_.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               work_.c_str(), &si, &pi));
    process_ = pi.hProcess;
    pid_ = pi.dwProcessId;
    thread_id_ = pi.dwThreadId;
    CloseHandle(pi.hThread);
  }

  // The first visible top-level window of the process that `is` accepts.
  HWND WaitWindow(const std::function<bool(HWND)>& is, int ms = 15000) {
    struct Find {
      DWORD pid;
      const std::function<bool(HWND)>* is;
      HWND found = nullptr;
    } find{pid_, &is};
    for (int waited = 0; waited < ms && !find.found; waited += 50) {
      EnumWindows(
          [](HWND w, LPARAM p) -> BOOL {
            auto* f = reinterpret_cast<Find*>(p);
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == f->pid && IsWindowVisible(w) && (*f->is)(w)) {
              f->found = w;
              return FALSE;
            }
            return TRUE;
          },
          reinterpret_cast<LPARAM>(&find));
      if (!find.found) Sleep(50);
    }
    return find.found;
  }
  static bool IsDialog(HWND w) { return ClassName(w) == L"#32770"; }
  HWND WaitDialog() { return WaitWindow(IsDialog); }
  HWND WaitMainWindow() {
    return WaitWindow(
        [](HWND w) { return !IsDialog(w) && (GetWindowLongW(w, GWL_STYLE) & WS_CAPTION); });
  }

  // Exit code, or -1 when the process does not end in time.
  long WaitExit(int ms = 10000) {
    if (WaitForSingleObject(process_, ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<long>(code);
  }
  HWND Focus() {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(thread_id_, &info)) return nullptr;
    return info.hwndFocus;
  }

  static std::wstring ClassName(HWND w) {
    wchar_t name[128] = {};
    GetClassNameW(w, name, 128);
    return name;
  }
  static std::wstring TextOf(HWND w) {
    std::wstring s(static_cast<size_t>(GetWindowTextLengthW(w)) + 1, L'\0');
    s.resize(static_cast<size_t>(GetWindowTextW(w, s.data(), static_cast<int>(s.size()))));
    return s;
  }
  // A child window (any depth) whose class name contains `part`.
  static HWND Child(HWND parent, const std::wstring& part) {
    std::pair<const std::wstring*, HWND> find{&part, nullptr};
    EnumChildWindows(
        parent,
        [](HWND c, LPARAM p) -> BOOL {
          auto* f = reinterpret_cast<std::pair<const std::wstring*, HWND>*>(p);
          if (ClassName(c).find(*f->first) != std::wstring::npos) {
            f->second = c;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.second;
  }
  // The Close button: the child window with its caption (the library's
  // controls share one window class).
  static HWND CloseButton(HWND form) {
    std::pair<HWND, int> find{nullptr, 0};
    EnumChildWindows(
        form,
        [](HWND c, LPARAM p) -> BOOL {
          if (TextOf(c) != L"&Close") return TRUE;
          reinterpret_cast<std::pair<HWND, int>*>(p)->first = c;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.first;
  }
  // A child's rectangle in its top-level window's client coordinates.
  static Rect Place(HWND child, HWND top) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
  }
  static Rect Client(HWND w) {
    RECT r;
    GetClientRect(w, &r);
    return {r.left, r.top, r.right, r.bottom};
  }

 private:
  fs::path root_, work_, exe_;
  HANDLE process_ = nullptr;
  DWORD pid_ = 0, thread_id_ = 0;
};

// The text and caption of a message box, its OK button pressed.
struct Box {
  std::wstring caption, text;
  int buttons = 0;
};
Box ReadAndDismiss(HWND dialog) {
  Box box;
  box.caption = Viewer::TextOf(dialog);
  if (HWND text = GetDlgItem(dialog, 0xFFFF)) box.text = Viewer::TextOf(text);
  EnumChildWindows(
      dialog,
      [](HWND c, LPARAM p) -> BOOL {
        if (Viewer::ClassName(c) == L"Button" && IsWindowVisible(c))
          ++reinterpret_cast<Box*>(p)->buttons;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&box));
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  return box;
}

void CloseWindow(Viewer& v, HWND form) {
  PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(v.WaitExit(), 0);
}

// --- the window laid out for picture and caption

struct Layout {
  const char* what;
  std::string exe;
  Files beside;
  std::wstring title;
  int w, h;  // the picture's size
  int caption_height;
  int editor_lines;  // EM_GETLINECOUNT; -1: not checked
};

class ViewerLayout : public ::testing::TestWithParam<Layout> {};

TEST_P(ViewerLayout, WindowTakesPictureCaptionAndPanel) {
  const Layout& t = GetParam();
  Viewer v(t.exe, t.beside);
  v.Start();
  HWND form = v.WaitMainWindow();
  ASSERT_NE(form, nullptr) << t.what;
  EXPECT_EQ(Viewer::TextOf(form), t.title) << t.what;
  EXPECT_EQ(Viewer::Client(form), (Rect{0, 0, t.w, t.h + t.caption_height + 39})) << t.what;
  HWND edit = Viewer::Child(form, L"RichEdit");
  HWND button = Viewer::CloseButton(form);
  ASSERT_NE(edit, nullptr);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(Viewer::Place(edit, form), (Rect{0, t.h, t.w, t.h + t.caption_height})) << t.what;
  HWND panel = GetParent(button);
  EXPECT_EQ(Viewer::Place(panel, form),
            (Rect{0, t.h + t.caption_height, t.w, t.h + t.caption_height + 39}))
      << t.what;
  if (t.editor_lines >= 0) {
    EXPECT_EQ(SendMessageW(edit, EM_GETLINECOUNT, 0, 0), t.editor_lines) << t.what;
  }
  EXPECT_NE(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY, 0) << t.what;
  // The button keeps its centre at the same share of the panel's width.
  Rect b = Viewer::Place(button, form);
  EXPECT_EQ(b.right - b.left, 75);
  EXPECT_EQ(b.bottom - b.top, 25);
  EXPECT_NEAR((b.left + b.right) / 2.0, 130.5 * t.w / 277.0, 1.5) << t.what;
  CloseWindow(v, form);
}

const std::string kRtf2 = "{\\rtf1\\ansi{\\fonttbl{\\f0 MS Sans Serif;}}\\f0\\fs16 one\\par two}";
// Two table rows of two cells (one of them empty), then a line of text.
const std::string kRtfTable =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 MS Sans Serif;}}\\f0\\fs16"
    "\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row"
    "\\trowd\\cellx1000\\cellx2000\\intbl c\\cell\\cell\\row"
    "\\pard after\\par}";

INSTANTIATE_TEST_SUITE_P(
    Scenarios, ViewerLayout,
    ::testing::Values(
        Layout{"base name cut at the first dot; no caption: one line",
               "photo.final.exe",
               {{"photo.bmp", Bmp(160, 30)}, {"photo.final.bmp", Bmp(90, 90)}},
               L"photo",
               160,
               30,
               12,
               1},
        Layout{"JPEG beats GIF and BMP, RTF beats TXT",
               "Both.exe",
               {{"Both.jpg", Jpeg(150, 20)},
                {"Both.gif", Gif(30, 10)},
                {"Both.bmp", Bmp(20, 20)},
                {"Both.rtf", Text(kRtf2)},
                {"Both.txt", Text("a\r\nb\r\nc\r\nd\r\ne")}},
               L"Both",
               150,
               20,
               36,
               2},
        Layout{"GIF before BMP; title keeps its case",
               "SunSet.exe",
               {{"SunSet.gif", Gif(300, 10)}, {"SunSet.bmp", Bmp(20, 20)}},
               L"SunSet",
               300,
               10,
               12,
               1},
        Layout{"three lines without a final line break: 4 lines of 12",
               "Three.exe",
               {{"Three.bmp", Bmp(200, 10)}, {"Three.txt", Text("one\r\ntwo\r\nthree")}},
               L"Three",
               200,
               10,
               48,
               3},
        Layout{"three lines with a final line break: the same",
               "Four.exe",
               {{"Four.bmp", Bmp(200, 10)}, {"Four.txt", Text("one\r\ntwo\r\nthree\r\n")}},
               L"Four",
               200,
               10,
               48,
               -1},
        Layout{
            "TextBoxHeight 0x20",
            "Hex.exe",
            {{"Hex.bmp", Bmp(160, 10)}, {"Hex.ini", Text("[Settings]\r\nTextBoxHeight=0x20\r\n")}},
            L"Hex",
            160,
            10,
            32,
            -1},
        Layout{"TextBoxHeight $20",
               "Dollar.exe",
               {{"Dollar.bmp", Bmp(160, 10)},
                {"Dollar.ini", Text("[Settings]\r\nTextBoxHeight=$20\r\n")}},
               L"Dollar",
               160,
               10,
               32,
               -1},
        Layout{"TextBoxHeight 32",
               "Dec.exe",
               {{"Dec.bmp", Bmp(160, 10)}, {"Dec.ini", Text("[Settings]\r\nTextBoxHeight=32\r\n")}},
               L"Dec",
               160,
               10,
               32,
               -1},
        Layout{
            "TextBoxHeight abc: computed",
            "Abc.exe",
            {{"Abc.bmp", Bmp(160, 10)}, {"Abc.ini", Text("[Settings]\r\nTextBoxHeight=abc\r\n")}},
            L"Abc",
            160,
            10,
            12,
            -1},
        Layout{"rich text with a table: a line per table row, not per cell",
               "Table.exe",
               {{"Table.bmp", Bmp(200, 10)}, {"Table.rtf", Text(kRtfTable)}},
               L"Table",
               200,
               10,
               48,
               -1},
        // The window takes the size it is given, however small or tall.
        Layout{
            "16 x 16 picture", "Small.exe", {{"Small.bmp", Bmp(16, 16)}}, L"Small", 16, 16, 12, 1},
        Layout{"1 x 1 picture", "Dot.exe", {{"Dot.bmp", Bmp(1, 1)}}, L"Dot", 1, 1, 12, 1},
        Layout{"a caption box taller than the screen",
               "Tall.exe",
               {{"Tall.bmp", Bmp(120, 40)},
                {"Tall.ini", Text("[Settings]\r\nTextBoxHeight=3000\r\n")}},
               L"Tall",
               120,
               40,
               3000,
               -1},
        Layout{"key in another section: computed",
               "Sect.exe",
               {{"Sect.bmp", Bmp(160, 10)}, {"Sect.ini", Text("[Other]\r\nTextBoxHeight=32\r\n")}},
               L"Sect",
               160,
               10,
               12,
               -1}));

TEST(ViewerFolders, PicturesComeFromTheWorkingDirectorySettingsFromTheProgramsFolder) {
  // The picture beside the program is not looked for...
  {
    Viewer v("SunSet.exe", {{"SunSet.bmp", Bmp(40, 30)}}, true);
    v.Start();
    HWND box = v.WaitDialog();
    ASSERT_NE(box, nullptr);
    Box b = ReadAndDismiss(box);
    EXPECT_EQ(b.caption, L"Sunset");
    EXPECT_EQ(b.text, L"Picture \"SunSet\"\r\n .jpg  .gif or .bmp not found");
    EXPECT_EQ(b.buttons, 1);
    EXPECT_EQ(v.WaitExit(), 0);
  }
  // ...but the settings file there is read, and one in the working directory is not.
  {
    Viewer v(
        "Away.exe", {{"Away.ini", Text("[Settings]\r\nTextBoxHeight=32\r\n")}}, true,
        {{"Away.bmp", Bmp(160, 30)}, {"Away.ini", Text("[Settings]\r\nTextBoxHeight=50\r\n")}});
    v.Start();
    HWND form = v.WaitMainWindow();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(Viewer::Client(form), (Rect{0, 0, 160, 30 + 32 + 39}));
    CloseWindow(v, form);
  }
}

TEST(ViewerErrors, APictureErrorLeavesTheDesignedWindowWithItsTitle) {
  std::vector<uint8_t> broken = Jpeg(20, 20);
  broken.resize(30);
  std::string want;
  try {
    kiv::DecodeJpeg(broken.data(), broken.size());
  } catch (const std::exception& e) {
    want = e.what();
  }
  ASSERT_FALSE(want.empty());
  if (want.back() != '.') want += '.';
  Viewer v("Broken.exe", {{"Broken.jpg", broken}, {"Broken.txt", Text("never loaded")}});
  v.Start();
  HWND box = v.WaitDialog();
  ASSERT_NE(box, nullptr);
  Box b = ReadAndDismiss(box);
  EXPECT_EQ(b.caption, L"Broken");
  EXPECT_EQ(b.text, std::wstring(want.begin(), want.end()));
  EXPECT_EQ(b.buttons, 1);
  HWND form = v.WaitMainWindow();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Viewer::TextOf(form), L"Broken");
  EXPECT_EQ(Viewer::Client(form), (Rect{0, 0, 277, 434}));
  HWND edit = Viewer::Child(form, L"RichEdit");
  EXPECT_EQ(Viewer::Place(edit, form), (Rect{0, 352, 277, 395}));
  EXPECT_EQ(GetWindowTextLengthW(edit), 0);
  CloseWindow(v, form);
}

// The system's text for an error code, as a message box shows it.
std::wstring SystemReason(DWORD code) {
  wchar_t* text = nullptr;
  FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring s = text ? text : L"";
  if (text) LocalFree(text);
  while (!s.empty() && (s.back() == L'\n' || s.back() == L'\r' || s.back() == L' ')) s.pop_back();
  return s;
}

TEST(ViewerErrors, APictureHeldOpenWithoutSharingIsReportedWithTheSystemsReason) {
  Viewer v("Held.exe", {{"Held.jpg", Jpeg(40, 30)}});
  HANDLE lock = CreateFileW((v.Work() / "Held.jpg").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  v.Start();
  HWND box = v.WaitDialog();
  ASSERT_NE(box, nullptr);
  Box b = ReadAndDismiss(box);
  CloseHandle(lock);
  std::wstring want = L"Cannot open file \"Held.jpg\". " + SystemReason(ERROR_SHARING_VIOLATION);
  if (want.back() != L'.') want += L'.';
  EXPECT_EQ(b.text, want);
  HWND form = v.WaitMainWindow();
  ASSERT_NE(form, nullptr);
  CloseWindow(v, form);
}

TEST(ViewerErrors, ACaptionErrorLeavesPictureInPlaceAndTheDesignedLayout) {
  Viewer v("Locked.exe", {{"Locked.bmp", Bmp(160, 30)}, {"Locked.txt", Text("locked away")}});
  // Held open without sharing, the caption file cannot be opened.
  HANDLE lock = CreateFileW((v.Work() / "Locked.txt").wstring().c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  v.Start();
  HWND box = v.WaitDialog();
  ASSERT_NE(box, nullptr);
  Box b = ReadAndDismiss(box);
  CloseHandle(lock);
  EXPECT_EQ(b.caption, L"Locked");
  EXPECT_NE(b.text.find(L"Locked.txt"), std::wstring::npos)
      << std::string(b.text.begin(), b.text.end());
  HWND form = v.WaitMainWindow();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Viewer::Client(form), (Rect{0, 0, 277, 434}));
  HWND edit = Viewer::Child(form, L"RichEdit");
  EXPECT_EQ(Viewer::Place(edit, form), (Rect{0, 352, 277, 395}));
  CloseWindow(v, form);
}

// --- names outside the system code page

TEST(ViewerNames, ABaseNameOutsideTheCodePageFindsItsFiles) {
  const std::wstring base = L"\u041b\u0435\u0442\u043e";  // Cyrillic
  {
    Viewer v(base + L".exe", {{base + L".bmp", Bmp(120, 20)},
                              {base + L".txt", Text("a caption")},
                              {base + L".ini", Text("[Settings]\r\nTextBoxHeight=30\r\n")}});
    v.Start();
    HWND form = v.WaitMainWindow();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(Viewer::TextOf(form), base);
    EXPECT_EQ(Viewer::Client(form), (Rect{0, 0, 120, 20 + 30 + 39}));
    // Another process's control: its text is asked for, not read from the window.
    EXPECT_EQ(SendMessageW(Viewer::Child(form, L"RichEdit"), WM_GETTEXTLENGTH, 0, 0), 9);
    CloseWindow(v, form);
  }
  // Without its picture the message names it as the title would.
  Viewer v(base + L".exe", {});
  v.Start();
  HWND box = v.WaitDialog();
  ASSERT_NE(box, nullptr);
  Box b = ReadAndDismiss(box);
  EXPECT_EQ(b.text, L"Picture \"" + base + L"\"\r\n .jpg  .gif or .bmp not found");
  EXPECT_EQ(b.caption, base);
  EXPECT_EQ(v.WaitExit(), 0);
}

// --- the caption box's scroll bar

TEST(ViewerCaption, AScrollBarShowsOnlyWhenTheTextNeedsOne) {
  struct Case {
    const char* what;
    Files files;
    bool bar;
  };
  const std::string six = "one\r\ntwo\r\nthree\r\nfour\r\nfive\r\nsix";
  const Case cases[] = {
      {"no caption: an empty box 12 pixels high", {}, false},
      {"three lines in a box made for them", {{"Bar.txt", Text("one\r\ntwo\r\nthree")}}, false},
      {"six lines in a box of 30 pixels",
       {{"Bar.txt", Text(six)}, {"Bar.ini", Text("[Settings]\r\nTextBoxHeight=30\r\n")}},
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Files files = c.files;
    files["Bar.bmp"] = Bmp(200, 20);
    Viewer v("Bar.exe", files);
    v.Start();
    HWND form = v.WaitMainWindow();
    ASSERT_NE(form, nullptr);
    HWND edit = Viewer::Child(form, L"RichEdit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ((GetWindowLongW(edit, GWL_STYLE) & WS_VSCROLL) != 0, c.bar);
    // The text area is the box less its frame, and less the bar when it shows.
    RECT client;
    GetClientRect(edit, &client);
    EXPECT_EQ(client.right == 200 - 2 * GetSystemMetrics(SM_CXEDGE), !c.bar);
    // The library's bar lies exactly where the native one is (inside the
    // edit's client edge, along its right side), on top of the edit.
    if (c.bar) {
      RECT e;
      GetWindowRect(edit, &e);
      const int edge = GetSystemMetrics(SM_CXEDGE);
      const RECT native{e.right - edge - GetSystemMetrics(SM_CXVSCROLL), e.top + edge,
                        e.right - edge, e.bottom - edge};
      POINT middle{(native.left + native.right) / 2, (native.top + native.bottom) / 2};
      ScreenToClient(form, &middle);
      // The bar follows the native one from the edit's first paint on, which
      // the other process may not have reached yet.
      HWND over = nullptr;
      for (int i = 0;
           i < 100 && (over = ChildWindowFromPointEx(form, middle, CWP_SKIPINVISIBLE)) == edit; ++i)
        Sleep(20);
      ASSERT_NE(over, nullptr);
      EXPECT_NE(over, edit);
      RECT placed;
      GetWindowRect(over, &placed);
      EXPECT_TRUE(EqualRect(&placed, &native))
          << placed.left << "," << placed.top << "-" << placed.right << "," << placed.bottom;
    }
    CloseWindow(v, form);
  }
}

// --- keyboard

struct KeyPath {
  const char* what;
  std::function<void(HWND form, HWND button)> send;
};

class ViewerKeys : public ::testing::TestWithParam<KeyPath> {};

TEST_P(ViewerKeys, FocusStartsOnCloseAndTheKeyEndsTheProgram) {
  Viewer v("Keys.exe", {{"Keys.bmp", Bmp(160, 20)}, {"Keys.txt", Text("a caption")}});
  v.Start();
  HWND form = v.WaitMainWindow();
  ASSERT_NE(form, nullptr);
  HWND button = Viewer::CloseButton(form);
  HWND edit = Viewer::Child(form, L"RichEdit");
  ASSERT_NE(button, nullptr);
  HWND focus = nullptr;
  for (int i = 0; i < 100 && (focus = v.Focus()) != button; ++i) Sleep(20);
  EXPECT_EQ(focus, button);
  GetParam().send(form, button);
  if (std::string(GetParam().what) == "Tab") {
    for (int i = 0; i < 100 && (focus = v.Focus()) != edit; ++i) Sleep(20);
    EXPECT_EQ(focus, edit);
    CloseWindow(v, form);
    return;
  }
  EXPECT_EQ(v.WaitExit(), 0) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ViewerKeys,
    ::testing::Values(
        KeyPath{"Tab", [](HWND, HWND b) { PostMessageW(b, WM_KEYDOWN, VK_TAB, 1); }},
        KeyPath{"Enter", [](HWND, HWND b) { PostMessageW(b, WM_KEYDOWN, VK_RETURN, 1); }},
        KeyPath{"Space",
                [](HWND, HWND b) {
                  PostMessageW(b, WM_KEYDOWN, VK_SPACE, 1);
                  PostMessageW(b, WM_CHAR, L' ', 1);
                  PostMessageW(b, WM_KEYUP, VK_SPACE, 0xC0000001);
                }},
        KeyPath{"Alt+C", [](HWND, HWND b) { PostMessageW(b, WM_SYSCHAR, L'c', 1 << 29); }},
        KeyPath{"close box", [](HWND f, HWND) { PostMessageW(f, WM_SYSCOMMAND, SC_CLOSE, 0); }}),
    [](const ::testing::TestParamInfo<KeyPath>& info) {
      std::string n;
      for (char c : std::string(info.param.what))
        if (isalnum(static_cast<unsigned char>(c))) n += c;
      return n;
    });

}  // namespace
