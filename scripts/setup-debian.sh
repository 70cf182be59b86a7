#!/bin/bash
# Installs the Debian packages that building, running and testing need,
# and only those that are missing. Run as root.
#   setup-debian.sh              what building and running need
#   setup-debian.sh --with-tests and what the tests need too
#   setup-debian.sh --list       print the whole list, one package a line
set -euo pipefail

build_packages=(g++ cmake make pkg-config qt6-base-dev libqt6opengl6-dev qt6-tools-dev qt6-tools-dev-tools
                qt6-l10n-tools qt6-translations-l10n liblcms2-dev libhpdf-dev libeigen3-dev libxcb1-dev libgl-dev
                libgl1-mesa-dri fonts-dejavu-core)
test_packages=(argyll liblcms2-utils ghostscript icc-profiles-free colord-data xvfb xauth clang libclang-rt-14-dev locales xdotool imagemagick
               dpkg-dev file desktop-file-utils man-db groff-base qpdf poppler-utils appstream)

if [ "${1:-}" = "--list" ]; then
  printf '%s\n' "${build_packages[@]}" "${test_packages[@]}"
  exit 0
fi

wanted=("${build_packages[@]}")
if [ "${1:-}" = "--with-tests" ]; then
  wanted+=("${test_packages[@]}")
fi

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The tests check number formatting under a locale whose decimal mark is a comma.
if [ "${1:-}" = "--with-tests" ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
