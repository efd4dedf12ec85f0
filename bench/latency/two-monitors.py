#!/usr/bin/env python3
"""Input to exit with two monitors, on the two-monitor rig's display (a window
manager running there): the idle saver, offline with the demo pictures
cached, ended in turn by a key press and by a 10-pixel mouse move made over
the second monitor; then the saver waiting inside a request to a service
that trickles its answer, ended by a click (no move) over the first monitor
and over the second. The Windows saver under wine is timed as latency.py
times it (its window leaving the screen, and its exit); the native
zembria -s from the start of the input (xdotool's own start included, so an
upper bound) to its exit (its windows go with the process). Prints the
median and the maximum for keys and for moves, and how many inputs ended
nothing (the saver ran until its --run-for).
Usage: two-monitors.py DISPLAY WIN32_BUILD_DIR NATIVE_BIN_DIR [RUNS] [-v]"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from latency import Trickle, click, make_home, move_pointer, one_run  # noqa: E402

FIRST_MONITOR_MIDDLE = (640, 512)
SECOND_MONITOR_MIDDLE = (1280 + 512, 384)
NOT_SEEN_S = 20  # an input that hasn't ended the saver by then ended nothing


def saver_windows(display):
    found = subprocess.run(['xdotool', 'search', '--onlyvisible', '--name', '^Zembria$'], capture_output=True,
                           text=True, env=dict(os.environ, DISPLAY=display)).stdout
    return len(found.split())


def native_run(zembria, display, home, kind, delay_ms, dx, service=None):
    """Input to exit in ms, or None when the input didn't end the saver."""
    env = dict(os.environ, DISPLAY=display)
    asks = ['--service', service] if service else ['--offline']
    saver = subprocess.Popen([zembria, '--home', home] + asks + ['--run-for', '40', '-s'], env=env,
                             stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        deadline = time.monotonic() + 30
        while saver_windows(display) < 2 and time.monotonic() < deadline and saver.poll() is None:
            time.sleep(0.02)
        time.sleep(delay_ms / 1000)
        sent = time.monotonic()
        if kind == 'key':
            subprocess.run(['xdotool', 'key', 'space'], env=env, check=True)
        elif kind == 'click':
            click(display)
        else:
            move_pointer(display, dx)
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


def waiting(display, build, native_bin, pictures, root, runs, verbose):
    """The saver inside its login's request, which the service trickles: a click over each monitor."""
    trickle = Trickle()
    try:
        home = make_home(root, 'waiting', pictures, False)
        for name in ('dictionary.0', 'dictionary.1'):
            shutil.copy(os.path.join(native_bin, name), home)
        for monitor, place in (('first', FIRST_MONITOR_MIDDLE), ('second', SECOND_MONITOR_MIDDLE)):
            native, hidden, ended = [], [], []
            for i in range(runs):
                delay = 3000 + i * 50
                subprocess.run(['xdotool', 'mousemove'] + [str(v) for v in place], check=True)
                t = native_run(os.path.join(native_bin, 'zembria'), display, home, 'click', delay, 0, trickle.address)
                native.append(('click', t))
                subprocess.run(['xdotool', 'mousemove'] + [str(v) for v in place], check=True)
                w = one_run(build, display, home, trickle.address, 'click', delay, 0)
                hidden.append(('click', w and w[0]))
                ended.append(('click', w and w[1]))
                if verbose:
                    print('  click over the %s monitor at %d ms: zembria %s; Zembria.scr %s' % (
                        monitor, delay, 'input not seen' if t is None else 'exit %.0f ms' % t,
                        'input not seen' if w is None else 'window gone %.0f ms, exit %.0f ms' % w), flush=True)
            state = 'two monitors, waiting on a trickling request, over the %s monitor' % monitor
            report('zembria -s, %s, input to exit' % state, native)
            report('Zembria.scr /s under wine, %s, input to window gone' % state, hidden)
            report('Zembria.scr /s under wine, %s, input to exit' % state, ended)
    finally:
        trickle.close()


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
