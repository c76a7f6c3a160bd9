# SPDX-License-Identifier: GPL-3.0-or-later
"""An X session of a test's own for the desktop calendar, driven and observed from outside
with the X utilities (xdotool, xwininfo, xprop, import), as a user's desktop would be.

A test gets a fresh Xvfb on a free display, openbox when its session kind asks for one, and
calendars started with a home, configuration folder and mode-0700 runtime folder of their
own. Everything the session starts is ended by process id when the test ends; nothing is
ever ended by name, since other programs of the same names run beside the tests.

Nothing here times the program: every wait polls for a state and gives up only after a
generous limit, so a loaded machine makes the tests slower, never red.
"""
import ctypes
import json
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

# How long a state may take to come about before a test gives up on it.
WAIT_SECONDS = 20.0
POLL_SECONDS = 0.05
# Two clicks at one place closer in time than this would be one double-click, which a
# button of the calendar takes as a single click (Qt's double-click interval is 400 ms).
DOUBLE_CLICK_SECONDS = 0.8
DOUBLE_CLICK_DISTANCE = 8

# How long a process may take to end on SIGTERM before it is killed.
END_SECONDS = 10.0

SCREEN_WIDTH = 1280
SCREEN_HEIGHT = 1024

PANEL_WIDTH = 328
PANEL_HEIGHT = 421
TAB_WIDTH = 31
TAB_HEIGHT = 20

# The calendar's windows and boxes, by the titles they carry.
PANEL_TITLE_PREFIX = "Moonleaf - L"
TAB_TITLE = "Moonleaf"
NOTICE_TITLE = "Moonleaf - Th\u00f4ng b\u00e1o!"
LOOKUP_TITLE = "Moonleaf - T\u00ecm ng\u00e0y \u00e2m"
OPTIONS_TITLE = "Moonleaf - Options"
ABOUT_TITLE = "Th\u00f4ng tin v\u1ec1 Moonleaf!"
HELP_TITLE = "Moonleaf - H\u01b0\u1edbng d\u1eabn!"

APPLICATION_ID = "io.github.moonleaf.Moonleaf"


class SessionError(AssertionError):
    """A state that did not come about, or a helper program that failed."""


class Window:
    """One X window as `xwininfo -tree` lists it: id, title, class and absolute geometry."""

    def __init__(self, wid, title, klass, width, height, x, y):
        self.id = wid
        self.title = title
        self.klass = klass
        self.width = width
        self.height = height
        self.x = x
        self.y = y

    def __repr__(self):
        return f"<{self.id} {self.title!r} {self.width}x{self.height}{self.x:+d}{self.y:+d}>"


# `0x400004 "Moonleaf": ("moonleaf" "Moonleaf")  31x20+624+0  +624+0`; a window without a
# name reads `(has no name): ()`.
_TREE_LINE = re.compile(
    r'^\s*(0x[0-9a-f]+) (?:"(.*)"|\(has no name\)): \((.*)\)\s+'
    r'(\d+)x(\d+)\+(-?\d+)\+(-?\d+)\s+\+(-?\d+)\+(-?\d+)')


def wait_until(what, probe, timeout=WAIT_SECONDS):
    """Polls `probe` until it answers a true value, and returns that value; fails with the
    last answer when `timeout` seconds pass first."""
    deadline = time.monotonic() + timeout
    answer = None
    while True:
        answer = probe()
        if answer:
            return answer
        if time.monotonic() > deadline:
            raise SessionError(f"waited {timeout:.0f} s for {what}; last seen: {answer!r}")
        time.sleep(POLL_SECONDS)


def wait_for(what, probe, accept, timeout=WAIT_SECONDS):
    """Polls `probe` until `accept` takes its answer, and returns that answer; fails with
    the last answer when `timeout` seconds pass first."""
    seen = [None]

    def accepted():
        seen[0] = probe()
        return accept(seen[0])

    try:
        wait_until(what, accepted, timeout)
    except SessionError:
        raise SessionError(f"waited {timeout:.0f} s for {what}; last seen: {seen[0]!r}") from None
    return seen[0]


_PR_SET_PDEATHSIG = 1
_libc = ctypes.CDLL(None, use_errno=True)


