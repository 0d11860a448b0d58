// Back to any turn, a watcher of the board's program session (program-session.js):
// #back shows the turn before the one shown, and #history, a range from turn 0 to
// the furthest played, shows the turn it is set to. The program's history
// (web/TurnHistory.h) takes the board there exactly as playing on from the set-up.
export function createHistoryControls({ back, history, goTo }) {
  back.addEventListener('click', () => goTo(Number(history.value) - 1));
  history.addEventListener('input', () => goTo(Number(history.value)));

  function enable(on) {
    history.disabled = !on;
    back.disabled = !on || history.value === '0';
  }

  return {
    starting() {
      history.max = '0';
      history.value = '0';
      enable(false);
    },
    opened: () => enable(true),
    ended: () => enable(false),
    turn({ turn, furthest }) {
      history.max = String(furthest);
      history.value = String(turn);
      history.setAttribute('aria-valuetext', `turn ${turn} of ${furthest}`);
      back.disabled = history.disabled || turn === 0;
    },
  };
}
