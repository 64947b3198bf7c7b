// SPDX-License-Identifier: GPL-3.0-or-later
// The debrief's printout: a page of its own, shown only in print, laid out from
// what the core's Print step holds (the chart drawn as SVG by the page), with
// today's date; then the browser's print, which also saves as PDF. Once printed, the page goes.
function BrimwoldPrintout(printout, chart) { // eslint-disable-line no-unused-vars
  'use strict';
  const make = (tag, className, text) => {
    const el = document.createElement(tag);
    if (className) el.className = className;
    if (text) el.textContent = text;
    return el;
  };
  const pad = (n) => String(n).padStart(2, '0');
  const today = new Date();
  const date = `${today.getFullYear()}-${pad(today.getMonth() + 1)}-${pad(today.getDate())}`;

  const page = make('article', 'printout');
  page.id = 'printout';
  const head = make('header');
  head.append(make('h1', '', printout.title), make('p', 'printed', `${printout.printedOn} ${date}`));
  const facts = make('p', 'facts');
  facts.append(...printout.facts.map((fact) => make('span', '', fact)));
  const logs = make('div', 'logs');
  for (const [heading, lines] of [[printout.logHeading, printout.log], [printout.bestPlanHeading, printout.bestPlan]]) {
    const column = make('section');
    column.append(make('h2', '', heading), make('pre', '', [printout.columns, ...lines].join('\n')));
    logs.append(column);
  }
  page.append(head, facts, ...printout.sentences.map((sentence) => make('p', 'sentence', sentence)), chart, logs);
  document.getElementById('printout')?.remove();
  document.body.append(page);
  window.addEventListener('afterprint', () => page.remove(), { once: true });
  window.print();
}
