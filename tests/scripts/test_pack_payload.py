"""The payload packer: entry order, lookup in the roots, the fixed ZIP fields the
installer and reproducible builds rely on, and refusal of names it cannot install."""

import io
import os
import subprocess
import sys
import tempfile
import unittest
import zipfile

import pack_payload

SCRIPT = pack_payload.__file__


def write(root, name, data=b""):
    path = os.path.join(root, *name.split("/"))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)


def run(*arguments):
    return subprocess.run([sys.executable, SCRIPT, *arguments], capture_output=True, text=True)


class FolderOrder(unittest.TestCase):
    def test_folder_entry_then_files_then_sub_folders_each_sorted(self):
        with tempfile.TemporaryDirectory() as root:
            for name in ("b.txt", "a.txt", "Z/x.dll", "Z/Deep/y.dll", "A/c.txt"):
                write(root, name)
            os.makedirs(os.path.join(root, "Empty"))
            names = [name for name, _ in pack_payload.entries_of_folder(root)]
        self.assertEqual(names, ["a.txt", "b.txt", "A/", "A/c.txt", "Empty/", "Z/", "Z/x.dll",
                                 "Z/Deep/", "Z/Deep/y.dll"])


class ManifestLookup(unittest.TestCase):
    def test_roots_and_order(self):
        with tempfile.TemporaryDirectory() as first, tempfile.TemporaryDirectory() as second, \
                tempfile.TemporaryDirectory() as work:
            write(first, "Plugins/a.dll", b"A")
            write(second, "readme.txt", b"R")
            manifest = os.path.join(work, "manifest.txt")
            with open(manifest, "w") as out:
                out.write("# comment\nPlugins/a.dll\n\nPlugins/   # folder after its file\nreadme.txt\n")
            entries = pack_payload.entries_of_manifest(manifest, [first, second])
        self.assertEqual([(name, path is None) for name, path in entries],
                         [("Plugins/a.dll", False), ("Plugins/", True), ("readme.txt", False)])

    def test_a_file_must_be_in_exactly_one_root(self):
        cases = {"missing": [], "in two roots": ["x.txt", "x.txt"]}
        for label, placements in cases.items():
            with self.subTest(label), tempfile.TemporaryDirectory() as work:
                roots = []
                for index, name in enumerate(placements or [None]):
                    root = os.path.join(work, f"root{index}")
                    os.makedirs(root)
                    if name:
                        write(root, name)
                    roots.append(root)
                manifest = os.path.join(work, "manifest.txt")
                with open(manifest, "w") as out:
                    out.write("x.txt\n")
                with self.assertRaises(pack_payload.PackError):
                    pack_payload.entries_of_manifest(manifest, roots)


class ArchiveFields(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.TemporaryDirectory()
        root = self.work.name
        write(root, "product/l_mora64.exe", b"MZ" + bytes(range(256)) * 40)
        write(root, "product/Plugins/Icons.dll", b"x" * 5000)
        write(root, "product/empty.txt", b"")
        self.product = os.path.join(root, "product")

    def tearDown(self):
        self.work.cleanup()

    def pack(self, name="out.zip", *extra):
        output = os.path.join(self.work.name, name)
        result = run(output, "--folder", self.product, *extra)
        self.assertEqual(result.returncode, 0, result.stderr)
        with open(output, "rb") as packed:
            return packed.read()

    def test_entries_read_back_with_fixed_fields(self):
        data = self.pack()
        with zipfile.ZipFile(io.BytesIO(data)) as archive:
            self.assertIsNone(archive.testzip())
            infos = {info.filename: info for info in archive.infolist()}
            self.assertEqual(archive.read("l_mora64.exe")[:2], b"MZ")
        self.assertEqual(list(infos), ["empty.txt", "l_mora64.exe", "Plugins/", "Plugins/Icons.dll"])
        for name, info in infos.items():
            with self.subTest(name):
                folder = name.endswith("/")
                self.assertEqual(info.date_time, (2025, 5, 12, 10, 18, 0))
                self.assertEqual(info.create_system, 0)
                self.assertEqual(info.external_attr, 0x10 if folder else 0x20)
                self.assertEqual(info.compress_type, zipfile.ZIP_STORED if folder else zipfile.ZIP_DEFLATED)
                self.assertEqual(info.extra, b"")
                self.assertEqual(info.flag_bits, 0)

    def test_same_input_gives_the_same_bytes_whatever_the_file_times(self):
        first = self.pack("first.zip")
        os.utime(os.path.join(self.product, "empty.txt"), (0, 0))
        self.assertEqual(first, self.pack("second.zip"))

    def test_time_option(self):
        data = self.pack("timed.zip", "--time", "2001-02-03 04:05:06")
        with zipfile.ZipFile(io.BytesIO(data)) as archive:
            self.assertEqual(archive.infolist()[0].date_time, (2001, 2, 3, 4, 5, 6))

    def test_failure_leaves_no_archive(self):
        output = os.path.join(self.work.name, "bad.zip")
        write(self.product, "caf\u00e9.txt")
        result = run(output, "--folder", self.product)
        self.assertNotEqual(result.returncode, 0)
        self.assertIn("ASCII", result.stderr)
        self.assertFalse(os.path.exists(output))


class Refusals(unittest.TestCase):
    def test_names_the_installer_cannot_take(self):
        for name in ["", "/abs.txt", "a\\b.txt", "a//b.txt", "../up.txt", "a/../b.txt", "caf\u00e9.txt",
                     "tab\there.txt", "x" * 324]:
            with self.subTest(name=name):
                with self.assertRaises(pack_payload.PackError):
                    pack_payload.check_name(name)
        pack_payload.check_name("x" * 323)
        pack_payload.check_name("Plugins/Plugins32/")

    def test_duplicates_differing_in_case(self):
        with self.assertRaises(pack_payload.PackError):
            pack_payload.zip_bytes([("Plugins/", None), ("plugins/", None)], 0, 0)

    def test_dos_date_time(self):
        self.assertEqual(pack_payload.dos_date_time("2025-05-12 10:18:00"),
                         ((2025 - 1980) << 9 | 5 << 5 | 12, 10 << 11 | 18 << 5))
        for text in ("1979-12-31 00:00:00", "2025-05-12 10:18:01"):
            with self.subTest(text), self.assertRaises(pack_payload.PackError):
                pack_payload.dos_date_time(text)


if __name__ == "__main__":
    unittest.main()
