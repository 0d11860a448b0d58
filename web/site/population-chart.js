// "On the grid": the turn shown and the prey and predators on the grid, as
// numbers and as a chart of every turn of the board's history, with a legend and
// a line at the turn shown. A watcher of the board's program session
// (program-session.js): reset as a program starts, a point for every turn
// played (shown or passed on the way to another). A click or tap on the chart
// asks for the turn under it (goTo). The chart is drawn at most once a frame.
import uPlot from './uPlot.js';

export function createPopulationChart({ turnOutput, preyOutput, predatorsOutput, chartBox, goTo }) {
  const style = getComputedStyle(document.documentElement);
  const data = [[], [], []];
  let shown = 0;
  let drawPending = false;

  // The line at the turn shown, over the plot.
  function markShown(u) {
    if (data[0].length === 0) return;
    const x = Math.round(u.valToPos(shown, 'x', true));
    const { top, height } = u.bbox;
    u.ctx.save();
    u.ctx.strokeStyle = '#222';
    u.ctx.lineWidth = Math.max(1, devicePixelRatio);
    u.ctx.setLineDash([4 * devicePixelRatio, 3 * devicePixelRatio]);
    u.ctx.beginPath();
    u.ctx.moveTo(x, top);
    u.ctx.lineTo(x, top + height);
    u.ctx.stroke();
    u.ctx.restore();
  }

  const chart = new uPlot({
    width: chartBox.clientWidth || 300,
    height: 220,
    scales: { x: { time: false } },
    // Whole turns only on the turn axis.
    axes: [{ label: 'turn', incrs: [1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000, 50000, 100000, 200000, 500000, 1000000] },
      { label: 'on the grid' }],
    legend: { show: true, live: false },
    cursor: { drag: { x: false, y: false } },
    hooks: { draw: [markShown] },
    series: [
      { label: 'Turn' },
      { label: 'Prey', stroke: style.getPropertyValue('--prey').trim(), width: 2 },
      { label: 'Predators', stroke: style.getPropertyValue('--predators').trim(), width: 2 },
    ],
  }, data, chartBox);
  new ResizeObserver(() => chart.setSize({ width: chartBox.clientWidth, height: 220 })).observe(chartBox);
  // Taken on its way to the plot (the chart library keeps some clicks to itself),
  // and measured from the plot's own edge.
  chartBox.addEventListener('click', (event) => {
    const plot = chart.over.getBoundingClientRect();
    const last = data[0].length - 1;
    if (last < 0 || event.clientX < plot.left || event.clientX > plot.right ||
      event.clientY < plot.top || event.clientY > plot.bottom) return;
    goTo(Math.min(last, Math.max(0, Math.round(chart.posToVal(event.clientX - plot.left, 'x')))));
  }, true);

  function drawSoon() {
    if (drawPending) return;
    drawPending = true;
    requestAnimationFrame(() => {
      drawPending = false;
      chart.setData(data);
      chartBox.setAttribute('aria-label', `Chart of the prey and predators on the grid after each turn, from 0 to ${data[0].length - 1}; turn ${shown} shown`);
    });
  }

  function count({ turn, prey, predators }) {
    data[0][turn] = turn;
    data[1][turn] = prey;
    data[2][turn] = predators;
    drawSoon();
  }

  return {
    starting() {
      data.forEach((series) => { series.length = 0; });
      shown = 0;
      turnOutput.value = '0';
      preyOutput.value = predatorsOutput.value = '–';
      drawSoon();
    },
    passed: count,
    turn(census) {
      shown = census.turn;
      count(census);
      turnOutput.value = String(census.turn);
      preyOutput.value = String(census.prey);
      predatorsOutput.value = String(census.predators);
    },
  };
}
