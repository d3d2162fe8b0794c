#!/usr/bin/env python3
"""The benchmark suite's measurements and report; bench/run builds what it needs and
calls this. Sections (all by default):
  extract  extraction throughput of our engine on the host against unzip, bsdtar and
           the inflate-only limit, on both payloads;
  stub     stub overhead: the setup exe's size minus its payload, against NSIS';
  wine     silent installation wall time under Wine, ours against the NSIS peer, on
           both payloads, and the peak memory of those runs.
"""
import argparse
import sys
import zipfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "wine"))

from py import host_extraction, report, timing, wine_install  # noqa: E402


def payload_label(zip_path: Path) -> str:
    with zipfile.ZipFile(zip_path) as z:
        infos = z.infolist()
    inflated = sum(i.file_size for i in infos)
    return (f"{len(infos)} entries, {inflated / 1e6:.1f} MB inflated, "
            f"{zip_path.stat().st_size / 1e6:.1f} MB archive")


def extract_section(args, payloads):
    for label, zip_path in payloads:
        report.heading(f"Extraction on the host, {label} payload ({payload_label(zip_path)}); "
                       f"{args.host_rounds} alternated rounds")
        results, memory = host_extraction.measure(zip_path, args.work / "extract", args.host_bin, args.host_rounds)
        data = host_extraction.inflated_bytes(zip_path)
        report.timing_table(results, data)
        ours, walk = results["ours"], results["ours (walk)"]
        unzip, limit = results["unzip"], results["inflate only"]
        med = lambda c, a="wall_s": timing.median([getattr(s, a) for s in c.samples])  # noqa: E731
        report.goal("ours (with the temporary copy) vs unzip, throughput", med(unzip) / med(ours), 1.0, at_most=False)
        report.goal("ours (walk only) vs unzip, throughput", med(unzip) / med(walk), 1.0, at_most=False)
        report.goal("ours (with the temporary copy) vs inflate only, time", med(ours) / med(limit), 1.25, at_most=True)
        report.goal("ours (walk only) vs inflate only, time", med(walk) / med(limit), 1.25, at_most=True)
        print(f"  the same on CPU time: vs unzip {med(unzip, 'cpu_s') / med(ours, 'cpu_s'):.2f}x / "
              f"{med(unzip, 'cpu_s') / med(walk, 'cpu_s'):.2f}x throughput, vs inflate only "
              f"{med(ours, 'cpu_s') / med(limit, 'cpu_s'):.2f}x / {med(walk, 'cpu_s') / med(limit, 'cpu_s'):.2f}x time")
        peak = memory.peaks["VmHWM"] * 1024
        print(f"  peak memory of ours (VmHWM): {report.mib(peak)}, "
              f"{report.mib(peak - zip_path.stat().st_size)} beyond the mapped archive")
        args.host_peaks[label] = peak - zip_path.stat().st_size


def stub_section(args):
    report.heading("Stub overhead: installer size minus payload")
    worst = 0
    for label, exe, zip_path in (("stand-in", args.standin_exe, args.standin_zip),
                                 ("scaled", args.large_exe, args.large_zip)):
        overhead = exe.stat().st_size - zip_path.stat().st_size
        worst = max(worst, overhead)
        print(f"  ours, {label:8}: exe {exe.stat().st_size:,} - payload {zip_path.stat().st_size:,} "
              f"= {overhead:,} bytes ({report.kib(overhead)})")
    nofiles = args.nsis_dir / "nsis-nofiles.exe"
    print(f"  NSIS: the peer installer without its files: {nofiles.stat().st_size:,} bytes "
          f"({report.kib(nofiles.stat().st_size)})")
    for label in ("standin", "large"):
        exe = args.nsis_dir / f"nsis-{label}.exe"
        print(f"  NSIS, {label:8}: installer with the files {exe.stat().st_size:,} bytes")
    report.goal("ours, largest", worst / 1024, 256, at_most=True, unit=" KiB")
    print(f"  ratio ours / NSIS: {worst / nofiles.stat().st_size:.2f}x")


