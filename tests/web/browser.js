// SPDX-License-Identifier: GPL-3.0-or-later
// What the browser tests share: Chromium started headless with a fresh profile,
// brimwold.html opened from disk or over HTTP on the loopback address, every
// console error and every request besides the page itself recorded (a test fails
// on any), and the page's windows read as a player sees them.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

const CHROMIUM = process.env.BRIMWOLD_CHROMIUM || '/usr/bin/chromium';
// With a display (DISPLAY set, e.g. under Xvfb), BRIMWOLD_HEADED=1 shows the browser's windows.
const HEADLESS = !process.env.BRIMWOLD_HEADED;
const TIMEOUT = 10000;

// Serves the one file on 127.0.0.1, on a free port.
async function serve(file) {
  const server = http.createServer((request, response) => {
    response.writeHead(200, { 'Content-Type': 'text/html; charset=utf-8' });
    response.end(fs.readFileSync(file));
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return server;
}

class Browser {
  static async start() {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'brimwold-chromium-'));
    const browser = await puppeteer.launch({
      executablePath: CHROMIUM,
      headless: HEADLESS,
      userDataDir: profile,
      args: ['--no-sandbox', '--disable-background-networking', '--disable-component-update', '--no-first-run',
        '--disable-gpu', '--font-render-hinting=none'],
    });
    return new Browser(browser, profile);
  }

  constructor(browser, profile) {
    this.browser = browser;
    this.profile = profile;
    this.servers = [];
    this.opened = []; // the pages the test opened
  }

  // Opens the page ('file' or 'http'), with its address's query ('?lang=fr'), and waits
  // for its first window; prepare(page) runs before.
  async open(file, { over = 'file', query = '', width = 1280, height = 800, scale = 1, hasTouch = false,
    isMobile = false, prepare } = {}) {
    let url = `file://${path.resolve(file)}`;
    if (over === 'http') {
      const server = await serve(file);
      this.servers.push(server);
      url = `http://127.0.0.1:${server.address().port}/brimwold.html`;
    }
    url += query;
    const page = await this.browser.newPage();
    this.opened.push(page);
    const game = new Game(page, url);
    await page.setViewport({ width, height, deviceScaleFactor: scale, hasTouch, isMobile });
    await prepare?.(page);
    await page.goto(url);
    await game.until('the first window', () => page.evaluate(() => document.querySelectorAll(
      '#desktop > .panel:not([hidden])').length), 1);
    return game;
  }

  // Closes every page first, without asking a page that would ask before it is left.
  async stop() {
    for (const page of await this.browser.pages()) await page.close({ runBeforeUnload: false });
    await this.browser.close();
    for (const server of this.servers) server.close();
    fs.rmSync(this.profile, { recursive: true, force: true });
  }
}

class Game {
  // `also`: the URLs the page may request besides its own (a framed game's page and scripts).
  constructor(page, url, also = []) {
    this.page = page;
    this.faults = [];
    page.setDefaultTimeout(TIMEOUT);
    page.on('console', (message) => {
      if (message.type() === 'error' || message.type() === 'warn') this.faults.push(`console: ${message.text()}`);
    });
    page.on('pageerror', (error) => this.faults.push(`page error: ${error.message}`));
    // Pictures and fonts come from data: URLs inside the page, which fetch nothing.
    page.on('request', (request) => {
      const asked = request.url();
      if (asked !== url && !also.includes(asked) && !asked.startsWith('data:')) {
        this.faults.push(`request: ${asked.slice(0, 100)}`);
      }
    });
  }

  // Fails on any console error, page error or request besides the page itself.
  checkQuiet() {
    assert.deepEqual(this.faults, [], 'the page was not quiet');
  }

  // Polls until probe() gives the expected value.
  async until(what, probe, expected, timeout = TIMEOUT) {
    const deadline = Date.now() + timeout;
    for (;;) {
      let seen;
      try {
        seen = await probe();
      } catch (error) { // a window or control not there yet: look again
        seen = `<${error.message}>`;
      }
      try {
        assert.deepEqual(seen, expected);
        return;
      } catch (error) {
        if (Date.now() > deadline) throw new Error(`${what}: ${error.message}`);
      }
      await new Promise((resolve) => setTimeout(resolve, 20));
    }
  }

