"""Reading a prefix's registry as Python data.

`wine reg export` writes exact values (UTF-16LE .reg files); `wine reg query`
prints in the OEM code page and mangles non-ASCII, so it is not used. A parsed
export is a dict {key path: {value name: Value}}, key paths with the long root
names as the export writes them (HKEY_LOCAL_MACHINE\\...), the default value under
the name "" ("@" in the file). Key paths compare case-sensitively as exported;
use `find_key` for a case-insensitive look-up.
"""
import re
import shutil
import tempfile
from dataclasses import dataclass
from pathlib import Path

from .prefix import Prefix

_ROOT_NAMES = {
    "HKLM": "HKEY_LOCAL_MACHINE", "HKCU": "HKEY_CURRENT_USER", "HKCR": "HKEY_CLASSES_ROOT",
    "HKU": "HKEY_USERS", "HKCC": "HKEY_CURRENT_CONFIG",
}

# Type names of the .reg format, by the numbers of hex(N):.
_HEX_TYPES = {0: "none", 1: "sz", 2: "expand_sz", 3: "binary", 4: "dword", 7: "multi_sz",
              11: "qword"}


@dataclass(frozen=True)
class Value:
    """One registry value: `kind` is sz, expand_sz, multi_sz, dword, qword, binary or
    none; `data` is str, str, tuple of str, int, int, bytes, bytes."""
    kind: str
    data: object

    def __repr__(self):
        return f"{self.kind}:{self.data!r}"


def sz(text):
    return Value("sz", text)


def dword(number):
    return Value("dword", number)


def long_key_name(key: str) -> str:
    """HKLM\\Software -> HKEY_LOCAL_MACHINE\\Software."""
    root, _, rest = key.partition("\\")
    root = _ROOT_NAMES.get(root.upper(), root.upper())
    return root + ("\\" + rest if rest else "")


def _decode_hex_value(kind_number: int, hex_text: str) -> Value:
    raw = bytes(int(b, 16) for b in hex_text.replace("\\", "").replace(" ", "").split(",") if b)
    kind = _HEX_TYPES.get(kind_number, f"type{kind_number}")
    if kind in ("sz", "expand_sz"):
        text = raw.decode("utf-16-le")
        return Value(kind, text[:-1] if text.endswith("\0") else text)
    if kind == "multi_sz":
        text = raw.decode("utf-16-le").rstrip("\0")
        return Value(kind, tuple(text.split("\0")) if text else ())
    if kind == "dword" and len(raw) == 4:
        return Value(kind, int.from_bytes(raw, "little"))
    if kind == "qword" and len(raw) == 8:
        return Value(kind, int.from_bytes(raw, "little"))
    return Value(kind, raw)


def _parse_quoted(text: str, start: int):
    """Reads a .reg string literal starting at the opening quote; returns (text, end)."""
    assert text[start] == '"'
    out, i = [], start + 1
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            nxt = text[i + 1]
            out.append({"n": "\n", "r": "\r", "0": "\0"}.get(nxt, nxt))
            i += 2
        elif c == '"':
            return "".join(out), i + 1
        else:
            out.append(c)
            i += 1
    raise ValueError(f"unterminated string in {text!r}")


def _parse_data(data: str) -> Value:
    if data.startswith('"'):
        return Value("sz", _parse_quoted(data, 0)[0])
    if data.startswith("dword:"):
        return Value("dword", int(data[6:], 16))
    if data.startswith("hex:"):
        return _decode_hex_value(3, data[4:])
    match = re.match(r"hex\(([0-9a-fA-F]+)\):(.*)", data, re.S)
    if match:
        return _decode_hex_value(int(match.group(1), 16), match.group(2))
    raise ValueError(f"unknown registry data {data!r}")


