#!/bin/bash
# Checks that a fresh Debian machine would have every package this machine's
# build and tests used: each file the configure step found and the build
# used (CMake package files and tools listed in CMakeCache.txt, libraries
# on the link lines) and each program the tests
# run must belong to a package that the set-up's list brings in through
# Depends and Pre-Depends alone. A package installed by hand, or one that
# only a Recommends brings in, fails here with one line naming it and the file.
#
#   check-packages.sh BUILD_DIR [PACKAGE...]
#
# Without packages, the set-up script's own list is checked.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:?usage: check-packages.sh BUILD_DIR [PACKAGE...]}"
shift
cache="$build/CMakeCache.txt"
[ -f "$cache" ] || { echo "check-packages: no $cache: configure first" >&2; exit 2; }

# Programs the tests start, besides what the build itself found.
test_programs=(xicclu colverify iccgamut fakeread printtarg targen profcheck iccdump colprof gs transicc xvfb-run Xvfb
               xauth xdotool import clang clang++ localedef desktop-file-validate man lexgrog dpkg-deb dpkg-shlibdeps file
               qpdf pdftotext appstreamcli)

if [ $# -gt 0 ]; then
  listed=("$@")
else
  mapfile -t listed < <(bash scripts/setup-debian.sh --list)
fi

# Package lists are needed for the closure; a machine that never ran apt-get update has none.
if ! apt-cache show --no-all-versions dpkg > /dev/null 2>&1; then
  apt-get update -q > /dev/null
fi

closure="$(mktemp)"
trap 'rm -f "$closure"' EXIT
{
  printf '%s\n' "${listed[@]}"
  apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks --no-replaces \
    --no-enhances "${listed[@]}" | grep -v '^ ' | sed 's/:.*//'
} | sort -u > "$closure"

# The file CMake read for a cache entry: a package folder stands for its configuration file.
used_file() {
  local name="$1" path="$2"
  if [ -d "$path" ]; then
    local stem="${name%_DIR}" lower
    lower="$(echo "$stem" | tr '[:upper:]' '[:lower:]')"
    for candidate in "$path/${stem}Config.cmake" "$path/${lower}-config.cmake"; do
      if [ -f "$candidate" ]; then
        echo "$candidate"
        return 0
      fi
    done
  elif [ -f "$path" ]; then
    echo "$path"
  fi
  return 0
}

# The package owning a file, also where the file is known to dpkg by its
# path before /usr was merged, or only by the path its links lead to.
owner() {
  local file="$1" real
  real="$(readlink -f "$file")"
  local found
  for candidate in "$file" "${file#/usr}" "$real" "${real#/usr}"; do
    found="$(dpkg -S "$candidate" 2>/dev/null | grep -v '^diversion' | head -n 1 | sed 's/: .*//')"
    [ -n "$found" ] && { echo "$found"; return; }
  done
  return 0
}

# Package configuration files, the tools the build ran, and the libraries it
# linked: a library that a find module merely came across is not counted.
used_files() {
  grep -E '^[A-Za-z0-9_]+:(PATH|FILEPATH)=/' "$cache" | grep -vE '^CMAKE_(INSTALL|CACHEFILE|HOME)' \
    | grep -vE '=[^=]*\.(so|a)$' | while IFS= read -r line; do
        local entry="${line%%:*}" path="${line#*=}"
        used_file "$entry" "$path"
      done
  find "$build" -name link.txt -exec grep -ohE '/usr/[^ ]+\.(so|a)(\.[0-9]+)*' {} + | sort -u
  for program in "${test_programs[@]}"; do
    command -v "$program" || echo "missing-program:$program"
  done
}

status=0
declare -A reported
while IFS= read -r file; do
  if [[ "$file" == missing-program:* ]]; then
    echo "check-packages: the tests run ${file#missing-program:}, which is not installed"
    status=1
    continue
  fi
  package="$(owner "$file")"
  [ -n "$package" ] || continue
  # Packages owning a shared file are listed together; one of them in the closure is enough.
  found=0
  for one in ${package//,/ }; do
    grep -qx "${one%%:*}" "$closure" && found=1
  done
  if [ $found = 0 ] && [ -z "${reported[$package]:-}" ]; then
    reported[$package]=1
    echo "check-packages: ${package//:amd64/} is not brought in by the set-up's packages, but the build or the tests use $file"
    status=1
  fi
done < <(used_files | sort -u)
exit $status
