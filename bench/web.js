// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the browser edition in headless Chromium; reports, asserts nothing:
//   NODE_PATH=build/web/web/npm/node_modules node bench/web.js build/web/web/brimwold.html [LOADS [RUNS]]
// 1. the size of brimwold.html;
// 2. LOADS loads (default 20), each in a new tab: from navigation start to the
//    first contentful paint, which is the setup window (nothing is painted before
//    it); the same for a bare page of one line of text, what the browser itself
//    takes on this machine;
// 3. the whole game of tests/e2e/game.json played by mouse: for every click, the
//    time from the input event to the end of its handling (the core's steps
//    played), and to the next frame painted after it;
// 4. Chromium's Event Timing (the measure behind Interaction to Next Paint: from
//    the input to the next frame painted, in steps of 8 ms) of every interaction
//    of RUNS whole games (default 3): in the wide layout (1280 x 800) by mouse
//    and by keyboard, and in the compact one (a phone, 360 x 740 at device scale 3) by mouse and
//    by touch; the median and the largest, each window's first opening, the
//    Feedback and the Debrief presses on their own; and first, a bare page's
//    button clicked and tapped, what the browser itself takes on this machine
//    (with how long a tap's events wait before the page may handle them).
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

// Put in every page before it runs: Chromium's Event Timing of every interaction
// that took 16 ms or more, with the time its handlers took.
function observeEvents() {
  window.brimwoldEvents = [];
  new PerformanceObserver((list) => {
    for (const entry of list.getEntries()) {
      if (entry.interactionId) {
        window.brimwoldEvents.push({ id: entry.interactionId, duration: entry.duration,
          handlers: entry.processingEnd - entry.processingStart, delay: entry.processingStart - entry.startTime });
      }
    }
  }).observe({ type: 'event', durationThreshold: 16, buffered: true });
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
  return game.page.evaluate(() => window.brimwoldClicks);
}

const PHONE = { width: 360, height: 740, scale: 3, isMobile: true, hasTouch: true };
const LAYOUTS = {
  'wide (1280 x 800), by mouse': { width: 1280, height: 800, player: 'mouse' },
  'wide (1280 x 800), by keyboard': { width: 1280, height: 800, player: 'keyboard' },
  'compact (a phone, 360 x 740), by mouse': { ...PHONE, player: 'mouse' },
  'compact (a phone, 360 x 740), by touch': { ...PHONE, player: 'touch' },
};

// Each interaction's Event Timing duration: the largest of its events'; those
// under 16 ms, which Chromium does not report, count as 8.
async function durations(page, before) {
  const [count, entries] = await page.evaluate(() => [performance.interactionCount, window.brimwoldEvents.splice(0)]);
  const slow = new Map();
  for (const { id, duration, handlers, delay } of entries) {
    const seen = slow.get(id) || { duration: 0, handlers: 0, delay: 0 };
    slow.set(id, { duration: Math.max(seen.duration, duration), handlers: Math.max(seen.handlers, handlers),
      delay: Math.max(seen.delay, delay) });
  }
  const times = [...slow.values()];
  while (times.length < count - before) times.push({ duration: 8, handlers: 0 });
  return times;
}

// An interaction's entry comes once its next frame is painted.
const settle = () => new Promise((resolve) => setTimeout(resolve, 150));

// Keys pressed at a person's pace. The players press them back to back, a few
// milliseconds apart: the keys would then share a frame, and the page's frame
// would wait while the later keys are handled.
const PACE = 50;
function humanPace(keyboard) {
  const [press, type] = [keyboard.press.bind(keyboard), keyboard.type.bind(keyboard)];
  keyboard.press = async (key, options) => {
    await press(key, options);
    await new Promise((resolve) => setTimeout(resolve, PACE));
  };
  keyboard.type = (text, options) => type(text, { delay: PACE, ...options });
}

