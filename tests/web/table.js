// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's table of a whole game (tests/e2e/game.json) as the page plays it:
// how a step is done by mouse or by keyboard alone, what the page shows after it
// and what the table expects there.
'use strict';

const path = require('node:path');
const table = require(path.join(__dirname, '..', 'e2e', 'game.json'));

const KEYS = { Return: 'Enter', Escape: 'Escape' };
// The line the page shows once the game has ended.
const ENDED = 'The game has ended.';
// Where seen() reads the days left and the log, and a window's OK: windows and controls by their names.
const NAMES = { main: 'Brimwold', daysLeft: 'Days left', feedback: 'Feedback', log: 'Activity log', ok: 'OK' };

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
  async touch(game, step, number, names = NAMES) {
    if (step.do === 'raise') {
      // Bringing a covered window forward is a window manager's part, which a touch screen lacks: F6 does it.
      await activate(game, step.window);
      return;
    }
    if (step.do === 'key') {
      await game.until(`${step.window} active`, () => game.active(), step.window);
      await game.tap(step.window, names.ok);
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

// The table in another language, worked out in the page: every text it expects
// (captions, names, messages, log lines, labels, the debrief's sentences and list)
// turned into the catalog's translation of it, by a core of its own that formats
// each message and log line in that language; numbers and typed texts stay.
// Answers the table, and the language as the core has it ({code, rightToLeft}).
function inPage(table, code, ended, names) {
  const catalogs = JSON.parse(document.getElementById('catalogs').textContent);
  const bytes = Uint8Array.from(atob(document.getElementById('core-wasm').textContent.trim()), (c) => c.charCodeAt(0));
  const core = {
    instantiateWasm(imports, receive) {
      const instance = new WebAssembly.Instance(new WebAssembly.Module(bytes), imports);
      receive(instance);
      return instance.exports;
    },
  };
  BrimwoldCore(core); // eslint-disable-line no-undef
  const call = (name, ...args) => core.ccall(name, 'string', args.map((a) => typeof a), args);
  const language = JSON.parse(call('brimwold_use_language', catalogs.messages,
    catalogs.languages[code]?.translations || '', code));

  // Each message as the English game shows it: a pattern of its words, %d a number, %s any text.
  const escape = (text) => text.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');
  const messages = catalogs.messages.split('\n').map((line) => line.split('\t')).map(([context, english, plural = '']) => {
    const patterns = [english, plural].filter(Boolean).map((words) => {
      const order = [];
      let source = '';
      let last = 0;
      for (const placeholder of words.matchAll(/%(?:(\d+)\$)?([ds%])/g)) {
        source += escape(words.slice(last, placeholder.index));
        last = placeholder.index + placeholder[0].length;
        if (placeholder[2] === '%') {
          source += '%';
        } else {
          order.push(placeholder[1] ? Number(placeholder[1]) - 1 : order.length);
          source += placeholder[2] === 'd' ? '(-?\\d+)' : '(.+?)';
        }
      }
      source += escape(words.slice(last));
      return { whole: new RegExp(`^${source}$`), within: !/\(\.\+\?\)/.test(source) && new RegExp(`\\b${source}\\b`, 'g'), order };
    });
    return { context, english, plural, patterns };
  });

  // An English text in the language, its message found among those of the contexts
  // preferred first; a text that is no message (a number, the program's name) as it is.
  function say(english, prefer = ['']) {
    const found = messages.flatMap((m) => m.patterns.map((p) => ({ m, p, hit: p.whole.exec(english) })))
      .filter(({ hit }) => hit);
    if (!found.length) return english;
    const rank = ({ m }) => (prefer.includes(m.context) ? prefer.indexOf(m.context) : prefer.length);
    const { m, p, hit } = found.sort((a, b) => rank(a) - rank(b))[0];
    if (!p.order.length) return call('brimwold_translate', m.context, m.english);
    const args = [];
    p.order.forEach((index, i) => { args[index] = /^-?\d+$/.test(hit[i + 1]) ? hit[i + 1] : say(hit[i + 1], prefer); });
    return call('brimwold_format', m.context, m.english, m.plural, Number(args[0]) || 0, args.join('\n'));
  }
  // A log line: its activity's name in the language, laid out by the core.
  function logLine(line) {
    const [, name, ...numbers] = /^(.*?) +(\d+) +(\d+) +(\d+) +(\d+)$/.exec(line);
    return call('brimwold_log_line', say(name, ['log']), ...numbers.map(Number));
  }
  // A fact within a longer text: the messages it holds (but those of a %s, and those within
  // another), and its numbers.
  function pieces(fact) {
    const hits = messages.flatMap((m) => m.patterns.flatMap((p) => (p.within ? [...fact.matchAll(p.within)] : [])
      .map((hit) => ({ from: hit.index, to: hit.index + hit[0].length, text: say(hit[0], [m.context]) }))));
    const outer = hits.filter((a) => !hits.some((b) => b.from <= a.from && b.to >= a.to && b.to - b.from > a.to - a.from));
    return [...new Set([...outer.map((hit) => hit.text), ...(fact.match(/\d+/g) || [])])];
  }
  // The log's headings are laid out anew from their words.
  const heading = (text) => text.trim().split(/ +/).every((word) => messages.some((m) => m.context === 'log heading'
    && m.english === word)) && text.trim().split(/ +/).map((word) => say(word, ['log heading'])).join(' ');
  const caption = (name) => (name === 'Message' ? name : say(name));

  const steps = table.steps.map((step) => {
    const s = { ...step, window: caption(step.window) };
    if (step.control) s.control = say(step.control);
    if (step.showing) {
      s.showing = step.showing.map((c) => (c.startsWith('Message: ') ? `Message: ${say(c.slice(9), ['message'])}` : say(c)));
    }
    if (step.top) s.top = say(step.top);
    if (step.log !== undefined) s.nameColumnLaidOut = true;
    if (step.ended) s.ended = say(ended, ['page']);
    if (step.enabled) s.enabled = { ...step.enabled, window: say(step.enabled.window), buttons: step.enabled.buttons.map((b) => say(b)) };
    if (step.hidden) s.hidden = { window: say(step.hidden.window), controls: step.hidden.controls.map((c) => say(c)) };
    if (step.list) s.list = { window: say(step.list.window), control: say(step.list.control), lines: step.list.lines.map(logLine) };
    if (step.labels) {
      s.labels = { window: say(step.labels.window), squeezed: true,
        texts: step.labels.texts.map((text) => heading(text) || say(text).replace(/\s+/g, ' ').trim()) };
    }
    if (step.describes) {
      s.describes = { window: say(step.describes.window), control: say(step.describes.control), fact: pieces(step.describes.fact) };
    }
    return s;
  });
  const named = Object.fromEntries(Object.entries(names).map(([key, name]) => [key, say(name)]));
  return { table: { ...table, steps, log: table.log.map(logLine), names: named }, language };
}

// The table in the language of `code`, and that language, from the page's catalogs.
async function inLanguage(page, code) {
  return page.evaluate(`(${inPage})(${JSON.stringify(table)}, ${JSON.stringify(code)}, ${JSON.stringify(ENDED)}, ${JSON.stringify(NAMES)})`);
}

// In another language the feedback screen's log may widen its name column, so
// that the headings stand over their columns (the core lays them out together):
// there a line is compared with its name and one blank before its numbers.
const nameColumn = (line) => line.replace(/ +(?=\d+ +\d+ +\d+ +\d+$)/, ' ');

// What the player sees, in the table's terms.
async function seen(game, step, names = NAMES) {
  const found = { showing: await game.showing() };
  if (step.days !== undefined) found.days = await game.read(names.main, names.daysLeft, (el) => el.value);
  if (step.enabled) {
    found.enabled = {};
    for (const button of step.enabled.buttons) {
      found.enabled[button] = await game.read(step.enabled.window, button, (el) => !el.disabled);
    }
  }
  if (step.log !== undefined) {
    found.log = await game.read(names.feedback, names.log, (el) => [...el.children].map((li) => li.textContent));
    if (step.nameColumnLaidOut) found.log = found.log.map(nameColumn);
  }
  if (step.list) {
    found.list = await game.read(step.list.window, step.list.control, (el) => [...el.children].map((li) => li.textContent));
  }
  if (step.hidden) {
    const window = await game.window(step.hidden.window);
    found.hidden = await Promise.all(step.hidden.controls.map(async (name) => (await window.$(`aria/${name}`)) === null));
  }
  if (step.labels) {
    found.labels = await game.labels(step.labels.window);
    if (step.labels.squeezed) found.labels = found.labels.map((text) => text.replace(/\s+/g, ' ').trim()).sort();
  }
  if (step.describes) {
    const description = await game.description(step.describes.window, step.describes.control);
    found.describes = [].concat(step.describes.fact).every((fact) => description.includes(fact));
  }
  if (step.do === 'type') found.typed = await game.read(step.window, step.control, (el) => el.value);
  if (step.ended) found.ended = await game.ended();
  if (step.top) found.top = await game.top();
  return found;
}

function expected(step, log = table.log) {
  const wanted = { showing: step.showing === null ? [] : [...step.showing].sort() };
  if (step.days !== undefined) wanted.days = step.days;
  if (step.enabled) {
    wanted.enabled = Object.fromEntries(step.enabled.buttons.map((button) => [button, step.enabled.on]));
  }
  if (step.log !== undefined) wanted.log = log.slice(0, step.log).map(step.nameColumnLaidOut ? nameColumn : (l) => l);
  if (step.list) wanted.list = step.list.lines;
  if (step.hidden) wanted.hidden = step.hidden.controls.map(() => true);
  if (step.labels) wanted.labels = [...step.labels.texts].sort();
  if (step.describes) wanted.describes = true;
  if (step.do === 'type') wanted.typed = step.text;
  if (step.ended) wanted.ended = step.ended === true ? ENDED : step.ended;
  if (step.top) wanted.top = step.top;
  return wanted;
}

module.exports = { table, players, seen, expected, inLanguage };
