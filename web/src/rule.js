// The draw's rule ("tombolix-draw-v2", and "tombolix-draw-v1" for older files), as
// core/PublicDraw.h states it: the seed's text, the announcement code, the numbers and the
// partial Fisher–Yates that give the winners.
import { sha256 } from '@noble/hashes/sha2.js';
import { bytesToHex } from '@noble/hashes/utils.js';
import { canonicalEntry, tooLong, unusableInLabel } from './text.js';

export const CHAIN = '52db9ba70e0cc0f6eaf7803dd07447a1f5477735fd3f661792ba94600c84e971';
export const GENESIS = 1692803367; // Unix seconds of round 1
export const PERIOD = 3;
export const MAX_ROUND = 83903155011; // the last round published in the year 9999 (Korea's time)
export const MAX_ENTRIES = 32767;
export const MAX_LISTED = 2000; // the longest list an announcement post carries

const utf8 = new TextEncoder();
export const utf8Bytes = (text) => utf8.encode(text);
export const sha256Hex = (bytes) => bytesToHex(sha256(typeof bytes === 'string' ? utf8Bytes(bytes) : bytes));

// Each entry followed by "\n": what `sha256sum` of the list file reads.
export const listSha256 = (entries) => sha256Hex(entries.map((e) => e + '\n').join(''));

export const roundSeconds = (round) => GENESIS + (round - 1) * PERIOD;

// A time as Korea writes it (UTC+9), whatever the browser's zone.
function koreanParts(seconds) {
  const d = new Date((seconds + 9 * 3600) * 1000);
  const two = (n) => String(n).padStart(2, '0');
  return [
    String(d.getUTCFullYear()).padStart(4, '0'),
    two(d.getUTCMonth() + 1),
    two(d.getUTCDate()),
    two(d.getUTCHours()),
    two(d.getUTCMinutes()),
    two(d.getUTCSeconds()),
  ];
}
// "2026-04-20 09:00:00"
export function koreanTime(round) {
  const [y, mo, d, h, mi, s] = koreanParts(roundSeconds(round));
  return `${y}-${mo}-${d} ${h}:${mi}:${s}`;
}
// "2026-04-20T09:00:00+09:00", as the files write it
export function fileTime(round) {
  const [y, mo, d, h, mi, s] = koreanParts(roundSeconds(round));
  return `${y}-${mo}-${d}T${h}:${mi}:${s}+09:00`;
}

// The seed's text, every line ending "\n"; without the randomness line (null), the announced text.
export function seedText(terms, randomness) {
  let text =
    `${terms.rule}\nlist_sha256=${terms.f}\nlist_count=${terms.n}\nwinners=${terms.k}\n` +
    `reserves=${terms.r}\nbeacon=drand:${CHAIN}\nround=${terms.round}\n`;
  if (randomness !== null) text += `randomness=${randomness}\n`;
  text += `label=${terms.label}\n`;
  terms.prizes.forEach(([count, name], i) => {
    text += `prize.${i + 1}=${count}\t${name}\n`;
  });
  return text;
}

export const seed = (terms, randomness) => sha256(utf8Bytes(seedText(terms, randomness)));
export const announcementCode = (terms) => sha256Hex(seedText(terms, null));

// The rule's numbers: block j = SHA-256(seed ‖ j as 8 bytes big-endian), four 64-bit words each.
// Every m here is below 2^15, so each word is taken as two 32-bit halves and stays exact.
export class Numbers {
  constructor(seedBytes) {
    this.input = new Uint8Array(seedBytes.length + 8);
    this.input.set(seedBytes);
    this.view = new DataView(this.input.buffer);
    this.block = null;
    this.blockNumber = 0;
    this.used = 0;
  }

  // the next word, as [high, low] 32-bit halves
  word() {
    const inBlock = this.used % 4;
    if (inBlock === 0) {
      const at = this.input.length - 8;
      this.view.setUint32(at, Math.floor(this.blockNumber / 2 ** 32));
      this.view.setUint32(at + 4, this.blockNumber % 2 ** 32);
      ++this.blockNumber;
      const block = sha256(this.input);
      this.block = new DataView(block.buffer, block.byteOffset, 32);
    }
    ++this.used;
    return [this.block.getUint32(inBlock * 8), this.block.getUint32(inBlock * 8 + 4)];
  }

  // Uniform in 0 … m − 1 (1 ≤ m ≤ 2^15): words below 2^64 mod m are passed over.
  uniform(m) {
    const high = 2 ** 32 % m; // 2^32 mod m
    const threshold = (high * high) % m; // 2^64 mod m
    for (;;) {
      const [h, l] = this.word();
      if (h === 0 && l < threshold) continue;
      return ((h % m) * high + (l % m)) % m;
    }
  }
}

// A partial Fisher–Yates over tickets 1 … n: the first k positions win, the next r are reserves.
export function drawTickets(seedBytes, n, k, r) {
  const a = Int32Array.from({ length: n }, (_, i) => i);
  const numbers = new Numbers(seedBytes);
  const winners = [];
  const reserves = [];
  for (let i = 0; i < k + r; ++i) {
    const j = i + numbers.uniform(n - i);
    [a[i], a[j]] = [a[j], a[i]];
    (i < k ? winners : reserves).push(a[i] + 1);
  }
  return { winners, reserves };
}

// --- Prizes by rank: [count, name] each, in rank order ---

export function prizesProblem(prizes, winners) {
  for (const [i, [count, name]] of prizes.entries()) {
    if (count < 1) return `${i + 1}등의 당첨자 수는 1명 이상이어야 합니다.`;
    if (!name || tooLong(name) || canonicalEntry(name) !== name || unusableInLabel(name))
      return `${i + 1}등의 상품 이름이 비었거나, 너무 길거나, 쓸 수 없는 문자가 있습니다.`;
  }
  const total = prizes.reduce((sum, [count]) => sum + count, 0);
  if (prizes.length && total !== winners)
    return `등수별 당첨자를 합한 수(${total}명)가 당첨자 수(${winners}명)와 다릅니다.`;
  return null;
}

// The rank of each winner, from 1, in the order drawn.
export function winnerRanks(prizes, winners) {
  const ranks = [];
  prizes.forEach(([count], p) => {
    for (let i = 0; i < count && ranks.length < winners; ++i) ranks.push(p + 1);
  });
  while (ranks.length < winners) ranks.push(prizes.length || 1);
  return ranks;
}

export const rankName = (prizes, rank) =>
  rank >= 1 && rank <= prizes.length ? `${rank}등 ${prizes[rank - 1][1]}` : `${rank}등`;

export const prizesText = (prizes) =>
  prizes.map(([count, name], i) => `${i + 1}등 ${count}명 ${name}`).join(', ') || '없음';

// What makes a draw of these numbers impossible (the program's own words), or null.
export function termsProblem(count, winners, reserves) {
  if (count < 1) return '목록에 항목이 없습니다.';
  if (count > MAX_ENTRIES) return `목록의 항목이 ${MAX_ENTRIES}개를 넘습니다.`;
  if (winners < 1) return '당첨자는 1명 이상이어야 합니다.';
  if (reserves < 0) return '예비 당첨자 수는 0 이상이어야 합니다.';
  if (winners + reserves > count)
    return `당첨자와 예비 당첨자를 합한 수(${winners + reserves})가 목록의 항목 수(${count})보다 많습니다.`;
  return null;
}