def _end_with_the_runner():
    """Run in each child before its program starts: the child gets SIGTERM when the test
    runner ends, even when the runner is killed before it could end its children."""
    _libc.prctl(_PR_SET_PDEATHSIG, signal.SIGTERM)


def spawn(argv, **options):
    """Starts a program that lives as long as the test at most."""
    return subprocess.Popen(argv, preexec_fn=_end_with_the_runner, **options)


def _end(process):
    """Ends one process this session started: SIGTERM, then SIGKILL if it lingers."""
    if process.poll() is not None:
        return
    process.send_signal(signal.SIGTERM)
    try:
        process.wait(END_SECONDS)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


class XSession:
    """Xvfb on a display it chose itself, optionally with openbox, and the calendars and
    helper windows a test starts on it."""

    def __init__(self, kind):
        if kind not in ("bare", "openbox"):
            raise ValueError(f"unknown session kind {kind!r}")
        self.kind = kind
        self.folder = tempfile.mkdtemp(prefix="moonleaf-e2e-")
        self.display = None
        self._children = []  # ended in reverse order of starting
        self._logs = []
        self._last_click = (None, None, 0.0)

    # --- the session ------------------------------------------------------------------

    def start(self):
        self._start_server()
        if self.kind == "openbox":
            self._start_window_manager()

    def close(self):
        for process in reversed(self._children):
            _end(process)
        self._children.clear()
        for log in self._logs:
            log.close()
        shutil.rmtree(self.folder, ignore_errors=True)

    def _start_server(self):
        read_end, write_end = os.pipe()
        # -displayfd: Xvfb takes the first free display and writes its number once it
        # accepts clients. -noreset keeps the server as it is when its last client leaves.
        server = spawn(
            ["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp", "-noreset",
             "-screen", "0", f"{SCREEN_WIDTH}x{SCREEN_HEIGHT}x24"],
            pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=self._log("Xvfb"))
        os.close(write_end)
        self._children.append(server)
        number = b""
        with os.fdopen(read_end, "rb") as ready:
            while not number.endswith(b"\n"):
                chunk = ready.read(1)
                if not chunk:
                    break
                number += chunk
        if not number.strip():
            raise SessionError(f"Xvfb did not start: {self.log_text('Xvfb')}")
        self.display = ":" + number.decode().strip()

    def _start_window_manager(self):
        self._children.append(spawn(
            ["openbox", "--sm-disable"], env=self._environment(self._home("openbox")),
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=self._log("openbox")))
        # Ready once it has announced itself on the root window and manages new windows.
        wait_until("openbox to manage the screen",
                   lambda: "window id" in self.run(["xprop", "-root",
                                                    "_NET_SUPPORTING_WM_CHECK"]))

    def _log(self, name):
        log = open(os.path.join(self.folder, name + ".log"), "ab")
        self._logs.append(log)
        return log

    def log_text(self, name):
        path = os.path.join(self.folder, name + ".log")
        if not os.path.exists(path):
            return ""
        with open(path, encoding="utf-8", errors="replace") as log:
            return log.read()

    def _home(self, name):
        """A home of its own for `name`: HOME, XDG_CONFIG_HOME, XDG_CACHE_HOME,
        XDG_DATA_HOME and a fresh XDG_RUNTIME_DIR of mode 0700."""
        home = os.path.join(self.folder, name)
        paths = {"HOME": home,
                 "XDG_CONFIG_HOME": os.path.join(home, "config"),
                 "XDG_CACHE_HOME": os.path.join(home, "cache"),
                 "XDG_DATA_HOME": os.path.join(home, "data"),
                 "XDG_RUNTIME_DIR": os.path.join(home, "run")}
        for path in paths.values():
            os.makedirs(path, exist_ok=True)
        os.chmod(paths["XDG_RUNTIME_DIR"], 0o700)
        return paths

    def _environment(self, paths, **extra):
        env = {k: v for k, v in os.environ.items()
               if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "SESSION_MANAGER",
                            "DBUS_SESSION_BUS_ADDRESS", "XAUTHORITY", "MOONLEAF_TODAY")}
        env.update(paths)
        env["DISPLAY"] = self.display
        env.setdefault("LANG", "C.UTF-8")
        env.update(extra)
        return env

    # --- programs on the display --------------------------------------------------------

    def run(self, argv, check=False, env=None):
        """Runs an X utility on this display to its end; its standard output."""
        result = subprocess.run(argv, env=env or self._environment({}), capture_output=True,
                                timeout=60)
        if check and result.returncode != 0:
            raise SessionError(f"{argv[0]} failed ({result.returncode}): "
                               f"{result.stderr.decode(errors='replace').strip()}")
        return result.stdout.decode(errors="replace")

    def xdotool(self, *args):
        self.run(["xdotool", *map(str, args)], check=True)

    def start_helper_window(self, title):
        """A small window of another program (xmessage) that can take the focus; its
        window."""
        process = spawn(
            ["xmessage", "-name", "moonleaf-e2e-other", "-title", title, "another program"],
            env=self._environment(self._home("xmessage")), stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL, stderr=self._log("xmessage"))
        self._children.append(process)
        windows = wait_for(f"the window {title!r} of xmessage",
                           lambda: (process.poll(), [(w, self.is_viewable(w.id))
                                                     for w in self.windows() if w.title == title]),
                           lambda seen: [viewable for _, viewable in seen[1]] == [True])
        return windows[1][0][0]

    def calendar(self, today=None, home="user"):
        """A calendar not yet started, for the user whose home is `home`; calendars of the
        same home share their folders, as two starts by one user do."""
        return Calendar(self, self._home(home), today)

    # --- what is on the screen ----------------------------------------------------------

    def windows(self):
        """Every window of the display, nested ones included, with absolute geometry."""
        found = []
        for line in self.run(["xwininfo", "-root", "-tree"]).splitlines():
            match = _TREE_LINE.match(line)
            if match:
                wid, title, klass, w, h, _, _, x, y = match.groups()
                found.append(Window(wid, title or "", klass, int(w), int(h), int(x), int(y)))
        return found

    def is_viewable(self, wid):
        return "IsViewable" in self.run(["xwininfo", "-id", wid])

    def mapped_windows(self, title=None, prefix=None):
        return [w for w in self.windows()
                if (title is None or w.title == title)
                and (prefix is None or w.title.startswith(prefix))
                and self.is_viewable(w.id)]

    def mapped_window(self, title=None, prefix=None):
        """The one mapped window of that title, or None."""
        found = self.mapped_windows(title, prefix)
        return found[0] if len(found) == 1 else None

    def geometry(self, wid):
        """The window's absolute position and size now, or None when it is gone."""
        for window in self.windows():
            if window.id == wid:
                return window
        return None

    def outer_window(self, wid):
        """The window as the screen shows it: the frame a window manager put it in, or the
        window itself."""
        while True:
            match = re.search(r"Parent window id: (0x[0-9a-f]+)( \(the root window\))?",
                              self.run(["xwininfo", "-children", "-id", wid]))
            if match is None or match.group(2):
                return wid
            wid = match.group(1)

    def property(self, wid, name):
        """What xprop shows for property `name` of the window, after the '=' or '#'."""
        output = self.run(["xprop", "-id", wid, name]).strip()
        for separator in ("=", "#"):
            if separator in output:
                return output.split(separator, 1)[1].strip()
        return ""

    def frame_extents(self, wid):
        """(left, right, top, bottom) the window manager's frame adds to the window."""
        values = self.property(wid, "_NET_FRAME_EXTENTS")
        if not values:
            return (0, 0, 0, 0)
        return tuple(int(v) for v in values.split(","))

    def focused_window(self):
        """The id of the window that has the keyboard focus, as a number."""
        return int(self.run(["xdotool", "getwindowfocus"]).strip() or "0")

    def screenshot(self, wid):
        """The window's pixels now, as an Image."""
        raw = subprocess.run(["import", "-window", wid, "-depth", "8", "ppm:-"],
                             env=self._environment({}), capture_output=True, timeout=60)
        if raw.returncode != 0:
            raise SessionError(f"import failed: {raw.stderr.decode(errors='replace')}")
        return Image.from_ppm(raw.stdout)

    def save_png(self, wid, path):
        """Writes the window's pixels now to `path` as PNG."""
        self.run(["import", "-window", wid, path], check=True)

    def settled_screenshot(self, wid):
        """The window's pixels once it has drawn itself: two screenshots in a row agree."""
        seen = [None]

        def settled():
            previous, seen[0] = seen[0], self.screenshot(wid)
            return previous is not None and not seen[0].pixels_differ(previous)

        wait_until(f"the pixels of {wid} to settle", settled)
        return seen[0]

    def click(self, x, y, modifiers=()):
        """Moves the pointer to (x, y) of the screen and clicks the left button, with the
        keys in `modifiers` held."""
        last_x, last_y, last_time = self._last_click
        if (last_x is not None and abs(x - last_x) <= DOUBLE_CLICK_DISTANCE
                and abs(y - last_y) <= DOUBLE_CLICK_DISTANCE):
            time.sleep(max(0.0, last_time + DOUBLE_CLICK_SECONDS - time.monotonic()))
        args = []
        for key in modifiers:
            args += ["keydown", key]
        # The server takes the motion and the button in the order sent; no --sync, which
        # waits for a motion that never comes when the pointer is already there.
        args += ["mousemove", x, y, "click", "1"]
        for key in reversed(modifiers):
            args += ["keyup", key]
        self.xdotool(*args)
        self._last_click = (x, y, time.monotonic())

    def key(self, *keys):
        self.xdotool("key", *keys)

    def focus(self, wid):
        """Gives `wid` the keyboard focus and waits until it has it."""
        wait_until(f"the focus on {wid}", lambda: self._try_focus(wid))

    def _try_focus(self, wid):
        self.run(["xdotool", "windowfocus", wid])
        return self.focused_window() == int(wid, 16)


