#!/usr/bin/python3
"""QXBêta under a real Wayland compositor: headless sway, run as an
unprivileged user (sway refuses root). With XWayland, a screenshot of the
output's physical pixels opens the report at scale 1 and at 150 %, and a
second output counts on its own and with the first; without XWayland the
program watches the clipboard through the data-control protocol; without X
and without a compositor it says that XWayland is needed.

Environment: QX_BIN_DIR (qxbeta), QX_DEMO_INSTALLATION (the installation
maker)."""

import json
import os
import pwd
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import xsession as xs  # noqa: E402

QXBETA = os.path.join(os.environ["QX_BIN_DIR"], "qxbeta")
MAKE_INSTALLATION = os.environ["QX_DEMO_INSTALLATION"]
USER = "qxbeta-tester"
OUTPUT = (1280, 720)
SECOND = (800, 600)
# How long a refused image is given to open a report it must not open.
REFUSAL_SECONDS = 3


def tester():
    """The unprivileged user, made when it is missing (the test runs as root)."""
    try:
        return pwd.getpwnam(USER)
    except KeyError:
        subprocess.run(["useradd", "-m", USER], check=True)
        return pwd.getpwnam(USER)


class Sway:
    """A headless sway as the tester, with its own runtime folder."""

    def __init__(self, root, account, xwayland):
        self.account = account
        self.runtime = os.path.join(root, "runtime")
        os.makedirs(self.runtime, mode=0o700)
        os.chown(self.runtime, account.pw_uid, account.pw_gid)
        config = os.path.join(root, "sway.conf")
        with open(config, "w") as text:
            text.write("output HEADLESS-1 mode %dx%d position 0 0 scale 1\n" % OUTPUT)
            text.write("output HEADLESS-2 mode %dx%d position %d 0 scale 1\n" % (SECOND + (OUTPUT[0],)))
            text.write("xwayland %s\n" % ("enable" if xwayland else "disable"))
            text.write("exec env > %s/env.txt\n" % self.runtime)
        self.base = dict(HOME=account.pw_dir, PATH="/usr/bin:/bin", XDG_RUNTIME_DIR=self.runtime)
        self.process = self.start(["sway", "-c", config], WLR_BACKENDS="headless", WLR_RENDERER="pixman",
                                  WLR_LIBINPUT_NO_DEVICES="1", WLR_HEADLESS_OUTPUTS="2")
        keys = ["WAYLAND_DISPLAY", "SWAYSOCK"] + (["DISPLAY"] if xwayland else [])
        self.session = xs.wait_for("sway's environment", lambda: self.read_environment(keys))

    def read_environment(self, keys):
        try:
            with open(os.path.join(self.runtime, "env.txt")) as text:
                found = dict(line.rstrip("\n").split("=", 1) for line in text if "=" in line)
        except OSError:
            return None
        return {key: found[key] for key in keys} if all(key in found for key in keys) else None

    def environment(self, **extra):
        variables = dict(self.base)
        variables.update(getattr(self, "session", {}))
        variables.update(extra)
        return variables

    def start(self, command, stdin=None, stdout=subprocess.DEVNULL, **extra):
        return subprocess.Popen(command, env=self.environment(**extra), user=self.account.pw_uid,
                                group=self.account.pw_gid, extra_groups=[], stdin=stdin, stdout=stdout,
                                stderr=subprocess.STDOUT)

    def run(self, *command):
        process = self.start(list(command), stdout=subprocess.PIPE)
        out, _ = process.communicate(timeout=60)
        return out.decode("utf-8", "replace")

    def windows(self):
        """(name, width, con_id) of every node of sway's tree."""
        def walk(node):
            yield node.get("name") or "", node.get("rect", {}).get("width", 0), node.get("id")
            for child in node.get("nodes", []) + node.get("floating_nodes", []):
                yield from walk(child)
        tree = self.run("swaymsg", "-t", "get_tree", "-r")
        return list(walk(json.loads(tree))) if tree.strip().startswith("{") else []

    def titles(self):
        return [name for name, _, _ in self.windows()]

    def end(self):
        self.run("swaymsg", "exit")
        xs.end(self.process)


