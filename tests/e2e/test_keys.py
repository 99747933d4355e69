import os
import time
import unittest

from harness import E2ETest, wait_for


def bind_file(variant, indices):
    return (variant + "\r\n" + "".join("%d\r\n" % i for i in indices) + "\r\n").encode()


class KeysTest(E2ETest):
    def setUp(self):
        super().setUp()
        # Numpad 7 on Statements 3, Numpad 3 on Responses 4 (indices in file order).
        indices = [0] * 20
        indices[15], indices[14] = 1, 2
        indices[7], indices[6] = 2, 3
        with open(os.path.join(self.workdir, "binds"), "wb") as f:
            f.write(bind_file("1", indices))
        self.p = self.start_program()
        self.rec = self.recorder()
        time.sleep(0.5)

    def keys(self, count, timeout=5):
        return wait_for(lambda: len(self.rec.typed()) >= count and self.rec.typed(), timeout,
                        what="%d typed keys, got %r" % (count, self.rec.typed()))

    def test_keypad_0_types_v11_at_the_key_interval(self):
        self.x.tap("KP_0")
        typed = self.keys(3)
        time.sleep(0.5)
        typed = self.rec.typed()
        self.assertEqual([k for _, k in typed], ["v", "1", "1"])
        gaps = [b[0] - a[0] for a, b in zip(typed, typed[1:])]
        for gap in gaps:
            self.assertAlmostEqual(gap, 100, delta=15)

    def test_the_highest_key_of_one_poll_wins(self):
        self.x.keys(["KP_3", "KP_7"], True)
        time.sleep(0.03)
        self.x.keys(["KP_3", "KP_7"], False)
        self.keys(3)
        time.sleep(0.6)
        self.assertEqual([k for _, k in self.rec.typed()], ["v", "2", "3"])

    def test_a_held_key_repeats(self):
        self.x.key("KP_0", True)
        time.sleep(1.0)
        self.x.key("KP_0", False)
        time.sleep(0.5)
        keys = [k for _, k in self.rec.typed()]
        self.assertGreaterEqual(len(keys), 6)
        self.assertEqual(len(keys) % 3, 0)
        self.assertEqual(keys[:6], ["v", "1", "1", "v", "1", "1"])

    def test_keys_also_arrive_when_the_window_is_in_the_tray_or_behind(self):
        start = self.p.widget("Brontek Tarnlow", "startButton")
        from harness import center
        self.x.click(*center(start))
        time.sleep(0.3)
        self.rec.focus()
        self.x.tap("KP_7")
        self.keys(3)


if __name__ == "__main__":
    unittest.main()
