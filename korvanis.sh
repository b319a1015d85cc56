#!/usr/bin/env bash
# Sets up a Debian 12 machine for Korvanis, builds it, and either starts it or
# runs the test suite:
#   ./korvanis.sh start    install what is missing, build, start Korvanis
#   ./korvanis.sh test     install what is missing, build, run every test
set -euo pipefail

cd "$(dirname "$0")"

# Everything the build, the program and the tests need, from Debian's packages.
# The Python modules are the independent dBase reader and writer the table tests
# compare against; the fonts give offscreen tests and screenshots real glyphs; Qt's
# translations put its standard buttons in the language the user chose. The SQLite
# driver keeps the training history and Qt Charts plots it; Charts' CMake files ask
# for the OpenGL module's, which only its -dev package brings.
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-multimedia-dev qt6-translations-l10n libshp-dev
  libqt6sql6-sqlite qt6-charts-dev libqt6opengl6-dev
  python3 python3-dbfread python3-dbf libdbd-xbase-perl strace
  fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  echo "korvanis.sh: installing ${missing[*]}"
  sudo=""
  if [ "$(id -u)" != 0 ]; then sudo="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build=build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build"

case "${1:-}" in
  start)
    # The program finds its sounds relative to its folder.
    cd "$build"
    exec ./korvanis
    ;;
  test)
    ctest --test-dir "$build" --output-on-failure -j2
    # The table code once more under AddressSanitizer and UBSan: the fuzz test
    # feeds it thousands of damaged tables.
    cmake -S . -B build-asan -G Ninja -DKORVANIS_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
    cmake --build build-asan --target records_tests
    exec ctest --test-dir build-asan --output-on-failure -j2 -R 'records|xbase'
    ;;
  *)
    echo "usage: $0 start|test" >&2
    exit 2
    ;;
esac
