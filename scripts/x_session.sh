# Shared by the scripts that show the desktop program on a real X server for a person to check by
# eye (gui_check.sh, gui_pages.sh). Sourced, it gives:
#   x_session_start WIDTHxHEIGHT   a virtual X server on a free display with a small window manager;
#                                  sets DISPLAY; whatever is listed in x_pids (processes) and x_dirs
#                                  (folders) is stopped or removed when the script exits
#   check_data_folder CLI DIR      the sample archive in DIR, no draw download at start, and every
#                                  web address on a closed loopback port, so nothing leaves the
#                                  machine even when a step lands on a web command
#   start_program DATA_DIR LOG     $gui on the data folder, its output in $out/LOG.log; sets app
#                                  (the process) and win (its main window, activated)
#   close_program                  Alt+F4 to the main window; says whether the program closed
#   shot NAME [SECONDS]            waits (1 s by default), then grabs the screen into
#                                  $out/NN-NAME.png and prints the file name
#   key KEYS...                    xdotool key presses without the modifiers held
x_pids=()
x_dirs=()
x_session_cleanup() {
  for ((i = ${#x_pids[@]} - 1; i >= 0; i--)); do kill "${x_pids[$i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  [ ${#x_dirs[@]} -eq 0 ] || rm -rf "${x_dirs[@]}"
}

x_session_start() {
  local display="" n
  for n in $(seq 90 140); do
    if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then display=:$n; break; fi
  done
  [ -n "$display" ] || { echo "no free X display number" >&2; exit 1; }
  trap x_session_cleanup EXIT
  Xvfb "$display" -screen 0 "${1}x24" -nolisten tcp >/dev/null 2>&1 &
  x_pids+=($!)
  export DISPLAY=$display
  for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
  openbox >/dev/null 2>&1 &
  x_pids+=($!)
  sleep 1
}

check_data_folder() {
  "$1" --data-dir "$2" sample-archive >/dev/null
  printf '[TFormMain]\r\nDownloadDrawsOnStart=2\r\n' >"$2/Velmora_5x50.frm"
  local web=https://127.0.0.1:9
  printf '[WEB]\r\nDrawsSite=%s\r\nProxyListUrl=%s\r\nCatalogSite=%s\r\nUpdateSite=%s\r\n' \
    "$web" "$web" "$web" "$web" >"$2/Velmora_5x50.ini"
}

app="" win=""
start_program() {
  "$gui" --data-dir "$1" >"$out/$2.log" 2>&1 &
  app=$!
  x_pids+=($app)
  win=$(xdotool search --sync --onlyvisible --pid "$app" --name 'Velmora' | head -1)
  xdotool windowactivate --sync "$win" >/dev/null 2>&1 || true
}

close_program() {
  xdotool windowactivate --sync "$win" >/dev/null 2>&1 || true
  xdotool key --clearmodifiers alt+F4
  for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.2; done
  if kill -0 "$app" 2>/dev/null; then echo "the program did not close" >&2; kill "$app"; else echo "closed"; fi
}

step=0
shot() {
  sleep "${2:-1}"
  step=$((step + 1))
  local file
  file=$(printf '%s/%02d-%s.png' "$out" "$step" "$1")
  import -window root "$file"
  echo "$file"
}
key() { xdotool key --clearmodifiers "$@"; }
