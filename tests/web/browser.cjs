// Opens a copy of the one-file page, alone in a fresh folder, from file://
// in the system's headless Chromium, with every network request failed; or
// in a window on the display, to assistive technology there.
const fs = require("fs");
const os = require("os");
const path = require("path");
const puppeteer = require("puppeteer-core");

const CHROMIUM = process.env.CHROMIUM || "/usr/bin/chromium";

// Whether the program has shown its window: the canvas has the device
// pixels of its box on the page, which it takes with the first picture put
// on it.
function shown() {
  const canvas = document.getElementById("screen");
  const box = canvas.getBoundingClientRect();
  const near = (pixels, css) => Math.abs(pixels - css * devicePixelRatio) < 1;
  return near(canvas.width, box.width) && near(canvas.height, box.height);
}

// Asked without the page's timers, which may stand still; a page that never
// shows its window fails rather than keeping the test waiting.
const SHOWN_WITHIN_MS = 120000;
async function untilShown(tab) {
  const givenUp = Date.now() + SHOWN_WITHIN_MS;
  while (!(await tab.evaluate(shown))) {
    if (Date.now() > givenUp) {
      const seen = await tab.evaluate(() => {
        const canvas = document.getElementById("screen");
        const box = canvas.getBoundingClientRect();
        return `${canvas.width} by ${canvas.height} pixels for ${box.width} by ${box.height} CSS px at ${devicePixelRatio}x`;
      });
      throw new Error(`the program did not show its window: the canvas has ${seen}`);
    }
    await new Promise((resolve) => setTimeout(resolve, 10));
  }
}

// The page's start held back until the test calls start(): its fonts, and
// with them the program, wait.
function holdStart() {
  const load = document.fonts.load.bind(document.fonts);
  const held = new Promise((resolve) => (window.startProgram = resolve));
  document.fonts.load = (...args) => held.then(() => load(...args));
}

// Opens `page` (a path) with the URL's query `search` and waits for the
// program's window, unless `held`: then the program starts with start().
// A `visible` page has a window and its accessibility tree on the desktop's
// accessibility bus. The browser's `languages` are fixed, whatever the
// machine's.
// Returns the browser, the tab, and the requests that were refused.
async function openPage(
  pagePath,
  {
    search = "", width = 1000, height = 700, scale = 1, touch = false, beforeLoad = null,
    realClock = false, held = false, device = false, visible = false, languages = "en-US,en",
  } = {},
) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), "ondulane-page-"));
  const copy = path.join(folder, "ondulane.html");
  fs.copyFileSync(pagePath, copy);
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: !visible,
    env: visible ? { ...process.env, ACCESSIBILITY_ENABLED: "1" } : process.env,
    // A touch device stays one when a test resizes or turns its view.
    defaultViewport: visible ? null
      : { width, height, deviceScaleFactor: scale, hasTouch: touch, isMobile: device && touch },
    args: [
      "--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
      "--disable-component-update", "--disable-sync", `--user-data-dir=${folder}/profile`,
      `--lang=${languages.split(",")[0]}`, `--accept-lang=${languages}`,
      ...(visible ? ["--force-renderer-accessibility", `--window-size=${width},${height}`] : []),
    ],
  });
  const tab = (await browser.pages())[0] || (await browser.newPage());
  const url = "file://" + copy + search;
  const refused = [];
  await tab.setRequestInterception(true);
  tab.on("request", (request) => {
    const asked = request.url();
    // The page itself, with whatever link it loads itself again with.
    if (asked.split("?")[0] === "file://" + copy || asked.startsWith("data:")) request.continue();
    else refused.push(asked), request.abort();
  });
  const errors = [];
  tab.on("pageerror", (e) => errors.push(String(e)));
  // A device's screen is as large as its viewport, as a phone's or a
  // tablet's is; without, headless Chromium's screen is 800 by 600.
  if (device) {
    const cdp = await tab.createCDPSession();
    await cdp.send("Emulation.setDeviceMetricsOverride", {
      width, height, deviceScaleFactor: scale, mobile: touch, screenWidth: width,
      screenHeight: height,
    });
  }
  if (beforeLoad) await tab.evaluateOnNewDocument(beforeLoad);
  if (held) await tab.evaluateOnNewDocument(holdStart);
  await tab.goto(url, { waitUntil: "load" });
  // Once the window shows, the page's clock stands still but for advance():
  // ticks come only when a test lets time pass, however fast the machine.
  // Not before: the program's start may wait on a timer of its own.
  const cdp = await tab.createCDPSession();
  const shownThenStill = async () => {
    await untilShown(tab);
    if (!realClock) await cdp.send("Emulation.setVirtualTimePolicy", { policy: "pause" });
  };
  const start = async () => {
    await tab.evaluate(() => window.startProgram());
    await shownThenStill();
  };
  if (!held) await shownThenStill();
  const advance = async (ms) => {
    const expired = new Promise((resolve) => cdp.once("Emulation.virtualTimeBudgetExpired", resolve));
    await cdp.send("Emulation.setVirtualTimePolicy", { policy: "advance", budget: ms });
    await expired;
  };
  const close = async () => {
    await browser.close();
    fs.rmSync(folder, { recursive: true, force: true });
  };
  return { browser, tab, refused, errors, close, advance, start };
}

module.exports = { openPage };
