// The two charts of a day's records, as the log history window draws them:
// up to five traces over time, each in a vertical scale of its own, and the
// power curve, every record a dot placed by its RPM and its watts.
import { dateAt, element, formatMask, hourMinute, shortTwoPlaces } from './common.js';

// Column of each series in a record [secondsOfDay, volts, amps, watts, rpm, windSpeed].
export const SERIES = [
  { key: 'volts', column: 1, label: 'Volts', colour: '#ff0000', mask: '#0.00', suffix: ' V' },
  { key: 'amps', column: 2, label: 'Amps', colour: '#00ff00', mask: '##0.0', suffix: ' A' },
  // The window's pure blue is lightened a little to be read on the dark chart.
  { key: 'watts', column: 3, label: 'Watts', colour: '#4d6bff', mask: '###0', suffix: ' W' },
  { key: 'rpm', column: 4, label: 'RPM', colour: '#ffff00', mask: '##0', suffix: ' RPM' },
  { key: 'wind', column: 5, label: 'WS', colour: '#ffffff', mask: '##0', suffix: ' ' },
];

// Full-scale values of the five series from a day's "scale": the volts
// scale follows the system voltage, wind speed is always 0 to 100.
export function fullScales(scale) {
  const known = (v) => (Number.isFinite(v) ? v : null);
  return {
    volts: known(scale && scale.maxVolts),
    amps: known(scale && scale.maxAmps),
    watts: known(scale && scale.maxPower),
    rpm: known(scale && scale.maxRpm),
    wind: 100,
  };
}

// Each series' ends: the full scale (Scaled), or the data's extremes over
// `records`, the maximum never below 0 and the minimum never above the full
// scale (Unscaled).
export function seriesRanges(records, full, scaled) {
  const ranges = {};
  for (const s of SERIES) {
    const top = full[s.key];
    if (scaled && top !== null) {
      ranges[s.key] = { min: 0, max: top };
      continue;
    }
    let min = top === null ? Infinity : top;
    let max = 0;
    for (const record of records) {
      const v = record[s.column];
      if (v > max) max = v;
      if (v < min) min = v;
    }
    ranges[s.key] = { min: min === Infinity ? 0 : min, max };
  }
  return ranges;
}

// Where a value sits, 0 at the bottom and 1 at the top: the maximum 2.5 % of
// the range below the top, the minimum 2.5 % above the bottom; a series with
// no range is a flat line across the middle.
export function heightOf(value, range) {
  const span = range.max - range.min;
  if (!(span > 0)) return 0.5;
  return (value - range.min + span / 40) / (span * 1.05);
}

// Records carry only hours and minutes: those of one minute are spread evenly
// across it, so a trace logged every few seconds reads as a line, not a comb.
export function recordTimes(records) {
  const times = new Array(records.length);
  let first = 0;
  while (first < records.length) {
    let last = first;
    while (last + 1 < records.length && records[last + 1][0] === records[first][0]) ++last;
    const count = last - first + 1;
    for (let i = first; i <= last; ++i) times[i] = records[i][0] + ((i - first) * 60) / count;
    first = last + 1;
  }
  return times;
}

// Where the line breaks: before each record whose time lies more than three
// logging intervals after the one before it, for sure, though records know
// only their minute (so 60 s of doubt). `xs` are Dates; the interval is in
// seconds, none for no breaks.
export function gapsBefore(xs, interval) {
  const gaps = [];
  if (!(interval > 0)) return gaps;
  for (let i = 1; i < xs.length; ++i) {
    if ((xs[i].getTime() - xs[i - 1].getTime()) / 1000 - 60 > 3 * interval) gaps.push(i);
  }
  return gaps;
}

// Index of the first record at or after `x` among ascending `times`.
function firstAtOrAfter(times, x) {
  let lo = 0;
  let hi = times.length;
  while (lo < hi) {
    const mid = (lo + hi) >> 1;
    if (times[mid] < x) lo = mid + 1;
    else hi = mid;
  }
  return lo;
}

// The time chart. `parts` names the elements it fills: the chart itself and,
// optionally, the read-out line and the per-series min/max list.
export class TimeChart {
  constructor(parts) {
    this.parts = parts;
    this.graph = null;
    this.records = [];
    this.xs = [];
    this.scaled = true;
    this.visible = { volts: true, amps: true, watts: true, rpm: true, wind: false };
    this.full = fullScales(null);
    this.windUnits = '';
    this.timeText = (record) => hourMinute(record[0]);
    this.onZoom = null;
    // For a rolling chart: the stretch of time shown while the user has not
    // zoomed, as [from, to] in milliseconds.
    this.span = null;
    this.userZoomed = false;
    this.interval = null; // the logging interval in seconds, which gaps are told by
    this.rowRecord = []; // each drawn row's record, -1 for a break in the line
  }

