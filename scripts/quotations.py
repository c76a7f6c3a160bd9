#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The quotation list: build its resource bytes and check it.

  quotations.py build SOURCE OUTPUT        write the resource bytes of SOURCE to OUTPUT
  quotations.py check SOURCE [RESOURCE]    check SOURCE (and the built RESOURCE bytes)

SOURCE is UTF-8, one quotation per line, LF line ends. The resource is what the calendar
reads: UTF-16LE with the byte-order mark FF FE, CR LF between lines and nowhere else, and
the character U+0000 after the last line instead of a line end.

`check` prints the counts and the length distribution and exits 1 on any fault.
"""
import collections
import re
import sys
import unicodedata

LINE_COUNT = 2359
MIN_LENGTH = 26   # UTF-16 code units, attribution included
MAX_LENGTH = 182
BOM = b"\xff\xfe"
ATTRIBUTION = re.compile(r"\(([^()]+)\)\s*$")
FOLK_KINDS = ("Tục ngữ", "Ca dao", "Thành ngữ")


def read_source(path):
    with open(path, "rb") as f:
        data = f.read()
    text = data.decode("utf-8")  # a decoding error is a fault worth a traceback
    if text.endswith("\n"):
        text = text[:-1]
    return text.split("\n")


def resource_bytes(lines):
    body = "\r\n".join(lines) + "\0"
    return BOM + body.encode("utf-16-le")


def units(text):
    return len(text.encode("utf-16-le")) // 2


def fold(line):
    """The text of a line without its attribution, case, spaces and punctuation."""
    body = ATTRIBUTION.sub("", line)
    return "".join(c for c in body.casefold() if unicodedata.category(c)[0] in "LN")


def balanced(line):
    depth = 0
    for c in line:
        depth += (c == "(") - (c == ")")
        if depth < 0:
            return False
    return depth == 0


def check_lines(lines, faults):
    if len(lines) != LINE_COUNT:
        faults.append(f"{len(lines)} lines, expected {LINE_COUNT}")
    seen = {}
    for number, line in enumerate(lines, 1):
        where = f"line {number}"
        if not line.strip():
            faults.append(f"{where}: empty")
            continue
        if "\r" in line or "\0" in line:
            faults.append(f"{where}: holds a CR or NUL character")
        if unicodedata.normalize("NFC", line) != line:
            faults.append(f"{where}: not in NFC")
        length = units(line)
        if not MIN_LENGTH <= length <= MAX_LENGTH:
            faults.append(f"{where}: {length} code units, outside {MIN_LENGTH}..{MAX_LENGTH}")
        if not balanced(line):
            faults.append(f"{where}: unbalanced parentheses")
        key = fold(line)
        if key in seen:
            faults.append(f"{where}: same text as line {seen[key]}")
        else:
            seen[key] = number


def check_resource(data, lines, faults):
    if not data.startswith(BOM):
        faults.append("resource: does not start with the byte-order mark FF FE")
        return
    if len(data) % 2:
        faults.append("resource: odd number of bytes")
        return
    text = data[2:].decode("utf-16-le", errors="strict")
    if not text.endswith("\0") or text.endswith("\r\n\0"):
        faults.append("resource: the last line must end with U+0000 and no CR LF")
    stripped = text.replace("\r\n", "")
    if "\r" in stripped or "\n" in stripped:
        faults.append("resource: a lone CR or LF")
    if text[:-1].split("\r\n") != lines:
        faults.append("resource: lines differ from the source")
    if data != resource_bytes(lines):
        faults.append("resource: bytes differ from a fresh build of the source")


def report(lines):
    attributed = collections.Counter()
    for line in lines:
        m = ATTRIBUTION.search(line)
        attributed["attributed" if m else "unattributed"] += 1
        if m:
            who = m.group(1)
            attributed["folk" if who in FOLK_KINDS or who.startswith(("Tục ngữ", "Ngạn ngữ"))
                       else "person or work"] += 1
            attributed[who] += 0
    total = len(lines) or 1
    lengths = sorted(units(l) for l in lines)
    print(f"lines: {len(lines)}")
    print(f"attributed: {attributed['attributed']} ({100 * attributed['attributed'] / total:.1f}%),"
          f" of which folk or proverb kinds {attributed['folk']},"
          f" people or works {attributed['person or work']};"
          f" unattributed: {attributed['unattributed']}")
    if lengths:
        print(f"length in UTF-16 code units: shortest {lengths[0]}, median "
              f"{lengths[len(lengths) // 2]}, longest {lengths[-1]}")
        buckets = collections.Counter((n // 20) * 20 for n in lengths)
        for start in sorted(buckets):
            bar = "#" * max(1, buckets[start] * 60 // len(lengths))
            print(f"  {start:3d}-{start + 19:3d} {buckets[start]:5d} {bar}")
    kinds = collections.Counter()
    for line in lines:
        m = ATTRIBUTION.search(line)
        if m:
            kinds[m.group(1)] += 1
    print("most frequent attributions: " +
          ", ".join(f"{k} {n}" for k, n in kinds.most_common(12)))


def main(argv):
    if len(argv) >= 4 and argv[1] == "build":
        data = resource_bytes(read_source(argv[2]))
        try:
            with open(argv[3], "rb") as f:
                if f.read() == data:
                    return 0  # unchanged: keep the file and its time stamp
        except FileNotFoundError:
            pass
        with open(argv[3], "wb") as f:
            f.write(data)
        return 0
    if len(argv) in (3, 4) and argv[1] == "check":
        lines = read_source(argv[2])
        faults = []
        check_lines(lines, faults)
        if len(argv) == 4:
            with open(argv[3], "rb") as f:
                check_resource(f.read(), lines, faults)
        report(lines)
        for fault in faults[:200]:
            print("FAULT:", fault)
        if len(faults) > 200:
            print(f"FAULT: ... and {len(faults) - 200} more")
        print("ok" if not faults else f"{len(faults)} faults")
        return 1 if faults else 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
