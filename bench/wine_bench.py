#!/usr/bin/python3
"""The Windows program under Wine on a private Xvfb: idle CPU, resident memory, executable size.

    bench/wine_bench.py [--idle-seconds 60] [--exe build/mingw/brontek-tarnlow.exe]

The resident memory is that of the program's own process (Wine's loader included), not of the
wineserver it shares with every Wine program.
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
from procstats import cpu_seconds, rss_mb  # noqa: E402


def find_pid(name):
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            with open("/proc/%s/cmdline" % pid, "rb") as f:
                if name.encode() in f.read():
                    return int(pid)
        except OSError:
            pass
    return None


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    ap = argparse.ArgumentParser()
    ap.add_argument("--exe", default=os.path.join(root, "build", "mingw", "brontek-tarnlow.exe"))
    ap.add_argument("--idle-seconds", type=float, default=60.0)
    args = ap.parse_args()
    x = harness.Xvfb()
    work = tempfile.mkdtemp(prefix="bt-winebench-")
    env = dict(os.environ, DISPLAY=x.name, WINEDEBUG="-all")
    env.setdefault("WINEPREFIX", os.path.join(root, "build", "mingw", "wineprefix"))
    proc = subprocess.Popen(["wine", os.path.abspath(args.exe)], cwd=work, env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        harness.wait_for(lambda: "Brontek Tarnlow" in x.window_titles(), 120, what="the window")
        time.sleep(15)  # past the status poll, the blink and the first timeout check
        pid = harness.wait_for(lambda: find_pid("brontek-tarnlow.exe"), what="the process")
        c0 = cpu_seconds(pid)
        time.sleep(args.idle_seconds)
        idle = (cpu_seconds(pid) - c0) / args.idle_seconds * 100
        rss = rss_mb(pid)
    finally:
        proc.kill()
        subprocess.run(["wineserver", "-k"], env=env)
        x.stop()
        shutil.rmtree(work, True)
    size = os.path.getsize(args.exe) / 1024.0
    print("| Measure (under Wine 8) | brontek-tarnlow.exe | Target |")
    print("|---|---|---|")
    print("| idle CPU over %.0f s | %.2f %% | |" % (args.idle_seconds, idle))
    print("| resident memory | %.1f MB | |" % rss)
    print("| executable size | %.0f KB | < 1.5 MB |" % size)


if __name__ == "__main__":
    main()
