#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fails on an include that crosses the layers the wrong way.

Usage: check_layers.py ROOT      checks the sources under ROOT
       check_layers.py --self-test

The build already refuses most such includes, since a library sees only the
headers of what it links; this check also covers the edges a link would hide
and names the offending line.
"""
import os
import re
import sys
import tempfile

# Longest prefix wins: a file belongs to the most specific layer naming it.
LAYERS = {
    "game/": "game",
    "res/": "res",
    "platform/": "platform",
    "platform/desktop/": "desktop",
    "platform/testing/": "platform_testing",
    "platform/qt/": "qt",
    "platform/qt/sound/": "qt_sound",
    "platform/qt/x11/": "qt_x11",
    "platform/qt/common/": "qt_common",
    "platform/qt/dialogs/": "qt_dialogs",
    "platform/qt/accessibility/": "qt_accessibility",
    "platform/qt/window/": "qt_window",
    "scores/": "scores",
    "view/": "view",
    "app/": "app",
    "app/options_dlg": "options",
    "main.cpp": "main",
}

# Which layers each layer may include besides its own.
ALLOWED = {
    "game": set(),
    "res": set(),
    "platform": {"res"},
    "desktop": {"res"},
    "platform_testing": {"platform", "res"},
    "qt_sound": set(),
    "qt_x11": set(),
    "qt_common": {"platform", "res"},
    "qt_dialogs": {"qt_accessibility", "qt_common", "qt_x11", "platform", "res"},
    "qt_accessibility": {"qt_common", "platform", "res"},
    "qt_window": {"qt_dialogs", "qt_accessibility", "qt_x11", "qt_common", "platform", "res"},
    "qt": {"qt_window", "qt_dialogs", "qt_accessibility", "qt_sound", "qt_common", "platform", "res"},
    "scores": {"game", "platform", "res"},
    "options": {"game", "platform", "res"},
    # The Options command runs the application's Options dialog.
    "view": {"game", "platform", "res", "options"},
    "app": {"view", "scores", "options", "game", "platform", "res"},
    "main": {"app", "desktop", "platform", "res"},
}

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def layer_of(path):
    best = None
    for prefix in LAYERS:
        if path.startswith(prefix) and (best is None or len(prefix) > len(best)):
            best = prefix
    return LAYERS[best] if best else None


def violations(root):
    found = []
    for top in sorted({prefix.split("/")[0] for prefix in LAYERS}):
        start = os.path.join(root, top)
        paths = [start] if os.path.isfile(start) else []
        for directory, _, files in os.walk(start):
            paths += [os.path.join(directory, name) for name in files]
        for path in sorted(paths):
            if not path.endswith((".h", ".cpp")):
                continue
            relative = os.path.relpath(path, root)
            source = layer_of(relative)
            with open(path, encoding="utf-8") as text:
                for number, line in enumerate(text, 1):
                    match = INCLUDE.match(line)
                    if not match or "/" not in match.group(1):
                        continue  # a neighbour in the same folder
                    target = layer_of(match.group(1))
                    if target is None:
                        found.append(f"{relative}:{number}: {match.group(1)} is in no layer")
                    elif target != source and target not in ALLOWED[source]:
                        found.append(f"{relative}:{number}: {source} may not include "
                                     f"{match.group(1)} ({target})")
    return found


def self_test():
    """The check must catch what it is for, and let the design's edges pass."""
    cases = {
        "game/rules.h": ('#include "view/karoblen_view.h"', True),
        "platform/framework.h": ('#include "game/karoblen_doc.h"', True),
        "platform/qt/sound/voice.cpp": ('#include "platform/qt/common/qt_text.h"', True),
        "platform/qt/accessibility/board.cpp":
            ('#include "platform/qt/window/form_view_widget.h"', True),
        "scores/dialog.cpp": ('#include "view/karoblen_view.h"', True),
        "view/commands.cpp": ('#include "app/options_dlg.h"', False),
        "view/play.cpp": ('  #  include "game/karoblen_doc.h"', False),
        "app/start.cpp": ('#include "platform/qt/qt_host.h"', True),
        "main.cpp": ('#include "platform/desktop/desktop_check.h"', False),
    }
    failures = 0
    for path, (line, forbidden) in cases.items():
        with tempfile.TemporaryDirectory() as root:
            os.makedirs(os.path.dirname(os.path.join(root, path)) or root, exist_ok=True)
            with open(os.path.join(root, path), "w", encoding="utf-8") as out:
                out.write(f"#pragma once\n{line}\n")
            caught = bool(violations(root))
            if caught != forbidden:
                failures += 1
                print(f"self-test: {path} with {line.strip()}: "
                      f"{'caught' if caught else 'let through'}")
    return failures


def main():
    if sys.argv[1:] == ["--self-test"]:
        return 1 if self_test() else 0
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    found = violations(sys.argv[1])
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
