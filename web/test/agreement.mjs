// The page's modules over what tests/test_drawagreement.cpp wrote, as tests/support/draw_agreement.py
// runs the script's: the same arguments, the same lines out, which the test compares with the
// program's own findings.
//     node agreement.mjs cases CASES_DIR
//     node agreement.mjs texts TEXTS_FILE
import { readFileSync, readdirSync, existsSync } from 'node:fs';
import { join } from 'node:path';
import { announcementProblem, verifyPostedResult } from '../src/check.js';
import { Failed, decodeDrawFile, parseAnnouncement, verifyResult } from '../src/files.js';
import { readResultPost } from '../src/posts.js';
import { listSha256 } from '../src/rule.js';
import { RULE_V1, RULE_V2, canonicalEntry, canonicalList, hasUnusable, lookAlikeKey } from '../src/text.js';

// The text of a file as UTF-8, or a Failed as the program refuses other bytes.
function textOf(bytes) {
  const text = decodeDrawFile(bytes);
  if (text === null) throw new Failed('UTF-8 파일이 아닙니다.');
  return text;
}
const read = (path) => textOf(readFileSync(path));

function accepted(check, bytes) {
  try {
    check(textOf(bytes));
    return true;
  } catch (e) {
    if (e instanceof Failed) return false;
    throw e;
  }
}

function mutations(check, data) {
  const passed = [];
  for (let i = 0; i < data.length; ++i) {
    for (const flip of [0x01, 0x80]) {
      const changed = Uint8Array.from(data);
      changed[i] ^= flip;
      if (accepted(check, changed)) passed.push(`${i}^${flip}`);
    }
  }
  return `${data.length * 2} passed ${passed.join(',')}`;
}

function throwsFailed(work) {
  try {
    work();
    return false;
  } catch (e) {
    if (e instanceof Failed) return true;
    throw e;
  }
}

function drawChecked(folder, kind) {
  const path = (file) => join(folder, kind + file);
  let found;
  const resultFailed = throwsFailed(() => {
    const { terms } = verifyResult(read(path('result.txt')));
    for (const announcement of [read(path('announce.txt')), read(path('post.txt'))]) {
      const problem = announcementProblem(announcement, terms);
      if (problem) throw new Failed(problem);
    }
    found = `${kind}result ok ${terms.code}`;
  });
  if (resultFailed) found = `${kind}result failed`;
  const postsFailed = throwsFailed(() => {
    const posted = readResultPost(read(path('resultpost.txt')));
    if (!posted) throw new Failed('no result post');
    verifyPostedResult(posted, read(path('post.txt')));
    verifyPostedResult(posted, read(path('announce.txt')));
  });
  return found + `|${kind}posts ${postsFailed ? 'failed' : 'ok'}`;
}

function cases(folderOfCases) {
  for (const name of readdirSync(folderOfCases).sort()) {
    const folder = join(folderOfCases, name);
    const path = (file) => join(folder, file);
    const found = [];
    const list = canonicalList(readFileSync(path('list.txt'), 'utf8').split('\n'));
    found.push(list.ok ? `list ${listSha256(list.entries)}` : 'list refused');
    if (existsSync(path('result.txt'))) found.push(drawChecked(folder, ''));
    if (existsSync(path('mutate'))) {
      found.push('announce-mutations ' + mutations(parseAnnouncement, readFileSync(path('announce.txt'))));
      found.push('result-mutations ' + mutations((text) => verifyResult(text), readFileSync(path('result.txt'))));
    }
    if (existsSync(path('v1-result.txt'))) found.push(drawChecked(folder, 'v1-'));
    process.stdout.write(`${name}|${found.join('|')}\n`);
  }
}

// "61 301 1109A": a lone surrogate stands for itself, as in the program's file.
const textOfCodes = (codes) => (codes ? codes.split(' ').map((c) => String.fromCodePoint(parseInt(c, 16))).join('') : '');
const hexOf = (text) => Array.from(text, (c) => c.codePointAt(0).toString(16).toUpperCase()).join(' ');

function readAlike(text, rule) {
  const unusable = hasUnusable(text, rule);
  const canonical = unusable ? '' : canonicalEntry(text, rule);
  const key = canonical ? lookAlikeKey(canonical, rule) : '';
  return [unusable ? '1' : '0', hexOf(canonical), hexOf(key)];
}

function texts(path) {
  let count = 0;
  const differ = [];
  for (const line of readFileSync(path, 'latin1').split('\n')) {
    if (!line) continue;
    const fields = line.split('|');
    const text = textOfCodes(fields[0]);
    const found = [fields[0], ...readAlike(text, RULE_V2), ...readAlike(text, RULE_V1)];
    ++count;
    if (found.join('|') !== fields.join('|')) differ.push(`program ${fields.join('|')} page ${found.join('|')}`);
  }
  process.stdout.write(`texts ${count} differ ${differ.length}\n`);
  for (const difference of differ.slice(0, 20)) process.stdout.write(difference + '\n');
}

const modes = { cases, texts };
modes[process.argv[2]](process.argv[3]);
