#include "core/render/read_links_script.h"

namespace tessaray {

// The techniques are tried in a fixed order and the first that applies is named. Things a visitor
// can open (a closed <details>, a menu or tab panel behind its control) count as seen, as search
// engines treat them.
const char* const kReadLinksScript = R"js((host) => {
  const lower = (s) => (s || '').toLowerCase();
  const style = (e) => getComputedStyle(e);
  const up = (e) => e.parentElement || (e.parentNode && e.parentNode.host) || null;
  const nothing = (r) => r.width < 1 || r.height < 1;
  const media = 'img,svg,picture,video,canvas,object,embed,input,iframe';

  // Whether the element that hides the link is one a visitor opens: a menu, a tab panel, the
  // target of a control (aria-controls), or something right after a button that expands it.
  const opened = (hider, a) => {
    for (let e = a; e; e = up(e)) {
      if (e.nodeType !== 1) continue;
      const role = lower(e.getAttribute('role'));
      if (role === 'menu' || role === 'tabpanel') return true;
      if (e.id && document.querySelector('[aria-controls~="' + CSS.escape(e.id) + '"]')) return true;
      if (e === hider) break;
    }
    if (hider.closest && hider.closest('nav')) return true;
    const before = hider.previousElementSibling;
    if (before && before.matches('button,summary,[aria-expanded],[aria-haspopup]')) return true;
    const parent = hider.parentElement;
    return !!(parent && parent.querySelector(':scope > [aria-expanded]'));
  };

