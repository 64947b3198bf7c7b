// SPDX-License-Identifier: GPL-3.0-or-later
// Brimwold in a browser. Every window is a panel built from its design; every
// player event goes to the game's core (C++ compiled to WebAssembly), and the
// page plays the screen steps the core returns, in order. Nothing here decides
// what an event does.
(() => {
'use strict';

const data = (id) => JSON.parse(document.getElementById(id).textContent);
const bytesOf = (text) => Uint8Array.fromBase64?.(text) || Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
const designs = data('designs');
const assets = data('assets');
// The carried fonts, registered from their bytes, so the first layout has them.
for (const [family, weight, bytes] of assets.fonts) document.fonts.add(new FontFace(family, bytesOf(bytes), { weight }));
// The pictures come last in the page and are read when first drawn.
let pictures = null;
const desktop = document.getElementById('desktop');
const { tr, texts } = BrimwoldLanguage; // eslint-disable-line no-undef

const panels = new Map(); // built windows by design name
let shown = []; // the showing panels, in the order they were shown
let active = null; // the panel that has the keyboard
let zTop = 0;
let message = null; // the open message box: {box, ok, rest}
let ended = false;
let core = null;
let classroom = null; // the teachers' tools (classroom.js), told of every event and of the end

// --- Building panels from their designs ------------------------------------------------------

function make(tag, className, text) {
  const el = document.createElement(tag);
  if (className) el.className = className;
  if (text) el.textContent = text;
  return el;
}

// Where the design puts a control, for the style sheet (the compact layout puts it elsewhere);
// mirrored, from the right, for a language written from right to left.
function place(el, [x, y, width, height], mirrored = false) {
  const where = { x, y, w: width, h: height };
  for (const [name, value] of Object.entries(where)) el.style.setProperty(`--${name}`, `${value}px`);
  el.classList.toggle('mirrored', mirrored);
}

// Point sizes at 96 dots per inch, the carried faces for the faces the designs name.
const pixels = (points) => `${(points * 4) / 3}px`;

function setFont(el, { family, size, bold }) {
  el.style.fontFamily = `"${assets.faces[family] || assets.faces['']}"`;
  if (size) el.style.fontSize = pixels(size);
  if (bold !== undefined) el.style.fontWeight = bold ? 'bold' : 'normal';
}

const controlTags = { label: 'div', button: 'button', edit: 'input', list: 'ul', picture: 'div' };

function buildControl(panel, design) {
  const tag = design.kind === 'label' && design.buddy ? 'label' : controlTags[design.kind];
  const el = make(tag, `control ${design.kind}`, designText(design, 'text'));
  el.id = `${panel.name}-${design.name}`;
  el.dataset.name = design.name;
  place(el, design.rect, mirrored(panel));
  setFont(el, design.font);
  el.dataset.size = design.font.size;
  if (design.accessibleName) el.setAttribute('aria-label', designText(design, 'accessibleName'));
  if (design.align) el.classList.add(design.align[0], design.align[1]);
  if (design.kind === 'label') {
    el.classList.toggle('wrap', design.wrap);
    if (design.buddy) el.htmlFor = `${panel.name}-${design.buddy}`;
  } else if (design.kind === 'button') {
    el.type = 'button';
    if (design.default) el.classList.add('default');
    if (design.face) {
      el.classList.add('face');
      ['--face', '--light', '--dark'].forEach((name, i) => el.style.setProperty(name, design.face[i]));
    }
    if (!core.events.has(`${panel.name}.${design.name}`)) console.error(`${panel.name}.${design.name} has no event`);
    el.addEventListener('click', () => send(() => core.press(panel.name, design.name, ...setupTexts(panel))));
  } else if (design.kind === 'edit') {
    el.type = 'text';
    el.readOnly = design.readOnly;
    el.spellcheck = false;
    el.autocomplete = 'off';
  } else if (design.kind === 'picture') {
    el.setAttribute('role', 'img');
    el.classList.toggle('sunken', design.sunken);
  }
  el.hidden = Boolean(design.hidden);
  if (!design.focusable) el.tabIndex = -1;
  else if (design.kind !== 'button' && design.kind !== 'edit') el.tabIndex = 0;
  return el;
}

// What the setup screen's boxes hold, in the order the core reads them.
function setupTexts(panel) {
  return core.tables.setupBoxes.map((box) => panel.controls.get(box)?.value ?? '');
}

// A picture is drawn into a canvas from its decoded image, at the screen's
// scale (1x, or 2x on a denser screen): decoded once, when the window is built,
// it is not decoded again when the window shows. A canvas is known only by its
// window, so that it goes with it.
function picture(name) {
  pictures ||= data('pictures');
  const canvas = make('canvas', 'picture-image');
  canvas.setAttribute('aria-hidden', 'true');
  canvas.dataset.picture = name;
  place(canvas, [0, 0, ...pictures[name].size]);
  draw(canvas);
  return canvas;
}

function draw(canvas) {
  const { size, x1, x2 } = pictures[canvas.dataset.picture];
  const scale = window.devicePixelRatio > 1 ? 2 : 1;
  if (canvas.width === size[0] * scale) return;
  [canvas.width, canvas.height] = size.map((side) => side * scale);
  const image = new Image();
  image.src = scale > 1 ? x2 : x1;
  image.decode().then(() => {
    canvas.getContext('2d').drawImage(image, 0, 0);
    canvas.drawn = true;
    prime(canvas);
  }, () => {});
}

// A canvas is handed to the compositor the first time it is painted, which takes a
// few milliseconds for a large picture: a canvas of a window laid out ahead is
// painted once unseen (web/brimwold.css), so that its window's first showing does
// not wait for it.
function prime(canvas) {
  if (!canvas.drawn || !canvas.closest('.ahead[hidden]')) return;
  canvas.classList.add('priming');
  requestAnimationFrame(() => requestAnimationFrame(() => canvas.classList.remove('priming')));
}

// What a window draws besides its design: its pictures and lines.
const drawings = {
  frmVillage1(panel) {
    const map = picture('village-map');
    panel.client.prepend(map, pictureTexts('village-map'));
    // The farms' buttons lie on the map.
    const farms = panel.design.controls.filter((c) => c.name.startsWith('cmdV1_')).map((c) => c.name);
    panel.underPicture = { picture: map, size: pictures['village-map'].size, controls: farms };
  },
  frmInformation(panel) {
    const box = panel.controls.get('Picture1');
    const facts = make('div', 'sr', sheetText());
    facts.id = `${box.id}-facts`;
    box.setAttribute('role', 'figure');
    box.setAttribute('aria-describedby', facts.id);
    box.append(picture('information-sheet'), pictureTexts('information-sheet'), facts);
  },
  frmAbout(panel) {
    panel.controls.get('picIcon').append(picture('about-icon'));
  },
};

// A chart as the core lays it out: crisp one-pixel lines and texts on white, as
// SVG; its description for screen readers beside it.
const SVG = 'http://www.w3.org/2000/svg';
const DASHES = { solid: '', dashed: '4 3', dotted: '1 2' };

function svg(tag, attributes) {
  const el = document.createElementNS(SVG, tag);
  for (const [name, value] of Object.entries(attributes)) el.setAttribute(name, value);
  return el;
}

function chartSvg({ width, height, lines, texts }) {
  const drawing = svg('svg', { width, height, viewBox: `0 0 ${width} ${height}`, class: 'chart', 'aria-hidden': 'true' });
  drawing.append(svg('rect', { width, height, fill: '#fff' }));
  // One path for the lines of each style: a handful of elements to lay out and paint, not a hundred.
  const paths = {};
  for (const [x1, y1, x2, y2, style] of lines) {
    paths[style] = `${paths[style] || ''}M${x1 + 0.5} ${y1 + 0.5}L${x2 + 0.5} ${y2 + 0.5}`;
  }
  for (const [style, d] of Object.entries(paths)) {
    const path = svg('path', { d, fill: 'none', stroke: '#000', 'shape-rendering': 'crispEdges' });
    if (DASHES[style]) path.setAttribute('stroke-dasharray', DASHES[style]);
    drawing.append(path);
  }
  for (const [x, y, anchor, words] of texts) {
    const text = svg('text', { x, y, 'text-anchor': anchor });
    text.textContent = words;
    drawing.append(text);
  }
  return drawing;
}

// A chart already drawn as asked (ahead, see chartAhead) is left as it is.
function drawChart(box, chart, description) {
  const asked = JSON.stringify([chart, description]);
  if (box.drawn === asked) return;
  box.drawn = asked;
  const drawing = chartSvg(chart);
  const words = make('div', 'sr', description);
  words.id = `${box.id}-description`;
  box.setAttribute('aria-describedby', words.id);
  box.replaceChildren(drawing, words);
}

function build(name) {
  const design = designs[name];
  const el = make('section', `panel ${design.border}`);
  const title = make('div', 'title');
  const caption = make('span', 'caption', designText(design, 'caption'));
  const close = make('button', 'close', '\u00d7');
  const client = make('div', 'client');
  const panel = { name, design, el, caption, client, controls: new Map(), placed: false, lastFocus: null };
  el.hidden = true;
  el.tabIndex = -1;
  el.setAttribute('role', 'dialog');
  caption.id = `${name}-caption`;
  el.setAttribute('aria-labelledby', caption.id);
  close.type = 'button';
  close.tabIndex = -1;
  close.setAttribute('aria-label', texts.close());
  close.addEventListener('click', () => send(() => core.close(name)));
  place(client, [0, 0, ...design.size]);
  setFont(client, design.font);
  for (const control of design.controls) {
    const built = buildControl(panel, control);
    panel.controls.set(control.name, built);
    client.append(built);
  }
  for (const { rect, colour } of design.lines) {
    const line = make('div', 'line');
    place(line, rect, mirrored(panel));
    line.style.background = colour;
    client.append(line);
  }
  drawings[name]?.(panel);
  Layout.flow(panel, panel.underPicture);
  title.append(caption, close);
  el.append(title, client);
  listen(panel, title);
  desktop.append(el);
  panels.set(name, panel);
  return panel;
}

// The window of a step: the first reference builds it, hidden.
function panelOf(name) {
  return panels.get(name) || build(name);
}

// --- Moving, raising and activating panels ---------------------------------------------------

function moveTo(panel, left, top) {
  panel.el.style.left = `${Math.max(0, Math.round(left))}px`;
  panel.el.style.top = `${Math.max(0, Math.round(top))}px`;
}

// How far the page is scrolled and how large its viewport is, as the last scroll
// and resize left them: reading them from the page would lay it out.
const view = { x: 0, y: 0, width: 0, height: 0 };
const look = () => Object.assign(view, { x: window.scrollX, y: window.scrollY, width: window.innerWidth,
  height: window.innerHeight });
look();
window.addEventListener('scroll', look, { passive: true });
window.addEventListener('resize', look);

// Centred in the visible part of the page, never above or left of its origin. A
// panel's size is its design's, so that showing a window lays nothing out before
// its frame; a message box is measured.
function centre(el, over) {
  const panel = [...panels.values()].find((p) => p.el === el);
  const [width, height] = panel ? Layout.size(panel) : [el.offsetWidth, el.offsetHeight];
  const area = over ? over.getBoundingClientRect() : { left: 0, top: 0, width: view.width, height: view.height };
  return [view.x + area.left + (area.width - width) / 2, view.y + area.top + (area.height - height) / 2];
}

function raise(panel) {
  panel.el.style.zIndex = ++zTop;
}

function usable(el) {
  return el.isConnected && !el.disabled && !el.closest('[hidden]');
}

function tabStops(panel) {
  return panel.design.tabOrder.map((name) => panel.controls.get(name)).filter(usable);
}

function setActive(panel) {
  if (active === panel) return;
  active?.el.classList.remove('active');
  active = panel;
  panel.el.classList.add('active');
}

// Raises the panel and gives it the keyboard, where its focus was last.
function activate(panel) {
  raise(panel);
  setActive(panel);
  const last = panel.lastFocus;
  const target = last && usable(last) ? last : tabStops(panel)[0] || panel.el;
  target.focus({ preventScroll: true });
}

function listen(panel, title) {
  const { el } = panel;
  el.addEventListener('pointerdown', () => {
    raise(panel);
    setActive(panel);
  }, true);
  el.addEventListener('focusin', (event) => {
    if (Layout.compact) raise(panel); // the keyboard is never on a panel behind another
    setActive(panel);
    if (event.target !== el) panel.lastFocus = event.target;
  });
  // A press that leaves the keyboard nowhere gives it to the panel.
  el.addEventListener('click', () => {
    if (!message && !ended && !el.hidden && document.activeElement === document.body) activate(panel);
  });
  let drag = null;
  title.addEventListener('pointerdown', (event) => {
    if (event.button !== 0 || event.target.closest('button')) return;
    drag = { x: event.clientX, y: event.clientY, left: el.offsetLeft, top: el.offsetTop };
    title.setPointerCapture(event.pointerId);
    event.preventDefault();
  });
  title.addEventListener('pointermove', (event) => {
    if (drag) moveTo(panel, drag.left + event.clientX - drag.x, drag.top + event.clientY - drag.y);
  });
  const drop = () => { drag = null; };
  title.addEventListener('pointerup', drop);
  title.addEventListener('pointercancel', drop);
}

// --- Playing the core's steps ----------------------------------------------------------------

// A player event goes to the core unless a message box is open or the program has ended.
function send(event) {
  play(JSON.parse(event()));
  classroom?.played();
}

function play(steps) {
  for (let i = 0; i < steps.length; ++i) {
    if (steps[i].kind === 'Message') {
      openMessage(steps[i], steps.slice(i + 1));
      return;
    }
    perform[steps[i].kind](steps[i]);
  }
}

function controlOf(step) {
  return panelOf(step.window).controls.get(step.control);
}

// The room a display box has for its text, measured once (ahead, while idle).
function roomOf(el) {
  el.room ??= el.clientWidth - 2 * parseFloat(getComputedStyle(el).paddingLeft);
  return el.room;
}

const measuring = document.createElement('canvas').getContext('2d');

// A number too wide for a display box is shown whole, in the largest size that
// fits; a box is measured once its panel shows, its text by the font alone.
function fitText(el) {
  if (el.closest('[hidden]')) return;
  const wide = (points) => {
    measuring.font = `${el.style.fontWeight || 'normal'} ${pixels(points)} ${el.style.fontFamily}`;
    return measuring.measureText(el.value).width > roomOf(el);
  };
  el.style.fontSize = pixels(largestFitting(core.fontSizes(Number(el.dataset.size)), (size) => !wide(size)));
}

// The largest of the sizes (game/fitting.h) at which a text fits, else the smallest.
const largestFitting = (sizes, fits) => sizes.find(fits) ?? sizes.at(-1);

const perform = {
  Show(step) {
    const panel = panelOf(step.window);
    arrange(panel);
    panel.el.hidden = false;
    if (!panel.placed) {
      moveTo(panel, ...centre(panel.el));
      panel.placed = true;
    }
    shown = shown.filter((p) => p !== panel).concat(panel);
    panel.client.querySelectorAll('input[readonly]').forEach(fitText);
    panel.client.querySelectorAll('.label, .button').forEach(fitTranslated);
    narrowRuns([...panel.client.querySelectorAll('.runs')]);
    measure(panel);
    activate(panel);
    if (step.window === 'frmFeedback') later(chartAhead);
  },
  Hide(step) {
    const panel = panels.get(step.window);
    if (!panel) return;
    panel.el.hidden = true;
    shown = shown.filter((p) => p !== panel);
    if (active === panel) active = null;
    arrange();
  },
  Discard(step) {
    const panel = panels.get(step.window);
    if (!panel) return;
    panel.el.remove();
    panels.delete(step.window);
    shown = shown.filter((p) => p !== panel);
    if (active === panel) active = null;
    arrange();
    // Its next showing finds it built afresh.
    buildAhead(step.window);
  },
  Activate(step) {
    activate(panelOf(step.window));
  },
  SetText(step) {
    const text = step.text || '';
    if (!step.control) {
      panelOf(step.window).caption.textContent = text;
      panelOf(step.window).caption.dataset.set = 'core';
      return;
    }
    const el = controlOf(step);
    el.dataset.set = 'core';
    if (step.runs) return narrowRuns([inColumns(el, text, step.runs)]);
    if (el.tagName !== 'INPUT') {
      el.textContent = text;
      fitTranslated(el);
      return;
    }
    el.value = text;
    if (el.readOnly) fitText(el);
  },
  SetEnabled(step) {
    const el = controlOf(step);
    const hadFocus = document.activeElement === el;
    el.disabled = !step.enabled;
    // A control that loses its enabled state passes the focus on, as on the desktop.
    if (hadFocus && !step.enabled) activate(panelOf(step.window));
  },
  SetVisible(step) {
    controlOf(step).hidden = !step.visible;
  },
  SetChart(step) {
    drawChart(controlOf(step), step.chart, step.description);
  },
  SetFont(step) {
    const el = controlOf(step);
    setFont(el, { family: step.font, size: step.size, bold: Boolean(step.bold) });
    el.dataset.size = step.size;
  },
  SetLines(step) {
    const items = step.lines.map((line) => make('li', '', line));
    controlOf(step).replaceChildren(...items);
    if (step.runs) narrowRuns(items.map((item, i) => inColumns(item, step.lines[i], step.runs[i])));
  },
  Focus(step) {
    controlOf(step).focus();
  },
  Print(step) {
    BrimwoldPrintout(step.printout, chartSvg(step.printout.chart)); // eslint-disable-line no-undef
  },
  EndProgram() {
    ended = true;
    classroom?.ended();
    window.removeEventListener('beforeunload', askFirst);
    panels.clear();
    shown = [];
    active = null;
    const again = make('button', 'again', texts.again());
    again.type = 'button';
    again.addEventListener('click', () => window.location.reload());
    desktop.replaceChildren(make('p', 'ended', texts.ended()), again);
    again.focus();
  },
};

// --- The message box: modal over everything --------------------------------------------------

function openMessage(step, rest) {
  const backdrop = make('div', 'backdrop');
  const box = make('section', 'panel message active');
  const title = make('div', 'title');
  const caption = make('span', 'caption', core.tables.title);
  const text = make('p', 'text', step.text);
  const ok = make('button', 'ok', texts.ok());
  caption.id = 'message-caption';
  text.id = 'message-text';
  box.setAttribute('role', 'alertdialog');
  box.setAttribute('aria-modal', 'true');
  box.setAttribute('aria-labelledby', caption.id);
  box.setAttribute('aria-describedby', text.id);
  ok.type = 'button';
  title.append(caption);
  box.append(title, make('div', 'client'));
  box.lastChild.append(text, ok);
  backdrop.append(box);
  document.body.append(backdrop);
  desktop.inert = true;
  const over = panels.get(step.window);
  const [left, top] = centre(box, over && !over.el.hidden ? over.el : null);
  box.style.left = `${Math.max(0, left - window.scrollX)}px`;
  box.style.top = `${Math.max(0, top - window.scrollY)}px`;
  message = { backdrop, ok, rest };
  ok.addEventListener('click', closeMessage);
  ok.focus();
}

function closeMessage() {
  const { backdrop, rest } = message;
  message = null;
  backdrop.remove();
  desktop.inert = false;
  core.messageClosed();
  if (active) activate(active);
  play(rest);
}

// --- The keyboard ----------------------------------------------------------------------------

function cycle(panel, direction) {
  const i = shown.indexOf(panel);
  const next = shown[(i + direction + shown.length) % shown.length];
  if (next) activate(next);
}

function moveFocus(panel, direction) {
  const stops = tabStops(panel);
  if (!stops.length) return;
  const i = stops.indexOf(document.activeElement);
  const next = stops[i < 0 ? (direction > 0 ? 0 : stops.length - 1) : (i + direction + stops.length) % stops.length];
  next.focus();
  // A text box reached with Tab has its text selected, to be typed over.
  if (next.tagName === 'INPUT') next.select();
}

document.addEventListener('keydown', (event) => {
  if (ended) return;
  if (message) {
    // The box keeps the keyboard: Tab stays on OK, Esc presses it.
    if (event.key === 'Tab') {
      event.preventDefault();
      message.ok.focus();
    } else if (event.key === 'Escape') {
      event.preventDefault();
      message.ok.click();
    }
    return;
  }
  if (event.key === 'F6') {
    event.preventDefault();
    cycle(active, event.shiftKey ? -1 : 1);
    return;
  }
  const panel = active;
  if (!panel) return;
  const target = event.target;
  if (event.key === 'Tab') {
    event.preventDefault();
    moveFocus(panel, event.shiftKey ? -1 : 1);
  } else if (event.key === 'Enter' && target.tagName === 'INPUT'
      && core.events.has(`${panel.name}.${target.dataset.name}`)) {
    // Enter in a box is that box's event (a box kept from typing too); the key goes no further.
    event.preventDefault();
    send(() => core.press(panel.name, target.dataset.name, ...setupTexts(panel)));
  } else if (event.key === 'Escape' || (event.key === 'Enter' && target.tagName !== 'BUTTON')) {
    // A dialog's default button answers Enter and Esc.
    const button = panel.client.querySelector('button.default');
    if (button && usable(button)) {
      event.preventDefault();
      button.click();
    }
  }
});

function askFirst(event) {
  event.preventDefault();
  event.returnValue = '';
}

// --- Every screen and its time ---------------------------------------------------------------

// The layout the viewport needs for the showing panels and the one about to
// show, taken before anything is laid out for it; when the wide layout comes
// back, every window is placed anew, as when it was first shown.
function arrange(coming = null) {
  Layout.arrange(coming ? [...shown, coming] : shown, () => {
    for (const panel of panels.values()) panel.placed = false;
    for (const panel of shown) {
      moveTo(panel, ...centre(panel.el));
      panel.placed = true;
    }
  });
  later(() => core.planAhead());
}

window.addEventListener('resize', () => {
  if (ended) return;
  arrange();
  // A zoom changes the screen's scale, and the pictures' with it.
  desktop.querySelectorAll('canvas.picture-image').forEach(draw);
  // An on-screen keyboard takes part of the viewport: the box typed in stays in view.
  const box = document.activeElement;
  if (box?.matches('input:not([readonly])')) box.scrollIntoView({ block: 'nearest' });
});

// Work done ahead, while the browser is idle, so that no press waits for it:
// every window built (with its pictures decoded and drawn) and laid out, the
// best plan found for the days the setup accepted. A page that paints nothing
// may be given no idle time at all: the work is then done a little later anyway.
const whenIdle = window.requestIdleCallback ? (work) => requestIdleCallback(work, { timeout: 200 })
  : (work) => setTimeout(work, 1);
const idleWork = [];

function later(work) {
  if (!idleWork.length) whenIdle(workAhead);
  idleWork.push(work);
}

function workAhead(deadline) {
  do {
    if (ended) return;
    idleWork.shift()();
  } while (idleWork.length && deadline?.timeRemaining() > 4);
  if (idleWork.length) whenIdle(workAhead);
}

// Each window built, then laid out and measured, in tasks of a few milliseconds
// each, so that a press that comes meanwhile waits for one of them at most.
function buildAhead(name) {
  later(() => panelOf(name));
  later(() => {
    const panel = panels.get(name);
    if (!panel || panel.el.classList.contains('ahead')) return;
    panel.el.classList.add('ahead');
    panel.el.querySelectorAll('canvas.picture-image').forEach(prime);
    panel.client.querySelectorAll('input[readonly]').forEach(roomOf);
    // A translated text is measured for the layout as it will show: fitted.
    panel.client.querySelectorAll('.label, .button').forEach(fitTranslated);
    measure(panel);
  });
}

// The debrief's chart, drawn into its hidden window while the feedback that opens it
// shows, as a Debrief press would draw it now (the press then finds it drawn).
function chartAhead() {
  const debrief = panelOf('frmDebrief');
  if (!debrief.el.hidden || panels.get('frmFeedback')?.controls.get('cmdDebrief').hidden) return;
  perform.SetChart(JSON.parse(core.debriefAhead())[0]);
}

// Whether a window's texts fit it in the wide layout (web/layout.js), measured once
// with the carried fonts: ahead, or as it shows if that comes first (the setup window).
function measure(panel) {
  if (panel.measured || Layout.compact || document.fonts.status !== 'loaded') return;
  panel.measured = true;
  Layout.measure(panel);
}

// --- The player's language (web/language.js) -------------------------------------------------

// A design's text in the language in use: its caption, text or accessible name.
function designText(design, field) {
  const english = design[field];
  return english && !design[`${field}Fixed`] ? tr(design[`${field}Context`] || '', english) : english;
}

// Whether a panel's controls stand mirrored: in a language written from right to
// left, but where they stand on places of a picture (the map's farms).
function mirrored(panel) {
  return BrimwoldLanguage.current.rightToLeft && !panel.design.placesOnPicture;
}

// A fixed-width line drawn in columns, from the core's runs of it ([column, room, text, open]):
// each run where its column starts in the font's cells (1ch), the blanks between kept.
function inColumns(el, line, runs) {
  const row = make('span', 'runs');
  let from = 0;
  for (const [column, room, text, open] of runs) {
    const at = line.indexOf(text, from);
    row.append(line.slice(from, at));
    const run = row.appendChild(make('span', '', text));
    run.style.insetInlineStart = `${column}ch`;
    run.dataset.room = room;
    if (open) run.dataset.open = open;
    from = at + text.length;
  }
  row.append(line.slice(from));
  el.replaceChildren(row);
  return row;
}

// A run wider than its room (proportional letters in a fixed-pitch list) is drawn narrower to fit
// it; measured once laid out, so again as its panel shows.
function narrowRuns(rows) {
  const probe = rows[0]?.appendChild(make('span', 'cells'));
  if (!probe) return;
  const runs = rows.flatMap((row) => [...row.children]);
  for (const run of runs) run.style.transform = '';
  const cell = probe.getBoundingClientRect().width / 100;
  const widths = runs.map((run) => run.getBoundingClientRect().width);
  probe.remove();
  runs.forEach((run, i) => {
    const room = Number(run.dataset.room) * cell;
    if (room > 0 && widths[i] > room + 0.5) run.style.transform = `scaleX(${room / widths[i]})`;
  });
}

// In a language other than English, a text that does not fit its label or button
// at its size shrinks to the largest size that fits (game/fitting.h); measured
// once it is laid out: its panel shows, or is laid out ahead unseen.
function fitTranslated(el) {
  if (BrimwoldLanguage.current.code === 'en' || !el.getClientRects().length) return;
  const fits = () => el.scrollWidth <= el.clientWidth && el.scrollHeight <= el.clientHeight;
  const shrink = () => {
    const sizes = core.fontSizes(Number(el.dataset.size), core.smallestTranslatedSize);
    el.style.fontSize = pixels(largestFitting(sizes, (size) => {
      el.style.fontSize = pixels(size);
      return fits();
    }));
  };
  shrink();
  // A label that cannot hold its text even so grows where its design leaves room.
  if (!fits() && el.classList.contains('label')) {
    const panel = panels.get(el.id.slice(0, el.id.indexOf('-')));
    place(el, core.roomToGrow(panel.name, el.dataset.name), mirrored(panel));
    shrink();
  }
}

// The sheet's facts in words, in the language in use.
function sheetText() {
  return core.sheetText();
}

// The texts a picture prints, in the language in use where it is not English:
// each where the English one stood, on white over it, in the picture's own
// place (a picture is not mirrored).
function pictureTexts(name) {
  const drawing = svg('svg', { class: 'picture-texts', 'aria-hidden': 'true' });
  drawing.dataset.picture = name;
  const [width, height] = (pictures ||= data('pictures'))[name].size;
  // Drawn in the picture's own units, so that it scales with the picture (the compact layout).
  drawing.setAttribute('viewBox', `0 0 ${width} ${height}`);
  Object.assign(drawing.style, { width: `${width}px`, height: `${height}px` });
  if (BrimwoldLanguage.current.code === 'en') return drawing;
  const { texts: printed, rules } = assets.pictureTexts[name];
  for (const [context, english, x, y, size, bold, right, underline, family, [cx, cy, cw, ch]] of printed) {
    const words = tr(context, english);
    if (words === english) continue;
    const text = svg('text', { x, y, 'text-anchor': right ? 'end' : 'start', 'font-size': size,
      'font-weight': bold ? 'bold' : 'normal', 'font-family': `"${assets.faces[family] || family}"` });
    if (underline) text.setAttribute('text-decoration', 'underline');
    text.textContent = words;
    drawing.append(svg('rect', { x: cx, y: cy, width: cw, height: ch, fill: '#fff' }), text);
  }
  // The translation's own ground is cleared too, once it can be measured; the rules lie on top.
  requestAnimationFrame(() => {
    for (const text of drawing.querySelectorAll('text')) {
      const box = text.getBBox();
      text.before(svg('rect', { x: box.x - 1, y: box.y, width: box.width + 2, height: box.height, fill: '#fff' }));
    }
    for (const [x, y, width, height] of rules) drawing.append(svg('rect', { x, y, width, height, fill: '#000' }));
  });
  return drawing;
}

// The language changed: every panel shows its design's texts in it, placed as
// it is written, then the core sets again every text its steps set that depends
// on the language; the game goes on as it stands.
function relanguage() {
  for (const panel of panels.values()) {
    const { design } = panel;
    if (!panel.caption.dataset.set) panel.caption.textContent = designText(design, 'caption');
    panel.el.querySelector('.close').setAttribute('aria-label', texts.close());
    for (const control of design.controls) {
      const el = panel.controls.get(control.name);
      place(el, control.rect, mirrored(panel));
      if (control.text && !el.dataset.set) el.textContent = designText(control, 'text');
      if (control.accessibleName) el.setAttribute('aria-label', designText(control, 'accessibleName'));
      if (el.dataset.set !== 'core' || el.tagName !== 'INPUT') el.style.fontSize = pixels(Number(el.dataset.size));
    }
    panel.client.querySelectorAll('.line').forEach((line, i) => place(line, design.lines[i].rect, mirrored(panel)));
    for (const old of panel.client.querySelectorAll('.picture-texts')) old.replaceWith(pictureTexts(old.dataset.picture));
    const facts = panel.client.querySelector('[id$="-facts"]');
    if (facts) facts.textContent = sheetText();
  }
  if (ended) {
    desktop.querySelector('.ended').textContent = texts.ended();
    desktop.querySelector('.again').textContent = texts.again();
    return;
  }
  play(JSON.parse(core.retranslate()));
  for (const panel of shown) panel.client.querySelectorAll('.label, .button').forEach(fitTranslated);
}

// --- Start-up --------------------------------------------------------------------------------

// The core is small enough to be compiled at once, so the first window is built
// while the page is still being read, and shows with its first paint.
function start() {
  const bytes = bytesOf(document.getElementById('core-wasm').textContent.trim());
  const module = {
    instantiateWasm(imports, receive) {
      const instance = new WebAssembly.Instance(new WebAssembly.Module(bytes), imports);
      receive(instance);
      return instance.exports;
    },
    onRuntimeInitialized() {
      const strings = (count) => Array(count).fill('string');
      const tables = JSON.parse(module.ccall('brimwold_tables', 'string', []));
      const sizes = new Map();
      core = {
        tables,
        // Every control that has an event: "frmMain.cmdInformation", "frmVillage1.cmdV1_3".
        events: new Set(tables.events.flatMap(({ window, control, members }) => (members
          ? Array.from({ length: members }, (_, i) => `${window}.${control}_${i + 1}`)
          : [`${window}.${control}`]))),
        fontSizes: (design, smallest = tables.smallestFittedSize) => sizes.get(`${design}/${smallest}`)
          || sizes.set(`${design}/${smallest}`, JSON.parse(module.ccall('brimwold_font_sizes', 'string',
            ['number', 'number'], [design, smallest]))).get(`${design}/${smallest}`),
        smallestTranslatedSize: tables.smallestTranslatedSize,
        main: module.cwrap('brimwold_main', 'string', []),
        press: module.cwrap('brimwold_press', 'string', strings(5)),
        close: module.cwrap('brimwold_close', 'string', strings(1)),
        messageClosed: module.cwrap('brimwold_message_closed', null, []),
        planAhead: module.cwrap('brimwold_plan_ahead', null, []),
        debriefAhead: module.cwrap('brimwold_debrief_ahead', 'string', []),
        retranslate: module.cwrap('brimwold_retranslate', 'string', []),
        sheetText: module.cwrap('brimwold_sheet_text', 'string', []),
        roomToGrow: (window, control) => JSON.parse(module.ccall('brimwold_room_to_grow', 'string', strings(2),
          [window, control])),
      };
      const choose = module.cwrap('brimwold_choose_language', 'string', strings(2));
      const use = module.cwrap('brimwold_use_language', 'string', strings(3));
      BrimwoldLanguage.start({ // eslint-disable-line no-undef
        choose: (asked, available) => choose(asked.join('\n'), available.join('\n')),
        use: (messages, translations, code) => JSON.parse(use(messages, translations, code)),
        translate: module.cwrap('brimwold_translate', 'string', strings(2)),
      }, relanguage);
      window.addEventListener('beforeunload', askFirst);
      play(JSON.parse(core.main()));
      const setupBoxes = core.tables.setupBoxes.map((box) => panelOf('frmIntro').controls.get(box));
      classroom = BrimwoldClassroom(module, setupBoxes); // eslint-disable-line no-undef
      Object.keys(designs).forEach(buildAhead);
    },
  };
  BrimwoldCore(module); // eslint-disable-line no-undef
}

start();
})();
