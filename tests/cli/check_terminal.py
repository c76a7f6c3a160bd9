#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs `moonleaf-cli month` with its standard output on a pseudo-terminal, as a user's
terminal gives it: colour by default, none with NO_COLOR, the terminal's own width deciding
how -3 lays out the months; and reads the --json output with a JSON parser.

Usage: check_terminal.py MOONLEAF_CLI
"""
import fcntl
import json
import os
import struct
import subprocess
import sys
import termios

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def environment(**extra):
    env = {k: v for k, v in os.environ.items() if k not in ("COLUMNS", "NO_COLOR")}
    env.update(extra)
    return env


def on_terminal(cli, args, columns=80, **extra):
    """Standard output of the program on a pseudo-terminal `columns` wide."""
    master, slave = os.openpty()
    fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", 50, columns, 0, 0))
    process = subprocess.Popen([cli, *args], stdout=slave, stderr=subprocess.PIPE,
                               env=environment(**extra))
    os.close(slave)
    output = b""
    while True:
        try:
            chunk = os.read(master, 65536)
        except OSError:  # the other side closed
            break
        if not chunk:
            break
        output += chunk
    os.close(master)
    check(process.wait() == 0, f"{args}: exit {process.returncode}")
    return output.decode().replace("\r\n", "\n")


def on_pipe(cli, args, **extra):
    return subprocess.run([cli, *args], capture_output=True, check=True,
                          env=environment(**extra)).stdout.decode()


def main():
    cli = sys.argv[1]
    month = ["month", "2026-03"]
    check("\x1b[31m" in on_terminal(cli, month), "no colour on a terminal")
    check("\x1b" not in on_terminal(cli, month, NO_COLOR="1"), "colour with NO_COLOR=1")
    check("\x1b[31m" in on_terminal(cli, month, NO_COLOR=""), "an empty NO_COLOR turns colour off")
    check("\x1b" not in on_terminal(cli, month + ["--color=never"]), "colour with --color=never")
    check("\x1b[31m" in on_terminal(cli, month + ["--color=always"], NO_COLOR="1"),
          "--color=always gives no colour under NO_COLOR")
    check("\x1b" not in on_pipe(cli, month), "colour on a pipe")
    check("\x1b[31m" in on_pipe(cli, month + ["--color=always"]), "no colour with always")
    check(on_terminal(cli, month, NO_COLOR="1") == on_pipe(cli, month),
          "the terminal without colour differs from the pipe")

    three = ["month", "2026-03", "-3"]
    side = "Tháng hai năm 2026" in on_terminal(cli, three, columns=140).splitlines()[0]
    check(side, "a 140-column terminal does not get the months side by side")
    stacked = "Tháng tư năm 2026" not in on_terminal(cli, three, columns=100).splitlines()[0]
    check(stacked, "a 100-column terminal gets the months side by side")
    check("Tháng tư năm 2026" in on_terminal(cli, three, columns=100, COLUMNS="140")
          .splitlines()[0], "COLUMNS does not take precedence over the terminal's width")
    check("Tháng tư năm 2026" not in on_pipe(cli, three).splitlines()[0],
          "a pipe of unknown width gets the months side by side")

    one = json.loads(on_pipe(cli, ["month", "2023-03", "--json"]))
    check(one["year"] == 2023 and one["month"] == 3 and len(one["days"]) == 31, "one month")
    leap_start = one["days"][21]
    check(leap_start["date"] == "2023-03-22" and leap_start["lunar_day"] == 1 and
          leap_start["leap"] is True, f"22 March 2023: {leap_start}")
    check([m["leap"] for m in one["lunar_months"]] == [False, True], "lunar months of March")
    several = json.loads(on_pipe(cli, ["month", "2023-03", "--json", "-3"]))
    check([m["month"] for m in several] == [2, 3, 4], "three months")

    for failure in failures:
        print("FAIL:", failure)
    print(f"check_terminal: {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
