#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Idle cost of the desktop calendar, against a minimal Qt Widgets clock as the floor.

A calendar runs all day, so what it costs while nobody touches it matters more than anything
else it does. This script starts an X server of its own (Xvfb on a free display, no window
manager), builds a floor program (a QLabel showing the time, refreshed by a QTimer at
1000 ms) and a small map watcher in a temporary folder, then measures over idle windows of
10 seconds:

  wakeups   increase of voluntary context switches, summed over all threads
            (/proc/PID/task/*/status voluntary_ctxt_switches)
  CPU       utime + stime of all threads (/proc/PID/stat, clock ticks), and the scheduler's
            run time of all threads (/proc/PID/task/*/schedstat, nanoseconds), which is
            exact where the tick count is not
  RSS       VmRSS at the end of the window
  mapped    time from exec to the first MapNotify of a window carrying the program's
            _NET_WM_PID

for these states of moonleaf, reached in this order in each run's fresh calendar, each
measured after it has settled (2 s) and with nothing touching the program in the window:
  (c) hidden after the automatic slide at start-up (the clock keeps running, as designed),
  (a) shown with the clock running (`moonleaf --show` once it has slid away),
  (b) hidden with F10's action before any date navigation (`moonleaf --hide`: clock off),
and for the floor window, shown. Each program is started once beforehand and discarded, so
that neither pays for cold caches, and both are started a few more times for the time to
mapped, which is the noisiest figure. The programs get a home folder of their own and a
private runtime folder on a tmpfs (/dev/shm), as a desktop session's /run/user/UID is.
Every figure is printed as min / median / max; the ratios to the floor are judged on the
medians, the absolute targets on the worst run.

This is a benchmark, never a test: its figures depend on the machine and on what else runs
on it, so it is not part of ctest. Run it after a release build:

  cmake --preset release && cmake --build --preset release -j2
  bench/idle-cost.py                      # 3 runs of 10 s windows
  bench/idle-cost.py --runs 5 --window 10 --binary build/release/src/app/moonleaf

Needs Xvfb, g++, gcc, pkg-config, Qt 6 Widgets and xcb development files (all installed by
scripts/install-deps.sh). Everything it starts is ended by its process id. Exit status: 0
when every target is met, 1 when one is not, 2 when nothing could be measured.
"""

import argparse
import json
import os
import select
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

REPO = Path(__file__).resolve().parent.parent
TICKS_PER_SECOND = os.sysconf("SC_CLK_TCK")

# Targets on the reference machine (2 cores).
SHOWN_WAKEUP_RATIO = 1.5  # shown with the clock: wakeups at most this times the floor's
SHOWN_CPU_RATIO = 2.0  # shown with the clock: CPU time at most this times the floor's
HIDDEN_WAKEUPS_PER_10S = 2  # hidden before any navigation, clock off
RSS_LIMIT_MIB = 40.0
MAPPED_RATIO = 1.3  # exec to mapped at most this times the floor's

FLOOR_SOURCE = r"""
// The floor: the least a Qt 6 Widgets window with a one-second clock costs.
#include <QApplication>
#include <QLabel>
#include <QTime>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label;
    const auto show = [&label] {
        label.setText(QTime::currentTime().toString(QStringLiteral("hh : mm : ss")));
    };
    show();
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &label, show);
    timer.start(1000);
    label.show();
    return app.exec();
}
"""

MAPWATCH_SOURCE = r"""
/* Prints "ready", then one line for each top-level window mapped on the display:
   "map <CLOCK_MONOTONIC ns> <window> <_NET_WM_PID or -1> <WM_NAME>". */
#include <xcb/xcb.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static xcb_atom_t intern(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, (uint16_t)strlen(name), name), NULL);
    xcb_atom_t atom = r ? r->atom : XCB_ATOM_NONE;
    free(r);
    return atom;
}

