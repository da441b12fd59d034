// The browser tests of the one-file page's picture, input and dialogs.
// ONDULANE_LINUX_SNAPSHOT names the Linux build's snapshot tool, for the
// cases that compare with its renderings.
const assert = require("assert/strict");
const fs = require("fs");
const { RUN_MS, layout, dialog, whileTimePasses, press } = require("./steps.cjs");

const MAX_PAGE_BYTES = 1.5 * 1024 * 1024;
const KEYS = ["ENTER", "F1", "F2", "F3"];
const LINUX = process.env.ONDULANE_LINUX_SNAPSHOT;
const LINK_150_100 = "?load=150&source=100";

async function canvasImage(tab) {
  return require("./pictures.cjs").canvasImage(tab);
}

function sameImage(a, b) {
  return a.width === b.width && a.height === b.height && a.data.equals(b.data);
}

// The canvas after `steps` (key names, or milliseconds to let pass) on a
// fresh page.
async function pictureAfter(open, options, steps) {
  const { tab, advance, close } = await open(options);
  try {
    for (const step of steps) {
      if (typeof step === "number") await advance(step);
      else await press(tab, step);
    }
    const client = await tab.evaluate(() => {
      const c = document.getElementById("client");
      return [c.clientWidth, c.clientHeight, screen.availWidth];
    });
    return { image: await canvasImage(tab), client };
  } finally {
    await close();
  }
}

// Compares the page after `steps` with the Linux build's rendering after
// `commands` at the same client size and screen width: no pixel may differ
// outside the texts; those within are counted for the record.
async function compareWithLinux(name, open, options, steps, commands, scale = 1) {
  const { linuxImage, textBoxes, difference } = require("./pictures.cjs");
  const shown = await pictureAfter(open, options, steps);
  // The same without any glyph: where the texts stand.
  const noText = await pictureAfter(
    open,
    { ...options, beforeLoad: () => (CanvasRenderingContext2D.prototype.fillText = () => {}) },
    steps,
  );
  const [width, height, screenWidth] = shown.client;
  const scaled = scale === 1 ? [] : ["scale", String(scale)];
  const linux = linuxImage(LINUX, [
    "size", `${width}x${height}`, "screen", String(screenWidth), ...scaled, ...commands,
  ]);
  const d = difference(shown.image, linux, textBoxes(shown.image, noText.image));
  const line = `${name}: ${d.all} pixels differ from the Linux rendering, ${d.inTexts} in the ` +
    `texts' glyphs, ${d.outside} elsewhere${d.where.length ? " (" + d.where.join(" ") + ")" : ""}`;
  console.log(line);
  if (process.env.COMPARISON_LOG) fs.appendFileSync(process.env.COMPARISON_LOG, line + "\n");
  assert.equal(d.outside, 0, line);
}

