# SPDX-License-Identifier: GPL-3.0-or-later
"""The main window's dialogs under a window manager: the date lookup, the options with the
autostart entry, the About box with the screen effect, and the usage help."""
import os
import re
import subprocess
import unittest

from session import (ABOUT_TITLE, HELP_TITLE, LOOKUP_TITLE, OPTIONS_TITLE, SCREEN_HEIGHT,
                     SCREEN_WIDTH, CalendarTestCase, element_centre, wait_for, wait_until)

# Elements of the panel's client area (x, y, width, height in pixels).
DAY_NUMBER = (75, 105, 178, 97)  # lbNgayD, inside Picture1
INFO_BUTTON = (288, 48, 33, 22)  # btInfo
OPTION_BUTTON = (6, 393, 88, 22)  # btOption
LOOKUP_BUTTON = (99, 393, 88, 22)  # btTimAm
NEXT_BUTTON = (264, 393, 31, 22)  # btNext
HELP_BUTTON = (300, 393, 22, 22)  # xButton2

# Elements of the lookup dialog's client area.
DAY_LIST = (6, 54, 79, 21)  # cbNgay
MONTH_LIST = (96, 54, 79, 21)  # cbThang
YEAR_LIST = (186, 54, 79, 21)  # cbNam
LOOK_UP = (6, 81, 127, 34)  # xButton1 "Xem ngày âm"
RESULT_LINES = [(6, 120, 262, 16), (6, 138, 262, 16), (6, 156, 262, 16), (6, 174, 262, 16)]
# The lookup dialog's outer height once it shows a result: 3300 twips.
TALL_OUTER_HEIGHT = 220

# The check box of the options dialog: its indicator sits at its left, halfway down.
CHECK_BOX_INDICATOR = (36 + 7, 6 + 17)

# The frame's size is not known when the options dialog is placed, before its first map:
# its centre may miss the screen's by up to the frame's side borders.
CENTRE_SLACK = 2


def dark(pixel):
    return max(pixel) < 128


def outer_height(session, window):
    _, _, top, bottom = session.frame_extents(window.id)
    return window.height + top + bottom


class TheLookupDialog(CalendarTestCase):
    SESSIONS = ("openbox",)

    def TheButtonAndTheDayNumberOpenOneLookupDialog(self):
        calendar = self.shown_calendar(today="2026-02-17")
        calendar.click_panel(*element_centre(*DAY_NUMBER))
        dialog = calendar.wait_for_box(LOOKUP_TITLE)
        calendar.click_panel(*element_centre(*LOOKUP_BUTTON))
        # A step of the date comes after both clicks: once it shows, both were handled.
        calendar.click_panel(*element_centre(*NEXT_BUTTON))
        calendar.wait_for_status("shown", "2026-02-18")
        self.assertEqual([w.id for w in self.x.mapped_windows(LOOKUP_TITLE)], [dialog.id])

    def choose(self, dialog, rect, key, presses):
        """Opens the drop-down list at `rect` of the dialog, moves its selection with `key`
        and takes the entry with Return."""
        before = {w.id for w in self.x.windows() if self.x.is_viewable(w.id)}
        x, y = element_centre(*rect)
        self.x.click(dialog.x + x, dialog.y + y)
        popup = wait_until("the list's popup", lambda: [
            w for w in self.x.windows() if w.id not in before and self.x.is_viewable(w.id)])[0]
        self.x.key(*[key] * presses, "Return")
        wait_until("the popup to close", lambda: not self.x.is_viewable(popup.id))

    def look_up(self, dialog):
        """Presses "Xem ngày âm", waits for the tall dialog with its four lines drawn; the
        lines' pixels."""
        x, y = element_centre(*LOOK_UP)
        self.x.click(dialog.x + x, dialog.y + y)

        def outer():
            window = self.x.geometry(dialog.id)
            return None if window is None else outer_height(self.x, window)

        wait_for("the dialog at its tall height", outer, lambda h: h == TALL_OUTER_HEIGHT)
        # Drawn once all four lines hold text and two screenshots in a row agree.
        seen = [None]

        def drawn():
            image = self.x.screenshot(dialog.id)
            previous, seen[0] = seen[0], [list(image.pixels(*line)) for line in RESULT_LINES]
            return seen[0] == previous and all(any(dark(p) for p in line) for line in seen[0])

        wait_until("the four result lines", drawn)
        return seen[0]

    def ALookupOf15August2008ShowsTheFourLinesInTheTallDialog(self):
        # The lines the dialog shows for 15 August 2008 when it opens on that day.
        reference = self.shown_calendar(today="2008-08-15", home="reference")
        reference.click_panel(*element_centre(*LOOKUP_BUTTON))
        expected = self.look_up(reference.wait_for_box(LOOKUP_TITLE))
        self.assertEqual(reference.command("--quit")[0], 0)
        self.assertEqual(reference.wait_for_end(), 0)

        # The same day chosen with the keyboard in the lists, from 17 February 2026.
        calendar = self.shown_calendar(today="2026-02-17")
        calendar.click_panel(*element_centre(*LOOKUP_BUTTON))
        dialog = calendar.wait_for_box(LOOKUP_TITLE)
        self.assertLess(outer_height(self.x, dialog), TALL_OUTER_HEIGHT)
        self.choose(dialog, YEAR_LIST, "Up", 2026 - 2008)
        self.choose(dialog, MONTH_LIST, "Down", 8 - 2)
        self.choose(dialog, DAY_LIST, "Up", 17 - 15)
        lines = self.look_up(dialog)
        self.shot(dialog.id, "lookup")
        self.assertTrue(lines == expected, "the lines differ from those of 15 August 2008")

        # Opened again, the dialog is the same one, still tall, with its lines.
        calendar.click_panel(*element_centre(*DAY_NUMBER))
        calendar.click_panel(*element_centre(*NEXT_BUTTON))
        calendar.wait_for_status("shown", "2026-02-18")
        self.assertEqual([w.id for w in self.x.mapped_windows(LOOKUP_TITLE)], [dialog.id])
        self.assertEqual(outer_height(self.x, self.x.geometry(dialog.id)), TALL_OUTER_HEIGHT)


