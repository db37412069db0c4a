#include "themefiles/pe_resources.hpp"

#include <gtest/gtest.h>

#include <random>

#include "framework/exceptions.hpp"
#include "msstyles_support.hpp"
#include "pe_module_builder.hpp"

namespace {

using kiv::EReadError;
using kiv::TPeResourceId;
using kiv::TPeResources;
using kivtest::PeModuleBuilder;
using kivtest::PeResourceSpec;

std::vector<uint8_t> Bytes(std::string_view s) {
  return std::vector<uint8_t>(s.begin(), s.end());
}

// Two named types, a numbered one, a named and numbered resource names, and
// one name in two languages.
kivtest::PeModule SampleModule() {
  return PeModuleBuilder::Build({
      {u"COLORNAMES", 0, u"", 1, 0, Bytes("colours")},
      {u"TEXTFILE", 0, u"BLUE_INI", 0, 0, Bytes("ini text")},
      {u"TEXTFILE", 0, u"THEMES_INI", 0, 0, Bytes("other")},
      {u"", 2, u"BLUE_BUTTON_BMP", 0, 0x409, Bytes("english")},
      {u"", 2, u"BLUE_BUTTON_BMP", 0, 0, Bytes("neutral")},
      {u"", 6, u"", 63, 0x407, Bytes("strings")},
  });
}

std::string Text(std::span<const uint8_t> data) {
  return std::string(data.begin(), data.end());
}

TEST(PeResources, ReadsTypesNamesLanguagesAndData) {
  const TPeResources module(SampleModule().bytes);
  ASSERT_EQ(module.Resources().size(), 6u);
  struct Case {
    const char* type;
    const char* name;
    const char* want;
  };
  for (const Case& c :
       {Case{"COLORNAMES", "#1", "colours"}, Case{"textfile", "blue_ini", "ini text"},
        Case{"TEXTFILE", "THEMES_INI", "other"},
        Case{"#2", "Blue_Button_Bmp", "neutral"},  // language 0 preferred
        Case{"#6", "#63", "strings"}})
    EXPECT_EQ(
        Text(module.FindData(TPeResourceId::FromString(c.type), TPeResourceId::FromString(c.name))),
        c.want)
        << c.type << "/" << c.name;
  EXPECT_TRUE(
      module.FindData(TPeResourceId::FromString("TEXTFILE"), TPeResourceId::FromString("#1"))
          .empty());
  EXPECT_EQ(module.Find(TPeResourceId::FromString("BITMAP"), TPeResourceId::FromString("#1")),
            nullptr);

  std::vector<std::string> types;
  for (const TPeResourceId& t : module.Types()) types.push_back(t.ToString());
  EXPECT_EQ(types, (std::vector<std::string>{"COLORNAMES", "TEXTFILE", "#2", "#6"}));
  EXPECT_EQ(module.Names(TPeResourceId::FromString("TEXTFILE")).size(), 2u);
  EXPECT_EQ(module.Resources()[3].Language, 0x409);
}

TEST(PeResources, ModuleWithoutResourcesHasNone) {
  kivtest::PeModule m = PeModuleBuilder::Build({});
  m.bytes[0x58 + 112 + 16] = 0;  // resource table RVA 0
  m.bytes[0x58 + 112 + 17] = 0;
  EXPECT_TRUE(TPeResources(m.bytes).Resources().empty());
}

TEST(PeResources, EveryTruncationFailsCleanly) {
  const std::vector<uint8_t> whole = SampleModule().bytes;
  int refused = 0;
  for (size_t n = 0; n < whole.size(); n += (n < 0x400 ? 1 : 7)) {
    const std::vector<uint8_t> cut(whole.begin(), whole.begin() + n);
    try {
      // A cut in the section's padding keeps every resource whole.
      const TPeResources module(cut);
      for (const kiv::TPeResource& r : module.Resources())
        EXPECT_LE(r.Offset + r.Size, cut.size()) << "cut at " << n;
    } catch (const EReadError&) {
      ++refused;
    }
  }
  EXPECT_GT(refused, 0x200);
  EXPECT_THROW(TPeResources(std::vector<uint8_t>(whole.begin(), whole.begin() + 0x250)),
               EReadError);
}

TEST(PeResources, HostileOffsetsAndLoopsAreRefused) {
  const kivtest::PeModule m = SampleModule();
  auto put32 = [](std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
  };
  struct Case {
    const char* what;
    size_t at;
    uint32_t value;
    const char* message;
  };
  const Case cases[] = {
      {"PE header offset past the end", 0x3C, 0x7FFFFFF0u, "no PE header"},
      {"section count past the end", 0x46, 0xFFFF, "section table cut short"},
      {"data RVA past the end", m.first_data_entry, 0x7FFFFF00u, "outside the file"},
      {"data size past the end", m.first_data_entry + 4, 0xFFFFFFF0u, "outside the file"},
      {"name string past the end", m.first_type_entry, 0xFFFFFFF0u, "outside the resource section"},
      {"sub-directory past the end", m.first_type_entry + 4, 0xFFFFFFF0u,
       "outside the resource section"},
      {"type pointing back to the root", m.first_type_entry + 4, 0x80000000u, "loops"},
      {"type entry that is data", m.first_type_entry + 4, 0x00000010u, "three levels"},
      {"entry count beyond the section", m.section_offset + 14, 0xFFFF, "too many"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> b = m.bytes;
    if (std::string(c.what) == "section count past the end") {
      b[c.at] = uint8_t(c.value), b[c.at + 1] = uint8_t(c.value >> 8);
    } else {
      put32(b, c.at, c.value);
    }
    try {
      TPeResources module(b);
      ADD_FAILURE() << c.what << ": accepted";
    } catch (const EReadError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
          << c.what << ": " << e.what();
    }
  }
  // Two types sharing one directory of names: the second visit is refused,
  // so a shared tree cannot multiply the work.
  std::vector<uint8_t> shared = m.bytes;
  std::copy(shared.begin() + m.first_type_entry + 4, shared.begin() + m.first_type_entry + 8,
            shared.begin() + m.first_type_entry + 12);
  EXPECT_THROW(TPeResources{shared}, EReadError);
}

TEST(PeResources, EmptyResourceInASectionPastTheEndStaysInside) {
  // A second section whose raw data lies past the end of the file, and an
  // empty resource in it: found by the fuzzer, its offset was past the bytes.
  kivtest::PeModule m = PeModuleBuilder::Build({{u"EMPTY", 0, u"", 1, 0, {}}});
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) m.bytes[at + i] = uint8_t(v >> (8 * i));
  };
  m.bytes[0x46] = 2;  // two sections
  const size_t second = 0x58 + 240 + 40;
  put32(second + 8, 0x10), put32(second + 12, 0x9000), put32(second + 16, 0x10);
  put32(second + 20, 0x7FFFFFF0);
  put32(m.first_data_entry, 0x9000);
  const TPeResources module(m.bytes);
  ASSERT_EQ(module.Resources().size(), 1u);
  EXPECT_LE(module.Resources()[0].Offset, m.bytes.size());
  EXPECT_TRUE(module.Data(module.Resources()[0]).empty());
}

