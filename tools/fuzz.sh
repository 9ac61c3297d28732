#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang and libFuzzer into ./build-fuzz (or $KV_FUZZ_BUILD_DIR)
# and runs them one after another, each for SECONDS (default 60) from its corpus tests/fuzz/corpus/<name>/.
# With 0 seconds every corpus input runs once and nothing new is tried.
#   bash tools/fuzz.sh [SECONDS] [NAME ...]        NAME: filter, iniprofile, ... (default: every target)
# New inputs go to build-fuzz/corpus/<name>/, faults to build-fuzz/faults/<name>/ (crash-*, timeout-*,
# leak-*, oom-*; replay one with build-fuzz/fuzz/fuzz_<name> FILE). Fails when any target found a fault.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
[[ $seconds =~ ^[0-9]+$ ]] || { echo "usage: bash tools/fuzz.sh [SECONDS] [NAME ...]" >&2; exit 2; }
bash "$root/tools/deps.sh" fuzz
build=${KV_FUZZ_BUILD_DIR:-$root/build-fuzz}
fuzzdir=$root/tests/fuzz

names=("$@")
if ((${#names[@]} == 0)); then
  for f in "$fuzzdir"/fuzz_*.cpp; do
    n=$(basename "$f" .cpp)
    names+=("${n#fuzz_}")
  done
fi

launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKV_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${names[@]/#/fuzz_}"

# UBSan goes on after a report unless told to stop; leaks of Qt's and the system's own libraries are
# let through as in the tests.
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0

summary=()
failed=0
for n in "${names[@]}"; do
  corpus=$build/corpus/$n
  faults=$build/faults/$n
  log=$build/fuzz/fuzz_$n.log
  mkdir -p "$corpus" "$faults"
  opts=(-timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$faults/")
  [ -f "$fuzzdir/$n.dict" ] && opts+=(-dict="$fuzzdir/$n.dict")
  if ((seconds == 0)); then
    opts+=(-runs=0)
  else
    opts+=(-max_total_time="$seconds")
  fi
  echo "== fuzz_$n: ${seconds}s"
  # The first folder takes the new inputs; the repository's corpus is only read.
  if "$build/fuzz/fuzz_$n" "${opts[@]}" "$corpus" "$fuzzdir/corpus/$n" >"$log" 2>&1; then
    result=clean
  else
    result="FAULT (see $log and $faults/)"
    failed=1
    grep -E "^(==[0-9]+==ERROR|SUMMARY|.*runtime error)" "$log" | head -5 || true
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  summary+=("fuzz_$n: ${runs:-?} executions, $(find "$corpus" -type f | wc -l) inputs found, $result")
done

echo "== summary"
printf '%s\n' "${summary[@]}"
exit $failed
