# Checks of an installed Tintora tree, sourced by the install tests.
# Each failed check prints one line starting with FAIL and counts in
# $failures; a test ends with finish.

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
finish() {
  if [ "$failures" -gt 0 ]; then
    echo "$failures failed"
    exit 1
  fi
  echo "all passed"
}

profiles=/usr/share/color/icc

# Everything an installation holds, and nothing more: files, and the link
# through which the program is started.
installed_files=(
  bin/tintora-chart
  bin/tintora-convert
  bin/tintora-profile
  lib/tintora/lang/tintora_de.qm
  lib/tintora/lang/tintora_fr.qm
  lib/tintora/tintora
  share/applications/tintora.desktop
  share/icons/hicolor/scalable/apps/tintora.svg
  share/man/man1/tintora-chart.1.gz
  share/man/man1/tintora-convert.1.gz
  share/man/man1/tintora-profile.1.gz
  share/man/man1/tintora.1.gz
  share/metainfo/com.quenwick.Tintora.metainfo.xml
)
installed_links=(bin/tintora)

# check_tree ROOT BUILD: the tree under ROOT (a prefix) holds what it must,
# and its companions answer as those of the build folder BUILD do.
check_tree() {
  local root="$1" build="$2"
  local listed expected
  listed="$(cd "$root" && find . -mindepth 1 \( -type f -o -type l \) | sed 's|^\./||' | LC_ALL=C sort)"
  expected="$(printf '%s\n' "${installed_files[@]}" "${installed_links[@]}" | LC_ALL=C sort)"
  [ "$listed" = "$expected" ] || fail "$root holds other files than expected:"$'\n'"$(diff <(echo "$expected") <(echo "$listed"))"

  for program in bin/tintora-convert bin/tintora-chart bin/tintora-profile lib/tintora/tintora; do
    [ -x "$root/$program" ] || fail "$root/$program is not executable"
  done
  # Relative, so that the tree works wherever it is copied (DESTDIR, package).
  [ -L "$root/bin/tintora" ] && [ "$(readlink "$root/bin/tintora")" = ../lib/tintora/tintora ] ||
    fail "$root/bin/tintora is not the relative link ../lib/tintora/tintora"
  [ "$(readlink -f "$root/bin/tintora")" = "$(readlink -f "$root/lib/tintora/tintora")" ] ||
    fail "$root/bin/tintora does not lead to the program"

  check_companions "$root" "$build"
  check_desktop_entry "$root"
  check_metainfo "$root"
  check_manual_pages "$root"
}

# The installed companions run and print what the built ones print.
check_companions() {
  local root="$1" build="$2" installed built
  local convert=(--in "$profiles/sRGB.icc" --out "$profiles/ghostscript/default_cmyk.icc" --intent 1)
  installed="$(printf '255 0 0\n30 120 200\n' | "$root/bin/tintora-convert" "${convert[@]}" 2>&1)" ||
    fail "installed tintora-convert failed: $installed"
  built="$(printf '255 0 0\n30 120 200\n' | "$build/companions/convert/tintora-convert" "${convert[@]}" 2>&1)"
  [ "$installed" = "$built" ] || fail "installed tintora-convert printed '$installed', the built one '$built'"
  [ "$(echo "$installed" | wc -l)" = 2 ] || fail "installed tintora-convert printed '$installed' for two colours"

  local work
  work="$(mktemp -d)"
  "$root/bin/tintora-chart" --profile "$profiles/ghostscript/default_cmyk.icc" --patches 8 \
    --cgats "$work/installed.txt" --ps "$work/installed.ps" > "$work/installed.log" 2>&1 ||
    fail "installed tintora-chart failed: $(cat "$work/installed.log")"
  "$build/companions/chart/tintora-chart" --profile "$profiles/ghostscript/default_cmyk.icc" --patches 8 \
    --cgats "$work/built.txt" > /dev/null 2>&1
  # The target files differ only in their creation date.
  diff <(grep -v '^CREATED' "$work/installed.txt") <(grep -v '^CREATED' "$work/built.txt") > /dev/null ||
    fail "installed tintora-chart wrote another target file than the built one"
  grep -q '^%!PS' "$work/installed.ps" || fail "installed tintora-chart wrote no PostScript page"
  [ "$("$root/bin/tintora-profile" --version)" = "$("$build/companions/profile/tintora-profile" --version)" ] ||
    fail "installed tintora-profile gives another version than the built one"
  rm -rf "$work"
}

# The desktop entry is valid and starts the installed program by its icon.
check_desktop_entry() {
  local root="$1" entry="$1/share/applications/tintora.desktop" report exec icon
  if ! report="$(desktop-file-validate "$entry" 2>&1)"; then
    fail "desktop-file-validate refuses $entry: $report"
  elif [ -n "$report" ]; then
    fail "desktop-file-validate warns about $entry: $report"
  fi
  exec="$(sed -n 's/^Exec=//p' "$entry")"
  [ -x "$root/bin/${exec%% *}" ] || fail "the desktop entry's Exec '$exec' is not an installed program"
  icon="$(sed -n 's/^Icon=//p' "$entry")"
  [ -f "$root/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "the desktop entry's icon '$icon' is not installed"
}

# The software centres' entry is valid, launches the installed desktop entry,
# provides the installed programs and gives the package's version as its
# latest release.
check_metainfo() {
  local root="$1" metainfo="$1/share/metainfo/com.quenwick.Tintora.metainfo.xml" report launched binary release
  report="$(appstreamcli validate --no-net --no-color "$metainfo" 2>&1)" ||
    fail "appstreamcli validate refuses $metainfo: $report"
  launched="$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")"
  [ -f "$root/share/applications/$launched" ] || fail "the AppStream entry launches '$launched', which is not installed"
  for binary in $(sed -n 's|.*<binary>\(.*\)</binary>.*|\1|p' "$metainfo"); do
    [ -x "$root/bin/$binary" ] || fail "the AppStream entry provides '$binary', which is not installed"
  done
  release="$(sed -n 's|.*<release version="\([^"]*\)".*|\1|p' "$metainfo" | head -n 1)"
  [ "$release" = "$("$root/bin/tintora-chart" --version | grep -oE '[0-9]+(\.[0-9]+)+' | head -n 1)" ] ||
    fail "the AppStream entry's latest release '$release' is not the installed version"
}

# Each manual page renders without a warning, gives whatis its name line,
# and names every option its program's usage lists.
check_manual_pages() {
  local root="$1" name page text warnings summary usage option
  for name in tintora tintora-convert tintora-chart tintora-profile; do
    page="$root/share/man/man1/$name.1.gz"
    warnings="$(MANWIDTH=80 man --warnings -l "$page" 2>&1 > /dev/null)"
    [ -z "$warnings" ] || fail "man -l $page warns: $warnings"
    text="$(MANWIDTH=80 man -l "$page" 2> /dev/null)" || fail "man -l $page failed"
    # What whatis and apropos will list for the page.
    summary="$(lexgrog "$page" 2>&1)"
    grep -q ": \"$name - [a-z]" <<< "$summary" || fail "$page has no NAME line for $name: $summary"
    [ "$name" = tintora ] && continue
    usage="$("$root/bin/$name" --help 2>&1)"
    for option in $(grep -oE -- '--[a-z][a-z-]*' <<< "$usage" | sort -u); do
      grep -qE -- "(^|[^a-z-])$option([^a-z-]|$)" <<< "$text" || fail "$page does not describe $option"
    done
  done
}
