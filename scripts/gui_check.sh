#!/usr/bin/env bash
# How the desktop program looks on a real X server, for a person to check by eye: starts a virtual
# X server with a small window manager, runs Velmora_5x50 on a fresh data folder with the sample
# archive, drives it by keyboard and mouse and grabs the screen after each step. Nothing is judged
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
data=$(mktemp -d)

display=""
for n in $(seq 90 140); do
  if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then display=:$n; break; fi
done
[ -n "$display" ] || { echo "no free X display number" >&2; exit 1; }

pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[$i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$data"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1

"$cli" --data-dir "$data" sample-archive >/dev/null
# No draw download at start, and every web address on a closed loopback port: the pictures show
# the program itself, and nothing leaves this machine even when a step lands on a web command.
printf '[TFormMain]\r\nDownloadDrawsOnStart=2\r\n' >"$data/Velmora_5x50.frm"
web=https://127.0.0.1:9
printf '[WEB]\r\nDrawsSite=%s\r\nProxyListUrl=%s\r\nCatalogSite=%s\r\nUpdateSite=%s\r\n' \
  "$web" "$web" "$web" "$web" >"$data/Velmora_5x50.ini"
"$gui" --data-dir "$data" >"$out/program.log" 2>&1 &
app=$!
pids+=($app)

step=0
shot() {  # shot NAME [SECONDS TO WAIT FIRST]
  sleep "${2:-1}"
  step=$((step + 1))
  local file
  file=$(printf '%s/%02d-%s.png' "$out" "$step" "$1")
  import -window root "$file"
  echo "$file"
}
key() { xdotool key --clearmodifiers "$@"; }

win=$(xdotool search --sync --onlyvisible --name 'Velmora' | head -1)
xdotool windowactivate --sync "$win" || true
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
xdotool windowactivate --sync "$win" >/dev/null 2>&1 || true
key alt+F4
sleep 3
if kill -0 "$app" 2>/dev/null; then echo "the program did not close" >&2; else echo "closed"; fi
