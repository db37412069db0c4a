// The portable module reader against the platform's own resource loader on
// Wine's light.msstyles: every resource gives the same bytes both ways, and
// every bitmap the same pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "framework/text_convert.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "msstyles_support.hpp"
#include "themefiles/msstyles_module.hpp"
#include "themefiles/pe_resources.hpp"

namespace {

struct DataModule {
  HMODULE handle;
  explicit DataModule(const std::string& path)
      : handle(LoadLibraryExW(kiv::ToWide(path).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~DataModule() {
    if (handle != nullptr) FreeLibrary(handle);
  }
};

// The platform's form of a key: a number, or a pointer to the name.
const wchar_t* Key(const kiv::TPeResourceId& id, std::wstring& holder) {
  if (!id.IsName) return MAKEINTRESOURCEW(id.Id);
  holder.assign(id.Name.begin(), id.Name.end());
  return holder.c_str();
}

TEST(PeResourcesPlatform, SameBytesAsThePlatformLoader) {
  KIV_REQUIRE_LIGHT_MSSTYLES(path);
  const kiv::TPeResources module = kiv::TPeResources::FromFile(path);
  DataModule platform(path);
  ASSERT_NE(platform.handle, nullptr);
  ASSERT_GT(module.Resources().size(), 600u);
  for (const kiv::TPeResource& r : module.Resources()) {
    std::wstring type_name, name_name;
    HRSRC info = FindResourceExW(platform.handle, Key(r.Type, type_name), Key(r.Name, name_name),
                                 r.Language);
    ASSERT_NE(info, nullptr) << r.Type.ToString() << "/" << r.Name.ToString();
    HGLOBAL global = LoadResource(platform.handle, info);
    const void* data = LockResource(global);
    ASSERT_NE(data, nullptr);
    ASSERT_EQ(SizeofResource(platform.handle, info), r.Size) << r.Name.ToString();
    const std::span<const uint8_t> ours = module.Data(r);
    EXPECT_EQ(std::memcmp(ours.data(), data, r.Size), 0)
        << r.Type.ToString() << "/" << r.Name.ToString();
  }
}

TEST(PeResourcesPlatform, BitmapsGiveThePlatformsPixels) {
  KIV_REQUIRE_LIGHT_MSSTYLES(path);
  kiv::TmsuxStyleLibrary library;
  ASSERT_TRUE(library.Load(kiv::TPeResources::FromFile(path).Bytes()));
  int compared = 0;
  for (const kiv::TPeResourceId& name :
       library.Resources.Names(kiv::TPeResourceId::FromNumber(kiv::kPeResourceBitmap))) {
    kiv::TkivBitmap ours, platform;
    ASSERT_TRUE(library.ReadBitmap(ours, name.ToString())) << name.ToString();
    platform.LoadFromModuleResource(path, name.ToString());
    ASSERT_EQ(ours.Width(), platform.Width()) << name.ToString();
    ASSERT_EQ(ours.Height(), platform.Height()) << name.ToString();
    int differ = 0;
    std::ostringstream first;
    for (int y = 0; y < ours.Height(); ++y)
      for (int x = 0; x < ours.Width(); ++x)
        if (ours.GetPixel(x, y) != platform.GetPixel(x, y) && differ++ == 0)
          first << std::hex << " (" << x << ", " << y << "): " << ours.GetPixel(x, y) << " here, "
                << platform.GetPixel(x, y) << " by the platform";
    EXPECT_EQ(differ, 0) << name.ToString() << first.str();
    EXPECT_EQ(ours.AlphaBlend(), platform.AlphaBlend()) << name.ToString();
    ++compared;
  }
  EXPECT_EQ(compared, 482);
}

}  // namespace
