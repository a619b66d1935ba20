// How old the newest reading is, in words, and when it is too old to be
// shown as the board's present state: ten seconds without a frame, two of
// the logger's energy ticks, means the board is silent or gone.

export const STALE_AFTER_S = 10;

export function isStale(ageSeconds) {
  return ageSeconds !== null && ageSeconds > STALE_AFTER_S;
}

// "4 s ago", "12 min ago", "3 h 5 min ago", "2 days ago".
export function ageText(ageSeconds) {
  const s = Math.max(0, Math.floor(ageSeconds));
  if (s < 60) return s + ' s ago';
  const minutes = Math.floor(s / 60);
  if (minutes < 60) return minutes + ' min ago';
  const hours = Math.floor(minutes / 60);
  if (hours < 24) return hours + ' h ' + (minutes % 60) + ' min ago';
  const days = Math.floor(hours / 24);
  return days + (days === 1 ? ' day ago' : ' days ago');
}
