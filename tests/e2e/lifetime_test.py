# SPDX-License-Identifier: GPL-3.0-or-later
"""One calendar per user, and its orderly end: a second start only shows the notice, the
close button and the termination signals end it with its files removed, and a calendar
killed outright does not block the next start."""
import os
import signal

from session import NOTICE_TITLE, CalendarTestCase, element_centre

CLOSE_BUTTON = (288, 27, 33, 22)  # btClose


class OneCalendarPerUser(CalendarTestCase):
    SESSIONS = ("bare", "openbox")

    def SecondStartShowsTheNoticeAndEnds(self):
        first = self.started_calendar()
        panel = first.panel()
        second = self.x.calendar(home="user")
        process = second.start()
        notice = first.wait_for_box(NOTICE_TITLE)
        self.shot(notice.id, "notice")
        self.assertIsNone(process.poll(), "the second start waits for the notice's answer")
        first.dismiss_box(notice)
        self.assertEqual(second.wait_for_end(), 0)
        # The first calendar runs on, with its window and its quotation file.
        self.assertIsNone(first.ended())
        self.assertEqual(first.panel().id, panel.id)
        self.assertTrue(self.x.is_viewable(panel.id))
        self.assertTrue(os.path.exists(first.quotation_file))
        self.assertEqual(first.command("--show")[0], 0)
        first.wait_until_shown()

    def ANewStartAfterSigkillTakesOverTheStaleLock(self):
        killed = self.started_calendar()
        killed.process.send_signal(signal.SIGKILL)
        killed.process.wait()
        self.assertTrue(os.path.exists(os.path.join(killed.private_folder, "instance.lock")))
        self.assertEqual(killed.command("--status")[0], 1, "nothing answers for the killed one")
        calendar = self.started_calendar()
        self.assertIsNone(self.x.mapped_window(NOTICE_TITLE))
        self.assertIsNone(calendar.ended())
        self.assertEqual(calendar.status()["today"], "2026-02-17")


class AnOrderlyEnd(CalendarTestCase):
    SESSIONS = ("bare", "openbox")

    def assertEndedInOrder(self, calendar):
        self.assertEqual(calendar.wait_for_end(), 0)
        self.assertFalse(os.path.exists(calendar.quotation_file))
        self.assertEqual(os.listdir(calendar.private_folder), [], "lock and socket removed")
        self.assertIsNone(calendar.panel())
        self.assertIsNone(calendar.tab())

    def TheCloseButtonEndsTheProgram(self):
        calendar = self.shown_calendar()
        self.assertTrue(os.path.exists(calendar.quotation_file))
        calendar.click_panel(*element_centre(*CLOSE_BUTTON))
        self.assertEndedInOrder(calendar)

    def SigtermSigintAndSighupEndTheProgramInOrder(self):
        for number in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
            with self.subTest(signal=number.name):
                calendar = self.started_calendar()
                self.assertTrue(os.path.exists(calendar.quotation_file))
                calendar.process.send_signal(number)
                self.assertEndedInOrder(calendar)