int main(void) {
    xcb_connection_t* c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) {
        fprintf(stderr, "mapwatch: cannot connect to the display\n");
        return 1;
    }
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_atom_t pid_atom = intern(c, "_NET_WM_PID");
    uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_generic_error_t* error = xcb_request_check(
        c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask));
    if (error) {
        fprintf(stderr, "mapwatch: cannot watch the root window\n");
        return 1;
    }
    puts("ready");
    fflush(stdout);
    xcb_generic_event_t* event;
    while ((event = xcb_wait_for_event(c)) != NULL) {
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            struct timespec now;
            clock_gettime(CLOCK_MONOTONIC, &now);
            const xcb_map_notify_event_t* map = (const xcb_map_notify_event_t*)event;
            long pid = -1;
            xcb_get_property_reply_t* r = xcb_get_property_reply(
                c, xcb_get_property(c, 0, map->window, pid_atom, XCB_ATOM_CARDINAL, 0, 1), NULL);
            if (r && xcb_get_property_value_length(r) == 4) {
                pid = *(const uint32_t*)xcb_get_property_value(r);
            }
            free(r);
            r = xcb_get_property_reply(c, xcb_get_property(c, 0, map->window, XCB_ATOM_WM_NAME,
                                                           XCB_GET_PROPERTY_TYPE_ANY, 0, 64),
                                       NULL);
            const int length = r ? xcb_get_property_value_length(r) : 0;
            printf("map %lld %u %ld %.*s\n",
                   (long long)now.tv_sec * 1000000000LL + now.tv_nsec, map->window, pid, length,
                   r ? (const char*)xcb_get_property_value(r) : "");
            fflush(stdout);
            free(r);
        }
        free(event);
    }
    return 0;
}
"""


def fail(message):
    print(f"idle-cost: {message}", file=sys.stderr)
    sys.exit(2)


def compile_helpers(folder):
    for tool in ("Xvfb", "g++", "gcc", "pkg-config"):
        if shutil.which(tool) is None:
            fail(f"{tool} is missing (scripts/install-deps.sh installs it)")
    floor_cpp = folder / "floor.cpp"
    floor_cpp.write_text(FLOOR_SOURCE)
    mapwatch_c = folder / "mapwatch.c"
    mapwatch_c.write_text(MAPWATCH_SOURCE)
    qt = subprocess.run(["pkg-config", "--cflags", "--libs", "Qt6Widgets"],
                        capture_output=True, text=True)
    if qt.returncode != 0:
        fail("pkg-config knows no Qt6Widgets: " + qt.stderr.strip())
    xcb = subprocess.run(["pkg-config", "--cflags", "--libs", "xcb"], capture_output=True,
                         text=True)
    if xcb.returncode != 0:
        fail("pkg-config knows no xcb: " + xcb.stderr.strip())
    floor = folder / "floor-clock"
    mapwatch = folder / "mapwatch"
    builds = [
        ["g++", "-std=c++17", "-O2", "-fPIC", str(floor_cpp), "-o", str(floor)] + qt.stdout.split(),
        ["gcc", "-O2", str(mapwatch_c), "-o", str(mapwatch)] + xcb.stdout.split(),
    ]
    for command in builds:
        result = subprocess.run(command, capture_output=True, text=True)
        if result.returncode != 0:
            fail("building a helper failed:\n" + " ".join(command) + "\n" + result.stderr)
    return floor, mapwatch


class Children:
    """Every process the script starts, so that each is ended by its pid whatever happens."""

    def __init__(self):
        self.processes = []

    def start(self, command, **kwargs):
        process = subprocess.Popen(command, **kwargs)
        self.processes.append(process)
        return process

    @staticmethod
    def end(process, grace=5.0):
        if process.poll() is None:
            process.send_signal(signal.SIGTERM)
            try:
                process.wait(grace)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()

    def end_all(self):
        for process in reversed(self.processes):
            self.end(process)


def start_xvfb(children):
    read_end, write_end = os.pipe()
    xvfb = children.start(
        ["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp", "-noreset",
         "-screen", "0", "1280x1024x24"],
        pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
        stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + 15
    while not number.endswith(b"\n") and time.monotonic() < deadline:
        ready, _, _ = select.select([read_end], [], [], 0.5)
        if ready:
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
    os.close(read_end)
    if not number.strip().isdigit():
        fail("Xvfb did not start")
    return ":" + number.decode().strip()


class MapWatch:
    """The first map of a window of each process id, from the map watcher's lines."""

    def __init__(self, children, program, env):
        self.process = children.start([program], env=env, stdin=subprocess.DEVNULL,
                                      stdout=subprocess.PIPE, text=True,
                                      errors="replace")
        if self.process.stdout.readline().strip() != "ready":
            fail("the map watcher could not watch the display")
        self.first_map = {}
        self.changed = threading.Condition()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            parts = line.rstrip("\n").split(" ", 4)
            if len(parts) < 4 or parts[0] != "map":
                continue
            name = parts[4] if len(parts) > 4 else ""
            with self.changed:
                self.first_map.setdefault(int(parts[3]), (int(parts[1]), name))
                self.changed.notify_all()

    def wait_for(self, pid, timeout):
        """CLOCK_MONOTONIC nanoseconds of the first map of a window of `pid`, and its name."""
        with self.changed:
            if not self.changed.wait_for(lambda: pid in self.first_map, timeout):
                fail(f"no window of process {pid} was mapped within {timeout} s")
            return self.first_map[pid]


