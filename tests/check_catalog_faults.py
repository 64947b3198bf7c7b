#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A catalog with a fault fails both the check a translator runs and the build,
with a message that names the file and the line of the faulty entry.

Each row makes one small edit to a copy of po/fr.po in a scratch folder: a line
replaced (or, with a replacement that ends in a line break, a line put before
it), and the line the message must name: the edited line itself, or the msgid
of the entry it belongs to.

Usage: check_catalog_faults.py PATH/TO/po/catalogs.py
"""

import os
import re
import subprocess
import sys
import tempfile

CATALOG = "fr.po"
# (what, the line edited, its replacement, the line named: "edited" or "msgid")
FAULTS = [
    ("a string without its closing quote", 'msgstr "Veuillez saisir un nombre de jours."',
     'msgstr "Veuillez saisir un nombre de jours.', "edited"),
    ("a keyword that PO has not", 'msgstr "Veuillez saisir un pourcentage."',
     'msgtsr "Veuillez saisir un pourcentage."', "edited"),
    ("an escape that PO has not", 'msgstr "Veuillez saisir votre nom"', r'msgstr "Veuillez saisir\q votre nom"', "edited"),
    ("a placeholder left out", 'msgstr "Veuillez saisir un nombre de jours compris entre %1$d et %2$d."',
     'msgstr "Veuillez saisir un nombre de jours inférieur à %2$d."', "msgid"),
    ("a placeholder of the wrong kind", 'msgstr "Veuillez saisir un pourcentage compris entre %1$d et %2$d."',
     'msgstr "Veuillez saisir un pourcentage compris entre %1$s et %2$d."', "msgid"),
    ("a plural form without its number", 'msgstr[1] "%d ménages"', 'msgstr[1] "des ménages"', "msgid"),
    ("an entry untranslated", 'msgstr "est votre note."', 'msgstr ""', "msgid"),
    ("a plural form untranslated", 'msgstr[0] "%d ménage"', 'msgstr[0] ""', "msgid"),
    ("a fuzzy entry", 'msgctxt "feedback"', '#, fuzzy\n', "msgid"),
]


def edited(text, line, replacement):
    lines = text.split("\n")
    at = lines.index(line)
    lines[at:at + 1] = [replacement[:-1], line] if replacement.endswith("\n") else [replacement]
    return "\n".join(lines), at + 1 + replacement.endswith("\n")


def named_line(text, edited_at, kind):
    """The line the message must name: the edited one, or the msgid of its entry (before
    a translation edited, after a comment or flag put in)."""
    lines = text.split("\n")
    if kind == "edited":
        return edited_at
    if lines[edited_at - 1].startswith("msgstr"):
        return max(n for n in range(1, edited_at + 1) if lines[n - 1].startswith("msgid "))
    return next(n for n in range(edited_at, len(lines) + 1) if lines[n - 1].startswith("msgid "))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    script = os.path.abspath(sys.argv[1])
    po = os.path.dirname(script)
    original = open(os.path.join(po, CATALOG), encoding="utf-8").read()
    failed = []
    with tempfile.TemporaryDirectory(prefix="brimwold-catalog-") as scratch:
        copy = os.path.join(scratch, CATALOG)
        for what, line, replacement, kind in FAULTS:
            text, at = edited(original, line, replacement)
            at = named_line(text, at, kind)
            with open(copy, "w", encoding="utf-8") as f:
                f.write(text)
            for command in (["check", copy], ["build", os.path.join(po, "brimwold.pot"), scratch, copy]):
                run = subprocess.run([sys.executable, script, *command], capture_output=True, text=True)
                places = re.findall(r"^error: (\S+?):(\d+): ", run.stderr, re.M)
                # A file of the source tree by its path there, any other by its whole path.
                named = [(os.path.join(os.path.dirname(po), path), int(n)) for path, n in places
                         if not path.startswith("..")]
                if run.returncode == 0 or (copy, at) not in named:
                    failed.append(f"{what}, {command[0]}: status {run.returncode}, expected {CATALOG}:{at} named in:\n"
                                  f"{run.stderr.strip()}")
    for failure in failed:
        print("FAILED", failure)
    print(f"{len(FAULTS) - len({f.split(',')[0] for f in failed})} of {len(FAULTS)} faults named where they are")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
