// SPDX-License-Identifier: GPL-3.0-or-later
// The debrief's Print in a browser: the shared game played to its debrief, Print
// pressed (the page's print called each time), and the page printed to PDF as the
// browser's print would, read back with pdftotext (poppler-utils): the heading,
// the date, the setup, the sentences, both logs, all on one A4 page and on one
// Letter page.
//   node printout.js BRIMWOLD_HTML [OUT_DIR]
// The PDFs stay in OUT_DIR (default: the working folder), printout.pdf and
// printout-letter.pdf, to be looked at.
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
  const today = await game.page.evaluate(() => new Date().toLocaleDateString('sv'));

  const debriefStep = table.steps[debrief];
  const wanted = ['Brimwold: the debrief', `Printed on ${today}`, 'Player: Ada', 'Days: 365', 'Target: 100%',
    ...debriefStep.labels.texts.filter((t) => t !== 'Best plan'), 'Your game', 'Best plan',
    ...table.log, ...debriefStep.list.lines, 'households converted', 'days used'];
  fs.mkdirSync(out, { recursive: true });
  for (const [i, [format, name]] of [['A4', 'printout.pdf'], ['Letter', 'printout-letter.pdf']].entries()) {
    // Each print takes its Print: the printout goes once printed.
    await game.click('Debrief', 'Print');
    assert.equal(await game.page.evaluate(() => window.printed), i + 1);
    const pdf = path.join(out, name);
    await game.page.pdf({ path: pdf, format });
    const pages = execFileSync('pdftotext', ['-layout', pdf, '-']).toString().split('\f').filter((p) => p.trim());
    assert.equal(pages.length, 1, `the printout is not one ${format} page`);
    const text = oneBlank(pages[0]);
    for (const line of wanted) assert.ok(text.includes(oneBlank(line)), `the printout lacks: ${line}`);
    // Nothing of the windows is printed besides.
    assert.ok(!text.includes('Quit Game'), 'the windows are printed too');
    console.log(`printed the shared game's debrief to ${pdf}: one ${format} page`);
  }
  game.checkQuiet();
});
