"""End-to-end tests of the calculator window: the real program under Wine,
real keys and clicks, the window read back by the probe."""

import unittest

import harness
from harness import EXPRESSION, RESULT, RESULT_BUTTON, SCREEN, TOP_BUTTON, read_record, record_bytes

DISPLAY = None


def setUpModule():
    global DISPLAY
    DISPLAY = harness.shared_display()


class WindowTest(harness.AppTest):
    def centred_corner(self, rect):
        """Where the defaults put a window of this size (before its empty strip goes)."""
        width, height = rect[2] - rect[0], rect[3] - rect[1] + harness.empty_strip()
        return SCREEN[0] // 2 - width // 2, SCREEN[1] // 2 - height // 2


class FirstStartTest(WindowTest):
    def test_defaults_then_the_same_place_and_settings_again(self):
        app = self.start()
        rect, flags = app.window()
        self.assertEqual(rect[:2], self.centred_corner(rect))
        self.assertEqual(flags["topmost"], "1")
        self.assertEqual(app.pin(), "green")
        self.assertEqual(app.focus(), EXPRESSION)
        app.close()
        written = app.data_file.read_bytes()
        self.assertEqual(len(written), 40)
        self.assertEqual(written, record_bytes(nLeft=rect[0], nTop=rect[1]))

        again = self.start(folder=app.folder)
        self.assertEqual(again.window()[0], rect)
        self.assertEqual(again.pin(), "green")
        again.close()
        self.assertEqual(again.data_file.read_bytes(), written)

    def test_a_damaged_file_gives_the_defaults(self):
        damaged = record_bytes(nLeft=5, nTop=5, bTopmost=False, nFormat=2)[:-1]  # one byte short
        app = self.start(data=damaged)
        rect, flags = app.window()
        self.assertEqual(rect[:2], self.centred_corner(rect))
        self.assertEqual(flags["topmost"], "1")
        app.close()
        self.assertEqual(app.data_file.read_bytes(), record_bytes(nLeft=rect[0], nTop=rect[1]))

    def test_a_remembered_place_and_settings(self):
        remembered = record_bytes(nLeft=100, nTop=120, bTopmost=False, nRound=2, lfFont__lfFaceName=b"Tahoma",
                                  lfFont__lfHeight=-16, lfFont__lfWeight=700)
        app = self.start(data=remembered)
        rect, flags = app.window()
        self.assertEqual(rect[:2], (100, 120))
        self.assertEqual(flags["topmost"], "0")
        self.assertEqual(app.pin(), "grey")
        app.enter_expression("2/3")
        self.assertEqual(app.wait_text(RESULT, "0.67"), "0.67")
        app.close()
        self.assertEqual(app.data_file.read_bytes(), remembered)


class ResultTest(WindowTest):
    def setUp(self):
        self.app = self.start()

    def test_upper_case_shows_in_lower_case_and_enter_evaluates(self):
        app = self.app
        app.click(EXPRESSION)
        app.type("SIN(PI/2)+2^3")
        self.assertEqual(app.wait_text(EXPRESSION, "sin(pi/2)+2^3"), "sin(pi/2)+2^3")
        app.key("Return")
        self.assertEqual(app.wait_text(RESULT, "9"), "9")
        self.assertEqual(app.focus(), EXPRESSION)

    def test_enter_in_the_result_line_and_the_result_button(self):
        app = self.app
        app.enter_expression("2+3*4")
        self.assertEqual(app.wait_text(RESULT, "14"), "14")
        app.click(RESULT)
        app.key("ctrl+a")
        app.type("typed over")
        app.click(EXPRESSION)
        app.key("End")
        app.type("+1")
        app.click(RESULT)
        app.key("Return")
        self.assertEqual(app.wait_text(RESULT, "15"), "15")
        app.click(EXPRESSION)
        app.key("End")
        app.type("0")
        app.click(RESULT_BUTTON)
        self.assertEqual(app.wait_text(RESULT, "24"), "24")
        self.assertEqual(app.focus(), EXPRESSION)

    def test_refused_expressions_mark_their_place(self):
        app = self.app
        rows = [
            ("2=3", "Unknown symbol '='", (1, 2)),
            ("5+ ", "Paste number here   ", (2, 2)),
            ("foo(2)", "Unknown function", (0, 3)),
            ("sin 30", "Unknown constant", (0, 6)),
            ("5*-2", " Together '*-'  ", (1, 3)),
            ("1.2.3", "Unknown symbol '.'", (3, 4)),
            ("(2)pi", "Paste operator here ", (3, 3)),
        ]
        for text, message, selection in rows:
            with self.subTest(text=text):
                app.enter_expression(text)
                self.assertEqual(app.wait_text(RESULT, message), message)
                self.assertEqual(app.text(EXPRESSION), text)
                self.assertEqual(app.selection(), selection)
                self.assertEqual(app.focus(), EXPRESSION)

        app.enter_expression("")
        self.assertEqual(app.wait_text(RESULT, "Enter expression    "), "Enter expression    ")
        # A missing bracket leaves the selection as it was.
        app.click(EXPRESSION)
        app.type("(2+3")
        app.key("Home", "shift+Right")
        app.key("Return")
        self.assertEqual(app.wait_text(RESULT, "Missing ')'"), "Missing ')'")
        self.assertEqual(app.selection(), (0, 1))

    def test_division_by_zero_shows_its_box_once(self):
        app = self.app
        app.enter_expression("1/0+5")
        box = lambda: app.probe("box", "Attention", check=False)
        self.assertEqual(app.wait_for(box, lambda text: text != "none"), "Division to the zero!")
        app.key("Return")  # OK
        self.assertEqual(app.wait_for(box, lambda text: text == "none"), "none", "the box did not close")
        self.assertEqual(app.wait_text(RESULT, "Division to the zero!"), "Division to the zero!")


