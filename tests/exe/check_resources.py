#!/usr/bin/env python3
"""Checks the resources of the built setup program against their sources: the payload
archive (ZIP 1974) byte for byte, the release notes (TXT 217) in UTF-16LE with byte
order mark and CR LF in the layout the what's new page shows, the string table against
string_table.h, icon group 111, bitmap 113, the manifest and the version resource.

usage: check_resources.py SETUP_EXE --payload ZIP --string-table H --release-notes TXT
"""

import argparse
import re
import struct
import sys
import xml.etree.ElementTree as ElementTree

from pe_image import (RT_BITMAP, RT_GROUP_ICON, RT_ICON, RT_MANIFEST, RT_STRING, RT_VERSION,
                      PeError, PeImage, VersionInfo)
from text_to_utf16 import convert

STRING_IDS = {1, 2, 3, 5, 6, 7, 8, 9, 10, 11}
RELEASE_NOTES_MAX_UNITS = 10239  # what the what's new page copies into its buffer
SUPPORTED_OS = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  # Vista
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  # 7
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  # 8
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  # 8.1
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  # 10 and 11
}
C_ESCAPES = {"n": "\n", "t": "\t", "r": "\r", '"': '"', "\\": "\\", "'": "'"}


def string_table_header(path):
    """{id: text} from the IDS_NAME / TEXT_NAME pairs of string_table.h."""
    with open(path, encoding="utf-8") as header:
        source = header.read()
    ids = {name: int(value) for name, value in re.findall(r"#define\s+IDS_(\w+)\s+(\d+)", source)}
    texts = {}
    for name, literal in re.findall(r'#define\s+TEXT_(\w+)\s+"((?:[^"\\]|\\.)*)"', source):
        texts[name] = re.sub(r"\\(.)", lambda match: C_ESCAPES[match.group(1)], literal)
    return {ids[name]: texts.get(name) for name in ids}


def string_table_resource(image):
    """{id: text} of every non-empty string in the image's string table."""
    strings = {}
    for block, languages in image.resources().get(RT_STRING, {}).items():
        data = next(iter(languages.values()))
        offset = 0
        for slot in range(16):
            (length,) = struct.unpack_from("<H", data, offset)
            offset += 2
            if length:
                strings[(block - 1) * 16 + slot] = data[offset:offset + 2 * length].decode("utf-16-le")
            offset += 2 * length
    return strings


