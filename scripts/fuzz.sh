#!/bin/bash
# Builds the swatch and measurement file readers' libFuzzer targets with clang in their own build
# folder and runs each for a bounded time from seeds written by the build.
# Exits non-zero on any finding (a crash, a sanitizer report, a leak, a slow
# input or an allocation out of proportion); the input that caused it is
# left in build-fuzz/findings/ to be kept under tests/data/swatch/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-60}"
build=build-fuzz

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTINTORA_FUZZ=ON > "$build.log" 2>&1 \
  || { cat "$build.log"; exit 1; }
cmake --build "$build" -j"$(nproc)" --target fuzz_cgats fuzz_ase fuzz_aco fuzz_gpl fuzz_readings fuzz_seed_writer

rm -rf "$build/seeds" "$build/corpus" "$build/findings"
"$build/fuzz/fuzz_seed_writer" "$build/seeds"
# Argyll's reference files are real CGATS input.
cp /usr/share/color/argyll/ref/ColorChecker.cie /usr/share/color/argyll/ref/ColorChecker.ti2 \
   /usr/share/color/argyll/ref/FograStrip2.ti1 "$build/seeds/cgats/" 2>/dev/null || true
# Measurement files are CGATS text too.
cp -r "$build/seeds/cgats" "$build/seeds/readings"
mkdir -p "$build/findings"

status=0
for reader in cgats ase aco gpl readings; do
  mkdir -p "$build/corpus/$reader"
  echo "== fuzz_$reader for ${seconds}s"
  if ! ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1" UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1" \
      "$build/fuzz/fuzz_$reader" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
      -malloc_limit_mb=64 -print_final_stats=1 -artifact_prefix="$build/findings/$reader-" \
      "$build/corpus/$reader" "$build/seeds/$reader" 2>&1 | tail -n 25; then
    status=1
  fi
done

if [ -n "$(ls -A "$build/findings")" ]; then
  echo "Fuzz findings:"; ls -l "$build/findings"
  status=1
fi
exit $status
