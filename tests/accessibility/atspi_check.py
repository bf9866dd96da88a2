#!/usr/bin/python3
"""Drives the calculator through AT-SPI alone, as a screen reader would: finds the
application, its keys and its text, presses keys through their actions and reads the results.
Before that, checks that without an accessibility bus nothing of the accessibility module is
loaded.

usage: atspi_check.py --launcher AT_SPI_BUS_LAUNCHER --registry AT_SPI_REGISTRYD PEMTRIX WORKDIR
Runs on a display and a session bus of its own (see atspi_test.sh); starts the accessibility
bus and registry itself."""
import argparse
import os
import subprocess
import sys
import time

import gi
gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

# Loaded only for screen readers; the program itself links none of them.
pyatspi = None  # imported once the accessibility bus runs

ACCESSIBILITY_LIBRARIES = ["libpemtrix-a11y.so", "libatk-1.0.so", "libatk-bridge-2.0.so", "libatspi.so"]

TIMEOUT = 15.0


def wait_for(what, probe, timeout=TIMEOUT):
    """Polls probe() until it returns something true, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = probe()
        except GLib.Error:
            value = None  # an object went away while we looked: look again
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(0.05)


def find_application(name):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == name:
            return app
    return None


def walk(obj):
    """The object and its descendants; those that go away while we walk are skipped."""
    try:
        children = list(obj)
        obj.getRole()
    except GLib.Error:
        return
    yield obj
    for child in children:
        if child is not None:
            yield from walk(child)


def buttons(app):
    return [o for o in walk(app) if o.getRole() == pyatspi.ROLE_PUSH_BUTTON]


def button_named(app, name):
    found = [b for b in buttons(app) if b.name == name]
    return found[0] if len(found) == 1 else None


def press(app, name):
    print(f"press {name!r}", flush=True)
    button = wait_for(f"a button named {name!r}", lambda: button_named(app, name))
    action = button.queryAction()
    assert action.nActions >= 1, f"{name!r} has no action"
    assert action.doAction(0), f"pressing {name!r} was refused"


def text_of(obj):
    return obj.queryText().getText(0, -1)


def entry(app):
    found = [o for o in walk(app) if o.getRole() == pyatspi.ROLE_ENTRY]
    return found[0] if found else None


def tape_texts(app):
    return [text_of(o) for o in walk(app) if o.getRole() == pyatspi.ROLE_LIST_ITEM]


def check(condition, message):
    if not condition:
        raise AssertionError(message)


KEYPAD = ["0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "open parenthesis", "close parenthesis", "times",
          "divided by", "plus", "minus", "point", "times ten to the power", "comma", "equals"]


def loaded_libraries(pid):
    with open(f"/proc/{pid}/maps", encoding="utf-8") as maps:
        return {os.path.basename(line.split()[-1]) for line in maps if "/" in line}


def accessibility_libraries(pid):
    loaded = loaded_libraries(pid)
    return [lib for lib in ACCESSIBILITY_LIBRARIES if any(name.startswith(lib) for name in loaded)]


def window_shown(pid):
    """True once the program has drawn (its display module is loaded and a second has passed)."""
    return any(name.startswith("libpemtrix-sdl") for name in loaded_libraries(pid))


def stop(program):
    """Closes the program as a window manager would and checks that it ends well."""
    program.terminate()
    status = program.wait(timeout=20)
    check(status == 0, f"the program ended with status {status}")


def bus_name_has_owner(name):
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    reply = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
                          GLib.Variant("(s)", (name,)), None, Gio.DBusCallFlags.NONE, 2000, None)
    return reply.unpack()[0]


def without_bus(binary, work):
    program = subprocess.Popen([binary, "--store", os.path.join(work, "no-bus.db")])
    try:
        wait_for("the window", lambda: window_shown(program.pid))
        time.sleep(1.0)  # well after the first frame, when publishing would have started
        loaded = accessibility_libraries(program.pid)
        check(not loaded, f"without an accessibility bus nothing may load, but {loaded} did")
        print("ok: without an accessibility bus nothing of the accessibility module loads")
    finally:
        stop(program)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--launcher", required=True)
    parser.add_argument("--registry", required=True)
    parser.add_argument("binary")
    parser.add_argument("work")
    args = parser.parse_args()

    check(not bus_name_has_owner("org.a11y.Bus"), "the session starts without an accessibility bus")
    without_bus(args.binary, args.work)

    launcher = subprocess.Popen([args.launcher, "--launch-immediately"])
    registry = None
    try:
        wait_for("the accessibility bus", lambda: bus_name_has_owner("org.a11y.Bus"))
        registry = subprocess.Popen([args.registry])
        with_bus(args.binary, args.work)
    finally:
        for helper in (registry, launcher):
            if helper:
                helper.terminate()
                helper.wait(timeout=10)


def with_bus(binary, work):
    # Only now: the library asks the session bus for the accessibility bus when loaded, which
    # would start one by activation.
    global pyatspi
    import pyatspi
    program = subprocess.Popen([binary, "--store", os.path.join(work, "store.db")])
    try:
        app = wait_for("the application Pemtrix", lambda: find_application("Pemtrix"))
        frames = [o for o in app if o.getRole() == pyatspi.ROLE_FRAME]
        check(len(frames) == 1, f"one frame expected, found {len(frames)}")

        # Every key of the keypad and the 24 visible command cells, and nothing of the hidden page.
        names = wait_for("the keys", lambda: [b.name for b in buttons(app)] if len(buttons(app)) >= 44 else None)
        check(len(names) == 44, f"44 buttons expected on the calculator, found {len(names)}: {names}")
        for key in KEYPAD:
            check(key in names, f"keypad key {key!r} missing from {names}")
        check("square root" in names and "cube root" not in names, f"first page expected: {names}")
        check(all(b.description for b in buttons(app)), "every key has a description")
        check(all(n for n in names), "every key has a name")

        line = wait_for("the expression line", lambda: entry(app))
        check(line.getState().contains(pyatspi.STATE_EDITABLE), "the line is editable")
        press(app, "7")
        press(app, "plus")
        press(app, "2")
        wait_for("7+2 on the line", lambda: text_of(line) == "7+2")
        check(line.queryText().caretOffset == 3, f"caret after 7+2, got {line.queryText().caretOffset}")
        press(app, "cursor left")
        wait_for("the caret moved left", lambda: line.queryText().caretOffset == 2)
        press(app, "cursor right")

        press(app, "equals")
        wait_for("=9 on the tape", lambda: "=9" in tape_texts(app))
        check("7+2" in tape_texts(app), "the expression is on the tape")
        wait_for("the line emptied", lambda: text_of(line) == "")

        # SHIFT switches the cells to the second page: the same objects, renamed.
        cells_before = {b.name for b in buttons(app)}
        press(app, "shift")
        wait_for("the second page", lambda: button_named(app, "cube root"))
        names = [b.name for b in buttons(app)]
        check(len(names) == 44, f"still 44 buttons, found {len(names)}")
        check("square root" not in names, "the first page is hidden")
        for name in ["x cubed", "cube root", "percent", "settings", "copy", "paste", "shift, second page"]:
            check(name in names, f"{name!r} on the second page: {names}")
        check(cells_before != set(names), "the names follow the page")

        # The settings screen, through its button; its five rows named by their captions.
        press(app, "settings")
        captions = wait_for("the settings rows", lambda: settings_captions(app))
        check(len(captions) == 5, f"five settings rows, found {captions}")
        check(captions[2].startswith("Sound Effect: "), f"third row is the key click: {captions}")
        before = captions[2]
        press(app, before)
        wait_for("the caption follows the setting",
                 lambda: settings_captions(app) and settings_captions(app)[2] != before)
        print("settings:", settings_captions(app))
        press(app, "back")
        wait_for("the calculator again", lambda: button_named(app, "equals"))

        # The memory screen: store the newest result in slot 3, then recall it.
        press(app, "store in memory")
        wait_for("the memory rows", lambda: button_named(app, "Memory 3, empty"))
        press(app, "Memory 3, empty")
        wait_for("slot 3 holds the result", lambda: button_named(app, "Memory 3, 9"))
        press(app, "back")
        press(app, "recall from memory")
        wait_for("the recall screen", lambda: button_named(app, "Memory 3, 9"))
        press(app, "Memory 3, 9")
        wait_for("the slot's value on the line", lambda: entry(app) and text_of(entry(app)) == "9")

        # The information box: an alert with its text and its button.
        press(app, "shift")
        press(app, "information")
        alert = wait_for("the information box", lambda: next(
            (o for o in walk(app) if o.getRole() == pyatspi.ROLE_ALERT), None))
        texts = [text_of(o) for o in walk(alert) if o.getRole() == pyatspi.ROLE_LABEL]
        check(any("Pemtrix ver" in t for t in texts), f"the message is readable: {texts}")
        ok = button_named(alert, "OK")
        check(ok is not None and ok.getState().contains(pyatspi.STATE_FOCUSED), "OK has the focus")
        check(not button_named(app, "equals").getState().contains(pyatspi.STATE_SENSITIVE),
              "the keys behind the box cannot be used")
        press(app, "OK")
        wait_for("the box gone", lambda: not any(o.getRole() == pyatspi.ROLE_ALERT for o in walk(app)))
        check("libpemtrix-a11y.so" in accessibility_libraries(program.pid), "the module is loaded")
        print("ok: the calculator is usable through AT-SPI")
    finally:
        stop(program)


def settings_captions(app):
    panels = [o for o in walk(app) if o.getRole() == pyatspi.ROLE_PANEL and o.name == "Settings"]
    if not panels:
        return None
    rows = [b.name for b in buttons(panels[0]) if b.name != "back"]
    return rows if len(rows) == 5 else None


if __name__ == "__main__":
    main()
