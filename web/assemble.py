#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Puts the browser edition together as one self-contained HTML file.

Usage: assemble.py OUT.html --version V --template T --style CSS... --script JS... --core CORE.js
                   --wasm CORE.wasm --designs DESIGNS.json --catalogs CATALOGS.json --pictures DIR --fonts DIR
                   --font-licence LICENSE.txt

The styles and the scripts go in in the order given, the core's script first.

Everything is inside the file: the script and the WebAssembly, the style, the
fonts (which the script registers from their bytes), the pictures and their
texts, the windows' designs, the message catalogs, and the program's and the
fonts' licence notices. A
Content-Security-Policy allows the page's own script and style (by their
hashes), WebAssembly, and images from inside the file; nothing else, and
nothing from outside.

The page is what every player downloads, on any connection: a page over
LIMIT bytes is not written, and the build fails.
"""

import argparse
import base64
import hashlib
import json
import os
import re
import sys

# The most a page may weigh: 450 KB.
LIMIT = 450_000

# The faces the windows' designs and the core name, and the carried face for each.
FACES = {"": "Brimwold Sans", "MS Sans Serif": "Brimwold Sans", "Microsoft Sans Serif": "Brimwold Sans",
         "Arial": "Brimwold Sans", "Courier New": "Brimwold Mono"}
FONT_FILES = [("Brimwold Sans", "normal", "BrimwoldSans-Regular.woff2"),
              ("Brimwold Sans", "bold", "BrimwoldSans-Bold.woff2"),
              ("Brimwold Mono", "normal", "BrimwoldMono-Regular.woff2")]

NOTICE = """Brimwold {version}: a teaching game about how a new idea spreads through a village.
Copyright (C) The Brimwold developers.

This program is free software: you can redistribute it and/or modify it under
the terms of the GNU General Public License as published by the Free Software
Foundation, either version 3 of the License, or (at your option) any later
version. It is distributed in the hope that it will be useful, but WITHOUT ANY
WARRANTY; without even the implied warranty of MERCHANTABILITY or FITNESS FOR A
PARTICULAR PURPOSE. See the GNU General Public License for more details
(https://www.gnu.org/licenses/gpl-3.0.html).

This one file holds the program in compiled form: whoever passes it on passes
on its complete source code too, under the same licence.

The fonts in this file, Brimwold Sans and Brimwold Mono, are subsets of fonts
of the Liberation family 2.1, renamed as their licence asks; they are under the
SIL Open Font License 1.1, whose notices follow.

{fonts}"""


def read(path, mode="r"):
    with open(path, mode) as f:
        return f.read()


def data_url(path, kind):
    return f"data:{kind};base64," + base64.b64encode(read(path, "rb")).decode()


def json_block(value):
    """JSON that is safe inside a script element: no '<' can close it."""
    return json.dumps(value, separators=(",", ":"), ensure_ascii=False).replace("<", "\\u003c")


def digest(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode()).digest()).decode() + "'"


def comment(text):
    if "--" in text or text.endswith("-"):
        raise SystemExit("assemble.py: the notice would end its comment early")
    return f"<!--\n{text}\n-->"


def without_comment_lines(source):
    """The script without its lines of comment alone and its blank lines; the
    repository keeps them. A line inside a template literal stays as it is."""
    kept, inside = [], False
    for line in source.split("\n"):
        if not inside and (not line.strip() or line.lstrip().startswith("//")):
            continue
        kept.append(line)
        inside ^= line.count("`") % 2 == 1
    return "\n".join(kept)


def png_size(path):
    """A PNG's width and height, from its header."""
    with open(path, "rb") as f:
        head = f.read(24)
    return [int.from_bytes(head[16:20], "big"), int.from_bytes(head[20:24], "big")]


def main():
    parser = argparse.ArgumentParser(usage=__doc__)
    parser.add_argument("out")
    for option in ("version", "template", "core", "wasm", "designs", "catalogs", "pictures", "fonts", "font-licence"):
        parser.add_argument("--" + option, required=True)
    for option in ("style", "script"):
        parser.add_argument("--" + option, required=True, nargs="+")
    args = parser.parse_args()

    fonts = [[family, weight, base64.b64encode(read(os.path.join(args.fonts, file), "rb")).decode()]
             for family, weight, file in FONT_FILES]
    style = "\n".join(read(path) for path in args.style)
    script = "\n".join([read(args.core), *(without_comment_lines(read(path)) for path in args.script)])
    if "</script" in script.lower():
        raise SystemExit("assemble.py: the script would end its element early")
    pictures = {
        name: {"size": png_size(os.path.join(args.pictures, f"{name}@1x.png")),
               **{scale: data_url(os.path.join(args.pictures, f"{name}@{scale[1]}x.png"), "image/png")
                  for scale in ("x1", "x2")}}
        for name in sorted(f[:-len("@1x.png")] for f in os.listdir(args.pictures) if f.endswith("@1x.png"))}
    picture_texts = json.loads(read(os.path.join(args.pictures, "picture-texts.json")))
    assets = {"faces": {**FACES, "Liberation Sans": "Brimwold Sans", "Courier Prime": "Brimwold Mono"},
              "fonts": fonts, "pictureTexts": picture_texts}
    csp = ("default-src 'none'; "
           f"script-src {digest(script)} 'wasm-unsafe-eval'; "
           f"style-src {digest(style)}; "
           "img-src data:; base-uri 'none'; form-action 'none'")
    parts = {
        "NOTICE": comment(NOTICE.format(version=args.version, fonts=read(args.font_licence).strip())),
        "CSP": csp,
        "ICON": pictures["about-icon"]["x1"],
        "STYLE": style,
        "DESIGNS": json_block(json.loads(read(args.designs))),
        "CATALOGS": json_block(json.loads(read(args.catalogs))),
        "ASSETS": json_block(assets),
        "PICTURES": json_block(pictures),
        "WASM": base64.b64encode(read(args.wasm, "rb")).decode(),
        "SCRIPT": script,
    }
    page = re.sub(r"\{\{(\w+)\}\}", lambda m: parts[m.group(1)], read(args.template))
    size = len(page.encode())
    if size > LIMIT:
        sys.exit(f"{args.out}: {size} bytes, over the page's {LIMIT}")
    with open(args.out, "w") as out:
        out.write(page)


if __name__ == "__main__":
    main()
