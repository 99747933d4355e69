#!/usr/bin/python3
"""The Linux program on KDE Plasma 6 Wayland, typing through the desktop's portal (`make
bench-desktops`, inside the chroot `make test-desktops` uses): keypad-to-keys timing, split into
the program's share and the desktop's, and the idle cost on that path.

Keypad 0 is pressed through a portal keyboard of the bench's own, as a player's keyboard reaches
the game, and a focused X11 window records what arrives with the X server's timestamps. A monitor
on the session bus stamps each key event the program hands to the portal. The program times
every key from the press's X timestamp on the monotonic clock, the X server's, so:

- the program's share is how long after its due time a key's call reached the bus, as the
  monitor heard it (its own wake-up included); each key is due on the press's grid, v one
  interval after the press and each digit one more;
- the desktop's share is how long after that the X server stamped the key: the portal, KDE's
  portal back end, KWin and Xwayland. X timestamps are whole milliseconds of the monotonic clock,
  or of its coarse twin where that counts every millisecond (the X server takes it then, and it
  lags by up to one): half a millisecond is added, or one.

A share needs each key's call paired with its key: where the calls are not two (press and
release) for each key that came, the shares are not given.

    bench/desktop_bench.py [--presses 24] [--idle-seconds 10] [--bin BIN]
"""

import argparse
import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [os.path.join(HERE, "..", "tests", "e2e"), os.path.join(HERE, "..", "tests",
                                                                          "desktops"), HERE]
import harness  # noqa: E402
from kde_session import APP_ID, REMOTE_DESKTOP, KdeSession  # noqa: E402
from procstats import wake_ups  # noqa: E402
from x11_bench import INTERVAL_MS, percentile, press_to_v  # noqa: E402


def realtime_less_monotonic():  # the bus monitor's clock less the X server's, in seconds
    best = None
    for _ in range(20):
        before = time.clock_gettime(time.CLOCK_MONOTONIC)
        real = time.clock_gettime(time.CLOCK_REALTIME)
        after = time.clock_gettime(time.CLOCK_MONOTONIC)
        if best is None or after - before < best[0]:
            best = (after - before, real - (before + after) / 2)
    return best[1]


def key_presses_sent(monitor_log, sender):
    """When each key press a connection sent to the portal reached the bus (bus time, seconds),
    from `dbus-monitor --profile`, whose message lines are tab-separated: type, time, serial,
    sender, destination, path, interface, member; None unless each press has its release."""
    with open(monitor_log) as f:
        calls = [line.rstrip("\n").split("\t") for line in f if line.startswith("mc\t")]
    sent = [float(c[1]) for c in calls if len(c) >= 8 and c[3] == sender and
            c[6] == REMOTE_DESKTOP and c[7].startswith("NotifyKeyboard")]
    return sent[0::2] if len(sent) % 2 == 0 else None  # each key's press, then its release


def x_clock_lag_ms():  # the X server reads the coarse clock where it counts every millisecond
    coarse = 6  # CLOCK_MONOTONIC_COARSE
    return 1.0 if time.clock_getres(coarse) <= 0.001 else 0.5


def shares(keys, sent, offset):
    """For each typed key: (the program's share, the desktop's share) in ms. Keys are (X time,
    name) with the keypad's presses among them; the v is due one interval after its press, each
    key after it one interval after the last."""
    typed, result, due = [], [], None
    for x_time, name in keys:
        if name == "KP":
            due = x_time
            continue
        due = due + INTERVAL_MS if due is not None else None
        typed.append((due, x_time))
    if len(typed) != len(sent):
        return None
    lag = x_clock_lag_ms()
    for (due, x_time), call in zip(typed, sent):
        at = (call - offset) * 1000 % 2**32  # X time counts 32 bits of milliseconds
        if due is not None:
            result.append((at - due, x_time + lag - at))
    return result


def spread(values, unit="ms"):
    values = sorted(values)
    return "%.1f / %.1f / %.1f %s" % (values[0], percentile(values, 50), values[-1], unit) \
        if values else "none seen"


