#!/usr/bin/env bash
# Builds the fuzzers in build-fuzz/ (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, libFuzzer's instrumentation) and runs each one
# for a bounded time on a copy of its corpus, one process at a time.
#
#   tests/fuzz/run.sh [SECONDS] [FUZZER...]
#
# SECONDS: time per fuzzer (default 60); FUZZER: config, value, scenario,
# sequence (default all). Exits non-zero when a fuzzer finds anything; the
# input that did it is kept in build-fuzz/findings/<name>/.
#
# The build's and each fuzzer's output go to build-fuzz/logs/; what is
# printed is one line per fuzzer (runs, coverage, corpus), and on a finding
# the report and the end of that fuzzer's log.
#
# AXTRACK_FUZZ_BUILD names another tree than build-fuzz/.
set -euo pipefail

seconds="${1:-60}"
shift || true
fuzzers=("$@")
if [ ${#fuzzers[@]} -eq 0 ]; then fuzzers=(config value scenario sequence); fi
case "$seconds" in
  '' | *[!0-9]*) echo "usage: $0 [SECONDS] [FUZZER...]" >&2; exit 2 ;;
esac

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${AXTRACK_FUZZ_BUILD:-$root/build-fuzz}"

# The rest of the tree is written for GCC; clang warns where GCC doesn't, so
# warnings stay warnings in this tree.
mkdir -p "$build"
cmake -S "$root" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DAXTRACK_FUZZ=ON -DAXTRACK_SANITIZE=address,undefined -DAXTRACK_WERROR=OFF \
  -DAXTRACK_BENCH=OFF -DAXTRACK_TESTS=ON -DAXTRACK_LINUX_DESKTOP=OFF >"$build/configure.log" 2>&1 ||
  { cat "$build/configure.log" >&2; exit 1; }
logs="$build/logs"
mkdir -p "$logs"
targets=()
for name in "${fuzzers[@]}"; do targets+=("${name}_fuzzer"); done
if ! cmake --build "$build" --target "${targets[@]}" -j2 >"$logs/build.log" 2>&1; then
  tail -n 40 "$logs/build.log" >&2
  echo "fuzz: building the fuzzers failed; the whole log is $logs/build.log" >&2
  exit 1
fi
echo "fuzz: built ${targets[*]} in $build (log: $logs/build.log)"

# Extra seeds read but never written: the project's own scenario files.
extra_seeds() {
  case "$1" in
    scenario) echo "$root/tests/scenarios $root/examples" ;;
    *) echo "" ;;
  esac
}

# Options of one fuzzer. The sequence fuzzer's library keeps every window
# tracker for the rest of the process, so most of its inputs end with more
# allocations than releases; the per-input leak check would then scan the
# heap after each of them for its first thousand inputs. It still gets the
# leak check at exit.
fuzzer_options() {
  case "$1" in
    config) echo "-dict=$root/tests/fuzz/json.dict" ;;
    scenario) echo "-dict=$root/tests/fuzz/scenario.dict" ;;
    sequence) echo "-detect_leaks=0 -max_len=1024" ;;
    *) echo "" ;;
  esac
}

export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

# The last coverage line of a log, as "runs R, cov C, ft F, corpus N".
summary() {
  grep -E '^#[0-9]+' "$1" | tail -n 1 |
    sed -E 's/^#([0-9]+).*cov: ([0-9]+) ft: ([0-9]+) corp: ([0-9]+).*/runs \1, cov \2, ft \3, corpus \4/;t;s/.*/no coverage line/'
}

status=0
for name in "${fuzzers[@]}"; do
  work="$(mktemp -d)"
  findings="$build/findings/$name"
  log="$logs/$name.log"
  mkdir -p "$findings" "$work/corpus"
  before="$(ls "$findings")"
  cp -R "$root/tests/fuzz/corpus/$name/." "$work/corpus/"
  failed=0
  # shellcheck disable=SC2046
  if ! (cd "$work" && "$build/bin/${name}_fuzzer" -max_total_time="$seconds" -timeout=10 \
      -rss_limit_mb=3072 -workers=1 -jobs=1 -print_final_stats=1 $(fuzzer_options "$name") \
      -artifact_prefix="$findings/" "$work/corpus" $(extra_seeds "$name")) >"$log" 2>&1; then
    failed=1
  fi
  # With -jobs the fuzzer's own output lands in fuzz-0.log, which the
  # parent prints when the job ends; if it didn't, it is added here.
  if [ -f "$work/fuzz-0.log" ] && ! grep -q "^INFO: Seed" "$log"; then
    { echo "---- fuzz-0.log"; cat "$work/fuzz-0.log"; } >>"$log"
  fi
  if grep -qE "ERROR: |property broken|runtime error|SUMMARY: " "$log"; then failed=1; fi
  found="$(comm -13 <(echo "$before") <(ls "$findings") | grep -E '^(crash|leak|timeout|oom|slow-unit)-' || true)"
  if [ -n "$found" ]; then failed=1; fi
  if [ "$failed" -eq 0 ]; then
    echo "fuzz $name: ${seconds}s, $(summary "$log"), no findings"
  else
    status=1
    cp "$log" "$findings/"
    echo "!! fuzz $name: FAILED after ${seconds}s, $(summary "$log")" >&2
    [ -n "$found" ] && echo "!! new findings in $findings:" $found >&2
    if grep -qE "property broken|ERROR: |runtime error" "$log"; then
      grep -m 1 -E -A25 "property broken|ERROR: |runtime error" "$log" >&2
    else
      tail -n 40 "$log" >&2
    fi
    echo "!! the whole log is $log" >&2
  fi
  rm -rf "$work"
done
exit "$status"
