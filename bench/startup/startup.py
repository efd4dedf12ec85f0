#!/usr/bin/env python3
"""Start-up of both savers, read from the screen: launch to the first frame that
shows the cached picture (one picture in the cache, offline), median and maximum,
each beside its bare baseline on the same display: natively a bare SDL program
that shows the same JPEG, under wine a bare Direct3D 9 program that presents one
cleared frame of the picture's colour. Warm (the prefix, font caches and files
used once before) and cold (natively a fresh user cache folder per run, under
wine a prefix made for the run, its wine server not yet running), reported apart.
Then the first frame (the emblem on the bar) of a run with the demo service
online and an empty cache. Runs on the current DISPLAY.
Usage: startup.py NATIVE_BUILD WIN32_BUILD RUNS COLD_RUNS WIDTHxHEIGHT"""

import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile

ORANGE = '240,128,32'  # the picture's right half (picture_tool half-black)
GOLD = '222,182,64'    # the star of the emblem on the bar
WINE_ENV = {'WINEDEBUG': '-all', 'WINEDLLOVERRIDES': 'winedbg.exe=d;mscoree=d;mshtml=d'}


def run_watcher(watcher, runs, colour, point, command):
    """Runs startup_watch; returns its summary line (None when it failed) and its error output."""
    out = subprocess.run([watcher, str(runs), colour, '%d,%d' % point, '--'] + command,
                         stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=600)
    summary = out.stdout.strip().splitlines()[-1] if out.returncode == 0 and out.stdout.strip() else None
    return summary, out.stderr.strip()[-300:]


def median_of(summary):
    match = re.match(r'median ([0-9.]+) s', summary or '')
    return float(match.group(1)) if match else None


def watch(watcher, label, runs, colour, point, command):
    """Runs startup_watch; prints its figures under label and returns the median."""
    summary, error = run_watcher(watcher, runs, colour, point, command)
    print('%-58s %s' % (label + ':', summary or 'FAILED ' + error), flush=True)
    return median_of(summary)


def watch_in_turn(watcher, labelled, runs, colour, point):
    """Runs each command of labelled ((label, command) pairs) once in turn, runs times over, so that
    a machine that slows down for a while slows them all alike; prints each one's figures under its
    label and returns the medians, None for one that failed."""
    seconds = {label: [] for label, _ in labelled}
    for _ in range(runs):
        for label, command in labelled:
            summary, error = run_watcher(watcher, 1, colour, point, command)
            if median_of(summary) is None:
                print('%-58s FAILED %s' % (label + ':', error), flush=True)
                seconds[label] = None
            elif seconds[label] is not None:
                seconds[label].append(median_of(summary))
    medians = []
    for label, _ in labelled:
        times = seconds[label]
        if times:
            print('%-58s median %.3f s, max %.3f s (%d runs, in turn)' % (label + ':', statistics.median(times),
                                                                          max(times), len(times)), flush=True)
        medians.append(statistics.median(times) if times else None)
    return medians


def profile(watcher, label, colour, point, command, trace, native):
    """One launch with the saver's start-up trace: each step's time after the launch."""
    if os.path.exists(trace):
        os.remove(trace)
    out = subprocess.run([watcher, '1', colour, '%d,%d' % point, '--'] + command, stdin=subprocess.DEVNULL,
                         capture_output=True, text=True, timeout=600,
                         env=dict(os.environ, ZEMBRIA_STARTUP_TRACE=trace if native else 'Z:' + trace.replace('/', '\\')))
    match = re.search(r'run 1: ([0-9.]+) s \(launched at (\d+) ms\)', out.stdout)
    if not match or not os.path.exists(trace):
        print('  %s: no trace' % label, flush=True)
        return
    shown, launched = float(match.group(1)), int(match.group(2))
    print('  %s, step by step (seconds after the launch):' % label, flush=True)
    for line in open(trace).read().splitlines():
        at, step = line.split(' ', 1)
        print('    %6.3f  %s' % ((int(at) - launched) / 1000.0, step), flush=True)
    print('    %6.3f  picture on screen (read from the screen)' % shown, flush=True)


def winpath(path):
    return 'Z:' + path.replace('/', '\\')


