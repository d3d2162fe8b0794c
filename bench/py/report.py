"""Printing of the figures: one table per measurement, then each goal with its ratio."""
from . import timing


def kib(n_bytes: int) -> str:
    return f"{n_bytes / 1024:,.1f} KiB"


def mib(n_bytes: int) -> str:
    return f"{n_bytes / 1048576:,.1f} MiB"


def heading(text: str):
    print()
    print(f"== {text}")


def timing_table(contenders: dict, data_bytes: int = None):
    print(f"  {'':18} {'wall median':>11} {'(min - max)':>17} {'CPU median':>10}"
          + (f" {'MB/s':>7}" if data_bytes else ""))
    for name, c in contenders.items():
        wall, low, high = timing.summary(c, "wall_s")
        cpu = timing.median([s.cpu_s for s in c.samples])
        rate = f" {data_bytes / wall / 1e6:7.1f}" if data_bytes else ""
        print(f"  {name:18} {wall:10.3f}s  ({low:6.3f} - {high:6.3f})s {cpu:9.3f}s{rate}")


def goal(label: str, value: float, limit: float, at_most: bool, unit="x"):
    met = value <= limit if at_most else value >= limit
    relation = "<=" if at_most else ">="
    print(f"  {label}: {value:.2f}{unit} (goal {relation} {limit}{unit}): {'met' if met else 'NOT met'}")
    return met
