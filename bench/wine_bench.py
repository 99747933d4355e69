#!/usr/bin/python3
"""The Windows program under Wine on a private Xvfb, with the sample news site on a free port of
127.0.0.1: wake-ups a second and CPU once the server has answered, resident memory, executable
size.

    bench/wine_bench.py [--idle-seconds 60] [--exe build/mingw/brontek-tarnlow.exe] [--baseline EXE]

This build is measured once more with "Only in the game" ticked. With --baseline, a second exe (for instance the previous release) is measured the same way in the
same run. Wake-ups and CPU are those of all the program's own threads (Wine's loader included), not
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

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")


def measure(exe, site, args, only_in_game=False):
    """(wake-ups a second, CPU %, resident MB) of the exe left alone once the server answered."""
    x = harness.Xvfb()
    work = tempfile.mkdtemp(prefix="bt-winebench-")
    env = dict(os.environ, DISPLAY=x.name, WINEDEBUG="-all")
    env.setdefault("WINEPREFIX", os.path.join(ROOT, "build", "mingw", "wineprefix"))
    # Copied, so that a baseline exe of the same name is told apart from this one.
    shutil.copy(exe, os.path.join(work, "measured.exe"))
    if only_in_game:
        with open(os.path.join(work, "options"), "w") as f:
            f.write("only-in-game = yes\r\n")
    # wine execs the program: the process started is the program's.
    proc = subprocess.Popen(["wine", "measured.exe", "--server", "127.0.0.1:%d" % site.port],
                            cwd=work, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        harness.wait_for(lambda: "Brontek Tarnlow" in x.window_titles(), 120, what="the window")
        time.sleep(args.settle)  # past the status poll, the blink and the shrink
        w0, c0 = wake_ups(proc.pid), cpu_seconds(proc.pid)
        time.sleep(args.idle_seconds)
        return ((wake_ups(proc.pid) - w0) / args.idle_seconds,
                (cpu_seconds(proc.pid) - c0) / args.idle_seconds * 100, rss_mb(proc.pid))
    finally:
        proc.kill()
        subprocess.run(["wineserver", "-k"], env=env)
        x.stop()
        shutil.rmtree(work, True)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--exe", default=os.path.join(ROOT, "build", "mingw", "brontek-tarnlow.exe"))
    ap.add_argument("--baseline", help="another exe, measured the same way for comparison")
    ap.add_argument("--idle-seconds", type=float, default=60.0)
    ap.add_argument("--settle", type=float, default=15.0)
    args = ap.parse_args()
    site = harness.SampleSite()
    try:
        runs = {"this build": measure(os.path.abspath(args.exe), site, args)}
        runs["this build, only in the game"] = measure(os.path.abspath(args.exe), site, args, True)
        if args.baseline:
            runs["baseline"] = measure(os.path.abspath(args.baseline), site, args)
    finally:
        site.stop()
    print("| Under Wine, idle over %.0f s once the server has answered | wake-ups a second | CPU "
          "| resident memory |" % args.idle_seconds)
    print("|---|---|---|---|")
    for name, (wakes, cpu, rss) in runs.items():
        print("| %s | %.2f | %.4f %% | %.1f MB |" % (name, wakes, cpu, rss))
    print()
    sizes = [args.exe] + ([args.baseline] if args.baseline else [])
    print("executable size (Release): %s (target < 1.5 MB)" % ", ".join(
        "%.0f KB" % (os.path.getsize(e) / 1024.0) for e in sizes))


if __name__ == "__main__":
    main()
