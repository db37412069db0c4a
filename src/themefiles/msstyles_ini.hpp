#pragma once
// The INI text of a visual style held in memory: sections of key=value lines
// in file order. Section names and keys are compared ignoring ASCII case;
// keys and values are trimmed. A section named twice is one section, its
// lines in the order they were met; lines before the first section, empty
// lines and comments (";" first) belong to no section.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kiv {

class TmsuxIni {
 public:
  using TLines = std::vector<std::pair<std::string, std::string>>;

  TmsuxIni() = default;
  explicit TmsuxIni(std::string_view text) { SetText(text); }
  void SetText(std::string_view text);
  void Clear() { sections_.clear(); }

  // The lines of a section in file order; empty when it does not exist.
  const TLines& Section(std::string_view name) const;
  bool SectionExists(std::string_view name) const;
  // The value of the first line of the section with that key, or fallback.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  // Section names in file order.
  std::vector<std::string> SectionNames() const;

 private:
  struct TSection {
    std::string name;
    TLines lines;
  };
  const TSection* Find(std::string_view name) const;
  std::vector<TSection> sections_;
};

}  // namespace kiv
