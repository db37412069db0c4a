// A plain main for a fuzz target's entry point: runs every file of the given
// folders (or the given files) through LLVMFuzzerTestOneInput once, in name
// order, and creates no new inputs. A crash is the sanitizers' report and a
// failed run; an empty or missing corpus fails too, so the replay cannot pass
// by running nothing.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<std::filesystem::path> Inputs(const std::filesystem::path& path) {
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    for (const auto& entry : std::filesystem::directory_iterator(path, ec))
      if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
  } else if (std::filesystem::is_regular_file(path, ec)) {
    files.push_back(path);
  }
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  size_t runs = 0;
  for (int i = 1; i < argc; ++i) {
    for (const auto& file : Inputs(argv[i])) {
      std::ifstream in(file, std::ios::binary);
      std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                 std::istreambuf_iterator<char>());
      if (!in.eof() && in.fail()) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return 1;
      }
      // An empty vector's data() may be null; the fuzzer never passes null.
      static const uint8_t kNothing = 0;
      LLVMFuzzerTestOneInput(bytes.empty() ? &kNothing : bytes.data(), bytes.size());
      ++runs;
    }
  }
  std::printf("replayed %zu input(s)\n", runs);
  if (runs == 0) {
    std::fprintf(stderr, "no inputs found\n");
    return 1;
  }
  return 0;
}
