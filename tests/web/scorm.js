// SPDX-License-Identifier: GPL-3.0-or-later
// The game reports to a learning platform through SCORM:
//   node scorm.js BRIMWOLD_HTML
// brimwold.html in a platform's page (host.js) with scorm-again's runtime as its
// 1.2 or 2004 API: the learner's name is in the setup's name box; the whole game
// of the shared table leaves exactly the values expected in the runtime (every
// value it holds, the interactions in order, the score, the status, the comment,
// the session time's form) and no call the runtime answered with an error. Also a
// game quit before the grade, a game left by closing its page, platforms that
// fail (the game plays on, a notice shows once) and no platform at all.
'use strict';

const { run, assert } = require('./browser');
const { table, players, seen, expected } = require('./table');
const { VERSIONS, openOnPlatform, flatten, notices } = require('./host');

const [file] = process.argv.slice(2);
const NOT_SENT = 'Your result could not be sent to your learning platform. You can play on; please tell your teacher.';

// The shared game's log as records: "Talk to opinion leader (3)  020 ..." is a talk on farm 3.
const KEYS = { Information: 'information', Newspaper: 'newspaper', Radio: 'radio', 'Talk to villager': 'villager',
  'Train Villagers': 'training', Film: 'film', 'Talk to opinion leader': 'talk', 'Give a demonstration': 'demonstration' };
const records = (lines) => lines.map((line) => {
  const [, name, farm] = line.slice(0, 28).trim().match(/^(.*?)(?: \((\d+)\))?$/);
  const [daysUsed, , gain] = line.slice(28).trim().split(/ +/).map(Number);
  return { key: KEYS[name], farm: Number(farm || 0), daysUsed, gain };
});
const GAME = records(table.log);

// What each version's runtime holds after the game, beside a fresh runtime's values:
// RegExps for the times.
const TIME = /^\d\d:\d\d:\d\d$/;
const TIMESTAMP = /^20\d\d-\d\d-\d\dT\d\d:\d\d:\d\d$/;
const REPORTS = {
  '1.2': {
    cmi: { core: { student_name: 'Lovelace, Ada' } },
    interaction: (n, { key, farm, daysUsed, gain }) => ({
      [`cmi.interactions.${n}.id`]: [n, key, ...(farm ? [farm] : [])].join('-'),
      [`cmi.interactions.${n}.time`]: TIME,
      [`cmi.interactions.${n}.type`]: 'performance',
      [`cmi.interactions.${n}.weighting`]: '',
      [`cmi.interactions.${n}.student_response`]: response(key, farm, daysUsed, gain),
      [`cmi.interactions.${n}.result`]: 'neutral',
      [`cmi.interactions.${n}.latency`]: '',
    }),
    unfinished: { 'cmi.core.lesson_status': 'incomplete', 'cmi.core.session_time': /^\d{2,4}:\d\d:\d\d(\.\d{1,2})?$/ },
    graded: (grade, status, comment) => ({ 'cmi.core.lesson_status': status, 'cmi.core.score.raw': grade,
      'cmi.core.score.min': '0', 'cmi.core.score.max': '100', 'cmi.comments': comment }),
  },
  2004: {
    cmi: { learner_name: 'Lovelace, Ada' },
    interaction: (n, { key, farm, daysUsed, gain }) => ({
      [`cmi.interactions.${n}.id`]: [n, key, ...(farm ? [farm] : [])].join('-'),
      [`cmi.interactions.${n}.type`]: 'other',
      [`cmi.interactions.${n}.timestamp`]: TIMESTAMP,
      [`cmi.interactions.${n}.weighting`]: '',
      [`cmi.interactions.${n}.learner_response`]: response(key, farm, daysUsed, gain),
      [`cmi.interactions.${n}.result`]: 'neutral',
      [`cmi.interactions.${n}.latency`]: '',
      [`cmi.interactions.${n}.description`]: '',
    }),
    unfinished: { 'cmi.completion_status': 'incomplete', 'cmi.exit': 'normal',
      'cmi.session_time': /^PT\d+H\d+M\d+(\.\d{1,2})?S$/ },
    graded: (grade, status, comment) => ({ 'cmi.completion_status': 'completed', 'cmi.success_status': status,
      'cmi.score.raw': grade, 'cmi.score.min': '0', 'cmi.score.max': '100', 'cmi.score.scaled': String(grade / 100),
      'cmi.comments_from_learner.0.comment': comment, 'cmi.comments_from_learner.0.location': '',
      'cmi.comments_from_learner.0.timestamp': TIMESTAMP }),
  },
};
function response(key, farm, daysUsed, gain) {
  return `activity=${key};${farm ? `farm=${farm};` : ''}days=${daysUsed};gained=${gain}`;
}

