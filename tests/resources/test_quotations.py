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
    # Distinct texts of a valid length, enough for the required count; no two share a pair
    # of words, since every number stands in one place of one line only.
    return [f"Dòng {n} ghi {n + 1} rồi {n + 2} và {n + 3} nữa (Tục ngữ)"
            for n in range(0, 4 * quotations.LINE_COUNT, 4)]


def faults_of(lines, resource=None):
    faults = []
    quotations.check_lines(lines, faults, accepted=())
    if resource is not None:
        quotations.check_resource(resource, lines, faults)
    return faults


def faults_from(check, lines, *args):
    faults = []
    check(lines, faults, *args)
    return faults


class Checker(unittest.TestCase):
    def test_valid_list_passes(self):
        lines = good_lines()
        self.assertEqual(faults_of(lines, quotations.resource_bytes(lines)), [])

    def test_each_fault_is_reported(self):
        def put(text):
            return lambda l: l[:5] + [text] + l[6:]

        cases = {
            "count": (lambda l: l[:-1], "expected"),
            "empty": (put("   "), "empty"),
            "too short": (put("Ngắn quá (Tục ngữ)"), "code units"),
            "too long": (put("a" * 183), "code units"),
            "not NFC": (put("Tie\u0302\u0301ng no\u0301i cu\u0309a nga\u0300n xưa (Ca dao)"),
                        "NFC"),
            "parentheses": (put("Một câu có ngoặc mở mà không đóng (Tục ngữ"), "parentheses"),
            "duplicate up to case and punctuation":
                (put("DÒNG 28 GHI 29, RỒI 30 VÀ 31 NỮA! (Ca dao)"), "same text"),
            "label outside the list":
                (put("Một câu của một châu lục (Tục ngữ Châu Phi)"), "list of labels"),
            "near duplicate":
                (put("Rồi thì dòng 28 ghi 29 rồi 30 và 31 nữa (Tục ngữ)"), "near duplicate"),
            "work over the cap":
                (lambda l: [t.replace("(Tục ngữ)", "(Chinh phụ ngâm)") for t in l[:9]] + l[9:],
                 "more than"),
        }
        for name, (damage, fragment) in cases.items():
            with self.subTest(name):
                faults = faults_of(damage(good_lines()))
                self.assertTrue(any(fragment in fault for fault in faults), faults)

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


class NearDuplicates(unittest.TestCase):
    # One saying given twice in slightly different words, as the first edition had it.
    WINE = ("Rượu gặp tri kỷ nghìn chén vẫn ít, lời không hợp ý nửa câu cũng thừa "
            "(Ngạn ngữ Trung Hoa)")
    WINE_AGAIN = "Rượu gặp tri kỷ nghìn chén còn ít, lời chẳng hợp nhau nửa câu cũng thừa."
    OTHER = "Có công mài sắt, có ngày nên kim (Tục ngữ)"

    def test_a_saying_in_other_words_is_flagged(self):
        self.assertEqual(quotations.near_duplicates([self.WINE, self.OTHER, self.WINE_AGAIN]),
                         [(0, 2)])

    def test_a_four_syllable_idiom_quoted_inside_a_longer_line_is_flagged(self):
        lines = ["Nằm gai nếm mật (Thành ngữ)",
                 "Mười năm nằm gai nếm mật mới thấy ngày vui (Tục ngữ)"]
        self.assertEqual(quotations.near_duplicates(lines), [(0, 1)])

    def test_shared_pairs_must_reach_the_count_and_the_share(self):
        # Two shared word pairs are too few, however short the line.
        two = ["Nằm gai nếm mật (Thành ngữ)", "Chốc đà mười năm, nếm mật nằm gai (Tục ngữ)"]
        self.assertEqual(quotations.near_duplicates(two), [])
        # Three shared pairs of the shorter line's ten make the share exactly: flagged.
        ten = ["a b c d e f g h i j k", "a b c d l m n o p q r"]
        self.assertEqual(quotations.near_duplicates(ten), [(0, 1)])
        # Three of eleven fall short of it.
        eleven = ["a b c d e f g h i j k l", "a b c d m n o p q r s t"]
        self.assertEqual(quotations.near_duplicates(eleven), [])

    def test_stock_phrases_are_no_evidence(self):
        first = "Người quân tử không phải là người nói nhiều"
        second = "Người quân tử không phải là kẻ ham lợi"
        self.assertEqual(quotations.near_duplicates([first, second]), [(0, 1)])
        # The same two lines among enough others using those words: the words are stock.
        others = [f"Người quân tử không phải là điều {n} cả" for n in range(quotations.STOCK_LINES)]
        self.assertEqual(quotations.near_duplicates([first, second] + others), [])

    def test_accepted_pair_passes_and_a_stale_entry_is_a_fault(self):
        lines = [self.WINE, self.WINE_AGAIN]
        check = quotations.check_near_duplicates
        self.assertEqual(len(faults_from(check, lines, ())), 1)
        accepted = (("rượu gặp tri kỷ nghìn chén", "rượu gặp tri kỷ nghìn chén"),)
        # Both lines open with the same six words: the entry names this very pair.
        self.assertEqual(faults_from(check, lines, accepted), [])
        stale = (("rượu gặp tri kỷ nghìn chén", "có công mài sắt có ngày"),)
        faults = faults_from(check, lines, stale)
        self.assertEqual(len(faults), 2, faults)  # the pair itself, and the entry naming no pair


