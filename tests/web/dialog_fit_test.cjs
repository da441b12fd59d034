// The browser tests of the dialogs on phones, tablets, zoomed and desktop
// screens: each stands inside what the user sees, whole, legible and usable
// by touch and keyboard, and follows the viewport and the on-screen keyboard.
const assert = require("assert/strict");
const { dialog, whileTimePasses, nextFrame, press } = require("./steps.cjs");

// Zoom at 200% and 400% of a 1366 by 768 laptop. Each device's screen is as
// large as its view, as the program is told it on that device.
const VIEWS = [
  { name: "phone upright", width: 390, height: 844, scale: 3, touch: true },
  { name: "phone sideways", width: 844, height: 390, scale: 3, touch: true },
  { name: "small phone", width: 320, height: 568, scale: 2, touch: true },
  { name: "tablet", width: 768, height: 1024, scale: 2, touch: true },
  { name: "laptop at 200%", width: 683, height: 384, scale: 2 },
  { name: "laptop at 400%", width: 342, height: 192, scale: 4 },
  { name: "laptop", width: 1366, height: 768, scale: 1 },
];
const TEMPLATE_FONT_PX = 13;  // the templates' 10 points at 96 pixels per inch
const KEYS = ["F2", "F3"];

// What is wrong with the open dialog as the user sees it: a part outside
// the visual viewport or its client area, covered, cut, scrolled sideways,
// or in a font below the template's.
async function faults(tab) {
  return tab.evaluate((fontPx) => {
    const v = visualViewport;
    const view = { left: v.offsetLeft, top: v.offsetTop, right: v.offsetLeft + v.width,
      bottom: v.offsetTop + v.height };
    const frame = document.querySelector(".dialog-layer.shown .dialog");
    const client = frame.querySelector(".client");
    const inside = (a, b) => a.left >= b.left - 0.5 && a.right <= b.right + 0.5 &&
      a.top >= b.top - 0.5 && a.bottom <= b.bottom + 0.5;
    const found = [];
    const check = (e, name, within) => {
      const box = e.getBoundingClientRect();
      if (!inside(box, view)) found.push(`${name}: outside the viewport`);
      if (within && !inside(box, within.getBoundingClientRect())) found.push(`${name}: outside ${within.className}`);
      const hit = document.elementFromPoint(box.left + box.width / 2, box.top + box.height / 2);
      if (!e.contains(hit)) found.push(`${name}: covered by ${hit && hit.tagName}`);
    };
    check(frame, "frame", null);
    check(frame.querySelector(".caption span"), "caption", frame);
    check(frame.querySelector(".close"), "close box", frame);
    if (client.scrollWidth > client.clientWidth) found.push("client area: scrolls sideways");
    for (const e of [...client.children].filter((c) => !c.hidden)) {
      const name = `${e.tagName} ${e.textContent}`;
      check(e, name, client);
      if (parseFloat(getComputedStyle(e).fontSize) < fontPx) found.push(`${name}: font too small`);
      if (e.tagName !== "LABEL") continue;
      const range = document.createRange();
      range.selectNodeContents(e);
      if (!inside(range.getBoundingClientRect(), e.getBoundingClientRect())) found.push(`${name}: cut`);
    }
    return found;
  }, TEMPLATE_FONT_PX);
}

// The frame's and each control's box from the picture's top left, rounded, as
// "x,y,width,height".
async function boxes(tab) {
  return tab.evaluate(() => {
    const picture = document.getElementById("screen").getBoundingClientRect();
    const box = (e) => {
      const r = e.getBoundingClientRect();
      return [r.x - picture.x, r.y - picture.y, r.width, r.height].map(Math.round).join(",");
    };
    const frame = document.querySelector(".dialog-layer.shown .dialog");
    return [box(frame), ...[...frame.querySelectorAll(".client > *")].map(box)];
  });
}

// The focused control still in its dialog, inside the visual viewport and
// on top there, and the frame inside too.
async function focusInSight(tab) {
  return tab.evaluate(() => {
    const v = visualViewport;
    const inside = (r) => r.left >= v.offsetLeft && r.top >= v.offsetTop &&
      r.right <= v.offsetLeft + v.width && r.bottom <= v.offsetTop + v.height;
    const e = document.activeElement;
    const frame = e.closest(".dialog");
    const r = e.getBoundingClientRect();
    return !!frame && inside(r) && inside(frame.getBoundingClientRect()) &&
      e === document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2);
  });
}

// The picture's texts, as the page lays them over the canvas.
async function pictureTexts(tab) {
  return tab.evaluate(() => [...document.querySelectorAll("#texts p, #texts h1")].map((e) => e.textContent.trim()));
}

// A tap on a touch screen, a click elsewhere, at the middle of `selector`.
async function pointAt(tab, advance, touch, selector) {
  const box = await (await tab.$(selector)).boundingBox();
  const [x, y] = [box.x + box.width / 2, box.y + box.height / 2];
  await whileTimePasses(advance, touch ? tab.touchscreen.tap(x, y) : tab.mouse.click(x, y),
    `the ${touch ? "tap" : "click"} on ${selector}`);
}

