#!/usr/bin/python3
"""The Windows program under Wine on a private Xvfb, with the sample news site on a free port of
127.0.0.1: wake-ups a second and CPU once the server has answered, resident memory, executable
size; then press to v and the gaps between the keys, on the clock of a recorder window in Wine
(key-recorder.exe, QueryPerformanceCounter), which sees the keypad press and the typed keys alike.

    bench/wine_bench.py [--idle-seconds 60] [--presses 12] [--exe build/mingw/brontek-tarnlow.exe]
                        [--baseline EXE]

This build is measured once more with "Only in the game" ticked, and once more with a side button
chosen ("keys") while the pointer moves over the recorder 1,000 times a second, as a gaming mouse
reports, for the whole idle time: the mouse's raw input is registered then. With --baseline, a
second exe (for instance the previous release) is measured the same way in the same run. Wake-ups and CPU are those of all the program's own threads (Wine's loader included), not
of the wineserver it shares with every Wine program.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from procstats import cpu_seconds, rss_mb, wake_ups  # noqa: E402
from Xlib import X, display as xdisplay  # noqa: E402
from Xlib.ext import xtest  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
VK_INSERT, VK_V = 0x2D, 0x56  # keypad 0 with NumLock off, as a fresh X server has it; v
MOVES_A_SECOND = 1000


def move_pointer(x, rect, seconds):
    """Moves the pointer to and fro over rect MOVES_A_SECOND times a second for seconds, by XTest
    on a connection of its own; the moves made."""
    d = xdisplay.Display(x.name)
    left, top, w, h = rect
    start, n = time.monotonic(), 0
    while time.monotonic() < start + seconds:
        time.sleep(max(0, start + n / MOVES_A_SECOND - time.monotonic()))
        xtest.fake_input(d, X.MotionNotify, x=left + w // 2 + n % 2 * 4, y=top + h // 2)
        d.flush()
        n += 1
    d.close()
    return n


def key_timing(x, work, presses):
    """Press to v and the gaps between a message's keys (ms) for keypad 0 pressed presses times,
    each press 37 ms further along any 100 ms grid, from the recorder's "TIME key VK EXT" lines."""
    for _ in range(presses):
        x.tap("KP_0")
        time.sleep(0.737)
    time.sleep(0.3)
    with open(os.path.join(work, "keys.txt"), errors="replace") as f:
        down = [(float(w[0]), int(w[2])) for w in map(str.split, f) if len(w) == 4]
    delays = [next(t for t, vk in down[i:] if vk == VK_V) - press
              for i, (press, key) in enumerate(down)
              if key == VK_INSERT and any(vk == VK_V for _, vk in down[i:])]
    typed = [t for t, vk in down if vk != VK_INSERT]
    return delays, [b - a for a, b in zip(typed, typed[1:]) if b - a < 250]


