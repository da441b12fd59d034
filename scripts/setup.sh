# Installs the Debian packages the build, the program and the tests need, and
# configures and builds the project in build/. Sourced by scripts/run and
# scripts/test.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PACKAGES=(cmake g++ make pkg-config qt6-base-dev libgl-dev libxcb1-dev libgtest-dev libbenchmark-dev
  fonts-liberation2 xvfb xauth xdotool openbox x11-apps x11-utils imagemagick valgrind)
# The Windows build (scripts/build-windows) and its tests under Wine.
WINDOWS_PACKAGES=(cmake make g++-mingw-w64-x86-64-posix googletest librsvg2-bin icoutils wine64
  fonts-wine)

# install_missing [packages...]: the given ones, or PACKAGES.
install_missing() {
  local wanted=("$@") missing=()
  [ $# -gt 0 ] || wanted=("${PACKAGES[@]}")
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

# build_in DIR [cmake options...]
build_in() {
  local dir="$1"
  shift
  cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j"$(nproc)"
}
