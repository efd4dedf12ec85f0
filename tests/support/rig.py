"""What the tests on the two-monitor X server share: the rig's start and
stop, checks that are counted, waiting for a condition, and the whole
screen's pixels read through xwd."""

import os
import struct
import subprocess
import time

RIG = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'two-monitor-xorg')
MONITORS = [(0, 0, 1280, 1024), (1280, 0, 1024, 768)]  # x, y, width, height
failures = []


def check(ok, what):
    print(('ok    ' if ok else 'FAIL  ') + what, flush=True)
    if not ok:
        failures.append(what)


def summary():
    """Prints the outcome; the exit code of the test."""
    print('%d failed' % len(failures) if failures else 'all checks passed')
    return 1 if failures else 0


def wait_for(condition, seconds, step=0.1):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(step)
    return condition()


def start(work):
    """(display, None) once the rig answers, or (None, exit code): 77 where
    Xorg can't be started here (a ctest skip)."""
    started = subprocess.run([RIG, 'start', os.path.join(work, 'xorg')], capture_output=True, text=True)
    if started.returncode != 0:
        print(started.stderr, end='')
        return None, started.returncode
    return started.stdout.strip(), None


def stop(work):
    subprocess.run([RIG, 'stop', os.path.join(work, 'xorg')])


def screen_dump(display):
    """xwd's dump of the whole X screen: its header's fields and the pixel bytes. Not the colour map
    between them: the pad byte of each entry is whatever xwd's memory held, so two dumps of one
    screen may differ there."""
    data = subprocess.run(['xwd', '-root', '-silent', '-display', display], capture_output=True,
                          timeout=30).stdout
    fields = struct.unpack('>25I', data[:100])
    return fields, data[fields[0] + 12 * fields[19]:]


def screen_pixels(display):
    """(width, pixel(x, y) -> (r, g, b)) of the whole X screen, from xwd."""
    fields, pixels = screen_dump(display)
    width, byte_order, bits_per_pixel, bytes_per_line = fields[4], fields[7], fields[11], fields[12]
    if bits_per_pixel not in (24, 32):
        raise RuntimeError('xwd gave %d bits per pixel' % bits_per_pixel)
    step = bits_per_pixel // 8

    def pixel(x, y):
        at = y * bytes_per_line + step * x
        b, g, r = (pixels[at], pixels[at + 1], pixels[at + 2]) if byte_order == 0 else \
            (pixels[at + step - 1], pixels[at + step - 2], pixels[at + step - 3])
        return r, g, b
    return width, pixel


def monitor_colour(pixel, monitor):
    """The mean colour of the part of a monitor no overlay covers, as picture_tool probe takes it."""
    left, top, width, height = monitor
    total, samples = [0, 0, 0], 0
    for gy in range(20):
        for gx in range(20):
            colour = pixel(left + int(width * (0.25 + 0.35 * gx / 20)), top + int(height * (0.08 + 0.32 * gy / 20)))
            total = [t + c for t, c in zip(total, colour)]
            samples += 1
    return [t / samples for t in total]


def probe_references(tool, folder):
    """name -> mean colour of each JPEG in the folder, as picture_tool probe reads it."""
    references = {}
    for name in sorted(os.listdir(folder)):
        if name.endswith('.jpg'):
            out = subprocess.run([tool, 'probe', os.path.join(folder, name)], capture_output=True, text=True)
            references[name] = [float(v) for v in out.stdout.split()]
    return references


def closest(colour, references):
    def distance(name):
        return sum((a - b) ** 2 for a, b in zip(colour, references[name]))
    name = min(references, key=distance)
    return name if distance(name) < 20 ** 2 * 3 else None


def shown(display, references):
    """The picture on each monitor (None where none is recognised)."""
    try:
        _, pixel = screen_pixels(display)
    except (RuntimeError, struct.error, subprocess.TimeoutExpired):
        return [None] * len(MONITORS)
    found = []
    for m in MONITORS:
        try:
            found.append(closest(monitor_colour(pixel, m), references))
        except IndexError:  # a monitor switched off: the screen ends before it
            found.append(None)
    return found
