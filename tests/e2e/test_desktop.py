"""End-to-end tests of Quillpad among other programs: Escape stays with the
active program, copy and recall, what screen readers are told, the display's
DPI, and a data file that other programs hold or that cannot be written."""

import subprocess
import unittest

import harness
from harness import EXPRESSION, LINK_HOME, RESULT, TOP_BUTTON, read_record, record_bytes, windows_path

DISPLAY = None


def setUpModule():
    global DISPLAY
    DISPLAY = harness.shared_display()


class KeysTest(harness.AppTest):
    def setUp(self):
        self.app = self.start()

    def test_escape_closes_the_menu_and_the_about_box_not_the_line(self):
        app = self.app
        app.click(EXPRESSION)
        app.type("12")
        self.assertEqual(app.wait_text(EXPRESSION, "12"), "12")
        app.open_menu()
        app.press_until("Escape", app.menu_gone)
        self.assertEqual(app.text(EXPRESSION), "12")
        app.choose_by_keys(harness.menu_items()[0]["About..."])
        self.assertNotEqual(app.probe("about", str(LINK_HOME), check=False), "none")
        app.press_until("Escape", lambda: app.probe("about", str(LINK_HOME), check=False) == "none")
        self.assertEqual(app.text(EXPRESSION), "12")
        self.assertIsNone(app.process.poll())

    def test_ctrl_c_copies_the_result_or_the_selection(self):
        app = self.app
        app.probe("set-clipboard", "before")
        app.enter_expression("2+")  # a message is not copied
        self.assertEqual(app.wait_text(RESULT, "Paste number here   "), "Paste number here   ")
        app.key("ctrl+a", "BackSpace")
        app.key("ctrl+c")
        self.assertEqual(app.probe("clipboard"), "[before]")
        app.enter_expression("6*7")
        self.assertEqual(app.wait_text(RESULT, "42"), "42")
        app.key("End", "ctrl+c")
        self.assertEqual(app.wait_for(lambda: app.probe("clipboard"), lambda t: t == "[42]"), "[42]")
        app.key("Home", "shift+Right", "ctrl+c")  # the selection "6"
        self.assertEqual(app.wait_for(lambda: app.probe("clipboard"), lambda t: t == "[6]"), "[6]")

    def test_up_and_down_step_through_this_runs_expressions(self):
        app = self.app
        for expression, result in (("1+1", "2"), ("2+2", "4"), ("3+3", "6")):
            app.enter_expression(expression)
            self.assertEqual(app.wait_text(RESULT, result), result)
        app.key("ctrl+a", "BackSpace")
        app.type("9")
        self.assertEqual(app.wait_text(EXPRESSION, "9"), "9")
        for key, shown in (("Up", "3+3"), ("Up", "2+2"), ("Up", "1+1"), ("Down", "2+2"), ("Down", "3+3"),
                           ("Down", "9")):
            app.key(key)
            self.assertEqual(app.wait_text(EXPRESSION, shown), shown, f"after {key}")
            self.assertEqual(app.selection(), (len(shown), len(shown)), f"the caret after {key}")
        app.key("Up")
        app.type("*2")  # goes on from the end of the recalled line
        app.key("Return")
        self.assertEqual(app.wait_text(RESULT, "9"), "9")
        app.close()
        self.assertEqual(len(app.data_file.read_bytes()), 40)  # the list is not stored

    def test_screen_readers_hear_the_result_and_the_pin_button_by_name(self):
        app = self.app
        self.assertEqual(app.text(TOP_BUTTON), "Always on top: on")
        listener = self.background("live-event", "20000")
        self.assertEqual(listener.stdout.readline().decode().strip(), "hooked")
        app.enter_expression("6*7")
        self.assertEqual(app.wait_text(RESULT, "42"), "42")
        listener.wait(timeout=30)
        self.assertEqual(listener.stdout.readline().decode().strip(), f"event {RESULT}")
        app.click(TOP_BUTTON)
        self.assertEqual(app.wait_text(TOP_BUTTON, "Always on top: off"), "Always on top: off")


