#!/usr/bin/python3
"""The Windows program under Wine on a private Xvfb, with the sample news site on 127.0.0.1:8642:
wake-ups a second and CPU once the server has answered, resident memory, executable size.

    bench/wine_bench.py [--idle-seconds 60] [--exe build/mingw/brontek-tarnlow.exe] [--baseline EXE]

With --baseline, a second exe (for instance the previous release) is measured the same way in the
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


def measure(exe, seconds):
    """(wake-ups a second, CPU %, resident MB) of the exe left alone once the server answered."""
    x = harness.Xvfb()
    work = tempfile.mkdtemp(prefix="bt-winebench-")
    env = dict(os.environ, DISPLAY=x.name, WINEDEBUG="-all")
    env.setdefault("WINEPREFIX", os.path.join(ROOT, "build", "mingw", "wineprefix"))
    # Copied, so that a baseline exe of the same name is told apart from this one.
    shutil.copy(exe, os.path.join(work, "measured.exe"))
    proc = subprocess.Popen(["wine", "measured.exe"], cwd=work, env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        harness.wait_for(lambda: "Brontek Tarnlow" in x.window_titles(), 120, what="the window")
        time.sleep(15)  # past the status poll, the blink and the shrink
        pid = harness.wait_for(lambda: find_pid("measured.exe"), what="the process")
        w0, c0 = wake_ups(pid), cpu_seconds(pid)
        time.sleep(seconds)
        return ((wake_ups(pid) - w0) / seconds, (cpu_seconds(pid) - c0) / seconds * 100,
                rss_mb(pid))
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
    args = ap.parse_args()
    server = None if harness.port_open(8642) else harness.SampleSite()
    try:
        runs = {"this build": measure(os.path.abspath(args.exe), args.idle_seconds)}
        if args.baseline:
            runs["baseline"] = measure(os.path.abspath(args.baseline), args.idle_seconds)
    finally:
        if server:
            server.stop()
    print("| Under Wine, idle over %.0f s once the server has answered | wake-ups a second | CPU "
          "| resident memory |" % args.idle_seconds)
    print("|---|---|---|---|")
    for name, (wakes, cpu, rss) in runs.items():
        print("| %s | %.2f | %.4f %% | %.1f MB |" % (name, wakes, cpu, rss))
    print()
    print("executable size: %.0f KB (target < 1.5 MB)" % (os.path.getsize(args.exe) / 1024.0))


if __name__ == "__main__":
    main()
