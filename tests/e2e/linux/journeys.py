#!/usr/bin/python3
# End-to-end journeys through the Linux digestorium, driven from outside as a user would:
# keys and clicks through the X server (xdotool), the clipboard through xclip, and what the
# windows show read from the accessibility tree, as a screen reader reads it. Prints one
# verdict line per journey and a closing count.
#   journeys.py PROGRAM WORK-FOLDER [JOURNEY...]
# Run by tests/e2e/linux/run, which gives it a private X server, D-Bus session and home.
import hashlib
import os
import subprocess
import sys
import time
import traceback

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402
from Xlib import X, display  # noqa: E402
from Xlib.protocol import event  # noqa: E402

STEP_S = 30
MAIN_TITLE = "Digestorium V4.0.0"
CHOOSER_TITLE = "Digestorium - Select Directory"
FILE_DIALOG_TITLE = "Digestorium - Select File"
WELCOME = "Welcome to Digestorium.  Please select file or list directory to begin."
ONE_FILE_DONE = "File processing has been completed.  1 file listed."
LISTED = "Directory listing operation has been completed - "

# The controls of MainWindow without a label of their own, by their place in its inner area.
FILE_HASH_FIELD = (15, 40)
CHECK_HASH_FIELD = (15, 70)
VERDICT_FIELD = (250, 70)
# The controls' lowest edge; the status bar lies below it.
CONTROLS_BOTTOM = 244

program = ""
work = ""
documents = ""


class JourneyFailed(Exception):
    pass


def md5(path):
    with open(path, "rb") as f:
        return hashlib.md5(f.read()).hexdigest().upper()


def wait_for(what, condition, timeout=STEP_S):
    """Polls until condition() gives something true and returns it."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = condition()
        except GLib.Error:
            value = None  # the tree changed under the reader: look again
        if value:
            return value
        if time.monotonic() > deadline:
            raise JourneyFailed("timed out after %d s waiting for %s" % (timeout, what))
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


def set_clipboard(text):
    # xclip stays to serve the clipboard until another program takes it over.
    subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text.encode(),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)


def pixel(x, y):
    """The colour on screen at x, y as (red, green, blue)."""
    out = subprocess.run(["import", "-window", "root", "-crop", "1x1+%d+%d" % (x, y),
                          "-depth", "8", "txt:-"], capture_output=True, text=True).stdout
    hexa = out.splitlines()[-1].split("#")[1][:6]
    return tuple(int(hexa[i:i + 2], 16) for i in (0, 2, 4))


def close_box(window):
    """What a window manager sends when the user clicks a window's close box."""
    x = display.Display()
    target = x.create_resource_object("window", window)
    protocols = x.intern_atom("WM_PROTOCOLS")
    message = event.ClientMessage(window=target, client_type=protocols,
                                  data=(32, [x.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime,
                                             0, 0, 0]))
    target.send_event(message, event_mask=X.NoEventMask)
    # A round trip: the server has sent the message on before this connection ends. Closed
    # after a mere flush, the message was lost now and then on a busy machine.
    x.sync()
    x.close()


def extents(accessible):
    return accessible.get_extents(Atspi.CoordType.SCREEN)


def has_state(state):
    return lambda accessible: accessible.get_state_set().contains(state)


showing, enabled, focused = (has_state(s) for s in (
    Atspi.StateType.SHOWING, Atspi.StateType.ENABLED, Atspi.StateType.FOCUSED))


def text_of(accessible):
    return accessible.get_text(0, accessible.get_character_count())


def children(accessible):
    return [accessible.get_child_at_index(i) for i in range(accessible.get_child_count())]