def measure(exe, site, args, only_in_game=False, moving=False):
    """(wake-ups a second, CPU %, resident MB, press-to-v delays, gaps) of the exe left alone once
    the server answered (moving: with Mouse 4 chosen and the pointer moving meanwhile), then given
    keypad presses (not with "Only in the game": no game here; not while moving)."""
    x = harness.Xvfb()
    work = tempfile.mkdtemp(prefix="bt-winebench-")
    env = dict(os.environ, DISPLAY=x.name, WINEDEBUG="-all")
    env.setdefault("WINEPREFIX", os.path.join(ROOT, "build", "mingw", "wineprefix"))
    # Copied, so that a baseline exe of the same name is told apart from this one.
    shutil.copy(exe, os.path.join(work, "measured.exe"))
    if only_in_game:
        with open(os.path.join(work, "options"), "w") as f:
            f.write("only-in-game = yes\r\n")
    if moving:
        with open(os.path.join(work, "keys"), "w") as f:
            f.write("mouse 4 Mouse 4\r\n")
    # wine execs the program: the process started is the program's.
    proc = subprocess.Popen(["wine", "measured.exe", "--server", "127.0.0.1:%d" % site.port],
                            cwd=work, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        harness.wait_for(lambda: x.window("Brontek Tarnlow"), 120, what="the window")
        shown = time.monotonic()
        recorder = None
        if not only_in_game:  # the recorder starts and takes the focus while the program settles
            shutil.copy(args.recorder, os.path.join(work, "key-recorder.exe"))
            subprocess.Popen(["wine", "key-recorder.exe", "keys.txt", "Recorder", "700", "500"],
                             cwd=work, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            harness.wait_for(lambda: x.find("Recorder"), 60, what="the recorder")
            recorder = harness.steady(lambda: x.find("Recorder"), "the recorder placed")
            x.click(recorder[0] + recorder[2] // 2, recorder[1] + recorder[3] // 2)
        time.sleep(max(0, args.settle - (time.monotonic() - shown)))  # the poll, blink, shrink
        w0, c0, t0 = wake_ups(proc.pid), cpu_seconds(proc.pid), time.monotonic()
        if moving:
            moves = move_pointer(x, recorder, args.idle_seconds)
            print("moved the pointer %.0f times a second" % (moves / (time.monotonic() - t0)))
        else:
            time.sleep(args.idle_seconds)
        seconds = time.monotonic() - t0
        idle = ((wake_ups(proc.pid) - w0) / seconds, (cpu_seconds(proc.pid) - c0) / seconds * 100,
                rss_mb(proc.pid))
        if only_in_game or moving:
            return idle + ([], [])
        return idle + key_timing(x, work, args.presses)
    finally:
        proc.kill()
        subprocess.run(["wineserver", "-k"], env=env)
        x.stop()
        shutil.rmtree(work, True)


def spread(values):
    if not values:
        return "none seen"
    return "%.1f to %.1f ms (median %.1f)" % (min(values), max(values),
                                              sorted(values)[len(values) // 2])


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--exe", default=os.path.join(ROOT, "build", "mingw", "brontek-tarnlow.exe"))
    ap.add_argument("--baseline", help="another exe, measured the same way for comparison")
    ap.add_argument("--recorder", default=os.path.join(ROOT, "build", "mingw", "key-recorder.exe"))
    ap.add_argument("--presses", type=int, default=12)
    ap.add_argument("--idle-seconds", type=float, default=60.0)
    ap.add_argument("--settle", type=float, default=15.0)
    args = ap.parse_args()
    site = harness.SampleSite()
    try:
        runs = {"this build": measure(os.path.abspath(args.exe), site, args)}
        runs["this build, only in the game"] = measure(os.path.abspath(args.exe), site, args, True)
        runs["this build, Mouse 4 chosen, the pointer moving %d times a second" % MOVES_A_SECOND] = \
            measure(os.path.abspath(args.exe), site, args, moving=True)
        if args.baseline:
            runs["baseline"] = measure(os.path.abspath(args.baseline), site, args)
    finally:
        site.stop()
    print("| Under Wine, idle over %.0f s once the server has answered | wake-ups a second | CPU "
          "| resident memory |" % args.idle_seconds)
    print("|---|---|---|---|")
    for name, (wakes, cpu, rss, _, _) in runs.items():
        print("| %s | %.2f | %.4f %% | %.1f MB |" % (name, wakes, cpu, rss))
    print()
    print("| Under Wine, keypad 0 pressed %d times 737 ms apart, on the recorder's clock | press "
          "to v | gap between keys |" % args.presses)
    print("|---|---|---|")
    for name, (_, _, _, delays, gaps) in runs.items():
        if name in ("this build", "baseline"):  # the others have no game, or keep the pointer busy
            print("| %s | %s | %s |" % (name, spread(delays), spread(gaps)))
    print("| target | one key interval (100 ms) +/- 2 ms | 100 ms +/- 2 ms |")
    print()
    sizes = [args.exe] + ([args.baseline] if args.baseline else [])
    print("executable size (Release): %s (target < 1.5 MB)" % ", ".join(
        "%.0f KB" % (os.path.getsize(e) / 1024.0) for e in sizes))


if __name__ == "__main__":
    main()
