"""The release-notes conversion: byte order mark and CR LF whatever the source used."""

import unittest

from text_to_utf16 import convert


class Convert(unittest.TestCase):
    def test_line_ends(self):
        cases = {
            "a\nb\n": "\ufeffa\r\nb\r\n",
            "a\r\nb": "\ufeffa\r\nb",
            "a\rb": "\ufeffa\r\nb",
            "a\r\n\r\nb\n\n": "\ufeffa\r\n\r\nb\r\n\r\n",
            "": "\ufeff",
        }
        for source, expected in cases.items():
            with self.subTest(source=source):
                self.assertEqual(convert(source), expected)


if __name__ == "__main__":
    unittest.main()
