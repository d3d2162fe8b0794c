#!/usr/bin/env python3
"""Silent installations with every shortcut and association option: the registry
against the documented entries, every link read back through the shell.

The two runs build on each other in one prefix: first the images for the current
user, then all file types for all users on top of it.
"""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from winetest import case_runner, installation, links  # noqa: E402
from winetest.expected_registration import assoc_option  # noqa: E402
from winetest.messages import DEFAULT_FOLDER, EXIT_INSTALLED  # noqa: E402
from winetest.registry_check import registration_problems  # noqa: E402

# Links of earlier versions in the program group: 4.70 and 4.67 are replaced,
# any other stays (an unreadable stand-in file here, so it reads as "load failed").
OLD_VERSION_LINKS = ("Lumora 64 4.70.lnk", "Lumora 64 4.67.lnk")
OTHER_VERSION_LINK = "Lumora 64 4.60.lnk"

# (name, command line, /assoc= value, all users)
RUNS = [
    ("images_current_user",
     ["/silent", "/desktop=1", "/thumbs=1", "/group=1", "/assoc=1"], 1, False),
    ("all_types_all_users",
     ["/silent", "/desktop=1", "/thumbs=1", "/group=1", "/assoc=2", "/allusers=1"], 2, True),
]


def shortcuts_and_associations(ctx):
    before = ctx.template_registry()
    prefix = ctx.prefix()
    group = installation.user_program_group(prefix)
    group.mkdir(parents=True)
    for name in (*OLD_VERSION_LINKS, OTHER_VERSION_LINK):
        (group / name).write_bytes(b"an earlier version's link")
    # A class icon left by someone else is removed by the pass.
    ctx.require(prefix.reg("add", r"HKLM\Software\Classes\Lumora\DefaultIcon", "/ve",
                           "/d", "C:\\old.ico", "/f") == 0, "reg add failed")

    user_links = {**links.program_group_links(DEFAULT_FOLDER, 7), OTHER_VERSION_LINK: "load failed"}
    user_desktop = links.desktop_links(DEFAULT_FOLDER, True, True)
    for name, args, assoc, all_users in RUNS:
        start = ctx.start_folder(prefix, "start-" + name)
        ctx.require(ctx.run_setup(prefix, args, start) == EXIT_INSTALLED, f"{name}: exit code")
        installation.check_no_log(ctx, start)
        expected = assoc_option(assoc, DEFAULT_FOLDER, thumbnails=True)
        ctx.check_none(registration_problems(before, ctx.registry(prefix), expected),
                       f"{name}: registry")
        # The current user's links stay from the first run; the second adds the
        # all-users ones.
        installation.check_links(ctx, prefix, {
            (group, f"{name}: user's program group"): user_links,
            (installation.user_desktop(prefix), f"{name}: user's desktop"): user_desktop,
            (installation.common_program_group(prefix), f"{name}: common program group"):
                links.program_group_links(DEFAULT_FOLDER, 7) if all_users else {},
            (installation.public_desktop(prefix), f"{name}: public desktop"):
                user_desktop if all_users else {},
        })

if __name__ == "__main__":
    case_runner.main({"shortcuts_and_associations": shortcuts_and_associations})
