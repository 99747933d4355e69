import subprocess
import time
import unittest

from harness import E2ETest, wait_for


class AzertyTest(E2ETest):
    def test_digits_arrive_as_digits_on_a_french_layout(self):
        subprocess.run(["setxkbmap", "-display", self.x.name, "fr"], check=True)
        time.sleep(0.3)
        self.start_program()
        rec = self.recorder()
        time.sleep(0.5)
        self.x.tap("KP_0")
        wait_for(lambda: len(rec.typed()) >= 3, 5, what="three keys")
        time.sleep(0.3)
        self.assertEqual([k for _, k in rec.typed()], ["v", "1", "1"])


if __name__ == "__main__":
    unittest.main()
