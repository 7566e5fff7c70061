// The two posts the organiser pastes on the site (core/DrawPosts.h), read back as a browser
// renders and copies them: each line made canonical as entries are, the empty ones left out (the
// site may add or drop blank lines and trailing blanks, collapse runs of blanks or turn them into
// no-break spaces, and end lines CR LF), so that a changed entry still fails while what the site
// does to blanks does not.
import { Failed, atLine, heldList, isLowerHex } from './files.js';
import { MAX_ENTRIES, MAX_ROUND, announcementCode, prizesProblem, termsProblem } from './rule.js';
import { MAX_POST, RULES, canonicalEntry, codePointCount, tooLong, unusableInLabel } from './text.js';

export const ANNOUNCEMENT_TITLE = '[Tombolix 공개 추첨 예고]';
export const RESULT_TITLE = '[Tombolix 공개 추첨 결과]';
export const CODE_KEY = '예고 코드(announcement_sha256) : ';
export const LIST_SHA_KEY = '참가자 목록의 SHA-256 : ';
export const ROUND_KEY = '공개 난수 : drand quicknet 라운드 ';
export const SIGNATURE_KEY = '라운드의 서명(signature) : ';
export const LIST_END = '목록 끝';
export const RESERVES_HEADING = '예비 당첨자 (당첨자와 연락되지 않을 때 차례로)';
export const listHeading = (count) => `참가자 목록 (${count}명, 추첨 번호 순)`;

export const splitLines = (text) => text.split(/\r\n|\r|\n/);
export const TOO_LONG_FOR_A_POST = `게시글로 보기에는 너무 깁니다(${MAX_POST}자 넘게). 게시글의 예고문이나 결과문이 아닙니다.`;

// A post's lines as read, each with its number in the text, read in turn from after its title.
class PostLines {
  constructor(text, title) {
    this.lines = [];
    splitLines(text).forEach((line, i) => {
      const read = canonicalEntry(line);
      if (read) this.lines.push([i + 1, read]);
    });
    const titles = [];
    this.lines.forEach(([, line], i) => line.startsWith(title) && titles.push(i));
    this.found = titles.length;
    this.at = titles.length ? titles[0] + 1 : 0;
  }
  lineNumber() {
    return this.at > 0 ? this.lines[this.at - 1][0] : 1;
  }
  atEnd() {
    return this.at >= this.lines.length;
  }
  peek() {
    return this.lines[this.at][1];
  }
  nextIf(begins) {
    if (this.atEnd() || !this.peek().startsWith(begins)) return null;
    return this.lines[this.at++][1].slice(begins.length);
  }
  next(begins) {
    const value = this.nextIf(begins);
    if (value !== null) return value;
    const line = this.atEnd() ? (this.lines.length ? this.lines.at(-1)[0] : 1) : this.lines[this.at][0];
    throw new Failed(atLine(line, `'${begins.trim()}' 줄이 있어야 합니다.`));
  }
  // "12명" and the like: a number and its unit; or, with no unit, a number the line goes on from
  // after a blank ("42 (2023-08-24 00:11:30, 한국 시간에 공개)").
  number(begins, unit) {
    const value = this.next(begins);
    const number = unit ? (value.endsWith(unit) ? value.slice(0, -unit.length) : '') : value.split(' ')[0];
    if (!/^(0|[1-9][0-9]{0,18})$/.test(number))
      throw new Failed(atLine(this.lineNumber(), `${begins.trim()}의 수가 올바르지 않습니다.`));
    return Number(number);
  }
  hex(begins, digits, what) {
    const value = this.next(begins);
    const lower = value.slice(0, digits).toLowerCase();
    if (!isLowerHex(lower, digits) || (value.length > digits && value[digits] !== ' '))
      throw new Failed(atLine(this.lineNumber(), `${what}이(가) 16진수 ${digits}자리가 아닙니다.`));
    return lower;
  }
}

