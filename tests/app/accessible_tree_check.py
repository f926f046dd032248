#!/usr/bin/python3
"""Reads Quillery's accessible tree as a screen reader does, through AT-SPI.

Starts an X server (Xvfb), a D-Bus session and the accessibility bus of its own,
runs the program on a copy of the sample library, and fails when a list, table,
picture or status pane has no accessible name or description, a thumbnail cell
no name, or a control of the scanner's dialogs no name. It drives the program by
keyboard as a person without a mouse would: F6 to
the photo list, Down and Enter to make a photo current, Shift+F10 for the photo's
menu and its "Edit Photo Information", the menu bar for "Edit Events", "Add names
to selected photos...", "Print Image...", "Options" and "About Quillery", two files
typed into the file dialog of "Add photo from file" for the first photo dialog of a
batch, "TWAIN Setup" and "Add photo via scanner" (on SANE's test backend); each
dialog's tree is read the same way.

    accessible_tree_check.py PROGRAM SAMPLES_FOLDER

Exits 77 (skipped) when Xvfb, dbus-daemon, the AT-SPI bus launcher, xdotool or
pyatspi are missing, or when Xvfb ends before taking connections each time it is
started for half a minute (its own last words are printed); every process it started
is stopped by its process group.
"""
import importlib.util
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIPPED = 77
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
CHECKED_ROLES = {"list", "list box", "table", "tree", "tree table", "image", "status bar",
                 "progress bar"}
BATCH_DIALOG = "Quillery - Add new photo (1 of 2)"
CONTROL_ROLES = {"push button", "combo box", "spin button", "list", "list box", "check box",
                 "radio button", "text", "slider", "progress bar"}
HERE = os.path.dirname(os.path.abspath(__file__))
# The scanner is SANE's test backend, switched on by the scan tests' own folder.
SANE_TEST_CONFIG = os.path.join(HERE, "..", "ui", "scan", "sane.d")
LIBRARY_FOLDERS = ("Thumbnail Pictures", "Full Screen Pictures", "High Resolution Images",
                   "Original Images")


class Failure(Exception):
    pass


class Processes:
    """Each process in a session of its own, so stopping its group stops what it spawned."""

    def __init__(self):
        self.started = []

    def start(self, args, env, **kwargs):
        process = subprocess.Popen(args, env=env, start_new_session=True, **kwargs)
        self.started.append(process)
        return process

    def stop_all(self):
        for process in reversed(self.started):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
        for process in reversed(self.started):
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                try:
                    os.killpg(process.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
                process.wait(timeout=5)
            # Whatever the group spawned and left behind (the registry daemon).
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass


def wait_for(what, probe, seconds):
    deadline = time.monotonic() + seconds
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure("timed out waiting for " + what)
        time.sleep(0.2)


def registry_answers(pyatspi):
    try:
        return pyatspi.Registry.getDesktop(0).childCount >= 0
    except Exception:  # the bus or the registry is not up yet
        return False


def missing_tools():
    missing = [tool for tool in ("Xvfb", "dbus-daemon", "xdotool") if shutil.which(tool) is None]
    if not os.access(BUS_LAUNCHER, os.X_OK):
        missing.append(BUS_LAUNCHER)
    if importlib.util.find_spec("pyatspi") is None:
        missing.append("python3-pyatspi")
    return missing


class NoServer(Exception):
    """Xvfb itself cannot run on this machine; its own last words say why."""


def start_display(processes, env, work):
    """An X server on a display it picks itself, as the other X11 tests start theirs:
    the server takes the first free display under its own lock, so several may start
    beside each other.

    A server that ends before it takes connections is started again, for half a
    minute, since a passing shortage (a full /tmp, say) goes away; only then is the
    machine judged unable to run one."""
    last_words = ""
    deadline = time.monotonic() + 30
    attempt = 0
    while time.monotonic() < deadline:
        log_path = os.path.join(work, "xvfb-%d.log" % attempt)
        read_end, write_end = os.pipe()
        with open(log_path, "wb") as log:
            server = processes.start(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                                      "1280x800x24", "-nolisten", "tcp"], env,
                                     pass_fds=(write_end,), stdout=log, stderr=log)
        os.close(write_end)
        # Xvfb writes the display's number once it takes connections.
        ready = select.select([read_end], [], [], 20)[0]
        answer = os.read(read_end, 16).strip() if ready else b""
        os.close(read_end)
        if answer.isdigit() and server.poll() is None:
            display = ":" + answer.decode()
            probe = subprocess.run(["xdotool", "getdisplaygeometry"], env=dict(env, DISPLAY=display),
                                   timeout=20, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                   text=True)
            if probe.returncode == 0:
                return display
            last_words = "xdotool on %s: %s" % (display, probe.stderr.strip())
        else:
            with open(log_path, errors="replace") as log:
                last_words = "Xvfb: " + " / ".join(
                    line.strip() for line in log.read().splitlines()[-6:] if line.strip())
        attempt += 1
        time.sleep(min(0.25 * attempt, 3))
    raise NoServer(last_words)