// What the user may do to the view while a dialog is open, and its undoing:
// an on-screen keyboard that takes half the height, a pinch zoom to 200%,
// which shrinks only the visual viewport, and a turn of the device; the last
// two on touch screens.
const CHANGES = [
  { name: "keyboard", touchOnly: false,
    make: (tab, cdp, view) => tab.setViewport({ ...tab.viewport(), height: Math.round(view.height / 2) }),
    undo: (tab, cdp, view) => tab.setViewport({ ...tab.viewport(), height: view.height }) },
  { name: "pinch zoom", touchOnly: true,
    make: (tab, cdp) => cdp.send("Emulation.setPageScaleFactor", { pageScaleFactor: 2 }),
    undo: (tab, cdp) => cdp.send("Emulation.setPageScaleFactor", { pageScaleFactor: 1 }) },
  { name: "turn", touchOnly: true,
    make: (tab, cdp, view) => tab.setViewport({ ...tab.viewport(), width: view.height, height: view.width }),
    undo: (tab, cdp, view) => tab.setViewport({ ...tab.viewport(), width: view.width, height: view.height }) },
];

// The page learns of a change with a frame, whenever the browser draws it:
// frames until `done`, or a few dozen.
async function until(tab, advance, done) {
  for (let i = 0; i < 50 && !(await done()); ++i) await nextFrame(tab, advance);
}

const cases = {
  // In every view both dialogs lie whole inside the viewport, in at least
  // their template's font; F2 takes typed values and its OK by the view's
  // own pointer, and F3 closes by its close box.
  async inside_every_view(page, open) {
    for (const { name, ...view } of VIEWS) {
      const { tab, advance, close } = await open({ ...view, device: true });
      try {
        await press(tab, "F2");
        assert.deepEqual(await faults(tab), [], `${name}, F2`);
        await tab.keyboard.type("150");
        await press(tab, "Tab");
        await tab.keyboard.type("100");
        await pointAt(tab, advance, view.touch, ".dialog-layer.shown button.default");
        assert.equal(await dialog(tab), null, `${name}: OK did not close F2`);
        const texts = await pictureTexts(tab);
        assert.ok(texts.includes("150.0 ohms") && texts.includes("100.0 ohms"),
          `${name}: the picture lacks the values: ${texts.join(" | ")}`);
        await press(tab, "F3");
        assert.deepEqual(await faults(tab), [], `${name}, F3`);
        await pointAt(tab, advance, view.touch, ".dialog-layer.shown .close");
        assert.equal(await dialog(tab), null, `${name}: the close box did not close F3`);
      } finally {
        await close();
      }
    }
  },

  // On a desktop, where the picture is drawn as it is and the template's
  // place fits, each dialog stands there, its controls at the template's
  // rectangles.
  async template_place_where_it_fits(page, open) {
    const expected = {
      F2: ["199,104,412,246", "226,176,230,30", "500,172,80,26", "226,236,228,30", "500,229,80,26",
        "354,289,100,26"],
      F3: ["199,104,530,336", "414,367,100,26", "236,163,456,186"],
    };
    for (const { width, height, scale } of [
      { width: 1000, height: 700, scale: 1 },
      { width: 1366, height: 768, scale: 1 },
      { width: 1366, height: 768, scale: 2 },
    ]) {
      const { tab, advance, close } = await open({ width, height, scale });
      try {
        for (const key of KEYS) {
          await press(tab, key);
          assert.deepEqual(await boxes(tab), expected[key], `${width}x${height}, ${key}`);
          await press(tab, "Escape");
          await advance(100);
        }
      } finally {
        await close();
      }
    }
  },

  // With each change of the view, each dialog follows, the focused control
  // in sight; undone, the dialog is whole again.
  async follows_the_view(page, open) {
    for (const { name, ...view } of VIEWS) {
      const { tab, advance, close } = await open({ ...view, device: true });
      const fits = async () => !(await faults(tab)).length;
      try {
        const cdp = await tab.createCDPSession();
        for (const change of CHANGES.filter((c) => view.touch || !c.touchOnly)) {
          for (const key of KEYS) {
            const at = `${name}, ${key}, ${change.name}`;
            await press(tab, key, "Tab");
            await change.make(tab, cdp, view);
            await until(tab, advance, () => focusInSight(tab));
            assert.ok(await focusInSight(tab), `${at}: the focused control is out of sight`);
            await change.undo(tab, cdp, view);
            await until(tab, advance, fits);
            assert.deepEqual(await faults(tab), [], `${at}, undone`);
            await press(tab, "Escape");
            await advance(100);
          }
        }
      } finally {
        await close();
      }
    }
  },
};

require("./run_cases.cjs").run(cases);
