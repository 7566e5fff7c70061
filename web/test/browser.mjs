// The built page itself, opened from file:// in headless Chromium with no network, checking the
// draws the program wrote (tombolix-drawfiles):
//     node browser.mjs PAGE.html DRAWS_FOLDER SCREENSHOTS_FOLDER
import assert from 'node:assert/strict';
import { mkdirSync, readFileSync, statSync } from 'node:fs';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { checkIn, launch, openPage, shown } from './chromium.mjs';

const [pagePath, draws, screenshots] = process.argv.slice(2);
const read = (draw, file) => readFileSync(join(draws, draw, file), 'utf8');
const path = (draw, file) => join(draws, draw, file);

// As the site gives a post back: no-break spaces, CR LF, blank lines added, trailing blanks.
const asCopied = (post) => post.replaceAll(' ', '\u00A0').replaceAll('\n', '  \r\n\r\n');

// The winners a result file names, as the page must list them.
function drawnIn(result) {
  const lines = result.split('\n');
  const tickets = (kind) =>
    lines
      .filter((line) => line.startsWith(`${kind}.`))
      .map((line) => {
        const [ticket, entry] = line.slice(line.indexOf('=') + 1).split('\t');
        return { ticket: Number(ticket), entry };
      });
  return { winners: tickets('winner'), reserves: tickets('reserve') };
}

let chromium;
let tab;
before(async () => {
  chromium = await launch();
  tab = await openPage(chromium.browser, pagePath);
});
after(async () => {
  assert.deepEqual(tab.requests, [], 'the page asked for nothing');
  assert.deepEqual(tab.dialogs, [], 'no dialog opened');
  assert.deepEqual(tab.errors, [], 'no script error');
  await chromium.close();
});

test('an honest result with its announcement: 검증 성공, the winners in order', async () => {
  const result = read('honest', 'result.txt');
  const got = await checkIn(tab.page, { resultFile: path('honest', 'result.txt'), announcementFile: path('honest', 'announce.txt') });
  assert.equal(got.outcome, 'success', got.text);
  assert.match(got.text, /^검증 성공\n/);
  assert.match(got.text, /라운드 42의 signature를 drand quicknet의 공개 키로 확인했습니다\./);
  assert.match(got.text, /※라운드 42은\(는\) 2023-08-24 00:11:30\(한국 시간\)에 공개되었습니다\. 예고문이 그보다 먼저 게시되었고/);
  const drawn = drawnIn(result);
  assert.deepEqual(got.winners, drawn.winners);
  assert.deepEqual(got.reserves, drawn.reserves);
  assert.equal(got.winners.length, 3);
});

