// The check of a draw as entrants have it, as the program's "추첨 결과 검증…" makes it
// (core/DrawVerification.cpp, publicdraw/PublicDrawCommands.cpp): a result (file or post) against
// the announcement (file or post), the round's signature included; an announcement alone; and an
// entrant's own name looked for in the list that was checked.
import { roundSignatureValid, signatureRefused } from './bls.js';
import { Failed, isDrawFile, parseAnnouncement, verifyResult } from './files.js';
import { TOO_LONG_FOR_A_POST, readAnnouncementPost, readResultPost, splitLines } from './posts.js';
import {
  CHAIN,
  announcementCode,
  drawTickets,
  koreanTime,
  prizesText,
  rankName,
  seed,
  sha256Hex,
  winnerRanks,
} from './rule.js';
import { hexToBytes } from '@noble/hashes/utils.js';
import {
  MAX_POST,
  RULE_V2,
  asShown,
  canonicalEntry,
  codePointCount,
  hasUnusable,
  lookAlikeKey,
  plainly,
  tooLong,
} from './text.js';

const NOT_ANNOUNCED = '이 결과는 예고한 추첨이 아닙니다. ';
const NEEDS_LIST = '결과문만으로 확인하려면 참가자 목록이 있는 예고(예고문이나 예고 파일)가 필요합니다.';

// Whether an announcement's terms are the result's; if not, which differ.
function termsDiffer(then, terms) {
  if (announcementCode(then) === announcementCode(terms)) return null;
  const differs = [];
  const compare = (what, announced, drawn) => {
    if (announced !== drawn) differs.push(`${what}(예고: ${announced}, 결과: ${drawn})`);
  };
  compare('추첨 이름', then.label, terms.label);
  compare('참가자 목록의 SHA-256', then.f, terms.f);
  compare('참가자 수', String(then.n), String(terms.n));
  compare('당첨자 수', String(then.k), String(terms.k));
  compare('예비 당첨자 수', String(then.r), String(terms.r));
  compare('라운드', String(then.round), String(terms.round));
  compare('등수별 당첨자', prizesText(then.prizes), prizesText(terms.prizes));
  compare('규칙', then.rule, terms.rule);
  return NOT_ANNOUNCED + '예고와 다른 값: ' + differs.join(', ');
}

// The codes a text shows besides the list's SHA-256 and the chain's hash, read as people read it
// (NFKC, invisible characters taken out), so that no second code hides in full-width digits or
// behind a zero-width space; the lines of a posted list are entries, not codes.
function codesIn(text, terms, listLines = null) {
  const kept = listLines
    ? splitLines(text).filter((_, i) => i + 1 < listLines[0] || i + 1 > listLines[1])
    : [text];
  const codes = new Set();
  // a run of exactly 64 hex digits, as a code stands between other characters
  for (const [run] of asShown(kept.join('\n') + '\n').matchAll(/[0-9A-Fa-f]+/g))
    if (run.length === 64) codes.add(run.toLowerCase());
  codes.delete(terms.f);
  codes.delete(CHAIN);
  return codes;
}

const severalCodes = (count) =>
  NOT_ANNOUNCED + `예고문에 예고 코드로 보이는 값이 ${count}개 있어, 어느 추첨을 예고했는지 알 수 없습니다.`;

// Whether an announcement as the entrants have it (the file, or the post as copied) announces
// these terms: null when it does, otherwise why not.
export function announcementProblem(announcement, terms) {
  const code = announcementCode(terms);
  if (isDrawFile(announcement)) {
    let file;
    try {
      file = parseAnnouncement(announcement);
    } catch (e) {
      if (e instanceof Failed) return `예고 파일이 올바르지 않습니다. ${e.message}`;
      throw e;
    }
    return termsDiffer(file.terms, terms);
  }
  if (codePointCount(announcement) > MAX_POST) return TOO_LONG_FOR_A_POST;
  let post;
  try {
    post = readAnnouncementPost(announcement);
  } catch (e) {
    if (e instanceof Failed) return e.message;
    throw e;
  }
  if (post) {
    // Today's post: its terms a line each, and perhaps its list. Nothing else in it may name
    // another draw.
    const differs = termsDiffer(post.terms, terms);
    if (differs) return differs;
    const codes = codesIn(announcement, terms, post.listLines ?? null);
    codes.delete(code);
    return codes.size ? severalCodes(codes.size + 1) : null;
  }
  // An older post, or any text: the code must stand in it, and no other code beside it (an
  // organiser who announced several could keep whichever the round favours).
  const codes = codesIn(announcement, terms);
  if (!codes.has(code)) return NOT_ANNOUNCED + `예고문에 이 결과의 예고 코드(${code})가 없습니다.`;
  return codes.size > 1 ? severalCodes(codes.size) : null;
}

