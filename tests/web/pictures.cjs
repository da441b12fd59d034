// The canvas's pixels and the Linux build's headless rendering of the same
// state, and where they may differ: inside the texts, whose glyphs come from
// another font engine.
const { execFileSync } = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");

// RGBA bytes of the canvas, with its size in device pixels.
async function canvasImage(tab) {
  const { width, height, base64 } = await tab.evaluate(() => {
    const canvas = document.getElementById("screen");
    const data = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
    let text = "";
    for (let i = 0; i < data.length; i += 0x8000)
      text += String.fromCharCode.apply(null, data.subarray(i, i + 0x8000));
    return { width: canvas.width, height: canvas.height, base64: btoa(text) };
  });
  return { width, height, data: Buffer.from(base64, "base64") };
}

// The Linux rendering: the snapshot tool's commands, then the picture.
function linuxImage(snapshot, commands) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), "ondulane-linux-"));
  const png = path.join(folder, "linux.png");
  try {
    execFileSync(snapshot, [...commands, "save", png], {
      env: { ...process.env, QT_QPA_PLATFORM: "offscreen" },
      stdio: ["ignore", "ignore", "inherit"],
    });
    const size = execFileSync("identify", ["-format", "%w %h", png]).toString().split(" ");
    const data = execFileSync("convert", [png, "-depth", "8", "rgba:-"], { maxBuffer: 1 << 28 });
    return { width: +size[0], height: +size[1], data };
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

function samePixel(a, b, i) {
  return a.data[i] === b.data[i] && a.data[i + 1] === b.data[i + 1] && a.data[i + 2] === b.data[i + 2];
}

// The boxes of the texts: the ink that the same state shows with texts and
// not without, in groups of glyphs close together, widened for glyphs of
// other widths.
function textBoxes(withTexts, withoutTexts) {
  const { width, height } = withTexts;
  const ink = [];
  for (let y = 0; y < height; ++y)
    for (let x = 0; x < width; ++x)
      if (!samePixel(withTexts, withoutTexts, 4 * (y * width + x))) ink.push([x, y]);
  // Union-find of ink pixels within a letter's gap of each other.
  const GAP_X = 10, GAP_Y = 3;
  const at = new Map(ink.map(([x, y], i) => [y * width + x, i]));
  const parent = ink.map((_, i) => i);
  const root = (i) => (parent[i] === i ? i : (parent[i] = root(parent[i])));
  ink.forEach(([x, y], i) => {
    for (let dy = 0; dy <= GAP_Y; ++dy)
      for (let dx = -GAP_X; dx <= GAP_X; ++dx) {
        const j = at.get((y + dy) * width + x + dx);
        if (j !== undefined && y + dy < height) parent[root(j)] = root(i);
      }
  });
  const boxes = new Map();
  ink.forEach(([x, y], i) => {
    const r = root(i);
    const b = boxes.get(r) || { left: x, top: y, right: x, bottom: y };
    b.left = Math.min(b.left, x), b.right = Math.max(b.right, x);
    b.top = Math.min(b.top, y), b.bottom = Math.max(b.bottom, y);
    boxes.set(r, b);
  });
  return [...boxes.values()].map((b) => {
    const widen = Math.max(4, Math.ceil((b.right - b.left) * 0.12));
    return { left: b.left - widen, top: b.top - 3, right: b.right + widen, bottom: b.bottom + 3 };
  });
}

// Differing pixels in all, and outside the boxes.
function difference(a, b, boxes) {
  if (a.width !== b.width || a.height !== b.height)
    throw new Error(`sizes differ: ${a.width}x${a.height} and ${b.width}x${b.height}`);
  let all = 0, outside = 0;
  const where = [];
  for (let y = 0; y < a.height; ++y)
    for (let x = 0; x < a.width; ++x) {
      if (samePixel(a, b, 4 * (y * a.width + x))) continue;
      ++all;
      if (boxes.some((r) => x >= r.left && x <= r.right && y >= r.top && y <= r.bottom)) continue;
      if (++outside <= 5) where.push(`${x},${y}`);
    }
  return { all, inTexts: all - outside, outside, where };
}

module.exports = { canvasImage, linuxImage, textBoxes, difference };
