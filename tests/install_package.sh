#!/bin/bash
# Makes the Debian package from the build folder (given) with cpack, and
# checks its control fields, its Depends and its contents; the programs
# unpacked from it run. apt-get is only asked to simulate installing it.
set -uo pipefail
build="$1"
source "$(dirname "$0")/install_check.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" > "$work/cpack.log" 2>&1 ||
  { fail "cpack failed: $(cat "$work/cpack.log")"; finish; }
package="$(ls "$work"/tintora_*.deb 2> /dev/null)"
[ "$(basename "$package")" = "tintora_1.2-1_$(dpkg --print-architecture).deb" ] ||
  { fail "cpack made '$(ls "$work")', not the package"; finish; }

field() { dpkg-deb --field "$package" "$1"; }
[ "$(field Package)" = tintora ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = 1.2-1 ] || fail "Version is '$(field Version)'"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"

# Depends: the run-time libraries and the font of the printed pages, as
# package names without versions.
depends="$(field Depends | tr ',' '\n' | sed 's/(.*)//; s/|.*//; s/ //g' | sed '/^$/d' | sort -u)"
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6openglwidgets6 liblcms2-2 fonts-dejavu-core; do
  grep -qx "$library" <<< "$depends" || fail "Depends lacks $library: $(field Depends)"
done
# No compiler, build system, headers or test peer.
for package_name in $depends; do
  case "$package_name" in
    *-dev | *-dev-tools | *-tools | *-utils | cmake | make | g++* | gcc* | clang* | pkg-config | argyll | \
      ghostscript | xvfb | xauth | xdotool | imagemagick* | icc-profiles-free | colord-data)
      fail "Depends names the build or test package $package_name" ;;
  esac
done

# The contents, at /usr, are the installed tree.
dpkg-deb --extract "$package" "$work/root" || fail "dpkg-deb cannot unpack the package"
check_tree "$work/root/usr" "$build"
[ "$(cd "$work/root" && ls -A)" = usr ] || fail "the package installs outside /usr: $(cd "$work/root" && ls -A)"

# apt resolves the package's Depends against the archive's packages.
simulation="$(apt-get install --simulate "$package" 2>&1)" || fail "apt-get cannot install the package: $simulation"
grep -q '^Inst tintora ' <<< "$simulation" || fail "apt-get would not install tintora: $simulation"

finish
