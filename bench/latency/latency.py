#!/usr/bin/env python3
"""Time from a user's input to the saver's exit, under wine, in the states a
saver can be in: starting up (loading screen-sized cached pictures), idle,
changing the picture, waiting on a stalled request, reading from a server that
trickles. The input comes at a chosen moment after the saver's window
appeared, which zembria-poke.exe watches for: a key press (the poke sends it
through SendInput) or a 10-pixel mouse move (made here through the X server,
as a mouse would, through XTest from this process, to and fro so the pointer
stays near the middle), in turn;
the time runs from the input to the saver's window leaving the screen (the
saver's own part) and to
the process's exit (which adds wine's teardown of a full-screen window; the
X server needs a window manager, or that alone takes 2 s). During start-up the
saver's window doesn't have the keyboard yet, so that state uses mouse moves
only, made after the saver took the cursor's starting place.
Prints the median and the maximum per state; -v also every run.
Usage: latency.py WIN32_BUILD_DIR NATIVE_BIN_DIR [RUNS] [-v]"""

import ctypes
import ctypes.util
import os
import shutil
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time


def windows_path(path):
    return 'Z:' + path.replace('/', '\\')


class Trickle:
    """An HTTP server on 127.0.0.1 that answers every request with a long body, one byte every 2 s."""

    def __init__(self):
        self.server = socket.socket()
        self.server.bind(('127.0.0.1', 0))
        self.server.listen(8)
        self.address = '127.0.0.1:%d' % self.server.getsockname()[1]
        self.stopped = False
        threading.Thread(target=self.serve, daemon=True).start()

    def serve(self):
        while not self.stopped:
            try:
                client, _ = self.server.accept()
            except OSError:
                return
            threading.Thread(target=self.trickle, args=(client,), daemon=True).start()

    def trickle(self, client):
        try:
            client.recv(4096)
            client.sendall(b'HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n')
            while not self.stopped:
                client.sendall(b'D')
                time.sleep(2)
        except OSError:
            pass
        finally:
            client.close()

    def close(self):
        self.stopped = True
        self.server.close()


