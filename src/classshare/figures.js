// The page's figures: the arithmetic of reading the graph off and of a prediction drawn with a
// finger, and the words its numbers are said in. Small pure functions on what the page holds:
// each group's degrees by tick (a tick every half second; NaN where a tick has no reading).
// Degrees are worked in hundredths, as the lesson's file writes them, so that a value read off
// is the file's own and a difference or a mean has no error of its own.
"use strict";

const TickSeconds = 0.5;

// The tick nearest `seconds` among `ticks` ticks, or -1 when there are none.
function tickAt(seconds, ticks) {
  if (ticks <= 0 || !Number.isFinite(seconds)) return -1;
  return Math.min(ticks - 1, Math.max(0, Math.round(seconds / TickSeconds)));
}

// The degrees of tick `t` in hundredths, or null where there is no reading.
function hundredthsAt(degrees, length, t) {
  if (t < 0 || t >= length || Number.isNaN(degrees[t])) return null;
  return Math.round(degrees[t] * 100);
}

// From point `a` to point `b` of one trace, each [tick, hundredths]: the seconds, the degrees
// and the degrees a minute (null when no time passes).
function between(a, b) {
  const seconds = (b[0] - a[0]) * TickSeconds;
  const degrees = (b[1] - a[1]) / 100;
  return {seconds, degrees, perMinute: seconds === 0 ? null : degrees * 60 / seconds};
}

// The highest, lowest and mean degrees (to the hundredth) of the ticks from `from` to `to`
// (either way round, both in) that have a reading, and how many they are; null when none has.
function stretchOf(degrees, length, from, to) {
  const last = Math.min(length - 1, Math.max(from, to));
  let highest = -Infinity, lowest = Infinity, sum = 0, ticks = 0;
  for (let t = Math.max(0, Math.min(from, to)); t <= last; ++t) {
    if (Number.isNaN(degrees[t])) continue;
    const h = Math.round(degrees[t] * 100);
    highest = Math.max(highest, h);
    lowest = Math.min(lowest, h);
    sum += h;
    ++ticks;
  }
  if (ticks === 0) return null;
  return {highest: highest / 100, lowest: lowest / 100, mean: Math.round(sum / ticks) / 100, ticks};
}

// Of `values` (degrees, or null), the index of the one nearest `degrees`: -1 when all are null.
function nearest(values, degrees) {
  let best = -1;
  for (let i = 0; i < values.length; ++i)
    if (values[i] !== null &&
        (best < 0 || Math.abs(values[i] - degrees) < Math.abs(values[best] - degrees)))
      best = i;
  return best;
}

// ---- a prediction drawn with a finger --------------------------------------------------------

// A stroke's points [seconds, degrees], as the finger went, made a smooth curve over time: a
// point every `step` seconds (the mean of the stroke's points there), each then the mean of its
// neighbours `reach` either side; seconds to the tenth, degrees to the hundredth, none before 0.
// Empty when the stroke covers less than two steps.
function smoothStroke(points, step, reach) {
  const cells = new Map();
  for (const [s, d] of points) {
    if (!Number.isFinite(s) || !Number.isFinite(d)) continue;
    const at = Math.floor(Math.max(0, s) / step);
    const cell = cells.get(at) || {s: 0, d: 0, n: 0};
    cell.s += Math.max(0, s);
    cell.d += d;
    ++cell.n;
    cells.set(at, cell);
  }
  const even = [...cells.keys()].sort((a, b) => a - b).map((k) => {
    const c = cells.get(k);
    return [c.s / c.n, c.d / c.n];
  });
  if (even.length < 2) return [];
  return even.map(([s], i) => {
    let sum = 0, n = 0;
    for (let j = Math.max(0, i - reach); j <= Math.min(even.length - 1, i + reach); ++j) {
      sum += even[j][1];
      ++n;
    }
    return [Math.round(s * 10) / 10, Math.round(sum / n * 100) / 100];
  });
}

// A prediction with a new stroke drawn over it: the stroke replaces the prediction over the
// seconds it covers, the rest stays. Both sorted by seconds; so is the result.
function mergeStroke(prediction, stroke) {
  if (stroke.length === 0) return prediction.slice();
  const from = stroke[0][0], to = stroke[stroke.length - 1][0];
  return prediction.filter(([s]) => s < from || s > to).concat(stroke)
      .sort((a, b) => a[0] - b[0]);
}

// A prediction as the feed sends it, or as this page kept it, checked: [seconds, degrees]
// pairs of numbers, sorted by seconds; anything else left out.
function predictionOf(p) {
  if (!Array.isArray(p)) return [];
  return p.filter((x) => Array.isArray(x) && Number.isFinite(x[0]) && Number.isFinite(x[1]))
      .map((x) => [x[0], x[1]]).sort((a, b) => a[0] - b[0]);
}

// The lowest and highest degrees of predictions, [lo, hi], or null when they hold no point.
function degreesSpan(...predictions) {
  let lo = Infinity, hi = -Infinity;
  for (const p of predictions)
    for (const [, d] of p) {
      lo = Math.min(lo, d);
      hi = Math.max(hi, d);
    }
  return lo <= hi ? [lo, hi] : null;
}

// ---- the words ------------------------------------------------------------------------------

// Degrees as the lesson's file writes them: one decimal at least, two at most ("23.0",
// "23.25", "-3.5").
function degreesWord(degrees) {
  const h = Math.round(degrees * 100);
  return (h < 0 ? "-" : "") + (Math.abs(h) / 100).toFixed(h % 10 === 0 ? 1 : 2);
}

// A change of degrees with its sign: "+5.25", "-1.5", "0.0".
function changeWord(degrees) {
  return (Math.round(degrees * 100) > 0 ? "+" : "") + degreesWord(degrees);
}

// Seconds as on the graph's axis, to the tenth: "150秒", "12.5秒".
function secondsWord(seconds) {
  return String(Math.round(seconds * 10) / 10) + "秒";
}

// A time of the lesson: its seconds, as on the axis, and from a minute on in minutes too:
// "30秒", "150秒（2分30秒）", "125.5秒（2分5.5秒）".
function timeWord(seconds) {
  const tenths = Math.round(seconds * 10);
  if (tenths < 600) return secondsWord(seconds);
  return secondsWord(seconds) + "（" + Math.floor(tenths / 600) + "分" +
         secondsWord((tenths % 600) / 10) + "）";
}
