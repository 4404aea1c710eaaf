#!/usr/bin/env bash
# Renders the instrument corpus of the tuner's accuracy and re-pluck benchmarks into DIR
# (default build/instrument_corpus), from Debian packages only:
#   - sox plucks, and the banjo, nylon and steel guitars and harp of six General MIDI sound
#     fonts through FluidSynth, each note of the four tunings detuned by 0, +-7 and +-20 cents
#     (the pitch bend). The fonts: fluid-soundfont-gm, musescore-general-soundfont and
#     timgm6mb-soundfont; fluidr3mono-gm-soundfont, the first one's samples re-encoded in mono,
#     lossy; csound-soundfont, a small bank of other recordings; and opl3-soundfont, whose
#     banjo is frequency-modulated synthesis rather than a recording;
#   - six conditions: clean, white and pink noise at 10 and 20 dB below the note, and a
#     reverberant room (sox reverb);
#   - aubio's yin, yinfft and mcomb (aubio-tools) on every file, one estimate per 4096-sample
#     block, for comparison.
# Files: DIR/CONDITION/SOUND_MIDI_CENTS.wav at 14039 Hz, mono, 16 bits, each a note of 2 s and a
# second of ringing out; DIR/CONDITION/SOUND_MIDI_CENTS.METHOD.txt aubio's "time hertz" lines.
# scripts/setup_bench.sh installs the packages. Takes a few minutes; run it under nice. aubio
# takes the longest: AUBIO_ON='*banjo*_0.wav' (a file name pattern) limits it to those files.
set -euo pipefail

dir=${1:-build/instrument_corpus}
rate=14039
fonts=(
    "fluid:/usr/share/sounds/sf2/FluidR3_GM.sf2"
    "muse:/usr/share/sounds/sf3/MuseScore_General.sf3"
    "timgm:/usr/share/sounds/sf2/TimGM6mb.sf2"
    "fluidmono:/usr/share/sounds/sf3/FluidR3Mono_GM.sf3"
    "csound:/usr/share/sounds/sf2/sf_GMbank.sf2"
    "opl3:/usr/share/sounds/sf2/OPL-3_FM_128M.sf2"
)
conditions=(clean white10 white20 pink10 pink20 reverb)
# General MIDI programs, counted from 0.
programs=("banjo:105" "nylon:24" "steel:25" "harp:46")
notes=(48 50 55 57 59 60 62 64 67 69)  # C3 D3 G3 A3 B3 C4 D4 E4 G4 A4
detunes=(0 7 -7 20 -20)
slot=3  # seconds per note in a rendered sequence

for tool in sox fluidsynth python3 aubiopitch awk; do
    command -v "$tool" >/dev/null || {
        echo "render_instrument_corpus: $tool is missing (bash scripts/setup_bench.sh)" >&2
        exit 1
    }
done
for condition in "${conditions[@]}"; do mkdir -p "$dir/$condition"; done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Brings a render to the capture format with its peak at -6 dBFS, so that every note is loud
# enough to be measured, as a player holds the phone close.
to_capture_format() {
    sox -q "$1" -r "$rate" -c 1 -b 16 "$2" gain -n -6
}

# Files already made are kept, so that an interrupted run picks up where it stopped.
# sox plucks: exact frequencies, no sampling.
for midi in "${notes[@]}"; do
    for cents in "${detunes[@]}"; do
        [ -e "$dir/clean/pluck_${midi}_${cents}.wav" ] && continue
        hertz=$(awk -v m="$midi" -v c="$cents" 'BEGIN { printf "%.6f", 440 * 2 ^ ((m - 69) / 12 + c / 1200) }')
        sox -q -R -n -r "$rate" -b 16 -c 1 "$work/pluck.wav" synth 2 pluck "$hertz" pad 0 1
        to_capture_format "$work/pluck.wav" "$dir/clean/pluck_${midi}_${cents}.wav"
    done
done

# One MIDI sequence per sound font: every program, note and detuning in turn, one slot each, so
# that a font is loaded once (a compressed one takes many seconds to load).
python3 - "$work/sequence.mid" "$slot" "${notes[*]}" "${detunes[*]}" "${programs[*]}" <<'PY'
import struct, sys
path, slot = sys.argv[1], int(sys.argv[2])
notes = [int(n) for n in sys.argv[3].split()]
detunes = [int(c) for c in sys.argv[4].split()]
programs = [int(p.split(":")[1]) for p in sys.argv[5].split()]

def vlq(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, (value & 0x7F) | 0x80)
        value >>= 7
    return bytes(out)

