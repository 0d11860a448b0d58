// The experiment's chart, as the sweep's plot draws it: two panels, prey and
// predators against the turn, each design point's mean over its played runs in a
// band from the least to the most, in the point's own colour in both, and a
// legend that names every point ("predator.sight=4", or each varied key and
// value; "all runs" when nothing is varied). The lines, their labels, colours and
// figures are the program's (the sweep's PlotData and palette, through
// experimentOutcome): this module only draws them, and names the points in the
// legend and in the chart's accessible label.
//   draw(lines)  lines: [{label, colour, turns, prey, predators}], prey and
//                predators each [mean, least, most], a figure for every turn
//   clear()
import uPlot from './uPlot.js';

const panels = ['prey', 'predators'];
const description = 'Chart of the prey and predators against the turn, one line of each per design point';

export function createExperimentChart(box) {
  let charts = [];
  let observer = null;

  function clear() {
    charts.forEach((chart) => chart.destroy());
    charts = [];
    if (observer) observer.disconnect();
    observer = null;
    box.replaceChildren();
    box.setAttribute('aria-label', description);
  }

  function legendOf(lines) {
    const legend = document.createElement('ul');
    legend.className = 'legend';
    for (const line of lines) {
      const item = document.createElement('li');
      const swatch = document.createElement('span');
      swatch.className = 'swatch';
      swatch.style.background = line.colour;
      item.append(swatch, line.label);
      legend.append(item);
    }
    return legend;
  }

  // A line holds its point's played runs, and every played run has played every
  // turn: so all lines have the same turns.
  function panel(lines, kind, width) {
    const data = [lines[0].turns];
    const series = [{ label: 'turn' }];
    const bands = [];
    for (const line of lines) {
      const mean = series.length;
      data.push(...line[kind]);
      series.push({ label: `${kind} ${line.label}`, stroke: line.colour, width: 1.5 },
        { label: `${kind} least`, stroke: 'transparent' }, { label: `${kind} most`, stroke: 'transparent' });
      bands.push({ series: [mean + 2, mean + 1], fill: `color-mix(in srgb, ${line.colour} 15%, transparent)` });
    }
    const place = document.createElement('div');
    place.className = 'panel';
    place.setAttribute('aria-label', `${kind} against the turn`);
    box.append(place);
    return new uPlot({
      width, height: 200, scales: { x: { time: false } },
      axes: [{ label: 'turn' }, { label: kind }], legend: { show: false }, series, bands,
    }, data, place);
  }

  function draw(lines) {
    clear();
    if (lines.length === 0) return;
    box.append(legendOf(lines));
    const width = () => box.clientWidth || 300;
    charts = panels.map((kind) => panel(lines, kind, width()));
    observer = new ResizeObserver(() => charts.forEach((chart) => chart.setSize({ width: width(), height: 200 })));
    observer.observe(box);
    box.setAttribute('aria-label', `${description}: ${lines.map((line) => line.label).join('; ')}`);
  }

  return { draw, clear };
}
