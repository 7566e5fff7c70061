// Entries read as the rule reads them: what a trailing blank, another normal form, an invisible
// character or a look-alike letter makes of a name, and the order of UTF-8 bytes.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import {
  RULE_V1,
  canonicalEntry,
  canonicalList,
  compareUtf8,
  hasUnusable,
  lookAlikeKey,
  normalisationKnowsUnicode14,
  tooLong,
  unusableInLabel,
} from '../src/text.js';

const key = (text) => lookAlikeKey(canonicalEntry(text));

test('this Node knows Unicode 14 normalisation', () => assert.ok(normalisationKnowsUnicode14()));

test('one person, one ticket, whatever they type', () => {
  const same = ['홍길동', '홍길동 ', '홍길동'.normalize('NFD'), '\u3000홍길동\u00A0', '홍길동\u2800\u2800', '홍길동\u2060',
    '\u1680홍길동\u{1D159}', '홍길동\u3164', '\uFEFF홍길동\u200B'];
  for (const text of same) assert.equal(key(text), key('홍길동'), JSON.stringify(text));
  assert.equal(canonicalEntry('  김  철수\t\u2002 '), '김 철수');
  assert.equal(canonicalEntry('홍\u2028길동'), '홍 길동');
  assert.equal(key('Аlice'), key('Alice')); // a Cyrillic А
  assert.equal(key('ＫＩＭ１'), key('KIM1'));
  assert.equal(key('김 철수'), key('김철수')); // a blank taken out
  assert.notEqual(key('홍'), key('황'));
  assert.notEqual(key('뿤ㅋ'), key('뿌ㅋㅋ')); // jamo are not prototypes
  const list = canonicalList(['홍길동', '홍길동'.normalize('NFD') + ' ', 'Alice', 'Аlice', '김철수']);
  assert.deepEqual(list.repeated, ['홍길동']);
  assert.deepEqual(list.lookAlike.sort(), ['Alice', 'Аlice'].sort());
  assert.ok(!list.ok);
});

test('what no entry may hold, by either rule', () => {
  for (const text of ['흔들🫨', '홍\u0001길동', '\uD800', 'a\uDC00', '\u{E01F0}'])
    assert.ok(hasUnusable(text), JSON.stringify(text));
  assert.ok(!hasUnusable('녹는중🫠')); // Unicode 14
  assert.ok(!hasUnusable('홍\t길동')); // white space, made one blank
  assert.ok(hasUnusable('홍\t길동', RULE_V1));
  assert.ok(unusableInLabel('봄\u200F나눔') && unusableInLabel('봄\u2028나눔') && !unusableInLabel('봄 나눔'));
  assert.ok(!tooLong('가'.repeat(200)) && tooLong('가'.repeat(201)));
  assert.ok(!tooLong('😀'.repeat(200))); // code points, not UTF-16 units
  const list = canonicalList(['', ' \t ', '홍\u0001', '\u200B\u200B', '가'.repeat(201), '김철수']);
  assert.deepEqual(list.entries, ['김철수']);
  assert.equal(list.unusable.length, 2);
  assert.equal(list.tooLong.length, 1);
  // too long only once canonical: NFC writes U+0958 as two code points
  const doubled = '\u0958'.repeat(120);
  const lengthened = canonicalList([doubled, doubled.slice(0, 100)]);
  assert.deepEqual(lengthened.tooLong, [doubled]);
  assert.deepEqual(lengthened.entries, [doubled.slice(0, 100).normalize('NFC')]);
});

test('the first rule reads its own files as it always did', () => {
  assert.equal(canonicalEntry('\u3000박민수 ', RULE_V1), '박민수');
  assert.equal(canonicalEntry('홍길동\u2002', RULE_V1), '홍길동\u2002');
  assert.equal(lookAlikeKey('홍길동\u200B', RULE_V1), '홍길동');
  assert.notEqual(lookAlikeKey('홍길동\u2800', RULE_V1), '홍길동');
});

test('the order of UTF-8 bytes, not of UTF-16 units', () => {
  const texts = ['a', 'ab', '', '\uFFFD', '😀', '\uE000', '가', '\u{10000}', '\uFF21', 'z', '\u{10FFFD}', '\u007F', '\u0080'];
  for (const a of texts)
    for (const b of texts)
      assert.equal(Math.sign(compareUtf8(a, b)), Math.sign(Buffer.compare(Buffer.from(a), Buffer.from(b))), `${a} ${b}`);
});
