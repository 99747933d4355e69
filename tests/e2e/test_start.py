import unittest

from harness import E2ETest


class StartTest(E2ETest):
    def test_main_window_shows_keys_lists_and_buttons(self):
        p = self.start_program()
        win = p.window("Brontek Tarnlow")
        labels = sorted(c["text"] for c in win["children"]
                        if c["class"] == "QLabel" and c["text"].startswith("Numpad"))
        self.assertEqual(labels, ["Numpad %d" % i for i in range(10)])
        lists = [c for c in win["children"] if c["class"] == "QComboBox"]
        self.assertEqual(len(lists), 20)
        for c in lists:
            self.assertTrue(c["visible"])
            self.assertEqual(c["index"], 0, c["name"])
        buttons = sorted(c["text"] for c in win["children"] if c["class"] == "QPushButton")
        self.assertEqual(buttons, ["Exit", "Interval", "Save", "Start"])
        options = {c["text"]: c["checked"] for c in win["children"] if c["class"] == "QRadioButton"}
        self.assertEqual(options, {"Call of Duty 1 / 2": True, "United Offensive": False})
        titles = self.x.window_titles()
        self.assertIn("Brontek Tarnlow", titles)


class NoDisplayTest(unittest.TestCase):
    def test_without_an_x_display_it_says_so_in_one_line_and_fails(self):
        import os
        import subprocess
        from harness import BIN
        if not BIN or not os.path.exists(BIN):
            self.skipTest("BRONTEK_BIN does not name the program")
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        r = subprocess.run([BIN], env=env, capture_output=True, text=True, timeout=10)
        self.assertNotEqual(r.returncode, 0)
        lines = r.stderr.strip().splitlines()
        self.assertEqual(len(lines), 1)
        self.assertIn("needs an X11 display", lines[0])
        self.assertIn("XWayland", lines[0])


class InstalledLauncherTest(unittest.TestCase):
    def test_the_installed_launcher_starts_in_a_folder_under_the_data_directory(self):
        import os
        import shutil
        import subprocess
        import tempfile
        build = os.environ.get("BRONTEK_BUILD_DIR", "")
        if not build:
            self.skipTest("BRONTEK_BUILD_DIR not set")
        prefix = tempfile.mkdtemp(prefix="bt-install-")
        self.addCleanup(shutil.rmtree, prefix, True)
        subprocess.run(["cmake", "--install", build, "--prefix", prefix], check=True,
                       capture_output=True)
        for f in ("bin/brontek-tarnlow", "share/applications/brontek-tarnlow.desktop",
                  "share/icons/hicolor/scalable/apps/brontek-tarnlow.svg"):
            self.assertTrue(os.path.exists(os.path.join(prefix, f)), f)
        data = os.path.join(prefix, "data-home")
        env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        env["XDG_DATA_HOME"] = data
        r = subprocess.run([os.path.join(prefix, "bin", "brontek-tarnlow")], env=env,
                           capture_output=True, text=True, timeout=10)
        # Without a display the real program answers: proof the launcher found it, in its folder.
        self.assertIn("needs an X11 display", r.stderr)
        self.assertTrue(os.path.isdir(os.path.join(data, "brontek-tarnlow")))


if __name__ == "__main__":
    unittest.main()
