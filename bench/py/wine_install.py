"""Silent installations under Wine, ours against the NSIS peer, each in a fresh copy
of one prefix template, alternated round by round.

Every run: copy the template (untimed); start a keeper program in the copy on a
virtual display and wait for its window, so that the wineserver, Wine's system
services and the desktop are up before the clock starts (the state of a machine that
is already running); time the installer from its start to its exit; read its peak
memory; end the prefix and delete it. The disk is synced before the clock starts,
so that no write-back of the copy overlaps the run.

Why a display although both installers are silent: without one, Wine cannot make a
desktop, and every GUI process waits for a new desktop process to try and fail
(about 0.5-1 s per run, for either installer), a cost no Windows machine has.

Peak memory: VmHWM of the installer's process (the Wine preloader that becomes the
Windows process), read from /proc/<pid>/status while it runs.
Wine maps the whole executable, the payload resource with it, so "beyond the mapped
resource" is that peak minus the executable's size.

A check run of each installer (untimed) first compares what it left with what a
silent installation with these options must leave: the payload's files with their
times, the registry entries, the links, the INI keys. It uses the Wine tests' own
documented expectations.
"""
import os
import shutil
from dataclasses import dataclass
from pathlib import Path

from winetest import ini_files, installation, links, payload, registry
from winetest import prefix as prefixes
from winetest.environment import WINE
from winetest.expected_registration import SCOPE, assoc_option
from winetest.messages import DEFAULT_FOLDER
from winetest.registry_check import registration_problems
from winetest.xvfb import Xvfb

from . import timing

# The options of our silent run; the NSIS peer does the same work without options.
OUR_OPTIONS = ["/silent", "/desktop=1", "/thumbs=1", "/group=1", "/assoc=1"]
# Wine's own notepad holds the desktop; wait_window.exe tells when its window is up.
KEEPER = "notepad"
KEEPER_WINDOW_CLASS = "Notepad"


@dataclass
class Installer:
    name: str
    exe: Path
    arguments: list
    payload_zip: Path  # the files it must install


class Machine:
    """Fresh prefixes from one template, with Wine already running in each."""

    def __init__(self, work: Path, wait_window_exe: Path):
        self.work = work
        self.wait_window_exe = wait_window_exe
        self.template = work / "template"
        self.registry_before = None
        self._xvfb = None
        self.display = None

    def __enter__(self):
        self._xvfb = Xvfb()
        self.display = self._xvfb.__enter__()
        return self

    def __exit__(self, *exc):
        self._xvfb.__exit__(*exc)

    def make_template(self):
        template = prefixes.make_template(self.template)
        self.registry_before = registry.export(template, *SCOPE)

    def running_prefix(self, name):
        prefix = prefixes.clone(self.template, self.work / name)
        keeper = prefix.start(KEEPER, display=self.display)
        if prefix.run(self.wait_window_exe, [KEEPER_WINDOW_CLASS, "60000"], display=self.display,
                      wait_for_server=False) != 0:
            raise RuntimeError("the keeper's window did not appear")
        # The copy's dirty pages would otherwise be written back during the timed run,
        # and the kernel slows down the process that writes most while it catches up.
        os.sync()
        return prefix, keeper

    @staticmethod
    def end(prefix, keeper):
        prefix.kill_server()
        keeper.wait()
        prefixes.remove(prefix)


def timed_install(machine: Machine, prefix, installer: Installer):
    start = prefix.drive_c / "start"
    start.mkdir(exist_ok=True)
    return timing.run_with_peak_memory([WINE, str(installer.exe), *installer.arguments],
                                       env=prefix.env(machine.display), cwd=str(start))


def check_installation(machine: Machine, installer: Installer, read_link_exe: Path) -> list:
    """What the installer left against what it must leave; [] when it agrees."""
    prefix, keeper = machine.running_prefix(f"check-{installer.name}")
    try:
        sample = timed_install(machine, prefix, installer)
        if sample.status != 0:
            return [f"exit code {sample.status}"]
        problems = payload.installed_problems(prefix.host_path(DEFAULT_FOLDER), installer.payload_zip)
        expected = assoc_option(1, DEFAULT_FOLDER, thumbnails=True)
        problems += registration_problems(machine.registry_before, registry.export(prefix, *SCOPE), expected)
        group = installation.user_program_group(prefix)
        desktop = installation.user_desktop(prefix)
        found = links.read_links(prefix, read_link_exe, group, desktop)
        for folder, expected_links in ((group, links.program_group_links(DEFAULT_FOLDER, 7)),
                                       (desktop, links.desktop_links(DEFAULT_FOLDER, True, True))):
            actual = {p.name: link for p, link in found.items() if p.parent == folder}
            problems += links.link_problems(actual, expected_links, folder.name)
        program_ini = prefix.host_path(DEFAULT_FOLDER) / "l_mora64.ini"
        active_ini = installation.user_ini_folder(prefix) / "l_mora64.ini"
        for path, sections in ((program_ini, (("Others", [("INI_Folder", "%APPDATA%\\Lumora")]),)),
                               (active_ini, ini_files.first_run_sections())):
            got = ini_files.parse_ini(path.read_bytes()) if path.exists() else None
            if got != ini_files.as_dict(sections):
                problems.append(f"{path.name} in {path.parent.name}: {got}")
        return problems
    finally:
        machine.end(prefix, keeper)


def measure(machine: Machine, installers, rounds: int):
    """{installer name: Contender with samples} over alternated rounds."""
    contenders = [timing.Contender(i.name, []) for i in installers]
    by_name = {i.name: i for i in installers}

    def run(contender):
        prefix, keeper = machine.running_prefix(f"run-{contender.name}")
        try:
            return timed_install(machine, prefix, by_name[contender.name])
        finally:
            machine.end(prefix, keeper)

    timing.alternate(contenders, rounds, run=run)
    return {c.name: c for c in contenders}


def remove_work(work: Path):
    shutil.rmtree(work, ignore_errors=True)
