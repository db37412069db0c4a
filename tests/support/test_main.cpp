// The main function of every test program. "--kiv-classic" switches visual
// styles off for this process before any test runs, so a test program covers
// the classic look when started with it. "--kiv-test-style" says the
// project's test visual style is the active one (kivtest::TestStyleRun).
#include <gtest/gtest.h>

#include <cstring>

#ifdef _WIN32
#include <windows.h>
// after windows.h, which it needs
#include <uxtheme.h>
#endif

namespace kivtest {
extern bool g_classic_look;
extern bool g_test_style;
}  // namespace kivtest

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--kiv-classic") == 0) kivtest::g_classic_look = true;
    if (std::strcmp(argv[i], "--kiv-test-style") == 0) kivtest::g_test_style = true;
  }
#ifdef _WIN32
  // No error dialogs from the system while tests run unattended.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  if (kivtest::g_classic_look) SetThemeAppProperties(0);
#endif
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
