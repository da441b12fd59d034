// The page on every screen it meets: phones held either way, a small phone,
// a tablet, a laptop, and a laptop's browser zoomed to 200% and 400%. In each,
// at the start, with each dialog open and at the ends of runs, the picture is
// whole and sharp, its texts lie over their own ink and apart, the figures
// can be read as text where the picture is small, the dialogs fit and the
// bar's labels are whole.
const assert = require("assert/strict");
const { execFileSync } = require("child_process");
const { RUN_MS, layout, press } = require("./steps.cjs");

// [name, CSS width, height, device pixels per CSS pixel, touch]
const VIEWS = [
  ["phone_upright", 390, 844, 3, true],
  ["phone_sideways", 844, 390, 3, true],
  ["small_phone", 320, 568, 2, true],
  ["tablet", 768, 1024, 2, true],
  ["zoom_200", 683, 384, 2, false],
  ["zoom_400", 342, 192, 4, false],
  ["laptop", 1366, 768, 1, false],
];
const RUNS = ["", "?load=10000&source=10"];
const EXTREMES = [[10000, 10], [0.1, 400], [50, 50], [75, 35]];  // [load, source]
const LINUX = process.env.ONDULANE_LINUX_SNAPSHOT;
const READABLE = { width: 800, height: 520 };  // a picture smaller has its figures as text
const BLANK = 2;  // CSS pixels of a text's own beside another's, at 100%
const WIDER = 10;  // pixels of width the browser's glyphs may need beyond the desktop's

// Everything the checks need, read off the page at once.
function look() {
  const rect = (e) => {
    const r = e.getBoundingClientRect();
    return { left: r.left, top: r.top, right: r.right, bottom: r.bottom, width: r.width, height: r.height };
  };
  const canvas = document.getElementById("screen");
  const context = canvas.getContext("2d");
  const picture = rect(canvas);
  const dpr = devicePixelRatio;
  // Whether the canvas has ink other than white under a box.
  const inked = (box) => {
    const x = Math.max(0, Math.floor((box.left - picture.left) * dpr));
    const y = Math.max(0, Math.floor((box.top - picture.top) * dpr));
    const w = Math.max(1, Math.floor(box.width * dpr)), h = Math.max(1, Math.floor(box.height * dpr));
    const data = context.getImageData(x, y, w, h).data;
    for (let i = 0; i < data.length; i += 4) if (data[i] + data[i + 1] + data[i + 2] < 600) return true;
    return false;
  };
  const texts = [...document.querySelectorAll("#texts p, #texts h1")].map((e) => {
    const box = rect(e);
    return { text: e.textContent, box, inked: inked(box) };
  });
  const figures = document.getElementById("figures");
  const shown = getComputedStyle(figures).display !== "none";
  const frame = document.querySelector(".dialog-layer.shown .dialog");
  const buttons = [...document.querySelectorAll("#bar button")].map((b) => {
    const range = document.createRange();
    range.selectNodeContents(b);
    const tops = [...range.getClientRects()].map((r) => r.top).sort((a, c) => a - c);
    return {
      name: b.getAttribute("aria-label") || b.textContent,
      cut: b.scrollWidth > b.clientWidth || b.scrollHeight > b.clientHeight,
      lines: tops.filter((t, i) => i === 0 || t - tops[i - 1] > 4).length,
    };
  });
  return {
    viewport: { width: innerWidth, height: innerHeight },
    page: { width: document.documentElement.scrollWidth },
    picture, pixels: [canvas.width, canvas.height], dpr, texts,
    fit: picture.width / (parseFloat(document.getElementById("texts").style.width) || picture.width),
    figures: shown ? {
      lines: [...figures.querySelectorAll("p")].map((p) => p.textContent),
      fontSize: parseFloat(getComputedStyle(figures).fontSize),
    } : null,
    dialog: frame && {
      frame: rect(frame),
      controls: [...frame.querySelectorAll("input, textarea, button, label")]
        .filter((e) => !e.hidden).map((e) => ({ what: e.tagName + " " + e.textContent, box: rect(e) })),
    },
    buttons,
  };
}

const inside = (a, b, slack = 0.5) => a.left >= b.left - slack && a.top >= b.top - slack &&
  a.right <= b.right + slack && a.bottom <= b.bottom + slack;
// Whether two texts' boxes come closer than `blank` side by side, or overlap
// by more than `slack` one over the other: a cell's top and bottom pixel
// hold no ink.
const meet = (a, b, blank, slack = 1.5) => a.left - blank < b.right + blank &&
  b.left - blank < a.right + blank && a.top < b.bottom - slack && b.top < a.bottom - slack;

