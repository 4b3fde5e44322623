#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the automatic start's three sounds: a short announcement and "Pozor" spoken in Czech,
# and a shot. Needs espeak-ng and sox. The files are 22.05 kHz mono 16-bit WAV.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out="$here/sounds"
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

speak() {
    espeak-ng -v cs -s 140 -a 180 -w "$tmp/raw.wav" "$1"
    sox "$tmp/raw.wav" -r 22050 -c 1 -b 16 "$2" norm -1
}

speak "Na místa, připravit" "$out/zacatek.wav"
speak "Pozor" "$out/pozor.wav"
# A shot: a burst of noise that falls away in a fifth of a second.
sox -n -r 22050 -c 1 -b 16 "$out/vystrel.wav" synth 0.35 whitenoise fade q 0.002 0.35 0.33 \
    lowpass 3000 norm -1