class WaylandTest(unittest.TestCase):
    def setUp(self):
        self.account = tester()
        self.root = tempfile.mkdtemp(prefix="qxbeta-wayland-")
        os.chmod(self.root, 0o755)
        self.environment = xs.Environment(MAKE_INSTALLATION, extra_keys=["INFO=0", "INFOIMP=0"])
        os.chmod(self.environment.root, 0o755)
        for folder, _, files in os.walk(self.environment.root):
            for name in [folder] + [os.path.join(folder, f) for f in files]:
                os.chown(name, self.account.pw_uid, self.account.pw_gid)
        self.copies = []
        self.program = None
        self.sway = None

    def tearDown(self):
        self.end_copies()
        if self.program is not None:
            xs.end(self.program)
        if self.sway is not None:
            self.sway.end()
        reports = self.environment.sanitizer_reports()
        self.environment.remove()
        shutil.rmtree(self.root, ignore_errors=True)
        self.assertEqual(reports, [])

    def start(self, xwayland):
        self.sway = Sway(self.root, self.account, xwayland)
        log = open(os.path.join(self.environment.root, "qxbeta.log"), "w")
        self.environment.logs.append(log)
        extra = dict(XDG_CONFIG_HOME=self.environment.config,
                     LSAN_OPTIONS=os.environ.get("LSAN_OPTIONS", ""))
        self.program = self.sway.start([QXBETA], stdout=log, **extra)
        xs.wait_for("the watcher window", lambda: xs.WATCHER_TITLE in self.sway.titles())

    def end_copies(self):
        while self.copies:
            xs.end(self.copies.pop())

    def copy(self, name, size):
        path = os.path.join(self.root, name + ".png")
        xs.make_image(path, size, seed=len(self.copies) + 3)
        os.chmod(path, 0o644)
        self.end_copies()
        self.copies = [self.sway.start(["wl-copy", "--foreground", "--type", "image/png"], stdin=open(path, "rb"))]

    def reports(self):
        """The report dialog's node ids (the progress window before it has
        the same caption but is narrower)."""
        return [node for name, width, node in self.sway.windows() if name == xs.CAPTION and width > 500]

    def report_opens_for(self, name, size):
        self.copy(name, size)
        xs.wait_for("the report dialog", self.reports)

        # A close that comes while the dialog still fills itself in is not
        # seen, so the close is asked until the dialog has gone.
        def closed():
            for report in self.reports():
                self.sway.run("swaymsg", "[con_id=%d] kill" % report)
            return xs.CAPTION not in self.sway.titles()
        xs.wait_for("the report to close", closed)
        # The image leaves the clipboard, so that no later change of the
        # outputs brings it back as a new capture.
        self.end_copies()

    def refused(self, name, size):
        self.copy(name, size)
        time.sleep(REFUSAL_SECONDS)
        return xs.CAPTION not in self.sway.titles()

    def test_physical_screenshots_open_the_report_through_xwayland_at_scale_1_and_150_percent(self):
        self.start(xwayland=True)
        self.report_opens_for("scale-1", OUTPUT)
        self.report_opens_for("second-output", SECOND)
        self.report_opens_for("both-outputs", (OUTPUT[0] + SECOND[0], OUTPUT[1]))
        self.sway.run("swaymsg", "output", "HEADLESS-1", "scale", "1.5")
        self.assertTrue(self.refused("a-pixel-off", (OUTPUT[0] - 1, OUTPUT[1])))
        self.report_opens_for("scale-1.5", OUTPUT)

    def test_without_xwayland_the_clipboard_is_watched_through_data_control(self):
        self.start(xwayland=False)
        self.assertTrue(self.refused("a-pixel-off", (OUTPUT[0], OUTPUT[1] + 1)))
        self.report_opens_for("native", OUTPUT)


class NoDisplayTest(unittest.TestCase):
    def test_without_x_and_without_a_compositor_the_program_says_xwayland_is_needed(self):
        environment = xs.Environment(MAKE_INSTALLATION)
        try:
            variables = environment.variables()
            for name in ("DISPLAY", "QT_QPA_PLATFORM"):
                variables.pop(name, None)
            variables["WAYLAND_DISPLAY"] = "qxbeta-no-such-compositor"
            ended = subprocess.run([QXBETA], env=variables, capture_output=True, text=True, timeout=60)
            self.assertNotEqual(ended.returncode, 0)
            self.assertIn("XWayland", ended.stderr)
            self.assertIn("presse-papiers", ended.stderr)
        finally:
            environment.remove()


if __name__ == "__main__":
    unittest.main(verbosity=2)
