"""Helpers for driving QXBêta on a real X server: a private environment
(configuration, runtime directory, installation), the program's windows found
by title and size, keys and clicks through xdotool, the clipboard through
xclip, screenshots through ImageMagick."""

import os
import shutil
import subprocess
import tempfile
import time

CAPTION = "QXBêta - Orvane Logiciels"
WATCHER_TITLE = "QXBêta"
# Every wait ends when its window shows up or goes; this only bounds a
# program that hangs.
PATIENCE_SECONDS = 90


def run(*command, check=True, **kwargs):
    return subprocess.run(command, check=check, capture_output=True, text=True, **kwargs).stdout


def wait_for(what, predicate, patience=PATIENCE_SECONDS):
    end = time.monotonic() + patience
    while time.monotonic() < end:
        value = predicate()
        if value:
            return value
        time.sleep(0.1)
    raise AssertionError("still waiting for " + what)


class Window:
    def __init__(self, wid):
        self.wid = wid

    def title(self):
        return run("xdotool", "getwindowname", self.wid, check=False).strip()

    def geometry(self):
        """x, y, width, height of the client area on the screen."""
        info = run("xwininfo", "-id", self.wid, check=False)
        values = {}
        for line in info.splitlines():
            key, _, value = line.strip().partition(":")
            values[key] = value.strip()
        return (int(values.get("Absolute upper-left X", 0)), int(values.get("Absolute upper-left Y", 0)),
                int(values.get("Width", 0)), int(values.get("Height", 0)))

    def size(self):
        return self.geometry()[2:]

    def is_viewable(self):
        return "IsViewable" in run("xwininfo", "-id", self.wid, check=False)

    def wm_state(self):
        """"Iconic", "Normal" or "" as the window manager keeps it."""
        text = run("xprop", "-id", self.wid, "WM_STATE", check=False)
        for state in ("Iconic", "Normal", "Withdrawn"):
            if "window state: " + state in text:
                return state
        return ""

    def activate(self):
        run("xdotool", "windowactivate", "--sync", self.wid, check=False)

    def key(self, *keys):
        self.activate()
        run("xdotool", "key", "--clearmodifiers", *keys)

    def click_at(self, x, y, button=1):
        left, top, _, _ = self.geometry()
        run("xdotool", "mousemove", "--sync", str(left + x), str(top + y))
        run("xdotool", "click", str(button))

    def click_dialog_units(self, template_size, du_x, du_y, button=1):
        """Clicks at a point given in the dialog units of a template of
        `template_size` (width, height): the window's size gives the scale."""
        _, _, width, height = self.geometry()
        self.click_at(round(du_x * width / template_size[0]), round(du_y * height / template_size[1]), button)

    def crop(self, template_size, du_rect):
        """The screenshot's pixels of a rectangle in dialog units."""
        from PIL import Image
        path = tempfile.mktemp(suffix=".png")
        self.screenshot(path)
        image = Image.open(path).convert("RGB")
        os.unlink(path)
        sx = image.width / template_size[0]
        sy = image.height / template_size[1]
        x, y, cx, cy = du_rect
        return image.crop((round(x * sx), round(y * sy), round((x + cx) * sx), round((y + cy) * sy)))

    def close(self):
        """Asks the window to close, as its close box or its taskbar menu
        does (WM_DELETE_WINDOW)."""
        send_delete_window(int(self.wid))

    def screenshot(self, path, frame=False):
        """The window's pixels; with `frame`, the window manager's frame too."""
        run("import", *(["-frame"] if frame else []), "-window", self.wid, path)

    def __eq__(self, other):
        return isinstance(other, Window) and self.wid == other.wid

    def __hash__(self):
        return hash(self.wid)

    def __repr__(self):
        return "Window(%s %r %s)" % (self.wid, self.title(), self.size())


def send_delete_window(wid):
    """The window manager's close request, through Xlib."""
    import ctypes
    import ctypes.util

    xlib = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    xlib.XFlush.argtypes = [ctypes.c_void_p]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

    class Event(ctypes.Union):
        _fields_ = [("message", ClientMessage), ("pad", ctypes.c_long * 24)]

    client_message = 33
    display = xlib.XOpenDisplay(None)
    event = Event()
    event.message.type = client_message
    event.message.window = wid
    event.message.message_type = xlib.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.message.format = 32
    event.message.data[0] = xlib.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    xlib.XSendEvent(display, wid, 0, 0, ctypes.byref(event))
    xlib.XFlush(display)
    xlib.XCloseDisplay(display)


def windows(name=None, visible=True, pid=None, classes=False):
    """Windows by title; with `classes`, every window that has a class
    (tooltips and menus have no title)."""
    command = ["xdotool", "search"]
    if visible:
        command.append("--onlyvisible")
    if pid is not None:
        command += ["--pid", str(pid)]
    if classes:
        command += ["--class", "."]
    else:
        command += ["--name", name] if name is not None else ["--name", "."]
    found = [Window(w) for w in run(*command, check=False).split()]
    if name is not None:
        found = [w for w in found if w.title() == name.strip("^$")]
    return found


