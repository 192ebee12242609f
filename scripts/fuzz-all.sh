#!/usr/bin/env bash
# Runs every fuzz target that has a committed corpus (fuzz/corpus/NAME) for a
# fixed time from that corpus, two at a time, in the sanitizer build
# (vx_build_sanitize). The committed corpus is read, never written. Any
# finding (crash, sanitizer report, failed property, timeout, out of memory)
# is printed with its input and makes the script fail.
#   scripts/fuzz-all.sh [SECONDS [JOBS]]     (default 60 seconds, 2 jobs)
set -uo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
jobs="${2:-2}"
source scripts/setup.sh
vx_sanitizer_environment
export VX_FUZZ_SECONDS="$seconds"
out="$PWD/build-sanitize/fuzz-runs"
rm -rf "$out"
mkdir -p "$out"
export VX_FUZZ_OUT="$out"

run_one() {
  local name="$1"
  local bin="$PWD/build-sanitize/fuzz/$name"
  local work="$VX_FUZZ_OUT/$name.corpus"
  local log="$VX_FUZZ_OUT/$name.log"
  mkdir -p "$work" "$VX_FUZZ_OUT/$name.findings"
  if [ ! -x "$bin" ]; then
    echo "FAIL $name: no fuzz target built for fuzz/corpus/$name" | tee "$log"
    return 1
  fi
  "$bin" "$work" "fuzz/corpus/$name" -max_total_time="$VX_FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$VX_FUZZ_OUT/$name.findings/" -print_final_stats=1 >"$log" 2>&1
  local rc=$?
  local runs
  runs=$(grep -o 'number_of_executed_units: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*$')
  if [ $rc -ne 0 ]; then
    echo "FAIL $name (exit $rc after ${runs:-?} runs):"
    grep -E 'ERROR|SUMMARY|fuzz property failed|runtime error|Test unit written' "$log" | head -20
    for f in "$VX_FUZZ_OUT/$name.findings"/*; do
      [ -f "$f" ] && echo "input $f (base64): $(head -c 4096 "$f" | base64 -w0)"
    done
    return 1
  fi
  echo "ok   $name: ${runs:-?} runs in ${VX_FUZZ_SECONDS} s"
}
export -f run_one

targets=()
for dir in fuzz/corpus/*/; do
  [ -d "$dir" ] && targets+=("$(basename "$dir")")
done
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz corpus found"
  exit 1
fi
echo "fuzzing ${#targets[@]} targets for $seconds s each, $jobs at a time: ${targets[*]}"
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'run_one "$@"' _ {}
status=$?
[ $status -eq 0 ] && echo "fuzzing: no findings" || echo "fuzzing: FAILED (see above; logs in $out)"
exit $status
