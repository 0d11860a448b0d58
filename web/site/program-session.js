// The board's program: a fresh instance of the window program (the loader's) for
// every start, as a process would be, with the editor's text as its
// lurkfield.config. A start replaces the program before it: one waiting for
// input ends at once through its window's close (WM_CLOSE, as a desktop user
// would close it); one that has not opened its window yet is left a canvas of
// its own that nobody sees. The board itself is the program's: the page never
// draws on the canvas.
// What becomes of the program goes to the session's watchers, each an object
// with any of:
//   starting()       a new program is on its way (the turn is 0 again)
//   opened(program)  its window is open: program is the instance (typeCharacter,
//                    onPresent, as platform/browser/BrowserBackEnd.h says)
//   turn(census)     a new turn is shown: {turn, obstacles, prey, predators}, from
//                    the program's census (web/CensusExport.cpp), which the page asks
//                    for each time the program looks for its next message
//   ended()          the program ended, was replaced or could not run
// The status line says what the user must know: starting, ended, failed.
import { startProgram } from './loader.js';

export function createProgramSession(board, status) {
  const watchers = [];
  let current = null;
  let shownTurn = 0;

  const say = (text) => { status.textContent = text; };
  const tell = (hook, ...values) => watchers.forEach((watcher) => watcher[hook] && watcher[hook](...values));

  function failed(run, error) {
    if (run.replaced || run.over) return;
    run.over = true;
    tell('ended');
    say(`The program could not run: ${error.message || error}`);
    console.warn(error);
  }

  function census(run, counts) {
    if (run.replaced || counts.serial === run.lastSerial) return;
    if (run.lastSerial !== null) shownTurn += 1;
    run.lastSerial = counts.serial;
    tell('turn', { turn: shownTurn, obstacles: counts.obstacles, prey: counts.prey, predators: counts.predators });
  }

  function windowOpened(run) {
    run.opened = true;
    say('');
    board.focus();
    tell('opened', run.module);
  }

  function launch(text) {
    const run = { replaced: false, opened: false, over: false, lastSerial: null };
    run.module = {
      canvas: board,
      preRun: [() => run.module.FS.writeFile('lurkfield.config', text)],
      // Running now: a message box may come before any window.
      onRuntimeInitialized: () => { if (!run.replaced) say(''); },
      onGetMessage() {
        if (run.replaced) return;
        if (!run.opened) windowOpened(run);
        run.module._lurkfield_census();
      },
      onCensus: (counts) => census(run, counts),
      onProgramEnd(exitCode) {
        if (run.replaced) return;
        run.over = true;
        tell('ended');
        say(`The program ended (exit code ${exitCode}). Press Start to run it again.`);
      },
      // Emscripten's end for what the program cannot survive (memory beyond the browser's).
      onAbort: (what) => failed(run, what),
      print: (line) => console.log(line),
      printErr: (line) => console.warn(line),
    };
    startProgram(run.module).catch((error) => failed(run, error));
    return run;
  }

  return {
    watch(watcher) { watchers.push(watcher); },
    // The turn the board shows.
    turn: () => shownTurn,
    start(text) {
      tell('ended');
      if (current) {
        current.replaced = true;
        if (current.module.closeWindow) current.module.closeWindow();
        else current.module.canvas = document.createElement('canvas');
      }
      shownTurn = 0;
      tell('starting');
      say('Starting the program…');
      current = launch(text);
    },
  };
}
