#pragma once
// Helpers shared by every test program.
#include <string>

namespace kivtest {

// Path of a file in the shared collection of real-world test files, e.g.
// TestData("bmpsuite/g/pal8.bmp"). The folder can be moved with KIV_TESTDATA.
std::string TestData(const std::string& relative);

// True when this test process runs with visual styles switched off (the
// classic look); always false in the native build.
bool ClassicLook();

// True when this test process runs with the project's test visual style
// active ("--kiv-test-style", see tests/styles): a part that style has must
// be drawn, so a test that would skip without it fails instead.
bool TestStyleRun();

// Path of a file kept with the tests' sources, e.g.
// TestSource("effects/golden/fade.txt"); independent of how the compiler
// spells source paths (a compiler cache may make __FILE__ relative).
std::string TestSource(const std::string& relative);

// Reads a whole file; throws std::runtime_error when it cannot.
std::string ReadFile(const std::string& path);

// A path in the system's temporary folder for a file a test writes.
std::string TempPath(const std::string& name);

// Writes text to TempPath(name) and returns that path.
std::string WriteTempFile(const std::string& name, const std::string& content);

}  // namespace kivtest