  // A day's records as /api/day gives them, drawn from their whole extent.
  showDay(day) {
    // Each minute's local time is reckoned once (a day has at most 1,440, and
    // a clock change makes one of them an hour from its neighbour).
    const minutes = new Map();
    const xs = recordTimes(day.records).map((s) => {
      const minute = Math.floor(s / 60);
      if (!minutes.has(minute)) minutes.set(minute, dateAt(day.date, minute * 60).getTime());
      return new Date(minutes.get(minute) + (s - minute * 60) * 1000);
    });
    this.interval = day.logDelay;
    this.setData(day.records, xs, day.scale, true);
  }

  // `records` at the times `xs` (Dates, ascending), with the full scales of
  // `scale`; `fresh` drops any zoom, as for another day.
  setData(records, xs, scale, fresh) {
    this.records = records;
    this.xs = xs;
    this.full = fullScales(scale);
    this.windUnits = (scale && scale.windUnits) || this.windUnits;
    this.draw(fresh);
  }

  setScaled(scaled) {
    this.scaled = scaled;
    this.draw(false);
  }

  setVisible(key, on) {
    this.visible[key] = on;
    if (this.graph) this.graph.setVisibility(SERIES.findIndex((s) => s.key === key), on);
  }

  // One row per record, and a row of nothing in each gap: the library
  // breaks the line there instead of joining across the hole.
  rows(ranges) {
    const gaps = new Set(gapsBefore(this.xs, this.interval));
    const rows = [];
    this.rowRecord = [];
    for (let i = 0; i < this.records.length; ++i) {
      if (gaps.has(i)) {
        const middle = new Date((this.xs[i - 1].getTime() + this.xs[i].getTime()) / 2);
        rows.push([middle].concat(SERIES.map(() => null)));
        this.rowRecord.push(-1);
      }
      const record = this.records[i];
      const row = [this.xs[i]];
      for (const s of SERIES) row.push(heightOf(record[s.column], ranges[s.key]));
      rows.push(row);
      this.rowRecord.push(i);
    }
    return rows;
  }

  draw(fresh) {
    const ranges = seriesRanges(this.records, this.full, this.scaled);
    this.fillRangeLabels(ranges);
    if (this.records.length === 0) {
      if (this.graph) this.graph.destroy();
      this.graph = null;
      this.parts.chart.replaceChildren(element('p', 'chart-empty', 'No records'));
      return;
    }
    const rows = this.rows(ranges);
    if (fresh) this.userZoomed = false;
    const dateWindow = this.span && !this.userZoomed ? this.span() : null;
    if (this.graph) {
      const change = { file: rows };
      if (fresh || dateWindow) change.dateWindow = dateWindow;
      this.graph.updateOptions(change);
      return;
    }
    this.parts.chart.textContent = '';
    this.graph = new Dygraph(this.parts.chart, rows, { ...this.options(), dateWindow });
  }

  options() {
    return {
      labels: ['Time'].concat(SERIES.map((s) => s.label)),
      colors: SERIES.map((s) => s.colour),
      visibility: SERIES.map((s) => this.visible[s.key]),
      valueRange: [0, 1],
      strokeWidth: 1,
      axes: {
        y: { drawAxis: false, drawGrid: true },
        x: { axisLabelWidth: 50 },
      },
      gridLineColor: '#5a5a5a',
      axisLineColor: '#9a9a9a',
      highlightCircleSize: 2,
      animatedZooms: false,
      highlightCallback: (event, x, points, row) => this.readOut(row),
      unhighlightCallback: () => this.readOut(null),
      zoomCallback: () => this.zoomed(),
    };
  }

  // Min/max labels of each series, with the series' mask and unit.
  fillRangeLabels(ranges) {
    const list = this.parts.ranges;
    if (!list) return;
    for (const s of SERIES) {
      const suffix = s.key === 'wind' ? ' ' + this.windUnits : s.suffix;
      const item = list.querySelector('[data-series="' + s.key + '"]');
      if (!item) continue;
      const text = (v) => (this.records.length ? formatMask(v, s.mask) + suffix : '\u2013');
      item.querySelector('.max').textContent = text(ranges[s.key].max);
      item.querySelector('.min').textContent = text(ranges[s.key].min);
    }
  }

