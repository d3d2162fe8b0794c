#!/usr/bin/env python3
"""A first "/silent" installation without options: every payload file in the default
folder with its archive time, the settings redirected to %APPDATA%\\Lumora and
converted to UTF-16, the registration that every installation writes, no link, no
log, exit code 0."""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from winetest import case_runner, ini_files, installation  # noqa: E402
from winetest.expected_registration import Installation  # noqa: E402
from winetest.messages import DEFAULT_FOLDER, EXIT_INSTALLED  # noqa: E402
from winetest.registry_check import registration_problems  # noqa: E402


def default_folder(ctx):
    before = ctx.template_registry()
    prefix = ctx.prefix()
    start = ctx.start_folder(prefix)
    ctx.require(ctx.run_setup(prefix, ["/silent"], start) == EXIT_INSTALLED, "exit code is not 0")

    installation.check_installed_files(ctx, prefix, DEFAULT_FOLDER)
    installation.check_no_log(ctx, start, prefix.host_path(DEFAULT_FOLDER))

    program_file = prefix.host_path(DEFAULT_FOLDER) / "l_mora64.ini"
    active_file = installation.user_ini_folder(prefix) / "l_mora64.ini"
    # The program-folder file only points to the settings; it stays as written.
    ctx.check_equal(program_file.read_bytes() if program_file.exists() else None,
                    ini_files.ansi_ini(("Others", [("INI_Folder", "%APPDATA%\\Lumora")])),
                    "program-folder l_mora64.ini")
    ctx.check_equal(active_file.read_bytes() if active_file.exists() else None,
                    ini_files.unicode_ini(*ini_files.first_run_sections()),
                    "%APPDATA%\\Lumora\\l_mora64.ini")
    ctx.check(not (active_file.parent / "l_mora64.ini_temp").exists(), "l_mora64.ini_temp left")

    ctx.check_none(registration_problems(before, ctx.registry(prefix),
                                         Installation(DEFAULT_FOLDER)), "registry")
    for where in (installation.user_desktop(prefix), installation.public_desktop(prefix)):
        ctx.check(not list(where.glob("*.lnk")), f"links on {where}")
    for where in (installation.user_program_group(prefix), installation.common_program_group(prefix)):
        ctx.check(not where.exists(), f"{where} was created")


if __name__ == "__main__":
    case_runner.main({"default_folder": default_folder})
