#!/usr/bin/python3
# A player who only uses a screen reader's view of the launcher (AT-SPI): finds the fields by
# their captions and the images by their names, hears a map's title and description when it
# chooses one with the keyboard in the map field, presses Single Player, then Start.
# Usage: screen-reader.py PROCESS-ID
import sys
import time

import pyatspi
from gi.repository import GLib

pid = int(sys.argv[1])


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    sys.exit(1)


def launcher():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def everything(node):
    yield node
    for child in node:
        if child is not None:
            yield from everything(child)


def wait_for(find, what, seconds=10):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = find()
        if found is not None:
            return found
        time.sleep(0.1)
    fail(f"{what} was not found")


def showing(role, name):
    def find():
        app = launcher()
        for node in everything(app) if app is not None else []:
            if (node.getRole() == role and node.name == name
                    and node.getState().contains(pyatspi.STATE_SHOWING)):
                return node
        return None
    return wait_for(find, f"a showing {role} named {name!r}")


def press(button):
    action = button.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        fail(f"{button.name!r} offers {names}, not Press")
    action.doAction(names.index("Press"))


# What the screen reader is told of renamed objects, as (role, new name).
heard = []
pyatspi.Registry.registerEventListener(
    lambda event: heard.append((event.source.getRole(), event.source.name)),
    "object:property-change:accessible-name")


def listen(seconds):
    GLib.timeout_add(int(seconds * 1000), lambda: pyatspi.Registry.stop() and False)
    pyatspi.Registry.start()


# Moves the map list's choice with a key, as in the map field; returns the map then announced,
# checked to come with its title and its description (None when nothing changed).
def choose_map(key):
    heard.clear()
    pyatspi.Registry.generateKeyboardEvent(key, None, pyatspi.KEY_SYM)
    listen(1.5)
    titles = [name for role, name in heard if role == pyatspi.ROLE_IMAGE]
    if not titles:
        return None
    labels = {name for role, name in heard if role == pyatspi.ROLE_LABEL}
    if titles[-1] not in labels or not labels - {titles[-1]}:
        fail(f"the map {titles[-1]!r} was not announced by its title and description: {heard}")
    return titles[-1]


DOWN, UP = 0xff54, 0xff52
wait_for(launcher, "the launcher on the accessibility bus", 20)
showing(pyatspi.ROLE_TEXT, "Map").queryComponent().grabFocus()
# Away from the map the settings chose, and back, so that the launch is the same.
announced = [choose_map(DOWN) for _ in range(3)]
if not any(title not in (None, "Ember Foundry") for title in announced):
    fail(f"choosing another map announced nothing: {announced}")
if announced[-1] != "Ember Foundry":
    for _ in range(3):
        if choose_map(UP) == "Ember Foundry":
            break
    else:
        fail("the map list did not come back to Ember Foundry")
for caption in ("EXE", "Map", "Custom Parameters"):
    showing(pyatspi.ROLE_TEXT, caption)
for name in ("Main", "Single Player", "Multi Player", "Join"):
    showing(pyatspi.ROLE_PUSH_BUTTON, name)
press(showing(pyatspi.ROLE_PUSH_BUTTON, "Single Player"))
press(showing(pyatspi.ROLE_PUSH_BUTTON, "Start"))
print("pressed")
