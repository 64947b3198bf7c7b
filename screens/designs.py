#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the windows' design files and writes what others take from them.

Usage: designs.py json OUT.json DESIGN.ui...     what the browser's page builds its panels from
       designs.py header OUT.h DESIGN.ui...      what the game's core reads of the designs

For each window: its caption, client size, border style, resolved font, its
controls in design order (kind, geometry, text, font, alignment, accessible
name, focus, whether hidden, button face, whether a box fits its text), its
drawn lines and its tab order; how each text is looked up in the catalog (its
context, or that it stays as designed), and whether the controls stand on
places of a picture (not mirrored for a language written from right to left). Fonts are resolved as the desktop resolves them:
a control takes its window's font and overrides what its own font names; the
dynamic property pointSizeF sets a fractional size. The core's header lists
every control's window, name, place and size, whether its design hides it,
its font, and its text where that stays as designed in every language.
"""

import colorsys
import json
import sys
import xml.etree.ElementTree as ET

KINDS = {"QLabel": "label", "QPushButton": "button", "QLineEdit": "edit", "QListWidget": "list"}
# Whether each kind takes the keyboard focus unless its design says otherwise.
FOCUSABLE = {"label": False, "button": True, "edit": True, "list": True, "picture": False}
DEFAULT_FONT = {"family": "MS Sans Serif", "size": 8.25, "bold": False}


def properties(widget):
    """The widget's own properties by name, as XML elements holding their value."""
    return {p.get("name"): p[0] for p in widget.findall("property")}


def font(props, inherited):
    resolved = dict(inherited)
    if "font" in props:
        given = props["font"]
        if given.find("family") is not None:
            resolved["family"] = given.find("family").text
        if given.find("pointsize") is not None:
            resolved["size"] = float(given.find("pointsize").text)
        if given.find("bold") is not None:
            resolved["bold"] = given.find("bold").text == "true"
    if "pointSizeF" in props:
        resolved["size"] = float(props["pointSizeF"].text)
    return resolved


def alignment(props, default):
    """The horizontal and vertical alignment, from Qt's alignment flags."""
    flags = props["alignment"].text if "alignment" in props else default
    horizontal = "center" if "AlignHCenter" in flags or "AlignCenter" in flags else (
        "right" if "AlignRight" in flags else "left")
    vertical = "top" if "AlignTop" in flags else ("bottom" if "AlignBottom" in flags else "middle")
    return [horizontal, vertical]


def shade(colour, lighter=100, darker=100):
    """QColor's lighter() and darker(), in percent: the HSV value scaled, in whole
    steps of 255; a value over the top takes away saturation instead."""
    h, s, v = colorsys.rgb_to_hsv(*(int(colour[i:i + 2], 16) / 255 for i in (1, 3, 5)))
    s, v = round(s * 255), round(v * 255) * lighter // 100 * 100 // darker
    if v > 255:
        s, v = max(0, s - (v - 255)), 255
    return "#%02x%02x%02x" % tuple(round(c * 255) for c in colorsys.hsv_to_rgb(h, s / 255, v / 255))


def control(widget, window_font, custom):
    props = properties(widget)
    # A widget of the program's own (a picture box, a chart) is a box its window draws in.
    kind = KINDS.get(widget.get("class")) or ("picture" if widget.get("class") in custom else None)
    if kind is None:
        raise SystemExit(f"designs.py: no panel control for a {widget.get('class')} ({widget.get('name')})")
    rect = props["geometry"]
    item = {"name": widget.get("name"), "kind": kind,
            "rect": [int(rect.find(k).text) for k in ("x", "y", "width", "height")],
            "font": font(props, window_font)}
    text = props.get("text")
    if text is not None and text.text:
        item["text"] = text.text
        item.update(translation("text", text))
    if "accessibleName" in props:
        item["accessibleName"] = props["accessibleName"].text
        item.update(translation("accessibleName", props["accessibleName"]))
    if "visible" in props and props["visible"].text == "false":
        item["hidden"] = True
    focus = props.get("focusPolicy")
    item["focusable"] = FOCUSABLE[kind] if focus is None else not focus.text.endswith("NoFocus")
    if kind == "label":
        item["align"] = alignment(props, "Qt::AlignLeft|Qt::AlignVCenter")
        item["wrap"] = "wordWrap" in props and props["wordWrap"].text == "true"
        if "buddy" in props:
            item["buddy"] = props["buddy"].text
    elif kind == "edit":
        item["align"] = alignment(props, "Qt::AlignLeft|Qt::AlignVCenter")
        item["readOnly"] = "readOnly" in props and props["readOnly"].text == "true"
        item["fit"] = "fitText" in props and props["fitText"].text == "true"
    elif kind == "button":
        item["default"] = "default" in props and props["default"].text == "true"
        if "backColor" in props:
            face = props["backColor"].text
            item["face"] = [face, shade(face, lighter=160), shade(face, darker=200)]
    elif kind == "picture":
        item["sunken"] = props.get("frameShadow") is not None and props["frameShadow"].text.endswith("Sunken")
    return item


