#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A player who uses Orca, keys only: Tab through the fields and hear each named; choose maps in
# the map field and hear each one's title and description; find Single Player, then Start, with
# Orca's flat review and press each with Orca's click. What Orca says is read from its debug log,
# each step waiting (within a bound) for what the log shows, never for a set time.
# Usage: orca.py ORCA-SETTINGS-FOLDER MAP-FOLDER LOG
# Orca runs for the check only, its debug log copied to LOG.
import os
import re
import subprocess
import sys
import threading
import time
import tty

settings, map_folder, log_path = sys.argv[1:4]
BOUND = 60  # seconds for any one step, on a loaded machine
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*)'\[?\{")
MAPS = ("Ember Foundry", "Frostmarch Gate", "Sunken Keep")


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    sys.exit(1)


def log_end():
    with open(log_path, "rb") as log:
        return log.seek(0, 2)


def log_since(mark):
    with open(log_path, "rb") as log:
        log.seek(mark)
        return log.read().decode("utf-8", "replace")


def heard(text):
    return [match.group(1) for match in SPOKEN.finditer(text)]


def wait_for(done, what, mark):
    end = time.monotonic() + BOUND
    while time.monotonic() < end:
        text = log_since(mark)
        if done(text):
            return heard(text)
        time.sleep(0.1)
    fail(f"{what}; Orca said {heard(log_since(mark))}")


def hears(phrase):
    return lambda text: any(phrase in said for said in heard(text))


# Orca has handled the key pressed last (its log names keys by what they type: "/" for KP_Divide).
def handled(text):
    return "^^^^^ CONSUME ATSPI_KEY_PRESSED_EVENT:" in text


# Presses `key`; returns what Orca said by the time `done` holds for the log since the press.
def press(key, done, what):
    mark = log_end()
    subprocess.run(["xdotool", "key", key], check=True)
    said = wait_for(done, what, mark)
    print(f"{key}: {said}")
    return said


# Presses one of Orca's own keys; returns what Orca said while it handled it.
def command(key):
    return press(key, handled, f"Orca did not handle {key}")


def description(name):
    with open(f"{map_folder}/{name}.kvx", encoding="latin-1") as info:
        return info.read().splitlines()[1]


# Moves the map field's choice; the map then chosen must be heard with its description.
def choose(key):
    def presented(said):
        return [name for name in MAPS if said.startswith(name) and description(name) in said]

    said = press(key, lambda text: any(presented(line) for line in heard(text)),
                 f"{key} in the map field did not present a map with its description")
    return next(name for line in said for name in presented(line))


# Flat review, line by line one way and then the other (KP_Home up, KP_Page_Up down), to a line
# that holds `name`; returns what Orca said of the line, the review then at the line's beginning.
def review_to_line_with(name, keys):
    for key in keys:
        for _ in range(15):
            line = " ".join(command(key))
            if name in line:
                return line
    fail(f"flat review found no line with {name!r}")


# Orca's "where am I" (KP_Enter) asks the launcher what has the focus: it answers only if it is not
# stuck; returns what Orca said of it.
def where_am_i(expected):
    return press("KP_Enter", hears(expected), f"the launcher did not answer where am I with {expected!r}")


def tab_to(name):
    return press("Tab", hears(name), f"the field {name!r} was not named when Tab reached it")


# Word and character moves at both ends of the Map field, where the launcher used to hang when
# Orca asked for the word or character there; then Tab, and the launcher still answers.
def navigate_map_field():
    for key, name in (("End", "End"), ("Right", "Right"), ("ctrl+Left", "Left"),
                      ("ctrl+Right", "Right"), ("Home", "Home"), ("Left", "Left"),
                      ("ctrl+Left", "Left"), ("ctrl+Right", "Right"), ("shift+End", "End")):
        press(key, handled_key(name), f"Orca did not see {key}")
    tab_to("EXE")
    press("shift+Tab", hears("Map"), "Shift+Tab did not come back to the Map field")
    where_am_i("Ember Foundry")


