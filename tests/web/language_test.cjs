// The page in the student's language: chosen by a teacher's ?lang= or by
// the browser's languages, the page's own words and the program's in it,
// and the bar's menu that changes it.
const assert = require("assert/strict");
const { execFileSync } = require("child_process");
const { RUN_MS, dialog, press } = require("./steps.cjs");

// What the page says in a language, by its catalogue's name: its tag, the
// words after the keys, the menu's name, the program's subtitle, F2's
// caption and its close box.
const SAYS = Object.fromEntries([
  ["en", "en", ["Start, pause, resume", "Reset", "Load and source", "Supporting text"], "Language",
    "Interaction between source and load", "Load value", "Close"],
  ["de", "de", ["Start, Pause, Fortsetzen", "Zurücksetzen", "Last und Quelle", "Erläuterungen"], "Sprache",
    "Wechselwirkung zwischen Quelle und Last", "Lastwert", "Schließen"],
  ["fr", "fr", ["Démarrer, suspendre, reprendre", "Réinitialiser", "Charge et source", "Texte explicatif"],
    "Langue", "Interaction entre la source et la charge", "Valeur de la charge", "Fermer"],
  ["ja", "ja", ["開始・一時停止・再開", "リセット", "負荷と信号源", "解説"], "言語", "信号源と負荷の相互作用",
    "負荷の値", "閉じる"],
  ["pt_BR", "pt-BR", ["Iniciar, pausar, retomar", "Reiniciar", "Carga e fonte", "Texto de apoio"], "Idioma",
    "Interação entre fonte e carga", "Valor da carga", "Fechar"],
  ["zh_TW", "zh-TW", ["開始、暫停、繼續", "重設", "負載與訊號源", "說明文字"], "語言", "訊號源與負載的交互作用",
    "負載值", "關閉"],
].map(([name, tag, words, menu, subtitle, caption, close]) =>
  [name, { tag, words, menu, subtitle, caption, close }]));
const KEYS = ["ENTER", "F1", "F2", "F3"];
// Every language the page carries, by its catalogue's name.
const LANGUAGES = ["ar", "de", "en", "es", "fa", "fr", "id", "it", "ja", "ko", "pl", "pt_BR", "ru", "tr", "uk",
  "vi", "zh_CN", "zh_TW"];

// The way each language reads, and the first impedances of a default run
// among its figures as text, in the order they are written.
const READING = [
  ["en", "ltr", ["Z1 = 46.2 - j19.2 ohms", "Z2 = 33.3 + j0 ohms", "Z3 = 46.2 + j19.2 ohms", "Z4 = 75.0 + j0 ohms"]],
  ["fa", "rtl", ["Z۱ = ۴۶٫۲ - j۱۹٫۲ اهم", "Z۲ = ۳۳٫۳ + j۰ اهم", "Z۳ = ۴۶٫۲ + j۱۹٫۲ اهم", "Z۴ = ۷۵٫۰ + j۰ اهم"]],
  ["ar", "rtl", ["Z1 = 46.2 - j19.2 أوم", "Z2 = 33.3 + j0 أوم", "Z3 = 46.2 + j19.2 أوم", "Z4 = 75.0 + j0 أوم"]],
];

// Words of the Persian and Arabic catalogues, in the weight and cell height
// (pixels) the page draws them in.
const JOINED = [["اهم", 1, 16], ["ولت", 1, 33], ["برهم‌کنش", 1, 24], ["بازنشانی", 0, 20], ["منبع", 1, 40],
  ["التوضيحي", 1, 20]];

