#!/usr/bin/env bash
# Renders the sound set of the tuning meter's accuracy benchmark into DIR (default
# build/accuracy_set): every note of the four tunings detuned by 0, +-3, +-7 and +-20 cents, as
# a sox pluck and as a sampled banjo (General MIDI program 105 through FluidSynth, detuned with
# the pitch bend). File names say what was played: pluck_<midi>_<cents>.wav, banjo_<midi>_<cents>.wav.
# Needs sox, fluidsynth and fluid-soundfont-gm (Debian packages); python3 writes the MIDI files.
set -euo pipefail

dir=${1:-build/accuracy_set}
font=${SOUND_FONT:-/usr/share/sounds/sf2/FluidR3_GM.sf2}
mkdir -p "$dir"
for tool in sox fluidsynth python3; do
    command -v "$tool" >/dev/null || { echo "make_accuracy_set: $tool is missing" >&2; exit 1; }
done
[ -r "$font" ] || { echo "make_accuracy_set: no sound font at $font" >&2; exit 1; }

notes=(48 50 55 57 59 60 62 64 67 69)  # C3 D3 G3 A3 B3 C4 D4 E4 G4 A4
detunes=(0 3 -3 7 -7 20 -20)

for midi in "${notes[@]}"; do
    for cents in "${detunes[@]}"; do
        hertz=$(python3 -c "print(f'{440 * 2 ** (($midi - 69) / 12 + $cents / 1200):.6f}')")
        sox -R -n -r 14039 -b 16 -c 1 "$dir/pluck_${midi}_${cents}.wav" synth 2 pluck "$hertz"
        # One note of two seconds on channel 0 with program 105, bent by `cents` (the bend range
        # is +-2 semitones: 8192 steps per 200 cents), then a second of ringing out.
        python3 - "$dir/banjo_${midi}_${cents}.mid" "$midi" "$cents" <<'PY'
import struct, sys
path, midi, cents = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])
bend = max(0, min(16383, round(8192 + cents / 200 * 8192)))
events = bytes([0x00, 0xC0, 105, 0x00, 0xE0, bend & 0x7F, bend >> 7, 0x00, 0x90, midi, 100,
                0x83, 0x60, 0x80, midi, 0,  # 480 ticks later (2 s at 120 bpm, 120 per beat)
                0x00, 0xFF, 0x2F, 0x00])
header = b"MThd" + struct.pack(">IHHH", 6, 0, 1, 120)
open(path, "wb").write(header + b"MTrk" + struct.pack(">I", len(events)) + events)
PY
        fluidsynth -ni -q -g 1.5 -r 44100 -F "$dir/banjo_${midi}_${cents}.wav" "$font" \
            "$dir/banjo_${midi}_${cents}.mid" >/dev/null 2>&1
        rm "$dir/banjo_${midi}_${cents}.mid"
    done
done
echo "make_accuracy_set: $(ls "$dir" | wc -l) files in $dir"