  // The captions of the showing windows, a message box as "Message: " and its text.
  showing() {
    return this.page.evaluate(() => {
      const captions = [...document.querySelectorAll('#desktop > .panel:not([hidden]) .caption')].map((c) => c.textContent);
      const box = document.querySelector('.message');
      if (box) captions.push(`Message: ${box.querySelector('.text').textContent}`);
      return captions.sort();
    });
  }

  // The caption of the showing window on top of the others.
  top() {
    return this.page.evaluate(() => {
      const panels = [...document.querySelectorAll('#desktop > .panel:not([hidden])')];
      const top = panels.reduce((a, b) => (Number(b.style.zIndex) > Number(a.style.zIndex) ? b : a));
      return top.querySelector('.caption').textContent;
    });
  }

  // The caption of the window that has the keyboard.
  active() {
    return this.page.evaluate(() => {
      if (document.querySelector('.message')) return 'Message';
      const panel = document.querySelector('#desktop > .panel.active:not([hidden])');
      return panel ? panel.querySelector('.caption').textContent : null;
    });
  }

  // The showing window of that caption ("Message" for the message box).
  async window(caption) {
    const handle = await this.page.evaluateHandle((wanted) => {
      const all = [...document.querySelectorAll('#desktop > .panel:not([hidden]), .message')];
      return all.find((p) => (p.matches('.message') ? 'Message' : p.querySelector('.caption').textContent) === wanted);
    }, caption);
    const element = handle.asElement();
    assert.ok(element, `no window ${caption} showing`);
    return element;
  }

  // A control of a showing window, found by its name in Chromium's accessibility tree.
  async control(caption, name) {
    const window = await this.window(caption);
    const found = await window.$(`aria/${name}`);
    assert.ok(found, `no control named ${name} in ${caption}`);
    return found;
  }

  // Reads a control of a showing window through a function of its element.
  async read(caption, name, reader) {
    return (await this.control(caption, name)).evaluate(reader);
  }

  // The labels of a window that show some text.
  async labels(caption) {
    return (await this.window(caption)).$$eval('.label', (all) => all.map((l) => l.textContent).filter(Boolean).sort());
  }

  // A control's description in the accessibility tree.
  async description(caption, name) {
    const snapshot = await this.page.accessibility.snapshot({ root: await this.control(caption, name) });
    return snapshot.description || '';
  }

  // Clicks a control with the mouse, first raising its window by its title bar if
  // another window covers the control.
  async click(caption, name) {
    const control = await this.control(caption, name);
    const covered = await control.evaluate((el) => {
      const box = el.getBoundingClientRect();
      el.scrollIntoView({ block: 'nearest', inline: 'nearest' });
      const at = document.elementFromPoint(box.left + box.width / 2, box.top + box.height / 2);
      return !el.contains(at);
    });
    if (covered) await (await (await this.window(caption)).$('.caption')).click();
    await control.click();
  }

  // Taps a control where it shows, scrolled into view first; the finger must land on it.
  async tap(caption, name) {
    const control = await this.control(caption, name);
    await control.evaluate((el) => el.scrollIntoView({ block: 'nearest', inline: 'nearest' }));
    const { x, y, width, height } = await control.boundingBox();
    const [atX, atY] = [x + width / 2, y + height / 2];
    const hit = await control.evaluate((el, px, py) => el.contains(document.elementFromPoint(px, py)), atX, atY);
    assert.ok(hit, `${name} in ${caption} cannot be tapped: something else is at ${atX},${atY}`);
    await this.page.touchscreen.tap(atX, atY);
  }

  ended() {
    return this.page.evaluate(() => {
      const line = document.querySelector('.ended');
      return line !== null && document.querySelectorAll('#desktop > .panel').length === 0 ? line.textContent : null;
    });
  }
}

// Runs a test's body with a fresh browser, reporting its result as CTest reads it.
async function run(body) {
  const browser = await Browser.start();
  try {
    await body(browser);
  } catch (error) {
    console.error(`FAILED ${error.stack || error}`);
    process.exitCode = 1;
    // What the page showed, beside the test's working folder.
    for (const [i, page] of browser.opened.filter((p) => !p.isClosed()).entries()) {
      await page.bringToFront();
      await page.screenshot({ path: `failure-${path.basename(process.argv[1], '.js')}-${i}.png` }).catch(() => {});
    }
  } finally {
    await browser.stop();
  }
}

module.exports = { Browser, Game, run, assert };
