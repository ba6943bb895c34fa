#!/bin/sh
# Makes the warning sound of the deadlines screen, resources/shipped/Avviso.mp3: a two-note
# chime (E6 then C6, each struck and fading away, about 1.1 s) synthesised with sox and
# encoded with lame. Nothing is recorded or taken from elsewhere, and the same tools give the
# same bytes on every run: no dither, sox's fixed random seed, a fixed bit rate.
#
#   sh scripts/make-sound.sh
#
# Needs the Debian packages sox and lame.
set -eu
cd "$(dirname "$0")/.."

for tool in sox lame; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "make-sound.sh: $tool is missing (apt-get install --no-install-recommends sox lame)" >&2
        exit 1
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One struck note: a tone mixed with its octave, a 5 ms attack and a logarithmic fade to
# silence over the rest of the note.
note() { # frequency octave length fade-out file
    sox -D -R -n -r 44100 -c 1 -b 16 "$5" synth "$3" sine "$1" sine mix "$2" \
        fade l 0.005 "$3" "$4" vol 0.5
}
note 1318.51 2637.02 0.45 0.445 "$work/high.wav"
note 1046.50 2093.00 0.65 0.645 "$work/low.wav"
sox -D -R "$work/high.wav" "$work/low.wav" "$work/chime.wav" norm -3

out=resources/shipped/Avviso.mp3
lame --quiet --noreplaygain -m m -b 96 "$work/chime.wav" "$work/Avviso.mp3"
mv "$work/Avviso.mp3" "$out"
echo "$out: $(wc -c <"$out") bytes"