class Image:
    """Pixels of a screenshot, row by row, as (r, g, b)."""

    def __init__(self, width, height, data):
        self.width = width
        self.height = height
        self._data = data

    @classmethod
    def from_ppm(cls, raw):
        # P6 header: magic, width, height, maximum value, each followed by white space.
        fields = []
        position = 0
        while len(fields) < 4:
            match = re.compile(rb"\s*(#[^\n]*\n\s*)*(\S+)").match(raw, position)
            fields.append(match.group(2))
            position = match.end()
        if fields[0] != b"P6" or fields[3] != b"255":
            raise SessionError(f"unexpected screenshot format {fields!r}")
        return cls(int(fields[1]), int(fields[2]), raw[position + 1:])

    def pixel(self, x, y):
        offset = (y * self.width + x) * 3
        return tuple(self._data[offset:offset + 3])

    def pixels_differ(self, other):
        return (self.width, self.height, self._data) != (other.width, other.height, other._data)

    def pixels(self, left, top, width, height):
        for y in range(top, top + height):
            for x in range(left, left + width):
                yield self.pixel(x, y)


class Calendar:
    """The desktop program `moonleaf` of one user of a session: its process, its folders
    and what it shows."""

    def __init__(self, session, paths, today):
        self.session = session
        self.paths = paths
        self.today = today
        self.process = None
        self.name = os.path.basename(paths["HOME"])

    @property
    def executable(self):
        return os.environ["MOONLEAF"]

    @property
    def private_folder(self):
        return os.path.join(self.paths["XDG_RUNTIME_DIR"], "moonleaf")

    @property
    def quotation_file(self):
        return os.path.join(self.private_folder, "999")

    @property
    def autostart_entry(self):
        return os.path.join(self.paths["XDG_CONFIG_HOME"], "autostart",
                            APPLICATION_ID + ".desktop")

    def environment(self):
        extra = {"TZ": "Asia/Ho_Chi_Minh"}
        if self.today is not None:
            extra["MOONLEAF_TODAY"] = self.today
        return self.session._environment(self.paths, **extra)

    def start(self):
        """Starts the program; its process."""
        process = spawn([self.executable], env=self.environment(),
                                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=self.session._log(f"moonleaf-{self.name}"))
        self.session._children.append(process)
        if self.process is None or self.process.poll() is not None:
            self.process = process
        return process

    def stderr_text(self):
        return self.session.log_text(f"moonleaf-{self.name}")

    def command(self, *args):
        """`moonleaf ARGS` for this user: (exit status, standard output, standard error)."""
        result = subprocess.run([self.executable, *args], env=self.environment(),
                                capture_output=True, timeout=60)
        return (result.returncode, result.stdout.decode(errors="replace"),
                result.stderr.decode(errors="replace"))

    def status(self):
        code, out, err = self.command("--status")
        if code != 0:
            raise SessionError(f"moonleaf --status failed ({code}): {err.strip()}")
        return json.loads(out)

    def wait_for_status(self, field, value):
        """Waits until `moonleaf --status` reports `value` for `field`."""
        wait_for(f"--status to report {field} {value!r}", lambda: self.status()[field],
                 lambda seen: seen == value)

    def ended(self):
        """The exit status once the process has ended, else None."""
        return self.process.poll()

    def wait_for_end(self, timeout=WAIT_SECONDS):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise SessionError(f"the calendar still runs after {timeout:.0f} s; "
                               f"stderr: {self.stderr_text()!r}") from None

    # --- its windows --------------------------------------------------------------------

    def panel(self):
        """The panel window (mapped or not), or None while it does not exist."""
        found = [w for w in self.session.windows() if w.title.startswith(PANEL_TITLE_PREFIX)]
        return found[0] if len(found) == 1 else None

    def wait_for_panel(self):
        return wait_until("the panel to be mapped",
                          lambda: self.session.mapped_window(prefix=PANEL_TITLE_PREFIX))

    def tab(self):
        """The restore tab while it is mapped, or None. (The tab shares its title with the
        screen effect and the lookup dialog's list popups: while one of those shows, the
        tab is not told apart.)"""
        return self.session.mapped_window(title=TAB_TITLE)

    def wait_until_shown(self):
        """Waits until the panel rests at the top edge with its tab gone; the panel."""
        def shown():
            panel = self.session.mapped_window(prefix=PANEL_TITLE_PREFIX)
            return panel if panel and panel.y == 0 and self.tab() is None else None
        return wait_until("the panel at the top edge", shown)

    def wait_until_hidden(self):
        """Waits until the panel is wholly above the screen and the tab is mapped; the tab."""
        def hidden():
            panel = self.panel()
            tab = self.tab()
            if panel is None or panel.y + panel.height > 0 or tab is None:
                return None
            return tab
        return wait_until("the panel above the screen and the tab mapped", hidden)

    def wait_for_box(self, title):
        """A message box or dialog of that title, once mapped and, under a window manager,
        framed and at rest; its geometry then."""
        session = self.session
        box = wait_until(f"the window {title!r}", lambda: session.mapped_window(title))
        if session.kind == "openbox":
            wait_until(f"{title!r} to be framed", lambda: session.frame_extents(box.id)[2] > 0)
        seen = [None]

        def at_rest():
            previous, seen[0] = seen[0], session.geometry(box.id)
            return seen[0] is not None and repr(seen[0]) == repr(previous)

        wait_until(f"{title!r} to come to rest", at_rest)
        return seen[0]

    def dismiss_box(self, box):
        """Answers a message box with Return, which presses its default button."""
        self.session.focus(box.id)
        self.session.key("Return")
        wait_until(f"{box.title!r} to close", lambda: not self.session.is_viewable(box.id))

    def click_panel(self, x, y, modifiers=()):
        """Clicks at (x, y) of the panel's client area."""
        panel = self.wait_for_panel()
        self.session.click(panel.x + x, panel.y + y, modifiers)


