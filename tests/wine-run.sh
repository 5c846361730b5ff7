#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest. Each locale gets a Wine prefix
# of its own (and so a wineserver of its own), set to show every window on one
# virtual desktop, where activation, SendInput and frames work as on Windows.
# Without a display of its own, a private Xvfb serves all tests of the build.
set -euo pipefail

root=${KAVRI_WINE_ROOT:-$(pwd)/wine}
mkdir -p "$root"
tag=$(printf "%s" "${KAVRI_WINE_TAG:-}${LC_ALL:-default}" | tr -c "A-Za-z0-9" "_")
export WINEPREFIX=${KAVRI_WINEPREFIX:-$root/prefix-$tag}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

exec 9>"$root/lock"
flock 9
if [ -z "${KAVRI_TEST_DISPLAY:-}" ]; then
  display=$(cat "$root/display" 2>/dev/null || true)
  if [ -z "$display" ] || ! xdpyinfo -display ":$display" >/dev/null 2>&1; then
    for n in $(seq 70 160); do
      [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
      display=$n
      break
    done
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$root/xvfb.log" 2>&1 &
    echo "$!" >"$root/xvfb.pid"
    for _ in $(seq 100); do xdpyinfo -display ":$display" >/dev/null 2>&1 && break; sleep 0.1; done
    echo "$display" >"$root/display"
  fi
  export DISPLAY=":$display"
else
  export DISPLAY=$KAVRI_TEST_DISPLAY
fi
source "$(dirname "$0")/../tools/wine-prefix.sh"
prepare_wine_prefix 1024x768
flock -u 9
exec 9>&-

exec wine "$@"