def measure(args):
    site = harness.SampleSite()
    desktop = KdeSession(os.path.abspath(args.bin), os.path.join(harness.ARTIFACTS,
                                                                 "desktop_bench"))
    work = tempfile.mkdtemp(prefix="files-", dir=desktop.dir)
    try:
        rec = harness.Recorder(desktop, name="Game", wm_class=("codmp.exe", "Wine"), at=(100, 100))
        desktop.allow(APP_ID, "yes")  # granted beforehand, as a player's earlier "Allow"
        program = desktop.spawn(["brontek-tarnlow", "--server", "127.0.0.1:%d" % site.port],
                                cwd=work, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        harness.wait_for(lambda: os.path.exists(os.path.join(work, "grant")), 30,
                         what="the portal's grant")
        harness.wait_for(rec.focus, step=0.5, what="the game window focused")
        time.sleep(args.settle)  # the status poll, its blink and shrink
        before = wake_ups(program.pid)
        time.sleep(args.idle_seconds)
        idle = (wake_ups(program.pid) - before) / args.idle_seconds
        log = os.path.join(desktop.dir, "monitor.log")
        with open(log, "wb") as out:
            desktop.spawn(["dbus-monitor", "--profile"], stdout=out)
        time.sleep(1.0)
        before = realtime_less_monotonic()
        rec.focus()
        time.sleep(0.5)
        rec.clear()
        keypad = desktop.keycode("KP_0") - 8
        for _ in range(args.presses):  # 737 ms apart: each lands elsewhere on a 100 ms grid
            desktop.press(keypad, hold=0.02)
            time.sleep(0.737 - 0.04)
        time.sleep(1.0)
        keys = rec.typed(presses=True)
        typed = [t for t, k in keys if k != "KP"]
        gaps = [abs(b - a - INTERVAL_MS) for a, b in zip(typed, typed[1:])
                if b - a < 2.5 * INTERVAL_MS]
        sent = key_presses_sent(log, program_on_bus(log, desktop.hands.conn.get_unique_name()))
        offset = (before + realtime_less_monotonic()) / 2
        delays = press_to_v(rec)
        rec.stop()
        return {"delays": delays, "typed": len(typed), "gaps": gaps, "idle": idle,
                "shares": shares(keys, sent, offset) if sent is not None else None}
    finally:
        desktop.stop()
        site.stop()


def program_on_bus(monitor_log, hands):  # the one connection besides the bench's keyboard typing
    with open(monitor_log) as f:
        senders = {c[3] for c in (line.split("\t") for line in f if line.startswith("mc\t"))
                   if len(c) >= 8 and c[6] == REMOTE_DESKTOP and c[3] != hands}
    assert len(senders) == 1, "the program's connection among %r" % senders
    return senders.pop()


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--bin", default=os.path.join(HERE, "..", "build", "default",
                                                  "brontek-tarnlow"))
    ap.add_argument("--presses", type=int, default=24)
    ap.add_argument("--idle-seconds", type=float, default=10.0)
    ap.add_argument("--settle", type=float, default=4.0)
    args = ap.parse_args()
    r = measure(args)
    paired = r["shares"] is not None
    program, desktop = ([s[i] for s in r["shares"]] for i in (0, 1)) if paired else ([], [])
    n = args.presses
    print("| Measure, through KDE's portal (min / median / max) | Figure | Target |")
    print("|---|---|---|")
    print("| press to v, %d presses 737 ms apart | %s | 100 ms +/- 2 |" % (n, spread(r["delays"])))
    print("| keys typed | %d of %d | all |" % (r["typed"], 3 * n))
    print("| gap error between typed keys, p95 (max) | %d ms (%d ms) | within 2 ms |" % (
        percentile(r["gaps"], 95), max(r["gaps"])) if r["gaps"] else "| gaps | none seen | |")
    unpaired = "not given: the calls on the bus and the keys that came do not pair"
    print("| the program's share: due time to its call on the bus | %s | |" % (
        spread(program) if paired else unpaired))
    print("| the desktop's share: the bus to the X server | %s | |" % (
        spread(desktop) if paired else unpaired))
    print("| wake-ups a second, idle %.0f s | %.2f | <= 1 |" % (args.idle_seconds, r["idle"]))


if __name__ == "__main__":
    main()
