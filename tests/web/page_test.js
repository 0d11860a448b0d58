// The page as a person meets it, in Debian's Chromium driven by playwright-core: the
// board (its turns, a picture and a movie, cells selected by click and tap, a resize, its
// end and restart, the message box, a shared link), each board checked pixel for pixel
// by the Wine stage's checker (tests/windows/boardcheck) against the node text front
// end's frame; the experiments (their files against lurkfield-sweep's, refused options,
// Cancel, a link); and the failures (a program that cannot be loaded, a worker that throws).
//   node tests/web/page_test.js URL FRAMES_DIR BOARDCHECK
// FRAMES_DIR holds sample/ and second/, each {lurkfield.config,trace.txt} (the frames of
// many turns: two worlds whose history the page walks), shared/
// {lurkfield.config,frame0.txt}, experiment/{options.txt,native-{table,summary}.csv}.
'use strict';
const { launchChromium } = require('./chromium');
const { execFileSync } = require('child_process');
const fs = require('fs');
const path = require('path');

const [url, frames, boardcheck] = process.argv.slice(2);
const sample = path.join(frames, 'sample');
const sampleConfig = path.join(sample, 'lurkfield.config');
const experimentDir = path.join(frames, 'experiment');
const results = [];
const pageErrors = [];

async function check(name, body) {
  results.push([name, await body().then(() => null, (error) => error)]);
}

function expect(condition, message) {
  if (!condition) throw new Error(message);
}

// A new page of the context on the address, its errors noted.
async function openPage(context, address = url) {
  const page = await context.newPage();
  page.on('pageerror', (error) => pageErrors.push(`page error: ${error.message}`));
  page.on('console', (message) => message.type() === 'error' && pageErrors.push(`console error: ${message.text()}`));
  await page.goto(address);
  return page;
}

async function canvasPixels(page) {
  return page.evaluate(() => {
    const canvas = document.getElementById('board');
    const rgba = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let binary = '';
    for (let i = 0; i < rgba.length; i += 4) binary += String.fromCharCode(rgba[i], rgba[i + 1], rgba[i + 2]);
    return { width: canvas.width, height: canvas.height, rgb: btoa(binary) };
  });
}

// The page draws `count` more frames.
const framesPass = (page, count) => page.evaluate((left) => new Promise(function next(resolve) {
  requestAnimationFrame(() => (--left > 0 ? next(resolve) : resolve()));
}), count);

let shots = 0;
// Writes the board as a PPM and runs the checker; returns its complaint, or null.
async function boardProblem(page, frameFile, extra) {
  const { width, height, rgb } = await canvasPixels(page);
  const shot = path.join(frames, `board-${++shots}.ppm`);
  fs.writeFileSync(shot, Buffer.concat([Buffer.from(`P6\n${width} ${height}\n255\n`), Buffer.from(rgb, 'base64')]));
  try {
    execFileSync(boardcheck, ['board', shot, frameFile, ...extra], { stdio: 'pipe' });
    return null;
  } catch (failure) {
    return `${path.basename(shot)}: ${failure.stderr.toString().trim()}`;
  }
}

// The board, by a frame of the page within a few seconds, is the one of the frame.
async function expectBoard(page, frameFile, extra = []) {
  const deadline = Date.now() + 5000;
  let problem = await boardProblem(page, frameFile, extra);
  while (problem && Date.now() < deadline) {
    await framesPass(page, 1);
    problem = await boardProblem(page, frameFile, extra);
  }
  expect(!problem, `the board is not the one of ${path.basename(frameFile)}: ${problem}`);
}

// The turn and counts beside the board are the frame's header's.
async function expectPopulation(page, frameFile) {
  const header = fs.readFileSync(frameFile, 'utf8').split('\n')[0];
  const [, turn, prey, predators] = header.match(/^turn (\d+): \d+ obstacles, (\d+) prey, (\d+) predators/);
  await page.waitForFunction((shown) => document.getElementById('turn').value === shown, turn);
  const shown = await page.evaluate(() => ['prey', 'predators'].map((id) => document.getElementById(id).value));
  expect(shown[0] === prey && shown[1] === predators, `the page shows ${shown.join(' and ')}, the frame ${prey} and ${predators}`);
}