ticks_per_second = 1000  # 500 per beat at the default 120 beats a minute
events, last = [], 0
def at(seconds, data):
    global last
    tick = round(seconds * ticks_per_second)
    events.append(vlq(tick - last) + bytes(data))
    last = tick

start = 0.0
for program in programs:
    for midi in notes:
        for cents in detunes:
            # The bend range is +-2 semitones: 8192 steps per 200 cents.
            bend = max(0, min(16383, round(8192 + cents / 200 * 8192)))
            at(start, [0xC0, program])
            at(start, [0xE0, bend & 0x7F, bend >> 7])
            at(start + 0.01, [0x90, midi, 100])
            at(start + 2.01, [0x80, midi, 0])
            start += slot
at(start, [0xFF, 0x2F, 0x00])
track = b"".join(events)
header = b"MThd" + struct.pack(">IHHH", 6, 0, 1, 500)
open(path, "wb").write(header + b"MTrk" + struct.pack(">I", len(track)) + track)
PY

for entry in "${fonts[@]}"; do
    font=${entry%%:*}
    path=${entry#*:}
    [ -e "$dir/clean/${font}-${programs[-1]%%:*}_${notes[-1]}_${detunes[-1]}.wav" ] && continue
    [ -r "$path" ] || { echo "render_instrument_corpus: no sound font at $path" >&2; exit 1; }
    fluidsynth -ni -q -g 1.0 -r 44100 -F "$work/$font.wav" "$path" "$work/sequence.mid" \
        >/dev/null 2>&1
    index=0
    for program in "${programs[@]}"; do
        name=${program%%:*}
        for midi in "${notes[@]}"; do
            for cents in "${detunes[@]}"; do
                sox -q "$work/$font.wav" "$work/note.wav" trim $((index * slot)) "$slot"
                to_capture_format "$work/note.wav" "$dir/clean/${font}-${name}_${midi}_${cents}.wav"
                index=$((index + 1))
            done
        done
    done
    rm "$work/$font.wav"
done

rms() {
    sox "$1" -n stat 2>&1 | awk '/RMS +amplitude/ { print $3 }'
}

# Noise 10 and 20 dB below the note's RMS over its sounding first two seconds, and a room.
seconds=$((slot))
sox -q -R -n -r "$rate" -b 16 -c 1 "$work/white.wav" synth "$seconds" whitenoise vol 0.5
sox -q -R -n -r "$rate" -b 16 -c 1 "$work/pink.wav" synth "$seconds" pinknoise vol 0.5
white_rms=$(rms "$work/white.wav")
pink_rms=$(rms "$work/pink.wav")
for clean in "$dir"/clean/*.wav; do
    file=$(basename "$clean")
    [ -e "$dir/reverb/$file" ] && continue
    sox -q "$clean" "$work/head.wav" trim 0 2
    note_rms=$(rms "$work/head.wav")
    for noise in white pink; do
        noise_rms=$([ $noise = white ] && echo "$white_rms" || echo "$pink_rms")
        for below in 10 20; do
            gain=$(awk -v s="$note_rms" -v n="$noise_rms" -v d="$below" 'BEGIN { print s / (n * 10 ^ (d / 20)) }')
            sox -q -V1 -m -v 1 "$clean" -v "$gain" "$work/$noise.wav" "$dir/${noise}${below}/$file" \
                trim 0 "$seconds"
        done
    done
    sox -q -V1 "$clean" "$dir/reverb/$file" reverb 50 50 100 trim 0 "$seconds"
done

# aubio on the same blocks: a 4096-sample window advanced 4096 samples at a time. mcomb's
# loudness weighting knows only the usual sample rates, so it hears the file at 16 kHz through
# windows of the same 0.29 s (4669 samples; 0.05 ms longer, so block 10 is 0.5 ms late).
aubio() {
    local file=$1 method=$2
    [ -e "${file%.wav}.$method.txt" ] && return
    if [ "$method" = mcomb ]; then
        aubiopitch -i "$file" -r 16000 -B 4669 -H 4669 -p mcomb
    else
        aubiopitch -i "$file" -r 0 -B 4096 -H 4096 -p "$method"
    fi >"$work/aubio.txt" 2>/dev/null
    mv "$work/aubio.txt" "${file%.wav}.$method.txt"
}
for condition in "${conditions[@]}"; do
    for file in "$dir/$condition"/${AUBIO_ON:-*.wav}; do
        [ -e "$file" ] || continue
        for method in yin yinfft mcomb; do
            aubio "$file" "$method"
        done
    done
done
echo "render_instrument_corpus: $(ls "$dir"/*/*.wav | wc -l) files in $dir"
