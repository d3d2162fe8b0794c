"""Extraction throughput on the host: our engine against Info-ZIP's unzip, bsdtar and
the inflate-only limit, on one archive, every run into a new empty folder.

  ours          bench_extract: ExtractPayload as the setup program runs it, the
                mapped archive first written to the temporary folder (a copy that
                the design requires), then unpacked through PosixFileSystem with
                the 32,768-byte copy buffer;
  ours (walk)   bench_extract --walk: the unpacking alone, from the archive where it
                lies, which is the work unzip and bsdtar do;
  unzip, bsdtar the same archive into an empty folder;
  inflate only  bench_inflate_limit: every entry inflated into memory, nothing
                checked or written.

Peak memory of ours is taken in one more, untimed run.

Before every timed run the previous folder is removed and the disk synced (untimed),
so that no write-back of an earlier run overlaps it.
"""
import os
import shutil
import zipfile
from pathlib import Path

from . import timing


def inflated_bytes(archive) -> int:
    with zipfile.ZipFile(archive) as z:
        return sum(e.file_size for e in z.infolist())


def measure(archive: Path, work: Path, bench_bin: Path, rounds: int):
    archive = archive.resolve()
    work = work.resolve()

    def fresh(folder: Path, with_archive=False):
        def prepare():
            shutil.rmtree(folder, ignore_errors=True)
            folder.mkdir(parents=True)
            if with_archive:
                os.link(archive, folder / "payload.zip") if _same_device(archive, work) \
                    else shutil.copy(archive, folder / "payload.zip")
            os.sync()
        return prepare

    root = work / "root"
    contenders = [
        timing.Contender("ours", [str(bench_bin / "bench_extract"), str(archive), str(root)], prepare=fresh(root)),
        timing.Contender("ours (walk)", [str(bench_bin / "bench_extract"), str(root / "payload.zip"), str(root),
                                         "--walk"], prepare=fresh(root, with_archive=True)),
        timing.Contender("unzip", ["unzip", "-qq", "-o", str(archive), "-d", str(root)], prepare=fresh(root)),
        timing.Contender("bsdtar", ["bsdtar", "-xf", str(archive), "-C", str(root)], prepare=fresh(root)),
        timing.Contender("inflate only", [str(bench_bin / "bench_inflate_limit"), str(archive)],
                         prepare=fresh(root)),
    ]
    timing.alternate(contenders, rounds)
    # One more run of ours, untimed, for its peak memory (the polling costs CPU).
    contenders[0].prepare()
    memory = timing.run_with_peak_memory(contenders[0].command)
    shutil.rmtree(root, ignore_errors=True)
    return {c.name: c for c in contenders}, memory


def _same_device(a: Path, b: Path) -> bool:
    b.mkdir(parents=True, exist_ok=True)
    return os.stat(a).st_dev == os.stat(b).st_dev