class Checker:
    def __init__(self, image):
        self.image = image
        self.failures = []

    def expect(self, condition, message):
        if not condition:
            self.failures.append(message)
        return condition

    def payload(self, path):
        with open(path, "rb") as source:
            expected = source.read()
        actual = self.image.resource("ZIP", 1974)
        self.expect(actual == expected, "resource ZIP 1974 differs from the payload archive")

    def release_notes(self, path):
        data = self.image.resource("TXT", 217)
        if not self.expect(data is not None, "no resource TXT 217"):
            return
        with open(path, encoding="utf-8-sig") as source:
            expected = convert(source.read()).encode("utf-16-le")
        self.expect(data == expected, "resource TXT 217 differs from the converted release notes")
        self.expect(data[:2] == b"\xff\xfe", "release notes without UTF-16LE byte order mark")
        text = data.decode("utf-16-le").lstrip("\ufeff")
        self.expect(len(data) // 2 <= RELEASE_NOTES_MAX_UNITS,
                    f"release notes of {len(data) // 2} units would be cut by the what's new page")
        self.expect("\n" not in text.replace("\r\n", ""), "release notes with a line end other than CR LF")
        lines = text.rstrip("\r\n").split("\r\n")
        dashed = lambda line: len(line) >= 10 and set(line) == {"-"}
        ok = len(lines) >= 4 and dashed(lines[0]) and dashed(lines[2]) and "4.72" in lines[1]
        self.expect(ok, "release notes do not start with a dashed line, the version line and a dashed line")
        for line in lines[3:]:
            self.expect(line == "" or line.startswith("- "), f"release notes line {line!r} does not start with \"- \"")

    def strings(self, header):
        expected = string_table_header(header)
        self.expect(set(expected) == STRING_IDS, f"string_table.h defines entries {sorted(expected)}")
        actual = string_table_resource(self.image)
        for identifier in sorted(expected):
            self.expect(actual.get(identifier) == expected[identifier],
                        f"string {identifier}: {actual.get(identifier)!r}, expected {expected[identifier]!r}")
        extra = set(actual) - set(expected)
        self.expect(not extra, f"string table has entries not in string_table.h: {sorted(extra)}")

    def icon(self):
        group = self.image.resource(RT_GROUP_ICON, 111)
        if not self.expect(group is not None, "no icon group 111"):
            return
        _, kind, count = struct.unpack_from("<HHH", group)
        sizes = set()
        for index in range(count):
            width, height, _, _, _, bits, _, icon_id = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * index)
            image = self.image.resource(RT_ICON, icon_id)
            if self.expect(image is not None, f"icon group 111 names missing icon {icon_id}"):
                bits = struct.unpack_from("<H", image, 14)[0]
            sizes.add((width or 256, height or 256, bits))
        self.expect(kind == 1 and sizes == {(32, 32, 8), (16, 16, 8)},
                    f"icon group 111 holds {sorted(sizes)}, expected 32 x 32 and 16 x 16 at 8 bits")

    def bitmap(self):
        data = self.image.resource(RT_BITMAP, 113)
        if not self.expect(data is not None, "no bitmap 113"):
            return
        _, width, height, _, bits = struct.unpack_from("<IiiHH", data)
        self.expect((width, abs(height), bits) == (88, 31, 4),
                    f"bitmap 113 is {width} x {height} at {bits} bits, expected 88 x 31 at 4 bits")

    def manifest(self):
        data = self.image.resource(RT_MANIFEST, 1)
        if not self.expect(data is not None, "no manifest"):
            return
        root = ElementTree.fromstring(data)
        local = lambda element: element.tag.rsplit("}", 1)[-1]
        elements = list(root.iter())
        levels = [e.get("level") for e in elements if local(e) == "requestedExecutionLevel"]
        self.expect(levels == ["highestAvailable"], f"execution level {levels}")
        controls = [e.get("version") for e in elements
                    if local(e) == "assemblyIdentity" and e.get("name") == "Microsoft.Windows.Common-Controls"]
        self.expect(controls == ["6.0.0.0"], f"common controls {controls}")
        dpi = [(e.text or "").strip() for e in elements if local(e) == "dpiAware"]
        self.expect(dpi == ["True/PM"], f"dpiAware {dpi}")
        systems = {e.get("Id", "").lower() for e in elements if local(e) == "supportedOS"}
        self.expect(SUPPORTED_OS <= systems, f"supportedOS lacks {sorted(SUPPORTED_OS - systems)}")

    def version(self):
        try:
            info = VersionInfo(self.image.resource(RT_VERSION, 1) or b"")
        except PeError as error:
            self.expect(False, f"version resource: {error}")
            return
        self.expect(info.product_version == (4, 72, 0, 0), f"product version {info.product_version}")
        self.expect(info.file_version == (4, 72, 0, 0), f"file version {info.file_version}")
        strings = info.strings.get("040904E4", {})
        for key, value in (("ProductName", "Lumora 64-bit Setup"), ("CompanyName", "Dravenko"),
                           ("ProductVersion", "4.72"), ("FileVersion", "4.72.0.0")):
            self.expect(strings.get(key) == value, f"version string {key}: {strings.get(key)!r}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("exe")
    parser.add_argument("--payload", required=True)
    parser.add_argument("--string-table", required=True)
    parser.add_argument("--release-notes", required=True)
    arguments = parser.parse_args()
    with open(arguments.exe, "rb") as source:
        checker = Checker(PeImage(source.read()))
    checker.payload(arguments.payload)
    checker.release_notes(arguments.release_notes)
    checker.strings(arguments.string_table)
    checker.icon()
    checker.bitmap()
    checker.manifest()
    checker.version()
    for failure in checker.failures:
        print("FAIL:", failure)
    if not checker.failures:
        print("resources: payload, release notes, strings, icon 111, bitmap 113, manifest, version all match")
    sys.exit(1 if checker.failures else 0)


if __name__ == "__main__":
    main()
