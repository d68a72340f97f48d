#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fails when ctest skipped a test that .ci/expected_skips does not allow.

Usage: check_skips.py ALLOW_LIST JUNIT...  (ctest --output-junit files)
       check_skips.py --self-test
"""
import os
import re
import sys
import tempfile
import xml.etree.ElementTree as ElementTree


def read_allow_list(path):
    patterns = []
    with open(path, encoding="utf-8") as text:
        for line in text:
            entry = line.split("#", 1)[0].strip()
            if entry:
                patterns.append(re.compile(entry))
    return patterns


def skipped_tests(junit):
    """The names of the tests ctest reports as not run, with its reason."""
    skipped = []
    for case in ElementTree.parse(junit).getroot().iter("testcase"):
        mark = case.find("skipped")
        if mark is not None:
            skipped.append((case.get("name"), mark.get("message", "")))
    return skipped


def unexpected(allow_list, junits):
    patterns = read_allow_list(allow_list)
    found = []
    for junit in junits:
        skipped = skipped_tests(junit)
        print(f"{junit}: {len(skipped)} skipped")
        for name, why in skipped:
            allowed = any(pattern.fullmatch(name) for pattern in patterns)
            print(f"  {'expected' if allowed else 'UNEXPECTED'}: {name} ({why})")
            if not allowed:
                found.append(name)
    return found


def self_test():
    junit = """<?xml version="1.0" encoding="UTF-8"?><testsuite tests="3" skipped="2">
<testcase name="e2e_sound" status="notrun"><skipped message="SKIP_RETURN_CODE=77"/></testcase>
<testcase name="Situations/Save.Root/1" status="notrun">
<skipped message="SKIP_REGULAR_EXPRESSION_MATCHED"/></testcase>
<testcase name="format" status="run"/></testsuite>"""
    with tempfile.TemporaryDirectory() as scratch:
        junit_path = os.path.join(scratch, "junit.xml")
        allow_path = os.path.join(scratch, "allow")
        with open(junit_path, "w", encoding="utf-8") as out:
            out.write(junit)
        results = []
        for allow, expected in [("", ["e2e_sound", "Situations/Save.Root/1"]),
                                ("e2e_sound  # no sound server\n", ["Situations/Save.Root/1"]),
                                ("e2e_\nSituations/.*\n", ["e2e_sound"]),
                                ("e2e_.*\nSituations/.*\n", [])]:
            with open(allow_path, "w", encoding="utf-8") as out:
                out.write(allow)
            results.append(unexpected(allow_path, [junit_path]) == expected)
    return 0 if all(results) else 1


def main():
    if sys.argv[1:] == ["--self-test"]:
        return self_test()
    if len(sys.argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    found = unexpected(sys.argv[1], sys.argv[2:])
    if found:
        print(f"{len(found)} test(s) skipped that CI does not expect; see .ci/expected_skips")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