// One whole game: each step's interactions, and the windows it showed for the first time.
async function eventTimes(browser, file, layout) {
  const game = await browser.open(file, { ...layout, prepare: (p) => p.evaluateOnNewDocument(observeEvents) });
  const { page } = game;
  humanPace(page.keyboard);
  const steps = [];
  const opened = new Set(await game.showing());
  for (const [i, step] of table.steps.entries()) {
    const before = await page.evaluate(() => performance.interactionCount);
    await players[layout.player](game, step, i + 1);
    await settle();
    const times = await durations(page, before);
    const first = (await game.showing()).filter((caption) => !caption.startsWith('Message') && !opened.has(caption));
    first.forEach((caption) => opened.add(caption));
    steps.push({ label: `${i + 1} ${step.control || step.text} (${step.window})`, control: step.control, times, first,
      slowest: times.reduce((a, b) => (b.duration > a.duration ? b : a), { duration: 0, handlers: 0 }) });
  }
  await page.close();
  return steps;
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const spread = (values) => `median ${median(values)}, max ${Math.max(...values)}`;
function histogram(values) {
  const counts = {};
  for (const value of values) counts[value] = (counts[value] || 0) + 1;
  return Object.entries(counts).map(([ms, n]) => `${ms}: ${n}`).join(', ');
}

// A bare page's button, clicked and tapped 60 times: what the browser itself takes here.
async function baseline(browser) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'brimwold-bench-'));
  const file = path.join(dir, 'button.html');
  fs.writeFileSync(file, '<!DOCTYPE html><html lang="en"><meta name="viewport" content="width=device-width">'
    + '<title>Bare</title><button style="width:200px;height:60px">Press</button><p></p>'
    + '<script>let n = 0; document.querySelector("button").onclick = () => '
    + '{ document.querySelector("p").textContent = `pressed ${++n}`; };</script></html>');
  for (const how of ['click', 'tap']) {
    const page = await browser.browser.newPage();
    await page.setViewport({ width: 360, height: 740, deviceScaleFactor: 3, isMobile: true, hasTouch: true });
    await page.evaluateOnNewDocument(observeEvents);
    await page.goto(`file://${file}`);
    for (let i = 0; i < 60; ++i) {
      await (how === 'tap' ? page.touchscreen.tap(100, 30) : page.mouse.click(100, 30));
      await new Promise((resolve) => setTimeout(resolve, 50 + (i % 7) * 10));
    }
    await settle();
    const all = await durations(page, 0);
    const times = all.map((t) => t.duration);
    // How long its events waited before the page could handle them: the browser's own part.
    const waited = all.filter((t) => t.delay !== undefined).map((t) => Math.round(t.delay));
    console.log(`a bare page's button on the phone, ${how}s: ${spread(times)}; by ms: ${histogram(times)}; `
      + `its events waited before their handlers, ms: ${waited.length ? spread(waited) : 'none 16 ms or more'}`);
    await page.close();
  }
  fs.rmSync(dir, { recursive: true });
}

async function eventTiming(browser, file, runs) {
  await baseline(browser);
  for (const [name, layout] of Object.entries(LAYOUTS)) {
    const games = [];
    try {
      for (let run = 0; run < runs; ++run) games.push(await eventTimes(browser, file, layout));
    } catch (error) {
      console.log(`${name}: the game cannot be played (${error.message.split('\n')[0]})`);
      continue;
    }
    const all = games.flat();
    const every = all.flatMap((step) => step.times.map((t) => t.duration));
    console.log(`${name}: ${every.length} interactions in ${runs} games, ms: ${spread(every)}; `
      + `by ms: ${histogram(every)}`);
    const of = (steps) => `${spread(steps.map((s) => s.slowest.duration))} (handlers up to `
      + `${Math.max(...steps.map((s) => s.slowest.handlers)).toFixed(1)})`;
    for (const caption of [...new Set(all.flatMap((step) => step.first))].sort()) {
      console.log(`  first opening of ${caption}: ${of(all.filter((step) => step.first.includes(caption)))}`);
    }
    for (const control of ['Feedback', 'Debrief']) {
      console.log(`  ${control} presses: ${of(all.filter((step) => step.control === control))}`);
    }
    const over = all.filter((step) => step.slowest.duration > 16);
    const named = over.slice(0, 12).map((step) => `${step.label} ${step.slowest.duration}`);
    const more = over.length > 12 ? ` and ${over.length - 12} more` : '';
    console.log(`  steps over 16 ms (${over.length}): ${named.join(', ') || 'none'}${more}`);
  }
}

async function main() {
  const [file, count = '20', runs = '3'] = process.argv.slice(2);
  if (!file) {
    console.error('usage: node bench/web.js BRIMWOLD_HTML [LOADS [RUNS]]');
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
    const done = (await clicks(browser, file)).filter((c) => c.painted > 0);
    console.log(`click to handled, ms: ${stats(done.map((c) => c.handled))}`);
    console.log(`click to the next frame painted, ms: ${stats(done.map((c) => c.painted))}`);
    const slowest = [...done].sort((a, b) => b.painted - a.painted).slice(0, 5);
    console.log(`slowest to paint: ${slowest.map((c) => `${c.target} ${c.painted.toFixed(1)}`).join(', ')}`);
    await eventTiming(browser, file, Number(runs));
  } finally {
    await browser.stop();
  }
}

main().catch((error) => {
  console.error(error);
  process.exitCode = 1;
});
