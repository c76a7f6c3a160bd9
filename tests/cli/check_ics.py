#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the output of `moonleaf-cli ics` with a real iCalendar parser (Debian's
python3-icalendar) and holds it against the day table of the same program.

Usage: check_ics.py MOONLEAF_CLI EVENTS_FILE
"""
import datetime
import os
import re
import subprocess
import sys

import icalendar

FIRST, LAST = 2020, 2025
STAMP = datetime.datetime(2026, 1, 1, tzinfo=datetime.timezone.utc)

# Where the events of tests/cli/events.txt fall, worked out by hand from the first days of
# the lunar months in `moonleaf-cli table 2019-12-01 2025-12-31` (lunar_day 1 rows and the
# month_days column): month 2 has 30 days in 2020, 2021, 2023 (leap 2: 29) and 2024, 29 in
# 2022 and 2025; 2025 has a leap month 6; 23/12 of a lunar year falls in the next January or
# February, so the lunar year 2019 gives 2020's and that of 2025 falls outside the range.
EXPECTED = {
    "Giỗ ông nội, bên nội; chi trưởng": [
        "2020-10-01", "2021-09-21", "2022-09-10", "2023-09-29", "2024-09-17", "2025-10-06"],
    "Giỗ bà": [  # 30/2n
        "2020-03-23", "2021-04-11", "2022-03-31", "2023-04-19", "2024-04-08", "2025-03-28"],
    "Sinh nhật Tèo": [  # 4/6n
        "2020-07-24", "2021-07-13", "2022-07-02", "2023-07-21", "2024-07-09", "2025-07-28"],
    "Cúng ông Công ông Táo ở nhà thờ họ Nguyễn Văn, làng Đông Ngạc, huyện Từ Liêm, Hà Nội": [
        "2020-01-17", "2021-02-04", "2022-01-25", "2023-01-14", "2024-02-02", "2025-01-22"],
}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run(cli, *args, env=None):
    result = subprocess.run([cli, *args], capture_output=True, env=env)
    if result.returncode != 0:
        sys.exit(f"{' '.join(args)}: exit {result.returncode}: {result.stderr.decode()}")
    return result.stdout


def check_content_lines(data):
    check(data.endswith(b"\r\n"), "the file does not end with CR LF")
    for number, line in enumerate(data.split(b"\r\n")[:-1], 1):
        check(b"\n" not in line and b"\r" not in line, f"line {number}: a bare line end")
        check(len(line) <= 75, f"line {number}: {len(line)} octets")
        try:
            line.decode("utf-8")
        except UnicodeDecodeError:
            failures.append(f"line {number}: a UTF-8 sequence is split")


def table_rows(cli):
    text = run(cli, "table", f"{FIRST}-01-01", f"{LAST}-12-31").decode()
    lines = text.splitlines()
    columns = lines[0].split("\t")
    return {row["date"]: row for row in (dict(zip(columns, l.split("\t"))) for l in lines[1:])}


def in_leap_month(cli, date):
    return "nhuận" in run(cli, "convert", date).decode()


def main():
    cli, events_file = sys.argv[1], sys.argv[2]
    env = {k: v for k, v in os.environ.items() if k != "SOURCE_DATE_EPOCH"}
    env["SOURCE_DATE_EPOCH"] = str(int(STAMP.timestamp()))
    data = run(cli, "ics", str(FIRST), str(LAST), "--events", events_file, env=env)
    check_content_lines(data)
    check(data == run(cli, "ics", str(FIRST), str(LAST), "--events", events_file, env=env),
          "a second run gives another file")

    calendar = icalendar.Calendar.from_ical(data)
    check(str(calendar.get("VERSION")) == "2.0", "VERSION is not 2.0")
    check(str(calendar.get("PRODID", "")).startswith("-//Moonleaf//"), "no PRODID")
    events = calendar.walk("VEVENT")
    uids = [str(e["UID"]) for e in events]
    check(len(set(uids)) == len(uids), "UIDs repeat")

    by_date = {}
    for event in events:
        uid = str(event["UID"])
        start, end = event["DTSTART"].dt, event["DTEND"].dt
        check(type(start) is datetime.date, f"{uid}: DTSTART is not a DATE")
        check(end - start == datetime.timedelta(days=1), f"{uid}: DTEND is not the next day")
        check(event["DTSTAMP"].dt == STAMP, f"{uid}: DTSTAMP {event['DTSTAMP'].dt}")
        check(datetime.date(FIRST, 1, 1) <= start <= datetime.date(LAST, 12, 31),
              f"{uid}: {start} outside the range")
        by_date.setdefault(start.isoformat(), []).append(
            (uid, str(event["SUMMARY"]), str(event["DESCRIPTION"])))

    rows = table_rows(cli)

    # Every holiday the table names is an event of that day, except a lunar festival on a
    # day of a leap month: the file keeps it in the ordinary month only.
    for date, row in rows.items():
        holiday = row["holiday"].rstrip(" ")
        if holiday and holiday not in (s for _, s, _ in by_date.get(date, [])):
            check(in_leap_month(cli, date), f"{date}: no event for '{holiday}'")

    description = re.compile(r"Âm lịch: ngày (\d+) tháng (\d+)( nhuận)? năm (.+?)( \(|$)")
    personal = {}
    for date, day_events in by_date.items():
        row = rows[date]
        solar_names = [s for u, s, _ in day_events if u.endswith("-solar@moonleaf")]
        for uid, summary, text in day_events:
            match = description.match(text)
            check(match is not None, f"{uid}: description '{text}'")
            if match is None:
                continue
            day, month, leap, year_canchi = match.group(1, 2, 3, 4)
            check((day, month, year_canchi) ==
                  (row["lunar_day"], row["lunar_month"], row["year_canchi"]),
                  f"{uid}: '{text}' against the table's {row['lunar_day']}/{row['lunar_month']}")
            # The day record's leap flag is right in these years; the conversion decides.
            if leap or row["is_leap"] == "1":
                check(bool(leap) == in_leap_month(cli, date), f"{uid}: '{text}' on {date}")
            if uid.endswith("-solar@moonleaf"):
                check(summary == row["holiday"].rstrip(" "), f"{uid}: '{summary}'")
            elif uid.endswith("-lunar@moonleaf"):
                # The table shows the Gregorian list's name where both lists name the day.
                check(summary == row["holiday"].rstrip(" ") or solar_names,
                      f"{uid}: '{summary}' against '{row['holiday']}'")
            else:
                personal.setdefault(summary, []).append(date)

    for name, dates in EXPECTED.items():
        check(sorted(personal.get(name, [])) == dates,
              f"'{name}': {sorted(personal.get(name, []))}, expected {dates}")
    check(set(personal) == set(EXPECTED), f"unexpected events {set(personal) - set(EXPECTED)}")

    for failure in failures:
        print("FAIL:", failure)
    print(f"check_ics: {len(events)} events, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
