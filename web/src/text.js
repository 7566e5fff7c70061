// The text of entries, labels and posts, read by Unicode 14 as the draw's rule reads it (the
// program's core/PublicDraw.cpp and tools/verify-draw.py do the same from the same tables).
// Normal forms come from the browser's String.prototype.normalize: stable for every code point
// Unicode 14 assigns, which is all an entry may hold; normalisationKnowsUnicode14 tells an old
// browser apart.
import * as tables from './unicode14.js';

export const RULE_V1 = 'tombolix-draw-v1';
export const RULE_V2 = 'tombolix-draw-v2';
export const RULES = [RULE_V1, RULE_V2];
export const MAX_TEXT = 200; // code points: no nickname comes near it

const USABLE = 1;
const BLANK = 2;
const WHITE_SPACE = 4;
const FORMAT = 8;
const V1_SHOWS_NOTHING = 16;

function ranges(text) {
  return text.split(' ').filter(Boolean).map((part) => {
    const [first, last] = part.split('-');
    return [parseInt(first, 16), parseInt(last ?? first, 16)];
  });
}

// One byte of flags a code point, made once: a text is read a code point at a time, often.
let flags = null;
let prototypes = null;

function flagsOf() {
  if (flags) return flags;
  flags = new Uint8Array(0x110000);
  const mark = (text, bit) => {
    for (const [a, b] of ranges(text)) for (let c = a; c <= b; ++c) flags[c] |= bit;
  };
  mark(tables.usable, USABLE);
  mark(tables.blank, BLANK);
  mark(tables.whiteSpace, WHITE_SPACE);
  mark(tables.format, FORMAT);
  // what shows nothing by the first rule besides the format characters
  mark('34F 115F 1160 17B4 17B5 180B-180F 3164 FE00-FE0F FFA0 E0100-E01EF', V1_SHOWS_NOTHING);
  return flags;
}

function prototypesOf() {
  if (prototypes) return prototypes;
  prototypes = new Map();
  for (const pair of tables.prototypes.split(',')) {
    const [source, target] = pair.split(':');
    prototypes.set(parseInt(source, 16), String.fromCodePoint(...target.split(' ').map((c) => parseInt(c, 16))));
  }
  return prototypes;
}

const has = (code, bit) => (flagsOf()[code] & bit) !== 0;
export const usable = (code) => has(code, USABLE);
export const blank = (code) => has(code, BLANK);
export const whiteSpace = (code) => has(code, WHITE_SPACE);
export const format = (code) => has(code, FORMAT);

// Whether this browser's normal forms know Unicode 14: letters new in it decompose as they must.
// An older one would read some entries otherwise than the program does, and answer wrongly.
export function normalisationKnowsUnicode14() {
  try {
    return (
      '\u{10781}'.normalize('NFKC') === '\u02D0' && // MODIFIER LETTER SUPERSCRIPT TRIANGULAR COLON
      '\u{107BA}'.normalize('NFKC') === '\u{1DF1E}' && // MODIFIER LETTER SMALL S WITH CURL
      '\u1100\u1161'.normalize('NFC') === '\uAC00'
    );
  } catch {
    return false;
  }
}

// The characters of a text, a code point each, a lone surrogate standing for itself.
const charsOf = (text) => Array.from(text);
const codeOf = (c) => c.codePointAt(0);

export function codePointCount(text) {
  let n = 0;
  for (const _ of text) ++n; // eslint-disable-line no-unused-vars
  return n;
}

export function tooLong(text) {
  return text.length > MAX_TEXT && codePointCount(text) > MAX_TEXT;
}

function without(text, drop) {
  let kept = '';
  for (const c of text) if (!drop(c.codePointAt(0))) kept += c;
  return kept;
}

function any(text, test) {
  for (const c of text) if (test(c.codePointAt(0))) return true;
  return false;
}

// A code point Unicode 14 does not assign, half a surrogate pair, or a control character other
// than white space (the first rule refused every control character).
export function hasUnusable(text, rule = RULE_V2) {
  return any(text, (code) => !usable(code) || (rule === RULE_V1 && (code < 0x20 || code === 0x85)));
}

// Besides: format characters and line or paragraph separators, which could pass for other lines.
export function unusableInLabel(label, rule = RULE_V2) {
  return hasUnusable(label, rule) || any(label, (code) => format(code) || code === 0x2028 || code === 0x2029);
}

