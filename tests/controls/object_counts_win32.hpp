#pragma once
// What a reliability test reads before and after many cycles: the process's
// GDI and user object counts, the highest handle slots new objects take
// (where the platform keeps no counts), and its committed memory.
#include <windows.h>
// after windows.h, which it needs
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace kiv::ctltest {

struct TCounts {
  DWORD gdi, user;  // the platform's counts (0 where it does not keep them)
  // Where the platform keeps no counts: the highest handle-table slot a few
  // new objects take. Leaked objects hold their slots, so new objects climb.
  DWORD gdi_slot, user_slot;
  SIZE_T memory;  // committed memory (the private bytes, else the page file use)
};

template <class Make, class Free>
inline DWORD HighestSlot(Make make, Free free) {
  DWORD highest = 0;
  std::vector<HANDLE> made;
  for (int i = 0; i < 16; ++i) made.push_back(make());
  for (HANDLE h : made) {
    highest = std::max<DWORD>(highest, LOWORD(reinterpret_cast<uintptr_t>(h)));
    free(h);
  }
  return highest;
}

inline TCounts Measure() {
  PROCESS_MEMORY_COUNTERS_EX pmc{};
  pmc.cb = sizeof pmc;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc),
                       sizeof pmc);
  TCounts c;
  c.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  c.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  c.gdi_slot = HighestSlot([] { return static_cast<HANDLE>(CreateSolidBrush(0)); },
                           [](HANDLE h) { DeleteObject(h); });
  c.user_slot = HighestSlot([] { return static_cast<HANDLE>(CreateMenu()); },
                            [](HANDLE h) { DestroyMenu(static_cast<HMENU>(h)); });
  c.memory = pmc.PrivateUsage ? pmc.PrivateUsage : pmc.PagefileUsage;
  return c;
}

// Prints the figures and checks they stayed flat: the counts within two
// objects, the highest new slots within 64 (a leak of one object in every few
// cycles climbs by hundreds), the committed memory within `memory_slack`.
inline void ExpectFlat(const TCounts& before, const TCounts& after,
                       SIZE_T memory_slack = 2 * 1024 * 1024) {
  std::printf(
      "GDI objects %lu -> %lu (highest new slot %lu -> %lu), user objects %lu -> %lu (highest "
      "new slot %lu -> %lu), committed memory %zu KiB -> %zu KiB\n",
      before.gdi, after.gdi, before.gdi_slot, after.gdi_slot, before.user, after.user,
      before.user_slot, after.user_slot, before.memory / 1024, after.memory / 1024);
  ASSERT_GT(before.memory, 0u) << "no memory figure from the platform";
  EXPECT_LE(after.gdi, before.gdi + 2);
  EXPECT_LE(after.user, before.user + 2);
  EXPECT_LE(after.gdi_slot, before.gdi_slot + 64);
  EXPECT_LE(after.user_slot, before.user_slot + 64);
  EXPECT_LT(after.memory, before.memory + memory_slack);
}

}  // namespace kiv::ctltest
