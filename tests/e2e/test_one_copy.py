"""One copy per user and X display: a second start brings the running copy to the front and ends,
touching no file; a copy that died never blocks the next start; another display runs its own."""

import os
import signal
import subprocess
import time
import unittest

from harness import BIN, E2ETest, Program, Xvfb, center, wait_for


class OneCopyTest(E2ETest):
    def start_again(self):
        env = dict(self.programs[0].env, BRONTEK_TEST_PROBE=os.path.join(self.workdir, ".second"))
        return subprocess.run([BIN], cwd=self.workdir, env=env, capture_output=True, text=True,
                              timeout=20)

    def test_a_second_start_shows_the_running_copy_and_ends(self):
        self.start_trayer()
        p = self.start_program()
        rec = self.recorder()
        self.x.click(*center(p.widget("Brontek Tarnlow", "startButton")))
        p.wait_state(lambda s: not s["model"]["mainVisible"], what="the window in the tray")
        files = sorted(os.listdir(self.workdir))

        second = self.start_again()
        self.assertEqual(second.returncode, 0)
        self.assertIn("already running", second.stderr)
        p.wait_state(lambda s: s["model"]["mainVisible"], what="the running copy shown")
        self.assertEqual(sorted(os.listdir(self.workdir)), files, "the second start wrote nothing")

        rec.focus()
        self.x.tap("KP_0")
        wait_for(lambda: len(rec.typed()) >= 3, 5, what="keys typed")
        time.sleep(0.6)
        self.assertEqual([k for _, k in rec.typed()], ["v", "1", "1"], "typed once")

    def test_a_copy_that_died_does_not_block_the_next_start(self):
        p = self.start_program()
        p.proc.send_signal(signal.SIGKILL)
        p.proc.wait()
        os.remove(p.probe)
        again = self.start_program()
        time.sleep(0.5)
        self.assertIsNone(again.proc.poll())

    def test_another_display_runs_its_own_copy(self):
        p = self.start_program()
        other = Xvfb()
        self.addCleanup(other.stop)
        q = Program(other, self.workdir, {"BRONTEK_TEST_PROBE": os.path.join(self.workdir, ".q")})
        self.addCleanup(q.stop)
        time.sleep(0.5)
        self.assertIsNone(p.proc.poll())
        self.assertIsNone(q.proc.poll())


if __name__ == "__main__":
    unittest.main()
