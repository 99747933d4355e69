"""The .deb from the build and the Windows zip: what they hold, and what the checkers say."""

import glob
import os
import re
import subprocess
import tempfile
import unittest
import zipfile

BUILD = os.environ.get("BRONTEK_BUILD_DIR", "")
VERSION = os.environ.get("BRONTEK_VERSION", "")


def run(*args, **kw):
    return subprocess.run(args, capture_output=True, text=True, timeout=120, **kw)


class PackageTest(unittest.TestCase):
    def test_the_deb_holds_the_program_and_passes_the_checks(self):
        out = self.enterContext(tempfile.TemporaryDirectory(prefix="bt-deb-"))
        run("cpack", "-G", "DEB", "--config", os.path.join(BUILD, "CPackConfig.cmake"), "-B", out)
        [deb] = glob.glob(os.path.join(out, "*.deb"))
        arch = run("dpkg", "--print-architecture").stdout.strip()
        self.assertEqual(os.path.basename(deb), "brontek-tarnlow_%s_%s.deb" % (VERSION, arch))
        listing = run("dpkg-deb", "-c", deb).stdout
        for path in ["bin/brontek-tarnlow", "libexec/brontek-tarnlow/brontek-tarnlow",
                     "share/applications/com.brontek.tarnlow.desktop",
                     "share/icons/hicolor/scalable/apps/brontek-tarnlow.svg",
                     "share/metainfo/com.brontek.tarnlow.metainfo.xml",
                     "share/man/man1/brontek-tarnlow.1.gz", "share/doc/brontek-tarnlow/copyright"]:
            self.assertIn("./usr/" + path + "\n", listing)
        depends = run("dpkg-deb", "-f", deb, "Depends").stdout
        for library in ("libqt6widgets6", "libcurl4", "libxi6", "libxtst6"):
            self.assertRegex(depends, r"\b%s\b" % library, "worked out from the binary")
        lintian = run("lintian", deb).stdout
        self.assertNotRegex(lintian, r"(?m)^E:", lintian)

        root = os.path.join(out, "root")
        run("dpkg-deb", "-x", deb, root)
        app = os.path.join(root, "usr", "share", "%s", "com.brontek.tarnlow.%s")
        for check in (["appstreamcli", "validate", "--no-net", app % ("metainfo", "metainfo.xml")],
                      ["desktop-file-validate", app % ("applications", "desktop")]):
            self.assertEqual(run(*check).returncode, 0, check)
        # The launcher answers without a display and keeps its files in the player's data folder.
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        env["XDG_DATA_HOME"] = os.path.join(out, "data-home")
        launcher = os.path.join(root, "usr", "bin", "brontek-tarnlow")
        version = run(launcher, "--version", env=env)
        self.assertEqual((version.returncode, version.stdout), (0, "brontek-tarnlow %s\n" % VERSION))
        self.assertIn("--server HOST[:PORT]", run(launcher, "--help", env=env, check=True).stdout)
        started = run(launcher, env=env)
        self.assertEqual(started.returncode, 1)
        self.assertIn("needs an X11 display", started.stderr)
        self.assertTrue(os.path.isdir(os.path.join(env["XDG_DATA_HOME"], "brontek-tarnlow")))


class WindowsZipTest(unittest.TestCase):
    def test_the_zip_holds_one_64_bit_exe_a_readme_and_the_licence(self):
        run("cmake", "--build", BUILD, "--target", "windows_zip", check=True)
        root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
        folder = "brontek-tarnlow-%s/" % VERSION
        with zipfile.ZipFile(os.path.join(root, "dist", folder[:-1] + "-windows-x64.zip")) as z:
            names = ("LICENSE.txt", "README.txt", "brontek-tarnlow.exe")
            self.assertEqual(sorted(n for n in z.namelist() if not n.endswith("/")),
                             [folder + n for n in names])
            licence, readme, exe = (z.read(folder + n) for n in names)
        pe = int.from_bytes(exe[0x3C:0x40], "little")
        self.assertEqual(exe[pe:pe + 6], b"PE\0\0\x64\x86", "a 64-bit Windows program")
        self.assertEqual(exe[pe + 8:pe + 12], b"\0" * 4, "no time stamp: the same bytes each build")
        for runtime in (b"libstdc++", b"libgcc_s", b"libwinpthread"):
            self.assertNotIn(runtime, exe, "one exe: the runtime is linked in, not a DLL beside it")
        self.assertIn(VERSION.encode("utf-16-le"), exe, "the version resource")
        for text in (readme, licence):
            self.assertNotRegex(text, re.compile(rb"[^\r]\n"), "CR LF line ends")
        self.assertIn(b"Where it keeps its files", readme)
        self.assertIn(b"MIT License", licence)
