#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Black-box benchmark of the device link of zorvat-d.

Runs the real program on Xvfb with a pseudo-terminal as COM1 and zorvat-companion on a private
session bus, writes the device bytes itself and presses keys through the X server, and prints
how far start instants and splits are off, how long a burst of final times takes to reach the
companion and the screen, and what the program costs in CPU in each state.
"""

import argparse
import ctypes
import math
import os
import queue
import random
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import tty
from collections import namedtuple
from pathlib import Path

from Xlib import X, XK, Xatom, display
from Xlib.ext import damage, ge, xinput, xtest
from Xlib.protocol import rq

RESET, START = 0xAA, 0xAB
# Firmware 4,58 (four data bytes per time), older-layout greeting, mode byte 0x54: four tracks.
VERSION = 458
GREETING = bytes([0x00, 0x45, 0x01, 0x00, RESET])
# Tracks 1 to 4 carry channel codes 2, 5, 8 and 9; times 12,345 13,456 14,567 15,678 s.
BURST = bytes.fromhex("BA02012345" "BA05013456" "BA08014567" "BA09015678")
BURST_MESSAGES = ["1491 6 12345", "1491 7 13456", "1491 8 14567", "1491 9 15678"]
# Thousandths, so that a split is in milliseconds; the main window at the origin.
KQ_INI = "[LED]\nFormat=1\n\n[Cas]\nLeft=0\nTop=0\nTyp=%d\n" % VERSION
MAIN_TITLE = "Duzeveru RE 4"
HUNG_SEND_S = 2.0
# An answering companion logs within milliseconds; this only tells a lost message from a
# machine that is busy for a moment.
ANSWER_S = 5.0
PRESSES = 3  # the third press also fills the difference row: 1495 4

# Window coordinates of the controls the bench uses (panel origin plus control centre).
CB_UVOD = (8 + 191 + 28, 2 + 107 + 11)
SB_ZOBR = (258 + 4 + 87, 8 + 2 + 11)
EDT_M0 = (258 + 93 + 42, 8 + 47 + 10)
EDT_TEXT = (258 + 69 + 54, 8 + 135 + 10)
# The upper part of lblCas (the running surface covers it while the clock runs); lblCasD,
# which rotates the earlier times, begins below it.
LBL_CAS = (8 + 8, 8 + 25, 227, 50)
BOARD_SIZE = (1440, 900)
MOVING_TEXT = "zkouska posuvneho textu na tabuli"


# A key press: when the bench sent it, and the X server time it was stamped with.
Press = namedtuple("Press", "ms server_ms")


def now_ms():
    return time.clock_gettime_ns(time.CLOCK_MONOTONIC) / 1e6


def ms_since(server_ms, ms):
    """X server time (32 bits of CLOCK_MONOTONIC milliseconds) minus a bench moment."""
    whole = int(ms)
    return (server_ms - whole + 2**31) % 2**32 - 2**31 - (ms - whole)


def die_with_parent():
    # A bench killed outright must not leave its X server or bus behind.
    PR_SET_PDEATHSIG = 1
    ctypes.CDLL("libc.so.6", use_errno=True).prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


class BenchError(Exception):
    pass


class Processes:
    """Every child the bench starts, stopped in reverse order whatever happens."""

    def __init__(self):
        self.children = []

    def start(self, args, **kwargs):
        proc = subprocess.Popen(args, preexec_fn=die_with_parent, **kwargs)
        self.children.append(proc)
        return proc

    def stop(self, proc):
        if proc.poll() is None:
            proc.terminate()
            try:
                proc.wait(timeout=3)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait()
        self.children.remove(proc)

    def stop_all(self):
        for proc in reversed(list(self.children)):
            self.stop(proc)


class LineLog:
    """Lines of a child's stdout, each stamped on arrival by a thread of its own."""

    def __init__(self, stream):
        self.lines = queue.Queue()
        threading.Thread(target=self._read, args=(stream.fileno(),), daemon=True).start()

    def _read(self, fd):
        pending = b""
        while True:
            chunk = os.read(fd, 4096)
            stamp = now_ms()
            if not chunk:
                return
            pending += chunk
            *complete, pending = pending.split(b"\n")
            for line in complete:
                self.lines.put((stamp, line.decode(errors="replace").strip()))

    def expect(self, prefix, timeout_s):
        """The arrival stamp and text of the first line starting with prefix; lines before it
        are dropped."""
        deadline = time.monotonic() + timeout_s
        passed = []
        while True:
            try:
                stamp, line = self.lines.get(timeout=max(0.0, deadline - time.monotonic()))
            except queue.Empty:
                raise BenchError("the companion did not log '%s' within %.1f s (passed over: %s)"
                                 % (prefix, timeout_s, passed or "nothing")) from None
            if line.startswith(prefix):
                return stamp, line
            passed.append(line)

    def drain(self):
        while not self.lines.empty():
            self.lines.get_nowait()