const V1_TRIMMED = new Set([0x09, 0x20, 0xa0, 0x3000, 0x200b, 0xfeff]);

function trimmed(chars, drop) {
  let begin = 0;
  let end = chars.length;
  while (begin < end && drop(codeOf(chars[begin]))) ++begin;
  while (end > begin && drop(codeOf(chars[end - 1]))) --end;
  return [begin, end];
}

// NFC, the blanks at both ends taken off, every run of white space inside made one blank.
export function canonicalEntry(entry, rule = RULE_V2) {
  const chars = charsOf(entry.normalize('NFC'));
  if (rule === RULE_V1) {
    const [begin, end] = trimmed(chars, (code) => V1_TRIMMED.has(code));
    return chars.slice(begin, end).join('');
  }
  const [begin, end] = trimmed(chars, blank);
  let made = '';
  let inSpace = false;
  for (let i = begin; i < end; ++i) {
    const space = whiteSpace(codeOf(chars[i]));
    if (!space) made += chars[i];
    else if (!inSpace) made += ' ';
    inSpace = space;
  }
  return made;
}

// The entry as people read it: NFKC without what shows nothing, then its confusable skeleton
// (UTS #39 prototypes without Hangul's jamo). Two entries with one key read the same.
export function lookAlikeKey(entry, rule = RULE_V2) {
  const shown = entry.normalize('NFKC');
  if (rule === RULE_V1) return without(shown, (code) => format(code) || has(code, V1_SHOWS_NOTHING));
  const map = prototypesOf();
  let mapped = '';
  for (const c of without(shown, blank).normalize('NFD')) mapped += map.get(c.codePointAt(0)) ?? c;
  return mapped.normalize('NFD');
}

// A text as people read it, its lines and blanks kept: NFKC, without what shows nothing but is no
// white space. A post's codes are looked for in this.
export function asShown(text) {
  return without(text.normalize('NFKC'), (code) => blank(code) && !whiteSpace(code));
}

export function whiteSpaceOnly(text) {
  return !any(text, (code) => !whiteSpace(code));
}

// The order of UTF-8 bytes, which is the order of code points (not of UTF-16 units).
export function compareUtf8(a, b) {
  const n = Math.min(a.length, b.length);
  for (let i = 0; i < n; ++i) {
    let x = a.charCodeAt(i);
    let y = b.charCodeAt(i);
    if (x === y) continue;
    if (x >= 0xd800 && y >= 0xd800) {
      // surrogates stand for code points above every unit from U+E000 up
      x = x >= 0xe000 ? x - 0x800 : x + 0x2000;
      y = y >= 0xe000 ? y - 0x800 : y + 0x2000;
    }
    return x - y;
  }
  return a.length - b.length;
}

// The draw list made canonical (rule 1), sorted by UTF-8 bytes, with what keeps it from a public
// draw: entries too long, unusable, the same twice, or two that read the same.
export function canonicalList(drawList) {
  const made = [];
  const list = { entries: [], tooLong: [], unusable: [], repeated: [], lookAlike: [] };
  for (const entry of drawList) {
    if (whiteSpaceOnly(entry)) continue;
    if (tooLong(entry)) {
      list.tooLong.push(entry);
      continue;
    }
    const canonical = hasUnusable(entry) ? '' : canonicalEntry(entry);
    const key = canonical ? lookAlikeKey(canonical) : '';
    if (!key) list.unusable.push(entry);
    else made.push({ entry: canonical, key });
  }
  made.sort((a, b) => compareUtf8(a.entry, b.entry));
  const firstByKey = new Map();
  const alike = new Set();
  made.forEach((m, i) => {
    if (i > 0 && m.entry === made[i - 1].entry) {
      if (list.repeated.at(-1) !== m.entry) list.repeated.push(m.entry);
    } else if (firstByKey.has(m.key)) {
      alike.add(firstByKey.get(m.key)).add(m.entry);
    } else {
      firstByKey.set(m.key, m.entry);
    }
    list.entries.push(m.entry);
  });
  list.lookAlike = [...alike];
  list.ok = !list.tooLong.length && !list.unusable.length && !list.repeated.length && !list.lookAlike.length;
  return list;
}
