"""A private D-Bus bus for tests and benchmarks, system or session, with
python3-dbusmock stand-ins on it (by default NetworkManager and
power-profiles-daemon on a system bus): programs started with its env find
them through DBUS_SYSTEM_BUS_ADDRESS or DBUS_SESSION_BUS_ADDRESS. Any user
may connect, so a program run as another user finds them too. The bus and
the stand-ins live in the caller's folder and end by their ids."""

import os
import signal
import subprocess

# dbusmock and the D-Bus bindings are Debian's, for the system's own Python.
SYSTEM_PYTHON = '/usr/bin/python3'
NM = ('org.freedesktop.NetworkManager', '/org/freedesktop/NetworkManager')
PPD = ('net.hadess.PowerProfiles', '/net/hadess/PowerProfiles')
LOGIND = ('org.freedesktop.login1', '/org/freedesktop/login1')
SCREENSAVER = ('org.gnome.ScreenSaver', '/org/gnome/ScreenSaver')
# Each template's service, as its stand-in offers it.
TEMPLATES = {'networkmanager': NM, 'power_profiles_daemon': PPD, 'logind': LOGIND,
             'gnome_screensaver': SCREENSAVER}

BUS_CONFIG = '''<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>%s</type>
  <listen>unix:dir=%s</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
  </policy>
</busconfig>
'''


class Bus:
    """A private bus of the kind ('system' or 'session') with the templates' stand-ins on it."""

    def __init__(self, folder, kind='system', templates=('networkmanager', 'power_profiles_daemon')):
        self.kind = kind
        config = os.path.join(folder, kind + '-bus.conf')
        with open(config, 'w') as f:
            f.write(BUS_CONFIG % (kind, folder))
        out = subprocess.run(['dbus-daemon', '--config-file=' + config, '--fork', '--print-address=1',
                              '--print-pid=1'], stdout=subprocess.PIPE, text=True, check=True, timeout=60)
        self.address, pid = out.stdout.split('\n')[:2]
        self.pid = int(pid)
        self.env = dict(os.environ, **{'DBUS_%s_BUS_ADDRESS' % kind.upper(): self.address})
        self.services = [TEMPLATES[template] for template in templates]
        self.mocks = [self.start(['--template', template]) for template in templates]

    def start(self, args):
        return subprocess.Popen([SYSTEM_PYTHON, '-m', 'dbusmock', '--' + self.kind] + args, env=self.env,
                                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def stand_in(self, name, path, interface):
        """A stand-in without a template, its methods and properties added through its Mock interface."""
        self.mocks.append(self.start([name, path, interface]))
        self.services.append((name, path))

    def call(self, service, method, *values):
        run = subprocess.run(['gdbus', 'call', '--' + self.kind, '--dest', service[0], '--object-path', service[1],
                              '--method', method] + list(values), env=self.env, stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL, text=True, timeout=60)
        return run.returncode == 0

    def ready(self):
        return all(self.call(service, 'org.freedesktop.DBus.Introspectable.Introspect') for service in self.services)

    def metered(self, yes, first=False):
        # NetworkManager's NMMetered: 1 yes, 2 no. The template has no such property until added.
        value = '<uint32 %d>' % (1 if yes else 2)
        if first:
            return self.call(NM, 'org.freedesktop.DBus.Mock.AddProperty', NM[0], 'Metered', value)
        return self.call(NM, 'org.freedesktop.DBus.Properties.Set', NM[0], 'Metered', value)

    def profile(self, name):
        return self.call(PPD, 'org.freedesktop.DBus.Properties.Set', PPD[0], 'ActiveProfile', '<"%s">' % name)

    def end(self):
        for mock in self.mocks:
            mock.kill()
            mock.wait()
        os.kill(self.pid, signal.SIGTERM)
