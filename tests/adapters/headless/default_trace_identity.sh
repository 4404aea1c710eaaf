#!/usr/bin/env bash
# default_trace_identity.sh STRUMWISE FIXTURE [--write]
#
# With every player setting at its default, everything the tuner printed before those settings
# existed must stay byte for byte the same. This runs STRUMWISE over plucks it makes here with
# sox (-R: the same samples on every run) of the ten notes of the four tunings, in tune and
# detuned, through every tuning and the headless options that shape a trace, and renders every
# fork's tone; it compares the SHA-256 of each output with FIXTURE, which was written by the
# build before the settings were added (--write writes FIXTURE instead of comparing).
set -euo pipefail

bin=$1
fixture=$2
mode=${3:-check}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

pluck() {  # pluck FILE MIDI CENTS
    local hertz
    hertz=$(awk -v m="$2" -v c="$3" 'BEGIN { printf "%.4f", 440 * 2 ^ ((m - 69) / 12 + c / 1200) }')
    sox -R -n -r 14039 -b 16 -c 1 "$1" synth 1.5 pluck "$hertz"
}

sums="$work/sums"
: >"$sums"
record() {  # record NAME COMMAND...: the digest of what COMMAND prints, and its exit status
    local name=$1
    shift
    local status=0
    "$@" >"$work/out" 2>&1 || status=$?
    echo "status $status" >>"$work/out"
    echo "$(sha256sum <"$work/out" | cut -d' ' -f1)  $name" >>"$sums"
}

# The ten notes: in tune in every tuning; 7 cents sharp and 20 cents flat in the first.
for midi in 48 50 55 57 59 60 62 64 67 69; do
    pluck "$work/$midi+0.wav" "$midi" 0
    pluck "$work/$midi+7.wav" "$midi" 7
    pluck "$work/$midi-20.wav" "$midi" -20
    for tuning in 1 2 3 4; do
        record "$midi+0 tuning $tuning" "$bin" headless "$work/$midi+0.wav" --tuning "$tuning"
    done
    record "$midi+7" "$bin" headless "$work/$midi+7.wav"
    record "$midi-20" "$bin" headless "$work/$midi-20.wav"
done

# The five strings of open G one after another, through the options that shape a trace.
sox "$work/62+0.wav" "$work/59+0.wav" "$work/55+0.wav" "$work/50+0.wav" "$work/67+0.wav" \
    "$work/allfive.wav"
all=$work/allfive.wav
record "allfive" "$bin" headless "$all"
record "allfive json" "$bin" headless "$all" --json
record "allfive no octave check" "$bin" headless "$all" --no-octave-check
record "allfive rated" "$bin" headless "$all" --answer rate --network up --until 30
record "allfive later" "$bin" headless "$all" --answer later --store-review --until 30
record "allfive pad declined" "$bin" headless "$all" --answer decline --network up \
    --screen pad:1024 --until 30
record "allfive presses" "$bin" headless "$all" --screen phone:480 --press playG392Hz:@1.5 \
    --press playG196Hz:@2.0 --press stopFreqPlay:@3 --press showNextTuning:@4 \
    --press showPreviousTuning:@4.5 --press reviewStrumwise:@5 --tone-out "$work/tone.wav"
record "allfive presses tone" cat "$work/tone.wav"
record "allfive first run" "$bin" headless "$all" --defaults "$work/defaults.ini"
record "allfive second run" "$bin" headless "$all" --defaults "$work/defaults.ini"
record "allfive defaults" cat "$work/defaults.ini"

# Every fork's tone.
for tuning in 1 2 3 4; do
    for string in 1 2 3 4 5; do
        record "tone $tuning $string" "$bin" tone --tuning "$tuning" --string "$string" \
            --seconds 0.5 -o -
    done
done

if [ "$mode" = --write ]; then
    cp "$sums" "$fixture"
    echo "wrote $(wc -l <"$fixture") digests to $fixture"
    exit 0
fi
if ! diff -u "$fixture" "$sums"; then
    echo "default_trace_identity: an output with default settings changed (lines above)" >&2
    exit 1
fi
echo "default_trace_identity: $(wc -l <"$sums") outputs as before"
