#!/usr/bin/env python3
"""Reads the calibration window's read-outs over AT-SPI, as a screen reader
does: each must be announced by the value it shows, with what it is as its
description. Runs the window program given as the first argument on a
display, a session bus and an accessibility bus of its own, so that runs side
by side never meet."""
import ctypes
import os
import signal
import subprocess
import sys
import tempfile
import time

DEADLINE_S = 60  # generous: only a real failure runs into it
POLL_S = 0.2

# description -> the name (the value shown) a screen reader must announce
EXPECTED_LABELS = {
    "Calibrated volts": "12.53 Volts",  # 501 / 40
    "Raw volts count": "501",
    "Calibrated current": "13.70 Amps",  # (374 - 100) / 20
}
# Text boxes keep their descriptive names.
EXPECTED_BOXES = {"volts divisor", "current divisor"}


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def read_window(pid):
    """(labels as {description: name}, text box names), or None before the app is up."""
    app = application(pid)
    if app is None:
        return None
    labels, boxes = {}, set()
    for node in walk(app):
        role = node.getRole()
        if role == pyatspi.ROLE_LABEL and node.description:
            labels[node.description] = node.name
        elif role in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY):
            boxes.add(node.name)
    return labels, boxes


def satisfied(seen):
    if seen is None:
        return False
    labels, boxes = seen
    return all(labels.get(d) == n for d, n in EXPECTED_LABELS.items()) and EXPECTED_BOXES <= boxes


def dies_with_us():
    """Run in a child before it starts: it ends when this script ends, however."""
    PR_SET_PDEATHSIG = 1
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_PDEATHSIG, signal.SIGTERM)


def start_display():
    """An X server on a display number it finds free itself, once it is ready."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp", "-screen", "0", "1024x768x24"],
        pass_fds=(write_end,), preexec_fn=dies_with_us)
    os.close(write_end)
    with os.fdopen(read_end) as ready:
        number = ready.readline().strip()  # written when it accepts clients; empty if it died
    if not number:
        server.wait()
        raise SystemExit(f"Xvfb did not start ({server.returncode})")
    return server, ":" + number


def read_in_session(program):
    global pyatspi
    import pyatspi  # only here, once the session's buses are there

    server, display = start_display()
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    child = subprocess.Popen([program], env=env, preexec_fn=dies_with_us)
    seen = None
    try:
        deadline = time.monotonic() + DEADLINE_S
        while time.monotonic() < deadline:
            if child.poll() is not None:
                print(f"the window program ended with {child.returncode}", file=sys.stderr)
                return 1
            try:
                seen = read_window(child.pid)
            except Exception as error:  # the tree changes while it is read
                print(f"retrying after: {error}", file=sys.stderr)
            if satisfied(seen):
                print("read-outs announce their values:", seen[0])
                return 0
            time.sleep(POLL_S)
        print(f"not seen within {DEADLINE_S} s; last read: {seen}", file=sys.stderr)
        return 1
    finally:
        child.terminate()
        child.wait()
        server.terminate()
        server.wait()


def main():
    if sys.argv[1] == "--in-session":
        return read_in_session(sys.argv[2])
    # The accessibility bus's socket lives in the runtime folder: one per run.
    with tempfile.TemporaryDirectory() as runtime:
        env = dict(os.environ, XDG_RUNTIME_DIR=runtime)
        return subprocess.call(
            ["dbus-run-session", "--", sys.executable, __file__, "--in-session", sys.argv[1]],
            env=env)


if __name__ == "__main__":
    sys.exit(main())
