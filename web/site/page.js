// The page, put together: the board's program session (program-session.js) and
// its watchers (the numbers and chart of the population, Turn and Play, pictures
// and movies of the board), the settings editor with Start and a link to its
// world (address.js), and the Experiment section (experiment.js). Each module
// says what it does; nothing is shared between them but what this file hands
// over. A link's settings fill the editor before the board starts and before a
// linked experiment runs.
import { linkTo, linkedSettings } from './address.js';
import { createBoardKeeping } from './board-keeping.js';
import { createExperiment } from './experiment.js';
import { createPopulationChart } from './population-chart.js';
import { createProgramSession } from './program-session.js';
import { createTurnControls } from './turn-controls.js';

const byId = (id) => document.getElementById(id);
const board = byId('board');
const config = byId('config');
const linkStatus = byId('link-status');

const session = createProgramSession(board, byId('board-status'));
session.watch(createPopulationChart({ turnOutput: byId('turn'), preyOutput: byId('prey'),
  predatorsOutput: byId('predators'), chartBox: byId('chart') }));
session.watch(createTurnControls({ step: byId('step'), play: byId('play'), speed: byId('speed') }));
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

// The settings a link carries, or null.
function settingsFromAddress() {
  try {
    return linkedSettings();
  } catch (malformed) {
    linkStatus.textContent = 'The link holds no readable settings; here is the sample world.';
    return null;
  }
}

function startOnAddress() {
  const text = settingsFromAddress();
  if (text !== null) config.value = text;
  session.start(config.value);
}

byId('start').addEventListener('click', () => session.start(config.value));
config.addEventListener('keydown', (key) => {
  if (key.key === 'Enter' && (key.ctrlKey || key.metaKey)) {
    key.preventDefault();
    session.start(config.value);
  }
});

byId('copy-link').addEventListener('click', async () => {
  const href = linkTo(config.value);
  const link = byId('link');
  link.value = href;
  link.hidden = false;
  try {
    await navigator.clipboard.writeText(href);
    linkStatus.textContent = 'Link copied: it opens this page on these settings.';
  } catch (refused) {
    link.select();
    linkStatus.textContent = 'Copy the link below: it opens this page on these settings.';
  }
});

window.addEventListener('hashchange', () => {
  if (settingsFromAddress() !== null) startOnAddress();
});
startOnAddress();
experiment.runLinked();