class Device:
    """The master side of a pseudo-terminal whose slave is linked as com1."""

    def __init__(self, ports_dir):
        self.master, slave = os.openpty()
        tty.setraw(slave)
        self.slave_path = os.ttyname(slave)
        # Nobody may hold the slave but the program: it refuses a port another process has open.
        os.close(slave)
        os.symlink(self.slave_path, ports_dir / "com1")

    def write(self, data):
        """Writes the bytes; returns the moment just before. Taken after the write, the stamp
        could be late by the time the woken reader runs first."""
        stamp = now_ms()
        if os.write(self.master, data) != len(data):
            raise BenchError("short write to the pseudo-terminal")
        return stamp

    def close(self):
        os.close(self.master)


class Screen:
    """The Xvfb display seen through the X protocol: windows, pixels, drawing, fake input."""

    def __init__(self, number):
        self.d = display.Display(":%d" % number)
        for extension in ("XTEST", "DAMAGE"):
            if not self.d.has_extension(extension):
                raise BenchError("the X server has no %s extension" % extension)
        self.root = self.d.screen().root
        self.space = self.keycode("space")
        self.damage = None
        # Raw key events reach the root whatever window has the focus, and carry the server
        # time that the program's key event gets too; from version 2.1 on also during a grab
        # (an open drop-down list).
        opcode = self.d.display.get_extension_major(xinput.extname)
        xinput.XIQueryVersion(display=self.d.display, opcode=opcode, major_version=2,
                              minor_version=2)
        self.d.ge_add_event_data(opcode, xinput.RawKeyPress,
                                 rq.Struct(rq.Card16("deviceid"), rq.Card32("time"),
                                           rq.Card32("detail")))
        self.root.xinput_select_events([(xinput.AllMasterDevices, xinput.RawKeyPressMask)])
        self.d.sync()

    def keycode(self, name):
        return self.d.keysym_to_keycode(XK.string_to_keysym(name))

    def top_windows(self, pid):
        found = []
        pid_atom = self.d.intern_atom("_NET_WM_PID")
        for w in self.root.query_tree().children:
            prop = w.get_full_property(pid_atom, Xatom.CARDINAL)
            if prop and prop.value[0] == pid and w.get_attributes().map_state == X.IsViewable:
                found.append(w)
        return found

    def wait_window(self, pid, accept, timeout_s, what):
        deadline = time.monotonic() + timeout_s
        while time.monotonic() < deadline:
            for w in self.top_windows(pid):
                if accept(w):
                    return w
            time.sleep(0.05)
        raise BenchError("no %s appeared within %.0f s" % (what, timeout_s))

    def focus(self, window):
        window.set_input_focus(X.RevertToParent, X.CurrentTime)
        self.d.sync()

    def click(self, window, pos):
        at = self.root.translate_coords(window, pos[0], pos[1])
        xtest.fake_input(self.d, X.MotionNotify, x=at.x, y=at.y)
        xtest.fake_input(self.d, X.ButtonPress, 1)
        xtest.fake_input(self.d, X.ButtonRelease, 1)
        self.d.sync()

    def key(self, code):
        """Presses and releases a key through XTest: the moment just before the requests leave
        for the server, and the server time of the press."""
        xtest.fake_input(self.d, X.KeyPress, code)
        xtest.fake_input(self.d, X.KeyRelease, code)
        stamp = now_ms()
        self.d.flush()
        # Once the server has answered, the raw event it made of the press has arrived too.
        self.d.sync()
        server_ms = None
        while self.d.pending_events():
            event = self.d.next_event()
            if (event.type == ge.GenericEventCode and event.evtype == xinput.RawKeyPress
                    and event.data.detail == code):
                server_ms = event.data.time
        if server_ms is None:
            raise BenchError("the X server reported no press of key %d" % code)
        return Press(stamp, server_ms)

    def type_text(self, text):
        for ch in text:
            self.key(self.keycode("space" if ch == " " else ch))
            time.sleep(0.01)

    def pixels(self, window, rect):
        return window.get_image(rect[0], rect[1], rect[2], rect[3], X.ZPixmap, 0xFFFFFFFF).data

    def watch_drawing(self, window):
        """Has the server report every drawing in the window (DAMAGE), so that a change can be
        awaited without polling pixels, which would load the very cores being measured."""
        self.d.damage_query_version()
        self.damage = window.damage_create(damage.DamageReportRawRectangles)
        self.d.sync()

    def stop_watching(self):
        self.d.damage_destroy(self.damage)
        self.d.sync()
        self.drawn_in(None)
        self.damage = None

    def drawn_in(self, rect):
        """Whether drawing reported since the last call touched rect; does not wait."""
        touched = False
        while self.d.pending_events():
            event = self.d.next_event()
            if rect and event.type == self.d.extension_event.DamageNotify:
                a = event.area
                touched |= (a.x < rect[0] + rect[2] and rect[0] < a.x + a.width and
                            a.y < rect[1] + rect[3] and rect[1] < a.y + a.height)
        return touched

    def wait_drawing(self, timeout_s):
        select.select([self.d.fileno()], [], [], max(0.0, timeout_s))

    def server_clock_offset_ms(self):
        """X server time minus CLOCK_MONOTONIC, from the stamp of a property change."""
        w = self.root.create_window(0, 0, 1, 1, 0, X.CopyFromParent,
                                    event_mask=X.PropertyChangeMask)
        before = now_ms()
        w.change_property(Xatom.WM_NAME, Xatom.STRING, 8, b"clock")
        self.d.sync()
        after = now_ms()
        event = self.d.next_event()
        w.destroy()
        self.d.sync()
        return ms_since(event.time, (before + after) / 2)


