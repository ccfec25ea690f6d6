#!/usr/bin/python3
"""The window as a screen reader sees it.

Starts the real zev4800 on a virtual display with the accessibility bus running, walks its
accessible tree through AT-SPI (python3-pyatspi) and checks roles, names and cell texts in
English and in Chinese, that no control the keyboard can reach is nameless, that a message
box is read in full, and that the read dialog says how a read of the demo radio (rh4800-sim)
ended.

Usage: tst_accessibility.py PROGRAM_FOLDER PLAN_FILE [--dump]
  PROGRAM_FOLDER  the build's bin folder (zev4800, rh4800-sim and the language packs)
  PLAN_FILE       a channel file to open; channel 03 holds 156.80000 (docs/demo.z81)
  --dump          print the tree as a screen reader would meet it, and check nothing

Exits 77 (ctest's skip code) when the accessibility bus, pyatspi or the virtual display is not
installed; the packages are at-spi2-core, python3-pyatspi, dbus-daemon and xvfb.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"

# Generous limits that only stop a broken run from hanging; nothing measures time with them.
START_LIMIT_S = 40
BOX_LIMIT_S = 20
SESSION_LIMIT_S = 60

LANGUAGES = {
    "english": {
        "install_log": b"*** Installation Started ***\r\nTitle: ZEV4800 Programming Software\r\n",
        "table": "Channel table",
        "cells": {
            (3, 1): "Channel 03, RX Freq, 156.80000",
            (3, 5): "Channel 03, Power, High",
            (2, 2): "Channel 02, RX Tone, 88.5",
            (7, 1): "Channel 07, RX Freq, empty",
            (3, 0): "Channel 03",
            (0, 3): "TX Freq",
        },
        "buttons": ["New", "Open", "Save", "Read from radio", "Write to radio", "Channel edit",
                    "Function options", "Move Up"],
        "combo_labels": ["Model:", "Squelch Level"],
        "menu_items": ["New", "Open", "Save", "Read", "Write", "Undo"],
        "read_button": "Read from radio",
        "pack_button": "Move Up",
        "port_busy": "The COM port does not exist or another program is using it. Choose "
                     "another port.",
        "ok": "OK",
        "read_dialog": "Read",
        "idle": "Progress",
        "finished": "Finished successfully.",
    },
    "chinese": {
        # Any second line but the English title starts the program in Chinese.
        "install_log": b"*** Installation Started ***\r\nTitle: ZEV4800 \xe7\xbc\x96\xe7\xa8\x8b\r\n",
        "table": "信道表",
        "cells": {
            (3, 1): "信道 03，接收频率，156.80000",
            (3, 5): "信道 03，功率，高功率",
            (2, 2): "信道 02，接收亚音，88.5",
            (7, 1): "信道 07，接收频率，空",
            (3, 0): "信道 03",
            (0, 3): "发射频率",
        },
        "buttons": ["新建", "打开", "保存", "读频", "写频", "信道编辑", "功能选项", "信道上移"],
        # The model label's keyboard letter, as Qt passes it on.
        "combo_labels": ["型号(M)：", "静噪电平"],
        "menu_items": ["新建", "打开", "保存", "读频", "写频", "撤销"],
        "read_button": "读频",
        "pack_button": "信道上移",
        "port_busy": "通讯端口不存在或已被占用，请选择其他端口。",
        "ok": "确定",
    },
}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL: " + message, flush=True)


def skip(reason):
    print("SKIP: " + reason, flush=True)
    sys.exit(SKIP)


def missing_tools():
    for tool in ("xvfb-run", "dbus-run-session"):
        if not shutil.which(tool):
            return tool + " (packages xvfb, dbus-daemon)"
    if not os.access(BUS_LAUNCHER, os.X_OK):
        return BUS_LAUNCHER + " (package at-spi2-core)"
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        return "pyatspi (package python3-pyatspi)"
    return None


# --- the outer run: a virtual display and a session bus of their own ---------------------------

def outer(arguments):
    missing = missing_tools()
    if missing:
        skip("the screen reader test needs " + missing)
    environment = dict(os.environ)
    # The ctest environment asks Qt for the offscreen platform, which has no AT-SPI bridge.
    environment.pop("QT_QPA_PLATFORM", None)
    environment.pop("WAYLAND_DISPLAY", None)
    command = ["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", "dbus-run-session", "--",
               sys.executable, os.path.abspath(__file__), "--inner"] + arguments
    return subprocess.run(command, env=environment, stdin=subprocess.DEVNULL).returncode


# --- the inner run: the accessibility bus, the program and the walk ----------------------------

def name_of(accessible):
    try:
        return accessible.name or ""
    except Exception:
        return ""


def role_of(accessible):
    try:
        return accessible.getRoleName()
    except Exception:
        return "?"


def children(accessible):
    try:
        count = accessible.childCount
    except Exception:
        return []
    found = []
    for index in range(count):
        try:
            child = accessible.getChildAtIndex(index)
        except Exception:
            child = None
        if child is not None:
            found.append(child)
    return found


def walk(accessible, depth=0):
    """Every object under accessible, with its depth. A table's cells are read through the table
    and a combo box's items through the combo box: the tone list alone has 259."""
    yield accessible, depth
    if role_of(accessible) in ("table", "combo box"):
        return
    for child in children(accessible):
        yield from walk(child, depth + 1)


