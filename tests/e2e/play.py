#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays a whole game of the real brimwold program as a player meets it.

The program runs on a private X server (Xvfb) with a private D-Bus session bus
and accessibility bus. It is driven from outside: every control is found by its
accessible name and pressed through AT-SPI, or clicked or typed into with
xdotool where a real mouse click or key press matters. After every step the
test polls the accessibility tree until the player sees what the step expects:
the windows showing (a message box by its text), the days box, the activity
log, the grade. The steps and what each expects come from game.json, the table
the browser edition's tests play as well.

With a language's code, the program plays in that language (LANGUAGE=CODE),
every text of the table is put into the language by the core (the helper
e2e_translate), and every control pressed or clicked stands where its design
places it, mirrored in a language written from right to left.

Usage: play.py PATH/TO/brimwold [CODE PATH/TO/e2e_translate]
       (exit status 77: a needed tool is missing)
"""

import ctypes
import glob
import importlib.util
import json
import re
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
SKIPPED = 77
POLL = 0.05  # seconds between two looks at the accessibility tree
STEP_TIMEOUT = 10
START_TIMEOUT = 30

# The whole game, step by step, shared with the browser edition's tests.
TABLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "game.json")
MESSAGE = "Message"  # a message box is "Message: " and its text
MAIN, FEEDBACK = "Brimwold", "Feedback"
DAYS, LOG = "Days left", "Activity log"  # the controls every step may look at, in MAIN and FEEDBACK
SCREENS = os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))), "screens")


class Failure(Exception):
    pass


def wait_until(what, expectations, timeout=STEP_TIMEOUT):
    """Polls every (probe, expected) pair until each probe gives its expected value."""
    deadline = time.monotonic() + timeout
    while True:
        seen = []
        for probe, _ in expectations:
            try:
                seen.append(probe())
            except Exception as error:  # an object went away mid-walk: look again
                seen.append(f"<{type(error).__name__}: {error}>")
        wrong = [f"  expected {e!r}\n  but saw  {s!r}" for s, (_, e) in zip(seen, expectations) if s != e]
        if not wrong:
            return
        if time.monotonic() > deadline:
            raise Failure(f"{what}, after {timeout} s:\n" + "\n".join(wrong))
        time.sleep(POLL)


# --- The program's accessible windows and controls -------------------------------------------

def has(accessible, state):
    return accessible.getState().contains(state)


def window_key(window):
    if window.getRole() != pyatspi.ROLE_ALERT:
        return window.name
    return f"{MESSAGE}: " + " ".join(c.name for c in window if c.getRole() == pyatspi.ROLE_LABEL and c.name)


def windows():
    """The showing windows, as (key, window) pairs."""
    return [(window_key(w), w) for w in game.root if has(w, pyatspi.STATE_SHOWING)]


def window(key):
    found = [w for k, w in windows() if k == key or (key == MESSAGE and k.startswith(MESSAGE + ":"))]
    if len(found) != 1:
        raise Failure(f"{len(found)} windows {key!r} showing")
    return found[0]


def control(key, name, role):
    """The control of that name and role in a showing window, found by walking the window's tree."""
    pending = [window(key)]
    while pending:
        accessible = pending.pop()
        if accessible.name == name and accessible.getRole() == role:
            return accessible
        pending.extend(accessible)
    raise Failure(f"no {pyatspi.Atspi.Role.get_name(role)} {name!r} in {key}")


def button(key, name):
    return control(key, name, pyatspi.ROLE_PUSH_BUTTON)


def text_of(key, name):
    return control(key, name, pyatspi.ROLE_TEXT).queryText().getText(0, -1)


def xdotool(*arguments):
    subprocess.run(["xdotool", *arguments], check=True, timeout=STEP_TIMEOUT)


