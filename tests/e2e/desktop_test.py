#!/usr/bin/python3
"""QXBêta end to end on a real X server (run under xvfb-run): the start-up
checks and their messages, the single copy, the icon in a status area, the
capture of a clipboard image, the report dialog, the identity dialog and the
pick.

Environment: QX_BIN_DIR (qxbeta), QX_DEMO_INSTALLATION (the installation
maker), QX_TRAY_HOST (a status area), QX_E2E_SHOTS (where the screenshots
go)."""

import os
import queue
import subprocess
import sys
import threading
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import xsession as xs  # noqa: E402

QXBETA = os.path.join(os.environ["QX_BIN_DIR"], "qxbeta")
MAKE_INSTALLATION = os.environ["QX_DEMO_INSTALLATION"]
TRAY_HOST = os.environ.get("QX_TRAY_HOST")
SHOTS = os.environ.get("QX_E2E_SHOTS", "e2e-shots")

REPORT_DU = (418, 271)
NOTICE_WIDTH_DU = 197
LOADED_DLLS_DU = (265, 91, 137, 145)
WINDOWS_VERSION_DU = (265, 66, 137, 12)


def shot(name):
    os.makedirs(SHOTS, exist_ok=True)
    return os.path.join(SHOTS, name + ".png")


def is_report(window):
    return window.size()[0] > 500


def notices(pid):
    return [w for w in xs.dialogs(pid) if not is_report(w) and w.size()[0] < 400]


class DesktopTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.manager = xs.start_window_manager()
        cls.screen = xs.screen_size()

    @classmethod
    def tearDownClass(cls):
        if cls.manager is not None:
            xs.end(cls.manager)

    def setUp(self):
        self.processes = []
        self.environments = []

    def tearDown(self):
        for process in self.processes:
            xs.end(process)
        xs.end_clipboard_servers()
        for environment in self.environments:
            reports = environment.sanitizer_reports()
            environment.remove()
            self.assertEqual(reports, [])

    def environment(self, **kwargs):
        environment = xs.Environment(MAKE_INSTALLATION, **kwargs)
        self.environments.append(environment)
        return environment

    def start(self, environment):
        process = environment.start(QXBETA)
        self.processes.append(process)
        return process

    def image(self, name, size):
        path = os.path.join(self.environments[0].root, name + ".png")
        xs.make_image(path, size)
        return path

    def close_start_notice(self, process, name=None):
        notice = xs.wait_for("the start-up notice", lambda: notices(process.pid))[0]
        if name:
            notice.screenshot(shot(name))
        notice.key("Return")
        xs.wait_for("the notice to go", lambda: not notices(process.pid))

    def watcher(self, process):
        return xs.wait_for("the watcher window", lambda: [
            w for w in xs.windows("^" + xs.WATCHER_TITLE + "$", visible=False, pid=process.pid)
            if w.wm_state() == "Iconic"])[0]

    def open_report(self, process, name=None):
        """Puts a screen image on the clipboard; returns the report dialog
        once the capture notice has been closed."""
        xs.put_image_on_clipboard(self.image("screen", self.screen))
        notice = xs.wait_for("the capture notice", lambda: notices(process.pid))[0]
        if name:
            notice.screenshot(shot(name))
        notice.key("Return")
        return xs.wait_for("the report dialog", lambda: [w for w in xs.dialogs(process.pid) if is_report(w)])[0]

    # The start-up checks.

    def test_refused_starts_show_their_message_and_end(self):
        cases = [
            ("missing-key", dict(with_key=False), "Attention !"),
            ("wrong-path", dict(repexe="nowhere/"), "Erreur"),
            ("no-environment", dict(repexe="config"), "Erreur"),
        ]
        for name, options, caption in cases:
            with self.subTest(name):
                process = self.start(self.environment(**options))
                box = xs.wait_for("the message", lambda: xs.windows("^" + caption + "$", pid=process.pid))[0]
                box.screenshot(shot("message-" + name))
                self.assertFalse(xs.dialogs(process.pid), "no notice before the check passed")
                box.key("Return")
                self.assertEqual(process.wait(timeout=xs.PATIENCE_SECONDS), 0)

    def test_a_good_start_shows_the_notice_then_waits_minimised_until_closed(self):
        process = self.start(self.environment())
        notice = xs.wait_for("the start-up notice", lambda: notices(process.pid))[0]
        self.assertEqual(notice.title(), xs.CAPTION)
        notice.screenshot(shot("start-notice"))
        notice.key("Return")
        watcher = self.watcher(process)
        self.assertEqual(watcher.title(), "QXBêta")
        # The tester cannot open it from the taskbar.
        watcher.activate()
        xs.wait_for("the watcher to be minimised again", lambda: watcher.wm_state() == "Iconic")
        self.assertIsNone(process.poll())
        # Closing it from its taskbar button ends the program.
        watcher.close()
        self.assertEqual(process.wait(timeout=xs.PATIENCE_SECONDS), 0)

    def test_the_notice_ticked_and_closed_with_ok_stays_away(self):
        environment = self.environment()
        process = self.start(environment)
        notice = xs.wait_for("the start-up notice", lambda: notices(process.pid))[0]
        notice.key("space")   # the check box has the focus first
        notice.key("Return")
        self.watcher(process)
        self.assertIn("INFO=0", environment.ini_text())

    def test_a_second_copy_ends_and_the_first_stays(self):
        environment = self.environment()
        first = self.start(environment)
        self.close_start_notice(first)
        self.watcher(first)
        second = self.start(environment)
        self.close_start_notice(second)
        self.assertEqual(second.wait(timeout=xs.PATIENCE_SECONDS), 0)
        self.assertIsNone(first.poll())
        self.watcher(first)

    # The status area.

    def start_tray_host(self):
        """A status area; returns a queue of the lines it prints."""
        host = subprocess.Popen([TRAY_HOST], stdout=subprocess.PIPE, text=True)
        self.processes.append(host)
        self.addCleanup(host.stdout.close)
        lines = queue.Queue()
        threading.Thread(target=lambda: [lines.put(line.strip()) for line in host.stdout], daemon=True).start()
        self.assertEqual(lines.get(timeout=xs.PATIENCE_SECONDS), "ready")
        return lines

    def hover(self, icon):
        x, y, width, height = icon.geometry()
        xs.run("xdotool", "mousemove", str(x + width // 2), str(y + height // 2))
        # Qt wakes a tooltip on a move inside the window, not on entering it.
        xs.run("xdotool", "mousemove_relative", "1", "1")

    def popups(self, process, icon):
        """The program's tooltip or menu windows."""
        return [w for w in xs.windows(pid=process.pid, classes=True) if w != icon and w.size()[1] > 4]

    def leave(self, process, icon):
        xs.run("xdotool", "mousemove", "10", "500")
        xs.wait_for("the tooltip to go", lambda: not self.popups(process, icon))

    def show_tooltip(self, process, icon):
        """Hovers over the icon until its tooltip shows (a hover whose moves
        Qt did not see is tried again); the tooltip's window."""
        def shown():
            self.hover(icon)
            try:
                return xs.wait_for("the tooltip", lambda: self.popups(process, icon), patience=3)[0]
            except AssertionError:
                self.leave(process, icon)
                return None
        return xs.wait_for("a hover that shows the tooltip", shown)

    def tooltip_height(self, process, icon):
        height = self.show_tooltip(process, icon).size()[1]
        self.leave(process, icon)
        return height

    @unittest.skipUnless(TRAY_HOST, "no status area to dock in")
    def test_in_a_status_area_the_icon_says_why_an_image_was_not_taken_and_its_menu_quits(self):
        lines = self.start_tray_host()
        process = self.start(self.environment())
        self.close_start_notice(process)
        self.watcher(process)
        docked = lines.get(timeout=xs.PATIENCE_SECONDS)
        self.assertTrue(docked.startswith("docked "), docked)
        icon = xs.Window(str(int(docked.split()[1], 16)))
        self.assertIn(str(process.pid), xs.run("xprop", "-id", icon.wid, "_NET_WM_PID", check=False))

        waiting = self.tooltip_height(process, icon)
        # An image of another size opens nothing; the tooltip then has two
        # more lines: its size and the sizes taken.
        xs.put_image_on_clipboard(self.image("small", (300, 200)))
        xs.wait_for("the longer tooltip", lambda: self.tooltip_height(process, icon) > waiting)
        self.assertFalse(xs.dialogs(process.pid))
        self.show_tooltip(process, icon)
        xs.screenshot_root(shot("tray-tooltip"))
        self.leave(process, icon)

        # "À propos de QXBêta..." then "Quitter". A press puts tooltips away,
        # so the window that shows is the menu.
        self.hover(icon)
        xs.run("xdotool", "click", "3")
        xs.wait_for("the menu", lambda: self.popups(process, icon))
        xs.screenshot_root(shot("tray-menu"))
        xs.run("xdotool", "key", "Down", "Down", "Return")
        self.assertEqual(process.wait(timeout=xs.PATIENCE_SECONDS), 0)

    # Captures.

    def test_a_screen_image_opens_the_notice_and_the_filled_report(self):
        environment = self.environment()
        process = self.start(environment)
        self.close_start_notice(process)
        self.watcher(process)
        report = self.open_report(process, name="capture-notice")
        self.assertEqual(report.title(), xs.CAPTION)
        xs.wait_for("the report to be painted", lambda: report.is_viewable())
        report.screenshot(shot("report-dialog"))

        # The version box shows text: its pixels are not all alike.
        version = report.crop(REPORT_DU, WINDOWS_VERSION_DU)
        self.assertGreater(len(set(version.getdata())), 2)

        # The DLL box's text, copied out through the clipboard; the copy is a
        # clipboard change while the dialog is open, which opens nothing.
        x, y, cx, cy = LOADED_DLLS_DU
        report.click_dialog_units(REPORT_DU, x + cx // 2, y + cy // 2)
        report.key("ctrl+a", "ctrl+c")
        text = xs.wait_for("the copied text", lambda: "DLL 16 bits" in xs.clipboard_text() and xs.clipboard_text())
        self.assertIn("DLL 16 bits chargées :", text)
        self.assertIn("QXRT16.DLL", text)
        self.assertIn("Modules 32 bits chargés :", text)

        # A second screen image while the dialog is open opens nothing more.
        xs.put_image_on_clipboard(self.image("screen-again", self.screen))
        report.key("ctrl+a", "ctrl+c")
        xs.wait_for("the clipboard", lambda: "DLL 16 bits" in xs.clipboard_text())
        self.assertEqual(notices(process.pid), [])
        self.assertEqual(len([w for w in xs.dialogs(process.pid) if is_report(w)]), 1)

        # The identity dialog.
        report.click_dialog_units(REPORT_DU, 134 + 8, 27 + 7)
        identity = xs.wait_for("the identity dialog", lambda: [
            w for w in xs.dialogs(process.pid) if 300 < w.size()[0] < 500])[0]
        identity.screenshot(shot("identity-dialog"))
        identity.key("Escape")
        xs.wait_for("the identity dialog to go", lambda: len(xs.dialogs(process.pid)) == 1)

        report.key("Escape")
        xs.wait_for("the report to close", lambda: not xs.dialogs(process.pid))
        self.watcher(process)
        self.assertNotIn("Nom=", environment.ini_text(), "closing saves nothing")

    def test_images_of_other_sizes_open_nothing(self):
        process = self.start(self.environment())
        self.close_start_notice(process)
        self.watcher(process)
        width, height = self.screen
        for size in ((width // 2, height // 2), (width, height - 1)):
            xs.put_image_on_clipboard(self.image("other-%dx%d" % size, size))
            xs.wait_for("xclip to own the clipboard", lambda: "image/png" in xs.run(
                "xclip", "-o", "-selection", "clipboard", "-t", "TARGETS", check=False))
        # Requests are handled in order: once this capture's notice is up,
        # the two before it have been dropped.
        self.open_report(process)
        self.assertEqual(len(xs.dialogs(process.pid)), 1)

    def test_the_image_on_the_clipboard_at_start_opens_nothing(self):
        environment = self.environment()
        xs.put_image_on_clipboard(self.image("before-start", self.screen))
        process = self.start(environment)
        self.close_start_notice(process)
        self.watcher(process)
        self.assertEqual(notices(process.pid), [])
        self.open_report(process)

    def test_the_pick_shows_the_image_full_screen_and_a_right_click_cancels(self):
        environment = self.environment()
        process = self.start(environment)
        self.close_start_notice(process)
        self.watcher(process)
        report = self.open_report(process)
        report.key("alt+i")

        def surface():
            return [w for w in xs.windows(pid=process.pid) if tuple(w.size()) == tuple(self.screen)
                    and w.title() != xs.WATCHER_TITLE]
        pick = xs.wait_for("the pick surface", surface)[0]
        self.assertFalse(report.is_viewable(), "the report dialog is hidden during the pick")
        self.assertEqual(pick.geometry()[:2], (0, 0))
        xs.run("xdotool", "mousemove", "--sync", "400", "300")
        xs.screenshot_root(shot("pick"))
        xs.run("xdotool", "click", "3")
        xs.wait_for("the pick to end", lambda: not surface())
        # The Print command goes on to its printer dialog; cancelling it
        # prints nothing and uses no report number.
        printer = xs.wait_for("the printer dialog", lambda: [
            w for w in xs.windows(pid=process.pid) if w.title() not in (xs.CAPTION, xs.WATCHER_TITLE, "")])[0]
        printer.key("Escape")
        xs.wait_for("the report dialog again", lambda: report.is_viewable())
        self.assertNotIn("numrpt", environment.ini_text())
        self.assertIn("Nom=", environment.ini_text(), "Print saved the identity")


if __name__ == "__main__":
    unittest.main(verbosity=2)
