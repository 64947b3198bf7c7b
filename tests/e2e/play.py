#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays a whole game of the real brimwold program as a player meets it.

The program runs on a private X server (Xvfb) with a private D-Bus session bus
and accessibility bus. It is driven from outside: every control is found by its
accessible name and pressed through AT-SPI, or clicked or typed into with
xdotool where a real mouse click or key press matters. After every step the
test polls the accessibility tree until the player sees what the step expects:
the windows showing (a message box by its text), the days box, the activity
log, the grade.

Usage: play.py PATH/TO/brimwold   (exit status 77: a needed tool is missing)
"""

import ctypes
import importlib.util
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

# The windows by title; a message box is "Message: " and its text.
INTRO, MAIN, INFO, MENU, MAP, FEEDBACK, ABOUT = (
    "Intro", "Brimwold", "Information", "Diffusion", "Village1", "Feedback", "About Brimwold")
MESSAGE = "Message"
NAME_BOX, DAYS_BOX = "Please enter your name.", "How many days do you plan on staying with us?"
BACK = "<-- Go Back"
TALK, NEWSPAPER, RADIO, VILLAGER, TRAINING, FILM, DEMO = (
    "Talk to a specific opinion leader (20 days)", "Use Newspaper ads to inform villagers (10 days)",
    "Use Radio ads to inform villagers (10 days)", "Talk to a villager at random (10 days)",
    "Train interested local villagers (30 days)", "Show a film at a public meeting (30 days)",
    "Conduct a demonstration at a leaders farm (40 days)")
FARMS = [f"Farm {farm}" for farm in range(1, 11)]
NO_TIME = "You don't have enough time for that"
TALK_FIRST = "You must talk to a opinion leader before giving a demonstration"
ONE_DEMO = "You may only have one demonstration at each farm"
HEADINGS = ["Action" + " " * 46 + "Used" + " " * 10 + "Left" + " " * 9 + "%Converted" + " " * 4 + "Total",
            "  Days         Days"]
GRADE = ["38 ", "is your grade."]
ABOUT_TEXT = ["Brimwold", "Version 2.1.0",
              "Brimwold is a teaching game about how a new idea spreads through a village. You are the change "
              "agent: spend your days on newspapers, radio, films, training, talks with opinion leaders and farm "
              "demonstrations."]

# The whole game's activity log, line by line.
LOG = [
    "Information                 045     320         000      000",
    "Newspaper                   010     310         002      002",
    "Radio                       010     300         004      006",
    "Talk to villager            010     290         001      007",
    "Train Villagers             030     260         002      009",
    "Film                        030     230         006      015",
    "Talk to opinion leader (3)  020     210         002      017",
    "Give a demonstration (3)    040     170         004      021",
    "Talk to opinion leader (9)  020     150         005      026",
    "Give a demonstration (9)    040     110         012      038",
    "Talk to opinion leader (10) 020     090         005      043",
    "Give a demonstration (10)   040     050         012      055",
    "Talk to opinion leader (8)  020     030         004      062",
    "Film                        030     000         004      066",
]


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


def listed(lines):
    return lambda: [item.name for item in control(FEEDBACK, "Activity log", pyatspi.ROLE_LIST)], lines


def describes(key, name, fact):
    return lambda: fact in control(key, name, pyatspi.ROLE_FRAME).description, True


def typed(key, name, text):
    return lambda: text_of(key, name), text


def program_ended():
    return lambda: game.app.poll(), 0


# --- The game, step by step ------------------------------------------------------------------

def step(do, where, what=None, text=None, *, showing, days=None, checks=()):
    """One thing the player does, and what is to be seen afterwards."""
    return [(do, where, what, text, showing, days, list(checks))]


def said(text):
    return f"{MESSAGE}: {text}"


def via_menu(activity, **after):
    return step("press", MAIN, "Diffusion", showing={MAIN, MENU}) + step("press", MENU, activity, **after)


def on_farm(activity, farm, **after):
    return via_menu(activity, showing={MAIN, MAP}) + step("click", MAP, f"Farm {farm}", **after)


def refused(steps, message, showing_after, days=None):
    """Steps whose last one is refused: the message box shows over that step's windows; OK leaves `showing_after`."""
    *before, (do, where, what, text, showing, _, checks) = steps
    return [*before, (do, where, what, text, showing | {said(message)}, None, checks),
            *step("press", MESSAGE, "OK", showing=showing_after, days=days)]


