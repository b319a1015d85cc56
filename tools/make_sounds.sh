#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Korvanis developers
# Rebuilds the sounds the program plays:
#   resources/Sounds/Beep.wav                the warning before a time limit runs out
#   resources/Sounds/Deutsch/0.wav … 9.wav   spoken digits, German
#   resources/Sounds/Englisch/0.wav … 9.wav  spoken digits, English
#
# Tools (Debian: apt install espeak-ng sox):
#   espeak-ng  We need twenty short words we are free to ship and can rebuild at will.
#              Its formant voices are in Debian main, need no recording session and
#              give the same samples on every run, so rerunning this script reproduces
#              the committed files bit for bit. (MBROLA voices sound more natural but
#              live in non-free.)
#   sox        Trims, de-clicks and levels the speech, synthesises the beep, and writes
#              the one format QSoundEffect reliably plays everywhere: RIFF WAVE, 16-bit
#              signed PCM, mono. Run with -R (fixed seeds) and -D (no dither) so the
#              output does not change from run to run.
#   awk        Measures loudness from sox's text dump; sox's own windowed RMS figure
#              (stats -w) is unreliable in 14.4.2.
#
# A digit is played once per pulse and the shortest pulse is 500 ms, so every digit
# must be over within 500 ms. We get there by cutting espeak's padding, not by talking
# faster: espeak's normal rate already fits with room to spare.
set -euo pipefail

readonly RATE=22050
# espeak's normal rate, stated so a changed default cannot silently lengthen the words.
readonly SPEED=175
readonly VOICE_DE=de
# en-gb is espeak's reference English voice and the most carefully tuned one.
readonly VOICE_EN=en-gb
readonly MAX_DIGIT_SECONDS=0.500
# Levelling: loudest 100 ms of each word to this RMS, but never a peak above the ceiling.
# Peak normalising alone left "sieben" almost 6 dB quieter than "drei".
readonly RMS_TARGET_DB=-14
readonly PEAK_CEILING_DB=-1
# A sine's RMS is 3 dB below its peak, so a beep peaking at the digits' RMS target
# sounds a little quieter than the words: noticeable, never startling.
readonly BEEP_PEAK_DB=$RMS_TARGET_DB

missing=()
for tool in espeak-ng sox awk; do
  command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
if ((${#missing[@]})); then
  echo "make_sounds.sh: missing ${missing[*]}; on Debian: sudo apt install espeak-ng sox" >&2
  exit 1
fi
for voice in "$VOICE_DE" "$VOICE_EN"; do
  if ! espeak-ng --voices="$voice" | awk 'NR > 1 { print $2 }' | grep -qx "$voice"; then
    echo "make_sounds.sh: espeak-ng has no voice '$voice'" >&2
    exit 1
  fi
done

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out="$root/resources/Sounds"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Everything is written explicitly as 16-bit signed PCM mono: sox would otherwise
# keep whatever espeak hands it, and QSoundEffect rejects ADPCM, mu-law and float.
readonly FORMAT=(-b 16 -e signed-integer -c 1 -r "$RATE")

# Prints "<peak dBFS> <loudest 100 ms RMS dBFS>" of a WAVE file.
levels() {
  sox "$1" -t dat - | awk -v rate="$RATE" '
    /^;/ { next }
    { n++; x = $2; s[n] = s[n - 1] + x * x; a = x < 0 ? -x : x; if (a > peak) peak = a }
    END {
      w = int(rate / 10); if (w > n) w = n
      for (i = w; i <= n; i++) { m = (s[i] - s[i - w]) / w; if (m > best) best = m }
      printf "%.2f %.2f\n", 20 * log(peak) / log(10), 10 * log(best) / log(10)
    }'
}

# speak <voice> <word> <destination>
speak() {
  local voice=$1 word=$2 dest=$3
  local raw="$work/raw.wav" trimmed="$work/trimmed.wav"
  espeak-ng -b 1 -v "$voice" -s "$SPEED" -w "$raw" "$word"
  # espeak pads the word with digital zeros, so a near-zero threshold finds the real
  # edges; a higher one (or a longer detection window) eats into soft onsets and the
  # tail of "sechs" or "six". The word itself starts and stops abruptly, which clicks:
  # a 3 ms fade-in and a 10 ms fade-out (done as a fade-in on the reversed audio,
  # because sox cannot fade out a stream of unknown length) smooth the edges.
  sox -R -D "$raw" "$trimmed" \
    silence 1 0.001 0.01% reverse silence 1 0.001 0.01% fade h 0.010 reverse fade h 0.003
  local peak rms gain
  read -r peak rms < <(levels "$trimmed")
  gain=$(awk -v p="$peak" -v r="$rms" -v t="$RMS_TARGET_DB" -v c="$PEAK_CEILING_DB" \
    'BEGIN { g = t - r; if (p + g > c) g = c - p; printf "%.2f", g }')
  sox -R -D "$trimmed" "${FORMAT[@]}" "$dest" gain "$gain"
  if awk -v d="$(soxi -D "$dest")" -v m="$MAX_DIGIT_SECONDS" 'BEGIN { exit !(d > m) }'; then
    echo "make_sounds.sh: '$word' ($voice) lasts $(soxi -D "$dest") s, longer than $MAX_DIGIT_SECONDS s" >&2
    exit 1
  fi
}

mkdir -p "$work/Deutsch" "$work/Englisch"
german=(null eins zwei drei vier fünf sechs sieben acht neun)
english=(zero one two three four five six seven eight nine)
for digit in {0..9}; do
  speak "$VOICE_DE" "${german[digit]}" "$work/Deutsch/$digit.wav"
  speak "$VOICE_EN" "${english[digit]}" "$work/Englisch/$digit.wav"
done

# 200 ms of A5 (880 Hz): high enough to cut through, low enough not to shrill; the
# longer fade-out makes it a soft "bip" instead of a hard-edged tone.
sox -R -D -n "${FORMAT[@]}" "$work/Beep.wav" \
  synth 0.200 sine 880 fade h 0.015 0.200 0.050 norm "$BEEP_PEAK_DB"

# Only replace the committed files once all of them were made.
mkdir -p "$out/Deutsch" "$out/Englisch"
for f in Beep.wav Deutsch/{0..9}.wav Englisch/{0..9}.wav; do
  mv -f "$work/$f" "$out/$f"
done

printf '%-18s %8s %9s %9s\n' file seconds 'peak dB' 'RMS dB'
for f in Beep.wav Deutsch/{0..9}.wav Englisch/{0..9}.wav; do
  read -r peak rms < <(levels "$out/$f")
  printf '%-18s %8.3f %9s %9s\n' "$f" "$(soxi -D "$out/$f")" "$peak" "$rms"
done
