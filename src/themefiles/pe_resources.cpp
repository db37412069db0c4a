// The PE module's resource directory, read from the file's bytes.
//
// Layout: a DOS header whose field at 0x3C points at "PE\0\0", the COFF file
// header (section count at +6, optional-header size at +20), the optional
// header (magic 0x10B for PE32, 0x20B for PE32+; the resource table is data
// directory 2), then the section table (40 bytes a section). The resource
// directory is a tree of three levels (type, name, language); each directory
// is a 16-byte header with the counts of named and numbered entries, then
// 8-byte entries (key, offset; the high bit of the key marks a name, of the
// offset a sub-directory). Names and sub-directories are addressed from the
// start of the resource directory; the 16-byte data entries hold the data's
// relative virtual address and size.
#include "themefiles/pe_resources.hpp"

#include <algorithm>
#include <set>

#include "framework/exceptions.hpp"
#include "framework/file_bytes.hpp"
#include "framework/text_convert.hpp"

namespace kiv {

namespace {

[[noreturn]] void Bad(const std::string& what) {
  throw EReadError("Invalid resource module: " + what);
}

struct TSectionSpan {
  uint64_t virtual_address = 0;
  uint64_t raw_offset = 0;
  uint64_t raw_size = 0;  // cut to what the file holds
};

class TDirectoryReader {
 public:
  explicit TDirectoryReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  void Read(std::vector<TPeResource>& out) {
    ReadHeaders();
    if (resource_rva_ == 0 || resource_size_ == 0) return;
    // The tree may use the whole section that holds its root.
    const TSectionSpan* home = SectionOf(resource_rva_, 16);
    if (home == nullptr) Bad("the resource directory lies outside the file");
    base_ = home->raw_offset + (resource_rva_ - home->virtual_address);
    limit_ = home->raw_offset + home->raw_size - base_;
    // Each entry needs 8 bytes of its own in a sound directory, so a tree
    // with more entries than that reuses bytes: shared or looping directories.
    entry_budget_ = limit_ / 8;
    TPeResource path;
    ReadDirectory(0, 0, path, out);
  }

 private:
  uint16_t U16(uint64_t at) const {
    return static_cast<uint16_t>(bytes_[at] | bytes_[at + 1] << 8);
  }
  uint32_t U32(uint64_t at) const {
    return bytes_[at] | bytes_[at + 1] << 8 | bytes_[at + 2] << 16 | uint32_t{bytes_[at + 3]} << 24;
  }
  bool FitsFile(uint64_t at, uint64_t count) const {
    return at <= bytes_.size() && count <= bytes_.size() - at;
  }
  // A range of the resource directory's own area, as a file offset.
  uint64_t InDirectory(uint64_t offset, uint64_t count, const char* what) const {
    if (offset > limit_ || count > limit_ - offset)
      Bad(std::string(what) + " lies outside the resource section");
    return base_ + offset;
  }

  void ReadHeaders() {
    if (bytes_.size() < 64 || bytes_[0] != 'M' || bytes_[1] != 'Z') Bad("no DOS header");
    const uint64_t pe = U32(0x3C);
    if (!FitsFile(pe, 24) || U32(pe) != 0x00004550u) Bad("no PE header");
    const uint32_t section_count = U16(pe + 6);
    const uint32_t optional_size = U16(pe + 20);
    const uint64_t optional = pe + 24;
    if (!FitsFile(optional, optional_size) || optional_size < 2) Bad("optional header cut short");
    const uint16_t magic = U16(optional);
    uint64_t count_at = 0, directories_at = 0;
    if (magic == 0x10B) {
      count_at = 92, directories_at = 96;
    } else if (magic == 0x20B) {
      count_at = 108, directories_at = 112;
    } else {
      Bad("unknown optional header");
    }
    if (optional_size >= directories_at && U32(optional + count_at) > 2 &&
        optional_size >= directories_at + 3 * 8) {
      resource_rva_ = U32(optional + directories_at + 16);
      resource_size_ = U32(optional + directories_at + 20);
    }
    const uint64_t table = optional + optional_size;
    if (!FitsFile(table, uint64_t{section_count} * 40)) Bad("section table cut short");
    for (uint32_t i = 0; i < section_count; ++i) {
      const uint64_t at = table + uint64_t{i} * 40;
      TSectionSpan s;
      s.virtual_address = U32(at + 12);
      s.raw_size = U32(at + 16);
      s.raw_offset = U32(at + 20);
      // Raw data that starts or runs past the end of the file is cut to it.
      s.raw_offset = std::min<uint64_t>(s.raw_offset, bytes_.size());
      s.raw_size = std::min<uint64_t>(s.raw_size, bytes_.size() - s.raw_offset);
      sections_.push_back(s);
    }
  }

  const TSectionSpan* SectionOf(uint64_t rva, uint64_t count) const {
    for (const TSectionSpan& s : sections_) {
      if (rva < s.virtual_address) continue;
      const uint64_t into = rva - s.virtual_address;
      if (into <= s.raw_size && count <= s.raw_size - into) return &s;
    }
    return nullptr;
  }

  TPeResourceId ReadKey(uint32_t key) const {
    if ((key & 0x80000000u) == 0) return TPeResourceId::FromNumber(static_cast<uint16_t>(key));
    const uint64_t at = InDirectory(key & 0x7FFFFFFFu, 2, "a resource name");
    const uint16_t length = U16(at);
    const uint64_t chars =
        InDirectory((key & 0x7FFFFFFFu) + 2, uint64_t{length} * 2, "a resource name");
    TPeResourceId id;
    id.IsName = true;
    id.Name.resize(length);
    for (uint16_t i = 0; i < length; ++i) id.Name[i] = static_cast<char16_t>(U16(chars + 2u * i));
    return id;
  }

