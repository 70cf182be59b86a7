#!/bin/bash
# Takes packages out of the set-up's list one at a time and expects the
# package check to fail with a line naming each and the file the build read.
set -uo pipefail
build="$1"
top="$(dirname "$0")/.."
failures=0

expect_named() {
  local removed="$1" file_pattern="$2" output
  output="$(bash "$top/scripts/check-packages.sh" "$build" \
            $(bash "$top/scripts/setup-debian.sh" --list | grep -vx "$removed"))"
  local status=$?
  if [ $status -eq 0 ]; then
    echo "FAIL: the check passed without $removed"
    failures=$((failures + 1))
  elif ! grep -qE "^check-packages: $removed is not brought in .*$file_pattern\$" <<< "$output"; then
    echo "FAIL: without $removed the check said:"; echo "$output"
    failures=$((failures + 1))
  else
    echo "PASS: without $removed: $(grep -E "^check-packages: $removed " <<< "$output")"
  fi
}

# Only a Recommends of qt6-base-dev: the package that once hid on a developer's machine.
expect_named libqt6opengl6-dev '/cmake/Qt6OpenGL/Qt6OpenGLConfig\.cmake'
# A program the tests run, not a file the build read.
expect_named argyll '/usr/bin/[a-z]+'

echo "$((2 - failures)) passed, $failures failed"
[ $failures -eq 0 ]
