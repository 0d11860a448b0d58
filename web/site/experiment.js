// The Experiment section: lurkfield-sweep's runs of the settings in the editor.
// The experiment has an instance of the program of its own (loader.js,
// experiment-calls.js), which reads the options with the sweep's code and keeps
// the runs' reports; the page's workers (experiment-workers.js) play the runs,
// handed out in run order as each answers. The files and their record, the
// tally of outcomes and the chart's figures are the program's, made from the
// runs reported so far, so a cancelled experiment's finished runs stay
// downloadable. This module shows
// the progress, offers the files, draws the chart (experiment-chart.js) and
// shares an experiment as a link (address.js). Whatever fails (the program, a
// worker, the plan) ends the experiment with a message in the status line and
// offers Run again.
//   createExperiment(settingsText) -> {prepare(), runLinked()}: settingsText()
//   is the editor's text; prepare() starts the workers ahead of Run; runLinked()
//   runs the experiment the address names, if any.
import { linkTo, linkedExperiment } from './address.js';
import { Refusal, experimentFile, experimentOutcome, experimentPlaying, experimentRecord, experimentStopped, keepReport,
  planExperiment } from './experiment-calls.js';
import { createExperimentChart } from './experiment-chart.js';
import { startSpareWorkers, takeWorkers } from './experiment-workers.js';
import { offerDownload } from './downloads.js';
import { startProgram } from './loader.js';

const byId = (id) => document.getElementById(id);
const tableFile = 'lurkfield-table.csv';

function seconds(ms) {
  return `${ms < 10000 ? (ms / 1000).toFixed(1) : Math.round(ms / 1000)} s`;
}

// The plan of the options, in an instance that then keeps the experiment's reports.
async function begin(options, settings) {
  const instance = await startProgram({ noInitialRun: true, print: (line) => console.log(line),
    printErr: (line) => console.warn(line) });
  const plan = planExperiment(instance, options, settings);
  return { instance, options, settings, runs: plan.runs, done: 0, next: 0, workers: [], running: true,
    started: performance.now() };
}

