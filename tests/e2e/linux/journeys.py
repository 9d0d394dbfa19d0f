#!/usr/bin/python3
# End-to-end journeys through the Linux digestorium, driven from outside as a user would:
# keys and clicks through the X server (xdotool), the clipboard through xclip, and what the
# windows show read from the accessibility tree, as a screen reader reads it. Prints one
# verdict line per journey and a closing count.
#   journeys.py PROGRAM WORK-FOLDER [JOURNEY...]
# Run by tests/e2e/linux/run, which gives it a private X server, D-Bus session and home.
# The rules behind what the journeys see (the messages, fields, rows and report formats) are
# tested below them; these prove the wiring.
import hashlib
import os
import shutil
import subprocess
import sys
import time
import traceback

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

STEP_S = 30
MAIN_TITLE = "Digestorium V4.0.0"
CHOOSER_TITLE = "Digestorium - Select Directory"
LISTED = "Directory listing operation has been completed - "

program = ""
work = ""
documents = ""
# The programs a journey started, ended after it even when it failed while starting one.
started = []


class JourneyFailed(Exception):
    pass


def md5(path):
    with open(path, "rb") as f:
        return hashlib.md5(f.read()).hexdigest().upper()


def wait_for(what, condition, timeout=STEP_S):
    """Polls until condition() gives something true and returns it; what may be a function
    that says, when the time is up, what was awaited."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = condition()
        except GLib.Error:
            value = None  # the tree changed under the reader: look again
        if value:
            return value
        if time.monotonic() > deadline:
            raise JourneyFailed("timed out after %d s waiting for %s" %
                                (timeout, what() if callable(what) else what))
        time.sleep(0.05)


def expect(what, expected, seen):
    if expected != seen:
        raise JourneyFailed("%s: expected %r, saw %r" % (what, expected, seen))


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True).stdout.split()


def window_id(title):
    """The X window of that exact title, or None."""
    ids = xdotool("search", "--name", "^%s$" % title)
    return int(ids[0]) if ids else None


def focus(window):
    """Gives window the keyboard, as a user's click on it would, before keys go to it."""
    xdotool("windowfocus", "--sync", str(window))
    wait_for("the keyboard focus on window %d" % window,
             lambda: xdotool("getwindowfocus") == [str(window)])


def press(window, *keys):
    focus(window)
    xdotool("key", "--clearmodifiers", *keys)


def has_state(state):
    return lambda accessible: accessible.get_state_set().contains(state)


showing, enabled, focused = (has_state(s) for s in (
    Atspi.StateType.SHOWING, Atspi.StateType.ENABLED, Atspi.StateType.FOCUSED))


def children(accessible):
    return [accessible.get_child_at_index(i) for i in range(accessible.get_child_count())]


def find(root, role, name=None, test=lambda accessible: True):
    """The first accessible in root's tree of that role, and name if given, that passes test."""
    if root.get_role() == role and name in (None, root.get_name()) and test(root):
        return root
    for child in children(root):
        found = child is not None and find(child, role, name, test)
        if found:
            return found
    return None


