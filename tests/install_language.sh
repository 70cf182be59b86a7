#!/bin/bash
# The installed program, started as the desktop starts it (the desktop
# entry's Exec line, found on PATH), under a virtual X server: with a stored
# German or French choice it comes up in that language, with no "Language
# failed" box. The language shows in the caption of the About box, opened
# from the keyboard through the menu bar. With SCREENSHOT=file.png set, a
# picture of the German window is kept.
set -uo pipefail
build="$1"
if [ -z "${TINTORA_IN_XVFB:-}" ]; then
  export TINTORA_IN_XVFB=1
  # -noreset: between two starts of the program the server has no client left,
  # and a server that resets then may refuse the next start.
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$@"
fi
source "$(dirname "$0")/install_check.sh"
source "$(dirname "$0")/desktop_keys.sh"
work="$(mktemp -d)"
program=
trap '[ -n "$program" ] && kill "$program" 2> /dev/null; rm -rf "$work"' EXIT

export QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME="$work/config"
cmake --install "$build" --prefix "$work/prefix" > "$work/install.log" 2>&1 ||
  { fail "cmake --install failed: $(cat "$work/install.log")"; finish; }
entry="$work/prefix/share/applications/tintora.desktop"
command="$(sed -n 's/^Exec=//p' "$entry")"
export PATH="$work/prefix/bin:$PATH"

window_named() { xdotool search --onlyvisible --name "$1" 2> /dev/null | head -1; }
wait_for_window() { # name; prints the window's id (waits up to half a minute: a loaded machine, a sanitizer build)
  local id
  for _ in $(seq 1 600); do
    id="$(window_named "$1")"
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  return 1
}
start() {
  $command > "$work/output.txt" 2>&1 &
  program=$!
}
quit() { # main window
  if quit_and_wait "$1" "$program"; then
    [ "$exit_status" = 0 ] || fail "the program ended with status $exit_status: $(cat "$work/output.txt")"
  else
    fail "Ctrl+Q did not end the program"
  fi
  program=
}

# A first start writes the settings file of this installation.
start
main="$(wait_for_window '^Quenwick Tintora 1\.2$')" ||
  { fail "the installed program showed no window"; cat "$work/output.txt"; finish; }
quit "$main"
settings="$(ls "$XDG_CONFIG_HOME"/tintora/tintora-*.conf 2> /dev/null)"
[ "$(echo "$settings" | wc -l)" = 1 ] && [ -f "$settings" ] || { fail "no settings file written: $settings"; finish; }

# language (as the Language menu stores it), the About box's caption in it
for case in "Deutsch|Über" "Français|À propos"; do
  language="${case%%|*}"
  caption="${case#*|}"
  sed -i "s/^lang=.*/lang=$language/" "$settings"
  grep -qx "lang=$language" "$settings" || { fail "no lang key in $settings: $(cat "$settings")"; finish; }
  start
  main="$(wait_for_window '^Quenwick Tintora 1\.2$')" ||
    { fail "$language: no window; $(window_named 'Language failed' | sed 's/.\+/a Language failed box is shown/')"
      cat "$work/output.txt"; break; }
  [ -z "$(window_named 'Language failed')" ] || fail "$language: a Language failed box is shown"
  if [ "$language" = Deutsch ] && [ -n "${SCREENSHOT:-}" ]; then
    sleep 0.5
    import -window root "$SCREENSHOT"
  fi
  # Alt selects the menu bar; Left wraps round to Help, whose last entry is About.
  press alt "$main"
  xdotool key --clearmodifiers Left Down Up Return
  about="$(wait_for_window "^$caption\$")" || fail "$language: no About box captioned '$caption'"
  [ -n "$about" ] && press Return "$about"
  quit "$main"
  grep -qx "lang=$language" "$settings" || fail "$language: the choice was not kept: $(cat "$settings")"
done

finish
