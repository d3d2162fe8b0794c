"""Switching the Windows version that a prefix reports.

Wine 8 offers up to Windows 10 (`winecfg -v`); Windows 11 is Windows 10 with the
build number 22000, which RtlGetVersion then reports.
"""
from .prefix import Prefix, WineError

# winecfg's names, and what RtlGetVersion reports after the switch.
VERSIONS = {
    "vista": "6.0.6002",
    "win7": "6.1.7601",
    "win8": "6.2.9200",
    "win81": "6.3.9600",
    "win10": "10.0.18362",
    "win11": "10.0.22000",
}

_WINDOWS_11_BUILD = "22000"


def set_windows_version(prefix: Prefix, name: str):
    """Makes the prefix report the Windows version `name` (a key of VERSIONS)."""
    if name not in VERSIONS:
        raise WineError(f"unknown Windows version {name!r}")
    winecfg_name = "win10" if name == "win11" else name
    if prefix.run("winecfg", ["-v", winecfg_name], wait_for_server=False) != 0:
        raise WineError(f"winecfg -v {winecfg_name} failed")
    if name == "win11":
        status = prefix.run("reg", ["add", r"HKLM\Software\Microsoft\Windows NT\CurrentVersion",
                                    "/v", "CurrentBuildNumber", "/t", "REG_SZ",
                                    "/d", _WINDOWS_11_BUILD, "/f"], wait_for_server=False)
        if status != 0:
            raise WineError("setting the Windows 11 build number failed")
    prefix.wait_server()


def reported_version(prefix: Prefix, print_version_exe) -> str:
    """major.minor.build as RtlGetVersion reports it inside the prefix."""
    status, out = prefix.run(print_version_exe, capture=True)
    if status != 0:
        raise WineError("print_version.exe failed")
    return out.decode().strip()
