// The energy page: energy per day of a month and per month of a year, as
// bars, with the totals, the month's average and best day, and beside each
// month the same month of the year before.
import { watchAlarms } from './alarm_banner.js';
import {
  byId,
  element,
  fetchJson,
  formatMask,
  markNavigation,
  pad2,
  showProblem,
} from './common.js';
import { energyText } from './glance.js';

const MONTHS = ['Jan', 'Feb', 'Mar', 'Apr', 'May', 'Jun', 'Jul', 'Aug', 'Sep', 'Oct', 'Nov', 'Dec'];

function wattHours(value) {
  return energyText(value);
}

// One bar per entry, its height a share of the tallest; an entry without a
// value (a day with no file) keeps its place with no bar.
function drawBars(list, entries) {
  const top = Math.max(
    0,
    ...entries.map((e) => Math.max(e.value === null ? 0 : e.value, e.previous || 0)),
  );
  const items = entries.map((e) => {
    const item = element('li', 'bar-item');
    const link = element('a', 'bar-link');
    link.href = e.href;
    const value = e.value === null ? '' : formatMask(e.value, '####0');
    const says = e.value === null ? ': no file' : ': ' + value + ' Wh';
    link.setAttribute('aria-label', e.title + says);
    link.title = link.getAttribute('aria-label');
    const bar = element('span', e.value === null ? 'bar none' : 'bar');
    // Set through the style object, which the page's content policy allows.
    bar.style.height = top > 0 && e.value > 0 ? (100 * e.value) / top + '%' : '0';
    bar.append(element('span', 'bar-value', value));
    const area = element('span', 'bar-area');
    area.append(bar);
    if (e.previous !== undefined) {
      // The same month a year earlier, a paler bar beside it.
      const before = element('span', 'bar previous');
      before.style.height = top > 0 && e.previous > 0 ? (100 * e.previous) / top + '%' : '0';
      before.title = 'a year earlier: ' + energyText(e.previous);
      area.classList.add('paired');
      area.append(before);
    }
    link.append(area, element('span', 'bar-label', e.label));
    item.append(link);
    return item;
  });
  list.replaceChildren(...items);
}

function dayEntries(answer) {
  const byDate = new Map(answer.days.map((d) => [d.date, d.wattHours]));
  const count = new Date(answer.year, answer.month, 0).getDate();
  const entries = [];
  for (let d = 1; d <= count; ++d) {
    const date = answer.year + '-' + pad2(answer.month) + '-' + pad2(d);
    entries.push({
      label: String(d),
      title: date,
      value: byDate.has(date) ? byDate.get(date) : null,
      href: '/day?date=' + date,
    });
  }
  return entries;
}

function monthEntries(answer, before) {
  return answer.months.map((m) => ({
    previous: before ? before.months[m.month - 1].wattHours : undefined,
    label: MONTHS[m.month - 1],
    title: MONTHS[m.month - 1] + ' ' + answer.year,
    value: m.wattHours,
    href: '/energy?year=' + answer.year + '&month=' + pad2(m.month),
  }));
}

// The month's average over the days with a file, and its best day.
function showDayFigures(answer) {
  const days = answer.days;
  const best = days.reduce((b, d) => (b === null || d.wattHours > b.wattHours ? d : b), null);
  byId('month-average').textContent = days.length
    ? energyText(answer.monthTotal / days.length) : '\u2013';
  byId('month-best').textContent = best ? energyText(best.wattHours) + ' on ' + best.date : '\u2013';
}

function show(answer, before) {
  const monthPanel = byId('month-panel');
  monthPanel.hidden = answer.month === null || answer.month === undefined;
  if (!monthPanel.hidden) {
    byId('month-title').textContent = 'Days of ' + MONTHS[answer.month - 1] + ' ' + answer.year;
    byId('month-total').textContent = wattHours(answer.monthTotal);
    drawBars(byId('day-bars'), dayEntries(answer));
    showDayFigures(answer);
  }
  byId('year-title').textContent = 'Months of ' + answer.year;
  byId('year-total').textContent = wattHours(answer.yearTotal);
  drawBars(byId('month-bars'), monthEntries(answer, before));
  byId('previous-year').textContent = before ? wattHours(before.yearTotal) : '\u2013';
}

async function load() {
  const year = byId('year').value;
  const month = byId('month').value;
  const query = 'year=' + year + (month ? '&month=' + pad2(month) : '');
  history.replaceState(null, '', '/energy?' + query);
  showProblem('');
  try {
    const answer = await fetchJson('/api/energy?' + query);
    const before = await fetchJson('/api/energy?year=' + (Number(year) - 1)).catch(() => null);
    show(answer, before);
    window.tamselEnergy.answer = answer;
    window.tamselEnergy.before = before;
    window.tamselEnergy.loads += 1;
  } catch (error) {
    showProblem(error.message);
  }
}

// One month earlier or later, or one year in the year view.
function step(by) {
  const year = Number(byId('year').value);
  const month = Number(byId('month').value);
  if (!month) {
    byId('year').value = year + by;
  } else {
    const at = new Date(year, month - 1 + by, 1);
    byId('year').value = at.getFullYear();
    byId('month').value = String(at.getMonth() + 1);
  }
  load();
}

function start() {
  markNavigation('energy');
  watchAlarms();
  window.tamselEnergy = { answer: null, loads: 0 };
  const asked = new URLSearchParams(location.search);
  const now = new Date();
  byId('year').value = asked.get('year') || now.getFullYear();
  const month = asked.has('year') ? asked.get('month') : String(now.getMonth() + 1);
  byId('month').value = month ? String(Number(month)) : '';
  byId('year').addEventListener('change', load);
  byId('month').addEventListener('change', load);
  byId('earlier').addEventListener('click', () => step(-1));
  byId('later').addEventListener('click', () => step(1));
  byId('period').addEventListener('submit', (event) => {
    event.preventDefault();
    load();
  });
  load();
}

start();
