#!/usr/bin/env python3
"""Converts a UTF-8 text file to UTF-16LE with a byte order mark and CR LF line ends,
the form in which the setup program shows texts from its resources.

usage: text_to_utf16.py SOURCE OUTPUT [--max-units N]

--max-units fails the build when the result (byte order mark included) has more than
N UTF-16 code units, since a reader that copies into a fixed buffer would cut it.
"""

import argparse
import sys


def convert(text):
    lines = text.replace("\r\n", "\n").replace("\r", "\n")
    return "\ufeff" + lines.replace("\n", "\r\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("source")
    parser.add_argument("output")
    parser.add_argument("--max-units", type=int, default=None)
    arguments = parser.parse_args()
    with open(arguments.source, encoding="utf-8-sig") as source:
        text = convert(source.read())
    data = text.encode("utf-16-le")
    units = len(data) // 2
    if arguments.max_units is not None and units > arguments.max_units:
        sys.exit(f"{arguments.source}: {units} UTF-16 units, more than {arguments.max_units}")
    with open(arguments.output, "wb") as out:
        out.write(data)


if __name__ == "__main__":
    main()
