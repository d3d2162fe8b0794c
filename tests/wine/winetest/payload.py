"""The payload archive in the build tree, and whether an installation unpacked it."""
import calendar
import zipfile
from pathlib import Path


def installed_problems(destination: Path, payload_zip) -> list:
    """Every entry of the archive must be in `destination` (a Linux path) with its
    content and, for files, its archive time as the last-write time (the tests run
    with TZ=UTC, so the local DOS time is UTC)."""
    problems = []
    with zipfile.ZipFile(payload_zip) as archive:
        for entry in archive.infolist():
            path = destination.joinpath(*[p for p in entry.filename.split("/") if p])
            if entry.is_dir():
                if not path.is_dir():
                    problems.append(f"missing folder {entry.filename}")
                continue
            if not path.is_file():
                problems.append(f"missing file {entry.filename}")
                continue
            if path.read_bytes() != archive.read(entry):
                problems.append(f"{entry.filename}: content differs from the archive")
            archive_time = calendar.timegm((*entry.date_time, 0, 0, 0))
            if int(path.stat().st_mtime) != archive_time:
                problems.append(f"{entry.filename}: last-write time {int(path.stat().st_mtime)}, "
                                f"archive time {archive_time}")
    return problems


def entry_names(payload_zip) -> list:
    with zipfile.ZipFile(payload_zip) as archive:
        return archive.namelist()


def extract_entry(payload_zip, name: str, target: Path):
    with zipfile.ZipFile(payload_zip) as archive:
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_bytes(archive.read(name))
