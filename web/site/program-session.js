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
//   turn(census)     a turn is shown: {turn, furthest, obstacles, prey, predators},
//                    from the program's census (web/CensusExport.cpp), which the page
//                    asks for each time the program looks for its next message
//   passed(census)   a turn played for the first time on the way to another
//   going()          the board is taken to another turn (goTo)
//   ended()          the program ended, was replaced or could not run
// The board's game is one history (web/TurnHistory.h) from the set-up to the
// furthest turn played: goTo(turn) takes the board to any turn of it, or on,
// exactly as playing on from the set-up shows it; a start begins a new one.
// The status line says what the user must know: starting, ended, failed.
import { startProgram } from './loader.js';

export function createProgramSession(board, status) {
  const watchers = [];
  let current = null;
  let shownTurn = 0;
  let furthestTurn = 0;

  const say = (text) => { status.textContent = text; };
  const tell = (hook, ...values) => watchers.forEach((watcher) => watcher[hook] && watcher[hook](...values));

  function failed(run, error) {
    if (run.replaced || run.over) return;
    run.over = true;
    tell('ended');
    say(`The program could not run: ${error.message || error}`);
    console.warn(error);
  }

  function census(run, { turn, furthest, obstacles, prey, predators, passing }) {
    if (run.replaced) return;
    const counts = { turn, furthest, obstacles, prey, predators };
    if (passing) return tell('passed', counts);
    shownTurn = turn;
    furthestTurn = furthest;
    tell('turn', counts);
  }

  // The board of the turn, once the program's window is open; false when it is not.
  function goTo(turn) {
    const module = current && current.opened && !current.over && current.module;
    if (!module || !module.redrawWindow) return false;
    tell('going');
    try {
      module._lurkfield_go_to_turn(turn);
    } catch (error) {
      failed(current, error);
      return false;
    }
    module.redrawWindow();
    return true;
  }

  function windowOpened(run) {
    run.opened = true;
    say('');
    board.focus();
    tell('opened', run.module);
  }

  function launch(text) {
    const run = { replaced: false, opened: false, over: false };
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
    // The turn the board shows, and the furthest of its history.
    turn: () => shownTurn,
    furthest: () => furthestTurn,
    goTo,
    start(text) {
      tell('ended');
      if (current) {
        current.replaced = true;
        if (current.module.closeWindow) current.module.closeWindow();
        else current.module.canvas = document.createElement('canvas');
      }
      shownTurn = furthestTurn = 0;
      tell('starting');
      say('Starting the program…');
      current = launch(text);
    },
  };
}
