#!/usr/bin/env python3
"""Checks the payload archive as the installer will meet it: the entries it relies on
by name, entry names it can convert and hold, deflated files and stored folders, sound
CRCs, the viewer's window-and-icon contract and the icon library's version resource.
With --standin also the facts of the stand-in product: 41 entries, about 3.9 MB, an
icon library of exactly 226,816 bytes with version 4.30 from "Dravenko", a folder
whose files come before its own entry and a folder without an entry of its own.

usage: check_payload.py ZIP [--standin]
"""

import argparse
import io
import os
import struct
import sys
import zipfile

from pe_image import RT_GROUP_ICON, RT_VERSION, PeError, PeImage, VersionInfo

RELIED_ON = [
    "l_mora64.exe", "lm_uninstall.exe",
    "l_about.txt", "l_changes.txt", "l_options.txt", "l_plugins.txt", "l_languages.txt",
    "l_mora32.chm", "Plugins/Icons.dll",
    "Toolbars/gnome-colors-human_48.png", "Toolbars/gnome-colors-human_48.txt",
    "Toolbars/gnome-colors-wise_32.png", "Toolbars/gnome-colors-wise_32.txt",
    "Toolbars/Granite_24.png", "Toolbars/Granite_24.txt",
    "Toolbars/Pebble_16.png", "Toolbars/Pebble_16.txt",
]
VIEWER_ICON_INDICES = (0, 7, 11, 12)
MAX_NAME_BYTES = 323  # converted into 324 UTF-16 units, terminator included
IMAGE_FILE_MACHINE_AMD64 = 0x8664
IMAGE_FILE_MACHINE_I386 = 0x14C
IMAGE_SUBSYSTEM_WINDOWS_GUI = 2
STANDIN_ENTRY_COUNT = 41
STANDIN_ICON_LIBRARY_SIZE = 226816
STANDIN_SIZE_RANGE = (3_700_000, 4_100_000)


def folders_of(name):
    parts = name.rstrip("/").split("/")[:-1]
    return ["/".join(parts[:i]) + "/" for i in range(1, len(parts) + 1)]


def icon_library_version_text(info):
    """The text the installer's icon library rule compares: product major, product
    minor and the file version's third number, as "%d.%d%d"."""
    return "%d.%d%d" % (info.product_version[0], info.product_version[1], info.file_version[2])