def click(accessible):
    """Clicks the middle of a control, once a user could: shown and enabled."""
    wait_for("%r to be shown and enabled" % accessible.get_name(),
             lambda: showing(accessible) and enabled(accessible))
    r = accessible.get_extents(Atspi.CoordType.SCREEN)
    xdotool("mousemove", "--sync", str(r.x + r.width // 2), str(r.y + r.height // 2),
            "click", "1")


class App:
    """One run of the program, seen through its windows."""

    def __init__(self):
        self.process = subprocess.Popen([program], cwd=work, stdout=subprocess.DEVNULL,
                                        stderr=open(os.path.join(work, "program.log"), "ab"))
        started.append(self.process)
        self.window = wait_for("the main window", lambda: window_id(MAIN_TITLE))
        self.app = wait_for("the program in the accessibility tree", lambda: next(
            (a for a in children(Atspi.get_desktop(0))
             if a is not None and a.get_process_id() == self.process.pid), None))
        # Read what is on screen now, never a copy kept from an earlier event.
        self.app.set_cache_mask(Atspi.Cache.NONE)
        self.inner = wait_for("the main window's controls", lambda: self.top(MAIN_TITLE) and find(
            self.top(MAIN_TITLE), Atspi.Role.FILLER, test=lambda a: a.get_child_count() > 10))

    def top(self, title):
        return next((window for window in children(self.app) if window.get_name() == title), None)

    def button(self, name, window=None):
        return find(window or self.inner, Atspi.Role.PUSH_BUTTON, name)

    def status(self):
        # The status bar is the first label of MainWindow's inner area: it is made first.
        return find(self.inner, Atspi.Role.LABEL).get_name()

    def await_status(self, start, timeout=STEP_S):
        """Waits for a status that begins with start and gives it."""
        return wait_for(lambda: "a status %r; it reads %r" % (start, self.status()),
                        lambda: (lambda s: s.startswith(start) and s)(self.status()), timeout)

    def rows(self):
        table = find(self.inner, Atspi.Role.TABLE)
        return [(table.get_accessible_at(r, 0).get_name(), table.get_accessible_at(r, 1).get_name())
                for r in range(table.get_n_rows())]

    def exit(self):
        """Clicks File, then Exit in the menu it opens, and waits for the program to end."""
        menu = find(self.top(MAIN_TITLE), Atspi.Role.MENU_ITEM, "File")
        click(menu)
        click(wait_for("Exit in the open menu", lambda: find(
            menu, Atspi.Role.MENU_ITEM, test=lambda a: a.get_name().split("\t")[0] == "Exit" and
            showing(a))))
        wait_for("the program to end after File > Exit", lambda: self.process.poll() is not None)
        expect("exit code after File > Exit", 0, self.process.returncode)


def fill(folder, names):
    """A fresh folder in Documents holding files of those names with random bytes."""
    path = os.path.join(documents, folder)
    os.makedirs(path)
    for name in names:
        with open(os.path.join(path, name), "wb") as f:
            f.write(os.urandom(1000))
    return path


def StartChooseAndCheck(app):
    """The welcome, a file chosen in the dialog and checked against the clipboard."""
    app.await_status("Welcome to Digestorium.  Please select file or list directory to begin.")

    # xdotool types letters outside the keyboard map unreliably: an ASCII name.
    sample = os.path.join(fill("files", ["sample.txt"]), "sample.txt")
    click(app.button("---"))
    dialog = wait_for("the file dialog", lambda: window_id("Digestorium - Select File"))
    focus(dialog)
    xdotool("type", "--delay", "10", sample)
    press(dialog, "Return")
    app.await_status("File processing has been completed.  1 file listed.")

    # A match with this digest shows that the chosen file itself was hashed. xclip stays to
    # serve the clipboard until another program takes it over.
    subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=md5(sample).lower().encode(),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    press(app.window, "ctrl+c")
    app.await_status("MD5 Match")
    app.exit()


def list_folder(app, names):
    """Lists a fresh folder "many" in Documents holding files of those names, chosen in the
    chooser as a user would, and gives its path."""
    folder = fill("many", names)
    click(app.button("List Directory"))
    chooser = wait_for("the chooser", lambda: app.top(CHOOSER_TITLE))

    def cell(name, current=False):
        return find(chooser, Atspi.Role.TABLE_CELL, name,
                    lambda a: showing(a) and (focused(a) or not current))

    # It starts at the documents folder; its only subfolder is the next line down.
    wait_for("Documents current and 'many' shown in the chooser",
             lambda: cell("Documents", current=True) and cell("many"))
    press(window_id(CHOOSER_TITLE), "Down")
    wait_for("'many' current", lambda: cell("many", current=True))
    click(app.button("OK", chooser))
    wait_for("the chooser to close", lambda: window_id(CHOOSER_TITLE) is None)
    return folder


def ListCancelAndReport(app):
    """A folder of many files, each name in three scripts, listed from the chooser and
    cancelled after its first rows; Ctrl+T writes the rows to a text report, which is handed
    to the program that opens text files."""
    # Enough files that a listing, at its designed pause after each, runs for seconds.
    folder = list_folder(app, ["%03d_日本語_Ελληνικά_Café.bin" % i for i in range(150)])

    wait_for("the listing's second row", lambda: len(app.rows()) >= 2)
    click(app.button("Cancel"))
    status = app.await_status(LISTED)
    rows = app.rows()
    expect("status after Cancel", LISTED + "%d files listed." % len(rows), status)
    expect("rows after Cancel, 2 to 149", True, 2 <= len(rows) < 150)
    expect("rows", [(name, md5(os.path.join(folder, name))) for name, _ in rows], rows)

    press(app.window, "ctrl+t")
    written = "The list containing %d files has been written to text file " % len(rows)
    report = os.path.join(documents, app.await_status(written)[len(written):])
    opened = os.path.join(work, "opened.txt")
    wait_for("the report handed to the text program",
             lambda: os.path.exists(opened) and report in open(opened).read().splitlines())
    app.exit()


def ExitDuringListing(app):
    """File > Exit while a listing runs ends the program at once, with code 0."""
    list_folder(app, ["%03d.bin" % i for i in range(150)])
    wait_for("the listing's first row", lambda: app.rows())
    app.exit()


def main():
    global program, work, documents
    program, work = sys.argv[1], sys.argv[2]
    documents = os.path.join(os.environ["HOME"], "Documents")
    passed = failed = 0
    for run in (StartChooseAndCheck, ListCancelAndReport, ExitDuringListing):
        if sys.argv[3:] and run.__name__ not in sys.argv[3:]:
            continue
        print("== " + run.__name__, flush=True)
        shutil.rmtree(documents, ignore_errors=True)
        os.makedirs(documents)
        start = time.monotonic()
        ok = False
        try:
            run(App())
            ok = True
        except Exception:
            traceback.print_exc(file=sys.stdout)
        while started:
            process = started.pop()
            process.kill()
            process.wait()
        print("%s %s (%.1f s)" % ("PASS" if ok else "FAIL", run.__name__,
                                  time.monotonic() - start), flush=True)
        passed += ok
        failed += not ok
    print("driver: %d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