def click(accessible):
    """A real left click in the middle of the control."""
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    xdotool("mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2), "click", "1")


def press(accessible):
    actions = accessible.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    actions.doAction(names.index("Press"))


def key(key_window, keys):
    """Real key presses into the window, once it is the active one."""
    wait_until(f"{key_window} active", [(lambda: has(window(key_window), pyatspi.STATE_ACTIVE), True)])
    xdotool("key", "--clearmodifiers", keys)


def window_ids(key):
    """The X windows showing with that caption."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(key)}$"], capture_output=True,
                           text=True, timeout=STEP_TIMEOUT)
    return found.stdout.split()


def raise_window(key):
    """Brings the window to the front, as a window manager would."""
    for window_id in window_ids(key):
        xdotool("windowraise", window_id)


def top_at_main():
    """The caption of the window on top at the middle of the main screen."""
    box = window(MAIN).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    located = subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2),
                              "getmouselocation", "--shell"], capture_output=True, text=True, timeout=STEP_TIMEOUT)
    under = dict(line.split("=", 1) for line in located.stdout.split())["WINDOW"]
    return subprocess.run(["xdotool", "getwindowname", under], capture_output=True, text=True,
                          timeout=STEP_TIMEOUT).stdout.strip()


def type_into(key_window, name, text):
    """Clicks into a text box, selects what it holds and types over it."""
    click(control(key_window, name, pyatspi.ROLE_TEXT))
    xdotool("key", "--clearmodifiers", "ctrl+a")
    xdotool("type", "--delay", "20", text)


# --- What a step expects besides the windows and the days box --------------------------------

def buttons_enabled(key, names, on):
    return lambda: {n: has(button(key, n), pyatspi.STATE_ENABLED) for n in names}, {n: on for n in names}


def labels(key, texts):
    """Every label with some text in the window, in a fixed order."""
    return lambda: sorted(a.name for a in window(key) if a.getRole() == pyatspi.ROLE_LABEL and a.name), sorted(texts)


def named(key, name):
    """The showing control of that name, of any role."""
    pending = [window(key)]
    while pending:
        accessible = pending.pop()
        if accessible.name == name and has(accessible, pyatspi.STATE_SHOWING):
            return accessible
        pending.extend(accessible)
    return None


def describes(key, name, fact):
    return lambda: fact in named(key, name).description, True


def list_lines(key, name, lines):
    return lambda: [item.name for item in control(key, name, pyatspi.ROLE_LIST)], lines


def not_showing(key, names):
    return lambda: [named(key, n) is None for n in names], [True] * len(names)


def typed(key, name, text):
    return lambda: text_of(key, name), text


def program_ended():
    return lambda: game.app.poll(), 0


# --- The game, step by step, from the shared table ------------------------------------------

def expectations_of(row, log):
    """What the player is to see after a step of the table, as (probe, expected) pairs."""
    expected = []
    if row["showing"] is not None:
        expected.append((lambda: sorted(k for k, _ in windows()), sorted(row["showing"])))
    if "days" in row:
        expected.append((lambda: text_of(MAIN, DAYS), row["days"]))
    if "enabled" in row:
        enabled = row["enabled"]
        expected.append(buttons_enabled(enabled["window"], enabled["buttons"], enabled["on"]))
    if "log" in row:
        expected.append(list_lines(FEEDBACK, LOG, log[:row["log"]]))
    if "list" in row:
        expected.append(list_lines(row["list"]["window"], row["list"]["control"], row["list"]["lines"]))
    if "hidden" in row:
        expected.append(not_showing(row["hidden"]["window"], row["hidden"]["controls"]))
    if "labels" in row:
        expected.append(labels(row["labels"]["window"], row["labels"]["texts"]))
    if "describes" in row:
        fact = row["describes"]
        expected.append(describes(fact["window"], fact["control"], fact["fact"]))
    if "top" in row:
        expected.append((top_at_main, row["top"]))
    if row.get("ended"):
        expected.append(program_ended())
    return expected


def play(number, row, log, english=None):
    do, where, what, text = row["do"], row["window"], row.get("control"), row.get("text")
    expectations = expectations_of(row, log)
    if do in ("press", "click") and english:
        placed_as_designed(where, english["window"], english["control"], button(where, what))
    if do == "press":
        press(button(where, what))
    elif do == "click":
        click(button(where, what))
    elif do == "key":
        key(where, text)
    elif do == "type":
        type_into(where, what, text)
        expectations.append(typed(where, what, text))
    elif do == "raise":
        raise_window(where)
    wait_until(f"step {number}: {do} {where} {what or text}", expectations)


# --- In another language ---------------------------------------------------------------------

def load_designs():
    """The windows' designs by their English captions, as screens/designs.py reads them."""
    sys.path.insert(0, SCREENS)
    import designs  # pylint: disable=import-outside-toplevel
    read = [designs.window(path) for path in sorted(glob.glob(os.path.join(SCREENS, "*.ui")))]
    return {design["caption"]: dict(design, name=name) for name, design in read if design["caption"]}


class Language:
    """The table's texts in a language, as the core writes them (e2e_translate)."""

    def __init__(self, code, helper, designs):
        self.code, self.helper, self.designs = code, helper, designs
        self.known, self.asked = {}, []
        self.placed = 0  # controls found placed as designed

    def window_name(self, caption):
        return self.designs[caption]["name"] if caption in self.designs else ""

    def text(self, window, text):
        """The text in the language; None where the core has no translation of it."""
        key = (self.window_name(window), text)
        if key not in self.known:
            self.asked.append(key)
            return text
        kind, translated = self.known[key]
        return translated if kind == "+" else None

    def seen(self, window, text):
        """A text the player sees, in the language, or as it is where it has none (a name, a number)."""
        translated = self.text(window, text)
        return text if translated is None else translated

    def ask(self):
        request = "".join(f"{w}\t{t}\n" for w, t in self.asked)
        answer = subprocess.run([self.helper, self.code], input=request, capture_output=True, text=True, check=True,
                                timeout=STEP_TIMEOUT).stdout.split("\n")
        self.right_to_left = answer[0] == "rtl"
        self.known.update((key, tuple(line.split("\t", 1))) for key, line in zip(self.asked, answer[1:]))
        self.asked = []

    def table(self, shared):
        """The table with every text the player sees in the language."""
        def translated():
            return {"names": {"MAIN": self.caption(MAIN), "FEEDBACK": self.caption(FEEDBACK),
                              "DAYS": self.seen(MAIN, DAYS), "LOG": self.seen(FEEDBACK, LOG)},
                    "log": [self.seen(FEEDBACK, line) for line in shared["log"]],
                    "steps": [self.row(row) for row in shared["steps"]]}
        translated()
        self.ask()
        return translated()

    def caption(self, key):
        if key.startswith(MESSAGE + ": "):
            return f"{MESSAGE}: " + self.seen("", key[len(MESSAGE) + 2:])
        return key if key == MESSAGE else self.seen("", key)

    def row(self, row):
        out, where = dict(row), row["window"]
        out["window"] = self.caption(where)
        if "control" in row:
            out["control"] = self.seen(where, row["control"])
        if row["showing"] is not None:
            out["showing"] = [self.caption(key) for key in row["showing"]]
        if "top" in row:
            out["top"] = self.caption(row["top"])
        for field, names in (("enabled", "buttons"), ("hidden", "controls"), ("labels", "texts"), ("list", "lines")):
            if field in row:
                part = row[field]
                out[field] = dict(part, window=self.caption(part["window"]),
                                  **{names: [self.seen(part["window"], n) for n in part[names]]})
                if "control" in part:
                    out[field]["control"] = self.seen(part["window"], part["control"])
        if "describes" in row:
            fact = row["describes"]
            # A fact is a part of a longer text: where the core has no translation of the part, it is not checked.
            words = self.text(fact["window"], fact["fact"])
            out.pop("describes")
            if words is not None:
                out["describes"] = dict(fact, window=self.caption(fact["window"]),
                                        control=self.seen(fact["window"], fact["control"]), fact=words)
        return out


def placed_as_designed(key, english_window, english_control, accessible):
    """The control stands in its window where its design places it, mirrored from
    the right in a language written from right to left (but on a picture, the map)."""
    design = language.designs.get(english_window)
    rects = [c["rect"] for c in design["controls"] if c["kind"] == "button"
             and english_control in (c.get("accessibleName"), c.get("text"))] if design else []
    if len(rects) != 1:
        return
    x, y, width, height = rects[0]
    frame = window(key).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    if language.right_to_left and not design["placesOnPicture"]:
        x = frame.width - x - width
    seen = (box.x - frame.x, box.y - frame.y, box.width, box.height)
    if any(abs(s - d) > 1 for s, d in zip(seen, (x, y, width, height))):
        raise Failure(f"{english_control!r} in {key} stands at {seen}, its design at {(x, y, width, height)}")
    language.placed += 1


# --- The processes, all started and ended here -----------------------------------------------

def die_with_parent():
    """Runs in a child before its program starts: the kernel ends it if this script dies unawares."""
    ctypes.CDLL(None).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


def first_line(fd, what):
    """The first line a just-started child writes to a pipe."""
    line = b""
    while not line.endswith(b"\n"):
        if not select.select([fd], [], [], START_TIMEOUT)[0]:
            raise Failure(f"{what} did not start in {START_TIMEOUT} s")
        chunk = os.read(fd, 256)
        if not chunk:
            raise Failure(f"{what} ended at start")
        line += chunk
    return line.decode().strip()


class Desktop:
    """Xvfb, a D-Bus session bus, the accessibility bus and the program."""

    def __init__(self, program, code=None):
        self.program = program
        self.code = code
        self.children = []

    def start(self, argv, dies_with_parent=True, **options):
        child = subprocess.Popen(argv, preexec_fn=die_with_parent if dies_with_parent else None,
                                 stdin=subprocess.DEVNULL, **options)
        self.children.append(child)
        return child

    def __enter__(self):
        self.home = tempfile.mkdtemp(prefix="brimwold-e2e-")
        try:
            return self.start_all()
        except BaseException:
            self.__exit__()
            raise

    def start_all(self):
        os.environ["XDG_RUNTIME_DIR"] = self.home  # where the accessibility bus puts its socket
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)  # the accessibility bus is the one started here
        read_end, write_end = os.pipe()
        # -noreset: the server must not restart between clients, such as xdotool's, while the program connects.
        self.start(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                    "-noreset"], pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        os.environ["DISPLAY"] = ":" + first_line(read_end, "Xvfb")
        os.close(read_end)
        bus = self.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = first_line(bus.stdout.fileno(), "the session bus")
        # The launcher ends by itself when the session bus goes, and takes its own bus along.
        self.start([LAUNCHER, "--launch-immediately"], dies_with_parent=False,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.wait_for_name("org.a11y.Bus")
        self.log = open(os.path.join(self.home, "brimwold.log"), "w+")
        language = {"LANGUAGE": self.code} if self.code else {}
        self.app = self.start([self.program], stdout=self.log, stderr=self.log,
                              env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
                                       **language))
        global pyatspi
        import pyatspi  # only now: it joins the buses the environment names
        desktop = pyatspi.Registry.getDesktop(0)
        desktop.set_cache_mask(pyatspi.Atspi.Cache.NONE)  # every look asks the program afresh
        mine = lambda: next((a for a in desktop if a and a.get_process_id() == self.app.pid), None)
        wait_until("the program on the accessibility bus", [(lambda: mine() is not None, True)], START_TIMEOUT)
        self.root = mine()
        return self

    def wait_for_name(self, name):
        from gi.repository import Gio, GLib
        flags = Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION
        bus = Gio.DBusConnection.new_for_address_sync(os.environ["DBUS_SESSION_BUS_ADDRESS"], flags, None, None)
        owned = lambda: bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                      "NameHasOwner", GLib.Variant("(s)", (name,)), None, Gio.DBusCallFlags.NONE,
                                      -1, None).unpack()[0]
        wait_until(f"{name} on the session bus", [(owned, True)], START_TIMEOUT)
        bus.close_sync(None)

    def __exit__(self, *failure):
        for child in reversed(self.children):
            if child.poll() is None:
                child.terminate()
                try:
                    child.wait(5)
                except subprocess.TimeoutExpired:
                    child.kill()
                    child.wait()
        if hasattr(self, "log"):
            self.log.seek(0)
            self.output = self.log.read()
        reap_orphans()
        shutil.rmtree(self.home, ignore_errors=True)


