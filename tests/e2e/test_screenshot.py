"""The screenshot of the README: a widened window with a long result inside
Wine's virtual desktop, which draws the caption. It runs after the other end-to-end tests, since the
desktop it starts is killed at the end and leaves the keyboard in a state
that later tests could not rely on."""

import os
import subprocess
import time
import unittest
from pathlib import Path

import harness
import test_window
from harness import EXPRESSION, RESULT, record_bytes
from test_window import WindowTest

DISPLAY = None


def setUpModule():
    global DISPLAY
    DISPLAY = test_window.DISPLAY = harness.shared_display()


class ScreenshotTest(WindowTest):
    def in_desktop(self, *args):
        """Runs the probe inside Wine's virtual desktop, without waiting on it
        (the desktop's explorer keeps running)."""
        process = subprocess.Popen(harness.wine("explorer", "/desktop=quillshot", harness.PROBE, *args),
                                   env=DISPLAY.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.started.append(process)

    def ask_in_desktop(self, done, *args, timeout=30):
        """Runs the probe inside the desktop until its answer satisfies `done`; the answer."""
        answer = self.folder / "answer.txt"
        deadline = time.time() + timeout
        while True:
            answer.unlink(missing_ok=True)
            self.in_desktop("--out", "Z:" + str(answer).replace("/", "\\"), *args)
            while not answer.exists() or not answer.read_text().strip():
                if time.time() > deadline:
                    self.fail(f"no answer from the probe in the desktop to {args}")
                time.sleep(0.2)
            text = answer.read_text().replace("\r", "").strip()
            if done(text) or time.time() > deadline:
                return text

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=DISPLAY.env, capture_output=True, text=True,
                              timeout=60).stdout.split()

    def test_screenshot(self):
        out_dir = Path(os.environ.get("QUILL_SCREENSHOT_DIR", harness.BUILD / "tests" / "e2e"))
        out_dir.mkdir(parents=True, exist_ok=True)
        self.started = []
        app = self.start(desktop="quillshot,660x110",
                         data=record_bytes(nLeft=8, nTop=6, strReserved=b"width=640\r\n"))
        self.folder = app.folder
        shot = app.folder / "shot.bmp"
        for _ in range(600):
            desktop = self.xdotool("search", "--name", "^quillshot")
            if desktop:
                break
            time.sleep(0.2)
        else:
            self.fail("no desktop window")
        self.ask_in_desktop(lambda text: text != "no window", "wait")
        # A click into the expression line, in the desktop's coordinates.
        self.xdotool("mousemove", "--window", desktop[0], "208", "46", "click", "1")
        self.assertEqual(self.ask_in_desktop(lambda text: text == str(EXPRESSION), "focus"), str(EXPRESSION))
        self.xdotool("type", "--delay", "40", "2^200")
        self.xdotool("key", "Return")
        whole = "[1.6069380442589902755419620923411626025222029937828e+60]"
        self.assertEqual(self.ask_in_desktop(lambda text: text == whole, "text", str(RESULT)), whole)
        self.in_desktop("shot", "Z:" + str(shot).replace("/", "\\"))
        size = -1
        for _ in range(300):
            if shot.exists() and shot.stat().st_size > 1000 and shot.stat().st_size == size:
                break
            size = shot.stat().st_size if shot.exists() else -1
            time.sleep(0.2)
        harness.bmp_to_png(shot, out_dir / "screenshot.png")
        self.assertGreater((out_dir / "screenshot.png").stat().st_size, 1000)
        self.in_desktop("close")
        try:
            app.process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            app.kill()
        # The desktop's own window would keep the keyboard from later tests:
        # everything this test started inside it ends here, by its id.
        for process in self.started:
            if process.poll() is None:
                process.kill()
            process.wait(timeout=30)


if __name__ == "__main__":
    unittest.main(verbosity=2)
