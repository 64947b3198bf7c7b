// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the browser edition in headless Chromium; reports, asserts nothing:
//   NODE_PATH=build/web/web/npm/node_modules node bench/web.js build/web/web/brimwold.html [LOADS]
// 1. the size of brimwold.html;
// 2. LOADS loads (default 20), each in a new tab: from navigation start to the
//    first contentful paint, which is the setup window (nothing is painted before
//    it); the same for a bare page of one line of text, what the browser itself
//    takes on this machine;
// 3. the whole game of tests/e2e/game.json played by mouse: for every click, the
//    time from the input event to the end of its handling (the core's steps
//    played), and to the next frame painted after it; Chromium's own event timing
//    lists every click that took 16 ms or more to its next paint.
'use strict';

const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { Browser } = require('../tests/web/browser');
const { table, players } = require('../tests/web/table');

function stats(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const at = (q) => sorted[Math.min(sorted.length - 1, Math.floor(q * sorted.length))];
  return `median ${at(0.5).toFixed(1)} (min ${sorted[0].toFixed(1)}, max ${sorted.at(-1).toFixed(1)}), n=${sorted.length}`;
}

// Put in every page before it runs: the time each click took to be handled and painted.
function instrument() {
  window.brimwoldClicks = [];
  window.brimwoldSlowEvents = [];
  new PerformanceObserver((list) => {
    for (const entry of list.getEntries()) {
      if (entry.name === 'click') window.brimwoldSlowEvents.push(entry.duration);
    }
  }).observe({ type: 'event', durationThreshold: 16, buffered: true });
  // Bubbling to the window comes after the page's own handler has played the core's steps.
  window.addEventListener('click', (event) => {
    const record = { handled: performance.now() - event.timeStamp, painted: 0, target: event.target.id };
    window.brimwoldClicks.push(record);
    requestAnimationFrame(() => {
      const channel = new MessageChannel();
      channel.port1.onmessage = () => { record.painted = performance.now() - event.timeStamp; };
      channel.port2.postMessage(0);
    });
  });
}

async function loads(browser, file, count) {
  const paints = [];
  for (let i = 0; i < count; ++i) {
    const page = await browser.browser.newPage();
    await page.goto(`file://${path.resolve(file)}`);
    paints.push(await page.evaluate(() => new Promise((resolve) => {
      new PerformanceObserver((list, observer) => {
        const paint = list.getEntriesByName('first-contentful-paint')[0];
        if (paint) {
          observer.disconnect();
          resolve(paint.startTime);
        }
      }).observe({ type: 'paint', buffered: true });
    })));
    await page.close();
  }
  return paints;
}

async function clicks(browser, file) {
  const game = await browser.open(file, { prepare: (p) => p.evaluateOnNewDocument(instrument) });
  for (const [i, step] of table.steps.entries()) {
    await players.mouse(game, step, i + 1);
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  return game.page.evaluate(() => ({ clicks: window.brimwoldClicks, slow: window.brimwoldSlowEvents }));
}

async function main() {
  const [file, count = '20'] = process.argv.slice(2);
  if (!file) {
    console.error('usage: node bench/web.js BRIMWOLD_HTML [LOADS]');
    process.exit(2);
  }
  console.log(`brimwold.html: ${fs.statSync(file).size} bytes (${(fs.statSync(file).size / 1024).toFixed(1)} KiB)`);
  const browser = await Browser.start();
  try {
    const bare = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'brimwold-bench-')), 'bare.html');
    fs.writeFileSync(bare, '<!DOCTYPE html><html lang="en"><title>Bare</title><p>One line of text.</p></html>');
    // Taken in turn, so that both meet the same load on the machine.
    const game = [];
    const baseline = [];
    for (let i = 0; i < Number(count); ++i) {
      game.push(...await loads(browser, file, 1));
      baseline.push(...await loads(browser, bare, 1));
    }
    fs.rmSync(path.dirname(bare), { recursive: true });
    console.log(`navigation start to the setup window painted, ms: ${stats(game)}`);
    console.log(`navigation start to a bare page painted, ms: ${stats(baseline)}`);
    const measured = await clicks(browser, file);
    const done = measured.clicks.filter((c) => c.painted > 0);
    console.log(`click to handled, ms: ${stats(done.map((c) => c.handled))}`);
    console.log(`click to the next frame painted, ms: ${stats(done.map((c) => c.painted))}`);
    const slowest = [...done].sort((a, b) => b.painted - a.painted).slice(0, 5);
    console.log(`slowest to paint: ${slowest.map((c) => `${c.target} ${c.painted.toFixed(1)}`).join(', ')}`);
    const counts = {};
    for (const duration of measured.slow) counts[duration] = (counts[duration] || 0) + 1;
    console.log(`clicks of 16 ms or more to their next paint by Chromium's event timing (in steps of 8 ms): `
      + `${measured.slow.length} of ${done.length}, by ms: ${JSON.stringify(counts)}`);
  } finally {
    await browser.stop();
  }
}

main().catch((error) => {
  console.error(error);
  process.exitCode = 1;
});
