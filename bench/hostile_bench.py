#!/usr/bin/python3
"""The real Linux program against broken servers on 127.0.0.1, one scenario at a time: it must
keep running and keep typing keys, the news window must stay closable, and the key poll must
keep its 100 ms schedule. Reports, per scenario, the largest late key poll tick (target: under
20 ms) and exits with status 1 if any scenario broke the program (77 if 127.0.0.1:8642 is taken).
`make test` runs it too.

    bench/hostile_bench.py [--bin build/default/brontek-tarnlow] [--scenarios a,b,...]
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
from Xlib import X  # noqa: E402
from Xlib.protocol import event  # noqa: E402

PORT = 8642
STATUS = ["stall_headers", "stall_body", "reset", "big_body", "endless_chunked", "drip",
          "garbage", "redirect_other_host"]
FEED = ["empty_token", "huge_token", "feed_1000_lines", "feed_one_line"]


def keys_typed(x, rec):
    rec.clear()
    rec.focus()
    x.tap("KP_0")
    return rec.wait(3)[:3] == ["v", "1", "1"]


def close_box(x, title):
    """What a window manager sends when the player clicks the window's close box."""
    d = x.display
    window = x.window_titles()[title][0]
    window.send_event(event.ClientMessage(
        window=window, client_type=d.intern_atom("WM_PROTOCOLS"),
        data=(32, [d.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])))
    d.flush()


def run(scenario):
    if harness.port_open(PORT):
        print("127.0.0.1:%d is in use: skipped" % PORT)
        sys.exit(77)
    server = subprocess.Popen([sys.executable, os.path.join(os.path.dirname(__file__),
                                                            "broken_server.py"),
                               str(PORT), scenario], stdout=subprocess.PIPE)
    server.stdout.readline()
    x = harness.Xvfb()
    work = tempfile.mkdtemp(prefix="bt-hostile-")
    p = harness.Program(x, work)
    rec = harness.Recorder(x)
    ok = True
    try:
        if scenario in STATUS:
            time.sleep(2.5)
            ok = keys_typed(x, rec)
            # Past the 10 s connection timeout: the poll has given up or goes on quietly.
            p.wait_state(lambda s: s["model"]["status"] != "Connecting to server...", 16)
            ok = ok and p.proc.poll() is None and keys_typed(x, rec)
        else:
            p.wait_model("status", "ONLINE")
            p.click("exitButton")
            p.wait_model("newsWindow", True, 5)
            time.sleep(3.0)
            ok = p.proc.poll() is None
            close_box(x, [w["title"] for w in p.state()["windows"]
                          if w["title"] != harness.MAIN][0])
            p.ended()
        m = p.model() or {}
        return ok, m.get("keyPollMaxLateMs", float("nan")), m.get("keyPollTicks", 0)
    except AssertionError as e:
        print("%s: %s" % (scenario, e), file=sys.stderr)
        return False, float("nan"), 0
    finally:
        rec.stop()
        p.stop()
        x.stop()
        server.kill()
        server.wait()
        shutil.rmtree(work, True)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--bin", default=os.path.join(os.path.dirname(__file__), "..", "build",
                                                  "default", "brontek-tarnlow"))
    ap.add_argument("--scenarios", default=",".join(STATUS + FEED))
    args = ap.parse_args()
    harness.BIN = os.path.abspath(args.bin)
    print("| Scenario | Program keeps working | Largest late key poll tick |")
    print("|---|---|---|")
    failed = False
    for scenario in args.scenarios.split(","):
        ok, late, ticks = run(scenario)
        failed |= not ok
        # The key poll ticks only while a key is down or being typed, and not at all once the
        # program is leaving, so a scenario may have no tick to measure.
        late_text = "%.1f ms over %d ticks" % (late, ticks) if ticks else "no tick ran"
        print("| %s | %s | %s |" % (scenario.replace("_", " "), "yes" if ok else "NO", late_text),
              flush=True)
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
