#!/usr/bin/python3
"""Writes the program's resource script in the language of a catalogue:
    po_to_rc.py dialogs/ondulane.rc po/de.po ondulane_de.rc
Each text of the English script that the catalogue translates is replaced by
its translation; the rest (names, classes, numbers) stays as it is. A dialog
in "MS Sans Serif", a face of Western letters only, names "MS Shell Dlg"
instead, as localized dialogs do: the system's dialog face, linked to the
faces of every script.
The LANGUAGE statement names the catalogue's language as Windows numbers it,
a language without a country as the whole language (SUBLANG_NEUTRAL). In a
language read from the right, every dialog is mirrored (WS_EX_LAYOUTRTL), as
Windows mirrors a dialog for such a language."""
import gettext
import io
import locale
import re
import subprocess
import sys

SHELL_FONT = re.compile(r'^(FONT +\d+, *)"MS Sans Serif"')
STRING = re.compile(r'"((?:[^"\n]|"")*)"')
ESCAPES = {"t": "\t", "n": "\n", "\\": "\\", '"': '"'}


def read_po(path):
    """The catalogue's header and its translations, msgid to msgstr, as
    msgfmt compiles them: without fuzzy or untranslated entries."""
    mo = subprocess.run(["msgfmt", "-o", "-", path], capture_output=True, check=True).stdout
    texts = dict(gettext.GNUTranslations(io.BytesIO(mo))._catalog)
    return texts.pop(""), texts


def rc_text(quoted):
    return re.sub(r"\\(.)", lambda m: ESCAPES.get(m.group(1), "\\" + m.group(1)),
                  quoted.replace('""', '"'))


def rc_quoted(text):
    return (text.replace("\\", "\\\\").replace('"', '""').replace("\t", "\\t")
            .replace("\n", "\\n"))


def language_statement(header):
    name = re.search(r"^Language: *(\S+)", header, re.M).group(1)
    ids = [i for i, n in locale.windows_locale.items() if n == name or
           ("_" not in name and n.split("_")[0] == name)]
    if not ids:
        sys.exit(f"Windows has no language for '{name}'")
    primary, sub = min(ids) & 0x3FF, (min(ids) >> 10 if "_" in name else 0)
    return f"LANGUAGE 0x{primary:02x}, 0x{sub:02x}"


def main(script, catalogue, output):
    header, texts = read_po(catalogue)
    mirrored = texts.get("default:LTR") == "default:RTL"
    out = []
    for line in open(script, encoding="utf-8"):
        stripped = line.strip()
        if stripped.startswith("//") or (stripped == "" and out and out[-1] == "\n"):
            continue
        if stripped.startswith("LANGUAGE "):
            line = language_statement(header) + "\n"
        elif stripped.startswith("FONT "):
            line = SHELL_FONT.sub(r'\1"MS Shell Dlg"', line)
        elif not stripped.startswith("#"):
            line = STRING.sub(lambda m: '"%s"' % rc_quoted(texts.get(rc_text(m.group(1)),
                                                                     rc_text(m.group(1)))),
                              line)
        out.append(line)
        if mirrored and stripped.startswith("STYLE "):
            out.append("EXSTYLE WS_EX_LAYOUTRTL\n")
    with open(output, "w", encoding="utf-8") as f:
        f.write(f"// Made from {catalogue.split('/')[-1]} at build time: translate the catalogue.\n")
        f.writelines(out)


if __name__ == "__main__":
    main(*sys.argv[1:])