  void ReadDirectory(uint32_t offset, int level, TPeResource& path, std::vector<TPeResource>& out) {
    if (!visited_.insert(offset).second) Bad("the resource directory loops");
    const uint64_t at = InDirectory(offset, 16, "a resource directory");
    const uint64_t count = uint64_t{U16(at + 12)} + U16(at + 14);
    if (count > entry_budget_) Bad("too many resource directory entries");
    entry_budget_ -= count;
    const uint64_t entries = InDirectory(uint64_t{offset} + 16, count * 8, "a resource directory");
    for (uint64_t i = 0; i < count; ++i) {
      const uint32_t key = U32(entries + i * 8);
      const uint32_t target = U32(entries + i * 8 + 4);
      const bool is_directory = (target & 0x80000000u) != 0;
      if (is_directory != (level < 2))
        Bad("resource directory deeper or shallower than three levels");
      if (level == 0) {
        path.Type = ReadKey(key);
      } else if (level == 1) {
        path.Name = ReadKey(key);
      } else {
        if ((key & 0x80000000u) != 0) Bad("a resource language that is a name");
        path.Language = static_cast<uint16_t>(key);
      }
      if (is_directory) {
        ReadDirectory(target & 0x7FFFFFFFu, level + 1, path, out);
        continue;
      }
      const uint64_t entry = InDirectory(target, 16, "a resource data entry");
      const uint32_t rva = U32(entry);
      path.Size = U32(entry + 4);
      path.CodePage = U32(entry + 8);
      const TSectionSpan* s = SectionOf(rva, path.Size);
      if (s == nullptr) Bad("resource data lies outside the file");
      path.Offset = s->raw_offset + (rva - s->virtual_address);
      out.push_back(path);
    }
  }

  std::span<const uint8_t> bytes_;
  std::vector<TSectionSpan> sections_;
  uint64_t resource_rva_ = 0;
  uint64_t resource_size_ = 0;
  uint64_t base_ = 0;   // file offset of the resource directory
  uint64_t limit_ = 0;  // bytes from base_ to the end of its section
  uint64_t entry_budget_ = 0;
  std::set<uint32_t> visited_;
};

bool SameNameIgnoringCase(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const char16_t x = a[i] >= u'a' && a[i] <= u'z' ? a[i] - 32 : a[i];
    const char16_t y = b[i] >= u'a' && b[i] <= u'z' ? b[i] - 32 : b[i];
    if (x != y) return false;
  }
  return true;
}

}  // namespace

TPeResourceId TPeResourceId::FromString(std::string_view text) {
  int64_t number = 0;
  if (text.size() > 1 && text[0] == '#' && TryStrToInt64(text.substr(1), number) && number >= 0 &&
      number <= 0xFFFF)
    return FromNumber(static_cast<uint16_t>(number));
  return TPeResourceId{true, 0, WidenLatin1(text)};
}

std::string TPeResourceId::ToString() const {
  return IsName ? NarrowLatin1(Name) : "#" + std::to_string(Id);
}

bool TPeResourceId::Matches(const TPeResourceId& other) const {
  if (IsName != other.IsName) return false;
  return IsName ? SameNameIgnoringCase(Name, other.Name) : Id == other.Id;
}

TPeResources::TPeResources(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {
  TDirectoryReader(bytes_).Read(resources_);
}

TPeResources TPeResources::FromFile(const std::string& file_name) {
  return TPeResources(ReadFileBytes(file_name));
}

const TPeResource* TPeResources::Find(const TPeResourceId& type, const TPeResourceId& name) const {
  const TPeResource* first = nullptr;
  const TPeResource* english = nullptr;
  for (const TPeResource& r : resources_) {
    if (!r.Type.Matches(type) || !r.Name.Matches(name)) continue;
    if (r.Language == 0) return &r;
    if (r.Language == 0x409 && english == nullptr) english = &r;
    if (first == nullptr) first = &r;
  }
  return english != nullptr ? english : first;
}

std::span<const uint8_t> TPeResources::Data(const TPeResource& resource) const {
  return std::span<const uint8_t>(bytes_).subspan(resource.Offset, resource.Size);
}

std::span<const uint8_t> TPeResources::FindData(const TPeResourceId& type,
                                                const TPeResourceId& name) const {
  const TPeResource* r = Find(type, name);
  return r != nullptr ? Data(*r) : std::span<const uint8_t>();
}

std::vector<TPeResourceId> TPeResources::Types() const {
  std::vector<TPeResourceId> out;
  for (const TPeResource& r : resources_)
    if (std::none_of(out.begin(), out.end(),
                     [&](const TPeResourceId& t) { return t.Matches(r.Type); }))
      out.push_back(r.Type);
  return out;
}

std::vector<TPeResourceId> TPeResources::Names(const TPeResourceId& type) const {
  std::vector<TPeResourceId> out;
  for (const TPeResource& r : resources_)
    if (r.Type.Matches(type) && std::none_of(out.begin(), out.end(), [&](const TPeResourceId& n) {
          return n.Matches(r.Name);
        }))
      out.push_back(r.Name);
  return out;
}

}  // namespace kiv