// The winners and reserves as the rule draws them, each { ticket, entry, rank }.
function drawnTickets(terms, list, tickets) {
  const ranks = winnerRanks(terms.prizes, tickets.winners.length);
  return {
    winners: tickets.winners.map((t, i) => ({
      ticket: t,
      entry: list[t - 1],
      rank: terms.prizes.length ? rankName(terms.prizes, ranks[i]) : '',
    })),
    reserves: tickets.reserves.map((t) => ({ ticket: t, entry: list[t - 1], rank: '' })),
  };
}

const ticketText = (i, t) => `${i + 1}. ${t.entry} (추첨 번호 ${t.ticket}${t.rank ? ', ' + t.rank : ''})`;

// A result post against the announcement it names (with its list): every winner and reserve as
// the rule draws them from its round, the round's signature drand's own. Null when all hold.
export function postedResultProblem(posted, announced) {
  const { terms, list } = announced;
  const code = announcementCode(terms);
  if (posted.code !== code)
    return NOT_ANNOUNCED + `결과문의 예고 코드(${posted.code})가 예고의 예고 코드(${code})와 다릅니다.`;
  if (posted.round !== terms.round) return `결과문의 라운드(${posted.round})가 예고한 라운드(${terms.round})가 아닙니다.`;
  const signature = hexToBytes(posted.signature);
  if (!roundSignatureValid(terms.round, signature)) return signatureRefused(terms.round);
  const tickets = drawTickets(seed(terms, sha256Hex(signature)), terms.n, terms.k, terms.r);
  const drawn = drawnTickets(terms, list, tickets);
  for (const [who, said, rule] of [
    ['당첨자', posted.winners, drawn.winners],
    ['예비 당첨자', posted.reserves, drawn.reserves],
  ]) {
    for (let i = 0; i < Math.max(said.length, rule.length); ++i) {
      const s = said[i];
      const t = rule[i];
      if (s && t && s.ticket === t.ticket && s.entry === t.entry && s.rank === t.rank) continue;
      if (!t) return `결과문에 ${who}이(가) 규칙으로 뽑힌 수보다 많습니다.`;
      return `결과문의 ${who} ${i + 1}번째가 규칙으로 계산한 값('${ticketText(i, t)}')과 다릅니다.`;
    }
  }
  return null;
}

// The announcement with its list, from an announcement file or a post that carries it.
function announcedWithList(announcement) {
  if (isDrawFile(announcement)) {
    try {
      return parseAnnouncement(announcement);
    } catch (e) {
      if (e instanceof Failed) throw new Failed(`예고 파일이 올바르지 않습니다. ${e.message}`);
      throw e;
    }
  }
  const post = readAnnouncementPost(announcement);
  if (!post || !post.list) throw new Failed(NEEDS_LIST);
  return post;
}

// A result post checked against the announcement as the entrants have it: the draw it names.
export function verifyPostedResult(posted, announcement) {
  const announced = announcedWithList(announcement);
  const problem = postedResultProblem(posted, announced);
  if (problem) throw new Failed(problem);
  const { terms, list } = announced;
  const tickets = drawTickets(seed(terms, sha256Hex(hexToBytes(posted.signature))), terms.n, terms.k, terms.r);
  return { terms: { ...terms, code: announcementCode(terms) }, list, tickets, signature: posted.signature };
}

// A draw of the first rule was read by that rule; its list may still hold entries that today's
// rule takes for one person (the first rule let blanks such as U+2800 through): those entries, by
// the groups they form. None for a draw of today's rule.
export function readAlikeToday(terms, list) {
  if (terms.rule === RULE_V2) return [];
  const groups = new Map();
  for (const entry of list) {
    const canonical = hasUnusable(entry) ? entry : canonicalEntry(entry);
    const key = canonical ? lookAlikeKey(canonical) : entry;
    if (!groups.has(key)) groups.set(key, []);
    groups.get(key).push(entry);
  }
  return [...groups.values()].filter((group) => group.length > 1);
}

