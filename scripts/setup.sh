# Sourced by the other scripts: installs the missing Debian packages, then
# configures and builds the project into $BUILD_DIR.
set -euo pipefail

ROOT_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT_DIR/build}
JOBS=${JOBS:-$(nproc)}

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
  local missing=()
  while read -r pkg; do
    case "$pkg" in ''|'#'*) continue ;; esac
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done < "$ROOT_DIR/scripts/packages.txt"
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

build_project() {
  cmake -S "$ROOT_DIR" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDVR_WERROR=ON "$@"
  cmake --build "$BUILD_DIR" -j "$JOBS"
}

# A tree of its own built by clang with the same generator:
# build_clang_tree <dir> <target, or "" for all> <cmake options...>
build_clang_tree() {
  local tree=$1 target=$2
  shift 2
  CC=clang CXX=clang++ cmake -S "$ROOT_DIR" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$tree" -j "$JOBS" ${target:+--target "$target"}
}

# The fuzz targets need clang's libFuzzer.
build_fuzzers() {
  build_clang_tree "$BUILD_DIR-fuzz" fuzzers -DDVR_FUZZ=ON
}