def states(accessible):
    import pyatspi
    try:
        state_set = accessible.getState()
    except Exception:
        return set()
    return {state for state in (pyatspi.STATE_FOCUSABLE, pyatspi.STATE_SHOWING,
                                pyatspi.STATE_VISIBLE, pyatspi.STATE_ENABLED)
            if state_set.contains(state)}


def labels_of(accessible):
    """The names of the objects that label accessible (its labelled-by relation)."""
    import pyatspi
    names = []
    try:
        relations = accessible.getRelationSet()
    except Exception:
        return names
    for relation in relations:
        if relation.getRelationType() != pyatspi.RELATION_LABELLED_BY:
            continue
        for index in range(relation.getNTargets()):
            names.append(name_of(relation.getTarget(index)))
    return names


def spoken_name(accessible):
    """What a screen reader says a control is: a combo box's name is only its value on Linux,
    so it is named by its label; every other control by its name or else its label."""
    labels = [label for label in labels_of(accessible) if label.strip()]
    if role_of(accessible) == "combo box":
        return labels[0] if labels else ""
    if name_of(accessible).strip():
        return name_of(accessible)
    return labels[0] if labels else ""


def find_application(name):
    import pyatspi
    desktop = pyatspi.Registry.getDesktop(0)
    for application in children(desktop):
        if name_of(application) == name:
            return application
    return None


def where_is(accessible):
    """The named objects above accessible, for a failure message."""
    path = []
    try:
        parent = accessible.parent
        while parent is not None and role_of(parent) != "application":
            if name_of(parent):
                path.append("%s %r" % (role_of(parent), name_of(parent)))
            parent = parent.parent
    except Exception:
        pass
    return " in " + " < ".join(path) if path else ""


def find_all(root, role, name=None):
    return [accessible for accessible, _ in walk(root)
            if role_of(accessible) == role and (name is None or name_of(accessible) == name)]


