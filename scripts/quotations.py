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
WORD = re.compile(r"\w+")
PAUSE = re.compile(r"[,;:.!?]")

# --- Checking the list ---------------------------------------------------------------------
# The editorial policy these rules hold the list to is written in resources/README.md: what
# a line may be, how it is labelled, and how many lines one work may give.

# The labels a line may end with, by kind. A label outside these tuples is a fault: adding
# one is an editorial decision, taken here.
VIETNAMESE_FOLK = ("Tục ngữ", "Ca dao", "Thành ngữ")
FOREIGN_FOLK = (
    "Ngạn ngữ Pháp", "Ngạn ngữ Trung Hoa", "Ngạn ngữ Ả Rập", "Tục ngữ Anh", "Tục ngữ Latinh",
    "Tục ngữ Nga", "Tục ngữ Nhật Bản", "Tục ngữ Swahili", "Tục ngữ Đức", "Tục ngữ Ấn Độ",
)
PEOPLE = (
    "Albert Einstein", "Anton Chekhov", "Archimedes", "Aristotle", "Benjamin Franklin",
    "Blaise Pascal", "Bà Huyện Thanh Quan", "Cao Bá Quát", "Chế Lan Viên", "Cicero",
    "Epictetus", "Francis Bacon", "Gia Cát Lượng", "Goethe", "Heraclitus", "Hippocrates",
    "Horace", "Huy Cận", "Hàn Dũ", "Hàn Mặc Tử", "Hồ Chí Minh", "Hồ Xuân Hương",
    "Isaac Newton", "Julius Caesar", "Juvenal", "Khổng Tử", "La Fontaine", "Lev Tolstoy",
    "Lão Tử", "Lý Bạch", "Lý Công Uẩn", "Lưu Bị", "Lưu Trọng Lư", "Lỗ Tấn", "Marcus Aurelius",
    "Montaigne", "Mãn Giác", "Mạnh Tử", "Nguyễn Bá Học", "Nguyễn Bính", "Nguyễn Bỉnh Khiêm",
    "Nguyễn Công Trứ", "Nguyễn Du", "Nguyễn Gia Thiều", "Nguyễn Khuyến", "Nguyễn Thái Học",
    "Nguyễn Trung Trực", "Nguyễn Trãi", "Nguyễn Đình Chiểu", "Phan Bội Châu", "Phạm Ngũ Lão",
    "Phạm Trọng Yêm", "Plato", "Quang Dũng", "Quang Trung", "Rabindranath Tagore",
    "René Descartes", "Seneca", "Socrates", "Terence", "Thâm Tâm", "Thế Lữ", "Trang Tử",
    "Trần Bình Trọng", "Trần Hưng Đạo", "Trần Nhân Tông", "Trần Thủ Độ", "Tuân Tử", "Tú Xương",
    "Tô Thức", "Tôn Tử", "Tăng Tử", "Tư Mã Thiên", "Tản Đà", "Tế Hanh", "Tử Cống", "Tử Hạ",
    "Victor Hugo", "Virgil", "Voltaire", "Vũ Đình Liên", "Vương Bột", "Vạn Hạnh",
    "William Shakespeare", "Xuân Diệu", "Đặng Dung", "Đỗ Phủ",
)
# A label naming one work: at most WORK_CAP lines may carry it.
WORKS = (
    "Chinh phụ ngâm", "Kinh Dịch", "Kinh Thư", "Lễ ký", "Nam quốc sơn hà", "Sử ký", "Trung dung",
    "Tả truyện", "Đại học",
)
# Books made of separate sayings, each complete in itself: no cap.
COLLECTIONS = ("Kinh Pháp Cú", "Kinh Thánh", "Minh Tâm Bảo Giám")
WORK_CAP = 8

# Near duplicates: two lines that share at least NEAR_MIN_SHARED word pairs (bigrams of
# syllables), making up at least NEAR_OVERLAP of the word pairs of the shorter line. A word
# pair found in STOCK_LINES lines or more is a stock phrase ("người quân tử", "không phải
# là") and is no evidence of a repeated saying, so it is not counted. Calibrated on the
# repeated sayings a review found in the first edition: these values catch every such pair
# that kept three or more uncommon word pairs of its wording (5 of 8); the other three were
# retold in other words or translated, which no overlap of wording can see.
NEAR_MIN_SHARED = 3
NEAR_OVERLAP = 0.3
STOCK_LINES = 20

