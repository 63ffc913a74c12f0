#!/usr/bin/env bash
# Drives Ravelin as a person does: under a virtual X server with a window
# manager, with real key presses and mouse drags sent by xdotool. Key events
# synthesised inside Qt take another road than the X server's, so every check
# here reads what the user would see: the file that Save wrote and the title
# of the main window.
#
#   tests/desktop/real-keys.sh PATH/TO/ravelin [WORK_DIR]
#
# Needs Xvfb, openbox, xdotool and ImageMagick. Exits non-zero at the first
# check that fails, leaving a screenshot and the program's output in WORK_DIR.
set -uo pipefail

ravelin=$(realpath "$1")
work=$(realpath -m "${2:-${TMPDIR:-/tmp}/ravelin-real-keys}")
rm -rf "$work" && mkdir -p "$work/home"
game="$work/game.pgn"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_RUNTIME_DIR="$work/run" && mkdir -p -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb

pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
}
trap cleanup EXIT
# RAVELIN_KEEP_DISPLAY=1 leaves the display and the program running after a
# failure, to look at them.

step=""
fail() {
  echo "FAIL [$step]: $*"
  import -window root "$work/failed.png" 2>/dev/null && echo "  screenshot: $work/failed.png"
  echo "  program output: $work/ravelin.log"
  if [ -n "${RAVELIN_KEEP_DISPLAY:-}" ]; then
    echo "  display $DISPLAY left running"
    trap - EXIT
  fi
  exit 1
}
pass() { echo "ok   [$step]"; }

# --- the display ------------------------------------------------------------
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -1 "$work/display")"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1

# --- helpers ----------------------------------------------------------------
main_window=""
title() { xdotool getwindowname "$main_window" 2>/dev/null; }

# Waits until the main window's title is exactly $1.
expect_title() {
  local want=$1 got
  for _ in $(seq 40); do
    got=$(title)
    [ "$got" = "$want" ] && return 0
    sleep 0.1
  done
  fail "title is \"$got\", expected \"$want\""
}

# The movetext of the saved file on one line: tags, line ends and the result
# dropped, blanks collapsed, none inside the parentheses of a variation.
saved_moves() {
  tr -d '\r' <"$game" | grep -v '^\[' | tr '\n' ' ' | sed -e 's/  */ /g' -e 's/ *\* *$//' -e 's/^ //' \
    -e 's/( /(/g' -e 's/ )/)/g'
}

# Presses Ctrl+S and waits for the modified mark to go, then compares the
# movetext with $1.
expect_saved() {
  local want=$1 got
  xdotool key --clearmodifiers ctrl+s
  expect_title "Ravelin - game.pgn"
  got=$(saved_moves)
  [ "$got" = "$want" ] || fail "saved moves are \"$got\", expected \"$want\""
}

# Presses a key once and waits for the event queue to settle.
press() {
  xdotool key --clearmodifiers "$@"
  sleep 0.4
}

