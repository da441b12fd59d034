"""Makes the one-file page: the template with the program's script, the two
fonts and their licence put inside it, so that nothing is fetched.

  make_page.py TEMPLATE SCRIPT REGULAR.woff BOLD.woff COPYRIGHT OUTPUT
"""
import base64
import json
import re
import sys


def font_url(path):
    with open(path, "rb") as f:
        return "data:font/woff;base64," + base64.b64encode(f.read()).decode("ascii")


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
    themselves: their copyright lines and the SIL Open Font License."""
    with open(copyright_path, encoding="utf-8") as f:
        stanzas = f.read().split("\n\n")
    fonts = next(s for s in stanzas if s.startswith("Files: *"))
    lines = []
    for line in fonts.splitlines():
        if line.startswith(" "):
            line = line[1:]
            lines.append("" if line == "." else line)
        else:
            lines.append(line)
    # Inside an HTML comment "--" must not appear.
    return "\n".join(lines).replace("--", "- -")


def main(template, script, regular, bold, copyright_path, output):
    with open(template, encoding="utf-8") as f:
        page = f.read()
    with open(script, encoding="utf-8") as f:
        code = f.read()
    # The script goes inside a <script> element, which ends at the first
    # "</script" whatever the JavaScript means by it.
    code = re.sub(r"</(script)", r"<\\/\1", code, flags=re.IGNORECASE)
    values = {
        "SCRIPT": code,
        "FONT_REGULAR": font_url(regular),
        "FONT_BOLD": font_url(bold),
        "FONT_LICENCE": licence(copyright_path),
        "FONT_METRICS": json.dumps({"400": metrics(regular), "700": metrics(bold)}),
    }
    for name in values:
        if page.count("@" + name + "@") != 1:
            sys.exit(f"{template}: expected @{name}@ once")
    # One pass, so that nothing put in is read again as a marker.
    page = re.sub("@(" + "|".join(values) + ")@", lambda m: values[m[1]], page)
    with open(output, "w", encoding="utf-8") as f:
        f.write(page)


if __name__ == "__main__":
    if len(sys.argv) != 7:
        sys.exit(__doc__)
    main(*sys.argv[1:])
