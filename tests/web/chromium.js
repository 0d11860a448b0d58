// Debian's Chromium, headless, driven by playwright-core (found through NODE_PATH),
// as the page tests (tests/web/page_test.js) and the page timing
// (bench/web_page_timing.js) launch it: no sandbox, no GPU, and nothing fetched
// or updated in the background.
'use strict';
const { chromium } = require('playwright-core');

function launchChromium() {
  return chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
  });
}

module.exports = { launchChromium };