# Pairs that pass the near-duplicate rule although they share wording, each named by the
# first six words of its two lines (case folded, punctuation dropped). Every pair was read:
# they are different sayings. An entry that no longer names a flagged pair is a fault, so
# the list stays exact.
ACCEPTED_NEAR_DUPLICATES = (
    # Parts of one ca dao.
    ("thằng bờm có cái quạt mai", "bờm rằng bờm chẳng lấy mè"),
    ("thằng bờm có cái quạt mai", "bờm rằng bờm chẳng lấy lim"),
    ("bờm rằng bờm chẳng lấy mè", "bờm rằng bờm chẳng lấy lim"),
    # The three lines kept of the "… nhất của đời người là …" template, and a line like it.
    ("kẻ thù lớn nhất của đời", "đáng khâm phục nhất của đời"),
    ("kẻ thù lớn nhất của đời", "bi ai lớn nhất của đời"),
    ("đáng khâm phục nhất của đời", "bi ai lớn nhất của đời"),
    ("kẻ thù lớn nhất của đời", "điều hối tiếc lớn nhất của"),
    ("điều hối tiếc lớn nhất của", "bi ai lớn nhất của đời"),
    # Ca dao that share an opening formula or a set phrase.
    ("cơm cha áo mẹ chữ thầy", "ngày nào em bé cỏn con"),
    ("anh em nào phải người xa", "anh em như thể tay chân"),
    ("tò vò mà nuôi con nhện", "buồn trông con nhện giăng tơ"),
    ("chiều chiều ra đứng bờ sông", "chiều chiều ra đứng ngõ sau"),
    # Different sayings built on the same words.
    ("tháng ba bà già đi biển", "rét tháng ba bà già chết"),
    ("một lời nói dối sám hối", "một lời nói dối có thể"),
    ("thất bại là mẹ thành công", "nhiều người thất bại là những"),
    ("tôi không biết chìa khóa của", "thất bại là mẹ thành công"),
    ("tôi không biết chìa khóa của", "thành công không phải là chìa"),
    ("thành công không phải là chìa", "hành động là chìa khóa cơ"),
    ("hãy làm hôm nay những điều", "việc hôm nay chớ để ngày"),
    ("việc gì có thể làm hôm", "đừng bao giờ để đến ngày"),
    ("hôm nay chính là ngày mai", "ngày hôm nay mà bạn đang"),
    ("hôm qua là lịch sử ngày", "hôm nay là người đọc sách"),
    ("sự chuẩn bị tốt nhất cho", "hôm nay là người đọc sách"),
    ("nếu biết ngày mai là tận", "hôm nay là người đọc sách"),
    ("không ai có thể quay lại", "một năm sau bạn sẽ ước"),
    ("đừng chỉ làm việc chăm chỉ", "hãy làm việc chăm chỉ trong"),
    ("đừng chỉ làm việc chăm chỉ", "người ta bảo làm việc chăm"),
    ("đừng chỉ làm việc chăm chỉ", "tôi càng làm việc chăm chỉ"),
    ("hãy làm việc chăm chỉ trong", "tôi càng làm việc chăm chỉ"),
    ("người ta bảo làm việc chăm", "tôi càng làm việc chăm chỉ"),
    ("hãy cho tôi biết bạn đọc", "hãy cho tôi biết bạn của"),
    ("hãy cố gắng chiến thắng bản", "chiến thắng bản thân là chiến"),
    ("kiên nhẫn và thời gian làm", "hai chiến binh mạnh nhất là"),
    ("hai mươi năm nữa bạn sẽ", "tôi thường hối tiếc vì những"),
    ("bạn bè được nhận ra trong", "lúc thịnh vượng bạn bè biết"),
    ("cách tốt nhất để làm mình", "cách tốt nhất để làm cho"),
    ("lòng biết ơn là ký ức", "lòng biết ơn là dấu hiệu"),
    ("miệng là cội nguồn của tai", "lòng biết ơn không chỉ là"),
    ("đám mây nào cũng có một", "nhà nào cũng có một cuốn"),
    ("khi giếng cạn ta mới biết", "nếu muốn biết giá trị của"),
    ("rõ ràng trong chuyện tiền bạc", "giàu sang không thể làm mê"),
    ("đàn ông luôn muốn là mối", "đàn ông yêu bằng mắt còn"),
    ("biết mình là khởi đầu của", "cảm giác kinh ngạc chính là"),
    ("trí tưởng tượng quan trọng hơn", "kiến thức thì lên tiếng còn"),
    ("sai lầm là bản tính của", "thói quen là bản tính thứ"),
    ("mọi người tự bản chất đều", "con người tự bản chất là"),
    ("tất cả những gì bạn muốn", "không phải tất cả những gì"),
    ("không phải tất cả những gì", "người khôn ngoan không nói tất"),
    ("người ta ai cũng có một", "người ta ai cũng có thể"),
    ("người ta ai cũng có lòng", "người ta ai cũng có thể"),
    ("có lỗi mà không sửa thế", "biết thì nói là biết không"),
)
OPENING_WORDS = 6


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


def label_of(line):
    m = ATTRIBUTION.search(line)
    return m.group(1) if m else None


def text_of(line):
    """The quotation without its attribution."""
    return ATTRIBUTION.sub("", line).rstrip()


