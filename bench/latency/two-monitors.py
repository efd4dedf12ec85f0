#!/usr/bin/env python3
"""Input to exit with two monitors, on the two-monitor rig's display (a window
manager running there): the idle saver, offline with the demo pictures
cached, ended in turn by a key press and by a 10-pixel mouse move made over
the second monitor; then the saver up and showing a picture, waiting inside
a later request (begun more than one interval after its start, to the demo
service behind a proxy that trickles such requests), ended by a click (no
move) over the only monitor (the second switched off with xrandr), over the
first of two and over the second; a table gives those figures. Clicks, moves
and the native saver's keys are made through XTest from this process, the
Windows saver's keys by zembria-poke.exe. The Windows saver under wine is
timed as latency.py times it (its window leaving the screen, and its exit);
the native zembria -s from the input to its exit (its windows go with the
process). Prints the
median and the maximum for keys and for moves, and how many inputs ended
nothing (the saver ran until its --run-for).
Usage: two-monitors.py DISPLAY WIN32_BUILD_DIR NATIVE_BIN_DIR [RUNS] [-v]"""

import hashlib
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time
import urllib.error
import urllib.request
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from latency import FakeInput, click, make_home, move_pointer, one_run, start_demo  # noqa: E402

FIRST_MONITOR_MIDDLE = (640, 512)
SECOND_MONITOR_MIDDLE = (1280 + 512, 384)
SECOND_MONITOR = (1280, 0, 1024, 768)  # x, y, width, height
INTERVAL_S = 10  # the demo service's and the saver's (RefreshRate 0) interval
NOT_SEEN_S = 20  # an input that hasn't ended the saver by then ended nothing


def saver_windows(display):
    found = subprocess.run(['xdotool', 'search', '--onlyvisible', '--name', '^Zembria$'], capture_output=True,
                           text=True, env=dict(os.environ, DISPLAY=display)).stdout
    return len(found.split())


class LaterTrickle:
    """The demo service behind a proxy on 127.0.0.1 that trickles (a byte every 2 s) every request
    begun more than one interval after the run's start: the saver is up, showing a picture, and
    waits inside a later request. Each request is logged with its time."""

    def __init__(self, demo_address, interval_s):
        self.demo, self.after = demo_address, interval_s
        self.log, self.began, self.stop = [], threading.Event(), threading.Event()
        self.started = time.monotonic()
        proxy = self

        class Handler(BaseHTTPRequestHandler):
            def log_message(self, *args):
                pass

            def do_GET(self):
                proxy.answer(self)

        self.server = ThreadingHTTPServer(('127.0.0.1', 0), Handler)
        self.address = '127.0.0.1:%d' % self.server.server_port
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def new_run(self):
        self.started = time.monotonic()
        self.began.clear()

    def answer(self, handler):
        at = time.monotonic() - self.started
        trickled = at > self.after
        self.log.append((at, handler.path, trickled))
        try:
            if trickled:
                handler.send_response(200)
                handler.send_header('Content-Length', '100000')
                handler.end_headers()
                handler.wfile.write(b'M')
                handler.wfile.flush()
                self.began.set()
                while not self.stop.wait(2):
                    handler.wfile.write(b'M')
                    handler.wfile.flush()
                return
            try:
                with urllib.request.urlopen('http://%s%s' % (self.demo, handler.path), timeout=10) as answer:
                    status, body, kind = answer.status, answer.read(), answer.headers.get('Content-Type')
            except urllib.error.HTTPError as error:
                status, body, kind = error.code, error.read(), error.headers.get('Content-Type')
            handler.send_response(status)
            handler.send_header('Content-Length', str(len(body)))
            if kind:
                handler.send_header('Content-Type', kind)
            handler.end_headers()
            handler.wfile.write(body)
        except (BrokenPipeError, ConnectionResetError):
            pass

    def wait_inside(self):
        """Returns once a later request has begun trickling and the saver waits in it; False if none came."""
        if not self.began.wait(3 * self.after + 10):
            return False
        time.sleep(0.3)  # its first byte is in: the saver reads on
        return True

    def close(self):
        self.stop.set()
        self.server.shutdown()
        self.server.server_close()