def main():
    native, win32, runs, cold_runs = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    watcher = os.path.join(native, 'bench/startup/startup_watch')
    bare_sdl = os.path.join(native, 'bench/startup/startup_bare_sdl')
    zembria = os.path.join(native, 'bin/zembria')
    scr = os.path.join(win32, 'bin/Zembria.scr')
    bare_d3d9 = os.path.join(win32, 'bench/startup_bare_d3d9.exe')
    wine_run = os.path.join(win32, 'wine-run')
    width, height = (int(n) for n in sys.argv[5].split('x'))
    picture_point, emblem_point = (3 * width // 4, height // 3), (69, height - 141)
    print('display %dx%d; %d warm and %d cold runs each' % (width, height, runs, cold_runs), flush=True)

    work = tempfile.mkdtemp(prefix='zembria-startup-')
    service = None
    try:
        home = os.path.join(work, 'home')
        os.makedirs(os.path.join(home, 'images'))
        for name in ('dictionary.0', 'dictionary.1'):
            shutil.copy(os.path.join(native, 'bin', name), home)
        picture = os.path.join(home, 'images', 'cached.jpg')
        subprocess.run([os.path.join(native, 'bin', 'picture_tool'), 'half-black', str(width), str(height),
                        picture], check=True)
        with open(os.path.join(home, 'Zembria.ini'), 'wb') as ini:
            ini.write(b'Language\t=\t1\r\noffline\t=\tyes\r\n')
        saver_native = [zembria, '--home', home, '-s']
        saver_wine = [wine_run, scr, '--home', winpath(home), '/s']
        baseline_wine = [wine_run, bare_d3d9] + ORANGE.split(',')
        results = {}

        # Warm: one untimed start of each first.
        for command in (saver_native, [bare_sdl, picture], saver_wine, baseline_wine):
            watch(watcher, 'warm-up', 1, ORANGE, picture_point, command)
        print('warm', flush=True)
        results['native'] = watch(watcher, '  zembria, cached picture', runs, ORANGE, picture_point, saver_native)
        results['sdl'] = watch(watcher, '  bare SDL program, the same JPEG', runs, ORANGE, picture_point,
                               [bare_sdl, picture])
        # Under wine the two take turns: a launch there varies by tenths of a second as the machine does.
        results['wine'], results['d3d9'] = watch_in_turn(
            watcher, [('  Zembria.scr under wine, cached picture', saver_wine),
                      ('  bare Direct3D 9 program under wine, one clear', baseline_wine)], runs, ORANGE, picture_point)
        if None not in results.values():
            print('  zembria / bare SDL: %.2fx; Zembria.scr - bare Direct3D 9: %+.3f s'
                  % (results['native'] / results['sdl'], results['wine'] - results['d3d9']), flush=True)

        print('start-up profile (one warm launch each, ZEMBRIA_STARTUP_TRACE)', flush=True)
        trace = os.path.join(work, 'trace.txt')
        profile(watcher, 'zembria', ORANGE, picture_point, saver_native, trace, True)
        profile(watcher, 'Zembria.scr under wine', ORANGE, picture_point, saver_wine, trace, False)

        # Cold: natively a new user cache folder per run; under wine a new prefix per run.
        if cold_runs > 0:
            print('cold (natively a fresh XDG_CACHE_HOME per run; under wine a NEW PREFIX per run, made beforehand, '
                  'no wine server running: the first start in a prefix costs several times a warm one)', flush=True)
            fresh_cache = 'export XDG_CACHE_HOME="$(mktemp -d -p %s)"; exec "$@"' % work
            watch(watcher, '  zembria, cached picture', cold_runs, ORANGE, picture_point,
                  ['bash', '-c', fresh_cache, '-'] + saver_native)
            watch(watcher, '  bare SDL program, the same JPEG', cold_runs, ORANGE, picture_point,
                  ['bash', '-c', fresh_cache, '-', bare_sdl, picture])
            subprocess.run(['bash', os.path.join(os.path.dirname(os.path.abspath(__file__)), '../../scripts/wine-stop'),
                            win32])
            for label, program in (('Zembria.scr under wine, cached picture', [scr, '--home', winpath(home), '/s']),
                                   ('bare Direct3D 9 program under wine, one clear', [bare_d3d9] + ORANGE.split(','))):
                prefixes = []
                for i in range(cold_runs):
                    prefix = os.path.join(work, 'prefix-%s-%d' % (program[0][-5:].replace('.', ''), i))
                    env = dict(os.environ, WINEPREFIX=prefix, **WINE_ENV)
                    subprocess.run(['wineboot', '-i'], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
                    subprocess.run(['wineserver', '-w'], env=env)
                    prefixes.append(prefix)
                queue = os.path.join(work, 'prefixes')
                with open(queue, 'w') as f:
                    f.write('\n'.join(prefixes) + '\n')
                # Each run takes the next prefix off the list.
                next_prefix = ('p="$(head -n1 %s)"; sed -i 1d %s; export WINEPREFIX="$p" WINEDEBUG=-all '
                               'WINEDLLOVERRIDES="%s"; exec wine "$@"' % (queue, queue, WINE_ENV['WINEDLLOVERRIDES']))
                watch(watcher, '  ' + label, cold_runs, ORANGE, picture_point, ['bash', '-c', next_prefix, '-'] + program)
                for prefix in prefixes:
                    subprocess.run(['wineserver', '-k'], env=dict(os.environ, WINEPREFIX=prefix),
                                   stderr=subprocess.DEVNULL)

        # Online: an empty cache and the demo service; the first frame is the bar with its emblem.
        online = os.path.join(work, 'online')
        os.makedirs(online)
        for name in ('dictionary.0', 'dictionary.1'):
            shutil.copy(os.path.join(native, 'bin', name), online)
        service = subprocess.Popen([os.path.join(native, 'bin/zembria-demo-service'), '--pictures',
                                    os.path.join(native, 'bin/demo-pictures'), '--log', os.devnull],
                                   stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                   text=True)
        address = '127.0.0.1:' + re.search(r'127\.0\.0\.1:(\d+)', service.stdout.readline()).group(1)
        print('online (demo service, empty cache): launch to the first frame', flush=True)
        watch(watcher, '  zembria', runs, GOLD, emblem_point,
              [zembria, '--home', online, '--service', address, '-s'])
        watch(watcher, '  Zembria.scr under wine', runs, GOLD, emblem_point,
              [wine_run, scr, '--home', winpath(online), '--service', address, '/s'])
        return 0 if None not in results.values() else 1
    finally:
        if service:
            service.terminate()
            service.wait(timeout=30)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == '__main__':
    sys.exit(main())