def click(accessible):
    """Clicks the middle of a control, once a user could: shown and enabled."""
    wait_for("%r to be shown and enabled" % accessible.get_name(),
             lambda: showing(accessible) and enabled(accessible))
    r = extents(accessible)
    xdotool("mousemove", "--sync", str(r.x + r.width // 2), str(r.y + r.height // 2),
            "click", "1")


class App:
    """One run of the program, seen through its windows."""

    def __init__(self):
        self.process = subprocess.Popen([program], cwd=work, stdout=subprocess.DEVNULL,
                                        stderr=open(os.path.join(work, "program.log"), "ab"))
        self.window = wait_for("the main window", lambda: window_id(MAIN_TITLE))
        self.app = wait_for("the program in the accessibility tree", self._find)
        # Read what is on screen now, never a copy kept from an earlier event.
        self.app.set_cache_mask(Atspi.Cache.NONE)
        self.inner = wait_for("the main window's controls", lambda: self._inner())

    def _find(self):
        desktop = Atspi.get_desktop(0)
        for app in children(desktop):
            if app is not None and app.get_process_id() == self.process.pid:
                return app
        return None

    def top(self, title):
        for window in children(self.app):
            if window.get_name() == title:
                return window
        return None

    def _inner(self):
        main = self.top(MAIN_TITLE)
        for child in children(main) if main else []:
            if child.get_role() == Atspi.Role.FILLER and child.get_child_count() > 10:
                return child
        return None

    def controls(self):
        return children(self.inner)

    def at(self, place):
        origin = extents(self.inner)
        for control in self.controls():
            r = extents(control)
            if (r.x - origin.x, r.y - origin.y) == place:
                return control
        raise JourneyFailed("no control at %r" % (place,))

    def button(self, name, window=None):
        found = find(window or self.inner, lambda a: a.get_role() == Atspi.Role.PUSH_BUTTON
                     and a.get_name() == name)
        if not found:
            raise JourneyFailed("no button %r" % name)
        return found

    def status(self):
        origin = extents(self.inner)
        for control in self.controls():
            if control.get_role() == Atspi.Role.LABEL and \
                    extents(control).y - origin.y >= CONTROLS_BOTTOM:
                return control.get_name()
        return None

    def await_status(self, expected, timeout=STEP_S):
        try:
            wait_for("the status %r" % expected, lambda: self.status() == expected, timeout)
        except JourneyFailed as failure:
            raise JourneyFailed("%s; it reads %r" % (failure, self.status()))

    def field(self, place):
        return text_of(self.at(place))

    def rows(self):
        table = find(self.inner, lambda a: a.get_role() == Atspi.Role.TABLE)
        return [(table.get_accessible_at(r, 0).get_name(), table.get_accessible_at(r, 1).get_name())
                for r in range(table.get_n_rows())]

    def choose(self, menu, item):
        """Opens a menu of the menu bar with a click and clicks one of its items."""
        main = self.top(MAIN_TITLE)
        title = find(main, lambda a: a.get_role() == Atspi.Role.MENU_ITEM and a.get_name() == menu)
        click(title)
        entry = wait_for("the item %r of the open menu %r" % (item, menu), lambda: find(
            title, lambda a: a.get_role() == Atspi.Role.MENU_ITEM and
            a.get_name().split("\t")[0] == item and showing(a)))
        click(entry)

    def await_exit(self, how):
        try:
            code = self.process.wait(STEP_S)
        except subprocess.TimeoutExpired:
            raise JourneyFailed("the program still runs after %s" % how)
        expect("exit code after " + how, 0, code)
        expect("the main window after " + how, None, window_id(MAIN_TITLE))

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


def find(root, test):
    if test(root):
        return root
    for child in children(root):
        if child is not None:
            found = find(child, test)
            if found:
                return found
    return None


def fill(folder, names, size=1000):
    """A fresh folder in Documents holding files of those names with random bytes."""
    path = os.path.join(documents, folder)
    os.makedirs(path)
    for name in names:
        with open(os.path.join(path, name), "wb") as f:
            f.write(os.urandom(size))
    return path


def list_folder(app, folder):
    """Opens the chooser from its button, moves down from the documents folder it starts at
    to that folder, its only subfolder, and presses OK."""
    click(app.button("List Directory"))
    chooser = wait_for("the chooser", lambda: app.top(CHOOSER_TITLE))

    def cell(name, current=False):
        return find(chooser, lambda a: a.get_role() == Atspi.Role.TABLE_CELL and
                    a.get_name() == name and showing(a) and (focused(a) or not current))

    wait_for("Documents current and %r shown in the chooser" % folder,
             lambda: cell("Documents", current=True) and cell(folder))
    press(window_id(CHOOSER_TITLE), "Down")
    wait_for("%r current" % folder, lambda: cell(folder, current=True))
    click(app.button("OK", chooser))
    wait_for("the chooser to close", lambda: window_id(CHOOSER_TITLE) is None)


# The journeys: each starts the program and ends it. The rules behind what they see (the
# messages, fields, rows and report formats) are tested below them; these prove the wiring.
journeys = []


def journey(run):
    journeys.append(run)
    return run


@journey
def StartChooseAndCheck(app):
    """The welcome, a refused second copy, a file chosen in the dialog and checked against
    the clipboard, and the close box."""
    app.await_status(WELCOME)
    second = subprocess.run([program], cwd=work, timeout=STEP_S, capture_output=True)
    expect("exit code of a second copy", 0, second.returncode)

    sample = os.path.join(fill("files", ["sample.txt"]), "sample.txt")
    click(app.button("---"))
    dialog = wait_for("the file dialog", lambda: window_id(FILE_DIALOG_TITLE))
    focus(dialog)
    xdotool("type", "--delay", "10", sample)
    press(dialog, "Return")
    app.await_status(ONE_FILE_DONE)
    expect("FileHashField", md5(sample), app.field(FILE_HASH_FIELD))

    set_clipboard(md5(sample).lower())
    press(app.window, "ctrl+c")
    app.await_status("MD5 Match")
    expect("CheckHashField", md5(sample), app.field(CHECK_HASH_FIELD))
    verdict = app.at(VERDICT_FIELD)
    expect("VerdictField", "MD5 MATCH", text_of(verdict))
    r = extents(verdict)
    # Left of the centred word, inside the border.
    expect("VerdictField's colour", (0, 255, 0), pixel(r.x + 6, r.y + r.height // 2))

    close_box(app.window)
    app.await_exit("the close box")


# Enough small files that a listing, at its designed pause after each, runs for seconds.
MANY = 150
MANY_NAMES = ["%03d.bin" % i for i in range(MANY)]


@journey
def ListAndCancel(app):
    """A folder of many files listed from the chooser and cancelled after its first rows."""
    folder = fill("many", MANY_NAMES)
    list_folder(app, "many")
    wait_for("the listing's second row", lambda: len(app.rows()) >= 2)
    cancel = app.button("Cancel")
    click(cancel)
    wait_for("the count after Cancel", lambda: (app.status() or "").startswith(LISTED))
    rows = app.rows()
    if not 2 <= len(rows) < MANY:
        raise JourneyFailed("rows after Cancel: expected 2 to %d, saw %d" % (MANY - 1, len(rows)))
    expect("status after Cancel", LISTED + "%d files listed." % len(rows), app.status())
    expect("rows", [(name, md5(os.path.join(folder, name))) for name, _ in rows], rows)
    expect("Cancel shown after the listing", False, showing(cancel))

    app.choose("File", "Exit")
    app.await_exit("File > Exit")


@journey
def ListAndReport(app):
    """Files named in three scripts listed and written by Ctrl+T to a text report, which is
    handed to the program that opens text files."""
    names = ["日本語.txt", "Ελληνικά.txt", "Café_Ñandú.txt"]
    folder = fill("scripts", names)
    list_folder(app, "scripts")
    app.await_status(LISTED + "3 files listed.")
    rows = app.rows()
    expect("rows", sorted((name, md5(os.path.join(folder, name))) for name in names),
           sorted(rows))

    press(app.window, "ctrl+t")
    written = "The list containing 3 files has been written to text file "
    status = wait_for("the status %r and a name" % written, lambda: (
        lambda s: s.startswith(written) and s)(app.status() or ""))
    report = os.path.join(documents, status[len(written):])
    opened = os.path.join(work, "opened.txt")
    wait_for("the report handed to the text program", lambda: os.path.exists(opened) and
             open(opened).read().splitlines()[-1:] == [report])
    # The list as shown, in the columns of the text format, then its closing box.
    head = "File Name" + " " * 38 + "MD5\r\n\r\n"
    head += "".join(name.ljust(47) + md5sum + "\r\n" for name, md5sum in rows) + "\r\n"
    with open(report, "rb") as f:
        content = f.read()
    expect("the report's table", head, content[:len(head.encode())].decode())
    expect("the report's last line", b"*" * 79, content[-79:])

    close_box(app.window)
    app.await_exit("the close box")


@journey
def ExitDuringListing(app):
    """File > Exit while a listing runs ends the program at once."""
    fill("many", MANY_NAMES)
    list_folder(app, "many")
    wait_for("the listing's first row", lambda: app.rows())
    wait_for("the listing still at work",
             lambda: (app.status() or "").startswith("Processing file "))
    app.choose("File", "Exit")
    app.await_exit("File > Exit during a listing")


def main():
    global program, work, documents
    program, work = sys.argv[1], sys.argv[2]
    documents = os.path.join(os.environ["HOME"], "Documents")
    chosen = sys.argv[3:]
    passed = failed = 0
    for run in journeys:
        if chosen and run.__name__ not in chosen:
            continue
        print("== " + run.__name__, flush=True)
        subprocess.run(["rm", "-rf", documents])
        os.makedirs(documents)
        start = time.monotonic()
        app = None
        try:
            app = App()
            run(app)
            ok = True
        except JourneyFailed as failure:
            print("  %s" % failure)
            ok = False
        except Exception:
            traceback.print_exc(file=sys.stdout)
            ok = False
        finally:
            if app:
                app.kill()
        print("%s %s (%.1f s)" % ("PASS" if ok else "FAIL", run.__name__,
                                  time.monotonic() - start), flush=True)
        passed += ok
        failed += not ok
    print("driver: %d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
