"""Timing of whole processes, alternated between contenders.

The machine is shared and small: every contender runs once per round, in an order
that rotates from round to round, so that a slow stretch of the machine hits all of
them alike; figures are medians over the rounds. Each sample keeps the wall time and
the CPU time (user + system, steadier than wall time on a busy machine).

Peak memory is read from /proc/<pid>/status (VmHWM) while the process runs, not
from ru_maxrss: that one also counts the forked copy of this Python process before
the exec, which is larger than a small program's own peak.
"""
import os
import statistics
import subprocess
import time
from dataclasses import dataclass, field


@dataclass
class Sample:
    wall_s: float
    cpu_s: float
    status: int
    peaks: dict = field(default_factory=dict)  # VmHWM, RssAnon, RssFile in KiB, when polled


@dataclass
class Contender:
    """`command` is run per round after `prepare()` (untimed); `check(sample)` may
    raise when the run did not do its work."""
    name: str
    command: list
    prepare: object = None
    cleanup: object = None
    env: dict = None
    cwd: str = None
    samples: list = field(default_factory=list)


def run_process(command, env=None, cwd=None, on_start=None) -> Sample:
    """Runs `command` to its end; `on_start(pid)` is called while it runs (it may
    poll the process) and must return when the process has ended."""
    started = time.perf_counter()
    process = subprocess.Popen(command, env=env, cwd=cwd, stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if on_start is not None:
        on_start(process.pid)
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - started
    process.returncode = os.waitstatus_to_exitcode(status)
    return Sample(wall, usage.ru_utime + usage.ru_stime, process.returncode)


def poll_memory(pid: int, peaks: dict, interval_s=0.005):
    """Keeps in `peaks` the highest VmHWM, RssAnon and RssFile (KiB) of a running
    process until it has ended (a zombie's status has no memory lines). VmHWM only
    grows, so a read after the peak gives it exactly."""
    status_path = f"/proc/{pid}/status"
    while True:
        try:
            with open(status_path) as status:
                text = status.read()
        except OSError:
            return
        fields = dict(line.split(":", 1) for line in text.splitlines() if ":" in line)
        if "VmHWM" not in fields:
            return
        for name in ("VmHWM", "RssAnon", "RssFile"):
            if name in fields:
                peaks[name] = max(peaks.get(name, 0), int(fields[name].split()[0]))
        time.sleep(interval_s)


def run_with_peak_memory(command, env=None, cwd=None) -> Sample:
    peaks = {}
    sample = run_process(command, env=env, cwd=cwd, on_start=lambda pid: poll_memory(pid, peaks))
    sample.peaks = peaks
    return sample


def alternate(contenders, rounds, run=None):
    """Runs every contender once per round, the order rotating each round."""
    run = run or (lambda c: run_process(c.command, env=c.env, cwd=c.cwd))
    for round_index in range(rounds):
        shift = round_index % len(contenders)
        for contender in contenders[shift:] + contenders[:shift]:
            if contender.prepare:
                contender.prepare()
            sample = run(contender)
            if sample.status != 0:
                raise RuntimeError(f"{contender.name} ended with exit code {sample.status}")
            contender.samples.append(sample)
            if contender.cleanup:
                contender.cleanup()
    return contenders


def median(values):
    return statistics.median(values)


def spread(values):
    """(lowest, highest): how far the rounds lay apart."""
    return min(values), max(values)


def summary(contender, attribute="wall_s"):
    values = [getattr(s, attribute) for s in contender.samples]
    low, high = spread(values)
    return median(values), low, high
