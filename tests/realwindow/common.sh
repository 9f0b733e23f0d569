# Shared by the real-window tests (sourced): a scratch folder, a private Xvfb, waiting for
# windows, answering message boxes, and ending the game and the server they started.
# The sourcing script sets GAME, SCRATCH and WAIT_S first; GAME_PID is the game's, once
# started.

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# need_tools TOOL... : fails unless every tool is on PATH.
need_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
  done
}

# Makes SCRATCH afresh (with an empty home) and makes its path absolute.
make_scratch() {
  rm -rf "$SCRATCH"
  mkdir -p "$SCRATCH/home/.config" || fail "cannot make the scratch folder $SCRATCH"
  SCRATCH=$(cd "$SCRATCH" && pwd)
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

game_alive() {
  kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended early; its output: $(cat "$SCRATCH/game.log")"
}

# start_xvfb WIDTH HEIGHT: a private X server on a free display (Xvfb picks the number and
# writes it to fd 3); exports DISPLAY.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 "$1x$2x24" -nolisten tcp -br \
    3>"$SCRATCH/display" >"$SCRATCH/xvfb.log" 2>&1 &
  XVFB_PID=$!
  wait_for grep -qs '^[0-9]' "$SCRATCH/display" || fail "Xvfb did not start: $(cat "$SCRATCH/xvfb.log")"
  export DISPLAY=:$(head -n1 "$SCRATCH/display")
}

visible_window() {  # title regex -> id of the first visible window with that title
  xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1
}
has_window() { [ -n "$(visible_window "$1")" ]; }
window_gone() { ! xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -qx "$2"; }

# The main menu window (its title is the game's name, like the game window's, so it is
# told apart by its size).
MENU_W=256 MENU_H=245
menu_window() {
  local id
  for id in $(xdotool search --onlyvisible --name '^Skirmora$' 2>/dev/null); do
    if xwininfo -id "$id" | grep -q "Width: $MENU_W\$" &&
      xwininfo -id "$id" | grep -q "Height: $MENU_H\$"; then
      echo "$id"
      return 0
    fi
  done
  return 1
}

# window_origin ID: prints "X Y", the window's top-left corner on the screen.
window_origin() {
  xwininfo -id "$1" | sed -n 's/.*Absolute upper-left [XY]: *\(-*[0-9]*\).*/\1/p' | tr '\n' ' '
}

# answer_box TITLE_REGEX KEY: waits for the message box and presses KEY in it.
answer_box() {
  local id
  wait_for has_window "$1" || { game_alive; fail "no message box \"$1\""; }
  id=$(visible_window "$1")
  xdotool key --clearmodifiers "$2" || fail "xdotool could not press $2"
  wait_for window_gone "$1" "$id" || fail "the message box \"$1\" did not close on $2"
}

# Asks the game to end as the desktop does (SIGTERM); fails unless it exits 0 within 10 s.
quit_game() {
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