  // The record under the cursor: its time and values, each rounded to two places.
  readOut(row) {
    const line = this.parts.readout;
    if (!line) return;
    const index = row === null || row === undefined ? -1 : this.rowRecord[row];
    const record = index >= 0 ? this.records[index] : null;
    line.textContent = record ? '' : '\u00a0';
    if (!record) return;
    line.append(element('span', 'readout-time', this.timeText(record)));
    for (const s of SERIES) {
      const unit = s.key === 'wind' ? ' ' + this.windUnits : s.suffix;
      line.append(element('span', 'readout-' + s.key, shortTwoPlaces(record[s.column]) + unit));
    }
  }

  // Tells the page which records a drag left in view, or null when unzoomed.
  zoomed() {
    if (!this.graph) return;
    // A double click unzooms: the chart then rolls on again.
    this.userZoomed = this.graph.isZoomed('x');
    if (!this.onZoom) return;
    if (!this.userZoomed) {
      this.onZoom(null);
      return;
    }
    const [from, to] = this.graph.xAxisRange();
    const times = this.xs.map((x) => x.getTime());
    const first = firstAtOrAfter(times, from);
    const last = firstAtOrAfter(times, to + 1e-6) - 1;
    this.onZoom(first <= last ? { first: this.records[first], last: this.records[last] } : null);
  }
}

// Ticks at `count` equal steps from 0 to `top`, as the window's grid.
function evenTicks(top, count, mask) {
  const ticks = [];
  for (let k = 0; k <= count; ++k) {
    const v = (top * k) / count;
    ticks.push({ v, label: formatMask(v, mask) });
  }
  return ticks;
}

// The power curve of `records`: RPM across up to `rpmTop`, watts up to
// `wattsTop`, both with 5 % to spare, over a grid at quarters of the RPM
// scale and fifths of the watts scale.
export class PowerCurve {
  constructor(chart) {
    this.chart = chart;
    this.graph = null;
  }

  show(records, rpmTop, wattsTop) {
    const rows = records.map((r) => [r[4], r[3]]).sort((a, b) => a[0] - b[0]);
    if (this.graph) this.graph.destroy();
    this.graph = null;
    if (rows.length === 0) {
      this.chart.replaceChildren(element('p', 'chart-empty', 'No records'));
      return;
    }
    this.chart.textContent = '';
    const rpm = rpmTop > 0 ? rpmTop : 1;
    const watts = wattsTop > 0 ? wattsTop : 1;
    this.graph = new Dygraph(this.chart, rows, {
      labels: ['RPM', 'Watts'],
      colors: ['#ff0000'],
      strokeWidth: 0,
      drawPoints: true,
      pointSize: 2,
      // Squares: thousands of them draw faster than as many circles.
      drawPointCallback: (g, name, ctx, x, y, colour, size) => {
        ctx.fillStyle = colour;
        ctx.fillRect(x - size, y - size, 2 * size, 2 * size);
      },
      highlightCircleSize: 3,
      dateWindow: [0, rpm * 1.05],
      valueRange: [-watts / 40, watts * 1.025],
      gridLineColor: '#00b000',
      axisLineColor: '#9a9a9a',
      animatedZooms: false,
      xlabel: 'RPM',
      ylabel: 'W',
      axes: {
        x: { ticker: () => evenTicks(rpm, 4, '##0') },
        y: { ticker: () => evenTicks(watts, 5, '###0'), axisLabelWidth: 40 },
      },
    });
  }
}

// The per-series min/max list below a time chart, with a switch per series.
export function buildSeriesList(list, chart, onToggle) {
  list.textContent = '';
  for (const s of SERIES) {
    const item = element('li', 'series series-' + s.key);
    item.dataset.series = s.key;
    const label = element('label');
    const box = element('input');
    box.type = 'checkbox';
    box.checked = chart.visible[s.key];
    box.id = 'show-' + s.key;
    box.addEventListener('change', () => {
      chart.setVisible(s.key, box.checked);
      if (onToggle) onToggle(s.key, box.checked);
    });
    label.append(box, element('span', 'swatch'), document.createTextNode(s.label));
    item.append(label, element('span', 'max', '\u2013'), element('span', 'min', '\u2013'));
    list.append(item);
  }
}

