// The turbine page: the power curve measured by bins of wind speed over the
// maker's curve, the year's energy it implies, delivered against promised,
// and each day's battery, over a range of days. A figure the logger cannot
// give shows its reason instead of a number.
import { watchAlarms } from './alarm_banner.js';
import { byId, element, fetchJson, formatMask, isoDate, markNavigation, showProblem } from './common.js';

// The reason each figure was left out, by the figure's name.
let reasons = new Map();

// A cell's text: the value under `mask`, or a dash whose title says why.
function cell(value, mask, figure, suffix = '') {
  const td = element('td');
  if (value === null || value === undefined) {
    td.textContent = '\u2013';
    const why = reasons.get(figure);
    if (why) td.title = why;
    return td;
  }
  td.textContent = typeof value === 'number' ? formatMask(value, mask) + suffix : String(value);
  return td;
}

// A table from a head row and one row of cells per item.
function fillTable(table, heads, rows) {
  const head = element('tr');
  for (const h of heads) {
    const th = element('th', '', h);
    th.scope = 'col';
    head.append(th);
  }
  const body = element('tbody');
  for (const row of rows) {
    const tr = element('tr');
    tr.append(...row);
    body.append(tr);
  }
  const thead = element('thead');
  thead.append(head);
  table.replaceChildren(thead, body);
}

function showBins(answer) {
  const bins = answer.bins || [];
  fillTable(
    byId('bins'),
    ['Wind m/s', 'Power W', '\u00b1 W', 'RPM', 'Records', 'Minutes', 'Cp', 'TSR', 'Complete'],
    bins.map((b) => [
      cell(b.wind, '#0.00'),
      cell(b.power, '###0.0'),
      cell(b.powerStd, '###0.0'),
      cell(b.rpm, '###0'),
      cell(b.count, '####0'),
      cell(b.minutes, '####0.0'),
      cell(b.cp, '0.000', 'cp'),
      cell(b.tsr, '#0.00', 'tsr'),
      cell(b.complete === null ? null : b.complete ? 'yes' : 'no', '', 'complete'),
    ]),
  );
}

function showAep(answer) {
  fillTable(
    byId('aep'),
    ['Mean wind m/s', 'Measured kWh', 'Extrapolated kWh', "Maker's kWh", 'Capacity factor'],
    answer.aep.map((a) => [
      cell(a.meanWind, '#0'),
      cell(a.measuredKWh, '####0.0', 'measuredKWh'),
      cell(a.extrapolatedKWh, '####0.0', 'extrapolatedKWh'),
      cell(a.curveKWh, '####0.0', 'curveKWh'),
      cell(a.capacityFactor === null ? null : a.capacityFactor * 100, '#0.0', 'capacityFactor', ' %'),
    ]),
  );
}

function showBattery(answer) {
  fillTable(
    byId('battery'),
    ['Date', 'Lowest V', 'at', 'Highest V', 'at', 'Ah', 'Wh', 'Hours full'],
    answer.battery.map((d) => [
      cell(d.date),
      cell(d.minVolts, '#0.00'),
      cell(d.minAt),
      cell(d.maxVolts, '#0.00'),
      cell(d.maxAt),
      cell(d.ampHours, '###0.00'),
      cell(d.wattHours, '####0.0'),
      cell(d.hoursFull, '#0.00', 'hoursFull'),
    ]),
  );
}

function showTotals(answer) {
  const put = (id, value, mask, figure, suffix) => {
    const target = byId(id);
    const shown = cell(value, mask, figure, suffix);
    target.textContent = shown.textContent;
    target.title = shown.title;
  };
  put('delivered', answer.deliveredWh, '#####0.0', 'deliveredWh', ' Wh');
  put('promised', answer.promisedWh, '#####0.0', 'promisedWh', ' Wh');
  put('ratio', answer.ratio === null ? null : answer.ratio * 100, '##0.0', 'ratio', ' %');
  put('days-since-full', answer.daysSinceFull, '###0', 'daysSinceFull');
  const lines = answer.missing.map((m) => element('li', '', m.figure + ': ' + m.reason));
  for (const day of answer.unreadDays) lines.push(element('li', 'error', day));
  byId('missing').replaceChildren(...lines);
}

// A chart's place emptied of an old chart, with a line saying why nothing is drawn.
function nothingIn(place, graph, why) {
  if (graph) graph.destroy();
  place.replaceChildren(element('p', 'chart-empty', why));
  return null;
}

// A dot, filled or hollow, where a bin's mean lies.
function dot(hollow) {
  return (g, name, ctx, x, y, colour, size) => {
    ctx.beginPath();
    ctx.arc(x, y, size, 0, 2 * Math.PI);
    ctx.strokeStyle = colour;
    ctx.fillStyle = colour;
    if (hollow) ctx.stroke();
    else ctx.fill();
  };
}

