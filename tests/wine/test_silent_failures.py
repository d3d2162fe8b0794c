#!/usr/bin/env python3
"""A silent run that cannot install writes one log entry into its starting folder,
installs nothing, shows no window and exits with 1."""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from winetest import case_runner, installation, install_log  # noqa: E402
from winetest.messages import (CANT_CREATE_DESTINATION, EXIT_FAILED,  # noqa: E402
                               INVALID_DESTINATION)
from winetest.xvfb import Xvfb  # noqa: E402

# name: (command line, the log entry's message, on a display)
CASES = {
    # The entry's message ends with the (empty) folder after ": ".
    "empty_folder": (["/silent", "/folder="], INVALID_DESTINATION + ": ", False),
    # The folder as the folder creation rewrote it, with its trailing backslash.
    "missing_drive": (["/silent", "/folder=Q:\\Lumora"], CANT_CREATE_DESTINATION + ": Q:\\Lumora\\",
                      False),
    # With a screen a message box would appear and wait for ever: the run must end.
    "empty_folder_on_display": (["/silent", "/folder="], INVALID_DESTINATION + ": ", True),
}


def make_case(args, message, on_display):
    def case(ctx):
        before = ctx.template_registry()
        prefix = ctx.prefix()
        folder = ctx.start_folder(prefix)
        if on_display:
            with Xvfb() as display:
                status = prefix.run(ctx.setup_exe, args, cwd=folder, display=display, timeout=60)
        else:
            status = prefix.run(ctx.setup_exe, args, cwd=folder, timeout=60)
        ctx.check_equal(status, EXIT_FAILED, "exit code")
        try:
            entries = install_log.read_log(folder)
        except install_log.LogFormatError as error:
            entries = None
            ctx.check(False, str(error))
        if ctx.check(entries is not None, "no log in the starting folder"):
            ctx.check_equal([e.message for e in entries], [message], "log entries")
        installation.check_nothing_installed(ctx, prefix, before, ["C:\\Program Files\\Lumora"])
    return case


if __name__ == "__main__":
    case_runner.main({name: make_case(*arguments) for name, arguments in CASES.items()})
