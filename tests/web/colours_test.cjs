// The browser tests of the page's colours, read off the canvas's pixels: the
// program's own by default; darker with more contrast, asked by the address
// or by the system; and with ?colours=distinct, forward and reflected waves
// that stay apart for every kind of colour vision.
const assert = require("assert/strict");
const { canvasImage } = require("./pictures.cjs");
const { RUN_MS, press, whileTimePasses } = require("./steps.cjs");

// The program's own: the forward wave; the reflected wave and the keys' text.
const GREEN = [0, 150, 0];
const RED = [255, 0, 0];
const TEXT_CONTRAST = 4.5;  // on white, as text of the keys' size needs
const LINE_CONTRAST = 3;
const DISTANCE = 90;  // between the waves, in CIE L*a*b*, seen with any colour vision
// Fewer pixels of a colour are where lines crossed under the inverting mix.
const FEWEST_PIXELS = 20;
const TICK_MS = 50;

// Colour vision without one kind of cone, as Machado, Oliveira and
// Fernandes's model simulates it at full severity: a matrix on linear RGB.
const VISIONS = {
  normal: [[1, 0, 0], [0, 1, 0], [0, 0, 1]],
  protanopia: [[0.152286, 1.052583, -0.204868], [0.114503, 0.786281, 0.099216],
    [-0.003882, -0.048116, 1.051998]],
  deuteranopia: [[0.367322, 0.860646, -0.227968], [0.280085, 0.672501, 0.047413],
    [-0.01182, 0.04294, 0.968881]],
  tritanopia: [[1.255528, -0.076749, -0.178779], [-0.078411, 0.930809, 0.147602],
    [0.004733, 0.691367, 0.3039]],
};

const linear = (v) => ((v /= 255) <= 0.04045 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4);
const luminance = ([r, g, b]) => 0.2126 * r + 0.7152 * g + 0.0722 * b;  // of linear RGB
const onWhite = (rgb) => 1.05 / (luminance(rgb.map(linear)) + 0.05);

