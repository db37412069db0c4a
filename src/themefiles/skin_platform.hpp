#pragma once
// The folder of the running program, with a trailing separator: where skin
// files named without a folder are looked for when they are not found in the
// working directory. Platform seam (GetModuleFileNameW on Windows,
// /proc/self/exe natively).
#include <string>

namespace kiv {

std::string ProgramFolder();

}  // namespace kiv
