"""A virtual X display for the runs that need a screen.

Xvfb picks a free display number itself (-displayfd), and is told to die with the
test process (PR_SET_PDEATHSIG), so that not even a killed test leaves it running.
"""
import ctypes
import os
import select
import shutil
import signal
import subprocess

_PR_SET_PDEATHSIG = 1


def _die_with_parent():
    try:
        ctypes.CDLL("libc.so.6", use_errno=True).prctl(_PR_SET_PDEATHSIG, signal.SIGKILL)
    except OSError:
        pass


class Xvfb:
    """Context manager: `with Xvfb() as display:` gives ":N" while the server runs."""

    def __init__(self, geometry="1280x1024x24", timeout_s=30):
        self.geometry = geometry
        self.timeout_s = timeout_s
        self.process = None
        self.display = None

    def __enter__(self) -> str:
        program = shutil.which("Xvfb")
        if not program:
            raise RuntimeError("Xvfb is needed (scripts/bootstrap installs it)")
        read_end, write_end = os.pipe()
        try:
            self.process = subprocess.Popen(
                [program, "-displayfd", str(write_end), "-screen", "0", self.geometry,
                 "-nolisten", "tcp"],
                pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                stderr=subprocess.DEVNULL, preexec_fn=_die_with_parent)
            os.close(write_end)
            write_end = -1
            number = b""
            while not number.endswith(b"\n"):
                ready, _, _ = select.select([read_end], [], [], self.timeout_s)
                chunk = os.read(read_end, 16) if ready else b""
                if not chunk:
                    raise RuntimeError("Xvfb did not report a display")
                number += chunk
        except BaseException:
            self.__exit__(None, None, None)
            raise
        finally:
            os.close(read_end)
            if write_end >= 0:
                os.close(write_end)
        self.display = ":" + number.decode().strip()
        return self.display

    def __exit__(self, *exc):
        if self.process and self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.process = None
        return False
