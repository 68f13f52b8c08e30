"""End-to-end tests of the number format in the real window: digits grouped
and the decimal mark as the user's locale writes them (Wine takes the locale
from the Unix one a program starts with), the settings over them, and copies
without separators."""

import unittest

import harness
from harness import RESULT

MAIN, SUBMENU = harness.menu_items()
TWO_200 = "1.6069380442589902755419620923411626025222029937828e+60"


def setUpModule():
    harness.shared_display()


class FormatTest(harness.AppTest):
    def compute(self, app, expression, shown):
        app.enter_expression(expression)
        self.assertEqual(app.wait_text(RESULT, shown), shown, expression)

    def choose(self, app, submenu, item):
        app.choose(MAIN[submenu], SUBMENU[submenu].index(item))

    def copied(self, app, want):
        app.click(RESULT)
        app.key("ctrl+c")
        return app.wait_for(lambda: app.probe("clipboard"), lambda t: t == f"[{want}]")[1:-1]

    def test_english_groups_and_copies_plain_digits(self):
        app = self.start(locale="en_US.UTF-8")
        self.compute(app, "2^64", "18,446,744,073,709,551,616")
        app.screenshot("grouped-digits")
        self.assertEqual(self.copied(app, "18446744073709551616"), "18446744073709551616")
        app.probe("set-clipboard", "before")
        app.key("Home", *["shift+Right"] * 6, "ctrl+c")  # "18,446": a part copies without separators too
        self.assertEqual(app.wait_for(lambda: app.probe("clipboard"), lambda t: t != "[before]"), "[18446]")
        self.compute(app, "2^32-1", "4,294,967,295")
        self.choose(app, "Format", "Hex")
        self.assertEqual(app.wait_text(RESULT, "0xffff ffff"), "0xffff ffff")  # in fours
        self.choose(app, "Format", "Decimal")
        app.choose(MAIN["Group digits"])  # off: the plain digits
        self.assertEqual(app.wait_text(RESULT, "4294967295"), "4294967295")

    def test_german_writes_a_comma_and_the_setting_overrides_it(self):
        app = self.start(locale="de_DE.UTF-8")
        self.compute(app, "5/2", "2,5")
        app.screenshot("comma-locale")
        self.assertEqual(self.copied(app, "2,5"), "2,5")  # the mark shown; read back as a point
        self.compute(app, "2^64", "18.446.744.073.709.551.616")
        self.choose(app, "Decimal mark", "Point")  # at once, and the groups take the comma
        self.assertEqual(app.wait_text(RESULT, "18,446,744,073,709,551,616"), "18,446,744,073,709,551,616")
        self.compute(app, "5/2", "2.5")
        self.choose(app, "Decimal mark", "Auto")
        self.assertEqual(app.wait_text(RESULT, "2,5"), "2,5")
        # The narrowest window: the exponent shows, every digit right.
        app.enter_expression("2^200")
        app.shortened(TWO_200, "e+60", mark=",")
        app.close()
        self.assertIn(b"decimal=auto", harness.read_record(app.data_file.read_bytes())["strReserved"])

    def test_hindi_groups_in_twos_after_the_first_three(self):
        app = self.start(locale="hi_IN.UTF-8")
        self.compute(app, "10^7", "1,00,00,000")


if __name__ == "__main__":
    unittest.main(verbosity=2)
