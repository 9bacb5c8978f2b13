// What the page tests share: the built page served on the loopback address,
// and Debian's Chromium, headless, from a fresh profile.
import { mkdtemp, rm } from 'node:fs/promises';
import { join, resolve } from 'node:path';
import { tmpdir } from 'node:os';
import { chromium } from 'playwright-core';
import { serveFolder } from '../../serve.mjs';

export const webDir = resolve(process.env.TESSERA_WEB_DIR ?? new URL('../../../build/web', import.meta.url).pathname);

// The static server run.sh --web uses, over the build folder.
export const serve = () => serveFolder(webDir);

export async function launch() {
  const profile = await mkdtemp(join(tmpdir(), 'tessera-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.TESSERA_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    acceptDownloads: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  return {
    context,
    close: async () => {
      await context.close();
      await rm(profile, { recursive: true, force: true });
    },
  };
}