TEST(PeResources, RandomDamageNeverReadsOutsideTheBytes) {
  const std::vector<uint8_t> whole = SampleModule().bytes;
  std::mt19937 random(20);
  for (int round = 0; round < 3000; ++round) {
    std::vector<uint8_t> b = whole;
    for (int k = 0; k < 4; ++k) b[random() % 0x400] = uint8_t(random());
    try {
      TPeResources module(b);
      for (const kiv::TPeResource& r : module.Resources()) ASSERT_LE(r.Offset + r.Size, b.size());
    } catch (const EReadError&) {
    }
  }
}

TEST(PeResources, WineLightStyle) {
  KIV_REQUIRE_LIGHT_MSSTYLES(path);
  const TPeResources module = TPeResources::FromFile(path);
  EXPECT_EQ(module.Names(TPeResourceId::FromNumber(kiv::kPeResourceBitmap)).size(), 482u);
  const kiv::TPeResource* ini =
      module.Find(TPeResourceId::FromString("TEXTFILE"), TPeResourceId::FromString("BLUE_INI"));
  ASSERT_NE(ini, nullptr);
  EXPECT_GT(ini->Size, 140000u);
  EXPECT_EQ(ini->Size % 2, 0u);
  for (const char* type : {"COLORNAMES", "SIZENAMES", "FILERESNAMES"})
    EXPECT_FALSE(
        module.FindData(TPeResourceId::FromString(type), TPeResourceId::FromNumber(1)).empty())
        << type;
}

}  // namespace
