// SPDX-License-Identifier: GPL-3.0-or-later
// The page's two layouts. Wide: every panel at its design size where its design
// puts it, as on the desktop. Compact, when the viewport cannot hold a showing
// window at its size: one panel at a time fills the viewport, the panel raised
// last in front, and its controls flow in reading order; the style sheet does
// the rest. The reading order comes from the design's geometry: the controls are
// cut into bands where a gap crosses the whole window, each band into columns the
// same way, and so on; what no gap divides stays together.
const Layout = (() => {
  'use strict';

  // Designs overlap their neighbours by a pixel or two; that still counts as a gap.
  const SLACK = 2;
  // A picture this large is scaled to the panel's width; smaller ones are icons.
  const ICON = 64;

  const make = (className, children) => {
    const el = document.createElement('div');
    el.className = className;
    el.append(...children);
    return el;
  };

  // The items split along one axis (0: left to right, 1: top to bottom) at every
  // gap that crosses them all; one group if there is none.
  function split(items, axis) {
    const sorted = [...items].sort((a, b) => a.rect[axis] - b.rect[axis]);
    const groups = [];
    let end = -Infinity;
    for (const item of sorted) {
      const [start, size] = [item.rect[axis], item.rect[axis + 2]];
      if (start > end - SLACK) groups.push([]);
      groups.at(-1).push(item);
      end = Math.max(end, start + size);
    }
    return groups;
  }

  // How an item takes its line in the compact layout: the whole line, a share of
  // it (text), or just its own size (an icon, a display box).
  function role({ kind, text, readOnly, rect }) {
    if (kind === 'label') return 'text';
    if (kind === 'button') return text ? 'line' : 'fixed';
    if (kind === 'edit') return readOnly ? 'fixed' : 'line';
    if (kind === 'picture') return rect[2] > ICON ? 'line' : 'fixed';
    return 'line';
  }

  // Each element of the flow is marked with its role, for the style sheet; a
  // container takes the widest role of what it holds.
  const ROLES = ['fixed', 'text', 'line'];
  const roleOf = (el) => ROLES.find((r) => el.classList.contains(`flow-${r}`));
  const widest = (children) => ROLES[Math.max(...children.map((child) => ROLES.indexOf(roleOf(child))))];
  const cast = (el, r) => {
    el.classList.add(`flow-${r}`);
    return el;
  };

  const container = (className, children, r = widest(children)) => cast(make(className, children), r);
  const leaf = (item) => cast(item.el, role(item.design));

  // Labels lie beneath the other controls: a label's box reaches only as far as
  // the first control lying on it.
  function clip(items) {
    const others = items.filter((item) => item.design.kind !== 'label');
    return items.map((item) => {
      if (item.design.kind !== 'label') return item;
      const [x, y, w, h] = item.rect;
      const lying = ([ox, oy, , oh]) => ox > x && ox < x + w && oy < y + h && oy + oh > y;
      const on = others.map((o) => o.rect).filter(lying);
      return on.length ? { ...item, rect: [x, y, Math.min(...on.map(([ox]) => ox)) - x, h] } : item;
    });
  }

  // Items no gap divides, even with their labels clipped: labels read one after
  // another; anything else keeps its design's geometry in a strip that scrolls
  // sideways by itself.
  function together(items) {
    const clipped = clip(items);
    if (clipped.some((item, i) => item !== items[i])) return order(clipped, 1);
    const inOrder = [...items].sort((a, b) => a.rect[1] - b.rect[1] || a.rect[0] - b.rect[0]);
    if (inOrder.every((item) => item.design.kind === 'label')) return container('stack', inOrder.map(leaf));
    const strip = container('strip', inOrder.map((item) => item.el), 'line');
    strip.style.setProperty('--sx', `${Math.min(...items.map((item) => item.rect[0]))}px`);
    return strip;
  }

  // Columns side by side; an icon or a display box keeps together with the text beside it.
  function row(children) {
    const cells = [];
    for (let i = 0; i < children.length; ++i) {
      if (roleOf(children[i]) === 'fixed' && children[i + 1] && roleOf(children[i + 1]) === 'text') {
        cells.push(container('pair', [children[i], children[++i]], 'text'));
      } else {
        cells.push(children[i]);
      }
    }
    return container('row', cells);
  }

  // Bands from top to bottom (axis 1), each cut into columns (axis 0), and so on
  // in turn; a group no gap divides either way stays together.
  function order(items, axis) {
    if (items.length === 1) return leaf(items[0]);
    let groups = split(items, axis);
    if (groups.length === 1) groups = split(items, (axis = 1 - axis));
    if (groups.length === 1) return together(items);
    const kind = axis === 1 ? 'stack' : 'row';
    // A row in a row is one row, and a stack in a stack one stack.
    const children = groups.map((group) => order(group, 1 - axis))
      .flatMap((child) => (child.classList.contains(kind) ? [...child.children] : [child]));
    return kind === 'stack' ? container('stack', children) : row(children);
  }

  // Puts the panel's controls into reading order for the compact layout. In the
  // wide layout the containers take no box of their own, and every control keeps
  // its design's place. Controls the window draws a picture beneath (the farms
  // on the map) follow that picture in their tab order, and the picture marks
  // where each of them is.
  function flow(panel, underPicture = null) {
    const { design, controls, client } = panel;
    const over = new Set(underPicture?.controls || []);
    const items = design.controls.filter((c) => !over.has(c.name)).map((c) => ({
      design: c, rect: c.rect, el: controls.get(c.name),
    }));
    const top = items.length ? order(items, 1) : null;
    // The client itself stacks the bands.
    const parts = !top ? [] : top.classList.contains('stack') ? [...top.children] : [top];
    if (underPicture) {
      const { picture, size: [width, height] } = underPicture;
      const names = design.tabOrder.filter((name) => over.has(name));
      // The picture's translated texts go with it, over it.
      const texts = picture.nextElementSibling?.matches('.picture-texts') ? [picture.nextElementSibling] : [];
      const map = make('map', [picture, ...texts]);
      for (const name of names) {
        const [x, y, w, h] = design.controls.find((c) => c.name === name).rect;
        const spot = make('spot', []);
        spot.textContent = controls.get(name).textContent;
        spot.setAttribute('aria-hidden', 'true');
        spot.style.setProperty('--mx', `${((x + w / 2) * 100) / width}%`);
        spot.style.setProperty('--my', `${((y + h / 2) * 100) / height}%`);
        map.append(spot);
      }
      map.style.setProperty('--w', `${width}px`);
      parts.push(make('row', [map, make('farms', names.map((name) => controls.get(name)))]));
    }
    client.prepend(...parts);
  }

  // --- Which layout --------------------------------------------------------------------------

  let compact = false;
  let crowded = false; // see measure()
  const root = document.documentElement;

  // The frame's sizes, as the style sheet has them, read once.
  let frame = null;

  // A panel's size on the page in the wide layout: its client in its frame.
  function size(panel) {
    if (!frame) {
      const style = getComputedStyle(root);
      const value = (name) => parseFloat(style.getPropertyValue(`--${name}`));
      frame = { border: value('frame'), title: value('title') };
    }
    const [width, height] = panel.design.size;
    return [width + 2 * frame.border, height + frame.title + 2 * frame.border];
  }

  // Whether the viewport holds every one of the panels at its size, as the style
  // sheet's media queries see it (a phone's page zoom does not change that).
  const holds = (panels) => panels.every((panel) => {
    const [width, height] = size(panel);
    panel.fits ||= window.matchMedia(`(min-width: ${width}px) and (min-height: ${height}px)`);
    return panel.fits.matches;
  });

  function use(wanted) {
    compact = wanted;
    root.classList.toggle('compact', compact);
  }

  // Takes the layout the showing panels need; with none showing (between one
  // window's hiding and the next one's showing) the layout stays. wide() is
  // called when the wide layout comes back, for the panels to be placed anew.
  function arrange(shown, wide) {
    if (!shown.length) return;
    const wanted = crowded || !holds(shown);
    if (wanted === compact) return;
    use(wanted);
    if (!compact) wide();
  }

  // Whether some text is larger than its box in the wide layout: a minimum font
  // size, or more space between letters, words or lines, than the designs allow
  // for. Each panel is measured once, shown or not, while the page is idle after it
  // loads; from the first that does not fit on, every window takes the compact layout.
  function measure(panel) {
    if (compact || crowded || document.fonts.status !== 'loaded') return;
    crowded = [...panel.client.querySelectorAll('.label, .button')].some((el) => !el.hidden
      && (el.scrollWidth > el.clientWidth + 1 || el.scrollHeight > el.clientHeight + 1));
    if (crowded) use(true);
  }

  return { flow, arrange, measure, size, get compact() { return compact; } };
})();