# The board: the bounding box of the dark squares' colour on the screen.
board_x=0 board_y=0 square=0
find_board() {
  import -window root "$work/screen.png" || fail "no screenshot"
  local box
  box=$(convert "$work/screen.png" -fill black +opaque "srgb(181,136,99)" \
        -fill white -opaque "srgb(181,136,99)" -trim -format '%w %h %X %Y' info:)
  read -r w h board_x board_y <<<"$box"
  board_x=${board_x#+} board_y=${board_y#+}
  square=$((w / 8))
  [ "$square" -ge 16 ] && [ "$w" -eq "$h" ] || fail "no board on the screen ($box)"
}

# The centre of a square named like e2, White at the bottom.
centre() {
  local file=$(( $(printf '%d' "'${1:0:1}") - 97 )) rank=$(( ${1:1:1} - 1 ))
  echo "$((board_x + file * square + square / 2)) $((board_y + (7 - rank) * square + square / 2))"
}

drag() {
  local x1 y1 x2 y2
  read -r x1 y1 <<<"$(centre "$1")"
  read -r x2 y2 <<<"$(centre "$2")"
  xdotool mousemove "$x1" "$y1" mousedown 1
  sleep 0.15
  xdotool mousemove $((x1 + 4)) $((y1 - 4))
  sleep 0.1
  xdotool mousemove "$x2" "$y2"
  sleep 0.15
  xdotool mouseup 1
  sleep 0.4
}

# The same with the right button, which draws: from $1 to $2 an arrow, on
# one square a mark; $3, when given, a key held through it ("shift").
right_drag() {
  local x1 y1 x2 y2
  read -r x1 y1 <<<"$(centre "$1")"
  read -r x2 y2 <<<"$(centre "$2")"
  [ -z "${3:-}" ] || xdotool keydown "$3"
  xdotool mousemove "$x1" "$y1" mousedown 3
  sleep 0.15
  xdotool mousemove $((x1 + 4)) $((y1 - 4))
  sleep 0.1
  xdotool mousemove "$x2" "$y2"
  sleep 0.15
  xdotool mouseup 3
  [ -z "${3:-}" ] || xdotool keyup "$3"
  sleep 0.4
}

# The form beside the board: the move list's last line and the note box.
click_move_list_row() {  # row 0 is "(starting position)"
  xdotool mousemove $((board_x + 10 * square)) $((board_y + 28 + $1 * 14)) click 1
  sleep 0.3
}
click_note_box() {
  xdotool mousemove $((board_x + 15 * square)) $((board_y + 6 * square)) click 1
  sleep 0.3
}

# Types text into the focused widget as keys.
type_text() {
  xdotool type --delay 30 "$1"
  sleep 0.3
}

# --- the run ----------------------------------------------------------------
printf '[Event "?"]\r\n[Site "?"]\r\n[Date "?"]\r\n[Round "?"]\r\n[White "?"]\r\n[Black "?"]\r\n[Result "*"]\r\n*\r\n' >"$game"
"$ravelin" "$game" >"$work/ravelin.log" 2>&1 &
ravelin_pid=$!
pids+=($ravelin_pid)
for _ in $(seq 100); do
  main_window=$(xdotool search --onlyvisible --name '^Ravelin - ' 2>/dev/null | head -1)
  [ -n "$main_window" ] && break
  sleep 0.1
done
[ -n "$main_window" ] || { step=start; fail "no main window"; }
sleep 1
xdotool windowactivate --sync "$main_window" 2>/dev/null
step="opened"; expect_title "Ravelin - game.pgn"; pass

step="a drag plays a move, and the title marks the change"
find_board
drag e2 e4
expect_title "Ravelin - game.pgn*"
drag e7 e5
drag g1 f3
drag b8 c6
expect_saved "1. e4 e5 2. Nf3 Nc6"
pass

# Each key once from each place the keyboard can be: right after a drag (the
# note box has the keys), in the move list and in the note box clicked.
for place in board list note; do
  case $place in
    board) ;;
    list) click_move_list_row 4 ;;
    note) click_note_box ;;
  esac
  step="Ctrl+Z from the $place takes back one move"
  press ctrl+z; expect_saved "1. e4 e5 2. Nf3"; pass
  step="Ctrl+Y from the $place brings it again"
  press ctrl+y; expect_saved "1. e4 e5 2. Nf3 Nc6"; pass
  step="Alt+Backspace from the $place takes back one move"
  press alt+BackSpace; expect_saved "1. e4 e5 2. Nf3"; pass
  step="Ctrl+Shift+Z from the $place brings it again"
  press ctrl+shift+z; expect_saved "1. e4 e5 2. Nf3 Nc6"; pass
done

step="a note typed, then undone in one step, then the move"
click_move_list_row 4   # Redo kept the move shown before it
click_note_box
type_text "Solid."
expect_title "Ravelin - game.pgn*"
expect_saved "1. e4 e5 2. Nf3 Nc6 {Solid.}"
press ctrl+z; expect_saved "1. e4 e5 2. Nf3 Nc6"
press ctrl+z; expect_saved "1. e4 e5 2. Nf3"
press ctrl+y; expect_saved "1. e4 e5 2. Nf3 Nc6"
pass

