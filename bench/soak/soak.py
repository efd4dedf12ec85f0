#!/usr/bin/env python3
"""Memory of the saver over a long run under wine: its resident size after a
warm-up and at the end, as growth per hour; offline (the idle saver) and
against the demo service with a new picture at every step (growth per picture
change), and first the same work without the waits between, for many
changes in a few minutes. The saver as shipped (change-driven frames) and the comparison build
that draws every frame whole run side by side, each in its own wine server.
Usage: soak.py CHANGED_BUILD WHOLE_BUILD NATIVE_BIN_DIR [MINUTES] [WARMUP_MINUTES]"""

import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import time


def windows_path(path):
    return 'Z:' + path.replace('/', '\\')


def rss_kb(pid):
    try:
        with open('/proc/%d/status' % pid) as status:
            for line in status:
                if line.startswith('VmRSS:'):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


MEMBER, PASSWORD = 'soak', 'secret'


def make_home(root, name, offline):
    """A member's options, so the service keeps the 10-second interval (a guest gets 50)."""
    home = os.path.join(root, name)
    os.makedirs(home)
    code = hashlib.md5(PASSWORD.encode()).hexdigest().upper()
    with open(os.path.join(home, 'Zembria.ini'), 'w', newline='') as ini:
        ini.write('[Application]\r\nRefreshRate\t=\t0\r\nShowLocalTime\t=\tyes\r\nMemberLogin\t=\t%s\r\n'
                  'MemberCode\t=\t%s\r\noffline\t=\t%s\r\n' % (MEMBER, code, 'true' if offline else 'false'))
    return home


def start_saver(build, home, service, seconds):
    return subprocess.Popen([os.path.join(build, 'wine-run'), os.path.join(build, 'bin', 'Zembria.scr'),
                             '--home', windows_path(home), '--service', service, '--run-for', str(seconds), '/s'],
                            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def soak(builds, root, phase, service, minutes, warmup, log=None):
    seconds = int(minutes * 60)
    savers = {label: start_saver(build, make_home(root, '%s-%s' % (phase, label.split()[0]), service is None),
                                 service or '127.0.0.1:9', seconds + 30)
              for label, build in builds}
    time.sleep(warmup * 60)
    start = {label: rss_kb(p.pid) for label, p in savers.items()}
    requests_at_start = count_pictures(log)
    time.sleep(max(0, seconds - warmup * 60))
    end = {label: rss_kb(p.pid) for label, p in savers.items()}
    changes = (count_pictures(log) - requests_at_start) / len(builds) if log else 0
    for label, p in savers.items():
        p.wait()
        hours = (seconds - warmup * 60) / 3600
        if start[label] is None or end[label] is None:
            print('%s, %s: the saver ended early' % (phase, label))
            continue
        growth = end[label] - start[label]
        line = '%s, %s: %d KB after the warm-up, %d KB at the end: %.2f MB an hour' % (
            phase, label, start[label], end[label], growth / 1024 / hours)
        if changes:
            line += ', %.1f KB per picture change over %d changes' % (growth / changes, changes)
        print(line, flush=True)


def count_pictures(log):
    """Slide steps the service saw: each asks once, and once more before a download."""
    if not log or not os.path.exists(log):
        return 0
    infos = images = 0
    with open(log, errors='replace') as lines:
        for line in lines:
            infos += 'get-infos.php' in line
            images += 'get-images.php' in line
    return infos - images


def churn(build, pictures, service, steps=400):
    """The same work repeated without the waits between (picture_churn_bench): many changes in minutes."""
    bench = os.path.join(build, 'tests', 'render', 'picture_churn_bench.exe')
    run = subprocess.run([os.path.join(build, 'wine-run'), bench, windows_path(pictures), str(steps), service],
                         stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    for line in run.stdout.splitlines():
        print('without waits, change-driven frames: ' + line, flush=True)


def main():
    changed, whole, native_bin = (os.path.abspath(a) for a in sys.argv[1:4])
    minutes = float(sys.argv[4]) if len(sys.argv) > 4 else 30
    warmup = float(sys.argv[5]) if len(sys.argv) > 5 else 2
    builds = [('change-driven frames', changed), ('every frame whole', whole)]
    root = tempfile.mkdtemp(prefix='zembria-soak-')
    try:
        soak(builds, root, 'offline', None, minutes, warmup)
        log = os.path.join(root, 'service.log')
        demo = subprocess.Popen([os.path.join(native_bin, 'zembria-demo-service'), '--pictures',
                                 os.path.join(native_bin, 'demo-pictures'), '--interval', '1', '--log', log,
                                 '--member', '%s:%s' % (MEMBER, PASSWORD)],
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        line = demo.stdout.readline()
        address = line[line.find('127.0.0.1:'):].split()[0]
        try:
            churn(changed, os.path.join(native_bin, 'demo-pictures'), address)
            soak(builds, root, 'a new picture every step', address, minutes, warmup, log)
        finally:
            demo.kill()
            demo.wait()
    finally:
        shutil.rmtree(root, ignore_errors=True)


if __name__ == '__main__':
    main()
