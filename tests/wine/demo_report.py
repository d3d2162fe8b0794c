#!/usr/bin/env python3
"""One real silent installation in a fresh prefix, and a report of what it left:
exit code, installed files, registry entries, links, settings files, log.

  demo_report.py --setup EXE --work DIR [--read-link EXE] -- [SETUP OPTIONS...]
"""
import argparse
import datetime
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from winetest import installation, links, prefix as prefixes, registry  # noqa: E402
from winetest.expected_registration import SCOPE, UNINSTALL_KEY  # noqa: E402
from winetest.install_log import LOG_NAME  # noqa: E402
from winetest.messages import DEFAULT_FOLDER  # noqa: E402


def heading(text):
    print(f"\n== {text}")


def show_files(root: Path):
    for path in sorted(root.rglob("*")):
        relative = "\\".join(path.relative_to(root).parts)
        if path.is_dir():
            print(f"  {relative}\\")
        else:
            stamp = datetime.datetime.fromtimestamp(path.stat().st_mtime, datetime.timezone.utc)
            print(f"  {relative}  {path.stat().st_size} bytes  {stamp:%Y-%m-%d %H:%M:%S}")


def show_registry(before: dict, after: dict):
    change = registry.changes(before, after)
    if not change["set"] and not change["removed"]:
        print("  (none)")
    names = {k.lower(): k for k in after}
    keys_with_values = sorted({key for key, name in change["set"] if name is not None})
    for key in keys_with_values:
        print(f"  [{names.get(key, key)}]")
        for name, value in sorted((registry.find_key(after, key) or {}).items()):
            if (key, name.lower()) in change["set"]:
                print(f"    {name or '@'} = {value!r}")
    bare = sorted({key for key, name in change["set"] if name is None} - set(keys_with_values))
    if bare:
        print(f"  and {len(bare)} new keys without values of their own, e.g. "
              + ", ".join(names.get(k, k) for k in bare[:3]))
    for key, name in sorted(change["removed"], key=lambda kn: (kn[0], kn[1] or "")):
        print(f"  removed {key}" + ("" if name is None else f" [{name or '@'}]"))


def show_ini(prefix, path: Path):
    raw = path.read_bytes()
    if raw[:2] == b"\xff\xfe":
        encoding, text = "UTF-16LE with FF FE", raw[2:].decode("utf-16-le")
    else:
        encoding, text = "8-bit", raw.decode("cp1252")
    print(f"  {prefix.c_path(path)} ({encoding}, {len(raw)} bytes)")
    for line in text.splitlines():
        print(f"    | {line}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--setup", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--read-link")
    parser.add_argument("options", nargs="*")
    args = parser.parse_args()

    print(f"Making a fresh Wine prefix in {args.work} ...")
    prefix = prefixes.make_template(Path(args.work) / "prefix")
    before = registry.export(prefix, *SCOPE)
    start = prefix.drive_c / "start"
    start.mkdir()
    print(f"Running: lumora64_setup.exe {' '.join(args.options)}  (headless, in C:\\start)")
    status = prefix.run(Path(args.setup).resolve(), args.options, cwd=start)
    heading(f"exit code {status}")

    after = registry.export(prefix, *SCOPE)
    location = (registry.find_key(after, UNINSTALL_KEY) or {}).get("InstallLocation")
    folder = location.data if location else next(
        (o[len("/folder="):] for o in args.options if o.startswith("/folder=")), DEFAULT_FOLDER)
    heading(f"files in {folder}")
    root = prefix.host_path(folder) if folder[1:2] == ":" else None
    if root and root.is_dir():
        show_files(root)
    else:
        print("  (no such folder)")

    heading("registry entries written (changed against the fresh prefix)")
    show_registry(before, after)

    heading("links (read back through the shell)")
    places = {
        "user's desktop": installation.user_desktop(prefix),
        "public desktop": installation.public_desktop(prefix),
        "user's program group": installation.user_program_group(prefix),
        "common program group": installation.common_program_group(prefix),
    }
    for where, path in places.items():
        found = sorted(path.glob("*.lnk")) if path.is_dir() else []
        if not found:
            continue
        print(f"  {where} ({prefix.c_path(path)}):")
        if not args.read_link:
            print("    " + ", ".join(p.name for p in found))
            continue
        for link_path, link in links.read_links(prefix, args.read_link, path).items():
            print(f"    {link_path.name}: {link}")

    heading("settings files")
    candidates = [root / "l_mora64.ini"] if root else []
    candidates.append(installation.user_ini_folder(prefix) / "l_mora64.ini")
    shown = False
    for path in candidates:
        if path.exists():
            show_ini(prefix, path)
            shown = True
    if not shown:
        print("  (none)")

    heading(f"{LOG_NAME} in C:\\start")
    log = start / LOG_NAME
    if log.exists():
        for line in log.read_bytes().decode("latin-1").splitlines():
            print(f"    | {line}")
    else:
        print("  (no log: nothing failed)")
    prefix.kill_server()
    return 0


if __name__ == "__main__":
    sys.exit(main())