export function createExperiment(settingsText) {
  const field = byId('experiment-options');
  const status = byId('experiment-status');
  const runButton = byId('run-experiment');
  const cancelButton = byId('cancel-experiment');
  const downloads = ['download-table', 'download-summary', 'download-record'].map(byId);
  const chart = createExperimentChart(byId('experiment-chart'));
  let current = null;

  const say = (text) => { status.textContent = text; };

  function showProgress(experiment) {
    const elapsed = performance.now() - experiment.started;
    const left = experiment.done > 0 ? elapsed * (experiment.runs - experiment.done) / experiment.done : NaN;
    say(`${experiment.done} of ${experiment.runs} runs done` +
      (Number.isFinite(left) ? `, about ${seconds(left)} left` : ''));
  }

  function stop(experiment) {
    experiment.workers.forEach((worker) => worker.end());
    experiment.workers = [];
    experiment.running = false;
    try {
      experimentStopped(experiment.instance);
    } catch (gone) {
      console.warn(`The experiment's record cannot say when it stopped: ${gone.message}`);
    }
    startSpareWorkers().catch(() => {});
    runButton.disabled = false;
    cancelButton.disabled = true;
  }

  function failed(experiment, why) {
    if (!experiment.running) return;
    stop(experiment);
    say(`The experiment stopped: ${why}`);
  }

  // The chart of the runs reported, and the tally of their outcomes.
  function showOutcome(experiment) {
    const outcome = experimentOutcome(experiment.instance);
    chart.draw(outcome.chart.lines);
    if (outcome.chart.problem) console.warn(`The chart cannot be drawn: ${outcome.chart.problem}`);
    return outcome.tally;
  }

  function complete(experiment) {
    const notPlayed = Object.entries(showOutcome(experiment).not_played);
    stop(experiment);
    const count = notPlayed.reduce((sum, [, runs]) => sum + runs, 0);
    // A world too big for a worker's memory is an out_of_memory run, as in the sweep.
    say(`Done: ${experiment.runs} runs in ${seconds(performance.now() - experiment.started)}` +
      (count ? `; ${count} not played (${notPlayed.map(([name]) => name).join(', ')}: see the summary)` : ''));
  }

  function handOut(experiment, worker) {
    if (experiment.next >= experiment.runs) {
      worker.end();
      return;
    }
    worker.play({ options: experiment.options, settings: experiment.settings, run: experiment.next });
    experiment.next += 1;
  }

  function answered(experiment, worker, answer) {
    if (!experiment.running) return;
    if (answer.error !== undefined) {
      failed(experiment, answer.error);
      return;
    }
    keepReport(experiment.instance, answer.run, answer.report);
    experiment.done += 1;
    downloads.forEach((button) => { button.disabled = false; });
    if (experiment.done === experiment.runs) {
      complete(experiment);
      return;
    }
    showProgress(experiment);
    handOut(experiment, worker);
  }

  async function play(experiment) {
    const workers = await takeWorkers(experiment.runs);
    if (!experiment.running) {
      workers.forEach((worker) => worker.end());
      return;
    }
    experiment.workers = workers;
    experimentPlaying(experiment.instance, workers.length, location.href.split('#')[0]);
    for (const worker of workers) {
      worker.serve({
        // What the experiment's instance cannot take (its memory, say) ends the experiment.
        answer(answer) {
          try {
            answered(experiment, worker, answer);
          } catch (error) {
            failed(experiment, error.message);
          }
        },
        failed: (why) => failed(experiment, why),
      });
      handOut(experiment, worker);
    }
  }

  async function run() {
    if (current && current.running) stop(current);
    runButton.disabled = true;
    let experiment;
    try {
      experiment = await begin(field.value, settingsText());
    } catch (error) {
      runButton.disabled = false;
      say(error instanceof Refusal ? error.message : `The experiment could not start: ${error.message}`);
      return;
    }
    current = experiment;
    downloads.forEach((button) => { button.disabled = true; });
    cancelButton.disabled = false;
    showProgress(experiment);
    play(experiment).catch((error) => failed(experiment, error.message));
  }

  function cancel() {
    if (!current || !current.running) return;
    stop(current);
    say(`Cancelled: ${current.done} of ${current.runs} runs done; their rows can be downloaded`);
    if (current.done === 0) return;
    try {
      showOutcome(current);
    } catch (error) {
      say(`${status.textContent}; the chart cannot be drawn: ${error.message}`);
    }
  }

  function offer(name, content, type) {
    try {
      offerDownload(content(), name, type);
    } catch (error) {
      say(`${name} could not be made: ${error.message}`);
    }
  }

  runButton.addEventListener('click', run);
  cancelButton.addEventListener('click', cancel);
  byId('download-table').addEventListener('click', () =>
    offer(tableFile, () => experimentFile(current.instance, 'table'), 'text/csv'));
  byId('download-summary').addEventListener('click', () =>
    offer('lurkfield-summary.csv', () => experimentFile(current.instance, 'summary'), 'text/csv'));
  byId('download-record').addEventListener('click', () =>
    offer('lurkfield-experiment.json', () => experimentRecord(current.instance, tableFile), 'application/json'));
  byId('copy-experiment-link').addEventListener('click', async () => {
    const href = linkTo(settingsText(), { experiment: field.value });
    try {
      await navigator.clipboard.writeText(href);
      say('Link copied: it opens this page on these settings and runs this experiment.');
    } catch (refused) {
      say(`Copy this link: ${href}`);
    }
  });
  return {
    // A failure here is told when Run asks for the workers.
    prepare() {
      startSpareWorkers().catch(() => {});
    },
    runLinked() {
      try {
        const options = linkedExperiment();
        if (options === null) return;
        field.value = options;
        run();
      } catch (malformed) {
        say('The link holds no readable experiment options.');
      }
    },
  };
}
