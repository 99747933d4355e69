import time
import unittest

from harness import E2ETest, center


class NoTrayTest(E2ETest):
    def test_start_without_a_tray_host_leaves_the_window_reachable(self):
        p = self.start_program()
        time.sleep(0.3)
        self.x.click(*center(p.widget("Brontek Tarnlow", "startButton")))
        time.sleep(0.5)
        model = p.model()
        self.assertTrue(model["mainVisible"])
        self.assertTrue(model["mainMinimized"])
        # The X window is still there for the player (or a taskbar) to bring back.
        titles = self.x.window_titles()
        self.assertIn("Brontek Tarnlow", titles)
        self.assertIsNotNone(p.window("Brontek Tarnlow"))


if __name__ == "__main__":
    unittest.main()
