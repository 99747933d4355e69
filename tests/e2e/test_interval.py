import time
import unittest

from harness import E2ETest, center, wait_for


class IntervalTest(E2ETest):
    def test_1001_is_refused_with_the_message_and_100_kept(self):
        p = self.start_program()
        time.sleep(0.3)
        self.x.click(*center(p.widget("Brontek Tarnlow", "intervalButton")))
        box = p.wait_state(lambda s: any(w["title"] == "Brontek tarnlow" for w in s["windows"]),
                           what="the input box")
        dialog = [w for w in box["windows"] if w["title"] == "Brontek tarnlow"][0]
        texts = [c.get("text") for c in dialog["children"]]
        self.assertIn("Key interval (ms)", texts)
        self.assertIn("100", texts)
        edit = [c for c in dialog["children"] if c["class"] == "QLineEdit"][0]
        self.x.click(*center(edit))
        self.x.tap("End")
        for _ in range(4):
            self.x.tap("BackSpace")
        self.x.type_text("1001\n")

        def message_shown(s):
            return any(w["title"] == "Brontek tarnlow" and
                       any(c.get("text") == "Enter 100 - 1000" for c in w["children"])
                       for w in s["windows"])
        p.wait_state(message_shown, what="the message box")
        self.assertEqual(p.model()["keyInterval"], "100")
        self.x.tap("Return")
        p.wait_state(lambda s: not any(w["title"] == "Brontek tarnlow" for w in s["windows"]),
                     what="the message box to close")
        self.assertEqual(p.model()["keyInterval"], "100")


if __name__ == "__main__":
    unittest.main()
