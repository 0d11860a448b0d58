// The experiment's chart: prey and predators against the turn, for each design
// point the mean over its played runs in a band from the least to the most, as
// the sweep's plot draws them. The lines, their labels, shades and figures are
// the program's (the sweep's PlotData, through experimentOutcome): this module
// only draws them, and names the points in the chart's accessible label.
//   draw(lines)  lines: [{label, shade, turns, prey, predators}], prey and
//                predators each [mean, least, most], a figure for every turn
//   clear()
import uPlot from './uPlot.js';

const kinds = ['prey', 'predators'];
const description = 'Chart of the prey and predators against the turn, one line of each per design point';

export function createExperimentChart(box) {
  let chart = null;

  function clear() {
    if (chart) chart.destroy();
    chart = null;
    box.setAttribute('aria-label', description);
  }

  // A line holds its point's played runs, and every played run has played every
  // turn: so all lines have the same turns.
  function chartData(lines) {
    const data = [lines[0].turns];
    lines.forEach((line) => kinds.forEach((kind) => data.push(...line[kind])));
    return data;
  }

  function draw(lines) {
    clear();
    if (lines.length === 0) return;
    const style = getComputedStyle(document.documentElement);
    const series = [{ label: 'turn' }];
    const bands = [];
    lines.forEach((line) => kinds.forEach((kind) => {
      const colour = style.getPropertyValue(`--${kind}`).trim();
      const mean = series.length;
      series.push({ label: `${kind} ${line.label}`, stroke: colour, width: 1.5 });
      series.push({ label: `${kind} least`, stroke: 'transparent' });
      series.push({ label: `${kind} most`, stroke: 'transparent' });
      bands.push({ series: [mean + 2, mean + 1], fill: `color-mix(in srgb, ${colour} 15%, transparent)` });
    }));
    chart = new uPlot({
      width: box.clientWidth || 300, height: 260, scales: { x: { time: false } },
      axes: [{ label: 'turn' }, {}], legend: { show: false }, series, bands,
    }, chartData(lines), box);
    box.setAttribute('aria-label', `${description}: ${lines.map((line) => line.label).join('; ')}`);
  }

  return { draw, clear };
}
