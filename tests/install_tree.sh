#!/bin/bash
# Installs the build folder (given) into a prefix, and into a prefix under
# DESTDIR, and checks both trees.
set -uo pipefail
build="$1"
source "$(dirname "$0")/install_check.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" > "$work/prefix.log" 2>&1 ||
  fail "cmake --install --prefix failed: $(cat "$work/prefix.log")"
check_tree "$work/prefix" "$build"

DESTDIR="$work/staging" cmake --install "$build" --prefix /opt/tintora > "$work/staging.log" 2>&1 ||
  fail "cmake --install with DESTDIR failed: $(cat "$work/staging.log")"
[ "$(cd "$work/staging" && find . -mindepth 1 -maxdepth 2)" = "$(printf './opt\n./opt/tintora')" ] ||
  fail "DESTDIR holds more than the prefix: $(cd "$work/staging" && find . -mindepth 1 -maxdepth 2)"
check_tree "$work/staging/opt/tintora" "$build"

finish