def start_demo(native_bin, extra):
    demo = subprocess.Popen([os.path.join(native_bin, 'zembria-demo-service'), '--pictures',
                             os.path.join(native_bin, 'demo-pictures'), '--log', os.devnull] + extra,
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    line = demo.stdout.readline()
    address = line[line.find('127.0.0.1:'):].split()[0]
    return demo, address


def build_display(build):
    return ':' + open(os.path.join(build, 'xvfb.display')).read().strip()


class FakeInput:
    """Input made through the X server's XTest extension from this process, as a mouse or keyboard
    would: no helper process has to start first, so the clock starts with the event itself. Each
    call returns the time (time.monotonic()) its first event was flushed to the server."""

    _opened = {}

    def __init__(self, display):
        self.x11 = ctypes.CDLL(ctypes.util.find_library('X11'))
        self.xtst = ctypes.CDLL(ctypes.util.find_library('Xtst'))
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x11.XKeysymToKeycode.restype = ctypes.c_ubyte
        for name in ('XTestFakeButtonEvent', 'XTestFakeKeyEvent'):
            getattr(self.xtst, name).argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.xtst.XTestFakeRelativeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
        self.connection = self.x11.XOpenDisplay(display.encode())
        if not self.connection:
            raise RuntimeError('no X display %s' % display)

    @classmethod
    def on(cls, display):
        if display not in cls._opened:
            cls._opened[display] = cls(display)
        return cls._opened[display]

    def _pair(self, fake, code):
        fake(self.connection, code, 1, 0)
        self.x11.XFlush(self.connection)
        sent = time.monotonic()
        fake(self.connection, code, 0, 0)
        self.x11.XFlush(self.connection)
        return sent

    def click(self):
        return self._pair(self.xtst.XTestFakeButtonEvent, 1)

    def key_space(self):
        return self._pair(self.xtst.XTestFakeKeyEvent, self.x11.XKeysymToKeycode(self.connection, 0x20))

    def move(self, dx):
        self.xtst.XTestFakeRelativeMotionEvent(self.connection, dx, 0, 0)
        self.x11.XFlush(self.connection)
        return time.monotonic()


def move_pointer(display, dx):
    return FakeInput.on(display).move(dx)


def click(display):
    return FakeInput.on(display).click()


def one_run(build, display, home, service, kind, delay_ms, dx, when=None):
    """kind: key, move or click (a click is made through the X server, as a move is).
    when: called once the delay has passed, returns when the input is due (for a click or a move)."""
    wine_run = os.path.join(build, 'wine-run')
    saver = subprocess.Popen([wine_run, os.path.join(build, 'bin', 'Zembria.scr'), '--home', windows_path(home),
                              '--service', service, '--run-for', '60' if when else '40', '/s'],
                             stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    poke = subprocess.Popen([wine_run, os.path.join(build, 'bin', 'zembria-poke.exe'),
                             'key' if kind == 'key' else 'move', str(delay_ms)],
                            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    sent = hidden = None
    for line in poke.stdout:
        if line.startswith('sent'):
            sent = time.monotonic()
        elif line.startswith('ready'):
            if when is not None:
                when()
            sent = click(display) if kind == 'click' else move_pointer(display, dx)
            poke.stdin.write('moved\n')
            poke.stdin.flush()
        elif line.startswith('hidden'):
            hidden = time.monotonic()
            break
    try:
        saver.wait(timeout=60)
    except subprocess.TimeoutExpired:
        saver.kill()
        saver.wait()
    ended = time.monotonic()
    poke.wait()
    if sent is None or hidden is None:
        return None
    return (hidden - sent) * 1000, (ended - sent) * 1000


def make_home(root, name, cached, offline, refresh='0'):
    home = os.path.join(root, name)
    os.makedirs(os.path.join(home, 'images'), exist_ok=True)
    for picture in cached:
        shutil.copy(picture, os.path.join(home, 'images'))
    with open(os.path.join(home, 'Zembria.ini'), 'w', newline='') as ini:
        ini.write('[Application]\r\nRefreshRate\t=\t%s\r\noffline\t=\t%s\r\n' % (refresh, 'true' if offline else 'false'))
    return home


def main():
    verbose = '-v' in sys.argv
    args = [a for a in sys.argv[1:] if a != '-v']
    build, native_bin = os.path.abspath(args[0]), os.path.abspath(args[1])
    runs = int(args[2]) if len(args) > 2 else 10
    pictures_dir = os.path.join(native_bin, 'demo-pictures')
    pictures = sorted(os.path.join(pictures_dir, p) for p in os.listdir(pictures_dir) if p.endswith('.jpg'))
    root = tempfile.mkdtemp(prefix='zembria-latency-')
    trickle = Trickle()
    stall, stall_address = start_demo(native_bin, ['--stall'])
    try:
        # state: (home, service, delays in ms after the window appears)
        states = [
            ('start-up, loading screen-sized cached pictures',
             make_home(root, 'start', pictures, True), '127.0.0.1:9', [300 + i * 150 for i in range(runs)]),
            ('idle', make_home(root, 'idle', pictures, True), '127.0.0.1:9', [3000 + i * 50 for i in range(runs)]),
            ('changing the picture (offline rotation)', make_home(root, 'change', pictures, True), '127.0.0.1:9',
             [10000 + i * 40 for i in range(runs)]),
            ('waiting on a stalled request', make_home(root, 'stall', [], False), stall_address,
             [2500 + i * 50 for i in range(runs)]),
            ('reading from a trickling server', make_home(root, 'trickle', [], False), trickle.address,
             [4000 + i * 50 for i in range(runs)]),
        ]
        worst = [0.0, 0.0]
        for name, home, service, delays in states:
            times = []
            for i, delay in enumerate(delays):
                kind = 'move' if name.startswith('start-up') or i % 2 else 'key'
                t = one_run(build, build_display(build), home, service, kind, delay, 10 if i % 4 < 2 else -10)
                if verbose:
                    print('  %s %s at %d ms: %s' % (name.split(',')[0], kind, delay,
                          'no input seen' if t is None else 'window gone %.0f ms, exit %.0f ms' % t), flush=True)
                if t is not None:
                    times.append(t)
            if not times:
                print('%s: no run saw its input end the saver' % name, flush=True)
                continue
            hidden, ended = [t[0] for t in times], [t[1] for t in times]
            worst = [max(worst[0], max(hidden)), max(worst[1], max(ended))]
            print('%s (%d runs): input to window gone median %.0f ms, max %.0f ms; to exit median %.0f ms, '
                  'max %.0f ms' % (name, len(times), statistics.median(hidden), max(hidden),
                                   statistics.median(ended), max(ended)), flush=True)
        print('worst of all states: input to window gone %.0f ms, to exit %.0f ms' % tuple(worst))
    finally:
        trickle.close()
        stall.kill()
        stall.wait()
        shutil.rmtree(root, ignore_errors=True)


if __name__ == '__main__':
    main()
