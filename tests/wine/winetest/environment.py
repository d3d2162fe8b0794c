"""Where Wine lives on this machine and the environment of every Wine run.

The variables keep runs quiet and reproducible: no Mono/Gecko prompts, no desktop
entries written to the host, dates formatted for a fixed locale, and local time
equal to UTC (Wine applies the current UTC offset to every local-time conversion).
"""
import os
import shutil
from pathlib import Path

WINE_VARIABLES = {
    "WINEDEBUG": "-all",
    "WINEARCH": "win64",
    "WINEDLLOVERRIDES": "winemenubuilder.exe=d;mscoree=d;mshtml=d",
    "LANG": "C.UTF-8",
    "TZ": "UTC",
}

# Variables of the calling shell that would change what a run sees.
_DROPPED_VARIABLES = ("DISPLAY", "WAYLAND_DISPLAY", "LC_ALL", "LANGUAGE", "WINELOADER",
                      "WINESERVER", "XAUTHORITY")


def _find(*candidates):
    for candidate in candidates:
        found = shutil.which(candidate) if "/" not in candidate else (
            candidate if os.access(candidate, os.X_OK) else None)
        if found:
            return found
    return None


# Debian's /usr/bin/wine is a wrapper that looks for wine32 first; the 64-bit
# loader itself avoids that detour.
WINE = _find("wine64", "/usr/lib/wine/wine64", "wine")
WINESERVER = _find("wineserver64", "/usr/lib/wine/wineserver64", "/usr/lib/wine/wineserver",
                   "wineserver")


def wine_environment(prefix: Path, display: str | None = None) -> dict:
    """The environment for a Wine process in `prefix`; headless unless `display`."""
    env = {k: v for k, v in os.environ.items() if k not in _DROPPED_VARIABLES}
    env.update(WINE_VARIABLES)
    env["WINEPREFIX"] = str(prefix)
    if WINE:
        env["WINELOADER"] = WINE
    if WINESERVER:
        env["WINESERVER"] = WINESERVER
    if display:
        env["DISPLAY"] = display
    return env
