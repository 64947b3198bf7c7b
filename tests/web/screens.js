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
const { table, players, seen, expected, inLanguage } = require('./table');
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
  // A picture's translated texts lie over the picture, at its size.
  for (const texts of windows.flatMap((w) => [...w.querySelectorAll('.picture-texts')])) {
    const [over, under] = [texts, texts.previousElementSibling].map((el) => el.getBoundingClientRect());
    if (['left', 'top', 'width', 'height'].some((side) => Math.abs(over[side] - under[side]) > 1)) {
      faults.push(`the texts of ${texts.dataset.picture} beside their picture`);
    }
  }
  return faults;
}

// The rules a language leaves out: the made-up languages lengthen even the
// one-character mark of a locked button (to "[X]", or with direction marks around
// it), which then is no part of its name.
const NOT_AUDITED = { en_XA: ['label-content-name-mismatch'], ar_XB: ['label-content-name-mismatch'] };

async function audit(page, code = 'en') {
  if (!(await page.evaluate(() => 'axe' in window))) await page.evaluate(AXE);
  const rules = Object.fromEntries((NOT_AUDITED[code] || []).map((rule) => [rule, { enabled: false }]));
  const { violations } = await page.evaluate((tags, rules) => window.axe.run(document, {
    runOnly: { type: 'tag', values: tags }, rules, resultTypes: ['violations'], iframes: false }), WCAG_AA, rules);
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

// Plays the table's game on the screen; with languages ({ language, table } as
// table.js gives them), in the first, opened with ?lang=, and each window, the
// first time it is in front, is looked at in every one of them in turn, switched
// with the language chooser, and in the first again before the game goes on.
async function play(browser, file, screen, out, languages = [{ language: { code: 'en' }, table }]) {
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
  const [{ language: { code } }] = languages;
  const game = await browser.open(file, { ...screen, hasTouch: true, prepare, query: code === 'en' ? '' : `?lang=${code}` });
  const { page } = game;
  const audited = new Set();
  const look = async (what, speaking = code) => {
    const faults = await page.evaluate(`[...(${layoutFaults})(), ...(${cutOff})()]`);
    if (screen.wide && await page.evaluate(() => document.documentElement.classList.contains('compact'))) {
      faults.push('the compact layout on a wide screen');
    }
    assert.deepEqual(faults, [], `${screen.name}, ${speaking}, ${what}: the layout`);
    const front = (await game.ended()) ? 'the end' : await game.active();
    const first = !audited.has(`${speaking} ${front}`);
    if (first) {
      audited.add(`${speaking} ${front}`);
      assert.deepEqual(await audit(page, speaking), [], `${screen.name}, ${speaking}, ${front}: axe-core`);
    }
    if (out && screen.shots && SHOTS[front] && (first || LAST_SHOT.has(front))) {
      await photograph(page, screen, SHOTS[front], out);
    }
    return first && front !== 'Message';
  };
  const check = (what, step, { table: { log, names } }) =>
    game.until(`${screen.name}, ${what}`, () => seen(game, step, names), expected(step, log));
  await look('at the start');
  for (const [i, step] of languages[0].table.steps.entries()) {
    const what = `step ${i + 1}: ${step.do} ${step.window} ${step.control || step.text}`;
    await players.touch(game, step, i + 1, languages[0].table.names);
    await check(what, step, languages[0]);
    if (!(await look(what)) || languages.length < 2) continue;
    for (const other of [...languages.slice(1), languages[0]]) {
      await page.select('#language', other.language.code);
      await check(`${other.language.code}, ${what}`, other.table.steps[i], other);
      await look(what, other.language.code);
    }
  }
  game.checkQuiet();
  await page.close();
  return audited.size;
}

// Every panel in every language the page carries, and the two made-up ones, on a
// wide laptop and a phone in portrait: English with the others switched to at each
// window, and each made-up one, which the chooser offers only while in use, by itself.
// Opened in any of them, the wide laptop keeps the wide layout once the page has
// measured every window ahead.
const WIDE = { name: 'laptop 1280 x 800', width: 1280, height: 800, scale: 1, wide: true };
const MADE_UP = ['en_XA', 'ar_XB'];

async function inEveryLanguage(browser, file) {
  const { page } = await browser.open(file);
  const codes = await page.evaluate(() => Object.keys(JSON.parse(document.getElementById('catalogs').textContent).languages));
  const languages = await Promise.all(['en', ...codes, ...MADE_UP].map((code) => inLanguage(page, code)));
  await page.close();
  for (const { language: { code } } of languages) {
    const game = await browser.open(file, { ...WIDE, query: `?lang=${code}` });
    const count = Object.keys(JSON.parse(await game.page.$eval('#designs', (el) => el.textContent))).length;
    await game.until(`${code}: every window laid out ahead`, () => game.page.evaluate(() => document.querySelectorAll(
      '#desktop > .panel.ahead').length), count);
    assert.equal(await game.page.evaluate(() => document.documentElement.className), '',
      `${code}: the layout`);
    game.checkQuiet();
    await game.page.close();
  }
  const carried = languages.filter(({ language }) => !MADE_UP.includes(language.code));
  for (const screen of [WIDE, SCREENS.find((one) => one.shots === 'portrait')]) {
    for (const set of [carried, ...languages.filter(({ language }) => MADE_UP.includes(language.code)).map((l) => [l])]) {
      const began = Date.now();
      const audits = await play(browser, file, screen, null, set);
      console.log(`${screen.name}: ${set.map(({ language }) => language.code).join(' ')}, ${audits} audits, ${(Date.now() - began) / 1000} s`);
    }
  }
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
  console.error('usage: node screens.js BRIMWOLD_HTML [OUT_DIR|languages]');
  process.exit(2);
}

run(async (browser) => {
  if (out === 'languages') {
    await inEveryLanguage(browser, file);
    return;
  }
  await typeAboveKeyboard(browser, file);
  for (const screen of SCREENS) {
    const began = Date.now();
    const audits = await play(browser, file, screen, out);
    console.log(`${screen.name}: a whole game by touch, ${audits} audits, ${(Date.now() - began) / 1000} s`);
  }
});
