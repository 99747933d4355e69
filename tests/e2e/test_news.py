import os
import subprocess
import sys
import time
import unittest
import urllib.request

from harness import E2ETest, SITE, center, port_open, wait_for

PORT = 8642


class NewsTest(E2ETest):
    def setUp(self):
        super().setUp()
        if not port_open(PORT):
            server = subprocess.Popen(
                [sys.executable, "-m", "http.server", str(PORT), "--bind", "127.0.0.1",
                 "--directory", os.path.dirname(os.path.dirname(SITE))], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.addCleanup(lambda: (server.terminate(), server.wait(5)))
            wait_for(lambda: port_open(PORT), what="the sample site")
        with urllib.request.urlopen(
                "http://127.0.0.1:%d/update_info/binds_data/form1.html" % PORT, timeout=5) as r:
            if not r.read().startswith(b"on"):
                self.skipTest("something else serves 127.0.0.1:%d" % PORT)

    def test_online_then_the_news_window_is_laid_out_from_the_feed(self):
        p = self.start_program()
        p.wait_state(lambda s: s["model"]["status"] == "ONLINE", what="ONLINE")
        time.sleep(0.1)
        self.x.screenshot(self.artifact("main-window-online.png"))
        self.x.click(*center(p.widget("Brontek Tarnlow", "exitButton")))
        title = "Brontek news - December 2026"
        p.wait_state(lambda s: any(w["title"] == title for w in s["windows"]), timeout=15,
                     what="the news window")
        time.sleep(0.3)
        news = p.window(title)
        names = {c["name"]: c for c in news["children"]}
        self.assertEqual(names["link1"]["text"], "Call of Duty")
        self.assertFalse(names["connectingLabel"]["visible"])
        self.assertTrue(names["newsText"]["text"].startswith("Brontek Tarnlow 1.0 is out!"))
        self.assertEqual(names["exitButton"]["text"], "Exit")
        self.x.screenshot(self.artifact("news-window.png"))
        # Declining the news writes "data"; the process ends with the window.
        self.x.click(*center(names["declineBox"]))
        time.sleep(0.2)
        self.x.click(*center(names["exitButton"]))
        wait_for(lambda: p.proc.poll() is not None, what="the program to end")
        with open(os.path.join(self.workdir, "data"), "rb") as f:
            self.assertEqual(f.read(), b"brontek-news-2026-12\r\n")


if __name__ == "__main__":
    unittest.main()
