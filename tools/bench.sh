#!/usr/bin/env bash
# Builds the x86_64 configuration and runs every benchmark under Wine, side
# by side with its yardstick, printing one table.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/deps.sh
ensure_packages "${KAVRI_BUILD_PACKAGES[@]}"
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target kavri deltree minimal_window minimal_sender kavri_bench
out="$PWD/build/win64"
export KAVRI_WINE_ROOT="$out/wine" KAVRI_WINE_TAG=bench_
trap 'WINEPREFIX="$out/wine/prefix-bench_default" wineserver -k 2>/dev/null || true' EXIT
tests/wine-run.sh "$out/bench/kavri_bench.exe" --kavri="$out/kavri.exe" \
  --minimal="$out/bench/minimal_window.exe" --sender="$out/bench/minimal_sender.exe" "$@"
