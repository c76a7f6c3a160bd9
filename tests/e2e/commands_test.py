# SPDX-License-Identifier: GPL-3.0-or-later
"""`moonleaf --show, --hide, --toggle, --quit and --status`: the running calendar does what
the matching key does, and without one every action fails with one line."""
import os

from session import CalendarTestCase

ACTIONS = ("--show", "--hide", "--toggle", "--quit", "--status")


class TheRunningCalendar(CalendarTestCase):
    SESSIONS = ("bare", "openbox")

    def ShowHideAndToggleMoveThePanel(self):
        calendar = self.started_calendar()
        for action, shown in (("--show", True), ("--hide", False), ("--toggle", True),
                              ("--toggle", False)):
            with self.subTest(action=action, shown=shown):
                self.assertEqual(calendar.command(action), (0, "", ""))
                if shown:
                    calendar.wait_until_shown()
                else:
                    calendar.wait_until_hidden()
                self.assertEqual(calendar.status()["visible"], shown)

    def StatusPrintsTheStateAsOneJsonObject(self):
        calendar = self.started_calendar(today="2026-09-02")
        code, out, err = calendar.command("--status")
        self.assertEqual((code, err), (0, ""))
        self.assertEqual(out.count("\n"), 1, "one line of JSON")
        status = calendar.status()
        self.assertEqual(sorted(status), ["quotation", "shown", "today", "visible"])
        self.assertEqual(status["shown"], "2026-09-02")
        self.assertEqual(status["today"], "2026-09-02")
        self.assertIs(status["visible"], False)
        self.assertIn("Qu\u1ed1c kh\u00e1nh", status["quotation"])

    def QuitEndsTheCalendarInOrder(self):
        calendar = self.started_calendar()
        self.assertTrue(os.path.exists(calendar.quotation_file))
        self.assertEqual(calendar.command("--quit"), (0, "", ""))
        self.assertEqual(calendar.wait_for_end(), 0)
        self.assertFalse(os.path.exists(calendar.quotation_file))
        self.assertIsNone(calendar.panel())


class NoCalendar(CalendarTestCase):
    SESSIONS = ("bare",)

    def EveryActionFailsWithOneLineWhenNoCalendarRuns(self):
        calendar = self.x.calendar()
        for action in ACTIONS:
            with self.subTest(action=action):
                code, out, err = calendar.command(action)
                self.assertEqual(code, 1)
                self.assertEqual(out, "")
                self.assertEqual(err.count("\n"), 1, err)
                self.assertTrue(err.startswith("moonleaf: "), err)
        # A calendar that ended leaves nothing that answers in its place.
        calendar = self.started_calendar()
        self.assertEqual(calendar.command("--quit")[0], 0)
        self.assertEqual(calendar.wait_for_end(), 0)
        code, out, err = calendar.command("--status")
        self.assertEqual((code, out, err.count("\n")), (1, "", 1))
