#!/usr/bin/env python3
"""How soon a fork is heard, and for how long, read from the sound server itself.

Starts a PulseAudio of its own with one null sink, a virtual X display and the tuner's window
on it, records the sink's monitor, and presses a fork key for 0.5 s, 1.5 s and 4 s, then Space,
as a player would. For each press it reports the time from the key press to the first
non-silent sample on the monitor, how long the tone sounded against how long the key was held,
and the gaps inside the tone (an underrun is a gap). Each set of presses runs on an idle
machine and again with busy processes (two per core, or --busy N).

With --rounds R it then plays R rounds of --quick Q quick presses (a fork for 0.15 s, then
Space) under that load, as a player checking a string again and again does, and reports for
each round how many tones were heard and the gaps inside them: a gap in so short a tone is
heard as a click.

    python3 bench/fork_latency.py [path/to/strumwise] [--display :21] [--busy 18]
                                  [--rounds 5 --quick 50] [--unprivileged]

--unprivileged runs the tuner without the right to raise its threads to real-time priority,
as a desktop session without a real-time group runs it; run as root, the tuner's tones' thread
would otherwise run at real-time priority, and no load would reach it.

Needs pulseaudio, pactl, parec and Xvfb (scripts/setup.sh installs them); keys are sent with
the X test extension through libXtst, which Xvfb carries; --unprivileged needs setpriv.
"""

import argparse
import ctypes
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

RATE = 44100
CHUNK = 441  # 10 ms per read from the monitor
LOUD = 300  # a sample above this is sound; the tone's ramp passes it within a millisecond
PRESSES = (0.5, 1.5, 4.0)


class Monitor(threading.Thread):
    """Reads the sink's monitor, stamping every chunk with the moment it arrived."""

    def __init__(self, sink):
        super().__init__(daemon=True)
        self.process = subprocess.Popen(
            ["parec", "-d", sink + ".monitor", "--raw", "--format=s16le", "--rate=%d" % RATE,
             "--channels=1", "--latency-msec=5"], stdout=subprocess.PIPE)
        self.chunks = []  # (arrival time, samples)
        self.lock = threading.Lock()

    def run(self):
        stream = self.process.stdout
        while True:
            data = stream.read(CHUNK * 2)
            if not data:
                return
            now = time.monotonic()
            samples = memoryview(data).cast("h").tolist()
            with self.lock:
                self.chunks.append((now, samples))

    def since(self, start):
        """Samples in the order they played, each with the latest moment it can have played:
        its chunk's arrival less the samples after it in the chunk. A busy machine delivers
        chunks late and in bursts, so these times only bound; the order is exact."""
        with self.lock:
            chunks = list(self.chunks)
        timed = []
        for arrival, samples in chunks:
            if arrival < start:
                continue
            timed.extend((arrival - (len(samples) - 1 - i) / RATE, s)
                         for i, s in enumerate(samples))
        return timed

    def stop(self):
        self.process.terminate()
        self.process.wait()


class Keyboard:
    """Key presses through the X test extension, as a player's keyboard would send them."""

    def __init__(self, display):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XStringToKeysym.restype = ctypes.c_ulong
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                ctypes.c_ulong]
        self.display = self.x11.XOpenDisplay(display.encode())
        if not self.display:
            sys.exit("fork_latency: cannot open display " + display)
        # With no window manager the keys go where the pointer is: over the window's corner.
        self.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                                   ctypes.c_int, ctypes.c_ulong]
        self.xtst.XTestFakeMotionEvent(self.display, 0, 40, 40, 0)
        self.x11.XFlush(self.display)
        # The window takes the keyboard with the first key it gets; Space only stops a tone.
        time.sleep(0.5)
        self.tap("space")

    def tap(self, name):
        code = self.x11.XKeysymToKeycode(self.display, self.x11.XStringToKeysym(name.encode()))
        self.xtst.XTestFakeKeyEvent(self.display, code, 1, 0)
        self.xtst.XTestFakeKeyEvent(self.display, code, 0, 0)
        self.x11.XFlush(self.display)


def measure(monitor, keyboard, held):
    time.sleep(1.0)  # silence before
    pressed = time.monotonic()
    keyboard.tap("1")
    time.sleep(held)
    keyboard.tap("space")
    time.sleep(1.0)
    timed = monitor.since(pressed - 0.2)
    loud = [i for i, (t, s) in enumerate(timed) if abs(s) > LOUD and t >= pressed - 0.05]
    if not loud:
        return None
    # Gaps inside the tone, counted in playing order: runs of at least 2 ms below the threshold.
    gaps = 0
    run = 0
    for _, s in timed[loud[0]:loud[-1] + 1]:
        if abs(s) <= LOUD:
            run += 1
        else:
            gaps += run >= RATE // 500
            run = 0
    return {"latency": timed[loud[0]][0] - pressed, "sounded": (loud[-1] - loud[0]) / RATE,
            "gaps": gaps}


