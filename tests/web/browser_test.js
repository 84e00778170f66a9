// browser_test.js - out/web/osk.html in Debian's headless Chromium, page for
// page against the headless backend.
//
//   node browser_test.js PAGE.html OSK_BINARY [SCREENSHOT.png]
//
// (puppeteer-core from this directory's package-lock.json, found through
// NODE_PATH.)  The page runs with ?screen=1024x768&lang=C (the headless
// runs with --lang C: no check depends on the machine's language); the
// demonstration is
// driven by mouse and keys.  After every step the page's refresh count,
// page bytes, palette and title must equal the last refresh of
// `OSK --headless --script S --dump D` given the same events.  Where the
// browser's real clock decides the frame an event lands on (pausing a
// running wave), the headless script's wait before that event is searched
// until the headless run stops at the same refresh.  Also measured: load to
// first picture, CPU over 10 s of a running wave, frame pacing.  Last, the
// language: from the browser's languages, ?lang= above them, an unknown code
// giving English with a note on the console.
'use strict';
const puppeteer = require('puppeteer-core');
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const [pageFile, oskBinary, screenshotFile] = process.argv.slice(2);
if (!pageFile || !oskBinary) {
  console.error('usage: node browser_test.js PAGE.html OSK_BINARY [SCREENSHOT.png]');
  process.exit(2);
}
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'osk-browser-'));
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures++;
  return ok;
}

// ---- the headless side ----------------------------------------------------------

function readBmp(file) {
  const b = fs.readFileSync(file);
  const offset = b.readUInt32LE(10);
  const width = b.readInt32LE(18);
  const height = b.readInt32LE(22);
  const palette = b.subarray(54, 54 + 1024);  // blue, green, red, 0
  return { width, height, palette, pixels: b.subarray(offset, offset + width * height) };
}

let runs = 0;
// The headless run of these script lines: its refresh count and last refresh.
function headless(lines, lang = 'C') {
  const dir = path.join(work, `run${++runs}`);
  fs.mkdirSync(dir);
  const script = path.join(dir, 'script.osk');
  fs.writeFileSync(script, lines.join('\n') + '\n');
  execFileSync(oskBinary, ['--headless', '--lang', lang, '--screen', '1024x768', '--script', script, '--dump', dir],
               { stdio: ['ignore', 'ignore', 'pipe'] });
  // The titles are Latin-1, as the title strip shows them.
  const log = fs.readFileSync(path.join(dir, 'refreshes.txt'), 'latin1').trim().split('\n');
  const last = log[log.length - 1].split('\t');
  const result = { count: log.length, title: last[1], page: readBmp(path.join(dir, `refresh-${last[0]}.bmp`)) };
  fs.rmSync(dir, { recursive: true, force: true });
  return result;
}

// ---- the browser side -----------------------------------------------------------

let page;
let client;  // the client size the canvas shows
const script = [];  // the events so far, as headless script lines

// Waits until the refresh count has stayed the same for a while.
async function settled() {
  let last = -1;
  let sameFor = 0;
  for (let i = 0; i < 100 && sameFor < 3; i++) {
    await sleep(60);
    const now = await page.evaluate(() => window.osk.refreshes);
    sameFor = now === last ? sameFor + 1 : 0;
    last = now;
  }
  return last;
}

async function browserState() {
  return page.evaluate(() => {
    const p = window.osk.page();
    return { count: window.osk.refreshes, title: window.osk.title, width: p.width, height: p.height,
             pixels: Array.from(p.pixels), palette: Array.from(p.palette),
             types: [p.pixels.constructor.name, p.palette.constructor.name] };
  });
}

function samePage(b, h) {
  if (b.width !== h.page.width || b.height !== h.page.height) return false;
  if (b.types.join() !== 'Uint8Array,Uint8Array' || b.palette.length !== 1024) return false;
  if (b.palette.some((c, i) => c !== h.page.palette[i])) return false;
  for (let i = 0; i < b.pixels.length; i++) if (b.pixels[i] !== h.page.pixels[i]) return false;
  return b.pixels.length === h.page.pixels.length;
}

async function compare(what, expected) {
  await settled();
  const b = await browserState();
  const h = expected || headless(script);
  check(b.count === h.count && b.title === h.title && samePage(b, h),
        `${what}: refresh ${b.count} "${b.title}" (headless: ${h.count} "${h.title}")`);
}

