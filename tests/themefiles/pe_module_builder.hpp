#pragma once
// Writes a small PE32+ module holding only resources, field by field from the
// file format (DOS header, "PE\0\0", file header, optional header with 16 data
// directories, one ".rsrc" section), so the resource reader is tested against
// bytes it did not make itself. Offsets of interest are recorded for tests
// that damage the module.
#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kivtest {

struct PeResourceSpec {
  std::u16string type;  // empty: the number type_id
  uint16_t type_id = 0;
  std::u16string name;  // empty: the number name_id
  uint16_t name_id = 0;
  uint16_t language = 0;
  std::vector<uint8_t> data;
};

struct PeModule {
  std::vector<uint8_t> bytes;
  uint32_t section_offset = 0;     // file offset of the resource section
  uint32_t first_type_entry = 0;   // file offset of the root's first entry
  uint32_t first_data_entry = 0;   // file offset of the first data entry
  uint32_t first_name_string = 0;  // file offset of the first name string (0: none)
};

class PeModuleBuilder {
 public:
  // Resources are grouped by type, then name, in the order first met; every
  // resource's (type, name) group gets its own directories.
  static PeModule Build(const std::vector<PeResourceSpec>& resources) {
    constexpr uint32_t kFileAlign = 0x200, kRva = 0x1000;
    // Group into type -> name -> languages.
    struct Name {
      const PeResourceSpec* first;
      std::vector<const PeResourceSpec*> langs;
    };
    struct Type {
      const PeResourceSpec* first;
      std::vector<Name> names;
    };
    std::vector<Type> types;
    for (const PeResourceSpec& r : resources) {
      Type* t = nullptr;
      for (Type& x : types)
        if (x.first->type == r.type && x.first->type_id == r.type_id) t = &x;
      if (t == nullptr) {
        types.push_back(Type{&r, {}});
        t = &types.back();
      }
      Name* n = nullptr;
      for (Name& x : t->names)
        if (x.first->name == r.name && x.first->name_id == r.name_id) n = &x;
      if (n == nullptr) {
        t->names.push_back(Name{&r, {}});
        n = &t->names.back();
      }
      n->langs.push_back(&r);
    }

    std::vector<uint8_t> sec;
    auto put16 = [&](uint32_t at, uint32_t v) {
      sec[at] = uint8_t(v), sec[at + 1] = uint8_t(v >> 8);
    };
    auto put32 = [&](uint32_t at, uint32_t v) {
      for (int i = 0; i < 4; ++i) sec[at + i] = uint8_t(v >> (8 * i));
    };
    auto reserve = [&](size_t n) {
      const uint32_t at = uint32_t(sec.size());
      sec.resize(sec.size() + n, 0);
      return at;
    };
    auto directory = [&](uint32_t named, uint32_t ids) {
      const uint32_t at = reserve(16 + 8 * (named + ids));
      put16(at + 12, named);
      put16(at + 14, ids);
      return at;
    };
    auto count_named = [](const auto& list, auto is_named) {
      uint32_t n = 0;
      for (const auto& x : list) n += is_named(x) ? 1 : 0;
      return n;
    };
    // Directories first (root, types, names), then strings, data entries, data.
    const uint32_t root =
        directory(count_named(types, [](const Type& t) { return !t.first->type.empty(); }),
                  count_named(types, [](const Type& t) { return t.first->type.empty(); }));
    std::vector<uint32_t> type_dirs, name_dirs;
    for (const Type& t : types) {
      type_dirs.push_back(
          directory(count_named(t.names, [](const Name& n) { return !n.first->name.empty(); }),
                    count_named(t.names, [](const Name& n) { return n.first->name.empty(); })));
    }
    for (const Type& t : types)
      for (const Name& n : t.names) name_dirs.push_back(directory(0, uint32_t(n.langs.size())));
    auto string_at = [&](const std::u16string& s) {
      const uint32_t at = reserve(2 + 2 * s.size());
      put16(at, uint32_t(s.size()));
      for (size_t i = 0; i < s.size(); ++i) put16(at + 2 + 2 * uint32_t(i), s[i]);
      return at;
    };
    PeModule m;
    uint32_t first_string = 0;
    auto key = [&](const std::u16string& s, uint16_t id) -> uint32_t {
      if (s.empty()) return id;
      const uint32_t at = string_at(s);
      if (first_string == 0) first_string = at;
      return 0x80000000u | at;
    };
    // Entries: named ones first in each directory, as the format orders them.
    size_t name_index = 0;
    std::vector<std::pair<uint32_t, const PeResourceSpec*>> data_entries;
    {
      uint32_t slot = 0;
      for (int pass = 0; pass < 2; ++pass) {
        for (size_t ti = 0; ti < types.size(); ++ti) {
          if (types[ti].first->type.empty() != (pass == 1)) continue;
          put32(root + 16 + 8 * slot, key(types[ti].first->type, types[ti].first->type_id));
          put32(root + 16 + 8 * slot + 4, 0x80000000u | type_dirs[ti]);
          ++slot;
        }
      }
    }
    // Each type's names: sub-directory slots follow the grouping order.
    for (size_t ti = 0; ti < types.size(); ++ti) {
      uint32_t slot = 0;
      for (int pass = 0; pass < 2; ++pass) {
        size_t index = name_index;
        for (const Name& n : types[ti].names) {
          const uint32_t dir = name_dirs[index++];
          if (n.first->name.empty() != (pass == 1)) continue;
          put32(type_dirs[ti] + 16 + 8 * slot, key(n.first->name, n.first->name_id));
          put32(type_dirs[ti] + 16 + 8 * slot + 4, 0x80000000u | dir);
          ++slot;
        }
      }
      for (const Name& n : types[ti].names) {
        const uint32_t dir = name_dirs[name_index++];
        for (size_t li = 0; li < n.langs.size(); ++li) {
          put32(dir + 16 + 8 * uint32_t(li), n.langs[li]->language);
          data_entries.emplace_back(dir + 16 + 8 * uint32_t(li), n.langs[li]);
        }
      }
    }
    while (sec.size() % 4 != 0) sec.push_back(0);
    std::vector<uint32_t> entry_at;
    for (auto& [slot, r] : data_entries) {
      const uint32_t at = reserve(16);
      put32(slot + 4, at);
      entry_at.push_back(at);
    }
    for (size_t i = 0; i < data_entries.size(); ++i) {
      const PeResourceSpec* r = data_entries[i].second;
      const uint32_t at = reserve(r->data.size());
      std::copy(r->data.begin(), r->data.end(), sec.begin() + at);
      while (sec.size() % 4 != 0) sec.push_back(0);
      put32(entry_at[i], kRva + at);
      put32(entry_at[i] + 4, uint32_t(r->data.size()));
    }
    const uint32_t raw_size = (uint32_t(sec.size()) + kFileAlign - 1) / kFileAlign * kFileAlign;
    const uint32_t dir_size = data_entries.empty() ? uint32_t(sec.size()) : entry_at.front() + 16;

    // Headers.
    std::vector<uint8_t>& b = m.bytes;
    b.assign(kFileAlign, 0);
    auto w16 = [&](uint32_t at, uint32_t v) { b[at] = uint8_t(v), b[at + 1] = uint8_t(v >> 8); };
    auto w32 = [&](uint32_t at, uint32_t v) {
      for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
    };
    b[0] = 'M', b[1] = 'Z';
    w32(0x3C, 0x40);
    b[0x40] = 'P', b[0x41] = 'E';
    const uint32_t file_header = 0x44, optional = 0x58;
    w16(file_header, 0x8664);    // machine
    w16(file_header + 2, 1);     // sections
    w16(file_header + 16, 240);  // optional header size
    w16(file_header + 18, 0x2022);
    w16(optional, 0x20B);        // PE32+
    w32(optional + 32, 0x1000);  // section alignment
    w32(optional + 36, kFileAlign);
    w32(optional + 56, kRva + raw_size);  // image size
    w32(optional + 60, kFileAlign);       // headers size
    w32(optional + 108, 16);              // data directories
    w32(optional + 112 + 16, kRva);       // resource table
    w32(optional + 112 + 20, dir_size);
    const uint32_t table = optional + 240;
    const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
    for (int i = 0; i < 8; ++i) b[table + i] = uint8_t(name[i]);
    w32(table + 8, uint32_t(sec.size()));  // virtual size
    w32(table + 12, kRva);
    w32(table + 16, raw_size);
    w32(table + 20, kFileAlign);
    w32(table + 36, 0x40000040u);  // initialised data, readable
    m.section_offset = kFileAlign;
    m.first_type_entry = kFileAlign + root + 16;
    m.first_data_entry = entry_at.empty() ? 0 : kFileAlign + entry_at.front();
    m.first_name_string = first_string == 0 ? 0 : kFileAlign + first_string;
    sec.resize(raw_size, 0);
    b.insert(b.end(), sec.begin(), sec.end());
    return m;
  }
};

}  // namespace kivtest
