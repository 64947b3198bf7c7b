// SPDX-License-Identifier: GPL-3.0-or-later
// The page on the screens classrooms have, played by touch, all in one browser:
//   node screens.js BRIMWOLD_HTML [OUT_DIR]
// the shared table's whole game on phones in portrait (320 x 640, 360 x 740) and
// in landscape (740 x 360) at device scale 3, on a tablet (768 x 1024), and on
// laptops (1366 x 768, 1280 x 720) at 200 % zoom, whose viewports are then half
// as wide and high at device scale 2. After every step the page shows what the
// table expects, and its layout holds: no text cut off, the page never scrolls
// sideways, no control lies beyond the viewport's sides, and every button is at
// least 24 px a side (44 in the compact layout). Each window, the first time it
// is in front, and the page once the game has ended, pass axe-core's WCAG 2.0,
// 2.1 and 2.2 A and AA rules without a violation. The narrowest phone and a
// laptop play with WCAG's text spacing (1.4.12) in force; where a window cannot
// hold the spaced text at its size, the page takes the compact layout. A box
// typed in on a phone stays in view when an on-screen keyboard takes part of the
// screen. With OUT_DIR, the phones in portrait and landscape photograph every
// window into OUT_DIR/portrait and OUT_DIR/landscape.
'use strict';

const fs = require('node:fs');
const path = require('node:path');
const { run, assert } = require('./browser');
const { table, players, seen, expected } = require('./table');
const { cutOff, SHOTS, LAST_SHOT } = require('./look');

const PHONE = { scale: 3, isMobile: true };
const SCREENS = [
  { name: 'phone 320 x 640', width: 320, height: 640, ...PHONE, spacing: true },
  { name: 'portrait', width: 360, height: 740, ...PHONE, shots: 'portrait' },
  { name: 'landscape', width: 740, height: 360, ...PHONE, shots: 'landscape' },
  { name: 'tablet 768 x 1024', width: 768, height: 1024, scale: 2, isMobile: true },
  { name: 'laptop 1366 x 768 at 200 %', width: 683, height: 384, scale: 2 },
  { name: 'laptop 1280 x 720 at 200 %', width: 640, height: 360, scale: 2 },
  { name: 'laptop 1280 x 800 with text spacing', width: 1280, height: 800, scale: 1, spacing: true },
];

// WCAG's text spacing: the most a reader's own style may ask for.
const SPACING = `* { line-height: 1.5 !important; letter-spacing: 0.12em !important; word-spacing: 0.16em !important; }
p { margin-bottom: 2em !important; }`;

const AXE = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
const WCAG_AA = ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa'];

// What is wrong with the layout as it shows now.
function layoutFaults() {
  const view = document.documentElement;
  const least = view.classList.contains('compact') ? 44 : 24;
  const faults = [];
  if (view.scrollWidth > view.clientWidth) faults.push(`the page scrolls sideways: ${view.scrollWidth} wide`);
  const windows = [...document.querySelectorAll('#desktop > .panel:not([hidden]), .message')];
  const controls = windows.flatMap((w) => [...w.querySelectorAll('.control, .close, .ok')]).concat(
    [...document.querySelectorAll('.again')]);
  for (const el of controls.filter((c) => c.getClientRects().length)) {
    const box = el.getBoundingClientRect();
    const name = el.id || el.className;
    // What lies in a strip scrolls sideways with it, inside the panel.
    if (!el.closest('.strip') && (box.left < -0.5 || box.right > view.clientWidth + 0.5)) {
      faults.push(`${name} beyond the viewport's sides: ${box.left} to ${box.right}`);
    }
    if (el.tagName === 'BUTTON' && (box.width < least - 0.01 || box.height < least - 0.01)) {
      faults.push(`${name} smaller than ${least} px: ${box.width} x ${box.height}`);
    }
  }
  return faults;
}

async function audit(page) {
  if (!(await page.evaluate(() => 'axe' in window))) await page.evaluate(AXE);
  const { violations } = await page.evaluate((tags) => window.axe.run(document, {
    runOnly: { type: 'tag', values: tags }, resultTypes: ['violations'], iframes: false }), WCAG_AA);
  return violations.map((v) => `${v.id} (${v.help}): ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
}

async function photograph(page, screen, name, out) {
  const dir = path.join(out, screen.shots);
  fs.mkdirSync(dir, { recursive: true });
  // The window as it first comes, at the viewport's size in CSS pixels, as the desktop's pictures are.
  await page.evaluate(() => document.querySelectorAll('#desktop > .panel').forEach((panel) => panel.scrollTo(0, 0)));
  const clip = { x: 0, y: 0, width: screen.width, height: screen.height, scale: 1 / screen.scale };
  await page.screenshot({ path: path.join(dir, `${name}.png`), clip });
}

async function play(browser, file, screen, out) {
  const prepare = screen.spacing && (async (page) => {
    await page.setBypassCSP(true);
    await page.evaluateOnNewDocument((css) => {
      new MutationObserver((changes, observer) => {
        if (!document.head) return;
        observer.disconnect();
        document.head.append(Object.assign(document.createElement('style'), { textContent: css }));
      }).observe(document, { childList: true, subtree: true });
    }, SPACING);
  });
  const game = await browser.open(file, { ...screen, hasTouch: true, prepare });
  const { page } = game;
  const audited = new Set();
  const look = async (what) => {
    const faults = await page.evaluate(`[...(${layoutFaults})(), ...(${cutOff})()]`);
    assert.deepEqual(faults, [], `${screen.name}, ${what}: the layout`);
    const front = (await game.ended()) ? 'the end' : await game.active();
    const first = !audited.has(front);
    if (first) {
      audited.add(front);
      assert.deepEqual(await audit(page), [], `${screen.name}, ${front}: axe-core`);
    }
    if (out && screen.shots && SHOTS[front] && (first || LAST_SHOT.has(front))) {
      await photograph(page, screen, SHOTS[front], out);
    }
  };
  await look('at the start');
  for (const [i, step] of table.steps.entries()) {
    const what = `step ${i + 1}: ${step.do} ${step.window} ${step.control || step.text}`;
    await players.touch(game, step);
    await game.until(`${screen.name}, ${what}`, () => seen(game, step), expected(step));
    await look(what);
  }
  game.checkQuiet();
  await page.close();
  return audited.size;
}

// An on-screen keyboard takes the lower part of a phone's screen: the box typed in stays in view.
async function typeAboveKeyboard(browser, file) {
  const phone = SCREENS.find((screen) => screen.shots === 'landscape');
  const game = await browser.open(file, { ...phone, hasTouch: true });
  const box = 'What percentage of the villagers must you convert?';
  await game.tap('Intro', box);
  await game.page.setViewport({ ...phone, height: 150, deviceScaleFactor: phone.scale, hasTouch: true });
  await game.until('the box above the keyboard', () => game.read('Intro', box, (el) => {
    const { top, bottom } = el.getBoundingClientRect();
    return document.activeElement === el && top >= 0 && bottom <= document.documentElement.clientHeight;
  }), true);
  game.checkQuiet();
  await game.page.close();
}

const [file, out] = process.argv.slice(2);
if (!file) {
  console.error('usage: node screens.js BRIMWOLD_HTML [OUT_DIR]');
  process.exit(2);
}

run(async (browser) => {
  await typeAboveKeyboard(browser, file);
  for (const screen of SCREENS) {
    const began = Date.now();
    const audits = await play(browser, file, screen, out);
    console.log(`${screen.name}: a whole game by touch, ${audits} audits, ${(Date.now() - began) / 1000} s`);
  }
});
