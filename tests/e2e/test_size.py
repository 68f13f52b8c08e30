"""End-to-end tests of the window's size: a long number shortened, never cut;
the width dragged, kept across starts; large fonts held whole; the menu by
keyboard."""

import unittest

import harness
from harness import EXPRESSION, MENU_BUTTON, RESULT, RESULT_BUTTON, read_record, record_bytes

DISPLAY = None
TWO_200 = "1.6069380442589902755419620923411626025222029937828e+60"
TWO_128 = "340,282,366,920,938,463,463,374,607,431,768,211,456"  # grouped, as the line shows it
BS_DEFPUSHBUTTON = 1


def setUpModule():
    global DISPLAY
    DISPLAY = harness.shared_display()


def width(rect):
    return rect[2] - rect[0]


class WidthTest(harness.AppTest):
    def test_a_long_number_is_shortened_then_shown_whole_in_a_wider_window_kept_across_starts(self):
        app = self.start()
        least = width(app.window()[0])
        app.enter_expression("2^200")
        # Every digit shown is the whole number's, the last one rounded.
        self.assertGreater(len(app.shortened(TWO_200, "e+60")), 10)
        app.key("End", "ctrl+c")
        self.assertEqual(app.wait_for(lambda: app.probe("clipboard"), lambda t: t == f"[{TWO_200}]"),
                         f"[{TWO_200}]")

        app.probe("resize", str(least - 100))  # never narrower than the described width
        self.assertEqual(width(app.window()[0]), least)
        wide = width(tuple(int(v) for v in app.probe("resize", str(least + 200)).split()))
        self.assertEqual(wide, least + 200)
        app.enter_expression("2^128")
        self.assertEqual(app.wait_text(RESULT, TWO_128), TWO_128)
        expression, result = app.control_rect(EXPRESSION), app.control_rect(RESULT)
        self.assertGreater(expression[2], result[2])  # Result stands right of the line
        self.assertEqual(app.control_rect(RESULT_BUTTON)[2], expression[2])
        app.close()
        self.assertEqual(read_record(app.data_file.read_bytes())["strReserved"],
                         f"width={wide}\r\n".encode())

        again = self.start(folder=app.folder)
        self.assertEqual(width(again.window()[0]), wide)
        again.close()

    def test_a_width_line_of_another_program_and_foreign_text_are_kept(self):
        reserved = b"from another copy\r\nwidth=5000\r\n"
        app = self.start(data=record_bytes(nLeft=10, nTop=10, strReserved=reserved))
        self.assertEqual(width(app.window()[0]), harness.SCREEN[0])  # cut to the work area
        app.close()
        self.assertEqual(read_record(app.data_file.read_bytes())["strReserved"], reserved)


class FontTest(harness.AppTest):
    def line_ink(self, app, line):
        """Where the line's ink lies, once two readings agree (the text may
        still be being drawn)."""
        seen = [None]

        def settled(rows):
            same, seen[0] = rows == seen[0], rows
            return same

        rows = app.wait_for(lambda: app.probe("ink-rows", str(line)), settled)
        first, last, height = (int(v) for v in rows.split())
        return first, last, height

    def test_large_fonts_are_held_whole_and_a_small_one_shrinks_the_window_back(self):
        plain = self.start()
        base = plain.window()[0]
        plain.close()
        for points, pixels in ((36, 48), (72, 96)):
            app = self.start(data=record_bytes(nLeft=10, nTop=10, lfFont__lfHeight=-pixels))
            app.enter_expression("(8)*2")
            self.assertEqual(app.wait_text(RESULT, "16"), "16")
            for line, least in ((EXPRESSION, 0.85), (RESULT, 0.65)):
                first, last, height = self.line_ink(app, line)
                self.assertGreater(first, 2, f"{points} pt: the ink touches the top of {line}")
                self.assertLess(last, height - 3, f"{points} pt: the ink touches the bottom of {line}")
                self.assertGreaterEqual(last - first + 1, least * pixels, f"{points} pt: {line} is cut")
            rect = app.window()[0]
            self.assertGreater(rect[3] - rect[1], base[3] - base[1] + pixels)
            app.close()
            self.assertEqual(read_record(app.data_file.read_bytes())["lfFont.lfHeight"], -pixels)
        small = self.start(data=record_bytes(nLeft=10, nTop=10, lfFont__lfHeight=-11))
        rect = small.window()[0]
        self.assertEqual((width(rect), rect[3] - rect[1]), (width(base), base[3] - base[1]))


class MenuKeysTest(harness.AppTest):
    def is_default(self, app, control):
        style = int(app.probe("item", str(control)).split()[4].split("=")[1], 16)
        return style & 0xF == BS_DEFPUSHBUTTON

    def test_f10_and_alt_m_open_the_menu_and_result_stays_the_default_button(self):
        app = self.start()
        app.click(EXPRESSION)
        button = app.control_rect(MENU_BUTTON)
        for keys, ours in (("F10", True), ("alt+m", True), ("shift+F10", False)):
            app.key(keys)
            shown = app.menus()
            self.assertIsNotNone(shown, f"{keys} opens no menu")
            # The popup menu opens below the Menu button; Shift+F10 opens the
            # line's own Cut/Copy/Paste menu at the caret.
            self.assertEqual(shown[0][0][:2] == (button[0], button[3]), ours, f"{keys}: {shown}")
            app.press_until("Escape", app.menu_gone)
        app.type("1/3")
        app.choose(0, 2)  # Round, 1
        self.assertEqual(app.wait_text(RESULT, "0.3"), "0.3")
        self.assertTrue(self.is_default(app, RESULT_BUTTON))
        self.assertFalse(self.is_default(app, MENU_BUTTON))
        self.assertEqual(app.focus(), EXPRESSION)
        # Without a window manager X gives the keyboard to no window once a
        # menu closes; a click hands it back, as a user's would.
        app.click(EXPRESSION)
        app.key("End")
        app.type("*2")
        app.key("Return")
        self.assertEqual(app.wait_text(RESULT, "0.7"), "0.7")


if __name__ == "__main__":
    unittest.main(verbosity=2)