def wine_section(args):
    report.heading("Silent installation under Wine (fresh prefix per run, Wine and its desktop already running)")
    print("  making the prefix template ...", flush=True)
    peaks = {}
    with wine_install.Machine(args.work / "prefixes", args.wait_window) as machine:
        try:
            machine.make_template()
            for label, our_exe, zip_path, nsis_exe in (
                    ("stand-in", args.standin_exe, args.standin_zip, args.nsis_dir / "nsis-standin.exe"),
                    ("scaled", args.large_exe, args.large_zip, args.nsis_dir / "nsis-large.exe")):
                installers = [wine_install.Installer("ours", our_exe, wine_install.OUR_OPTIONS, zip_path),
                              wine_install.Installer("NSIS", nsis_exe, [], zip_path)]
                print(f"\n  {label} payload ({payload_label(zip_path)})")
                if not args.no_check:
                    for installer in installers:
                        problems = wine_install.check_installation(machine, installer, args.read_link)
                        verdict = "does the whole work" if not problems else f"{len(problems)} differences"
                        print(f"  check run, {installer.name}: {verdict}")
                        for problem in problems[:args.show_problems]:
                            print(f"      {problem}")
                results = wine_install.measure(machine, installers, args.wine_rounds)
                print(f"  {args.wine_rounds} alternated rounds:")
                report.timing_table(results)
                ours = timing.median([s.wall_s for s in results["ours"].samples])
                nsis = timing.median([s.wall_s for s in results["NSIS"].samples])
                report.goal(f"ours vs NSIS, wall time, {label}", ours / nsis, 0.8, at_most=True)
                ours_cpu = timing.median([s.cpu_s for s in results["ours"].samples])
                nsis_cpu = timing.median([s.cpu_s for s in results["NSIS"].samples])
                print(f"  ours vs NSIS, CPU time of the installer's process: {ours_cpu / nsis_cpu:.2f}x")
                for installer in installers:
                    samples = results[installer.name].samples
                    hwms = [s.peaks.get("VmHWM", 0) * 1024 for s in samples]
                    peak = timing.median(hwms)
                    anon = timing.median([s.peaks.get("RssAnon", 0) * 1024 for s in samples])
                    # Wine maps our exe with its payload resource; NSIS' data lies after
                    # its image, read from the file and never mapped.
                    mapped = installer.exe.stat().st_size if installer.name == "ours" else 0
                    beyond = peak - mapped
                    peaks.setdefault(installer.name, {})[label] = beyond
                    print(f"  peak memory, {installer.name:4}: VmHWM {report.mib(peak)} (median; "
                          f"{report.mib(min(hwms))} - {report.mib(max(hwms))}), of it anonymous {report.mib(anon)}; "
                          + (f"{report.mib(beyond)} beyond the mapped exe of {report.mib(mapped)}" if mapped
                             else "its data is read from the file, not mapped"))
        finally:
            wine_install.remove_work(machine.work)
    report.heading("Peak memory beyond the mapped resource, stand-in vs scaled payload")
    for name, by_payload in peaks.items():
        if len(by_payload) == 2:
            growth = by_payload["scaled"] - by_payload["stand-in"]
            line = f"Wine, {name}: {report.mib(by_payload['stand-in'])} -> {report.mib(by_payload['scaled'])}"
            if name == "ours":
                report.goal(line + ", growth", growth / 1048576, 1.0, at_most=True, unit=" MiB")
            else:
                print(f"  {line}, growth {report.mib(growth)}")
    if len(args.host_peaks) == 2:
        growth = args.host_peaks["scaled"] - args.host_peaks["stand-in"]
        report.goal(f"host engine: {report.mib(args.host_peaks['stand-in'])} -> "
                    f"{report.mib(args.host_peaks['scaled'])}, growth", growth / 1048576, 1.0,
                    at_most=True, unit=" MiB")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    for name in ("host-bin", "standin-exe", "standin-zip", "large-exe", "large-zip", "nsis-dir", "work",
                 "wait-window", "read-link"):
        parser.add_argument(f"--{name}", type=Path, required=True)
    parser.add_argument("--sections", default="extract,stub,wine")
    parser.add_argument("--host-rounds", type=int, default=7)
    parser.add_argument("--wine-rounds", type=int, default=5)
    parser.add_argument("--no-check", action="store_true", help="skip the untimed check runs under Wine")
    parser.add_argument("--show-problems", type=int, default=8)
    args = parser.parse_args()
    for name, value in vars(args).items():
        if isinstance(value, Path):
            setattr(args, name, value.resolve())  # the runs start in other folders
    args.host_peaks = {}
    sections = args.sections.split(",")
    print("Benchmarks on a shared machine: medians of alternated rounds; the spread is shown.")
    if "stub" in sections:
        stub_section(args)
    if "extract" in sections:
        extract_section(args, (("stand-in", args.standin_zip), ("scaled", args.large_zip)))
    if "wine" in sections:
        wine_section(args)
    return 0


if __name__ == "__main__":
    sys.exit(main())