class DpiTest(harness.AppTest):
    @staticmethod
    def set_dpi(dpi):
        subprocess.run(harness.wine("reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t",
                                    "REG_DWORD", "/d", str(dpi), "/f"),
                       env=DISPLAY.env, capture_output=True, check=True, timeout=120)

    def heights(self, app):
        app.enter_expression("88+8")
        app.wait_text(RESULT, "96")
        return [int(app.probe("ink", str(line))) for line in (EXPRESSION, RESULT)]

    def test_the_lines_grow_with_the_dpi_and_the_file_keeps_96_dpi_heights(self):
        at96 = self.start()
        small = self.heights(at96)
        at96.close()
        self.assertEqual(read_record(at96.data_file.read_bytes())["lfFont.lfHeight"], -13)

        self.set_dpi(144)
        self.addCleanup(self.set_dpi, 96)
        at144 = self.start(data=at96.data_file.read_bytes())
        large = self.heights(at144)
        for line, a, b in zip(("expression", "result"), small, large):
            self.assertTrue(1.3 * a <= b <= 1.7 * a, f"the {line} line: {a} pixels at 96 DPI, {b} at 144")
        at144.choose_font(harness.menu_items()[0]["Font..."], "Tahoma", "16")
        at144.close()
        written = read_record(at144.data_file.read_bytes())
        # 16 points are 32 pixels at 144 DPI and 21 at 96.
        self.assertEqual((written["lfFont.lfFaceName"], written["lfFont.lfHeight"]), (b"Tahoma", -21))