def read_counters(pid):
    """Voluntary switches per thread, utime+stime ticks and scheduler run time (ns)."""
    switches = {}
    run_ns = 0
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            for line in Path(f"/proc/{pid}/task/{tid}/status").read_text().splitlines():
                if line.startswith("voluntary_ctxt_switches:"):
                    switches[tid] = int(line.split()[1])
            run_ns += int(Path(f"/proc/{pid}/task/{tid}/schedstat").read_text().split()[0])
        except FileNotFoundError:
            pass  # the thread ended while being read
    # The command name may hold spaces: the fields start after its closing parenthesis.
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    ticks = int(fields[11]) + int(fields[12])  # utime, stime (fields 14 and 15)
    return switches, ticks, run_ns


def rss_mib(pid):
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1]) / 1024.0
    return float("nan")


def measure(process, window):
    """The idle figures of `process` over `window` seconds in which nothing touches it."""
    if process.poll() is not None:
        fail(f"process {process.pid} ended early (status {process.returncode})")
    switches0, ticks0, run0 = read_counters(process.pid)
    time.sleep(window)
    if process.poll() is not None:
        fail(f"process {process.pid} ended during the window (status {process.returncode})")
    switches1, ticks1, run1 = read_counters(process.pid)
    lost = set(switches0) - set(switches1)
    return {
        "wakeups": sum(count - switches0.get(tid, 0) for tid, count in switches1.items()),
        "cpu_ms": (ticks1 - ticks0) * 1000.0 / TICKS_PER_SECOND,
        "run_ms": (run1 - run0) / 1e6,
        "rss_mib": rss_mib(process.pid),
        "threads": len(switches1),
        "threads_lost": len(lost),
    }


