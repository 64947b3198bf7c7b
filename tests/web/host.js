// SPDX-License-Identifier: GPL-3.0-or-later
// A learning platform's page for the browser tests: brimwold.html in an iframe,
// both served over HTTP on 127.0.0.1, and in the platform's page the SCORM API a
// test asks for: scorm-again's runtime for 1.2 or 2004 (npm, MIT; the runtime many
// platforms use) with every call recorded and the error code the runtime gave it,
// or an API that fails (its calls return false, throw, or are missing), or none.
'use strict';

const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const { Game } = require('./browser');

const RUNTIME = path.join(path.dirname(require.resolve('scorm-again')), 'scorm-again.min.js');

// Each version's API: the name a content window finds it by, scorm-again's class, its calls.
const VERSIONS = {
  '1.2': { api: 'API', runtime: 'Scorm12API', lastError: 'LMSGetLastError',
    calls: ['LMSInitialize', 'LMSGetValue', 'LMSSetValue', 'LMSCommit', 'LMSFinish'] },
  2004: { api: 'API_1484_11', runtime: 'Scorm2004API', lastError: 'GetLastError',
    calls: ['Initialize', 'GetValue', 'SetValue', 'Commit', 'Terminate'] },
};

// Runs in the platform's page before the game's frame loads: window.platform has
// the API, the calls made and, for the runtime, a fresh runtime's values to compare with.
function platform({ scorm, api: kind, cmi }, versions) {
  const version = versions[scorm];
  const calls = [];
  window.platform = { calls };
  if (!version) return;
  let api = {};
  if (kind === 'runtime') {
    const make = () => {
      const runtime = new window[version.runtime]({ logLevel: 5 });
      runtime.loadFromJSON(cmi || {});
      return runtime;
    };
    api = make();
    window.platform.fresh = JSON.parse(JSON.stringify(make().cmi));
    for (const call of version.calls) {
      const real = api[call].bind(api);
      api[call] = (...args) => {
        const answer = real(...args);
        calls.push([call, ...args, answer, String(api[version.lastError]())]);
        return answer;
      };
    }
  } else {
    const answers = { false: () => 'false', throws: () => { throw new Error('the platform is down'); }, lacking: () => 'true' };
    for (const call of kind === 'lacking' ? version.calls.slice(0, 1) : version.calls) {
      api[call] = (...args) => {
        calls.push([call, ...args]);
        return answers[kind]();
      };
    }
  }
  window.platform.api = api;
  window[version.api] = api;
}

function hostPage(config) {
  return `<!DOCTYPE html><html lang="en"><head><meta charset="utf-8"><title>Platform</title><link rel="icon" href="data:,">
<script src="/scorm-again.min.js"></script>
<script>(${platform})(${JSON.stringify(config)}, ${JSON.stringify(VERSIONS)});</script></head>
<body style="margin:0"><iframe id="game" title="Brimwold" src="/brimwold.html${config.query || ''}"
style="display:block;border:0;width:1280px;height:800px"></iframe></body></html>`;
}

// Serves the platform's page (its configuration in its query), the runtime and the game.
async function serve(file) {
  const server = http.createServer((request, response) => {
    const url = new URL(request.url, 'http://127.0.0.1');
    const [type, body] = url.pathname === '/platform' ? ['text/html', hostPage(JSON.parse(url.searchParams.get('config')))]
      : url.pathname === '/scorm-again.min.js' ? ['text/javascript', fs.readFileSync(RUNTIME)]
        : ['text/html', fs.readFileSync(file)];
    response.writeHead(200, { 'Content-Type': `${type}; charset=utf-8` });
    response.end(body);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return server;
}

// Opens the game on a platform: config {scorm: '1.2'|'2004'|undefined, api: 'runtime'|'false'|'throws'|
// 'lacking', cmi: the runtime's values before the launch, query: the game's link's query}. The game's
// helpers read the frame; game.platform() reads the platform's page.
async function openOnPlatform(browser, file, config) {
  const server = await serve(file);
  browser.servers.push(server);
  const base = `http://127.0.0.1:${server.address().port}`;
  const url = `${base}/platform?${new URLSearchParams({ config: JSON.stringify(config) })}`;
  const page = await browser.browser.newPage();
  browser.opened.push(page);
  const game = new Game(page, url, [`${base}/scorm-again.min.js`, `${base}/brimwold.html${config.query || ''}`]);
  await page.setViewport({ width: 1280, height: 800 });
  await page.goto(url);
  const frame = await (await page.$('#game')).contentFrame();
  // The frame for reading and clicking the game; the page's keyboard and accessibility tree.
  game.page = {
    evaluate: (...args) => frame.evaluate(...args),
    evaluateHandle: (...args) => frame.evaluateHandle(...args),
    keyboard: page.keyboard,
    accessibility: page.accessibility,
  };
  // Chromium's accessibility tree is not read inside a frame: a description is what the control names for it.
  game.description = async (caption, name) => (await game.control(caption, name)).evaluate((el) => (el
    .getAttribute('aria-describedby') || '').split(' ').map((id) => document.getElementById(id)?.textContent).join(' '));
  game.platform = () => page.evaluate(() => ({ calls: window.platform.calls, fresh: window.platform.fresh,
    cmi: window.platform.api && window.platform.api.cmi ? JSON.parse(JSON.stringify(window.platform.api.cmi)) : null }));
  game.platformPage = page;
  await game.until('the first window', () => game.showing(), ['Intro']);
  return game;
}

// A CMI object as "cmi.core.score.raw" -> value.
function flatten(value, prefix = 'cmi') {
  if (value === null || typeof value !== 'object') return { [prefix]: value };
  return Object.assign({}, ...Object.entries(value).map(([key, inner]) => flatten(inner, `${prefix}.${key}`)));
}

// The notices the game's page shows.
const notices = (game) => game.page.evaluate(() => [...document.querySelectorAll('.notice')].map((p) => p.textContent));

module.exports = { VERSIONS, openOnPlatform, flatten, notices };