test('the same result changed in one place fails, naming what', async () => {
  const result = read('honest', 'result.txt');
  const announcement = read('honest', 'announce.txt');
  const winner = /\nwinner\.1=(\d+)\t/.exec(result);
  const signature = /\nsignature=([0-9a-f]{96})\n/.exec(result)[1];
  const changes = {
    'an entry of the list': [result.replace('\n홍길동\n', '\n홍길둥\n'), /목록\(\d+번째 줄부터\)의 SHA-256과 다릅니다/],
    'the label': [result.replace('label=2026 봄', 'label=2026 가을'), /announcement_sha256이\(가\) 1–\d+번째 줄\(randomness 줄 빼고\)로 계산한 값/],
    'a ticket': [result.replace(winner[0], `\nwinner.1=${winner[1] === '1' ? 2 : 1}\t`), /규칙으로 계산한 값은 'winner\.1=/],
    'one hex digit of the signature': [
      result.replace(signature, signature.slice(0, 40) + (signature[40] === '0' ? '1' : '0') + signature.slice(41)),
      /randomness가 \d+번째 줄 signature의 SHA-256과 다릅니다/,
    ],
  };
  for (const [what, [changed, why]] of Object.entries(changes)) {
    assert.notEqual(changed, result, what);
    const got = await checkIn(tab.page, { result: changed, announcement });
    assert.equal(got.outcome, 'failure', `${what}: ${got.text}`);
    assert.match(got.text, /^검증 실패\n/);
    assert.match(got.text, why, what);
    assert.deepEqual(got.winners, [], `${what}: no winner shown`);
  }
});

test('a made-up signature whose SHA-256 is the randomness fails on the signature', async () => {
  const got = await checkIn(tab.page, { resultFile: path('made-up', 'result.txt'), announcementFile: path('made-up', 'announce.txt') });
  assert.equal(got.outcome, 'failure', got.text);
  assert.match(got.text, /라운드 42의 signature가 drand quicknet의 공개 키로 확인되지 않습니다\. drand가 낸 라운드가 아닙니다\./);
});

test('no announcement: 검증 미완료, with what to compare by eye', async () => {
  const announced = readFileSync(path('honest', 'announce.txt'), 'utf8');
  const code = /announcement_sha256=([0-9a-f]{64})/.exec(announced)[1];
  const got = await checkIn(tab.page, { result: read('honest', 'result.txt') });
  assert.equal(got.outcome, 'incomplete', got.text);
  for (const line of ['검증 미완료', `예고 코드(announcement_sha256) : ${code}`, '참가자 13명, 당첨자 3명, 예비 당첨자 2명',
    '공개 난수 : drand quicknet 라운드 42 (2023-08-24 00:11:30, 한국 시간)', '추첨 이름 : 2026 봄 나눔 <b>이벤트</b>',
    '등수별 당첨자 : 1등 1명 치킨, 2등 2명 커피 쿠폰'])
    assert.ok(got.text.includes(line), line);
  assert.equal(got.winners.length, 3);
});

test('the posts as copied from the site work like the files; a changed entry still fails', async () => {
  const post = read('honest', 'post.txt');
  const resultPost = read('honest', 'resultpost.txt');
  for (const [result, announcement] of [[resultPost, post], [asCopied(resultPost), asCopied(post)],
    [read('honest', 'result.txt'), asCopied(post)], [asCopied(resultPost), read('honest', 'announce.txt')]]) {
    const got = await checkIn(tab.page, { result, announcement });
    assert.equal(got.outcome, 'success', got.text);
    assert.deepEqual(got.winners, drawnIn(read('honest', 'result.txt')).winners);
  }
  const changed = asCopied(post).replace('홍길동', '홍길둥');
  const got = await checkIn(tab.page, { result: asCopied(resultPost), announcement: changed });
  assert.equal(got.outcome, 'failure', got.text);
  // the result post alone cannot say who was drawn
  const alone = await checkIn(tab.page, { result: resultPost });
  assert.equal(alone.outcome, 'incomplete');
  assert.match(alone.text, /참가자 목록이 있는 예고/);
});

test('an announcement alone before the draw: 예고 확인, and find-me in its list', async () => {
  for (const announcement of [read('honest', 'post.txt'), asCopied(read('honest', 'post.txt'))]) {
    const got = await checkIn(tab.page, { announcement });
    assert.equal(got.outcome, 'announced', got.text);
    assert.match(got.text, /^예고 확인\n/);
  }
  await find('홍길동 ');
  assert.equal((await found()).status, 'entrant');
  const got = await checkIn(tab.page, { announcement: read('honest', 'post.txt').replace('. 홍길동\n', '. 홍길둥\n') });
  assert.equal(got.outcome, 'failure');
});

async function find(typed) {
  await tab.page.evaluate((text) => {
    const box = document.getElementById('find');
    box.value = text;
    box.dispatchEvent(new Event('input', { bubbles: true }));
  }, typed);
}
const found = () =>
  tab.page.evaluate(() => {
    const f = document.getElementById('found');
    return { status: f.dataset.status, ticket: f.dataset.ticket, text: f.textContent };
  });

test('find me: a winner typed with a trailing blank or in NFD, a reserve, a stranger', async () => {
  const result = read('honest', 'result.txt');
  const got = await checkIn(tab.page, { result, announcement: read('honest', 'announce.txt') });
  const winner = got.winners[0];
  for (const typed of [winner.entry + ' ', winner.entry.normalize('NFD'), '\u3000' + winner.entry]) {
    await find(typed);
    const f = await found();
    assert.equal(f.status, 'winner', typed);
    assert.equal(f.ticket, String(winner.ticket));
  }
  await find(got.reserves[0].entry);
  assert.equal((await found()).status, 'reserve');
  await find('김영수');
  const stranger = await found();
  assert.equal(stranger.status, 'absent');
  assert.equal(stranger.ticket, undefined);
  assert.equal(stranger.text, '"김영수"은(는) 참가자 목록에 없습니다.');
});

test('an entry that is mark-up shows as its characters and runs nothing', async () => {
  const got = await checkIn(tab.page, { result: read('honest', 'result.txt'), announcement: read('honest', 'post.txt') });
  assert.equal(got.outcome, 'success');
  await find('<img src=x onerror=alert(1)>');
  const f = await found();
  assert.ok(['winner', 'reserve', 'entrant'].includes(f.status));
  assert.ok(f.text.includes('"<img src=x onerror=alert(1)>"'));
  assert.equal(await tab.page.evaluate(() => document.querySelectorAll('img, #report b, #found *').length), 0);
});

test('files of the first rule are read by it', async () => {
  const got = await checkIn(tab.page, { resultFile: path('first-rule', 'result.txt'), announcementFile: path('first-rule', 'announce.txt') });
  assert.equal(got.outcome, 'success', got.text);
  assert.deepEqual(got.winners, drawnIn(read('first-rule', 'result.txt')).winners);
  // one whose list today's rule reads as one person three times: what its rule gives, no success
  const alike = await checkIn(tab.page, { resultFile: path('first-rule-alike', 'result.txt'), announcementFile: path('first-rule-alike', 'announce.txt') });
  assert.equal(alike.outcome, 'incomplete', alike.text);
  assert.ok(alike.text.includes('"홍길동", "홍길동<U+2800>", "홍길동<U+2800><U+2800>"'));
});

test('a full list of 32,767 entries, the announcement as its file', async () => {
  const got = await checkIn(tab.page, { resultFile: path('full', 'result.txt'), announcementFile: path('full', 'announce.txt') });
  assert.equal(got.outcome, 'success', got.text);
  assert.equal(got.winners.length, 100);
  // find-me in the full list: each entrant by their own name
  for (const [typed, status] of [[got.winners[99].entry, 'winner'], ['참가자 12345 ', null], ['참가자 40000', 'absent']]) {
    await find(typed);
    const f = await found();
    if (status) assert.equal(f.status, status, typed);
    else assert.ok(['winner', 'reserve', 'entrant'].includes(f.status), typed);
  }
  // its post does not carry the list, and says where it is
  const post = await checkIn(tab.page, { resultFile: path('full', 'result.txt'), announcement: read('full', 'post.txt') });
  assert.equal(post.outcome, 'success', post.text);
  const posts = await checkIn(tab.page, { result: read('full', 'resultpost.txt'), announcement: read('full', 'post.txt') });
  assert.equal(posts.outcome, 'failure');
  assert.match(posts.text, /참가자 목록이 있는 예고/);
});

test('at 360 px wide nothing scrolls sideways; screenshots at 360×740 and 1280×900', async () => {
  mkdirSync(screenshots, { recursive: true });
  await checkIn(tab.page, { result: asCopied(read('honest', 'resultpost.txt')), announcement: asCopied(read('honest', 'post.txt')) });
  await find(drawnIn(read('honest', 'result.txt')).winners[1].entry);
  const widths = await tab.page.evaluate(() => ({ scroll: document.documentElement.scrollWidth, view: window.innerWidth }));
  assert.ok(widths.scroll <= widths.view, JSON.stringify(widths));
  await tab.page.screenshot({ path: join(screenshots, 'verify-360x740.png') });
  // the codes of 64 and 96 hex digits, and a failure's long line, wrap too
  for (const [name, texts] of [['incomplete', { result: read('honest', 'result.txt') }],
    ['failure', { result: read('honest', 'result.txt'), announcement: read('plain', 'post.txt') }]]) {
    await checkIn(tab.page, texts);
    const now = await tab.page.evaluate(() => ({ scroll: document.documentElement.scrollWidth, view: window.innerWidth }));
    assert.ok(now.scroll <= now.view, `${name}: ${JSON.stringify(now)}`);
    await tab.page.screenshot({ path: join(screenshots, `verify-360-${name}.png`), fullPage: true });
  }
  await tab.page.screenshot({ path: join(screenshots, 'verify-360-full.png'), fullPage: true });
  await tab.page.setViewport({ width: 1280, height: 900 });
  await tab.page.screenshot({ path: join(screenshots, 'verify-1280x900.png'), fullPage: true });
  await tab.page.setViewport({ width: 360, height: 740 });
});

test('a browser whose normalisation is older than Unicode 14 says so and checks nothing', async () => {
  const old = await openPage(chromium.browser, pagePath, {
    beforeLoad: () => {
      const normalize = String.prototype.normalize;
      String.prototype.normalize = function (form) {
        return this.includes('\u{10781}') ? String(this) : normalize.call(this, form);
      };
    },
  });
  const got = await shown(old.page);
  assert.equal(got.outcome, 'unsupported');
  assert.match(got.text, /이 브라우저는 너무 오래되어/);
  assert.ok(await old.page.$eval('#check', (button) => button.disabled));
  assert.deepEqual(old.requests, []);
  await old.page.close();
});

test('the page is one file under 200 KB', () => {
  assert.ok(statSync(pagePath).size < 200 * 1024);
  const html = readFileSync(pagePath, 'utf8');
  assert.match(html, /<meta http-equiv="Content-Security-Policy" content="default-src 'none'; script-src 'sha256-/);
  assert.match(html, /<meta name="viewport" content="width=device-width/);
  assert.doesNotMatch(html, /<script[^>]+src=|<link[^>]+href=/);
});
