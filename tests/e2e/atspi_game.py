#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Brelvox developers
"""The real brelvox on its own X display, read and played the way a blind player's
screen reader does: only through the accessibility tree on the AT-SPI bus, with keys
typed through the X server. Run inside a private D-Bus session (dbus-run-session).

usage: atspi_game.py BRELVOX SPELLING_LIST
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

failures = []
heard = []  # names of notifications that appeared, as a screen reader is told them
clock_renamed = []  # name changes told by the turn clock
renamed = []  # every name change told, so the listener is known to hear them


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)
    return ok


def pump(seconds):
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def listen_to_announcements():
    """Fill heard with what a screen reader is told as notifications appear."""
    pyatspi.Registry.registerEventListener(
        lambda e: heard.append(e.source.name) if e.detail1 and e.source.getRole() == pyatspi.ROLE_NOTIFICATION else None,
        "object:state-changed:showing")


def read_words(spelling):
    return [w.strip().upper() for w in open(spelling) if len(w.strip()) == 5]


def wait_for(condition, seconds=30.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            value = condition()
        except Exception:  # the tree changes under us while windows come and go
            value = None
        if value:
            return value
        pump(0.1)
    return None


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def find(root, role, name=None, prefix=None):
    for node in walk(root):
        if node.getRole() != role or not showing(node):
            continue
        if name is not None and node.name != name:
            continue
        if prefix is not None and not node.name.startswith(prefix):
            continue
        return node
    return None


def frame(app, title):
    for i in range(app.childCount):
        child = app.getChildAtIndex(i)
        if child is not None and child.name == title and showing(child):
            return child
    return None


def focused(node):
    return node.getState().contains(pyatspi.STATE_FOCUSED)


def text_of(node):
    t = node.queryText()
    return t.getText(0, t.characterCount)


class Desktop:
    def __init__(self, folder):
        read, write = os.pipe()
        self.x = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-nolisten", "tcp",
                                   "-screen", "0", "1280x1024x24"], pass_fds=[write])
        os.close(write)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(read, 16)
            if not chunk:
                raise RuntimeError("Xvfb did not start")
            number += chunk
        os.close(read)
        self.env = dict(os.environ)
        self.env["DISPLAY"] = ":" + number.decode().strip()
        self.env.pop("QT_QPA_PLATFORM", None)
        self.env.pop("WAYLAND_DISPLAY", None)
        self.wm = subprocess.Popen(["openbox"], env=self.env)
        os.environ["DISPLAY"] = self.env["DISPLAY"]
        # The window manager is up once wmctrl can talk to it; only then do windows get focus.
        end = time.monotonic() + 30
        while time.monotonic() < end and b"Name:" not in subprocess.run(
                ["wmctrl", "-m"], env=self.env, capture_output=True).stdout:
            time.sleep(0.1)

    def key(self, *keys):
        subprocess.run(["xdotool", "key", "--clearmodifiers", *keys], env=self.env, check=True)
        pump(0.3)

    def chord(self, modifier, key):
        """A modifier held while a key is pressed, at a hand's pace: Qt takes a shortcut in
        as it is read, ahead of the queued modifier press, which sent at once would arrive
        after the shortcut's menu opened and close it."""
        subprocess.run(["xdotool", "keydown", modifier], env=self.env, check=True)
        pump(0.2)
        subprocess.run(["xdotool", "key", key], env=self.env, check=True)
        subprocess.run(["xdotool", "keyup", modifier], env=self.env, check=True)
        pump(0.3)

    def has_keyboard(self, title):
        """Whether the X server sends keys to the window with this title (the program's
        own idea of focus may run ahead of the window manager's)."""
        run = lambda *args: subprocess.run(["xdotool", *args], env=self.env, capture_output=True).stdout.split()
        focus = run("getwindowfocus")
        return bool(focus) and focus[0] in run("search", "--name", "^%s$" % title)

    def type(self, text):
        subprocess.run(["xdotool", "type", "--delay", "60", text], env=self.env, check=True)

    def close(self):
        for p in (self.wm, self.x):
            p.terminate()
            p.wait(5)


