# What the tests that drive the program under a virtual X server do as a
# user does, sourced by them: press a key on a window, and quit.

press() { # key, on the window given
  xdotool windowfocus --sync "$2" 2> /dev/null || xdotool windowfocus "$2"
  sleep 0.2
  xdotool key --clearmodifiers "$1"
}

# Presses Ctrl+Q on the window given and waits up to 30 s for the program
# (process $2, started by this shell) to end; its exit status is then in
# $exit_status. False, with the program killed, when it did not end.
quit_and_wait() { # window, process
  press ctrl+q "$1"
  for _ in $(seq 1 600); do
    kill -0 "$2" 2> /dev/null || break
    sleep 0.05
  done
  if kill -0 "$2" 2> /dev/null; then
    kill "$2"
    return 1
  fi
  wait "$2" 2> /dev/null
  exit_status=$?
}
