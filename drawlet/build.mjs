// Bundles the editor page into one classic script and one style sheet, next to the
// page, the help page and the licence texts.
//   node build.mjs [output folder] [node_modules folder]
// file:// pages cannot load modules, and the page may not fetch anything: every font
// and picture goes inline. The packages may sit outside the source tree (the CMake
// build installs them in its own folder).
import { copyFileSync, mkdirSync } from 'node:fs';
import { createRequire } from 'node:module';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const out = resolve(process.argv[2] ?? join(here, 'dist', 'Drawlet'));
const modules = resolve(process.argv[3] ?? join(here, 'node_modules'));
const esbuild = createRequire(join(modules, 'package.json'))('esbuild');
mkdirSync(out, { recursive: true });

const inline = {};
for (const ext of ['.woff', '.woff2', '.ttf', '.eot', '.otf', '.svg', '.png', '.gif', '.jpg', '.cur']) {
  inline[ext] = 'dataurl';
}

await esbuild.build({
  entryPoints: { drawlet: join(here, 'src', 'main.jsx') },
  outdir: out,
  bundle: true,
  format: 'iife',
  target: ['chrome102'],
  platform: 'browser',
  minify: true,
  legalComments: 'none',
  jsx: 'automatic',
  define: {
    'process.env.NODE_ENV': '"production"',
    'process.env': '{}',
    global: 'globalThis',
  },
  loader: { ...inline, '.mol': 'text', '.sdf': 'text' },
  nodePaths: [modules],
  logLevel: 'warning',
});

for (const file of ['drawlet.htm', 'drawletHelp.htm']) {
  copyFileSync(join(here, 'page', file), join(out, file));
}
for (const file of ['LICENSE', 'NOTICE']) {
  copyFileSync(join(here, file), join(out, file));
}
