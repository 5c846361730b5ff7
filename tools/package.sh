#!/usr/bin/env bash
# Builds the release packages kavri-VERSION-win64.zip and kavri-VERSION-win32.zip
# into build/packages and checks that each holds kavri.exe, deltree.exe,
# readme.txt and LICENSE.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/deps.sh
ensure_packages "${KAVRI_BUILD_PACKAGES[@]}"
mkdir -p build/packages
for preset in win64 win32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target kavri deltree
  (cd "build/$preset" && cpack -G ZIP -B "$PWD/../packages" >/dev/null)
done
rm -rf build/packages/_CPack_Packages
for zip in build/packages/kavri-*-win64.zip build/packages/kavri-*-win32.zip; do
  listing=$(cmake -E tar tf "$zip")
  for file in kavri.exe deltree.exe readme.txt LICENSE; do
    grep -q "/$file\$" <<<"$listing" || { echo "$zip lacks $file" >&2; exit 1; }
  done
  echo "$zip"
done
