# SPDX-License-Identifier: GPL-3.0-or-later
"""Moving around: the system-wide keys F9, F10 and F11, the restore tab, the hide button
and the Up arrow, and the date steps of the navigation buttons with their modifiers."""
import os

from session import CalendarTestCase, element_centre

# Buttons of the panel's client area (x, y, width, height in pixels).
HIDE_BUTTON = (288, 6, 33, 22)  # xButton1
NEXT_BUTTON = (264, 393, 31, 22)  # btNext
NOW_BUTTON = (228, 393, 31, 22)  # btNow


class TheKeys(CalendarTestCase):
    SESSIONS = ("bare", "openbox")

    def F9ShowsThePanelAndF10HidesIt(self):
        calendar = self.started_calendar()
        self.x.key("F9")
        panel = calendar.wait_until_shown()
        self.assertTrue(calendar.status()["visible"])
        self.assertEqual(panel.y, 0)
        self.x.key("F10")
        calendar.wait_until_hidden()
        self.assertFalse(calendar.status()["visible"])

    def F11WhileAnotherProgramHasTheFocusEndsTheCalendar(self):
        calendar = self.started_calendar()
        other = self.x.start_helper_window("another program")
        self.x.focus(other.id)
        self.assertTrue(os.path.exists(calendar.quotation_file))
        self.x.key("F11")
        self.assertEqual(calendar.wait_for_end(), 0)
        self.assertFalse(os.path.exists(calendar.quotation_file))
        self.assertIsNone(calendar.panel())

    def SlidingAwayLeavesTheFocusWithTheOtherProgram(self):
        other = self.x.start_helper_window("another program")
        self.x.focus(other.id)
        calendar = self.started_calendar()
        self.assertEqual(self.x.focused_window(), int(other.id, 16))
        self.x.key("F9")
        calendar.wait_until_shown()
        self.x.focus(other.id)
        self.x.key("F10")
        calendar.wait_until_hidden()
        self.assertEqual(self.x.focused_window(), int(other.id, 16))


class TheTab(CalendarTestCase):
    SESSIONS = ("bare", "openbox")

    def AClickOnTheTabRestoresThePanel(self):
        calendar = self.started_calendar()
        tab = calendar.tab()
        self.x.click(tab.x + tab.width // 2, tab.y + tab.height // 2)
        calendar.wait_until_shown()
        self.assertTrue(calendar.status()["visible"])

    def DownOnTheTabRestoresThePanel(self):
        calendar = self.started_calendar()
        self.x.focus(calendar.tab().id)
        self.x.key("Down")
        calendar.wait_until_shown()
        self.assertTrue(calendar.status()["visible"])

    def TheHideButtonAndUpInThePanelSlideItAway(self):
        calendar = self.shown_calendar()
        calendar.click_panel(*element_centre(*HIDE_BUTTON))
        calendar.wait_until_hidden()
        self.x.key("F9")
        panel = calendar.wait_until_shown()
        self.x.focus(panel.id)
        self.x.key("Up")
        calendar.wait_until_hidden()


class TheNavigation(CalendarTestCase):
    SESSIONS = ("bare", "openbox")

    def CtrlClickOnNextStepsAWeekAndCtrlAltClickAMonth(self):
        calendar = self.shown_calendar(today="2026-02-17")
        steps = [(("ctrl",), "2026-02-24"),
                 (("ctrl", "alt"), "2026-03-24"),
                 ((), "2026-03-25")]
        for modifiers, shown in steps:
            calendar.click_panel(*element_centre(*NEXT_BUTTON), modifiers=modifiers)
            calendar.wait_for_status("shown", shown)
        calendar.click_panel(*element_centre(*NOW_BUTTON))
        calendar.wait_for_status("shown", "2026-02-17")
        self.assertEqual(calendar.status()["today"], "2026-02-17")
