"""What the tests on the headless sway (tests/support/headless-sway) share:
its start and stop, running a program as the compositor's user with its
environment, an output's pixels through grim, and the saver's home with
one picture (left half black, right half orange) and how it shows."""

import json
import os
import re
import shutil
import subprocess

from rig import wait_for

RIG = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'headless-sway')
# name, width and height in pixels, scale: the rig's outputs as it makes them by default
OUTPUTS = [('HEADLESS-1', 1280, 1024, 1), ('HEADLESS-2', 1920, 1080, 2)]


class Sway:
    def __init__(self, work, scales=(1, 2), outputs=2, xwayland=False):
        """scales: HEADLESS-1's and HEADLESS-2's; outputs: how many there are
        at the start (1: HEADLESS-2 comes with add_output); xwayland: an X
        display for X clients, in env as DISPLAY."""
        self.dir = os.path.join(work, 'sway')
        self.env = {}
        self.devices = None
        self.scales = scales
        self.count = outputs
        self.xwayland = xwayland

    @property
    def outputs(self):
        """(name, width, height, scale) of each output there is."""
        return [(name, width, height, scale) for (name, width, height, _), scale in zip(OUTPUTS, self.scales)][:self.count]

    def start(self):
        """None once its outputs are there, else the exit code: 77 where
        the rig can't run here (a ctest skip)."""
        options = ['--scales', '%d,%d' % tuple(self.scales), '--outputs', str(self.count)]
        started = subprocess.run([RIG, 'start', self.dir] + options + (['--xwayland'] if self.xwayland else []),
                                 capture_output=True, text=True)
        if started.returncode != 0:
            print(started.stderr, end='')
            return started.returncode
        self.env = dict(line.split('=', 1) for line in started.stdout.split())
        return None

    def add_output(self):
        """A new output while clients run (HEADLESS-2 as configured); true
        once the compositor lists it."""
        self.run(['swaymsg', 'create_output'], capture_output=True)
        self.count = 2
        return wait_for(lambda: len(self.output_scales()) == self.count, 30, 0.1)

    def rescale_second_output(self, scale):
        """HEADLESS-2 at another scale while clients run; true once the compositor says so."""
        self.run(['swaymsg', 'output', 'HEADLESS-2', 'scale', str(scale)], capture_output=True)
        self.scales = (self.scales[0], scale)
        return wait_for(lambda: self.output_scales().get('HEADLESS-2') == scale, 30, 0.1)

    def output_scales(self):
        """The compositor's outputs by name, with their scales."""
        listed = self.run(['swaymsg', '-r', '-t', 'get_outputs'], capture_output=True, text=True).stdout
        return {output['name']: output.get('scale') for output in json.loads(listed or '[]')}

    def stop(self):
        try:
            self.stop_input()
        finally:
            subprocess.run([RIG, 'stop', self.dir])

    def give(self, path):
        """Hands a folder the test made over to the compositor's user."""
        uid = int(self.env['RUN_AS'])
        for folder, folders, files in os.walk(path):
            os.chown(folder, uid, uid)
            for name in files:
                os.chown(os.path.join(folder, name), uid, uid)

    def command(self, args, **extra):
        """args run as the compositor's user in its session's environment."""
        uid = self.env['RUN_AS']
        env = ['%s=%s' % item for item in self.env.items() if item[0] != 'RUN_AS']
        env += ['%s=%s' % item for item in extra.items()]
        return ['setpriv', '--reuid=' + uid, '--regid=' + uid, '--clear-groups', 'env', '-i',
                'PATH=/usr/bin:/bin', 'HOME=' + self.dir] + env + list(args)

    def run(self, args, **kwargs):
        return subprocess.run(self.command(args), timeout=60, **kwargs)

    def popen(self, args, env_extra=None, **kwargs):
        """args started as the compositor's user, with env_extra added to its environment."""
        kwargs.setdefault('stdin', subprocess.DEVNULL)
        return subprocess.Popen(self.command(args, **(env_extra or {})), **kwargs)

    def input(self, tool):
        """The compositor's keyboard and pointer (tests/linux/WaylandInputTool.cpp),
        there until stop_input: clients bind them as they would a desk's."""
        self.devices = self.popen([tool], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        ready = self.devices.stdout.readline().strip()
        if ready != 'ready':
            raise RuntimeError('the input tool did not start')

    def send(self, command):
        """'key', 'click' or 'move DX DY STEPS', once the compositor took it."""
        self.devices.stdin.write(command + '\n')
        self.devices.stdin.flush()
        if self.devices.stdout.readline().strip() != 'ok':
            raise RuntimeError('the input tool refused ' + command)

    def stop_input(self):
        if getattr(self, 'devices', None) is not None:
            devices, self.devices = self.devices, None
            try:
                devices.stdin.close()  # a tool that died leaves a broken pipe
            except OSError:
                pass
            try:
                devices.wait(timeout=30)
            except subprocess.TimeoutExpired:
                devices.kill()
                devices.wait()

    def output_pixels(self, output):
        """(width, height, pixel(x, y) -> (r, g, b)) of one output, in its
        own pixels, from grim as a PPM; None when it can't be read."""
        try:
            data = self.run(['grim', '-t', 'ppm', '-o', output, '-'], capture_output=True).stdout
        except subprocess.TimeoutExpired:
            return None
        header = re.match(rb'P6\s+(\d+)\s+(\d+)\s+255\s', data)
        if not header:
            return None
        width, height = int(header.group(1)), int(header.group(2))
        pixels = data[header.end():]
        if len(pixels) < width * height * 3:
            return None
        return width, height, lambda x, y: tuple(pixels[(y * width + x) * 3:(y * width + x) * 3 + 3])


def children(pid):
    """The live processes whose parent is pid (a watch's saver)."""
    found = []
    for entry in os.listdir('/proc'):
        try:
            with open('/proc/%s/stat' % entry) as stat:
                fields = stat.read().rsplit(')', 1)[1].split()
            if entry.isdigit() and int(fields[1]) == pid and fields[0] != 'Z':
                found.append(int(entry))
        except (OSError, IndexError, ValueError):
            pass
    return found


def make_home(sway, work, picture_tool, bin_dir):
    """The saver's module folder, the compositor's user's: dictionaries,
    English texts and one cached picture."""
    home = os.path.join(work, 'home')
    os.makedirs(os.path.join(home, 'images'))
    for name in ('dictionary.0', 'dictionary.1'):
        shutil.copy(os.path.join(bin_dir, name), home)
    with open(os.path.join(home, 'Zembria.ini'), 'wb') as ini:
        ini.write(b'Language\t=\t1\r\n')
    subprocess.run([picture_tool, 'half-black', '1280', '1024', os.path.join(home, 'images', 'half.jpg')],
                   check=True)
    sway.give(home)
    return home


def near(colour, expected, tolerance=24):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


def is_bar(colour):
    return colour[2] > 100 and colour[0] < 120


def layout_on(sway, output):
    """None while the output doesn't show the saver, else the overlay's scale
    read from the bar. The overlay grows from the bottom left corner: the
    bar's point 140 pixels right of it and above it at scale 1 lies twice as
    far at scale 2 (there, 140 pixels in is the emblem's gold rim)."""
    read = sway.output_pixels(output[0])
    if read is None:
        return None
    width, height, pixel = read
    halves = near(pixel(width * 35 // 100, height // 4), (0, 0, 0)) and \
        near(pixel(width * 58 // 100, height // 4), (240, 128, 32))
    scales = [scale for scale in (1, 2) if is_bar(pixel(140 * scale, height - 140 * scale))]
    return scales[0] if halves and len(scales) == 1 else None


def both_show(sway):
    """The overlay's scale on each output while every output shows the saver, else None."""
    scales = [layout_on(sway, output) for output in sway.outputs]
    return scales if all(scales) else None