class CurveChart {
  constructor(place) {
    this.place = place;
    this.graph = null;
  }

  // Rows by wind: [wind, complete bin's power, incomplete bin's power, maker's watts].
  show(bins, curve) {
    const rows = [];
    for (const b of bins) rows.push([b.wind, b.complete === false ? null : b.power, b.complete === false ? b.power : null, null]);
    for (const p of curve) rows.push([p.wind, null, null, p.watts]);
    rows.sort((a, b) => a[0] - b[0]);
    if (rows.length === 0) {
      this.graph = nothingIn(this.place, this.graph, 'No wind in these days');
      return;
    }
    const top = Math.max(1, ...bins.map((b) => b.power + b.powerStd), ...curve.map((p) => p.watts));
    if (this.graph) this.graph.destroy();
    this.place.textContent = '';
    this.graph = new Dygraph(this.place, rows, {
      labels: ['m/s', 'Measured', 'Too little data', "Maker's curve"],
      colors: ['#4d6bff', '#4d6bff', '#ffff00'],
      connectSeparatedPoints: true,
      valueRange: [Math.min(0, ...bins.map((b) => b.power - b.powerStd)), top * 1.05],
      series: {
        Measured: { strokeWidth: 0, drawPoints: true, pointSize: 3, drawPointCallback: dot(false) },
        'Too little data': { strokeWidth: 0, drawPoints: true, pointSize: 3, drawPointCallback: dot(true) },
        "Maker's curve": { strokeWidth: 1.5 },
      },
      // One standard deviation of power either side of each bin's mean.
      underlayCallback: (ctx, area, g) => {
        ctx.strokeStyle = '#8fa3ff';
        ctx.beginPath();
        for (const b of bins) {
          const x = g.toDomXCoord(b.wind);
          ctx.moveTo(x, g.toDomYCoord(b.power - b.powerStd));
          ctx.lineTo(x, g.toDomYCoord(b.power + b.powerStd));
        }
        ctx.stroke();
      },
      gridLineColor: '#5a5a5a',
      axisLineColor: '#9a9a9a',
      animatedZooms: false,
      xlabel: 'm/s',
      ylabel: 'W',
      axes: { y: { axisLabelWidth: 40 } },
    });
  }
}

class VoltsChart {
  constructor(place) {
    this.place = place;
    this.graph = null;
  }

  show(days) {
    if (days.length === 0) {
      this.graph = nothingIn(this.place, this.graph, 'No records in these days');
      return;
    }
    const rows = days.map((d) => {
      const [y, m, day] = d.date.split('-').map(Number);
      return [new Date(y, m - 1, day), d.minVolts, d.maxVolts];
    });
    if (this.graph) this.graph.destroy();
    this.place.textContent = '';
    this.graph = new Dygraph(this.place, rows, {
      labels: ['Day', 'Lowest V', 'Highest V'],
      colors: ['#ff6b6b', '#00ff00'],
      drawPoints: true,
      pointSize: 2,
      gridLineColor: '#5a5a5a',
      axisLineColor: '#9a9a9a',
      animatedZooms: false,
      ylabel: 'V',
      axes: { y: { axisLabelWidth: 40 } },
    });
  }
}

let curveChart = null;
let voltsChart = null;

async function load() {
  const from = byId('from').value;
  const to = byId('to').value;
  const query = 'from=' + from + '&to=' + to;
  history.replaceState(null, '', '/turbine?' + query);
  showProblem('');
  try {
    const answer = await fetchJson('/api/performance?' + query);
    reasons = new Map(answer.missing.map((m) => [m.figure, m.reason]));
    showTotals(answer);
    showBins(answer);
    showAep(answer);
    showBattery(answer);
    curveChart.show(answer.bins || [], answer.curve || []);
    voltsChart.show(answer.battery);
    window.tamselTurbine.answer = answer;
    window.tamselTurbine.loads += 1;
  } catch (error) {
    showProblem(error.message);
  }
}

function start() {
  markNavigation('turbine');
  watchAlarms();
  window.tamselTurbine = { answer: null, loads: 0 };
  curveChart = new CurveChart(byId('curve'));
  voltsChart = new VoltsChart(byId('volts'));
  const asked = new URLSearchParams(location.search);
  const today = new Date();
  const monthAgo = new Date(today.getFullYear(), today.getMonth(), today.getDate() - 29);
  byId('from').value = asked.get('from') || isoDate(monthAgo);
  byId('to').value = asked.get('to') || isoDate(today);
  byId('range').addEventListener('submit', (event) => {
    event.preventDefault();
    load();
  });
  load();
}

start();
