#!/bin/bash
# Builds the libFuzzer targets with clang in their own build folder and runs
# each for a bounded time from seeds: the swatch target once per reader of
# the swatch reader table, the measurement file reader from CGATS seeds, and
# the profile target from Debian's ICC profiles.
# Exits non-zero on any finding (a crash, a sanitizer report, a leak, a slow
# input or an allocation out of proportion); the input that caused it is
# left in build-fuzz/findings/, to be kept under tests/data/swatch/ or
# tests/data/profile/ as a test.
#
# Time budget: the whole CI run (plain suite, sanitizer suite, fuzzing) must
# stay under 30 minutes on 2 cores, so fuzzing gets about 5 minutes: six
# runs (four swatch readers, measurement files and profiles) of FUZZ_SECONDS,
# 45 by default.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-45}"
build=build-fuzz

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTINTORA_FUZZ=ON > "$build.log" 2>&1 \
  || { cat "$build.log"; exit 1; }
cmake --build "$build" -j"$(nproc)" --target fuzz_swatch fuzz_readings fuzz_profile fuzz_seed_writer

rm -rf "$build/seeds" "$build/corpus" "$build/findings" "$build/tmp"
mkdir -p "$build/findings" "$build/tmp"
"$build/fuzz/fuzz_seed_writer" "$build/seeds"
# Argyll's reference files are real CGATS input.
cp /usr/share/color/argyll/ref/ColorChecker.cie /usr/share/color/argyll/ref/ColorChecker.ti2 \
   /usr/share/color/argyll/ref/FograStrip2.ti1 "$build/seeds/cgats/" 2>/dev/null || true
# Measurement files are CGATS text too.
cp -r "$build/seeds/cgats" "$build/seeds/readings"
mkdir -p "$build/seeds/profile"
find /usr/share/color/icc -name '*.icc' -size -300k -exec cp {} "$build/seeds/profile/" \;
# The profiles it once failed on, kept as tests, are run first every time.
cp tests/data/profile/* "$build/seeds/profile/"

export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export TMPDIR="$PWD/$build/tmp"

# fuzz NAME MAX_LEN MALLOC_LIMIT_MB COMMAND...: one bounded run.
fuzz() {
  local name="$1" max_len="$2" malloc_limit="$3"
  shift 3
  mkdir -p "$build/corpus/$name"
  echo "== $name for ${seconds}s"
  "$@" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
    -malloc_limit_mb="$malloc_limit" -print_final_stats=1 -artifact_prefix="$build/findings/$name-" \
    "$build/corpus/$name" "$build/seeds/$name" 2>&1 | tail -n 25
}

status=0
for reader in $("$build/fuzz/fuzz_seed_writer" --readers); do
  mkdir -p "$build/seeds/$reader"
  TINTORA_FUZZ_READER="$reader" fuzz "$reader" 65536 64 "$build/fuzz/fuzz_swatch" || status=1
done
fuzz readings 65536 64 "$build/fuzz/fuzz_readings" || status=1
fuzz profile 262144 256 "$build/fuzz/fuzz_profile" || status=1

if [ -n "$(ls -A "$build/findings")" ]; then
  echo "Fuzz findings:"; ls -l "$build/findings"
  status=1
fi
exit $status
