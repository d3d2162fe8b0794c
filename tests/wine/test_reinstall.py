#!/usr/bin/env python3
"""Installing again: over an earlier installation the registry comes out the same
and the user's own settings stay; without "/folder=" the earlier folder is found."""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from winetest import case_runner, ini_files, installation, links, registry  # noqa: E402
from winetest.expected_registration import Installation, assoc_option  # noqa: E402
from winetest.messages import DEFAULT_FOLDER, EXIT_INSTALLED  # noqa: E402
from winetest.registry_check import registration_problems, scoped  # noqa: E402

COMMAND_LINE = ["/silent", "/desktop=1", "/thumbs=1", "/group=1", "/assoc=1"]
# What the user changed in the settings between the runs; the language goes back to
# English at every installation, the toolbar stays once a skin is set.
USER_SETTINGS = ini_files.UNICODE_HEADER + (
    "[Language]\r\nDLL=DEUTSCH\r\nLang=Deutsch\r\n"
    "[Toolbar]\r\nSkin=Pebble_16.png\r\nSize=16\r\n"
    "[Others]\r\nRecent=C:\\Pictures\\\u00e9t\u00e9.png\r\n")
SETTINGS_AFTER = {
    "Language": {"DLL": "ENGLISH", "Lang": "English"},
    "Toolbar": {"Skin": "Pebble_16.png", "Size": "16"},
    "Others": {"Recent": "C:\\Pictures\\\u00e9t\u00e9.png"},
}


def over_first(ctx):
    before = ctx.template_registry()
    prefix = ctx.prefix()
    start = ctx.start_folder(prefix)
    ctx.require(ctx.run_setup(prefix, COMMAND_LINE, start) == EXIT_INSTALLED, "first run")
    first = ctx.registry(prefix)
    active_file = installation.user_ini_folder(prefix) / "l_mora64.ini"
    program_file = prefix.host_path(DEFAULT_FOLDER) / "l_mora64.ini"
    ctx.require(active_file.exists() and program_file.exists(), "no settings after the first run")
    program_file_bytes = program_file.read_bytes()
    active_file.write_bytes(b"\xff\xfe" + USER_SETTINGS.encode("utf-16-le"))

    ctx.require(ctx.run_setup(prefix, COMMAND_LINE, start) == EXIT_INSTALLED, "second run")
    installation.check_no_log(ctx, start)
    second = ctx.registry(prefix)
    changed = registry.describe_changes(registry.changes(scoped(first), scoped(second)))
    ctx.check(not changed, f"the second run changed the registry: {changed}")
    ctx.check_none(registration_problems(before, second,
                                         assoc_option(1, DEFAULT_FOLDER, thumbnails=True)),
                   "registry")
    raw = active_file.read_bytes()
    ctx.check(raw.startswith(b"\xff\xfe"), "the settings file is no longer UTF-16")
    ctx.check_equal(ini_files.parse_ini(raw), SETTINGS_AFTER, "user's settings")
    ctx.check_equal(program_file.read_bytes(), program_file_bytes, "program-folder l_mora64.ini")
    installation.check_installed_files(ctx, prefix, DEFAULT_FOLDER)
    installation.check_links(ctx, prefix, {
        (installation.user_program_group(prefix), "program group"):
            links.program_group_links(DEFAULT_FOLDER, 7),
        (installation.user_desktop(prefix), "desktop"):
            links.desktop_links(DEFAULT_FOLDER, True, True)})


def earlier_folder(ctx):
    before = ctx.template_registry()
    prefix = ctx.prefix()
    start = ctx.start_folder(prefix)
    folder = "C:\\Apps\\Lumora\\"
    ctx.require(ctx.run_setup(prefix, ["/silent", "/folder=C:\\Apps\\Lumora"], start)
                == EXIT_INSTALLED, "first run")
    program_file = prefix.host_path(folder) / "l_mora64.ini"
    # No earlier installation yet: the settings go to %APPDATA%\Lumora.
    ctx.check_equal(program_file.read_bytes() if program_file.exists() else None,
                    ini_files.ansi_ini(("Others", [("INI_Folder", "%APPDATA%\\Lumora")])),
                    "program-folder l_mora64.ini after the first run")

    ctx.require(ctx.run_setup(prefix, ["/silent"], start) == EXIT_INSTALLED, "second run")
    installation.check_no_log(ctx, start)
    ctx.check(not prefix.host_path(DEFAULT_FOLDER).exists(), "installed into the default folder")
    installation.check_installed_files(ctx, prefix, folder)
    ctx.check_none(registration_problems(before, ctx.registry(prefix), Installation(folder)),
                   "registry")
    # Found by the earlier installation, the folder keeps its settings beside the
    # viewer: the redirection is gone and the program-folder file is the active one.
    raw = program_file.read_bytes() if program_file.exists() else b""
    ctx.check(raw.startswith(b"\xff\xfe" + ini_files.UNICODE_HEADER.encode("utf-16-le")),
              "program-folder l_mora64.ini is not the converted settings file")
    settings = ini_files.parse_ini(raw)
    ctx.check("INI_Folder" not in settings.get("Others", {}), "INI_Folder is still there")
    ctx.check_equal({k: v for k, v in settings.items() if k != "Others" or v},
                    ini_files.as_dict(ini_files.first_run_sections()), "settings beside the viewer")


if __name__ == "__main__":
    case_runner.main({"over_first": over_first, "earlier_folder": earlier_folder})