// What is said of such a draw: not a failure, since it is what its rule gives, and not a success.
export function readAlikeTodayText(groups) {
  const named = groups
    .slice(0, 5)
    .map((group) => group.map((entry) => `"${plainly(entry)}"`).join(', '))
    .join(' / ');
  return (
    '이 결과는 예전 규칙(tombolix-draw-v1)으로 만들어졌고 그 규칙대로 뽑혔습니다. 그러나 목록에 지금 규칙으로는 ' +
    `한 사람으로 보는 항목이 있어, 한 사람이 여러 번 들어갔을 수 있습니다: ${named}` +
    (groups.length > 5 ? ` 외 ${groups.length - 5}묶음` : '')
  );
}

// --- What is shown ---

export function postedBeforeRound(terms) {
  return (
    `※라운드 ${terms.round}은(는) ${koreanTime(terms.round)}(한국 시간)에 공개되었습니다. 예고문이 그보다 먼저 ` +
    '게시되었고 그 뒤에 고쳐지지 않았는지 게시글에서 꼭 확인하세요. 그 뒤에 올린 예고라면 진행자가 당첨자를 고를 수 있었습니다.'
  );
}

export function termsLines(terms) {
  const lines = [
    `추첨 이름 : ${terms.label}`,
    `예고 코드(announcement_sha256) : ${announcementCode(terms)}`,
    `참가자 목록의 SHA-256 : ${terms.f}`,
    `참가자 ${terms.n}명, 당첨자 ${terms.k}명, 예비 당첨자 ${terms.r}명`,
    `공개 난수 : drand quicknet 라운드 ${terms.round} (${koreanTime(terms.round)}, 한국 시간)`,
  ];
  if (terms.prizes.length) lines.push(`등수별 당첨자 : ${prizesText(terms.prizes)}`);
  return lines;
}

const drawnSentence = (terms) =>
  `${terms.label} : 참가자 ${terms.n}명 중 당첨자 ${terms.k}명, 예비 당첨자 ${terms.r}명이 규칙대로 뽑혔습니다.`;
const roundChecked = (terms) => `라운드 ${terms.round}의 signature를 drand quicknet의 공개 키로 확인했습니다.`;

const failure = (problem) => ({ outcome: 'failure', lines: ['검증 실패', problem] });

function failedWith(work) {
  try {
    return work();
  } catch (e) {
    if (e instanceof Failed) return failure(e.message);
    throw e;
  }
}

// An outcome: { outcome: 'success' | 'failure' | 'incomplete' | 'announced', lines (the first
// the outcome's name), and, where a list was read and holds, draw: { terms, list, winners,
// reserves } (winners and reserves as { ticket, entry, rank }; none for an announcement alone) }.
export function check(resultText, announcementText) {
  const result = resultText.trim() ? resultText : '';
  const announcement = announcementText.trim() ? announcementText : '';
  if (!result && !announcement)
    return { outcome: 'empty', lines: ['추첨 결과나 예고를 붙여넣거나 파일을 열어주세요.'] };
  if (!result) return failedWith(() => checkAnnouncement(announcement));
  return failedWith(() => checkResult(result, announcement));
}