// CIE L*a*b* of linear sRGB, white D65.
function lab(rgb) {
  const [r, g, b] = rgb.map((v) => Math.min(1, Math.max(0, v)));
  const xyz = [(0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047, luminance([r, g, b]),
    (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883];
  const [fx, fy, fz] = xyz.map((t) => (t > 216 / 24389 ? Math.cbrt(t) : (24389 / 27 * t + 16) / 116));
  return [116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)];
}

function distanceSeen(vision, a, b) {
  const seen = (rgb) => lab(vision.map((row) => row.reduce((sum, m, i) => sum + m * linear(rgb[i]), 0)));
  const [p, q] = [seen(a), seen(b)];
  return Math.hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
}

// The colours of the canvas, neither grey nor rare: those of the keys' text,
// in the lowest quarter where it stands, and those of the lines above.
async function coloursShown(tab) {
  const image = await canvasImage(tab);
  const textTop = Math.floor((3 * image.height) / 4);
  const counts = [new Map(), new Map()];
  for (let y = 0; y < image.height; ++y)
    for (let x = 0; x < image.width; ++x) {
      const rgb = [...image.data.subarray(4 * (y * image.width + x), 4 * (y * image.width + x) + 3)];
      if (Math.max(...rgb) - Math.min(...rgb) < 60) continue;
      const count = counts[y >= textTop ? 0 : 1];
      count.set(String(rgb), (count.get(String(rgb)) || 0) + 1);
    }
  const common = (count) => [...count].filter(([, n]) => n >= FEWEST_PIXELS)
    .map(([key]) => key.split(",").map(Number));
  return { text: common(counts[0]), lines: common(counts[1]) };
}

// The system's contrast setting as the page sees it, through one session a
// tab: the setting of another would stand beside it. With `advance`, time
// passes until the page has been told at its next frame, and a tick more.
const sessions = new WeakMap();
async function emulateContrast(tab, value, advance = null) {
  if (!sessions.has(tab)) sessions.set(tab, await tab.createCDPSession());
  const features = [{ name: "prefers-contrast", value }];
  await sessions.get(tab).send("Emulation.setEmulatedMedia", { features });
  if (!advance) return;
  await whileTimePasses(advance, tab.evaluate(() => new Promise(requestAnimationFrame)));
  await advance(TICK_MS);
}

// The colours of a run: the forward wave's alone on the start screen (its
// arrow at the source end), the reflected wave's added at the end, and the
// keys' text; the system asking for `contrast` from the page's start.
async function coloursOfRun(open, { search, contrast }) {
  const { tab, advance, start, close } = await open({ search, held: true });
  try {
    await emulateContrast(tab, contrast);
    await start();
    const atStart = await coloursShown(tab);
    assert.equal(atStart.lines.length, 1, `${search} ${contrast}: ${JSON.stringify(atStart)}`);
    const [forward] = atStart.lines;
    await press(tab, "Enter");
    await advance(RUN_MS);
    const atEnd = await coloursShown(tab);
    const reflected = atEnd.lines.filter((c) => String(c) !== String(forward));
    assert.equal(reflected.length, 1, `${search} ${contrast}: ${JSON.stringify(atEnd)}`);
    assert.equal(atEnd.text.length, 1, `${search} ${contrast}: ${JSON.stringify(atEnd)}`);
    return { forward, reflected: reflected[0], text: atEnd.text[0] };
  } finally {
    await close();
  }
}

// With more contrast the keys' text is dark enough for text, the waves for
// lines, and each darker than the program's own.
function assertMoreContrast(shown, message) {
  assert.ok(onWhite(shown.text) >= TEXT_CONTRAST, message);
  for (const [wave, own] of [[shown.forward, GREEN], [shown.reflected, RED]]) {
    assert.ok(onWhite(wave) >= LINE_CONTRAST, message);
    assert.ok(onWhite(wave) > onWhite(own), message);
  }
}

const cases = {
  // Unasked, the page shows the program's colours exactly.
  async own_colours(page, open) {
    for (const search of ["", "?contrast=less", "?colours=none", "?load=150&source=100"]) {
      const shown = await coloursOfRun(open, { search, contrast: "no-preference" });
      assert.deepEqual(shown, { forward: GREEN, reflected: RED, text: RED }, search);
    }
  },

  async more_contrast(page, open) {
    for (const { search, contrast } of [
      { search: "?contrast=more", contrast: "no-preference" },
      { search: "", contrast: "more" },
      { search: "?load=150&source=100", contrast: "more" },
    ]) {
      const shown = await coloursOfRun(open, { search, contrast });
      assertMoreContrast(shown, `${search} ${contrast}: ${JSON.stringify(shown)}`);
    }
  },

  // The two waves stay apart however the eye sees them, where the program's
  // own red and green fall together.
  async distinct_colours(page, open) {
    assert.ok(distanceSeen(VISIONS.deuteranopia, GREEN, RED) < DISTANCE / 2);
    for (const { search, contrast, moreContrast } of [
      { search: "?colours=distinct", contrast: "no-preference", moreContrast: false },
      { search: "?colours=distinct&contrast=more", contrast: "no-preference", moreContrast: true },
      { search: "?colours=distinct", contrast: "more", moreContrast: true },
    ]) {
      const shown = await coloursOfRun(open, { search, contrast });
      const message = `${search} ${contrast}: ${JSON.stringify(shown)}`;
      for (const wave of [shown.forward, shown.reflected])
        assert.ok(onWhite(wave) >= LINE_CONTRAST, message);
      for (const [name, vision] of Object.entries(VISIONS))
        assert.ok(distanceSeen(vision, shown.forward, shown.reflected) >= DISTANCE, `${name}, ${message}`);
      if (moreContrast) assert.ok(onWhite(shown.text) >= TEXT_CONTRAST, message);
    }
  },

  // A change of the system's setting repaints the whole picture in the new
  // colours, during a run too, which starts over: the end of the run is as
  // where the address asked for them all along and the same repaint came;
  // none of the old colours stays. Back to the program's colours, F1 brings
  // the start arrow back in its green.
  async follows_the_system_setting(page, open) {
    const endAfterChange = async (search, then = null) => {
      const { tab, advance, close } = await open({ search });
      try {
        await press(tab, "Enter");
        await advance(2000);
        await emulateContrast(tab, "more", advance);
        await advance(RUN_MS);
        const end = await canvasImage(tab);
        if (then) await then(tab, advance);
        return end;
      } finally {
        await close();
      }
    };
    const asked = await endAfterChange("?contrast=more");
    const followed = await endAfterChange("", async (tab, advance) => {
      assert.ok(onWhite((await coloursShown(tab)).text[0]) >= TEXT_CONTRAST);
      await emulateContrast(tab, "no-preference", advance);
      await press(tab, "F1");
      assert.deepEqual(await coloursShown(tab), { text: [RED], lines: [GREEN] });
    });
    assert.ok(followed.data.equals(asked.data), "the old colours stayed");
  },
};

require("./run_cases.cjs").run(cases);
