// The page, put together: the board's program session (program-session.js) and
// its watchers (the numbers and chart of the population, Turn and Play, Back and
// the history, pictures and movies of the board), the settings editor with
// Start and a link to its world at the turn shown (address.js), and the
// Experiment section (experiment.js). Each module says what it does; nothing is
// shared between them but what this file hands over. A link's settings fill the
// editor before the board starts and before a linked experiment runs; its turn
// is shown once the board is up.
import { linkTo, linkedSettings, linkedTurn } from './address.js';
import { createBoardKeeping } from './board-keeping.js';
import { createExperiment } from './experiment.js';
import { createHistoryControls } from './history-controls.js';
import { createPopulationChart } from './population-chart.js';
import { createProgramSession } from './program-session.js';
import { createTurnControls } from './turn-controls.js';

const byId = (id) => document.getElementById(id);
const board = byId('board');
const config = byId('config');
const linkStatus = byId('link-status');

const session = createProgramSession(board, byId('board-status'));
session.watch(createPopulationChart({ turnOutput: byId('turn'), preyOutput: byId('prey'),
  predatorsOutput: byId('predators'), chartBox: byId('chart'), goTo: session.goTo }));
session.watch(createTurnControls({ step: byId('step'), play: byId('play'), speed: byId('speed') }));
session.watch(createHistoryControls({ back: byId('back'), history: byId('history'), goTo: session.goTo }));
session.watch(createBoardKeeping({ board, picture: byId('save-picture'), record: byId('record'),
  status: byId('keep-status'), shownTurn: session.turn }));
// What the board shows, for those who cannot see it.
session.watch({
  starting: () => board.setAttribute('aria-label', 'The board'),
  turn: ({ turn, prey, predators, obstacles }) => board.setAttribute('aria-label',
    `The board after turn ${turn}: ${prey} prey, ${predators} predators, ${obstacles} obstacles`),
});
const experiment = createExperiment(() => config.value);
// The experiment's workers start once the board is up: started with it, they would slow it.
session.watch({ opened: () => experiment.prepare() });
// The site kept for use without the network (service-worker.js), once the board is up.
session.watch({
  opened() {
    if (!('serviceWorker' in navigator)) return;
    navigator.serviceWorker.register('service-worker.js').catch((error) => console.warn(`The page cannot be kept offline: ${error.message}`));
  },
});

// The settings a link carries, or null.
function settingsFromAddress() {
  try {
    return linkedSettings();
  } catch (malformed) {
    linkStatus.textContent = 'The link holds no readable settings; here is the sample world.';
    return null;
  }
}

// The furthest turn a link may ask for: beyond it a link would hold the page for long.
const furthestLinkedTurn = 1000000;

// The turn a link asks for; 0, with the status saying why, when it cannot be shown.
function turnFromAddress() {
  let text;
  try {
    text = linkedTurn();
  } catch (malformed) {
    text = '%';
  }
  if (text === null) return 0;
  const refuse = (why) => {
    linkStatus.textContent = `The link's turn "${text}" ${why}: the board opens at turn 0.`;
    return 0;
  };
  if (!/^[+-]?\d+$/.test(text.trim())) return refuse('is not a number');
  const turn = Number(text);
  if (turn < 0) return refuse('is negative');
  if (turn > furthestLinkedTurn) return refuse('is past turn 1,000,000');
  return turn;
}

// The turn to show once the board is up (a link's).
let linkedTurnToShow = 0;
session.watch({
  opened() {
    const turn = linkedTurnToShow;
    linkedTurnToShow = 0;
    // Once the program sleeps: the window opened within its message loop.
    if (turn > 0) queueMicrotask(() => session.goTo(turn));
  },
});

// The settings the board was started on, for a link to its turn.
let startedText = null;
function start(text) {
  startedText = text;
  session.start(text);
}

function startOnAddress() {
  linkStatus.textContent = '';
  const text = settingsFromAddress();
  if (text !== null) config.value = text;
  linkedTurnToShow = text === null ? 0 : turnFromAddress();
  start(config.value);
}

byId('start').addEventListener('click', () => start(config.value));
config.addEventListener('keydown', (key) => {
  if (key.key === 'Enter' && (key.ctrlKey || key.metaKey)) {
    key.preventDefault();
    start(config.value);
  }
});

byId('copy-link').addEventListener('click', async () => {
  // The turn shown, while the board shows a game of these settings.
  const showing = !byId('step').disabled && config.value === startedText;
  const href = linkTo(config.value, { turn: showing ? session.turn() : null });
  const link = byId('link');
  link.value = href;
  link.hidden = false;
  try {
    await navigator.clipboard.writeText(href);
    linkStatus.textContent = `Link copied: it opens this page on these settings${showing ? ` at turn ${session.turn()}` : ''}.`;
  } catch (refused) {
    link.select();
    linkStatus.textContent = `Copy the link below: it opens this page on these settings${showing ? ` at turn ${session.turn()}` : ''}.`;
  }
});

window.addEventListener('hashchange', () => {
  if (settingsFromAddress() !== null) startOnAddress();
});
startOnAddress();
experiment.runLinked();