class Labels(unittest.TestCase):
    def test_every_kind_of_label_and_no_label_pass(self):
        lines = ["Một câu không có tác giả nào cả.",
                 "Có công mài sắt, có ngày nên kim (Tục ngữ)",
                 "Nhất thì, nhì thục (Tục ngữ)",
                 "Thuốc đắng dã tật, sự thật mất lòng (Tục ngữ)",
                 "Khách thì hai ngày, đến ngày thứ ba hãy đưa cho khách cái cuốc (Tục ngữ Swahili)",
                 "Trăm năm trong cõi người ta, chữ tài chữ mệnh khéo là ghét nhau (Nguyễn Du)",
                 "Ngàn dâu xanh ngắt một màu, lòng chàng ý thiếp ai sầu hơn ai? (Chinh phụ ngâm)",
                 "Dễ thấy lỗi người, khó thấy lỗi mình (Kinh Pháp Cú)"]
        self.assertEqual(faults_from(quotations.check_labels, lines), [])

    def test_a_label_outside_the_list_is_a_fault(self):
        for label in ("Tục ngữ Châu Phi", "Khuyết danh", "tục ngữ"):
            with self.subTest(label):
                faults = faults_from(quotations.check_labels, [f"Một câu nói nào đó ({label})"])
                self.assertEqual(len(faults), 1)
                self.assertIn("not in the list of labels", faults[0])

    def test_luc_bat_couplets_are_ca_dao(self):
        couplet = "Lời nói chẳng mất tiền mua, lựa lời mà nói cho vừa lòng nhau"
        self.assertEqual(faults_from(quotations.check_labels, [couplet + " (Ca dao)"]), [])
        for label in ("Tục ngữ", "Thành ngữ"):
            with self.subTest(label):
                faults = faults_from(quotations.check_labels, [f"{couplet} ({label})"])
                self.assertEqual(len(faults), 1)
                self.assertIn("lục bát", faults[0])
        # Two couplets, and a pause inside the six: still the form.
        self.assertTrue(quotations.is_luc_bat(
            "Bây giờ mận mới hỏi đào, vườn hồng đã có ai vào hay chưa? "
            "Mận hỏi thì đào xin thưa, vườn hồng có lối nhưng chưa ai vào"))
        self.assertTrue(quotations.is_luc_bat(
            "Tậu trâu, lấy vợ, làm nhà, trong ba việc ấy thật là khó thay"))
        # Fourteen syllables as seven and seven are not.
        self.assertFalse(quotations.is_luc_bat(
            "Gần nhà giàu đau răng ăn cốm, gần kẻ trộm ốm lưng chịu đòn"))

    def test_four_syllable_idioms_are_thanh_ngu(self):
        self.assertEqual(faults_from(quotations.check_labels, ["Uống nước nhớ nguồn (Thành ngữ)"]),
                         [])
        for label in ("Tục ngữ", "Ca dao"):
            with self.subTest(label):
                faults = faults_from(quotations.check_labels, [f"Uống nước nhớ nguồn ({label})"])
                self.assertEqual(len(faults), 1)
                self.assertIn("four-syllable", faults[0])
        # Two halves of two syllables are a short proverb, and so are five syllables.
        self.assertEqual(faults_from(quotations.check_labels,
                                     ["Chuối sau, cau trước (Tục ngữ)",
                                      "Gieo gió thì gặt bão (Tục ngữ)"]), [])


class WorkCap(unittest.TestCase):
    def lines_of(self, label, count):
        return [f"Câu số {n} của cùng một nguồn ({label})" for n in range(count)]

    def test_a_work_may_give_up_to_the_cap(self):
        lines = self.lines_of("Chinh phụ ngâm", quotations.WORK_CAP)
        self.assertEqual(faults_from(quotations.check_work_caps, lines), [])

    def test_one_line_over_the_cap_is_a_fault(self):
        lines = self.lines_of("Chinh phụ ngâm", quotations.WORK_CAP + 1)
        faults = faults_from(quotations.check_work_caps, lines)
        self.assertEqual(len(faults), 1)
        self.assertIn("Chinh phụ ngâm", faults[0])

    def test_people_collections_and_folk_kinds_have_no_cap(self):
        for label in ("Nguyễn Du", "Kinh Pháp Cú", "Ca dao"):
            with self.subTest(label):
                lines = self.lines_of(label, quotations.WORK_CAP + 5)
                self.assertEqual(faults_from(quotations.check_work_caps, lines), [])


if __name__ == "__main__":
    unittest.main()
