"""Wine prefixes for the tests: one template per test run, a copy per case.

A template is made once (`wineboot -i`, about 7 s) and copied with `cp -a` for every
case (about 1-3 s), so every case starts from the same untouched machine.
"""
import ntpath
import os
import shutil
import subprocess
from pathlib import Path

from .environment import WINE, WINESERVER, wine_environment

# A run that takes longer than this is stuck (a message box nobody answers).
DEFAULT_TIMEOUT_S = 120

# The user-folder links that a new prefix points at $HOME: real folders instead, so
# that desktop shortcuts stay inside the prefix.
_HOME_LINKS = ("Desktop", "Documents", "Downloads", "Music", "Pictures", "Videos", "Templates")


# Without Managed=N every window close waits about 2 s. RegisteredApplications is
# there on Windows from its first start, not in Wine; programs only add a value to it.
_TEMPLATE_SETTINGS = """Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"

[HKEY_LOCAL_MACHINE\\Software\\RegisteredApplications]
"""


class WineError(RuntimeError):
    pass


def _program_path(program) -> str:
    """A Linux path made absolute (the run's folder is another), a builtin as is."""
    return str(Path(program).resolve()) if os.path.exists(program) else str(program)


class Prefix:
    """One Wine prefix: paths into its C: drive and the processes run in it."""

    def __init__(self, path):
        self.path = Path(path).resolve()

    # ----- paths -------------------------------------------------------------
    @property
    def drive_c(self) -> Path:
        return self.path / "drive_c"

    @property
    def user_name(self) -> str:
        users = [p.name for p in (self.drive_c / "users").iterdir()
                 if p.is_dir() and p.name != "Public"]
        if len(users) != 1:
            raise WineError(f"expected one user folder in {self.drive_c / 'users'}: {users}")
        return users[0]

    @property
    def user_folder(self) -> str:
        """The Windows path of the user's profile folder, C:\\users\\<name>."""
        return "C:\\users\\" + self.user_name

    def host_path(self, windows_path: str) -> Path:
        """The Linux path of a C: or Z: path (exact case: the tests write it so)."""
        drive, rest = ntpath.splitdrive(windows_path)
        parts = [p for p in rest.split("\\") if p]
        if drive.upper() == "C:":
            return self.drive_c.joinpath(*parts)
        if drive.upper() == "Z:":
            return Path("/").joinpath(*parts)
        raise WineError(f"no host path for {windows_path!r}")

    @staticmethod
    def windows_path(host_path) -> str:
        """The Z: path under which Wine sees a Linux path."""
        return "Z:" + str(Path(host_path).resolve()).replace("/", "\\")

    def c_path(self, host_path) -> str:
        """The C: path of a Linux path inside this prefix's C: drive."""
        relative = Path(host_path).resolve().relative_to(self.drive_c)
        return "C:\\" + "\\".join(relative.parts)

    # ----- processes ---------------------------------------------------------
    def env(self, display: str | None = None) -> dict:
        return wine_environment(self.path, display)

    def run(self, program, args=(), cwd=None, display=None, timeout=DEFAULT_TIMEOUT_S,
            wait_for_server=True, capture=False):
        """Runs a Windows program (a Linux path or a Windows builtin name such as "reg")
        to its end, headless unless `display`, in the Linux folder `cwd` (the Windows
        current folder is its C: or Z: equivalent). Returns the exit code, or
        (exit code, stdout bytes) with `capture`. Waits for the wineserver afterwards
        so that the registry is on disk and the next run may use another display."""
        command = [WINE, _program_path(program), *map(str, args)]
        try:
            done = subprocess.run(command, cwd=str(cwd or self.drive_c), env=self.env(display),
                                  stdin=subprocess.DEVNULL,
                                  stdout=subprocess.PIPE if capture else subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL, timeout=timeout)
        except subprocess.TimeoutExpired:
            self.kill_server()
            raise WineError(f"{Path(str(program)).name} {' '.join(map(str, args))} did not end "
                            f"within {timeout} s (a window waiting for an answer?)")
        if wait_for_server:
            self.wait_server()
        return (done.returncode, done.stdout) if capture else done.returncode

    def start(self, program, args=(), cwd=None, display=None):
        """Starts a Windows program and returns at once with its Popen."""
        return subprocess.Popen([WINE, _program_path(program), *map(str, args)],
                                cwd=str(cwd or self.drive_c), env=self.env(display),
                                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)

    def wait_server(self, timeout=DEFAULT_TIMEOUT_S):
        """Waits until the prefix's wineserver has ended (every program closed and
        the registry saved)."""
        try:
            subprocess.run([WINESERVER, "-w"], env=self.env(), stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                           timeout=timeout, check=False)
        except subprocess.TimeoutExpired:
            self.kill_server()
            raise WineError("the wineserver did not end: a program is still running")

    def kill_server(self):
        """Ends every program of the prefix and its wineserver."""
        if not self.path.exists():
            return
        subprocess.run([WINESERVER, "-k"], env=self.env(), stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
        subprocess.run([WINESERVER, "-w"], env=self.env(), stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60,
                       check=False)

    def reg(self, *args) -> int:
        """The registry tool of Wine, e.g. reg("add", KEY, "/v", NAME, "/d", DATA, "/f")."""
        return self.run("reg", args)


def make_template(path) -> Prefix:
    """Creates a fresh prefix at `path`, ready to be copied for each case."""
    if not WINE or not WINESERVER:
        raise WineError("wine64 and wineserver are needed (scripts/bootstrap installs them)")
    path = Path(path)
    if path.exists():
        Prefix(path).kill_server()
        shutil.rmtree(path)
    path.parent.mkdir(parents=True, exist_ok=True)
    prefix = Prefix(path)
    if prefix.run("wineboot", ["-i"], cwd=path.parent, wait_for_server=False) != 0:
        raise WineError("wineboot -i failed")
    for name in _HOME_LINKS:
        link = prefix.drive_c / "users" / prefix.user_name / name
        if link.is_symlink():
            link.unlink()
            link.mkdir()
    settings = path.parent / (path.name + "-settings.reg")
    settings.write_text(_TEMPLATE_SETTINGS, encoding="utf-16")
    status = prefix.run("reg", ["import", prefix.windows_path(settings)], wait_for_server=False)
    settings.unlink()
    if status != 0:
        raise WineError("reg import of the template settings failed")
    prefix.wait_server()
    return prefix


def clone(template, path) -> Prefix:
    """Copies the template prefix to `path` (replacing what is there)."""
    path = Path(path)
    if path.exists():
        Prefix(path).kill_server()
        shutil.rmtree(path)
    path.parent.mkdir(parents=True, exist_ok=True)
    subprocess.run(["cp", "-a", str(template), str(path)], check=True)
    return Prefix(path)


def remove(prefix: Prefix):
    """Ends the prefix's programs and deletes it."""
    prefix.kill_server()
    shutil.rmtree(prefix.path, ignore_errors=True)


def template_registry_folder(template) -> Path:
    """Where the template's registry export (the state before any installation) is kept."""
    template = Path(template)
    return template.parent / (template.name + ".registry")