class Calendar:
    def __init__(self, binary, env, children, log):
        self.binary, self.env, self.children, self.log = binary, env, children, log

    def control(self, action):
        result = subprocess.run([self.binary, f"--{action}"], env=self.env, capture_output=True,
                                text=True, timeout=10, stdin=subprocess.DEVNULL)
        if result.returncode != 0:
            fail(f"moonleaf --{action} failed: {result.stderr.strip()}")
        return result.stdout

    def wait_visible(self, visible, timeout=10.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if json.loads(self.control("status"))["visible"] == visible:
                return
            time.sleep(0.25)
        fail(f"the calendar did not become {'visible' if visible else 'hidden'} in {timeout} s")

    def start(self, watch):
        started = time.monotonic_ns()
        process = self.children.start([str(self.binary)], env=self.env, stdin=subprocess.DEVNULL,
                                      stdout=self.log, stderr=self.log)
        mapped, name = watch.wait_for(process.pid, 30)
        return process, (mapped - started) / 1e6, name


def start_floor(floor, env, children, log, watch):
    started = time.monotonic_ns()
    process = children.start([str(floor)], env=env, stdin=subprocess.DEVNULL, stdout=log,
                             stderr=log)
    mapped, _ = watch.wait_for(process.pid, 30)
    return process, (mapped - started) / 1e6


def spread(values):
    return min(values), statistics.median(values), max(values)


def cell(values, digits):
    low, middle, high = spread(values)
    return f"{low:.{digits}f} / {middle:.{digits}f} / {high:.{digits}f}"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--binary", type=Path, default=REPO / "build/release/src/app/moonleaf")
    parser.add_argument("--runs", type=int, default=3, help="runs of each measurement (3)")
    parser.add_argument("--window", type=float, default=10.0, help="idle window, seconds (10)")
    parser.add_argument("--settle", type=float, default=2.0,
                        help="seconds between reaching a state and measuring it (2)")
    parser.add_argument("--starts", type=int, default=7,
                        help="starts of each program, beyond the runs, timed to mapped only (7)")
    parser.add_argument("--keep", action="store_true", help="keep the temporary folder")
    args = parser.parse_args()
    binary = args.binary.resolve()
    if not os.access(binary, os.X_OK):
        fail(f"{binary} is not built: cmake --preset release && cmake --build --preset release")

    folder = Path(tempfile.mkdtemp(prefix="moonleaf-idle-"))
    runtime = None
    children = Children()
    try:
        floor, mapwatch = compile_helpers(folder)
        display = start_xvfb(children)
        home = folder / "home"
        home.mkdir()
        # A desktop session's runtime folder is a tmpfs (/run/user/UID), where the calendar's
        # instance lock costs no disk flush; /dev/shm stands in for it when it can.
        shm = Path("/dev/shm")
        if shm.is_dir() and os.access(shm, os.W_OK):
            runtime = Path(tempfile.mkdtemp(prefix="moonleaf-idle-runtime-", dir=shm))
        else:
            runtime = folder / "runtime"
            runtime.mkdir()
        runtime.chmod(0o700)
        env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "LANG": "C.UTF-8",
            "HOME": str(home),
            "XDG_RUNTIME_DIR": str(runtime),
            "XDG_CONFIG_HOME": str(home / ".config"),
            "XDG_CACHE_HOME": str(home / ".cache"),
            "XDG_DATA_HOME": str(home / ".local/share"),
            "DISPLAY": display,
        }
        log = open(folder / "programs.log", "w")
        watch = MapWatch(children, mapwatch, env)
        calendar = Calendar(binary, env, children, log)
        print(f"idle-cost: {binary} on Xvfb {display} (no window manager), "
              f"{args.runs} runs, {args.window:g} s windows, {args.settle:g} s to settle, "
              f"runtime folder {runtime}", file=sys.stderr)

        # Warm-up: one discarded start of each, so that fonts and libraries are in the cache.
        process, _ = start_floor(floor, env, children, log, watch)
        children.end(process)
        process, _, _ = calendar.start(watch)
        calendar.wait_visible(False)
        children.end(process)

        figures = {key: [] for key in ("floor", "a", "b", "c")}
        mapped = {"floor": [], "moonleaf": []}
        mapped_name = ""
        for run in range(1, args.runs + 1):
            print(f"idle-cost: run {run} of {args.runs}", file=sys.stderr)
            process, ms = start_floor(floor, env, children, log, watch)
            mapped["floor"].append(ms)
            time.sleep(args.settle)
            figures["floor"].append(measure(process, args.window))
            children.end(process)

            process, ms, mapped_name = calendar.start(watch)
            mapped["moonleaf"].append(ms)
            calendar.wait_visible(False)  # the automatic slide at start-up
            time.sleep(args.settle)
            figures["c"].append(measure(process, args.window))
            calendar.control("show")
            calendar.wait_visible(True)
            time.sleep(args.settle)
            figures["a"].append(measure(process, args.window))
            calendar.control("hide")
            calendar.wait_visible(False)
            time.sleep(args.settle)
            figures["b"].append(measure(process, args.window))
            children.end(process)
            if process.returncode not in (0, -signal.SIGTERM):
                fail(f"moonleaf ended with status {process.returncode} (log: {folder})")

        # Start-up is noisier than the idle figures: more starts, the two programs in turn,
        # each ended once its window is mapped (with a pause so that the ending is not timed).
        print(f"idle-cost: {args.starts} more starts of each", file=sys.stderr)
        for _ in range(args.starts):
            process, ms = start_floor(floor, env, children, log, watch)
            mapped["floor"].append(ms)
            time.sleep(0.3)
            children.end(process)
            time.sleep(0.3)
            process, ms, _ = calendar.start(watch)
            mapped["moonleaf"].append(ms)
            time.sleep(0.3)
            children.end(process)
            time.sleep(0.3)
        log.close()
    finally:
        children.end_all()
        if runtime is not None and not runtime.is_relative_to(folder):
            shutil.rmtree(runtime, ignore_errors=True)
        if not args.keep:
            shutil.rmtree(folder, ignore_errors=True)

    report(figures, mapped, mapped_name, args)


