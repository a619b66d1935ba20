// The live page: the newest reading as the main window's list shows it, the
// logger's state, a rolling chart of the last hour and today's records.
import {
  byId,
  dateAt,
  element,
  fetchJson,
  formatMask,
  isoDate,
  markNavigation,
  showProblem,
} from './common.js';
import { showAlarms } from './alarm_banner.js';
import { buildSeriesList, PowerCurve, recordTimes, TimeChart } from './charts.js';
import { ageText, isStale } from './age.js';
import { loadGlance, showBattery } from './glance.js';

const HALF_MINUTE_MS = 30 * 1000;
const HOUR_MS = 3600 * 1000;
const CHART_EVERY_MS = 1000; // the rolling chart is redrawn at most this often
const TODAY_EVERY_MS = 30 * 1000; // today's records are fetched again at most this often

const state = {
  frames: null, // frame counter of the newest reading shown
  recordsWritten: null,
  hour: [], // { x: Date, record: [secondsOfDay, volts, amps, watts, rpm, windSpeed] }
  hourChart: null,
  hourDrawn: 0,
  hourTimer: 0,
  second: 0, // the newest reading's time stamp, and when its first reading came
  secondStart: 0,
  todayChart: null,
  todayCurve: null,
  todayDate: '',
  readingDate: '', // the date of the newest reading's time stamp
  todayFetched: 0,
  todayTimer: 0,
  scale: null,
  updates: 0, // readings shown, and when the last one was, for anyone watching the page
  shownAt: 0,
  // The newest reading's age in seconds on the logger's clock when it was
  // received, and when that was on ours: the age goes on from there, so a
  // silent board shows as silent whatever the phone's clock says.
  age: null,
  ageReceivedAt: 0,
  frameTime: '',
  volts: null, // the newest reading's, null before one
};

function showRows(rows) {
  const body = byId('rows').tBodies[0];
  const cells = rows.map((row) => {
    const tr = element('tr');
    tr.append(element('td', 'value', row.value), element('td', 'name', row.name));
    return tr;
  });
  body.replaceChildren(...cells);
  body.parentElement.className = 'rows rows-' + rows.length;
}

// How long ago the last frame came, and the values greyed once that is too
// long for them to be the board's present state. Called on every reading
// and every second between them.
function showAge() {
  const lastFrame = byId('last-frame');
  const age =
    state.age === null ? null : state.age + Math.max(0, Date.now() - state.ageReceivedAt) / 1000;
  const stale = isStale(age);
  lastFrame.textContent =
    age === null ? 'none yet' : state.frameTime.replace('T', ' ') + ', ' + ageText(age);
  lastFrame.className = stale ? 'bad' : '';
  byId('rows').classList.toggle('stale', stale);
  showBattery(state.volts, age);
  window.tamselLive.stale = stale;
}

function showStatus(reading) {
  state.age = typeof reading.age === 'number' && reading.time ? reading.age : null;
  state.volts = reading.time ? reading.volts : null;
  state.ageReceivedAt = Date.now();
  state.frameTime = reading.time || '';
  showAge();
  const port = byId('port');
  const problem = (reading.portProblem || '').trim();
  port.textContent = reading.portOpen ? 'open' : 'closed' + (problem ? ': ' + problem : '');
  port.className = reading.portOpen ? 'good' : 'bad';
  const logging = reading.logging || {};
  const interval = Number(logging.interval);
  state.hourChart.interval = interval > 0 ? interval : null;
  byId('logging').textContent = logging.on ? 'on, every ' + logging.interval + ' s' : 'stopped';
  const error = byId('last-error');
  error.textContent = reading.lastError || '';
  error.hidden = !reading.lastError;
  const notice = byId('notice');
  notice.textContent = reading.lastError ? '' : reading.notice || '';
  notice.hidden = !notice.textContent;
}

function secondsOfDay(at) {
  return at.getHours() * 3600 + at.getMinutes() * 60 + at.getSeconds();
}

// The reading as a record, its time of day in seconds.
function recordOf(reading, at) {
  return [secondsOfDay(at), reading.volts, reading.amps, reading.watts, reading.rpm,
    reading.windSpeed];
}

// The logger stamps readings to the second; several in one second are
// spread across it by when they arrived, so the trace keeps their order.
function placeInSecond(stamp) {
  const now = Date.now();
  if (stamp !== state.second) {
    state.second = stamp;
    state.secondStart = now;
  }
  return new Date(stamp + Math.min(999, now - state.secondStart));
}

function addToHour(reading) {
  if (!reading.time) return;
  const stamp = new Date(reading.time).getTime();
  if (Number.isNaN(stamp)) return;
  const at = placeInSecond(stamp);
  state.hour.push({ x: at, record: recordOf(reading, at) });
  const oldest = at.getTime() - HOUR_MS;
  let drop = 0;
  while (drop < state.hour.length && state.hour[drop].x.getTime() < oldest) ++drop;
  if (drop) state.hour.splice(0, drop);
  scheduleHourChart();
}

function drawHourChart() {
  state.hourTimer = 0;
  state.hourDrawn = Date.now();
  const records = state.hour.map((p) => p.record);
  const xs = state.hour.map((p) => p.x);
  state.hourChart.setData(records, xs, state.scale, false);
}

function scheduleHourChart() {
  if (state.hourTimer) return;
  const wait = Math.max(0, state.hourDrawn + CHART_EVERY_MS - Date.now());
  state.hourTimer = setTimeout(drawHourChart, wait);
}

