// The public draw's two files, as the program writes them (core/DrawFiles.h): a header of
// "key=value" lines (the first line the rule's name), a blank line, then the canonical list, one
// entry a line, every line ending "\n", in UTF-8. Read here line by line as the program and
// tools/verify-draw.py read them; a problem names its line, in the program's words.
import { roundSignatureValid, signatureRefused } from './bls.js';
import {
  CHAIN,
  MAX_ENTRIES,
  MAX_ROUND,
  announcementCode,
  drawTickets,
  fileTime,
  listSha256,
  prizesProblem,
  seed,
  sha256Hex,
  termsProblem,
} from './rule.js';
import { bytesToHex, hexToBytes } from '@noble/hashes/utils.js';
import {
  MAX_SHOWN,
  RULES,
  RULE_V1,
  RULE_V2,
  canonicalEntry,
  codePointCount,
  compareUtf8,
  hasUnusable,
  lookAlikeKey,
  tooLong,
  unusableInLabel,
} from './text.js';

// What makes a check fail: its text is shown as it is.
export class Failed extends Error {}

export const MAX_FILE_BYTES = 64 * 1024 * 1024; // the program's own limit
export const RELAY_NAMES = ['api.drand.sh', 'drand.cloudflare.com'];
export const PASTED = 'pasted';

export const atLine = (line, what) => `${line}번째 줄: ${what}`;

// A file's bytes as UTF-8, its byte-order mark kept for splitFile to take off; null when the
// bytes are not UTF-8.
export function decodeDrawFile(bytes) {
  try {
    return new TextDecoder('utf-8', { fatal: true, ignoreBOM: true }).decode(bytes);
  } catch {
    return null;
  }
}

export const isLowerHex = (text, digits) => text.length === digits && /^[0-9a-f]*$/.test(text);

// A whole number as the rule writes it: decimal digits, no sign, no leading zero, at most 19
// digits. Past 2^53 the value is near enough: every bound it meets is far below.
export function plainNumber(text) {
  return /^(0|[1-9][0-9]{0,18})$/.test(text) ? Number(text) : null;
}

// The file cut into its header (line number, key, value) and its list; the last one is kept, as
// a check asks first whether a text is a file, then reads it.
let lastSplit = null;
export function splitFile(text) {
  if (lastSplit?.text !== text) lastSplit = { text, file: cutFile(text) };
  return lastSplit.file;
}

function cutFile(text) {
  let newlines = 0;
  for (let at = text.indexOf('\n'); at >= 0; at = text.indexOf('\n', at + 1))
    if (++newlines > 3 * MAX_ENTRIES + 16) throw new Failed('파일의 줄이 너무 많습니다. 공개 추첨의 파일이 아닙니다.');
  if (text.startsWith('\uFEFF')) text = text.slice(1);
  const lines = text.replaceAll('\r\n', '\n').split('\n');
  if (!RULES.includes(lines[0]))
    throw new Failed(atLine(1, `공개 추첨의 파일('${RULE_V2}'나 그 전의 '${RULE_V1}'로 시작하는 파일)이 아닙니다.`));
  if (lines.at(-1) !== '')
    throw new Failed(atLine(lines.length, '줄이 줄바꿈으로 끝나지 않습니다. 파일이 잘렸거나 바뀌었습니다.'));
  lines.pop();
  const header = [];
  let i = 1;
  for (; i < lines.length && lines[i] !== ''; ++i) {
    const equals = lines[i].indexOf('=');
    if (equals <= 0) throw new Failed(atLine(i + 1, "'이름=값' 형식이 아닙니다."));
    header.push([i + 1, lines[i].slice(0, equals), lines[i].slice(equals + 1)]);
  }
  if (i >= lines.length) throw new Failed(atLine(i + 1, '목록 앞의 빈 줄이 없습니다.'));
  return { rule: lines[0], header, list: lines.slice(i + 1), firstListLine: i + 2 };
}

