// The page itself: a thin view over check.js. Every text that came from a file or a post is put in
// as text (textContent), never as mark-up.
import { warmUp } from './bls.js';
import { check, findEntrant } from './check.js';
import { MAX_FILE_BYTES, decodeDrawFile } from './files.js';
import { canonicalEntry, normalisationKnowsUnicode14 } from './text.js';

const $ = (selector) => document.querySelector(selector);

// What each box holds: the text typed or pasted, or the file opened last (kept as its text, not
// put in the box, so that the box's own handling of line ends changes nothing in it).
const sources = {
  result: { file: null, reading: null },
  announcement: { file: null, reading: null },
};
let lastDraw = null;

function element(tag, text, attributes = {}) {
  const made = document.createElement(tag);
  if (text !== undefined) made.textContent = text;
  for (const [name, value] of Object.entries(attributes)) made.setAttribute(name, value);
  return made;
}

function showOutcome(outcome, lines) {
  const box = $('#outcome');
  box.dataset.outcome = outcome;
  box.replaceChildren(...lines.map((line, i) => element(i === 0 ? 'strong' : 'p', line)));
  box.hidden = false;
}

function showTickets(list, tickets) {
  list.replaceChildren(
    ...tickets.map((t) =>
      element('li', t.entry, { 'data-ticket': String(t.ticket), 'data-rank': t.rank || '' }),
    ),
  );
}

function showDraw(draw) {
  lastDraw = draw ?? null;
  const winners = draw?.winners ?? [];
  const reserves = draw?.reserves ?? [];
  showTickets($('#winners'), winners);
  showTickets($('#reserves'), reserves);
  $('#drawn').hidden = winners.length === 0;
  $('#reserves-part').hidden = reserves.length === 0;
  $('#find-part').hidden = !draw;
  showFound();
}

function showFound() {
  const found = $('#found');
  const typed = $('#find').value;
  if (!lastDraw || !typed.trim()) {
    delete found.dataset.status;
    delete found.dataset.ticket;
    found.textContent = '';
    return;
  }
  const f = findEntrant(lastDraw, typed);
  found.dataset.status = f.status;
  if (f.ticket) found.dataset.ticket = String(f.ticket);
  else delete found.dataset.ticket;
  const who = `"${f.entry}" (추첨 번호 ${f.ticket})`;
  const drawn = lastDraw.winners.length > 0;
  found.textContent = {
    winner: () => `당첨입니다! ${who}: 당첨자 ${f.place}번째${f.rank ? ', ' + f.rank : ''}`,
    reserve: () => `예비 당첨입니다. ${who}: 예비 당첨자 ${f.place}번째 (당첨자와 연락되지 않을 때 차례로)`,
    entrant: () => `참가자 목록에 있습니다. ${who}` + (drawn ? ': 당첨자나 예비 당첨자는 아닙니다.' : ''),
    absent: () => `"${typed.trim()}"은(는) 참가자 목록에 없습니다.`,
  }[f.status]();
}

// A file opened: read whole as UTF-8, kept for the check.
function openFile(which, input, note) {
  const file = input.files[0];
  const source = sources[which];
  if (!file) return;
  $(`#${which}`).value = '';
  note.textContent = `열린 파일: ${file.name}`;
  source.file = null;
  source.reading = (async () => {
    if (file.size > MAX_FILE_BYTES) {
      source.file = { problem: `${file.name}: 파일이 64MiB보다 큽니다. 공개 추첨의 파일이 아닙니다.` };
      return;
    }
    const text = decodeDrawFile(new Uint8Array(await file.arrayBuffer()));
    source.file = text === null ? { problem: `${file.name}: UTF-8 파일이 아닙니다.` } : { text };
  })().catch(() => {
    source.file = { problem: `${file.name}: 파일을 읽을 수 없습니다.` };
  });
}

async function textOf(which) {
  const source = sources[which];
  if (source.reading) await source.reading;
  if (!source.file) return { text: $(`#${which}`).value };
  return source.file;
}

async function runCheck() {
  const button = $('#check');
  button.disabled = true;
  showOutcome('checking', ['확인하는 중…']);
  showDraw(null);
  try {
    const [result, announcement] = [await textOf('result'), await textOf('announcement')];
    // let the page show that it works before the check takes the thread
    await new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 0)));
    const problem = result.problem ?? announcement.problem;
    const started = performance.now();
    const found = problem ? { outcome: 'failure', lines: ['검증 실패', problem] } : check(result.text, announcement.text);
    // how long the check itself took, for the benchmark
    $('#outcome').dataset.checkMs = (performance.now() - started).toFixed(1);
    showOutcome(found.outcome, found.lines);
    showDraw(found.draw);
    // on a phone the answer is below the boxes: brought into view
    $('#outcome').scrollIntoView({ block: 'start' });
  } catch (e) {
    showOutcome('failure', ['검증 실패', `확인하는 중에 예상하지 못한 문제가 생겼습니다 (${e?.name ?? 'Error'}).`]);
  } finally {
    button.disabled = false;
  }
}

function start() {
  $('#unsupported').hidden = true;
  if (!normalisationKnowsUnicode14()) {
    showOutcome('unsupported', [
      '이 브라우저로는 확인할 수 없습니다',
      '이 브라우저는 너무 오래되어, 추첨 규칙이 쓰는 유니코드 14의 정규화를 모릅니다. 그대로 확인하면 틀린 답을 ' +
        '낼 수 있어 확인하지 않습니다. 최신 Chrome, Safari, Firefox, 삼성 인터넷 등 더 새 브라우저로 이 파일을 열어주세요.',
    ]);
    $('#check').disabled = true;
    return;
  }
  for (const which of ['result', 'announcement']) {
    const note = $(`#${which}-source`);
    $(`#${which}-file`).addEventListener('change', (event) => openFile(which, event.target, note));
    // typing or pasting in the box: the box is checked again, not the file
    $(`#${which}`).addEventListener('input', () => {
      sources[which].file = null;
      sources[which].reading = null;
      $(`#${which}-file`).value = '';
      note.textContent = '';
    });
  }
  $('#check').addEventListener('click', runCheck);
  $('#find').addEventListener('input', showFound);
  $('#check').disabled = false;
  // while the user pastes: the tables made, the curve's arithmetic compiled
  setTimeout(() => {
    canonicalEntry(' ');
    warmUp();
  }, 100);
}

start();