def native_run(zembria, display, home, kind, delay_ms, dx, service=None, windows=2, when=None):
    """Input to exit in ms, or None when the input didn't end the saver.
    when: called after the delay, returns when the input is due."""
    env = dict(os.environ, DISPLAY=display)
    asks = ['--service', service] if service else ['--offline']
    saver = subprocess.Popen([zembria, '--home', home] + asks + ['--run-for', '60' if when else '40', '-s'], env=env,
                             stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        deadline = time.monotonic() + 30
        while saver_windows(display) < windows and time.monotonic() < deadline and saver.poll() is None:
            time.sleep(0.02)
        time.sleep(delay_ms / 1000)
        if when is not None:
            when()
        if kind == 'key':
            sent = FakeInput.on(display).key_space()
        elif kind == 'click':
            sent = click(display)
        else:
            sent = move_pointer(display, dx)
        saver.wait(timeout=NOT_SEEN_S)
        return (time.monotonic() - sent) * 1000
    except subprocess.TimeoutExpired:
        return None
    finally:
        if saver.poll() is None:
            saver.kill()
            saver.wait()


def report(name, times):
    """times: per run the latency in ms, None where the input ended nothing."""
    for kind in sorted({k for k, _ in times}):
        seen = [t for k, t in times if k == kind and t is not None and t < NOT_SEEN_S * 1000]
        missed = len([1 for k, _ in times if k == kind]) - len(seen)
        figures = 'median %.0f ms, max %.0f ms' % (statistics.median(seen), max(seen)) if seen else 'no figure'
        print('%s, %s (%d runs): %s%s' % (name, kind, len(seen) + missed, figures,
              '; %d ended nothing' % missed if missed else ''), flush=True)


def xrandr_second(display, on):
    place = ['--mode', '%dx%d' % SECOND_MONITOR[2:], '--pos', '%dx%d' % SECOND_MONITOR[:2]] if on else ['--off']
    subprocess.run(['xrandr', '--display', display, '--output', 'DUMMY1'] + place, check=True)


def waiting(display, build, native_bin, pictures, root, runs, verbose):
    """The saver up and showing a picture, waiting inside a later request that the service
    trickles: a click (no move) over one monitor alone, then over each of two. Prints a table."""
    demo, demo_address = start_demo(native_bin, ['--interval', str(INTERVAL_S), '--member', 'demo:secret'])
    service = LaterTrickle(demo_address, INTERVAL_S)
    rows = []
    try:
        home = make_home(root, 'waiting', pictures[:1], False)
        with open(os.path.join(home, 'Zembria.ini'), 'a', newline='') as ini:
            ini.write('MemberLogin\t=\tdemo\r\nMemberCode\t=\t%s\r\n' % hashlib.md5(b'secret').hexdigest().upper())
        for name in ('dictionary.0', 'dictionary.1'):
            shutil.copy(os.path.join(native_bin, name), home)
        for monitors, monitor, place in ((1, 'one monitor', FIRST_MONITOR_MIDDLE),
                                         (2, 'first of two', FIRST_MONITOR_MIDDLE),
                                         (2, 'second of two', SECOND_MONITOR_MIDDLE)):
            xrandr_second(display, monitors == 2)
            native, ended, later = [], [], []
            for i in range(runs):
                subprocess.run(['xdotool', 'mousemove'] + [str(v) for v in place], check=True)
                service.new_run()
                t = native_run(os.path.join(native_bin, 'zembria'), display, home, 'click', 0, 0, service.address,
                               monitors, service.wait_inside)
                native.append(t if service.began.is_set() else None)
                later.append(service.began.is_set())
                subprocess.run(['xdotool', 'mousemove'] + [str(v) for v in place], check=True)
                service.new_run()
                w = one_run(build, display, home, service.address, 'click', 500, 0, service.wait_inside)
                ended.append(w[1] if w and service.began.is_set() else None)
                later.append(service.began.is_set())
                if verbose:
                    print('  click over the %s: zembria %s; Zembria.scr %s' % (
                        monitor, 'input not seen' if native[-1] is None else 'exit %.0f ms' % native[-1],
                        'input not seen' if ended[-1] is None else 'exit %.0f ms' % ended[-1]), flush=True)
            if not all(later):
                print('  %d runs of %d had no later request to wait in' % (later.count(False), len(later)), flush=True)
            rows.append(('zembria -s', monitor, native))
            rows.append(('Zembria.scr /s (wine)', monitor, ended))
    finally:
        xrandr_second(display, True)
        service.close()
        demo.kill()
        demo.wait()
    print('\nA click over a monitor while the saver waits in a later, trickling request: click to exit, ms')
    print('| saver | over | runs | median | max | not ended |')
    print('|---|---|---|---|---|---|')
    for saver, monitor, times in sorted(rows, key=lambda r: r[0]):
        seen = [t for t in times if t is not None]
        print('| %s | %s | %d | %s | %s | %d |' % (saver, monitor, len(times),
              '%.0f' % statistics.median(seen) if seen else '-', '%.0f' % max(seen) if seen else '-',
              len(times) - len(seen)), flush=True)


def main():
    verbose = '-v' in sys.argv
    args = [a for a in sys.argv[1:] if a != '-v']
    display, build, native_bin = args[0], os.path.abspath(args[1]), os.path.abspath(args[2])
    runs = int(args[3]) if len(args) > 3 else 10
    os.environ['DISPLAY'] = display
    pictures_dir = os.path.join(native_bin, 'demo-pictures')
    pictures = sorted(os.path.join(pictures_dir, p) for p in os.listdir(pictures_dir) if p.endswith('.jpg'))
    root = tempfile.mkdtemp(prefix='zembria-latency-monitors-')
    try:
        home = make_home(root, 'idle', pictures, True)
        for name in ('dictionary.0', 'dictionary.1'):
            shutil.copy(os.path.join(native_bin, name), home)
        native, hidden, ended = [], [], []
        for i in range(runs):
            kind, dx, delay = ('key' if i % 2 == 0 else 'move'), (10 if i % 4 < 2 else -10), 3000 + i * 50
            subprocess.run(['xdotool', 'mousemove'] + [str(v) for v in SECOND_MONITOR_MIDDLE], check=True)
            t = native_run(os.path.join(native_bin, 'zembria'), display, home, kind, delay, dx)
            native.append((kind, t))
            subprocess.run(['xdotool', 'mousemove'] + [str(v) for v in SECOND_MONITOR_MIDDLE], check=True)
            w = one_run(build, display, home, '127.0.0.1:9', kind, delay, dx)
            hidden.append((kind, w and w[0]))
            ended.append((kind, w and w[1]))
            if verbose:
                print('  %s at %d ms: zembria %s; Zembria.scr %s' % (
                    kind, delay, 'input not seen' if t is None else 'exit %.0f ms' % t,
                    'input not seen' if w is None else 'window gone %.0f ms, exit %.0f ms' % w), flush=True)
        report('zembria -s, two monitors, input to exit', native)
        report('Zembria.scr /s under wine, two monitors, input to window gone', hidden)
        report('Zembria.scr /s under wine, two monitors, input to exit', ended)
        waiting(display, build, native_bin, pictures, root, runs, verbose)
    finally:
        shutil.rmtree(root, ignore_errors=True)


if __name__ == '__main__':
    main()
