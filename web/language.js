// SPDX-License-Identifier: GPL-3.0-or-later
// The page's language: which catalog the core uses, the page's own texts
// through the core's lookup, and the language chooser outside the panels.
// The catalogs (po/*.po, written for the page at build time) are in the page.
'use strict';

const BrimwoldLanguage = (() => {
  let lookup = null; // the core's lookup, once it runs

  // A text of the page in the language in use.
  function tr(context, english) {
    return lookup ? lookup(context, english) : english;
  }

  // The page's own texts, named here so that the catalog's template has them.
  const texts = {
    // TRANSLATORS: the line the page shows once the game has ended, and its button.
    ended: () => tr('page', 'The game has ended.'),
    again: () => tr('page', 'New Game'),
    // TRANSLATORS: the name screen readers give a window's close box.
    close: () => tr('page', 'Close'),
    ok: () => tr('', 'OK'),
    // TRANSLATORS: the name of the page's language chooser, for screen readers.
    chooser: () => tr('page', 'Language'),
  };

  return { tr, texts, connect(translate) { lookup = translate; } };
})();
