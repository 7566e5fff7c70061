// Debian's Chromium, headless, driven by puppeteer-core (no browser of its own is downloaded),
// for the page's browser test and its benchmark. The page is opened from file:// and given no
// network: every request but the page's own is refused and recorded.
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';

const CANDIDATES = ['/usr/bin/chromium', '/usr/bin/chromium-browser', '/usr/bin/google-chrome'];

export async function launch() {
  const { existsSync } = await import('node:fs');
  const executablePath = process.env.TOMBOLIX_CHROMIUM ?? CANDIDATES.find((path) => existsSync(path));
  if (!executablePath) throw new Error('no Chromium: install Debian\'s "chromium" (sh scripts/install-deps.sh chromium)');
  const profile = mkdtempSync(join(tmpdir(), 'tombolix-chromium-'));
  // this machine's closed network would otherwise keep Chromium waiting on its own connections
  const browser = await puppeteer.launch({
    executablePath,
    headless: true,
    userDataDir: profile,
    args: [
      '--no-sandbox',
      '--disable-gpu',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
      '--no-first-run',
      '--disable-default-apps',
      '--disable-extensions',
    ],
  });
  const close = async () => {
    await browser.close();
    rmSync(profile, { recursive: true, force: true });
  };
  return { browser, close };
}

// A new tab with the page opened from its file, no network; `requests` lists what it asked for
// besides itself, `dialogs` the dialogs it opened.
export async function openPage(browser, pagePath, { width = 360, height = 740, beforeLoad } = {}) {
  const page = await browser.newPage();
  await page.setViewport({ width, height, deviceScaleFactor: 1 });
  const url = pathToFileURL(pagePath).href;
  const requests = [];
  const dialogs = [];
  const errors = [];
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    if (request.url() === url) return request.continue();
    requests.push(request.url());
    return request.abort('internetdisconnected');
  });
  page.on('dialog', (dialog) => {
    dialogs.push(dialog.message());
    dialog.dismiss();
  });
  page.on('pageerror', (error) => errors.push(String(error)));
  if (beforeLoad) await page.evaluateOnNewDocument(beforeLoad);
  await page.goto(url, { waitUntil: 'load' });
  return { page, requests, dialogs, errors };
}

// The check as a user makes it: texts typed (set and announced as input) or files opened, then
// the button; the outcome once it is shown.
export async function checkIn(page, { result = '', announcement = '', resultFile, announcementFile } = {}) {
  await page.evaluate(
    (texts) => {
      for (const [id, text] of Object.entries(texts)) {
        const box = document.getElementById(id);
        box.value = text;
        box.dispatchEvent(new Event('input', { bubbles: true }));
      }
    },
    { result, announcement },
  );
  if (resultFile) await (await page.$('#result-file')).uploadFile(resultFile);
  if (announcementFile) await (await page.$('#announcement-file')).uploadFile(announcementFile);
  const elapsed = await page.evaluate(async () => {
    const outcome = document.getElementById('outcome');
    const started = performance.now();
    document.getElementById('check').click();
    await new Promise((resolve) => {
      const done = () => outcome.dataset.outcome && outcome.dataset.outcome !== 'checking';
      const watch = new MutationObserver(() => done() && (watch.disconnect(), resolve()));
      watch.observe(outcome, { attributes: true, childList: true });
    });
    return performance.now() - started;
  });
  return { ...(await shown(page)), elapsed };
}

// What the page shows: the outcome, its text, the winners and reserves.
export function shown(page) {
  return page.evaluate(() => {
    const tickets = (id) =>
      [...document.querySelectorAll(`#${id} li`)].map((li) => ({ ticket: Number(li.dataset.ticket), entry: li.textContent }));
    const outcome = document.getElementById('outcome');
    return {
      outcome: outcome.dataset.outcome,
      text: [...outcome.children].map((line) => line.textContent).join('\n'),
      checkMs: Number(outcome.dataset.checkMs),
      winners: tickets('winners'),
      reserves: tickets('reserves'),
    };
  });
}
