"""The frame of every Wine test script: arguments, a fresh prefix per case, cleanup
even on failure, and a table of cases with one verdict each.

A script defines functions `case(ctx)` and calls `main({"name": function, ...})`.
Exit codes: 0 all passed, 1 a case failed, 77 skipped (CTest's SKIP_RETURN_CODE).
"""
import argparse
import contextlib
import os
import signal
import sys
import time
import traceback
import uuid
from pathlib import Path

from . import prefix as prefixes
from . import registry
from .expected_registration import SCOPE
from .prefix import Prefix, template_registry_folder

SKIP_RETURN_CODE = 77


class CaseFailed(AssertionError):
    pass


class Context:
    """What a case gets: the programs under test, fresh prefixes, and checks that
    collect every problem of the case instead of stopping at the first."""

    def __init__(self, args, case_name):
        self.setup_exe = Path(args.setup).resolve() if args.setup else None
        self.payload_zip = Path(args.payload).resolve() if args.payload else None
        self.read_link_exe = Path(args.read_link).resolve() if args.read_link else None
        self.print_version_exe = Path(args.print_version).resolve() if args.print_version else None
        self.wait_window_exe = Path(args.wait_window).resolve() if args.wait_window else None
        self.template = Path(args.template).resolve()
        self.work = Path(args.work).resolve()
        self.case_name = case_name
        self.problems = []
        self._prefixes = []

    def prefix(self) -> Prefix:
        """A new copy of the template, removed when the case ends."""
        path = self.work / f"{self.case_name}-{os.getpid()}-{uuid.uuid4().hex[:6]}"
        made = prefixes.clone(self.template, path)
        self._prefixes.append(made)
        return made

    def start_folder(self, prefix: Prefix, name="start") -> Path:
        """An empty folder in C: to start the setup program in (its log lands there)."""
        folder = prefix.drive_c / name
        folder.mkdir(parents=True, exist_ok=True)
        return folder

    def run_setup(self, prefix: Prefix, args, cwd: Path, display=None) -> int:
        return prefix.run(self.setup_exe, args, cwd=cwd, display=display)

    def template_registry(self) -> dict:
        """The registry, within the installation's scope, of an untouched prefix."""
        folder = template_registry_folder(self.template)
        if not any(folder.glob("*.reg")):
            raise RuntimeError(f"no registry export of the template in {folder}")
        return registry.read_exported(folder)

    def registry(self, prefix: Prefix) -> dict:
        """The prefix's registry within the installation's scope."""
        return registry.export(prefix, *SCOPE)

    def check(self, condition, message):
        if not condition:
            self.problems.append(message)
        return bool(condition)

    def check_equal(self, actual, expected, what):
        return self.check(actual == expected, f"{what}: got {actual!r}, expected {expected!r}")

    def check_none(self, problems, what):
        """Records a list of problems found by a comparison helper."""
        for problem in problems:
            self.problems.append(f"{what}: {problem}")
        return not problems

    def require(self, condition, message):
        """Like check, but ends the case: the rest would only repeat the failure."""
        if not condition:
            self.problems.append(message)
            raise CaseFailed(message)

    def cleanup(self):
        for made in self._prefixes:
            if os.environ.get("LUMORA_WINE_KEEP"):
                made.kill_server()
                print(f"  kept prefix {made.path}")
            else:
                prefixes.remove(made)
        self._prefixes.clear()


def _parse_arguments(argv):
    parser = argparse.ArgumentParser()
    parser.add_argument("--setup", help="the setup program under test")
    parser.add_argument("--payload", help="the payload archive packed into it")
    parser.add_argument("--read-link", help="read_link.exe")
    parser.add_argument("--print-version", help="print_version.exe")
    parser.add_argument("--wait-window", help="wait_window.exe")
    parser.add_argument("--template", required=True, help="the prefix template")
    parser.add_argument("--work", required=True, help="where case prefixes are made")
    parser.add_argument("--case", action="append", help="run only these cases")
    parser.add_argument("--skip", help="skip every case, giving this reason")
    return parser.parse_args(argv)


def _raise_on_termination(signum, _frame):
    raise SystemExit(f"terminated by signal {signum}")


def main(cases: dict, argv=None):
    args = _parse_arguments(sys.argv[1:] if argv is None else argv)
    if args.skip:
        print(f"SKIPPED: {args.skip}")
        sys.exit(SKIP_RETURN_CODE)
    signal.signal(signal.SIGTERM, _raise_on_termination)
    selected = {n: f for n, f in cases.items() if not args.case or n in args.case}
    if not selected:
        print(f"no case matches {args.case}; cases: {', '.join(cases)}")
        sys.exit(1)
    failed = []
    for name, function in selected.items():
        ctx = Context(args, name)
        started = time.monotonic()
        try:
            function(ctx)
        except CaseFailed:
            pass
        except Exception:  # a broken harness or Wine fails the case, not the table
            ctx.problems.append("error:\n" + traceback.format_exc())
        finally:
            with contextlib.suppress(Exception):
                ctx.cleanup()
        verdict = "FAIL" if ctx.problems else "ok"
        print(f"{verdict:4} {name} ({time.monotonic() - started:.1f} s)")
        for problem in ctx.problems[:60]:
            print("     " + problem.replace("\n", "\n     "))
        if len(ctx.problems) > 60:
            print(f"     ... and {len(ctx.problems) - 60} more")
        if ctx.problems:
            failed.append(name)
        sys.stdout.flush()
    print(f"{len(selected) - len(failed)} of {len(selected)} cases passed")
    sys.exit(1 if failed else 0)
