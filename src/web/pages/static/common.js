// Helpers every dashboard page shares: fetching the logger's JSON, number
// masks as the logger's windows print them, times of day, and the chart
// library set up for a page that allows no inline styles.

// The legend draws with inline style attributes, which the pages' content
// policy refuses; read-outs are drawn by the pages themselves instead.
if (window.Dygraph && Dygraph.Plugins && Dygraph.Plugins.Legend) {
  Dygraph.PLUGINS = Dygraph.PLUGINS.filter((plugin) => plugin !== Dygraph.Plugins.Legend);
}

export async function fetchJson(url) {
  const response = await fetch(url, { cache: 'no-store' });
  let body = null;
  try {
    body = await response.json();
  } catch (error) {
    body = null;
  }
  if (!response.ok) {
    const why = body && body.error ? body.error : response.status + ' ' + response.statusText;
    const failure = new Error(why);
    failure.status = response.status;
    throw failure;
  }
  return body;
}

// |value| rounded half away from zero to `decimals` places, worked on its
// 15-significant-digit decimal form (so 2.675 to two places is 2.68), as
// integer and fraction digit strings; the integer part has no leading zeros.
function roundedDigits(magnitude, decimals) {
  if (magnitude === 0) return { integer: '', fraction: '0'.repeat(decimals) };
  const [mantissa, exponentText] = magnitude.toExponential(14).split('e');
  const digits = mantissa.replace('.', '');
  const integerDigits = Number(exponentText) + 1;
  const keep = integerDigits + decimals;
  const places = Math.max(integerDigits, 0) + decimals;
  const cells = new Array(places).fill(0);
  for (let i = 0; i < Math.min(keep, digits.length); ++i) {
    const place = Math.max(integerDigits, 0) - integerDigits + i;
    if (place >= 0 && place < places) cells[place] = Number(digits[i]);
  }
  if (keep >= 0 && keep < digits.length && Number(digits[keep]) >= 5) {
    let i = places - 1;
    for (; i >= 0 && cells[i] === 9; --i) cells[i] = 0;
    if (i >= 0) cells[i] += 1;
    else cells.unshift(1);
  }
  const split = cells.length - decimals;
  return {
    integer: cells.slice(0, split).join('').replace(/^0+/, ''),
    fraction: cells.slice(split).join(''),
  };
}

// A number under a mask such as "##0.00": "0" a digit always shown, "#" one
// shown only when significant; no zero integer digit under "#" places
// (0.5 under "##.00" is ".50"); a leading "-" only when something non-zero shows.
export function formatMask(value, mask) {
  if (!Number.isFinite(value)) value = 0;
  const point = mask.indexOf('.');
  const integerMask = point < 0 ? mask : mask.slice(0, point);
  const fractionMask = point < 0 ? '' : mask.slice(point + 1);
  const minInteger = (integerMask.match(/0/g) || []).length;
  const minFraction = fractionMask.lastIndexOf('0') + 1;
  const { integer, fraction } = roundedDigits(Math.abs(value), fractionMask.length);
  let fractionShown = fraction;
  while (fractionShown.length > minFraction && fractionShown.endsWith('0')) {
    fractionShown = fractionShown.slice(0, -1);
  }
  const zero = /^0*$/.test(integer + fraction);
  const sign = value < 0 && !zero ? '-' : '';
  const digits = integer.padStart(minInteger, '0');
  return sign + digits + (point < 0 ? '' : '.' + fractionShown);
}

// A value rounded to two places and written in its shortest form, as the
// history window's cursor read-outs show it (13.456 is 13.46, 13.5 is 13.5).
export function shortTwoPlaces(value) {
  const { integer, fraction } = roundedDigits(Math.abs(value), 2);
  const trimmed = fraction.replace(/0+$/, '');
  const zero = /^0*$/.test(integer + fraction);
  return (value < 0 && !zero ? '-' : '') + (integer || '0') + (trimmed ? '.' + trimmed : '');
}

export function pad2(n) {
  return String(n).padStart(2, '0');
}

// "hh:mm" of a time of day given in seconds.
export function hourMinute(secondsOfDay) {
  const minutes = Math.floor(secondsOfDay / 60);
  return pad2(Math.floor(minutes / 60) % 24) + ':' + pad2(minutes % 60);
}

// "YYYY-MM-DD" of a local date.
export function isoDate(date) {
  return date.getFullYear() + '-' + pad2(date.getMonth() + 1) + '-' + pad2(date.getDate());
}

// A local Date at `secondsOfDay` into the day named "YYYY-MM-DD".
export function dateAt(isoDay, secondsOfDay) {
  const [y, m, d] = isoDay.split('-').map(Number);
  return new Date(y, m - 1, d, 0, 0, secondsOfDay);
}

export function byId(id) {
  return document.getElementById(id);
}

// A new element with a class and text, for building lists without markup
// strings (nothing received ever becomes markup).
export function element(tag, className, text) {
  const node = document.createElement(tag);
  if (className) node.className = className;
  if (text !== undefined) node.textContent = text;
  return node;
}

// Shows a failure on the page's message line, or clears it.
export function showProblem(text) {
  const line = byId('problem');
  if (!line) return;
  line.textContent = text || '';
  line.hidden = !text;
}

// Marks the current page in the navigation bar.
export function markNavigation(page) {
  for (const link of document.querySelectorAll('nav a')) {
    if (link.dataset.page === page) link.setAttribute('aria-current', 'page');
  }
}
