"""Reads Plinkety's window over AT-SPI, as a screen reader would, and checks
that every control has a name: the buttons with their tooltips, the three
areas, and the status label, whose name is its text and follows a pop."""
import subprocess
import sys
import time

import pyatspi

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message)


def find_application(name, timeout=20):
    desktop = pyatspi.Registry.getDesktop(0)
    deadline = time.time() + timeout
    while time.time() < deadline:
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    return None


def descendants(accessible):
    for i in range(accessible.childCount):
        child = accessible.getChildAtIndex(i)
        yield child
        yield from descendants(child)


def by_role(app, role):
    return {a.name: a for a in descendants(app) if a.getRoleName() == role}


def wait_for(condition, timeout=10):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if condition():
            return True
        time.sleep(0.1)
    return False


app = find_application("Plinkety")
if app is None:
    print("FAIL: no application named Plinkety on the accessibility bus")
    sys.exit(1)

for accessible in descendants(app):
    print(f"  {accessible.getRoleName()}: {accessible.name!r} {accessible.description!r}")

check("Plinkety" in by_role(app, "frame"), "the main window is not a frame named Plinkety")
panels = by_role(app, "panel")
for name in ("Commands", "Bubble sheet", "Status"):
    check(name in panels, f"no panel named {name!r}")
buttons = by_role(app, "push button")
tooltips = {
    "Reset": "Click to get more bubbles. Oh Yeah!",
    "About": "About Plinkety.",
    "Quit": "Enough stress relief for now.",
}
for name, tooltip in tooltips.items():
    check(name in buttons, f"no button named {name!r}")
    if name in buttons:
        check(buttons[name].description == tooltip, f"{name} is described as {buttons[name].description!r}")
labels = by_role(app, "label")
check("0 bubbles popped!" in labels, f"the status label reads {list(labels)}")

# A pop, pressed on the first bubble, changes the label's name.
window = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Plinkety$"],
                        capture_output=True, text=True).stdout.split()[0]
subprocess.run(["xdotool", "mousemove", "--window", window, "27", "39", "click", "1"], check=True)
check(wait_for(lambda: "1 bubbles popped!" in by_role(app, "label")),
      f"after a pop the status label reads {list(by_role(app, 'label'))}")

sys.exit(1 if failures else 0)
