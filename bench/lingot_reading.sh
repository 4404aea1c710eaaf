#!/usr/bin/env bash
# What Lingot, another tuner, shows for sound files, measured as a player would see it: Lingot
# runs on a virtual display (Xvfb) and listens to the monitor of a null sink of a private
# PulseAudio, each file is played into that sink in real time, and the frequency and error
# labels of its window are read through the desktop's accessibility interface twenty times a
# second. Nothing of Lingot is used but the program a player runs; its settings are its
# defaults, but for the sound server and the highest frequency (A4 is 440 Hz, above its default
# 330 Hz).
#
#   bash bench/lingot_reading.sh FILE...
#
# Prints, per file, the readings while Lingot showed one ("SECONDS HERTZ" after the file began
# to play), then "FILE median HERTZ first SECONDS HERTZ": the median of its readings from 0.5 s
# to 2 s into the file, and its first. scripts/setup_bench.sh installs Lingot, Xvfb, PulseAudio
# and the accessibility bindings.
set -euo pipefail

for tool in lingot Xvfb pulseaudio paplay pactl dbus-run-session; do
    command -v "$tool" >/dev/null || {
        echo "lingot_reading: $tool is missing (bash scripts/setup_bench.sh)" >&2
        exit 1
    }
done
[ $# -gt 0 ] || { echo "usage: bash bench/lingot_reading.sh FILE..." >&2; exit 2; }

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$work/run HOME=$work/home
mkdir -p "$XDG_RUNTIME_DIR" "$HOME/.config/lingot"
chmod 700 "$XDG_RUNTIME_DIR"

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
pulseaudio --daemonize=no --exit-idle-time=-1 --system=false -n \
    --load="module-null-sink sink_name=lingot_null rate=44100" \
    --load="module-native-protocol-unix" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done

cat >"$HOME/.config/lingot/lingot.conf" <<'JSON'
{
  "VERSION":"1.1.1",
  "AUDIO_SYSTEM":"PulseAudio",
  "AUDIO_DEV.PulseAudio":"lingot_null.monitor",
  "MINIMUM_FREQUENCY":82.407,
  "MAXIMUM_FREQUENCY":500.0
}
JSON

# The poller runs inside a private session bus, with the accessibility bus beside Lingot.
cat >"$work/poll.py" <<'PY'
import re, subprocess, sys, time
import pyatspi

def labels():
    desk = pyatspi.Registry.getDesktop(0)
    found = {}
    def walk(o):
        try:
            if o.getRoleName() == "label":
                text = o.queryText().getText(0, -1)
                if text.startswith("f = "):
                    found["f"] = o
                elif text.startswith("e = "):
                    found["e"] = o
            for i in range(o.childCount):
                walk(o.getChildAtIndex(i))
        except Exception:
            pass
    for i in range(desk.childCount):
        app = desk.getChildAtIndex(i)
        if app is not None and app.name == "lingot":
            walk(app)
    return found

for _ in range(100):
    found = labels()
    if "f" in found:
        break
    time.sleep(0.1)
else:
    sys.exit("lingot_reading: Lingot's window did not appear")
number = re.compile(r"[-+]?\d+(?:\.\d+)?")
for path in sys.argv[1:]:
    player = subprocess.Popen(["paplay", "--device=lingot_null", path])
    start = time.monotonic()
    readings = []
    while player.poll() is None or time.monotonic() - start < 0.3:
        text = found["f"].queryText().getText(0, -1)
        match = number.search(text)
        if match:
            readings.append((time.monotonic() - start, float(match.group())))
        time.sleep(0.05)
    for seconds, hertz in readings:
        print(f"{seconds:.2f} {hertz:.2f}")
    middle = sorted(h for s, h in readings if 0.5 <= s <= 2.0)
    median = middle[len(middle) // 2] if middle else 0.0
    first = readings[0] if readings else (0.0, 0.0)
    print(f"{path} median {median:.2f} first {first[0]:.2f} {first[1]:.2f}", flush=True)
    time.sleep(0.7)  # the sink's monitor rings out before the next file
PY

cat >"$work/session.sh" <<SH
#!/usr/bin/env bash
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
sleep 1
lingot >/dev/null 2>&1 &
sleep 2
/usr/bin/python3 "$work/poll.py" "\$@"
status=\$?
kill %1 %2 2>/dev/null
exit \$status
SH
chmod +x "$work/session.sh"
dbus-run-session -- "$work/session.sh" "$@" 2> >(grep -v "fd limit" >&2)
