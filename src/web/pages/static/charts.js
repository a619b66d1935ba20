// The two charts of a day's records: one panel per quantity over time, each
// with its own scale in its unit, and the power curve, every record a dot
// placed by its RPM and its watts.
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

// Rows of one quantity over the records `first` to `last`: the raw line when
// they fit the panel's `columns` pixel columns, else per column the lowest,
// the mean and the highest ([x, [min, mean, max]]), so a whole day stays
// readable on a phone. A gap (or an empty column) is a row of nothing, which
// breaks the line. `rowRecord` gets each row's first record, -1 for a break.
export function panelRows(xs, records, column, first, last, columns, gaps, rowRecord) {
  const rows = [];
  rowRecord.length = 0;
  if (last < first) return { rows, band: false };
  if (last - first + 1 <= columns) {
    for (let i = first; i <= last; ++i) {
      if (gaps.has(i) && i > first) {
        rows.push([new Date((xs[i - 1].getTime() + xs[i].getTime()) / 2), null]);
        rowRecord.push(-1);
      }
      rows.push([xs[i], records[i][column]]);
      rowRecord.push(i);
    }
    return { rows, band: false };
  }
  const from = xs[first].getTime();
  const width = (xs[last].getTime() - from) / columns || 1;
  let i = first;
  for (let c = 0; c < columns && i <= last; ++c) {
    const end = c === columns - 1 ? Infinity : from + (c + 1) * width;
    let min = Infinity;
    let max = -Infinity;
    let sum = 0;
    let n = 0;
    const start = i;
    for (; i <= last && xs[i].getTime() < end; ++i) {
      if (gaps.has(i) && i > start && n) break;
      const v = records[i][column];
      min = Math.min(min, v);
      max = Math.max(max, v);
      sum += v;
      ++n;
    }
    const x = new Date(from + (c + 0.5) * width);
    if (n === 0) {
      rows.push([x, null]);
      rowRecord.push(-1);
      continue;
    }
    rows.push([x, [min, sum / n, max]]);
    rowRecord.push(start);
    if (i <= last && gaps.has(i) && xs[i].getTime() < end) {
      // A gap inside the column: break the line, and take the rest next.
      rows.push([new Date(xs[i].getTime() - 1), null]);
      rowRecord.push(-1);
    }
  }
  return { rows, band: true };
}

// The time chart: one panel per quantity, stacked, each with its own y-axis
// in its unit, over one time axis (a zoom in one zooms them all). `parts`
// names the elements it fills: the chart itself and, optionally, the
// read-out line and the per-series min/max list.
export class TimeChart {
  constructor(parts) {
    this.parts = parts;
    this.graphs = []; // one per series, in SERIES order
    this.records = [];
    this.xs = [];
    this.scaled = true;
    this.visible = { volts: true, amps: true, watts: true, rpm: true, wind: true };
    this.full = fullScales(null);
    this.windUnits = '';
    this.timeText = (record) => hourMinute(record[0]);
    this.onZoom = null;
    // For a rolling chart: the stretch of time shown while the user has not
    // zoomed, as [from, to] in milliseconds.
    this.span = null;
    this.userZoomed = false;
    this.interval = null; // the logging interval in seconds, which gaps are told by
    this.rowRecord = []; // each drawn row's first record, -1 for a break
    this.band = false; // whether the panels show min-max bands
    this.syncing = false;
  }

  // The first panel's graph, for whoever looks at the chart from outside.
  get graph() {
    return this.graphs.length ? this.graphs[0] : null;
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
    const place = this.parts.chart.querySelector('.chart-panel-' + key);
    if (place) place.hidden = !on;
    this.markTimeAxis();
  }

  // The time axis is drawn under the lowest panel shown.
  markTimeAxis() {
    const lowest = SERIES.map((s) => this.visible[s.key]).lastIndexOf(true);
    this.graphs.forEach((g, k) => {
      if (g.getOption('axes').x.drawAxis !== (k === lowest))
        g.updateOptions({ axes: { x: { drawAxis: k === lowest } } });
    });
  }

  unit(s) {
    return s.key === 'wind' ? this.windUnits || 'wind' : s.suffix.trim();
  }

