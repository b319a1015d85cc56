#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Korvanis developers
# Sets up a Debian 12 machine for Korvanis, builds it, and either starts it or
# runs the test suite:
#   ./korvanis.sh start    install what the program needs, build it, start it
#   ./korvanis.sh test     install what the tests need too, build everything,
#                          run every test
# The installer's and the configuration's output go to log files in build/;
# the terminal gets a summary, and the log's end when something fails.
set -euo pipefail

cd "$(dirname "$0")"
case "${1:-}" in
  start | test) ;;
  *)
    echo "usage: $0 start|test" >&2
    exit 2
    ;;
esac

# What building and running the program needs, from Debian's packages. The SQLite
# driver keeps the training history and Qt Charts plots it; Charts' CMake files ask
# for the OpenGL module's, which only its -dev package brings. Qt's translations
# put its standard buttons in the language the user chose; the windows are laid
# out for the DejaVu fonts.
program_packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-multimedia-dev qt6-translations-l10n libshp-dev
  libqt6sql6-sqlite qt6-charts-dev libqt6opengl6-dev
  fonts-dejavu-core
)

# What the tests need besides. The Python modules are the independent dBase
# reader and writer the table tests compare against, Perl's XBase::Index the
# independent reader of the index files; strace kills a copy at each of its
# file-changing calls in the records tests; the desktop's validators
# check the menu entry, the metainfo and the manual page; the sqlite3 program
# reads the training history back as another tool would.
test_packages=(
  python3 python3-dbfread python3-dbf libdbd-xbase-perl strace
  desktop-file-utils appstream groff-base sqlite3
)

build=build
mkdir -p "$build"
log="$build/korvanis.sh.log"
: >"$log"

say() { echo "korvanis.sh: $*"; }
fail() {
  echo "korvanis.sh: $1" >&2
  if [ -n "${2:-}" ]; then
    echo "korvanis.sh: the end of $2:" >&2
    tail -n 25 "$2" >&2
  fi
  exit 1
}

# The time since the script started, as "1 min 5 s".
elapsed() {
  local s=$SECONDS
  if ((s >= 60)); then echo "$((s / 60)) min $((s % 60)) s"; else echo "$s s"; fi
}

install_missing() {
  local missing=() p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  ((${#missing[@]})) || return 0

  local sudo=()
  if [ "$(id -u)" != 0 ]; then
    command -v sudo >/dev/null \
      || fail "missing packages: ${missing[*]}
korvanis.sh: installing them needs root: run as root or install sudo"
    say "missing packages: ${missing[*]}; installing them with sudo"
    sudo -v || fail "sudo refused: run as root, or let your user use sudo"
    sudo=(sudo)
  fi
  say "installing ${#missing[@]} packages (log: $log) ..."
  {
    "${sudo[@]}" apt-get update \
      && "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
  } >>"$log" 2>&1 || fail "installing the packages failed" "$log"
  local counted
  counted=$(grep -o '[0-9]* newly installed' "$log" | tail -n 1 || true)
  say "installed ${#missing[@]} packages (${counted:-? newly installed} with their dependencies) after $(elapsed)"
}

configure() {
  cmake -S . -B "$1" -G Ninja "${@:2}" >>"$log" 2>&1 || fail "configuring $1 failed" "$log"
}
# Optimised as a release, but without debug information, which made the build
# a quarter slower and which a user never reads. The program keeps the user's
# files in ~/.local/share/Korvanis like an installed one, so deleting build/
# never deletes years of records.
main_build_options=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" -DKORVANIS_USER_DATA_FOLDER=ON)

# Records kept in build/ by an older build move to the user's folder once, so
# the program finds them there; nothing is overwritten.
move_old_data() {
  local to="${XDG_DATA_HOME:-$HOME/.local/share}/Korvanis" f moved=()
  for f in BRAIN.INI KORVANIS.DBF KORVANIS.SQLITE; do
    [ -e "$to/$f" ] && return 0
  done
  for f in BRAIN.INI KORVANIS.DBF KORVANIS.NTX KORVANI2.NTX KORVANIS.SQLITE; do
    if [ -e "$build/$f" ]; then
      mkdir -p "$to"
      mv -n "$build/$f" "$to/" && moved+=("$f")
    fi
  done
  if ((${#moved[@]})); then say "moved ${moved[*]} from $build/ to $to/"; fi
}

case "${1:-}" in
  start)
    install_missing "${program_packages[@]}"
    configure "$build" "${main_build_options[@]}"
    say "building the program after $(elapsed) ..."
    cmake --build "$build" --target korvanis
    move_old_data
    say "starting Korvanis after $(elapsed); its files are in ${XDG_DATA_HOME:-$HOME/.local/share}/Korvanis"
    # The signal sound is named relative to the folder the program starts in.
    cd "$build"
    exec ./korvanis
    ;;
  test)
    install_missing "${program_packages[@]}" "${test_packages[@]}"
    configure "$build" "${main_build_options[@]}"
    say "building the program, the tests, the benchmarks and the tools after $(elapsed) ..."
    cmake --build "$build"
    ctest --test-dir "$build" --output-on-failure -j2
    # The table code once more under AddressSanitizer and UBSan: the fuzz test
    # feeds it thousands of damaged tables.
    configure build-asan -DKORVANIS_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
    say "building the records tests with the sanitizers after $(elapsed) ..."
    cmake --build build-asan --target records_tests
    ctest --test-dir build-asan --output-on-failure -j2 -R 'records|xbase'
    say "every test passed after $(elapsed)"
    ;;
esac