export function isDrawFile(text) {
  try {
    splitFile(text);
    return true;
  } catch (e) {
    if (e instanceof Failed) return false;
    throw e;
  }
}

// The header's lines, read in the order given.
class Header {
  constructor(file) {
    this.lines = file.header;
    this.at = 0;
  }
  nextLine() {
    if (this.at < this.lines.length) return this.lines[this.at][0];
    return this.lines.length ? this.lines.at(-1)[0] + 1 : 2;
  }
  lineNumber() {
    return this.lines[this.at - 1][0];
  }
  atEnd() {
    return this.at >= this.lines.length;
  }
  next(key) {
    if (this.atEnd()) throw new Failed(atLine(this.nextLine(), `'${key}=' 줄이 있어야 합니다.`));
    const [number, found, value] = this.lines[this.at];
    if (found !== key) throw new Failed(atLine(number, `'${key}=' 줄이 있어야 할 자리에 '${found}='이(가) 있습니다.`));
    ++this.at;
    return value;
  }
  nextIf(key) {
    return !this.atEnd() && this.lines[this.at][1] === key ? this.next(key) : null;
  }
  number(key) {
    const value = plainNumber(this.next(key));
    if (value === null) throw new Failed(atLine(this.lineNumber(), `${key}은(는) 0 이상의 정수여야 합니다.`));
    return value;
  }
  hex(key, digits) {
    const value = this.next(key);
    if (!isLowerHex(value, digits))
      throw new Failed(atLine(this.lineNumber(), `${key}은(는) 16진수(소문자) ${digits}자리여야 합니다.`));
    return value;
  }
}

// Fails unless the list is as the rule writes it: every entry canonical, none reading the same as
// another, in UTF-8 order (`lines`: the line of each entry).
export function listProblem(entries, lines, rule) {
  if (entries.length > MAX_ENTRIES)
    throw new Failed(atLine(lines.length ? lines[0] : 1, `목록의 항목이 ${MAX_ENTRIES}개를 넘습니다.`));
  const lineOfKey = new Map();
  let shown = 0;
  entries.forEach((entry, i) => {
    const line = lines[i];
    const wrong = atLine(line, '목록의 항목이 정해진 형태가 아닙니다.');
    if (!entry || tooLong(entry) || hasUnusable(entry, rule) || canonicalEntry(entry, rule) !== entry)
      throw new Failed(wrong);
    const nfkc = entry.normalize('NFKC');
    shown += codePointCount(nfkc);
    if (shown > MAX_SHOWN)
      throw new Failed(atLine(line, `목록이 너무 깁니다. 보기에 모두 ${MAX_SHOWN}자를 넘습니다. 공개 추첨의 목록이 아닙니다.`));
    const key = lookAlikeKey(entry, rule, nfkc);
    if (!key) throw new Failed(wrong);
    if (lineOfKey.has(key))
      throw new Failed(atLine(line, `목록의 항목이 ${lineOfKey.get(key)}번째 줄의 항목과 보기에 같습니다.`));
    lineOfKey.set(key, line);
    if (i > 0 && !(compareUtf8(entries[i - 1], entry) < 0))
      throw new Failed(atLine(line, `목록의 항목이 ${lines[i - 1]}번째 줄의 항목보다 UTF-8 순서로 앞서거나 같습니다.`));
  });
}

// The list's SHA-256, once listProblem found nothing wrong with it. A list that held is known by
// its SHA-256 (its entries hold no line end, so the hashed text is the list): the result and the
// announcement of a draw hold the same one, which is read through once.
const listsHeld = new Set();
export function heldList(entries, lines, rule) {
  const sha = listSha256(entries);
  const known = `${rule} ${entries.length} ${sha}`;
  if (!listsHeld.has(known)) {
    listProblem(entries, lines, rule);
    if (listsHeld.size >= 16) listsHeld.clear();
    listsHeld.add(known);
  }
  return sha;
}

