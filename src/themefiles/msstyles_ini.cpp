#include "themefiles/msstyles_ini.hpp"

#include "framework/text_convert.hpp"

namespace kiv {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

void TmsuxIni::SetText(std::string_view text) {
  sections_.clear();
  TSection* current = nullptr;
  while (!text.empty()) {
    const size_t end = text.find_first_of("\r\n");
    std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const size_t close = line.find(']');
      const std::string_view name =
          Trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
      current = const_cast<TSection*>(Find(name));
      if (current == nullptr) {
        sections_.push_back(TSection{std::string(name), {}});
        current = &sections_.back();
      }
      continue;
    }
    if (current == nullptr) continue;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      current->lines.emplace_back(std::string(line), std::string());
    } else {
      current->lines.emplace_back(std::string(Trim(line.substr(0, eq))),
                                  std::string(Trim(line.substr(eq + 1))));
    }
  }
}

const TmsuxIni::TSection* TmsuxIni::Find(std::string_view name) const {
  for (const TSection& s : sections_)
    if (SameText(s.name, name)) return &s;
  return nullptr;
}

const TmsuxIni::TLines& TmsuxIni::Section(std::string_view name) const {
  static const TLines kNone;
  const TSection* s = Find(name);
  return s != nullptr ? s->lines : kNone;
}

bool TmsuxIni::SectionExists(std::string_view name) const {
  return Find(name) != nullptr;
}

std::string TmsuxIni::ReadString(std::string_view section, std::string_view key,
                                 std::string_view fallback) const {
  for (const auto& [k, v] : Section(section))
    if (SameText(k, key)) return v;
  return std::string(fallback);
}

std::vector<std::string> TmsuxIni::SectionNames() const {
  std::vector<std::string> names;
  for (const TSection& s : sections_) names.push_back(s.name);
  return names;
}

}  // namespace kiv
