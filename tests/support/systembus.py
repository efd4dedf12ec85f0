"""A private D-Bus system bus for tests and benchmarks, with python3-dbusmock's
NetworkManager and power-profiles-daemon on it: programs started with its
env find them through DBUS_SYSTEM_BUS_ADDRESS. The bus and the stand-ins live
in the caller's folder and end by their ids."""

import os
import signal
import subprocess

# dbusmock and the D-Bus bindings are Debian's, for the system's own Python.
SYSTEM_PYTHON = '/usr/bin/python3'
NM = ('org.freedesktop.NetworkManager', '/org/freedesktop/NetworkManager')
PPD = ('net.hadess.PowerProfiles', '/net/hadess/PowerProfiles')

BUS_CONFIG = '''<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
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
    """A private system bus with the two stand-ins on it."""

    def __init__(self, folder):
        config = os.path.join(folder, 'bus.conf')
        with open(config, 'w') as f:
            f.write(BUS_CONFIG % folder)
        out = subprocess.run(['dbus-daemon', '--config-file=' + config, '--fork', '--print-address=1',
                              '--print-pid=1'], stdout=subprocess.PIPE, text=True, check=True, timeout=60)
        self.address, pid = out.stdout.split('\n')[:2]
        self.pid = int(pid)
        self.env = dict(os.environ, DBUS_SYSTEM_BUS_ADDRESS=self.address)
        self.mocks = [subprocess.Popen([SYSTEM_PYTHON, '-m', 'dbusmock', '--template', template, '--system'],
                                       env=self.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
                      for template in ('networkmanager', 'power_profiles_daemon')]

    def call(self, service, method, *values):
        run = subprocess.run(['gdbus', 'call', '--system', '--dest', service[0], '--object-path', service[1],
                              '--method', method] + list(values), env=self.env, stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL, text=True, timeout=60)
        return run.returncode == 0

    def ready(self):
        return (self.call(NM, 'org.freedesktop.DBus.Properties.Get', NM[0], 'Connectivity') and
                self.call(PPD, 'org.freedesktop.DBus.Properties.Get', PPD[0], 'ActiveProfile'))

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
