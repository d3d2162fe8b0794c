"""Where an installation leaves things in a prefix, and checks shared by the tests."""
from pathlib import Path

from . import install_log, links, payload
from .registry import changes, describe_changes
from .messages import TEMPORARY_ARCHIVE
from .prefix import Prefix


def temp_folder(prefix: Prefix) -> Path:
    return prefix.host_path(prefix.user_folder + "\\Temp")


def user_desktop(prefix: Prefix) -> Path:
    return prefix.host_path(prefix.user_folder + "\\Desktop")


def public_desktop(prefix: Prefix) -> Path:
    return prefix.drive_c / "users" / "Public" / "Desktop"


def user_program_group(prefix: Prefix) -> Path:
    return prefix.host_path(prefix.user_folder + "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu"
                            "\\Programs\\Lumora")


def common_program_group(prefix: Prefix) -> Path:
    return prefix.host_path("C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Lumora")


def user_ini_folder(prefix: Prefix) -> Path:
    """%APPDATA%\\Lumora, where a first silent installation keeps the settings."""
    return prefix.host_path(prefix.user_folder + "\\AppData\\Roaming\\Lumora")


def check_nothing_installed(ctx, prefix: Prefix, before_registry: dict, folders=()):
    """A refused or failed run leaves no trace but its log entry."""
    for folder in folders:
        ctx.check(not prefix.host_path(folder).exists(), f"{folder} was created")
    for where in (user_desktop(prefix), public_desktop(prefix)):
        ctx.check(not list(where.glob("*.lnk")), f"links on {where}")
    for where in (user_program_group(prefix), common_program_group(prefix), user_ini_folder(prefix)):
        ctx.check(not where.exists(), f"{where} was created")
    ctx.check(not (temp_folder(prefix) / TEMPORARY_ARCHIVE).exists(), "temporary archive left")
    changed = describe_changes(changes(before_registry, ctx.registry(prefix)))
    ctx.check(not changed, f"registry changed: {changed}")


def check_installed_files(ctx, prefix: Prefix, install_folder: str):
    """Every payload entry in the folder with its archive time; no temporary archive."""
    ctx.check_none(payload.installed_problems(prefix.host_path(install_folder), ctx.payload_zip),
                   install_folder)
    ctx.check(not (temp_folder(prefix) / TEMPORARY_ARCHIVE).exists(),
              f"{TEMPORARY_ARCHIVE} is still in the temporary folder")


def check_no_log(ctx, *folders: Path):
    for folder in folders:
        ctx.check(install_log.read_log(folder) is None, f"a log was written in {folder}")


def check_links(ctx, prefix: Prefix, expected_by_folder: dict):
    """`expected_by_folder`: {(Linux folder, label): {file name: Link}}; all folders
    are read in one run of the link reader."""
    found = links.read_links(prefix, ctx.read_link_exe, *[f for f, _ in expected_by_folder])
    for (folder, label), expected in expected_by_folder.items():
        actual = {path.name: link for path, link in found.items() if path.parent == folder}
        ctx.check_none(links.link_problems(actual, expected, label), "links")
