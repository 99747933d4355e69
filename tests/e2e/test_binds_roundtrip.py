import os
import time
import unittest

from harness import E2ETest, center, quit_program, wait_for


# The twenty slot lists in the order the bind file keeps them.
FILE_ORDER = ["slotMenu0", "slotMessage0"] + [
    "slot%s%d" % (kind, k) for k in range(1, 10) for kind in ("Message", "Menu")]


class BindsRoundTripTest(E2ETest):
    def choose(self, p, combo, index):
        """Opens a list with a click and picks an entry with the keyboard, as a player can."""
        w = p.widget("Brontek Tarnlow", combo)
        self.x.click(*center(w))
        time.sleep(0.3)
        steps = index - w["index"]
        for _ in range(abs(steps)):
            self.x.tap("Down" if steps > 0 else "Up")
            time.sleep(0.05)
        self.x.tap("Return")
        p.wait_state(lambda s: p.widget("Brontek Tarnlow", combo)["index"] == index,
                     what="%s at %d" % (combo, index))

    def test_bindings_chosen_by_clicks_survive_a_restart(self):
        p = self.start_program()
        time.sleep(0.3)
        self.x.click(*center(p.widget("Brontek Tarnlow", "unitedOffensiveOption")))
        p.wait_state(lambda s: s["model"]["variant"] == "2", what="United Offensive")
        self.choose(p, "slotMenu3", 3)     # Numpad 3: Requests
        self.choose(p, "slotMessage3", 4)  # message 5
        self.choose(p, "slotMenu9", 4)     # Numpad 9: Vehicles
        self.choose(p, "slotMessage9", 7)  # message 8
        self.x.click(*center(p.widget("Brontek Tarnlow", "saveButton")))
        binds = os.path.join(self.workdir, "binds")
        wait_for(lambda: os.path.exists(binds), what="the binds file")
        indices = [0] * 20
        indices[7], indices[6], indices[19], indices[18] = 3, 4, 4, 7
        expected = ("2\r\n" + "".join("%d\r\n" % i for i in indices) + "\r\n").encode()
        with open(binds, "rb") as f:
            self.assertEqual(f.read(), expected)

        quit_program(self.x, p)

        again = self.start_program()
        again.wait_state(lambda s: again.widget("Brontek Tarnlow", "slotMessage9")["index"] == 7,
                         what="the restored bindings")
        lists = {c["name"]: c["index"] for c in again.window("Brontek Tarnlow")["children"]
                 if c["class"] == "QComboBox"}
        for name, index in zip(FILE_ORDER, indices):
            self.assertEqual(lists[name], index, name)
        self.assertTrue(again.widget("Brontek Tarnlow", "unitedOffensiveOption")["checked"])


if __name__ == "__main__":
    unittest.main()
