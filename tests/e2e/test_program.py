"""The Linux program on Xvfb: the window scenarios, no tray, keys as a keyboard sends them."""

import subprocess
import time

from Xlib import X, Xatom

from harness import BIN, MAIN, AltF4Scenario, E2ETest, SideButtonScenario, WindowScenarios, \
    rect, typed_by, write_binds


class WindowTest(WindowScenarios, SideButtonScenario, E2ETest):
    EDIT = "QLineEdit"
    F5 = b"x11 71 "

    def test_at_xft_dpi_144_every_text_is_whole(self):
        resources = self.x.display.intern_atom("RESOURCE_MANAGER")  # as a desktop at 150 % sets it
        self.x.root.change_property(resources, Xatom.STRING, 8, b"Xft.dpi:\t144\n")
        self.x.display.sync()
        # United Offensive, Numpad 4 and 9 on the longest messages, Vehicles 4 and 7
        write_binds(self.workdir, 2, {9: 4, 8: 3, 19: 4, 18: 6})
        p = self.start_program({"QT_FONT_DPI": ""})
        self.assertEqual(p.window()["scale"], 1.5, "drawn at 150 %")
        p.wait_text("statusLabel", "Connecting to server...")
        self.assertEqual([p.widget(n)["text"] for n in ("slotMessage4", "slotMessage9")],
                         ["4 Get on that machine gun!", "7 Enemy heavy tank spotted?"])
        self.assertEqual(self.texts_cut_off(p), [])

    def test_start_without_a_tray_host_leaves_the_window_reachable(self):
        p = self.start_program()
        p.click("startButton")
        p.wait_model("mainMinimized", True)
        self.assertTrue(p.model()["mainVisible"])
        self.assertIn(MAIN, self.x.stacking(), "there for the player to bring back")
        p.stop()
        self.recorder()  # the window the player opened first, which keeps the keyboard
        p = self.start_program(command=[BIN, "--tray"])  # as at login, with no tray
        p.wait_model("mainMinimized", True)
        time.sleep(0.5)
        self.assertEqual(self.x.focused(), "Recorder")


class WindowUnderOpenboxTest(AltF4Scenario, WindowTest):
    window_manager = True


class KeysTest(E2ETest):
    def test_on_a_french_layout_the_digits_arrive_as_digits_and_a_held_key_repeats(self):
        write_binds(self.workdir)
        subprocess.run(["setxkbmap", "-display", self.x.name, "-option", "grp:caps_toggle",
                        "us,fr"], check=True)
        time.sleep(0.3)
        self.start_program()  # the digits it types arrive as digits whatever the layout
        rec = self.recorder()
        time.sleep(0.5)
        self.x.tap("Caps_Lock")  # the player turns to the French layout while it runs
        time.sleep(0.3)
        rec.clear()
        self.x.tap("KP_7")
        self.assertEqual(rec.wait(3), ["v", "2", "3"])
        time.sleep(0.6)
        rec.clear()
        self.x.tap("KP_0", hold=1.0)
        time.sleep(0.5)
        keys = rec.wait(6)
        self.assertEqual(len(keys) % 3, 0)
        self.assertEqual(keys[:6], ["v", "1", "1"] * 2)

    def test_without_a_shift_key_the_french_digits_still_arrive_as_digits(self):
        write_binds(self.workdir)
        subprocess.run(["setxkbmap", "-display", self.x.name, "fr"], check=True)
        self.x.display.change_keyboard_mapping(self.x.keycode("Shift_L"), [(X.NoSymbol,) * 4])
        self.x.display.sync()
        self.start_program()  # it lends a spare key the digit rather than type the key unshifted
        rec = self.recorder()
        self.x.tap("KP_7")
        self.assertEqual(rec.wait(3), ["v", "2", "3"])

    def test_f5_chosen_for_numpad_3_types_in_the_window_the_tray_and_a_grabbing_game(self):
        write_binds(self.workdir)
        self.start_trayer()
        p = self.start_program()
        binds = self.file("binds")
        p.wait_state(lambda s: p.widget("slotMessage3")["index"] == 3, what="the bindings")
        self.start_choosing(p, 3)
        for key, word in (("v", "The program types V"), ("1", "The program types 1")):
            self.x.tap(key)
            p.wait_text("keyLabel3", word)
        self.x.tap("F5")
        p.wait_text("keyLabel3", "F5")
        self.screenshot("chosen-key.png", rect(p.window()))
        self.assertEqual(self.file("keys").splitlines()[3], b"x11 %d F5" % self.x.keycode("F5"))
        self.assertEqual(self.file("binds"), binds, "the bindings' file stays as it was")
        rec = self.recorder()
        self.assertEqual(typed_by(self.x, rec, "F5"), ["v", "3", "4"])
        self.assertEqual(typed_by(self.x, rec, "KP_3"), [], "its keypad key no longer types")
        p.to_tray()
        self.assertEqual(typed_by(self.x, rec, "F5", rec.focus), ["v", "3", "4"], "from the tray")
        game = self.recorder(grab=True)
        self.assertEqual(typed_by(self.x, game, "F5"), ["v", "3", "4"], "behind a game's grab")
        game.d.ungrab_keyboard(X.CurrentTime)
        game.d.sync()
        p.proc.terminate()
        p.proc.wait(10)
        self.start_program().wait_text("keyLabel3", "F5")
        self.assertEqual(typed_by(self.x, rec, "F5", rec.focus), ["v", "3", "4"], "after a restart")


class OnlyInTheGameTest(E2ETest):  # with no window manager the input focus counts, or the pointer
    def point_at(self, rec):  # at PointerRoot the window pointed at gets the keys
        self.x.display.set_input_focus(X.PointerRoot, X.RevertToPointerRoot, X.CurrentTime)
        self.x.move(rec.win.get_geometry().x + 150, rec.win.get_geometry().y + 100)

    def test_the_input_focus_or_the_window_under_the_pointer_decides(self):
        with open(self.path("options"), "wb") as f:
            f.write(b"only-in-game = yes\n# the player's own note\ngame-program = CoD_Mod.exe\n")
        self.start_program()
        game = self.recorder(name="Game", wm_class=("codmp.exe", "Wine"), at=(700, 100))
        modded = self.recorder(name="Modded", wm_class=("cod_mod.exe", "Wine"), at=(700, 400))
        other = self.recorder(name="Other", wm_class=("xterm", "XTerm"), at=(700, 700))
        for rec, words in ((game, "the game"), (modded, "a game named in options")):
            self.assertEqual(typed_by(self.x, rec, focus=rec.focus), ["v", "1", "1"], words)
        self.assertEqual(typed_by(self.x, other, focus=other.focus), [], "a terminal")
        self.assertEqual(typed_by(self.x, game, focus=lambda: self.point_at(game)), ["v", "1", "1"],
                         "PointerRoot")
        self.assertEqual(typed_by(self.x, other, focus=lambda: self.point_at(other)), [],
                         "PointerRoot, a terminal")
        self.x.display.set_input_focus(X.NONE, X.RevertToNone, X.CurrentTime)
        self.x.display.sync()
        self.assertEqual(typed_by(self.x, game), [], "nobody has the focus")
        self.assertEqual(self.file("options").count(b"\n"), 3, "read, not rewritten")
