"""Makes the one-file page: the template with the program's script, the
faces and their licences, and the page's words in every language put inside
it, so that nothing is fetched.

  make_page.py TEMPLATE SCRIPT OUTPUT
      --face FAMILY WEIGHT FILE ...     each face, "Ondulane Sans" first
      --licence COPYRIGHT ...           Debian's copyright file of each font
      --catalogue FILE ...              each language's catalogue, LL.po
      --cjk LL FAMILY ...               the face of a language's CJK characters
      --floors FILE                     the client areas each language needs
"""
import argparse
import base64
import json
import os
import re
import sys

sys.dont_write_bytecode = True  # nothing written into the sources
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "cmake"))
from po_to_rc import read_po  # noqa: E402

import page_words  # noqa: E402

FORMATS = {".woff": "woff", ".woff2": "woff2"}
# The catalogue's way of reading, "default:RTL" for a language read from the
# right.
READING_ORDER = "default:LTR"


def font_face(family, weight, path):
    kind = FORMATS[os.path.splitext(path)[1]]
    with open(path, "rb") as f:
        data = base64.b64encode(f.read()).decode("ascii")
    return ('@font-face {\n  font-family: "%s";\n  font-weight: %s;\n'
            '  src: url(data:font/%s;base64,%s) format("%s");\n}' % (family, weight, kind, data, kind))


def metrics(path):
    """What the layer's text metrics are made from, as the font's tables give
    them: the browser measures glyphs but not these."""
    from fontTools.ttLib import TTFont

    font = TTFont(path)
    return {
        "unitsPerEm": font["head"].unitsPerEm,
        "ascent": font["hhea"].ascent,
        "descent": -font["hhea"].descent,
        "lineGap": font["hhea"].lineGap,
        "aveCharWidth": font["OS/2"].xAvgCharWidth,
        "maxCharWidth": font["hhea"].advanceWidthMax,
    }


def licence(copyright_path):
    """The paragraph of Debian's copyright file that covers the fonts
    themselves: their copyright lines and their licence, whose text follows
    or stands in a paragraph of its own."""
    with open(copyright_path, encoding="utf-8") as f:
        stanzas = f.read().split("\n\n")
    fonts = next(s for s in stanzas if s.startswith("Files: *"))
    name = re.search(r"^License: *(\S+)$(?!\n )", fonts, re.M)
    if name:
        fonts += "\n" + next(s for s in stanzas if s.startswith("License: " + name.group(1)))
    lines = []
    for line in fonts.splitlines():
        if line.startswith(" "):
            line = line[1:]
            lines.append("" if line == "." else line)
        else:
            lines.append(line)
    # Inside an HTML comment "--" must not appear.
    return "\n".join(lines).replace("--", "- -")


def languages(catalogues, cjk):
    """The page's words in each language, the way it reads ("ltr" or
    "rtl") and the face of its CJK characters, by the catalogue's name."""
    root = os.path.join(HERE, "..", "..")
    english = {text for text, _, _ in page_words.messages(root)}
    table = {}
    for path in catalogues:
        name = os.path.splitext(os.path.basename(path))[0]
        texts = read_po(path)[1]
        table[name] = {"words": {e: texts[e] for e in sorted(english) if e in texts},
                       "dir": texts.get(READING_ORDER, READING_ORDER).split(":")[1].lower()}
        if name in cjk:
            table[name]["face"] = cjk[name]
    return table


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("template")
    parser.add_argument("script")
    parser.add_argument("output")
    parser.add_argument("--face", nargs=3, action="append", required=True)
    parser.add_argument("--licence", nargs="+", required=True)
    parser.add_argument("--catalogue", nargs="*", default=[])
    parser.add_argument("--cjk", nargs=2, action="append", default=[])
    parser.add_argument("--floors", required=True)
    args = parser.parse_args()
    with open(args.template, encoding="utf-8") as f:
        page = f.read()
    with open(args.script, encoding="utf-8") as f:
        code = f.read()
    # The script goes inside a <script> element, which ends at the first
    # "</script" whatever the JavaScript means by it.
    code = re.sub(r"</(script)", r"<\\/\1", code, flags=re.IGNORECASE)
    with open(args.floors, encoding="utf-8") as f:
        floors = json.load(f)
    text_faces = {weight: path for family, weight, path in args.face if family == args.face[0][0]}
    values = {
        "SCRIPT": code,
        "FONT_FACES": "\n".join(font_face(*face) for face in args.face),
        "FONT_LICENCE": "\n\n".join(licence(path) for path in args.licence),
        "FONT_METRICS": json.dumps({w: metrics(text_faces[w]) for w in ("400", "700")}),
        "FLOORS": json.dumps(floors),
        "LANGUAGES": json.dumps(languages(args.catalogue, dict(args.cjk)), ensure_ascii=False)
                     .replace("</", "<\\/"),
    }
    for name in values:
        if page.count("@" + name + "@") != 1:
            sys.exit(f"{args.template}: expected @{name}@ once")
    # One pass, so that nothing put in is read again as a marker.
    page = re.sub("@(" + "|".join(values) + ")@", lambda m: values[m[1]], page)
    with open(args.output, "w", encoding="utf-8") as f:
        f.write(page)


if __name__ == "__main__":
    main()
