#!/usr/bin/python3
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

settings, map_folder, log_path = sys.argv[1], sys.argv[2], sys.argv[3]
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


def run():
    for name in ("EXE", "Custom Parameters", "Map"):
        press("Tab", hears(name), f"the field {name!r} was not named when Tab reached it")
    # Away from the map the settings chose and back, each move on a map the list has.
    if choose("Down") == "Ember Foundry":
        choose("Down")
        if choose("Up") != "Ember Foundry":
            fail("Up did not come back to Ember Foundry")
    elif choose("Down") != "Ember Foundry" and choose("Down") != "Ember Foundry":
        fail("the map list did not reach Ember Foundry")

    if not review_to_line_with("Single Player", ("KP_Home", "KP_Page_Up")).startswith("Single Player"):
        fail("Single Player does not begin its line")
    press("KP_Divide", hears("notification Single Player"),
          "pressing Single Player did not make the start panel known")
    # Flat review again, over what the window shows now.
    command("KP_Subtract")
    if not review_to_line_with("Start", ("KP_Page_Up", "KP_Home")).startswith("Start"):
        for _ in range(10):
            if any(said.strip() == "Start" for said in command("KP_Right")):
                break
        else:
            fail("flat review found no Start on its line")
    command("KP_Divide")


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
