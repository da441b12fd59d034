// What the browser tests do with the page and read off it.
const RUN_MS = 960 * 50 + 1000;  // a whole run, and a little more

// Where the canvas and the bar lie, as the page lays them out, and the room
// kept around the canvas for the keyboard's ring.
async function layout(tab) {
  return tab.evaluate(() => {
    const box = (e) => {
      const r = e.getBoundingClientRect();
      return { x: r.x, y: r.y, width: r.width, height: r.height };
    };
    const bar = document.getElementById("bar");
    const canvas = document.getElementById("screen");
    return {
      canvas: box(canvas),
      pixels: [canvas.width, canvas.height],
      bar: getComputedStyle(bar).display === "none" ? null : box(bar),
      keys: [...bar.querySelectorAll("kbd")].map((k) => k.textContent),
      ring: parseFloat(getComputedStyle(document.getElementById("page")).paddingTop),
    };
  });
}

// The open dialog as the user sees it, or null.
async function dialog(tab) {
  return tab.evaluate(() => {
    const frame = document.querySelector(".dialog-layer.shown .dialog");
    if (!frame) return null;
    const fields = [...frame.querySelectorAll("input, textarea")];
    const focused = document.activeElement;
    return {
      caption: frame.querySelector(".caption span").textContent,
      fields: fields.map((f) => f.value),
      focus: focused.tagName === "BUTTON" ? focused.textContent : fields.indexOf(focused),
      selected: focused.selectionStart === undefined
        ? null : [focused.selectionStart, focused.selectionEnd],
      scrolled: fields.map((f) => f.scrollTop),
    };
  });
}

// Pointer input is dispatched with the page's frames, which need time to
// pass: lets it pass until `action` is done, and fails once far more than
// any action takes has passed without.
const ACTION_WITHIN_MS = 10 * 60 * 1000;
async function whileTimePasses(advance, action, what = "an action") {
  let done = false;
  const acting = action.finally(() => (done = true));
  for (let passed = 0; !done; passed += 20) {
    if (passed >= ACTION_WITHIN_MS) {
      acting.catch(() => {});
      throw new Error(`${what} was not done after ${ACTION_WITHIN_MS / 1000} s of the page's time`);
    }
    await advance(20);
  }
  await acting;
}

// The page's next frame, in which it learns of a change of the view: its
// resize and scroll events come before the frame's callbacks.
async function nextFrame(tab, advance) {
  await whileTimePasses(advance, tab.evaluate(() => new Promise(requestAnimationFrame)), "a frame");
}

// Keys by name, "Shift+Tab" with its modifier held.
async function press(tab, ...keys) {
  for (const key of keys) {
    const [name, ...held] = key.split("+").reverse();
    for (const modifier of held) await tab.keyboard.down(modifier);
    await tab.keyboard.press(name);
    for (const modifier of held) await tab.keyboard.up(modifier);
  }
}

module.exports = { RUN_MS, layout, dialog, whileTimePasses, nextFrame, press };
