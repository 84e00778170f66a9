// soak_browser.js - the web page running a wave in headless Chromium for a
// while (run through tools/soak.sh browser).  Once a minute it prints
// "sample MINUTE RSS_KB FDS JS_HEAP_BYTES": the renderer's resident memory
// and open files (from /proc) and the page's used JavaScript heap; console
// errors and page errors are counted and printed.
//   NODE_PATH=.../node_modules node soak_browser.js PAGE.html MINUTES
'use strict';
const puppeteer = require('puppeteer-core');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { processTree } = require('../scripts/proc-tree');

const [pageFile, minutesArg] = process.argv.slice(2);
const minutes = Number(minutesArg);
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'osk-soak-'));
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The renderer: the chromium process whose command line says so and that
// was started by this browser (a descendant of its process).
function rendererPids(browserPid) {
  return processTree(browserPid).slice(1).filter((pid) => {
    try {
      return fs.readFileSync(`/proc/${pid}/cmdline`, 'utf8').includes('--type=renderer');
    } catch (e) {
      return false;  // gone
    }
  });
}

function residentKb(pid) {
  const m = /VmRSS:\s+(\d+)/.exec(fs.readFileSync(`/proc/${pid}/status`, 'utf8'));
  return m ? Number(m[1]) : 0;
}

async function main() {
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: path.join(work, 'profile'),
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--enable-precise-memory-info'],
  });
  let consoleErrors = 0;
  try {
    const page = await browser.newPage();
    page.on('console', (m) => { if (m.type() === 'error') { consoleErrors++; console.log(`console error: ${m.text()}`); } });
    page.on('pageerror', (e) => { consoleErrors++; console.log(`page error: ${e.message}`); });
    await page.setViewport({ width: 1300, height: 400 });
    await page.goto('file://' + path.resolve(pageFile) + '?screen=1024x768');
    await page.waitForFunction(() => window.osk && window.osk.firstPictureMs !== null, { timeout: 20000 });
    await page.keyboard.press('KeyL');
    await sleep(300);
    await page.keyboard.press('Space');
    const renderers = rendererPids(browser.process().pid);
    for (let minute = 0; minute <= minutes; minute++) {
      if (minute > 0) await sleep(60000);
      const metrics = await page.metrics();
      const rss = renderers.reduce((sum, pid) => sum + residentKb(pid), 0);
      const fds = renderers.reduce((sum, pid) => sum + fs.readdirSync(`/proc/${pid}/fd`).length, 0);
      const refreshes = await page.evaluate(() => window.osk.refreshes);
      console.log(`sample ${minute} ${rss} ${fds} ${metrics.JSHeapUsedSize}  (refreshes ${refreshes})`);
    }
    await page.keyboard.press('KeyQ');
    await sleep(1000);
    const ended = await page.evaluate(() => ({ ended: window.osk.ended, code: window.osk.exitCode }));
    console.log(`browser: ${minutes} min, renderers ${renderers.join(',')}, ended ${ended.ended} ` +
                `(exit code ${ended.code}), console/page errors: ${consoleErrors}`);
  } finally {
    await browser.close();
    fs.rmSync(work, { recursive: true, force: true });
  }
}

main().catch((e) => { console.error(e); process.exit(1); });
