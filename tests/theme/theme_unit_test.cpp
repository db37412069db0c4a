// The theme unit's shutdown order: the background-painter registry's hook
// while the manager still stands, the manager (and with it the current theme)
// while the saved fonts still exist, then the fonts; then a fresh start.
#include "theme/theme_unit.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "theme/theme_manager.hpp"

namespace kiv {
namespace {

std::vector<std::string> g_log;
TFont* g_saved = nullptr;

// Restores the saved font as it goes: that works only while the registry of
// saved fonts still holds its copy.
class TLeavingTheme : public TkivTheme {
 public:
  ~TLeavingTheme() override {
    g_log.push_back("theme");
    RestoreControlFont(g_saved);
  }
};

void ReleasePainters() {
  g_log.push_back(CurrentTheme() != nullptr ? "painters, theme still current" : "painters");
}

TEST(ThemeUnit, ShutdownRunsHookThenManagerThenFontsAndStartsAfresh) {
  g_log.clear();
  TFont font;
  font.SetName("Arial");
  g_saved = &font;
  SaveControlFont(&font);
  font.SetName("Courier New");
  SetCurrentTheme(std::make_unique<TLeavingTheme>());
  SetBackgroundPainterRegistryRelease(ReleasePainters);

  ShutdownThemeUnit();
  EXPECT_EQ(g_log, (std::vector<std::string>{"painters, theme still current", "theme"}));
  EXPECT_EQ(font.Name(), "Arial");  // restored by the theme: fonts went after it
  EXPECT_EQ(CurrentTheme(), nullptr);
  font.SetName("Courier New");
  RestoreControlFont(&font);  // the copy is gone
  EXPECT_EQ(font.Name(), "Courier New");

  // A second shutdown has nothing left to do; the hook ran once.
  ShutdownThemeUnit();
  EXPECT_EQ(g_log.size(), 2u);

  // First use starts the unit again, with the built-in class registered.
  ASSERT_EQ(ThemeManager().ThemeClasses().size(), 1u);
  EXPECT_EQ(ThemeManager().ThemeClasses()[0].Class, &TkivTheme::StaticClass());
  g_saved = nullptr;
}

}  // namespace
}  // namespace kiv