  // The records within `window` ([from, to] in ms), or all of them.
  recordSpan(window) {
    if (!window) return [0, this.records.length - 1];
    const times = this.xs.map((x) => x.getTime());
    return [firstAtOrAfter(times, window[0]), firstAtOrAfter(times, window[1] + 1e-6) - 1];
  }

  // Every panel's rows over the records in `window`.
  panelFiles(window) {
    const [first, last] = this.recordSpan(window);
    const columns = Math.max(50, Math.floor(this.parts.chart.clientWidth || 600) - 60);
    const gaps = new Set(gapsBefore(this.xs, this.interval));
    const files = SERIES.map((s) => {
      const rowRecord = [];
      const made = panelRows(this.xs, this.records, s.column, first, last, columns, gaps, rowRecord);
      this.rowRecord = rowRecord;
      this.band = made.band;
      return made.rows;
    });
    return files;
  }

  draw(fresh) {
    const ranges = seriesRanges(this.records, this.full, this.scaled);
    this.fillRangeLabels(ranges);
    if (this.records.length === 0) {
      for (const g of this.graphs) g.destroy();
      this.graphs = [];
      this.parts.chart.replaceChildren(element('p', 'chart-empty', 'No records'));
      return;
    }
    if (fresh) this.userZoomed = false;
    const dateWindow = this.span && !this.userZoomed ? this.span() : null;
    const files = this.panelFiles(this.userZoomed && this.graph ? this.graph.xAxisRange() : dateWindow);
    if (this.graphs.length) {
      SERIES.forEach((s, k) => {
        const change = { file: files[k], customBars: this.band, valueRange: this.valueRange(s, ranges) };
        if (fresh || dateWindow) change.dateWindow = dateWindow;
        this.graphs[k].updateOptions(change);
      });
      return;
    }
    this.parts.chart.textContent = '';
    this.graphs = SERIES.map((s, k) => {
      const place = element('div', 'chart-panel chart-panel-' + s.key);
      place.hidden = !this.visible[s.key];
      this.parts.chart.append(place);
      return new Dygraph(place, files[k], {
        ...this.options(s),
        valueRange: this.valueRange(s, ranges),
        customBars: this.band,
        dateWindow,
      });
    });
    this.markTimeAxis();
  }

  // The panel's scale: 0 to full scale (Scaled), or the data's extremes.
  valueRange(s, ranges) {
    const r = ranges[s.key];
    const spare = (r.max - r.min) / 40 || 1;
    return [r.min - spare, r.max + spare];
  }

  options(s) {
    const chart = this;
    return {
      labels: ['Time', s.label],
      colors: [s.colour],
      ylabel: this.unit(s),
      strokeWidth: 1,
      fillAlpha: 0.35,
      axes: {
        y: { axisLabelWidth: 44, drawGrid: true },
        x: { axisLabelWidth: 50, drawAxis: false },
      },
      gridLineColor: '#5a5a5a',
      axisLineColor: '#9a9a9a',
      highlightCircleSize: 2,
      animatedZooms: false,
      highlightCallback: (event, x, points, row) => this.readOut(row),
      unhighlightCallback: () => this.readOut(null),
      // The library calls it on the graph zoomed.
      zoomCallback: function zoomed() {
        chart.zoomedIn(this);
      },
    };
  }

  // A zoom in one panel is the zoom of all; the panels then draw the raw
  // line of what is in view when it fits.
  zoomedIn(source) {
    if (this.syncing) return;
    this.syncing = true;
    const zoomed = source.isZoomed('x');
    const window = zoomed ? source.xAxisRange() : this.span && this.span();
    const files = this.panelFiles(zoomed ? window : null);
    this.graphs.forEach((g, k) =>
      g.updateOptions({ file: files[k], customBars: this.band, dateWindow: window || null }),
    );
    this.syncing = false;
    this.zoomed(zoomed);
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

  // The record under the cursor (the first of its column in a band): its
  // time and values, each rounded to two places.
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
  zoomed(zoomedIn) {
    // A double click unzooms: the chart then rolls on again.
    this.userZoomed = zoomedIn;
    if (!this.onZoom) return;
    if (!this.userZoomed) {
      this.onZoom(null);
      return;
    }
    const [first, last] = this.recordSpan(this.graph.xAxisRange());
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