def start_session_bus(processes, env):
    bus = processes.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"], env,
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    address = bus.stdout.readline().strip()
    if not address:
        raise Failure("dbus-daemon gave no address")
    return address


def copy_samples(samples, work):
    library = os.path.join(work, "Samples")
    os.makedirs(library)
    shutil.copy(os.path.join(samples, "Samples.pdb"), library)
    for folder in LIBRARY_FOLDERS:
        source = os.path.join(samples, folder)
        if os.path.isdir(source):
            shutil.copytree(source, os.path.join(library, folder))
        else:
            os.makedirs(os.path.join(library, folder))
    return os.path.join(library, "Samples.pdb")


class Reader:
    """What a screen reader sees of one application."""

    def __init__(self, pyatspi, app):
        self.pyatspi = pyatspi
        self.app = app
        self.read = 0  # lists, tables, pictures and panes whose names were read

    def walk(self, node, visit, depth=0):
        if node is None or depth > 40:
            return
        try:
            visit(node)
            children = [node.getChildAtIndex(index) for index in range(node.childCount)]
        except Exception:  # an object that went while it was read
            return
        for child in children:
            self.walk(child, visit, depth + 1)

    def shown(self, node):
        return node.getState().contains(self.pyatspi.STATE_SHOWING)

    def find(self, role, name=None, root=None):
        found = []

        def visit(node):
            if node.getRoleName() == role and (name is None or node.name == name) and self.shown(node):
                found.append(node)
        self.walk(root or self.app, visit)
        return found[0] if found else None

    def focused(self, node):
        state = node.getState()
        return state.contains(self.pyatspi.STATE_FOCUSED) or state.contains(self.pyatspi.STATE_SELECTED)

    def unnamed(self, root):
        """Every shown list, table, picture and status pane without a name or description."""
        missing = []

        def describe(node, what):
            self.read += 1
            if not node.name or not node.description:
                missing.append("%s %r/%r" % (what, node.name, node.description))

        def visit(node):
            if not self.shown(node):
                return
            role = node.getRoleName()
            if role in CHECKED_ROLES:
                describe(node, role)
            parent = node.parent
            if parent is not None and parent.getRoleName() == "status bar":
                describe(node, "status pane " + role)
            if role in ("table", "tree table"):
                table = node.queryTable()
                for row in range(min(table.nRows, 50)):
                    cell = table.getAccessibleAt(row, 0)
                    if cell is not None and not cell.name:
                        missing.append("first cell of row %d has no name" % row)
        self.walk(root, visit)
        return missing

    def unnamed_controls(self, root):
        """Every shown button, field, list and box without a name to read out."""
        missing = []

        def visit(node):
            if self.shown(node) and node.getRoleName() in CONTROL_ROLES:
                self.read += 1
                if not node.name:
                    missing.append("%s without a name" % node.getRoleName())
        self.walk(root, visit)
        return missing


def focus_main_window(env):
    """A bare X server has no window manager to give the window back the keyboard."""
    subprocess.run(["xdotool", "search", "--name", "^Quillery - ", "windowfocus", "--sync"],
                   env=env, check=True, timeout=20, stdout=subprocess.DEVNULL)
    time.sleep(0.3)


def press(env, *keys):
    subprocess.run(["xdotool", "key", "--delay", "80"] + list(keys), env=env, check=True, timeout=20)
    time.sleep(0.4)


def choose(reader, env, menu, item):
    """Moves down the open menu until the item is highlighted, then chooses it."""
    for _ in range(15):
        entry = reader.find("menu item", item, menu)
        if entry is not None and reader.focused(entry):
            press(env, "Return")
            return
        press(env, "Down")
    raise Failure("could not reach %r in the menu by keyboard" % item)


