// SPDX-License-Identifier: GPL-3.0-or-later
// Plays the whole game of tests/e2e/game.json, the desktop's table, in the page:
//   node play.js mouse|keyboard BRIMWOLD_HTML [file|http] [LANG...|every]
// By mouse, every press and click is a real click on the control. By keyboard
// alone, F6 reaches the step's window, Tab its control, and Enter or Space (in
// turn) presses it. After every step the page must show what the table expects.
// With languages (every: each the page carries), the game is played once in
// each, opened with ?lang=, the table's texts translated through the catalogs
// (table.js), <html lang> and dir as the language has them. In the first one,
// where a step lists the log (the feedback screen, the debrief), the language
// chooser switches to every other language and back: the page shows that step
// in each, and the game goes on. With BRIMWOLD_SHOTS=DIR in the environment,
// the window that has the keyboard is photographed after every step into
// DIR/LANG/, named by its design (frmMain.png), the last time it shows.
'use strict';

const path = require('node:path');
const fs = require('node:fs');

const { run, assert } = require('./browser');
const { table, players, seen, expected, inLanguage } = require('./table');

const [how, file, over = 'file', ...asked] = process.argv.slice(2);
if (!players[how] || !file) {
  console.error('usage: node play.js mouse|keyboard BRIMWOLD_HTML [file|http] [LANG...|every]');
  process.exit(2);
}

// What the page shows after the step, in the table's language (code).
async function check(game, step, number, { language: { code }, table: { log, names } }) {
  await game.until(`${code} step ${number}: ${step.do} ${step.window} ${step.control || step.text}`,
    () => seen(game, step, names), expected(step, log));
}

async function play(browser, languages, index) {
  const { code, rightToLeft } = languages[index].language;
  const game = await browser.open(file, { over, query: code === 'en' ? '' : `?lang=${code}` });
  const { page } = game;
  const root = () => page.evaluate(() => [document.documentElement.lang, document.documentElement.dir]);
  const speaks = (language) => [language.code.replace('_', '-'), language.rightToLeft ? 'rtl' : 'ltr'];
  assert.deepEqual(await root(), speaks({ code, rightToLeft }), `${code}: <html lang> and dir`);
  const { steps } = languages[index].table;
  const shots = process.env.BRIMWOLD_SHOTS && path.join(process.env.BRIMWOLD_SHOTS, code);
  if (shots) fs.mkdirSync(shots, { recursive: true });
  for (const [i, step] of steps.entries()) {
    await players[how](game, step, i + 1);
    await check(game, step, i + 1, languages[index]);
    const top = shots && await page.$('#desktop > .panel.active:not([hidden])');
    if (top) {
      const name = await top.evaluate((el) => el.querySelector('.caption').id.replace('-caption', ''));
      await top.screenshot({ path: path.join(shots, `${name}.png`) });
    }
    if (index !== 0 || languages.length < 2 || (step.log === undefined && !step.list)) continue;
    for (const other of [...languages.slice(1), languages[0]]) {
      await page.select('#language', other.language.code);
      await check(game, other.table.steps[i], i + 1, other);
      assert.deepEqual(await root(), speaks(other.language), `${other.language.code}: <html lang> and dir`);
    }
  }
  game.checkQuiet();
  await page.close();
}

run(async (browser) => {
  const began = Date.now();
  let languages = [{ table, language: { code: 'en', rightToLeft: false } }];
  if (asked.length) {
    const { page } = await browser.open(file, { over });
    const codes = asked[0] === 'every'
      ? await page.evaluate(() => Object.keys(JSON.parse(document.getElementById('catalogs').textContent).languages))
      : asked;
    languages = await Promise.all(codes.map((code) => inLanguage(page, code)));
    await page.close();
    if (codes.length > 1) languages.push({ table, language: { code: 'en', rightToLeft: false } });
  }
  for (const index of languages.keys()) {
    if (asked.length && languages[index].language.code === 'en') continue;
    const at = Date.now();
    await play(browser, languages, index);
    console.log(`${languages[index].language.code}: a whole game by ${how} over ${over} in ${table.steps.length} steps, ${(Date.now() - at) / 1000} s`);
  }
  console.log(`${(Date.now() - began) / 1000} s in all`);
});
