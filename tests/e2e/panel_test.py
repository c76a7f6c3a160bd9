# SPDX-License-Identifier: GPL-3.0-or-later
"""The panel as it starts: where it appears, what the window manager is told about it,
what it draws, and its slide away to the restore tab."""
import time

from session import (PANEL_HEIGHT, PANEL_WIDTH, SCREEN_WIDTH, TAB_HEIGHT, TAB_WIDTH,
                     CalendarTestCase, WindowEvents, wait_until)

GREEN = (0, 192, 0)
WHITE = (255, 255, 255)

# Rectangles of the panel's client area (x, y, width, height in pixels): the title panel
# PicBack, the main panel Picture1, the day number lbNgayD inside it, and the band of the
# tall quotation box txDanhNgon that lies above the short box txDanhNgonN.
PIC_BACK = (6, 6, 316, 64)
PICTURE1 = (6, 75, 316, 313)
DAY_NUMBER = (75, 105, 178, 97)
TALL_BOX_ONLY = (12, 204, 304, 8)
# A point of the quotation boxes away from txTemp, the small box that takes the focus.
QUOTATION_POINT = (40, 227)

# How long a click that seems to have drawn nothing new waits before the next.
REPEAT_SECONDS = 3

# The frame: bands of green between the panel's edge and its two white panels, one pixel in
# from the edge, where the border or shadow of the window lies.
FRAME_BANDS = [
    (1, 1, PANEL_WIDTH - 2, 5),               # above the title panel
    (1, 70, PANEL_WIDTH - 2, 5),              # between the two panels
    (1, 388, PANEL_WIDTH - 2, 5),             # below the main panel
    (1, 1, 5, PANEL_HEIGHT - 2),              # left
    (PANEL_WIDTH - 6, 70, 5, PANEL_HEIGHT - 71),  # right, below the title-row buttons
]


def dark(pixel):
    return max(pixel) < 96


def red(pixel):
    r, g, b = pixel
    return r >= 200 and g <= 80 and b <= 80


class ThePanel(CalendarTestCase):
    SESSIONS = ("bare", "openbox")

    def AppearsAtTheTopCentreAsAnAlwaysOnTopPanel(self):
        events = WindowEvents(self.x)
        calendar = self.x.calendar(today="2026-02-17")
        calendar.start()
        panel = calendar.wait_for_panel()
        first = wait_until("the panel's first map in the record",
                           lambda: events.geometry_at_first_map(panel.id))
        self.assertEqual(first, ((SCREEN_WIDTH - PANEL_WIDTH) // 2, 0, PANEL_WIDTH, PANEL_HEIGHT))
        states = self.x.property(panel.id, "_NET_WM_STATE")
        self.assertIn("_NET_WM_STATE_ABOVE", states)
        self.assertIn("_NET_WM_STATE_SKIP_TASKBAR", states)
        self.assertEqual(self.x.property(panel.id, "WM_CLASS").split(",")[0], '"moonleaf"')
        # The window icon comes once the calendar is on screen, drawn at four sizes.
        icon = wait_until("the panel's window icon",
                          lambda: self.x.property(panel.id, "_NET_WM_ICON"))
        for size in (16, 32, 64, 128):
            self.assertIn(f"Icon ({size} x {size})", icon)

    def SlidesAboveTheScreenAndLeavesTheTabAtTheTopCentre(self):
        calendar = self.x.calendar(today="2026-02-17")
        calendar.start()
        calendar.wait_for_panel()
        tab = calendar.wait_until_hidden()
        panel = calendar.panel()
        self.assertEqual(panel.x, (SCREEN_WIDTH - PANEL_WIDTH) // 2)
        self.assertLessEqual(panel.y + panel.height, 0)
        self.assertEqual((tab.width, tab.height), (TAB_WIDTH, TAB_HEIGHT))
        self.assertEqual((tab.x, tab.y), ((SCREEN_WIDTH - TAB_WIDTH) // 2, 0))
        self.assertIn("_NET_WM_STATE_ABOVE", self.x.property(tab.id, "_NET_WM_STATE"))
        self.assertFalse(calendar.status()["visible"])
        self.shot(tab.id, "tab")

    def DrawsTheGreenFrameTheWhitePanelsAndTheDayNumber(self):
        calendar = self.shown_calendar(today="2026-02-17")  # a Tuesday: the number in black
        panel = calendar.wait_until_shown()
        image = self.x.settled_screenshot(panel.id)
        self.shot(panel.id, "plain-day")
        self.assertEqual((image.width, image.height), (PANEL_WIDTH, PANEL_HEIGHT))
        for band in FRAME_BANDS:
            off = [p for p in image.pixels(*band) if p != GREEN]
            self.assertEqual(off[:5], [], f"frame band {band} is not all green")
        for name, rect in (("PicBack", PIC_BACK), ("Picture1", PICTURE1)):
            pixels = list(image.pixels(*rect))
            white = sum(1 for p in pixels if p == WHITE)
            self.assertGreater(white, len(pixels) // 2, f"{name} is not mostly white")
        number = list(image.pixels(*DAY_NUMBER))
        self.assertGreater(sum(1 for p in number if dark(p)), 500, "no day number drawn")
        self.assertEqual(sum(1 for p in number if red(p)), 0)

    def DrawsASundayInRed(self):
        calendar = self.shown_calendar(today="2026-02-22")
        panel = calendar.wait_until_shown()
        self.shot(panel.id, "sunday")
        number = list(self.x.settled_screenshot(panel.id).pixels(*DAY_NUMBER))
        self.assertGreater(sum(1 for p in number if red(p)), 500, "the Sunday is not red")
        self.assertEqual(calendar.status()["shown"], "2026-02-22")

    def ShowsTheHolidayInTheQuotationArea(self):
        calendar = self.shown_calendar(today="2026-09-02")
        panel = calendar.wait_until_shown()
        self.shot(panel.id, "holiday")
        self.assertIn("Qu\u1ed1c kh\u00e1nh", calendar.status()["quotation"])

    def AClickOnTheQuotationDrawsAnotherLineAndALongOneTakesTheTallBox(self):
        calendar = self.shown_calendar(today="2026-09-02")
        panel = calendar.wait_until_shown()
        holiday = calendar.status()["quotation"]
        calendar.click_panel(*QUOTATION_POINT)
        wait_until("another line in the quotation area",
                   lambda: calendar.status()["quotation"] != holiday)

        # About half of the lines are wider than the short box: click until one shows. A
        # click that seems to have drawn the same line again is repeated after a while.
        clicked = {"line": calendar.status()["quotation"], "at": time.monotonic()}

        def tall_box_shown():
            line = calendar.status()["quotation"]
            if line == clicked["line"] and time.monotonic() - clicked["at"] < REPEAT_SECONDS:
                return False  # the click is still on its way
            if any(dark(p) for p in self.x.screenshot(panel.id).pixels(*TALL_BOX_ONLY)):
                return True
            calendar.click_panel(*QUOTATION_POINT)
            clicked.update(line=line, at=time.monotonic())
            return False

        wait_until("a long line in the tall box", tall_box_shown, timeout=120)
        self.assertGreater(len(calendar.status()["quotation"]), 50)
        self.shot(panel.id, "long-quotation")
