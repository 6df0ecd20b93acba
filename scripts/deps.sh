#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing (apt-get update once).
set -euo pipefail

VELMORA_PACKAGES=(
  g++ cmake make pkg-config
  qt6-base-dev qt6-charts-dev qt6-l10n-tools libqt6opengl6-dev libgl-dev
  libcurl4-openssl-dev
  googletest libgtest-dev libgmock-dev
  libbenchmark-dev
  fonts-dejavu-core
)

velmora_install_deps() {
  local missing=()
  for p in "${VELMORA_PACKAGES[@]}"; do
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
