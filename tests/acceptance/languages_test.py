#!/usr/bin/python3
"""Every language fits: at the start of a run and at its end, no text crowds
another or leaves the window, and everything but the texts is drawn as in
English; and at the page's floors for the language, for each size of the
fonts, a run with values at the ends of both ranges is clean.
    languages_test.py SNAPSHOT LOCALES
"""
import concurrent.futures
import json
import math
import os
import subprocess
import sys
import tempfile

BLANK = 2  # pixels of a text's own beside another's
SLACK = 1.5  # a cell's top and bottom pixel hold no ink
STATES = (["paint"], ["paint", "enter", "ticks", 960])
WIDTH, HEIGHT = 1000, 700
FLOORS = os.path.join(os.path.dirname(__file__), "..", "..", "platform", "web", "floors.json")
SCREENS = (1001, 701, 700)  # a screen width in each row of the floors
EXTREMES = ((10000, 10), (0.1, 400), (50, 50), (75, 35))  # load, source
# Arabic letters reach past the cell of the Latin face they stand in for:
# Noto Sans Arabic's, as the catalogues use them, 0.986 em above the baseline
# and 0.463 below, where Liberation Sans's cell of 1.117 em holds 0.905 and
# 0.212. A text in Arabic script takes that room too, a pixel more for hinting.
ABOVE, BELOW = (0.986 - 0.905) / 1.117, (0.463 - 0.212) / 1.117


def ink_box(text, left, top, right, bottom):
    if not any("\u0600" <= c <= "\u06ff" for c in text):
        return left, top, right, bottom
    h = bottom - top
    return left, top - math.ceil(h * ABOVE) - 1, right, bottom + math.ceil(h * BELOW) + 1


def run(snapshot, locale, *commands, size=(WIDTH, HEIGHT)):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", LANGUAGE="", LC_ALL="",
               LC_MESSAGES="", LANG=f"{locale}.UTF-8")
    out = subprocess.run([snapshot, "size", "%dx%d" % size, *map(str, commands)], env=env,
                         check=True, capture_output=True).stdout.decode()
    texts = []
    for line in filter(None, out.split("\n")):
        numbers, _, text = line.partition("\t")
        left, top, w, h = map(int, numbers.split())
        texts.append((text, (left, top, left + w, top + h)))
    return texts


def faults(texts, width=WIDTH, height=HEIGHT, slack=SLACK):
    found = []
    for i, (text, (l, t, r, b)) in enumerate(texts):
        if l < BLANK or r > width - BLANK or t < 0 or b > height:
            found.append(f'"{text}" leaves the window')
        for other, (l2, t2, r2, b2) in texts[i + 1:]:
            if l - BLANK < r2 + BLANK and l2 - BLANK < r + BLANK and t < b2 - slack and \
                    t2 < b - slack:
                found.append(f'"{text}" meets "{other}"')
    return found


def blanked(snapshot, locale, state, boxes, png):
    """The picture with every text's box, its own and English's, made white."""
    run(snapshot, locale, *state, "save", png)
    draw = []
    for l, t, r, b in boxes:
        draw += ["-draw", f"rectangle {l},{t} {r - 1},{b - 1}"]
    subprocess.run(["convert", png, "-fill", "white", *draw, png], check=True)
    return png


def floored(snapshot, locale):
    """What crowds at the page's floors; the floors leave no pixel to spare
    one over another, nor does this."""
    with open(FLOORS, encoding="utf-8") as f:
        table = json.load(f)
    found = []
    for screen, size in zip(SCREENS, table.get(locale, table["en"])):
        for load, source in EXTREMES:
            texts = run(snapshot, locale, "screen", screen, "load", load, "source", source, "paint",
                        "enter", "ticks", 960, "texts", size=tuple(size))
            found += [f"{locale} at {size[0]}x{size[1]}, screen {screen}, {load} and {source} ohms: "
                      f"{f}" for f in faults(texts, *size, slack=0)]
    return found


def check(snapshot, locale, folder):
    found = floored(snapshot, locale)
    for state in STATES:
        texts = run(snapshot, locale, *state, "texts")
        found += [f"{locale} {state[-1]}: {f}" for f in faults(texts)]
        boxes = [ink_box(text, *box) for text, box in texts + run(snapshot, "C", *state, "texts")]
        pictures = [blanked(snapshot, name, state, boxes,
                            os.path.join(folder, f"{locale}-{name}-{state[-1]}.png"))
                    for name in (locale, "C")]
        differ = subprocess.run(["compare", "-metric", "AE", *pictures, "null:"],
                                capture_output=True).stderr.decode().strip()
        if differ != "0":
            found.append(f"{locale} {state[-1]}: {differ} pixels outside the texts differ")
    return found


def main(snapshot, locales):
    with tempfile.TemporaryDirectory() as folder, \
            concurrent.futures.ThreadPoolExecutor(os.cpu_count()) as pool:
        english = pool.submit(floored, snapshot, "C")
        found = [f for fs in pool.map(lambda l: check(snapshot, l, folder), locales.split(";"))
                 for f in fs] + english.result()
    print("\n".join(found) or "PASS")
    sys.exit(1 if found else 0)


if __name__ == "__main__":
    main(*sys.argv[1:])
