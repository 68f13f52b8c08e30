"""Drives the real Quillpad.exe under Wine in a virtual X display.

Keys and clicks go in through xdotool, as a user's would; the window is read
back by quill_probe.exe, a Windows program of the tests. Each test gets a
fresh folder with its own copy of the program (and so its own data file).
"""

import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import zlib
from pathlib import Path

SOURCE = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("QUILL_WINDOWS_BUILD", SOURCE / "build" / "windows"))
EXE = BUILD / "Quillpad.exe"
PROBE = BUILD / "tests" / "quill_probe.exe"
PREFIX = BUILD / "wineprefix"
SCREEN = (1024, 768)


def _control_ids():
    """The dialog's control ids, read from the program's own resource.h."""
    text = (SOURCE / "res" / "resource.h").read_text()
    return {m[1]: int(m[2]) for m in re.finditer(r"^#define (IDC_\w+) (\d+)$", text, re.M)}


_IDS = _control_ids()
EXPRESSION, RESULT, RESULT_BUTTON = _IDS["IDC_EXPRESSION"], _IDS["IDC_RESULT"], _IDS["IDC_BTN_RESULT"]
MENU_BUTTON, TOP_BUTTON = _IDS["IDC_BTN_MENU"], _IDS["IDC_BTN_TOP"]
LINK_HOME, LINK_MAIL = _IDS["IDC_LINK_HOME"], _IDS["IDC_LINK_MAIL"]


def roaming_folder():
    """Where the program keeps its second copy of the settings (%APPDATA%\\Quillpad)."""
    found = sorted(PREFIX.glob("drive_c/users/*/AppData/Roaming"))
    found = [f for f in found if f.parent.parent.name != "Public"]
    return (found[0] if found else PREFIX / "drive_c" / "users" / os.environ.get("USER", "root") / "AppData"
            / "Roaming") / "Quillpad"