def main():
    brelvox, spelling = sys.argv[1], sys.argv[2]
    words = read_words(spelling)
    folder = tempfile.mkdtemp(prefix="brelvox-atspi-")
    desktop = Desktop(folder)
    program = None
    try:
        env = dict(desktop.env)
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        # Under AddressSanitizer: the X11 platform's keymap library hands strndup a buffer
        # without a NUL, which strict string checks report at start-up.
        if "ASAN_OPTIONS" in env:
            env["ASAN_OPTIONS"] = env["ASAN_OPTIONS"].replace("strict_string_checks=1", "strict_string_checks=0")
        env["QT_ACCESSIBILITY"] = "1"
        env["HOME"] = folder
        env["XDG_CONFIG_HOME"] = os.path.join(folder, "config")
        env["XDG_RUNTIME_DIR"] = os.path.join(folder, "run")
        os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700)
        exe = os.path.join(folder, "brelvox")
        shutil.copy(brelvox, exe)

        listen_to_announcements()
        pyatspi.Registry.registerEventListener(
            lambda e: (renamed.append(e.source.name),
                       clock_renamed.append(e.source.name) if e.source.name.startswith("Time: ") else None),
            "object:property-change:accessible-name")
        program = subprocess.Popen([exe], env=env, cwd=folder)

        desk = pyatspi.Registry.getDesktop(0)
        app = wait_for(lambda: next((a for a in desk if a is not None and a.name == "Brelvox"), None), 30)
        if not check(app is not None, "the program is on the AT-SPI bus"):
            return
        main_window = wait_for(lambda: frame(app, "Brelvox"))
        check(main_window is not None, "the main window is in the tree")
        check(wait_for(lambda: frame(app, "Download The Ostrel Lobby")) is not None,
              "a solo game opens the download window")

        # Keys only: Escape closes the download window on top; Alt+F opens File from the chat.
        desktop.key("Escape")
        check(wait_for(lambda: frame(app, "Download The Ostrel Lobby") is None),
              "Escape closes the download window")
        entry = wait_for(lambda: find(main_window, pyatspi.ROLE_TEXT, "Chat message"))
        check(entry is not None, "the chat entry is named")
        # Keys go where the window manager sends them: back to the main window once the
        # download window is gone.
        check(wait_for(lambda: desktop.has_keyboard("Brelvox")), "the main window has the keyboard again")
        entry.queryComponent().grabFocus()
        check(wait_for(lambda: focused(entry)), "the chat entry takes the keyboard")
        before = text_of(entry)
        desktop.chord("alt", "f")
        check(wait_for(lambda: find(app, pyatspi.ROLE_MENU_ITEM, "Exit")) is not None, "Alt+F opens File")
        desktop.key("Escape")
        desktop.key("Escape")
        check(text_of(entry) == before, "no \"f\" landed in the chat line (%r)" % text_of(entry))

        # The tree has what a sighted player reads, and not the table's hidden scripts.
        nodes = list(walk(main_window))
        check(not any(n.getRole() == pyatspi.ROLE_LIST for n in nodes), "no hidden movement-script list in the tree")
        unnamed = [n.getRoleName() for n in nodes if showing(n) and not n.name and n.getRole() in
                   (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_IMAGE)]
        check(not unnamed, "every button, entry and picture shown has a name %s" % unnamed)
        phrases = [n.name for n in nodes if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name.startswith("Phrase ")]
        check(len(phrases) == 9, "the nine phrase buttons are named %s" % phrases)
        check(find(main_window, pyatspi.ROLE_PUSH_BUTTON, "Chatter sounds") is not None, "the sound button is named")

        # Start a game as a screen-reader user: the named button, then the dialog by keys.
        start = wait_for(lambda: find(main_window, pyatspi.ROLE_PUSH_BUTTON, "Start Game"), 60)
        if not check(start is not None, "the Start Game button is named"):
            return
        start.queryAction().doAction(0)
        dialog = wait_for(lambda: frame(app, "Brelvox - Game Start"))
        if not check(dialog is not None, "the Game Start dialog opens"):
            return
        options = [n for n in walk(dialog) if n.getRole() == pyatspi.ROLE_RADIO_BUTTON]
        check([o.name for o in options] == ["High Score Game", "Most Balls Pocketed", "9 Ball", "Race to 9"],
              "the options are named radio buttons")
        check([o.getState().contains(pyatspi.STATE_CHECKED) for o in options] == [True, False, False, False],
              "the chosen option reads as checked")
        desktop.key("Down")
        check(wait_for(lambda: options[1].getState().contains(pyatspi.STATE_CHECKED)),
              "Down chooses the next option")
        desktop.key("Up")
        desktop.key("Return")
        check(wait_for(lambda: frame(app, "Brelvox - Game Start") is None), "Enter starts the game")

        # Play a row from the tree alone.
        first = wait_for(lambda: find(main_window, pyatspi.ROLE_LABEL, prefix="Row 1, letter 1: "), 30)
        if not check(first is not None and wait_for(lambda: "Your Turn." in " ".join(heard), 30),
                     "the turn is announced (%s)" % heard):
            return
        letter = first.name.split(": ")[1][0]
        guess = next(w for w in words if w[0] == letter and len(set(w)) == 5)
        cell = find(main_window, pyatspi.ROLE_TEXT, "Guess, letter 1")
        check(cell is not None, "the entry cells are named")
        cell.queryComponent().grabFocus()
        check(wait_for(lambda: focused(cell) and desktop.has_keyboard("Brelvox")), "the first entry cell takes the keyboard")
        desktop.type(guess.lower())
        desktop.key("Return")
        row = wait_for(lambda: [find(main_window, pyatspi.ROLE_LABEL, prefix="Row 1, letter %d: %s," % (c, guess[c - 1]))
                                for c in range(1, 6)] if all(
            find(main_window, pyatspi.ROLE_LABEL, prefix="Row 1, letter %d: %s," % (c, guess[c - 1]))
            for c in range(1, 6)) else None, 25)
        if check(row is not None, "the judged row reads with its marks"):
            print("\nThe judged row as a screen reader reads it:")
            for node in row:
                print("  " + node.name)
        score = find(main_window, pyatspi.ROLE_LABEL, prefix="Score of You: ")
        check(score is not None, "the own score says whose it is (%s)" % (score.name if score else None))
        clock = find(main_window, pyatspi.ROLE_LABEL, prefix="Time: ")
        check(clock is not None, "the clock is read when asked")
        pump(3)
        check(renamed and not clock_renamed,
              "the clock tells no change each second (%d other name changes heard)" % len(renamed))
        print("\nAnnounced: %s" % heard)
    finally:
        if program is not None:
            program.terminate()
            try:
                program.wait(10)
            except subprocess.TimeoutExpired:
                program.kill()
        desktop.close()
        shutil.rmtree(folder, ignore_errors=True)
    print("%d passed, %d failed" % (0 if failures else 1, 1 if failures else 0))


if __name__ == "__main__":
    main()
    sys.exit(1 if failures else 0)
