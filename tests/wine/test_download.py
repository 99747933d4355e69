"""winhttp_client_test under Wine against bench/'s trickling and dripping servers on 127.0.0.1."""

import os
import subprocess
import unittest

SERVER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "bench",
                      "broken_server.py")
TEST = os.environ.get("BRONTEK_DOWNLOAD_TEST", "")


class DownloadTest(unittest.TestCase):
    def serve(self, scenario):  # a broken server of its own; its address once it listens
        proc = subprocess.Popen(["/usr/bin/python3", SERVER, scenario], stdout=subprocess.PIPE,
                                text=True)
        self.addCleanup(lambda: (proc.kill(), proc.wait()))
        port = int(proc.stdout.readline().split()[1])
        return "http://127.0.0.1:%d/update_info/binds_data/form1.html" % port

    def test_a_trickle_ends_within_15_s_and_a_steady_answer_arrives_whole(self):
        self.assertTrue(os.path.exists(TEST), "BRONTEK_DOWNLOAD_TEST names no program: %r" % TEST)
        env = dict(os.environ, BRONTEK_TRICKLE_URL=self.serve("trickle"),
                   BRONTEK_STEADY_URL=self.serve("drip"))
        run = subprocess.run(["wine", TEST], env=env, capture_output=True, text=True, timeout=120)
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