def open_dialog(reader, env, title, keys_then_choose, role="dialog", controls=False):
    """Opens a window by keyboard, reads it (with controls, every control's name too)
    and closes it with Escape; None as the title takes whichever window of the role
    comes."""
    # Keys typed blind (a menu Qt keeps out of the tree) can outrun a loaded machine:
    # whatever opened instead is closed and the keys are typed again.
    for attempt in range(3):
        keys_then_choose()
        try:
            dialog = wait_for("the window " + str(title), lambda: reader.find(role, title), 20)
            break
        except Failure:
            if attempt == 2:
                raise
            press(env, "Escape", "Escape")
            focus_main_window(env)
    missing = reader.unnamed(dialog) + (reader.unnamed_controls(dialog) if controls else [])
    name = dialog.name
    press(env, "Escape")
    wait_for("the window %s to close" % name, lambda: reader.find(role, name) is None, 10)
    return ["%s: %s" % (name, entry) for entry in missing]


def scan_windows(reader, env, keys):
    """The scan window ("Cancel Scanner") and the source's options beside it, read
    together; Escape in either ends the scan and closes both."""
    keys()
    options = wait_for("the scanner's options", lambda: reader.find("dialog", "Scanner Options"), 30)
    problems = ["Scanner Options: " + entry
                for entry in reader.unnamed(options) + reader.unnamed_controls(options)]
    window = reader.find("dialog", "Cancel Scanner")
    if window is None:
        problems.append("the scan window is not in the tree as \"Cancel Scanner\"")
    else:
        problems += ["Cancel Scanner: " + entry for entry in reader.unnamed_controls(window)]

    def closed():
        return reader.find("dialog", "Scanner Options") is None and reader.find("dialog", "Cancel Scanner") is None
    for attempt in range(2):
        press(env, "Escape")
        try:
            wait_for("the scan windows to close", closed, 10)
            break
        except Failure:
            if attempt == 1:
                raise
    return problems


