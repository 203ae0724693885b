#!/usr/bin/python3
# The game through a screen reader's eyes (AT-SPI): start a game through the
# accessible start object, answer each box with Return once Orca has said
# its words (before its button), find the seven meals with their values,
# press meal 3 by its action, tab to a face, read the counters, and see the
# pause come and go as a notification. Keys go to the window through xdotool.
#   access.py ORCA_LOG [boxes]   (the session bus set, the game running;
#                    with "boxes", only the boxes, once the game has started)
# Keys are sent by VELMORIA_KEYS (say "wtype -k"), or else by "xdotool key".
import os
import re
import subprocess
import sys
import time

import pyatspi


def fail(why):
    print(f"FAIL: {why}")
    sys.exit(1)


def app():
    for a in pyatspi.Registry.getDesktop(0):
        if a is not None and a.name == "velmoria":
            return a
    return None


def find(root, want):
    """The first object under root for which want(object) holds."""
    if root is None:
        return None
    if want(root):
        return root
    for c in root:
        found = find(c, want)
        if found is not None:
            return found
    return None


def wait(what, get, seconds=10):
    end = time.time() + seconds
    while time.time() < end:
        found = get()
        if found:
            return found
        time.sleep(0.2)
    fail(f"{what} within {seconds} s")


def named(name, role=None):
    return lambda o: o.name == name and (role is None or o.getRole() == role)


def key(*keys):
    subprocess.run([*os.environ.get("VELMORIA_KEYS", "xdotool key").split(), *keys], check=True)


def said():
    """What Orca has said so far, each utterance on one line."""
    return [" ".join(u.split()) for u in re.findall(r"SPEECH OUTPUT: '(.*?)' ?\{", open(sys.argv[1]).read(), re.S)]


wait("the game among the accessible applications", app)
if sys.argv[2:] != ["boxes"]:
    start = wait("a start button named with the prompt",
             lambda: find(app(), named("— クリックで始める —", pyatspi.ROLE_PUSH_BUTTON)))
    start.queryAction().doAction(0)
    print("ok 1 - the game starts through the accessible start button")



def box(last):
    """The words of a box other than the last one, once its button has the keyboard."""
    dialog = find(app(), lambda o: o.getRole() == pyatspi.ROLE_DIALOG)
    label = dialog and find(dialog, lambda o: o.getRole() == pyatspi.ROLE_LABEL)
    button = dialog and find(dialog, lambda o: o.getRole() == pyatspi.ROLE_PUSH_BUTTON
                             and o.getState().contains(pyatspi.STATE_FOCUSED))
    words = label and " ".join(label.name.split())
    return words if button and words != last else None


# The introduction's eight boxes (Return: yes, told already) and the
# morning's two, each answered once Orca has said it with its button.
shown, heard, spoken = [], 0, []
for n in range(1, 11):
    shown.append(wait(f"box {n} with the keyboard", lambda: box(shown[-1] if shown else None)))
    heard = wait(f"Orca saying box {n} ('{shown[-1]}') before its button", lambda: next(
        (i + 1 for i, u in enumerate(said()) if i >= heard and u.startswith(shown[-1] + " ") and "push button" in u), None))
    spoken.append(said()[heard - 1])
    key("Return")
print(f"ok - Orca said every box of the introduction and the morning with its button, the question as '{spoken[2]}'")
if sys.argv[2:] == ["boxes"]:
    sys.exit(0)
meals = wait("seven meal buttons on the raising screen",
             lambda: all(m := [find(app(), named(f"食事 {i}", pyatspi.ROLE_PUSH_BUTTON)) for i in range(1, 8)]) and m)
values = [m.description for m in meals]
if not all(v.startswith("自信 ") and "、血の清らかさ " in v for v in values):
    fail(f"meals without their values: {values}")
print(f"ok 2 - seven meal buttons with their values, e.g. 食事 1: {values[0]}")

group = meals[2].parent
bars = {c.name: c for c in group if c.getRole() == pyatspi.ROLE_PROGRESS_BAR}
if group.name != "食事 3" or set(bars) != {"自信", "血の清らかさ"}:
    fail(f"meal 3's group '{group.name}' holds {list(bars)}")
blood = bars["血の清らかさ"].queryValue()
before = blood.currentValue
told = lambda: f"自信 {bars['自信'].queryValue().currentValue:.0f}%、血の清らかさ {blood.currentValue:.0f}%"
wait(f"meal 3 to read as its bars ({told()})", lambda: meals[2].description.startswith(told()))
meals[2].queryAction().doAction(0)
wait("meal 3's blood rising after its press", lambda: blood.currentValue > before + 5)
print(f"ok 3 - pressing meal 3 by its action raises its blood from {before:.0f} % to {blood.currentValue:.0f} %")

key("Tab")
focused = wait("a face focused after Tab",
               lambda: find(app(), lambda o: o.getRole() == pyatspi.ROLE_PUSH_BUTTON
                            and o.getState().contains(pyatspi.STATE_FOCUSED)))
print(f"ok 4 - Tab focuses {focused.name}")

counters = [find(app(), lambda o, w=w: o.getRole() in (pyatspi.ROLE_LABEL, pyatspi.ROLE_STATIC) and o.name.startswith(w + " "))
            for w in ("週", "日にち", "働き")]
if not all(counters):
    fail("the counters are not readable")
day = counters[1].name
wait("the day counter changing", lambda: find(app(), lambda o: o.getRole() in (pyatspi.ROLE_LABEL, pyatspi.ROLE_STATIC)
                                              and o.name.startswith("日にち ") and o.name != day))
print(f"ok 5 - counters read {', '.join(c.name for c in counters)}, and the day moves on")

key("p")
alert = wait("the player's pause announced", lambda: find(app(), lambda o: o.getRole() == pyatspi.ROLE_NOTIFICATION
                                                       and o.name == "一時停止中、P キーで再開"))
key("p")
wait("the pause gone", lambda: find(app(), lambda o: o.getRole() == pyatspi.ROLE_NOTIFICATION) is None)
print(f"ok 6 - the pause appears as a notification ('{alert.name}') and goes")