def reap_orphans():
    """Reaps the services the buses started on demand, which this script adopts; kills any left after 5 s."""
    deadline = time.monotonic() + 5
    while True:
        try:
            pid, _ = os.waitpid(-1, os.WNOHANG)
        except ChildProcessError:
            return
        if pid == 0 and time.monotonic() > deadline:
            for orphan in adopted():
                os.kill(orphan, signal.SIGKILL)
        if pid == 0:
            time.sleep(POLL)


def adopted():
    """This script's children, by pid, read from /proc."""
    for entry in os.listdir("/proc"):
        try:
            with open(f"/proc/{entry}/stat") as stat:
                if int(stat.read().rsplit(")", 1)[1].split()[1]) == os.getpid():
                    yield int(entry)
        except (OSError, ValueError, IndexError):
            pass


def missing_tools():
    tools = [t for t in ("Xvfb", "dbus-daemon", "xdotool") if not shutil.which(t)]
    tools += [] if os.access(LAUNCHER, os.X_OK) else [LAUNCHER]
    return tools + ([] if importlib.util.find_spec("pyatspi") else ["pyatspi"])


def main():
    if len(sys.argv) not in (2, 4):
        sys.exit(__doc__)
    missing = missing_tools()
    if missing:
        print("skipped: missing", ", ".join(missing))
        return SKIPPED
    ctypes.CDLL(None).prctl(36, 1)  # PR_SET_CHILD_SUBREAPER: the buses' services become ours to reap
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped from outside"))
    began = time.monotonic()
    global game, language
    with open(TABLE) as table:
        shared = json.load(table)
    code = sys.argv[2] if len(sys.argv) == 4 else None
    played = shared
    if code:
        language = Language(code, os.path.abspath(sys.argv[3]), load_designs())
        played = language.table(shared)
        globals().update(played["names"])
    game = Desktop(os.path.abspath(sys.argv[1]), code)
    try:
        with game:
            for number, (row, english) in enumerate(zip(played["steps"], shared["steps"]), 1):
                play(number, row, played["log"], english if code else None)
    except Exception as failure:
        print(f"FAILED {failure}\n--- the program's output:\n{getattr(game, 'output', '')}", file=sys.stderr)
        return 1
    placed = f", {language.placed} controls placed as designed in {code}" if code else ""
    print(f"played a whole game in {len(shared['steps'])} steps{placed}, {time.monotonic() - began:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