def words(line):
    return WORD.findall(text_of(line).casefold())


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


def is_luc_bat(text):
    """A couplet (or chain of couplets) of six and eight syllables, the form of ca dao: the
    syllable count is a multiple of 14 and a pause falls after each six and each eight."""
    pauses, count = set(), 0
    for part in PAUSE.split(text):
        count += len(WORD.findall(part))
        pauses.add(count)
    if count == 0 or count % 14:
        return False
    return all({14 * k + 6, 14 * k + 14} <= pauses for k in range(count // 14))


def is_four_syllable_idiom(text):
    return len(WORD.findall(text)) == 4 and not PAUSE.search(text)


def check_labels(lines, faults):
    allowed = set(VIETNAMESE_FOLK + FOREIGN_FOLK + PEOPLE + WORKS + COLLECTIONS)
    for number, line in enumerate(lines, 1):
        label = label_of(line)
        if label is None:
            continue
        if label not in allowed:
            faults.append(f"line {number}: the label ({label}) is not in the list of labels")
            continue
        text = text_of(line)
        if label in ("Tục ngữ", "Thành ngữ") and is_luc_bat(text):
            faults.append(f"line {number}: a lục bát couplet is labelled (Ca dao), not ({label})")
        elif label in ("Tục ngữ", "Ca dao") and is_four_syllable_idiom(text):
            faults.append(f"line {number}: a four-syllable idiom is labelled (Thành ngữ), "
                          f"not ({label})")


def check_work_caps(lines, faults):
    counts = collections.Counter(label_of(line) for line in lines)
    for work in WORKS:
        if counts[work] > WORK_CAP:
            faults.append(f"({work}) labels {counts[work]} lines, more than {WORK_CAP}")


def near_duplicates(lines):
    """The pairs (i, j), i < j, of line indexes whose wording overlaps as NEAR_* describe."""
    pairs_of = [set(zip(w, w[1:])) for w in map(words, lines)]
    holders = collections.defaultdict(list)
    for index, pairs in enumerate(pairs_of):
        for pair in pairs:
            holders[pair].append(index)
    shared = collections.Counter()
    for indexes in holders.values():
        if len(indexes) >= STOCK_LINES:
            continue
        for a in range(len(indexes)):
            for b in range(a + 1, len(indexes)):
                shared[indexes[a], indexes[b]] += 1
    found = []
    for (i, j), count in shared.items():
        shorter = min(len(pairs_of[i]), len(pairs_of[j]))
        if count >= NEAR_MIN_SHARED and count / shorter >= NEAR_OVERLAP:
            found.append((i, j))
    return sorted(found)


def opening(line):
    return " ".join(words(line)[:OPENING_WORDS])


def check_near_duplicates(lines, faults, accepted=ACCEPTED_NEAR_DUPLICATES):
    accepted = {frozenset(pair) for pair in accepted}
    used = set()
    for i, j in near_duplicates(lines):
        key = frozenset((opening(lines[i]), opening(lines[j])))
        if key in accepted:
            used.add(key)
        else:
            faults.append(f"line {j + 1}: near duplicate of line {i + 1}")
    for key in sorted(accepted - used, key=sorted):
        faults.append("accepted near duplicate names no such pair: " + " / ".join(sorted(key)))


def check_lines(lines, faults, accepted=ACCEPTED_NEAR_DUPLICATES):
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
    check_labels(lines, faults)
    check_work_caps(lines, faults)
    check_near_duplicates(lines, faults, accepted)


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
    kinds = collections.Counter()
    folk = set(VIETNAMESE_FOLK + FOREIGN_FOLK)
    for line in lines:
        label = label_of(line)
        if label is not None:
            kinds[label] += 1
    attributed = sum(kinds.values())
    total = len(lines) or 1
    folk_count = sum(n for label, n in kinds.items() if label in folk)
    lengths = sorted(units(l) for l in lines)
    print(f"lines: {len(lines)}")
    print(f"attributed: {attributed} ({100 * attributed / total:.1f}%),"
          f" of which folk or proverb kinds {folk_count},"
          f" people or works {attributed - folk_count};"
          f" unattributed: {len(lines) - attributed}")
    if lengths:
        print(f"length in UTF-16 code units: shortest {lengths[0]}, median "
              f"{lengths[len(lengths) // 2]}, longest {lengths[-1]}")
        buckets = collections.Counter((n // 20) * 20 for n in lengths)
        for start in sorted(buckets):
            bar = "#" * max(1, buckets[start] * 60 // len(lengths))
            print(f"  {start:3d}-{start + 19:3d} {buckets[start]:5d} {bar}")
    print("most frequent attributions: " +
          ", ".join(f"{k} {n}" for k, n in kinds.most_common(12)))
    print("works: " + ", ".join(f"{w} {kinds[w]}" for w in WORKS if kinds[w]) +
          f" (at most {WORK_CAP} each)")


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