// HarfBuzz's layout of a text in Debian's Noto Sans Arabic at `px` pixels,
// which the page's face is cut from: its advance in whole pixels, and how far
// its ink reaches above and below the line.
function harfBuzz(text, bold, px) {
  const font = `/usr/share/fonts/truetype/noto/NotoSansArabic-${bold ? "Bold" : "Regular"}.ttf`;
  // In 64ths of a pixel.
  const glyphs = JSON.parse(execFileSync("hb-shape", ["--output-format=json", "--show-extents",
    `--font-size=${64 * px}`, font, text]).toString());
  return {
    advance: Math.round(glyphs.reduce((sum, g) => sum + g.ax, 0) / 64),
    above: Math.max(...glyphs.map((g) => g.dy + g.yb)) / 64,
    below: Math.max(...glyphs.map((g) => -(g.dy + g.yb + g.h))) / 64,
  };
}

const said = (tab) => tab.evaluate(() => {
  const menu = document.getElementById("language");
  return {
    tag: document.documentElement.lang,
    words: [...document.querySelectorAll("#bar .words")].map((e) => e.textContent.trim()),
    names: [...document.querySelectorAll("#bar button")].map((b) => b.getAttribute("aria-label")),
    menu: menu.getAttribute("aria-label"),
    chosen: menu.value,
    texts: [...document.querySelectorAll("#texts p, #texts h1")].map((e) => e.textContent.trim()),
    focus: document.activeElement.id,
  };
});

// The page and the program in `language`, and F2's dialog.
async function assertSays(tab, advance, language, what) {
  const expected = SAYS[language];
  const got = await said(tab);
  const message = `${what}: ${JSON.stringify(got)}`;
  assert.equal(got.tag, expected.tag, message);
  assert.deepEqual(got.words, expected.words, message);
  assert.deepEqual(got.names, KEYS.map((key, i) => `${key} ${expected.words[i]}`), message);
  assert.equal(got.menu, expected.menu, message);
  assert.equal(got.chosen, language, message);
  assert.ok(got.texts.includes(expected.subtitle), message);
  await press(tab, "F2");
  await advance(500);
  const close = await tab.evaluate(() =>
    document.querySelector(".dialog-layer.shown .close").getAttribute("aria-label"));
  assert.deepEqual([(await dialog(tab)).caption, close], [expected.caption, expected.close], what);
  await press(tab, "Escape");
  await advance(500);
}

