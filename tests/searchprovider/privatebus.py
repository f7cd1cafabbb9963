"""A session bus of its own for kelvane-search-provider, shared by its test and
its benchmark: the bus starts the program by D-Bus activation from the
shipped service file, as a desktop's session bus does."""
import configparser
import os
import pathlib
import signal
import subprocess
import time

import dbus

DIST = pathlib.Path(__file__).resolve().parents[2] / "dist"
SERVICE_TEMPLATE = (DIST / "org.kelvane.Kelvane.SearchProvider.service.in").read_text()


def declared(path, group):
    parser = configparser.RawConfigParser()
    parser.optionxform = str
    parser.read(path, encoding="utf-8")
    return parser[group]


# Where the desktops look, as the shipped files declare it: a caller fails
# when a declaration and the program part ways.
NAME = next(line.split("=", 1)[1] for line in SERVICE_TEMPLATE.splitlines()
            if line.startswith("Name="))
GNOME = (declared(DIST / "kelvane-search-provider.ini", "Shell Search Provider")["ObjectPath"],
         "org.gnome.Shell.SearchProvider2")
KRUNNER = (declared(DIST / "kelvane-search-provider.desktop",
                    "Desktop Entry")["X-Plasma-DBusRunner-Path"], "org.kde.krunner1")

# Longer than the catalogue's 3 s busy wait: a call that takes this long has hung.
CALL_SECONDS = 15


def ended(pid):
    """Whether the process has ended: gone, or a zombie its parent has yet to reap."""
    try:
        return pathlib.Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()[0] == "Z"
    except FileNotFoundError:
        return True


def wait_until(predicate, seconds=10):
    deadline = time.monotonic() + seconds
    while not predicate():
        if time.monotonic() > deadline:
            return False
        time.sleep(0.02)
    return True


class PrivateBus:
    """The bus in the folder `home`, whose service file starts `program` with
    `arguments` after it. The bus and what it starts see the environment
    with `environment` over it; their standard error (the program's log, as
    on a desktop) goes to home/bus.log."""

    def __init__(self, home, program, arguments=(), environment=()):
        self.home = pathlib.Path(home)
        services = self.home / "services"
        services.mkdir()
        command = " ".join([str(program), *arguments])
        (services / (NAME + ".service")).write_text(
            SERVICE_TEMPLATE.replace("@KELVANE_PROVIDER_EXEC@", command))
        socket = self.home / "bus"
        config = self.home / "bus.conf"
        config.write_text(f"""<busconfig>
  <type>session</type>
  <listen>unix:path={socket}</listen>
  <servicedir>{services}</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
""")
        address = f"unix:path={socket}"
        self.log_path = self.home / "bus.log"
        with open(self.log_path, "w") as log:
            self.daemon = subprocess.Popen(
                ["dbus-daemon", "--nofork", f"--config-file={config}"],
                env=dict(os.environ, DBUS_SESSION_BUS_ADDRESS=address, **dict(environment)),
                stdout=log, stderr=subprocess.STDOUT, cwd=self.home)
        if not wait_until(socket.exists):
            self.daemon.kill()
            raise RuntimeError("the private bus did not start")
        self.bus = dbus.bus.BusConnection(address)

    def call(self, where, method, signature="", *arguments):
        path, interface = where
        return self.bus.call_blocking(NAME, path, interface, method, signature, arguments,
                                      timeout=CALL_SECONDS)

    def running(self):
        return bool(self.bus.name_has_owner(NAME))

    def pid(self):
        return int(self.bus.call_blocking(
            "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
            "GetConnectionUnixProcessID", "s", [NAME]))

    def log_lines(self):
        return [line for line in self.log_path.read_text(errors="replace").splitlines()
                if line.startswith("kelvane-search-provider:")]

    def close(self):
        """Ends the program if it runs, then the bus."""
        if self.running():
            pid = self.pid()
            os.kill(pid, signal.SIGTERM)
            wait_until(lambda: ended(pid))
        self.bus.close()
        self.daemon.terminate()
        self.daemon.wait()
