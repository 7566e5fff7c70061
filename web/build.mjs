// Builds the entrants' page: one HTML file with its script and style inline, nothing loaded from
// elsewhere (an external module script does not even run from file://), under a Content-Security-
// Policy that lets only these two inline blocks run.
//     node build.mjs OUTPUT.html
import { build } from 'esbuild';
import { createHash } from 'node:crypto';
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const output = process.argv[2];
if (!output) {
  console.error('usage: node build.mjs OUTPUT.html');
  process.exit(2);
}

const bundled = await build({
  entryPoints: [join(here, 'src/page.js')],
  bundle: true,
  minify: true,
  format: 'iife',
  target: 'es2020',
  legalComments: 'none', // the licences stand in the page whole, below
  write: false,
});
const script = bundled.outputFiles[0].text.trim();
const style = readFileSync(join(here, 'src/page.css'), 'utf8').trim();
if (/<\/(script|style)/i.test(script + style)) throw new Error('the inline script or style would end its own element');

const escape = (text) => text.replaceAll('&', '&amp;').replaceAll('<', '&lt;').replaceAll('>', '&gt;');
const licence = (name) => {
  const path = join(here, 'node_modules', name);
  const { version } = JSON.parse(readFileSync(join(path, 'package.json'), 'utf8'));
  return `${name} ${version}\n\n${readFileSync(join(path, 'LICENSE'), 'utf8').trim()}`;
};
const licences = ['@noble/curves', '@noble/hashes'].map(licence).join('\n\n\n');

const hash = (text) => `'sha256-${createHash('sha256').update(text, 'utf8').digest('base64')}'`;
const csp = [
  "default-src 'none'",
  `script-src ${hash(script)}`,
  `style-src ${hash(style)}`,
  "base-uri 'none'",
  "form-action 'none'",
].join('; ');

const page = readFileSync(join(here, 'src/page.html'), 'utf8')
  .replace('{{CSP}}', csp)
  .replace('{{STYLE}}', () => style)
  .replace('{{LICENCES}}', () => escape(licences))
  .replace('{{SCRIPT}}', () => script);
mkdirSync(dirname(output), { recursive: true });
writeFileSync(output, page);
console.log(`${output}: ${Buffer.byteLength(page)} bytes`);