def pitch_of(samples):
    """The pitch of a stretch of tone from its rising zero crossings, in Hz; 0 when too short."""
    rising = [i for i in range(1, len(samples)) if samples[i - 1] < 0 <= samples[i]]
    if len(rising) < 3:
        return 0.0
    return RATE * (len(rising) - 1) / (rising[-1] - rising[0])


def quick_round(monitor, keyboard, presses):
    """Quick presses on the five forks in turn; answers the tones heard and the gaps in them.
    A busy machine may deliver a press's Space and the next fork's key together, so two tones
    can follow each other closely: stretches of sound are told apart by their pitch, which
    changes from one fork to the next, and only quiet inside one pitch counts as a gap."""
    start = time.monotonic()
    for n in range(presses):
        keyboard.tap(str(1 + n % 5))
        time.sleep(0.15)
        keyboard.tap("space")
        time.sleep(0.35)
    time.sleep(0.5)
    samples = [s for _, s in monitor.since(start)]
    # Stretches of sound, cut by 2 ms or more of quiet: (first, last) sample.
    stretches, first, quiet = [], None, 0
    for i, s in enumerate(samples):
        if abs(s) > LOUD:
            if first is not None and quiet >= RATE // 500:
                stretches.append((first, i - quiet - 1))
                first = None
            if first is None:
                first = i
            quiet = 0
        else:
            quiet += 1
    if first is not None:
        stretches.append((first, len(samples) - quiet - 1))
    tones, gaps, last_pitch, last_end = 0, [], None, None
    for begin, end in stretches:
        pitch = pitch_of(samples[begin:end + 1])
        same = last_pitch and pitch and abs(pitch - last_pitch) < 0.03 * last_pitch
        if same:
            gaps.append((begin - last_end) * 1000.0 / RATE)
        else:
            tones += 1
        if pitch:
            last_pitch = pitch
        last_end = end
    return tones, gaps


def run_presses(monitor, keyboard, label):
    for held in PRESSES:
        result = measure(monitor, keyboard, held)
        if result is None:
            print("%-6s %.1f s press: no sound at all" % (label, held))
        else:
            print("%-6s %.1f s press: heard after %5.1f ms, sounded %.3f s, %d gaps" %
                  (label, held, result["latency"] * 1000, result["sounded"], result["gaps"]))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("strumwise", nargs="?", default="build/release/src/app/strumwise")
    parser.add_argument("--display", default=":21")
    parser.add_argument("--busy", type=int, default=2 * (os.cpu_count() or 1))
    parser.add_argument("--rounds", type=int, default=0)
    parser.add_argument("--quick", type=int, default=50)
    parser.add_argument("--unprivileged", action="store_true")
    args = parser.parse_args()

    work = tempfile.mkdtemp(prefix="strumwise-forks-")
    os.chmod(work, 0o700)
    env = dict(os.environ, XDG_RUNTIME_DIR=work, PULSE_RUNTIME_PATH=work, PULSE_STATE_PATH=work,
               PULSE_SERVER="unix:%s/native" % work, DISPLAY=args.display,
               XDG_CONFIG_HOME=work)
    os.environ.update(env)
    processes = []
    try:
        processes.append(subprocess.Popen(
            ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--system=false",
             "--use-pid-file=no", "--load=module-null-sink sink_name=forks",
             "--load=module-native-protocol-unix auth-anonymous=1 socket=%s/native" % work],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        for _ in range(100):
            if subprocess.call(["pactl", "info"], stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL) == 0:
                break
            time.sleep(0.1)
        if not os.path.exists("/tmp/.X11-unix/X" + args.display.lstrip(":")):
            processes.append(subprocess.Popen(["Xvfb", args.display, "-screen", "0",
                                               "1280x1024x24"], stderr=subprocess.DEVNULL))
            time.sleep(1.0)
        tuner = [args.strumwise]
        if args.unprivileged:
            tuner = ["setpriv", "--inh-caps=-sys_nice", "--bounding-set=-sys_nice"] + tuner
        processes.append(subprocess.Popen(tuner, stderr=subprocess.DEVNULL))
        time.sleep(4.0)  # the window opens and its output stream starts
        keyboard = Keyboard(args.display)
        monitor = Monitor("forks")
        monitor.start()
        run_presses(monitor, keyboard, "idle")
        load = [subprocess.Popen(["sh", "-c", "while :; do :; done"]) for _ in range(args.busy)]
        try:
            run_presses(monitor, keyboard, "loaded")
            for round_number in range(1, args.rounds + 1):
                tones, gaps = quick_round(monitor, keyboard, args.quick)
                print("round %d: %d quick presses, %d tones heard, %d gaps%s" %
                      (round_number, args.quick, tones, len(gaps),
                       " (%s ms)" % ", ".join("%.0f" % g for g in gaps) if gaps else ""))
        finally:
            for busy in load:
                busy.kill()
        monitor.stop()
    finally:
        for process in reversed(processes):
            process.send_signal(signal.SIGTERM)
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