class KeysAndButtonsTest(WindowTest):
    def setUp(self):
        self.app = self.start()

    def test_escape_clears_the_expression_line_only(self):
        app = self.app
        app.enter_expression("6*7")
        self.assertEqual(app.wait_text(RESULT, "42"), "42")
        app.key("Escape")
        self.assertEqual(app.wait_text(EXPRESSION, ""), "")
        self.assertEqual(app.text(RESULT), "42")
        self.assertIsNone(app.process.poll())

    def test_escape_in_another_program_is_that_programs(self):
        app = self.app
        app.click(EXPRESSION)
        app.type("12")
        self.assertEqual(app.wait_text(EXPRESSION, "12"), "12")
        self.assertEqual(app.probe("escape-elsewhere"), "focused reached")
        self.assertEqual(app.text(EXPRESSION), "12")

    def test_the_top_toggle_twice_restores_z_order_and_icon(self):
        app = self.app
        def toggled(topmost, pin):
            """After a click on "<": the window's rectangle once it shows the state."""
            state = lambda: (app.window(), app.pin())
            (rect_now, flags), shown = app.wait_for(state, lambda s: (s[0][1]["topmost"], s[1]) == (topmost, pin))
            self.assertEqual((flags["topmost"], shown), (topmost, pin))
            return rect_now

        rect = toggled("1", "green")
        app.click(TOP_BUTTON)
        self.assertEqual(toggled("0", "grey"), rect)
        self.assertEqual(app.wait_for(app.focus, lambda f: f == EXPRESSION), EXPRESSION)
        app.click(TOP_BUTTON)
        self.assertEqual(toggled("1", "green"), rect)
        app.click(TOP_BUTTON)
        toggled("0", "grey")  # seen before the close request, which would otherwise come first
        app.close()
        self.assertFalse(read_record(app.data_file.read_bytes())["bTopmost"])

    def test_a_close_while_minimised_keeps_the_restored_place(self):
        app = self.app
        rect, _ = app.window()
        app.probe("minimize")
        self.assertEqual(app.wait_for(lambda: app.window()[1]["iconic"], lambda v: v == "1"), "1")
        app.close()
        written = read_record(app.data_file.read_bytes())
        self.assertEqual((written["nLeft"], written["nTop"]), rect[:2])

    def test_escape_held_by_another_program_breaks_nothing(self):
        # Another program holds Escape as a hot key while Quillpad starts.
        self.app.close()
        holder = self.background("hold-escape", "6000")
        self.assertEqual(holder.stdout.readline().decode().strip(), "holding")
        app = self.start()
        holder.wait(timeout=20)  # it lets go; nobody holds Escape now
        app.enter_expression("1+1")
        app.key("Escape")
        self.assertEqual(app.wait_text(EXPRESSION, ""), "")
        self.assertEqual(app.text(RESULT), "2")
        self.assertIsNone(app.process.poll())
        app.close()
        self.assertTrue(app.data_file.exists())


if __name__ == "__main__":
    unittest.main(verbosity=2)
