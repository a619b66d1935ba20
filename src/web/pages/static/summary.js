// The daily summary: one row per day of the range, sorted by a click on any
// column's head, and the same rows as a CSV download.
import { watchAlarms } from './alarm_banner.js';
import { byId, element, fetchJson, formatMask, markNavigation, showProblem } from './common.js';
import { energyText } from './glance.js';

const COLUMNS = [
  { key: 'date', label: 'Day', text: (r) => r.date },
  { key: 'wattHours', label: 'Energy', text: (r) => energyText(r.wattHours) },
  { key: 'ampHours', label: 'Ah', text: (r) => formatMask(r.ampHours, '###0.0') },
  { key: 'minVolts', label: 'Lowest V', text: (r) => formatMask(r.minVolts, '#0.00') + ' at ' + r.minAt },
  { key: 'maxVolts', label: 'Highest V', text: (r) => formatMask(r.maxVolts, '#0.00') + ' at ' + r.maxAt },
  { key: 'peakWatts', label: 'Peak W', text: (r) => formatMask(r.peakWatts, '###0') + ' at ' + r.peakAt },
  { key: 'maxWind', label: 'Highest wind', text: (r, units) => formatMask(r.maxWind, '##0.0') + ' ' + units },
  { key: 'maxRpm', label: 'Highest RPM', text: (r) => formatMask(r.maxRpm, '###0') },
  {
    key: 'hoursFull',
    label: 'Hours full',
    text: (r) => (r.hoursFull === null ? '\u2013' : formatMask(r.hoursFull, '#0.00')),
  },
  { key: 'alarm', label: 'Alarm', text: (r) => (r.alarm ? 'yes' : 'no') },
];

const page = { answer: null, sortKey: 'date', ascending: true };

function compare(a, b) {
  const x = a[page.sortKey];
  const y = b[page.sortKey];
  const order = x === y ? 0 : x === null ? -1 : y === null ? 1 : x < y ? -1 : 1;
  return page.ascending ? order : -order;
}

function drawHead() {
  const row = byId('daily').tHead.rows[0];
  row.replaceChildren(...COLUMNS.map((c) => {
    const th = element('th');
    th.dataset.key = c.key;
    if (c.key === page.sortKey) th.setAttribute('aria-sort', page.ascending ? 'ascending' : 'descending');
    const button = element('button', '', c.label);
    button.type = 'button';
    button.addEventListener('click', () => {
      page.ascending = c.key === page.sortKey ? !page.ascending : true;
      page.sortKey = c.key;
      draw();
    });
    th.append(button);
    return th;
  }));
}

function draw() {
  drawHead();
  if (!page.answer) return;
  const rows = [...page.answer.rows].sort(compare);
  byId('daily').tBodies[0].replaceChildren(...rows.map((r) => {
    const tr = element('tr');
    for (const c of COLUMNS) {
      const td = element('td', c.key === 'alarm' ? 'alarm-' + c.text(r) : '', c.text(r, page.answer.windUnits));
      td.dataset.key = c.key;
      tr.append(td);
    }
    return tr;
  }));
}

async function load() {
  const params = new URLSearchParams();
  if (byId('from').value) params.set('from', byId('from').value);
  if (byId('to').value) params.set('to', byId('to').value);
  const query = params.toString();
  history.replaceState(null, '', '/summary' + (query ? '?' + query : ''));
  showProblem('');
  try {
    page.answer = await fetchJson('/api/summary' + (query ? '?' + query : ''));
    byId('from').value = page.answer.from;
    byId('to').value = page.answer.to;
    byId('csv').href = '/summary.csv?from=' + page.answer.from + '&to=' + page.answer.to;
    draw();
    window.tamselSummary.answer = page.answer;
    window.tamselSummary.loads += 1;
  } catch (error) {
    showProblem(error.message);
  }
}

function start() {
  markNavigation('summary');
  watchAlarms();
  window.tamselSummary = { answer: null, loads: 0 };
  const asked = new URLSearchParams(location.search);
  byId('from').value = asked.get('from') || '';
  byId('to').value = asked.get('to') || '';
  byId('period').addEventListener('submit', (event) => {
    event.preventDefault();
    load();
  });
  load();
}

start();