def handled_key(name):
    return lambda text: f"^^^^^ PROCESS ATSPI_KEY_PRESSED_EVENT: '{name}'" in text


def run():
    # The fields named on Tab, the engine box and Custom Parameters empty; the map field's text
    # heard whole.
    tab_to("EXE")
    tab_to("Custom Parameters")
    said = tab_to("Map")
    if not any("Ember Foundry" in line for line in said):
        fail(f"the Map field's text was not heard whole: {said}")
    navigate_map_field()
    # Away from the map the settings chose and back, each move on a map the list has.
    if choose("Down") == "Ember Foundry":
        choose("Down")
        if choose("Up") != "Ember Foundry":
            fail("Up did not come back to Ember Foundry")
    elif choose("Down") != "Ember Foundry" and choose("Down") != "Ember Foundry":
        fail("the map list did not reach Ember Foundry")

    press_image("Single Player", "KP_Home", hears("notification Single Player"),
                "pressing Single Player did not make the start panel known")
    # Keys after the panel changed reach no hidden field: the engine still gets Ember Foundry.
    for key in ("Down", "Down", "End", "BackSpace"):
        press(key, handled_key(key), f"Orca did not see {key}")
    where_am_i("Kovar Launcher")
    # No engine chosen: the refusal is heard with its text, and the focus is the window's again.
    press_image("Start", "KP_Page_Up", hears("no engine is chosen"),
                "the refusal to start was not heard with its text")
    press("Return", hears("Kovar Launcher"), "closing the box did not give the focus to the window")
    # Back on the main panel the Map field has the focus again; the engine is typed in its box.
    press_image("Main", "KP_Page_Up", hears("Map"),
                "the focus did not come back to the Map field with its panel")
    press("shift+Tab", hears("Custom Parameters"), "Shift+Tab did not reach Custom Parameters")
    press("shift+Tab", hears("EXE"), "Shift+Tab did not reach the engine box")
    subprocess.run(["xdotool", "type", "--delay", "50", "GLQuake.exe"], check=True)
    where_am_i("GLQuake.exe")
    press_image("Single Player", "KP_Home", hears("notification Single Player"),
                "pressing Single Player did not make the start panel known")
    press_image("Start", "KP_Page_Up", handled, "Orca did not handle its click on Start")


# Flat review (from its start, then line by line with `key`, then word by word) to the image
# `name`, and Orca's click on it; returns what Orca said by the time `done` holds.
def press_image(name, key, done, what):
    command("KP_Subtract")
    if not review_to_line_with(name, (key, "KP_Home" if key != "KP_Home" else "KP_Page_Up")).startswith(name):
        for _ in range(10):
            if any(said.strip() == name for said in command("KP_Right")):
                break
        else:
            fail(f"flat review found no {name} on its line")
    return press("KP_Divide", done, what)


# Orca writes its debug log through a buffer that a file would hold back until it fills; to a
# terminal it writes each line as it goes. Its side stays open here too, so that reading never
# meets a terminal that nobody has open.
terminal, orca_side = os.openpty()
tty.setraw(orca_side)
open(log_path, "wb").close()


def copy_log():
    with open(log_path, "ab", buffering=0) as log:
        while True:
            try:
                chunk = os.read(terminal, 65536)
            except OSError:
                return
            if not chunk:
                return
            log.write(chunk)


threading.Thread(target=copy_log, daemon=True).start()
orca = subprocess.Popen(["orca", "--user-prefs", settings, "--debug-file", os.ttyname(orca_side)],
                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                        stderr=subprocess.DEVNULL)
try:
    wait_for(hears("Tarnfield - Kovar Launcher frame"), "Orca did not present the window", 0)
    run()
finally:
    orca.terminate()
    try:
        orca.wait(10)
    except subprocess.TimeoutExpired:
        orca.kill()
        orca.wait()
