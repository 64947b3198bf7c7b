// SPDX-License-Identifier: GPL-3.0-or-later
// The panels behave as the desktop's windows under a window manager:
//   node windows.js BRIMWOLD_HTML
// each case on a page of its own.
'use strict';

const { run, assert } = require('./browser');

const VIEW = { width: 1280, height: 800 };

async function setUp(game, { name = 'Ada', days } = {}) {
  const { page } = game;
  await page.keyboard.type(name);
  if (days !== undefined) {
    await page.keyboard.press('Tab');
    await page.keyboard.type(days);
  }
  await page.keyboard.press('Enter');
  await game.until('the main screen', () => game.showing(), ['Brimwold']);
}

// Where a window's panel lies in the page, and whether it is on top and has the keyboard.
function where(game, caption) {
  return game.page.evaluate((wanted) => {
    const panels = [...document.querySelectorAll('#desktop > .panel:not([hidden])')];
    const panel = panels.find((p) => p.querySelector('.caption').textContent === wanted);
    const z = (p) => Number(p.style.zIndex);
    return {
      left: panel.offsetLeft, top: panel.offsetTop, width: panel.offsetWidth, height: panel.offsetHeight,
      onTop: panels.every((p) => z(p) <= z(panel)), active: panel.contains(document.activeElement),
    };
  }, caption);
}

async function drag(game, caption, dx, dy, { touch = false } = {}) {
  const title = await (await game.window(caption)).$('.caption');
  const box = await title.boundingBox();
  const [x, y] = [box.x + 20, box.y + box.height / 2];
  if (touch) {
    await game.page.touchscreen.touchStart(x, y);
    await game.page.touchscreen.touchMove(x + dx, y + dy);
    await game.page.touchscreen.touchEnd();
  } else {
    await game.page.mouse.move(x, y);
    await game.page.mouse.down();
    await game.page.mouse.move(x + dx, y + dy, { steps: 4 });
    await game.page.mouse.up();
  }
}

const centred = ({ left, top, width, height }) => [Math.round(left - (VIEW.width - width) / 2),
  Math.round(top - (VIEW.height - height) / 2)];
const near = ([x, y]) => Math.abs(x) <= 1 && Math.abs(y) <= 1;

// Every number of the feedback list whose first digit (in the reading direction) does not stand under
// a heading of the lower row (and, for the days, of the upper row in the wide layout), by
// getBoundingClientRect.
function numbersNotUnderHeadings() {
  const rtl = document.documentElement.dir === 'rtl';
  // The compact layout (Arabic's, at this size) puts the upper row where it has room.
  const compact = document.documentElement.classList.contains('compact');
  const boxes = (selector) => [...document.querySelectorAll(selector)].map((run) => run.getBoundingClientRect());
  const [lower, upper] = [boxes('#frmFeedback-Label1 .runs > span'), boxes('#frmFeedback-Label2 .runs > span')];
  const under = (x, headings) => headings.some((h) => h.left - 1 <= x && x <= h.right + 1);
  return [...document.querySelectorAll('#frmFeedback-List1 li')].flatMap((li) => {
    const numbers = [...li.querySelectorAll('.runs > span')].slice(-4);
    return numbers.filter((run, i) => {
      const box = run.getBoundingClientRect(), start = rtl ? box.right - box.width / 6 : box.left + box.width / 6;
      return !under(start, lower) || (i < 2 && !compact && !under(start, upper));
    }).map((run) => `${li.textContent}: ${run.textContent}`);
  });
}

