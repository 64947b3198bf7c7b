// SPDX-License-Identifier: GPL-3.0-or-later
// How the page looks and reads, at device scale factors 1 and 2, along the whole
// game of the shared table played by mouse:
//   node look.js BRIMWOLD_HTML [OUT_DIR [SCALES]]
// after every step, no text is cut off (every element with text is as large as
// its text: scrollWidth <= clientWidth and scrollHeight <= clientHeight), and
// every control and window of a window seen for the first time has a name in
// Chromium's accessibility tree, windows and controls named as on the desktop;
// every window is photographed into OUT_DIR (default: screenshots), at scale 2
// into OUT_DIR/scaled. SCALES: the scales to look at, default 1,2.
'use strict';

const fs = require('node:fs');
const path = require('node:path');
const { run, assert } = require('./browser');
const { table, players } = require('./table');

// The pictures' file names, by window; the feedback and the map the last time they show.
const SHOTS = { Intro: 'intro', Brimwold: 'main', Information: 'information', Diffusion: 'menu', Village1: 'map',
  Feedback: 'feedback', 'About Brimwold': 'about', Debrief: 'debrief', Message: 'message' };
const LAST_SHOT = new Set(['Feedback', 'Village1']);

// Every element that shows text and is larger than its box, but text meant for
// screen readers only; and every text of a drawing (a chart) that reaches past
// the drawing's edges.
function cutOff() {
  const showsText = (el) => (el.tagName === 'INPUT' ? el.value !== ''
    : [...el.childNodes].some((n) => n.nodeType === Node.TEXT_NODE && n.textContent.trim()));
  const boxes = [...document.querySelectorAll('body *')]
    .filter((el) => showsText(el) && !el.closest('.sr, [hidden], script, style, svg'))
    .filter((el) => el.scrollWidth > el.clientWidth || el.scrollHeight > el.clientHeight)
    .map((el) => `${el.id || el.className}: ${el.scrollWidth}x${el.scrollHeight} in ${el.clientWidth}x${el.clientHeight}`);
  // A drawing scaled down measures its font's box unrounded, up to a unit larger; a
  // picture's texts are drawn in the picture's own size, without a view box.
  const drawn = [...document.querySelectorAll('#desktop svg text')].filter((text) => {
    const box = text.getBBox();
    const drawing = text.ownerSVGElement;
    const { width, height } = drawing.viewBox.baseVal.width ? drawing.viewBox.baseVal
      : { width: parseFloat(drawing.style.width), height: parseFloat(drawing.style.height) };
    return box.x < -1 || box.y < -1 || box.x + box.width > width + 1 || box.y + box.height > height + 1;
  }).map((text) => `drawn text "${text.textContent}" at ${text.getAttribute('x')},${text.getAttribute('y')}`);
  return boxes.concat(drawn);
}

// Each control of the window, and the window itself, as Chromium's accessibility tree has it.
async function accessibleNames(game, caption) {
  const window = await game.window(caption);
  const named = [];
  for (const handle of [window, ...await window.$$('.control:not(.label):not([hidden]), .close, .ok')]) {
    const node = await game.page.accessibility.snapshot({ root: handle, interestingOnly: false });
    const id = await handle.evaluate((el) => el.id || el.className);
    named.push({ id, role: node?.role, name: node?.name || '' });
  }
  return named;
}

async function checkNames(game, caption) {
  const names = await accessibleNames(game, caption);
  const [window, ...controls] = names;
  if (caption === 'Message') assert.deepEqual([window.role, window.name], ['alertdialog', 'Brimwold']);
  else assert.deepEqual([window.role, window.name], ['dialog', caption]);
  const unnamed = controls.filter((c) => !c.name);
  assert.deepEqual(unnamed, [], `controls of ${caption} without a name`);
  return controls;
}

async function lookAt(browser, file, scale, out) {
  const game = await browser.open(file, { scale });
  const seen = new Set();
  const checked = [];
  const shoot = async (caption) => {
    if (seen.has(caption) && !LAST_SHOT.has(caption)) return;
    const name = scale === 1 ? `${SHOTS[caption]}.png` : path.join('scaled', `${SHOTS[caption]}-at-${scale}x.png`);
    await (await game.window(caption)).screenshot({ path: path.join(out, name) });
    if (!seen.has(caption)) checked.push(...await checkNames(game, caption));
    seen.add(caption);
  };
  await shoot('Intro');
  for (const [i, step] of table.steps.entries()) {
    await players.mouse(game, step, i + 1);
    assert.deepEqual(await game.page.evaluate(cutOff), [], `text cut off after step ${i + 1} at scale ${scale}`);
    const top = await game.active();
    if (top && SHOTS[top]) await shoot(top);
  }
  assert.deepEqual([...seen].sort(), Object.keys(SHOTS).sort(), 'windows seen');
  game.checkQuiet();
  return checked.length;
}

module.exports = { cutOff, SHOTS, LAST_SHOT };

if (require.main === module) {
  const [file, out = 'screenshots', scales = '1,2'] = process.argv.slice(2);
  if (!file) {
    console.error('usage: node look.js BRIMWOLD_HTML [OUT_DIR [SCALES]]');
    process.exit(2);
  }

  run(async (browser) => {
    fs.mkdirSync(path.join(out, 'scaled'), { recursive: true });
    for (const scale of scales.split(',').map(Number)) {
      const controls = await lookAt(browser, file, scale, out);
      console.log(`scale ${scale}: no text cut off in ${table.steps.length} steps; ${controls} controls named`);
    }
  });
}
