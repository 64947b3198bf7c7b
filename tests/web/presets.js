// SPDX-License-Identifier: GPL-3.0-or-later
// A class link (?days=N&target=P, &fixed=1) or a platform's launch data presets the
// setup screen's days and percentage:
//   node presets.js BRIMWOLD_HTML
// each row on a page of its own: what the boxes show, whether they can be typed
// in, whether the notice shows, and the days the main screen starts with after
// Enter in the days box. Then the language a link asks for (?lang=): a language
// the page carries, or its region's, else English, never an error.
'use strict';

const { run, assert } = require('./browser');
const { openOnPlatform, notices } = require('./host');

const [file] = process.argv.slice(2);
const IGNORED = 'The days or the percentage this game was set to start with cannot be used; the usual ones are filled in.';
const DAYS = 'How many days do you plan on staying with us?';
const PERCENT = 'What percentage of the villagers must you convert?';

const ROWS = [
  // what, the page's link query, the platform's launch data, the boxes afterwards, whether
  // they can be typed in, whether the notice shows, the days the main screen starts with
  ['valid', '?days=200&target=60&lang=en', null, ['200', '60'], true, false, '200'],
  ['out of range', '?days=-32724&target=32768', null, ['365', '100'], true, true, '365'],
  ['the fewest days and a negative percentage', '?days=-32723&target=-5', null, ['-32723', '-5'], true, false, '-32723'],
  ['not a number', '?days=many&target=', null, ['365', '100'], true, true, '365'],
  ['one of two refused', '?days=150.5&target=half', null, ['150.5', '100'], true, true, '150'],
  ['fixed', '?days=120&target=40&fixed=1', null, ['120', '40'], false, false, '120'],
  ['launch data, fixed', '', 'days=90&target=30&fixed=1', ['90', '30'], false, false, '90'],
  ['the link over the launch data', '?days=300', '?days=90&target=30', ['300', '30'], true, false, '300'],
  ['launch data refused', '', 'days=x', ['365', '100'], true, true, '365'],
];

// What ?lang= holds, and the language the page takes: <html lang>, dir and the chooser.
const LANGUAGES = [
  ['fr', 'fr', 'ltr', 'fr'], ['ar', 'ar', 'rtl', 'ar'], ['pt_BR', 'pt-BR', 'ltr', 'pt_BR'],
  // a region falls back to its language, a browser's tag to the catalog's
  ['fr-CA', 'fr', 'ltr', 'fr'], ['pt-BR', 'pt-BR', 'ltr', 'pt_BR'], ['ar-EG', 'ar', 'rtl', 'ar'],
  // a locale's name as the desktop's environment has it, with its encoding and modifier
  ['fr_FR.UTF-8@x', 'fr', 'ltr', 'fr'],
  // unknown or malformed: English
  ['xx', 'en', 'ltr', 'en'], ['', 'en', 'ltr', 'en'], ['<script>alert(1)</script>', 'en', 'ltr', 'en'],
  [`fr-${'x'.repeat(5000)}`, 'en', 'ltr', 'en'], ['fr\u0000', 'en', 'ltr', 'en'], ['xx\nfr', 'en', 'ltr', 'en'],
  ['C', 'en', 'ltr', 'en'], ['fr,es', 'en', 'ltr', 'en'],
];

async function languages(browser) {
  for (const [asked, lang, dir, chosen] of LANGUAGES) {
    const game = await browser.open(file, { query: `?lang=${encodeURIComponent(asked)}` });
    const taken = await game.page.evaluate(() => [document.documentElement.lang, document.documentElement.dir,
      document.getElementById('language').value]);
    assert.deepEqual(taken, [lang, dir, chosen], `?lang=${asked.slice(0, 40)}`);
    game.checkQuiet();
    await game.page.close();
  }
  console.log(`${LANGUAGES.length} values of ?lang=: each its language, else English`);
}

run(async (browser) => {
  await languages(browser);
  for (const [what, query, launchData, boxes, typable, noticed, starts] of ROWS) {
    const config = { query, ...(launchData === null ? {} : { scorm: '2004', api: 'runtime', cmi: { launch_data: launchData } }) };
    const game = await openOnPlatform(browser, file, config);
    const values = () => Promise.all([DAYS, PERCENT].map((box) => game.read('Intro', box, (el) => el.value)));
    assert.deepEqual(await values(), boxes, what);
    assert.deepEqual(await notices(game), noticed ? [IGNORED] : [], what);
    // Typed over: a box that is fixed keeps its value.
    await game.click('Intro', DAYS);
    await game.page.keyboard.press('End');
    await game.page.keyboard.type('7');
    assert.equal((await values())[0], typable ? `${boxes[0]}7` : boxes[0], what);
    await game.page.keyboard.press('Backspace');
    await game.click('Intro', 'Please enter your name.');
    await game.page.keyboard.type('Ada');
    // Enter in the days box, fixed or not, is OK.
    await game.click('Intro', DAYS);
    await game.page.keyboard.press('Enter');
    await game.until(what, () => game.read('Brimwold', 'Days left', (el) => el.value), starts);
    game.checkQuiet();
    console.log(`${what}: ${boxes.join(' and ')}${typable ? '' : ', fixed'}${noticed ? ', with the notice' : ''}`);
  }
});
