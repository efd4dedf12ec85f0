"""What the tests on the headless sway (tests/support/headless-sway) share:
its start and stop, running a program as the compositor's user with its
environment, and an output's pixels through grim."""

import os
import re
import subprocess

RIG = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'headless-sway')
# name, width and height in pixels, scale
OUTPUTS = [('HEADLESS-1', 1280, 1024, 1), ('HEADLESS-2', 1920, 1080, 2)]


class Sway:
    def __init__(self, work):
        self.dir = os.path.join(work, 'sway')
        self.env = {}

    def start(self):
        """None once both outputs are there, else the exit code: 77 where
        the rig can't run here (a ctest skip)."""
        started = subprocess.run([RIG, 'start', self.dir], capture_output=True, text=True)
        if started.returncode != 0:
            print(started.stderr, end='')
            return started.returncode
        self.env = dict(line.split('=', 1) for line in started.stdout.split())
        return None

    def stop(self):
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

    def popen(self, args, **kwargs):
        return subprocess.Popen(self.command(args), stdin=subprocess.DEVNULL, **kwargs)

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
