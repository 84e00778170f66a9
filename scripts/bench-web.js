// bench-web.js - the web page's CPU share at 1920x1080 in headless Chromium
// while the longitudinal wave runs, against a bare canvas of the same size
// that puts a band of the same size at the same rate (the floor), and the
// page's first picture with the marks on its way (its script's start, the
// WebAssembly unpacked, compiled and instantiated, the runtime ready) in the
// fastest load.  Run by scripts/bench.sh:
//   NODE_PATH=.../node_modules node bench-web.js PAGE.html SECONDS ROUNDS
// Prints "label|page|floor" lines.  CPU is that of every process of the
// browser (browser, renderer, GPU), from /proc, in percent of one core.
'use strict';
const puppeteer = require('puppeteer-core');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { processTree } = require('./proc-tree');

const [pageFile, secondsArg, roundsArg] = process.argv.slice(2);
const seconds = Number(secondsArg || 8);
const rounds = Number(roundsArg || 2);
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'osk-bench-web-'));
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const ticksPerSecond = 100;  // USER_HZ

function cpuTicks(root) {
  let sum = 0;
  for (const pid of processTree(root)) {
    try {
      const fields = fs.readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
      sum += Number(fields[11]) + Number(fields[12]);  // utime, stime
    } catch (e) { /* gone */ }
  }
  return sum;
}

async function share(browser, during) {
  const root = browser.process().pid;
  const before = cpuTicks(root);
  const start = Date.now();
  await during();
  const elapsed = (Date.now() - start) / 1000;
  return (cpuTicks(root) - before) / ticksPerSecond / elapsed * 100;
}

// Every putImageData of the page, recorded before its scripts run.
function recordPuts() {
  window.__puts = { count: 0, pixels: 0, width: 0, height: 0 };
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function(image, x, y, dx, dy, dw, dh) {
    const w = dw === undefined ? image.width : dw;
    const h = dh === undefined ? image.height : dh;
    window.__puts.count++;
    window.__puts.pixels += w * h;
    window.__puts.width = w;
    window.__puts.height = h;
    return put.apply(this, arguments);
  };
}

async function runPage(browser) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1920, height: 1080 });
  await page.evaluateOnNewDocument(recordPuts);
  await page.goto('file://' + path.resolve(pageFile) + '?screen=1920x1080');
  await page.waitForFunction(() => window.osk && window.osk.firstPictureMs !== null, { timeout: 30000 });
  const first = await page.evaluate(() => window.osk.firstPictureMs);
  // The page's marks on the way to the first picture (app/web_page.html).
  const steps = await page.evaluate(() => Object.fromEntries(performance.getEntriesByType('mark')
    .filter((m) => m.name.startsWith('osk-')).map((m) => [m.name.slice(4), m.startTime])));
  await page.keyboard.press('KeyL');
  await sleep(300);
  await page.keyboard.press('Space');
  await sleep(1500);
  const a = await page.evaluate(() => ({ n: window.osk.refreshes, puts: { ...window.__puts },
                                         w: document.getElementById('screen').width,
                                         h: document.getElementById('screen').height }));
  const start = Date.now();
  const cpu = await share(browser, () => sleep(seconds * 1000));
  const b = await page.evaluate(() => ({ n: window.osk.refreshes, puts: { ...window.__puts } }));
  const elapsed = (Date.now() - start) / 1000;
  await page.close();
  const puts = b.puts.count - a.puts.count;
  return { first, steps, cpu, rate: (b.n - a.n) / elapsed, putRate: puts / elapsed,
           bandPixels: puts ? (b.puts.pixels - a.puts.pixels) / puts : 0, canvasWidth: a.w, canvasHeight: a.h };
}

async function runFloor(browser, shape) {
  const bandWidth = shape.canvasWidth;
  const bandHeight = Math.max(1, Math.min(shape.canvasHeight, Math.round(shape.bandPixels / bandWidth)));
  const html = `<!DOCTYPE html><html><body style="margin:0;background:#222">
<canvas id="c" width="${shape.canvasWidth}" height="${shape.canvasHeight}"
  style="image-rendering:pixelated;width:100vw;height:${(100 * shape.canvasHeight / shape.canvasWidth).toFixed(3)}vw"></canvas>
<script>
const context = document.getElementById('c').getContext('2d');
const band = context.createImageData(${bandWidth}, ${bandHeight});
let n = 0;
setInterval(function() {
  n++;
  for (let i = 0; i < band.data.length; i += 4) { band.data[i] = (i + n) & 255; band.data[i + 3] = 255; }
  context.putImageData(band, 0, ${Math.max(0, Math.round((shape.canvasHeight - bandHeight) / 2))});
}, ${(1000 / Math.max(shape.putRate, 1)).toFixed(1)});
</script></body></html>`;
  const file = path.join(work, 'floor.html');
  fs.writeFileSync(file, html);
  const page = await browser.newPage();
  await page.setViewport({ width: 1920, height: 1080 });
  await page.goto('file://' + file);
  await sleep(1500);
  const cpu = await share(browser, () => sleep(seconds * 1000));
  await page.close();
  return cpu;
}

async function main() {
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: path.join(work, 'profile'),
    args: ['--no-sandbox', '--no-first-run', '--disable-background-networking', '--disable-component-update',
           '--disable-sync', '--allow-file-access-from-files'],
  });
  try {
    let best = null;
    let floor = Infinity;
    let first = Infinity;
    let fastest = null;
    for (let r = 0; r < rounds; r++) {
      const p = await runPage(browser);
      if (p.first < first) fastest = p;
      first = Math.min(first, p.first);
      if (!best || p.cpu < best.cpu) best = p;
      floor = Math.min(floor, await runFloor(browser, best));
    }
    const band = `${best.canvasWidth}x${Math.round(best.bandPixels / best.canvasWidth)} at ${best.putRate.toFixed(1)}/s`;
    console.log(`web 1920x1080 CPU|${best.cpu.toFixed(2)} %|${floor.toFixed(2)} %`);
    console.log(`web page/floor|${(best.cpu / floor).toFixed(2)}x|${band}`);
    console.log(`web first picture|${first.toFixed(0)} ms|${(fs.statSync(pageFile).size / 1024).toFixed(0)} KiB`);
    const at = (name) => (fastest.steps[name] === undefined ? '-' : fastest.steps[name].toFixed(0));
    console.log(`web  script/unpacked|${at('page-script')} ms|${at('wasm-unpacked')} ms`);
    console.log(`web  compiled/instantiated|${at('wasm-compiled')} ms|${at('wasm-instantiated')} ms`);
    console.log(`web  runtime/picture|${at('runtime-ready')} ms|${at('first-picture')} ms`);
  } finally {
    await browser.close();
    fs.rmSync(work, { recursive: true, force: true });
  }
}

main().catch((e) => { console.error(e); process.exit(1); });