const cases = {
  // One file with everything inside, every language within 1.5 MB: it
  // fetches nothing and carries the fonts with their licence, those of its
  // language loaded before the program starts.
  async one_file(page, open) {
    assert.ok(fs.statSync(page).size <= MAX_PAGE_BYTES, "larger than 1.5 MB");
    const html = fs.readFileSync(page, "utf8");
    assert.match(html, /SIL Open Font License/);
    assert.doesNotMatch(html, /\b(src|href)=["']?(https?:|\/\/)/);
    const { tab, refused, errors, close } = await open();
    try {
      const fonts = await tab.evaluate(() => [...document.fonts].map((f) => `${f.family} ${f.weight}`).sort());
      const families = ["Ondulane Arabic", "Ondulane CJK JP", "Ondulane CJK KR", "Ondulane CJK SC",
        "Ondulane CJK TC", "Ondulane Sans"];
      assert.deepEqual(fonts, families.flatMap((f) => [`${f} 400`, `${f} 700`]));
      const loaded = await tab.evaluate(() =>
        [400, 700].map((w) => document.fonts.check(`${w} 17px "Ondulane Sans"`, "Ay")));
      assert.deepEqual(loaded, [true, true]);
      assert.deepEqual(refused, []);
      assert.deepEqual(errors, []);
    } finally {
      await close();
    }
  },

  // The canvas fills the page less the bar of keys, which ?bar=0 hides, and
  // the room for the keyboard's ring; its pixels are device pixels.
  async layout(page, open) {
    for (const { search, scale, barShown } of [
      { search: "", scale: 1, barShown: true },
      { search: "?bar=1", scale: 1, barShown: true },
      { search: "?bar=0", scale: 1, barShown: false },
      { search: "?load=150&bar=0", scale: 1, barShown: false },
      { search: "", scale: 2, barShown: true },
    ]) {
      const { tab, close } = await open({ search, scale });
      try {
        const got = await layout(tab);
        const message = `${search} at ${scale}: ${JSON.stringify(got)}`;
        assert.equal(got.bar !== null, barShown, message);
        assert.deepEqual(got.keys, KEYS, message);
        const barHeight = got.bar ? got.bar.height : 0;
        const r = got.ring;
        const [width, height] = [1000 - 2 * r, 700 - barHeight - 2 * r];
        assert.deepEqual(got.canvas, { x: r, y: r, width, height }, message);
        assert.deepEqual(got.pixels, [width * scale, height * scale], message);
        if (got.bar) {
          assert.ok(barHeight > 0 && barHeight <= 48, message);
          assert.equal(got.bar.y, got.canvas.height + 2 * r, message);
        }
      } finally {
        await close();
      }
    }
  },

  // The start screen and the ends of two runs, as the Linux build draws them.
  async same_as_linux(page, open) {
    assert.ok(LINUX, "ONDULANE_LINUX_SNAPSHOT is not set");
    for (const { name, search, steps, commands, scale } of [
      { name: "start", search: "", steps: [], commands: [] },
      { name: "end of a default run", search: "", steps: ["Enter", RUN_MS],
        commands: ["enter", "ticks", "960"] },
      { name: "end of a run, load 150, source 100", search: LINK_150_100, steps: ["Enter", RUN_MS],
        commands: ["load", "150", "source", "100", "paint", "enter", "ticks", "960"] },
    ])
      await compareWithLinux(name, open, { search, scale }, steps, commands);
  },

  // At devicePixelRatio 2 the canvas has twice the pixels each way, drawn at
  // 200%, not enlarged: as the Linux build draws at 200%.
  async scaled(page, open) {
    assert.ok(LINUX, "ONDULANE_LINUX_SNAPSHOT is not set");
    for (const { name, steps, commands } of [
      { name: "start at 200%", steps: [], commands: [] },
      { name: "end of a default run at 200%", steps: ["Enter", RUN_MS],
        commands: ["enter", "ticks", "960"] },
    ])
      await compareWithLinux(name, open, { scale: 2 }, steps, commands, 2);
  },

  // ENTER starts, pauses and resumes; F1 resets.
  async enter_and_f1(page, open) {
    const { tab, advance, close } = await open();
    try {
      const start = await canvasImage(tab);
      await press(tab, "Enter");
      await advance(1000);
      const running = await canvasImage(tab);
      assert.ok(!sameImage(running, start), "ENTER did not start the run");
      await press(tab, "Enter");
      const paused = await canvasImage(tab);
      await advance(1000);
      assert.ok(sameImage(await canvasImage(tab), paused), "ENTER did not pause the run");
      await press(tab, "Enter");
      await advance(1000);
      assert.ok(!sameImage(await canvasImage(tab), paused), "ENTER did not resume the run");
      await press(tab, "F1");
      assert.ok(sameImage(await canvasImage(tab), start), "F1 did not reset the run");
      await advance(1000);
      assert.ok(sameImage(await canvasImage(tab), start), "the run went on after F1");
    } finally {
      await close();
    }
  },

  // The four command keys lose their browser action (help, find, ...); every
  // other key keeps it and does nothing in the program.
  async keys(page, open) {
    const { tab, advance, close } = await open();
    try {
      await tab.evaluate(() => {
        window.seen = [];
        window.addEventListener("keydown", (e) => window.seen.push(e.defaultPrevented));
      });
      const start = await canvasImage(tab);
      for (const { key, prevented, effect } of [
        { key: "a", prevented: false, effect: "none" },
        { key: "F4", prevented: false, effect: "none" },
        { key: "F10", prevented: false, effect: "none" },
        { key: "Escape", prevented: false, effect: "none" },
        { key: "Space", prevented: false, effect: "none" },
        { key: "F1", prevented: true, effect: "none" },
        { key: "F3", prevented: true, effect: "Ondulane" },
        { key: "F2", prevented: true, effect: "Load value" },
        { key: "Enter", prevented: true, effect: "running" },
      ]) {
        await press(tab, key);
        const shown = await dialog(tab);
        if (shown) await press(tab, "Escape");
        await advance(200);
        const moved = !sameImage(await canvasImage(tab), start);
        const got = shown ? shown.caption : moved ? "running" : "none";
        // The key, and the Escape that closed its dialog: the dialog's
        // window manager takes that one from the browser.
        const [keyPrevented, escapePrevented = null] = await tab.evaluate(
          (count) => window.seen.slice(-count), shown ? 2 : 1);
        assert.deepEqual([keyPrevented, got, escapePrevented], [prevented, effect, shown ? true : null],
          key);
      }
    } finally {
      await close();
    }
  },

  // F2 shows the values with their whole load selected; typed values reach
  // the panels and the next run; Escape cancels.
  async values_dialog(page, open) {
    const linked = await pictureAfter(open, { search: LINK_150_100 }, []);
    const linkedRun = await pictureAfter(open, { search: LINK_150_100 }, ["Enter", RUN_MS]);
    const { tab, advance, close } = await open();
    try {
      const start = await canvasImage(tab);
      await press(tab, "F2");
      assert.deepEqual(await dialog(tab), {
        caption: "Load value", fields: ["75", "35"], focus: 0, selected: [0, 2], scrolled: [0, 0],
      });
      await advance(500);
      assert.ok(sameImage(await canvasImage(tab), start), "ticks drew under the dialog");
      await press(tab, "9", "Escape");
      assert.equal(await dialog(tab), null, "Escape did not close the dialog");
      assert.ok(sameImage(await canvasImage(tab), start), "Escape changed the values");
      await press(tab, "F2", "Tab");
      await tab.keyboard.type("100");
      await press(tab, "Shift+Tab");
      await tab.keyboard.type("150");
      await press(tab, "Enter");
      assert.equal(await dialog(tab), null, "ENTER did not close the dialog");
      assert.ok(sameImage(await canvasImage(tab), linked.image), "the panels lack the values");
      await press(tab, "F2");
      assert.deepEqual((await dialog(tab)).fields, ["150", "100"]);
      await whileTimePasses(advance, tab.click(".dialog .close"));
      assert.equal(await dialog(tab), null, "the close box did not close the dialog");
      await press(tab, "Enter");
      await advance(RUN_MS);
      assert.ok(sameImage(await canvasImage(tab), linkedRun.image), "the run lacks the values");
    } finally {
      await close();
    }
  },

  // F3 pauses a run and shows the text, which scrolls; the dialog closes
  // without a repaint, and ENTER goes on from the phase reached.
  async text_dialog(page, open) {
    const { tab, advance, close } = await open();
    try {
      await press(tab, "Enter");
      await advance(1000);
      await press(tab, "F3");
      const paused = await canvasImage(tab);
      const shown = await dialog(tab);
      assert.equal(shown.caption, "Ondulane");
      assert.equal(shown.focus, "OK");
      assert.match(shown.fields[0], /\n\tEMF = 1 \+ Z\/Zo,\n/);
      assert.match(shown.fields[0], /\n\tR = 50 \/ VSWR = 50 \* \(1 - Rho\) \/ \(1 \+ Rho\)\n/);
      await advance(500);
      assert.ok(sameImage(await canvasImage(tab), paused), "F3 did not pause the run");
      await press(tab, "Tab", "PageDown");
      assert.ok((await dialog(tab)).scrolled[0] > 0, "the text did not scroll");
      await press(tab, "Tab", "Enter");
      assert.equal(await dialog(tab), null, "OK did not close the dialog");
      assert.ok(sameImage(await canvasImage(tab), paused), "closing repainted the window");
      await press(tab, "Enter");
      await advance(1000);
      assert.ok(!sameImage(await canvasImage(tab), paused), "ENTER did not resume the run");
    } finally {
      await close();
    }
  },

  // Keys typed ahead of a dialog land in it, and those after its closing key
  // in the main window; keys typed while the page starts wait for the
  // program, behind a link's values.
  async type_ahead(page, open) {
    const start = (await pictureAfter(open, {}, [])).image;
    const linked = (await pictureAfter(open, { search: LINK_150_100 }, [])).image;
    for (const { search = "", held = false, keys, wait, expect } of [
      { keys: ["F2", "1", "5", "0", "Tab", "1", "0", "0", "Enter"], wait: 0, expect: "linked" },
      { keys: ["F2", "Enter", "Enter"], wait: 1000, expect: "running" },
      { keys: ["F2", "Enter", "5"], wait: 0, expect: "start" },
      { keys: ["F2", "Escape", "F3"], wait: 0, expect: "text dialog" },
      { keys: ["F3", "Enter", "Enter"], wait: 1000, expect: "running" },
      { held: true, keys: ["F2", "1", "5", "0", "Tab", "1", "0", "0", "Enter"], wait: 0,
        expect: "linked" },
      { held: true, keys: ["F3", "Space", "F2"], wait: 0, expect: "values dialog 75 35" },
      { held: true, search: LINK_150_100, keys: ["F2"], wait: 0,
        expect: "values dialog 150 100" },
      { held: true, search: LINK_150_100, keys: ["Enter"], wait: 1000, expect: "running" },
    ]) {
      const { tab, advance, start: startProgram, close } = await open({ search, held });
      try {
        await press(tab, ...keys);
        if (held) await startProgram();
        if (wait) await advance(wait);
        const image = await canvasImage(tab);
        const shown = await dialog(tab);
        const got = shown ? (shown.caption === "Ondulane" ? "text dialog"
                                                          : ["values dialog", ...shown.fields].join(" "))
          : sameImage(image, linked) ? "linked"
          : sameImage(image, start) ? "start" : "running";
        assert.equal(got, expect, `${search} ${held ? "held " : ""}${keys.join(" ")}`);
      } finally {
        await close();
      }
    }
  },

  // A new viewport is a new client area, painted whole at its size: a
  // paused run is back at its start.
  async resize(page, open) {
    const { tab, advance, close } = await open();
    try {
      await press(tab, "Enter");
      await advance(1000);
      await press(tab, "Enter");
      await tab.setViewport({ width: 900, height: 640 });
      // The page learns of it with a frame, which comes when time passes.
      const wide = (got) => got.pixels[0] === 900 - 2 * got.ring;
      for (let i = 0; i < 250 && !wide(await layout(tab)); ++i) await advance(20);
      const got = await layout(tab);
      assert.deepEqual(got.pixels, [900 - 2 * got.ring, 640 - got.bar.height - 2 * got.ring]);
      const resized = await canvasImage(tab);
      const fresh = await pictureAfter(open, { width: 900, height: 640 }, []);
      assert.ok(sameImage(resized, fresh.image), "not repainted at the new size");
    } finally {
      await close();
    }
  },

  // The bar's buttons, tapped, do what their keys do.
  async bar_touch(page, open) {
    const { tab, advance, close } = await open({ touch: true });
    const tap = async (key) => {
      const button = await tab.$(`#bar button[data-key="${key}"]`);
      const box = await button.boundingBox();
      await whileTimePasses(advance, tab.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2));
    };
    try {
      const start = await canvasImage(tab);
      await tap("Enter");
      await advance(1000);
      assert.ok(!sameImage(await canvasImage(tab), start), "ENTER did not start the run");
      await tap("F1");
      assert.ok(sameImage(await canvasImage(tab), start), "F1 did not reset the run");
      await tap("F2");
      assert.equal((await dialog(tab)).caption, "Load value");
      await tap("F3");  // the bar is covered while a dialog runs
      assert.equal((await dialog(tab)).caption, "Load value");
      await press(tab, "Escape");
      await tap("F3");
      assert.equal((await dialog(tab)).caption, "Ondulane");
    } finally {
      await close();
    }
  },

  // A link's values are read and clamped as if typed into F2.
  async link_values(page, open) {
    for (const { search, fields } of [
      { search: LINK_150_100, fields: ["150", "100"] },
      { search: "?load=abc", fields: ["0.1", "35"] },
      { search: "?source=1e9", fields: ["75", "400"] },
      { search: "?load=%2042%20ohms&source=5", fields: ["42", "10"] },
      { search: "?load=1,5&source=", fields: ["1", "10"] },
      { search: "?load=20000&source=-3&bar=0", fields: ["10000", "10"] },
      { search: "?other=5", fields: ["75", "35"] },
    ]) {
      const { tab, close } = await open({ search });
      try {
        await press(tab, "F2");
        assert.deepEqual((await dialog(tab)).fields, fields, search);
      } finally {
        await close();
      }
    }
  },
};

require("./run_cases.cjs").run(cases);
