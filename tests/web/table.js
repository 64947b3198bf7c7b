// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's table of a whole game (tests/e2e/game.json) as the page plays it:
// how a step is done by mouse or by keyboard alone, what the page shows after it
// and what the table expects there.
'use strict';

const path = require('node:path');
const table = require(path.join(__dirname, '..', 'e2e', 'game.json'));

const KEYS = { Return: 'Enter', Escape: 'Escape' };

// The name of the control that has the keyboard: its own label, or its text.
const focusedName = (page) => page.evaluate(() => {
  const el = document.activeElement;
  return el && (el.getAttribute('aria-label') || el.textContent);
});

async function activate(game, caption) {
  for (let tries = 0; (await game.active()) !== caption; ++tries) {
    if (tries > 8) throw new Error(`F6 does not reach ${caption}`);
    await game.page.keyboard.press('F6');
  }
}

async function reach(game, caption, name) {
  const { page } = game;
  await activate(game, caption);
  for (let tries = 0; (await focusedName(page)) !== name; ++tries) {
    if (tries > 16) throw new Error(`Tab does not reach ${name} in ${caption}`);
    await page.keyboard.press('Tab');
  }
}

async function selectAll(page) {
  await page.keyboard.down('Control');
  await page.keyboard.press('KeyA');
  await page.keyboard.up('Control');
}

const players = {
  async mouse(game, step) {
    const { page } = game;
    if (step.do === 'raise') {
      // A window the others cover whole is reached with F6, as a player would.
      await activate(game, step.window);
    } else if (step.do === 'key') {
      await game.until(`${step.window} active`, () => game.active(), step.window);
      await page.keyboard.press(KEYS[step.text]);
    } else if (step.do === 'type') {
      await game.click(step.window, step.control);
      await selectAll(page);
      await page.keyboard.type(step.text);
    } else {
      await game.click(step.window, step.control);
    }
  },
  // By touch alone: every press a tap where the control shows, text typed as an
  // on-screen keyboard types it, and a window's key (Enter, Esc) a tap on its OK.
  async touch(game, step) {
    if (step.do === 'raise') {
      // Bringing a covered window forward is a window manager's part, which a touch screen lacks: F6 does it.
      await activate(game, step.window);
      return;
    }
    if (step.do === 'key') {
      await game.until(`${step.window} active`, () => game.active(), step.window);
      await game.tap(step.window, 'OK');
      return;
    }
    await game.tap(step.window, step.control);
    if (step.do === 'type') {
      await selectAll(game.page);
      await game.page.keyboard.type(step.text);
    }
  },
  async keyboard(game, step, number) {
    const { page } = game;
    if (step.do === 'raise') {
      await activate(game, step.window);
      return;
    }
    if (step.do === 'key') {
      await game.until(`${step.window} active`, () => game.active(), step.window);
      await page.keyboard.press(KEYS[step.text]);
      return;
    }
    if (step.window !== 'Message') await reach(game, step.window, step.control);
    if (step.do === 'type') {
      await selectAll(page);
      await page.keyboard.type(step.text);
    } else {
      await page.keyboard.press(number % 2 ? 'Enter' : 'Space');
    }
  },
};

// What the player sees, in the table's terms.
async function seen(game, step) {
  const found = { showing: await game.showing() };
  if (step.days !== undefined) found.days = await game.read('Brimwold', 'Days left', (el) => el.value);
  if (step.enabled) {
    found.enabled = {};
    for (const button of step.enabled.buttons) {
      found.enabled[button] = await game.read(step.enabled.window, button, (el) => !el.disabled);
    }
  }
  if (step.log !== undefined) {
    found.log = await game.read('Feedback', 'Activity log', (el) => [...el.children].map((li) => li.textContent));
  }
  if (step.list) {
    found.list = await game.read(step.list.window, step.list.control, (el) => [...el.children].map((li) => li.textContent));
  }
  if (step.hidden) {
    const window = await game.window(step.hidden.window);
    found.hidden = await Promise.all(step.hidden.controls.map(async (name) => (await window.$(`aria/${name}`)) === null));
  }
  if (step.labels) found.labels = await game.labels(step.labels.window);
  if (step.describes) {
    found.describes = (await game.description(step.describes.window, step.describes.control))
      .includes(step.describes.fact);
  }
  if (step.do === 'type') found.typed = await game.read(step.window, step.control, (el) => el.value);
  if (step.ended) found.ended = await game.ended();
  if (step.top) found.top = await game.top();
  return found;
}

function expected(step) {
  const wanted = { showing: step.showing === null ? [] : [...step.showing].sort() };
  if (step.days !== undefined) wanted.days = step.days;
  if (step.enabled) {
    wanted.enabled = Object.fromEntries(step.enabled.buttons.map((button) => [button, step.enabled.on]));
  }
  if (step.log !== undefined) wanted.log = table.log.slice(0, step.log);
  if (step.list) wanted.list = step.list.lines;
  if (step.hidden) wanted.hidden = step.hidden.controls.map(() => true);
  if (step.labels) wanted.labels = [...step.labels.texts].sort();
  if (step.describes) wanted.describes = true;
  if (step.do === 'type') wanted.typed = step.text;
  if (step.ended) wanted.ended = 'The game has ended.';
  if (step.top) wanted.top = step.top;
  return wanted;
}

module.exports = { table, players, seen, expected };
