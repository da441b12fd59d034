// What Orca says of the page, in a Chromium window on the display that
// orca_test.sh started with Orca listening: a run with load 22 and source
// 120, say all over the finished run's texts, then F2 and F3 opened and
// closed. node heard.cjs PAGE SNAPSHOT; ORCA_HARNESS is orca.bash, whose
// spoken, now_ms and speaking_ms read Orca's log (ORCA_LOG) and time speech.
const { execFileSync } = require("child_process");
const fs = require("fs");
const { openPage } = require("./browser.cjs");

const [PAGE, SNAPSHOT] = process.argv.slice(2);
const LINK = "?load=22&source=120";
const RUN_MS = 48000;  // the run, from ENTER to its last tick
const HEARD_WITHIN_MS = 5000;  // a voltage or the power, from given to said
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

const harness = (command, ...args) => execFileSync("bash",
  ["-c", 'source "$0"; "$@"', process.env.ORCA_HARNESS, command, ...args]).toString();
// [{at, words}]: what Orca said, at ms since midnight.
const spoken = () => harness("spoken").split("\n").filter(Boolean).map((line) => {
  const [at, ...words] = line.split("\t");
  return { at: Number(at), words: words.join("\t") };
});
const nowMs = () => Number(harness("now_ms"));
const said = (since) => spoken().filter((s) => s.at >= since).map((s) => s.words);
// The texts say all read, each as Orca took it, since `since`.
const sayAll = (since) => fs.readFileSync(process.env.ORCA_LOG, "latin1").split("\n").flatMap((line) => {
  const m = /^(\d\d):(\d\d):([\d.]+) - WEB SAY ALL: \[([^|]*)\| [^\]]*\] '(.*)' \(/.exec(line);
  if (!m || (m[1] * 3600 + m[2] * 60 + Number(m[3])) * 1000 < since) return [];
  return [{ role: m[4].trim(), text: m[5] }];
});
const key = (name) => execFileSync("xdotool", ["key", name]);

// Waits until `done()` or `ms` have passed.
async function until(done, ms) {
  for (const end = Date.now() + ms; Date.now() < end && !done();) await sleep(250);
}

// The page's log entries as they come, [text, Date.now()], and when it took
// the first ENTER.
function watchLog() {
  window.given = [];
  new MutationObserver((changes) => changes.forEach((c) => c.addedNodes.forEach((e) =>
    window.given.push([e.textContent, Date.now()]))))
    .observe(document.getElementById("announcements"), { childList: true });
  document.addEventListener("keydown", (e) => e.key === "Enter" && (window.entered ??= Date.now()), true);
}

// When each would be heard from a synthesiser saying one after another,
// each as soon as it is given and the one before is said: [start, end].
function heardAt(given) {
  let free = 0;
  return given.map(([text, at]) => {
    const start = Math.max(at, free);
    free = start + Number(harness("speaking_ms", text));
    return [start, free];
  });
}

