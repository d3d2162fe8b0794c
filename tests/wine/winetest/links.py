"""Shell links read back inside the prefix with read_link.exe, and the links an
installation must leave."""
import json
from dataclasses import dataclass
from pathlib import Path

from .prefix import Prefix, WineError


@dataclass(frozen=True)
class Link:
    """What the shell reads back from a .lnk file."""
    target: str
    arguments: str = ""
    description: str = ""
    icon_file: str = ""
    icon_index: int = 0
    working_directory: str = ""


def read_links(prefix: Prefix, read_link_exe, *folders: Path) -> dict:
    """{Linux path: Link} for every .lnk file in the Linux folder(s), read in one run
    (a link that cannot be read gives its error text instead). Does not wait for the
    wineserver: reading changes nothing that a later run would need on disk."""
    files = [p for folder in folders if folder.is_dir() for p in sorted(folder.glob("*.lnk"))]
    if not files:
        return {}
    status, out = prefix.run(read_link_exe, [prefix.c_path(p) for p in files], capture=True,
                             wait_for_server=False)
    records = [json.loads(line) for line in out.decode("utf-8").splitlines() if line.strip()]
    if len(records) != len(files):
        raise WineError(f"read_link.exe answered {len(records)} of {len(files)} links "
                        f"(exit code {status})")
    links = {}
    for path, record in zip(files, records):
        if "error" in record:
            links[path] = record["error"]
            continue
        links[path] = Link(record["target"], record["arguments"], record["description"],
                          record["icon_file"], record["icon_index"], record["working_directory"])
    return links


def program_group_links(install_folder: str, version_class: int) -> dict:
    """The Start-menu program group "Lumora" that an installation makes."""
    viewer = install_folder + "l_mora64.exe"
    links = {
        "Lumora 64 4.72.lnk": Link(viewer),
        "Lumora - Thumbnails.lnk": Link(viewer, "/thumbs", icon_file=viewer, icon_index=7),
        "About Lumora.lnk": Link(install_folder + "l_about.txt"),
        "What's New.lnk": Link(install_folder + "l_changes.txt"),
        "Command line Options.lnk": Link(install_folder + "l_options.txt"),
        "Available PlugIns.lnk": Link(install_folder + "l_plugins.txt"),
        "Available Languages.lnk": Link(install_folder + "l_languages.txt"),
        "Lumora Help.lnk": Link(install_folder + "l_mora32.chm"),
    }
    if version_class != 8:
        links["Uninstall Lumora.lnk"] = Link(install_folder + "lm_uninstall.exe")
    return links


def desktop_links(install_folder: str, desktop: bool, thumbnails: bool) -> dict:
    viewer = install_folder + "l_mora64.exe"
    links = {}
    if desktop:
        links["Lumora 64.lnk"] = Link(viewer, description="Lumora 64 - Image Viewer")
    if thumbnails:
        links["Lumora 64 Thumbnails.lnk"] = Link(viewer, "/thumbs", "Lumora - Thumbnails",
                                                 viewer, 7)
    return links


def link_problems(actual: dict, expected: dict, where: str) -> list:
    problems = []
    for name in sorted(set(actual) | set(expected)):
        if name not in actual:
            problems.append(f"{where}: missing {name}")
        elif name not in expected:
            problems.append(f"{where}: unexpected {name}")
        elif actual[name] != expected[name]:
            problems.append(f"{where}: {name} reads {actual[name]}, expected {expected[name]}")
    return problems
