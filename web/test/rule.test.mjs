// The rule against the program's own test vectors (tests/test_publicdraw.cpp), and the numbers
// against a plain 64-bit computation.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { sha256 } from '@noble/hashes/sha2.js';
import {
  Numbers,
  announcementCode,
  drawTickets,
  fileTime,
  koreanTime,
  listSha256,
  rankName,
  seed,
  seedText,
  winnerRanks,
  MAX_ROUND,
} from '../src/rule.js';
import { canonicalList } from '../src/text.js';

const round42Randomness = '8ada64bae5c6c0f5540a6a13af56e663240edfbd2c76ac6a8f27671eb7259ce3';
const hex = (bytes) => Buffer.from(bytes).toString('hex');

test('the first test vector: list, seed, winners, both rules and prizes', () => {
  const typed = ['\uFEFF김철수', '이영희'.normalize('NFD'), '\u3000박민수 ', '', '김철수2', '최지우\u00A0', '정하늘'];
  const list = canonicalList(typed);
  assert.ok(list.ok);
  assert.deepEqual(list.entries, ['김철수', '김철수2', '박민수', '이영희', '정하늘', '최지우']);
  const terms = { rule: 'tombolix-draw-v2', f: listSha256(list.entries), n: 6, k: 2, r: 1, round: 42, label: '2026 봄 나눔 이벤트', prizes: [] };
  assert.equal(terms.f, '2d3578a34a3cb1ad65f01125ac700a01139be11af1b4079dca6ec1826d943570');
  assert.equal(hex(seed(terms, round42Randomness)), '8c339cc27868d110b274df05f122461b7ef668c8f6171d5ea62bdcdeea4764bf');
  assert.deepEqual(drawTickets(seed(terms, round42Randomness), 6, 2, 1), { winners: [4, 6], reserves: [1] });
  assert.ok(seedText(terms, round42Randomness).endsWith(`randomness=${round42Randomness}\nlabel=2026 봄 나눔 이벤트\n`));
  assert.equal(announcementCode(terms), '376c26947d7099ab5062023eacdfb6de18acf1da47627a5ce428116993f5f25a');

  const first = { ...terms, rule: 'tombolix-draw-v1' };
  assert.equal(hex(seed(first, round42Randomness)), '99d5a7ede2e08992e7441a6cb50008283a431feaba6369ae4819d945c1d0cf62');
  assert.equal(announcementCode(first), '67c3bf08b2a3b98ce1d315d96339b46511a9f7e6d266ca7c80945ceb4f9b2967');

  const ranked = { ...terms, prizes: [[1, '치킨'], [1, '커피']] };
  assert.ok(seedText(ranked, round42Randomness).endsWith('label=2026 봄 나눔 이벤트\nprize.1=1\t치킨\nprize.2=1\t커피\n'));
  assert.equal(hex(seed(ranked, round42Randomness)), 'b2528a26dcefc5329312b3ba3e5e410b8ed215360ebd95f0aceb4201a9082eb4');
  assert.deepEqual(drawTickets(seed(ranked, round42Randomness), 6, 2, 1).winners, [4, 2]);
  assert.equal(announcementCode(ranked), '8d50e695732f5004a8637fc1bc6c65c4a7ff825834201895e1f62c882784a042');
  assert.deepEqual(winnerRanks(ranked.prizes, 2), [1, 2]);
  assert.equal(rankName(ranked.prizes, 2), '2등 커피');
  assert.deepEqual(winnerRanks([], 3), [1, 1, 1]);
});

test('numbers: the same as 64-bit words taken whole, for every span a list can have', () => {
  const seedBytes = sha256(new TextEncoder().encode('tombolix-uniform-test'));
  // the reference: BigInt words, 2^64 mod m passed over
  const words = (function* () {
    for (let j = 0n; ; ++j) {
      const input = new Uint8Array(40);
      input.set(seedBytes);
      new DataView(input.buffer).setBigUint64(32, j);
      const block = new DataView(sha256(input).buffer);
      for (let i = 0; i < 4; ++i) yield block.getBigUint64(8 * i);
    }
  })();
  const uniform = (m) => {
    const t = (1n << 64n) % BigInt(m);
    for (;;) {
      const x = words.next().value;
      if (x >= t) return Number(x % BigInt(m));
    }
  };
  const numbers = new Numbers(seedBytes);
  for (const m of [1, 2, 3, 7, 1000, 11172, 32766, 32767, 32768, 12345, 3, 1]) {
    for (let i = 0; i < 50; ++i) assert.equal(numbers.uniform(m), uniform(m), `m = ${m}`);
  }
});

test('rounds and times, in Korea whatever the zone, up to the last round', () => {
  assert.equal(koreanTime(27946612), '2026-04-20 09:00:00');
  assert.equal(fileTime(27946612), '2026-04-20T09:00:00+09:00');
  assert.equal(fileTime(1), '2023-08-24T00:09:27+09:00');
  assert.equal(koreanTime(MAX_ROUND).slice(0, 4), '9999');
  assert.equal(koreanTime(MAX_ROUND + 1).slice(0, 5), '10000');
});
