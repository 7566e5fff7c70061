// The page's readers of outside input (files, posts, pasted text) over random and mutated inputs:
// whatever comes in, the check answers with an outcome, never an exception, and in bounded time.
import assert from 'node:assert/strict';
import { existsSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { test } from 'node:test';
import { check, findEntrant } from '../src/check.js';

const OUTCOMES = ['success', 'failure', 'incomplete', 'announced', 'empty'];
const draws = process.env.TOMBOLIX_DRAWS;
const seeds = [];
for (const draw of ['honest', 'first-rule', 'plain'])
  for (const file of ['result.txt', 'announce.txt', 'post.txt', 'resultpost.txt'])
    if (draws && existsSync(join(draws, draw, file))) seeds.push(readFileSync(join(draws, draw, file), 'utf8'));

// a small deterministic generator: a failure can be run again
function random(seed) {
  let x = seed >>> 0 || 1;
  return (below) => {
    x ^= x << 13;
    x >>>= 0;
    x ^= x >>> 17;
    x ^= x << 5;
    x >>>= 0;
    return x % below;
  };
}

const TOKENS = ['tombolix-draw-v2\n', 'tombolix-draw-v1\n', '=', '\n', '\r\n', '\r', '\t', ' ', '\u00A0', '\u2028',
  'list_sha256=', 'list_count=', 'winners=', 'reserves=', 'round=', 'randomness=', 'label=', 'prize.1=', 'rank.1=',
  'winner.1=', 'reserve.1=', 'signature=', 'relays=', 'seed=', 'round_time=', 'announcement_sha256=', '0', '1', '42',
  '99999999999999999999', 'a'.repeat(64), 'f'.repeat(96), '[Tombolix 공개 추첨 예고]', '[Tombolix 공개 추첨 결과]',
  '규칙 : ', '추첨 이름 : ', '참가자 : ', '당첨자 : ', '예비 당첨자 : ', '1등 : ', '명', '참가자 목록의 SHA-256 : ',
  '공개 난수 : drand quicknet 라운드 ', '예고 코드(announcement_sha256) : ', '라운드의 서명(signature) : ',
  '참가자 목록 (3명, 추첨 번호 순)', '목록 끝', '1. ', ' (추첨 번호 3)', '홍길동', '\u1112\u1169\u11BC', '\uD800', '\uFEFF',
  '😀', '\u200B', '<img src=x onerror=alert(1)>', '\u{10781}', 'ＡＢ'];

function randomText(next) {
  let text = '';
  const n = next(60);
  for (let i = 0; i < n; ++i) text += next(4) ? TOKENS[next(TOKENS.length)] : String.fromCharCode(next(0x10000));
  return text;
}

function mutated(text, next) {
  const lines = text.split('\n');
  switch (next(6)) {
    case 0: { // a character changed
      const at = next(text.length + 1);
      return text.slice(0, at) + String.fromCharCode(next(0x3000)) + text.slice(at + 1);
    }
    case 1: // a line dropped
      lines.splice(next(lines.length), 1);
      return lines.join('\n');
    case 2: // a line twice
      lines.splice(next(lines.length), 0, lines[next(lines.length)]);
      return lines.join('\n');
    case 3: // a token put in
      lines.splice(next(lines.length), 0, TOKENS[next(TOKENS.length)]);
      return lines.join('\n');
    case 4: // two lines swapped
      {
        const a = next(lines.length);
        const b = next(lines.length);
        [lines[a], lines[b]] = [lines[b], lines[a]];
      }
      return lines.join('\n');
    default: // cut short
      return text.slice(0, next(text.length + 1));
  }
}

function checked(result, announcement) {
  const started = performance.now();
  const got = check(result, announcement);
  const ms = performance.now() - started;
  assert.ok(OUTCOMES.includes(got.outcome), JSON.stringify({ result, announcement }));
  assert.ok(got.lines.every((line) => typeof line === 'string'));
  assert.ok(ms < 5000, `${ms} ms: ${JSON.stringify({ result, announcement }).slice(0, 300)}`);
  if (got.draw) for (const typed of ['홍길동', result.slice(0, 20)]) findEntrant(got.draw, typed);
  return got;
}

test('random texts', () => {
  const next = random(20261211);
  for (let i = 0; i < 3000; ++i) checked(randomText(next), next(2) ? randomText(next) : '');
});

test('the program\'s files and posts, mutated', { skip: seeds.length ? false : 'TOMBOLIX_DRAWS names no folder of draws' }, () => {
  const next = random(20261212);
  let accepted = 0;
  for (let i = 0; i < 1500; ++i) {
    let text = seeds[next(seeds.length)];
    for (let m = 1 + next(3); m > 0; --m) text = mutated(text, next);
    const other = seeds[next(seeds.length)];
    const got = next(2) ? checked(text, other) : checked(other, text);
    if (got.outcome === 'success') ++accepted;
  }
  // most changes are refused, some (a blank in a post, a line of a post's prose) are not
  assert.ok(accepted < 1500);
});
