// SPDX-License-Identifier: GPL-3.0-or-later
// Plays the whole game of tests/e2e/game.json, the desktop's table, in the page:
//   node play.js mouse|keyboard BRIMWOLD_HTML [file|http]
// By mouse, every press and click is a real click on the control. By keyboard
// alone, F6 reaches the step's window, Tab its control, and Enter or Space (in
// turn) presses it. After every step the page must show what the table expects.
'use strict';

const { run } = require('./browser');
const { table, players, seen, expected } = require('./table');

const [how, file, over = 'file'] = process.argv.slice(2);
if (!players[how] || !file) {
  console.error('usage: node play.js mouse|keyboard BRIMWOLD_HTML [file|http]');
  process.exit(2);
}

run(async (browser) => {
  const began = Date.now();
  const game = await browser.open(file, { over });
  for (const [i, step] of table.steps.entries()) {
    await players[how](game, step, i + 1);
    await game.until(`step ${i + 1}: ${step.do} ${step.window} ${step.control || step.text}`,
      () => seen(game, step), expected(step));
  }
  game.checkQuiet();
  console.log(`played a whole game by ${how} over ${over} in ${table.steps.length} steps, ${(Date.now() - began) / 1000} s`);
});
