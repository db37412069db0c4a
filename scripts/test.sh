#!/usr/bin/env bash
# The project's whole test run, from a fresh machine: installs what is missing,
# builds the third-party libraries for mingw once (cached outside the clone),
# builds and tests the native build (ASan + UBSan), then builds and tests the
# win32 build under Wine in both looks. Ends with one summary line.
set -uo pipefail
cd "$(dirname "$0")/.."
t0=$(date +%s)
scripts/install-deps.sh || exit 1
KIV_MINGW_DEPS=$(scripts/build-mingw-deps.sh) || exit 1
export KIV_MINGW_DEPS

passed=0
failed=0
count() {  # reads ctest's summary line from a log
  local line
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
  if [ -z "$line" ]; then failed=$((failed + 1)); return; fi
  local f t
  f=$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/')
  t=$(echo "$line" | sed -E 's/.* failed out of ([0-9]+).*/\1/')
  failed=$((failed + f))
  passed=$((passed + t - f))
}

logs=$(mktemp -d)
echo "== native build (portable modules, ASan + UBSan)"
if cmake --preset native >"$logs/native-configure.log" 2>&1 && cmake --build --preset native; then
  ctest --preset native -j2 2>&1 | tee "$logs/native.log"
  count "$logs/native.log"
else
  cat "$logs/native-configure.log"; echo "native build failed"; failed=$((failed + 1))
fi

echo "== win32 build (mingw-w64, tests under Wine)"
if cmake --preset win32 >"$logs/win32-configure.log" 2>&1 && cmake --build --preset win32; then
  ctest --preset win32 2>&1 | tee "$logs/win32.log"
  count "$logs/win32.log"
else
  cat "$logs/win32-configure.log"; echo "win32 build failed"; failed=$((failed + 1))
fi

# Nothing of Wine may outlive the run (it would hold the caller's pipes).
for look in themed classic teststyle; do
  (export KIV_WINE_LOOK=$look; . scripts/wine-env.sh; wineserver -k 2>/dev/null) || true
done
rm -rf "$logs"
echo "test run took $(( $(date +%s) - t0 )) s"
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
