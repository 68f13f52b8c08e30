"""The window follows the system's app theme: dark when AppsUseLightTheme
is 0, light when it is 1 or missing, and a change while it runs repaints it
at once (Windows broadcasts WM_SETTINGCHANGE "ImmersiveColorSet"). Colours
are read off the screen, as a user sees them; screenshots of both go beside
the README's."""

import subprocess
import time
import unittest

import harness
from harness import EXPRESSION, LINK_HOME, LINK_MAIL, MENU_BUTTON, RESULT, RESULT_BUTTON
from test_menu import MAIN

PERSONALIZE = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize"
DISPLAY = None


def setUpModule():
    global DISPLAY
    DISPLAY = harness.shared_display()


def set_theme(light):
    """AppsUseLightTheme 0 or 1, or no value at all for None."""
    if light is None:
        command = harness.wine("reg", "delete", PERSONALIZE, "/v", "AppsUseLightTheme", "/f")
    else:
        command = harness.wine("reg", "add", PERSONALIZE, "/v", "AppsUseLightTheme", "/t", "REG_DWORD",
                               "/d", str(int(light)), "/f")
    subprocess.run(command, env=DISPLAY.env, capture_output=True, timeout=120, check=light is not None)


def brightness(colour):
    value = int(colour, 16)
    return (value >> 16) * 0.2126 + (value >> 8 & 0xFF) * 0.7152 + (value & 0xFF) * 0.0722


class ThemeTest(harness.AppTest):
    def tearDown(self):
        set_theme(None)

    def colours(self, app, control):
        return app.probe("colours", str(control)).split()

    def looks(self, app, dark):
        """The dialog, both lines and the buttons are dark or light, and
        their text stands out from them."""
        for control in (0, EXPRESSION, RESULT, RESULT_BUTTON, MENU_BUTTON):
            back, ink = self.colours(app, control)
            if dark:
                self.assertLess(brightness(back), 80, f"control {control}: {back}")
            else:
                self.assertGreater(brightness(back), 200, f"control {control}: {back}")
            if control:  # every control holds text (the dialog none)
                self.assertGreater(abs(brightness(ink) - brightness(back)), 120, f"control {control}: {ink} on {back}")

    def wait_looks(self, app, dark, timeout=15):
        deadline = time.time() + timeout
        while True:
            try:
                return self.looks(app, dark)
            except AssertionError:
                if time.time() > deadline:
                    raise
                time.sleep(0.3)

    def test_dark_then_light_without_a_restart(self):
        set_theme(False)
        app = self.start()
        app.enter_expression("2+2")
        self.assertEqual(app.wait_text(RESULT, "4"), "4")
        self.wait_looks(app, dark=True)
        self.assertEqual(app.pin(), "green")
        app.screenshot("theme-dark")
        # The about box too, its links readable on it.
        app.choose_by_keys(MAIN["About..."])
        for control in (0, LINK_HOME, LINK_MAIL):
            back, ink = app.probe("about-colours", str(control)).split()
            self.assertLess(brightness(back), 80, f"about {control}: {back}")
            if control:
                self.assertGreater(brightness(ink) - brightness(back), 80, f"about {control}: {ink} on {back}")
        app.screenshot("theme-dark-about", "about-shot")
        app.press_until("Return", lambda: app.probe("about", str(LINK_HOME), check=False) == "none")
        # The history list as well, its rows readable.
        app.click(EXPRESSION)
        app.key("ctrl+h")
        back, ink = app.wait_for(lambda: app.probe("list-colours").split(), lambda c: brightness(c[0]) < 80)
        self.assertLess(brightness(back), 80, f"history list: {back}")
        self.assertGreater(brightness(ink) - brightness(back), 120, f"history list: {ink} on {back}")
        app.screenshot("theme-dark-history", "list-shot")
        app.key("Escape")
        self.assertEqual(app.probe("list-gone"), "gone")
        set_theme(True)
        app.probe("setting-change", "ImmersiveColorSet")
        self.wait_looks(app, dark=False)
        self.assertEqual(app.pin(), "green")
        app.screenshot("theme-light")
        app.close()

    def test_no_setting_is_light(self):
        set_theme(None)
        app = self.start()
        app.enter_expression("2+2")
        self.assertEqual(app.wait_text(RESULT, "4"), "4")
        self.wait_looks(app, dark=False)
        app.close()

    def test_the_grey_pin_shows_on_a_dark_face(self):
        set_theme(False)
        app = self.start(data=harness.record_bytes(bTopmost=False))
        app.enter_expression("1/8")
        self.assertEqual(app.wait_text(RESULT, "0.125"), "0.125")
        self.wait_looks(app, dark=True)
        self.assertEqual(app.pin(), "grey")
        app.close()


if __name__ == "__main__":
    unittest.main(verbosity=2)