def cpu_seconds(pid):
    """utime + stime of the process (all threads), and the scheduler's run time of its
    threads, which is counted in nanoseconds rather than in ticks."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    ticks = int(fields[11]) + int(fields[12])
    run_ns = 0
    for task in os.listdir("/proc/%d/task" % pid):
        try:
            with open("/proc/%d/task/%s/schedstat" % (pid, task)) as f:
                run_ns += int(f.read().split()[0])
        except OSError:
            pass  # a thread that ended meanwhile
    return ticks / os.sysconf("SC_CLK_TCK"), run_ns / 1e9


def cpu_pressure_us():
    """Time in which some task waited for a core (pressure stall information), if the kernel
    keeps it."""
    try:
        with open("/proc/pressure/cpu") as f:
            return int(f.readline().rsplit("total=", 1)[1])
    except (OSError, IndexError, ValueError):
        return None


class MachineLoad:
    """How busy all cores were over a phase, whoever kept them busy."""

    def __init__(self):
        self.start = self.read()

    @staticmethod
    def read():
        with open("/proc/stat") as f:
            values = [int(v) for v in f.readline().split()[1:]]
        idle = values[3] + values[4]
        return sum(values) - idle, sum(values)

    def busy_percent(self):
        end = self.read()
        total = end[1] - self.start[1]
        return 100 * (end[0] - self.start[0]) / total if total else 0.0


def percentile(values, p):
    ordered = sorted(values)
    return ordered[max(0, math.ceil(p / 100 * len(ordered)) - 1)]


class Bench:
    def __init__(self, args):
        self.args = args
        self.procs = Processes()
        self.tmp = Path(tempfile.mkdtemp(prefix="zorvat-link-bench-"))
        self.latencies = []  # (label, values in ms, goal in ms, machine busy %)
        self.cpu_rows = []  # (state, program %, program % by run time, Xvfb %, goal, busy %)
        self.notes = []

    # --- setting up -------------------------------------------------------------------------

    def start_xvfb(self):
        r, w = os.pipe()
        self.xvfb = self.procs.start(
            ["Xvfb", "-displayfd", str(w), "-screen", "0", "1920x1080x24", "-nolisten", "tcp",
             "-noreset"],
            pass_fds=[w], stdout=subprocess.DEVNULL, stderr=open(self.tmp / "xvfb.err", "ab"))
        os.close(w)
        # Xvfb writes the number and the line end apart; closing the pipe before the line end
        # would kill it with SIGPIPE.
        text = b""
        while not text.endswith(b"\n"):
            chunk = os.read(r, 64) if select.select([r], [], [], 10)[0] else b""
            if not chunk:
                raise BenchError("Xvfb did not start")
            text += chunk
        os.close(r)
        return int(text)

    def start_bus(self):
        bus = self.procs.start(["dbus-daemon", "--session", "--nofork", "--print-address"],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        if not select.select([bus.stdout], [], [], 10)[0]:
            raise BenchError("dbus-daemon did not start")
        return bus.stdout.readline().decode().strip()

    def start_companion(self, hang):
        args = [str(self.args.build / "tools/companion/zorvat-companion")]
        if hang:
            args.append("--hang")
        self.companion = self.procs.start(args, env=self.env, stdout=subprocess.PIPE,
                                          stderr=open(self.tmp / "companion.err", "ab"))
        self.log = LineLog(self.companion.stdout)
        self.wait_for_name("org.zorvat.TfrmKQ")

    def wait_for_name(self, name):
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            out = subprocess.run(
                ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                 "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:" + name],
                env=self.env, capture_output=True, text=True).stdout
            if "boolean true" in out:
                return
            time.sleep(0.05)
        raise BenchError("%s did not appear on the session bus" % name)

    def start_program(self):
        # The program reads kq.ini beside its executable: a copy of it gets one of its own.
        app = self.tmp / "app"
        app.mkdir()
        binary = app / "zorvat-d"
        shutil.copy2(self.args.build / "app/zorvat-d", binary)
        (app / "kq.ini").write_text(KQ_INI)
        self.program = self.procs.start([str(binary)], cwd=self.tmp, env=self.env,
                                        stdout=subprocess.DEVNULL,
                                        stderr=open(self.tmp / "program.err", "ab"))

    def set_up(self):
        ports = self.tmp / "ports"
        ports.mkdir()
        self.device = Device(ports)
        number = self.start_xvfb()
        self.env = dict(os.environ, DISPLAY=":%d" % number, QT_QPA_PLATFORM="xcb",
                        QT_ENABLE_HIGHDPI_SCALING="0", ZORVAT_PORTS=str(ports),
                        ZORVAT_DATA=str(self.tmp / "data"), SDL_AUDIODRIVER="dummy",
                        HOME=str(self.tmp))
        self.env.pop("WAYLAND_DISPLAY", None)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self.start_bus()
        self.screen = Screen(number)
        self.notes.append("X server time − CLOCK_MONOTONIC: %+.2f ms (key stamps are X time)"
                          % self.screen.server_clock_offset_ms())
        self.start_companion(hang=False)
        self.start_program()
        self.main = self.screen.wait_window(
            self.program.pid, lambda w: w.get_wm_name() == MAIN_TITLE, 20, "main window")
        self.screen.focus(self.main)
        self.log.expect("1494 %d" % VERSION, 2 * ANSWER_S)

    def pick_port(self):
        self.screen.click(self.main, CB_UVOD)
        time.sleep(0.3)
        # The list holds COM1 alone: step onto it and take it, as with the keyboard.
        self.screen.key(self.screen.keycode("Down"))
        self.screen.key(self.screen.keycode("Return"))
        deadline = time.monotonic() + 5
        while not self.program_holds_port():
            if time.monotonic() > deadline:
                raise BenchError("picking COM1 did not open the port")
            time.sleep(0.02)
        self.device.write(GREETING)
        self.log.expect("1490 %d" % VERSION, ANSWER_S)
        time.sleep(0.3)

    def program_holds_port(self):
        fd_dir = "/proc/%d/fd" % self.program.pid
        for fd in os.listdir(fd_dir):
            try:
                if os.readlink(os.path.join(fd_dir, fd)) == self.device.slave_path:
                    return True
            except OSError:
                pass  # closed meanwhile
        return False

    def swap_companion(self, hang):
        self.procs.stop(self.companion)
        self.start_companion(hang)

    # --- CPU --------------------------------------------------------------------------------

    def cpu(self, state, goal=None):
        pids = (self.program.pid, self.xvfb.pid)
        load = MachineLoad()
        start = {p: cpu_seconds(p) for p in pids}
        t0 = time.monotonic()
        time.sleep(self.args.cpu_seconds)
        wall = time.monotonic() - t0
        percent = {p: [100 * (e - s) / wall for s, e in zip(start[p], cpu_seconds(p))]
                   for p in pids}
        self.cpu_rows.append((state, *percent[self.program.pid], percent[self.xvfb.pid][0],
                              goal, load.busy_percent()))

    def running_cpu(self):
        self.log.drain()
        self.device.write(bytes([RESET, START]))
        self.log.expect("1495 0 0", ANSWER_S)
        time.sleep(0.5)
        self.cpu("attempt running")
        self.device.write(bytes([RESET]))

    def board_cpu(self):
        self.screen.click(self.main, SB_ZOBR)
        board = self.screen.wait_window(self.program.pid, lambda w: w != self.main, 10,
                                        "board window")
        board.configure(width=BOARD_SIZE[0], height=BOARD_SIZE[1])
        self.screen.d.sync()
        time.sleep(0.5)
        geometry = board.get_geometry()
        if (geometry.width, geometry.height) != BOARD_SIZE:
            raise BenchError("the board window is %dx%d, not %dx%d"
                             % (geometry.width, geometry.height, *BOARD_SIZE))
        self.screen.focus(self.main)
        self.screen.click(self.main, EDT_TEXT)
        self.screen.type_text(MOVING_TEXT)
        # Leaving the box starts the moving text.
        self.screen.click(self.main, EDT_M0)
        time.sleep(0.5)
        whole = (0, 0, *BOARD_SIZE)
        first = self.screen.pixels(board, whole)
        time.sleep(0.2)
        if self.screen.pixels(board, whole) == first:
            raise BenchError("the moving text does not move on the board")
        self.cpu("board 1440×900, moving text", 3.0)
        # Stop the text and hide the board again, as a timekeeper would.
        self.screen.click(self.main, EDT_TEXT)
        self.screen.click(self.main, SB_ZOBR)
        self.screen.focus(self.main)

    # --- start instants and splits ----------------------------------------------------------

    def attempt(self, hung):
        """Reset and start, then the presses at random moments. Returns the start stamp, the
        arrival of 1495 0 0, the press stamps and, per press, the arrival and value of its
        split message."""
        timeout = 4 * HUNG_SEND_S if hung else ANSWER_S
        ts = self.device.write(bytes([RESET, START]))
        started = None if hung else self.log.expect("1495 0 0", timeout)[0]
        keys, splits = [], []
        delay = random.uniform(100, 500)
        for row in range(1, PRESSES + 1):
            time.sleep(max(0.0, (ts + delay - now_ms()) / 1000))
            keys.append(self.screen.key(self.screen.space))
            if not hung:
                splits.append(self.split_message(row, timeout))
            delay += random.uniform(100, 400)
        if hung:
            # All presses came while the program waited on a send; the messages follow, 2 s
            # apart.
            started = self.log.expect("1495 0 0", timeout)[0]
            splits = [self.split_message(row, timeout) for row in range(1, PRESSES + 1)]
        # With a hung companion the program now waits on this message, so the next attempt's
        # reset and start arrive during a send.
        self.log.expect("1495 4 ", timeout)
        return ts, started, keys, splits

    def split_message(self, row, timeout):
        stamp, line = self.log.expect("1495 %d " % row, timeout)
        return stamp, int(line.split()[2])

    def splits(self, hung, count):
        """Start error: the first split against the time from the start byte to the press.
        Split error: each later split's distance from the first against the presses' distance,
        so that it holds the key stamps alone."""
        load = MachineLoad()
        if hung:
            self.attempt(hung)  # its start byte still found the program idle
        starts, later, start_sent, split_sent = [], [], [], []
        start_stamped, key_stamped = [], []
        for _ in range(count):
            ts, started, keys, splits = self.attempt(hung)
            values = [value for _, value in splits]
            first = values[0] - (keys[0].ms - ts)
            if abs(first) > 50:
                raise BenchError("split %d for a press %.1f ms after the start: not in "
                                 "thousandths?" % (values[0], keys[0].ms - ts))
            starts.append(first)
            later.extend((v - values[0]) - (k.ms - keys[0].ms)
                         for k, v in zip(keys[1:], values[1:]))
            start_sent.append(started - ts)
            split_sent.extend(stamp - key.ms for (stamp, _), key in zip(splits, keys))
            # A split is the press's server time minus the start stamp, in whole milliseconds,
            # so the program's start stamp follows from the first one.
            start_stamped.append(ms_since(keys[0].server_ms - values[0], ts))
            key_stamped.extend(ms_since(k.server_ms, k.ms) for k in keys)
        mode = "hung companion" if hung else "answering companion"
        busy = load.busy_percent()
        self.latencies.append(("start error, " + mode, starts, 1.0, busy))
        self.latencies.append(("split error, " + mode, later, 1.0, busy))
        # Shows whether the program was held up when the bytes and keys came.
        self.notes.append("%s: start byte → 1495 0 0 logged p50 %.1f ms; press → its split "
                          "logged min %.1f, p50 %.1f ms"
                          % (mode, percentile(start_sent, 50), min(split_sent),
                             percentile(split_sent, 50)))
        # Where an error comes from: the program's stamp of the start byte, or the X server's
        # stamp of the key. Whole milliseconds, so a stamp without delay lies in (-1, 0].
        for what, delays in (("start stamp − start byte written", start_stamped),
                             ("key's X time − key sent", key_stamped)):
            self.notes.append("%s: %s p50 %+.2f, p99 %+.2f, max %+.2f ms"
                              % (mode, what, percentile(delays, 50), percentile(delays, 99),
                                 max(delays)))

    # --- bursts -----------------------------------------------------------------------------

    def bursts(self, hung, count):
        """Four final times written at once during a running attempt. With a hung companion
        the burst comes once the start's own message has been given up, and each of the four
        messages then waits its bound."""
        settle = HUNG_SEND_S + 0.2 if hung else 0
        timeout = HUNG_SEND_S + 1 if hung else ANSWER_S
        reference = self.final_time_pixels()
        load = MachineLoad()
        to_first, to_last, to_screen = [], [], []
        self.screen.watch_drawing(self.main)
        for _ in range(count):
            self.log.drain()
            self.device.write(bytes([RESET, START]))
            self.log.expect("1495 0 0", timeout)
            time.sleep(settle + random.uniform(0.1, 0.3))
            if self.screen.pixels(self.main, LBL_CAS) == reference:
                raise BenchError("the time label shows the final time before the burst")
            self.screen.drawn_in(None)
            t0 = self.device.write(BURST)
            shown = self.wait_pixels(LBL_CAS, reference, t0 + 1000 * timeout)
            arrivals = [self.log.expect(m, timeout)[0] for m in BURST_MESSAGES]
            to_first.append(arrivals[0] - t0)
            to_last.append(arrivals[-1] - t0)
            to_screen.append(shown - t0)
            time.sleep(settle)
        self.screen.stop_watching()
        busy = load.busy_percent()
        if hung:
            self.latencies.append(("burst → screen, hung companion", to_screen, 2.0, busy))
        else:
            self.latencies.append(("burst → companion, first 1491", to_first, 2.0, busy))
            self.latencies.append(("burst → companion, fourth 1491", to_last, 2.0, busy))
            self.latencies.append(("burst → screen", to_screen, 2.0, busy))

    def wait_pixels(self, rect, wanted, deadline_ms):
        """The moment drawing in rect was reported after which rect shows wanted."""
        while True:
            # Drawing may already be queued, read along with an earlier reply.
            drawn = now_ms()
            if self.screen.drawn_in(rect):
                if self.screen.pixels(self.main, rect) == wanted:
                    return drawn
                continue
            if drawn > deadline_ms:
                raise BenchError("the final time did not reach the screen")
            self.screen.wait_drawing((deadline_ms - drawn) / 1000)

    def final_time_pixels(self):
        """The time label as the final times leave it, taken once after a first burst."""
        if not hasattr(self, "final_pixels"):
            self.log.drain()
            self.device.write(bytes([RESET, START]))
            self.log.expect("1495 0 0", ANSWER_S)
            time.sleep(0.2)
            self.device.write(BURST)
            for m in BURST_MESSAGES:
                self.log.expect(m, ANSWER_S)
            time.sleep(0.3)
            self.final_pixels = self.screen.pixels(self.main, LBL_CAS)
        return self.final_pixels

    # --- the run and its report -------------------------------------------------------------

    def run(self):
        a = self.args
        pressure, t0 = cpu_pressure_us(), time.monotonic()
        try:
            self.phases()
        finally:
            if pressure is not None:
                self.notes.append("some task waited for a core %.0f %% of the run"
                                  % ((cpu_pressure_us() - pressure) / 1e4
                                     / (time.monotonic() - t0)))

    def phases(self):
        a = self.args
        self.set_up()
        self.cpu("intro state idle")
        self.pick_port()
        self.cpu("run state idle", 0.5)
        self.splits(False, a.attempts)
        self.bursts(False, a.bursts)
        self.running_cpu()
        self.board_cpu()
        self.swap_companion(hang=True)
        self.splits(True, a.hung_attempts)
        if a.hung_bursts:
            self.bursts(True, a.hung_bursts)

    def report(self):
        print("\n%-38s %5s %7s %7s %7s %6s %6s %6s  %s"
              % ("latency (ms)", "n", "p50", "p99", "max", "goal", "over", "busy", ""))
        for label, values, goal, busy in self.latencies:
            size = [abs(v) for v in values]
            p99 = percentile(size, 99)
            over = 100 * sum(v > goal for v in size) / len(size)
            verdict = "ok" if p99 <= goal else "MISSED by %.2f ms" % (p99 - goal)
            print("%-38s %5d %7.2f %7.2f %7.2f %6s %5.1f%% %5.0f%%  %s"
                  % (label, len(values), percentile(size, 50), p99, max(size), "≤ %g" % goal,
                     over, busy, verdict))
        print("\n%-38s %9s %9s %7s %6s %6s  %s"
              % ("CPU (% of one core)", "program", "run time", "Xvfb", "goal", "busy", ""))
        for state, stat, run_time, xvfb, goal, busy in self.cpu_rows:
            goal_text, verdict = "-", ""
            if goal is not None:
                goal_text = "< %g" % goal
                verdict = "ok" if stat < goal else "MISSED by %.2f" % (stat - goal)
            print("%-38s %9.2f %9.2f %7.2f %6s %5.0f%%  %s"
                  % (state, stat, run_time, xvfb, goal_text, busy, verdict))
        print()
        for label, values, _, _ in self.latencies:
            if "error" in label:
                print("%s: signed %+.2f to %+.2f ms, mean %+.2f ms"
                      % (label, min(values), max(values), sum(values) / len(values)))
        for note in self.notes:
            print(note)
        print("over: samples beyond the goal; busy: all cores of the machine over the phase, "
              "other users' work included")

    def clean_up(self):
        self.procs.stop_all()
        if hasattr(self, "device"):
            self.device.close()
        if self.args.keep:
            print("kept", self.tmp, file=sys.stderr)
        else:
            shutil.rmtree(self.tmp, ignore_errors=True)

    def show_logs(self):
        for name in ("program.err", "companion.err", "xvfb.err"):
            path = self.tmp / name
            if path.exists() and path.stat().st_size:
                print("--- %s (last lines)" % name, file=sys.stderr)
                print("\n".join(path.read_text(errors="replace").splitlines()[-20:]),
                      file=sys.stderr)


def parse_args():
    root = Path(__file__).resolve().parent.parent
    p = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    p.add_argument("--build", type=Path, default=root / "build", help="build folder")
    p.add_argument("--attempts", type=int, default=150,
                   help="attempts with an answering companion, %d presses each" % PRESSES)
    p.add_argument("--hung-attempts", type=int, default=60,
                   help="attempts with a hung companion, about 8 s each")
    p.add_argument("--bursts", type=int, default=150, help="bursts, answering companion")
    p.add_argument("--hung-bursts", type=int, default=10,
                   help="bursts, hung companion, about 12 s each")
    p.add_argument("--cpu-seconds", type=float, default=10.0, help="length of a CPU window")
    p.add_argument("--keep", action="store_true", help="keep the temporary folder")
    p.add_argument("--seed", type=int, default=None, help="seed of the press moments")
    return p.parse_args()


def main():
    args = parse_args()
    random.seed(args.seed)
    for binary in ("app/zorvat-d", "tools/companion/zorvat-companion"):
        if not (args.build / binary).exists():
            sys.exit("missing %s: build zorvat-d and zorvat-companion first"
                     % (args.build / binary))
    # SIGTERM and SIGHUP end the bench through the same clean-up as Ctrl-C.
    for sig in (signal.SIGTERM, signal.SIGHUP):
        signal.signal(sig, lambda number, frame: sys.exit(128 + number))
    bench = Bench(args)
    try:
        bench.run()
        bench.report()
    except BenchError as e:
        bench.report()
        bench.show_logs()
        print("link_bench: %s" % e, file=sys.stderr)
        return 1
    except KeyboardInterrupt:
        print("link_bench: interrupted", file=sys.stderr)
        return 130
    finally:
        bench.clean_up()
    return 0


if __name__ == "__main__":
    sys.exit(main())