def windows_path(path):
    """A Linux path as Wine's drive Z: shows it."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


def retried(what):
    """Notes on the test output that a step was given again."""
    print(f"[again: {what}]", file=sys.stderr, flush=True)


def wine(*args):
    """A command that runs a Windows program (or Wine's own) in the tests' prefix."""
    return ["sh", str(SOURCE / "cmake" / "wine-run.sh"), str(PREFIX), *map(str, args)]


_layout = None
_menu = None


def menu_items():
    """The popup menu as the program's own table has it (through the probe):
    {main item: its place}, {submenu: [its items]}; separators not counted."""
    global _menu
    if _menu is None:
        out = subprocess.run(wine(PROBE, "menu-items"), capture_output=True, text=True, check=True, timeout=120)
        main, sub = {}, {}
        for line in out.stdout.replace("\r", "").splitlines():
            if ": " in line:
                menu, item = line.split(": ", 1)
                sub.setdefault(menu, []).append(item)
            elif line:
                main[line] = len(main)
        _menu = (main, sub)
    return _menu


_strip = None


def empty_strip():
    """The pixels (at 96 DPI) the window cuts off below its template, as the
    program's own constant says (through the probe)."""
    global _strip
    if _strip is None:
        out = subprocess.run(wine(PROBE, "strip"), capture_output=True, text=True, check=True, timeout=120)
        _strip = int(out.stdout.strip())
    return _strip


def record_layout():
    """The data file's fields in file order, [(name, kind)], as the program's
    own table reports them (through the probe)."""
    global _layout
    if _layout is None:
        out = subprocess.run(wine(PROBE, "layout"), capture_output=True, text=True, check=True, timeout=120)
        _layout = [tuple(line.split()) for line in out.stdout.replace("\r", "").splitlines() if line.strip()]
    return _layout


# What the program writes on a first start, but for the place.
RECORD_DEFAULTS = {"bTopmost": True, "nReserved": 0, "nRound": -1, "nFormat": 0, "nLeft": 0, "nTop": 0,
                   "lfFont.lfFaceName": b"Verdana", "lfFont.lfHeight": -13, "lfFont.lfItalic": 0,
                   "lfFont.lfWeight": 0, "strReserved": b"", "bDegrees": False}


def record_bytes(**fields):
    """The data file's bytes for the defaults with `fields` changed (names as
    in the record, a dot written as a double underscore: lfFont__lfHeight)."""
    values = dict(RECORD_DEFAULTS, **{k.replace("__", "."): v for k, v in fields.items()})
    out = b""
    for name, kind in record_layout():
        value = values[name]
        if kind in ("flag", "byte"):
            out += struct.pack("<B", int(value))
        elif kind == "int32":
            out += struct.pack("<i", value)
        elif len(value) <= 254:  # counted: the shortest length prefix
            out += struct.pack("<B", len(value)) + value
        elif len(value) <= 65533:
            out += struct.pack("<BH", 0xFF, len(value)) + value
        else:
            out += struct.pack("<BHI", 0xFF, 0xFFFF, len(value)) + value
    return out


def read_record(data):
    """The fields of the data file's bytes, by name."""
    fields, at = {}, 0
    for name, kind in record_layout():
        if kind in ("flag", "byte"):
            fields[name] = data[at] if kind == "byte" else bool(data[at])
            at += 1
        elif kind == "int32":
            fields[name] = struct.unpack_from("<i", data, at)[0]
            at += 4
        else:
            length, at = data[at], at + 1
            if length == 0xFF:
                length, at = struct.unpack_from("<H", data, at)[0], at + 2
                if length == 0xFFFF:
                    length, at = struct.unpack_from("<I", data, at)[0], at + 4
            fields[name] = data[at:at + length]
            at += length
    return fields


class Display:
    """An Xvfb server on a free display number, for the length of a test run."""

    def __init__(self):
        self.number = next(n for n in range(90, 200) if not Path(f"/tmp/.X{n}-lock").exists())
        self.server = subprocess.Popen(
            ["Xvfb", f":{self.number}", "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.time() + 10
        while not Path(f"/tmp/.X11-unix/X{self.number}").exists():
            if time.time() > deadline:
                raise RuntimeError("Xvfb did not start")
            time.sleep(0.1)
        self.url_log = Path(tempfile.mkdtemp(prefix="quillpad-urls-")) / "opened.txt"
        self.env = dict(os.environ, DISPLAY=f":{self.number}", WINEPREFIX=str(PREFIX), WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=", QUILL_URL_LOG=str(self.url_log))
        # Nothing of an earlier run may linger in the prefix (tests of the
        # window run one at a time).
        subprocess.run(["wineserver", "-k"], env=self.env, check=False, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.env, check=False)
        # A .html file opens in the browser, as on any Windows (this prefix
        # has no web browser of its own to register it).
        subprocess.run(wine("reg", "add", r"HKCR\.html", "/ve", "/d", "htmlfile", "/f"), env=self.env,
                       capture_output=True, check=True, timeout=120)
        # Wine's shell opens web and mail addresses with this recorder.
        recorder = str(Path(__file__).resolve().parent / "record-url.sh")
        for kind in ("Browsers", "Mailers"):
            subprocess.run(wine("reg", "add", r"HKCU\Software\Wine\WineBrowser", "/v", kind, "/d",
                                 recorder, "/f"), env=self.env, capture_output=True, check=True, timeout=120)
        # No settings of an earlier run in the user's folder.
        shutil.rmtree(roaming_folder(), ignore_errors=True)
        # The first start on a display brings up Wine's own helpers; let that
        # happen before any test counts time.
        self.started = False
        subprocess.run(["wineserver", "-w"], env=self.env, check=False)
        warm = Quillpad(self)
        warm.close()
        shutil.rmtree(warm.folder, ignore_errors=True)

    def opened(self, count, timeout=20):
        """The addresses handed to the browser or mail program, once `count` came."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            lines = self.url_log.read_text().splitlines() if self.url_log.exists() else []
            if len(lines) >= count:
                return lines
            time.sleep(0.2)
        return self.url_log.read_text().splitlines() if self.url_log.exists() else []

    def close(self):
        subprocess.run(["wineserver", "-k"], env=self.env, check=False)
        subprocess.run(["wineserver", "-w"], env=self.env, check=False)
        self.server.terminate()
        self.server.wait()


_shared = None


def shared_display():
    """One display for every test module of a run, closed when the run ends."""
    global _shared
    if _shared is None:
        import atexit
        _shared = Display()
        atexit.register(_shared.close)
    return _shared


class Quillpad:
    """One run of the program in its own folder."""

    def __init__(self, display, folder=None, data=None, desktop=None, alongside=False, locale=None):
        self.display = display
        self.env = display.env
        # Wine takes the user's number format from the Unix locale the
        # program starts with.
        launch_env = dict(self.env, LC_ALL=locale) if locale else self.env
        self.folder = Path(folder or tempfile.mkdtemp(prefix="quillpad-e2e-"))
        self.exe = self.folder / "Quillpad.exe"
        if not self.exe.exists():
            shutil.copy(EXE, self.exe)
        if data is not None:
            self.data_file.write_bytes(data)
        # No window of an earlier run may stand in for this one (unless a
        # second copy is meant to run beside the first).
        if display.started and not alongside:
            self.probe("gone")
        display.started = True
        command = wine(self.exe)
        if desktop:  # Wine's own virtual desktop draws the caption, for screenshots
            command = wine("explorer", f"/desktop={desktop}", self.exe)
        self.process = subprocess.Popen(command, cwd=self.folder, env=launch_env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.desktop = desktop
        if not desktop:
            # The X side first: a Wine program started while another is still
            # bringing up a fresh session may end up on a desktop of its own.
            self.x_window = self._x_window()
            self.probe("wait")

    @property
    def data_file(self):
        return self.folder / "dataclc.dat"

    @property
    def history_file(self):
        return self.folder / "history.txt"

    def history(self):
        """The history file's entries, (expression, answer) oldest first; None without a file."""
        if not self.history_file.is_file():
            return None
        lines = self.history_file.read_text(encoding="utf-8").splitlines()[1:]
        return [tuple(line.split("\t")[:2]) for line in lines if line and not line.startswith("#")]

    def list_rows(self):
        """The history list as it shows: (filter, [(expression, answer)], selected row); None when closed."""
        text = self.probe("list", check=False)
        if text == "none":
            return None
        lines = text.splitlines()
        rows, selected = [], None
        for i, line in enumerate(lines[1:]):
            if line.startswith("> "):
                selected, line = i, line[2:]
            rows.append(tuple(line.split("\t")))
        return lines[0][len("filter ["):-1], rows, selected
    def stray_files(self):
        """Files in the program's folder beside the program, its data file and its history."""
        return sorted(p.name for p in self.folder.iterdir()
                      if p.name not in ("Quillpad.exe", "dataclc.dat", "history.txt"))

    def probe(self, *args, check=True, timeout=60):
        result = subprocess.run(wine(PROBE, *args), env=self.env, capture_output=True,
                                timeout=timeout)
        # Every command that fails says why on its output. A failure with no
        # output at all is Wine's: within seconds of a new wineserver a
        # program may end with 1 before it has run (seen for any command, and
        # the same command run again at once answers).
        if result.returncode != 0 and not result.stdout.strip() and not result.stderr.strip():
            retried(f"probe {' '.join(args)}: Wine did not run it")
            result = subprocess.run(wine(PROBE, *args), env=self.env, capture_output=True,
                                    timeout=timeout)
        text = result.stdout.decode("utf-8", "replace").replace("\r", "").strip()
        if check and result.returncode != 0:
            raise AssertionError(f"probe {' '.join(args)}: {text} {result.stderr[-300:]!r} (status {result.returncode})")
        return text

    def _x_window(self):
        for _ in range(1500):  # a first start on a new display can take Wine a while
            out = subprocess.run(["xdotool", "search", "--name", "^Quillpad$"], env=self.env,
                                 capture_output=True, text=True).stdout.split()
            if out:
                return out[0]
            time.sleep(0.1)
        raise AssertionError("no X window for Quillpad")

    # What the window shows. Input is taken in its order but on the
    # program's own time: a read that follows input waits for what it expects.
    @staticmethod
    def wait_for(read, done, timeout=10):
        """Reads until `done(value)` holds or `timeout` seconds have passed; the last value."""
        deadline = time.time() + timeout
        value = read()
        while not done(value) and time.time() < deadline:
            time.sleep(0.1)
            value = read()
        return value

    def text(self, control):
        return self.probe("text", str(control))[1:-1]

    def wait_text(self, control, expected, timeout=10):
        """The control's text, once it is `expected` (or what it is at the time-out)."""
        return self.wait_for(lambda: self.text(control), lambda text: text == expected, timeout)

    def selection(self, control=EXPRESSION):
        start, end = self.probe("sel", str(control)).split()
        return int(start), int(end)

    def window(self):
        parts = self.probe("window").split()
        rect = tuple(int(v) for v in parts[:4])
        flags = dict(p.split("=") for p in parts[4:])
        return rect, flags

    def control_rect(self, control):
        return tuple(int(v) for v in self.probe("item", str(control)).split()[:4])

    def pin(self):
        return self.probe("pin")

    def focus(self):
        return int(self.probe("focus"))

    # What a user does.
    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True)

    def click(self, control, button=1):
        """Clicks the middle of a control; a click into a line is seen to give
        it the focus (and given again when it was lost)."""
        left, top, right, bottom = self.control_rect(control)
        for attempt in range(3):
            if attempt:
                retried(f"click on {control}")
            self.xdotool("mousemove", str((left + right) // 2), str((top + bottom) // 2), "click", str(button))
            if control not in (EXPRESSION, RESULT) or self.wait_for(self.focus, lambda f: f == control, 4) == control:
                return
        raise AssertionError(f"a click on {control} does not give it the focus")

    def type(self, text):
        self.xdotool("type", "--delay", "30", text)

    def key(self, *keys):
        self.xdotool("key", "--delay", "30", *keys)

    def press_until(self, key, done, tries=3):
        """Presses `key` until `done()` holds (a key lost under load is pressed again)."""
        for attempt in range(tries):
            if attempt:
                retried(key)
            self.key(key)
            deadline = time.time() + 4
            while time.time() < deadline:
                if done():
                    return
                time.sleep(0.3)
        raise AssertionError(f"pressing {key} had no effect")

    def enter_expression(self, text):
        """Clicks into the expression line, replaces its text, presses Enter."""
        self.click(EXPRESSION)
        self.key("ctrl+a", "BackSpace")
        if text:
            self.type(text)
        self.key("Return")

    # The popup menu. Its items are found on the screen (another program's
    # menu cannot be read here); every step waits for what it should bring,
    # and a click or key that Wine lost under load is given again.
    def menus(self, count=1, lefts=False):
        """The popup menus showing, once `count` show, topmost first: (rect,
        [middle row of each item]), with [where each item's drawing begins]
        when `lefts`."""
        text = self.probe("menus", str(count), check=False)
        if text == "none":
            return None
        found = []
        for line in text.splitlines():
            values = line.split()
            rect = tuple(int(v) for v in values[:4])
            rows = [int(v.split("@")[0]) for v in values[4:]]
            starts = [int(v.split("@")[1]) for v in values[4:]]
            found.append((rect, rows, starts) if lefts else (rect, rows))
        return found

    def click_at(self, x, y):
        self.xdotool("mousemove", str(x), str(y), "click", "1")

    def menu_gone(self):
        return self.probe("menu-gone", check=False) == "gone"

    def dismiss_menu(self):
        """Closes the menu with a click on the expression line."""
        for attempt in range(4):
            if self.menu_gone():
                return
            if attempt:
                retried("click to close the menu")
            self.click(EXPRESSION)
        raise AssertionError("the popup menu does not close")

    def open_menu(self):
        """Clicks "Menu" until the popup menu shows; its rectangle and item rows."""
        for attempt in range(3):
            if attempt:
                retried("click on Menu")
            self.click(MENU_BUTTON)
            shown = self.menus()
            if shown:
                return shown[0]
        raise AssertionError("the popup menu does not open")

    def _click_item(self, rect, rows, index):
        self.click_at((rect[0] + rect[2]) // 2, rows[index])

    def choose(self, *path):
        """Clicks through the menu: the main item path[0], then the item path[1]
        of its submenu; waits until the menu has closed on the command."""
        for _ in range(3):
            main_rect, main_rows = self.open_menu()
            self._click_item(main_rect, main_rows, path[0])
            if len(path) > 1:
                shown = None
                for _ in range(3):
                    shown = self.menus(2)
                    if shown:
                        break
                    retried(f"click on main item {path[0]}")
                    self._click_item(main_rect, main_rows, path[0])
                if not shown:
                    self.dismiss_menu()
                    continue
                sub_rect, sub_rows = next(m for m in shown if m[0] != main_rect)
                self._click_item(sub_rect, sub_rows, path[1])
            if self.menu_gone():
                return
            self.dismiss_menu()
        raise AssertionError(f"the menu command {path} was not taken")

    def marked(self, index):
        """Opens the submenu of the main item `index` and reads which of its
        items carry the radio mark (drawn left of where the others begin)."""
        for attempt in range(3):
            if attempt:
                retried(f"open submenu {index} to read its marks")
            main_rect, main_rows = self.open_menu()
            self._click_item(main_rect, main_rows, index)
            shown = self.menus(2, lefts=True)
            self.dismiss_menu()
            sub = next((m for m in shown or [] if m[0] != main_rect), None)
            if sub:
                starts = sub[2]
                return [i for i, start in enumerate(starts) if start < max(starts) - 3]
        raise AssertionError(f"the submenu of item {index} does not open")

    def choose_by_keys(self, index):
        """Opens the menu and goes Down to the main item `index` (seeing each
        step on the screen), then presses Enter; waits until the menu closed."""
        for _ in range(3):
            rect, rows = self.open_menu()
            lit = -1
            for want in range(index + 1):
                for attempt in range(3):
                    if attempt:
                        retried(f"Down to item {want}")
                    self.key("Down")
                    lit = int(self.probe("lit", str(want), *map(str, rect), *map(str, rows)))
                    if lit >= want:
                        break
                if lit != want:
                    break
            if lit == index:
                self.key("Return")
                if self.menu_gone():
                    return
            self.dismiss_menu()
        raise AssertionError(f"the menu item {index} could not be reached with the keys")

    def choose_font(self, item, face, size):
        """Opens the font dialog through the menu item `item`, types the face
        and the size (each seen in the dialog before the next) and takes them
        with Enter; waits until the dialog has closed."""
        self.choose_by_keys(item)
        want = f"{face}|{size}"
        shown = lambda: self.probe("font-dialog")
        for attempt in range(3):
            if attempt:
                retried("face and size in the font dialog")
            shown()
            self.key("ctrl+a")
            self.type(face)
            if not self.wait_for(shown, lambda s: s.startswith(face + "|"), 4).startswith(face + "|"):
                continue
            self.key("Tab", "Tab", "ctrl+a")
            self.type(size)
            if self.wait_for(shown, lambda s: s == want, 4) == want:
                break
            self.key("shift+Tab", "shift+Tab")
        if shown() != want:
            raise AssertionError(f"the font dialog shows {shown()}, not {want}")
        self.press_until("Return", lambda: self.probe("font-dialog", check=False) == "none")

    def close(self, timeout=20):
        if self.process.poll() is None:
            self.probe("close", check=False)
            try:
                self.process.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                self.process.kill()
                raise AssertionError("the window did not close")

    def screenshot(self, name, command="shot"):
        """The window (or what `command` of the probe shoots) as NAME.png
        beside the other screenshots of the run."""
        out_dir = Path(os.environ.get("QUILL_SCREENSHOT_DIR", BUILD / "tests" / "e2e"))
        out_dir.mkdir(parents=True, exist_ok=True)
        bmp = self.folder / f"{name}.bmp"
        self.probe(command, windows_path(bmp))
        bmp_to_png(bmp, out_dir / f"{name}.png")

    def shortened(self, whole, exponent, mark="."):
        """The result line once it shows `whole` (a number in exponent form)
        shortened: its digits, checked to be the whole number's with the
        last one rounded."""
        shown = self.wait_for(lambda: self.text(RESULT), lambda t: t.endswith(exponent))
        mantissa, sign, rest = shown.partition("\u2026")
        assert (sign, rest) == ("\u2026", exponent), shown
        digits = mantissa.replace(mark, "")
        all_digits = whole.split("e")[0].replace(".", "")
        assert digits == str((int(all_digits[:len(digits) + 1]) + 5) // 10), (shown, whole)
        return digits

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


class AppTest(unittest.TestCase):
    """A test that starts the program (and probes left running) and ends
    them, by their own process, however it ends."""

    def start(self, **kwargs):
        app = Quillpad(shared_display(), **kwargs)
        self.addCleanup(app.kill)
        return app

    def background(self, *probe_args):
        """A probe left running (it prints one line once it is ready)."""
        process = subprocess.Popen(wine(PROBE, *probe_args), env=shared_display().env,
                                   stdout=subprocess.PIPE)
        self.addCleanup(process.kill)
        self.addCleanup(process.stdout.close)
        return process


def bmp_to_png(bmp_path, png_path):
    """A 24-bit bottom-up BMP (what the probe writes) as a PNG."""
    data = Path(bmp_path).read_bytes()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        bgr = data[offset + y * stride: offset + y * stride + width * 3]
        rgb = bytearray(width * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = bgr[2::3], bgr[1::3], bgr[0::3]
        rows.append(b"\x00" + bytes(rgb))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(b"".join(rows))) + chunk(b"IEND", b""))
    Path(png_path).write_bytes(png)
