// browser_test.js - out/web/osk.html in Debian's headless Chromium or
// Firefox, page for page against the headless backend.
//
//   node browser_test.js chromium|firefox PAGE.html OSK_BINARY [SCREENSHOT.png]
//
// (puppeteer-core and axe-core from this directory's package-lock.json,
// found through NODE_PATH.)  After every step the page's refresh count, page
// bytes, palette and title must equal the last refresh of
// `OSK --headless --screen WxH --script S --dump D` given the same events.
// Where the browser's real clock decides the frame an event lands on
// (pausing a running wave), the headless script's wait before that event is
// searched until the headless run stops at the same refresh.
//
// Parts: the whole dialogue by mouse, keys and touch (?screen=1024x768);
// the teaching aids from ?aids=, their toggles and the live region;
// in each of six viewports from a phone to 4K (and one with a client of its
// own size), a press lands on the client pixel shown under it (a column and
// a row pattern, screenshot against presses), the whole picture shows and
// clicks or taps on its buttons do what the headless backend does;
// accessibility (axe-core, focus, Tab and Enter, the live region, the help
// dialog).  Measured at 1920 x 1080: load to first picture, CPU of a running
// wave (Chromium only: Firefox has no such metrics), frame pacing; the
// screenshot is taken there.  The language: pinned to the texts as written
// (?lang=C in the page, --lang C in the headless runs), except in the part
// that checks the choice from the browser's languages (Chromium) and ?lang=.
'use strict';
const puppeteer = require('puppeteer-core');
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const [engine, pageFile, oskBinary, screenshotFile] = process.argv.slice(2);
if (!['chromium', 'firefox'].includes(engine) || !pageFile || !oskBinary) {
  console.error('usage: node browser_test.js chromium|firefox PAGE.html OSK_BINARY [SCREENSHOT.png]');
  process.exit(2);
}
const firefox = engine === 'firefox';
// Load to first picture: Firefox compiles the WebAssembly in a fresh profile more slowly.
const kFirstPictureLimitMs = firefox ? 2500 : 1000;
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'osk-browser-'));
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} [${engine}] ${what}`);
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
function headless(lines, screen, lang = 'C', extra = []) {
  const dir = path.join(work, `run${++runs}`);
  fs.mkdirSync(dir);
  const script = path.join(dir, 'script.osk');
  fs.writeFileSync(script, lines.join('\n') + '\n');
  execFileSync(oskBinary, ['--headless', '--lang', lang, '--screen', `${screen.width}x${screen.height}`,
                           '--script', script, '--dump', dir, ...extra], { stdio: ['ignore', 'ignore', 'pipe'] });
  // The titles are UTF-8, as the title strip shows them.
  const log = fs.readFileSync(path.join(dir, 'refreshes.txt'), 'utf8').trim().split('\n');
  const last = log[log.length - 1].split('\t');
  const result = { count: log.length, title: last[1], page: readBmp(path.join(dir, `refresh-${last[0]}.bmp`)) };
  fs.rmSync(dir, { recursive: true, force: true });
  return result;
}

// A 64-bit FNV-1a digest of bytes, as two 32-bit halves (the same function runs in the page).
function digest(bytes) {
  let a = 0x811c9dc5;
  let b = 0x01000193;
  for (let i = 0; i < bytes.length; i++) {
    a = Math.imul(a ^ bytes[i], 0x01000193) >>> 0;
    b = Math.imul(b ^ bytes[i] ^ (i & 255), 0x5bd1e995) >>> 0;
  }
  return `${a.toString(16)}-${b.toString(16)}-${bytes.length}`;
}

// ---- the browser side: one loaded page and the events sent to it ----------------

let browser;

// Firefox ESR 140 (Debian 12 without its security updates) lacks the screen
// orientation command that puppeteer sends beside every viewport change; the
// viewport itself is set, and the page does not depend on the orientation.
async function setViewport(page, viewport) {
  try {
    await page.setViewport(viewport);
  } catch (e) {
    if (!/unknown command emulation\.setScreenOrientationOverride/.test(e.message)) throw e;
  }
}

class Session {
  // `prepare(page)` runs before the page loads; without ?lang= in `query`
  // and unless `browserLanguage`, the page is pinned to ?lang=C.
  static async open(viewport, query = '', { prepare = null, browserLanguage = false } = {}) {
    const s = new Session();
    s.page = await browser.newPage();
    s.page.on('pageerror', (e) => check(false, `page error: ${e.message}`));
    await setViewport(s.page, viewport);
    if (prepare) await prepare(s.page);
    if (!browserLanguage && !query.includes('lang=')) query += (query.includes('?') ? '&' : '?') + 'lang=C';
    s.loadStart = Date.now();
    await s.page.goto('file://' + path.resolve(pageFile) + query);
    await s.page.waitForFunction(() => window.osk.firstPictureMs !== null, { timeout: 15000 });
    s.firstPicture = await s.page.evaluate(() => window.osk.firstPictureMs);
    s.screen = await s.page.evaluate(() => window.osk.screen);
    s.client = await s.page.$eval('#screen', (c) => ({ width: c.width, height: c.height }));
    s.script = [];  // the events so far, as headless script lines
    return s;
  }

  close() { return this.page.close(); }

  // Waits until the refresh count has stayed the same for a while.
  async settled() {
    let last = -1;
    let sameFor = 0;
    for (let i = 0; i < 100 && sameFor < 3; i++) {
      await sleep(60);
      const now = await this.page.evaluate(() => window.osk.refreshes);
      sameFor = now === last ? sameFor + 1 : 0;
      last = now;
    }
    return last;
  }

  async compare(what, expected) {
    await this.settled();
    // The page goes over the wire as digests: whole pages are slow through WebDriver BiDi.
    const b = await this.page.evaluate((digestSource, at) => {
      const digest = new Function('return ' + digestSource)();
      const p = window.osk.page();
      // The canvas must show that page where the layout puts it, pixel for pixel.
      let unlike = null;
      if (at) {
        const shown = document.getElementById('screen').getContext('2d').getImageData(at.x, at.y, p.width, p.height).data;
        unlike = 0;
        for (let y = 0; y < p.height; y++) {
          for (let x = 0; x < p.width; x++) {
            const colour = p.pixels[(p.height - 1 - y) * p.width + x] * 4;
            const o = (y * p.width + x) * 4;
            if (shown[o] !== p.palette[colour + 2] || shown[o + 1] !== p.palette[colour + 1] ||
                shown[o + 2] !== p.palette[colour] || shown[o + 3] !== 255) unlike++;
          }
        }
      }
      return { count: window.osk.refreshes, title: window.osk.title, width: p.width, height: p.height,
               pixels: digest(p.pixels), palette: digest(p.palette), sizes: [p.pixels.length, p.palette.length],
               types: [p.pixels.constructor.name, p.palette.constructor.name], unlike };
    }, digest.toString(), this.pageAt || null);
    const h = expected || headless(this.script, this.screen);
    const same = b.width === h.page.width && b.height === h.page.height &&
                 b.types.join() === 'Uint8Array,Uint8Array' && b.sizes.join() === `${h.page.pixels.length},1024` &&
                 b.palette === digest(h.page.palette) && b.pixels === digest(h.page.pixels);
    const onCanvas = b.unlike === null ? '' : `; ${b.unlike} canvas pixels unlike the page`;
    return check(b.count === h.count && b.title === h.title && same && !b.unlike,
                 `${what}: refresh ${b.count} "${b.title}" (headless: ${h.count} "${h.title}")${onCanvas}`);
  }

  // The CSS point at the centre of a client pixel as the canvas shows it.
  async cssPoint(x, y) {
    const r = await this.page.$eval('#screen', (c) => { const b = c.getBoundingClientRect(); return [b.x, b.y, b.width, b.height]; });
    return { x: r[0] + (x + 0.5) * r[2] / this.client.width, y: r[1] + (y + 0.5) * r[3] / this.client.height };
  }

  // A click (or a tap) on the canvas over client point (x, y); the script
  // takes the client point it landed on.
  async click(x, y, { button = 'left', tap = false } = {}) {
    const p = await this.cssPoint(x, y);
    if (tap) await this.page.touchscreen.tap(p.x, p.y); else await this.page.mouse.click(p.x, p.y, { button });
    const landed = await this.page.evaluate(() => window.osk.lastPress());
    this.script.push(`${button === 'right' ? 'rclick' : 'click'} ${landed.x} ${landed.y}`);
    return landed;
  }

  async key(name, domKey) {
    await this.page.keyboard.press(domKey);
    this.script.push(`key ${name}`);
  }

  // The page's own buttons: label and client point.
  buttons() {
    return this.page.$$eval('#buttons button', (bs) => bs.map((b) => ({ label: b.textContent, x: Number(b.dataset.x),
                                                                    y: Number(b.dataset.y) })));
  }
  async button(label) {
    await this.page.waitForFunction((l) => [...document.querySelectorAll('#buttons button')].some((b) => b.textContent === l),
                                    { timeout: 5000 }, label);
    return (await this.buttons()).find((b) => b.label === label);
  }

  announced() { return this.page.$eval('#announce', (e) => e.textContent); }

  // An event whose frame the browser's clock decided: the wait before it in
  // the headless script is searched (the refresh count grows with it) until
  // the headless run ends at the browser's refresh count.
  async timedCompare(what, eventLine, secondsSincePrevious) {
    const target = await this.settled();
    let lo = Math.max(0, Math.round(secondsSincePrevious * 1000) - 2000);
    let hi = Math.round(secondsSincePrevious * 1000) + 2000;
    let found = null;
    while (lo <= hi) {
      const mid = Math.floor((lo + hi) / 2);
      const h = headless([...this.script, `wait ${(mid / 1000).toFixed(3)}`, eventLine], this.screen);
      if (h.count === target) {
        found = { ms: mid, h };
        break;
      }
      if (h.count < target) lo = mid + 1; else hi = mid - 1;
    }
    if (!check(found !== null, `${what}: a headless wait that stops at refresh ${target}`)) return;
    this.script.push(`wait ${(found.ms / 1000).toFixed(3)}`, eventLine);
    await this.compare(what, found.h);
  }

  // Frame pacing, and with `cpu` the CPU used, while a wave runs for `seconds`.
  async measureRun(what, periodMs, seconds, cpu) {
    const before = cpu && !firefox ? await this.page.metrics() : null;
    const t0 = await this.page.evaluate(() => performance.now());
    await sleep(seconds * 1000);
    const after = before ? await this.page.metrics() : null;
    const times = await this.page.evaluate((t) => window.osk.refreshTimes.filter((x) => x >= t), t0);
    const gaps = times.slice(1).map((t, i) => t - times[i]).sort((a, b) => a - b);
    const median = gaps[Math.floor(gaps.length / 2)];
    const mean = (times[times.length - 1] - times[0]) / gaps.length;
    check(median >= periodMs - 1 && median <= periodMs + 6 && mean >= periodMs - 1 && mean <= periodMs * 1.15,
          `${what}: ${gaps.length} frames, median ${median.toFixed(1)} ms, mean ${mean.toFixed(1)} ms, ` +
          `90% within ${gaps[Math.floor(gaps.length * 0.9)].toFixed(1)} ms (period ${periodMs} ms)`);
    if (after) {
      const task = (after.TaskDuration - before.TaskDuration) / seconds;
      const scriptShare = (after.ScriptDuration - before.ScriptDuration) / seconds;
      // A wait that spun instead of sleeping would take a whole core.
      check(task < 0.15, `${what}: CPU ${(100 * task).toFixed(2)} % of a core in tasks ` +
            `(${(100 * scriptShare).toFixed(2)} % script; limit 15 %, a spinning wait would be 100 %)`);
    }
  }
}

// ---- the parts ----------------------------------------------------------------

// Button centres of the 1024 x 768 layout in client points (36 pixels a unit, page at (2, 18)).
const bx = (x) => Math.round(2 + x * 36);
const by = 34;

async function wholeDialogue() {
  const s = await Session.open({ width: 1300, height: 400, hasTouch: true }, '?screen=1024x768');
  s.pageAt = { x: 2, y: 18 };  // the page's top-left client pixel in this layout
  check(s.firstPicture < kFirstPictureLimitMs, `first picture ${s.firstPicture.toFixed(0)} ms after the load began ` +
        `(goal under 300 ms; ${Date.now() - s.loadStart} ms seen by the test)`);
  const size = fs.statSync(pageFile).size;
  // The WebAssembly (28 languages' catalogues inside) is gzip-compressed in base64: about 361 KB.
  check(size < 380 * 1024, `page file ${size} bytes (goal under 380 KB)`);
  await s.compare('start screen');
  await s.click(bx(18.9), by);
  await s.compare('"Longitudinal" by mouse: frame 0');
  await s.click(bx(18.4), by);
  await s.compare('"Next" by mouse');
  await s.click(500, 120);
  await s.compare('a click beside the buttons steps too');
  await s.key('n', 'n');
  await s.compare('key n');
  await s.key('right', 'ArrowRight');
  await s.compare('key right');
  await s.click(bx(18.4), by, { tap: true });
  await s.compare('a touch tap on "Next"');
  await s.key('space', ' ');
  let since = Date.now();
  await s.measureRun('longitudinal wave running', 50, 2, false);
  await s.page.keyboard.press(' ');
  await s.timedCompare('space pauses the longitudinal wave', 'key space', (Date.now() - since) / 1000);
  await s.key('b', 'b');
  await s.compare('key b: the start screen');
  await s.key('t', 't');
  await s.compare('key t: "Transversal", frame 0');
  await s.click(bx(24.0), by);  // "Go"
  since = Date.now();
  await s.measureRun('transversal wave running', 40, 2, false);
  const p = await s.cssPoint(bx(24.0), by);
  await s.page.mouse.click(p.x, p.y);  // "Stop"
  await s.timedCompare('"Stop" by mouse: the paused menu', `click ${bx(24.0)} ${by}`, (Date.now() - since) / 1000);
  await s.click(bx(18.4), by);
  await s.compare('"Single" in the paused menu: one frame');
  // A narrower window: the canvas follows, and clicks still find their client points.
  await setViewport(s.page, { width: 900, height: 400, hasTouch: true });
  await sleep(300);
  const shown = await s.page.$eval('#screen', (c) => c.getBoundingClientRect().width);
  check(shown <= 900 && shown >= 880, `the canvas follows the window to ${shown} CSS pixels wide`);
  await s.click(300, 100, { button: 'right' });
  await s.compare('the right button steps as the left');
  await s.click(bx(26.8), by);
  await s.compare('"Quit": the last page and the finished title');
  const ended = await s.page.evaluate(() => ({ ended: window.osk.ended, code: window.osk.exitCode,
                                               status: document.getElementById('status').textContent,
                                               buttons: document.querySelectorAll('#buttons button').length }));
  check(ended.ended && ended.code === 0 && /program has ended/.test(ended.status) && ended.buttons === 0,
        `the page says the program has ended ("${ended.status}", exit code ${ended.code}, ${ended.buttons} buttons)`);
  check(
      await s.announced() === ended.status, `the live region tells a screen reader the end: "${await s.announced()}"`);
  // Loaded again, as a browser that has the file in its cache.
  await s.page.reload();
  await s.page.waitForFunction(() => window.osk.firstPictureMs !== null, { timeout: 10000 });
  const again = await s.page.evaluate(() => window.osk.firstPictureMs);
  check(again < kFirstPictureLimitMs, `first picture ${again.toFixed(0)} ms after a reload began (goal under 300 ms)`);
  await s.close();
}

// Every client column (row) gets its own colour; each device pixel across
// (down) the canvas in a screenshot shows one, and a press at that pixel
// must land on the same client column (row).
async function pressesLandUnderThePointer(viewport, query) {
  const s = await Session.open(viewport, query);
  const geometry = await s.page.evaluate(() => {
    const c = document.getElementById('screen');
    const ctx = c.getContext('2d');
    const image = ctx.createImageData(c.width, c.height);
    for (let y = 0; y < c.height; y++) {
      for (let x = 0; x < c.width; x++) {
        const i = 4 * (y * c.width + x);
        image.data.set([x & 255, (x >> 8) | ((y >> 8) << 4), y & 255, 255], i);
      }
    }
    ctx.putImageData(image, 0, 0);
    const r = c.getBoundingClientRect();
    return { left: r.left, top: r.top, width: r.width, height: r.height, ratio: window.devicePixelRatio };
  });
  const shot = await s.page.screenshot({ encoding: 'base64' });
  const result = await s.page.evaluate(async (png, g) => {
    const blob = await (await fetch('data:image/png;base64,' + png)).blob();
    const bitmap = await createImageBitmap(blob, { colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
    const scale = bitmap.width / window.innerWidth;  // screenshot pixels per CSS pixel
    const surface = new OffscreenCanvas(bitmap.width, bitmap.height);
    const ctx = surface.getContext('2d');
    ctx.drawImage(bitmap, 0, 0);
    const canvas = document.getElementById('screen');
    const press = (cssX, cssY) => {
      canvas.dispatchEvent(new PointerEvent('pointerup', { clientX: cssX, clientY: cssY, button: 0, bubbles: true,
                                                            pointerType: 'mouse' }));
      return window.osk.lastPress();
    };
    const out = { scale, columns: 0, rows: 0, wrong: [] };
    const midX = Math.floor((g.left + g.width / 2) * scale);
    const midY = Math.floor((g.top + g.height / 2) * scale);
    // Across, along the middle row.
    const row = ctx.getImageData(0, midY, bitmap.width, 1).data;
    for (let i = Math.ceil(g.left * scale); i < Math.floor((g.left + g.width) * scale); i++) {
      const shown = row[4 * i] | ((row[4 * i + 1] & 15) << 8);
      const landed = press((i + 0.5) / scale, (midY + 0.5) / scale);
      out.columns++;
      if (landed.x !== shown && out.wrong.length < 5) out.wrong.push(`column ${i}: shows ${shown}, press lands on ${landed.x}`);
    }
    // Down, along the middle column.
    const column = ctx.getImageData(midX, 0, 1, bitmap.height).data;
    for (let i = Math.ceil(g.top * scale); i < Math.floor((g.top + g.height) * scale); i++) {
      const shown = column[4 * i + 2] | ((column[4 * i + 1] >> 4) << 8);
      const landed = press((midX + 0.5) / scale, (i + 0.5) / scale);
      out.rows++;
      if (landed.y !== shown && out.wrong.length < 5) out.wrong.push(`row ${i}: shows ${shown}, press lands on ${landed.y}`);
    }
    return out;
  }, shot, geometry);
  check(result.wrong.length === 0 && result.columns > 0 && result.rows > 0,
        `${viewport.width}x${viewport.height} (ratio ${geometry.ratio}${query}): a press on each of ` +
        `${result.columns} columns and ${result.rows} rows of screenshot pixels lands on the client pixel shown ` +
        `there${result.wrong.length ? ': ' + result.wrong.join('; ') : ''}`);
  await s.close();
}

// One viewport: the whole picture is visible and as large as fits, nothing
// scrolls, the view fits its client, and clicks (taps on a phone) on the
// buttons do what the headless backend does with the same clicks (where
// they land is pressesLandUnderThePointer's).
async function viewport(v) {
  const name = `${v.width}x${v.height}@${v.deviceScaleFactor || 1}`;
  const s = await Session.open({ ...v, hasTouch: !!v.isMobile });
  const g = await s.page.evaluate(() => {
    const r = document.getElementById('screen').getBoundingClientRect();
    const stage = document.getElementById('stage').getBoundingClientRect();
    const d = document.documentElement;
    const turn = document.getElementById('turn');
    const buttons = [...document.querySelectorAll('#buttons button')].map((b) => b.getBoundingClientRect());
    return { left: r.left, top: r.top, right: r.right, bottom: r.bottom, width: r.width, height: r.height,
             stageWidth: stage.width, stageHeight: stage.height, innerWidth, innerHeight,
             scrolls: d.scrollWidth > d.clientWidth || d.scrollHeight > d.clientHeight,
             pageWidth: window.osk.page().width, turn: !turn.hidden && turn.getBoundingClientRect().bottom <= innerHeight,
             smallest: Math.min(...buttons.map((b) => Math.min(b.width, b.height))),
             buttonsInside: buttons.every((b) => b.left >= 0 && b.top >= 0 && b.right <= innerWidth && b.bottom <= innerHeight) };
  });
  const fills = Math.max(g.width / (g.stageWidth - 8), g.height / (g.stageHeight - 8));
  check(g.left >= 0 && g.top >= 0 && g.right <= g.innerWidth && g.bottom <= g.innerHeight && !g.scrolls &&
        g.pageWidth + 4 <= s.client.width && fills > 0.97 && g.buttonsInside && g.smallest >= 24 &&
        g.turn === (v.height > v.width),
        `${name}: screen ${s.screen.width}x${s.screen.height}, client ${s.client.width}x${s.client.height} shown at ` +
        `${g.width.toFixed(1)}x${g.height.toFixed(1)} CSS px from (${g.left.toFixed(1)}, ${g.top.toFixed(1)}), ` +
        `page ${g.pageWidth} wide, fills ${(100 * fills).toFixed(1)} % of the room, ` +
        `document ${g.scrolls ? 'scrolls' : 'does not scroll'}, buttons ${g.buttonsInside ? 'inside' : 'OUTSIDE'} ` +
        `(smallest ${g.smallest.toFixed(0)} px), turn note ${g.turn ? 'shown' : 'not shown'}`);
  await s.compare(`${name}: start screen`);
  for (const label of ['Transversal', 'Next', 'Back', 'Longitudinal', 'Quit']) {
    const b = await s.button(label);
    await s.click(b.x, b.y, {tap: !!v.isMobile});
    await s.compare(`${name}: "${label}"`);
  }
  await s.close();
}

async function axe(s, what) {
  const result = await s.page.evaluate(() => window.axe.run(document));
  const found = result.violations.map((v) => `${v.id} (${v.nodes.map((n) => n.target.join(' ')).join(', ')})`);
  check(found.length === 0, `axe on ${what}: ${found.length ? found.join('; ') : 'no violation'} ` +
        `(${result.passes.length} rules passed)`);
}

async function accessibility() {
  const s = await Session.open({ width: 1366, height: 768 });
  await s.page.addScriptTag({ path: require.resolve('axe-core/axe.min.js') });
  // The picture's outline is drawn by the ring over it (the canvas's own
  // would repaint it with every picture); the ring must cover the canvas.
  const focus = await s.page.evaluate(() => {
    const ring = document.getElementById('ring');
    const [c, r] = [document.getElementById('screen'), ring].map((e) => e.getBoundingClientRect());
    return { id: document.activeElement.id, outline: getComputedStyle(ring).outlineStyle,
             canvasOutline: getComputedStyle(document.activeElement).outlineStyle,
             covers: c.left === r.left && c.top === r.top && c.width === r.width && c.height === r.height };
  });
  check(focus.id === 'screen' && focus.outline !== 'none' && focus.canvasOutline === 'none' && focus.covers,
        `the picture has the focus at load, outline ${focus.outline} (canvas ${focus.canvasOutline}), ` +
        `ring ${focus.covers ? 'over' : 'not over'} the canvas`);
  await axe(s, 'the start screen');
  check(await s.announced() === 'Start screen: choose the longitudinal or the transversal wave.',
        `live region on the start screen: "${await s.announced()}"`);
  await s.key('t', 't');
  await s.compare('key t at once after the load');
  check(await s.announced() === 'Transversal Wave: stepping, frame 0, normal speed.',
        `live region after choosing the wave: "${await s.announced()}"`);
  // Tab to "Next", Enter presses it.
  let focused = null;
  for (let i = 0; i < 8 && !(focused && focused.label === 'Next'); i++) {
    await s.page.keyboard.press('Tab');
    focused = await s.page.evaluate(() => {
      const e = document.activeElement;
      return e.tagName === 'BUTTON' ? { label: e.textContent, x: Number(e.dataset.x), y: Number(e.dataset.y),
                                        outline: getComputedStyle(e).outlineStyle } : null;
    });
  }
  if (check(focused && focused.label === 'Next' && focused.outline !== 'none',
            `Tab reaches "Next" (outline ${focused && focused.outline})`)) {
    await s.page.keyboard.press('Enter');
    s.script.push(`click ${focused.x} ${focused.y}`);
    await s.compare('Enter on "Next" steps');
    check(await s.announced() === 'Transversal Wave: stepping, frame 1, normal speed.',
          `live region after a step: "${await s.announced()}"`);
  }
  // The help is a dialog; Escape closes it and the keys work again.
  await s.page.keyboard.press('F1');
  await s.page.waitForSelector('#message[open]', { timeout: 5000 });
  await axe(s, 'the help dialog');
  const help = await s.page.$eval('#message-text', (e) => e.textContent);
  check(/Go \/ Stop/.test(help), 'the help dialog lists the buttons and keys');
  await s.page.keyboard.press('Escape');
  // The dialog's close event hands the focus back to the picture a task
  // after the dialog closed; a key before that would press the button that
  // had the focus before the dialog.
  await s.page.waitForFunction(() => !document.getElementById('message').open &&
                               document.activeElement === document.getElementById('screen'), { timeout: 5000 });
  await s.key('space', ' ');
  await s.page.waitForFunction(() => /running/.test(document.getElementById('announce').textContent),
                               { timeout: 5000 }).catch(() => {});
  check(await s.announced() === 'Transversal Wave: running, normal speed.',
        `live region while running: "${await s.announced()}"`);
  await axe(s, 'a running wave');
  await s.close();
}

// The teaching aids: ?aids= turns them on as --aids does, the toggles show
// which are on and turn them on and off as the keys do (page for page), the
// live region says what the aids on show, PageDown steps, and a list that is not
// understood is said on the page.
async function aids() {
  const s = await Session.open({ width: 1300, height: 600 }, '?screen=1024x768&aids=mark,graph');
  const extra = ['--aids', 'mark,graph'];
  const pressed = () => s.page.$$eval('#aids button', (bs) => bs.map((b) => b.getAttribute('aria-pressed')).join());
  check(await pressed() === 'true,false,true,false', `?aids=mark,graph presses Marks and Graph (${await pressed()})`);
  await s.key('t', 't');
  await s.key('pagedown', 'PageDown');
  await s.compare('the transversal wave with marks and graph, PageDown steps', headless(s.script, s.screen, 'C', extra));
  // Tab reaches the Wavelength toggle; Enter turns the aid on.
  let label = null;
  for (let i = 0; i < 12 && label !== 'Wavelength'; i++) {
    await s.page.keyboard.press('Tab');
    label = await s.page.evaluate(() => document.activeElement.closest('#aids') && document.activeElement.textContent);
  }
  if (check(label === 'Wavelength', 'Tab reaches the Wavelength toggle')) {
    await s.page.keyboard.press('Enter');
    s.script.push('key w');
    await s.compare('the Wavelength toggle as key w', headless(s.script, s.screen, 'C', extra));
    check(await pressed() === 'true,true,true,false', `the Wavelength toggle is pressed (${await pressed()})`);
    check(/ The bracket \u03bb spans one wavelength, 24 spacings, .* the period T is 24 frames, 0\.96 s at this speed; /
            .test(await s.announced()), `live region for the wavelength: "${await s.announced()}"`);
  }
  // Marks go round as with M: every sixth particle, then none.
  const marks = await s.page.$('#aids button');
  await marks.click();
  s.script.push('key m');
  await s.compare('the Marks toggle as key m', headless(s.script, s.screen, 'C', extra));
  check(/^Particles 6, 12, 18, .* and 60 swing across the chain around their rest positions; the wave moves right, one spacing per frame\. /
          .test(await s.announced()), `live region for the marks: "${await s.announced()}"`);
  await marks.click();
  s.script.push('key m');
  await s.compare('the Marks toggle off', headless(s.script, s.screen, 'C', extra));
  check(await pressed() === 'false,true,true,false', `the Marks toggle is off (${await pressed()})`);
  await s.close();

  const bad = await Session.open({ width: 1300, height: 600 }, '?screen=1024x768&aids=mark,wavelenght');
  const error = await bad.page.$eval('#aids-error', (e) => (e.hidden ? '' : e.textContent));
  check(/wavelenght/.test(error), `?aids= with an unknown item is said on the page: "${error}"`);
  await bad.compare('no aid on after a bad list');
  await bad.close();
}

// The screenshot size: the first picture and the CPU of a running wave.
async function fullHd() {
  const s = await Session.open({ width: 1920, height: 1080 });
  check(s.firstPicture < kFirstPictureLimitMs, `1920x1080: first picture ${s.firstPicture.toFixed(0)} ms after the load began ` +
        `(goal under 300 ms)`);
  await s.key('t', 't');
  const go = await s.button('Go');
  await s.click(go.x, go.y);
  const since = Date.now();
  await s.measureRun('1920x1080: transversal wave running', 40, 10, true);
  const p = await s.cssPoint(go.x, go.y);
  await s.page.mouse.click(p.x, p.y);  // "Stop"
  await s.timedCompare('1920x1080: "Stop", the paused menu', `click ${go.x} ${go.y}`, (Date.now() - since) / 1000);
  if (screenshotFile) await s.page.screenshot({ path: screenshotFile });
  await s.close();
}

const kViewports = [
  { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true },
  { width: 844, height: 390, deviceScaleFactor: 3, isMobile: true },
  { width: 1024, height: 768, deviceScaleFactor: 2 },
  { width: 1366, height: 768 },
  { width: 1920, height: 1080 },
  { width: 3840, height: 2160 },
];

// Where presses land: every viewport above, and a client of a size of its own.
const kPressViewports = [
    [{width: 1300, height: 400}, '?screen=1024x768'],
    ...kViewports.map((v) => [{...v, hasTouch: !!v.isMobile}, '']),
];

// The start screen in the language of a browser that prefers Canadian
// French (Chromium: Firefox's languages are its preferences'), then with
// ?lang= in each script (Latin beyond Latin-1, Greek, Cyrillic, a region
// form among them), then with an unknown ?lang=: each as the headless run in
// that language shows it, with the hint, the page's heading, the title
// strip's text and the document's language in that language.
async function languages() {
  const cases = [['?lang=de', 'de', /^Klicken Sie/, /^Ebene Longitudinal/, 'Wellenform wählen'],
                 ['?lang=pl', 'pl', /^Kliknij przyciski/, /^Płaskie fale/, 'Wybierz kształt fali'],
                 ['?lang=el', 'el', /^Κάντε κλικ/, /^Επίπεδα διαμήκη/, 'Επιλογή κυματομορφής'],
                 ['?lang=ru-RU', 'ru', /^Нажимайте кнопки/, /^Плоские продольные/, 'Выберите форму волны'],
                 ['?lang=xx', 'en', /^Click the buttons/, /^Plane longitudinal/, 'Select Waveform']];
  if (!firefox) cases.unshift(['', 'fr', /^Cliquez sur les boutons/, /^Ondes planes/, 'Choisir la forme d\'onde']);
  for (const [query, lang, hint, heading, strip] of cases) {
    const notes = [];
    const s = await Session.open({ width: 1300, height: 400 }, query + (query ? '&' : '?') + 'screen=1024x768', {
      browserLanguage: true,
      prepare: async (page) => {
        page.on('console', (m) => notes.push(m.text()));
        if (!firefox) {
          await page.evaluateOnNewDocument(() => {
            Object.defineProperty(navigator, 'languages', { get: () => ['fr-CA', 'de'] });
          });
        }
      },
    });
    await s.compare(`the start screen in '${lang}' (${query || 'the browser\'s languages'})`,
                    headless([], s.screen, lang));
    const texts = await s.page.evaluate(() => [document.getElementById('status').textContent,
                                               document.getElementById('heading').textContent,
                                               window.osk.title, document.documentElement.lang]);
    check(hint.test(texts[0]) && heading.test(texts[1]), `the hint and heading in '${lang}': "${texts[0].slice(0, 30)}...", "${texts[1]}"`);
    check(texts[2] === strip && texts[3] === lang, `the title strip and document language in '${lang}': "${texts[2]}", "${texts[3]}"`);
    if (lang === 'en') {
      check(notes.filter((n) => /no texts in the language 'xx'; English is used/.test(n)).length === 1,
            `one note on the console for ?lang=xx (${notes.length} console lines)`);
    }
    await s.close();
  }
}

// A page file whose WebAssembly was cut short (a broken download) says so in
// its status line instead of showing "Loading ..." for ever.
async function damagedPage() {
  const whole = fs.readFileSync(pageFile, 'utf8');
  const damaged = whole.replace(/(<script id="osk-wasm" type="application\/gzip">\n)([^<]*)/,
                                (_, tag, payload) => tag + payload.slice(0, payload.length >> 1));
  if (!check(damaged !== whole, 'the page file holds its WebAssembly where the damaged copy cuts it')) return;
  const file = path.join(work, 'damaged.html');
  fs.writeFileSync(file, damaged);
  const page = await browser.newPage();
  await page.goto('file://' + file + '?lang=C');
  const status = await page.waitForFunction(() => {
    const text = document.getElementById('status').textContent;
    return /stopped with an error/.test(text) && text;
  }, { timeout: 15000 }).then((h) => h.jsonValue(), () => document.getElementById('status').textContent);
  check(/stopped with an error/.test(status), `a cut-short WebAssembly is an error on the page: "${status}"`);
  await page.close();
}

async function main() {
  browser = await puppeteer.launch(firefox ? {
    browser: 'firefox',
    executablePath: '/usr/bin/firefox-esr',
    headless: true,
    extraPrefsFirefox: { 'security.fileuri.strict_origin_policy': false },
  } : {
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: path.join(work, 'profile'),
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--allow-file-access-from-files'],
  });
  // OSK_WEB_PARTS=presses,viewports runs only those parts (while developing).
  const parts = (process.env.OSK_WEB_PARTS || 'dialogue,damaged,aids,presses,viewports,accessibility,fullhd,languages').split(',');
  try {
    if (parts.includes('dialogue')) await wholeDialogue();
    if (parts.includes('damaged')) await damagedPage();
    if (parts.includes('aids')) await aids();
    if (parts.includes('presses')) {
        for (const [v, query] of kPressViewports) await pressesLandUnderThePointer(v, query);
    }
    if (parts.includes('viewports')) for (const v of kViewports) await viewport(v);
    if (parts.includes('accessibility')) await accessibility();
    if (parts.includes('fullhd')) await fullHd();
    if (parts.includes('languages')) await languages();
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