class Checker:
    def __init__(self):
        self.failures = []

    def expect(self, condition, message):
        if not condition:
            self.failures.append(message)
        return condition

    def names(self, infos):
        names = [info.filename for info in infos]
        for name in RELIED_ON:
            self.expect(name in names, f"missing entry {name}")
        lowered = [name.lower() for name in names]
        self.expect(len(set(lowered)) == len(lowered), "two entries differ only in case")
        for info in infos:
            name = info.filename
            self.expect(all(0x20 <= ord(c) < 0x7F for c in name), f"{name!r}: not printable ASCII")
            self.expect(len(name.encode("latin-1", "replace")) <= MAX_NAME_BYTES, f"{name}: name too long")
            self.expect("\\" not in name and not name.startswith("/") and ".." not in name.split("/"),
                        f"{name}: name leaves the destination folder")
            self.expect(not info.flag_bits & 0x1, f"{name}: encrypted")
            if name.endswith("/"):
                self.expect(info.compress_type == zipfile.ZIP_STORED and info.file_size == 0,
                            f"{name}: folder entry is not stored empty")
            else:
                self.expect(info.compress_type == zipfile.ZIP_DEFLATED, f"{name}: not deflated")

    def viewer(self, data):
        try:
            image = PeImage(data)
        except PeError as error:
            self.expect(False, f"l_mora64.exe: {error}")
            return
        self.expect(image.machine == IMAGE_FILE_MACHINE_AMD64, "l_mora64.exe: not a 64-bit program")
        self.expect(image.subsystem == IMAGE_SUBSYSTEM_WINDOWS_GUI, "l_mora64.exe: not a GUI program")
        groups = len(image.resources().get(RT_GROUP_ICON, {}))
        self.expect(groups > max(VIEWER_ICON_INDICES),
                    f"l_mora64.exe: {groups} icon groups, icon index {max(VIEWER_ICON_INDICES)} is missing")
        self.expect(b"L\0u\0m\0o\0r\0a\0\0\0" in data, "l_mora64.exe: no window class name \"Lumora\"")

    def icon_library(self, data, standin):
        try:
            info = VersionInfo(PeImage(data).resource(RT_VERSION, 1) or b"")
        except PeError as error:
            self.expect(False, f"Plugins/Icons.dll: {error}")
            return
        company = info.strings.get("040904E4", {}).get("CompanyName", "")
        print(f"icon library: {len(data)} bytes, version text {icon_library_version_text(info)}, "
              f"publisher {company!r}")
        if standin:
            self.expect(len(data) == STANDIN_ICON_LIBRARY_SIZE,
                        f"Plugins/Icons.dll: {len(data)} bytes, expected {STANDIN_ICON_LIBRARY_SIZE}")
            self.expect(info.product_version[:2] == (4, 3), f"Plugins/Icons.dll: product version {info.product_version}")
            self.expect(info.file_version[:3] == (4, 3, 0), f"Plugins/Icons.dll: file version {info.file_version}")
            self.expect(icon_library_version_text(info) == "4.30", "Plugins/Icons.dll: version text is not 4.30")
            self.expect(company == "Dravenko", f"Plugins/Icons.dll: CompanyName {company!r}")

    def standin(self, infos, archive, size):
        names = [info.filename for info in infos]
        self.expect(len(infos) == STANDIN_ENTRY_COUNT, f"{len(infos)} entries, expected {STANDIN_ENTRY_COUNT}")
        low, high = STANDIN_SIZE_RANGE
        self.expect(low <= size <= high, f"archive of {size} bytes, expected about 3.9 MB")
        position = {name: index for index, name in enumerate(names)}
        late_folders = set()
        missing_folders = set()
        for index, name in enumerate(names):
            for folder in folders_of(name):
                if folder not in position:
                    missing_folders.add(folder)
                elif position[folder] > index:
                    late_folders.add(folder)
        self.expect(late_folders, "no folder entry comes after its own files")
        self.expect(missing_folders, "every folder has an entry of its own")
        for name in names:
            if name.lower().endswith(".dll"):
                machine = PeImage(archive.read(name)).machine
                expected = IMAGE_FILE_MACHINE_I386 if "/plugins32/" in name.lower() else IMAGE_FILE_MACHINE_AMD64
                self.expect(machine == expected, f"{name}: machine {machine:#x}, expected {expected:#x}")
            if name.lower().endswith(".png"):
                data = archive.read(name)
                ok = data[:8] == b"\x89PNG\r\n\x1a\n" and data[12:16] == b"IHDR"
                if self.expect(ok, f"{name}: not a PNG file"):
                    height = struct.unpack(">I", data[20:24])[0]
                    size_in_name = int(os.path.splitext(name)[0].rsplit("_", 1)[1])
                    self.expect(height == size_in_name, f"{name}: {height} pixels high")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("archive")
    parser.add_argument("--standin", action="store_true")
    arguments = parser.parse_args()
    with open(arguments.archive, "rb") as source:
        data = source.read()
    checker = Checker()
    with zipfile.ZipFile(io.BytesIO(data)) as archive:
        infos = archive.infolist()
        checker.expect(archive.testzip() is None, "an entry fails its CRC check")
        checker.names(infos)
        present = {info.filename for info in infos}
        if "l_mora64.exe" in present:
            checker.viewer(archive.read("l_mora64.exe"))
        if "Plugins/Icons.dll" in present:
            checker.icon_library(archive.read("Plugins/Icons.dll"), arguments.standin)
        if arguments.standin:
            checker.standin(infos, archive, len(data))
        packed = sum(info.compress_size for info in infos)
        print(f"payload: {len(data)} bytes, {len(infos)} entries, {packed} bytes of packed data")
        for info in infos:
            print(f"  {info.file_size:>9} {info.compress_size:>9}  {info.filename}")
    for failure in checker.failures:
        print("FAIL:", failure)
    sys.exit(1 if checker.failures else 0)


if __name__ == "__main__":
    main()
