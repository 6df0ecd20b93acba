#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing (apt-get update once).
set -euo pipefail

VELMORA_PACKAGES=(
  g++ cmake make pkg-config
  qt6-base-dev qt6-charts-dev qt6-l10n-tools libqt6opengl6-dev libgl-dev
  qt6-translations-l10n
  libcurl4-openssl-dev
  googletest libgtest-dev libgmock-dev
  libbenchmark-dev
  fonts-dejavu-core
  libxlsxwriter-dev unzip
  libcpp-httplib-dev libssl-dev libsqlite3-dev
  tinyproxy
  makeself
  desktop-file-utils appstream man-db dpkg-dev librsvg2-bin
)

# GUI checks by hand (scripts/gui_check.sh): a virtual X server, a small window manager, input
# driving and screen grabs. Not needed by the build or ./test; gui_check.sh installs them.
VELMORA_GUI_CHECK_PACKAGES=(
  xvfb openbox xdotool imagemagick
)

velmora_install_deps() {
  velmora_install_packages "${VELMORA_PACKAGES[@]}"
}

velmora_install_gui_check_deps() {
  velmora_install_packages "${VELMORA_GUI_CHECK_PACKAGES[@]}"
}

velmora_install_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}
