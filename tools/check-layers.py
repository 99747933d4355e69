#!/usr/bin/env python3
"""Checks that no file includes one of a higher layer, and that the core includes no toolkit or
operating-system header. Exit status 1 names every offending include."""

import os
import re
import sys

LAYERS = {"base": 0, "behaviours": 1, "app": 2, "frontends": 3, "backends": 3, "tools": 3}
CORE_SYSTEM = re.compile(r"#include <(Q|X11/|windows|curl/|unistd|sys/|pthread)")

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
problems = []
for top, level in LAYERS.items():
    for folder, _, names in os.walk(os.path.join(root, top)):
        for name in names:
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(folder, name)
            rel = os.path.relpath(path, root)
            with open(path, encoding="utf-8") as f:
                for n, line in enumerate(f, 1):
                    m = re.match(r'#include "([a-z_]+)/', line)
                    if m and LAYERS.get(m.group(1), -1) > level:
                        problems.append("%s:%d: %s includes a higher layer" % (rel, n, top))
                    if level < 3 and CORE_SYSTEM.match(line):
                        problems.append("%s:%d: the core includes a system header" % (rel, n))
print("\n".join(problems) or "layers: every include points down")
sys.exit(1 if problems else 0)
