"""CPU time and resident memory of a running process, for the benchmark scripts."""

import os


def cpu_seconds(pid):
    """CPU time of all the process's threads, in nanoseconds from the scheduler (the clock-tick
    counts in /proc/PID/stat are too coarse for an idle program)."""
    total = 0
    for task in os.listdir("/proc/%d/task" % pid):
        try:
            with open("/proc/%d/task/%s/schedstat" % (pid, task)) as f:
                total += int(f.read().split()[0])
        except OSError:
            pass
    return total / 1e9


def rss_mb(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024.0
    return float("nan")


def wake_ups(pid):
    """Context switches of all the process's threads: each time one of them blocked and was woken
    again, or was made to yield."""
    total = 0
    for task in os.listdir("/proc/%d/task" % pid):
        try:
            with open("/proc/%d/task/%s/status" % (pid, task)) as f:
                for line in f:
                    if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                        total += int(line.split()[1])
        except OSError:
            pass
    return total

