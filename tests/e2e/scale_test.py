#!/usr/bin/python3
"""QXBêta on X servers of its own: at every Qt scale factor a screenshot of
the whole screen's device pixels is taken and one a pixel off is not, and
the pick shows it over the whole screen, one image pixel on each device
pixel.

Environment: QX_BIN_DIR (qxbeta), QX_DEMO_INSTALLATION (the installation
maker)."""

import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import xsession as xs  # noqa: E402

QXBETA = os.path.join(os.environ["QX_BIN_DIR"], "qxbeta")
MAKE_INSTALLATION = os.environ["QX_DEMO_INSTALLATION"]
SCREEN = (2560, 1440)
# How long a refused image is given to open a notice it must not open.
REFUSAL_SECONDS = 3


def free_display():
    number = 90
    while os.path.exists("/tmp/.X11-unix/X%d" % number) or os.path.exists("/tmp/.X%d-lock" % number):
        number += 1
    return ":%d" % number


class ScaleTest(unittest.TestCase):
    def setUp(self):
        self.display = free_display()
        self.server = subprocess.Popen(["Xvfb", self.display, "-screen", "0", "%dx%dx24" % SCREEN, "-nolisten",
                                        "tcp"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.environ["DISPLAY"] = self.display
        xs.wait_for("the X server", lambda: subprocess.run(["xdpyinfo"], capture_output=True).returncode == 0)
        self.environment = xs.Environment(MAKE_INSTALLATION, extra_keys=["INFO=0"])

    def tearDown(self):
        xs.end_clipboard_servers()
        reports = self.environment.sanitizer_reports()
        self.environment.remove()
        xs.end(self.server)
        self.assertEqual(reports, [])

    def notices(self, process):
        return xs.dialogs(process.pid)

    def offer(self, name, size):
        path = os.path.join(self.environment.root, name + ".png")
        xs.make_image(path, size)
        xs.put_image_on_clipboard(path)
        xs.wait_for("xclip to own the clipboard", lambda: "image/png" in xs.run(
            "xclip", "-o", "-selection", "clipboard", "-t", "TARGETS", check=False))
        return path

    def check_pick(self, process, report, image_path, factor):
        """The pick surface covers the screen and shows the image pixel for
        pixel; a right click cancels it and the printer dialog is closed."""
        from PIL import Image
        # The report takes keys once the progress window over it has gone.
        xs.wait_for("the report dialog alone", lambda: [w.wid for w in self.notices(process)] == [report.wid])
        report.key("alt+i")

        # Where the factor does not divide the screen, Qt's whole logical
        # units make the window a device pixel larger than the screen.
        def surface():
            return [w for w in xs.windows(pid=process.pid)
                    if SCREEN[0] <= w.size()[0] <= SCREEN[0] + 1 and SCREEN[1] <= w.size()[1] <= SCREEN[1] + 1]
        pick = xs.wait_for("the pick surface", surface)[0]
        self.assertEqual(pick.geometry()[:2], (0, 0))
        # The cursor drawn by the surface stays clear of the points checked.
        xs.run("xdotool", "mousemove", "5", "5")
        shown_path = os.path.join(self.environment.root, "shown-%s.png" % factor)
        expected = Image.open(image_path).convert("RGB")

        def shows_the_image():
            xs.screenshot_root(shown_path)
            shown = Image.open(shown_path).convert("RGB")
            points = [(x, y) for x in range(100, SCREEN[0], 397) for y in range(100, SCREEN[1], 211)]
            return all(shown.getpixel(p) == expected.getpixel(p) for p in points)
        xs.wait_for("the image pixel for pixel", shows_the_image)
        xs.run("xdotool", "click", "3")
        xs.wait_for("the pick to end", lambda: not surface())
        printer = xs.wait_for("the printer dialog", lambda: [
            w for w in xs.windows(pid=process.pid) if w.title() not in (xs.CAPTION, xs.WATCHER_TITLE, "")])[0]
        printer.key("Escape")
        xs.wait_for("the report dialog again", lambda: report.is_viewable())

    def test_the_full_screen_is_taken_at_every_scale_and_a_pixel_off_is_not(self):
        width, height = SCREEN
        for factor in ("1", "1.25", "1.5", "1.75", "2"):
            with self.subTest(factor):
                os.environ["QT_SCALE_FACTOR"] = factor
                process = self.environment.start(QXBETA)
                try:
                    xs.wait_for("the watcher window", lambda: xs.windows(
                        "^" + xs.WATCHER_TITLE + "$", visible=False, pid=process.pid))
                    for size in ((width + 1, height), (width, height - 1)):
                        self.offer("off-%dx%d" % size, size)
                        time.sleep(REFUSAL_SECONDS)
                        self.assertEqual(self.notices(process), [], "%s refused" % (size,))
                    screen = self.offer("screen", SCREEN)
                    notice = xs.wait_for("the capture notice", lambda: self.notices(process))[0]
                    notice.key("Return")
                    # Asked afresh each time: a wide window seen while the
                    # dialog opens may not be the one that stays.
                    report = xs.wait_for("the report dialog, painted", lambda: [
                        w for w in self.notices(process) if w.size()[0] > 500 and w.is_viewable()])[0]
                    self.check_pick(process, report, screen, factor)
                finally:
                    xs.end(process)
                    xs.end_clipboard_servers()
                    del os.environ["QT_SCALE_FACTOR"]


if __name__ == "__main__":
    unittest.main(verbosity=2)
