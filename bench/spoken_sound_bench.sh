#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Korvanis developers
# Measures what the user hears of the spoken digits, at a sound server's output:
# starts a private PulseAudio with a null sink (nothing is heard, and no running
# server is touched), has bench_spoken_sound speak digits through the real window
# and player while it records the sink's monitor, and prints its figures for
#   120 digits at the shortest pulse, 500 ms, the voice English from digit 61,
#        then five signal sounds;
#   20 digits at 1000 ms;
#   20 digits at 500 ms, START pressed after 20 s of silence (the output sleeps
#        after 15 s and wakes with the first digit);
#   20 digits at 500 ms with every core kept busy by a busy loop.
# Without pulseaudio or parec, or when no server can be started, it says so and
# exits 0: the figures need a sound server, a build does not.
#
# Usage: bench/spoken_sound_bench.sh [build folder, default build]
set -uo pipefail

build=${1:-build}
driver=$build/bench/bench_spoken_sound
if [ ! -x "$driver" ]; then
  echo "spoken_sound_bench.sh: no $driver; build the target bench_spoken_sound" >&2
  exit 1
fi
skip() {
  echo "# spoken sound: skipped, $*"
  exit 0
}
for tool in pulseaudio pactl parec; do
  command -v "$tool" >/dev/null 2>&1 || skip "no $tool (Debian: apt install pulseaudio pulseaudio-utils)"
done

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A home and runtime folder of its own, so the server neither finds nor
# disturbs the user's; the clients reach it by its socket alone.
mkdir -m 700 -p "$work/home" "$work/run"
export HOME=$work/home XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/home/.config
export PULSE_SERVER=unix:$work/native
# The sink runs at the files' own format, so the monitor hears the samples the
# program sent, unresampled.
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-level=error \
  -L "module-null-sink sink_name=korvanis_bench rate=22050 channels=1 format=s16le" \
  -L "module-native-protocol-unix socket=$work/native auth-anonymous=1" \
  >"$work/pulse.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do
  pactl info >/dev/null 2>&1 && break
  sleep 0.1
done
if ! pactl info >/dev/null 2>&1; then
  sed 's/^/# pulseaudio: /' "$work/pulse.log"
  skip "no sound server could be started"
fi
pactl set-default-sink korvanis_bench

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
run() {
  "$driver" --monitor korvanis_bench.monitor "$@" 2> >(grep -v '^QStandardPaths' >&2)
}

echo "# 120 digits at 500 ms, English from digit 61, then 5 signal sounds"
run --digits 120 --pulse 500 --switch-at 61 --beeps 5
echo "# 20 digits at 1000 ms"
run --digits 20 --pulse 1000 --beeps 0 --prefix slow_
echo "# 20 digits at 500 ms, START after 20 s of silence"
run --digits 20 --pulse 500 --beeps 0 --settle 20000 --prefix woken_
cores=$(nproc)
echo "# 20 digits at 500 ms, $cores busy loops"
busy=()
for _ in $(seq "$cores"); do
  (while :; do :; done) &
  busy+=($!)
  pids+=($!)
done
run --digits 20 --pulse 500 --beeps 0 --prefix loaded_
kill "${busy[@]}" 2>/dev/null
