// "On the grid": the turn shown and the prey and predators on the grid, as
// numbers and as a chart of every turn since the start. A watcher of the
// board's program session (program-session.js): reset as a program starts,
// a point added for every turn. The chart is drawn at most once a frame.
import uPlot from './uPlot.js';

export function createPopulationChart({ turnOutput, preyOutput, predatorsOutput, chartBox }) {
  const style = getComputedStyle(document.documentElement);
  const data = [[], [], []];
  let drawPending = false;
  const chart = new uPlot({
    width: chartBox.clientWidth || 300,
    height: 220,
    scales: { x: { time: false } },
    // Whole turns only on the turn axis.
    axes: [{ label: 'turn', incrs: [1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000] }, {}],
    legend: { show: false },
    series: [
      { label: 'Turn' },
      { label: 'Prey', stroke: style.getPropertyValue('--prey').trim(), width: 2 },
      { label: 'Predators', stroke: style.getPropertyValue('--predators').trim(), width: 2 },
    ],
  }, data, chartBox);
  new ResizeObserver(() => chart.setSize({ width: chartBox.clientWidth, height: 220 })).observe(chartBox);

  function drawSoon() {
    if (drawPending) return;
    drawPending = true;
    requestAnimationFrame(() => {
      drawPending = false;
      chart.setData(data);
    });
  }

  return {
    starting() {
      data.forEach((series) => { series.length = 0; });
      turnOutput.value = '0';
      preyOutput.value = predatorsOutput.value = '–';
      drawSoon();
    },
    turn({ turn, prey, predators }) {
      data[0].push(turn);
      data[1].push(prey);
      data[2].push(predators);
      turnOutput.value = String(turn);
      preyOutput.value = String(prey);
      predatorsOutput.value = String(predators);
      drawSoon();
    },
  };
}