def dialogs(pid=None):
    """The program's visible template dialogs (they share one caption)."""
    return windows("^" + CAPTION + "$", pid=pid)


def screenshot_root(path):
    run("import", "-window", "root", path)


def screen_size():
    info = run("xwininfo", "-root")
    values = dict(line.strip().split(":", 1) for line in info.splitlines() if ":" in line)
    return int(values["Width"]), int(values["Height"])


# The xclip processes that serve the clipboard.
_servers = []


def put_image_on_clipboard(path):
    """xclip serves the selection until another program takes it."""
    _servers.append(subprocess.Popen(["xclip", "-selection", "clipboard", "-t", "image/png", "-i", path],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))


def end_clipboard_servers():
    while _servers:
        end(_servers.pop())


def type_text(text):
    """Types `text` into the focused control. Xvfb's keyboard has no keys
    for accented letters: such a text is pasted from the clipboard."""
    if text.isascii():
        run("xdotool", "type", "--delay", "20", text)
        return
    server = subprocess.Popen(["xclip", "-selection", "clipboard", "-i"], stdin=subprocess.PIPE,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    server.communicate(text.encode("utf-8"))
    wait_for("the text on the clipboard", lambda: clipboard_text() == text)
    run("xdotool", "key", "--clearmodifiers", "ctrl+v")


def clipboard_text():
    return run("xclip", "-o", "-selection", "clipboard", check=False)


def make_image(path, size, seed=7):
    """A screenshot-like picture: coloured bands and a few boxes."""
    from PIL import Image, ImageDraw
    image = Image.new("RGB", size, (58, 110, 165))
    draw = ImageDraw.Draw(image)
    width, height = size
    for band in range(0, height, 48):
        shade = (band * seed) % 90
        draw.rectangle([0, band, width, band + 23], fill=(40 + shade, 90 + shade // 2, 150))
    draw.rectangle([width // 6, height // 6, width * 2 // 3, height * 2 // 3], fill=(236, 236, 236),
                   outline=(0, 0, 0))
    draw.rectangle([width // 6, height // 6, width * 2 // 3, height // 6 + 24], fill=(10, 36, 106))
    draw.text((width // 6 + 8, height // 6 + 6), "Orvane 5.50 - erreur de compilation", fill=(255, 255, 255))
    image.save(path)


class Environment:
    """A private configuration directory with Orvane.ini, a runtime directory
    (the single-instance socket) and an installation directory."""

    def __init__(self, make_installation, repexe="install", with_key=True, extra_keys=()):
        self.root = tempfile.mkdtemp(prefix="qxbeta-e2e-")
        self.config = os.path.join(self.root, "config")
        self.runtime = os.path.join(self.root, "runtime")
        self.install = os.path.join(self.root, "install")
        os.makedirs(os.path.join(self.config, "Orvane"))
        os.makedirs(self.runtime, mode=0o700)
        run(make_installation, self.install)
        lines = ["[Orvane55]"]
        if with_key:
            lines.append("REPEXE=" + (os.path.join(self.root, repexe) if repexe else ""))
        lines.append("[QXBETA]")
        lines += list(extra_keys)
        with open(self.ini_path(), "w", encoding="cp1252", newline="") as ini:
            ini.write("\r\n".join(lines) + "\r\n")
        self.logs = []

    def ini_path(self):
        return os.path.join(self.config, "Orvane", "Orvane.ini")

    def ini_text(self):
        with open(self.ini_path(), encoding="cp1252") as ini:
            return ini.read()

    def variables(self):
        variables = dict(os.environ)
        variables.update(XDG_CONFIG_HOME=self.config, XDG_RUNTIME_DIR=self.runtime, QT_QPA_PLATFORM="xcb")
        variables.pop("WAYLAND_DISPLAY", None)
        return variables

    def start(self, program, cwd=None):
        log = open(os.path.join(self.root, "qxbeta-%d.log" % time.monotonic_ns()), "w")
        self.logs.append(log)
        return subprocess.Popen([program], env=self.variables(), cwd=cwd or self.root, stdout=log,
                                stderr=subprocess.STDOUT)

    def sanitizer_reports(self):
        """What the sanitizers reported in the program's output."""
        reports = []
        for log in self.logs:
            log.flush()
            with open(log.name, errors="replace") as text:
                reports += [line for line in text if "AddressSanitizer" in line or "LeakSanitizer" in line
                            or "runtime error:" in line]
        return reports

    def remove(self):
        for log in self.logs:
            log.close()
        shutil.rmtree(self.root, ignore_errors=True)


def start_window_manager():
    """Openbox, when it is installed: it iconifies, activates and frames
    windows as a desktop does. None without it."""
    if shutil.which("openbox") is None:
        return None
    manager = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for("the window manager", lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in
             run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK", check=False))
    return manager


def end(process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