const CASES = {
  async 'in Hindi and Arabic the log\'s numbers begin under their headings'(browser, file) {
    let game;
    for (const lang of ['hi', 'ar']) {
      game?.checkQuiet();
      game = await browser.open(file, { ...VIEW, query: `?lang=${lang}` });
      const press = async (id) => {
        await game.page.waitForSelector(`#${id}:not([disabled])`, { visible: true });
        await game.page.click(`#${id}`);
      };
      await press('frmIntro-txtName');
      await game.page.keyboard.type('Ada');
      await game.page.keyboard.press('Enter');
      for (const id of ['frmMain-cmdInformation', 'frmInformation-Command7', 'frmMain-cmdDiffusion',
        'frmDiffusion-Command0', 'frmVillage1-cmdV1_3', 'frmMain-cmdFeedback']) await press(id);
      await game.page.waitForSelector('#frmFeedback-List1 li:nth-child(2) .runs');
      assert.deepEqual(await game.page.evaluate(numbersNotUnderHeadings), [], lang);
    }
    return game;
  },
  async 'a window opens centred; in a viewport too small for it, it fills the viewport below the language chooser and the page never scrolls'(
    browser, file) {
    let game = await browser.open(file, VIEW);
    assert.ok(near(centred(await where(game, 'Intro'))));
    game = await browser.open(file, { width: 320, height: 240 });
    const intro = await where(game, 'Intro');
    assert.deepEqual([intro.left, intro.top, intro.width, intro.height], [0, 32, 320, 208]);
    const scrolls = await game.page.evaluate(() => {
      const view = document.scrollingElement;
      return [view.scrollWidth > view.clientWidth, view.scrollHeight > view.clientHeight];
    });
    assert.deepEqual(scrolls, [false, false]);
    return game;
  },

  async 'a window is dragged by its title bar, with the mouse and by touch, never past the origin'(browser, file) {
    const game = await browser.open(file, { ...VIEW, hasTouch: true });
    const before = await where(game, 'Intro');
    await drag(game, 'Intro', 50, 30);
    let after = await where(game, 'Intro');
    assert.deepEqual([after.left - before.left, after.top - before.top], [50, 30]);
    await drag(game, 'Intro', -40, 20, { touch: true });
    after = await where(game, 'Intro');
    assert.deepEqual([after.left - before.left, after.top - before.top], [10, 50]);
    await drag(game, 'Intro', -2000, -2000);
    after = await where(game, 'Intro');
    assert.deepEqual([after.left, after.top], [0, 0]);
    return game;
  },

  async 'a window shown again keeps its place; one closed opens centred again'(browser, file) {
    const game = await browser.open(file, VIEW);
    await setUp(game);
    await game.click('Brimwold', 'Information (45 Days)');
    await drag(game, 'Information', 40, 40);
    const moved = await where(game, 'Information');
    await game.click('Information', '<-- Go Back');
    await game.click('Brimwold', 'Information (45 Days)');
    const again = await where(game, 'Information');
    assert.deepEqual([again.left, again.top], [moved.left, moved.top]);
    await (await (await game.window('Information')).$('aria/Close')).click();
    assert.deepEqual(await game.showing(), ['Brimwold']);
    await game.click('Brimwold', 'Information (45 Days)');
    assert.ok(near(centred(await where(game, 'Information'))));
    return game;
  },

  async 'a press raises a window and gives it the keyboard; F6 and Shift+F6 go round the windows'(browser, file) {
    const game = await browser.open(file, VIEW);
    await setUp(game);
    await game.click('Brimwold', 'About');
    await game.click('Brimwold', 'Map Display');
    assert.equal(await game.active(), 'Village1');
    await drag(game, 'Village1', 300, 0);
    let main = await where(game, 'Brimwold');
    await game.page.mouse.click(main.left + 8, main.top + 324); // a bare spot of the main screen
    main = await where(game, 'Brimwold');
    assert.deepEqual([main.onTop, await game.active()], [true, 'Brimwold']);
    const round = [];
    for (const key of ['F6', 'F6', 'F6', 'Shift+F6']) {
      if (key === 'Shift+F6') await game.page.keyboard.down('Shift');
      await game.page.keyboard.press('F6');
      if (key === 'Shift+F6') await game.page.keyboard.up('Shift');
      const caption = await game.active();
      round.push([caption, (await where(game, caption)).onTop && (await where(game, caption)).active]);
    }
    assert.deepEqual(round, [['About Brimwold', true], ['Village1', true], ['Brimwold', true], ['Village1', true]]);
    return game;
  },

  async 'the close box: the about box acts as OK, the main screen ends the game; a new game starts'(browser, file) {
    const game = await browser.open(file, VIEW);
    await setUp(game);
    await game.click('Brimwold', 'About');
    await (await (await game.window('About Brimwold')).$('aria/Close')).click();
    assert.deepEqual([await game.showing(), await game.active()], [['Brimwold'], 'Brimwold']);
    await (await (await game.window('Brimwold')).$('aria/Close')).click();
    assert.equal(await game.ended(), 'The game has ended.');
    // Nothing is asked once the game has ended.
    let asked = false;
    game.page.on('dialog', (dialog) => { asked = true; return dialog.accept(); });
    await Promise.all([game.page.waitForNavigation(), (await game.page.$('aria/New Game')).click()]);
    await game.until('a new game', () => game.showing(), ['Intro']);
    assert.equal(asked, false);
    return game;
  },

  async 'leaving the page while a game is on asks first'(browser, file) {
    const game = await browser.open(file, VIEW);
    await setUp(game);
    const asked = new Promise((resolve) => {
      game.page.once('dialog', async (dialog) => {
        await dialog.dismiss();
        resolve(dialog.type());
      });
    });
    game.page.reload().catch(() => {});
    assert.equal(await asked, 'beforeunload');
    await game.until('the game goes on', () => game.showing(), ['Brimwold']);
    return game;
  },

  async 'a message box is modal: the windows beneath take no press and no key'(browser, file) {
    const game = await browser.open(file, VIEW);
    const { page } = game;
    await game.click('Intro', 'OK');
    assert.deepEqual(await game.showing(), ['Intro', 'Message: Please enter your name']);
    await page.click('#frmIntro-txtName').catch(() => {});
    await page.keyboard.press('Tab');
    await page.keyboard.type('x');
    assert.deepEqual(await page.evaluate(() => [document.activeElement.textContent,
      document.getElementById('frmIntro-txtName').value]), ['OK', '']);
    await page.keyboard.press('Escape');
    assert.deepEqual(await game.showing(), ['Intro']);
    assert.equal(await page.evaluate(() => document.activeElement.id), 'frmIntro-txtName');
    return game;
  },

  async 'the keyboard goes back to the window shown before when one hides'(browser, file) {
    const game = await browser.open(file, VIEW);
    await setUp(game);
    await game.page.keyboard.press('Enter'); // Information (45 Days) has the focus
    assert.equal(await game.active(), 'Information');
    await game.page.keyboard.press('Enter'); // its Go Back has the focus
    assert.deepEqual(await game.showing(), ['Brimwold']);
    assert.deepEqual(await game.page.evaluate(() => document.activeElement.getAttribute('aria-label')),
      'Information (45 Days)');
    return game;
  },

  async 'a message box closed by Enter or Esc gives the keyboard back where it was'(browser, file) {
    let game;
    for (const key of ['Enter', 'Escape']) {
      if (game) await game.page.close();
      game = await browser.open(file, VIEW);
      await setUp(game, { days: '54' });
      await game.click('Brimwold', 'Information (45 Days)');
      await game.click('Information', '<-- Go Back');
      await game.click('Brimwold', 'Diffusion');
      await game.click('Diffusion', 'Use Newspaper ads to inform villagers (10 days)');
      assert.deepEqual(await game.showing(), ['Brimwold', "Message: You don't have enough time for that"]);
      await game.page.keyboard.press(key);
      assert.deepEqual(await game.showing(), ['Brimwold'], key);
      assert.equal(await game.page.evaluate(() => document.activeElement.getAttribute('aria-label')), 'Diffusion', key);
    }
    return game;
  },

  async 'typed text stays text'(browser, file) {
    const game = await browser.open(file, VIEW);
    const typed = '<img src=x onerror=alert(1)>';
    await setUp(game, { name: typed, days: '<b>5</b>' }).catch(() => {});
    assert.deepEqual(await game.showing(), ['Intro', 'Message: Please enter a number of days from -32723 to 32767.']);
    // The windows' own pictures, built ahead, are the only images.
    const made = '#desktop img:not(.picture-image), #desktop b';
    assert.deepEqual(await game.page.evaluate((typedMade) => [document.querySelectorAll(typedMade).length,
      document.getElementById('frmIntro-txtName').value], made), [0, typed]);
    return game;
  },

  async 'the page is called Brimwold, stores nothing and loads nothing from outside itself'(browser, file) {
    const game = await browser.open(file, VIEW);
    await setUp(game);
    const page = await game.page.evaluate(async () => {
      // A picture from elsewhere is refused by the page's policy before any request.
      const refused = new Promise((resolve) => document.addEventListener('securitypolicyviolation',
        (event) => resolve(event.effectiveDirective), { once: true }));
      const picture = document.createElement('img');
      picture.src = 'http://127.0.0.1:9/picture.png';
      document.body.append(picture);
      let stored;
      try {
        stored = localStorage.length + sessionStorage.length;
      } catch {
        stored = 0;
      }
      return { title: document.title, cookie: document.cookie, stored, refused: await refused };
    });
    assert.deepEqual(page, { title: 'Brimwold', cookie: '', stored: 0, refused: 'img-src' });
    // The refused picture and the refusal's report are the only faults expected.
    game.faults = game.faults.filter((fault) => !/Content Security Policy|127\.0\.0\.1:9\//.test(fault));
    return game;
  },

  async 'a window closed for good and opened again leaves nothing of it behind'(browser, file) {
    const game = await browser.open(file, VIEW);
    await setUp(game);
    const client = await game.page.createCDPSession();
    const built = () => game.page.evaluate(() => ['frmAbout', 'frmVillage1'].every((name) => document
      .getElementById(`${name}-caption`)?.closest('.panel.ahead[hidden]')));
    const nodes = [];
    for (let round = 0; round < 3; ++round) {
      // Pressed from the page, as a handle to a control would keep its window alive.
      await game.click('Brimwold', 'About');
      await game.page.keyboard.press('Escape');
      await game.click('Brimwold', 'Map Display');
      await game.page.evaluate(() => document.querySelector('#frmVillage1-caption + .close').click());
      await game.until('the two windows built again', built, true);
      await client.send('HeapProfiler.collectGarbage');
      nodes.push((await client.send('Memory.getDOMCounters')).nodes);
    }
    // A window kept would keep each of its nodes: scores of them a round.
    assert.ok(nodes[2] - nodes[0] < 10, `the page's nodes after each round: ${nodes}`);
    return game;
  },

  async 'the days box shows the widest number whole'(browser, file) {
    const game = await browser.open(file, VIEW);
    await setUp(game, { days: '-32723' });
    assert.deepEqual(await game.read('Brimwold', 'Days left', (el) => [el.value, el.scrollWidth <= el.clientWidth]),
      ['-32723', true]);
    return game;
  },
};

const [file] = process.argv.slice(2);
if (!file) {
  console.error('usage: node windows.js BRIMWOLD_HTML');
  process.exit(2);
}

run(async (browser) => {
  const failed = [];
  for (const [name, body] of Object.entries(CASES)) {
    try {
      const game = await body(browser, file);
      game.checkQuiet();
      await game.page.close();
    } catch (error) {
      failed.push(name);
      console.error(`FAILED ${name}: ${error.stack || error}`);
    }
  }
  console.log(`windows: ${Object.keys(CASES).length - failed.length} passed, ${failed.length} failed`);
  assert.deepEqual(failed, []);
});
