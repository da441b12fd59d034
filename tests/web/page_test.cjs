// The browser tests of the one-file page: node page_test.cjs PAGE CASE, or
// --list for the cases' names.
const assert = require("assert/strict");
const fs = require("fs");

const MAX_PAGE_BYTES = 1.5 * 1024 * 1024;
const KEYS = ["ENTER", "F1", "F2", "F3"];

// Where the canvas and the bar lie, as the page lays them out.
async function layout(tab) {
  return tab.evaluate(() => {
    const box = (e) => {
      const r = e.getBoundingClientRect();
      return { x: r.x, y: r.y, width: r.width, height: r.height };
    };
    const bar = document.getElementById("bar");
    return {
      canvas: box(document.getElementById("screen")),
      bar: getComputedStyle(bar).display === "none" ? null : box(bar),
      keys: [...bar.querySelectorAll("kbd")].map((k) => k.textContent),
    };
  });
}

const cases = {
  // One file with everything inside: it fetches nothing and carries the
  // fonts with their licence.
  async one_file(page, open) {
    assert.ok(fs.statSync(page).size <= MAX_PAGE_BYTES, "larger than 1.5 MB");
    const html = fs.readFileSync(page, "utf8");
    assert.match(html, /SIL Open Font License/);
    assert.doesNotMatch(html, /\b(src|href)=["']?(https?:|\/\/)/);
    const { tab, refused, errors, close } = await open();
    try {
      const fonts = await tab.evaluate(async () => {
        await document.fonts.ready;
        return [400, 700].map((w) => document.fonts.check(`${w} 17px "Ondulane Sans"`, "Ay"));
      });
      assert.deepEqual(fonts, [true, true]);
      assert.deepEqual(refused, []);
      assert.deepEqual(errors, []);
    } finally {
      await close();
    }
  },

  // The canvas fills the page less the bar of keys, which ?bar=0 hides.
  async layout(page, open) {
    for (const { search, barShown } of [
      { search: "", barShown: true },
      { search: "?bar=1", barShown: true },
      { search: "?bar=0", barShown: false },
      { search: "?load=150&bar=0", barShown: false },
    ]) {
      const { tab, close } = await open({ search });
      try {
        const got = await layout(tab);
        const message = `${search}: ${JSON.stringify(got)}`;
        assert.equal(got.bar !== null, barShown, message);
        assert.deepEqual(got.keys, KEYS, message);
        const barHeight = got.bar ? got.bar.height : 0;
        assert.deepEqual(got.canvas, { x: 0, y: 0, width: 1000, height: 700 - barHeight }, message);
        if (got.bar) {
          assert.ok(barHeight > 0 && barHeight <= 48, message);
          assert.equal(got.bar.y, got.canvas.height, message);
        }
      } finally {
        await close();
      }
    }
  },
};

async function main() {
  const [page, name] = process.argv.slice(2);
  if (page === "--list") return console.log(Object.keys(cases).join(";"));
  if (!cases[name]) throw new Error(`no case ${name}`);
  const { openPage } = require("./browser.cjs");
  await cases[name](page, (options) => openPage(page, options));
}

main().then(
  () => console.log("PASS"),
  (e) => {
    console.error(e);
    process.exit(1);
  },
);
