#!/usr/bin/python3
"""Starts a program and times, as an X client that listens before the start,
the first MapNotify of its window with the caption given (on a display
without a window manager, a top-level window is a child of the root, so
the root's SubstructureNotify reports its map at once, without polling).

With --restore it also waits for the restore after the window showed: the
moment from which, for half a second, the program has had no child and no
progress dialog (" KRVLauncher") has been mapped. Children are looked for
every 2 ms in /proc.

Usage: map_watch.py [--restore] CAPTION PROGRAM [ARGS...]
Prints "MAP RESTORE PROGRESS": seconds from the start to the map, seconds
from the start to the end of the restore ("nan" without --restore) and 1
when a progress dialog was mapped, else 0. Prints "retry" when the program
could not connect to the display, "nan nan 0" when it ended before its
window showed (its output goes to standard error)."""

import os
import select
import subprocess
import sys
import tempfile
import time

from Xlib import X, Xatom, display, error

PROGRESS_CAPTION = " KRVLauncher"
QUIET_SECONDS = 0.5
CHILD_POLL_SECONDS = 0.002


def window_name(disp, window):
    """The window's caption (_NET_WM_NAME, else WM_NAME); None once gone."""
    try:
        net_name = window.get_full_property(disp.intern_atom("_NET_WM_NAME"), 0)
        if net_name is not None and net_name.value:
            value = net_name.value
            return value.decode("utf-8", "replace") if isinstance(value, bytes) else value
        name = window.get_full_property(Xatom.WM_NAME, 0)
        if name is not None:
            value = name.value
            return value.decode("latin-1") if isinstance(value, bytes) else value
    except error.XError:
        return None
    return None


def has_children(pid):
    """True while any thread of the process has a child process."""
    try:
        for tid in os.listdir(f"/proc/{pid}/task"):
            with open(f"/proc/{pid}/task/{tid}/children") as f:
                if f.read().strip():
                    return True
    except OSError:
        return False
    return False


class Watch:
    def __init__(self, caption, restore):
        self.caption = caption
        self.restore = restore
        self.disp = display.Display()
        self.root = self.disp.screen().root
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.disp.sync()
        self.mapped_at = None
        self.progress_windows = set()  # progress dialogs mapped now
        self.progress_seen = False
        self.last_busy = None

    def take_events(self, now):
        while self.disp.pending_events():
            event = self.disp.next_event()
            if event.type == X.MapNotify:
                name = window_name(self.disp, event.window)
                if name == self.caption and self.mapped_at is None:
                    self.mapped_at = now
                elif name == PROGRESS_CAPTION:
                    self.progress_windows.add(event.window.id)
                    self.progress_seen = True
            elif event.type in (X.UnmapNotify, X.DestroyNotify):
                if event.window.id in self.progress_windows:
                    self.progress_windows.discard(event.window.id)
                    self.last_busy = now

    def run(self, argv):
        log = tempfile.TemporaryFile()
        start = time.monotonic()
        child = subprocess.Popen(argv, stdout=log, stderr=subprocess.STDOUT)
        fd = self.disp.fileno()
        try:
            while True:
                ready, _, _ = select.select([fd], [], [], CHILD_POLL_SECONDS)
                now = time.monotonic()
                if ready or self.disp.pending_events():
                    self.take_events(now)
                if child.poll() is not None and self.mapped_at is None:
                    log.seek(0)
                    output = log.read().decode("utf-8", "replace")
                    sys.stderr.write(f"{argv[0]} ended with {child.returncode} "
                                     f"before its window showed:\n{output[-2000:]}\n")
                    return "retry" if "could not connect to display" in output else "nan nan 0"
                if self.mapped_at is None:
                    continue
                if not self.restore:
                    return f"{self.mapped_at - start:.6f} nan 0"
                if self.last_busy is None:
                    self.last_busy = self.mapped_at
                if self.progress_windows or has_children(child.pid):
                    self.last_busy = now
                elif now - self.last_busy >= QUIET_SECONDS:
                    return (f"{self.mapped_at - start:.6f} {self.last_busy - start:.6f} "
                            f"{int(self.progress_seen)}")
        finally:
            child.kill()
            child.wait()


def main():
    args = sys.argv[1:]
    restore = bool(args) and args[0] == "--restore"
    if restore:
        args = args[1:]
    if len(args) < 2:
        sys.stderr.write(__doc__)
        return 2
    print(Watch(args[0], restore).run(args[1:]), flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
