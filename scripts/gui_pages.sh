#!/usr/bin/env bash
# Every page of the main window and the main dialogs on a real X server, in the language asked for,
# for a person to check by eye: texts that are cut, overlapping or left untranslated, columns that
# do not fit. Starts a virtual X server with a small window manager, runs Velmora_5x50 on a fresh
# data folder with the sample archive and grabs the screen: the start, each page of both page
# areas (Ctrl+Tab), the settings dialog with both of its pages, Qt's own file dialog (the script's
# "Open"), the script line dialog and the filter dialog it opens. Nothing is judged here.
#
#   scripts/gui_pages.sh [BUILD_DIR] [WIDTHxHEIGHT] [OUT_DIR] [LANGUAGE]
#
# BUILD_DIR: a build with the GUI (default build-ux-rel); screen size default 1366x768; pictures go
# to OUT_DIR (default BUILD_DIR/gui-pages-LANGUAGE-WIDTHxHEIGHT); LANGUAGE is "en" (the English
# module, chosen through the desktop's language) or "ru" (default).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
velmora_install_gui_check_deps

build=${1:-build-ux-rel}
size=${2:-1366x768}
language=${4:-ru}
out=${3:-$build/gui-pages-$language-$size}
gui=$build/src/gui/Velmora_5x50
cli=$build/src/cli/velmora-cli
[ -x "$gui" ] && [ -x "$cli" ] || { echo "build Velmora_5x50 and velmora-cli in $build first" >&2; exit 1; }
case $language in
  ru) export LANG=ru_RU.UTF-8 ;;
  en) export LANG=en_US.UTF-8 ;;
  *) echo "LANGUAGE is ru or en" >&2; exit 1 ;;
esac
export LC_ALL= LC_MESSAGES=
mkdir -p "$out"
rm -f "$out"/*.png
. scripts/x_session.sh
data=$(mktemp -d)
x_dirs+=("$data")
x_session_start "$size"
check_data_folder "$cli" "$data"
start_program "$data" program

shot start 6
eval "$(xdotool getwindowgeometry --shell "$win")"
at() { xdotool mousemove $((X + $1)) $((Y + $2)); }

# The pages of the left area (lists), then of the right area: a click into the area's first page,
# then Ctrl+Tab page by page (once around and back to the first).
at $((WIDTH / 5)) $((HEIGHT / 2))
xdotool click 1
for n in 1 2 3; do
  key ctrl+Tab
  shot "left-page-$n"
done
at $((WIDTH * 7 / 10)) $((HEIGHT * 2 / 5))
xdotool click 1
for n in $(seq 1 12); do
  key ctrl+Tab
  shot "right-page-$n"
done

# The settings dialog (the first item of the menu "File") and its second page.
key alt+f
shot file-menu
key Return
shot settings 2
key ctrl+Tab
shot settings-network
key Escape

# Qt's own file dialog: the script's "Open" (Ctrl+J).
key ctrl+j
shot open-dialog 2
key Escape
sleep 0.5

# The script line dialog (Ctrl+Insert) and the filter dialog of its first filter ("..." button).
at $((WIDTH / 2)) $((HEIGHT - 20))
key ctrl+Insert
shot script-line 2
dialog=$(xdotool getactivewindow)
eval "$(xdotool getwindowgeometry --shell "$dialog")"
xdotool mousemove $((X + WIDTH - 39)) $((Y + 268)) click 1
shot filter-dialog 2
key Escape
sleep 0.5
key Escape

close_program
