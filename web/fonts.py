#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Subsets the carried fonts for the page and renames them, as WOFF2.

Usage: fonts.py FONTS_DIR OUT_DIR

A subset is a modified font under the SIL Open Font License, so it takes a
name of its own that avoids the reserved ones; its copyright and licence
records stay. The regular face keeps Latin-1, Latin Extended-A and common
punctuation for the names players type; the bold and fixed-pitch faces keep
what the windows show in them.
"""

import os
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

SHOWN = list(range(0x20, 0x7F)) + [0xD7]  # printable ASCII and the close box's cross
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


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    fonts_dir, out_dir = sys.argv[1:]
    os.makedirs(out_dir, exist_ok=True)
    for file, family, style, characters in FACES:
        out = os.path.join(out_dir, f"{family.replace(' ', '')}-{style}.woff2")
        subset_face(os.path.join(fonts_dir, file), family, style, characters, out)


if __name__ == "__main__":
    main()
