#!/usr/bin/python3
"""Reads every editor window as a screen reader does and reports the controls it cannot name.

Run inside a private D-Bus session on an X display (run_atspi_walk.sh sets both up):
    atspi_walk.py --launcher AT_SPI_BUS_LAUNCHER -- PROGRAM [ARGS...]
It starts the accessibility bus, then PROGRAM (a11y_windows), which opens every window and
lists them; it walks each window's accessible tree through pyatspi and fails when a control a
user edits, ticks or presses has no name, when a combo box is not labelled (on Linux a combo
box's name is its value, so its label comes from the labelled-by relation), when a radio
button is outside a titled group, when a status bar pane is silent, or when a listed window is
missing from the tree. Every wait has a time-out; the exit status is 0 when all is named, 1
otherwise, 2 when the bus or the program cannot be started.
"""

import argparse
import os
import select
import subprocess
import sys
import time

# Controls a user edits, ticks or presses: each must carry a name.
CONTROL_ROLES = {
    "push button", "toggle button", "check box", "radio button", "combo box", "spin button",
    "text", "entry", "password text", "list", "tree", "table", "tree table", "slider",
    "page tab", "menu item", "check menu item", "radio menu item",
}
# Containers whose children are parts of the control itself (cells, the popup list, the
# editable field of a combo box); the walk names the control and does not go into them.
OPAQUE_ROLES = {"combo box", "list", "tree", "table", "tree table", "scroll bar"}

START_TIMEOUT_S = 60  # the program lists its windows within this
TREE_TIMEOUT_S = 15   # every listed window is in the tree within this


def fail_to_start(message):
    print("atspi walk: " + message, file=sys.stderr)
    sys.exit(2)


def start_bus(launcher):
    """Starts the accessibility bus of this D-Bus session and waits until it answers."""
    from gi.repository import Gio, GLib

    bus_launcher = subprocess.Popen([launcher, "--launch-immediately"],
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + 10
    last_error = "no answer"
    while time.monotonic() < deadline:
        if bus_launcher.poll() is not None:
            fail_to_start("the accessibility bus launcher %s ended at once (status %d)"
                          % (launcher, bus_launcher.returncode))
        try:
            session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
            reply = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus",
                                      "GetAddress", None, GLib.VariantType.new("(s)"),
                                      Gio.DBusCallFlags.NONE, 1000, None)
            if reply.unpack()[0]:
                return bus_launcher
        except GLib.Error as error:
            last_error = error.message
        time.sleep(0.1)
    bus_launcher.kill()
    fail_to_start("the accessibility bus did not start within 10 s (%s); is at-spi2-core "
                  "installed and a D-Bus session running?" % last_error)


def read_windows(program):
    """Reads the program's window list up to its "ready" line: (title, name, planted faults),
    planted faults None for the editor's windows."""
    windows = []
    deadline = time.monotonic() + START_TIMEOUT_S
    pending = b""
    while True:
        left = deadline - time.monotonic()
        if left <= 0:
            fail_to_start("the program did not list its windows within %d s" % START_TIMEOUT_S)
        ready, _, _ = select.select([program.stdout], [], [], left)
        if not ready:
            continue
        chunk = os.read(program.stdout.fileno(), 65536)
        if not chunk:
            fail_to_start("the program ended before it listed its windows (status %s)"
                          % program.wait(5))
        pending += chunk
        while b"\n" in pending:
            line, pending = pending.split(b"\n", 1)
            fields = line.decode("utf-8", "replace").split("\t")
            if fields[0] == "ready":
                return windows
            if fields[0] == "window" and len(fields) == 3:
                windows.append((fields[1], fields[2], None))
            elif fields[0] == "canary" and len(fields) == 3 and fields[2].isdigit():
                windows.append((fields[1], "canary", int(fields[2])))


def find_application(pyatspi, pid):
    deadline = time.monotonic() + TREE_TIMEOUT_S
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except Exception:
                pass
        time.sleep(0.2)
    return None


def top_level_windows(app):
    found = {}
    for i in range(app.childCount):
        window = app.getChildAtIndex(i)
        if window is not None:
            found.setdefault(window.name, []).append(window)
    return found