// A client point of the window as a point on the page's canvas.
async function pagePoint(x, y) {
  const box = await (await page.$('#screen')).boundingBox();
  return { x: box.x + (x + 0.5) * box.width / client.width, y: box.y + (y + 0.5) * box.height / client.height };
}
async function click(x, y, button = 'left') {
  const p = await pagePoint(x, y);
  await page.mouse.click(p.x, p.y, { button });
  script.push(`${button === 'right' ? 'rclick' : 'click'} ${x} ${y}`);
}
const kDomKey = { n: 'KeyN', b: 'KeyB', t: 'KeyT', l: 'KeyL', q: 'KeyQ', r: 'KeyR', space: 'Space', right: 'ArrowRight' };
async function key(name) {
  await page.keyboard.press(kDomKey[name]);
  script.push(`key ${name}`);
}

// An event whose frame the browser's clock decided: the wait before it in
// the headless script is searched (the refresh count grows with it) until
// the headless run ends at the browser's refresh count.
async function timedCompare(what, eventLine, secondsSincePrevious) {
  const target = await settled();
  let lo = Math.max(0, Math.round(secondsSincePrevious * 1000) - 2000);
  let hi = Math.round(secondsSincePrevious * 1000) + 2000;
  let found = null;
  while (lo <= hi) {
    const mid = Math.floor((lo + hi) / 2);
    const h = headless([...script, `wait ${(mid / 1000).toFixed(3)}`, eventLine]);
    if (h.count === target) {
      found = { ms: mid, h };
      break;
    }
    if (h.count < target) lo = mid + 1; else hi = mid - 1;
  }
  if (!check(found !== null, `${what}: a headless wait that stops at refresh ${target}`)) return;
  script.push(`wait ${(found.ms / 1000).toFixed(3)}`, eventLine);
  await compare(what, found.h);
}

// Frame pacing and CPU while a wave runs for `seconds`.
async function measureRun(what, periodMs, seconds, cpu) {
  const before = await page.metrics();
  const t0 = await page.evaluate(() => performance.now());
  await sleep(seconds * 1000);
  const after = await page.metrics();
  const times = await page.evaluate((t) => window.osk.refreshTimes.filter((x) => x >= t), t0);
  const gaps = times.slice(1).map((t, i) => t - times[i]).sort((a, b) => a - b);
  const median = gaps[Math.floor(gaps.length / 2)];
  const mean = (times[times.length - 1] - times[0]) / gaps.length;
  check(median >= periodMs - 1 && median <= periodMs + 6 && mean >= periodMs - 1 && mean <= periodMs * 1.15,
        `${what}: ${gaps.length} frames, median ${median.toFixed(1)} ms, mean ${mean.toFixed(1)} ms, ` +
        `90% within ${gaps[Math.floor(gaps.length * 0.9)].toFixed(1)} ms (period ${periodMs} ms)`);
  if (cpu) {
    const task = (after.TaskDuration - before.TaskDuration) / seconds;
    const scriptShare = (after.ScriptDuration - before.ScriptDuration) / seconds;
    // A wait that spun instead of sleeping would take a whole core.
    check(task < 0.15, `${what}: CPU ${(100 * task).toFixed(2)} % of a core in tasks ` +
          `(${(100 * scriptShare).toFixed(2)} % script; goal under 5 %, a spinning wait would be 100 %)`);
  }
}

// The start screen in the language of a browser that prefers French, then
// with ?lang=de, then with an unknown ?lang=: each as the headless run in
// that language shows it, the hint in that language.
async function languages(browser, address) {
  page = await browser.newPage();
  const notes = [];
  page.on('console', (m) => notes.push(m.text()));
  await page.evaluateOnNewDocument(() => {
    Object.defineProperty(navigator, 'languages', { get: () => ['fr-CA', 'de'] });
  });
  for (const [query, lang, hint] of [['', 'fr', /^Cliquez sur les boutons/], ['&lang=de', 'de', /^Klicken Sie/],
                                     ['&lang=xx', 'en', /^Click the buttons/]]) {
    await page.goto(address + query);
    await page.waitForFunction(() => window.osk.firstPictureMs !== null, { timeout: 10000 });
    const status = await page.$eval('#status', (e) => e.textContent);
    await compare(`the start screen in '${lang}' (address ...${query || ' without ?lang='})`, headless([], lang));
    check(hint.test(status), `the hint in '${lang}': "${status.slice(0, 40)}..."`);
  }
  check(notes.filter((n) => /no texts in the language 'xx'; English is used/.test(n)).length === 1,
        `one note on the console for ?lang=xx (${notes.length} console lines)`);
}

