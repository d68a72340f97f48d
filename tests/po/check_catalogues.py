#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fails on a catalogue in po/ that would show the player a broken text.

Usage: check_catalogues.py PO_DIR     checks every PO_DIR/LL.po against
                                      PO_DIR/karoblen.pot
       check_catalogues.py --self-test

For each language: msgfmt --check passes, with the access keys; every entry
of the template is there, translated and not fuzzy; each "%1" to "%9" of the
English is kept; a text with an access key keeps exactly one; a string-table
text keeps its line breaks (prompt and tooltip); a file filter keeps its
fields; the header names the file's own language.
"""
import ast
import os
import re
import subprocess
import sys
import tempfile

MARKER = re.compile(r"%[1-9]")
ACCESS = re.compile(r"&[^&\s]")


def parse(path):
    """Entries of a .po file as dicts with ctx, id, str, fuzzy; obsolete ones left out."""
    entries, entry, field = [], None, None

    def finish():
        if entry is not None and "id" in entry:
            entries.append(entry)

    with open(path, encoding="utf-8") as f:
        for raw in f:
            line = raw.rstrip("\n")
            if line.startswith("#~"):
                continue
            if not line.strip():
                finish()
                entry, field = None, None
                continue
            if entry is None:
                entry = {"ctx": None, "fuzzy": False}
            if line.startswith("#,") and "fuzzy" in line:
                entry["fuzzy"] = True
            m = re.match(r'^(msgctxt|msgid|msgstr) (".*")$', line)
            if m:
                field = {"msgctxt": "ctx", "msgid": "id", "msgstr": "str"}[m.group(1)]
                entry[field] = ast.literal_eval(m.group(2))
            elif line.startswith('"') and field:
                entry[field] += ast.literal_eval(line)
    finish()
    return entries


def problems(pot_path, po_path):
    found = []
    language = os.path.basename(po_path)[: -len(".po")]
    where = os.path.basename(po_path)
    check = subprocess.run(["msgfmt", "--check", "--check-accelerators=&", "-o", os.devnull,
                            po_path], capture_output=True, text=True)
    if check.returncode != 0:
        found.append(f"{where}: msgfmt --check fails:\n{check.stderr.strip()}")
    template = {(e["ctx"], e["id"]) for e in parse(pot_path) if e["id"]}
    entries = parse(po_path)
    header = next((e for e in entries if e["id"] == ""), None)
    if header is None or f"Language: {language}\n" not in header["str"]:
        found.append(f"{where}: the header does not say \"Language: {language}\"")
    have = set()
    for e in entries:
        if not e["id"]:
            continue
        key = (e["ctx"], e["id"])
        have.add(key)
        name = f"{where}: {e['ctx'] or 'desktop'} {e['id']!r}"
        if key not in template:
            continue  # msgmerge turns it obsolete; the template check covers it
        if e["fuzzy"]:
            found.append(f"{name} is fuzzy")
        if not e["str"]:
            found.append(f"{name} is not translated")
            continue
        if sorted(MARKER.findall(e["id"])) != sorted(MARKER.findall(e["str"])):
            found.append(f"{name}: the translation does not keep its markers %1 to %9")
        if ACCESS.search(e["id"]) and len(ACCESS.findall(e["str"])) != 1:
            found.append(f"{name}: the translation needs exactly one & access key")
        if (e["ctx"] or "").startswith("string ") and e["id"].count("\n") != e["str"].count("\n"):
            found.append(f"{name}: the translation does not keep its line breaks")
        if e["id"].count("|") != e["str"].count("|"):
            found.append(f"{name}: the translation does not keep its fields between |")
    for ctx, msgid in sorted(template - have, key=str):
        found.append(f"{where}: {ctx or 'desktop'} {msgid!r} is missing; run make update-po")
    return found


def check(po_dir):
    pot = os.path.join(po_dir, "karoblen.pot")
    catalogues = sorted(n for n in os.listdir(po_dir) if n.endswith(".po"))
    found = []
    for name in catalogues:
        found += problems(pot, os.path.join(po_dir, name))
    return catalogues, found


SELF_TEST_POT = '''msgid ""
msgstr ""
"Content-Type: text/plain; charset=UTF-8\\n"

msgctxt "string 1"
msgid "Start\\nNew"
msgstr ""

msgctxt "text A"
msgid "Score: %1 of %2"
msgstr ""

msgctxt "menu 128 command 7"
msgid "&Open"
msgstr ""

msgctxt "text B"
msgid "Files|*.x||"
msgstr ""

msgctxt "text C"
msgid "Gone"
msgstr ""
'''

SELF_TEST_PO = '''msgid ""
msgstr ""
"Language: xx\\n"
"Content-Type: text/plain; charset=UTF-8\\n"

msgctxt "string 1"
msgid "Start\\nNew"
msgstr "Anfang Neu"

msgctxt "text A"
msgid "Score: %1 of %2"
msgstr "Punkte: %1"

#, fuzzy
msgctxt "menu 128 command 7"
msgid "&Open"
msgstr "Offnen"

msgctxt "text B"
msgid "Files|*.x||"
msgstr "Dateien *.x||"
'''


def self_test():
    with tempfile.TemporaryDirectory() as d:
        with open(os.path.join(d, "karoblen.pot"), "w", encoding="utf-8") as f:
            f.write(SELF_TEST_POT)
        with open(os.path.join(d, "xx.po"), "w", encoding="utf-8") as f:
            f.write(SELF_TEST_PO)
        _, found = check(d)
    text = "\n".join(found)
    expected = ["does not keep its line breaks", "does not keep its markers", "is fuzzy",
                "exactly one & access key", "fields between |", "'Gone' is missing"]
    missed = [e for e in expected if e not in text]
    if missed:
        print("self-test: not caught: " + ", ".join(missed) + "\n" + text)
        return 1
    print("self-test: every broken entry caught")
    return 0


def main():
    if sys.argv[1:] == ["--self-test"]:
        return self_test()
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    catalogues, found = check(sys.argv[1])
    for problem in found:
        print(problem)
    print(f"{len(catalogues)} catalogues checked, {len(found)} problems")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
