// What the browser tests do with the page and read off it.
const RUN_MS = 960 * 50 + 1000;  // a whole run, and a little more

// Where the canvas and the bar lie, as the page lays them out.
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
// pass: lets it pass until `action` is done.
async function whileTimePasses(advance, action) {
  let done = false;
  const acting = action.finally(() => (done = true));
  while (!done) await advance(20);
  await acting;
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

module.exports = { RUN_MS, layout, dialog, whileTimePasses, press };
