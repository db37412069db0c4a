#include "theme/theme_manager.hpp"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/streams.hpp"

namespace kiv {
namespace {

// A theme with a button look for the object names it is given, and saving
// on request.
class TStubTheme : public TkivTheme {
 public:
  explicit TStubTheme(std::set<std::string> buttons = {}) : buttons_(std::move(buttons)) {}
  bool SupportsButton(uint8_t, const std::string& object) override {
    return buttons_.count(object) != 0;
  }
  TkivThemeConfig GetConfig() override {
    TkivThemeConfig config = TkivTheme::GetConfig();
    config.CanSave = can_save;
    return config;
  }
  bool SaveToStream(TStream& stream) override {
    stream.WriteBuffer("SAVED", 5);
    return true;
  }
  bool can_save = false;

 private:
  std::set<std::string> buttons_;
};

class TFixedLink : public TkivCustomThemeLink {
 public:
  explicit TFixedLink(TkivTheme* theme) : TkivCustomThemeLink(nullptr), theme_(theme) {}
  TkivTheme* GetTheme() override { return theme_; }

 private:
  TkivTheme* theme_;
};

// A notification receiver that records the codes it hears and can run an
// action while it is being notified.
class TRecorder : public TObject, public TkivThemeClient {
 public:
  void Dispatch(TMessage& message) override {
    if (message.Msg != KIV_THEME_MESSAGE) return;
    codes.push_back(message.WParam);
    if (on_message) on_message();
  }
  std::vector<uintptr_t> codes;
  std::function<void()> on_message;
};

// A component receiver, for the design-time write bracket.
class TRecordingComponent : public TComponent, public TkivThemeClient {
 public:
  TRecordingComponent() : TComponent(nullptr) {}
  void Dispatch(TMessage& message) override { codes.push_back(message.WParam); }
  std::vector<uintptr_t> codes;
};

// Every test leaves the process-wide manager without a current theme.
class ThemeManagerTest : public ::testing::Test {
 protected:
  void TearDown() override { SetCurrentTheme(nullptr); }
};

TEST_F(ThemeManagerTest, LookupFollowsLinkThenCurrentThemeWithDefault) {
  TStubTheme only_default({"default"});
  TFixedLink link(&only_default);
  TFixedLink empty_link(nullptr);

  // No theme at all: false, even for "default".
  for (const char* name : {"default", "Close"}) {
    EXPECT_FALSE(ThemeSupportsButton(0, name, nullptr)) << name;
    EXPECT_FALSE(ThemeSupportsButton(0, name, &empty_link)) << name;
  }
  EXPECT_EQ(ThemeOf(nullptr), nullptr);

  // Through the link the name must be known as it stands.
  EXPECT_FALSE(ThemeSupportsButton(0, "Close", &link));
  EXPECT_TRUE(ThemeSupportsButton(0, "default", &link));
  EXPECT_EQ(ThemeOf(&link), &only_default);

  // The same kind of theme current: "default" stands in for "Close"; a link
  // without a theme counts as no link; other families stay false.
  auto current = std::make_unique<TStubTheme>(std::set<std::string>{"default"});
  TkivTheme* current_ptr = current.get();
  SetCurrentTheme(std::move(current));
  EXPECT_TRUE(ThemeSupportsButton(0, "Close", nullptr));
  EXPECT_TRUE(ThemeSupportsButton(0, "Close", &empty_link));
  EXPECT_FALSE(ThemeSupportsButton(0, "Close", &link));
  EXPECT_FALSE(ThemeSupportsPanel(0, "default", nullptr));
  EXPECT_EQ(ThemeOf(&empty_link), current_ptr);
  EXPECT_EQ(ThemeOf(&link), &only_default);
  EXPECT_TRUE(IsCurrentTheme(current_ptr));
  EXPECT_FALSE(IsCurrentTheme(&only_default));
  EXPECT_FALSE(IsCurrentTheme(nullptr));
}

TEST_F(ThemeManagerTest, ClientsRegisterOnceAndHearThemeComingAndGoing) {
  TkivThemeManager manager;
  TRecorder early, late;
  manager.AddClient(&early);
  manager.AddClient(&early);
  EXPECT_EQ(manager.Clients().size(), 1u);
  EXPECT_TRUE(early.codes.empty());  // no theme yet: nothing to apply

  auto theme = std::make_unique<TStubTheme>();
  TkivTheme* first = theme.get();
  manager.SetCurrentTheme(std::move(theme));
  EXPECT_EQ(early.codes, (std::vector<uintptr_t>{kThemeCodeApplied}));

  // A theme is current: a new client hears code 3 at once, and only once.
  manager.AddClient(&late);
  manager.AddClient(&late);
  EXPECT_EQ(late.codes, (std::vector<uintptr_t>{kThemeCodeApplied}));

  // The same theme again changes nothing; another one: 4 for the old, 3 for the new.
  manager.SetCurrentTheme(std::unique_ptr<TkivTheme>(first));
  EXPECT_EQ(early.codes.size(), 1u);
  bool old_current_during_removal = false;
  early.on_message = [&] {
    if (early.codes.back() == kThemeCodeRemoved)
      old_current_during_removal = manager.IsCurrentTheme(first);
  };
  manager.SetCurrentTheme(std::make_unique<TStubTheme>());
  EXPECT_TRUE(old_current_during_removal);
  EXPECT_EQ(early.codes,
            (std::vector<uintptr_t>{kThemeCodeApplied, kThemeCodeRemoved, kThemeCodeApplied}));

  // Removing the theme: code 4 only; a removed client hears nothing more.
  const std::vector<uintptr_t> heard_before_leaving = late.codes;
  manager.RemoveClient(&late);
  manager.RemoveClient(&late);
  manager.SetCurrentTheme(nullptr);
  EXPECT_EQ(early.codes.back(), kThemeCodeRemoved);
  EXPECT_EQ(early.codes.size(), 4u);
  EXPECT_EQ(late.codes, heard_before_leaving);
  EXPECT_EQ(manager.CurrentTheme(), nullptr);
}

TEST_F(ThemeManagerTest, NotifyClientsSurvivesTheListChangingDuringTheVisit) {
  TkivThemeManager manager;
  TRecorder leaves_itself, removes_next, removed, adds, added, last;
  for (TRecorder* r : {&leaves_itself, &removes_next, &removed, &adds, &last}) manager.AddClient(r);
  leaves_itself.on_message = [&] { manager.RemoveClient(&leaves_itself); };
  removes_next.on_message = [&] { manager.RemoveClient(&removed); };
  adds.on_message = [&] { manager.AddClient(&added); };

  manager.NotifyClients(KIV_THEME_MESSAGE, kThemeCodeSystemChanged, 0);
  EXPECT_EQ(leaves_itself.codes.size(), 1u);
  EXPECT_EQ(removes_next.codes.size(), 1u);
  EXPECT_TRUE(removed.codes.empty());  // gone before its turn
  EXPECT_EQ(adds.codes.size(), 1u);
  EXPECT_TRUE(added.codes.empty());  // joined after the visit began
  EXPECT_EQ(last.codes, (std::vector<uintptr_t>{kThemeCodeSystemChanged}));

  // Everyone removes everyone: the visit ends without calling the departed.
  TkivThemeManager crowd;
  TRecorder a, b, c;
  for (TRecorder* r : {&a, &b, &c}) {
    crowd.AddClient(r);
    r->on_message = [&] {
      for (TRecorder* x : {&a, &b, &c}) crowd.RemoveClient(x);
    };
  }
  crowd.NotifyClients(KIV_THEME_MESSAGE, kThemeCodeApply, 0);
  EXPECT_EQ(a.codes.size() + b.codes.size() + c.codes.size(), 1u);
  EXPECT_TRUE(crowd.Clients().empty());
}

TEST_F(ThemeManagerTest, AppearanceMessagesBecomeCodeFive) {
  struct Case {
    uint32_t msg;
    bool notifies;
  };
  for (const Case& t : {Case{0x0015, true}, Case{0x007E, true}, Case{0x031A, true},
                        Case{0x0010, false}, Case{KIV_THEME_MESSAGE, false}}) {
    TkivThemeManager manager;
    TRecorder client;
    manager.AddClient(&client);
    EXPECT_EQ(manager.ThemeWindowProc(t.msg), t.notifies) << std::hex << t.msg;
    EXPECT_EQ(client.codes, t.notifies ? std::vector<uintptr_t>{kThemeCodeSystemChanged}
                                       : std::vector<uintptr_t>{})
        << std::hex << t.msg;
  }
}

// Theme classes that claim a stream starting with their tag byte; loading
// reads the tag and a second byte that must be '1'. One answers for its
// class, the other through an instance.
std::vector<std::string> g_created;

template <char Tag>
class TTagTheme : public TkivTheme {
 public:
  TTagTheme() { g_created.push_back(std::string(1, Tag)); }
  static bool ClassCanLoadFromStream(TStream& stream) {
    char c = 0;
    return stream.Read(&c, 1) == 1 && c == Tag;
  }
  bool LoadFromStream(TStream& stream) override {
    char bytes[2] = {};
    return stream.Read(bytes, 2) == 2 && bytes[1] == '1';
  }
};

class TInstanceTheme : public TkivTheme {
 public:
  bool CanLoadFromStream(TStream& stream) override {
    char c = 0;
    if (stream.Read(&c, 1) == 1 && c == '!') throw EReadError("Stream read error");
    return c == 'I';
  }
  bool LoadFromStream(TStream& stream) override {
    stream.Seek(2, soCurrent);
    return true;
  }
};

TEST_F(ThemeManagerTest, LoadThemeAsksClassesInOrderAndRestoresThePosition) {
  struct Case {
    const char* body;  // after a two-byte prefix the loader must not touch
    const char* want;  // class expected, "" for none
    int64_t position_after;
  };
  for (const Case& t : {Case{"A1", "A", 4}, Case{"B1", "B", 4}, Case{"I1", "I", 4},
                        Case{"A0", "", 4}, Case{"Z1", "", 2}}) {
    TkivThemeManager manager;
    manager.RegisterThemeClass(TkivThemeClass::Of<TkivTheme>());  // never claims
    manager.RegisterThemeClass(TkivThemeClass::Of<TTagTheme<'A'>>());
    manager.RegisterThemeClass(TkivThemeClass::Of<TInstanceTheme>());
    manager.RegisterThemeClass(TkivThemeClass::Of<TTagTheme<'B'>>());
    manager.RegisterThemeClass(TkivThemeClass::Of<TTagTheme<'A'>>());  // shadowed
    TMemoryStream stream;
    stream.WriteBuffer("..", 2);
    stream.WriteBuffer(t.body, 2);
    stream.SetPosition(2);
    g_created.clear();
    std::unique_ptr<TkivTheme> theme = manager.LoadTheme(stream);
    const std::string want = t.want;
    EXPECT_EQ(theme != nullptr, !want.empty()) << t.body;
    if (want == "I") {
      EXPECT_NE(dynamic_cast<TInstanceTheme*>(theme.get()), nullptr);
    }
    // Classes that answer for themselves are made only when chosen; a failed
    // load ("A0") does not try the shadowing class after it.
    if (want == "A" || want == "B") {
      EXPECT_EQ(g_created, std::vector<std::string>{want});
    }
    if (std::string(t.body) == "A0") {
      EXPECT_EQ(g_created, std::vector<std::string>{"A"});
    }
    EXPECT_EQ(stream.Position(), t.position_after) << t.body;
  }

  // A class's error passes to the caller.
  TkivThemeManager manager;
  manager.RegisterThemeClass(TkivThemeClass::Of<TInstanceTheme>());
  TMemoryStream stream;
  stream.WriteBuffer("!1", 2);
  stream.SetPosition(0);
  EXPECT_THROW(manager.LoadTheme(stream), EReadError);
}

TEST_F(ThemeManagerTest, ProcessWideManagerKnowsTheBuiltInThemeFirst) {
  ASSERT_FALSE(ThemeManager().ThemeClasses().empty());
  EXPECT_EQ(ThemeManager().ThemeClasses().front().Class, &TkivTheme::StaticClass());
  TMemoryStream stream;
  stream.WriteBuffer("xyz", 3);
  stream.SetPosition(1);
  EXPECT_EQ(LoadThemeFromStream(stream), nullptr);
  EXPECT_EQ(stream.Position(), 1);
}

TEST_F(ThemeManagerTest, SaveThemeWritesOnlyThemesThatCanSave) {
  TStubTheme theme;
  TMemoryStream stream;
  SaveThemeToStream(nullptr, stream);
  SaveThemeToStream(&theme, stream);
  EXPECT_EQ(stream.Size(), 0);
  theme.can_save = true;
  SaveThemeToStream(&theme, stream);
  EXPECT_EQ(stream.Size(), 5);
}

TEST_F(ThemeManagerTest, WriteBracketOnlyInDesignModeWithATheme) {
  TRecordingComponent component;
  SuspendThemeForWrite(&component);
  ResumeThemeAfterWrite(&component);
  component.SetDesigning(true);
  SuspendThemeForWrite(&component);
  EXPECT_TRUE(component.codes.empty());  // no theme current
  SetCurrentTheme(std::make_unique<TStubTheme>());
  component.SetDesigning(false);
  SuspendThemeForWrite(&component);
  EXPECT_TRUE(component.codes.empty());  // not in design mode
  component.SetDesigning(true);
  SuspendThemeForWrite(&component);
  ResumeThemeAfterWrite(&component);
  EXPECT_EQ(component.codes, (std::vector<uintptr_t>{kThemeCodeRemoved, kThemeCodeApplied}));
}

TEST(SavedFonts, SaveRestoreForget) {
  TFont font;
  font.SetName("Arial");
  font.SetHeight(-11);
  font.SetColor(clRed);

  TFont never_saved;
  never_saved.SetName("Courier New");
  RestoreControlFont(&never_saved);
  EXPECT_EQ(never_saved.Name(), "Courier New");

  SaveControlFont(&font);
  font.SetName("Tahoma");
  font.SetColor(clBlue);
  RestoreControlFont(&font);
  EXPECT_EQ(font.Name(), "Arial");
  EXPECT_EQ(font.Height(), -11);
  EXPECT_EQ(font.Color(), clRed);

  // A second save refreshes the copy; the pair stays after a restore.
  font.SetHeight(-20);
  SaveControlFont(&font);
  font.SetHeight(-30);
  RestoreControlFont(&font);
  EXPECT_EQ(font.Height(), -20);
  font.SetHeight(-30);
  RestoreControlFont(&font);
  EXPECT_EQ(font.Height(), -20);

  ForgetControlFont(&font);
  font.SetHeight(-40);
  RestoreControlFont(&font);
  EXPECT_EQ(font.Height(), -40);
  ForgetControlFont(&font);  // forgetting twice is harmless
}

}  // namespace
}  // namespace kiv