def report(figures, mapped, mapped_name, args):
    per10 = 10.0 / args.window
    rows = [
        ("floor: QLabel + QTimer 1000 ms, shown", "floor"),
        ("moonleaf (a) shown, clock running", "a"),
        ("moonleaf (b) hidden by --hide, clock off", "b"),
        ("moonleaf (c) hidden after start-up slide", "c"),
    ]
    print()
    print(f"Idle cost over {args.window:g} s windows, {args.runs} runs each: min / median / max")
    print()
    header = (f"{'program and state':42} {'wakeups':>16} {'CPU ms (stat)':>16} "
              f"{'CPU ms (sched)':>20} {'RSS MiB':>20} {'threads':>7}")
    print(header)
    print("-" * len(header))
    for title, key in rows:
        values = figures[key]
        threads = max(v["threads"] for v in values)
        print(f"{title:42} {cell([v['wakeups'] for v in values], 0):>16} "
              f"{cell([v['cpu_ms'] for v in values], 0):>16} "
              f"{cell([v['run_ms'] for v in values], 1):>20} "
              f"{cell([v['rss_mib'] for v in values], 1):>20} {threads:>7}")
    print()
    starts = len(mapped["floor"])
    print(f"{f'exec to first window mapped, ms ({starts} starts)':42} "
          f"{'min / median / max':>24}")
    print(f"{'floor':42} {cell(mapped['floor'], 1):>24}")
    title = mapped_name.split(" - ")[0]  # the window's title, up to its non-ASCII part
    print(f"{f'moonleaf (window {title!r})':42} {cell(mapped['moonleaf'], 1):>24}")
    lost = sum(v["threads_lost"] for values in figures.values() for v in values)
    if lost:
        print(f"note: {lost} thread(s) ended inside a window; their switches are not counted")

    def median(key, field):
        return statistics.median(v[field] for v in figures[key])

    def ratio(value, floor):
        return value / floor if floor > 0 else float("inf")

    floor_wakeups, a_wakeups = median("floor", "wakeups"), median("a", "wakeups")
    floor_run, a_run = median("floor", "run_ms"), median("a", "run_ms")
    floor_cpu, a_cpu = median("floor", "cpu_ms"), median("a", "cpu_ms")
    b_wakeups = max(v["wakeups"] for v in figures["b"]) * per10
    rss = max(v["rss_mib"] for key in ("a", "b", "c") for v in figures[key])
    floor_mapped = statistics.median(mapped["floor"])
    moonleaf_mapped = statistics.median(mapped["moonleaf"])
    # (name, moonleaf and floor, value, limit, unit, judged)
    targets = [
        ("(a) wakeups / floor's, medians", f"{a_wakeups:.0f} / {floor_wakeups:.0f}",
         ratio(a_wakeups, floor_wakeups), SHOWN_WAKEUP_RATIO, "x", True),
        ("(a) CPU (sched) / floor's, medians", f"{a_run:.1f} / {floor_run:.1f} ms",
         ratio(a_run, floor_run), SHOWN_CPU_RATIO, "x", True),
        ("(a) CPU (stat) / floor's, medians", f"{a_cpu:.0f} / {floor_cpu:.0f} ms",
         ratio(a_cpu, floor_cpu), SHOWN_CPU_RATIO, "x", False),
        ("(b) wakeups per 10 s, worst run", f"{b_wakeups:.1f}", b_wakeups,
         HIDDEN_WAKEUPS_PER_10S, "", True),
        ("RSS, largest of (a) (b) (c)", f"{rss:.1f} MiB", rss, RSS_LIMIT_MIB, " MiB", True),
        ("exec to mapped / floor's, medians", f"{moonleaf_mapped:.1f} / {floor_mapped:.1f} ms",
         ratio(moonleaf_mapped, floor_mapped), MAPPED_RATIO, "x", True),
        ("exec to mapped / floor's, fastest", f"{min(mapped['moonleaf']):.1f} / "
         f"{min(mapped['floor']):.1f} ms", ratio(min(mapped["moonleaf"]), min(mapped["floor"])),
         MAPPED_RATIO, "x", False),
    ]
    print()
    header = f"{'target':36} {'moonleaf / floor':>22} {'value':>10} {'limit':>10}  result"
    print(header)
    print("-" * len(header))
    failed = 0
    for name, pair, value, limit, unit, judged in targets:
        passed = value <= limit
        failed += judged and not passed
        result = ("PASS" if passed else "FAIL") if judged else "(information)"
        if value == float("inf"):
            shown = "n/a"  # the floor measured nothing
        else:
            shown = f"{value:.2f}{unit}" if unit == "x" else f"{value:.1f}{unit}"
        print(f"{name:36} {pair:>22} {shown:>10} {f'{limit:g}{unit}':>10}  {result}")
    print()
    print(f"CPU (stat) is utime + stime in whole clock ticks of {1000 // TICKS_PER_SECOND} ms, too "
          "coarse for a ratio\nof a few milliseconds; the CPU target is judged on CPU (sched), "
          "the scheduler's exact run time.")
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
