# Shared by the real-window tests (sourced, not run): a private Xvfb, the game under it,
# and helpers that find its windows, click them and compare their pixels with what the
# headless runner draws for the same windows. Needs: Xvfb, xdotool, xwininfo, ImageMagick
# (import, convert, compare); openbox for start_wm.
set -u
SCREEN_W=1024 SCREEN_H=768
# The 640 x 480 field at a whole-pixel scale of 1, centred on the 1024 x 768 screen.
FIELD_X=192 FIELD_Y=144
WAIT_S=${WAIT_S:-15}
XVFB_PID= GAME_PID= WM_PID= WESTON_PID=

fail() { echo "FAIL: $*" >&2; exit 1; }

rw_cleanup() {  # the game at once; the window manager, compositor and X server asked to end
  local pid signal=KILL
  for pid in "$GAME_PID" "$WM_PID" "$WESTON_PID" "$XVFB_PID"; do
    [ -n "$pid" ] && kill -$signal "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    signal=TERM
  done
}

key() { xdotool "$@" || fail "xdotool could not $*"; }

# Runs "$@" every 0.1 s until it succeeds or WAIT_S seconds pass.
wait_for() {
  local deadline=$((SECONDS + WAIT_S))
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}

# A private X server of the given size on a display number the server picks itself (so
# tests running side by side never clash); exports DISPLAY and cleans up at exit.
start_xvfb() {  # WIDTH HEIGHT
  trap rw_cleanup EXIT && trap 'exit 3' INT TERM HUP
  rm -f "$SCRATCH/display"  # (a server started again must not be taken for the last one)
  Xvfb -displayfd 3 -screen 0 "$1x$2x24" -nolisten tcp -br \
    3>"$SCRATCH/display" >"$SCRATCH/xvfb.log" 2>&1 &
  XVFB_PID=$!
  wait_for grep -qs '^[0-9]' "$SCRATCH/display" || fail "Xvfb did not start: $(cat "$SCRATCH/xvfb.log")"
  export DISPLAY=:$(head -n1 "$SCRATCH/display")
}

# A Wayland compositor (weston) whose output is an X window filling the private X server, so
# that a screenshot of the X server shows what its clients drew. Sets WAYLAND_SOCKET_NAME and
# XDG_RUNTIME_DIR (a private folder, as the protocol wants).
start_weston() {
  command -v weston >/dev/null || fail "weston is not installed"
  export XDG_RUNTIME_DIR=$SCRATCH/runtime
  mkdir -m 0700 "$XDG_RUNTIME_DIR" || fail "cannot make $XDG_RUNTIME_DIR"
  WAYLAND_SOCKET_NAME=skirmora-test
  weston --backend=x11-backend.so --use-pixman --shell=kiosk-shell.so --idle-time=0 \
    --socket="$WAYLAND_SOCKET_NAME" --width="$SCREEN_W" --height="$SCREEN_H" \
    >"$SCRATCH/weston.log" 2>&1 &
  WESTON_PID=$!
  wait_for test -S "$XDG_RUNTIME_DIR/$WAYLAND_SOCKET_NAME" ||
    fail "weston did not start: $(tail -n5 "$SCRATCH/weston.log")"
}

