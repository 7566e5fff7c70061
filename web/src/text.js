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
// nor does a list come near this many code points in all as people read it (NFKC: 32,767 entries of
// 60), nor a post this many (2,000 entries of the longest, and the text around them): reading more
// could take long enough to matter (NFKC makes some code points 18), so more is refused
export const MAX_SHOWN = 2000000;
export const MAX_POST = 500000;

function ranges(text) {
  return text.split(' ').filter(Boolean).map((part) => {
    const [first, last] = part.split('-');
    return [parseInt(first, 16), parseInt(last ?? first, 16)];
  });
}

let prototypes = null;

// Each code point's confusable prototype, where it has one.
function prototypesOf() {
  if (prototypes) return prototypes;
  prototypes = new Map();
  for (const pair of tables.prototypes.split(',')) {
    const [source, target] = pair.split(':');
    prototypes.set(parseInt(source, 16), String.fromCodePoint(...target.split(' ').map((c) => parseInt(c, 16))));
  }
  return prototypes;
}

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

export function codePointCount(text) {
  let n = 0;
  for (const _ of text) ++n; // eslint-disable-line no-unused-vars
  return n;
}

export function tooLong(text) {
  return text.length > MAX_TEXT && codePointCount(text) > MAX_TEXT;
}

// One byte of flags a code point, made once: a list is 32,767 texts read twice (result and
// announcement), so each is read in one plain loop over its UTF-16 units, and copied only where
// the rule changes it.
const USABLE = 1;
const BLANK = 2;
const WHITE_SPACE = 4;
const IN_LABEL = 8; // a format character, or a line or paragraph separator
const V1_UNSEEN = 16; // shows nothing by the first rule: format characters and a few fillers
const PROTOTYPED = 32;
const V1_TRIMMED = 64;
const V1_CONTROL = 128;
let flags = null;

function flagsOf() {
  if (flags) return flags;
  flags = new Uint8Array(0x110000);
  const mark = (text, bit) => {
    for (const [a, b] of ranges(text)) for (let c = a; c <= b; ++c) flags[c] |= bit;
  };
  mark(tables.usable, USABLE);
  mark(tables.blank, BLANK);
  mark(tables.whiteSpace, WHITE_SPACE);
  mark(tables.format + ' 2028-2029', IN_LABEL);
  mark(tables.format + ' 34F 115F 1160 17B4 17B5 180B-180F 3164 FE00-FE0F FFA0 E0100-E01EF', V1_UNSEEN);
  mark('9 20 A0 3000 200B FEFF', V1_TRIMMED);
  mark('0-1F 85', V1_CONTROL);
  for (const code of prototypesOf().keys()) flags[code] |= PROTOTYPED;
  return flags;
}

// The code point at i (a lone surrogate stands for itself), and where the next one starts.
function codeAt(text, i) {
  const c = text.charCodeAt(i);
  if (c >= 0xd800 && c <= 0xdbff && i + 1 < text.length) {
    const d = text.charCodeAt(i + 1);
    if (d >= 0xdc00 && d <= 0xdfff) return (c - 0xd800) * 0x400 + (d - 0xdc00) + 0x10000;
  }
  return c;
}
const widthOf = (code) => (code > 0xffff ? 2 : 1);

// Whether any code point of the text has (or, with `lacks`, has not) the flag.
function anyWith(text, bit, lacks = false) {
  const f = flagsOf();
  for (let i = 0; i < text.length; ) {
    const code = codeAt(text, i);
    if (((f[code] & bit) === 0) === lacks) return true;
    i += widthOf(code);
  }
  return false;
}

// The text without the code points that have the flag.
function without(text, bit) {
  if (!anyWith(text, bit)) return text;
  const f = flagsOf();
  let kept = '';
  for (let i = 0; i < text.length; ) {
    const code = codeAt(text, i);
    const width = widthOf(code);
    if ((f[code] & bit) === 0) kept += text.slice(i, i + width);
    i += width;
  }
  return kept;
}

// The text with the code points that have the flag taken off both ends.
function trimmed(text, bit) {
  const f = flagsOf();
  let begin = 0;
  let end = text.length;
  while (begin < end) {
    const code = codeAt(text, begin);
    if ((f[code] & bit) === 0) break;
    begin += widthOf(code);
  }
  while (end > begin) {
    const low = text.charCodeAt(end - 1);
    const pair = low >= 0xdc00 && low <= 0xdfff && end - 2 >= begin ? codeAt(text, end - 2) : -1;
    const code = pair > 0xffff ? pair : low;
    if ((f[code] & bit) === 0) break;
    end -= widthOf(code);
  }
  return text.slice(begin, end);
}

