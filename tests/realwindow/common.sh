# Shared by the real-window checks: a private Xvfb, waiting without busy loops, and the
# message boxes of a first start. Source it after setting SCRATCH (an empty folder) and
# SCREEN_W, SCREEN_H; it sets DISPLAY, and kills the game (GAME_PID) and Xvfb on exit.

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

XVFB_PID= GAME_PID=
cleanup() {
  if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
    kill -KILL "$GAME_PID" 2>/dev/null
    wait "$GAME_PID" 2>/dev/null
  fi
  if [ -n "$XVFB_PID" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
    kill -TERM "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
}
trap cleanup EXIT
trap 'exit 3' INT TERM HUP

# Runs "$@" every 0.1 s until it succeeds or WAIT_S seconds pass.
wait_for() {
  local deadline=$((SECONDS + WAIT_S))
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}

# A private X server on a free display (Xvfb picks the number and writes it to fd 3).
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 "${SCREEN_W}x${SCREEN_H}x24" -nolisten tcp -br \
    3>"$SCRATCH/display" >"$SCRATCH/xvfb.log" 2>&1 &
  XVFB_PID=$!
  wait_for grep -qs '^[0-9]' "$SCRATCH/display" || fail "Xvfb did not start: $(cat "$SCRATCH/xvfb.log")"
  export DISPLAY=:$(head -n1 "$SCRATCH/display")
}

game_alive() {
  kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended early; its output: $(cat "$SCRATCH/game.log")"
}

visible_window() {  # title regex -> id of the first visible window with that title
  xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1
}
has_window() { [ -n "$(visible_window "$1")" ]; }
window_gone() { ! xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -qx "$2"; }
answer_box() {  # title regex, key
  local id
  wait_for has_window "$1" || { game_alive; fail "no message box \"$1\""; }
  id=$(visible_window "$1")
  xdotool key --clearmodifiers "$2" || fail "xdotool could not press $2"
  wait_for window_gone "$1" "$id" || fail "the message box \"$1\" did not close on $2"
}
# The two greetings and the CD question of a first start on a machine without a CD.
answer_first_start() {
  answer_box '^Welcome, newcomer!$' Return
  answer_box '^A note about joysticks\.\.\.$' Return
  answer_box '^Playing a CD\.\.\.$' n
}

# The id of the visible window "Skirmora" of that size.
skirmora_window() {  # width height
  local id
  for id in $(xdotool search --onlyvisible --name '^Skirmora$' 2>/dev/null); do
    if xwininfo -id "$id" | grep -q "Width: $1\$" && xwininfo -id "$id" | grep -q "Height: $2\$"; then
      echo "$id"
      return 0
    fi
  done
  return 1
}

# Ends the game with SIGTERM and expects a clean exit within 10 s.
quit_cleanly() {
  local watchdog status
  kill -TERM "$GAME_PID"
  (sleep 10 && kill -KILL "$GAME_PID" 2>/dev/null) &
  watchdog=$!
  wait "$GAME_PID"
  status=$?
  GAME_PID=
  kill "$watchdog" 2>/dev/null
  wait "$watchdog" 2>/dev/null
  [ "$status" != 137 ] || fail "the game did not end within 10 s of SIGTERM"
  [ "$status" = 0 ] || fail "the game exited with status $status after SIGTERM"
}
