// The banner every page shows while an alarm is raised: one line per active
// alarm, as the logger words it (since when, its limit). The live page hands
// it each reading of its event stream; the other pages ask for the reading
// now and then.
import { byId, element, fetchJson } from './common.js';

const POLL_MS = 10 * 1000;

let shownKey = null; // what the banner shows, so an unchanged one is not redrawn (nor read out again)

function banner() {
  let node = byId('alarm-banner');
  if (node) return node;
  node = element('div', 'alarm-banner');
  node.id = 'alarm-banner';
  node.setAttribute('role', 'alert');
  node.hidden = true;
  const nav = document.querySelector('nav');
  if (nav) nav.after(node);
  else document.body.prepend(node);
  return node;
}

export function showAlarms(alarms) {
  const active = (alarms || []).filter((alarm) => alarm.active);
  const lines = active.map((alarm) => 'Alarm: ' + (alarm.text || alarm.name));
  const key = lines.join('\n');
  if (key === shownKey) return;
  shownKey = key;
  const node = banner();
  node.replaceChildren(...lines.map((line) => element('p', 'alarm', line)));
  node.hidden = lines.length === 0;
}

// For pages without the event stream.
export function watchAlarms() {
  const poll = async () => {
    try {
      showAlarms((await fetchJson('/api/reading')).alarms);
    } catch (error) {
      // The logger is out of reach: the banner keeps what it last knew.
    }
    setTimeout(poll, POLL_MS);
  };
  poll();
}