class DataFileTest(harness.AppTest):
    def test_a_file_held_for_a_moment_at_start_is_read(self):
        data = record_bytes(nLeft=110, nTop=130, bTopmost=False)
        folder = harness.Path(harness.tempfile.mkdtemp(prefix="quillpad-e2e-"))
        (folder / "dataclc.dat").write_bytes(data)
        holder = self.background("hold-file", windows_path(folder / "dataclc.dat"), "1000")
        self.assertEqual(holder.stdout.readline().decode().strip(), "holding")
        app = self.start(folder=folder)
        self.assertEqual(app.window()[0][:2], (110, 130))
        self.assertEqual(app.pin(), "grey")
        app.close()
        self.assertEqual(app.data_file.read_bytes(), data)
        self.assertEqual(app.stray_files(), [])

    def test_a_file_held_throughout_is_left_as_it_was(self):
        data = record_bytes(nLeft=110, nTop=130, nFormat=2)
        folder = harness.Path(harness.tempfile.mkdtemp(prefix="quillpad-e2e-"))
        (folder / "dataclc.dat").write_bytes(data)
        holder = self.background("hold-file", windows_path(folder / "dataclc.dat"), "60000")
        self.assertEqual(holder.stdout.readline().decode().strip(), "holding")
        app = self.start(folder=folder)
        app.enter_expression("255")
        self.assertEqual(app.wait_text(RESULT, "255"), "255")  # the defaults: decimal
        holder.kill()
        holder.wait(timeout=20)
        app.close()
        self.assertEqual(app.data_file.read_bytes(), data)
        self.assertEqual(app.stray_files(), [])

    def test_a_folder_in_the_files_place_sends_the_settings_to_appdata(self):
        roaming = harness.roaming_folder()
        self.addCleanup(harness.shutil.rmtree, roaming, True)
        app = self.start()
        app.data_file.mkdir()
        rect, _ = app.window()
        app.close()
        saved = read_record((roaming / "dataclc.dat").read_bytes())
        self.assertEqual((saved["nLeft"], saved["nTop"]), rect[:2])

        again = self.start(folder=app.folder)
        self.assertEqual(again.window()[0][:2], rect[:2])
        # Once the folder goes, the save is beside the program again; the
        # copy in %APPDATA% stays, older.
        again.data_file.rmdir()
        again.close()
        self.assertTrue(again.data_file.is_file())
        self.assertTrue((roaming / "dataclc.dat").exists())
        self.assertEqual(again.stray_files(), [])

    def test_one_copys_save_never_deletes_anothers_settings(self):
        roaming = harness.roaming_folder()
        self.addCleanup(harness.shutil.rmtree, roaming, True)
        # Copy B cannot save beside itself; its settings are in %APPDATA%.
        roaming.mkdir(parents=True, exist_ok=True)
        theirs = record_bytes(nLeft=110, nTop=130, nFormat=2)
        (roaming / "dataclc.dat").write_bytes(theirs)
        # Copy A saves beside itself.
        a = self.start()
        a.close()
        self.assertTrue(a.data_file.is_file())
        self.assertEqual((roaming / "dataclc.dat").read_bytes(), theirs)
        # B starts again with its own settings.
        folder = harness.Path(harness.tempfile.mkdtemp(prefix="quillpad-e2e-"))
        (folder / "dataclc.dat").mkdir()
        b = self.start(folder=folder)
        self.assertEqual(b.window()[0][:2], (110, 130))
        b.enter_expression("255")
        self.assertEqual(b.wait_text(RESULT, "0xff"), "0xff")
        b.close()

    def test_the_sweep_takes_only_the_files_saves_leave(self):
        folder = harness.Path(harness.tempfile.mkdtemp(prefix="quillpad-e2e-"))
        theirs = ["dataclc.dat notes.tmp", "dataclc.dat.backup-2023.tmp", "dataclc.datXYZ.tmp"]
        ours = ["dataclc.dat.tmp", "dataclc.dat.4d2-0.tmp"]
        old = harness.time.time() - 300
        for name in theirs + ours:
            (folder / name).write_bytes(b"x" * 10)
            harness.os.utime(folder / name, (old, old))
        app = self.start(folder=folder)
        app.close()
        self.assertEqual(app.stray_files(), sorted(theirs))

    def test_the_sweep_never_follows_a_link_and_keeps_a_file_from_the_future(self):
        os, Path, tempfile = harness.os, harness.Path, harness.tempfile
        folder, outside = Path(tempfile.mkdtemp(prefix="quillpad-e2e-")), Path(tempfile.mkdtemp(prefix="quillpad-"))
        self.addCleanup(harness.shutil.rmtree, outside, True)
        old, future = harness.time.time() - 300, 2_051_222_400  # 2035
        victim = outside / "victim.txt"
        victim.write_bytes(b"not ours")
        victim.chmod(0o640)
        os.utime(victim, (old, old))
        link = folder / "dataclc.dat.d-0.tmp"
        link.symlink_to(victim)
        os.utime(link, (old, old), follow_symlinks=False)
        (folder / "dataclc.dat.a-0.tmp").write_bytes(b"x")
        os.utime(folder / "dataclc.dat.a-0.tmp", (future, future))
        (folder / "dataclc.dat.b-0.tmp").write_bytes(b"x")  # stale and read-only
        os.utime(folder / "dataclc.dat.b-0.tmp", (old, old))
        (folder / "dataclc.dat.b-0.tmp").chmod(0o444)
        app = self.start(folder=folder)
        app.close()
        self.assertEqual((victim.read_bytes(), victim.stat().st_mode & 0o777), (b"not ours", 0o640))
        self.assertEqual(app.stray_files(), ["dataclc.dat.a-0.tmp"])

    def test_a_long_record_is_read_and_written_back_whole(self):
        data = record_bytes(nLeft=110, nTop=130, nRound=3, strReserved=b"r" * 200_000)
        app = self.start(data=data)
        self.assertEqual(app.window()[0][:2], (110, 130))
        app.enter_expression("1/3")
        self.assertEqual(app.wait_text(RESULT, "0.333"), "0.333")
        app.close()
        self.assertEqual(app.data_file.read_bytes(), data)

    def test_a_file_past_the_limit_is_left_as_it_was(self):
        data = record_bytes(nLeft=110, nTop=130, nFormat=2) + b"\xee" * (20 << 20)
        app = self.start(data=data)
        app.enter_expression("255")
        self.assertEqual(app.wait_text(RESULT, "255"), "255")  # the defaults: decimal
        app.close()
        self.assertEqual(app.data_file.read_bytes(), data)
        self.assertEqual(app.stray_files(), [])

    def test_two_copies_closed_at_once_leave_one_whole_record(self):
        first = self.start()
        second = self.start(folder=first.folder, alongside=True)
        self.assertEqual(first.probe("close-all", "2"), "2")
        first.process.wait(timeout=20)
        second.process.wait(timeout=20)
        record = first.data_file.read_bytes()
        self.assertEqual(len(record), 40)
        self.assertEqual(record, record_bytes(**{k: v for k, v in read_record(record).items()
                                                 if k in ("nLeft", "nTop")}))
        self.assertEqual(first.stray_files(), [])


if __name__ == "__main__":
    unittest.main(verbosity=2)
