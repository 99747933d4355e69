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


if __name__ == "__main__":
    unittest.main()