def parse_reg_text(text: str) -> dict:
    """Parses the text of a .reg file (version 5 format) into {key: {name: Value}}."""
    keys: dict = {}
    current = None
    lines = text.lstrip("\ufeff").splitlines()
    i = 0
    while i < len(lines):
        line = lines[i]
        i += 1
        # A value whose hex data goes on over several lines ends each with "\".
        while line.endswith("\\") and not line.startswith("[") and i < len(lines):
            line = line[:-1] + lines[i].strip()
            i += 1
        stripped = line.strip()
        if not stripped or stripped.startswith(";") or stripped.startswith("Windows Registry"):
            continue
        if stripped.startswith("[") and stripped.endswith("]"):
            current = keys.setdefault(stripped[1:-1], {})
            continue
        if current is None:
            raise ValueError(f"value outside a key: {line!r}")
        if stripped.startswith("@="):
            name, data = "", stripped[2:]
        else:
            name, end = _parse_quoted(stripped, 0)
            if stripped[end] != "=":
                raise ValueError(f"no '=' after the value name: {line!r}")
            data = stripped[end + 1:]
        current[name] = _parse_data(data)
    return keys


def read_reg_file(path) -> dict:
    raw = Path(path).read_bytes()
    encoding = "utf-16" if raw[:2] in (b"\xff\xfe", b"\xfe\xff") else "utf-8"
    return parse_reg_text(raw.decode(encoding))


def export(prefix: Prefix, *keys: str, keep_in=None) -> dict:
    """Exports the given keys (subtrees) in one Wine session and returns them merged
    into one dict. A key that does not exist contributes nothing. With `keep_in`
    (a Linux folder) the .reg files stay there, for `read_exported`."""
    with tempfile.TemporaryDirectory(dir=prefix.drive_c) as work:
        work = Path(work)
        lines = []
        for n, key in enumerate(keys):
            target = prefix.c_path(work / f"export{n}.reg")
            lines.append(f'reg export "{key}" "{target}" /y >nul 2>nul')
        script = work / "export.bat"
        script.write_text("@echo off\r\n" + "\r\n".join(lines) + "\r\n", encoding="ascii")
        # No wait for the wineserver: reg has written its files when cmd returns, and
        # a program of the prefix (a running viewer) may keep the session alive.
        prefix.run("cmd", ["/c", prefix.c_path(script)], wait_for_server=False)
        script.unlink()
        if keep_in is not None:
            keep_in = Path(keep_in)
            keep_in.mkdir(parents=True, exist_ok=True)
            for file in work.glob("*.reg"):
                shutil.copy(file, keep_in / file.name)
        return read_exported(work)


def read_exported(folder) -> dict:
    """The merged contents of every .reg file in `folder`."""
    merged: dict = {}
    for file in sorted(Path(folder).glob("*.reg")):
        merged.update(read_reg_file(file))
    return merged


def subtree(registry: dict, key: str) -> dict:
    """The keys at or below `key` (case-insensitive)."""
    key = long_key_name(key).lower()
    return {k: v for k, v in registry.items() if k.lower() == key or k.lower().startswith(key + "\\")}


def find_key(registry: dict, key: str):
    """The values of `key` (case-insensitive), or None when it does not exist."""
    key = long_key_name(key).lower()
    for k, v in registry.items():
        if k.lower() == key:
            return v
    return None


def flatten(registry: dict) -> dict:
    """{(key lower-cased, value name lower-cased): Value}, plus (key, None) for every key
    so that empty keys count too: the form in which two registries are compared."""
    flat = {}
    for key, values in registry.items():
        flat[(key.lower(), None)] = None
        for name, value in values.items():
            flat[(key.lower(), name.lower())] = value
    return flat


def changes(before: dict, after: dict) -> dict:
    """What `after` adds or changes against `before`, and what it removes (as None
    values under the key "removed"): {"set": {...}, "removed": set()} in flat form."""
    a, b = flatten(before), flatten(after)
    return {
        "set": {k: v for k, v in b.items() if k not in a or a[k] != v},
        "removed": {k for k in a if k not in b},
    }


def describe_changes(change: dict, limit=10) -> str:
    """A short readable list of what `changes` found; "" when nothing changed."""
    def label(key, name):
        return key if name is None else f"{key} [{name or '@'}]"
    lines = [f"set {label(k, n)} = {v!r}" for (k, n), v in change["set"].items()]
    lines += [f"removed {label(k, n)}" for k, n in change["removed"]]
    lines.sort()
    more = f"; ... {len(lines) - limit} more" if len(lines) > limit else ""
    return "; ".join(lines[:limit]) + more