// The terms of an announcement post as copied from the site, with its list (list: null when the
// post does not carry it); null when the text holds no announcement post of today's form (none
// at all, or one of the first rule's days, which carries the code alone).
export function readAnnouncementPost(text) {
  if (codePointCount(text) > MAX_POST) throw new Failed(TOO_LONG_FOR_A_POST);
  const post = new PostLines(text, ANNOUNCEMENT_TITLE);
  if (post.found === 0) return null;
  if (post.found > 1) throw new Failed('예고문이 둘 이상 들어 있어, 어느 추첨을 예고했는지 알 수 없습니다.');
  if (post.atEnd() || !post.peek().startsWith('규칙 : ')) return null;
  const terms = {};
  let code;
  let reservesLine;
  try {
    terms.rule = post.next('규칙 : ');
    if (!RULES.includes(terms.rule)) throw new Failed(atLine(post.lineNumber(), '알 수 없는 규칙입니다.'));
    terms.label = post.next('추첨 이름 : ');
    terms.n = post.number('참가자 : ', '명');
    terms.k = post.number('당첨자 : ', '명');
    terms.r = post.number('예비 당첨자 : ', '명');
    reservesLine = post.lineNumber();
    terms.prizes = [];
    for (;;) {
      const prize = post.nextIf(`${terms.prizes.length + 1}등 : `);
      if (prize === null) break;
      const match = /^([0-9]{1,5})명 (.+)$/.exec(prize);
      if (!match) throw new Failed(atLine(post.lineNumber(), "등수별 당첨자는 '1등 : 1명 치킨'처럼 적혀 있어야 합니다."));
      terms.prizes.push([Number(match[1]), match[2]]);
    }
    terms.f = post.hex(LIST_SHA_KEY, 64, '참가자 목록의 SHA-256');
    terms.round = post.number(ROUND_KEY, null);
    post.nextIf('https://'); // the round's address, for the eye
    code = post.hex(CODE_KEY, 64, '예고 코드');
  } catch (e) {
    if (e instanceof Failed) throw new Failed(`예고문을 읽을 수 없습니다. ${e.message}`);
    throw e;
  }
  const clamp = (n) => Math.min(n, MAX_ENTRIES + 1);
  let wrong = null;
  if (terms.round < 1 || terms.round > MAX_ROUND) wrong = `라운드 번호는 1 이상 ${MAX_ROUND} 이하여야 합니다.`;
  else if (tooLong(terms.label) || unusableInLabel(terms.label) || canonicalEntry(terms.label) !== terms.label)
    wrong = '추첨 이름에 쓸 수 없는 문자가 있습니다.';
  else wrong = termsProblem(clamp(terms.n), clamp(terms.k), clamp(terms.r)) ?? prizesProblem(terms.prizes, terms.k);
  if (!wrong && announcementCode(terms) !== code)
    wrong = `예고문의 값으로 계산한 예고 코드(${announcementCode(terms)})가 예고문에 적힌 예고 코드와 다릅니다. 예고문이 바뀌었습니다.`;
  if (wrong) throw new Failed('예고문을 읽을 수 없습니다. ' + atLine(reservesLine, wrong));
  terms.code = code;

  // the list, where the post carries it
  while (!post.atEnd() && post.nextIf(listHeading(terms.n)) === null) post.nextIf('');
  if (post.atEnd()) return { terms, list: null };
  const listFrom = post.lineNumber(); // the heading's line, in the text
  const entries = [];
  const lines = [];
  try {
    while (post.nextIf(LIST_END) === null) {
      if (post.atEnd()) throw new Failed(atLine(post.lineNumber(), "'목록 끝' 줄이 없습니다. 목록이 잘렸습니다."));
      const entry = post.next(`${entries.length + 1}. `);
      if (entries.length >= terms.n) throw new Failed(atLine(post.lineNumber(), '목록의 항목이 참가자 수보다 많습니다.'));
      entries.push(entry);
      lines.push(post.lineNumber());
    }
    const sha = heldList(entries, lines, terms.rule);
    if (entries.length !== terms.n) throw new Failed(atLine(post.lineNumber(), `목록의 항목은 ${entries.length}개입니다.`));
    if (sha !== terms.f)
      throw new Failed('예고문의 참가자 목록이 참가자 목록의 SHA-256과 다릅니다. 목록이 바뀌었습니다.');
  } catch (e) {
    if (e instanceof Failed) throw new Failed(`예고문의 참가자 목록을 읽을 수 없습니다. ${e.message}`);
    throw e;
  }
  // the lines of the list, its heading and its end included: entries, not codes
  return { terms, list: entries, listLines: [listFrom, post.lineNumber()] };
}

// What a result post as copied from the site says was drawn, and by which round; null when the
// text holds no result post.
export function readResultPost(text) {
  if (codePointCount(text) > MAX_POST) throw new Failed(TOO_LONG_FOR_A_POST);
  const post = new PostLines(text, RESULT_TITLE);
  if (post.found === 0) return null;
  if (post.found > 1) throw new Failed('결과문이 둘 이상 들어 있습니다.');
  const tickets = () => {
    const read = [];
    for (;;) {
      const line = post.nextIf(`${read.length + 1}. `);
      if (line === null) return read;
      const match = /^([\s\S]*) \(추첨 번호 ([0-9]{1,5})(?:, ([\s\S]*))?\)$/.exec(line);
      if (!match) throw new Failed(atLine(post.lineNumber(), "'1. 홍길동 (추첨 번호 3)'처럼 적혀 있어야 합니다."));
      read.push({ ticket: Number(match[2]), entry: match[1], rank: match[3] ?? '' });
    }
  };
  try {
    post.next('당첨자');
    const posted = { winners: tickets(), reserves: [] };
    if (post.nextIf(RESERVES_HEADING) !== null) posted.reserves = tickets();
    posted.code = post.hex(CODE_KEY, 64, '예고 코드');
    post.nextIf(LIST_SHA_KEY);
    posted.round = post.number(ROUND_KEY, null);
    posted.signature = post.hex(SIGNATURE_KEY, 96, '라운드의 서명');
    return posted;
  } catch (e) {
    if (e instanceof Failed) throw new Failed(`결과문을 읽을 수 없습니다. ${e.message}`);
    throw e;
  }
}
