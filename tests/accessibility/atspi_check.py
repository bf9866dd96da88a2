#!/usr/bin/python3
"""The calculator through AT-SPI alone, as a screen reader meets it. First, without an
accessibility bus, nothing of the accessibility module may load; then, with the bus launcher
and registry started here: the application and its keys are found, 7 + 2 = is pressed through
the keys' actions and read back from the line and the tape, the tape's result line is activated
into the line, SHIFT renames the command cells, and the settings screen's five captions are read.

usage: atspi_check.py --launcher AT_SPI_BUS_LAUNCHER --registry AT_SPI_REGISTRYD PEMTRIX WORKDIR
Runs on a display and a session bus of its own (see atspi_test.sh)."""
import argparse
import os
import subprocess
import time

import gi
gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

pyatspi = None  # imported once the accessibility bus runs: importing it asks for one
ACCESSIBILITY_LIBRARIES = ("libpemtrix-a11y.so", "libatk-1.0.so", "libatk-bridge-2.0.so", "libatspi.so")
KEYPAD = ["0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "open parenthesis", "close parenthesis", "times",
          "divided by", "plus", "minus", "point", "times ten to the power", "comma", "equals"]


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def wait_for(what, probe, timeout=15.0):
    """Polls probe() until it gives something true, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = probe()
        except GLib.Error:
            value = None  # an object went away while we looked: look again
        if value:
            return value
        check(time.monotonic() < deadline, f"timed out waiting for {what}")
        time.sleep(0.05)


def walk(obj):
    """The object and its descendants, skipping those that go away meanwhile."""
    try:
        children = list(obj)
        obj.getRole()
    except GLib.Error:
        return
    yield obj
    for child in children:
        if child is not None:
            yield from walk(child)


def of_role(root, role):
    return [o for o in walk(root) if o.getRole() == role]


def button_names(root):
    return [b.name for b in of_role(root, pyatspi.ROLE_PUSH_BUTTON)]


def press(app, name):
    found = wait_for(f"a button named {name!r}",
                     lambda: [b for b in of_role(app, pyatspi.ROLE_PUSH_BUTTON) if b.name == name])
    check(found[0].queryAction().doAction(0), f"pressing {name!r} was refused")


def text_of(obj):
    return obj.queryText().getText(0, -1)


def loaded_accessibility_libraries(pid):
    with open(f"/proc/{pid}/maps", encoding="utf-8") as maps:
        loaded = {os.path.basename(line.split()[-1]) for line in maps if "/" in line}
    return [lib for lib in ACCESSIBILITY_LIBRARIES if any(name.startswith(lib) for name in loaded)]


def stop(program):
    """Closes the program as a window manager would; it must end cleanly."""
    program.terminate()
    status = program.wait(timeout=20)
    check(status == 0, f"the program ended with status {status}")


def bus_name_has_owner(name):
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    reply = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
                          GLib.Variant("(s)", (name,)), None, Gio.DBusCallFlags.NONE, 2000, None)
    return reply.unpack()[0]


def without_bus(binary, work):
    check(not bus_name_has_owner("org.a11y.Bus"), "the session starts without an accessibility bus")
    program = subprocess.Popen([binary, "--store", os.path.join(work, "no-bus.db")])
    try:
        time.sleep(1.5)  # well after the first frame, when publishing would start
        loaded = loaded_accessibility_libraries(program.pid)
        check(not loaded, f"without an accessibility bus nothing may load, but {loaded} did")
    finally:
        stop(program)
    print("ok: without an accessibility bus nothing of the accessibility module loads")


def with_bus(binary, work):
    global pyatspi
    import pyatspi
    # The registry answers before the calculator starts, so that its registration is not lost
    # while the registry is still coming up.
    wait_for("the accessibility registry", lambda: pyatspi.Registry.getDesktop(0) is not None)
    program = subprocess.Popen([binary, "--store", os.path.join(work, "store.db")])
    try:
        app = wait_for("the application Pemtrix",
                       lambda: next((a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "Pemtrix"), None))
        check(len(of_role(app, pyatspi.ROLE_FRAME)) == 1, "the application has its window")
        names = wait_for("44 keys", lambda: [n for n in [button_names(app)] if len(n) == 44])[0]
        for key in KEYPAD + ["square root", "x to the power y", "backspace", "store in memory", "shift"]:
            check(key in names, f"the key {key!r} is missing from {names}")
        check(all(b.description for b in of_role(app, pyatspi.ROLE_PUSH_BUTTON)), "every key has a description")

        line = wait_for("the expression line", lambda: of_role(app, pyatspi.ROLE_ENTRY))[0]
        for key in ("7", "plus", "2"):
            press(app, key)
        wait_for("7+2 on the line", lambda: text_of(line) == "7+2")
        check(line.queryText().caretOffset == 3, "the caret follows the text")
        press(app, "equals")
        wait_for("=9 on the tape", lambda: "=9" in [text_of(i) for i in of_role(app, pyatspi.ROLE_LIST_ITEM)])

        # A tape line's action puts its text in at the cursor, a result without its "=".
        result = [i for i in of_role(app, pyatspi.ROLE_LIST_ITEM) if text_of(i) == "=9"][0]
        action = result.queryAction()
        check(action.nActions == 1 and action.getName(0) == "activate", "a tape line is activated")
        check(action.doAction(0), "activating the tape line was refused")
        wait_for("9 on the line", lambda: text_of(line) == "9")

        press(app, "shift")
        wait_for("the second command page", lambda: "cube root" in button_names(app))
        names = button_names(app)
        check(len(names) == 44 and "square root" not in names, f"only the shown page is offered: {names}")

        press(app, "settings")
        settings = wait_for("the settings screen", lambda: [p for p in of_role(app, pyatspi.ROLE_PANEL)
                                                            if p.name == "Settings"])[0]
        captions = [n for n in button_names(settings) if n != "back"]
        print("settings:", captions)
        check(len(captions) == 5 and captions[2] in ("Sound Effect: ON", "Sound Effect: OFF"),
              f"the five rows are named by their captions: {captions}")
        check("libpemtrix-a11y.so" in loaded_accessibility_libraries(program.pid), "the module is loaded")
    finally:
        stop(program)
    print("ok: the calculator is usable through AT-SPI")


def main():
    parser = argparse.ArgumentParser()
    for option in ("--launcher", "--registry"):
        parser.add_argument(option, required=True)
    parser.add_argument("binary")
    parser.add_argument("work")
    args = parser.parse_args()

    without_bus(args.binary, args.work)
    helpers = [subprocess.Popen([args.launcher, "--launch-immediately"])]
    try:
        wait_for("the accessibility bus", lambda: bus_name_has_owner("org.a11y.Bus"))
        helpers.append(subprocess.Popen([args.registry]))
        with_bus(args.binary, args.work)
    finally:
        for helper in reversed(helpers):
            helper.terminate()
            helper.wait(timeout=10)


if __name__ == "__main__":
    main()