def element_centre(x, y, w, h):
    """The middle of an element of the panel given as x, y, width, height in pixels."""
    return (x + w // 2, y + h // 2)


def shots_folder():
    """The folder screenshots go to when they were asked for (MOONLEAF_E2E_SHOTS), or
    None."""
    folder = os.environ.get("MOONLEAF_E2E_SHOTS")
    if not folder:
        return None
    os.makedirs(folder, exist_ok=True)
    return folder


class WindowEvents:
    """What happens to the top-level windows of a display, recorded from before a program
    starts: xev watching the root window's children. It tells where a window was at the
    moment it was first mapped, which a poll could miss when the window moves soon after."""

    def __init__(self, session):
        self._path = os.path.join(session.folder, "root-events.txt")
        # xev writes through stdio: stdbuf makes each line reach the file as it is written.
        with open(self._path, "wb") as report:
            self._process = spawn(
                ["stdbuf", "-oL", "xev", "-root", "-event", "substructure", "-event",
                 "property"],
                env=session._environment({}), stdin=subprocess.DEVNULL, stdout=report,
                stderr=subprocess.DEVNULL)
        session._children.append(self._process)
        # It watches once a change of a root property it was told about reaches it.
        wait_until("xev to watch the root window", lambda: self._heard(session))

    def _heard(self, session):
        session.run(["xprop", "-root", "-f", "_MOONLEAF_E2E", "8s", "-set", "_MOONLEAF_E2E",
                     "ready"])
        with open(self._path, encoding="utf-8", errors="replace") as log:
            return "_MOONLEAF_E2E" in log.read()

    def _blocks(self):
        with open(self._path, encoding="utf-8", errors="replace") as log:
            return [block for block in log.read().split("\n\n") if block.strip()]

    def geometry_at_first_map(self, wid):
        """(x, y, width, height) of window `wid`, or of the frame it was put in, when it or
        its frame was first mapped; None when neither has been mapped."""
        geometry = {}
        frame_of = {}
        target = int(wid, 16)
        number = r"(0x[0-9a-f]+)"
        for block in self._blocks():
            kind = block.split(" ", 1)[0]
            if kind in ("CreateNotify", "ConfigureNotify"):
                match = re.search(number + r", \((-?\d+),(-?\d+)\), width (\d+), height (\d+)",
                                  block)
                if match:
                    geometry[int(match.group(1), 16)] = tuple(int(v) for v in match.groups()[1:])
            elif kind == "ReparentNotify":
                match = re.search(r"window " + number + r", parent " + number, block)
                if match:
                    frame_of[int(match.group(1), 16)] = int(match.group(2), 16)
            elif kind == "MapNotify":
                match = re.search(r"event 0x[0-9a-f]+, window " + number, block)
                if match:
                    mapped = int(match.group(1), 16)
                    if mapped in (target, frame_of.get(target)):
                        return geometry.get(mapped)
        return None


class CalendarTestCase(unittest.TestCase):
    """A test with an X session of its own, of the kind the runner chose from SESSIONS."""

    SESSIONS = ()  # the kinds of session the class's tests run in
    session_kind = "bare"

    def setUp(self):
        self.x = XSession(self.session_kind)
        self.addCleanup(self._end_session)
        self.x.start()

    def _end_session(self):
        # What the programs said, shown by ctest when the test fails.
        for name in sorted(os.listdir(self.x.folder)):
            if (name.endswith(".log") and name != "Xvfb.log"
                    and os.path.getsize(os.path.join(self.x.folder, name))):
                print(f"--- {name}\n{self.x.log_text(name[:-4]).rstrip()}")
        self.x.close()

    def shot(self, wid, name, settle=True):
        """Writes a PNG of the window, with its frame, when screenshots were asked for;
        once the window has drawn itself unless `settle` is false."""
        folder = shots_folder()
        if folder is None:
            return
        outer = self.x.outer_window(wid)
        if settle:
            self.x.settled_screenshot(outer)
        self.x.save_png(outer, os.path.join(folder, f"{self.session_kind}-{name}.png"))

    def started_calendar(self, today="2026-02-17", home="user"):
        """A calendar started and slid away to its tab, its keys watched."""
        calendar = self.x.calendar(today=today, home=home)
        calendar.start()
        calendar.wait_for_panel()
        calendar.wait_until_hidden()
        return calendar

    def shown_calendar(self, today="2026-02-17", home="user"):
        """A calendar started, slid away, and brought back with `moonleaf --show`."""
        calendar = self.started_calendar(today, home)
        self.assertEqual(calendar.command("--show")[0], 0)
        calendar.wait_until_shown()
        return calendar