// The board and the counts beside it are those of the frame.
async function expectTurn(page, frameFile) {
  await expectBoard(page, frameFile);
  await expectPopulation(page, frameFile);
}

const boardVisible = () => document.getElementById('board').style.visibility === 'visible';
const boardHidden = () => document.getElementById('board').style.visibility !== 'visible';

// Waits for the element's text to match.
const waitForText = (page, selector, pattern, timeout) => page.waitForFunction(([chosen, source]) =>
  new RegExp(source).test(document.querySelector(chosen).textContent), [selector, pattern.source], { timeout });

// The frame of turn T of a world's trace (DIR/trace.txt), written to a file of its own.
function frameOf(dir, turn) {
  const file = path.join(dir, `trace-frame${turn}.txt`);
  const frame = fs.readFileSync(path.join(dir, 'trace.txt'), 'utf8').split('\n\n').find((text) => text.startsWith(`turn ${turn}:`));
  expect(frame, `the trace of ${path.basename(dir)} has no turn ${turn}`);
  fs.writeFileSync(file, frame + '\n\n');
  return file;
}
const traceFrame = (turn) => frameOf(sample, turn);

// A predator's cell of the frame, and the page's point at its centre.
async function predatorCell(page, frameFile) {
  const rows = fs.readFileSync(frameFile, 'utf8').split('\n').slice(1).filter((line) => /^[.#oH]+$/.test(line));
  const cell = execFileSync(boardcheck, ['find', frameFile, 'H']).toString().trim().split(' ');
  const centre = await page.$eval('#board', (canvas, [[column, row], columns, rowCount]) => {
    const box = canvas.getBoundingClientRect();
    const [width, height] = [Math.floor(canvas.width / columns), Math.floor(canvas.height / rowCount)];
    const scale = box.width / canvas.width;
    return { x: box.left + (column + 0.5) * width * scale, y: box.top + (row + 0.5) * height * scale };
  }, [cell.map(Number), rows[0].length, rows.length]);
  return { cell, centre };
}

// A press on a predator's cell (a click or a tap) selects it, a second clears it.
async function expectSelectAndClear(page, frameFile, press) {
  const { cell, centre } = await predatorCell(page, frameFile);
  await press(centre.x, centre.y);
  await expectBoard(page, frameFile, ['--config', sampleConfig, '--select', ...cell]);
  await press(centre.x, centre.y);
  await expectBoard(page, frameFile);
}

async function checkTurns(page) {
  await check('the board after load is the sample world before its first turn', async () => {
    await page.waitForFunction(boardVisible);
    await expectTurn(page, traceFrame(0));
    expect(await page.evaluate(() => document.activeElement.id) === 'board', 'the board does not have the focus');
  });

  await check('space and Turn each run one turn, and the page shows its counts', async () => {
    await page.keyboard.press('Space');
    await expectTurn(page, traceFrame(1));
    await page.click('#step');
    await expectTurn(page, traceFrame(2));
    await page.press('#board', 'Space');
    await expectPopulation(page, traceFrame(3));
  });

  await check('Play runs turns of the game one after another until Pause', async () => {
    await page.selectOption('#speed', '0');
    await page.click('#play');
    expect(await page.getAttribute('#play', 'aria-pressed') === 'true', 'Play is not pressed');
    await page.waitForFunction(() => Number(document.getElementById('turn').value) >= 20);
    await page.click('#play');
    expect(await page.textContent('#play') === 'Play', 'the button does not offer Play again');
    // Each turn of Play runs within its own task: the turn shown now is the last.
    const turn = await page.$eval('#turn', (output) => output.value);
    await framesPass(page, 10);
    expect(await page.$eval('#turn', (output) => output.value) === turn, 'turns go on after Pause');
    await expectTurn(page, traceFrame(turn));
  });

  await check('another character changes nothing', async () => {
    const before = await canvasPixels(page);
    await page.focus('#board');
    for (const key of ['x', 'Enter', 'Backspace', 'Shift+A']) await page.keyboard.press(key);
    expect(before.rgb === (await canvasPixels(page)).rgb, 'the board changed');
    await expectPopulation(page, traceFrame(await page.$eval('#turn', (output) => output.value)));
  });
}

// The ways to another turn of the board's history, each given the turn to show.
const historyWays = {
  turn: (page) => page.click('#step'),
  back: (page) => page.click('#back'),
  range: (page, turn) => page.$eval('#history', (range, value) => {
    range.value = String(value);
    range.dispatchEvent(new Event('input', { bubbles: true }));
  }, turn),
  // The chart once it is drawn to the furthest turn, at the turn's place on its axis.
  chart: async (page, turn) => {
    const furthest = await page.getAttribute('#history', 'max');
    await page.waitForFunction((last) => document.getElementById('chart').getAttribute('aria-label').includes(`from 0 to ${last};`), furthest);
    const box = await page.locator('#chart .u-over').boundingBox();
    await page.mouse.click(box.x + (box.width - 1) * (turn / Number(furthest)), box.y + box.height / 2);
  },
};

// A page on the settings of DIR/lurkfield.config, by a link (and the link's own turn).
async function openWorld(context, dir, turn = null) {
  const text = fs.readFileSync(path.join(dir, 'lurkfield.config'), 'utf8');
  const page = await openPage(context, `${url}#config=${encodeURIComponent(text)}${turn === null ? '' : `&turn=${turn}`}`);
  await page.waitForFunction(boardVisible);
  return page;
}

async function checkHistory(context, worlds) {
  // [way, turn it shows]: on to turn 12, back, to any turn by the range and the chart, on from there.
  const walk = [...Array.from({ length: 12 }, (_, turn) => ['turn', turn + 1]), ['back', 11], ['chart', 4],
    ['turn', 5], ['range', 0], ['chart', 9], ['back', 8], ['range', 12], ['turn', 13], ['range', 3], ['chart', 13]];
  for (const dir of worlds) {
    await check(`${path.basename(dir)}: forward, Back, the range and the chart show the node front end's frame of each turn`, async () => {
      const page = await openWorld(context, dir);
      let furthest = 0;
      for (const [way, turn] of walk) {
        furthest = Math.max(furthest, turn);
        await historyWays[way](page, turn);
        await expectTurn(page, frameOf(dir, turn)).catch((error) => { throw new Error(`${way} to turn ${turn}: ${error.message}`); });
        const range = await page.$eval('#history', (input) => [input.value, input.max]);
        expect(range[0] === String(turn) && range[1] === String(furthest), `${way} to turn ${turn}: the range reads ${range.join(' of ')}`);
      }
      await page.close();
    });
  }

  await check('a selected cell keeps its overlay at every turn it is taken to', async () => {
    const page = await openWorld(context, sample);
    await historyWays.range(page, 0);
    for (let turn = 1; turn <= 6; turn += 1) await historyWays.turn(page);
    await expectPopulation(page, traceFrame(6));
    const { cell, centre } = await predatorCell(page, traceFrame(6));
    await page.mouse.click(centre.x, centre.y);
    for (const [way, turn] of [['back', 5], ['range', 2], ['chart', 6]]) {
      await historyWays[way](page, turn);
      await expectBoard(page, traceFrame(turn), ['--config', sampleConfig, '--select', ...cell]);
    }
    await page.close();
  });

  await check('a link to a turn opens the world at that turn; Copy a link gives the turn shown', async () => {
    const page = await openWorld(context, worlds[1], 7);
    await expectTurn(page, frameOf(worlds[1], 7));
    expect(await page.getAttribute('#history', 'max') === '7', 'the history does not hold the turns before the linked one');
    await historyWays.back(page);
    await expectTurn(page, frameOf(worlds[1], 6));
    await page.click('#copy-link');
    const link = await page.inputValue('#link');
    expect(link.endsWith('&turn=6') && link.includes('#config='), `the page offers the link ${link}`);
    await page.close();
  });

  await check('a link whose turn cannot be shown opens at turn 0 and says why', async () => {
    for (const [turn, why] of [['-3', /"-3" is negative/], ['abc', /"abc" is not a number/], ['', /"" is not a number/],
      ['2.5', /"2\.5" is not a number/], ['1000001', /"1000001" is past turn 1,000,000/]]) {
      const page = await openWorld(context, sample, turn);
      await waitForText(page, '#link-status', new RegExp(`${why.source}: the board opens at turn 0`));
      await expectTurn(page, traceFrame(0));
      await page.close();
    }
  });
}

async function checkOffline(browser) {
  await check('after one visit the page loads, plays a turn and runs an experiment offline', async () => {
    const context = await browser.newContext({ viewport: { width: 1200, height: 900 } });
    const page = await openPage(context);
    await page.waitForFunction(boardVisible);
    // The site is kept once its service worker is active.
    await page.evaluate(() => navigator.serviceWorker.ready);
    const manifest = await page.evaluate(async () => {
      const answer = await fetch(document.querySelector('link[rel=manifest]').href);
      return { type: answer.headers.get('content-type'), body: await answer.json() };
    });
    expect(manifest.type === 'application/manifest+json' && manifest.body.name === 'Lurkfield' &&
      manifest.body.icons.some((icon) => icon.sizes === '192x192'), `the manifest is ${JSON.stringify(manifest)}`);
    await context.setOffline(true);
    await page.reload();
    await page.waitForFunction(boardVisible);
    await expectTurn(page, traceFrame(0));
    await page.click('#step');
    await expectTurn(page, traceFrame(1));
    expect(/^Done: 4 runs/.test(await runExperiment(page, smallExperiment())), 'the experiment does not run offline');
    await context.close();
  });
}

async function downloaded(page, button) {
  const [download] = await Promise.all([page.waitForEvent('download'), page.click(button)]);
  return { name: download.suggestedFilename(), bytes: fs.readFileSync(await download.path()) };
}

async function checkKeeping(page, turn) {
  await check('Save a picture downloads a PNG of exactly the canvas\'s pixels', async () => {
    const picture = await downloaded(page, '#save-picture');
    expect(picture.name === `lurkfield-turn-${turn}.png`, `the picture is named ${picture.name}`);
    const same = await page.evaluate(async (bytes) => {
      const kept = await createImageBitmap(await (await fetch(`data:image/png;base64,${bytes}`)).blob());
      const copy = new OffscreenCanvas(kept.width, kept.height).getContext('2d');
      copy.drawImage(kept, 0, 0);
      const pixels = (context, { width, height }) => `${width} x ${height}: ${context.getImageData(0, 0, width, height).data}`;
      return pixels(copy, kept) === pixels(document.getElementById('board').getContext('2d'), document.getElementById('board'));
    }, picture.bytes.toString('base64'));
    expect(same, 'the picture\'s pixels are not the canvas\'s');
  });

  await check('Record keeps the turns as a WebM movie', async () => {
    await page.click('#record');
    expect(await page.getAttribute('#record', 'aria-pressed') === 'true', 'Record is not pressed');
    await page.press('#board', 'Space');
    await page.press('#board', 'Space');
    await expectPopulation(page, traceFrame(turn + 2));
    const movie = await downloaded(page, '#record');
    expect(movie.name === `lurkfield-turns-${turn}-${turn + 2}.webm`, `the movie is named ${movie.name}`);
    expect(movie.bytes.length > 100 && movie.bytes.readUInt32BE(0) === 0x1a45dfa3, `the movie is not WebM (${movie.bytes.length} bytes)`);
  });
}

// `frameFile`: the turn the page shows.
async function checkCellsAndSizes(page, browser, frameFile) {
  await check('a click selects a cell, a second click clears it', async () => {
    await expectSelectAndClear(page, frameFile, (x, y) => page.mouse.click(x, y));
  });

  await check('a resize repaints with the new cell size', async () => {
    const before = await page.evaluate(() => document.getElementById('board').width);
    await page.setViewportSize({ width: 420, height: 760 }); // a phone: the board above the settings
    await page.waitForFunction((width) => document.getElementById('board').width !== width, before);
    const size = await page.$eval('#board', (canvas) => [canvas.width, canvas.clientWidth, canvas.height, canvas.clientHeight]);
    expect(size[0] === size[1] && size[2] === size[3], `the canvas holds ${size[0]} x ${size[2]} pixels for ${size[1]} x ${size[3]}`);
    await expectBoard(page, frameFile);
    const order = await page.evaluate(() => ['board', 'config'].map((id) => document.getElementById(id).getBoundingClientRect().top));
    expect(order[0] < order[1], 'at phone width the settings are not below the board');
    await page.setViewportSize({ width: 1200, height: 900 });
    await expectBoard(page, frameFile);
  });

  await check('at phone width a tap selects and clears a cell, Turn, Back, the history and the legends are in reach', async () => {
    const phone = await browser.newContext({ viewport: { width: 390, height: 844 }, deviceScaleFactor: 1,
      hasTouch: true, isMobile: true });
    const tapped = await openPage(phone);
    await tapped.waitForFunction(boardVisible);
    await expectSelectAndClear(tapped, traceFrame(0), (x, y) => tapped.touchscreen.tap(x, y));
    const step = await tapped.locator('#step').boundingBox();
    expect(step.x >= 0 && step.x + step.width <= 390, 'Turn lies outside the phone\'s width');
    await tapped.locator('#step').tap();
    await expectBoard(tapped, traceFrame(1));
    // A tap on the chart's left edge shows turn 0; Back, the range and the legends fit the width.
    await tapped.locator('#step').tap();
    await tapped.waitForFunction(() => document.getElementById('chart').getAttribute('aria-label').includes('from 0 to 2;'));
    await tapped.locator('#chart').scrollIntoViewIfNeeded(); // a tap lands only within the screen
    const plot = await tapped.locator('#chart .u-over').boundingBox();
    await tapped.touchscreen.tap(plot.x + 1, plot.y + plot.height / 2);
    await expectTurn(tapped, traceFrame(0));
    await runExperiment(tapped, smallExperiment());
    for (const selector of ['#back', '#history', '#chart .u-legend', '#experiment-chart .legend']) {
      const box = await tapped.locator(selector).boundingBox();
      expect(box && box.x >= 0 && box.x + box.width <= 390, `${selector} lies outside the phone's width`);
    }
    await phone.close();
  });
}

async function checkProgramLife(page, context) {
  await check('Escape ends the program', async () => {
    await page.press('#board', 'Escape');
    await page.waitForFunction(boardHidden);
    await waitForText(page, '#board-status', /program ended \(exit code 0\)/);
    expect(await page.isDisabled('#step') && await page.isDisabled('#play'), 'Turn and Play still act');
  });

  await check('Start runs the program afresh on the same settings', async () => {
    await page.click('#start');
    await page.waitForFunction(boardVisible);
    await page.keyboard.press('Space');
    await page.keyboard.press('Space');
    await page.click('#start');
    await page.waitForFunction(boardVisible);
    await expectTurn(page, traceFrame(0));
  });

  await check('an empty grid shows the message box and no board', async () => {
    await page.fill('#config', 'grid.x 0\ngrid.y 0\n');
    await page.press('#config', 'Control+Enter');
    const box = page.locator('dialog.message-box');
    await box.waitFor();
    const said = `${await box.locator('h2').textContent()}: ${await box.locator('p').textContent()}`;
    expect(said === 'Error: The grid is too small. Do you have a correct config? (lurkfield.config)', `the box says ${said}`);
    expect(await page.evaluate(boardHidden), 'a board is shown');
    await page.keyboard.press('Enter');
    await box.waitFor({ state: 'detached' });
    await waitForText(page, '#board-status', /program ended/);
    expect(await page.evaluate(boardHidden), 'a board is shown after the box');
  });

  await check('a shared link starts on its text', async () => {
    const shared = path.join(frames, 'shared');
    const text = fs.readFileSync(path.join(shared, 'lurkfield.config'), 'utf8');
    await page.fill('#config', text);
    await page.click('#copy-link');
    const link = await page.inputValue('#link');
    expect(link === `${url}#config=${encodeURIComponent(text)}`, `the page offers the link ${link}`);
    const other = await openPage(context, link);
    await other.waitForFunction(boardVisible);
    await expectBoard(other, path.join(shared, 'frame0.txt'));
    expect(await other.inputValue('#config') === text, 'the editor does not hold the link\'s text');
    await other.close();
  });
}

// The experiment's files against lurkfield-sweep's, built natively with musl's
// generator (web-e2e.sh wrote them into FRAMES_DIR/experiment).
const smallExperiment = () => fs.readFileSync(path.join(experimentDir, 'options.txt'), 'utf8').trim();
const nativeFile = (file) => fs.readFileSync(path.join(experimentDir, `native-${file}`), 'utf8');
const chartNames = (page) => page.getAttribute('#experiment-chart', 'aria-label').then((label) => label.split(': ')[1]);

// The experiment chart's legend names exactly these points, each in a colour of its own,
// above its two panels (prey, predators) with the desktop plot's axis labels.
async function expectLegend(page, points) {
  const legend = await page.$$eval('#experiment-chart .legend li', (items) => items.map((item) =>
    [item.textContent, item.querySelector('.swatch').style.background]));
  expect(JSON.stringify(legend.map(([name]) => name)) === JSON.stringify(points), `the legend names ${legend.map(([name]) => name).join('; ')}`);
  expect(new Set(legend.map(([, colour]) => colour)).size === points.length, 'two points share a colour');
  const panels = await page.$$eval('#experiment-chart .panel', (all) => all.map((panel) => panel.getAttribute('aria-label')).join('; '));
  expect(panels === 'prey against the turn; predators against the turn', `the panels are ${panels}`);
}

async function runExperiment(page, options, done = /^Done/, timeout = 10000) {
  await page.fill('#config', fs.readFileSync(sampleConfig, 'utf8'));
  await page.fill('#experiment-options', options);
  await page.click('#run-experiment');
  await waitForText(page, '#experiment-status', done, timeout);
  return page.textContent('#experiment-status');
}

async function checkExperiments(page, context) {
  await check('an experiment writes the table and summary lurkfield-sweep writes', async () => {
    expect(/^Done: 4 runs/.test(await runExperiment(page, smallExperiment())), 'the status does not say Done: 4 runs');
    for (const [button, file] of [['#download-table', 'table.csv'], ['#download-summary', 'summary.csv']]) {
      const { bytes } = await downloaded(page, button);
      fs.writeFileSync(path.join(experimentDir, `page-${file}`), bytes);
      expect(bytes.toString('utf8') === nativeFile(file), `the page's ${file} differs from lurkfield-sweep's`);
    }
    const [record, native] = [JSON.parse((await downloaded(page, '#download-record')).bytes), JSON.parse(nativeFile('table.csv.json'))];
    const sweepKeys = /^(version|settings|varied|reps|runs|shard|turns|every|seed|first|state$)/; // what makes the sweep, how it went
    const differ = Object.keys(native).filter((key) => !(key in record) || (sweepKeys.test(key) && JSON.stringify(record[key]) !== JSON.stringify(native[key])));
    expect(!differ.length && record.command_line.join(' ') === `lurkfield-sweep ${smallExperiment()}`, `the record differs from lurkfield-sweep's in ${differ}`);
    expect(await chartNames(page) === 'predator.sight=1; predator.sight=6', 'the chart does not draw each point');
    await expectLegend(page, ['predator.sight=1', 'predator.sight=6']);
  });

  await check('experiment options are refused with the sweep\'s message, or the page\'s', async () => {
    for (const [options, message] of [
      ['--reps 0', /--reps needs a whole number from 1 to 1000000, not '0'/],
      ['--jobs 2', /--jobs means nothing on the page/],
      ['--vary predator.sight=1:1:200 --reps 101', /this experiment has 20200 runs; a page runs at most 20000/],
    ]) await runExperiment(page, options, message);
  });

  await check('a world too big for a worker\'s memory is an out_of_memory run, not a frozen tab', async () => {
    const said = await runExperiment(page, '--set grid.x=16000 --set grid.y=16000 --turns 1', /^(Done|The experiment)/, 30000);
    expect(/^Done: 1 runs.*1 not played \(out_of_memory/.test(said), `the status says: ${said}`);
    const summary = (await downloaded(page, '#download-summary')).bytes.toString().trim().split('\n');
    expect(summary.length === 2 && summary[1].includes(',out_of_memory,'), `the summary is ${summary.join(' / ')}`);
  });

  await check('Cancel stops the experiment; the finished runs stay downloadable', async () => {
    // Runs of a world whose prey live on, long enough to be cancelled midway.
    await runExperiment(page, '--set grid.x=100 --set grid.y=100 --set prey.number=2000 --reps 40 --turns 3000 --every 100',
      /^[1-9]\d* of 40 runs done/, 60000);
    const workersEnded = page.workers().map((worker) => new Promise((resolve) => worker.once('close', resolve)));
    await page.click('#cancel-experiment');
    const said = await page.textContent('#experiment-status');
    expect(/^Cancelled: \d+ of 40/.test(said), `the status says: ${said}`);
    await Promise.all(workersEnded);
    expect(await page.textContent('#experiment-status') === said, `the status went on to ${await page.textContent('#experiment-status')}`);
    const runs = new Set((await downloaded(page, '#download-summary')).bytes.toString().trim().split('\n').slice(1).map((row) => row.split(',')[0]));
    expect(runs.size === Number(said.match(/Cancelled: (\d+) of 40/)[1]), `the summary holds ${runs.size} runs: ${said}`);
    expect(await chartNames(page) === 'all runs', 'the cancelled experiment shows no chart of its runs');
    await expectLegend(page, ['all runs']);
  });

  await check('a link to an experiment opens the page, runs it and shows the chart', async () => {
    await page.fill('#experiment-options', smallExperiment());
    await page.click('#copy-experiment-link');
    await waitForText(page, '#experiment-status', /^Link copied/);
    const other = await openPage(context, await page.evaluate(() => navigator.clipboard.readText()));
    await waitForText(other, '#experiment-status', /^Done: 4 runs/);
    expect(await chartNames(other) === 'predator.sight=1; predator.sight=6', 'the linked experiment shows no chart');
    expect((await downloaded(other, '#download-table')).bytes.toString() === nativeFile('table.csv'), 'the linked experiment\'s table differs');
    await other.close();
  });
}

// A page of a context of its own whose `file` is `answer`: its failures are no page errors.
async function brokenPage(browser, file, answer) {
  const page = await (await browser.newContext()).newPage();
  await page.route(`**/${file}`, (route) => route.fulfill(answer));
  await page.goto(url);
  return page;
}

const expectRunOffered = async (page) => expect(await page.evaluate(() => ['run-experiment', 'start', 'cancel-experiment']
  .map((id) => document.getElementById(id).disabled).join() === 'false,false,true'), 'Run is not offered again');

async function checkFailures(browser) {
  await check('a program that cannot be loaded says so on the board and in the experiment', async () => {
    for (const [file, answer, message] of [
      ['lurkfield.wasm', { status: 404 }, /lurkfield\.wasm could not be loaded \(HTTP 404\)/],
      ['lurkfield.wasm', { contentType: 'application/wasm', body: 'no program' }, /lurkfield\.wasm is not a program this browser can run/],
      ['lurkfield.js', { status: 404 }, /lurkfield\.js could not be loaded/],
    ]) {
      const page = await brokenPage(browser, file, answer);
      await waitForText(page, '#board-status', new RegExp(`^The program could not run: ${message.source}`));
      await page.click('#run-experiment');
      await waitForText(page, '#experiment-status', new RegExp(`^The experiment could not start: ${message.source}`));
      await expectRunOffered(page);
      await page.context().close();
    }
  });

  await check('a worker that throws stops the experiment with its message', async () => {
    const page = await brokenPage(browser, 'experiment-worker.js', { contentType: 'text/javascript',
      body: 'onmessage = ({ data }) => { if (\'run\' in data) throw new Error(\'the worker broke\'); };' });
    await runExperiment(page, smallExperiment(), /^The experiment stopped: .*the worker broke/);
    await expectRunOffered(page);
    await page.context().close();
  });
}

async function main() {
  const browser = await launchChromium();
  const context = await browser.newContext({ viewport: { width: 1200, height: 900 }, deviceScaleFactor: 1,
    permissions: ['clipboard-read', 'clipboard-write'] });
  const page = await openPage(context);
  page.setDefaultTimeout(10000);
  await checkTurns(page);
  const turn = Number(await page.$eval('#turn', (output) => output.value));
  await checkKeeping(page, turn);
  await checkCellsAndSizes(page, browser, traceFrame(turn + 2));
  await checkProgramLife(page, context);
  await checkHistory(context, [sample, path.join(frames, 'second')]);
  await checkExperiments(page, context);
  await checkFailures(browser);
  await checkOffline(browser);
  await check('no page errors', async () => expect(pageErrors.length === 0, pageErrors.join('; ')));

  await browser.close();
  const failed = results.filter(([, error]) => error);
  for (const [name, error] of results) console.log(`${error ? 'FAILED' : 'ok'}: ${name}${error ? ` (${error.message})` : ''}`);
  console.log(`${results.length - failed.length} passed, ${failed.length} failed`);
  process.exitCode = failed.length === 0 ? 0 : 1;
}

main().catch((error) => {
  console.error(error);
  process.exitCode = 1;
});
