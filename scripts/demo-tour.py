#!/usr/bin/python3
"""The demo's tour of QXBêta on an X server without a tester (run by
scripts/demo under xvfb-run): what a tester sees, as screenshots, with the
printed report and the e-mail report archive.

    demo-tour.py QXBETA OUTPUT_DIR"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

import xsession as xs  # noqa: E402

REPORT_DU = (418, 271)
IDENTITY_DU = (218, 218)


def main(program, out):
    def shot(name):
        path = os.path.join(out, name + ".png")
        xs.screenshot_root(path)
        print("  " + os.path.basename(path))

    manager = xs.start_window_manager()
    screen = xs.screen_size()
    desktop = os.path.join(out, "capture-ecran.png")
    xs.make_image(desktop, screen)
    # The "tester's screen": the picture on the desktop is what gets captured.
    xs.run("display", "-window", "root", desktop, check=False)

    environment = dict(os.environ, QT_QPA_PLATFORM="xcb", QX_PRINT_TO_PDF=os.path.join(out, "rapport-imprime.pdf"))
    environment.pop("WAYLAND_DISPLAY", None)
    with open(os.path.join(out, "qxbeta.log"), "w") as log:
        process = subprocess.Popen([program], env=environment, cwd=out, stdout=log, stderr=log)
        try:
            tour(process, screen, desktop, shot, out)
        finally:
            xs.end(process)
            xs.end_clipboard_servers()
            if manager is not None:
                xs.end(manager)


def tour(process, screen, desktop, shot, out):
    notice = xs.wait_for("the start-up notice", lambda: xs.dialogs(process.pid))[0]
    shot("01-notice-demarrage")
    notice.key("Return")
    xs.wait_for("the watcher", lambda: not xs.dialogs(process.pid))

    xs.put_image_on_clipboard(desktop)
    notice = xs.wait_for("the capture notice", lambda: xs.dialogs(process.pid))[0]
    shot("02-notice-capture")
    notice.key("Return")

    report = xs.wait_for("the report dialog", lambda: [w for w in xs.dialogs(process.pid) if w.size()[0] > 500])[0]
    xs.wait_for("the report to show", report.is_viewable)
    for du, text in (((120, 80), "Le compilateur s'arrête sur une erreur interne."),
                     ((120, 126), "Ouvrir le projet exemple, puis Compiler > Tout régénérer."),
                     ((120, 172), "Arrive une fois sur deux.")):
        report.click_dialog_units(REPORT_DU, *du)
        xs.type_text(text)
    report.click_dialog_units(REPORT_DU, 13 + 5, 206 + 5)     # "Oui"
    report.click_dialog_units(REPORT_DU, 156 + 5, 218 + 5)    # "32 bits"

    report.click_dialog_units(REPORT_DU, 134 + 8, 27 + 7)     # "..."
    identity = xs.wait_for("the identity dialog", lambda: [
        w for w in xs.dialogs(process.pid) if 300 < w.size()[0] < 500])[0]
    for value in ("Claire Martin", "Atelier Logiciel Séverin", "12 rue des Tanneurs", "69002", "Lyon",
                  "claire.martin@example.fr", "04 72 00 00 01", "04 72 00 00 02", "BX1234"):
        xs.type_text(value)
        xs.run("xdotool", "key", "Tab")
    shot("04-identite")
    identity.key("alt+o")
    xs.wait_for("the identity dialog to close", lambda: len(xs.dialogs(process.pid)) == 1)
    shot("03-rapport")
    report.screenshot(os.path.join(out, "rapport-fenetre.png"), frame=True)

    # Print: the pick of the incident point, then the PDF.
    report.key("alt+i")
    xs.wait_for("the pick surface", lambda: [w for w in xs.windows(pid=process.pid)
                                             if tuple(w.size()) == tuple(screen)])
    xs.run("xdotool", "mousemove", "--sync", str(screen[0] // 3), str(screen[1] // 4))
    shot("05-pointage-incident")
    xs.run("xdotool", "click", "1")
    pdf = os.path.join(out, "rapport-imprime.pdf")
    xs.wait_for("the printed report", lambda: os.path.exists(pdf) and report.is_viewable()
                and not [w for w in xs.windows(pid=process.pid) if w.size()[0] < 400])
    print("  " + os.path.basename(pdf))

    # E-mail: the notice, the save dialog's default name in the demo folder
    # (the current directory), the pick, then the report archive.
    report.key("alt+e")
    notice = xs.wait_for("the e-mail notice", lambda: [w for w in xs.dialogs(process.pid) if w.size()[0] < 400])[0]
    shot("06-notice-email")
    notice.key("Return")
    save = xs.wait_for("the save dialog", lambda: [w for w in xs.windows(pid=process.pid)
                                                   if not w.title().startswith("QXB")])[0]
    xs.wait_for("the e-mail notice to close", lambda: len(xs.dialogs(process.pid)) == 1)
    time.sleep(1)  # the save dialog's first paint
    shot("07-enregistrer-archive")
    save.key("Return")
    xs.wait_for("the pick surface", lambda: [w for w in xs.windows(pid=process.pid)
                                             if tuple(w.size()) == tuple(screen)])
    xs.run("xdotool", "click", "1")
    archives = xs.wait_for("the report archive", lambda: [
        name for name in os.listdir(out) if name.endswith(".QXR")] if report.is_viewable()
        and not [w for w in xs.windows(pid=process.pid) if w.size()[0] < 400]
        and not [name for name in os.listdir(out) if name.endswith(".TMP")] else [])
    print("  " + archives[0])

    report.key("Escape")
    xs.wait_for("the report to close", lambda: not xs.dialogs(process.pid))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
