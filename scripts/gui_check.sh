#!/usr/bin/env bash
# How the desktop program looks on a real X server, for a person to check by eye: starts a virtual
# X server with a small window manager, runs Velmora_5x50 on a fresh data folder with the sample
# archive, drives it by keyboard and mouse and grabs the screen after each step; then starts it
# twice more: as a new user's first start (no settings at all, the results site not set) and for a
# back-test that is stopped half-way. Nothing is judged
# here; look at the pictures (Russian texts in Qt's own dialogs too, columns that fit, nothing
# overlapping, no window that nobody asked for).
#
#   scripts/gui_check.sh [BUILD_DIR] [WIDTHxHEIGHT] [OUT_DIR]
#
# BUILD_DIR: a build with the GUI (default build-ux-rel); screen size default 1366x768; the
# pictures go to OUT_DIR (default BUILD_DIR/gui-check-WIDTHxHEIGHT). Installs the packages of the
# "GUI checks by hand" list of scripts/deps.sh when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
velmora_install_gui_check_deps

build=${1:-build-ux-rel}
size=${2:-1366x768}
out=${3:-$build/gui-check-$size}
gui=$build/src/gui/Velmora_5x50
cli=$build/src/cli/velmora-cli
[ -x "$gui" ] && [ -x "$cli" ] || { echo "build Velmora_5x50 and velmora-cli in $build first" >&2; exit 1; }
mkdir -p "$out"
rm -f "$out"/*.png
. scripts/x_session.sh
data=$(mktemp -d)
x_dirs+=("$data")

# The pictures show the product's own language, whatever this machine's locale says.
export LANG=ru_RU.UTF-8 LC_ALL= LC_MESSAGES=
x_session_start "$size"

# A data folder with the sample archive, no draw download at start, and every web address on a
# closed loopback port: the pictures show the program itself.
check_data_folder "$cli" "$data"
start_program "$data" program

# Several seconds after the start: only the main window, nothing blocking it.
shot start 6

# The menu bar from the keyboard: Alt highlights it, Down opens the menu, F10 opens the first one.
key alt
shot alt-menu-bar
key Down
shot file-menu
key Escape Escape Escape
key F10
shot f10
key Right
shot draws-menu
key Escape Escape Escape

# Window-relative places of a few controls: the first button of the left pages ("Добавить") and
# the statistic selector on the right.
eval "$(xdotool getwindowgeometry --shell "$win")"
at() { xdotool mousemove $((X + $1)) $((Y + $2)); }
add_x=44 add_y=60
sel_x=$((WIDTH - 400)) sel_y=60

# A hint in the status bar while the pointer rests on a button, gone when it leaves.
at $add_x $add_y
shot hint-on-button
at $((WIDTH / 2)) $((HEIGHT / 2))
shot hint-gone 2

# The statistics page: the selector, the columns and the axis labels, for the first statistics of
# the list (the numbers, digits, counts and the masks of even, small and prime numbers).
at $sel_x $sel_y
xdotool click 1
sleep 1
key Escape
shot stats-first
for n in 1 2 3 4 5 6; do
  key Down
  shot "stats-next-$n" 1
done

# Qt's own file dialog (import from CSV): its buttons and labels in Russian.
# The draws menu: Сведения о тираже (disabled), Загрузка, Автозагрузка..., Импорт из CSV-файла.
key alt
key Right Down Down Down
shot draws-menu-import
key Return
shot import-dialog 2
key Escape

# The draw dialog with the calendar of its date field.
at $add_x $add_y
xdotool click 1
shot draw-dialog 2
key Tab Tab F4
shot draw-calendar
key Escape Escape Escape

# Closing the window the usual way.
close_program

# A first start as a new user makes it: a fresh data folder with the sample archive and nothing
# else, so the draw download at start-up is at its default and the results site is the built-in
# placeholder. No question may appear (there is no site to ask about), and the download command
# explains how to set the site instead of trying the placeholder.
data=$(mktemp -d)
x_dirs+=("$data")
"$cli" --data-dir "$data" sample-archive >/dev/null
start_program "$data" first-start
shot first-start 6
key F3
shot first-start-download 2
key Escape
shot first-start-after-download
close_program

# A back-test stopped half-way: the analysis must be back at the offset it started from, and the
# box must say that the test was stopped and after how many cycles. The script is the reference
# script of `velmora-cli bench`: three lines with list filters, each making a few stakes a cycle.
data=$(mktemp -d)
x_dirs+=("$data")
check_data_folder "$cli" "$data"
printf '%s\r\n' \
  'EXCL:10#RAND|TMF1#NUMS:10;20#LMV:3#SF:0|BSD0#EVEN:50#CLV:5#ST:2| | | | | |r1' \
  'FULL:0#FIRST|TMD1#SUMS:30#LVA:100-140;1#SF:0|TMF2#NUMS:8#CDV:1;2#SF:0| | | | | |r2' \
  'CURR:0#LAST|TSF1#EVEN:20;40#LNO:#SC:20| | | | | | |r3' >"$data/Velmora_5x50.lss"
start_program "$data" back-test
# The script page, where a user starts a script from and its status panels are (its tab is placed
# for the default screen size of 1366x768).
sleep 4  # placed and framed by the window manager
active=$(xdotool getactivewindow)
eval "$(xdotool getwindowgeometry --shell "$active")"
xdotool mousemove --window "$active" $((WIDTH - 440)) 32 click 1
shot back-test-start 6
key ctrl+F10
shot back-test-count 2
key ctrl+a
xdotool type --delay 50 300
key Return
shot back-test-running 12
key ctrl+x
shot back-test-stop-question 2
key Return
shot back-test-stopped 3
key Return
shot back-test-after 2
close_program
