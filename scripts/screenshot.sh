#!/usr/bin/env bash
# Starts a Windows program under Wine on a private Xvfb display, waits until its
# windows are drawn and still, saves a PNG of them and ends every process it started.
# Wine runs as a virtual desktop so that window frames and title bars are drawn too.
#
# Usage: scripts/screenshot.sh [options] OUT.png PROGRAM.exe [ARGS...]
#   --keys "K1 K2"   xdotool keys sent once the window is up (e.g. "alt+v" or "F1")
#   --mouse X,Y      move the pointer there (screen pixels) once the window is up
#   --dblclick "X,Y ..."  double-click at each point in turn (screen pixels) once the window
#                    is up, before the keys
#   --delay N        seconds to wait after the keys or the first still picture (default 1)
#   --timeout N      seconds to wait for a picture at all (default 120)
#   --size WxH       size of the screen and the Wine desktop (default 1024x768)
#   --full           keep the whole screen instead of cutting out the windows
#   --close-with CLOSER.exe  after the picture, run this Windows program with the
#                    arguments "--desktop shot" (the name of the Wine desktop), e.g.
#                    build/windows/trovex-close.exe, which closes the main window as a
#                    user would, and wait for the program to end; fails when it fails
# WINEPREFIX selects the prefix (default build/wine); prepare it first with
# scripts/prepare-wine-prefix.sh (scripts/install-into-prefix.sh installs Trovex there).
set -euo pipefail
keys="" mouse="" dblclick="" delay=1 timeout=120 size=1024x768 full=0 closer=""
while [ $# -gt 0 ]; do
  case "$1" in
    --keys) keys=$2; shift 2 ;;
    --mouse) mouse=$2; shift 2 ;;
    --dblclick) dblclick=$2; shift 2 ;;
    --delay) delay=$2; shift 2 ;;
    --timeout) timeout=$2; shift 2 ;;
    --size) size=$2; shift 2 ;;
    --full) full=1; shift ;;
    --close-with) closer=$2; shift 2 ;;
    *) break ;;
  esac
done
[ $# -ge 2 ] || { sed -n '2,22p' "$0"; exit 2; }
out=$1; program=$2; shift 2

root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wine}"
# winemenubuilder would turn shortcuts the program makes into Linux desktop entries.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" WINEARCH=win64
wine=/usr/lib/wine/wine64

# A free display number.
display=90
while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do display=$((display + 1)); done
export DISPLAY=":$display"

xvfb_pid="" wine_pid=""
cleanup() {
  [ -n "$wine_pid" ] && kill "$wine_pid" 2>/dev/null || true
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  [ -n "$wine_pid" ] && wait "$wine_pid" 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
trap cleanup EXIT

Xvfb "$DISPLAY" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display}" ] && break; sleep 0.1; done

"$wine" explorer "/desktop=shot,${size}" "$program" "$@" >/dev/null 2>&1 &
wine_pid=$!

snap() { import -window root "$1" 2>/dev/null; }
# Something is drawn once the screen is more than the empty desktop; wait until two
# pictures a second apart are the same.
tmp=$(mktemp -d)
trap 'cleanup; rm -rf "$tmp"' EXIT
start=$SECONDS
previous=""
while :; do
  if [ $((SECONDS - start)) -gt "$timeout" ]; then
    echo "screenshot.sh: nothing appeared within ${timeout}s" >&2
    exit 1
  fi
  sleep 1
  snap "$tmp/now.png" || continue
  colours=$(convert "$tmp/now.png" -format '%k' info: 2>/dev/null || echo 1)
  [ "$colours" -gt 1 ] || continue
  sum=$(md5sum < "$tmp/now.png")
  [ "$sum" = "$previous" ] && break
  previous=$sum
done
for point in $dblclick; do
  xdotool mousemove "${point%,*}" "${point#*,}"
  sleep 0.3
  xdotool click --repeat 2 --delay 80 1
  sleep 1
done
if [ -n "$mouse" ]; then
  xdotool mousemove "${mouse%,*}" "${mouse#*,}"
  sleep 0.3
  xdotool mousemove_relative 1 0
fi
if [ -n "$keys" ]; then
  for key in $keys; do xdotool key "$key"; sleep 0.3; done
fi
sleep "$delay"
snap "$tmp/final.png"
mkdir -p "$(dirname "$out")"
if [ "$full" -eq 1 ]; then
  cp "$tmp/final.png" "$out"
else
  convert "$tmp/final.png" -trim +repage "$out"
fi
if [ -n "$closer" ]; then
  "$wine" "$closer" --desktop shot >&2 || { echo "screenshot.sh: $closer failed ($?)" >&2; exit 1; }
  # The virtual desktop ends by itself once the program has gone.
  for _ in $(seq 100); do kill -0 "$wine_pid" 2>/dev/null || break; sleep 0.1; done
  if ! kill -0 "$wine_pid" 2>/dev/null; then
    wait "$wine_pid" 2>/dev/null || true
    wine_pid=""
    /usr/lib/wine/wineserver -w
  fi
fi
echo "$out"
