#!/usr/bin/python3
"""Every language fits: at the start of a run and at its end, no text crowds
another or leaves the window, and everything but the texts is drawn as in
English.
    languages_test.py SNAPSHOT LOCALES
"""
import concurrent.futures
import os
import subprocess
import sys
import tempfile

BLANK = 2  # pixels of a text's own beside another's
SLACK = 1.5  # a cell's top and bottom pixel hold no ink
STATES = (["paint"], ["paint", "enter", "ticks", 960])
WIDTH, HEIGHT = 1000, 700


def run(snapshot, locale, *commands):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", LANGUAGE="", LC_ALL="",
               LC_MESSAGES="", LANG=f"{locale}.UTF-8")
    out = subprocess.run([snapshot, "size", f"{WIDTH}x{HEIGHT}", *map(str, commands)], env=env,
                         check=True, capture_output=True).stdout.decode()
    texts = []
    for line in filter(None, out.split("\n")):
        numbers, _, text = line.partition("\t")
        left, top, w, h = map(int, numbers.split())
        texts.append((text, (left, top, left + w, top + h)))
    return texts


def faults(texts):
    found = []
    for i, (text, (l, t, r, b)) in enumerate(texts):
        if l < BLANK or r > WIDTH - BLANK or t < 0 or b > HEIGHT:
            found.append(f'"{text}" leaves the window')
        for other, (l2, t2, r2, b2) in texts[i + 1:]:
            if l - BLANK < r2 + BLANK and l2 - BLANK < r + BLANK and t < b2 - SLACK and \
                    t2 < b - SLACK:
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


def check(snapshot, locale, folder):
    found = []
    for state in STATES:
        texts = run(snapshot, locale, *state, "texts")
        found += [f"{locale} {state[-1]}: {f}" for f in faults(texts)]
        boxes = [box for _, box in texts + run(snapshot, "C", *state, "texts")]
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
        found = [f for fs in pool.map(lambda l: check(snapshot, l, folder), locales.split(";"))
                 for f in fs]
    print("\n".join(found) or "PASS")
    sys.exit(1 if found else 0)


if __name__ == "__main__":
    main(*sys.argv[1:])
