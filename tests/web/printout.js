// SPDX-License-Identifier: GPL-3.0-or-later
// The debrief's Print in a browser: the shared game played to its debrief, Print
// pressed (the page's print called once), and the page printed to PDF as the
// browser's print would, read back with pdftotext (poppler-utils): the heading,
// the date, the setup, the sentences, both logs, all on one A4 page.
//   node printout.js BRIMWOLD_HTML [OUT_DIR]
// The PDF stays in OUT_DIR (default: the working folder) as printout.pdf, to be looked at.
'use strict';

const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const { run, assert } = require('./browser');
const { table, players, seen, expected } = require('./table');

const [file, out = '.'] = process.argv.slice(2);
const oneBlank = (text) => text.replace(/\s+/g, ' ').trim();

run(async (browser) => {
  const game = await browser.open(file, {
    prepare: (page) => page.evaluateOnNewDocument(() => {
      window.printed = 0;
      window.print = () => { window.printed += 1; };
    }),
  });
  const debrief = table.steps.findIndex((step) => step.control === 'Debrief');
  for (const [i, step] of table.steps.slice(0, debrief + 1).entries()) {
    await players.mouse(game, step, i + 1);
    await game.until(`step ${i + 1}`, () => seen(game, step), expected(step));
  }
  await game.click('Debrief', 'Print');
  assert.equal(await game.page.evaluate(() => window.printed), 1);
  const today = await game.page.evaluate(() => new Date().toLocaleDateString('sv'));

  fs.mkdirSync(out, { recursive: true });
  const pdf = path.join(out, 'printout.pdf');
  await game.page.pdf({ path: pdf, format: 'A4' });
  const pages = execFileSync('pdftotext', ['-layout', pdf, '-']).toString().split('\f').filter((p) => p.trim());
  assert.equal(pages.length, 1, 'the printout is not one page');
  const text = oneBlank(pages[0]);
  const debriefStep = table.steps[debrief];
  const wanted = ['Brimwold: the debrief', `Printed on ${today}`, 'Player: Ada', 'Days: 365', 'Target: 100%',
    ...debriefStep.labels.texts.filter((t) => t !== 'Best plan'), 'Your game', 'Best plan',
    ...table.log, ...debriefStep.list.lines, 'households converted', 'days used'];
  for (const line of wanted) assert.ok(text.includes(oneBlank(line)), `the printout lacks: ${line}`);
  // Nothing of the windows is printed besides.
  assert.ok(!text.includes('Quit Game'), 'the windows are printed too');
  game.checkQuiet();
  console.log(`printed the shared game's debrief to ${pdf}: one page`);
});
