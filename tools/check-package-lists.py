#!/usr/bin/env python3
"""Checks that every program the tests or `make dist` run comes from a Debian package that
`make test` (or `make dist`) installs itself, so both work on a fresh Debian 12 machine and not only
on one where somebody installed the tool by hand. Exit status 1 names every tool that is missing.

The package lists are taken from make itself (`make -n test-deps`), as make expands them. The tools
are found where they are named: the Python test scripts (whole string constants that name a
program), the commands CMake runs, and the recipes of `make test` and `make dist` with the
scripts they start. Each tool's owning package must be in the expanded list, be pulled in by one of its
packages, or be part of every Debian system (priority required)."""

import ast
import fnmatch
import glob
import os
import re
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SYSTEM_PATH = "/usr/sbin:/usr/bin:/sbin:/bin"  # what a fresh machine has; no ~/.local, no pyenv
# Settings with which CMake runs a program without naming it.
IMPLIED = {"CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON": "dpkg-shlibdeps"}
SHELL_WORDS = {"if", "then", "else", "fi", "for", "in", "do", "done", "while", "case", "esac",
               "set", "exit", "export", "local", "cd", "echo", "true", "false", "test"}


def run(*args):
    return subprocess.run(args, capture_output=True, text=True, cwd=ROOT, timeout=300)


def packages_of(target):
    """The packages a make target's recipe installs, as make expands its variables."""
    out = run("make", "-n", "-s", "--no-print-directory", target).stdout
    names = set()
    for line in out.splitlines():
        if "ensure-packages.sh" in line:
            names.update(line.split("ensure-packages.sh", 1)[1].split())
    return names


def closure(packages):
    """The packages with everything they depend on, recursively (what apt installs)."""
    out = run("apt-cache", "depends", "--recurse", "--no-recommends", "--no-suggests",
              "--no-conflicts", "--no-breaks", "--no-replaces", "--no-enhances",
              *sorted(packages)).stdout
    return {line.strip() for line in out.splitlines()
            if line and not line[0].isspace() and not line.startswith("<")} | set(packages)


def always_there():
    out = run("dpkg-query", "-W", "-f", "${Package} ${Priority} ${Essential}\n").stdout
    return {f[0] for f in (line.split() for line in out.splitlines())
            if len(f) >= 2 and (f[1] == "required" or f[-1] == "yes")}


def python_tools(path):
    with open(path, encoding="utf-8") as f:
        tree = ast.parse(f.read(), path)
    return {n.value for n in ast.walk(tree)
            if isinstance(n, ast.Constant) and isinstance(n.value, str)
            and re.fullmatch(r"[A-Za-z][\w.+-]*", n.value)}


def shell_tools(path):
    words = set()
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = re.sub(r"(^|\s)#.*", "", line)
            for command in re.split(r"[;&|(]|\$\(|\bthen\b|\bdo\b|!", line):
                first = command.split()
                if first and first[0] not in SHELL_WORDS and "=" not in first[0]:
                    words.add(first[0])
    return words


def cmake_tools(path, tests=True):
    """What CMake runs: commands, compilers, and for the tests the emulator that runs them."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    setting = r"CMAKE_\w*COMPILER|CMAKE_CROSSCOMPILING_EMULATOR" if tests else r"CMAKE_\w*COMPILER"
    words = set(re.findall(r"\bCOMMAND\s+(?:\$\{[A-Z_]+\}\s+)*([\w./+-]+)", text))
    words |= set(re.findall(r'"(?:%s)"\s*:\s*"([^"]+)"' % setting, text))
    words |= set(re.findall(r"set\((?:%s)\s+(\S+)\)" % setting, text))
    words |= set(re.findall(r"find_program\(\w+\s+(?:NAMES\s+)?([\w.+-]+)", text))
    words |= {tool for setting, tool in IMPLIED.items() if setting in text}
    # Files the build takes from the system by their path, such as GoogleTest's sources.
    words |= {p for p in re.findall(r"(/usr/[\w./+-]+)", text) if os.path.isfile(p)}
    return words


def recipe_tools(target):
    """The programs a make target's recipes run, and those of the scripts they start."""
    words = set()
    for line in run("make", "-n", "-s", "--no-print-directory", target).stdout.splitlines():
        for word in re.split(r"[\s;&|()$`]+", line):
            if re.fullmatch(r"[a-z][\w.+-]*", word):
                words.add(word)
            elif re.fullmatch(r"[\w./-]+\.sh", word) and os.path.isfile(os.path.join(ROOT, word)):
                words |= shell_tools(os.path.join(ROOT, word))
    return words


