// The day page: one day's records as the log history window shows them,
// within the chosen range (its ends included), with the CSV export of the same range.
import { watchAlarms } from './alarm_banner.js';
import {
  byId,
  element,
  fetchJson,
  formatMask,
  hourMinute,
  isoDate,
  markNavigation,
  showProblem,
} from './common.js';
import { buildSeriesList, PowerCurve, TimeChart } from './charts.js';

const WHOLE_DAY = { from: '00:00', to: '23:59' };

const page = {
  chart: null,
  curve: null,
  day: null,
  timings: {}, // when the last day's answer came and when its chart was drawn
};

function query() {
  return new URLSearchParams({
    date: byId('date').value,
    from: byId('from').value,
    to: byId('to').value,
  }).toString();
}

// The CSV link exports the range the chart shows, and only while it shows
// one: the export needs a drawn chart.
function pointCsvLink(shown) {
  const link = byId('csv');
  link.hidden = !shown;
  link.href = shown ? '/day.csv?' + query() : '/day.csv';
}

// After a load that found nothing, nothing stays shown from before.
function showNothing(why) {
  page.day = null;
  showProblem(why);
  showSummary({ records: [], energyWh: 0 });
  byId('energy').textContent = '';
  page.chart.setData([], [], null, true);
  page.curve.show([], 0, 0);
}

function showSummary(day) {
  const records = day.records;
  const timeOf = (record) => (record ? hourMinute(record[0]) : '--:--');
  byId('start').textContent = timeOf(records[0]);
  byId('finish').textContent = timeOf(records[records.length - 1]);
  byId('count').textContent = records.length + ' records';
  byId('energy').textContent = formatMask(day.energyWh, '###0') + ' Wh';
}

function drawCurve(day) {
  const scale = day.scale || {};
  if (byId('scaled').checked) {
    page.curve.show(day.records, scale.maxRpm, scale.maxPower);
    return;
  }
  // Unscaled: the largest values shown, or the configured scale when none is positive.
  let rpm = 0;
  let watts = 0;
  for (const r of day.records) {
    rpm = Math.max(rpm, r[4]);
    watts = Math.max(watts, r[3]);
  }
  page.curve.show(day.records, rpm > 0 ? rpm : scale.maxRpm, watts > 0 ? watts : scale.maxPower);
}

async function load() {
  pointCsvLink(false);
  history.replaceState(null, '', '/day?' + query());
  showProblem('');
  const url = '/api/day?' + query();
  const asked = performance.now();
  let day;
  try {
    day = await fetchJson(url);
  } catch (error) {
    showNothing(error.status === 404 ? 'No data for that date' : error.message);
    return;
  }
  const answered = performance.now();
  if (day.records.length === 0) {
    showNothing('No data for that date');
    return;
  }
  page.day = day;
  pointCsvLink(day.records.length > 1);
  showSummary(day);
  page.chart.showDay(day);
  drawCurve(day);
  const drawn = performance.now();
  const entry = performance.getEntriesByName(new URL(url, location.href).href).pop();
  page.timings = {
    records: day.records.length,
    asked,
    answered,
    responseEnd: entry ? entry.responseEnd : answered,
    drawn,
  };
  window.tamselDay.timings = page.timings;
  // The chart is on the canvas now; the frame after the next one is painted.
  requestAnimationFrame(() =>
    setTimeout(() => {
      page.timings.painted = performance.now();
      window.tamselDay.loads += 1;
    }, 0),
  );
}

// A drag over the chart narrows the range to the records it left in view and
// loads that range, as the log history window does.
function onZoom(span) {
  if (!span) return;
  byId('from').value = hourMinute(span.first[0]);
  byId('to').value = hourMinute(span.last[0]);
  load();
}

async function fillDays(chosen) {
  const select = byId('days');
  let days = [];
  try {
    days = (await fetchJson('/api/days')).days;
  } catch (error) {
    showProblem(error.message);
  }
  select.replaceChildren(...days.map((d) => element('option', '', d)));
  if (!chosen) chosen = days.includes(isoDate(new Date())) ? isoDate(new Date()) : days[0];
  if (days.includes(chosen)) select.value = chosen;
  else select.selectedIndex = -1;
  return chosen;
}

function wire() {
  byId('range').addEventListener('submit', (event) => {
    event.preventDefault();
    load();
  });
  byId('days').addEventListener('change', () => {
    byId('date').value = byId('days').value;
    byId('from').value = WHOLE_DAY.from;
    byId('to').value = WHOLE_DAY.to;
    load();
  });
  byId('whole-day').addEventListener('click', () => {
    byId('from').value = WHOLE_DAY.from;
    byId('to').value = WHOLE_DAY.to;
    load();
  });
  byId('scaled').addEventListener('change', () => {
    const scaled = byId('scaled').checked;
    byId('scaled-caption').textContent = scaled ? 'Scaled' : 'Unscaled';
    page.chart.setScaled(scaled);
    if (page.day) drawCurve(page.day);
  });
}

async function start() {
  markNavigation('day');
  watchAlarms();
  page.chart = new TimeChart({
    chart: byId('chart'),
    readout: byId('readout'),
    ranges: byId('series'),
  });
  page.chart.onZoom = onZoom;
  buildSeriesList(byId('series'), page.chart);
  page.curve = new PowerCurve(byId('curve'));
  window.tamselDay = { chart: page.chart, curve: page.curve, timings: null, loads: 0 };
  wire();
  const asked = new URLSearchParams(location.search);
  byId('from').value = asked.get('from') || WHOLE_DAY.from;
  byId('to').value = asked.get('to') || WHOLE_DAY.to;
  const date = await fillDays(asked.get('date'));
  if (!date) {
    showProblem('No day has a log file yet');
    return;
  }
  byId('date').value = date;
  load();
}

start();
