"""Reads Quillet back through the Linux accessibility bus (AT-SPI), as a screen reader does.

Run by quillet_atspi.sh under a private session bus and a virtual display. It starts the app,
presses keys through their accessible actions, types on the keyboard through the bus, and checks
what a screen reader reads and hears: the window, the LCD's spoken value and the events that
carry it, which pages are showing, the page indicators, the Scientific/Programmer choices, the
hold actions and the announcement when the display turns to another page.
"""

import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402
import pyatspi  # noqa: E402

results = []
heard = []


def check(condition, what):
    print(("ok: " if condition else "FAIL: ") + what)
    results.append(bool(condition))


def pump(seconds):
    """Lets the bus deliver its events for a while."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.01)


def wait_for(condition, seconds=10.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        pump(0.05)
        try:
            if condition():
                return True
        except GLib.Error:
            pass
    return False


def states(node):
    return {pyatspi.stateToString(s) for s in node.getState().getStates()}


def walk(node):
    yield node
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from walk(child)


def find_all(root, role=None, name=None):
    return [n for n in walk(root) if (role is None or n.getRoleName() == role) and (name is None or n.name == name)]


def showing(root, role, name):
    found = [n for n in find_all(root, role, name) if "showing" in states(n)]
    return found[0] if found else None


def text_of(node):
    text = node.queryText()
    return text.getText(0, -1)


def action(node, name):
    actions = node.queryAction()
    for index in range(actions.nActions):
        if actions.getName(index) == name:
            return actions, index
    return None, -1


def press(root, name):
    key = showing(root, "push button", name)
    check(key is not None, "the key %s is showing" % name)
    actions, index = action(key, "Press")
    actions.doAction(index)
    pump(0.15)


def on_event(event):
    try:
        source = event.source.name
    except GLib.Error:
        source = None
    heard.append((event.type, source, event.any_data if isinstance(event.any_data, str) else None))


CONTROL_MASK = 1 << 2


def key_with_control(keysym):
    """Types the key with Control held, through the bus as an on-screen keyboard would."""
    Atspi.generate_keyboard_event(CONTROL_MASK, None, Atspi.KeySynthType.LOCKMODIFIERS)
    Atspi.generate_keyboard_event(keysym, None, Atspi.KeySynthType.SYM)
    Atspi.generate_keyboard_event(CONTROL_MASK, None, Atspi.KeySynthType.UNLOCKMODIFIERS)


def main():
    app = subprocess.Popen([sys.argv[1]])
    try:
        pyatspi.Registry.registerEventListener(on_event, "object:text-changed:insert", "focus:",
                                               "object:state-changed:showing", "object:state-changed:checked")
        desktop = pyatspi.Registry.getDesktop(0)

        def the_window():
            for application in desktop:
                if application is None:
                    continue
                for window in find_all(application, "frame", "Quillet"):
                    return window
            return None

        check(wait_for(lambda: the_window() is not None, 20), "the window is a frame named Quillet")
        window = the_window()
        if window is None:
            return False
        # The display pages are made one by one after the start.
        check(wait_for(lambda: len(find_all(window, "label", "LCD")) >= 4, 10), "four LCDs are made")
        lcds = find_all(window, "label", "LCD")
        check(len([n for n in lcds if "showing" in states(n)]) == 1, "only the LCD in view is showing")
        check(showing(window, "label", "Decimal, page 3 of 4") is not None, "the display indicator names its page")
        check(showing(window, "label", "Keypad, page 1 of 2") is not None, "the keypad indicator names its page")

        for name in ["2", "Add", "3", "Multiply", "4", "Equals"]:
            press(window, name)
        lcd = showing(window, "label", "LCD")
        check(wait_for(lambda: text_of(lcd) == "decimal 14"), "after 2 + 3 × 4 = the LCD reads decimal 14")
        check(("object:text-changed:insert", "LCD", "decimal 14") in heard, "an event carries decimal 14")
        check("UINT32" in lcd.description, "the LCD's description holds the word size")

        for name in ["Divide", "0", "Equals"]:
            press(window, name)
        check(wait_for(lambda: text_of(lcd) == "Divide by zero"), "after ÷ 0 = the LCD reads the error")
        check(("object:text-changed:insert", "LCD", "Divide by zero") in heard, "an event carries the error")
        press(window, "Clear")

        plus_minus = showing(window, "push button", "Plus minus")
        check(action(plus_minus, "Switch signed and unsigned")[0] is not None, "± offers its hold as an action")
        check(action(lcd, "Copy and Paste")[0] is not None, "the LCD offers Copy and Paste as an action")

        # Ctrl+Right on the keyboard turns the display to hexadecimal; the reader is moved there.
        del heard[:]
        press(window, "1")
        press(window, "5")
        key_with_control(0xFF53)
        check(wait_for(lambda: showing(window, "label", "Hexadecimal, page 4 of 4") is not None),
              "Ctrl+Right turns the display to the hexadecimal page")
        check(wait_for(lambda: ("focus:", "LCD", None) in heard), "the page turn moves the reader to the LCD")
        hex_lcd = showing(window, "label", "LCD")
        check(hex_lcd is not None and text_of(hex_lcd) == "hex F", "the hexadecimal LCD reads hex F")
        check(("object:state-changed:showing", "LCD", None) in heard, "the pages report coming into and out of view")

        # The keypad strip turns to the ASCII table for a reader; the table's cells follow the
        # keyboard, and those the table scrolls out of view say so.
        strips = [n for n in find_all(window, "panel") if action(n, "Scroll Right")[0] is not None
                  and find_all(n, "push button", "Equals")]
        check(len(strips) == 1, "the keypad strip offers Scroll Right")
        actions, index = action(strips[0], "Scroll Right")
        actions.doAction(index)
        check(wait_for(lambda: showing(window, "table", None) is not None), "Scroll Right shows the ASCII table")
        table = showing(window, "table", None)
        cells = {table.getChildAtIndex(i).name for i in range(table.childCount)}
        actions, index = action(table, "SetFocus")
        actions.doAction(index)
        pump(0.3)
        del heard[:]
        Atspi.generate_keyboard_event(0xFF54, None, Atspi.KeySynthType.SYM)
        # The value shown is 15, so the keyboard starts on its cell and goes down to 23.
        check(wait_for(lambda: ("focus:", "ETB", None) in heard), "Down moves the reader to the cell below")
        check(wait_for(lambda: any(t == "object:state-changed:showing" and n in cells for t, n, _ in heard)),
              "cells scrolled out of view are reported hidden")

        switch = showing(window, "panel", "Scientific or Programmer")
        check(switch is not None, "the Scientific/Programmer switch is an element")
        if switch is not None:
            choices = {c.name: c for c in find_all(switch, "radio button")}
            check(sorted(choices) == ["Programmer", "Scientific"], "it offers two choices")
            check("checked" in states(choices["Programmer"]), "Programmer is checked")
            actions, index = action(choices["Scientific"], "Press")
            actions.doAction(index)
            check(wait_for(lambda: "checked" in states(choices["Scientific"])), "pressing Scientific checks it")
            check(wait_for(lambda: text_of(showing(window, "label", "LCD")) == "15"), "the value is now a real 15")
    finally:
        app.terminate()
        try:
            app.wait(10)
        except subprocess.TimeoutExpired:
            app.kill()
    failed = results.count(False)
    print("%d passed, %d failed" % (len(results) - failed, failed))
    return failed == 0


if __name__ == "__main__":
    sys.exit(0 if main() else 1)