step="a right-button drag draws an arrow, Shift and a right click a red mark; Ctrl+Z one each"
click_move_list_row 4
right_drag f1 b5
right_drag e5 e5 shift
expect_saved "1. e4 e5 2. Nf3 Nc6 {[%csl Re5][%cal Gf1b5]}"
press ctrl+z; expect_saved "1. e4 e5 2. Nf3 Nc6 {[%cal Gf1b5]}"
press ctrl+z; expect_saved "1. e4 e5 2. Nf3 Nc6"
pass

# A glyph key pressed twice takes its glyph away again, so a key that fires
# twice leaves no trace.
step="move and position symbols, one press each"
click_move_list_row 4
click_note_box
press ctrl+1; expect_saved "1. e4 e5 2. Nf3 Nc6!"
click_move_list_row 4
press ctrl+5; expect_saved "1. e4 e5 2. Nf3 Nc6!?"
press alt+2; expect_saved '1. e4 e5 2. Nf3 Nc6!? $14'
press alt+2; expect_saved "1. e4 e5 2. Nf3 Nc6!?"
press ctrl+5; expect_saved "1. e4 e5 2. Nf3 Nc6"
press ctrl+alt+d; expect_saved "1. e4 e5 2. Nf3 Nc6 {[#]}"
press ctrl+alt+d; expect_saved "1. e4 e5 2. Nf3 Nc6"
pass

step="View > Go keys move one move each"
click_note_box
press alt+Up; press ctrl+2; expect_saved "1. e4 e5 2. Nf3? Nc6"
press alt+Home; press alt+Down; press ctrl+2; expect_saved "1. e4? e5 2. Nf3? Nc6"
press alt+End; press alt+Up; press alt+Up; press ctrl+2; expect_saved "1. e4? e5? 2. Nf3? Nc6"
for _ in 1 2 3; do press ctrl+z; done
expect_saved "1. e4 e5 2. Nf3 Nc6"
pass

step="Enter Move (Ctrl+M) plays one move, and the keyboard comes back"
press alt+End
press ctrl+m
type_text "Bb5"
press Return
expect_saved "1. e4 e5 2. Nf3 Nc6 3. Bb5"
press ctrl+z; expect_saved "1. e4 e5 2. Nf3 Nc6"
press ctrl+y; expect_saved "1. e4 e5 2. Nf3 Nc6 3. Bb5"
pass

step="a message closed by Enter gives the keyboard back"
press alt+End
press ctrl+m
type_text "Ke3"
press Return        # "No Black King can go to e3."
press Return        # closes the message
press Escape        # the Enter Move box, if it stayed open
press ctrl+z; expect_saved "1. e4 e5 2. Nf3 Nc6"
press ctrl+y; expect_saved "1. e4 e5 2. Nf3 Nc6 3. Bb5"
pass

step="a new variation, promoted and deleted, one key each"
press alt+End
press alt+Up
press ctrl+m; type_text "Bc4"; press Return
press Return        # New Variation, the default
expect_saved "1. e4 e5 2. Nf3 Nc6 3. Bb5 (3. Bc4)"
press ctrl+shift+p; expect_saved "1. e4 e5 2. Nf3 Nc6 3. Bc4 (3. Bb5)"
press ctrl+z; expect_saved "1. e4 e5 2. Nf3 Nc6 3. Bb5 (3. Bc4)"
click_move_list_row 6   # 3. Bc4, the variation
press ctrl+shift+d
press Return        # the question before deleting
expect_saved "1. e4 e5 2. Nf3 Nc6 3. Bb5"
pass

