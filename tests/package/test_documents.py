"""The player's documents against --help: options, files, their folder, quoted texts, games."""

import os
import pathlib
import re
import subprocess
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def read(path):
    return pathlib.Path(ROOT, path).read_text(encoding="utf-8")


def flat(text):
    return " ".join(text.split())


def roff_text(source):  # the man page's words as man shows them: font macros joined, escapes undone
    def words(m):
        args = [quoted or bare for quoted, bare in re.findall(r'"([^"]*)"|(\S+)', m.group(2))]
        return (" " if len(m.group(1)) == 1 else "").join(args)
    text = re.sub(r"(?m)^\.(B|I|BR|RB|BI|IB|IR|RI) (.*)$", words, source)
    return re.sub(r"\\f[BIRP]", "", text).replace("\\-", "-")


def section(text, start, end):  # from the line matching start to the next one matching end
    return re.search(start + r".*?(?=" + end + r"|\Z)", text, re.S | re.M).group(0)


def options(text):
    return set(re.findall(r"(?<![\w-])(--?[a-z][a-z-]*)", text))


class DocumentsTest(unittest.TestCase):
    def test_the_documents_say_what_help_says(self):
        help = subprocess.run([os.environ["BRONTEK_BIN"], "--help"], capture_output=True,
                              text=True, timeout=30, check=True).stdout
        listed = options(section(help, r"^Options:", r"^$"))
        note = flat(section(help, r"^Files:", r"^$"))
        files, folder = re.findall(r'"(\w+)"', note), "the folder the program is started in"
        games, quoted = set(re.findall(r"\b(\w+\.exe)\b", help)), re.findall(r'"([^"]+)"', help)
        self.assertEqual((sorted(files), folder in note, "CoDUOMP.exe" in games, "-h" in listed),
                         (["binds", "data", "grant", "keys", "options"], True, True, True))
        readme, windows = read("README.md"), read("frontends/win32/README.txt.in")
        man = roff_text(read("data/brontek-tarnlow.1.in"))
        for name, text, command_line, files_part in [
                ("README.md", readme, re.findall(r"(?m)^brontek-tarnlow (.*)$", readme),
                 section(readme, r"^## Files", r"^## ")),
                ("the man page", man,
                 re.findall(r"(?m)^\.TP\n(.*)$", section(man, r"^\.SH OPTIONS", r"^\.SH ")),
                 section(man, r"^\.SH FILES", r"^\.SH ")),
                ("README.txt", windows, re.findall(r"(?m)^  brontek-tarnlow\.exe (.*)$", windows),
                 section(windows, r"^Where it keeps its files", r"^\w[^\n]*\n-+$"))]:
            with self.subTest(name):
                named = "\n".join(re.sub(r"\s{2,}.*", "", line) for line in command_line)
                self.assertEqual(options(named), listed)
                # "grant" is the Linux program's alone (a Wayland desktop's leave to type).
                for file in (f for f in files if name != "README.txt" or f != "grant"):
                    self.assertRegex(files_part, r'(?m)(^|")%s("|$)' % file)
                self.assertIn(folder, flat(files_part))
                self.assertEqual(set(re.findall(r"\b(CoD\w*\.exe)\b", text)), games)
                for words in (w for w in quoted if name != "README.txt" or w != "grant"):
                    self.assertIn(words, flat(text))
        for download in ("brontek-tarnlow_%s_amd64.deb", "brontek-tarnlow-%s-windows-x64.zip"):
            self.assertIn(download % os.environ["BRONTEK_VERSION"], readme)