export function canonicalLabel(label, rule) {
  if (rule === RULE_V1) return !unusableInLabel(label, rule) && canonicalEntry(label, rule) === label;
  return label !== '' && !tooLong(label) && !unusableInLabel(label, rule) && canonicalEntry(label, rule) === label;
}

// "prize.<i>=<count>\t<name>" from 1 in turn, after the label (none by the first rule).
function readPrizes(header, rule) {
  const prizes = [];
  while (rule !== RULE_V1) {
    const key = `prize.${prizes.length + 1}`;
    const value = header.nextIf(key);
    if (value === null) break;
    const tab = value.indexOf('\t');
    const count = tab < 0 ? null : plainNumber(value.slice(0, tab));
    if (count === null || count < 1 || count > MAX_ENTRIES)
      throw new Failed(atLine(header.lineNumber(), `${key}은(는) '당첨자 수<탭>상품 이름'이어야 합니다.`));
    prizes.push([count, value.slice(tab + 1)]);
  }
  return prizes;
}

// The announced part of either file: the terms in the seed's order (in a result file the
// randomness between the round and the label), the code, the round's time, and the list.
function readAnnounced(file, header, withRandomness) {
  const rule = file.rule;
  const terms = { rule };
  terms.f = header.hex('list_sha256', 64);
  const shaLine = header.lineNumber();
  terms.n = header.number('list_count');
  const countLine = header.lineNumber();
  terms.k = header.number('winners');
  terms.r = header.number('reserves');
  const reservesLine = header.lineNumber();
  if (header.next('beacon') !== 'drand:' + CHAIN)
    throw new Failed(atLine(header.lineNumber(), `공개 난수는 drand quicknet(drand:${CHAIN})이어야 합니다.`));
  terms.round = header.number('round');
  const roundLine = header.lineNumber();
  if (terms.round < 1 || terms.round > MAX_ROUND)
    throw new Failed(atLine(roundLine, `라운드 번호는 1 이상 ${MAX_ROUND} 이하여야 합니다.`));
  if (withRandomness) {
    terms.randomness = header.hex('randomness', 64);
    terms.randomnessLine = header.lineNumber();
  }
  terms.label = header.next('label');
  const labelLine = header.lineNumber();
  if (!canonicalLabel(terms.label, rule))
    throw new Failed(atLine(labelLine, '추첨 이름에 쓸 수 없는 문자가 있거나 정해진 형태가 아닙니다.'));
  terms.prizes = readPrizes(header, rule);
  const code = header.nextIf('announcement_sha256');
  const codeLine = code === null ? 0 : header.lineNumber();
  if (code !== null && !isLowerHex(code, 64))
    throw new Failed(atLine(codeLine, 'announcement_sha256은(는) 16진수(소문자) 64자리여야 합니다.'));
  if (header.next('round_time') !== fileTime(terms.round))
    throw new Failed(
      atLine(header.lineNumber(), `${roundLine}번째 줄의 라운드 ${terms.round}의 시각은 ${fileTime(terms.round)}입니다.`),
    );

  const entries = file.list;
  const sha = heldList(entries, entries.map((_, i) => file.firstListLine + i), rule);
  if (terms.n !== entries.length) throw new Failed(atLine(countLine, `목록의 항목은 ${entries.length}개입니다.`));
  if (terms.f !== sha)
    throw new Failed(atLine(shaLine, `목록(${file.firstListLine}번째 줄부터)의 SHA-256과 다릅니다.`));
  const impossible = termsProblem(terms.n, Math.min(terms.k, MAX_ENTRIES + 1), Math.min(terms.r, MAX_ENTRIES + 1));
  if (impossible) throw new Failed(atLine(reservesLine, impossible));
  const wrong = prizesProblem(terms.prizes, terms.k);
  if (wrong) throw new Failed(atLine(labelLine + 1, wrong));
  terms.code = announcementCode(terms);
  if (code !== null && code !== terms.code)
    throw new Failed(
      atLine(codeLine, `announcement_sha256이(가) 1–${codeLine - 1}번째 줄(randomness 줄 빼고)로 계산한 값(${terms.code})과 다릅니다.`),
    );
  return { terms, list: entries };
}

