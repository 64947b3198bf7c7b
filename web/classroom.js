// SPDX-License-Identifier: GPL-3.0-or-later
// The teachers' tools in the page. A class link (?days=N&target=P, &fixed=1 to
// keep them) or the learning platform's launch data in the same form presets the
// setup screen's days and percentage. A SCORM API found in the windows around
// the page (API_1484_11 for 2004, API for 1.2) is given the learner's name for the
// setup screen and told the game as its core gives it: each activity as an
// interaction, once the grade shows the score, the status and a comment, and at
// the end the session time. A platform that fails never stops the game: a
// notice says so, once. Without a preset and a platform nothing here acts.
const BrimwoldClassroom = (() => {
'use strict';

// How each version names its calls and what it is told, newest first.
const VERSIONS = [
  {
    api: 'API_1484_11',
    calls: { start: 'Initialize', get: 'GetValue', set: 'SetValue', commit: 'Commit', finish: 'Terminate' },
    learnerName: 'cmi.learner_name',
    interaction: { type: 'other', time: 'timestamp', clock: (when) => timestamp(when), response: 'learner_response' },
    status: (game) => (game.graded
      ? [['cmi.completion_status', 'completed'], ['cmi.success_status', passed(game) ? 'passed' : 'failed']]
      : [['cmi.completion_status', 'incomplete']]),
    score: (score) => [['cmi.score.min', '0'], ['cmi.score.max', '100'], ['cmi.score.raw', String(score)],
      ['cmi.score.scaled', String(score / 100)]],
    comment: (text, when) => [['cmi.comments_from_learner.0.comment', text],
      ['cmi.comments_from_learner.0.timestamp', timestamp(when)]],
    end: (seconds) => {
      const [hours, minutes, rest] = span(seconds);
      return [['cmi.session_time', `PT${hours}H${minutes}M${rest.toFixed(2)}S`], ['cmi.exit', 'normal']];
    },
  },
  {
    api: 'API',
    calls: { start: 'LMSInitialize', get: 'LMSGetValue', set: 'LMSSetValue', commit: 'LMSCommit', finish: 'LMSFinish' },
    learnerName: 'cmi.core.student_name',
    interaction: { type: 'performance', time: 'time', clock: (when) => timestamp(when).slice(11),
      response: 'student_response' },
    status: (game) => [['cmi.core.lesson_status', game.graded ? (passed(game) ? 'passed' : 'failed') : 'incomplete']],
    score: (score) => [['cmi.core.score.min', '0'], ['cmi.core.score.max', '100'], ['cmi.core.score.raw', String(score)]],
    comment: (text) => [['cmi.comments', text]],
    end: (seconds) => {
      const [hours, minutes, rest] = span(seconds);
      return [['cmi.core.session_time', `${pad(hours)}:${pad(minutes)}:${rest.toFixed(2).padStart(5, '0')}`]];
    },
  },
];

// A log record as interaction n, told at `when`: its id "3-talk-9" (the record's place
// in the log, its activity's key and its leader's farm), its type and time, and as
// its response "activity=talk;farm=9;days=20;gained=5".
function interaction({ type, time, clock, response }, n, { activity, farm, daysUsed, gain }, when) {
  const at = `cmi.interactions.${n}`;
  const fields = [['activity', activity], ...(farm ? [['farm', farm]] : []), ['days', daysUsed], ['gained', gain]];
  return [[`${at}.id`, [n, activity, ...(farm ? [farm] : [])].join('-')], [`${at}.type`, type],
    [`${at}.${time}`, clock(when)], [`${at}.${response}`, fields.map((field) => field.join('=')).join(';')],
    [`${at}.result`, 'neutral']];
}
const passed = (game) => game.converted >= game.target;
const pad = (n) => String(n).padStart(2, '0');
// A time span as its hours, minutes and seconds to the hundredth.
const span = (seconds) => {
  const hundredths = Math.round(seconds * 100);
  return [Math.floor(hundredths / 360000), Math.floor(hundredths / 6000) % 60, (hundredths % 6000) / 100];
};
// Local time, "2026-05-04T09:30:00".
const timestamp = (when) => `${when.getFullYear()}-${pad(when.getMonth() + 1)}-${pad(when.getDate())}T${
  pad(when.getHours())}:${pad(when.getMinutes())}:${pad(when.getSeconds())}`;

// The platform's API of the nearest window that has one: this page's, its parents' up
// to the top, then its opener's and theirs. A window of another site is passed by.
function findApi() {
  const up = (start, name) => {
    for (let win = start, tries = 0; win && tries < 100; win = win.parent, ++tries) {
      try {
        if (win[name]) return win[name];
      } catch { /* another site's window */ }
      if (win.parent === win) break;
    }
    return null;
  };
  for (const version of VERSIONS) {
    const api = up(window, version.api) || (window.opener && up(window.opener, version.api));
    if (api) return { api, version };
  }
  return null;
}

// "Doe, Jane" as "Jane Doe".
function fullName(name) {
  const comma = name.indexOf(',');
  return comma < 0 ? name.trim() : `${name.slice(comma + 1).trim()} ${name.slice(0, comma).trim()}`;
}

// Called once the setup screen shows, with the core and the setup screen's boxes.
return function start(module, [nameBox, ...numberBoxes]) {
  // The notices' texts, in the language in use when one shows.
  const texts = () => JSON.parse(module.ccall('brimwold_classroom_texts', 'string', []));
  const takes = (box, text) => module.ccall('brimwold_setup_takes', 'number', ['string', 'string'], [box, text]) === 1;
  const game = () => JSON.parse(module.ccall('brimwold_game', 'string', []));

  const shown = new Map(); // kind: its notice
  function notice(kind) {
    if (shown.has(kind)) return;
    const el = document.createElement('p');
    el.className = 'notice';
    el.setAttribute('role', 'status');
    el.textContent = texts()[kind];
    shown.set(kind, el);
    document.body.prepend(el);
  }
  // The notices follow the language chooser.
  document.addEventListener('change', (event) => {
    if (event.target.id !== 'language') return;
    const now = texts();
    for (const [kind, el] of shown) el.textContent = now[kind];
  });

  // The platform: every call of it goes through `call`, which takes a failure
  // (a missing call, an error, an exception) as the platform's and tells it once.
  let found = findApi();
  const began = Date.now();
  function call(kind, ...args) {
    try {
      const answer = found.api[found.version.calls[kind]](...args);
      if (kind === 'get' ? typeof answer === 'string' : answer === true || answer === 'true') return answer;
    } catch { /* as a failure */ }
    notice('notSent');
    return null;
  }
  if (found && call('start', '') === null) found = null;

  // What the platform holds from this page, to tell it only what changed.
  const sent = new Map();
  const times = []; // when each log record was first told
  let commented = null;
  function tell(pairs) {
    let told = false;
    for (const [element, value] of pairs) {
      if (sent.get(element) === value) continue;
      sent.set(element, value);
      call('set', element, value);
      told = true;
    }
    return told;
  }
  function report() {
    if (!found) return;
    const now = game();
    const { version } = found;
    const pairs = now.log.flatMap((record, n) => interaction(version.interaction, n, record, (times[n] ||= new Date())));
    if (now.graded) {
      pairs.push(...version.score(Math.max(0, Math.min(100, now.grade))));
      pairs.push(...version.comment(now.comment, (commented ||= new Date())));
    }
    pairs.push(...version.status(now));
    if (tell(pairs)) call('commit', '');
  }
  function finish() {
    if (!found) return;
    report();
    tell(found.version.end((Date.now() - began) / 1000));
    call('commit', '');
    call('finish', '');
    found = null;
  }
  window.addEventListener('pagehide', finish);

  // The preset: the launch data's, then the link's over it; what the setup screen
  // would refuse is left as it is.
  const preset = new URLSearchParams(found ? call('get', 'cmi.launch_data') || '' : '');
  for (const [key, value] of new URLSearchParams(window.location.search)) preset.set(key, value);
  let refused = false;
  for (const [key, box] of [['days', numberBoxes[0]], ['target', numberBoxes[1]]]) {
    if (!preset.has(key)) continue;
    if (!takes(box.dataset.name, preset.get(key))) {
      refused = true;
      continue;
    }
    box.value = preset.get(key);
    box.readOnly = preset.get('fixed') === '1';
  }
  if (refused) notice('presetIgnored');
  if (found) {
    const name = call('get', found.version.learnerName);
    if (name) nameBox.value = fullName(name);
  }
  report();

  return { played: report, ended: finish };
};
})();
