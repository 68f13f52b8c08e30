"""End-to-end tests of the history and ans in the real window: the history
file across restarts, a killed window and two windows at once, the list
used by keyboard, "Clear history", history=0, and history files that cannot
be kept."""

import hashlib
import os
import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

import harness
from harness import EXPRESSION, RESULT, read_record, record_bytes

MAIN, _ = harness.menu_items()
NOT_KEPT = "History not kept"


def setUpModule():
    harness.shared_display()


def ours(*entries):
    """A history file of ours holding (expression, answer, value) entries."""
    return "# Quillpad history\n" + "".join("\t".join(e) + "\n" for e in entries)


def digest(path):
    return hashlib.sha256(Path(path).read_bytes()).hexdigest()


class HistoryTest(harness.AppTest):
    def compute(self, app, expression, shown):
        app.enter_expression(expression)
        self.assertEqual(app.wait_text(RESULT, shown), shown, expression)

    def wait_history(self, app, want):
        return app.wait_for(app.history, lambda h: h == want)

    def open_list(self, app, rows):
        """Ctrl+H (the expression line has the keyboard); the list once it shows `rows` (newest first)."""
        app.key("ctrl+h")
        return app.wait_for(app.list_rows, lambda shown: shown is not None and shown[1] == rows)

    def answer_clear_question(self, app):
        """The question before clearing shows; Yes."""
        box = app.wait_for(lambda: app.probe("box", "Clear history", check=False), lambda t: t != "none")
        self.assertIn("Clear the history?", box)
        app.key("y")
        app.wait_for(lambda: app.probe("box", "Clear history", check=False), lambda t: t == "none")

    def test_kept_across_a_restart_recalled_listed_and_computed(self):
        app = self.start()
        lines = [("2+3", "5"), ("2^10", "1024"), ("1/4", "0.25")]
        for expression, answer in lines:
            self.compute(app, expression, answer.replace("1024", "1,024"))
        app.close()
        self.assertEqual(app.history(), lines)

        again = self.start(folder=app.folder)
        again.click(EXPRESSION)
        for expression, _ in reversed(lines):
            again.key("Up")
            self.assertEqual(again.wait_text(EXPRESSION, expression), expression)
        again.key("ctrl+a", "BackSpace")
        shown = self.open_list(again, [("1/4", "0.25"), ("2^10", "1,024"), ("2+3", "5")])
        self.assertEqual(shown[2], 0)  # the newest row has the keyboard
        self.assertIn("focus=1", again.probe("list-place"))
        again.key("Down", "Return")
        self.assertEqual(again.probe("list-gone"), "gone")
        self.assertEqual(again.wait_text(EXPRESSION, "2^10"), "2^10")
        self.assertEqual(again.wait_text(RESULT, "1,024"), "1,024")

    def test_the_list_filters_inserts_removes_and_sits_below_the_window(self):
        app = self.start()
        for expression, shown in [("12*12", "144"), ("2^64", "18,446,744,073,709,551,616"), ("1/8", "0.125")]:
            self.compute(app, expression, shown)
        app.key("End")  # the caret, where Shift+Enter puts an answer
        self.open_list(app, [("1/8", "0.125"), ("2^64", "18,446,744,073,709,551,616"), ("12*12", "144")])
        window_and_list = [int(v) for v in app.probe("list-place").split()[:8]]
        window, place = window_and_list[:4], window_and_list[4:]
        self.assertEqual((place[0], place[2]), (window[0], window[2]))  # as wide as the window
        self.assertGreaterEqual(place[1], window[3])  # below it: the lines stay in sight
        app.screenshot("history-list", "list-shot")
        app.type("4")  # typing filters
        self.assertEqual(app.wait_for(app.list_rows, lambda s: s[0] == "4")[1],
                         [("2^64", "18,446,744,073,709,551,616"), ("12*12", "144")])
        app.key("Down", "Delete")  # the row leaves the list and the file
        self.assertEqual(app.wait_for(app.list_rows, lambda s: len(s[1]) == 1)[1],
                         [("2^64", "18,446,744,073,709,551,616")])
        self.assertEqual(self.wait_history(app, [("2^64", "18446744073709551616"), ("1/8", "0.125")]),
                         [("2^64", "18446744073709551616"), ("1/8", "0.125")])
        app.key("shift+Return")  # its answer at the caret, without separators
        self.assertEqual(app.probe("list-gone"), "gone")
        self.assertEqual(app.wait_text(EXPRESSION, "1/818446744073709551616"), "1/818446744073709551616")
        app.key("ctrl+h")
        app.wait_for(app.list_rows, lambda s: s is not None)
        app.key("Escape")
        self.assertEqual(app.probe("list-gone"), "gone")
        self.assertEqual(app.text(EXPRESSION), "1/818446744073709551616")

    def test_ans_is_the_last_answer_also_after_a_restart(self):
        app = self.start()
        self.compute(app, "ans", "No answer yet")
        self.compute(app, "21", "21")
        self.compute(app, "ans*2", "42")
        self.compute(app, "ans+foo", "Unknown constant")  # a refused line leaves ans
        app.close()
        again = self.start(folder=app.folder)
        self.compute(again, "ans", "42")
        self.compute(again, "1/3", "0.333333333333")
        again.close()
        third = self.start(folder=app.folder)
        self.compute(third, "ans*3", "1")  # every digit came back, not the text shown

    def test_a_killed_window_loses_no_answer(self):
        app = self.start()
        self.compute(app, "6*7", "42")
        app.kill()  # by its process id, right after the answer shows
        self.assertEqual(app.history(), [("6*7", "42")])
        again = self.start(folder=app.folder)
        again.click(EXPRESSION)
        again.key("Up")
        self.assertEqual(again.wait_text(EXPRESSION, "6*7"), "6*7")
        self.compute(again, "ans+1", "43")

    def test_two_windows_keep_both_windows_lines(self):
        first = self.start()
        first.probe("move", "10", "10")
        first_line = first.control_rect(EXPRESSION)
        second = self.start(folder=first.folder, alongside=True)
        ids = first.wait_for(lambda: subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Quillpad$"],
                                                    env=first.env, capture_output=True, text=True).stdout.split(),
                             lambda found: len(found) == 2, timeout=60)
        self.assertEqual(len(ids), 2)
        # The second window's line: the first's place within its window, in the other window.
        corners = {}
        for x_id in ids:
            geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", x_id], env=first.env,
                                              capture_output=True, text=True).stdout
            values = dict(line.split("=") for line in geometry.split())
            corners[x_id] = (int(values["X"]), int(values["Y"]))
        first_corner = min(corners.values())
        second_corner = max(corners.values())
        offset = (first_line[0] - first_corner[0] + 20, (first_line[1] + first_line[3]) // 2 - first_corner[1])
        lines = [("1+1", first_corner), ("2+2", second_corner), ("3+3", first_corner), ("4+4", second_corner)]
        for expression, corner in lines:
            first.click_at(corner[0] + offset[0], corner[1] + offset[1])
            first.key("ctrl+a", "BackSpace")
            first.type(expression)
            first.key("Return")
            want = [(e, str(2 * int(e[0]))) for e, _ in lines[:lines.index((expression, corner)) + 1]]
            self.assertEqual(self.wait_history(first, want), want)
        self.assertEqual(first.probe("close-all", "2"), "2")
        first.process.wait(timeout=20)
        second.process.wait(timeout=20)
        self.assertEqual(first.history(), [("1+1", "2"), ("2+2", "4"), ("3+3", "6"), ("4+4", "8")])

    def test_clear_history_from_the_list_and_from_the_menu(self):
        app = self.start()
        for expression, shown in [("1+1", "2"), ("2+2", "4")]:
            self.compute(app, expression, shown)
        self.open_list(app, [("2+2", "4"), ("1+1", "2")])
        app.key("shift+F10")  # the list's own menu, at the row; its last item is "Clear history..."
        menu = app.wait_for(lambda: app.menus(), lambda m: m)[0][0]
        place = [int(v) for v in app.probe("list-place").split()[4:8]]
        self.assertTrue(place[0] <= menu[0] < place[2] and place[1] <= menu[1] < place[3], (menu, place))
        app.key("Up", "Return")
        self.answer_clear_question(app)
        self.assertEqual(app.wait_for(app.list_rows, lambda s: s is not None and s[1] == [])[1], [])
        self.assertEqual(self.wait_history(app, []), [])
        app.key("Escape")
        self.assertEqual(app.probe("list-gone"), "gone")

        self.compute(app, "3+3", "6")
        app.choose_by_keys(MAIN["Clear history..."])  # by keys, so the question has the keyboard
        self.answer_clear_question(app)
        self.assertEqual(self.wait_history(app, []), [])
        app.key("ctrl+a", "BackSpace", "Up")  # nothing to recall
        self.open_list(app, [])
        self.assertEqual(app.text(EXPRESSION), "")

    def test_history_0_keeps_no_file(self):
        data = record_bytes(strReserved=b"history=0\r\n")
        folder = Path(tempfile.mkdtemp(prefix="quillpad-e2e-"))
        (folder / "history.txt").write_text(ours(("2+2", "4", "4")))
        app = self.start(folder=folder, data=data)
        self.assertEqual(app.wait_for(app.history_file.exists, lambda e: not e), False)
        self.compute(app, "5*5", "25")
        app.close()
        self.assertFalse(app.history_file.exists())
        self.assertEqual(read_record(app.data_file.read_bytes())["strReserved"], b"history=0\r\n")

    def test_a_file_held_by_another_program_loses_no_line(self):
        folder = Path(tempfile.mkdtemp(prefix="quillpad-e2e-"))
        (folder / "history.txt").write_text(ours(("1+1", "2", "2")))
        holder = self.background("hold-file", harness.windows_path(folder / "history.txt"), "60000")
        self.assertEqual(holder.stdout.readline().strip(), b"holding")
        app = self.start(folder=folder)
        self.assertEqual(app.wait_text(RESULT, NOT_KEPT), NOT_KEPT)
        self.compute(app, "2+2", "4")  # its line waits while the file is held
        holder.kill()  # by its process id: the file is free
        holder.wait()
        want = [("1+1", "2"), ("2+2", "4")]
        self.assertEqual(app.wait_for(app.history, lambda h: h == want, timeout=20), want)

    def unusable(self, make):
        """A history file that cannot be kept: the window starts, says so,
        answers, touches no other file, and its data file stays whole."""
        folder = Path(tempfile.mkdtemp(prefix="quillpad-e2e-"))
        self.addCleanup(shutil.rmtree, folder, True)
        other = make(folder)
        before = digest(other) if other and other.is_file() else None
        app = self.start(folder=folder)
        self.assertEqual(app.wait_text(RESULT, NOT_KEPT), NOT_KEPT)
        self.compute(app, "2+2", "4")
        self.compute(app, "ans*10", "40")
        app.close()
        if before:
            self.assertEqual(digest(other), before)
        record = read_record(app.data_file.read_bytes())
        self.assertEqual(record["lfFont.lfFaceName"], b"Verdana")
        return app

    def test_a_folder_in_its_place(self):
        app = self.unusable(lambda folder: (folder / "history.txt").mkdir() or None)
        self.assertTrue(app.history_file.is_dir())
        self.assertEqual(list(app.history_file.iterdir()), [])

    def test_ten_megabytes_of_garbage(self):
        def make(folder):
            (folder / "history.txt").write_bytes(os.urandom(10 << 20))
            return folder / "history.txt"
        self.unusable(make)

    def test_a_link_to_another_programs_file(self):
        elsewhere = Path(tempfile.mkdtemp(prefix="quillpad-other-"))
        self.addCleanup(shutil.rmtree, elsewhere, True)

        def make(folder):
            (elsewhere / "notes.txt").write_text("someone's notes\n")
            (folder / "history.txt").symlink_to(elsewhere / "notes.txt")
            return elsewhere / "notes.txt"
        app = self.unusable(make)
        self.assertTrue(app.history_file.is_symlink())

    def test_a_link_to_another_history_is_replaced_not_followed(self):
        elsewhere = Path(tempfile.mkdtemp(prefix="quillpad-other-"))
        self.addCleanup(shutil.rmtree, elsewhere, True)
        (elsewhere / "history.txt").write_text(ours(("7*6", "42", "42")))
        before = digest(elsewhere / "history.txt")
        folder = Path(tempfile.mkdtemp(prefix="quillpad-e2e-"))
        (folder / "history.txt").symlink_to(elsewhere / "history.txt")
        app = self.start(folder=folder)
        self.compute(app, "ans+1", "43")
        app.close()
        self.assertEqual(digest(elsewhere / "history.txt"), before)
        self.assertFalse(app.history_file.is_symlink())
        self.assertEqual(app.history(), [("7*6", "42"), ("ans+1", "43")])


if __name__ == "__main__":
    unittest.main(verbosity=2)
