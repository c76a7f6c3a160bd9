#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs the end-to-end tests of the desktop calendar.

Usage:
  run_e2e.py --moonleaf PATH --session bare|openbox [TEST ...]
  run_e2e.py --list [--session bare|openbox]

Each test is named after the behaviour it pins (SecondStartShowsTheNoticeAndEnds) and runs
in a session of its own kind: "bare" (Xvfb alone) or "openbox" (Xvfb with Debian's openbox).
--list prints "session name" for every test of the kinds asked for, one a line, for ctest.
With MOONLEAF_E2E_SHOTS=<folder> set, the tests also write screenshots there.
"""
import argparse
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import commands_test  # noqa: E402
import dialogs_test  # noqa: E402
import lifetime_test  # noqa: E402
import moving_test  # noqa: E402
import panel_test  # noqa: E402

MODULES = (panel_test, moving_test, commands_test, lifetime_test, dialogs_test)
SESSIONS = ("bare", "openbox")


def test_classes():
    for module in MODULES:
        for value in vars(module).values():
            if (isinstance(value, type) and issubclass(value, unittest.TestCase)
                    and getattr(value, "SESSIONS", None)):
                yield value


def behaviours(cls):
    """The test methods of a class: its public methods named in CamelCase."""
    return sorted(name for name, value in vars(cls).items()
                  if callable(value) and name[:1].isupper())


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--moonleaf")
    parser.add_argument("--session", choices=SESSIONS)
    parser.add_argument("--list", action="store_true")
    parser.add_argument("tests", nargs="*")
    args = parser.parse_args()

    chosen = []
    for cls in test_classes():
        for session in cls.SESSIONS:
            if args.session not in (None, session):
                continue
            for name in behaviours(cls):
                if not args.tests or name in args.tests:
                    chosen.append((session, cls, name))
    if args.list:
        for session, _, name in chosen:
            print(session, name)
        return 0
    if not args.moonleaf or not args.session:
        parser.error("--moonleaf and --session are needed to run tests")
    if args.tests and len({name for _, _, name in chosen}) != len(set(args.tests)):
        parser.error(f"unknown test among {args.tests}")
    os.environ["MOONLEAF"] = os.path.abspath(args.moonleaf)

    suite = unittest.TestSuite()
    for session, cls, name in chosen:
        test = cls(name)
        test.session_kind = session
        suite.addTest(test)
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
