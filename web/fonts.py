#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Subsets the carried fonts for the page and renames them, as WOFF2.

Usage: fonts.py FONTS_DIR OUT_DIR [CATALOGS.json]

A subset is a modified font under the SIL Open Font License, so it takes a
name of its own that avoids the reserved ones; its copyright and licence
records stay. The regular face keeps Latin-1, Latin Extended-A and common
punctuation for the names players type; the bold and fixed-pitch faces keep
what the windows show in them. Every face also keeps the letters that the
catalogs' translations and the made-up language for tests use, where it has
them (the Latin scripts'; Devanagari and Arabic come from the system's faces).
"""

import json
import os
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

SHOWN = list(range(0x20, 0x7F)) + [0xD7]  # printable ASCII and the close box's cross
# The accented letters of the made-up language that lengthens every text (game/language.cpp).
MADE_UP = [ord(c) for c in "áçéîñöŕšûýžÁÇÉÎÑÖŔŠÛÝŽ"]
TYPED = SHOWN + list(range(0xA0, 0x180)) + [0x2013, 0x2014, 0x2018, 0x2019, 0x201A, 0x201C, 0x201D, 0x201E,
                                              0x2022, 0x2026, 0x20AC]
# The carried file, the new family and style, and the characters kept.
FACES = [
    ("LiberationSans-Regular.ttf", "Brimwold Sans", "Regular", TYPED),
    ("LiberationSans-Bold.ttf", "Brimwold Sans", "Bold", SHOWN),
    ("LiberationMono-Regular.ttf", "Brimwold Mono", "Regular", SHOWN),
]
KEPT_NAMES = {0, 2, 5, 8, 9, 11, 12, 13, 14}  # copyright, style, version, makers, licence


def subset_face(source, family, style, characters, out_path):
    font = TTFont(source)
    options = subset.Options()
    options.flavor = "woff2"
    options.hinting = False
    options.drop_tables += ["FFTM"]
    options.name_IDs = sorted(KEPT_NAMES)
    options.layout_features = ["kern", "liga"]
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=characters)
    subsetter.subset(font)
    names = font["name"]
    version = names.getDebugName(5) or ""
    renamed = {1: family, 3: f"{family} {style} {version} subset for Brimwold", 4: f"{family} {style}".replace(" Regular", ""),
               6: f"{family}-{style}".replace(" ", ""),
               10: f"Subset for Brimwold of {os.path.basename(source)}, renamed under the SIL Open Font License 1.1"}
    for record in list(names.names):
        if record.nameID not in KEPT_NAMES:
            names.removeNames(nameID=record.nameID)
    for name_id, text in renamed.items():
        names.setName(text, name_id, 3, 1, 0x409)
    font.flavor = "woff2"
    font.save(out_path)


def translated(catalogs):
    """Every character the catalogs' translations use."""
    with open(catalogs, encoding="utf-8") as f:
        page = json.load(f)
    return {ord(c) for language in page["languages"].values() for c in language["translations"] if c >= " "}


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    fonts_dir, out_dir = sys.argv[1:3]
    extra = sorted(translated(sys.argv[3]) | set(MADE_UP)) if len(sys.argv) == 4 else []
    os.makedirs(out_dir, exist_ok=True)
    for file, family, style, characters in FACES:
        source = os.path.join(fonts_dir, file)
        present = set(TTFont(source).getBestCmap())
        out = os.path.join(out_dir, f"{family.replace(' ', '')}-{style}.woff2")
        subset_face(source, family, style, sorted(set(characters) | (set(extra) & present)), out)


if __name__ == "__main__":
    main()
