#!/usr/bin/env python3
"""Checks that the setup program imports only DLLs that every Windows system has, and
never "version.dll" (the version functions must come from the system folder's copy,
loaded by full path at run time, not through the search path at start-up). Prints the
program's size without its payload archive.

usage: check_imports.py SETUP_EXE PAYLOAD_ZIP
"""

import os
import sys

from pe_image import PeImage

ALLOWED = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
           "ole32.dll", "comctl32.dll", "msvcrt.dll"}
FORBIDDEN = {"version.dll"}


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    exe, payload = sys.argv[1:]
    with open(exe, "rb") as image:
        imports = PeImage(image.read()).imported_dlls()
    print("imports:", ", ".join(imports))
    failures = []
    if "kernel32.dll" not in (name.lower() for name in imports):
        failures.append("no import of kernel32.dll read: the import table was not understood")
    for name in imports:
        lowered = name.lower()
        if lowered in FORBIDDEN:
            failures.append(f"imports {name}, which must be loaded from the system folder by full path")
        elif lowered not in ALLOWED:
            failures.append(f"imports {name}, which is not on the list of system DLLs")
    exe_size = os.path.getsize(exe)
    payload_size = os.path.getsize(payload)
    print(f"setup program: {exe_size} bytes, payload archive: {payload_size} bytes, "
          f"without the payload: {exe_size - payload_size} bytes")
    for failure in failures:
        print("FAIL:", failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
