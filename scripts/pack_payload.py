#!/usr/bin/env python3
"""Packs the product into the payload ZIP deterministically: entries in a fixed order,
one fixed DOS date and time, fixed attributes, no extra fields. Files are deflated,
folder entries (names ending in "/") are stored empty.

Two ways to say what goes in:
  --folder DIR               every file and folder under DIR: a folder's entry, then its
                             files, then its sub-folders, each level sorted by name;
  --manifest FILE --root DIR [--root DIR ...]
                             the entries listed in FILE, in that order (one name a line,
                             "#" starts a comment); each file is looked up in the roots
                             and must be found in exactly one of them.

The installer converts entry names with the ANSI code page and keeps them in small
buffers, so names must be printable ASCII and short.
"""

import argparse
import os
import struct
import sys
import zlib

DOS_FILE_ATTRIBUTES = 0x20    # FILE_ATTRIBUTE_ARCHIVE
DOS_FOLDER_ATTRIBUTES = 0x10  # FILE_ATTRIBUTE_DIRECTORY
MADE_BY = 20                  # version 2.0, host system MS-DOS: attributes are DOS ones
MAX_NAME_BYTES = 323          # the installer converts names into 324 UTF-16 units


class PackError(Exception):
    pass


def dos_date_time(text):
    """'YYYY-MM-DD HH:MM:SS' to (DOS date, DOS time); seconds must be even."""
    date, time = text.split()
    year, month, day = (int(p) for p in date.split("-"))
    hour, minute, second = (int(p) for p in time.split(":"))
    if year < 1980 or second % 2:
        raise PackError(f"{text} has no exact DOS date and time")
    return (year - 1980) << 9 | month << 5 | day, hour << 11 | minute << 5 | second // 2


def check_name(name):
    if not name or name.startswith("/") or "\\" in name or "//" in name:
        raise PackError(f"bad entry name {name!r}")
    if any(part in (".", "..") for part in name.rstrip("/").split("/")):
        raise PackError(f"entry name {name!r} leaves its folder")
    if not all(0x20 <= ord(c) < 0x7F for c in name):
        raise PackError(f"entry name {name!r} is not printable ASCII")
    if len(name) > MAX_NAME_BYTES:
        raise PackError(f"entry name {name!r} is longer than {MAX_NAME_BYTES} bytes")


def entries_of_folder(folder):
    """(name, path or None) pairs for a folder tree in the documented order."""
    entries = []

    def walk(path, prefix):
        children = sorted(os.listdir(path))
        for child in children:
            full = os.path.join(path, child)
            if os.path.isfile(full):
                entries.append((prefix + child, full))
        for child in children:
            full = os.path.join(path, child)
            if os.path.isdir(full):
                entries.append((prefix + child + "/", None))
                walk(full, prefix + child + "/")

    walk(folder, "")
    return entries


def entries_of_manifest(manifest, roots):
    entries = []
    with open(manifest, encoding="ascii") as lines:
        for line in lines:
            name = line.split("#", 1)[0].strip()
            if not name:
                continue
            if name.endswith("/"):
                entries.append((name, None))
                continue
            found = [os.path.join(root, *name.split("/")) for root in roots]
            found = [path for path in found if os.path.isfile(path)]
            if len(found) != 1:
                where = "none" if not found else ", ".join(found)
                raise PackError(f"{name}: must be in exactly one root, found in {where}")
            entries.append((name, found[0]))
    return entries


def zip_bytes(entries, date, time):
    body = bytearray()
    directory = bytearray()
    seen = set()
    for name, path in entries:
        check_name(name)
        if name.lower() in seen:
            raise PackError(f"entry {name} appears twice")
        seen.add(name.lower())
        encoded = name.encode("ascii")
        if path is None:
            data, packed, method, needed, attributes = b"", b"", 0, 10, DOS_FOLDER_ATTRIBUTES
        else:
            with open(path, "rb") as source:
                data = source.read()
            compressor = zlib.compressobj(9, zlib.DEFLATED, -15)
            packed = compressor.compress(data) + compressor.flush()
            method, needed, attributes = 8, 20, DOS_FILE_ATTRIBUTES
        crc = zlib.crc32(data)
        offset = len(body)
        if offset + len(packed) + 30 + len(encoded) >= 1 << 32:
            raise PackError("archive too large for a ZIP without 64-bit extensions")
        body += struct.pack("<IHHHHHIIIHH", 0x04034B50, needed, 0, method, time, date,
                            crc, len(packed), len(data), len(encoded), 0)
        body += encoded + packed
        directory += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, MADE_BY, needed, 0, method,
                                 time, date, crc, len(packed), len(data), len(encoded),
                                 0, 0, 0, 0, attributes, offset)
        directory += encoded
    if len(entries) > 0xFFFF:
        raise PackError("too many entries for a ZIP without 64-bit extensions")
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(entries), len(entries),
                      len(directory), len(body), 0)
    return bytes(body + directory + end)


def main():
    parser = argparse.ArgumentParser(description="Packs the payload ZIP deterministically.")
    parser.add_argument("output")
    source = parser.add_mutually_exclusive_group(required=True)
    source.add_argument("--folder")
    source.add_argument("--manifest")
    parser.add_argument("--root", action="append", default=[])
    parser.add_argument("--time", default="2025-05-12 10:18:00",
                        help="date and time of every entry (local time, even seconds)")
    arguments = parser.parse_args()
    try:
        if arguments.folder:
            if arguments.root:
                raise PackError("--root goes with --manifest only")
            entries = entries_of_folder(arguments.folder)
        else:
            if not arguments.root:
                raise PackError("--manifest needs at least one --root")
            entries = entries_of_manifest(arguments.manifest, arguments.root)
        if not entries:
            raise PackError("nothing to pack")
        data = zip_bytes(entries, *dos_date_time(arguments.time))
    except (PackError, OSError) as error:
        sys.exit(f"pack_payload: {error}")
    temporary = arguments.output + ".part"
    with open(temporary, "wb") as out:
        out.write(data)
    os.replace(temporary, arguments.output)


if __name__ == "__main__":
    main()
