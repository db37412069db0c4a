#!/usr/bin/env bash
# scripts/fuzz.sh [-t SECONDS] [-j JOBS] [-s] [-r] [TARGET...]
# One fuzzing campaign: builds the fuzz preset (clang, libFuzzer, ASan +
# UBSan), runs each target (every folder of fuzz/ by default, or the folders
# named) for SECONDS (default 300) starting from its corpus in
# fuzz/<target>/corpus, and merges what it found into that corpus: an input
# is kept only when it reaches code the corpus did not reach yet, so the
# corpus grows with each campaign and stays small.
#
# A target whose folder has a file `seeds` (one folder of ../shared/testdata
# a line) also reads those real files at the start when its corpus is empty,
# or always with -s (reading them takes a slow target most of a short run,
# and after the first campaign the corpus holds what they led to). They only
# seed the run:
# what goes into the corpus is what the fuzzer made from them, never the
# files themselves (they are not ours to copy), and the merge refuses any
# input whose bytes equal a seed file's.
#
# Each run's executions are appended to fuzz/campaigns.tsv and the table in
# docs/FUZZING.md is written again from it (cumulative per target); -r only
# writes the table again. Inputs
# that crashed, leaked or timed out are kept in build/fuzz/findings/<target>/
# and make the script fail; fix the fault, then copy the input into the
# target's corpus so that the replay test (ctest: fuzz.<target>) keeps it
# fixed.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=300
jobs=2
reseed=0
report_only=0
while getopts "t:j:sr" opt; do
  case $opt in
    t) seconds=$OPTARG ;;
    j) jobs=$OPTARG ;;
    s) reseed=1 ;;
    r) report_only=1 ;;
    *) echo "usage: scripts/fuzz.sh [-t SECONDS] [-j JOBS] [-s] [-r] [TARGET...]" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for d in fuzz/*/; do
    [ -f "$d/CMakeLists.txt" ] && targets+=("$(basename "$d")")
  done
fi
testdata=$(cd "$root/../shared/testdata" 2>/dev/null && pwd) || testdata=

failed=0
campaign() {
  programs=()
  for t in "${targets[@]}"; do
    [ -f "fuzz/$t/CMakeLists.txt" ] || { echo "fuzz.sh: no target fuzz/$t" >&2; exit 2; }
    programs+=("fuzz_$t")
  done
  cmake --preset fuzz >/dev/null || exit 1
  nice cmake --build --preset fuzz -j"$jobs" --target "${programs[@]}" || exit 1

  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  for t in "${targets[@]}"; do
    program="build/fuzz/fuzz/$t/fuzz_$t"
    corpus="fuzz/$t/corpus"
    found="$scratch/$t/found"
    findings="build/fuzz/findings/$t"
    mkdir -p "$corpus" "$found" "$findings"
    seeds=()
    if [ -f "fuzz/$t/seeds" ] && [ -n "$testdata" ]; then
      while read -r folder; do
        [ -n "$folder" ] && [ -d "$testdata/$folder" ] && seeds+=("$testdata/$folder")
      done <"fuzz/$t/seeds"
    fi
    empty=0
    [ -z "$(find "$corpus" -type f -print -quit)" ] && empty=1
    # libFuzzer reads directories but not their sub-folders: each folder of
    # seed files is passed as its own directory.
    seed_dirs=()
    if [ ${#seeds[@]} -gt 0 ] && [ $((empty + reseed)) -gt 0 ]; then
      while IFS= read -r d; do seed_dirs+=("$d"); done < <(find "${seeds[@]}" -type d | sort)
    fi
    before=$(find "$corpus" -type f | wc -l)
    echo "== $t: ${seconds}s from $before input(s)${seed_dirs:+, seeded from ${#seed_dirs[@]} folder(s) of testdata}"
    log="$scratch/$t/run.log"
    # New inputs go to the first folder only; the corpus and the seeds are read.
    nice "$program" -max_total_time="$seconds" -print_final_stats=1 -max_len=16384 \
      -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$findings/" \
      "$found" "$corpus" "${seed_dirs[@]}" >"$log" 2>&1
    status=$?
    execs=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$log" | tail -n 1)
    if [ "$status" -ne 0 ]; then
      failed=1
      echo "fuzz.sh: $t stopped with status $status; its findings are in $findings" >&2
      grep -E "^(==[0-9]+==ERROR|SUMMARY|.*runtime error)" "$log" | head -n 5 >&2
    fi
    # Never a copy of a real file: drop any input whose bytes equal a seed's
    # (libFuzzer names inputs by the SHA-1 of their bytes).
    if [ ${#seeds[@]} -gt 0 ]; then
      find "${seeds[@]}" -type f -exec sha1sum {} + | cut -d' ' -f1 |
        while read -r sum; do rm -f "$found/$sum"; done
    fi
    nice "$program" -merge=1 -max_len=16384 "$corpus" "$found" >"$scratch/$t/merge.log" 2>&1 ||
      { echo "fuzz.sh: merging $t failed" >&2; tail -n 5 "$scratch/$t/merge.log" >&2; failed=1; }
    after=$(find "$corpus" -type f | wc -l)
    echo "$t: ${execs:-0} executions, $((after - before)) new input(s), corpus $after"
    printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$(date -u +%Y-%m-%dT%H:%MZ)" "$t" "$seconds" "${execs:-0}" \
      "$((after - before))" "$after" >>fuzz/campaigns.tsv
  done
}

[ "$report_only" -eq 1 ] || campaign

# The table of docs/FUZZING.md between its two markers, from the record.
table=$(awk -F'\t' '
  !/^#/ && NF >= 6 {
    if (!($2 in execs)) order[n++] = $2
    runs[$2]++; secs[$2] += $3; execs[$2] += $4; corpus[$2] = $6; last[$2] = $1
  }
  END {
    print "| target | campaigns | seconds | executions | corpus inputs | last campaign |"
    print "|---|---:|---:|---:|---:|---|"
    for (i = 0; i < n; i++) { t = order[i]
      printf "| `%s` | %d | %d | %d | %d | %s |\n", t, runs[t], secs[t], execs[t], corpus[t], last[t] }
  }' fuzz/campaigns.tsv)
python3 - "$table" <<'PY'
import re, sys
path = "docs/FUZZING.md"
text = open(path).read()
start, end = "<!-- campaigns: written by scripts/fuzz.sh -->", "<!-- end of campaigns -->"
i, j = text.index(start) + len(start), text.index(end)
open(path, "w").write(text[:i] + "\n" + sys.argv[1] + "\n" + text[j:])
PY
exit $failed
