"""Compares a prefix's registry after an installation with the expected entries."""
from . import registry
from .expected_registration import SCOPE, Installation, expected_registry, forbidden_keys


def scoped(export: dict) -> dict:
    """The part of an export that the registration pass may touch."""
    out = {}
    for key in SCOPE:
        out.update(registry.subtree(export, key))
    return out


def _ancestors(key: str):
    parts = key.split("\\")
    return {"\\".join(parts[:n]).lower() for n in range(1, len(parts) + 1)}


def registration_problems(before: dict, after: dict, inst: Installation) -> list:
    """Every difference between what the installation wrote (`after` against the
    untouched `before`) and what it should have written; empty when they agree."""
    expected = expected_registry(inst)
    problems = []
    for key, values in expected.items():
        actual = registry.find_key(after, key)
        if actual is None:
            problems.append(f"missing key {key}")
            continue
        actual_by_name = {name.lower(): value for name, value in actual.items()}
        for name, value in values.items():
            got = actual_by_name.get(name.lower())
            if got != value:
                problems.append(f"{key} [{name or '@'}]: {got!r}, expected {value!r}")
    forbidden = [k.lower() for k in forbidden_keys(inst)]
    for key in forbidden:
        if registry.find_key(after, key) is not None:
            problems.append(f"key {key} should not exist")

    # Nothing written beyond the expected values (a key may appear on the way to
    # an expected one).
    allowed_keys = set()
    for key in expected:
        allowed_keys |= _ancestors(key)
    allowed_values = {(k.lower(), n.lower()) for k, values in expected.items() for n in values}
    change = registry.changes(scoped(before), scoped(after))
    for (key, name), value in sorted(change["set"].items(), key=lambda kv: (kv[0][0], kv[0][1] or "")):
        if name is None:
            if key not in allowed_keys:
                problems.append(f"unexpected key {key}")
        elif (key, name) not in allowed_values:
            problems.append(f"unexpected value {key} [{name or '@'}] = {value!r}")
    for key, name in sorted(change["removed"], key=lambda kn: (kn[0], kn[1] or "")):
        if any(key == f or key.startswith(f + "\\") for f in forbidden):
            continue  # its absence is checked above
        problems.append(f"removed: {key}" + (f" [{name or '@'}]" if name is not None else ""))
    return problems
