#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The quotation checker refuses each kind of fault, and the build writes the exact bytes."""
import importlib.util
import os
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SCRIPT = os.path.join(HERE, "..", "..", "scripts", "quotations.py")
module_spec = importlib.util.spec_from_file_location("quotations", SCRIPT)
quotations = importlib.util.module_from_spec(module_spec)
module_spec.loader.exec_module(quotations)


def good_lines():
    # Distinct texts of a valid length, enough for the required count.
    return [f"Câu thứ {n} của danh sách thử nghiệm (Tục ngữ)" for n in range(quotations.LINE_COUNT)]


def faults_of(lines, resource=None):
    faults = []
    quotations.check_lines(lines, faults)
    if resource is not None:
        quotations.check_resource(resource, lines, faults)
    return faults


class Checker(unittest.TestCase):
    def test_valid_list_passes(self):
        lines = good_lines()
        self.assertEqual(faults_of(lines, quotations.resource_bytes(lines)), [])

    def test_each_fault_is_reported(self):
        cases = {
            "count": lambda l: l[:-1],
            "empty": lambda l: l[:5] + ["   "] + l[6:],
            "too short": lambda l: l[:5] + ["Ngắn quá (Tục ngữ)"] + l[6:],
            "too long": lambda l: l[:5] + ["a" * 183] + l[6:],
            "not NFC": lambda l: l[:5] + ["Tie\u0302\u0301ng no\u0301i cu\u0309a nga\u0300n xưa (Ca dao)"] + l[6:],
            "parentheses": lambda l: l[:5] + ["Một câu có ngoặc mở mà không đóng (Tục ngữ"] + l[6:],
            "duplicate up to case and punctuation":
                lambda l: l[:5] + ["CÂU THỨ 7 CỦA  DANH SÁCH, THỬ NGHIỆM! (Ca dao)"] + l[6:],
        }
        for name, damage in cases.items():
            with self.subTest(name):
                self.assertNotEqual(faults_of(damage(good_lines())), [], name)

    def test_resource_faults_are_reported(self):
        lines = good_lines()
        data = quotations.resource_bytes(lines)
        cases = {
            "no byte-order mark": data[2:],
            "big-endian mark": b"\xfe\xff" + data[2:],
            "line end after the last line": data[:-2] + "\r\n\0".encode("utf-16-le"),
            "lone LF": data.replace("\r\n".encode("utf-16-le"), "\n".encode("utf-16-le"), 1),
            "no closing NUL": data[:-2],
        }
        for name, damaged in cases.items():
            with self.subTest(name):
                self.assertNotEqual(faults_of(lines, damaged), [], name)

    def test_built_bytes(self):
        data = quotations.resource_bytes(["Một", "Hai"])
        self.assertEqual(data, b"\xff\xfe" + "Một\r\nHai\0".encode("utf-16-le"))

    def test_build_rewrites_only_changed_bytes(self):
        with tempfile.TemporaryDirectory() as tmp:
            source = os.path.join(tmp, "q.txt")
            out = os.path.join(tmp, "999")
            with open(source, "w", encoding="utf-8") as f:
                f.write("Một\nHai\n")
            self.assertEqual(quotations.main(["q", "build", source, out]), 0)
            os.utime(out, (1, 1))
            self.assertEqual(quotations.main(["q", "build", source, out]), 0)
            self.assertEqual(os.stat(out).st_mtime, 1)
            with open(out, "rb") as f:
                self.assertEqual(f.read(), b"\xff\xfe" + "Một\r\nHai\0".encode("utf-16-le"))


if __name__ == "__main__":
    unittest.main()