class Program:
    """zev4800 in a folder of its own, with its packs, its install.Log and a clean home."""

    def __init__(self, bin_folder, language, plan_file, radio_terminal):
        self.folder = tempfile.TemporaryDirectory(prefix="zev-a11y-")
        root = self.folder.name
        program_folder = os.path.join(root, "program")
        os.makedirs(program_folder)
        for name in ("zev4800", "chinese.qm", "english.qm", "chinese_messages.qm"):
            shutil.copy2(os.path.join(bin_folder, name), program_folder)
        with open(os.path.join(program_folder, "install.Log"), "wb") as log:
            log.write(LANGUAGES[language]["install_log"])
        self.missing_port = os.path.join(root, "no-such-port")
        environment = dict(os.environ)
        for variable, folder in (("HOME", "home"), ("XDG_CONFIG_HOME", "config"),
                                 ("XDG_DATA_HOME", "data"), ("XDG_STATE_HOME", "state"),
                                 ("XDG_RUNTIME_DIR", "runtime")):
            environment[variable] = os.path.join(root, folder)
            os.makedirs(environment[variable], mode=0o700)
        environment["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        environment["QT_QPA_PLATFORM"] = "xcb"
        environment["LC_ALL"] = "C.UTF-8"  # "." in frequencies
        self.process = subprocess.Popen(
            [os.path.join(program_folder, "zev4800"), "--port", "1=" + self.missing_port,
             "--port", "2=" + radio_terminal, plan_file], env=environment,
            stdin=subprocess.DEVNULL)

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.folder.cleanup()


def wait_for(find, limit_s):
    deadline = time.monotonic() + limit_s
    while time.monotonic() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    return None


def window_ready(application, language):
    """The main window with its grid, its language pack loaded."""
    if application is None or not find_all(application, "table"):
        return None
    return application if find_all(application, "push button", LANGUAGES[language]["pack_button"]) else None


def dump(application):
    import pyatspi
    for accessible, depth in walk(application):
        flags = states(accessible)
        marks = "".join(mark for state, mark in ((pyatspi.STATE_FOCUSABLE, "F"),
                                                 (pyatspi.STATE_SHOWING, "S"))
                        if state in flags)
        labels = labels_of(accessible)
        line = "  " * depth + "[%s] %r" % (role_of(accessible), name_of(accessible))
        if labels:
            line += " labelled by %r" % labels
        try:
            if accessible.description:
                line += " -- %r" % accessible.description
        except Exception:
            pass
        print(line + (" {%s}" % marks if marks else ""))
        if role_of(accessible) == "table":
            table = accessible.queryTable()
            for row in range(table.nRows):
                cells = [name_of(table.getAccessibleAt(row, column))
                         for column in range(table.nColumns)]
                print("  " * (depth + 1) + " | ".join(cells))


def check_language(application, language):
    import pyatspi
    expected = LANGUAGES[language]
    where = language + ": "

    # The grid is a table named in the language; its cells say channel, column and value.
    tables = find_all(application, "table", expected["table"])
    check(len(tables) == 1, where + "one table named %r" % expected["table"])
    if tables:
        table = tables[0].queryTable()
        check((table.nRows, table.nColumns) == (17, 8),
              where + "the table has 17 x 8 cells, not %d x %d" % (table.nRows, table.nColumns))
        for (row, column), text in expected["cells"].items():
            cell = table.getAccessibleAt(row, column)
            check(name_of(cell) == text,
                  where + "cell (%d, %d) reads %r, not %r" % (row, column, name_of(cell), text))

    # Picture buttons, the editor's buttons, selectors and menu items are named in the language.
    button_names = {name_of(button) for button in find_all(application, "push button")}
    for name in expected["buttons"]:
        check(name in button_names, where + "a push button named %r" % name)
    # A port button is a check box: it shows which port is chosen.
    check_box_names = {name_of(box) for box in find_all(application, "check box")}
    for port in ("COM1", "COM2", "COM3", "COM4"):
        check(port in check_box_names, where + "a check box named %r" % port)
    combo_labels = [label for combo in find_all(application, "combo box")
                    for label in labels_of(combo)]
    for name in expected["combo_labels"]:
        check(name in combo_labels, where + "a combo box labelled %r" % name)
    menu_items = {name_of(item).replace("&", "") for item in find_all(application, "menu item")}
    for name in expected["menu_items"]:
        check(any(item.startswith(name) for item in menu_items),
              where + "a menu item named %r (have %s)" % (name, sorted(menu_items)))

    # No control that the keyboard reaches is nameless.
    for accessible, _ in walk(application):
        flags = states(accessible)
        if pyatspi.STATE_FOCUSABLE not in flags or pyatspi.STATE_SHOWING not in flags:
            continue
        check(spoken_name(accessible).strip() != "",
              where + "a focusable %s (%r)%s has no name" % (
                  role_of(accessible), name_of(accessible), where_is(accessible)))


def check_message_box(application, program, language):
    """A message box gives the screen reader its whole text: here the one that says why COM1
    cannot be opened, after Read from radio."""
    expected = LANGUAGES[language]
    where = language + ": "
    buttons = find_all(application, "push button", expected["read_button"])
    check(len(buttons) == 1, where + "one %r button" % expected["read_button"])
    if not buttons:
        return
    press(buttons[0])

    def box():
        for window in children(application):
            if role_of(window) in ("alert", "dialog"):
                texts = [name_of(label) for label in find_all(window, "label")]
                if any(program.missing_port in text for text in texts):
                    return window
        return None

    window = wait_for(box, BOX_LIMIT_S)
    check(window is not None, where + "a message box naming the port's device after Read")
    if window is None:
        return
    check(role_of(window) == "alert", where + "the box is an alert, not a " + role_of(window))
    texts = [name_of(label) for label in find_all(window, "label")]
    check(any(text.startswith(expected["port_busy"]) and "COM1: " in text and
              program.missing_port in text for text in texts),
          where + "the box's label holds its whole text: %r" % texts)
    ok = find_all(window, "push button", expected["ok"])
    check(ok != [], where + "the box has its %r button" % expected["ok"])
    if ok:
        press(ok[0])
        check(wait_for(lambda: box() is None, BOX_LIMIT_S), where + "OK closes the box")


def press(accessible):
    try:
        accessible.queryAction().doAction(0)
    except Exception:
        pass  # a box's own event loop may hold the reply to the press back


def value_of(accessible):
    try:
        return accessible.queryValue().currentValue
    except Exception:
        return None


def check_read_session(application, language):
    """The read dialog says what it is doing and how it ended: a read of the demo radio on COM2."""
    expected = LANGUAGES[language]
    where = language + ": "
    # A screen reader's action on the port's check box toggles its mark.
    ports = find_all(application, "check box", "COM2")
    check(len(ports) == 1, where + "one COM2 check box")
    if not ports:
        return
    press(ports[0])
    press(find_all(application, "push button", expected["read_button"])[0])

    def read_dialog():
        for window in children(application):
            if role_of(window) == "dialog" and name_of(window) == expected["read_dialog"]:
                bars = find_all(window, "progress bar")
                buttons = find_all(window, "push button")
                if bars and buttons:
                    return window, bars[0], buttons[0]
        return None

    found = wait_for(read_dialog, BOX_LIMIT_S)
    check(found is not None, where + "the read dialog %r with its bar and button"
          % expected["read_dialog"])
    if found is None:
        return
    _, bar, button = found
    check(name_of(bar) == expected["idle"], where + "the idle bar is called %r, not %r"
          % (expected["idle"], name_of(bar)))
    press(button)
    ended = wait_for(lambda: name_of(bar) == expected["finished"], SESSION_LIMIT_S)
    check(ended, where + "the bar is called %r after the read, not %r"
          % (expected["finished"], name_of(bar)))
    check(value_of(bar) == 100, where + "the bar stands at 100, not %r" % value_of(bar))
    try:
        description = button.description
    except Exception:
        description = ""
    check(description == expected["finished"],
          where + "the button that takes the focus back describes the outcome: %r" % description)


def inner(arguments):
    bin_folder, plan_file = arguments[0], arguments[1]
    dumping = "--dump" in arguments
    launcher = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"],
                                stdin=subprocess.DEVNULL)
    # The demo radio on a pseudo-terminal; its first line names the terminal.
    radio = subprocess.Popen([os.path.join(bin_folder, "rh4800-sim"), "--demo"],
                             stdout=subprocess.PIPE, stdin=subprocess.DEVNULL)
    radio_terminal = radio.stdout.readline().decode().strip()
    try:
        for language in ("english", "chinese"):
            program = Program(bin_folder, language, plan_file, radio_terminal)
            try:
                application = wait_for(
                    lambda: window_ready(find_application("ZEV4800"), language), START_LIMIT_S)
                check(application is not None,
                      language + ": the application ZEV4800 with its channel table and its "
                                 "language pack on the accessibility bus")
                if application is None:
                    continue
                if dumping:
                    print("===== " + language)
                    dump(application)
                    continue
                check_language(application, language)
                check_message_box(application, program, language)
                if language == "english":
                    check_read_session(application, language)
            finally:
                program.stop()
    finally:
        radio.terminate()
        radio.wait()
        launcher.terminate()
        launcher.wait()
    if failures:
        print("%d check(s) failed" % len(failures))
        return 1
    print("all checks passed")
    return 0


if __name__ == "__main__":
    if len(sys.argv) > 1 and sys.argv[1] == "--inner":
        sys.exit(inner(sys.argv[2:]))
    if len(sys.argv) < 3:
        print(__doc__)
        sys.exit(2)
    sys.exit(outer(sys.argv[1:]))