async function main() {
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: path.join(work, 'profile'),
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--allow-file-access-from-files'],
  });
  try {
    page = await browser.newPage();
    page.on('pageerror', (e) => check(false, `page error: ${e.message}`));
    await page.setViewport({ width: 1300, height: 400, hasTouch: true });
    const address = 'file://' + path.resolve(pageFile) + '?screen=1024x768';
    const url = address + '&lang=C';
    const start = Date.now();
    await page.goto(url);
    await page.waitForFunction(() => window.osk.firstPictureMs !== null, { timeout: 10000 });
    const firstPicture = await page.evaluate(() => window.osk.firstPictureMs);
    check(firstPicture < 1000, `first picture ${firstPicture.toFixed(0)} ms after the load began ` +
          `(goal under 300 ms; ${Date.now() - start} ms seen by the test)`);
    client = await page.$eval('#screen', (c) => ({ width: c.width, height: c.height }));
    const size = fs.statSync(pageFile).size;
    check(size < 1024 * 1024, `page file ${size} bytes (goal under 1 MB)`);

    await compare('start screen');
    // Button centres in client points (36 pixels a unit, page at (2, 18)).
    const bx = (x) => Math.round(2 + x * 36);
    const by = 34;
    await click(bx(18.9), by);
    await compare('"Longitudinal" by mouse: frame 0');
    await click(bx(18.4), by);
    await compare('"Next" by mouse');
    await click(500, 120);
    await compare('a click beside the buttons steps too');
    await key('n');
    await compare('key n');
    await key('right');
    await compare('key right');
    let p = await pagePoint(bx(18.4), by);
    await page.touchscreen.tap(p.x, p.y);
    script.push(`click ${bx(18.4)} ${by}`);
    await compare('a touch tap on "Next"');
    await key('space');
    let since = Date.now();
    await measureRun('longitudinal wave running', 50, 2, false);
    await page.keyboard.press('Space');
    await timedCompare('space pauses the longitudinal wave', 'key space', (Date.now() - since) / 1000);
    await key('b');
    await compare('key b: the start screen');
    await key('t');
    await compare('key t: "Transversal", frame 0');
    await click(bx(24.0), by);  // "Go"
    since = Date.now();
    await measureRun('transversal wave running', 40, 10, true);
    p = await pagePoint(bx(24.0), by);
    await page.mouse.click(p.x, p.y);  // "Stop"
    await timedCompare('"Stop" by mouse: the paused menu', `click ${bx(24.0)} ${by}`, (Date.now() - since) / 1000);
    if (screenshotFile) await page.screenshot({ path: screenshotFile });
    await click(bx(18.4), by);
    await compare('"Single" in the paused menu: one frame');
    // A narrower window: the canvas follows, and clicks still find their client points.
    await page.setViewport({ width: 900, height: 400, hasTouch: true });
    await sleep(200);
    const shown = await page.$eval('#screen', (c) => c.getBoundingClientRect().width);
    check(Math.abs(shown - 900) < 1, `the canvas follows the window to ${shown} CSS pixels wide`);
    await click(300, 100, 'right');
    await compare('the right button steps as the left');
    await click(bx(26.8), by);
    await compare('"Quit": the last page and the finished title');
    const ended = await page.evaluate(() => ({ ended: window.osk.ended, code: window.osk.exitCode,
                                                status: document.getElementById('status').textContent }));
    check(ended.ended && ended.code === 0 && /program has ended/.test(ended.status),
          `the page says the program has ended ("${ended.status}", exit code ${ended.code})`);
    // Loaded again, as a browser that has the file in its cache.
    await page.reload();
    await page.waitForFunction(() => window.osk.firstPictureMs !== null, { timeout: 10000 });
    const again = await page.evaluate(() => window.osk.firstPictureMs);
    check(again < 1000, `first picture ${again.toFixed(0)} ms after a reload began (goal under 300 ms)`);
    await languages(browser, address);
  } finally {
    await browser.close();
    fs.rmSync(work, { recursive: true, force: true });
  }
  console.log(failures ? `${failures} check(s) failed` : 'all checks passed');
  process.exit(failures ? 1 : 0);
}

main().catch((e) => {
  console.error(e);
  fs.rmSync(work, { recursive: true, force: true });
  process.exit(1);
});
