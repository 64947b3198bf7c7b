// SPDX-License-Identifier: GPL-3.0-or-later
// The page's language: which of the catalogs the page carries the core uses
// (the address's ?lang=, else the browser's languages, else English), the
// page's own texts through the core's lookup, <html lang> and dir, and the
// language chooser outside the panels. The catalogs are written from po/*.po
// at build time; every text is translated by the core, never here.
'use strict';

const BrimwoldLanguage = (() => {
  const MADE_UP = ['en_XA', 'ar_XB']; // for tests: longer with accents, and right to left
  let core = null; // the core's entry points: choose, use, translate
  let catalogs = null;
  let current = { code: 'en', name: 'English', rightToLeft: false };
  let chooser = null;
  let changed = () => {}; // the page shows every text again

  // A text in the language in use; English as it is.
  function tr(context, english) {
    return current.code === 'en' || !core ? english : core.translate(context, english);
  }

  // The page's own texts, named here so that the catalog's template has them.
  const texts = {
    // TRANSLATORS: the line the page shows once the game has ended.
    ended: () => tr('page', 'The game has ended.'),
    // TRANSLATORS: the button beneath it, which starts a new game.
    again: () => tr('page', 'New Game'),
    // TRANSLATORS: the name screen readers give a window's close box.
    close: () => tr('page', 'Close'),
    ok: () => tr('', 'OK'),
    // TRANSLATORS: the name of the page's language chooser, for screen readers.
    chooser: () => tr('page', 'Language'),
  };

  function use(code) {
    const catalog = catalogs.languages[code];
    const messages = catalog || MADE_UP.includes(code) ? catalogs.messages : '';
    current = core.use(messages, catalog ? catalog.translations : '', code);
    const root = document.documentElement;
    root.lang = current.code.replace('_', '-');
    root.dir = current.rightToLeft ? 'rtl' : 'ltr';
    if (chooser) {
      chooser.value = current.code;
      chooser.setAttribute('aria-label', texts.chooser());
    }
  }

  // English and every carried language by its own name; a made-up one only while in use.
  function makeChooser() {
    chooser = document.createElement('select');
    chooser.id = 'language';
    const names = [['en', 'English'], ...Object.entries(catalogs.languages).map(([code, { name }]) => [code, name])];
    if (MADE_UP.includes(current.code)) names.push([current.code, current.name]);
    for (const [code, name] of names) {
      const option = document.createElement('option');
      option.value = code;
      option.textContent = name;
      option.lang = code.replace('_', '-');
      chooser.append(option);
    }
    chooser.addEventListener('change', () => {
      use(chooser.value);
      // The address says the language, so that a link hands it on.
      const address = new URL(window.location.href);
      address.searchParams.set('lang', current.code);
      try {
        window.history.replaceState(null, '', address);
      } catch { /* an address that cannot change (some file: pages) keeps its language */ }
      changed();
    });
    document.body.prepend(chooser);
    use(current.code);
  }

  // Chooses and uses the language the page is asked for, and puts the chooser in the page.
  function start(entryPoints, onChange) {
    core = entryPoints;
    changed = onChange;
    catalogs = JSON.parse(document.getElementById('catalogs').textContent);
    const asked = [new URLSearchParams(window.location.search).get('lang') || '',
      ...(navigator.languages || [navigator.language || ''])];
    // The core takes the list one a line, as C strings: a value with a control
    // character (a line break, a NUL) would be read as other values; it asks for nothing.
    const whole = asked.map((value) => (/[\u0000-\u001f]/.test(value) ? '' : value));
    use(core.choose(whole, [...Object.keys(catalogs.languages), ...MADE_UP]) || 'en');
    makeChooser();
  }

  return {
    tr,
    texts,
    start,
    get current() { return current; },
    get chooser() { return chooser; },
  };
})();
