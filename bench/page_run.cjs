// The page's main-thread time over one whole default run in headless
// Chromium, on the browser's own clock: ENTER, then the run left to end,
// traced. Prints "tick_median_us tick_worst_us busy_percent ticks": the
// main-thread task that runs a tick (the program's script, its drawing and
// the putting of the changes on the canvas), and the main thread's busy
// share over the run.
// Usage: NODE_PATH=.../node_modules node page_run.cjs PAGE
const { openPage } = require("../tests/web/browser.cjs");

const RUN_MS = 960 * 50 + 1000;

// Complete events of the renderer's main thread, oldest first.
function mainThreadEvents(trace) {
  const events = JSON.parse(trace).traceEvents;
  const main = events.find((e) => e.name === "thread_name" && e.args.name === "CrRendererMain");
  return events
    .filter((e) => main && e.pid === main.pid && e.tid === main.tid && e.ph === "X")
    .sort((a, b) => a.ts - b.ts);
}

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

async function main() {
  const { tab, close } = await openPage(process.argv[2], { realClock: true });
  try {
    await tab.tracing.start({ categories: ["toplevel", "devtools.timeline"] });
    const start = await tab.evaluate(() => performance.now());
    await tab.keyboard.press("Enter");
    await new Promise((resolve) => setTimeout(resolve, RUN_MS));
    const end = await tab.evaluate(() => performance.now());
    const events = mainThreadEvents(Buffer.from(await tab.tracing.stop()).toString());
    const tasks = events.filter((e) => e.name === "RunTask" || e.name === "ThreadControllerImpl::RunTask");
    const timers = events.filter((e) => e.name === "TimerFire");
    // The task each timer fired in: the program's tick runs there.
    const tickTasks = new Set();
    for (const t of timers) {
      const task = tasks.find((k) => k.ts <= t.ts && t.ts <= k.ts + k.dur);
      if (task) tickTasks.add(task);
    }
    const ticks = [...tickTasks].map((k) => k.dur);
    const busy = tasks.reduce((sum, e) => sum + e.dur, 0) / 1000 / (end - start);
    console.log(
      median(ticks).toFixed(0),
      Math.max(...ticks).toFixed(0),
      (100 * busy).toFixed(2),
      ticks.length,
    );
  } finally {
    await close();
  }
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
