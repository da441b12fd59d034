// What assistive technology and the keyboard get from the page: axe-core's
// WCAG 2.1 A and AA rules, the accessibility tree's texts, the live region's
// announcements, and the bar and the dialogs by keyboard alone.
const assert = require("assert/strict");
const fs = require("fs");
const { RUN_MS, dialog, whileTimePasses, press } = require("./steps.cjs");
const { canvasImage } = require("./pictures.cjs");
const { execFileSync } = require("child_process");

const WCAG_TAGS = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa"];
const LINK_150_100 = "?load=150&source=100";
const LINUX = process.env.ONDULANE_LINUX_SNAPSHOT;

// What a default run announces, as the drawing core says it.
const DEFAULT_ANNOUNCED = [
  "1.000V", "Standing Wave, Ratio = 1.50, Rho = 0.200", "0.965V", "Z1 = 46.2 - j19.2 ohms",
  "Z2 = 33.3 + j0 ohms", "Z3 = 46.2 + j19.2 ohms", "0.966V", "Z4 = 75.0 + j0 ohms", "Z5 = Z1",
  "Z6 = Z2", "Z7 = Z3", "Power dissipated = 12.532 dBm",
];

// axe-core's violations of the WCAG 2.1 A and AA rules, as "rule: element"
// lines. axe waits on timers, so the page's time passes while it runs.
async function violations(tab, advance) {
  const has = await tab.evaluate(() => typeof axe !== "undefined");
  if (!has) await tab.evaluate(fs.readFileSync(require.resolve("axe-core/axe.min.js"), "utf8"));
  let found;
  await whileTimePasses(advance, tab.evaluate((tags) => axe
    .run(document, { runOnly: { type: "tag", values: tags }, resultTypes: ["violations"] })
    .then((r) => r.violations.flatMap((v) => v.nodes.map((n) => `${v.id}: ${n.target.join(" ")}`))),
  WCAG_TAGS).then((v) => (found = v)));
  return found;
}

// The accessibility tree as Chromium gives it to assistive technology:
// {role, name, level, description, texts, lines} of each node, texts being
// its static texts, lines those of each paragraph and heading in it.
async function accessibilityTree(tab) {
  const cdp = await tab.createCDPSession();
  const { nodes } = await cdp.send("Accessibility.getFullAXTree");
  await cdp.detach();
  const byId = new Map(nodes.map((n) => [n.nodeId, n]));
  const texts = (n) => n.role?.value === "StaticText" ? [n.name.value.trim()]
    : (n.childIds || []).flatMap((id) => (byId.has(id) ? texts(byId.get(id)) : []));
  const lines = (n) => ["paragraph", "heading"].includes(n.role?.value) ? [texts(n).join(" ")]
    : (n.childIds || []).flatMap((id) => (byId.has(id) ? lines(byId.get(id)) : []));
  return nodes.filter((n) => !n.ignored).map((n) => ({
    role: n.role?.value, name: n.name?.value ?? "", description: n.description?.value ?? "",
    level: n.properties?.find((p) => p.name === "level")?.value.value,
    texts: () => texts(n), lines: () => lines(n),
  }));
}

const named = (tree, role, name) => tree.find((n) => n.role === role && n.name === name);

// The page's texts over the picture, in their order.
const layerTexts = (tab) =>
  tab.evaluate(() => [...document.querySelectorAll("#texts p, #texts h1")].map((e) => e.textContent.trim()));

const announced = (tab) =>
  tab.evaluate(() => [...document.querySelectorAll("#announcements > *")].map((e) => e.textContent.trim()));

async function runToEnd(tab, advance) {
  await press(tab, "Enter");
  for (let passed = 0; passed < RUN_MS; passed += 4000) await advance(4000);
}

// What has the keyboard, its outline's width and offset, and the room the
// page keeps around the picture.
const focused = (tab) => tab.evaluate(() => {
  const e = document.activeElement;
  const style = getComputedStyle(e);
  return {
    what: e.id || e.textContent.trim(),
    outline: style.outlineStyle === "none" ? 0 : parseFloat(style.outlineWidth),
    offset: parseFloat(style.outlineOffset),
    room: parseFloat(getComputedStyle(document.getElementById("page")).paddingTop),
  };
});