# Takes the game, the headless runner and a scratch folder (the test's arguments); checks
# the tools, makes a fresh scratch folder with an empty home, starts the X server.
rw_setup() {
  [ $# -eq 3 ] || { echo "usage: $(basename "$0") GAME SKIRMORA_SCRIPT SCRATCH_DIR" >&2; exit 2; }
  GAME=$1 RUNNER=$2 SCRATCH=$3
  local tool
  for tool in Xvfb xdotool xwininfo import convert compare identify; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
  done
  [ -x "$GAME" ] && [ -x "$RUNNER" ] || fail "no game program at $GAME or no runner at $RUNNER"
  rm -rf "$SCRATCH"
  mkdir -p "$SCRATCH/home/.config" || fail "cannot make the scratch folder $SCRATCH"
  SCRATCH=$(cd "$SCRATCH" && pwd) SETTINGS=$SCRATCH/home/.config/skirmora/settings.reg
  start_xvfb $SCREEN_W $SCREEN_H
}

# A window manager on the private X server, for what only one can do (moving a window
# that asks to be moved, minimising it).
start_wm() {
  command -v openbox >/dev/null || fail "openbox is not installed"
  HOME=$SCRATCH/home openbox --sm-disable >"$SCRATCH/openbox.log" 2>&1 &
  WM_PID=$!
  wait_for eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
    fail "openbox did not start: $(cat "$SCRATCH/openbox.log")"
}

# Stores the settings of a player who has been greeted, with the given lines.
stored_settings() {  # LINE...
  mkdir -p "${SETTINGS%/*}" && printf '%s\n' '[HKEY_CURRENT_USER\Software\Bramblecrest\Skirmora]' \
    '"Greeted"=dword:ffffffff' "$@" >"$SETTINGS" || fail "cannot write $SETTINGS"
}

# Runs the headless runner on a first start (greetings answered, no CD) followed by the
# given scenario lines, for a user with an empty home, and turns every screenshot NAME.bmp
# it writes into $SCRATCH/NAME.png. Scenario lines may name $SCRATCH/NAME.bmp files.
rw_runner_pictures() { rw_runner_run 'answer OK' 'answer OK' 'answer No' 'start' "$@"; }

# The same for a whole scenario of the given lines (set-up and start included).
rw_runner_run() {
  printf '%s\n' "$@" 'quit' >"$SCRATCH/scenario.scn"
  HOME=$SCRATCH/home XDG_CONFIG_HOME=$SCRATCH/home/.config SDL_AUDIODRIVER=dummy \
    timeout 60 "$RUNNER" --all-commands <"$SCRATCH/scenario.scn" >"$SCRATCH/runner.out" 2>&1 ||
    fail "the headless runner failed (status $?): $(tail -n5 "$SCRATCH/runner.out")"
  local bmp
  for bmp in "$SCRATCH"/*.bmp; do
    [ -s "$bmp" ] || fail "the headless runner wrote no screenshot"
    convert "$bmp" "${bmp%.bmp}.png" || fail "cannot read $bmp"
  done
  rm -rf "$SCRATCH/home" && mkdir -p "$SCRATCH/home/.config"
}

# Starts the game ("$@", output to $SCRATCH/game.log) and waits for a visible window titled
# TITLE; one that could not open the display (it happens on busy machines) is tried 3 times.
launch_game() {  # TITLE COMMAND...
  local title=$1 try
  shift
  for try in 1 2 3; do
    "$@" >"$SCRATCH/game.log" 2>&1 &
    GAME_PID=$!
    wait_for has_window "$title" && return 0
    kill -0 "$GAME_PID" 2>/dev/null && return 1
    wait "$GAME_PID" 2>/dev/null
    grep -q 'cannot open the display' "$SCRATCH/game.log" || break
  done
  GAME_PID=
  fail "the game ended early; its output: $(cat "$SCRATCH/game.log")"
}

# Starts the game for the scratch user and waits for its first window ($GAME_TITLE if set);
# "NAME=value" words go to its environment, the words after "--" to the game.
rw_start_game() {
  local vars=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do vars+=("$1") && shift; done
  [ $# -gt 0 ] && shift
  launch_game "${GAME_TITLE:-.}" env HOME="$SCRATCH/home" XDG_CONFIG_HOME="$SCRATCH/home/.config" \
    SDL_AUDIODRIVER=dummy "${vars[@]}" "$GAME" "$@" || fail "the game opened no ${GAME_TITLE:-window}"
}

game_alive() { kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended early; its output: $(cat "$SCRATCH/game.log")"; }

# The id of the first visible window with that title (regex).
visible_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1; }
has_window() { [ -n "$(visible_window "$1")" ]; }
window_gone() { ! xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -qx "$2"; }
expect_window() { wait_for has_window "$1" || { game_alive; fail "no $2"; }; }  # title regex, what

answer_box() {  # title regex, key
  local id
  expect_window "$1" "message box \"$1\""
  id=$(visible_window "$1")
  wait_for xdotool key --clearmodifiers "$2" || fail "xdotool could not press $2"
  wait_for window_gone "$1" "$id" || fail "the message box \"$1\" did not close on $2"
}

# The three questions of a first start: the two greetings, then No to reduced sound.
rw_answer_first_start() {
  answer_box '^Welcome, newcomer!$' Return
  answer_box '^A note about joysticks\.\.\.$' Return
  answer_box '^Playing a CD\.\.\.$' n
}

MENU_ROW_H=27  # the height of a text-menu row in Arial 18 pt bold italic
# Clicks row ROW (from 1) of the text menu of the menu window at WIN_X, WIN_Y, at SCALE.
click_menu_row() {  # row [scale]
  local s=${2:-1}
  click_at $((WIN_X + s * (8 + 30))) $((WIN_Y + s * (128 + ($1 - 1) * MENU_ROW_H + MENU_ROW_H / 2)))
}
# From the menu: Play Skirmora, chosen with the keys given or else a click on its row, opens
# the game window over the screen (the pointer moved away).
rw_play() {  # [KEY...]
  find_window "the menu" '^Skirmora$' 256 245
  if [ $# -gt 0 ]; then key key "$@"; else click_menu_row 1; fi
  find_window "the game window" '^Skirmora$' "$SCREEN_W" "$SCREEN_H"
  xdotool mousemove 5 5
}

# Prints the id of a visible window with that title (regex) and outer size, if any.
sized_window() {  # title regex, width, height
  local id
  for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
    [ "$(xwininfo -id "$id" | grep -cx -e "  Width: $2" -e "  Height: $3")" = 2 ] && echo "$id" && return 0
  done
  return 1
}
no_sized_window() { ! sized_window "$@" >/dev/null; }
# Waits up to 5 s for the window to go: description, title regex, width, height.
expect_closed() { WAIT_S=5 wait_for no_sized_window "$2" "$3" "$4" || fail "$1 did not close"; }

# Prints the top-left corner of the window on the screen as X,Y.
window_corner() {  # id
  xwininfo -id "$1" | sed -n 's/^ *Absolute upper-left [XY]: *\(-*[0-9]*\)$/\1/p' | paste -sd,
}

# Waits for the window and sets WIN_ID to it, WIN_X and WIN_Y to its top-left corner.
find_window() {  # description, title regex, width, height
  local corner
  wait_for sized_window "$2" "$3" "$4" >/dev/null || { game_alive; fail "no $3x$4 window for $1 appeared"; }
  WIN_ID=$(sized_window "$2" "$3" "$4")
  corner=$(window_corner "$WIN_ID")
  WIN_X=${corner%,*} WIN_Y=${corner#*,}
}

expect_centred() {  # description, width, height
  local want_x=$(((SCREEN_W - $2) / 2)) want_y=$(((SCREEN_H - $3) / 2))
  [ "$WIN_X,$WIN_Y" = "$want_x,$want_y" ] || fail "$1 is at $WIN_X,$WIN_Y, not centred at $want_x,$want_y"
}

# Compares the w x h area at (x, y) of the screen with expected PNG, until they match
# (the first frames may still be on their way) or 5 s pass.
same_pixels() {  # expected.png, w, h, x, y
  import -window root "$SCRATCH/screen.png" 2>/dev/null &&
    convert "$SCRATCH/screen.png" -crop "$2x$3+$4+$5" +repage "$SCRATCH/actual.png" || return 1
  DIFF=$(compare -metric AE "$1" "$SCRATCH/actual.png" "$SCRATCH/diff.png" 2>&1)
  [ "$DIFF" = 0 ]
}
expect_pixels() {  # description, expected.png, w, h, x, y
  DIFF=?
  WAIT_S=5 wait_for same_pixels "$2" "$3" "$4" "$5" "$6" ||
    fail "$1 differs from the runner's in $DIFF pixels (see $SCRATCH/actual.png, $2, diff.png)"
}

# Finds the window with that title whose client area, inside a frame of FRAME pixels (3 for
# boxes, else 0), has the picture's size, and expects it to show the picture; sets WIN_X, WIN_Y.
expect_dialog() {  # description, title regex, expected.png, frame
  local w h
  read -r w h < <(identify -format '%w %h\n' "$3") || fail "cannot read $3"
  find_window "$1" "$2" $((w + 2 * $4)) $((h + 2 * $4))
  expect_pixels "$1" "$3" "$w" "$h" $((WIN_X + $4)) $((WIN_Y + $4))
}

click_at() { key mousemove "$1" "$2" click 1; }  # screen x, y

screenshot() { import -window root "$1" 2>/dev/null || fail "cannot take a screenshot"; }
crop() { convert "$1" -crop "$2" +repage "$3" || fail "cannot cut $2 out of $1"; }

# Waits for the game to end and expects the status (137: it did not end within 10 s and had
# to be killed).
expect_exit() {  # status, when
  local watchdog status
  # (The watchdog must not inherit the clean-up, which would stop the X server.)
  (trap - EXIT INT TERM HUP && sleep 10 && kill -KILL "$GAME_PID" 2>/dev/null) &
  watchdog=$!
  wait "$GAME_PID"
  status=$?
  GAME_PID=
  kill "$watchdog" 2>/dev/null
  wait "$watchdog" 2>/dev/null
  [ "$status" = "$1" ] || fail "the game exited with status $status $2, not $1: $(cat "$SCRATCH/game.log")"
}

# Asks the game to end as the desktop does and expects a clean, prompt exit.
rw_quit_game() { kill -TERM "$GAME_PID"; expect_exit 0 "${1:-after SIGTERM}"; }