// The hour before the page was opened, as the logger kept it: the records of
// today's file before the readings it holds, then the readings, one a second.
async function loadRecent() {
  try {
    const recent = await fetchJson('/api/recent');
    const times = recordTimes(recent.records);
    const hour = recent.records.map((record, i) => {
      const minute = Math.floor(times[i] / 60) * 60;
      const x = new Date(dateAt(recent.date, minute).getTime() + (times[i] - minute) * 1000);
      return { x, record };
    });
    for (const [time, ...values] of recent.readings) {
      const at = new Date(time);
      hour.push({ x: at, record: [secondsOfDay(at), ...values] });
      state.second = at.getTime();
      state.secondStart = Date.now();
    }
    state.hour = hour.concat(state.hour);
    window.tamselLive.recent = hour.length;
    if (hour.length) scheduleHourChart();
  } catch (error) {
    // The chart fills from the live readings instead; the read-out says why.
    byId('hour-readout').textContent = 'The hour before this page: ' + error.message;
  }
}

// Today on the logger's clock, which a phone elsewhere may not share; the
// browser's own date until a reading has come.
function loggerDate() {
  return state.readingDate || isoDate(new Date());
}

async function loadToday() {
  state.todayTimer = 0;
  loadGlance().then((g) => {
    window.tamselLive.glance = g;
    window.tamselLive.glanceLoads += 1;
    showAge();
  });
  state.todayFetched = Date.now();
  const date = loggerDate();
  try {
    const day = await fetchJson('/api/day?date=' + date);
    state.scale = day.scale;
    state.todayDate = date;
    state.todayChart.showDay(day);
    state.todayCurve.show(day.records, day.scale.maxRpm, day.scale.maxPower);
    byId('today-count').textContent = day.records.length + ' records';
    byId('today-energy').textContent = formatMask(day.energyWh, '###0') + ' Wh';
  } catch (error) {
    byId('today-count').textContent =
      error.status === 404 ? 'No records yet today' : 'Today: ' + error.message;
    byId('today-energy').textContent = '';
    state.todayChart.setData([], [], state.scale, true);
    state.todayCurve.show([], 0, 0);
  }
}

// Today's records change once a logging interval; fetched again when the
// logger says it wrote one, not more often than every half minute.
function scheduleToday() {
  if (state.todayTimer) return;
  const wait = Math.max(0, state.todayFetched + TODAY_EVERY_MS - Date.now());
  state.todayTimer = setTimeout(loadToday, wait);
}

function onReading(reading) {
  showAlarms(reading.alarms);
  showRows(reading.rows || []);
  showStatus(reading);
  const counters = reading.counters || {};
  if (counters.frames !== state.frames) addToHour(reading);
  state.frames = counters.frames;
  state.readingDate = reading.time ? reading.time.slice(0, 10) : state.readingDate;
  const newDay = state.todayDate && state.todayDate !== loggerDate();
  const written = counters.recordsWritten !== state.recordsWritten;
  if (state.recordsWritten !== null && (written || newDay)) {
    scheduleToday();
  }
  state.recordsWritten = counters.recordsWritten;
  state.updates += 1;
  state.shownAt = Date.now();
  window.tamselLive.updates = state.updates;
  window.tamselLive.shownAt = state.shownAt;
}

function follow() {
  const connection = byId('connection');
  const events = new EventSource('/events');
  events.addEventListener('open', () => {
    connection.textContent = 'following';
    connection.className = 'good';
    showProblem('');
  });
  events.addEventListener('error', () => {
    // EventSource reconnects by itself; say so meanwhile.
    connection.textContent = 'reconnecting';
    connection.className = 'bad';
  });
  events.addEventListener('reading', (event) => {
    try {
      onReading(JSON.parse(event.data));
    } catch (error) {
      showProblem('Unreadable reading: ' + error.message);
    }
  });
}

function start() {
  markNavigation('live');
  state.hourChart = new TimeChart({
    chart: byId('hour-chart'),
    readout: byId('hour-readout'),
    ranges: byId('hour-series'),
  });
  state.hourChart.scaled = false;
  // The chart widens with the readings kept, from half a minute up to the hour.
  state.hourChart.span = () => {
    const times = state.hour.map((p) => p.x.getTime());
    const newest = times.length ? times[times.length - 1] : Date.now();
    const kept = times.length ? newest - times[0] : 0;
    return [newest - Math.min(HOUR_MS, Math.max(HALF_MINUTE_MS, kept)), newest];
  };
  state.hourChart.timeText = (record) => formatMask(Math.floor(record[0] / 3600), '00') + ':' +
    formatMask(Math.floor(record[0] / 60) % 60, '00') + ':' + formatMask(record[0] % 60, '00');
  buildSeriesList(byId('hour-series'), state.hourChart);
  state.todayChart = new TimeChart({
    chart: byId('today-chart'),
    readout: byId('today-readout'),
    ranges: byId('today-series'),
  });
  buildSeriesList(byId('today-series'), state.todayChart);
  state.todayCurve = new PowerCurve(byId('today-curve'));
  window.tamselLive = {
    hourChart: state.hourChart,
    todayChart: state.todayChart,
    updates: 0,
    recent: null,
    stale: false,
    glance: null,
    glanceLoads: 0,
  };
  loadToday();
  setInterval(showAge, 1000);
  // The live readings follow the hour's, so the chart stays in time order.
  loadRecent().finally(follow);
}

start();