function checkResult(result, announcement) {
  // A result post (what entrants have) is checked against the announcement's list; a result file
  // holds its own list. The round by its own signature: no relay is asked or trusted.
  let verified;
  if (isDrawFile(result)) {
    verified = verifyResult(result);
  } else {
    const posted = readResultPost(result);
    if (!posted) verifyResult(result); // neither: says why it is not a result file
    if (!announcement) return { outcome: 'incomplete', lines: ['검증 미완료', NEEDS_LIST] };
    verified = verifyPostedResult(posted, announcement);
  }
  const { terms, list, tickets } = verified;
  const draw = { terms, list, ...drawnTickets(terms, list, tickets) };
  // a draw of the first rule whose list today's rule takes for one person twice: what its rule
  // gives, so no failure, but no success either
  const alike = readAlikeToday(terms, list);
  if (announcement) {
    const problem = announcementProblem(announcement, terms);
    if (problem) return failure(problem);
    if (alike.length)
      return {
        outcome: 'incomplete',
        lines: ['검증 미완료', drawnSentence(terms), readAlikeTodayText(alike), roundChecked(terms)],
        draw,
      };
    return {
      outcome: 'success',
      lines: [
        '검증 성공',
        drawnSentence(terms),
        '예고에 이 결과의 예고 코드가 있어, 예고한 그대로의 추첨입니다.',
        roundChecked(terms),
        postedBeforeRound(terms),
      ],
      draw,
    };
  }
  return {
    outcome: 'incomplete',
    lines: [
      '검증 미완료',
      '결과 파일의 당첨자와 예비 당첨자는 파일에 적힌 목록과 라운드로 규칙대로 계산되어 있고, ' + roundChecked(terms),
      '그러나 이 결과는 어떤 예고와도 비교하지 않았습니다. 아래 값이 추첨 전에 올린 예고와 같은지 직접 확인하세요.',
      ...(alike.length ? [readAlikeTodayText(alike)] : []),
      ...termsLines(terms),
    ],
    draw,
  };
}

// An announcement before the draw: its list's fingerprint and its code recomputed.
function checkAnnouncement(announcement) {
  let announced;
  if (isDrawFile(announcement)) {
    announced = announcedWithList(announcement);
  } else {
    announced = readAnnouncementPost(announcement);
    if (!announced)
      throw new Failed(
        '예고문을 찾을 수 없습니다. 게시글의 예고문("[Tombolix 공개 추첨 예고]"부터 "목록 끝"까지)이나 예고 파일을 붙여넣어 주세요. ' +
          '예고 코드만 있는 예전 예고문은 추첨 결과와 함께 확인할 수 있습니다.',
      );
  }
  const { terms, list } = announced;
  const time = `라운드 ${terms.round}의 공개 시각은 ${koreanTime(terms.round)}(한국 시간)입니다. 이 예고가 그보다 먼저 게시되었고 그 뒤에 고쳐지지 않았는지 게시글에서 꼭 확인하세요.`;
  if (!list)
    return {
      outcome: 'incomplete',
      lines: [
        '검증 미완료',
        `예고문의 값으로 계산한 예고 코드가 예고문에 적힌 것과 같습니다. 그러나 참가자 목록(${terms.n}명)은 이 글에 없어 참가자 목록의 SHA-256은 확인하지 않았습니다. 함께 올린 예고 파일(…_Tombolix_Announce.txt)로 확인하세요.`,
        ...termsLines(terms),
        time,
      ],
    };
  return {
    outcome: 'announced',
    lines: [
      '예고 확인',
      `참가자 목록(${terms.n}명)으로 계산한 SHA-256과 예고의 값으로 계산한 예고 코드가 예고에 적힌 그대로입니다. 추첨 뒤에는 결과문과 함께 확인하세요.`,
      ...termsLines(terms),
      time,
    ],
    draw: { terms, list, winners: [], reserves: [] },
  };
}

// An entrant's nickname looked for in the list that was checked, by the rule's canonical form and
// look-alike key (so a trailing blank or another normal form still finds it): { status: 'winner'
// | 'reserve' | 'entrant' | 'absent', ticket, entry, rank }.
export function findEntrant(draw, typed) {
  const rule = draw.terms.rule;
  const canonical = tooLong(typed) || hasUnusable(typed, rule) ? '' : canonicalEntry(typed, rule);
  const key = canonical ? lookAlikeKey(canonical, rule) : '';
  if (!key) return { status: 'absent' };
  if (!draw.keys) draw.keys = new Map(draw.list.map((entry, i) => [lookAlikeKey(entry, rule), i + 1]));
  const ticket = draw.keys.get(key);
  if (!ticket) return { status: 'absent' };
  const entry = draw.list[ticket - 1];
  const winner = draw.winners.findIndex((t) => t.ticket === ticket);
  if (winner >= 0) return { status: 'winner', ticket, entry, place: winner + 1, rank: draw.winners[winner].rank };
  const reserve = draw.reserves.findIndex((t) => t.ticket === ticket);
  if (reserve >= 0) return { status: 'reserve', ticket, entry, place: reserve + 1 };
  return { status: 'entrant', ticket, entry };
}
