#!/usr/bin/env python3
"""Command-line face of the Wine helpers, for CTest fixtures and shell scripts.

  wine_prefix.py template DIR             make a prefix template at DIR, and keep
                                          its registry as the tests see it in DIR.registry
  wine_prefix.py clone TEMPLATE DIR       copy the template to DIR
  wine_prefix.py env DIR [DISPLAY]        print export lines for `eval` in bash
  wine_prefix.py set-version DIR NAME     vista win7 win8 win81 win10 win11
  wine_prefix.py run DIR CWD EXE [ARG...] run EXE headless in CWD, exit with its code
  wine_prefix.py remove DIR               end the prefix's programs and delete it
  wine_prefix.py cleanup ROOT             the same for every prefix under ROOT, then ROOT
"""
import shlex
import shutil
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from winetest import prefix as prefixes  # noqa: E402
from winetest import registry  # noqa: E402
from winetest.expected_registration import SCOPE  # noqa: E402
from winetest.prefix import Prefix, template_registry_folder  # noqa: E402
from winetest.windows_version import set_windows_version  # noqa: E402


def _cleanup(root: Path):
    if not root.exists():
        return
    for candidate in [root, *root.rglob("system.reg")]:
        folder = candidate if candidate.is_dir() else candidate.parent
        if (folder / "system.reg").exists():
            Prefix(folder).kill_server()
    shutil.rmtree(root, ignore_errors=True)


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    command, rest = argv[0], argv[1:]
    if command == "template":
        template = prefixes.make_template(rest[0])
        shutil.rmtree(template_registry_folder(template.path), ignore_errors=True)
        registry.export(template, *SCOPE, keep_in=template_registry_folder(template.path))
    elif command == "clone":
        prefixes.clone(rest[0], rest[1])
    elif command == "env":
        env = Prefix(rest[0]).env(rest[1] if len(rest) > 1 else None)
        for name in ("WINEPREFIX", "WINEDEBUG", "WINEARCH", "WINEDLLOVERRIDES", "LANG", "TZ",
                     "WINELOADER", "WINESERVER", "DISPLAY"):
            if name in env:
                print(f"export {name}={shlex.quote(env[name])}")
        if "DISPLAY" not in env:
            print("unset DISPLAY")
        print("unset LC_ALL LANGUAGE WAYLAND_DISPLAY")
    elif command == "set-version":
        set_windows_version(Prefix(rest[0]), rest[1])
    elif command == "run":
        return Prefix(rest[0]).run(rest[2], rest[3:], cwd=rest[1])
    elif command == "remove":
        prefixes.remove(Prefix(rest[0]))
    elif command == "cleanup":
        _cleanup(Path(rest[0]))
    else:
        print(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
