// The page's experiments: lurkfield-sweep's runs of the settings in the editor,
// spread over one Web Worker per core (web/experiment-worker.js), each run in a
// fresh instance of lurkfield.wasm (main never started). The plan, the messages and the CSV
// rows are the sweep's own code's (web/ExperimentExports.cpp); this script hands
// out the runs, keeps their rows in run order, shows the progress and the chart,
// offers the files, and shares an experiment as a link
// (#config=<settings>&experiment=<options>).
'use strict';

(() => {
  const byId = (id) => document.getElementById(id);
  const field = byId('experiment-options');
  const config = byId('config');
  const status = byId('experiment-status');
  const runButton = byId('run-experiment');
  const cancelButton = byId('cancel-experiment');
  const downloads = ['download-table', 'download-summary', 'download-record'].map(byId);
  const linkMark = '&experiment=';

  // The page's compiled module (page.js), which this script follows.
  const compiled = window.lurkfieldModule;
  let current = null;

  // Workers started ahead, each with the compiled module, so that an experiment
  // begins at once; an experiment's workers end with it and new ones wait.
  const cores = () => Math.max(1, navigator.hardwareConcurrency || 1);
  const spare = [];
  let warmedUp = false;
  async function startSpares() {
    const module = await compiled;
    while (spare.length < cores()) {
      const worker = new Worker('experiment-worker.js');
      worker.postMessage({ module, warmUp: !warmedUp });
      spare.push(worker);
    }
    warmedUp = true;
  }
  startSpares();

  // The sweep's plan of the options, or its message, from an instance of its own.
  async function plan(options, settings) {
    const module = await compiled;
    const instance = await createLurkfield({
      noInitialRun: true,
      instantiateWasm(imports, done) {
        WebAssembly.instantiate(module, imports).then((made) => done(made));
        return {};
      },
    });
    return JSON.parse(instance.ccall('experiment_plan', 'string', ['string', 'string'],
      [options, settings]));
  }

  function say(text) {
    status.textContent = text;
  }

  function seconds(ms) {
    return `${ms < 10000 ? (ms / 1000).toFixed(1) : Math.round(ms / 1000)} s`;
  }

  function showProgress(experiment) {
    const elapsed = performance.now() - experiment.started;
    const left = experiment.done > 0 ? elapsed * (experiment.runs - experiment.done) / experiment.done : NaN;
    say(`${experiment.done} of ${experiment.runs} runs done` +
      (Number.isFinite(left) ? `, about ${seconds(left)} left` : ''));
  }

  function stopWorkers(experiment) {
    experiment.workers.forEach((worker) => worker.terminate());
    experiment.workers = [];
    experiment.running = false;
    startSpares();
    runButton.disabled = false;
    cancelButton.disabled = true;
  }

  function handOut(experiment, worker) {
    if (experiment.next >= experiment.runs) {
      worker.terminate();
      return;
    }
    worker.postMessage({ options: experiment.options, settings: experiment.settings, run: experiment.next });
    experiment.next += 1;
  }

  function finished(experiment, worker, answer) {
    if (!experiment.running) return;
    if (answer.error !== undefined) {
      stopWorkers(experiment);
      say(`The experiment stopped: ${answer.error}`);
      return;
    }
    experiment.rows[answer.run] = answer;
    experiment.done += 1;
    downloads.forEach((button) => { button.disabled = false; });
    if (experiment.done === experiment.runs) {
      stopWorkers(experiment);
      // A world too big for a worker's memory is an out_of_memory run, as in the sweep.
      const notPlayed = experiment.rows.filter((row) => row.outcome !== 'played');
      say(`Done: ${experiment.runs} runs in ${seconds(performance.now() - experiment.started)}` +
        (notPlayed.length ? `; ${notPlayed.length} not played (${notPlayed[0].outcome}: see the summary)` : ''));
      drawChart(experiment);
      return;
    }
    showProgress(experiment);
    handOut(experiment, worker);
  }

  async function run() {
    if (current && current.running) stopWorkers(current);
    const options = field.value;
    const settings = config.value;
    runButton.disabled = true;
    const answer = await plan(options, settings);
    if (answer.error !== undefined) {
      runButton.disabled = false;
      say(answer.error);
      return;
    }
    const experiment = {
      options, settings, runs: answer.runs, reps: answer.reps, labels: answer.labels,
      tableHeader: answer.table_header, summaryHeader: answer.summary_header,
      rows: new Array(answer.runs), done: 0, next: 0, workers: [], running: true,
      started: performance.now(), made: new Date().toISOString(),
    };
    current = experiment;
    downloads.forEach((button) => { button.disabled = true; });
    cancelButton.disabled = false;
    const count = Math.min(cores(), experiment.runs);
    await startSpares();
    for (let i = 0; i < count; i += 1) {
      const worker = spare.shift();
      worker.onmessage = (event) => finished(experiment, worker, event.data);
      worker.onerror = (event) => finished(experiment, worker, { error: event.message || 'a worker failed' });
      experiment.workers.push(worker);
      handOut(experiment, worker);
    }
    showProgress(experiment);
  }

  function cancel() {
    if (!current || !current.running) return;
    stopWorkers(current);
    say(`Cancelled: ${current.done} of ${current.runs} runs done; their rows can be downloaded`);
    if (current.done > 0) drawChart(current);
  }

  // The rows of the runs finished, in run order, after the file's header.
  function csv(experiment, part) {
    const header = part === 'table' ? experiment.tableHeader : experiment.summaryHeader;
    return header + experiment.rows.filter((row) => row).map((row) => row[part]).join('');
  }

  function record(experiment) {
    return JSON.stringify({
      program: 'lurkfield-sweep, in the page (lurkfield.wasm)',
      options: experiment.options,
      settings: experiment.settings,
      runs: experiment.runs,
      runs_done: experiment.done,
      random_numbers: "musl's rand(), run r seeded with srand(S + r)",
      made: experiment.made,
    }, null, 2) + '\n';
  }

  function offer(text, type, name) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([text], { type }));
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  }

  // Prey and predators against the turn: per design point the mean of its
  // replicates, the lowest and highest shaded, as the desktop plot draws them.
  let chart = null;
  function drawChart(experiment) {
    const box = byId('experiment-chart');
    if (chart) chart.destroy();
    chart = null;
    if (experiment.labels.length === 0) return;
    const columns = experiment.tableHeader.trim().split(',');
    const turnAt = columns.indexOf('turn');
    const byPoint = experiment.labels.map(() => new Map());
    experiment.rows.forEach((row) => {
      row.table.trim().split('\n').forEach((line) => {
        const cells = line.split(',');
        const point = Math.floor(Number(cells[0]) / experiment.reps);
        const turn = Number(cells[turnAt]);
        const seen = byPoint[point].get(turn) || { prey: [], predators: [] };
        seen.prey.push(Number(cells[turnAt + 2]));
        seen.predators.push(Number(cells[turnAt + 3]));
        byPoint[point].set(turn, seen);
      });
    });
    // A cancelled experiment draws the points and turns of its finished runs.
    const turns = [...new Set(byPoint.flatMap((seen) => [...seen.keys()]))].sort((a, b) => a - b);
    const data = [turns];
    const series = [{ label: 'turn' }];
    const bands = [];
    const style = getComputedStyle(document.documentElement);
    const figure = (values, of) => (values.length ? of(values) : null);
    const mean = (values) => figure(values, () => values.reduce((a, b) => a + b, 0) / values.length);
    experiment.labels.forEach((label, point) => {
      ['prey', 'predators'].forEach((kind) => {
        const at = (turn) => (byPoint[point].get(turn) || { [kind]: [] })[kind];
        const colour = style.getPropertyValue(`--${kind}`).trim();
        const first = data.length;
        data.push(turns.map((turn) => mean(at(turn))));
        data.push(turns.map((turn) => figure(at(turn), (values) => Math.min(...values))));
        data.push(turns.map((turn) => figure(at(turn), (values) => Math.max(...values))));
        series.push({ label: `${kind} ${label}`.trim(), stroke: colour, width: 1.5 });
        series.push({ label: `${kind} lowest`, stroke: 'transparent' });
        series.push({ label: `${kind} highest`, stroke: 'transparent' });
        bands.push({ series: [first + 2, first + 1], fill: `color-mix(in srgb, ${colour} 15%, transparent)` });
      });
    });
    chart = new uPlot({
      width: box.clientWidth || 300, height: 260, scales: { x: { time: false } },
      axes: [{ label: 'turn' }, {}], legend: { show: false }, series, bands,
    }, data, box);
    box.dataset.lines = String(experiment.labels.length * 2);
  }

  function linkText() {
    const url = new URL(location.href);
    url.hash = 'config=' + encodeURIComponent(config.value) + linkMark + encodeURIComponent(field.value);
    return url.href;
  }

  runButton.addEventListener('click', run);
  cancelButton.addEventListener('click', cancel);
  byId('download-table').addEventListener('click', () =>
    offer(csv(current, 'table'), 'text/csv', 'lurkfield-table.csv'));
  byId('download-summary').addEventListener('click', () =>
    offer(csv(current, 'summary'), 'text/csv', 'lurkfield-summary.csv'));
  byId('download-record').addEventListener('click', () =>
    offer(record(current), 'application/json', 'lurkfield-experiment.json'));
  byId('copy-experiment-link').addEventListener('click', async () => {
    const href = linkText();
    status.dataset.link = href;
    try {
      await navigator.clipboard.writeText(href);
      say('Link copied: it opens this page on these settings and runs this experiment.');
    } catch (refused) {
      say(`Copy this link: ${href}`);
    }
  });

  // A link's experiment (page.js has put its settings in the editor) runs at once.
  const at = location.hash.indexOf(linkMark);
  if (location.hash.startsWith('#config=') && at >= 0) {
    try {
      field.value = decodeURIComponent(location.hash.slice(at + linkMark.length));
      run();
    } catch (malformed) {
      say('The link holds no readable experiment options.');
    }
  }
})();
