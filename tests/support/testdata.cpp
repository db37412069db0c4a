#include "testdata.hpp"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kivtest {

bool g_classic_look = false;
bool g_test_style = false;

std::string TestData(const std::string& relative) {
  const char* env = std::getenv("KIV_TESTDATA");
  std::string dir = env && *env ? env : KIV_TESTDATA_DIR;
  return dir + "/" + relative;
}

std::string TestSource(const std::string& relative) {
  return std::string(KIV_TESTS_SOURCE_DIR) + "/" + relative;
}

bool ClassicLook() {
  return g_classic_look;
}

bool TestStyleRun() {
  return g_test_style;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

std::string WriteTempFile(const std::string& name, const std::string& content) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
  std::ofstream out(path, std::ios::binary);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
  return path.string();
}

}  // namespace kivtest
