#!/usr/bin/python3
# A player who only uses a screen reader's view of the launcher (AT-SPI): finds the fields by
# their captions and the images by their names, presses Single Player, then Start.
# Usage: screen-reader.py PROCESS-ID
import sys
import time

import pyatspi

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


wait_for(launcher, "the launcher on the accessibility bus", 20)
for caption in ("EXE", "Map", "Custom Parameters"):
    showing(pyatspi.ROLE_TEXT, caption)
for name in ("Main", "Single Player", "Multi Player", "Join"):
    showing(pyatspi.ROLE_PUSH_BUTTON, name)
press(showing(pyatspi.ROLE_PUSH_BUTTON, "Single Player"))
press(showing(pyatspi.ROLE_PUSH_BUTTON, "Start"))
print("pressed")