async function main() {
  const faults = [];
  const expect = (ok, what) => ok || faults.push(what);
  const { tab, close } = await openPage(PAGE, { search: LINK, visible: true, realClock: true });
  try {
    await tab.evaluate(watchLog);
    // The keyboard into the page, as a click on the picture gives it.
    const [x, y] = await tab.evaluate(() => {
      const b = document.getElementById("screen").getBoundingClientRect();
      return [screenX + b.left + b.width / 2, screenY + outerHeight - innerHeight + b.top + b.height / 2];
    });
    execFileSync("xdotool", ["mousemove", String(Math.round(x)), String(Math.round(y)), "click", "1"]);
    const opened = nowMs();
    await until(() => said(opened).some((w) => w.includes("The line, drawn")), 10000);

    // A run: each utterance the core gives is said once, in the order given.
    const hear = execFileSync(SNAPSHOT, ["load", "22", "source", "120", "enter", "hear", "960"],
      { env: { ...process.env, QT_QPA_PLATFORM: "offscreen" } }).toString()
      .split("\n").filter(Boolean).map((line) => line.split("\t")[1]);
    const started = nowMs();
    key("Return");
    const given = async () => tab.evaluate(() => window.given);
    let log = [];
    await sleep(RUN_MS);
    for (let i = 0; i < 40 && (log = await given()).length < hear.length; ++i) await sleep(250);
    await until(() => said(started).includes(hear[hear.length - 1]), 10000);
    const texts = log.map(([text]) => text);
    expect(JSON.stringify([...texts].sort()) === JSON.stringify([...hear].sort()),
      `the page gave ${JSON.stringify(texts)}, the core says ${JSON.stringify(hear)}`);

    // Paced for a listener: each voltage and the power heard soon after it
    // is given, and all soon after the run's end.
    const heard = heardAt(log);
    log.forEach(([text, at], i) => {
      if (/^\d+\.\d+V$|^Power/.test(text))
        expect(heard[i][1] - at <= HEARD_WITHIN_MS, `"${text}" heard ${heard[i][1] - at} ms after given`);
    });
    // The run ends when it gives the power: at 48 s, or later where its
    // ticks come late on a busy machine.
    const entered = await tab.evaluate(() => window.entered);
    const power = log.find(([text]) => text.startsWith("Power"));
    const runEnd = Math.max(RUN_MS, power ? power[1] - entered : 0);
    const last = heard.length ? heard[heard.length - 1][1] - entered : 0;
    expect(last <= runEnd + HEARD_WITHIN_MS, `all heard ${last} ms after ENTER, the run ending at ${runEnd}, given at ` +
      log.map(([text, at], i) => `${at - entered} ms (heard ${heard[i][1] - entered}): ${text}`).join(", "));

    // Say all takes the texts over the picture one by one.
    const layer = await tab.evaluate(() =>
      [...document.querySelectorAll("#texts h1, #texts p")].map((e) => e.textContent.trim()));
    // Read to the end: a dialog opened while Orca still reads would lose
    // the keyboard to where say all puts the caret.
    const reading = nowMs();
    key("KP_Add");
    for (let count = -1; count !== sayAll(reading).length && nowMs() < reading + 60000;) {
      count = sayAll(reading).length;
      await sleep(3000);
    }
    const items = sayAll(reading).filter((s) => ["paragraph", "heading"].includes(s.role));
    const read = items.slice(0, items.findIndex((s) => /^leaving main/.test(s.text)))
      .map((s) => s.text.trim()).filter((t) => !/^heading level/.test(t));
    expect(JSON.stringify(read) === JSON.stringify(layer),
      `say all read ${JSON.stringify(read)} of ${JSON.stringify(layer)}`);

    // Each dialog named as it opens, F3's text said after its name; nothing
    // of the run said again once it closes.
    for (const name of ["F2", "F3"]) {
      const pressed = nowMs();
      key(name);
      await until(() => said(pressed).some((w) => w.includes(" dialog")), 5000);
      const words = await tab.evaluate(() => {
        const frame = document.querySelector(".dialog-layer.shown .dialog");
        const text = frame?.querySelector("textarea")?.value.replace(/\s+/g, " ").slice(0, 80);
        return frame && `${frame.querySelector(".caption span").textContent} dialog${text ? " " + text : ""}`;
      });
      expect(words && said(pressed).some((w) => w.startsWith(words)), `${name}: "${words}" not said`);
      const closed = nowMs();
      key("Escape");
      await sleep(4000);
      const again = said(closed).filter((w) => texts.includes(w));
      expect(!again.length, `${name} closed: ${JSON.stringify(again)} said again`);
    }
    const ofRun = said(started).filter((w) => texts.includes(w));
    expect(JSON.stringify(ofRun) === JSON.stringify(texts),
      `Orca said ${JSON.stringify(ofRun)} of ${JSON.stringify(texts)}`);
    console.log(spoken().filter((s) => s.at >= opened).map((s) => `SPEECH OUTPUT: '${s.words}'`).join("\n"));
  } finally {
    await close();
  }
  if (faults.length) throw new Error(faults.join("\n"));
}

main().then(() => process.exit(0), (e) => {
  console.error(e.message || e);
  process.exit(1);
});