const cases = {
  // A teacher's ?lang= first, else the browser's first language the program
  // speaks (with its country, else without, else the first of its
  // language), else English.
  async chosen(page, open) {
    for (const [search, languages, language] of [
      ["?lang=de", "en-US,en", "de"],
      ["?lang=ja", "en-US,en", "ja"],
      ["", "fr-CA,fr", "fr"],
      ["", "pt,en", "pt_BR"],
      ["", "zh-HK,en", "zh_TW"],
      ["?lang=xx", "de-DE,de", "en"],
      ["?lang=pt-BR", "en-US,en", "pt_BR"],
      ["?lang=pt_BR", "en-US,en", "pt_BR"],
    ]) {
      const { tab, advance, close } = await open({ search, languages });
      try {
        await assertSays(tab, advance, language, `${search} in ${languages}`);
      } finally {
        await close();
      }
    }
  },

  // The menu names each language in its own words; choosing another from
  // it by keyboard (English, after Deutsch) loads the page in that language
  // with the link's other values kept, the keyboard back on the menu.
  async menu(page, open) {
    const { tab, close } = await open({ search: "?load=150&lang=de", realClock: true });
    try {
      const options = await tab.evaluate(() =>
        [...document.querySelectorAll("#language option")].map((o) => [o.value, o.text, o.lang]));
      assert.deepEqual(options.map((o) => o[0]).sort(), LANGUAGES);
      for (const own of [["de", "Deutsch", "de"], ["en", "English", "en"], ["ja", "日本語", "ja"],
        ["pt_BR", "português (Brasil)", "pt-BR"]])
        assert.ok(options.some((o) => o.join() === own.join()), `${own}: ${options}`);
      await tab.focus('#bar button[data-key="F3"]');
      await press(tab, "Tab");
      const ring = await tab.evaluate(() => parseFloat(getComputedStyle(document.activeElement).outlineWidth));
      assert.ok(ring >= 2, "the menu's focus is not shown");
      await Promise.all([tab.waitForNavigation({ waitUntil: "load" }), press(tab, "ArrowDown")]);
      await tab.waitForFunction(() => document.querySelector("#texts h1"));
      const got = await said(tab);
      assert.deepEqual([got.tag, got.chosen, got.focus], ["en", "en", "language"]);
      const query = await tab.evaluate(() => Object.fromEntries(new URLSearchParams(location.search)));
      assert.deepEqual(query, { load: "150", lang: "en" });
      await press(tab, "F2");
      await tab.waitForFunction(() => document.querySelector(".dialog-layer.shown"));
      assert.deepEqual((await dialog(tab)).fields[0], "150");
    } finally {
      await close();
    }
  },

  // A language read from the right has its bar, its dialogs and its
  // figures as text read from the right, the picture laid out as in every
  // language; each figure keeps its characters in the order written.
  async reading_order(page, open) {
    for (const [language, way, impedances] of READING) {
      const { tab, advance, close } = await open({ search: `?lang=${language}` });
      try {
        await press(tab, "Enter");
        await advance(RUN_MS);
        await press(tab, "F2");
        await advance(500);
        const got = await tab.evaluate(() => {
          const way = (selector) => getComputedStyle(document.querySelector(selector)).direction;
          return {
            ways: ["#bar", ".dialog-layer.shown .dialog", "#figures", "#texts", "#screen"].map(way),
            screenTurned: document.getElementById("screen").closest("[dir]") !== null,
            figures: [...document.querySelectorAll("#figures p")].map((p) => p.textContent),
          };
        });
        assert.deepEqual(got.ways, [way, way, way, way, "ltr"], language);
        assert.equal(got.screenTurned, false, language);
        assert.deepEqual(got.figures.filter((f) => /^Z\S+ = /.test(f)).slice(0, 4), impedances, language);
      } finally {
        await close();
      }
    }
  },

  // Letters that join are drawn joined: a word's advance as the page draws
  // it is HarfBuzz's for the joined forms in the same face at the same
  // size, which its letters' isolated forms side by side do not give, and
  // its ink lies whole from the text's origin on, as high and as deep as
  // HarfBuzz's, within a pixel.
  async joined_letters(page, open) {
    const { tab, close } = await open({ search: "?lang=fa" });
    try {
      for (const [word, bold, cellHeight] of JOINED) {
        const drawn = await tab.evaluate((word, bold, cellHeight) => {
          const runs = [];
          const advance = Glyphs.shape(bold, cellHeight, 0, word, true, runs);
          const xs = runs.flatMap((r, i) => (i % 3 === 0 ? [r, r + runs[i + 2]] : []));
          const ys = runs.filter((r, i) => i % 3 === 1);
          const m = Glyphs.metricsForCell(Glyphs.face(bold), cellHeight);
          return { advance, px: m.px, baseline: m.ascent, left: Math.min(...xs), right: Math.max(...xs),
            top: Math.min(...ys), bottom: Math.max(...ys) + 1 };
        }, word, bold, cellHeight);
        const joined = harfBuzz(word, bold, drawn.px);
        const isolated = [...word].reduce((sum, c) => sum + harfBuzz(c, bold, drawn.px).advance, 0);
        const message = `${word}: ${JSON.stringify(drawn)} ${JSON.stringify(joined)}`;
        assert.notEqual(joined.advance, isolated, message);
        assert.equal(drawn.advance, joined.advance, message);
        assert.ok(drawn.left >= -1 && drawn.right <= drawn.advance + 1, message);
        assert.ok(Math.abs(drawn.baseline - drawn.top - joined.above) <= 1, message);
        assert.ok(Math.abs(drawn.bottom - drawn.baseline - joined.below) <= 1, message);
      }
    } finally {
      await close();
    }
  },
};

require("./run_cases.cjs").run(cases);