GAME = [
    # Setup: no name, then days that are no number; Enter answers a message box and presses OK in a box.
    *step("click", INTRO, "OK", showing={INTRO, said("Please enter your name")}),
    *step("key", MESSAGE, text="Return", showing={INTRO}),
    *step("type", INTRO, NAME_BOX, "Ada", showing={INTRO}),
    *step("type", INTRO, DAYS_BOX, "1x", showing={INTRO}),
    *refused(step("key", INTRO, text="Return", showing={INTRO}),
             "Please enter a number of days from -32723 to 32767.", {INTRO}),
    *step("type", INTRO, DAYS_BOX, "365", showing={INTRO}),
    *step("key", INTRO, text="Return", showing={MAIN}, days="365",
          checks=[buttons_enabled(MAIN, ["Diffusion", "Feedback"], False)]),
    # The map before the information: for looking only.
    *step("press", MAIN, "Map Display", showing={MAIN, MAP}, checks=[buttons_enabled(MAP, FARMS, False)]),
    *step("press", MAP, BACK, showing={MAIN}),
    # The information charges its days and opens the game.
    *step("click", MAIN, "Information (45 Days)", showing={MAIN, INFO}, days="320",
          checks=[buttons_enabled(MAIN, ["Diffusion", "Feedback"], True),
                  describes(INFO, "Village 1 Information", "Newspaper Exposure = 20%")]),
    *step("press", INFO, BACK, showing={MAIN}),
    # Every media activity once, each closing the menu.
    *via_menu(NEWSPAPER, showing={MAIN}, days="310"),
    *via_menu(RADIO, showing={MAIN}, days="300"),
    *via_menu(VILLAGER, showing={MAIN}, days="290"),
    *via_menu(TRAINING, showing={MAIN}, days="260"),
    *via_menu(FILM, showing={MAIN}, days="230"),
    # The feedback so far, without a grade.
    *step("press", MAIN, "Feedback", showing={MAIN, FEEDBACK},
          checks=[listed(LOG[:6]), labels(FEEDBACK, HEADINGS)]),
    *step("press", FEEDBACK, BACK, showing={MAIN}),
    # A demonstration before a talk is refused over the map, which stays open.
    *via_menu(DEMO, showing={MAIN, MAP}, checks=[buttons_enabled(MAP, FARMS, True)]),
    *refused(step("click", MAP, "Farm 3", showing={MAIN, MAP}), TALK_FIRST, {MAIN, MAP}, "230"),
    *step("press", MAP, BACK, showing={MAIN}),
    # Talks and demonstrations; a farm's second demonstration is refused, and then the map closes.
    *on_farm(TALK, 3, showing={MAIN}, days="210"),
    *on_farm(DEMO, 3, showing={MAIN}, days="170"),
    *refused(on_farm(DEMO, 3, showing={MAIN, MAP}), ONE_DEMO, {MAIN}, "170"),
    *on_farm(TALK, 9, showing={MAIN}, days="150"),
    *on_farm(DEMO, 9, showing={MAIN}, days="110"),
    *on_farm(TALK, 10, showing={MAIN}, days="90"),
    *on_farm(DEMO, 10, showing={MAIN}, days="50"),
    *on_farm(TALK, 8, showing={MAIN}, days="30"),
    # Too little time: a demonstration keeps the map open; a talk closes it, and a media activity the menu.
    *refused(on_farm(DEMO, 8, showing={MAIN, MAP}), NO_TIME, {MAIN, MAP}, "30"),
    *step("press", MAP, BACK, showing={MAIN}),
    *via_menu(FILM, showing={MAIN}, days="0"),
    *refused(on_farm(TALK, 1, showing={MAIN}), NO_TIME, {MAIN}, "0"),
    *refused(via_menu(NEWSPAPER, showing={MAIN}), NO_TIME, {MAIN}, "0"),
    # The about box, closed with Esc.
    *step("press", MAIN, "About", showing={MAIN, ABOUT}, checks=[labels(ABOUT, ABOUT_TEXT)]),
    *step("key", ABOUT, text="Escape", showing={MAIN}),
    # The whole log and the grade, then the end.
    *step("press", MAIN, "Feedback", showing={MAIN, FEEDBACK},
          checks=[listed(LOG), labels(FEEDBACK, HEADINGS + GRADE)]),
    *step("press", FEEDBACK, "Quit Game", showing=None, checks=[program_ended()]),
]


def play(number, do, where, what, text, showing, days, checks):
    expectations = list(checks)
    if showing is not None:
        expectations.insert(0, (lambda: sorted(k for k, _ in windows()), sorted(showing)))
    if days is not None:
        expectations.append((lambda: text_of(MAIN, "Days left"), days))
    if do == "press":
        press(button(where, what))
    elif do == "click":
        click(button(where, what))
    elif do == "key":
        key(where, text)
    elif do == "type":
        type_into(where, what, text)
        expectations.append(typed(where, what, text))
    wait_until(f"step {number}: {do} {where} {what or text}", expectations)


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

    def __init__(self, program):
        self.program = program
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
        self.app = self.start([self.program], stdout=self.log, stderr=self.log,
                              env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb"))
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
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    missing = missing_tools()
    if missing:
        print("skipped: missing", ", ".join(missing))
        return SKIPPED
    ctypes.CDLL(None).prctl(36, 1)  # PR_SET_CHILD_SUBREAPER: the buses' services become ours to reap
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped from outside"))
    began = time.monotonic()
    global game
    game = Desktop(os.path.abspath(sys.argv[1]))
    try:
        with game:
            for number, row in enumerate(GAME, 1):
                play(number, *row)
    except Exception as failure:
        print(f"FAILED {failure}\n--- the program's output:\n{getattr(game, 'output', '')}", file=sys.stderr)
        return 1
    print(f"played a whole game in {len(GAME)} steps, {time.monotonic() - began:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