const cases = {
  // Nothing of WCAG 2.1 A or AA is broken at the start, with each dialog
  // open, during a run and at its end, in English, in Japanese and in
  // Persian, which reads from the right.
  async axe_finds_nothing(page, open) {
    for (const search of ["", "?lang=ja", "?lang=fa"]) {
      const { tab, advance, close } = await open({ search });
      try {
        const states = [
          ["at the start", []], ["with F2 open", ["F2"]], ["with F3 open", ["Escape", "F3"]],
          ["during a run", ["Escape", "Enter", 20000]], ["at the end", [RUN_MS]],
        ];
        for (const [state, steps] of states) {
          for (const step of steps) {
            if (typeof step === "number") await advance(step);
            else await press(tab, step), await advance(50);
          }
          assert.deepEqual(await violations(tab, advance), [], `${search} ${state}`);
        }
      } finally {
        await close();
      }
    }
  },

  // Every text of the picture reaches the accessibility tree in reading
  // order, each a line of its own, under the figures' named region, the
  // title as the heading: the texts, and the boxes, that the Linux build
  // draws in the same state, in the browser's language.
  async figures_in_tree(page, open) {
    assert.ok(LINUX, "ONDULANE_LINUX_SNAPSHOT is not set");
    // [run, link, values for the Linux build, language, names of the
    // figures' region and of the picture]
    const english = ["The line's figures", "The line, drawn"];
    const runs = [
      ["a default run", "", [], "en", english],
      ["150 and 100 ohms", LINK_150_100, ["load", "150", "source", "100", "paint"], "en", english],
      ["in Japanese", "", [], "ja", ["線路の数値", "線路の図"]],
    ];
    for (const [run, search, values, language, [region, image]] of runs) {
      const { tab, advance, close } = await open({ search, languages: language });
      try {
        await runToEnd(tab, advance);
        const tree = await accessibilityTree(tab);
        const figures = named(tree, "region", region);
        assert.ok(figures, `${run}: no region of figures`);
        const layer = await tab.evaluate(() => [...document.querySelectorAll("#texts p, #texts h1")].map(
          (e) => `${parseInt(e.style.left)} ${parseInt(e.style.top)} ${parseInt(e.style.height)}\t` +
            e.textContent));
        const [width, height, screenWidth] = await tab.evaluate(() => {
          const c = document.getElementById("client");
          return [c.clientWidth, c.clientHeight, screen.availWidth];
        });
        const linux = execFileSync(LINUX, ["size", `${width}x${height}`, "screen",
          String(screenWidth), ...values, "enter", "ticks", "960", "texts"],
        { env: { ...process.env, QT_QPA_PLATFORM: "offscreen", LANGUAGE: language, LC_ALL: language } })
          .toString().split("\n")
          .filter(Boolean).map((line) => line.replace(/^(\S+ \S+) \S+ (\S+)/, "$1 $2"));
        // The glyphs come from another font engine: a centred or right-aligned
        // text may stand a few pixels apart.
        const near = (a, b) => {
          const [at, bt] = [a, b].map((line) => line.split(/[ \t]/));
          return at.slice(2).join(" ") === bt.slice(2).join(" ") &&
            Math.abs(at[0] - bt[0]) <= 4 && Math.abs(at[1] - bt[1]) <= 4;
        };
        assert.ok(layer.length === linux.length && layer.every((t, i) => near(t, linux[i])),
          `${run}: the page's texts and the Linux build's differ:\n${layer.join("\n")}\n` +
          `---\n${linux.join("\n")}`);
        assert.deepEqual(figures.lines(), layer.map((t) => t.split("\t")[1].trim()),
          `${run}: the tree and the layer differ`);
        const headings = tree.filter((n) => n.role === "heading");
        assert.deepEqual(headings.map((h) => [h.name, h.level]), [["Ondulane", 1]], run);
        assert.ok(named(tree, "image", image), `${run}: the canvas has no name`);
      } finally {
        await close();
      }
    }
  },

  // A run is announced as the drawing core says it, an entry for each
  // utterance; the first picture, a resize and a pause announce nothing. A
  // dialog is named by its caption, F3's described by its text; the log
  // stays out of what the dialog makes inert, and nothing is announced as
  // it comes and goes. After F1 a new run is news again.
  async announcements(page, open) {
    const { tab, advance, close } = await open();
    try {
      assert.deepEqual(await announced(tab), [], "the first picture");
      await tab.setViewport({ width: 900, height: 640 });
      await advance(500);
      assert.deepEqual(await announced(tab), [], "after a resize");
      await runToEnd(tab, advance);
      assert.deepEqual(await announced(tab), DEFAULT_ANNOUNCED, "over a run");
      for (const [key, caption] of [["F2", "Load value"], ["F3", "Ondulane"]]) {
        await press(tab, key);
        await advance(500);
        const shown = (await accessibilityTree(tab)).filter((n) => n.role === "dialog");
        // The description is the text with its white space run together.
        const text = key === "F3" ? (await dialog(tab)).fields[0].replace(/\s+/g, " ").trim() : "";
        assert.deepEqual(shown.map((d) => [d.name, d.description]), [[caption, text]], key);
        assert.ok(text === "" || text.length > 100, `${key}: ${text}`);
        assert.ok(await tab.evaluate(() => !document.getElementById("announcements").closest("[inert]")),
          `${key}: the log went inert`);
        await press(tab, "Escape");
        await advance(500);
        assert.deepEqual(await announced(tab), DEFAULT_ANNOUNCED, `${key} came and went`);
      }
      await press(tab, "F1");
      await advance(500);
      await runToEnd(tab, advance);
      assert.deepEqual(await announced(tab), [...DEFAULT_ANNOUNCED, ...DEFAULT_ANNOUNCED].slice(-64),
        "a second run after F1");
      const live = await tab.evaluate(() => {
        const log = document.getElementById("announcements");
        return [log.getAttribute("role"), log.getAttribute("aria-live")];
      });
      assert.deepEqual(live, ["log", "polite"]);
    } finally {
      await close();
    }
  },

  // The bar by keyboard alone: Tab reaches each button, shown with a
  // visible outline (the picture's around it, in room the page keeps);
  // Enter and Space press it; a dialog it opened gives the keyboard back to
  // it. Each button's name reads as words.
  async bar_by_keyboard(page, open) {
    const { tab, advance, close } = await open();
    try {
      const tree = await accessibilityTree(tab);
      const names = tree.filter((n) => n.role === "button").map((n) => n.name);
      assert.deepEqual(names, [
        "ENTER Start, pause, resume", "F1 Reset", "F2 Load and source", "F3 Supporting text",
      ]);
      const atStart = await layerTexts(tab);
      // Running while the picture moves; reset while the texts are the first ones.
      const state = async () => {
        const open = await dialog(tab);
        if (open) return open.caption;
        const before = await canvasImage(tab);
        await advance(1000);
        if (!(await canvasImage(tab)).data.equals(before.data)) return "running";
        return (await layerTexts(tab)).join() === atStart.join() ? "reset" : "paused";
      };
      // [keys, from where the last row left the keyboard; what has it then; what shows]
      const table = [
        [["Tab"], "screen", "reset"],
        [["Tab", " "], "ENTER Start, pause, resume", "running"],
        [["Enter"], "ENTER Start, pause, resume", "paused"],
        [["Tab", "Enter"], "F1 Reset", "reset"],
        [["Tab", " "], null, "Load value"],
        [["Escape"], "F2 Load and source", "reset"],
        [["Tab", "Enter"], null, "Ondulane"],
        [["Escape"], "F3 Supporting text", "reset"],
        [["Shift+Tab", "Shift+Tab", "Shift+Tab", " "], "ENTER Start, pause, resume", "running"],
        [["Shift+Tab"], "screen", "running"],
      ];
      for (const [keys, focus, shows] of table) {
        await press(tab, ...keys);
        await advance(2000);
        assert.equal(await state(), shows, keys.join(" "));
        if (!focus) continue;
        const got = await focused(tab);
        assert.equal(got.what, focus, keys.join(" "));
        assert.ok(got.outline >= 2, `${focus}: no visible focus`);
        if (focus === "screen")
          assert.ok(got.offset >= 0 && got.room >= got.outline + got.offset, "the ring is not around the picture");
      }
    } finally {
      await close();
    }
  },

  // A Chromebook's top row, without Search held, gives the browser's keys
  // where F1 to F3 stand: they do the F keys' commands, and the page is not
  // left or reloaded.
  async chromebook_top_row(page, open) {
    const { tab, advance, close } = await open();
    try {
      const cdp = await tab.createCDPSession();
      const top = async (key, code) => {
        for (const type of ["rawKeyDown", "keyUp"])
          await cdp.send("Input.dispatchKeyEvent", { type, key, code: key, windowsVirtualKeyCode: code });
      };
      await tab.evaluate(() => (window.stayed = true));
      await press(tab, "Tab");
      const atStart = await layerTexts(tab);
      // [key, its virtual key, the dialog it opens, whether the run is reset]
      const table = [
        ["BrowserRefresh", 168, "Ondulane"],
        ["BrowserForward", 167, "Load value"],
        ["BrowserBack", 166, null],
      ];
      for (const [key, code, caption] of table) {
        await press(tab, "Enter");
        await advance(10000);
        await top(key, code);
        await advance(500);
        assert.equal((await dialog(tab))?.caption ?? null, caption, key);
        if (caption) {
          await press(tab, "Escape");
          await advance(500);
          assert.equal((await focused(tab)).what, "screen", `${key}: the keyboard came back`);
          await press(tab, "F1");
          await advance(500);
        }
        assert.deepEqual(await layerTexts(tab), atStart, `${key}: not reset`);
      }
      assert.ok(await tab.evaluate(() => window.stayed), "the page was reloaded");
    } finally {
      await close();
    }
  },

  // With a reader's text spacing (line height 1.5, letters 0.12 em, words
  // 0.16 em), each label of a dialog stays whole, inside its dialog and
  // clear of the other controls.
  async dialog_text_spacing(page, open) {
    const { tab, advance, close } = await open();
    try {
      await tab.addStyleTag({ content: "* { line-height: 1.5 !important; " +
        "letter-spacing: 0.12em !important; word-spacing: 0.16em !important; }" });
      for (const key of ["F2", "F3"]) {
        await press(tab, key);
        await advance(500);
        const clashes = await tab.evaluate(() => {
          const frame = document.querySelector(".dialog-layer.shown .dialog");
          const inside = (a, b) => a.left >= b.left && a.right <= b.right && a.top >= b.top &&
            a.bottom <= b.bottom;
          const meet = (a, b) => a.left < b.right && b.left < a.right && a.top < b.bottom &&
            b.top < a.bottom;
          const controls = [...frame.querySelectorAll(".client > *")].filter((e) => !e.hidden);
          const found = [];
          for (const label of controls.filter((e) => e.tagName === "LABEL")) {
            const range = document.createRange();
            range.selectNodeContents(label);
            const text = range.getBoundingClientRect();
            if (!inside(text, frame.getBoundingClientRect())) found.push(`${label.textContent}: outside`);
            const cut = label.scrollHeight > label.clientHeight || label.scrollWidth > label.clientWidth;
            if (cut && getComputedStyle(label).overflow !== "visible") found.push(`${label.textContent}: cut`);
            for (const other of controls) {
              if (other !== label && meet(text, other.getBoundingClientRect()))
                found.push(`${label.textContent}: over ${other.tagName} ${other.textContent}`);
            }
          }
          return found;
        });
        assert.deepEqual(clashes, [], key);
        await press(tab, "Escape");
        await advance(500);
      }
    } finally {
      await close();
    }
  },
};

require("./run_cases.cjs").run(cases);