// An announcement file, checked whole: { terms, list }.
export function parseAnnouncement(text) {
  const file = splitFile(text);
  const header = new Header(file);
  const announced = readAnnounced(file, header, false);
  if (!header.atEnd()) throw new Failed(atLine(header.nextLine(), '예고 파일에 없어야 할 줄입니다.'));
  return announced;
}

// The lines a result file gives the draw: winners, with prizes the ranks, then reserves.
export function drawnLines(terms, tickets, list) {
  const lines = tickets.winners.map((t, i) => `winner.${i + 1}=${t}\t${list[t - 1]}`);
  let first = 1;
  terms.prizes.forEach(([count, name], p) => {
    lines.push(`rank.${p + 1}=${first}-${first + count - 1}\t${name}`);
    first += count;
  });
  return lines.concat(tickets.reserves.map((t, i) => `reserve.${i + 1}=${t}\t${list[t - 1]}`));
}

// A result file verified line by line against the rule, its round's signature checked against
// drand's public key last (the dearest check): { terms, list, tickets, signature, relays }.
export function verifyResult(text, relayNames = RELAY_NAMES) {
  const file = splitFile(text);
  const header = new Header(file);
  const { terms, list } = readAnnounced(file, header, true);
  const signature = header.hex('signature', 96);
  const signatureLine = header.lineNumber();
  const relays = header.next('relays');
  const relaysLine = header.lineNumber();
  const seedHex = header.hex('seed', 64);
  const seedLine = header.lineNumber();

  const count = (prefix) => file.header.filter(([, key]) => key.startsWith(prefix)).length;
  const winnerLines = count('winner.');
  if (winnerLines !== terms.k) throw new Failed(atLine(4, `winners=${terms.k}인데 당첨자 줄은 ${winnerLines}개입니다.`));
  const reserveLines = count('reserve.');
  if (reserveLines !== terms.r)
    throw new Failed(atLine(5, `reserves=${terms.r}인데 예비 당첨자 줄은 ${reserveLines}개입니다.`));
  const signatureBytes = hexToBytes(signature);
  if (sha256Hex(signatureBytes) !== terms.randomness)
    throw new Failed(atLine(terms.randomnessLine, `randomness가 ${signatureLine}번째 줄 signature의 SHA-256과 다릅니다.`));
  const named = relays.split(',');
  if (relays !== PASTED && !named.every((name) => relayNames.includes(name)))
    throw new Failed(atLine(relaysLine, '알 수 없는 공개 난수 서버가 있습니다.'));
  const seedBytes = seed(terms, terms.randomness);
  const expectedSeed = bytesToHex(seedBytes);
  if (seedHex !== expectedSeed)
    throw new Failed(
      atLine(seedLine, `seed가 1–${terms.randomnessLine + 1 + terms.prizes.length}번째 줄로 계산한 값(${expectedSeed})과 다릅니다.`),
    );

  const tickets = drawTickets(seedBytes, terms.n, terms.k, terms.r);
  for (const want of drawnLines(terms, tickets, list)) {
    const equals = want.indexOf('=');
    if (header.next(want.slice(0, equals)) !== want.slice(equals + 1))
      throw new Failed(atLine(header.lineNumber(), `규칙으로 계산한 값은 '${want.replaceAll('\t', ' ')}'입니다.`));
  }
  if (!header.atEnd()) throw new Failed(atLine(header.nextLine(), '결과 파일에 없어야 할 줄입니다.'));
  if (!roundSignatureValid(terms.round, signatureBytes)) throw new Failed(atLine(signatureLine, signatureRefused(terms.round)));
  return { terms, list, tickets, signature, relays: named };
}