  const colour = (text) => {
    const m = /^rgba?\(([\d.]+),\s*([\d.]+),\s*([\d.]+)(?:,\s*([\d.]+))?\)$/.exec(text);
    return m ? {r: +m[1], g: +m[2], b: +m[3], a: m[4] === undefined ? 1 : +m[4]} : null;
  };
  const over = (top, below) => ({r: top.r * top.a + below.r * (1 - top.a),
    g: top.g * top.a + below.g * (1 - top.a), b: top.b * top.a + below.b * (1 - top.a), a: 1});
  const luminance = (c) => {
    const lin = (v) => { v /= 255; return v <= 0.04045 ? v / 12.92 : Math.pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lin(c.r) + 0.7152 * lin(c.g) + 0.0722 * lin(c.b);
  };
  const contrast = (x, y) => {
    const [l1, l2] = [luminance(x), luminance(y)].sort((p, q) => q - p);
    return (l1 + 0.05) / (l2 + 0.05);
  };

  // The colour behind the text: what is painted under its centre (or, outside the viewport, its
  // ancestors) down to the first opaque background; null when a picture lies behind it.
  const backdrop = (a, textParent, r) => {
    let layers = [];
    for (let e = textParent; e && e !== a; e = up(e)) layers.push(e);
    layers.push(a);
    const cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    let stack = null;
    if (cx >= 0 && cy >= 0 && cx < innerWidth && cy < innerHeight) {
      stack = document.elementsFromPoint(cx, cy);
      const at = stack.findIndex((e) => a.contains(e));
      stack = at < 0 ? null : stack.slice(at).filter((e) => !a.contains(e));
    }
    if (stack) {
      layers = layers.concat(stack);
      for (const e of [document.body, document.documentElement]) {
        if (e && !layers.includes(e)) layers.push(e);
      }
    } else {
      for (let e = up(a); e; e = up(e)) if (e.nodeType === 1) layers.push(e);
    }
    const fills = [];
    for (const e of layers) {
      if (e !== a && e.matches(media)) return null;
      const s = style(e);
      if (s.backgroundImage !== 'none') return null;
      const c = colour(s.backgroundColor);
      if (c === null) return null;
      if (c.a > 0) { fills.push(c); if (c.a >= 1) break; }
    }
    let below = {r: 255, g: 255, b: 255, a: 1};
    for (let i = fills.length - 1; i >= 0; --i) below = over(fills[i], below);
    return below;
  };

  const clipsAll = (s) => {
    if ((s.position === 'absolute' || s.position === 'fixed') && s.clip && s.clip.startsWith('rect(')) {
      const v = s.clip.slice(5, -1).split(/[\s,]+/).map(parseFloat);
      if (v.length === 4 && (v[1] - v[3] <= 0 || v[2] - v[0] <= 0)) return true;
    }
    const p = s.clipPath;
    if (!p || p === 'none') return false;
    const inset = /^inset\(([\d.]+)%/.exec(p);
    return (inset !== null && +inset[1] >= 50) || /^(circle|ellipse)\(0(px)?[\s)]/.test(p);
  };

  const hiddenBy = (a, text) => {
    for (let e = a; e; e = up(e)) {
      if (e.nodeType !== 1) continue;
      if (e.localName === 'details' && !e.open) {
        const summary = e.querySelector(':scope > summary');
        if (!summary || !summary.contains(a)) return '';
      }
      if (lower(e.getAttribute('hidden')) === 'until-found') return '';
    }
    const none = [];
    for (let e = a; e; e = up(e)) if (e.nodeType === 1 && style(e).display === 'none') none.push(e);
    if (none.length) return none.every((h) => opened(h, a)) ? '' : 'display-none';
    const own = style(a);
    if (own.visibility !== 'visible') {
      let h = a;
      while (up(h) && up(h).nodeType === 1 && style(up(h)).visibility !== 'visible') h = up(h);
      return opened(h, a) ? '' : 'visibility-hidden';
    }
    let opacity = 1;
    for (let e = a; e; e = up(e)) if (e.nodeType === 1) opacity *= parseFloat(style(e).opacity);
    if (opacity < 0.02) return 'opacity-zero';

    let textParent = null, hasText = false, font = 0;
    const walker = document.createTreeWalker(a, NodeFilter.SHOW_TEXT);
    for (let n = walker.nextNode(); n; n = walker.nextNode()) {
      if (!n.data.trim() || !n.parentElement) continue;
      hasText = true;
      textParent = textParent || n.parentElement;
      font = Math.max(font, parseFloat(style(n.parentElement).fontSize));
    }
    const tiny = hasText && font <= 1;
    const picture = !!a.querySelector(media) || own.backgroundImage !== 'none';
    const box = a.getBoundingClientRect();
    const range = document.createRange();
    range.selectNodeContents(a);
    const inner = range.getBoundingClientRect();
    if (nothing(box) && nothing(inner) && !tiny) return 'zero-size';
    // What people would see: the box of a picture link, else the content, else the box.
    const seen = (picture && !nothing(box)) || nothing(inner) ? box : inner;
    const r = {left: seen.left, top: seen.top, right: seen.right, bottom: seen.bottom};
    for (let e = a; e && e !== document.body && e !== document.documentElement; e = up(e)) {
      if (e.nodeType !== 1) continue;
      const s = style(e);
      if (clipsAll(s)) return 'off-screen';
      const clipX = s.overflowX !== 'visible', clipY = s.overflowY !== 'visible';
      if (!clipX && !clipY) continue;
      const c = e.getBoundingClientRect();
      if (clipX) { r.left = Math.max(r.left, c.left); r.right = Math.min(r.right, c.right); }
      if (clipY) { r.top = Math.max(r.top, c.top); r.bottom = Math.min(r.bottom, c.bottom); }
      if (r.right - r.left < 1 || r.bottom - r.top < 1) {
        if (tiny) return 'tiny-font';
        if (opened(e, a)) return '';
        return nothing(c) ? 'zero-size' : 'off-screen';
      }
    }
    const root = document.scrollingElement || document.documentElement;
    const width = Math.max(root.scrollWidth, innerWidth), height = Math.max(root.scrollHeight, innerHeight);
    const x = scrollX, y = scrollY;
    const rtl = style(document.documentElement).direction === 'rtl';
    if (r.bottom + y <= 0 || r.top + y >= height || (!rtl && r.right + x <= 0) ||
        (!rtl && r.left + x >= width)) return 'off-screen';
    if (tiny) return 'tiny-font';
    if (hasText && !picture) {
      const ts = style(textParent);
      const ink = colour(ts.color);
      const behind = backdrop(a, textParent, r);
      if (ink && behind && ts.textShadow === 'none' && parseFloat(ts.webkitTextStrokeWidth || '0') === 0 &&
          contrast(over(ink, behind), behind) < 1.1) return 'same-colour';
    }
    if (!picture && [...text].length === 1) return 'one-character';
    return '';
  };

  const out = {url: location.href, base: document.baseURI, robots: [], links: []};
  for (const m of document.querySelectorAll('meta[name]')) {
    const name = lower(m.getAttribute('name')).trim();
    if (name === 'robots' || name === 'googlebot') out.robots.push(m.getAttribute('content') || '');
  }
  for (const a of document.querySelectorAll('a[href]')) {
    const raw = a.getAttribute('href');
    const href = typeof a.href === 'string' ? a.href : (a.href && a.href.baseVal) || '';
    if (!lower(raw).includes(host) && !lower(href).includes(host)) continue;
    if (out.links.length >= 10000) break;
    const seen = (typeof a.innerText === 'string' ? a.innerText : a.textContent || '').replace(/\s+/g, ' ').trim();
    let hidden = '';
    try { hidden = hiddenBy(a, seen); } catch (e) { hidden = ''; }
    // An image link is named by its picture's alternative text.
    let text = seen;
    if (!text) { const img = a.querySelector('img[alt]'); text = img ? img.getAttribute('alt').trim() : ''; }
    out.links.push({href, raw, rel: a.getAttribute('rel') || '', text, hidden});
  }
  return out;
})js";

} // namespace tessaray