step="Correct Move (Ctrl+Shift+M) replaces one move"
click_move_list_row 3
press ctrl+shift+m
press ctrl+m; type_text "Bc4"; press Return
expect_saved "1. e4 e5 2. Bc4 Nc6 3. Bb5"  # the bishop goes on from c4
press ctrl+z; expect_saved "1. e4 e5 2. Nf3 Nc6 3. Bb5"
pass

step="Cut and Paste in the note box, one press each"
press alt+End
click_note_box
type_text "Spanish"
press ctrl+a; press ctrl+x; expect_saved "1. e4 e5 2. Nf3 Nc6 3. Bb5"
press ctrl+v; press ctrl+v; expect_saved "1. e4 e5 2. Nf3 Nc6 3. Bb5 {SpanishSpanish}"
press ctrl+z; press ctrl+z; expect_saved "1. e4 e5 2. Nf3 Nc6 3. Bb5"
press ctrl+z; expect_saved "1. e4 e5 2. Nf3 Nc6 3. Bb5 {Spanish}"
press ctrl+z; expect_saved "1. e4 e5 2. Nf3 Nc6 3. Bb5"
pass

# The number of windows of the program shown on the screen.
windows_shown() { xdotool search --onlyvisible --pid "$ravelin_pid" 2>/dev/null | wc -l; }

# Presses a key that opens a window of its own, checks that exactly one more
# window shows, closes it with Escape and checks the keyboard is back.
expect_one_window() {
  local key=$1 before after
  before=$(windows_shown)
  press "$key"
  sleep 0.6
  after=$(windows_shown)
  [ "$after" -eq $((before + 1)) ] || fail "$key showed $((after - before)) windows, expected 1"
  press Escape
  sleep 0.3
  [ "$(windows_shown)" -eq "$before" ] || fail "Escape left the window of $key open"
  press ctrl+z; expect_saved "$2"
  press ctrl+y; expect_saved "$3"
}

step="Ctrl+O, Ctrl+P and F1 open one window each, and Escape gives the keyboard back"
press alt+End
press ctrl+m; type_text "a6"; press Return
for key in ctrl+o ctrl+p F1; do
  press alt+End
  expect_one_window $key "1. e4 e5 2. Nf3 Nc6 3. Bb5" "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6"
done
press alt+End; press ctrl+z; expect_saved "1. e4 e5 2. Nf3 Nc6 3. Bb5"
pass

step="Ctrl+Shift+A shows the analysis pane"
import -window root "$work/before.png"
press ctrl+shift+a
sleep 1
import -window root "$work/after.png"
changed=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 | cut -d' ' -f1)
[ "${changed%.*}" -gt 1000 ] || fail "the screen did not change ($changed pixels)"
pass

step="checkmate announced with the analysis pane open, then Ctrl+S"
press alt+Home
press ctrl+m; type_text "f3"; press Return
press Return        # New Variation
for move in e5 g4; do press ctrl+m; type_text "$move"; press Return; done
drag d8 h4
press Return        # closes "CheckMate!"
expect_title "Ravelin - game.pgn*"
expect_saved "1. e4 (1. f3 e5 2. g4 Qh4#) 1... e5 2. Nf3 Nc6 3. Bb5"
pass

step="Ctrl+N opens one new game"
press ctrl+n
expect_title "Ravelin - Untitled1"
pass

step="Fit to Window: the game window maximised, its board fills it, and a drag plays"
xdotool windowsize "$main_window" 1270 990
sleep 0.5
press alt+v; press b; press w   # View > Board Size > Fit to Window
sleep 0.5
find_board
[ $((8 * square)) -ge 640 ] || fail "the board is $((8 * square)) pixels wide"
drag e2 e4
expect_title "Ravelin - Untitled1*"
pass

step="Ctrl+Shift+C copies the game and Ctrl+Shift+V opens it as a new one, once"
press ctrl+shift+c
press ctrl+shift+v
expect_title "Ravelin - Untitled2*"
[ "$(windows_shown)" -eq 1 ] || fail "$(windows_shown) windows shown"
pass

echo "All real-key checks passed."
