#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Brelvox developers
"""The real brelvox as a native Wayland client of weston: a solo game starts, and the first
guess, typed once the window is active again after the turn came, lands in the row. Weston
runs on its X11 back end inside Xvfb, the one back end that gives it a keyboard without
hardware: keys go through the X server to weston and from weston to the program. The
program is read and driven through the AT-SPI bus. Run inside dbus-run-session.

usage: wayland_game.py BRELVOX SPELLING_LIST
"""
import os
import shutil
import subprocess
import sys
import tempfile

import pyatspi

from atspi_game import (Desktop, check, failures, find, frame, heard, listen_to_announcements, pump, read_words,
                        text_of, wait_for)


def play_first_row(desktop, env, words):
    """One solo game up to its first guess; None when Dira found the word first."""
    desk = pyatspi.Registry.getDesktop(0)
    app = wait_for(lambda: next((a for a in desk if a is not None and a.name == "Brelvox"), None), 30)
    if not check(app is not None, "the program runs on Wayland and is on the AT-SPI bus"):
        return False
    main_window = wait_for(lambda: frame(app, "Brelvox"))
    # The solo game's download window opens over the main window; the player goes on solo.
    download = wait_for(lambda: frame(app, "Download The Ostrel Lobby"))
    if not check(download is not None, "the download window opens"):
        return False
    find(download, pyatspi.ROLE_PUSH_BUTTON, "Play Solo Game").queryAction().doAction(0)
    if not check(wait_for(lambda: frame(app, "Download The Ostrel Lobby") is None, 10), "Play Solo Game closes it"):
        return False
    start = wait_for(lambda: find(main_window, pyatspi.ROLE_PUSH_BUTTON, "Start Game"), 60)
    if not check(start is not None, "the main window offers Start Game"):
        return False
    # The player was reading the chat, and another program has the keyboard while the
    # game starts and the turn comes: the window is activated only after the turn.
    chat = find(main_window, pyatspi.ROLE_TEXT, "Chat")
    check(chat is not None and chat.queryComponent().grabFocus(), "the chat view has the keyboard before the game")
    start.queryAction().doAction(0)
    dialog = wait_for(lambda: frame(app, "Brelvox - Game Start"))
    if not check(dialog is not None, "the Game Start dialog opens"):
        return False
    other = subprocess.Popen(["weston-flower"], env=env)
    try:
        if not check(wait_for(lambda: not dialog.getState().contains(pyatspi.STATE_ACTIVE), 10),
                     "another window takes the keyboard"):
            return False
        find(dialog, pyatspi.ROLE_PUSH_BUTTON, "Start").queryAction().doAction(0)
        first = wait_for(lambda: find(main_window, pyatspi.ROLE_LABEL, prefix="Row 1, letter 1: "), 30)
        if not check(first is not None and wait_for(lambda: "Your Turn." in " ".join(heard), 30),
                     "the turn is announced (%s)" % heard):
            return False
        check(not main_window.getState().contains(pyatspi.STATE_ACTIVE), "the turn came to an inactive window")
    finally:
        other.terminate()
        other.wait(10)
    if not check(wait_for(lambda: main_window.getState().contains(pyatspi.STATE_ACTIVE), 10),
                 "the main window is active again"):
        return False
    letter = first.name.split(": ")[1][0]
    guess = next(w for w in words if w[0] == letter and len(set(w)) == 5)
    pump(0.1)
    if any(h.endswith("got it!") for h in heard):
        return None  # Dira pocketed the ball already: there is no row to guess in
    subprocess.run(["xdotool", "type", "--delay", "20", guess.lower()], env=desktop.env, check=True)
    cells = [find(main_window, pyatspi.ROLE_TEXT, "Guess, letter %d" % c) for c in range(1, 6)]
    in_row = lambda: "".join(text_of(cell) for cell in cells).upper() == guess
    dira_got_it = lambda: any(h.endswith("got it!") for h in heard)
    wait_for(lambda: in_row() or dira_got_it(), 30)
    if not in_row() and dira_got_it():
        return None  # ... or just now, which fills the row with the word
    return check(in_row(), "the first guess, %s, is typed into the row" % guess)


def main():
    brelvox, spelling = sys.argv[1], sys.argv[2]
    words = read_words(spelling)
    folder = tempfile.mkdtemp(prefix="brelvox-wayland-")
    desktop = Desktop(folder)
    compositor = None
    try:
        weston_run = os.path.join(folder, "weston")
        os.makedirs(weston_run, mode=0o700)
        weston_env = dict(desktop.env, XDG_RUNTIME_DIR=weston_run)
        compositor = subprocess.Popen(
            ["weston", "--backend=x11-backend.so", "--use-pixman", "--socket=brelvox-0", "--width=1024",
             "--height=768", "--idle-time=0", "--log=" + os.path.join(folder, "weston.log")], env=weston_env)
        socket = os.path.join(weston_run, "brelvox-0")
        if not check(wait_for(lambda: os.path.exists(socket), 20), "weston is up"):
            return
        listen_to_announcements()
        for attempt in range(3):
            home = os.path.join(folder, "home%d" % attempt)
            env = dict(desktop.env)
            del env["DISPLAY"]  # no way back to X11: a native Wayland client or nothing
            env["QT_QPA_PLATFORM"] = "wayland"
            env["WAYLAND_DISPLAY"] = socket
            env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
            env["QT_ACCESSIBILITY"] = "1"
            # Under AddressSanitizer: the same keymap library as on X11 (see atspi_game.py).
            if "ASAN_OPTIONS" in env:
                env["ASAN_OPTIONS"] = env["ASAN_OPTIONS"].replace("strict_string_checks=1", "strict_string_checks=0")
            env["HOME"] = home
            env["XDG_CONFIG_HOME"] = os.path.join(home, "config")
            env["XDG_RUNTIME_DIR"] = os.path.join(home, "run")
            os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700)
            exe = os.path.join(home, "brelvox")
            shutil.copy(brelvox, exe)
            heard.clear()
            program = subprocess.Popen([exe], env=env, cwd=home)
            try:
                result = play_first_row(desktop, env, words)
            finally:
                program.terminate()
                try:
                    program.wait(10)
                except subprocess.TimeoutExpired:
                    program.kill()
            if result is not None:
                return
            print("Dira found the word first; once more")
        check(False, "a game where the player gets to guess first")
    finally:
        if compositor is not None:
            compositor.terminate()
            compositor.wait(10)
        desktop.close()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
    print("%d passed, %d failed" % (0 if failures else 1, 1 if failures else 0))
    sys.exit(1 if failures else 0)
