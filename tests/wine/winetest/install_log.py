"""The installation log "Lumora_Install.log": 8-bit text, CR LF line ends, each entry
"<date> - HH:MM:SS: <message>" and a line of 48 hyphens."""
import re
from dataclasses import dataclass
from pathlib import Path

LOG_NAME = "Lumora_Install.log"
SEPARATOR = b"-" * 48 + b"\r\n"
_ENTRY = re.compile(rb"(?P<date>[^\r\n]*?) - (?P<time>\d\d:\d\d:\d\d): (?P<message>.*?)\r\n"
                    + re.escape(SEPARATOR), re.S)


@dataclass(frozen=True)
class Entry:
    date: str
    time: str
    message: str  # line feeds inside it as "\n"


class LogFormatError(ValueError):
    pass


def parse_log(raw: bytes) -> list:
    """The entries of a log file; raises LogFormatError on anything else in it."""
    if raw.replace(b"\r\n", b"").count(b"\n") or raw.replace(b"\r\n", b"").count(b"\r"):
        raise LogFormatError("a line does not end in CR LF")
    entries, position = [], 0
    while position < len(raw):
        match = _ENTRY.match(raw, position)
        if not match:
            raise LogFormatError(f"no entry at byte {position}: {raw[position:position + 80]!r}")
        entries.append(Entry(match["date"].decode("latin-1"), match["time"].decode("ascii"),
                             match["message"].decode("latin-1").replace("\r\n", "\n")))
        position = match.end()
    return entries


def read_log(folder: Path):
    """The entries of the log in `folder`, or None when there is no log."""
    path = folder / LOG_NAME
    return parse_log(path.read_bytes()) if path.exists() else None
