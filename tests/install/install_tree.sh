#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the tree a desktop and a package manager
# rely on: the programs, the language modules, the help, the desktop entry, the AppStream metadata,
# the icon sizes, the man pages and the catalog server's unit.
# usage: install_tree.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

for exe in Velmora_5x50 velmora-cli velmora-catalogd; do
  [ -x "$prefix/bin/$exe" ] || fail "bin/$exe is missing or not executable"
done
share=$prefix/share/velmora
[ -s "$share/Velmora_5x50_ENU.lng" ] || fail "language module missing in share/velmora"
for lang in RUS ENU; do
  [ -s "$share/help/Numora_$lang/index.htm" ] || fail "help Numora_$lang/index.htm missing"
done

id=org.velmora.Velmora5x50
desktop=$prefix/share/applications/$id.desktop
[ -f "$desktop" ] || fail "desktop entry missing"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
exec_cmd=$(sed -n 's/^Exec=//p' "$desktop")
[ -x "$prefix/bin/${exec_cmd%% *}" ] || fail "the desktop entry starts '$exec_cmd', which is not installed"
icon=$(sed -n 's/^Icon=//p' "$desktop")

appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null ||
  fail "appstreamcli rejects the metainfo"
grep -q "<release version=\"[0-9]" "$prefix/share/metainfo/$id.metainfo.xml" || fail "metainfo without the version"

hicolor=$prefix/share/icons/hicolor
[ -s "$hicolor/scalable/apps/$icon.svg" ] || fail "scalable icon $icon.svg missing"
for size in 48 256; do
  png=$hicolor/${size}x${size}/apps/$icon.png
  [ -s "$png" ] || fail "icon $png missing"
  # PNG header: width and height are the big-endian words at bytes 16 and 20.
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "icon $png is ${w}x$h, not ${size}x$size"
done

for page in man1/velmora-cli.1 man8/velmora-catalogd.8; do
  f=$prefix/share/man/$page
  [ -s "$f" ] || fail "man page $page missing"
  out=$(MANWIDTH=80 man -l "$f" 2>&1 >/dev/null) || fail "man -l $page fails"
  [ -z "$out" ] || fail "man -l $page warns: $out"
done

unit=$prefix/lib/systemd/system/velmora-catalogd.service
[ -f "$unit" ] || fail "systemd unit missing"
for line in User=velmora-catalogd ProtectSystem=strict NoNewPrivileges=yes StateDirectory=velmora-catalogd \
            "ExecStart=/usr/bin/velmora-catalogd"; do
  grep -q "^$line" "$unit" || fail "unit lacks $line"
done
grep -q -- "--db /var/lib/velmora-catalogd/" "$unit" || fail "the unit's database is not under /var/lib/velmora-catalogd"
[ -f "$prefix/lib/sysusers.d/velmora-catalogd.conf" ] || fail "sysusers entry missing"

# Nothing of the build tree leaks into the installed tree.
if find "$prefix" -name CMakeFiles -o -name '*.o' -o -name cmake_install.cmake | grep -q .; then
  fail "build files were installed"
fi
echo "install tree OK"
