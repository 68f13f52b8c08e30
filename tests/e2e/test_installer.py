"""The per-user installer under Wine, built here as make dist builds it: a
silent install puts the files, the Start-menu shortcut and the entry of
Settings > Apps; the installed Quillpad answers; an install over it asks a
running Quillpad to close and keeps its dataclc.dat; /D= installs elsewhere;
the uninstaller removes all but dataclc.dat."""

import re
import shutil
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

import harness
from harness import RESULT

UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillpad"
INSTALLED = ["LICENSE.txt", "Quillpad.exe", "README.txt", "Uninstall.exe", "help.html", "quillpad-cli.exe"]
DISPLAY = None
SETUP = None
VERSION = re.search(r"^project\(Quillpad VERSION ([0-9.]+)", (harness.SOURCE / "CMakeLists.txt").read_text(),
                    re.M)[1]


def setUpModule():
    global DISPLAY, SETUP
    DISPLAY = harness.shared_display()
    work = Path(tempfile.mkdtemp(prefix="quillpad-setup-"))
    packaging = harness.SOURCE / "packaging" / "windows"
    subprocess.run(["bash", packaging / "stage.sh", harness.BUILD, work / "Quillpad"], check=True)
    SETUP = work / f"Quillpad-{VERSION}-setup.exe"
    subprocess.run(["bash", packaging / "installer.sh", work / "Quillpad", VERSION, SETUP], check=True)


def user_folder():
    return harness.roaming_folder().parent.parent  # ...\AppData\Roaming\Quillpad -> ...\AppData


def default_folder():
    return user_folder() / "Local" / "Programs" / "Quillpad"


def shortcut():
    return user_folder() / "Roaming" / "Microsoft" / "Windows" / "Start Menu" / "Programs" / "Quillpad.lnk"


def c_path(path):
    """A path inside the prefix's drive C: as Windows writes it."""
    return "C:\\" + str(Path(path).relative_to(harness.PREFIX / "drive_c")).replace("/", "\\")


def run(*args, timeout=120):
    return subprocess.run(harness.wine(*args), env=DISPLAY.env, capture_output=True, timeout=timeout)


def entry():
    """The uninstall entry's values, by name; empty when there is none."""
    out = run("reg", "query", UNINSTALL_KEY).stdout.decode("utf-8", "replace")
    return {m[1]: m[3] for m in re.finditer(r"^\s+(\w+)\s+(REG_\w+)\s+(.*?)\s*$", out, re.M)}


class InstallerTest(harness.AppTest):
    def setUp(self):
        # Nothing of an earlier run, before and after.
        self.remove_all()
        self.addCleanup(self.remove_all)

    def remove_all(self):
        for folder in (default_folder(), self.elsewhere()):
            shutil.rmtree(folder, ignore_errors=True)
        shortcut().unlink(missing_ok=True)
        run("reg", "delete", UNINSTALL_KEY, "/f")

    def elsewhere(self):
        return harness.PREFIX / "drive_c" / "Tools" / "Quillpad"

    def install(self, *args):
        result = run(SETUP, "/S", *args)
        self.assertEqual(result.returncode, 0, result.stderr[-300:])

    def uninstall_in_place(self, folder):
        """The uninstaller run in place, synchronously, as scripts do."""
        result = run(folder / "Uninstall.exe", "/S", "_?=" + c_path(folder))
        self.assertEqual(result.returncode, 0, result.stderr[-300:])

    def test_install_answer_upgrade_and_uninstall(self):
        self.install()
        folder = default_folder()
        self.assertEqual(sorted(p.name for p in folder.iterdir()), INSTALLED)
        self.assertTrue(shortcut().exists())
        values = entry()
        self.assertEqual(values["DisplayName"], "Quillpad")
        self.assertEqual(values["DisplayVersion"], VERSION)
        self.assertEqual(values["Publisher"], "the Quillpad developers")
        self.assertEqual(values["InstallLocation"], c_path(folder))
        self.assertEqual(values["UninstallString"], f'"{values["InstallLocation"]}\\Uninstall.exe"')
        self.assertEqual(values["QuietUninstallString"], values["UninstallString"] + " /S")
        self.assertTrue(values["DisplayIcon"].endswith(r"\Quillpad.exe,0"))
        self.assertEqual((values["NoModify"], values["NoRepair"]), ("0x1", "0x1"))
        self.assertGreater(int(values["EstimatedSize"], 16), 1000)  # KB: the two programs

        # The installed program answers, and keeps its settings beside itself.
        app = self.start(folder=folder)
        app.enter_expression("2+2")
        self.assertEqual(app.wait_text(RESULT, "4"), "4")
        app.close()
        settings = app.data_file.read_bytes()
        kept = app.history_file.read_bytes()

        # A new install while it runs: it is asked to close (and saves), the
        # files are replaced, the settings stay.
        (folder / "help.html").write_text("an older version's page")
        running = self.start(folder=folder)
        self.install()
        running.process.wait(timeout=30)
        self.assertEqual(app.data_file.read_bytes(), settings)
        self.assertEqual(app.history_file.read_bytes(), kept)
        self.assertEqual((folder / "help.html").read_bytes(), (harness.SOURCE / "docs" / "help.html").read_bytes())
        self.assertEqual(sorted(p.name for p in folder.iterdir()), sorted(INSTALLED + ["dataclc.dat", "history.txt"]))

        # In place, the uninstaller cannot remove its own running file; all
        # else goes but the settings and the history.
        self.uninstall_in_place(folder)
        self.assertEqual(sorted(p.name for p in folder.iterdir()), ["Uninstall.exe", "dataclc.dat", "history.txt"])
        self.assertEqual(app.history_file.read_bytes(), kept)
        self.assertFalse(shortcut().exists())
        self.assertEqual(entry(), {})

    def test_elsewhere_and_removed_as_settings_does(self):
        target = self.elsewhere()
        self.install("/D=" + c_path(target))
        self.assertEqual(sorted(p.name for p in target.iterdir()), INSTALLED)
        self.assertFalse(default_folder().exists())
        self.assertEqual(entry()["InstallLocation"], c_path(target))
        (target / "dataclc.dat").write_bytes(harness.record_bytes())
        (target / "history.txt").write_text("# Quillpad history\n2+2\t4\t4\n")
        # Settings > Apps runs the uninstall string: the uninstaller copies
        # itself away and removes everything but the settings and the history.
        run(target / "Uninstall.exe", "/S")
        kept = ["dataclc.dat", "history.txt"]
        deadline = time.time() + 60
        while sorted(p.name for p in target.iterdir()) != kept and time.time() < deadline:
            time.sleep(0.5)
        self.assertEqual(sorted(p.name for p in target.iterdir()), kept)
        self.assertEqual(entry(), {})
        self.assertFalse(shortcut().exists())


if __name__ == "__main__":
    unittest.main(verbosity=2)