def check(pyatspi, env):
    desktop = pyatspi.Registry.getDesktop(0)

    def application():
        for index in range(desktop.childCount):
            app = desktop.getChildAtIndex(index)
            if app is not None and app.name.lower() == "quillery":
                return app
        return None
    app = wait_for("Quillery on the accessibility bus", application, 60)
    reader = Reader(pyatspi, app)
    photos = wait_for("the photo list", lambda: reader.find("table", "Photos"), 40)
    wait_for("the photo list's rows", lambda: photos.queryTable().nRows > 0, 20)

    problems = ["main window: " + entry for entry in reader.unnamed(app)]
    if reader.find("text", "Find") is None and reader.find("entry", "Find") is None:
        problems.append("main window: no field named Find in the toolbar")

    focus_main_window(env)
    # By keyboard alone: to the list, one row down, Enter makes it the current photo.
    wait_for("the photo list to take the focus",
             lambda: reader.focused(photos) or press(env, "F6"), 15)
    picture = reader.find("image", "Picture")
    if picture is None:
        raise Failure("the picture pane is not an image")
    press(env, "Down", "Return")
    wait_for("Enter to make a photo current (the picture pane tells which)",
             lambda: picture.description.startswith("The current photo"), 10)

    # Qt leaves popup menus out of the tree (a screen reader follows them by their
    # focus events), so the photo's menu is worked blind: the first Down reaches Copy,
    # the fourth Edit Photo Information, past the two Deletes and a separator.
    def by_context_menu():
        focus_main_window(env)
        press(env, "shift+F10")
        time.sleep(1)
        press(env, "Down", "Down", "Down", "Down", "Return")
    problems += open_dialog(reader, env, "Quillery - Edit existing photo", by_context_menu)

    def menu_keys(menu_key, item):
        def keys():
            focus_main_window(env)
            press(env, menu_key)
            menu = wait_for("the menu for " + item,
                            lambda: reader.find("menu item", item), 10)
            choose(reader, env, menu.parent, item)
        return keys

    def from_menu(menu_key, item, title, role="dialog", controls=False):
        return open_dialog(reader, env, title, menu_keys(menu_key, item), role, controls)
    problems += from_menu("alt+e", "Edit Events", "Edit an Event")
    # The row made current above is selected, so the selection can be tagged.
    problems += from_menu("alt+e", "Add names to selected photos...", "Add names to selected photos")
    # The editing sheet opens on its rotate page, of the current photo chosen above.
    problems += from_menu("alt+e", "Edit current photo", "Picture Editing")
    # The file-open dialog with its preview panel, under Qt's own title.
    problems += from_menu("alt+e", "Add photo from file", None)

    # Two pictures of the library's own, typed into the file dialog's name field as the
    # dialog takes several; Escape in the first photo dialog ends the batch.
    def add_two_files():
        focus_main_window(env)
        press(env, "alt+e")
        menu = wait_for("the menu for adding", lambda: reader.find("menu item", "Add photo from file"), 10)
        choose(reader, env, menu.parent, "Add photo from file")
        wait_for("the file dialog", lambda: reader.find("dialog"), 20)
        time.sleep(1)
        subprocess.run(["xdotool", "type", "--delay", "40", '"Picture #1.jpg" "Picture #2.jpg"'],
                       env=env, check=True, timeout=30)
        press(env, "Return")
        # The name field's completer may take the first Return to close its list.
        try:
            wait_for("the batch's photo dialog", lambda: reader.find("dialog", BATCH_DIALOG), 5)
        except Failure:
            press(env, "Return")
    problems += open_dialog(reader, env, BATCH_DIALOG, add_two_files)
    problems += from_menu("alt+f", "Print Image...", "Print Setup")
    problems += from_menu("alt+h", "About Quillery", "About Quillery")
    problems += from_menu("alt+h", "Help Topics", "Quillery Help", role="frame")
    # The picture show covers the screen; Escape ends it.
    problems += from_menu("alt+v", "Picture Show", "Picture show", role="image")

    # Options stands on the menu bar itself, left of Help.
    def options():
        focus_main_window(env)
        press(env, "alt+h", "Left", "Return")
    problems += open_dialog(reader, env, "Quillery Options", options)

    problems += from_menu("alt+f", "TWAIN Setup", "Select Source", controls=True)
    problems += scan_windows(reader, env, menu_keys("alt+e", "Add photo via scanner"))
    print("read the names of %d lists, tables, pictures and status panes" % reader.read)
    return problems


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    program, samples = sys.argv[1], sys.argv[2]
    missing = missing_tools()
    if missing:
        print("SKIPPED: the accessible tree needs " + ", ".join(missing) +
              " (scripts/setup.sh installs them)")
        return SKIPPED
    processes = Processes()
    work = tempfile.mkdtemp(prefix="quillery-atspi-")
    try:
        env = {key: value for key, value in os.environ.items()
               if not key.startswith(("DBUS_", "AT_SPI", "WAYLAND", "QT_", "XDG_"))}
        env["DISPLAY"] = start_display(processes, env, work)
        env["DBUS_SESSION_BUS_ADDRESS"] = start_session_bus(processes, env)
        processes.start([BUS_LAUNCHER, "--launch-immediately"], env,
                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        config = os.path.join(work, "config")
        os.makedirs(os.path.join(config, "Quillery"))
        library = copy_samples(samples, work)
        with open(os.path.join(config, "Quillery", "Quillery.conf"), "w") as settings:
            # The add command's file dialog opens among the library's own pictures.
            settings.write("[Quillery]\nInitialization=1\nLastAddFolder=%s\n" % os.path.join(
                os.path.dirname(library), "Full Screen Pictures"))
        app_env = dict(env, XDG_CONFIG_HOME=config, XDG_DATA_HOME=os.path.join(work, "data"),
                       SANE_CONFIG_DIR=SANE_TEST_CONFIG, QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1",
                       QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        # pyatspi finds its buses through the environment when it is first imported.
        os.environ.update(DISPLAY=env["DISPLAY"],
                          DBUS_SESSION_BUS_ADDRESS=env["DBUS_SESSION_BUS_ADDRESS"])
        import pyatspi
        # A program that starts before the registry answers is never listed on the
        # desktop, so the registry is asked first.
        wait_for("the accessibility registry", lambda: registry_answers(pyatspi), 60)
        processes.start([program, library], app_env,
                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        problems = check(pyatspi, env)
        for problem in problems:
            print("unnamed: " + problem)
        print("%d unnamed" % len(problems))
        return 1 if problems else 0
    except NoServer as reason:
        # Like a missing tool: nothing of the program was read, so nothing is judged.
        print("SKIPPED: no X server runs on this machine (%s)" % reason)
        return SKIPPED
    except Failure as failure:
        print("FAILED: %s" % failure)
        return 1
    finally:
        processes.stop_all()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
