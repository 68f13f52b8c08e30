"""End-to-end tests of the popup menu and the about box, driven through the
real menu with clicks and keys."""

import unittest
import urllib.parse
from pathlib import Path

import harness
from harness import EXPRESSION, LINK_HOME, LINK_MAIL, RESULT, Quillpad, read_record

DISPLAY = None


def setUpModule():
    global DISPLAY
    DISPLAY = harness.shared_display()


# Where each command stands: the main item, then the item of its submenu.
MAIN, SUBMENU = harness.menu_items()


class MenuTest(unittest.TestCase):
    def setUp(self):
        self.app = Quillpad(DISPLAY)
        self.addCleanup(self.app.kill)

    def choose(self, submenu, item):
        self.app.choose(MAIN[submenu], SUBMENU[submenu].index(item))

    def assertMarked(self, app, submenu, item):
        """The radio mark of `submenu` stands on `item` alone."""
        marked = [SUBMENU[submenu][i] for i in app.marked(MAIN[submenu])]
        self.assertEqual(marked, [item], submenu)

    def test_each_setting_recomputes_the_result(self):
        app = self.app
        rows = [
            ("2/3", "Round", "2", "0.67"),
            ("2/3", "Round", "0", "1"),
            ("2/3", "Round", "Auto", "0.666666666667"),
            ("255", "Format", "Hex", "0xff"),
            ("255", "Format", "Octal", "0377"),
            ("1234", "Format", "Exponent", "1.234000e+03"),
            ("255", "Format", "Decimal", "255"),
            ("sin(30)", "Angles", "Degrees", "0.5"),
            ("sin(0)", "Angles", "Radians", "0"),
        ]
        for expression, submenu, item, shown in rows:
            with self.subTest(item=item):
                app.enter_expression(expression)
                self.choose(submenu, item)
                self.assertEqual(app.wait_text(RESULT, shown), shown)
                self.assertMarked(app, submenu, item)
        # The item already marked runs the Result command again.
        app.enter_expression("1+1")
        app.click(EXPRESSION)
        app.key("End", "BackSpace", "2")
        self.choose("Format", "Decimal")
        self.assertEqual(app.wait_text(RESULT, "3"), "3")

    def test_a_command_with_an_empty_line_asks_for_an_expression(self):
        app = self.app
        app.enter_expression("")
        app.click(RESULT)
        app.key("ctrl+a", "BackSpace")
        self.choose("Round", "3")
        self.assertEqual(app.wait_text(RESULT, "Enter expression    "), "Enter expression    ")

    def test_settings_survive_a_restart(self):
        app = self.app
        app.enter_expression("2/3")
        self.choose("Round", "4")
        self.choose("Angles", "Degrees")
        self.choose("Format", "Hex")
        app.close()
        written = read_record(app.data_file.read_bytes())
        self.assertEqual((written["nRound"], written["nFormat"], written["bDegrees"]), (4, 2, True))
        again = Quillpad(DISPLAY, folder=app.folder)
        self.addCleanup(again.kill)
        again.enter_expression("asin(1)*2+1")
        self.assertEqual(again.wait_text(RESULT, "0xb5"), "0xb5")
        for submenu, item in (("Round", "4"), ("Angles", "Degrees"), ("Format", "Hex")):
            self.assertMarked(again, submenu, item)
        again.close()

    def test_the_font_dialog_changes_both_lines_and_the_font_is_kept(self):
        app = self.app
        app.enter_expression("88+8")
        app.wait_text(RESULT, "96")
        # How tall the text of each line stands on the screen, in the default font.
        before = [int(app.probe("ink", str(line))) for line in (EXPRESSION, RESULT)]
        app.choose_font(MAIN["Font..."], "Tahoma", "16")
        ink = lambda: [int(app.probe("ink", str(line))) for line in (EXPRESSION, RESULT)]
        after = app.wait_for(ink, lambda heights: all(new > old + 2 for old, new in zip(before, heights)))
        for line, old, new in zip(("expression", "result"), before, after):
            self.assertGreater(new, old + 2, f"the {line} line does not show the larger font")
        app.close()
        data = app.data_file.read_bytes()
        written = read_record(data)
        self.assertEqual(written["lfFont.lfFaceName"], b"Tahoma")
        self.assertEqual(written["lfFont.lfHeight"], -21)  # 16 points at 96 dots per inch
        self.assertEqual((written["lfFont.lfItalic"], written["lfFont.lfWeight"]), (0, 400))
        again = Quillpad(DISPLAY, folder=app.folder)
        self.addCleanup(again.kill)
        again.enter_expression("88+8")
        again.wait_text(RESULT, "96")
        ink_again = lambda: [int(again.probe("ink", str(line))) for line in (EXPRESSION, RESULT)]
        self.assertEqual(again.wait_for(ink_again, lambda heights: heights == after), after)
        again.close()
        self.assertEqual(again.data_file.read_bytes(), data)

    def test_about_box(self):
        app = self.app
        app.choose_by_keys(MAIN["About..."])
        self.assertEqual(app.probe("about", str(LINK_HOME)), "[http://www.quillpad.example]")
        self.assertEqual(app.probe("about", str(LINK_MAIL)), "[support@quillpad.example]")
        # OK, the default button, closes it.
        app.press_until("Return", lambda: app.probe("about", str(LINK_HOME), check=False) == "none")


class AddressTest(unittest.TestCase):
    def setUp(self):
        self.app = Quillpad(DISPLAY)
        self.addCleanup(self.app.kill)
        DISPLAY.url_log.unlink(missing_ok=True)

    def test_help_topics_and_f1_open_the_page_carried_in_the_program(self):
        app = self.app
        app.choose_by_keys(MAIN["Help Topics"])
        app.click(EXPRESSION)
        app.key("F1")
        if len(DISPLAY.opened(2, timeout=8)) < 2:
            harness.retried("F1")
            app.key("F1")  # lost under load
        page = (harness.SOURCE / "docs" / "help.html").read_bytes()
        for address in DISPLAY.opened(2)[:2]:
            self.assertTrue(address.startswith("file://"), address)
            self.assertEqual(Path(urllib.parse.unquote(address[len("file://"):])).read_bytes(), page)

    def test_the_links_open_their_addresses(self):
        app = self.app
        app.choose(MAIN["About..."])
        for count, control in enumerate((str(LINK_HOME), str(LINK_MAIL)), start=1):
            left, top, right, bottom = (int(v) for v in app.probe("about-item", control).split())
            for attempt in range(2):  # a click lost under load is given again
                if attempt:
                    harness.retried(f"click on link {control}")
                app.click_at((left + right) // 2, (top + bottom) // 2)
                if len(DISPLAY.opened(count, timeout=8)) >= count:
                    break
        # Wine's shell writes the empty path of the home address as "/".
        opened = [url.replace(".example/?", ".example?") for url in DISPLAY.opened(2)]
        self.assertEqual(opened, ["http://www.quillpad.example?from=Quillpad", "mailto:support@quillpad.example"])


if __name__ == "__main__":
    unittest.main(verbosity=2)