def files(*patterns):
    """The source files matching the patterns; never the build output, which may hold a whole
    Wine prefix."""
    found = []
    for folder, dirs, names in os.walk(ROOT):
        dirs[:] = [d for d in dirs if d not in ("build", "dist") and not d.startswith(".")
                   or folder == ROOT and d == ".ci"]
        for name in names:
            path = os.path.relpath(os.path.join(folder, name), ROOT)
            if any(fnmatch.fnmatch(path, pattern) for pattern in patterns):
                found.append(os.path.join(ROOT, path))
    return found


def test_run_scripts():
    """The Python scripts CTest runs: the test folders, and the benchmark scripts it names."""
    scripts = files("tests/*.py")
    for cmake in files("*CMakeLists.txt"):
        with open(cmake, encoding="utf-8") as f:
            for name in re.findall(r"\$\{CMAKE_CURRENT_SOURCE_DIR\}/([\w-]+\.py)", f.read()):
                script = os.path.join(os.path.dirname(cmake), name)
                scripts.append(script)
                with open(script, encoding="utf-8") as s:
                    imports = re.findall(r"^(?:from|import) (\w+)", s.read(), re.M)
                scripts += [os.path.join(os.path.dirname(cmake), m + ".py") for m in imports
                            if os.path.exists(os.path.join(os.path.dirname(cmake), m + ".py"))]
    return sorted(set(scripts))


def file_owners():
    """Every file of every installed package, from dpkg's own lists."""
    owners = {}
    for listing in glob.glob("/var/lib/dpkg/info/*.list"):
        package = os.path.basename(listing)[:-5].split(":")[0]
        with open(listing, encoding="utf-8", errors="replace") as f:
            for line in f:
                owners.setdefault(line.rstrip("\n"), package)
    return owners


OWNERS = file_owners()


def owner(tool):
    """The package that installs tool (a program name or a file's path), or None."""
    path = tool if tool.startswith("/") else shutil.which(tool, path=SYSTEM_PATH)
    if not path or not os.path.isfile(path):
        return None
    for candidate in (path, os.path.realpath(path)):
        # /bin is /usr/bin on Debian 12, but dpkg may list a file under either.
        for variant in (candidate, re.sub(r"^/usr(/s?bin/)", r"\1", candidate),
                        re.sub(r"^(/s?bin/)", r"/usr\1", candidate)):
            if variant in OWNERS:
                return OWNERS[variant]
    return None


def missing(tools, packages):
    """The tools whose package the lists do not install (nor pull in, nor every system has)."""
    installed = closure(packages) | always_there()
    out = []
    for tool in sorted(tools):
        package = owner(tool)
        if package is None and tool.startswith("/"):
            out.append("%s (no package has it)" % tool)
        elif package is not None and package not in installed:
            out.append("%s (from %s)" % (tool, package))
    return out


def script_tools(path, seen=None):
    """What a script CTest runs by its path runs, and the scripts it starts in turn."""
    seen = seen if seen is not None else set()
    if path in seen or not os.path.isfile(path):
        return set()
    seen.add(path)
    if path.endswith(".py"):
        with open(path, encoding="utf-8") as f:
            imports = re.findall(r"^(?:from|import) (\w+)", f.read(), re.M)
        tools = python_tools(path)
        for module in imports:
            tools |= script_tools(os.path.join(os.path.dirname(path), module + ".py"), seen)
        return tools
    tools = shell_tools(path)
    with open(path, encoding="utf-8") as f:
        for script in re.findall(r"([\w/-]+\.(?:py|sh))\b", f.read()):
            tools |= script_tools(os.path.join(ROOT, script), seen)
    return tools


def test_tools():
    tools = set()
    for script in test_run_scripts():
        tools |= python_tools(script)
    for cmake in files("*CMakeLists.txt"):
        with open(cmake, encoding="utf-8") as f:
            for script in re.findall(r"\$\{PROJECT_SOURCE_DIR\}/([\w./-]+\.(?:sh|py))", f.read()):
                tools |= script_tools(os.path.join(ROOT, script))
    tools |= shell_tools(os.path.join(ROOT, ".ci", "run"))
    for cmake in files("*CMakeLists.txt", "cmake/*.cmake", "CMakePresets.json"):
        tools |= cmake_tools(cmake)
    return tools | recipe_tools("test")


def dist_tools():
    tools = recipe_tools("dist")
    for cmake in files("cmake/*.cmake", "frontends/*/CMakeLists.txt"):
        tools |= cmake_tools(cmake, tests=False)
    return tools


problems = []
for target, deps, tools in (("make test", "test-deps", test_tools()),
                            ("make dist", "dist-deps", dist_tools())):
    packages = packages_of(deps)
    if not packages:
        problems.append("%s: make printed no package list" % target)
    for tool in missing(tools, packages):
        problems.append("%s runs %s, but its package lists do not install it: on a fresh machine "
                        "it fails there" % (target, tool))
print("\n".join(problems) or "package lists: make test and make dist install every tool they run")
sys.exit(1 if problems else 0)
