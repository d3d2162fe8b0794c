#!/usr/bin/env python3
"""The Windows versions that change what an installation writes: class 8 (Windows 8
and 8.1) has no uninstall link in the program group, class 10 adds the AppX
"NoOpenWith" values, class 11 is treated like any other for the registry."""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from winetest import case_runner, installation, links, windows_version  # noqa: E402
from winetest.expected_registration import assoc_option  # noqa: E402
from winetest.messages import DEFAULT_FOLDER, EXIT_INSTALLED  # noqa: E402
from winetest.registry_check import registration_problems  # noqa: E402

# winecfg name: the version class the setup program must derive from it.
VERSION_CLASSES = {"win8": 8, "win10": 10, "win11": 11}
COMMAND_LINE = ["/silent", "/group=1", "/assoc=1"]


def make_case(version, version_class):
    def case(ctx):
        before = ctx.template_registry()
        prefix = ctx.prefix()
        windows_version.set_windows_version(prefix, version)
        ctx.require(windows_version.reported_version(prefix, ctx.print_version_exe)
                    == windows_version.VERSIONS[version], f"the prefix does not report {version}")
        start = ctx.start_folder(prefix)
        ctx.require(ctx.run_setup(prefix, COMMAND_LINE, start) == EXIT_INSTALLED, "exit code")
        expected = assoc_option(1, DEFAULT_FOLDER, version_class=version_class)
        ctx.check_none(registration_problems(before, ctx.registry(prefix), expected), "registry")
        installation.check_links(ctx, prefix, {
            (installation.user_program_group(prefix), "program group"):
                links.program_group_links(DEFAULT_FOLDER, version_class)})
    return case


if __name__ == "__main__":
    case_runner.main({name: make_case(name, cls) for name, cls in VERSION_CLASSES.items()})
