import os
import time
import unittest

from harness import E2ETest, center, wait_for


class NewsTest(E2ETest):
    def setUp(self):
        super().setUp()
        self.serve_sample_site()

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
        p.ended()
        with open(os.path.join(self.workdir, "data"), "rb") as f:
            self.assertEqual(f.read(), b"brontek-news-2026-12\r\n")


if __name__ == "__main__":
    unittest.main()