def label_of(pyatspi, accessible):
    """The names of the objects that label accessible."""
    names = []
    for relation in accessible.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            for i in range(relation.getNTargets()):
                target = relation.getTarget(i)
                if target is not None and target.name.strip():
                    names.append(target.name)
    return names


def describe(path):
    return " > ".join("%s '%s'" % (role, name) if name else role for role, name in path)


def walk(pyatspi, accessible, path, findings, counts):
    role = accessible.getRoleName()
    name = accessible.name or ""
    here = path + [(role, name)]
    if role in CONTROL_ROLES:
        counts[0] += 1
        if role == "combo box":
            if not label_of(pyatspi, accessible):
                findings.append("combo box without a label: " + describe(here))
        elif not name.strip() and not label_of(pyatspi, accessible):
            findings.append("%s without a name: %s" % (role, describe(here)))
        if role == "radio button":
            parent_role, parent_name = path[-1] if path else ("", "")
            if parent_role != "panel" or not parent_name.strip():
                findings.append("radio button outside a titled group: " + describe(here))
    elif role == "label" and any(r == "status bar" for r, _ in path) and not name.strip():
        findings.append("status bar pane without a name: " + describe(here))
    if role in OPAQUE_ROLES:
        return
    for i in range(accessible.childCount):
        child = accessible.getChildAtIndex(i)
        if child is not None:
            walk(pyatspi, child, here, findings, counts)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--launcher", required=True)
    parser.add_argument("program", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    command = args.program[1:] if args.program[:1] == ["--"] else args.program
    if not command:
        fail_to_start("no program given")

    started = time.monotonic()
    try:
        import pyatspi
    except ImportError as error:
        fail_to_start("pyatspi cannot be loaded (%s); install python3-pyatspi" % error)
    bus_launcher = start_bus(args.launcher)

    program = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    try:
        expected = read_windows(program)
        app = find_application(pyatspi, program.pid)
        if app is None:
            fail_to_start("the program did not appear on the accessibility bus within %d s"
                          % TREE_TIMEOUT_S)
        # Windows register on the bus as they are shown: wait until every listed one is there.
        wanted = {}
        for title, _, _ in expected:
            wanted[title] = wanted.get(title, 0) + 1
        deadline = time.monotonic() + TREE_TIMEOUT_S
        while True:
            found = top_level_windows(app)
            if all(len(found.get(t, [])) >= n for t, n in wanted.items()):
                break
            if time.monotonic() > deadline:
                break
            time.sleep(0.2)

        failed = False
        total = 0
        for title, name, planted in expected:
            candidates = found.get(title, [])
            if not candidates:
                print("FAIL %s: not in the accessibility tree (title '%s')" % (name, title))
                failed = True
                continue
            findings, counts = [], [0]
            walk(pyatspi, candidates.pop(0), [], findings, counts)
            if planted is not None:
                # The walk must see the faults planted for it, or it sees nothing at all.
                seen = len(findings) == planted
                print("%s %s: %d of %d planted faults found" % ("ok  " if seen else "FAIL", name,
                                                              len(findings), planted))
                for finding in findings:
                    print("       " + finding)
                failed = failed or not seen
                continue
            total += counts[0]
            if counts[0] == 0:
                findings.append("no controls found")
            print("%s %s: %d controls" % ("FAIL" if findings else "ok  ", name, counts[0]))
            for finding in findings:
                print("       " + finding)
            failed = failed or bool(findings)
        if not any(planted is not None for _, _, planted in expected):
            print("FAIL the program listed no window with planted faults")
            failed = True
        windows = sum(1 for _, _, planted in expected if planted is None)
        print("%d windows, %d controls, %.1f s" % (windows, total,
                                                   time.monotonic() - started))
        return 1 if failed else 0
    finally:
        try:
            program.stdin.write(b"quit\n")
            program.stdin.flush()
        except OSError:
            pass
        try:
            program.wait(10)
        except subprocess.TimeoutExpired:
            program.kill()
            program.wait()
        bus_launcher.terminate()
        try:
            bus_launcher.wait(5)
        except subprocess.TimeoutExpired:
            bus_launcher.kill()


if __name__ == "__main__":
    sys.exit(main())
