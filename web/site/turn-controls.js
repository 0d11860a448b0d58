// Turn and Play/Pause beside the board, a watcher of the board's program session
// (program-session.js). Every turn is the space that the board's key would type,
// handed to the program's window as that key's character message, so the game
// cannot tell them apart. Play hands on the next space only once the turn of the
// last one is shown, then after the rest of the interval its speed sets (at the
// fastest, at once: the program repaints the board every turn). Taking the board
// to another turn (going) pauses Play; Turn and Play go on from the turn shown.
const space = 32;

export function createTurnControls({ step, play, speed }) {
  let program = null; // the program whose window takes the turns
  let playing = false;
  let waiting = false; // a turn was handed on and is not shown yet
  let timer = null;
  let sentAt = 0;

  function send() {
    timer = null;
    if (!program || waiting) return;
    sentAt = performance.now();
    waiting = true;
    program.typeCharacter(space);
  }

  function setPlaying(on) {
    playing = on;
    play.setAttribute('aria-pressed', String(on));
    play.textContent = on ? 'Pause' : 'Play';
    clearTimeout(timer);
    timer = null;
    if (on) send();
  }

  step.addEventListener('click', () => {
    setPlaying(false);
    send();
  });
  play.addEventListener('click', () => setPlaying(!playing));

  return {
    opened(openedProgram) {
      program = openedProgram;
      waiting = false;
      step.disabled = play.disabled = false;
    },
    ended() {
      setPlaying(false);
      program = null;
      step.disabled = play.disabled = true;
    },
    going: () => setPlaying(false),
    turn() {
      waiting = false;
      if (!playing || timer !== null) return;
      const interval = Number(speed.value) > 0 ? 1000 / Number(speed.value) : 0;
      timer = setTimeout(send, Math.max(0, interval - (performance.now() - sentAt)));
    },
  };
}