// What is wrong with the page as it looks now, as lines.
function faults(seen, state) {
  const found = [];
  const fault = (what) => found.push(`${state}: ${what}`);
  const { viewport, picture } = seen;
  const screenBox = { left: 0, top: 0, right: viewport.width, bottom: Infinity };
  if (!inside(picture, screenBox)) fault(`the picture leaves the page (${JSON.stringify(picture)})`);
  if (seen.page.width > viewport.width) fault("the page scrolls sideways");
  for (const [pixels, css] of [[seen.pixels[0], picture.width], [seen.pixels[1], picture.height]])
    if (Math.abs(pixels - css * seen.dpr) >= 1) fault(`${pixels} pixels for ${css} CSS px at ${seen.dpr}x`);
  const blank = BLANK * seen.fit;
  seen.texts.forEach((t, i) => {
    if (!inside(t.box, picture)) fault(`"${t.text}" leaves the picture`);
    if (!t.inked && t.text.trim()) fault(`"${t.text}" lies over no ink`);
    for (const u of seen.texts.slice(i + 1))
      if (meet(t.box, u.box, blank)) fault(`"${t.text}" meets "${u.text}"`);
  });
  const small = picture.width < READABLE.width - 0.5 || picture.height < READABLE.height - 0.5;
  if (small && !seen.figures) fault("a small picture without its figures as text");
  if (!small && seen.figures) fault("the figures as text beside a readable picture");
  if (seen.figures) {
    if (seen.figures.fontSize < 14) fault(`figures at ${seen.figures.fontSize} px`);
    const want = seen.texts.map((t) => t.text.trim());
    if (JSON.stringify(seen.figures.lines) !== JSON.stringify(want)) fault("the figures are not the picture's texts");
  }
  if (seen.dialog) {
    const view = { left: 0, top: 0, right: viewport.width, bottom: viewport.height };
    if (!inside(seen.dialog.frame, view)) fault("the dialog leaves the viewport");
    for (const c of seen.dialog.controls)
      if (!inside(c.box, view)) fault(`${c.what} leaves the viewport`);
  }
  for (const b of seen.buttons) {
    if (b.cut || b.lines > 2) fault(`the bar's "${b.name}" is cut`);
    if (!/^\S+ \S/.test(b.name)) fault(`the bar's "${b.name}" has no words`);
  }
  return found;
}

async function checkView([, width, height, scale, touch], open) {
  const found = [];
  for (const search of RUNS) {
    const { tab, advance, close } = await open({ width, height, scale, touch, device: true, search });
    try {
      const at = async (state) => found.push(...faults(await tab.evaluate(look), `${search || "defaults"}, ${state}`));
      await at("start");
      if (!search) {
        for (const key of ["F2", "F3"]) {
          await press(tab, key);
          await advance(500);
          await at(`${key} open`);
          await press(tab, "Escape");
          await advance(500);
        }
      }
      await press(tab, "Enter");
      for (let passed = 0; passed < RUN_MS; passed += 4000) await advance(4000);
      await at("the end of a run");
    } finally {
      await close();
    }
  }
  assert.deepEqual(found, []);
}

// The texts the Linux build draws at a client size after a run, as boxes.
function linuxTexts(width, height, screenWidth, [load, source]) {
  return execFileSync(LINUX, ["size", `${width}x${height}`, "screen", String(screenWidth), "load",
    String(load), "source", String(source), "paint", "enter", "ticks", "960", "texts"],
  { env: { ...process.env, QT_QPA_PLATFORM: "offscreen" } }).toString().split("\n").filter(Boolean)
    .map((line) => {
      const [numbers, text] = line.split("\t");
      const [left, top, w, h] = numbers.split(" ").map(Number);
      return { text, box: { left, top, right: left + w, bottom: top + h } };
    });
}

const cases = Object.fromEntries(
  VIEWS.map((view) => [`screen_${view[0]}`, (page, open) => checkView(view, open)]));

// The page's floors are what the program needs: at each, a run with values
// at the ends of both ranges is clean in the page, and a little narrower or
// lower a text of the Linux build's leaves the window or meets another
// (narrower by what the browser's glyphs take more than the desktop's).
cases.floors = async (page, open) => {
  assert.ok(LINUX, "ONDULANE_LINUX_SNAPSHOT is not set");
  const probe = await open();
  const floors = await probe.tab.evaluate(() => Layout.floors.map((f) => ({ ...f })));
  await probe.close();
  const roomy = 1400;
  const clashes = (texts, width, height) => texts.some((t, i) =>
    !inside(t.box, { left: BLANK, top: 0, right: width - BLANK, bottom: height }, 0) ||
    texts.slice(i + 1).some((u) => meet(t.box, u.box, BLANK, 0)));
  const found = [];
  for (const { over, width, height } of floors) {
    const screenWidth = Number.isFinite(over) ? over + 1 : 700;
    const { tab, advance, close } = await open({
      width: screenWidth, height: roomy, device: true, search: "?bar=0&load=10000&source=10",
    });
    try {
      // The figures under the picture would take a scroll bar's width from it.
      await tab.addStyleTag({ content: "#page { scrollbar-width: none; }" });
      const { ring } = await layout(tab);
      await tab.setViewport({ width: width + 2 * ring, height: height + 2 * ring });
      // The page learns of it with a frame, which comes when time passes.
      const area = () => tab.evaluate(() => [Layout.area.width, Layout.area.height, Layout.area.fit]);
      for (let i = 0; i < 250 && (await area())[0] !== width; ++i) await advance(20);
      assert.deepEqual(await area(), [width, height, 1], `the client area at ${width} by ${height}`);
      await press(tab, "Enter");
      for (let passed = 0; passed < RUN_MS; passed += 4000) await advance(4000);
      found.push(...faults(await tab.evaluate(look), `${width} by ${height}`));
    } finally {
      await close();
    }
    for (const [w, h] of [[width - WIDER, roomy], [roomy, height - 1]]) {
      const crowded = EXTREMES.some((values) => clashes(linuxTexts(w, h, screenWidth, values), w, h));
      if (!crowded) found.push(`${w} by ${h} at screen ${screenWidth}: nothing crowds, the floor is too high`);
    }
  }
  assert.deepEqual(found, []);
};

require("./run_cases.cjs").run(cases);