class TheOptionsDialog(CalendarTestCase):
    SESSIONS = ("openbox",)

    def open_options(self):
        calendar = self.shown_calendar()
        calendar.click_panel(*element_centre(*OPTION_BUTTON))
        dialog = calendar.wait_for_box(OPTIONS_TITLE)
        return calendar, dialog

    def TheOptionsButtonHidesTheCalendarAndOpensTheDialogBelowTheTab(self):
        calendar, dialog = self.open_options()
        tab = calendar.wait_until_hidden()
        self.assertFalse(calendar.status()["visible"])

        # Where its frame lies, once the window manager has framed it: its top and the
        # distance of its centre from the screen's.
        def frame_placement():
            window = self.x.geometry(dialog.id)
            left, right, top, _ = self.x.frame_extents(dialog.id)
            if window is None or top == 0:
                return None
            centre = window.x - left + (window.width + left + right) / 2
            return (window.y - top, abs(centre - SCREEN_WIDTH / 2))

        wait_for("the dialog framed below the tab", frame_placement, lambda seen: (
            seen is not None and seen[0] == tab.y + tab.width and seen[1] <= CENTRE_SLACK))
        self.shot(dialog.id, "options")

    def TickingTheBoxWritesAnAutostartEntryForThisProgram(self):
        calendar, dialog = self.open_options()
        entry = calendar.autostart_entry
        self.assertFalse(os.path.exists(entry))
        self.x.click(dialog.x + CHECK_BOX_INDICATOR[0], dialog.y + CHECK_BOX_INDICATOR[1])
        wait_until("the autostart entry", lambda: os.path.exists(entry))
        validation = subprocess.run(["desktop-file-validate", entry], capture_output=True,
                                    text=True)
        self.assertEqual((validation.returncode, validation.stdout + validation.stderr),
                         (0, ""))
        with open(entry, encoding="utf-8") as text:
            fields = dict(re.findall(r"^([A-Za-z-]+)=(.*)$", text.read(), re.MULTILINE))
        running = os.path.realpath(f"/proc/{calendar.process.pid}/exe")
        self.assertEqual(fields["Exec"], running)
        self.assertEqual(fields["Type"], "Application")
        # Clearing the box deletes the entry.
        self.x.click(dialog.x + CHECK_BOX_INDICATOR[0], dialog.y + CHECK_BOX_INDICATOR[1])
        wait_until("the entry to be deleted", lambda: not os.path.exists(entry))

    def F9ClosesTheOptionsAndBringsTheCalendarBack(self):
        calendar, dialog = self.open_options()
        calendar.wait_until_hidden()
        self.x.key("F9")
        calendar.wait_until_shown()
        wait_until("the options dialog to close", lambda: self.x.geometry(dialog.id) is None
                   or not self.x.is_viewable(dialog.id))


class InformationAndHelp(CalendarTestCase):
    SESSIONS = ("openbox",)

    def start_effect(self):
        """The About box answered, and the effect window that follows; the calendar and the
        effect's window."""
        calendar = self.shown_calendar()
        calendar.click_panel(*element_centre(*INFO_BUTTON))
        about = calendar.wait_for_box(ABOUT_TITLE)
        self.shot(about.id, "about")
        calendar.dismiss_box(about)
        effect = wait_until("a window covering the screen", lambda: [
            w for w in self.x.windows()
            if w.x <= 0 and w.y <= 0 and w.x + w.width >= SCREEN_WIDTH
            and w.y + w.height >= SCREEN_HEIGHT
            and w.klass.startswith('"moonleaf"') and self.x.is_viewable(w.id)])[0]
        return calendar, effect

    def TheInformationButtonShowsTheAboutBoxThenTheEffectUntilAClick(self):
        calendar, effect = self.start_effect()
        still = self.x.screenshot(effect.id)
        wait_until("blocks of the screen to move",
                   lambda: self.x.screenshot(effect.id).pixels_differ(still))
        self.shot(effect.id, "effect", settle=False)
        self.x.click(100, SCREEN_HEIGHT - 100)
        wait_until("the effect to end", lambda: self.x.geometry(effect.id) is None
                   or not self.x.is_viewable(effect.id))
        self.assertIsNone(calendar.ended())
        self.assertTrue(calendar.status()["visible"])

    # The effect window is stacked above the panel, with or without a window manager, so
    # a click meant for the panel ends the effect instead.
    def ThePanelStaysAboveTheEffectAndTakesClicks(self):
        calendar, effect = self.start_effect()
        calendar.click_panel(*element_centre(*NEXT_BUTTON))
        wait_until("the click to reach the panel or the effect", lambda: (
            calendar.status()["shown"] != "2026-02-17" or not self.x.is_viewable(effect.id)))
        self.assertEqual(calendar.status()["shown"], "2026-02-18")
        self.assertTrue(self.x.is_viewable(effect.id))

    def TheHelpButtonShowsTheUsageBox(self):
        calendar = self.shown_calendar()
        calendar.click_panel(*element_centre(*HELP_BUTTON))
        box = calendar.wait_for_box(HELP_TITLE)
        self.shot(box.id, "help")
        calendar.dismiss_box(box)
        self.assertIsNone(calendar.ended())
        self.assertTrue(calendar.status()["visible"])
