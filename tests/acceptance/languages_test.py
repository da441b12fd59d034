#!/usr/bin/python3
"""Every language fits: at the default size, at the start of a run and at its
end, and at the page's floors with values at the ends of both ranges, no text
crowds another or leaves the window; everything but the texts is drawn as in
English. The floors are those of platform/web/floors.json: at each, all is
clean, and a pixel lower, or narrower than the browser's glyphs need beyond
the desktop's, a text crowds.
    languages_test.py SNAPSHOT LOCALES FLOORS           checks
    languages_test.py SNAPSHOT LOCALES FLOORS --search  writes the floors found
"""
import concurrent.futures
import json
import os
import subprocess
import sys
import tempfile

EXTREMES = [(10000, 10), (0.1, 400), (50, 50), (75, 35)]  # load, source
BLANK = 2  # pixels of a text's own beside another's
SLACK = 1.5  # a cell's top and bottom pixel hold no ink
WIDER = 10  # pixels of width the browser's glyphs may need beyond the desktop's
ROOMY = 1400
ROWS = [1000, 700, None]  # the font rows: screens wider than this
SEARCH = (300, ROOMY)


def screen_for(over):
    return over + 1 if over is not None else 700


def run(snapshot, locale, *commands):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", LANGUAGE="", LC_ALL="",
               LC_MESSAGES="", LANG=f"{locale}.UTF-8")
    out = subprocess.run([snapshot, *map(str, commands)], env=env, check=True,
                         capture_output=True).stdout.decode()
    texts = []
    for line in filter(None, out.split("\n")):
        numbers, _, text = line.partition("\t")
        left, top, w, h = map(int, numbers.split())
        texts.append((text, (left, top, left + w, top + h)))
    return texts


def faults(texts, width, height):
    found = []
    for i, (text, (l, t, r, b)) in enumerate(texts):
        if l < BLANK or r > width - BLANK or t < 0 or b > height:
            found.append(f'"{text}" leaves the window')
        for other, (l2, t2, r2, b2) in texts[i + 1:]:
            if l - BLANK < r2 + BLANK and l2 - BLANK < r + BLANK and t < b2 - SLACK and \
                    t2 < b - SLACK:
                found.append(f'"{text}" meets "{other}"')
    return found


def clean(snapshot, locale, width, height, screen):
    """Whether the end of a run, which shows every text, is clean for each of
    the extreme values."""
    return not any(faults(run(snapshot, locale, "size", f"{width}x{height}", "screen", screen,
                              "load", load, "source", source, "paint", "enter", "ticks", 960,
                              "texts"), width, height) for load, source in EXTREMES)


def lowest(clean_at, grid):
    """The least size at which all is clean, halving between one that crowds
    and one that does not, then clean on a grid above it too, up to ROOMY."""
    low, high = SEARCH
    if not clean_at(high):
        return None
    while True:
        while low < high:
            mid = (low + high) // 2
            if clean_at(mid):
                high = mid
            else:
                low = mid + 1
        crowded = next((s for s in range(low + grid[0], min(low + grid[1], ROOMY), grid[0])
                        if not clean_at(s)), None)
        if crowded is None:
            return low
        low, high = crowded + 1, ROOMY


def search(snapshot, locale):
    floors = []
    for over in ROWS:
        screen = screen_for(over)
        width = lowest(lambda w: clean(snapshot, locale, w, ROOMY, screen), (10, 220))
        height = lowest(lambda h: clean(snapshot, locale, ROOMY, h, screen), (5, 60))
        if width is None or height is None:
            return locale, None
        floors.append({"over": over, "width": width + WIDER, "height": height})
    return locale, floors


def check_floors(snapshot, locale, floors):
    found = []
    for floor in floors or []:
        screen, width, height = screen_for(floor["over"]), floor["width"], floor["height"]
        if not clean(snapshot, locale, width - WIDER, height, screen):
            found.append(f"{locale}: crowded at its floor {width - WIDER}x{height}")
        for w, h in ((width - WIDER - 1, ROOMY), (ROOMY, height - 1)):
            if clean(snapshot, locale, w, h, screen):
                found.append(f"{locale}: nothing crowds at {w}x{h}, the floor is too high")
    return found


def boxes_blanked(snapshot, locale, state, boxes, folder):
    png = os.path.join(folder, f"{locale}-{state[-1]}.png")
    run(snapshot, locale, *state, "save", png)
    draw = []
    for l, t, r, b in boxes:
        draw += ["-draw", f"rectangle {l},{t} {r - 1},{b - 1}"]
    subprocess.run(["convert", png, "-fill", "white", *draw, png], check=True)
    return png


def check_picture(snapshot, locale, folder):
    """At the default size: clean, and the same as English outside the texts."""
    found = []
    for state in (["paint"], ["paint", "enter", "ticks", 960]):
        texts = run(snapshot, locale, *state, "texts")
        found += [f"{locale} {state[-1]}: {f}" for f in faults(texts, 1000, 700)]
        english = run(snapshot, "C", *state, "texts")
        boxes = [box for _, box in texts + english]
        pictures = [boxes_blanked(snapshot, name, state, boxes, folder) for name in (locale, "C")]
        differ = subprocess.run(["compare", "-metric", "AE", *pictures, "null:"],
                                capture_output=True).stderr.decode().strip()
        if differ != "0":
            found.append(f"{locale} {state[-1]}: {differ} pixels outside the texts differ")
    return found


def main(snapshot, locales, floors_path, mode=None):
    locales = locales.split(";")
    with concurrent.futures.ThreadPoolExecutor(os.cpu_count()) as pool:
        if mode == "--search":
            table = dict(pool.map(lambda l: search(snapshot, l), ["en"] + locales))
            with open(floors_path, "w", encoding="utf-8") as f:
                json.dump(table, f, indent=1)
                f.write("\n")
            return
        with open(floors_path, encoding="utf-8") as f:
            table = json.load(f)
        with tempfile.TemporaryDirectory() as folder:
            found = [f"{l}: no floors" for l in ["en"] + locales if not table.get(l)]
            for faults_found in pool.map(
                    lambda l: check_floors(snapshot, l, table.get(l)) +
                    (check_picture(snapshot, l, folder) if l != "en" else []),
                    ["en"] + locales):
                found += faults_found
    print("\n".join(found) or "PASS")
    sys.exit(1 if found else 0)


if __name__ == "__main__":
    main(*sys.argv[1:])
