#!/usr/bin/env python3
"""While the viewer runs, "/silent" installs nothing, shows no window (a message box
would never be answered here and the run would hang), leaves exactly one entry with
the running-viewer warning in the log of its starting folder, and exits with 2.

The viewer is started on a virtual display; the setup program then runs in the same
wineserver session, which keeps that display for every program of the session.
"""
import re
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from winetest import case_runner, installation, install_log, payload  # noqa: E402
from winetest.messages import EXIT_VIEWER_RUNNING, VIEWER_RUNNING  # noqa: E402
from winetest.xvfb import Xvfb  # noqa: E402

# Command lines of refused runs: options must not matter while the viewer runs.
COMMAND_LINES = {
    "plain": ["/silent"],
    "every_option": ["/silent", "/folder=C:\\Apps\\Lumora", "/desktop=1", "/thumbs=1",
                     "/group=1", "/allusers=1", "/assoc=2", "/ini=C:\\Settings"],
}
SHORT_DATE = re.compile(r"^\d{1,2}/\d{1,2}/\d{4}$")  # C.UTF-8 locale under Wine


def check_entries(ctx, folder: Path, count: int, what: str):
    try:
        entries = install_log.read_log(folder)
    except install_log.LogFormatError as error:
        ctx.check(False, f"{what}: {error}")
        return
    if not ctx.check(entries is not None, f"{what}: no log in the starting folder"):
        return
    ctx.check_equal(len(entries), count, f"{what}: number of log entries")
    for entry in entries:
        ctx.check_equal(entry.message, VIEWER_RUNNING, f"{what}: message")
        ctx.check(SHORT_DATE.match(entry.date), f"{what}: date field {entry.date!r}")


def viewer_running(ctx):
    before = ctx.template_registry()
    prefix = ctx.prefix()
    viewer = prefix.drive_c / "viewer" / "l_mora64.exe"
    payload.extract_entry(ctx.payload_zip, "l_mora64.exe", viewer)
    with Xvfb() as display:
        viewer_process = prefix.start(viewer, cwd=viewer.parent, display=display)
        try:
            ctx.require(prefix.run(ctx.wait_window_exe, ["Lumora", "30000"], display=display,
                                   wait_for_server=False) == 0,
                        "the stand-in viewer's window did not appear")
            for name, args in COMMAND_LINES.items():
                folder = ctx.start_folder(prefix, "start-" + name)
                status = prefix.run(ctx.setup_exe, args, cwd=folder, display=display,
                                    timeout=60, wait_for_server=False)
                ctx.check_equal(status, EXIT_VIEWER_RUNNING, f"{name}: exit code")
                check_entries(ctx, folder, 1, name)
            # A second refusal appends below the first entry.
            folder = prefix.drive_c / "start-plain"
            prefix.run(ctx.setup_exe, ["/silent"], cwd=folder, display=display, timeout=60,
                       wait_for_server=False)
            check_entries(ctx, folder, 2, "second refusal")
            installation.check_nothing_installed(
                ctx, prefix, before, ["C:\\Program Files\\Lumora", "C:\\Apps", "C:\\Settings"])
        finally:
            prefix.kill_server()
            viewer_process.wait(timeout=30)


if __name__ == "__main__":
    case_runner.main({"viewer_running": viewer_running})
