#!/usr/bin/env bash
# Installs what is missing, builds all three configurations and runs every
# test: the rules on the host (also under the address and undefined-behaviour
# sanitizers), a bounded run of each fuzz target, then the Windows-side and
# end-to-end tests of the x86_64 build under Wine, and the release packages
# are built and checked. The i686 build is compiled only: this kernel cannot
# run 32-bit programs.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/deps.sh
ensure_packages "${KAVRI_BUILD_PACKAGES[@]}"

cleanup() {
  for root in build/*/wine; do
    [ -d "$root" ] || continue
    for prefix in "$root"/prefix-*; do
      [ -d "$prefix" ] && WINEPREFIX="$PWD/$prefix" wineserver -k 2>/dev/null || true
    done
    [ -f "$root/xvfb.pid" ] && kill "$(cat "$root/xvfb.pid")" 2>/dev/null || true
    rm -f "$root/xvfb.pid" "$root/display"
  done
}
trap cleanup EXIT

for preset in host host-asan fuzz win64 win32; do
  cmake --preset "$preset"
  cmake --build --preset "$preset"
done
ctest --preset host
ctest --preset host-asan
ctest --preset fuzz
ctest --preset win64
bash tools/package.sh
echo "All tests passed."
