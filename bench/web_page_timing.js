// Times the page in Debian's Chromium (playwright-core), served on 127.0.0.1:
//   - load to first painted board: from the start of navigation to the first animation
//     frame after the program painted its board (a fresh browser context each time, so
//     nothing is cached);
//   - space to repainted board, sample world: from the key event's creation to the end
//     of its handling, in which the program runs the turn, paints and puts the pixels
//     on the canvas; the frame that shows them is reported too;
//   - Play at the fastest speed on the sample world: turns a second over 3 s;
//   - an experiment (EXPERIMENT, the options of its field) from Run to Done, in seconds,
//     in the last three runs;
//   - the board's history: going to a turn of the sample world's first 10,000 (opened by a
//     link at turn 10,000, then 40 turns drawn at random, each from the range's input event
//     to the end of its handling, in which the program restores a kept state, plays on to
//     the turn and repaints), and Back at turn 1,000 of a 200 x 200 world of 4,000 prey and
//     400 predators (its click's handling).
// Run from the checkout (the sample world is its lurkfield.config).
// Prints one line per figure: "NAME median min max" (milliseconds, turns a second, seconds).
//   node bench/web_page_timing.js URL [RUNS] [EXPERIMENT]
'use strict';
const fs = require('fs');
const { launchChromium } = require('../tests/web/chromium');

const [url, runsArgument, experimentOptions] = process.argv.slice(2);
const runs = Number(runsArgument || 5);

function stats(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  const median = sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
  return `${median.toFixed(1)} ${sorted[0].toFixed(1)} ${sorted[sorted.length - 1].toFixed(1)}`;
}

// Runs in the page before its scripts: notes when the board first shows, that is
// the first animation frame after the canvas became visible (the program opens its
// window and paints it within one task). It watches the whole document from its
// start: the board may show before DOMContentLoaded, which waits for a task of its own.
function watchFirstBoard() {
  window.firstBoard = new Promise((resolve) => {
    const observer = new MutationObserver(() => {
      const board = document.getElementById('board');
      if (!board || board.style.visibility !== 'visible') return;
      observer.disconnect();
      const painted = performance.now();
      requestAnimationFrame(() => resolve({ painted, shown: performance.now() }));
    });
    observer.observe(document, { attributes: true, attributeFilter: ['style'], subtree: true });
  });
}

// A page on the settings (the sample world's with these lines over it) at the turn.
async function openAtTurn(browser, settings, turn) {
  const context = await browser.newContext({ viewport: { width: 1200, height: 900 } });
  const page = await context.newPage();
  const text = fs.readFileSync('lurkfield.config', 'utf8') + settings;
  await page.goto(`${url}#config=${encodeURIComponent(text)}&turn=${turn}`);
  await page.waitForFunction((shown) => document.getElementById('turn').value === shown, String(turn), { timeout: 600000 });
  return { context, page };
}

// The time of the handling of each of `count` events: a click on Back, or the range set
// to a turn drawn at random.
async function historyTimes(page, count, how) {
  return page.evaluate(([times, kind]) => {
    const back = document.getElementById('back');
    const range = document.getElementById('history');
    const taken = [];
    for (let i = 0; i < times; i++) {
      const started = performance.now();
      if (kind === 'back') back.click();
      else {
        range.value = String(Math.floor(Math.random() * (Number(range.max) + 1)));
        range.dispatchEvent(new Event('input', { bubbles: true }));
      }
      taken.push(performance.now() - started);
    }
    return taken;
  }, [count, how]);
}

async function historyFigures(browser) {
  const sample = await openAtTurn(browser, '', 10000);
  const anyTurn = await historyTimes(sample.page, 40, 'range');
  await sample.context.close();
  const big = await openAtTurn(browser, 'grid.x 200\ngrid.y 200\nprey.number 4000\npredator.number 400\n', 1000);
  const back = await historyTimes(big.page, 1, 'back');
  await big.context.close();
  return { anyTurn, back };
}

async function main() {
  const browser = await launchChromium();
  const loads = [];
  const keys = [];
  const keyFrames = [];
  const playRates = [];
  const experiments = [];
  for (let run = 0; run < runs; run++) {
    const context = await browser.newContext({ viewport: { width: 1200, height: 900 } });
    const page = await context.newPage();
    await page.addInitScript(watchFirstBoard);
    await page.goto(url);
    const first = await page.evaluate(() => window.firstBoard);
    loads.push(first.shown);
    // A listener added after the program's own runs once the turn is painted.
    await page.evaluate(() => {
      window.spaceTimes = [];
      document.getElementById('board').addEventListener('keydown', (key) => {
        const handled = performance.now() - key.timeStamp;
        requestAnimationFrame(() => window.spaceTimes.push([handled, performance.now() - key.timeStamp]));
      });
    });
    for (let turn = 0; turn < 20; turn++) {
      await page.keyboard.press('Space');
      await page.waitForFunction((count) => window.spaceTimes.length === count, turn + 1);
    }
    for (const [handled, shown] of await page.evaluate(() => window.spaceTimes)) {
      keys.push(handled);
      keyFrames.push(shown);
    }
    await page.selectOption('#speed', '0');
    await page.click('#play');
    const turnNow = () => page.$eval('#turn', (output) => Number(output.value));
    const before = await turnNow();
    await page.waitForTimeout(3000);
    playRates.push((await turnNow() - before) / 3);
    await page.click('#play');
    if (experimentOptions && run >= runs - 3) {
      await page.fill('#experiment-options', experimentOptions);
      const started = Date.now();
      await page.click('#run-experiment');
      await page.waitForFunction(() => /^Done/.test(document.getElementById('experiment-status').textContent),
        null, { timeout: 600000 });
      experiments.push((Date.now() - started) / 1000);
    }
    await context.close();
  }
  const history = await historyFigures(browser);
  await browser.close();
  console.log(`history-any-turn ${stats(history.anyTurn)}`);
  console.log(`history-back-at-1000 ${stats(history.back)}`);
  console.log(`load-to-first-board ${stats(loads)}`);
  console.log(`space-to-repainted-board ${stats(keys)}`);
  console.log(`space-to-shown-frame ${stats(keyFrames)}`);
  console.log(`play-turns-per-second ${stats(playRates)}`);
  if (experiments.length) console.log(`experiment-seconds ${stats(experiments)}`);
}

main().catch((error) => {
  console.error(error);
  process.exitCode = 1;
});
