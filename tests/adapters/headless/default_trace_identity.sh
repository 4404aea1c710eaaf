#!/usr/bin/env bash
# default_trace_identity.sh STRUMWISE FIXTURE [--write]
#
# With every player setting at its default, the tuner's outputs stay as they were. This runs
# STRUMWISE over plucks it makes here with sox (-R: the same samples on every run) of the ten
# notes of the four tunings, in tune and detuned, through every tuning and the headless options
# that shape a trace, and renders every fork's tone; it compares two SHA-256 digests of each
# output with FIXTURE:
#   - "screen": the output without the tuning meter's and the screen look's lines, which the
#     tuner added beyond its original screen. These digests were written by the build before the
#     player's settings and the one reading, and must never change: every other write of the
#     screen, the log, the defaults and the tones is the original's.
#     Where the one reading mends a plainly wrong write, a "mended" digest stands in for the
#     output's "screen" one: on these plucks, a Hz label that contradicted the meter in a dying
#     note's last blocks, and a string in tune by its reading left dark because the estimate's
#     bin fell outside its window or an octave away.
#   - "whole": the whole output, meter and look included, as the build that last changed them
#     wrote it, so that any later change to what the meter or the look shows is seen.
# --write takes the "whole" digests from STRUMWISE and keeps FIXTURE's "screen" ones, adding a
# "mended" line for each output whose screen writes STRUMWISE prints otherwise: read those in the
# diff before committing them.
set -euo pipefail
export LC_ALL=C

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
# The meter's and the look's lines, as text and as JSON.
added='^[0-9.]+ (tuningMeter|screenLook) |"target":"(tuningMeter|screenLook)"'
record() {  # record NAME COMMAND...: the digests of what COMMAND prints, and its exit status
    local name=$1
    shift
    local status=0
    "$@" >"$work/out" 2>&1 || status=$?
    echo "status $status" >>"$work/out"
    echo "$({ grep -aEv "$added" "$work/out" || true; } | sha256sum | cut -d' ' -f1)  screen $name" \
        >>"$sums"
    echo "$(sha256sum <"$work/out" | cut -d' ' -f1)  whole $name" >>"$sums"
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

# What this build must print: the fixture's "screen" digest of each output, or its "mended" one
# where it has one, and its "whole" digest.
expected() {
    awk '$2 == "screen" || $2 == "whole" { key = $2 " " substr($0, index($0, $3)); d[key] = $1 }
         $2 == "mended" { m["screen " substr($0, index($0, $3))] = $1 }
         END { for (k in d) print ((k in m) ? m[k] : d[k]) "  " k }' "$1" | sort -k2
}

if [ "$mode" = --write ]; then
    # The "screen" lines stay as the earlier build wrote them (a new fixture takes them all from
    # this build); an output whose screen writes this build prints otherwise gets a "mended" line.
    if [ ! -s "$fixture" ]; then
        grep '  screen ' "$sums" >"$fixture"
    fi
    grep '  screen ' "$fixture" >"$work/screen"
    awk 'NR == FNR { if ($2 == "screen") old[substr($0, index($0, $3))] = $1; next }
         $2 == "screen" { name = substr($0, index($0, $3))
                          if (old[name] != $1) print $1 "  mended " name }' \
        "$work/screen" "$sums" >"$work/mended"
    { cat "$work/screen" "$work/mended"; grep '  whole ' "$sums"; } >"$fixture"
    echo "wrote $fixture: $(wc -l <"$work/mended") outputs mended, $(grep -c '  whole ' "$sums") whole"
    exit 0
fi
if ! diff -u <(expected "$fixture") <(sort -k2 "$sums"); then
    echo "default_trace_identity: an output with default settings changed (lines above)" >&2
    exit 1
fi
echo "default_trace_identity: $(grep -c '  whole ' "$sums") outputs as before"
