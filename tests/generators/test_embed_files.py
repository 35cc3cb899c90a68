"""The embedding of checked-in files into the asset tool."""
import re
import sys
import tempfile
import types
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "generators"))

import embed_files  # noqa: E402


def literal_bytes(text):
    """The bytes of adjacent C++ string literals as embed_files writes them."""
    named = {"\\": b"\\", '"': b'"', "r": b"\r", "n": b"\n", "t": b"\t"}
    out = bytearray()
    for body in re.findall(r'"((?:[^"\\]|\\.)*)"', text, re.S):
        i = 0
        while i < len(body):
            if body[i] != "\\":
                out += body[i].encode("ascii")
                i += 1
            elif body[i + 1] in named:
                out += named[body[i + 1]]
                i += 2
            else:
                out.append(int(body[i + 1:i + 4], 8))
                i += 4
    return bytes(out)


class EmbedFiles(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)
        self.args = types.SimpleNamespace(folder="levels", header="x.h", function="files")

    def test_every_byte_survives_in_long_files_and_the_entries_are_in_name_order(self):
        data = bytes(range(256)) * 40 + b"7\0" + b"1"  # past one 4096-byte piece; an octal escape before a digit
        second = Path(self.folder.name) / "act2.layout"
        first = Path(self.folder.name) / "act1.layout"
        second.write_bytes(b"Sign_1 14992 0 object 2\n")
        first.write_bytes(data)
        (text,) = embed_files.embed_files([str(second), str(first)], ["out.cpp"], self.args)
        entries = re.findall(r'\{("levels/[^"]*"),\s*std::string\((.*?),\s*(\d+)\)\}', text, re.S)
        self.assertEqual([e[0] for e in entries], ['"levels/act1.layout"', '"levels/act2.layout"'])
        self.assertEqual(literal_bytes(entries[0][1]), data)
        self.assertEqual(int(entries[0][2]), len(data))
        self.assertEqual(literal_bytes(entries[1][1]), b"Sign_1 14992 0 object 2\n")

    def test_no_files_give_an_empty_list(self):
        (text,) = embed_files.embed_files([], ["out.cpp"], self.args)
        self.assertIn("files()", text)
        self.assertNotIn("levels/", text)


if __name__ == "__main__":
    unittest.main()