// A code point Unicode 14 does not assign, half a surrogate pair, or a control character other
// than white space (the first rule refused every control character).
export function hasUnusable(text, rule = RULE_V2) {
  return anyWith(text, USABLE, true) || (rule === RULE_V1 && anyWith(text, V1_CONTROL));
}

// Besides: format characters and line or paragraph separators, which could pass for other lines.
export function unusableInLabel(label, rule = RULE_V2) {
  return hasUnusable(label, rule) || anyWith(label, IN_LABEL);
}

// NFC, the blanks at both ends taken off, every run of white space inside made one blank.
export function canonicalEntry(entry, rule = RULE_V2) {
  const nfc = entry.normalize('NFC');
  if (rule === RULE_V1) return trimmed(nfc, V1_TRIMMED);
  const inner = trimmed(nfc, BLANK);
  const f = flagsOf();
  // most names hold no white space but single blanks: nothing to make one
  let plain = true;
  for (let i = 0; i < inner.length && plain; ++i) {
    const c = inner.charCodeAt(i);
    if ((f[c] & WHITE_SPACE) !== 0) plain = c === 0x20 && inner.charCodeAt(i - 1) !== 0x20 && (f[inner.charCodeAt(i - 1)] & WHITE_SPACE) === 0;
  }
  if (plain) return inner;
  let made = '';
  let inSpace = false;
  for (let i = 0; i < inner.length; ) {
    const code = codeAt(inner, i);
    const width = widthOf(code);
    const space = (f[code] & WHITE_SPACE) !== 0;
    if (!space) made += inner.slice(i, i + width);
    else if (!inSpace) made += ' ';
    inSpace = space;
    i += width;
  }
  return made;
}

// The entry as people read it: NFKC without what shows nothing, then its confusable skeleton
// (UTS #39 prototypes without Hangul's jamo). Two entries with one key read the same.
export function lookAlikeKey(entry, rule = RULE_V2, nfkc = null) {
  const shown = nfkc ?? entry.normalize('NFKC');
  if (rule === RULE_V1) return without(shown, V1_UNSEEN);
  const decomposed = without(shown, BLANK).normalize('NFD');
  if (!anyWith(decomposed, PROTOTYPED)) return decomposed;
  const map = prototypesOf();
  let mapped = '';
  for (let i = 0; i < decomposed.length; ) {
    const code = codeAt(decomposed, i);
    const width = widthOf(code);
    mapped += map.get(code) ?? decomposed.slice(i, i + width);
    i += width;
  }
  return mapped.normalize('NFD');
}

// A text as people read it, its lines and blanks kept: NFKC, without what shows nothing but is no
// white space. A post's codes are looked for in this.
export function asShown(text) {
  const shown = text.normalize('NFKC');
  if (!anyWith(shown, BLANK)) return shown;
  const f = flagsOf();
  let kept = '';
  for (let i = 0; i < shown.length; ) {
    const code = codeAt(shown, i);
    const width = widthOf(code);
    if ((f[code] & (BLANK | WHITE_SPACE)) !== BLANK) kept += shown.slice(i, i + width);
    i += width;
  }
  return kept;
}

// The entry with what does not show made visible, each such code point written <U+XXXX>: for the
// messages that name entries.
export function plainly(entry) {
  const f = flagsOf();
  let text = '';
  for (let i = 0; i < entry.length; ) {
    const code = codeAt(entry, i);
    const width = widthOf(code);
    const hidden = code !== 0x20 && ((f[code] & USABLE) === 0 || (f[code] & BLANK) !== 0);
    text += hidden ? `<U+${code.toString(16).toUpperCase().padStart(4, '0')}>` : entry.slice(i, i + width);
    i += width;
  }
  return text;
}

export function whiteSpaceOnly(text) {
  return !anyWith(text, WHITE_SPACE, true);
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
  const list = { entries: [], tooLong: [], unusable: [], repeated: [], lookAlike: [], overLength: false };
  let shown = 0;
  for (const entry of drawList) {
    if (whiteSpaceOnly(entry)) continue;
    if (tooLong(entry)) {
      list.tooLong.push(entry);
      continue;
    }
    const canonical = hasUnusable(entry) ? '' : canonicalEntry(entry);
    const nfkc = canonical.normalize('NFKC');
    shown += codePointCount(nfkc);
    if (shown > MAX_SHOWN) {
      list.overLength = true;
      list.ok = false;
      return list;
    }
    // NFC lengthens a few code points (U+0958 is two): the files hold the canonical form
    if (tooLong(canonical)) {
      list.tooLong.push(entry);
      continue;
    }
    const key = canonical ? lookAlikeKey(canonical, RULE_V2, nfkc) : '';
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
