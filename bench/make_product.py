#!/usr/bin/env python3
"""Makes the scaled product folder of the benchmark: the stand-in product (unpacked
from its payload archive, so that the installer finds every file it names) and about
1,000 generated files, 100 MB in all, in about 50 folders. Deterministic: the same
seed gives the same bytes, so two runs pack the same archive.

The generated files imitate what an image viewer ships, in three kinds of content
that deflate differently:
  - program code (plug-in DLLs): random bytes mixed with repeats of earlier stretches,
    deflating to about half;
  - text (languages, help pages, templates): words of a small vocabulary, deflating
    to about a quarter;
  - compressed media (skins, samples): random bytes that do not deflate at all.

    make_product.py STANDIN_PAYLOAD_ZIP OUTPUT_FOLDER [--standin-only]

--standin-only unpacks the stand-in product alone (the peer installer packs the same
files from it). Every file gets the archive's one entry time as its modification
time, so that an installer that keeps file times installs the archive's times.
"""
import argparse
import calendar
import os
import random
import shutil
import sys
import zipfile
from pathlib import Path

SEED = 1974
TARGET_BYTES = 100_000_000

# (folder pattern, count of folders, files per folder, name pattern, kind, share of bytes)
CATEGORIES = [
    ("Plugins/More", 1, 100, "plugin{:03d}.dll", "code", 0.33),
    ("Plugins/Plugins32/More", 1, 100, "plugin{:03d}.dll", "code", 0.27),
    ("Languages/Extra", 1, 60, "language{:02d}.lng", "text", 0.03),
    ("Html/Templates", 1, 30, "template{:02d}.html", "text", 0.01),
    ("Help/Topic{:02d}", 10, 20, "page{:02d}.htm", "text", 0.06),
    ("Skins/Theme{:02d}", 20, 25, "icon{:02d}.png", "media", 0.25),
    ("Samples", 1, 10, "sample{:02d}.jpg", "media", 0.05),
]

VOCABULARY = ("image viewer file open save print zoom rotate crop resize colour "
              "palette filter effect plugin format option menu toolbar window "
              "thumbnail slideshow batch convert rename metadata exif iptc icon "
              "cursor layer page scan capture export import select paste undo "
              "the a of to and in is for with on by this that from").split()


def code_bytes(rng: random.Random, size: int) -> bytes:
    """Random stretches alternating with copies of earlier stretches."""
    out = bytearray()
    while len(out) < size:
        out += rng.randbytes(rng.randint(16, 96))
        if len(out) > 256:
            start = rng.randrange(0, len(out) - 128)
            out += out[start:start + rng.randint(16, 128)]
    return bytes(out[:size])


def text_bytes(rng: random.Random, size: int) -> bytes:
    words = rng.choices(VOCABULARY, k=size // 4 + 16)
    lines = [" ".join(words[i:i + 12]) for i in range(0, len(words), 12)]
    return "\r\n".join(lines).encode("ascii")[:size]


def media_bytes(rng: random.Random, size: int) -> bytes:
    return rng.randbytes(size)


MAKERS = {"code": code_bytes, "text": text_bytes, "media": media_bytes}


def generated_files(rng: random.Random, budget: int):
    """(relative path, kind, size) of every generated file, sizes drawn per category
    and scaled to the category's share of `budget`."""
    files = []
    for folder_pattern, folders, per_folder, name_pattern, kind, share in CATEGORIES:
        names = [f"{folder_pattern.format(f)}/{name_pattern.format(n)}"
                 for f in range(folders) for n in range(per_folder)]
        weights = [rng.lognormvariate(0, 0.8) for _ in names]
        scale = budget * share / sum(weights)
        files += [(name, kind, max(1, int(w * scale))) for name, w in zip(names, weights)]
    return files


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("standin_zip")
    parser.add_argument("output")
    parser.add_argument("--standin-only", action="store_true")
    args = parser.parse_args()

    output = Path(args.output)
    if output.exists():
        shutil.rmtree(output)
    output.mkdir(parents=True)
    with zipfile.ZipFile(args.standin_zip) as standin:
        standin.extractall(output)
        standin_bytes = sum(e.file_size for e in standin.infolist())
        # Read as UTC, as the benchmark's Wine runs have it (TZ=UTC).
        entry_time = calendar.timegm((*standin.infolist()[0].date_time, 0, 0, 0))

    if not args.standin_only:
        rng = random.Random(SEED)
        for name, kind, size in generated_files(rng, TARGET_BYTES - standin_bytes):
            path = output / name
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(MAKERS[kind](rng, size))
    for path in output.rglob("*"):
        if path.is_file():
            os.utime(path, (entry_time, entry_time))

    count = sum(1 for _ in output.rglob("*"))
    total = sum(p.stat().st_size for p in output.rglob("*") if p.is_file())
    print(f"make_product: {count} entries, {total:,} bytes in {output}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