def translation(field, string):
    """How the page looks up a design's text in the catalog: its context ("fieldContext",
    where the design gives one) or that it stays as designed ("fieldFixed")."""
    if string.get("notr") == "true":
        return {field + "Fixed": True}
    return {field + "Context": string.get("comment")} if string.get("comment") else {}


TWIPS_PER_PIXEL = 15


def line_rect(text):
    """A level line "x1 y1 x2 y2 colour width" (twips; width in pixels) as the
    pixel rectangle it fills and its colour, as the desktop draws it."""
    x1, y1, x2, y2, colour, width = text.split()
    if y1 != y2:
        raise SystemExit(f"designs.py: only level lines are drawn: {text}")
    left, top = int(x1) / TWIPS_PER_PIXEL, int(y1) / TWIPS_PER_PIXEL
    return {"rect": [left, top, (int(x2) - int(x1)) / TWIPS_PER_PIXEL, int(width)], "colour": colour}


def window(path):
    root = ET.parse(path).getroot()
    form = root.find("widget")
    props = properties(form)
    rect = props["geometry"]
    window_font = font(props, DEFAULT_FONT)
    custom = {c.text for c in root.findall("customwidgets/customwidget/class")}
    controls = [control(w, window_font, custom) for w in form.findall("widget")]
    listed = [t.text for t in root.findall("tabstops/tabstop")]
    # Focusable controls the design leaves out of its tab order follow it, in design order.
    tab_order = listed + [c["name"] for c in controls if c["focusable"] and c["name"] not in listed]
    caption = props.get("windowTitle")
    border = props.get("borderStyle")
    lines = props["lines"].text.split(";") if "lines" in props else []
    pictured = "placesOnPicture" in props and props["placesOnPicture"].text == "true"
    return form.get("name"), {
        "caption": caption.text if caption is not None else "",
        **(translation("caption", caption) if caption is not None else {}),
        "placesOnPicture": pictured,
        "size": [int(rect.find("width").text), int(rect.find("height").text)],
        "border": border.text if border is not None else "sizable",
        "font": window_font,
        "controls": controls,
        "lines": [line_rect(line) for line in lines],
        "tabOrder": [name for name in tab_order if any(c["name"] == name and c["focusable"] for c in controls)],
    }


def header(designs):
    rows = []
    for name, design in sorted(designs.items()):
        for c in design["controls"]:
            x, y, width, height = c["rect"]
            f = c["font"]
            rows.append(f'    {{"{name}", "{c["name"]}", {x}, {y}, {width}, {height}, {str(c.get("hidden", False)).lower()}, '
                        f'{json.dumps(c.get("text", "") if c.get("textFixed") else "")}, {json.dumps(f["family"])}, '
                        f'{f["size"]}, {str(f["bold"]).lower()}}},')
    return "\n".join([
        "// Written by screens/designs.py from the windows' design files; do not edit.",
        "#pragma once",
        "",
        "#include <string_view>",
        "",
        "namespace Startup::Designs {",
        "",
        "struct Control {",
        "    std::string_view window, name;",
        "    int x, y, width, height;",
        "    bool hidden;",
        "    std::string_view text, family;  // the design's text where it stays as designed in every language, and its font",
        "    double size;",
        "    bool bold;",
        "};",
        "inline constexpr std::string_view kWindows[] = {" + ", ".join(f'"{n}"' for n in sorted(designs)) + "};",
        "// Each window's client area, in the order of kWindows.",
        "struct Size {",
        "    int width, height;",
        "};",
        "inline constexpr Size kWindowSizes[] = {"
        + ", ".join(f'{{{d["size"][0]}, {d["size"][1]}}}' for _, d in sorted(designs.items())) + "};",
        "inline constexpr Control kControls[] = {",
        *rows,
        "};",
        "",
        "} // namespace Startup::Designs",
        "",
    ])


def main():
    if len(sys.argv) < 4 or sys.argv[1] not in ("json", "header"):
        sys.exit(__doc__)
    designs = dict(window(path) for path in sys.argv[3:])
    with open(sys.argv[2], "w") as out:
        if sys.argv[1] == "json":
            json.dump(designs, out, indent=1, sort_keys=True)
        else:
            out.write(header(designs))


if __name__ == "__main__":
    main()
