// The page's figures, measured in headless Chromium from the built file, one a line
// (name value unit), for tombolix-bench's group "web":
//     node bench.mjs PAGE.html DRAWS_FOLDER
// Each check is made in a page just opened, as an entrant makes it: the files opened, the button
// pressed, until the outcome shows, the round's BLS check included (each page checks it anew).
import { statSync } from 'node:fs';
import { join } from 'node:path';
import { setTimeout as sleep } from 'node:timers/promises';
import { checkIn, launch, openPage } from '../test/chromium.mjs';

const [pagePath, draws] = process.argv.slice(2);
const print = (name, value, unit) => console.log(`${name} ${value.toFixed(1)} ${unit}`);

const chromium = await launch();
try {
  // `waitMs`: how long the page is open before the button is pressed (an entrant pastes first)
  const checkOnce = async (draw, waitMs) => {
    const tab = await openPage(chromium.browser, pagePath);
    await sleep(waitMs);
    const files = { resultFile: join(draws, draw, 'result.txt'), announcementFile: join(draws, draw, 'announce.txt') };
    const got = await checkIn(tab.page, files);
    if (got.outcome !== 'success' || tab.requests.length) throw new Error(`${draw}: ${got.outcome} ${got.text}`);
    await tab.page.close();
    return got;
  };
  // from the button to the outcome shown; and the check alone (the files read, the rule, the
  // signature), without the page's own reading of the files and drawing of the outcome
  for (let run = 1; run <= 3; ++run) {
    const got = await checkOnce('full', 1500);
    print(`web_check_32767_run${run}_ms`, got.elapsed, 'ms');
    print(`web_check_32767_run${run}_rule_ms`, got.checkMs, 'ms');
  }
  print('web_check_32767_at_once_ms', (await checkOnce('full', 0)).elapsed, 'ms');
  print('web_check_13_ms', (await checkOnce('honest', 1500)).elapsed, 'ms');
  print('web_page_size_kb', statSync(pagePath).size / 1024, 'KiB');
} finally {
  await chromium.close();
}
