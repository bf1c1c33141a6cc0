#!/usr/bin/env python3
"""Works one question of the drill through AT-SPI, as a screen reader would.

Presses Set, toggles input dot 1 and presses Check on the あ row, then reads
the verdict alert, the answer cell and the notification that says the
result; presses the Hint button and reads the
hint window's text boxes line by line. Exits non-zero if anything is not as
a listener needs it.

Needs a running program on the same session bus, started with
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1, and the AT-SPI bus. For example:

    Xvfb :95 -screen 0 1280x800x24 &
    dbus-run-session -- sh -c '
        /usr/libexec/at-spi-bus-launcher --launch-immediately &
        sleep 1
        DISPLAY=:95 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 build/ui/mivesk &
        sleep 2
        python3 tools/accessibility_check.py'
"""

import sys
import time

import pyatspi
from gi.repository import GLib

APP_NAME = "Mivesk"
events = []


def pump(seconds=0.3):
    """Lets events arrive, and the program answer its queued actions."""
    end = time.time() + seconds
    context = GLib.MainContext.default()
    while time.time() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def on_event(event):
    try:
        name = event.source.name
        role = event.source.getRoleName()
    except Exception:  # the source may be gone already
        name, role = "?", "?"
    events.append(f"{event.type} [{role}] {name!r} detail1={event.detail1}")


def find_app():
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(50):
        for app in desktop:
            if app is not None and app.name == APP_NAME:
                return app
        time.sleep(0.2)
    sys.exit(f"no application named {APP_NAME} on the AT-SPI bus")


def descendants(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def find(root, name, role=None):
    for node in descendants(root):
        if node.name == name and (role is None or node.getRoleName() == role):
            return node
    sys.exit(f"nothing named {name!r} ({role}) under {root.name!r}")


def states(node):
    return node.getState()


def do(node, action_name):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if action_name not in names:
        sys.exit(f"{node.name!r} has no action {action_name!r}, only {names}")
    action.doAction(names.index(action_name))
    pump()
    print(f"{action_name:6} {node.getRoleName()} {node.name!r}")


def check(condition, text):
    print(("ok     " if condition else "FAILED ") + text)
    return condition


def lines_of(text_node):
    text = text_node.queryText()
    lines, offset = [], 0
    while offset < text.characterCount:
        line, start, end = text.getTextAtOffset(offset, pyatspi.TEXT_BOUNDARY_LINE_START)
        if end < offset:
            break
        lines.append(line.rstrip("\n"))
        # Qt ends a line before its line break; step over the break.
        offset = end if line.endswith("\n") else end + 1
    return lines


def main():
    pyatspi.Registry.registerEventListener(
        on_event, "object:state-changed:showing", "object:state-changed:checked",
        "object:property-change:accessible-name", "object:announcement")
    app = find_app()
    frame = next(child for child in app if child.name.startswith("Mivesk"))
    good = True

    print(f"main window {frame.getRoleName()} {frame.name!r}: {frame.childCount} children")
    roles = {}
    for child in frame:
        roles[child.getRoleName()] = roles.get(child.getRoleName(), 0) + 1
    print("  roles: " + ", ".join(f"{role} {count}" for role, count in sorted(roles.items())))
    good &= check("filler" not in roles, "no fillers (shapes, hidden text box) in the main window")

    set_button = find(frame, "セット", "push button")
    binding = set_button.queryAction().getKeyBinding(0)
    good &= check(binding == "S", f"セット's key binding is S ({binding!r})")
    do(set_button, "Press")
    good &= check(find(frame, "あ", "label") is not None,
                  "the kana label reads あ")
    dot = find(frame, "入力の点1", "check box")
    do(dot, "Toggle")
    good &= check(states(dot).contains(pyatspi.STATE_CHECKED), "入力の点1 is checked")
    do(find(frame, "チェック", "push button"), "Press")

    alerts = [node for node in descendants(frame)
              if node.getRoleName() == "alert" and states(node).contains(pyatspi.STATE_SHOWING)]
    print("showing alerts: " + ", ".join(repr(node.name) for node in alerts))
    good &= check([node.name for node in alerts] == ["正解"], "one alert, named 正解")
    answer = find(frame, "答えの点1", "check box")
    good &= check(states(answer).contains(pyatspi.STATE_CHECKED), "答えの点1 is checked")
    good &= check(not states(find(frame, "答えの点2", "check box")).contains(pyatspi.STATE_CHECKED),
                  "答えの点2 is not checked")
    answer_actions = answer.queryAction().nActions
    good &= check(answer_actions == 0, f"答えの点1 has no action ({answer_actions})")
    for name in ("1門終了", "100%"):
        good &= check(any(node.name == name for node in descendants(frame)),
                      f"a label reads {name}")
    said = [event for event in events if "[notification]" in event and "detail1=1" in event]
    good &= check(bool(said) and all(word in said[-1] for word in ("正解", "100%", "1門終了")),
                  "a notification showed with the verdict and the score: "
                  + (said[-1] if said else "none"))

    do(find(frame, "ヒント", "push button"), "Press")
    pump(0.5)
    hint = next((child for child in app if child.name == "ヒント♪"), None)
    if hint is None:
        sys.exit("the hint window did not appear")
    print(f"hint window {hint.getRoleName()} {hint.name!r}, children in order:")
    for child in hint:
        print(f"  {child.getRoleName()} {child.name!r}")
    for node in hint:
        if node.getRoleName() != "text":
            continue
        read_only = states(node).contains(pyatspi.STATE_READ_ONLY) or \
            not states(node).contains(pyatspi.STATE_EDITABLE)
        good &= check(read_only, f"text {node.name!r} is read-only")
        print(f"text {node.name!r}, line by line:")
        lines = lines_of(node)
        for number, line in enumerate(lines, 1):
            print(f"  {number:2}: {line}")
    good &= check(find(hint, "とじます").getRoleName() == "push button", "とじます is a push button")

    print("events heard:")
    for event in events:
        print("  " + event)
    print("all good" if good else "SOME CHECKS FAILED")
    return 0 if good else 1


if __name__ == "__main__":
    sys.exit(main())
