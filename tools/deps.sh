# Sourced by the quick-start scripts: installs, with apt-get, whichever of the
# named Debian/Ubuntu packages is missing.
ensure_packages() {
  local missing=()
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

# What every build needs: the host compiler and GoogleTest, both MinGW
# cross-compilers, Wine to run the Windows programs, an X server without a
# screen for the windows, and clang with its libFuzzer runtime. Wine's own
# fonts and the X extensions its display driver uses are only recommended by
# its packages, which are installed without recommendations, so they are
# named here: the tests run with them.
KAVRI_BUILD_PACKAGES=(
  cmake ninja-build g++ libgtest-dev googletest
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 fonts-wine libxrandr2 libxrender1 libxi6 libxinerama1 libxcursor1 libxfixes3
  xvfb x11-utils xauth
  clang libclang-rt-dev
)
