#!/usr/bin/env python3
"""Builds a resource-only DLL of an exact file size: a version resource, optional
extra resources, and an RCDATA block of deterministic pseudo-random filler sized so
that the linked file has exactly --size bytes. Fails when that size cannot be hit.

The filler stands in for the payload of real plug-ins (code and data that does not
compress well), so that the packed product has a realistic weight.
"""

import argparse
import hashlib
import os
import subprocess
import sys

from pe_image import PeImage

FILLER_ID = 1


def rc_text(arguments, filler_name):
    def quoted(text):
        return '"' + text.replace('"', '""') + '"'

    def numbers(version):
        parts = [int(p) for p in version.split(".")]
        return ",".join(str(p) for p in (parts + [0, 0, 0, 0])[:4])

    strings = [
        ("CompanyName", arguments.company),
        ("FileDescription", arguments.description),
        ("FileVersion", arguments.file_version),
        ("InternalName", os.path.splitext(arguments.original_name)[0]),
        ("LegalCopyright", arguments.copyright),
        ("OriginalFilename", arguments.original_name),
        ("ProductName", arguments.product_name),
        ("ProductVersion", arguments.product_version),
    ]
    values = "\n".join(f"      VALUE {quoted(key)}, {quoted(value)}" for key, value in strings if value)
    extra = "".join(f'#include "{os.path.abspath(path)}"\n' for path in arguments.include)
    return f"""1 VERSIONINFO
FILEVERSION {numbers(arguments.file_version)}
PRODUCTVERSION {numbers(arguments.product_version)}
FILEFLAGSMASK 0x3F
FILEFLAGS 0
FILEOS 0x40004
FILETYPE 2
FILESUBTYPE 0
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "040904E4"
    BEGIN
{values}
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", 0x409, 1252
  END
END
{extra}{FILLER_ID} RCDATA {quoted(filler_name)}
"""


def filler(seed, size):
    return hashlib.shake_256(seed.encode("utf-8")).digest(size) if size else b""


def link(arguments, filler_size):
    work = arguments.work_dir
    base = os.path.join(work, os.path.splitext(os.path.basename(arguments.output))[0])
    filler_file = base + ".filler.bin"
    with open(filler_file, "wb") as out:
        out.write(filler(arguments.seed or arguments.original_name, filler_size))
    rc_file = base + ".rc"
    with open(rc_file, "w", encoding="ascii") as out:
        out.write(rc_text(arguments, os.path.abspath(filler_file).replace("\\", "/")))
    object_file = base + ".res.o"
    target = {"x64": "pe-x86-64", "x86": "pe-i386"}[arguments.machine]
    subprocess.run([arguments.windres, "-F", target, rc_file, "-o", object_file], check=True)
    emulation = {"x64": "i386pep", "x86": "i386pe"}[arguments.machine]
    subprocess.run([arguments.linker, "-m", emulation, "--dll", "-s", "--no-insert-timestamp",
                    "--entry=0", "--subsystem", "windows", "-o", arguments.output, object_file],
                   check=True)
    with open(arguments.output, "rb") as image:
        return image.read()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--windres", required=True)
    parser.add_argument("--linker", required=True, help="GNU ld that can link the chosen machine")
    parser.add_argument("--machine", choices=["x64", "x86"], default="x64")
    parser.add_argument("--output", required=True)
    parser.add_argument("--work-dir", required=True)
    parser.add_argument("--size", type=int, required=True, help="exact file size in bytes")
    parser.add_argument("--file-version", required=True)
    parser.add_argument("--product-version", required=True)
    parser.add_argument("--company", default="")
    parser.add_argument("--description", default="")
    parser.add_argument("--product-name", default="")
    parser.add_argument("--copyright", default="")
    parser.add_argument("--original-name", default=None)
    parser.add_argument("--seed", default=None, help="filler seed (default: the original name)")
    parser.add_argument("--include", action="append", default=[], help="resource script to add")
    arguments = parser.parse_args()
    arguments.original_name = arguments.original_name or os.path.basename(arguments.output)
    os.makedirs(arguments.work_dir, exist_ok=True)

    # The resource section comes last in a resource-only image, and its raw size is its
    # content rounded up to the file alignment: measure once, then grow the filler by
    # the gap between the content and the raw size the target leaves for the section.
    probe = PeImage(link(arguments, 0))
    resources = probe.sections[-1]
    if resources.name != ".rsrc" or resources.raw_offset + resources.raw_size != len(probe.data):
        sys.exit(f"{arguments.output}: the resource section is not the end of the image")
    room = arguments.size - resources.raw_offset
    if room < resources.raw_size or room % probe.file_alignment:
        sys.exit(f"{arguments.output}: {arguments.size} bytes cannot be reached "
                 f"(headers and other sections take {resources.raw_offset}, "
                 f"alignment {probe.file_alignment}, smallest resource section {resources.raw_size})")
    # Stay a few bytes below the room: resource data is aligned to 8 bytes.
    final = link(arguments, max(0, room - resources.virtual_size - 8))
    if len(final) != arguments.size:
        os.remove(arguments.output)
        sys.exit(f"{arguments.output}: linked {len(final)} bytes, expected {arguments.size}")


if __name__ == "__main__":
    main()
