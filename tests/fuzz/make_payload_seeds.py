#!/usr/bin/env python3
"""Writes the seed corpus of the payload walker: small valid ZIP archives shaped like
the payload (folders, plug-ins, the icon library, nested documents), each behind the
one set-up byte that the fuzz target reads first.

    python3 tests/fuzz/make_payload_seeds.py

The output is deterministic (fixed entry dates), so re-running it changes no file.
"""
import io
import pathlib
import zipfile

HERE = pathlib.Path(__file__).resolve().parent
OUT = HERE / "corpus" / "payload_walker"
DATE = (2025, 5, 12, 10, 18, 0)

# The set-up byte: bit 0 keeps an installed icon library; the other bits ask for
# faults (see payload_walker_fuzzer.cpp). 0 is an undisturbed machine.
PLAIN, KEEP_ICONS = 0x00, 0x01


def archive(entries, zip64=False):
    """entries: (name, data or None for a folder, compressed?)"""
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w") as zf:
        for name, data, deflate in entries:
            info = zipfile.ZipInfo(name, date_time=DATE)
            info.compress_type = zipfile.ZIP_DEFLATED if deflate else zipfile.ZIP_STORED
            if data is None:
                info.external_attr = 0x10
                zf.writestr(info, b"")
            else:
                with zf.open(info, "w", force_zip64=zip64) as entry:
                    entry.write(data)
    return buffer.getvalue()


SEEDS = {
    "payload_like": (PLAIN, archive([
        ("Plugins/", None, False),
        ("Plugins/Icons.dll", b"MZ icons " * 8, True),
        ("l_mora64.exe", b"MZ viewer " * 16, True),
        ("lm_uninstall.exe", b"MZ uninstaller", False),
        ("Toolbars/Granite_24.png", b"\x89PNG\r\n\x1a\n" + bytes(range(32)), True),
    ])),
    "keep_icon_library": (KEEP_ICONS, archive([
        ("Plugins/Icons.dll", b"MZ newer icons", True),
        ("Extra/MyIcons.dll", b"MZ other icons", False),
        ("readme.txt", b"Lumora\r\n", False),
    ])),
    "file_before_its_folder": (PLAIN, archive([
        ("Languages/Deutsch/strings.lng", b"[Strings]\r\nA=B\r\n", True),
        ("Languages/", None, False),
        ("Languages/Deutsch/", None, False),
        ("Html/Templates/deep/page.html", b"<html></html>", True),
    ])),
    "empty_archive": (PLAIN, archive([])),
    "empty_file_and_zip64": (PLAIN, archive([
        ("empty.txt", b"", False),
        ("big_header.bin", b"zip64 sizes " * 4, True),
    ], zip64=True)),
}


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    for name, (setup, data) in SEEDS.items():
        (OUT / name).write_bytes(bytes([setup]) + data)


if __name__ == "__main__":
    main()
