// The top of the live page: the battery's state in one word, today's
// figures, and this month and year against the same stretch before. The
// figures come from /api/glance; the state word follows every reading, read
// against the limits that answer gives.
import { byId, element, fetchJson, formatMask } from './common.js';
import { ageText, isStale } from './age.js';

let limits = null; // { lowVolts, fullVolts, highVolts }, each null when not configured

// The same rule as the logger's: "High" above HighVolts, "Low" below
// LowVolts, "Full" at or above FullVolts, else "OK"; a limit not configured
// never gives its word.
export function batteryState(volts, l) {
  if (volts === null || volts === undefined || !l) return '';
  if (l.highVolts !== null && volts > l.highVolts) return 'High';
  if (l.lowVolts !== null && volts < l.lowVolts) return 'Low';
  if (l.fullVolts !== null && volts >= l.fullVolts) return 'Full';
  return 'OK';
}

// kWh, or Wh below 1 kWh.
export function energyText(wattHours) {
  if (wattHours === null || wattHours === undefined) return '\u2013';
  if (Math.abs(wattHours) < 1000) return formatMask(wattHours, '###0') + ' Wh';
  return formatMask(wattHours / 1000, '##0.00') + ' kWh';
}

export function percentText(percent) {
  if (percent === null || percent === undefined) return '\u2013';
  const text = formatMask(percent, '##0');
  return (percent > 0 && text !== '0' ? '+' : '') + text + ' %';
}

function at(value, mask, unit, time) {
  if (value === null || value === undefined) return '\u2013';
  return formatMask(value, mask) + unit + (time ? ' at ' + time : '');
}

function limitsText(l) {
  const part = (name, v) => name + ' ' + (v === null ? 'not set' : formatMask(v, '#0.00') + ' V');
  return [part('Low', l.lowVolts), part('Full', l.fullVolts), part('High', l.highVolts)].join(', ');
}

// The state word for the newest reading and its age, greyed once stale.
export function showBattery(volts, age) {
  const word = batteryState(volts, limits);
  const state = byId('battery-state');
  state.textContent = word || (volts === null ? 'no reading' : '\u2026');
  state.className = 'state state-' + (word ? word.toLowerCase() : 'none');
  byId('battery-volts').textContent = volts === null ? '' : formatMask(volts, '#0.00') + ' V';
  const stale = isStale(age);
  byId('battery-age').textContent = age === null ? '' : ageText(age);
  byId('glance').classList.toggle('stale', stale);
}

function comparisonRow(label, wattHours, against) {
  const tr = element('tr');
  tr.append(element('th', '', label), element('td', 'now', energyText(wattHours)));
  for (const c of against) {
    const cell = element('td', 'before');
    if (c) {
      cell.append(element('span', 'was', energyText(c.wattHours)),
        element('span', 'percent', percentText(c.percent)));
      cell.title = c.from + ' to ' + c.to + ' ' + c.until;
    } else {
      cell.textContent = '';
    }
    tr.append(cell);
  }
  return tr;
}

export function showGlance(g) {
  limits = g.battery;
  byId('battery-limits').textContent = limitsText(g.battery);
  const t = g.today;
  byId('today-energy-glance').textContent = energyText(t.wattHours);
  byId('today-ah').textContent = at(t.ampHours, '###0.0', ' Ah');
  byId('today-min').textContent = at(t.minVolts, '#0.00', ' V', t.minAt);
  byId('today-max').textContent = at(t.maxVolts, '#0.00', ' V', t.maxAt);
  byId('today-peak').textContent = at(t.peakWatts, '###0', ' W', t.peakAt);
  byId('today-wind').textContent = at(t.maxWind, '##0.0', ' ' + t.windUnits);
  byId('today-rpm').textContent = at(t.maxRpm, '###0', '');
  byId('compare').tBodies[0].replaceChildren(
    comparisonRow('This month', g.month.wattHours, [g.month.lastMonth, g.month.lastYear]),
    comparisonRow('This year', g.year.wattHours, [null, g.year.lastYear]),
  );
}

export async function loadGlance() {
  try {
    const g = await fetchJson('/api/glance');
    showGlance(g);
    byId('glance-problem').hidden = true;
    return g;
  } catch (error) {
    const line = byId('glance-problem');
    line.textContent = 'Figures: ' + error.message;
    line.hidden = false;
    return null;
  }
}
