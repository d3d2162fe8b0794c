#!/usr/bin/env python3
"""The harness's own readers, so that a failing product test means the product:
a registry round trip through Wine's reg import/export with every value type,
and the log reader on well- and ill-formed logs."""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from winetest import case_runner, install_log, registry  # noqa: E402
from winetest.registry import Value  # noqa: E402

KEY = r"HKEY_CURRENT_USER\Software\LumoraHarness"
# (name, .reg data, expected value): long hex data wraps over several lines.
VALUES = [
    ("plain", '"C:\\\\Program Files\\\\Lumora\\\\"', Value("sz", "C:\\Program Files\\Lumora\\")),
    ("quotes", '"\\"%1\\" /thumbs"', Value("sz", '"%1" /thumbs')),
    ("non-ascii", '"Gr\u00fc\u00dfe \u2211"', Value("sz", "Gr\u00fc\u00dfe \u2211")),
    ("empty", '""', Value("sz", "")),
    ("number", "dword:00002000", Value("dword", 8192)),
    ("expand", "hex(2):25,00,41,00,25,00,00,00", Value("expand_sz", "%A%")),
    ("multi", "hex(7):61,00,00,00,62,00,63,00,00,00,00,00", Value("multi_sz", ("a", "bc"))),
    ("bytes", "hex:" + ",".join(f"{n:02x}" for n in range(40)), Value("binary", bytes(range(40)))),
    ("wide", "hex(b):01,00,00,00,00,00,00,80", Value("qword", 0x8000000000000001)),
]


def registry_round_trip(ctx):
    prefix = ctx.prefix()
    lines = ["Windows Registry Editor Version 5.00", "", f"[{KEY}]", '@="default"']
    lines += [f'"{name}"={data}' for name, data, _ in VALUES]
    lines += ["", f"[{KEY}\\Empty key]", ""]
    source = prefix.drive_c / "values.reg"
    source.write_text("\r\n".join(lines), encoding="utf-16")
    ctx.require(prefix.reg("import", prefix.c_path(source)) == 0, "reg import failed")
    exported = registry.export(prefix, KEY, r"HKCU\Software\NoSuchKey")
    expected = {"": Value("sz", "default"), **{name: value for name, _, value in VALUES}}
    ctx.check_equal(registry.find_key(exported, KEY), expected, "values read back")
    ctx.check_equal(registry.find_key(exported, KEY + "\\Empty key"), {}, "empty key")
    ctx.check_equal(registry.find_key(exported, r"HKCU\Software\NoSuchKey"), None, "missing key")


def log_reader(ctx):
    separator = b"-" * 48 + b"\r\n"
    good = (b"12/11/2026 - 07:05:09: Warning!\r\nsecond line\r\n" + separator +
            b"12/11/2026 - 17:00:00: Invalid destination directory!: \r\n" + separator)
    ctx.check_equal(install_log.parse_log(good), [
        install_log.Entry("12/11/2026", "07:05:09", "Warning!\nsecond line"),
        install_log.Entry("12/11/2026", "17:00:00", "Invalid destination directory!: ")],
        "entries")
    bad = {
        "bare line feed": b"12/11/2026 - 07:05:09: x\n" + separator,
        "short separator": b"12/11/2026 - 07:05:09: x\r\n" + b"-" * 47 + b"\r\n",
        "time without leading zero": b"12/11/2026 - 7:05:09: x\r\n" + separator,
        "trailing text": b"12/11/2026 - 07:05:09: x\r\n" + separator + b"more\r\n",
    }
    for what, raw in bad.items():
        try:
            install_log.parse_log(raw)
            ctx.check(False, f"{what}: accepted")
        except install_log.LogFormatError:
            pass


if __name__ == "__main__":
    case_runner.main({"registry_round_trip": registry_round_trip, "log_reader": log_reader})