// Every value the runtime holds against a fresh runtime's with the expected ones over them.
async function checkRuntime(game, scorm, wanted) {
  const { calls, fresh, cmi } = await game.platform();
  const values = flatten(cmi);
  const all = { ...flatten(fresh), ...wanted };
  const wrong = [...new Set([...Object.keys(values), ...Object.keys(all)])].filter((key) => (all[key] instanceof RegExp
    ? !all[key].test(values[key]) : values[key] !== all[key])).map((key) => `${key}: ${values[key]} (wanted ${all[key]})`);
  assert.deepEqual(wrong, [], 'the runtime holds other values');
  assert.deepEqual(calls.filter((call) => call.at(-1) !== '0'), [], 'the runtime answered a call with an error');
  // Initialized once, values read, each report committed, finished last.
  const [start, get, set, commit, finish] = VERSIONS[scorm].calls;
  const order = calls.map(([call]) => call).join(' ');
  assert.match(order, new RegExp(`^${start}( ${get})*( (${set} )+${commit})+ ${finish}$`), order);
  return values;
}

function interactions(scorm, log) {
  return Object.assign({}, ...log.map((record, n) => REPORTS[scorm].interaction(n, record)));
}

const nameBox = (game) => game.read('Intro', 'Please enter your name.', (el) => el.value);

// The first events of a game: OK on the name the platform gave, the information, a newspaper advertisement.
async function begin(game) {
  for (const [window, control] of [['Intro', 'OK'], ['Brimwold', 'Information (45 Days)'], ['Information', '<-- Go Back'],
    ['Brimwold', 'Diffusion'], ['Diffusion', 'Use Newspaper ads to inform villagers (10 days)']]) {
    await game.click(window, control);
  }
  await game.until('the newspaper paid', () => game.read('Brimwold', 'Days left', (el) => el.value), '310');
}
const BEGUN = [{ key: 'information', farm: 0, daysUsed: 45, gain: 0 }, { key: 'newspaper', farm: 0, daysUsed: 10, gain: 2 }];

const CASES = [
  ...['1.2', '2004'].map((scorm) => [`SCORM ${scorm}: the whole shared game`, async (browser) => {
    const game = await openOnPlatform(browser, file, { scorm, api: 'runtime', cmi: REPORTS[scorm].cmi });
    assert.equal(await nameBox(game), 'Ada Lovelace');
    await game.click('Intro', 'Please enter your name.');
    await game.page.keyboard.down('Control');
    await game.page.keyboard.press('KeyA');
    await game.page.keyboard.up('Control');
    await game.page.keyboard.press('Delete');
    for (const [i, step] of table.steps.entries()) {
      await players.mouse(game, step, i + 1);
      await game.until(`step ${i + 1}`, () => seen(game, step), expected(step));
    }
    const comment = 'Converted 66 households; the best plan for 365 days converts 90, and this game reached 73% of that.';
    const values = await checkRuntime(game, scorm, { ...interactions(scorm, GAME), ...REPORTS[scorm].unfinished,
      ...REPORTS[scorm].graded('38', 'failed', comment) });
    assert.deepEqual(await notices(game), []);
    console.log(`SCORM ${scorm}: every value the runtime holds after the game:`);
    for (const [key, value] of Object.entries(values)) console.log(`  ${key} = ${value}`);
    return game;
  }]),
  ['SCORM 1.2: a game quit before the grade is incomplete', async (browser) => {
    const game = await openOnPlatform(browser, file, { scorm: '1.2', api: 'runtime', cmi: REPORTS['1.2'].cmi });
    await begin(game);
    await game.click('Brimwold', 'Quit Game');
    await game.until('the end', () => game.ended(), 'The game has ended.');
    await checkRuntime(game, '1.2', { ...interactions('1.2', BEGUN), ...REPORTS['1.2'].unfinished });
    return game;
  }],
  ['SCORM 2004: a game left by closing its page is finished', async (browser) => {
    const game = await openOnPlatform(browser, file, { scorm: '2004', api: 'runtime', cmi: REPORTS[2004].cmi });
    await begin(game);
    await game.platformPage.evaluate(() => document.getElementById('game').remove());
    await checkRuntime(game, '2004', { ...interactions('2004', BEGUN), ...REPORTS[2004].unfinished });
    return game;
  }],
  ...[['1.2', 'false'], ['2004', 'throws'], ['1.2', 'lacking']].map(([scorm, api]) => [
    `SCORM ${scorm}: a platform whose calls ${api === 'lacking' ? 'are missing' : `return false or throw (${api})`}`,
    async (browser) => {
      const game = await openOnPlatform(browser, file, { scorm, api });
      await game.click('Intro', 'Please enter your name.');
      await game.page.keyboard.type('Ada');
      await begin(game);
      assert.deepEqual(await notices(game), [NOT_SENT]);
      const { calls } = await game.platform();
      assert.ok(calls.length > 0, 'the platform was not asked');
      return game;
    }]),
  ['no platform: nothing changes and nothing is said', async (browser) => {
    const game = await openOnPlatform(browser, file, {});
    assert.equal(await nameBox(game), '');
    await game.click('Intro', 'Please enter your name.');
    await game.page.keyboard.type('Ada');
    await begin(game);
    assert.deepEqual(await notices(game), []);
    return game;
  }],
];

run(async (browser) => {
  for (const [name, play] of CASES) {
    const began = Date.now();
    const game = await play(browser);
    game?.checkQuiet();
    console.log(`${name}: ${(Date.now() - began) / 1000} s`);
  }
});
