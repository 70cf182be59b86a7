#!/bin/bash
# Sets up what is missing (Debian packages, as root), checks that a fresh
# machine would have every package the build uses, builds Tintora and runs
# the whole suite: once in a plain build, once under AddressSanitizer and
# UndefinedBehaviorSanitizer, then every fuzz target for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh --with-tests
jobs="$(nproc)"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
bash scripts/check-packages.sh build
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTINTORA_SANITIZE=ON
cmake --build build-sanitize -j"$jobs"
ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

if [ -f scripts/fuzz.sh ]; then
  bash scripts/fuzz.sh
fi
