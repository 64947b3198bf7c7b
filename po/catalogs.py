#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The program's message catalogs: the template extracted from every text a
player sees, and the translations (po/LANG.po) checked and written for the
program.

Usage: catalogs.py template POT             extracts the template afresh into POT
       catalogs.py stale POT                fails (status 1) when POT is not what
                                            extracting it afresh gives
       catalogs.py check PO...              checks catalogs as the build does, and
                                            with msgfmt --check --statistics and
                                            i18nspector: after editing po/LANG.po,
                                            po/catalogs.py check po/LANG.po
       catalogs.py build POT OUT_DIR PO...  checks every catalog against the
                                            template and writes OUT_DIR/catalogs.cpp
                                            (the desktop's) and OUT_DIR/catalogs.json
                                            (the browser's)

Texts are found in the core's and the pictures' C++ (Tr, NTr, TrNoop and
NTrNoop with a literal context, or a constant of the same file holding one),
the windows' design files (every caption, text and accessible name without
notr="true"; a string's comment attribute is its context, its extracomment a
note for translators), the page's script (tr('context', 'text')), and, through
xgettext, the desktop entry and the AppStream metadata. A comment beginning
"TRANSLATORS:" is a note on every text of the statement that follows it.

A catalog fails the build, naming its file and line, for a syntax error, an
untranslated or fuzzy entry, a text of the template it lacks, a placeholder
lost or added, a plural form too many or too few, or a plural expression that
is no sound expression of C.
"""

import datetime
import glob
import json
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CPP_SOURCES = ["game/*.cpp", "game/*.h", "assets/villagemap.cpp"]
DESIGNS = "screens/*.ui"
SCRIPTS = ["web/*.js"]
XGETTEXT_SOURCES = ["app/desktop/brimwold.desktop.in", "app/desktop/brimwold.metainfo.xml.in"]
# The texts that only installed files show, not the program: written into those files at build time.
INSTALLED_ONLY = ("app/",)
UI_PROPERTIES = {"windowTitle": "caption", "text": "text", "accessibleName": "accessible name"}
# Languages written from right to left, and each language's name in its own words.
RIGHT_TO_LEFT = {"ar", "fa", "he", "ur", "ps", "yi", "dv", "ug", "ckb", "sd"}
NAMES = {"es": "Español", "fr": "Français", "pt_BR": "Português (Brasil)", "sw": "Kiswahili",
         "id": "Bahasa Indonesia", "hi": "हिन्दी", "ar": "العربية"}
DESKTOP_NOTES = {
    "village;innovation;diffusion;adoption;teaching;":
        "Search words for the desktop's menu: each ends with a semicolon, none has a blank around it.",
}


class Fault(Exception):
    def __init__(self, path, line, text):
        # A file of the source tree by its path in the tree, any other whole.
        inside = os.path.isabs(path) and os.path.commonpath([path, ROOT]) == ROOT
        super().__init__(f"{os.path.relpath(path, ROOT) if inside else path}:{line}: {text}")


class Entry:
    def __init__(self, context, msgid, plural=None):
        self.context, self.msgid, self.plural = context, msgid, plural
        self.notes, self.references, self.flags = [], [], []
        self.strings = {}  # msgstr, or msgstr[N] by N
        self.line = 0
        self.obsolete = False

    @property
    def key(self):
        return (self.context or "", self.msgid)

    def add(self, note=None, reference=None, flag=None):
        for item, where in ((note, self.notes), (reference, self.references), (flag, self.flags)):
            if item and item not in where:
                where.append(item)


# --- Reading and writing PO files --------------------------------------------------------------

ESCAPES = {"n": "\n", "t": "\t", '"': '"', "\\": "\\", "r": "\r", "a": "\a", "b": "\b", "f": "\f", "v": "\v"}


def unquote(text, path, number):
    if len(text) < 2 or text[0] != '"' or text[-1] != '"':
        raise Fault(path, number, f"a string in double quotes was expected: {text}")
    out, i, body = [], 0, text[1:-1]
    while i < len(body):
        c = body[i]
        if c == '"':
            raise Fault(path, number, "a double quote inside a string is not escaped")
        if c == "\\":
            if i + 1 >= len(body) or body[i + 1] not in ESCAPES:
                raise Fault(path, number, f"unknown escape in {text}")
            out.append(ESCAPES[body[i + 1]])
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


def read_po(path):
    """The header (a dict), the header entry and the entries of a PO file; an
    entry's line is its msgid's. Obsolete entries ("#~") are left out."""
    entries, entry, field = [], None, None
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")

    def finish():
        nonlocal entry, field
        if entry is not None and entry.msgid is not None:
            entries.append(entry)
        entry, field = None, None

    for number, raw in enumerate(lines, 1):
        line = raw.strip()
        if not line or line.startswith("#~"):
            if not line and entry is not None and entry.msgid is not None:
                finish()
            continue
        if line.startswith("#"):
            if entry is not None and entry.msgid is not None:
                finish()
            entry = entry or Entry(None, None)
            if line.startswith("#,"):
                for flag in line[2:].split(","):
                    entry.add(flag=flag.strip())
            elif line.startswith("#."):
                entry.add(note=line[2:].strip())
            elif line.startswith("#:"):
                entry.references.extend(line[2:].split())
            continue
        if line.startswith('"'):
            if entry is None or field is None:
                raise Fault(path, number, "a string that continues nothing")
            setattr_field(entry, field, getattr_field(entry, field) + unquote(line, path, number))
            continue
        keyword, _, rest = line.partition(" ")
        if not re.fullmatch(r"msgctxt|msgid|msgid_plural|msgstr|msgstr\[\d\]", keyword):
            raise Fault(path, number, f"unknown keyword {keyword!r}")
        if keyword in ("msgctxt", "msgid") and entry is not None and entry.msgid is not None:
            finish()
        entry = entry or Entry(None, None)
        if keyword != "msgctxt" and keyword != "msgid" and entry.msgid is None:
            raise Fault(path, number, f"{keyword} before msgid")
        if keyword == "msgid":
            entry.line = number
        field = keyword
        if getattr_field(entry, field) is not None:
            raise Fault(path, number, f"{keyword} given twice in one entry")
        setattr_field(entry, field, unquote(rest.strip(), path, number))
    finish()
    if not entries or entries[0].msgid != "" or entries[0].context is not None:
        raise Fault(path, 1, "the file does not begin with its header entry")
    header = {}
    for line in entries[0].strings.get(0, "").split("\n"):
        name, _, value = line.partition(":")
        if name:
            header[name.strip()] = value.strip()
    return header, entries[0], entries[1:]


def getattr_field(entry, field):
    if field == "msgctxt":
        return entry.context
    if field == "msgid":
        return entry.msgid
    if field == "msgid_plural":
        return entry.plural
    return entry.strings.get(int(field[7]) if field.startswith("msgstr[") else 0)


def setattr_field(entry, field, value):
    if field == "msgctxt":
        entry.context = value
    elif field == "msgid":
        entry.msgid = value
    elif field == "msgid_plural":
        entry.plural = value
    else:
        entry.strings[int(field[7]) if field.startswith("msgstr[") else 0] = value


def quote(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n").replace("\t", "\\t") + '"'


def version():
    """The program's version, as its build names it."""
    text = open(os.path.join(ROOT, "CMakeLists.txt"), encoding="utf-8").read()
    return re.search(r"project\(brimwold VERSION ([\d.]+)", text).group(1)


def write_template(entries, date):
    out = ["# The messages of Brimwold, a teaching game about the diffusion of an innovation.",
           "# This file is extracted from the program by po/catalogs.py; do not edit it.",
           "# SPDX-License-Identifier: GPL-3.0-or-later",
           "#",
           "#, fuzzy",
           'msgid ""',
           'msgstr ""',
           quote(f"Project-Id-Version: brimwold {version()}\n"),
           quote("Report-Msgid-Bugs-To: https://brimwold.org/\n"),
           quote(f"POT-Creation-Date: {date}\n"),
           quote("PO-Revision-Date: YEAR-MO-DA HO:MI+ZONE\n"),
           quote("Last-Translator: FULL NAME <EMAIL@ADDRESS>\n"),
           quote("Language-Team: LANGUAGE <LL@li.org>\n"),
           quote("Language: \n"),
           quote("MIME-Version: 1.0\n"),
           quote("Content-Type: text/plain; charset=UTF-8\n"),
           quote("Content-Transfer-Encoding: 8bit\n"),
           quote("Plural-Forms: nplurals=INTEGER; plural=EXPRESSION;\n"),
           ""]
    for e in entries:
        out += [f"#. {note}" for note in e.notes]
        out += [f"#: {reference}" for reference in e.references]
        if e.flags:
            out.append("#, " + ", ".join(e.flags))
        if e.context:
            out.append(f"msgctxt {quote(e.context)}")
        out.append(f"msgid {quote(e.msgid)}")
        if e.plural is None:
            out.append('msgstr ""')
        else:
            out += [f"msgid_plural {quote(e.plural)}", 'msgstr[0] ""', 'msgstr[1] ""']
        out.append("")
    return "\n".join(out)


# --- Placeholders ------------------------------------------------------------------------------

PLACEHOLDER = re.compile(r"%(?:(\d+)\$)?([ds%])")


def placeholders(text):
    """The arguments a text of the program's format uses, as {number: type}; None if a
    percent sign starts no placeholder."""
    used, sequential, position = {}, 0, 0
    while True:
        at = text.find("%", position)
        if at < 0:
            return used
        match = PLACEHOLDER.match(text, at)
        if not match:
            return None
        position = match.end()
        if match.group(2) == "%":
            continue
        if match.group(1):
            number = int(match.group(1))
        else:
            sequential += 1
            number = sequential
        used[number] = match.group(2)


def flags_for(text):
    found = placeholders(text)
    if found is None:
        return "no-c-format"
    return "c-format" if "%" in text else None


# --- Extracting the template -------------------------------------------------------------------

STRING = r'"(?:[^"\\\n]|\\.)*"'
CALL = re.compile(r"\b(N?Tr(?:Noop)?)\s*\(")
CONSTANT = re.compile(r"\b(k\w+)\s*=\s*(" + STRING + r")")


def cpp_string(text):
    return bytes(text[1:-1], "utf-8").decode("unicode_escape").encode("latin-1").decode("utf-8")


def note_scope(source, at):
    """Where a note that ends at `at` stops applying: a note above a table (a line
    ending in '{') is on the whole statement, up to its ';'; any other note is on
    the code up to the first line that ends in ',' or ';' (an item of a list, or
    a statement)."""
    lines = source[at:].split("\n")
    code = [(i, line.split("//")[0].rstrip()) for i, line in enumerate(lines)]
    code = [(i, line) for i, line in code if line.strip()]
    if not code:
        return len(source)
    table = code[0][1].endswith("{")
    for i, line in code:
        if line.endswith(";") or (not table and line.endswith(",")):
            return at + sum(len(l) + 1 for l in lines[:i + 1])
    return len(source)


def capitalised(text):
    return text[:1].upper() + text[1:]


def arguments(source, at, constants, path):
    """The literal (or constant) arguments of a call whose '(' is at `at`: a list of
    strings, up to the first argument that is neither."""
    found, i = [], at + 1
    while True:
        while i < len(source) and source[i] in " \t\n":
            i += 1
        pieces = []
        while True:
            match = re.compile(STRING).match(source, i)
            if not match:
                break
            pieces.append(cpp_string(match.group()))
            i = match.end()
            while i < len(source) and source[i] in " \t\n":
                i += 1
        if not pieces:
            name = re.compile(r"\w+").match(source, i)
            if not name or name.group() not in constants:
                return found
            pieces.append(constants[name.group()])
            i = name.end()
            while i < len(source) and source[i] in " \t\n":
                i += 1
        found.append("".join(pieces))
        if i >= len(source) or source[i] != ",":
            return found
        i += 1


def extract_cpp(path, add, constants):
    source = open(path, encoding="utf-8").read()
    notes = []  # (start, end of the statement it is a note on, text)
    for match in re.finditer(r"//\s*TRANSLATORS:(.*(?:\n\s*//(?!\s*TRANSLATORS:).*)*)", source):
        text = " ".join(line.strip().lstrip("/").strip() for line in match.group(1).split("\n"))
        notes.append((match.start(), note_scope(source, match.end()), capitalised(text.strip())))
    relative = os.path.relpath(path, ROOT)
    for match in CALL.finditer(source):
        if source[:match.start()].rstrip().endswith(("std::string_view", "PluralText")):
            continue  # the declaration of the function itself
        args = arguments(source, match.end() - 1, constants, path)
        function = match.group(1)
        needed = 3 if function.startswith("NTr") else 2
        line = source.count("\n", 0, match.start()) + 1
        if len(args) < needed:
            if function in ("Tr", "NTr") and re.match(r"\s*(std::string_view|\w+ \w+,)", source[match.end():]):
                continue  # a declaration
            if function.endswith("Noop"):
                raise Fault(path, line, f"{function} needs a literal context and text")
            continue  # a text looked up that some other call marks
        these = [n for start, end, n in notes if start < match.start() <= end]
        add(args[0], args[1], args[2] if needed == 3 else None, f"{relative}:{line}", these)


def extract_designs(path, add):
    root = ET.parse(path).getroot()
    relative = os.path.relpath(path, ROOT)
    lines = open(path, encoding="utf-8").read().split("\n")
    for widget in root.iter("widget"):
        rect = widget.find("property[@name='geometry']/rect")
        size = f"{rect.find('width').text} × {rect.find('height').text} pixels" if rect is not None else ""
        for prop in widget.findall("property"):
            name = prop.get("name")
            string = prop.find("string")
            if name not in UI_PROPERTIES or string is None or not string.text or string.get("notr") == "true":
                continue
            line = next(i for i, l in enumerate(lines, 1)
                        if f'name="{widget.get("name")}"' in l) + 1
            line = next(i for i in range(line, len(lines) + 1) if f'name="{name}"' in lines[i - 1])
            wraps = widget.find("property[@name='wordWrap']/bool")
            kind = widget.get("class")
            if name == "windowTitle":
                note = "A window's caption."
            elif name == "accessibleName":
                note = "The name a screen reader gives the control."
            elif kind == "QLabel" and size:
                note = f"A label of {size}" + (", in lines as long as it is wide." if wraps is not None and wraps.text == "true" else ", in one line.")
            elif size:
                note = f"A {kind[1:].lower().replace('pushbutton', 'button')} of {size}."
            else:
                note = None
            notes = [n for n in (note, string.get("extracomment")) if n]
            add(string.get("comment", ""), string.text, None, f"{relative}:{line}", notes)


SCRIPT_CALL = re.compile(r"\btr\(\s*'((?:[^'\\]|\\.)*)'\s*,\s*'((?:[^'\\]|\\.)*)'\s*\)")


def extract_script(path, add):
    source = open(path, encoding="utf-8").read()
    relative = os.path.relpath(path, ROOT)
    for match in SCRIPT_CALL.finditer(source):
        line = source.count("\n", 0, match.start()) + 1
        above = source[:match.start()].rsplit("\n", 2)[-2]
        notes = [capitalised(m.group(1).strip()) for m in re.finditer(r"//\s*TRANSLATORS:(.*)", above)]
        text = lambda s: json.loads('"' + s.replace("\\'", "'").replace('"', '\\"') + '"')
        add(text(match.group(1)), text(match.group(2)), None, f"{relative}:{line}", notes)


def extract_installed(add):
    output = subprocess.run(["xgettext", "--from-code=UTF-8", "--omit-header", "--no-wrap", "-o", "-",
                             *XGETTEXT_SOURCES], cwd=ROOT, check=True, capture_output=True, text=True).stdout
    scratch = os.path.join(os.environ.get("TMPDIR", "/tmp"), f"brimwold-installed-{os.getpid()}.pot")
    with open(scratch, "w", encoding="utf-8") as f:
        f.write('msgid ""\nmsgstr ""\n\n' + output)
    try:
        _, _, entries = read_po(scratch)
    finally:
        os.remove(scratch)
    for e in entries:
        for reference in e.references:
            add(e.context or "", e.msgid, e.plural, reference, [DESKTOP_NOTES[e.msgid]] if e.msgid in DESKTOP_NOTES else [])


def extract():
    entries = {}

    def add(context, msgid, plural, reference, notes):
        key = (context, msgid)
        if key not in entries:
            entries[key] = Entry(context, msgid, plural)
        entry = entries[key]
        if entry.plural != plural:
            raise Fault(reference.rsplit(":", 1)[0], reference.rsplit(":", 1)[1],
                        f"{msgid!r} is both plural and not, or has two plurals")
        entry.add(reference=reference.rsplit(":", 1)[0], flag=flags_for(msgid + (plural or "")))
        for note in notes:
            entry.add(note=note)

    paths = lambda patterns: sorted(p for pattern in patterns for p in glob.glob(os.path.join(ROOT, pattern)))
    sources = paths(CPP_SOURCES)
    # The constants that name contexts, from every source: a header's serve the files that include it.
    constants = {m.group(1): cpp_string(m.group(2)) for path in sources
                 for m in CONSTANT.finditer(open(path, encoding="utf-8").read())}
    for path in sources:
        extract_cpp(path, add, constants)
    for path in paths([DESIGNS]):
        extract_designs(path, add)
    for path in paths(SCRIPTS):
        extract_script(path, add)
    extract_installed(add)
    return list(entries.values())


def template_text(pot, date=None):
    """The template as extracted now, dated as POT says if its messages are the same."""
    fresh = write_template(extract(), "DATE")
    if date is None:
        date = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M+0000")
        if os.path.exists(pot):
            old = open(pot, encoding="utf-8").read()
            kept = re.search(r'"POT-Creation-Date: ([^\\]*)\\n"', old)
            if kept and re.sub(r'"POT-Creation-Date: [^\\]*\\n"', "", old) == re.sub(
                    r'"POT-Creation-Date: [^\\]*\\n"', "", fresh):
                date = kept.group(1)
    return fresh.replace('"POT-Creation-Date: DATE\\n"', f'"POT-Creation-Date: {date}\\n"')


# --- Checking the catalogs and writing them for the program -------------------------------------

def plural_rule(header, path):
    match = re.fullmatch(r"\s*nplurals\s*=\s*(\d)\s*;\s*plural\s*=\s*(.+?)\s*;?\s*", header.get("Plural-Forms", ""))
    if not match:
        raise Fault(path, 1, "the header has no Plural-Forms: nplurals=N; plural=EXPRESSION;")
    count, expression = int(match.group(1)), match.group(2)
    if not re.fullmatch(r"[n0-9\s()?:|&=!<>+\-*/%]+", expression):
        raise Fault(path, 1, f"the plural expression is not one of C: {expression}")
    forms = {}
    for n in range(0, 1001):
        try:
            form = int(evaluate_c(expression, n))
        except (ValueError, ZeroDivisionError, IndexError) as error:
            raise Fault(path, 1, f"the plural expression fails for n = {n}: {error}")
        if not 0 <= form < count:
            raise Fault(path, 1, f"the plural expression gives form {form} of {count} for n = {n}")
        forms.setdefault(form, set()).add(n)
    return count, " ".join(expression.split()), forms


def evaluate_c(expression, n):
    """A plural expression of C for one n (the same grammar the program reads)."""
    tokens = re.findall(r"\d+|n|&&|\|\||==|!=|<=|>=|[()?:<>+\-*/%!]", expression)
    if "".join(tokens) != re.sub(r"\s", "", expression):
        raise ValueError("unknown symbols")
    at = 0

    def peek():
        return tokens[at] if at < len(tokens) else None

    def take(*symbols):
        nonlocal at
        if peek() in symbols:
            at += 1
            return tokens[at - 1]
        return None

    def conditional():
        condition = binary(0)
        if not take("?"):
            return condition
        yes = conditional()
        if not take(":"):
            raise ValueError("':' missing")
        no = conditional()
        return yes if condition else no

    levels = [("||",), ("&&",), ("==", "!="), ("<", ">", "<=", ">="), ("+", "-"), ("*", "/", "%")]

    def binary(level):
        if level == len(levels):
            return unary()
        value = binary(level + 1)
        while (op := take(*levels[level])):
            right = binary(level + 1)
            value = {"||": lambda: int(bool(value or right)), "&&": lambda: int(bool(value and right)),
                     "==": lambda: int(value == right), "!=": lambda: int(value != right),
                     "<": lambda: int(value < right), ">": lambda: int(value > right),
                     "<=": lambda: int(value <= right), ">=": lambda: int(value >= right),
                     "+": lambda: value + right, "-": lambda: value - right, "*": lambda: value * right,
                     "/": lambda: value // right, "%": lambda: value % right}[op]()
        return value

    def unary():
        if take("!"):
            return int(not unary())
        if take("("):
            value = conditional()
            if not take(")"):
                raise ValueError("')' missing")
            return value
        token = take(*[t for t in tokens if t.isdigit()], "n")
        if token is None:
            raise ValueError(f"unexpected {peek()!r}")
        return n if token == "n" else int(token)

    value = conditional()
    if at != len(tokens):
        raise ValueError(f"unexpected {peek()!r}")
    return value


def check_catalog(path, template):
    """The catalog's language and its translations of the template's entries, in
    the template's order, or a Fault naming the file and line of the first fault."""
    header, header_entry, entries = read_po(path)
    code = os.path.basename(path)[:-3]
    if header.get("Language", "").replace("-", "_") != code:
        raise Fault(path, header_entry.line, f"the header says Language: {header.get('Language')!r}, the file is {code}.po")
    if "charset=UTF-8" not in header.get("Content-Type", ""):
        raise Fault(path, header_entry.line, "the catalog is not in UTF-8")
    count, expression, forms = plural_rule(header, path)
    by_key = {e.key: e for e in entries}
    translations = []
    for wanted in template:
        entry = by_key.get(wanted.key)
        if entry is None:
            raise Fault(path, len(open(path, encoding="utf-8").read().split("\n")),
                        f"no translation of {wanted.msgid!r}" + (f" (context {wanted.context!r})" if wanted.context else ""))
        if "fuzzy" in entry.flags:
            raise Fault(path, entry.line, f"a fuzzy entry, {entry.msgid!r}: check it and remove the fuzzy mark")
        if (entry.plural is None) != (wanted.plural is None):
            raise Fault(path, entry.line, f"{entry.msgid!r} is plural in the template and not here, or the other way")
        expected = [0] if wanted.plural is None else list(range(count))
        if sorted(entry.strings) != expected:
            raise Fault(path, entry.line, f"{entry.msgid!r} has forms {sorted(entry.strings)}, not {expected}")
        english = {**(placeholders(wanted.msgid) or {}), **(placeholders(wanted.plural or "") or {})}
        for form, text in sorted(entry.strings.items()):
            if not text:
                raise Fault(path, entry.line, f"{entry.msgid!r} is not translated")
            if "\t" in text or "\n" in text:
                raise Fault(path, entry.line, f"the translation of {entry.msgid!r} holds a tab or a line break")
            if "no-c-format" in wanted.flags:
                continue
            found = placeholders(text)
            # A form that only one number takes ("one household") may leave that number out.
            optional = {1} if wanted.plural is not None and len(forms.get(form, ())) == 1 else set()
            if found is None or any(k not in english or english[k] != v for k, v in found.items()) or \
                    any(k not in found for k in english if k not in optional):
                raise Fault(path, entry.line, f"the placeholders of {entry.msgid!r} are {placeholder_list(english)}, "
                                              f"form {form} has {placeholder_list(found)}")
        translations.append([entry.strings[form] for form in expected])
    unknown = [e for e in entries if e.key not in {w.key for w in template}]
    if unknown:
        raise Fault(path, unknown[0].line, f"{unknown[0].msgid!r} is not in the template: run msgmerge")
    name = header.get("X-Language-Name") or NAMES.get(code)
    if not name:
        raise Fault(path, header_entry.line, "the language has no name: add X-Language-Name to the header")
    direction = "rtl" if code.split("_")[0] in RIGHT_TO_LEFT else "ltr"
    return {"code": code, "name": name, "direction": direction, "plurals": count, "rule": expression,
            "translations": translations}


def placeholder_list(found):
    if found is None:
        return "a stray percent sign"
    return ", ".join(f"%{k}${v}" for k, v in sorted(found.items())) or "none"


def shown(entry):
    """Whether the program shows the text (not only an installed file)."""
    return any(not r.startswith(INSTALLED_ONLY) for r in entry.references)


def messages_text(template):
    return "\n".join("\t".join([e.context or "", e.msgid] + ([e.plural] if e.plural is not None else []))
                     for e in template)


def translations_text(catalog, template, runtime):
    head = "\t".join([catalog["code"], catalog["name"], catalog["direction"], str(catalog["plurals"]), catalog["rule"]])
    by_key = {e.key: t for t, e in zip(catalog["translations"], template)}
    return "\n".join([head] + ["\t".join(by_key[e.key]) for e in runtime])


def cpp_literal(text):
    out = []
    for c in text:
        if c in '\\"':
            out.append("\\" + c)
        elif c == "\n":
            out.append("\\n")
        elif c == "\t":
            out.append("\\t")
        else:
            out.append(c)
    return '"' + "".join(out) + '"'


def build(pot, out_dir, catalogs):
    _, _, template = read_po(pot)
    for e in template:
        if "\t" in e.msgid + (e.plural or "") or "\n" in e.msgid + (e.plural or ""):
            raise Fault(pot, e.line, f"{e.msgid!r} holds a tab or a line break, which the program's catalogs cannot")
    checked = [check_catalog(path, template) for path in sorted(catalogs)]
    # In the order of their contexts and words, as the program's lookup reads them.
    runtime = sorted((e for e in template if shown(e)), key=lambda e: ((e.context or "").encode(), e.msgid.encode()))
    messages = messages_text(runtime)
    os.makedirs(out_dir, exist_ok=True)
    languages = [{"code": c["code"], "name": c["name"], "translations": translations_text(c, template, runtime)}
                 for c in checked]
    cpp = ["// Written by po/catalogs.py from po/*.po; do not edit.",
           "#include \"catalogs.h\"",
           "",
           "namespace Catalogs {",
           "",
           f"const std::string_view kMessages = {cpp_literal(messages)};",
           "const Catalog kCatalogs[] = {"]
    for language in languages:
        cpp.append(f"    {{\"{language['code']}\", {cpp_literal(language['translations'])}}},")
    cpp += ['    {"", ""},  // none: the table is never empty', "};",
            f"const std::size_t kCatalogCount = {len(languages)};", "", "} // namespace Catalogs", ""]
    write_if_changed(os.path.join(out_dir, "catalogs.cpp"), "\n".join(cpp))
    page = {"messages": messages, "languages": {l["code"]: {"name": l["name"], "translations": l["translations"]}
                                                for l in languages}}
    write_if_changed(os.path.join(out_dir, "catalogs.json"), json.dumps(page, ensure_ascii=False, separators=(",", ":")))


def check(paths):
    """Every catalog checked as the build checks it, then by msgfmt (which must
    find every message translated and none fuzzy) and i18nspector (which must
    find no error); True if all pass."""
    _, _, template = read_po(os.path.join(ROOT, "po", "brimwold.pot"))
    passed = True
    for path in paths:
        try:
            catalog = check_catalog(path, template)
        except Fault as fault:
            print(f"error: {fault}", file=sys.stderr)
            passed = False
            continue
        counted = subprocess.run(["msgfmt", "--check", "--statistics", "-o", os.devnull, path],
                                 capture_output=True, text=True)
        statistics = counted.stderr.strip().split("\n")[-1]
        if counted.returncode or "untranslated" in statistics or "fuzzy" in statistics:
            print(counted.stderr.strip(), file=sys.stderr)
            passed = False
        spector = subprocess.run(["i18nspector", path], capture_output=True, text=True).stdout.strip().split("\n")
        errors = [line for line in spector if line.startswith("E:")]
        for line in spector:
            if line:
                print(line, file=sys.stderr if line in errors else sys.stdout)
        passed = passed and not errors
        words = sum(len(" ".join(forms).split()) for forms in catalog["translations"])
        print(f"{os.path.relpath(path)}: {catalog['name']}, {statistics}, {words} words")
    return passed


def write_if_changed(path, text):
    if os.path.exists(path) and open(path, encoding="utf-8").read() == text:
        return
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


def main():
    try:
        if len(sys.argv) == 3 and sys.argv[1] == "template":
            text = template_text(sys.argv[2])
            with open(sys.argv[2], "w", encoding="utf-8") as f:
                f.write(text)
        elif len(sys.argv) == 3 and sys.argv[1] == "stale":
            pot = sys.argv[2]
            current = open(pot, encoding="utf-8").read() if os.path.exists(pot) else ""
            date = re.search(r'"POT-Creation-Date: ([^\\]*)\\n"', current)
            if template_text(pot, date.group(1) if date else "") != current:
                print(f"{pot} is stale: the program's texts changed. Run: po/catalogs.py template {pot}"
                      " (or build the target brimwold-pot), then msgmerge the catalogs.", file=sys.stderr)
                return 1
        elif len(sys.argv) >= 3 and sys.argv[1] == "check":
            return 0 if check(sys.argv[2:]) else 1
        elif len(sys.argv) >= 4 and sys.argv[1] == "build":
            build(sys.argv[2], sys.argv[3], sys.argv[4:])
        else:
            sys.exit(__doc__)
    except Fault as fault:
        print(f"error: {fault}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
