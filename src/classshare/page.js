// The lesson, live, on a pupil's tablet: one group's lesson large (its read-out, sensor,
// thermometer and graph), or a whole class, every group's trace on one graph (uPlot) beside the
// list of groups, which is the graph's legend; tapping a group brings its trace forward. The page
// only listens to its feed (Server-Sent Events): it sends nothing.
//
// Made for a cheap tablet: each group's degrees are kept in a typed array by tick; the graph is
// handed at most one pair of points (the lowest and the highest) per column of each trace (its
// line and a gap wide), worked out only for the ticks that came since the last redraw; the graph is redrawn at most
// four times a second and only when something came; the list is built once per group and its
// texts changed in place, so a tap is answered before the graph is drawn again. What is drawn
// over the graph (the tapped trace, the lesson's steps: tools.js) lies on canvases of its own.
"use strict";

const RedrawGapMs = 250;      // redraws at most this often
const OpeningGapMs = 2000;    // and this often while the lesson so far is coming
const LeastColumns = 64;      // the graph is never thinned below this many columns
const ColumnPx = 3;           // the width of a column in pixels: a trace's line and a gap
const PickedWidth = 5;        // the picked trace's line, over the others veiled
const LostErrors = 3;         // the feed failing this often ...
const LostWindowMs = 60000;   // ... within this time: the device cannot follow the feed
const ReopenMs = 5000;        // a feed the browser gave up is opened again after this

const Offline = "オフライン";
const Reconnecting = "とぎれました。つなぎなおしています…";
const Lost = "先生のパソコンと つながりません。この たんまつが おいつけないか、" +
             "先生のパソコンに とどきません。先生に しらせてください。";

const byId = (id) => document.getElementById(id);

// The class as the page holds it.
let groups = [];            // in the order they came: see Group()
const byName = new Map();
let alone = false;
let picked = -1;            // the index of the group tapped, or -1
let ready = false;          // the lesson so far has all come
let complete = false;       // and has been drawn whole once

// The graph: the chart, and how the ticks are thinned for it. A column, as wide as a trace's
// line, holds `span` ticks (a
// power of two, the same for every trace so that they share their times); a column is drawn as
// its lowest and highest degrees, or as its one tick when `span` is 1.
let chart = null;
let columns = 0;            // columns of the plot
let span = 1;
let times = [];             // seconds of each point, shared by every trace
let changed = false;        // something came that the graph does not show yet
let timer = 0;
let lastDraw = -Infinity;

function Group(n) {
  return {
    name: n, colour: "#000000", state: "", reading: null, sensor: "", lo: 0, hi: 100,
    degrees: new Float32Array(2048),  // by tick; NaN: no reading at that tick
    length: 0,                        // ticks held
    rewritten: 0,                     // counts the times ticks held were written anew
    since: Infinity,                  // the first tick changed since the points were worked out
    points: [],                       // the thinned trace, by column: see thin()
    item: null, reading_: null, state_: null, off_: null,
  };
}

function groupOf(n) {
  let g = byName.get(n);
  if (!g) {
    g = Group(n);
    byName.set(n, g);
    groups.push(g);
    if (chart) {  // a new trace: the chart is made again with it at the next redraw
      chart.destroy();
      chart = null;
    }
    addItem(g, groups.length - 1);
  }
  return g;
}

// ---- the ticks -------------------------------------------------------------------------

function store(g, from, d, fresh) {
  if (fresh) {
    g.length = 0;
    g.since = 0;
  }
  if (fresh || from < g.length) ++g.rewritten;
  const end = from + d.length;
  if (end > g.degrees.length) {
    let size = g.degrees.length;
    while (size < end) size *= 2;
    const grown = new Float32Array(size);
    grown.set(g.degrees.subarray(0, g.length));
    g.degrees = grown;
  }
  if (from > g.length) g.degrees.fill(NaN, g.length, from);
  for (let i = 0; i < d.length; ++i) g.degrees[from + i] = d[i] === null ? NaN : d[i];
  g.since = Math.min(g.since, from, g.length);
  g.length = Math.max(g.length, end);
}

// The span of a column for `ticks` ticks over the plot's columns.
function spanFor(ticks) {
  let s = 1;
  while (Math.ceil(ticks / s) > columns) s *= 2;
  return s;
}

// Works out again the columns of `g` from the first tick that changed, and pads its trace with
// gaps to `count` columns. Each column gives `per` points, in the order they happened.
function thin(g, count, per) {
  const pts = g.points;
  if (g.since !== Infinity) {
    const first = Math.floor(g.since / span);
    const own = Math.ceil(g.length / span);
    pts.length = Math.min(pts.length, first * per);
    while (pts.length < first * per) pts.push(null);
    const deg = g.degrees;
    for (let c = first; c < own; ++c) {
      let lo = Infinity, hi = -Infinity, loAt = -1, hiAt = -1;
      const end = Math.min(g.length, (c + 1) * span);
      for (let t = c * span; t < end; ++t) {
        const v = deg[t];  // NaN compares false: a tick without a reading is passed over
        if (v < lo) { lo = v; loAt = t; }
        if (v > hi) { hi = v; hiAt = t; }
      }
      if (loAt < 0) {
        for (let p = 0; p < per; ++p) pts.push(null);
      } else if (per === 1) {
        pts.push(lo);
      } else if (loAt <= hiAt) {
        pts.push(lo, hi);
      } else {
        pts.push(hi, lo);
      }
    }
    g.since = Infinity;
  }
  pts.length = Math.min(pts.length, count * per);
  while (pts.length < count * per) pts.push(null);
}

// The graph's data, brought up to what the page holds.
function data() {
  let most = 0;
  for (const g of groups) most = Math.max(most, g.length);
  const s = spanFor(most);
  if (s !== span) {  // the lesson outgrew the columns (or started anew): all worked out again
    span = s;
    times.length = 0;
    for (const g of groups) {
      g.points.length = 0;
      g.since = 0;
    }
  }
  const per = span === 1 ? 1 : 2;
  const count = Math.ceil(most / span);
  times.length = Math.min(times.length, count * per);
  for (let c = times.length / per; c < count; ++c) {
    if (per === 1) times.push(c / 2);
    else times.push(c * span / 2, (c * span + span - 1) / 2);
  }
  for (const g of groups) thin(g, count, per);
  return [times, ...groups.map((g) => g.points)];
}

// ---- the graph -------------------------------------------------------------------------

// The canvases over the plot, beneath to above: the lesson's steps (the predictions and the
// markers), the picked trace, what the reading off picked.
let layers = null;

// The plot's size in CSS pixels, as the chart laid it out: asking the page would lay out
// the texts the feed changed since, in the middle of a redraw.
function plotSize() {
  return {width: chart.bbox.width / devicePixelRatio, height: chart.bbox.height / devicePixelRatio};
}

// `canvas` made as large as the plot and cleared, its context drawing in the plot's pixels; null
// when nothing is to be drawn on it (`empty`), once it is clear.
function fitLayer(canvas, empty) {
  if (!chart) return null;
  const ratio = devicePixelRatio;
  const width = Math.round(chart.bbox.width), height = Math.round(chart.bbox.height);
  if (canvas.width !== width || canvas.height !== height) {
    canvas.width = width;  // which clears it
    canvas.height = height;
  } else if (!canvas.clear) {
    const ctx = canvas.getContext("2d");
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.clearRect(0, 0, width, height);
  }
  canvas.clear = empty;
  if (empty) return null;
  const ctx = canvas.getContext("2d");
  ctx.setTransform(ratio, 0, 0, ratio, 0, 0);
  return ctx;
}

// The picked trace, thick, on a canvas of its own over the plot, the others veiled beneath it:
// a tap is answered by drawing one trace, not forty.
function drawPicked() {
  if (!chart) return;
  chart.over.classList.toggle("veiled", picked >= 0);
  const ctx = fitLayer(layers.picked, picked < 0 || !groups[picked]);
  if (!ctx) return;
  const x = chart.data[0], y = chart.data[picked + 1] || [];
  ctx.strokeStyle = groups[picked].colour;
  ctx.lineWidth = PickedWidth;
  ctx.lineJoin = ctx.lineCap = "round";
  ctx.beginPath();
  let down = false;
  for (let i = 0; i < y.length; ++i) {
    if (y[i] === null) {
      down = false;
      continue;
    }
    const px = chart.valToPos(x[i], "x"), py = chart.valToPos(y[i], "y");
    if (down) ctx.lineTo(px, py);
    else ctx.moveTo(px, py);
    down = true;
  }
  ctx.stroke();
}

function size() {
  const box = byId("graph");
  return {width: Math.max(200, box.clientWidth), height: Math.max(160, box.clientHeight)};
}

function makeChart() {
  const font = "16px sans-serif";
  const axis = {font, labelFont: "bold 18px sans-serif", stroke: "#000",
                grid: {stroke: "#00008040", width: 1}, ticks: {stroke: "#00008080", width: 1}};
  const opts = Object.assign(size(), {
    legend: {show: false},
    cursor: {show: false, drag: {x: false, y: false, setScale: false}},
    select: {show: false},
    scales: {
      x: {time: false, range: (u, lo, hi) => [0, Math.max(30, hi || 0, notesReach())]},
      y: {range: (u, dataLo, dataHi) => {
        const [lo, hi] = notesDegrees(dataLo, dataHi);
        if (lo === null || hi === null) return [0, 40];
        const middle = (lo + hi) / 2;
        const half = Math.max(1, (hi - lo) / 2) * 1.1;
        return [middle - half, middle + half];
      }},
    },
    axes: [Object.assign({label: "秒"}, axis), Object.assign({label: "℃", size: 60}, axis)],
    series: [{}, ...groups.map((g) => ({
      stroke: g.colour, width: 2, points: {show: false}, spanGaps: false,
    }))],
    hooks: {draw: [drawPicked, drawTools]},
  });
  layers = {notes: document.createElement("canvas"), picked: document.createElement("canvas"),
            reading: document.createElement("canvas")};
  chart = new uPlot(opts, [[]].concat(groups.map(() => [])), byId("graph"));
  chart.over.append(layers.notes, layers.picked, layers.reading);
  columns = Math.max(LeastColumns, Math.round(chart.bbox.width / devicePixelRatio / ColumnPx));
}

// A redraw, when something changed, at most every RedrawGapMs (OpeningGapMs while the lesson
// so far is still coming). A task of its own, not a frame's callback: a tap is painted without
// waiting for the graph.
function soon() {
  changed = true;
  if (timer) return;
  const gap = ready ? RedrawGapMs : OpeningGapMs;
  timer = setTimeout(draw, Math.max(0, lastDraw + gap - performance.now()));
}

function draw() {
  timer = 0;
  if (!changed || document.hidden) return;
  if (typeof uPlot === "undefined") {  // the chart's script is still being read
    timer = setTimeout(draw, 100);
    return;
  }
  changed = false;
  const start = performance.now();
  if (!chart) makeChart();
  const d = data();
  chart.batch(() => chart.setData(d));
  lastDraw = performance.now();
  painted(start);
}

// A redraw now: what the axes take in has changed.
function drawNow() {
  changed = true;
  clearTimeout(timer);
  draw();
}

// What a harness reads: each redraw's time, the newest tick of each group it painted, and when
// the lesson so far was first drawn whole.
function painted(start) {
  performance.measure("redraw", {start});
  const newest = {};
  for (const g of groups) newest[g.name] = g.length - 1;
  // The wall clock's time with it: the performance timeline's own drifts from it.
  performance.mark("painted", {detail: {at: Date.now(), newest}});
  if (ready && !complete) {
    complete = true;
    performance.mark("graph-complete", {detail: {at: Date.now()}});
  }
}

new ResizeObserver(() => {
  if (!chart) return;
  chart.setSize(size());
  const now = Math.max(LeastColumns, Math.round(chart.bbox.width / devicePixelRatio / ColumnPx));
  if (now !== columns) {
    columns = now;
    span = 0;  // worked out again at the next redraw
  }
  soon();
}).observe(byId("graph"));

document.addEventListener("visibilitychange", () => { if (changed) soon(); });

// ---- the list and the read-out ------------------------------------------------------------

function addItem(g, i) {
  const item = document.createElement("li");
  item.dataset.i = i;
  const swatch = document.createElement("span");
  swatch.className = "swatch";
  const label = document.createElement("span");
  label.className = "name";
  label.textContent = g.name;
  g.reading_ = document.createElement("span");
  g.reading_.className = "reading";
  g.state_ = document.createElement("span");
  g.state_.className = "what";
  g.off_ = document.createElement("span");  // what is read off the group's trace
  g.off_.className = "off";
  item.append(swatch, label, g.reading_, g.state_, g.off_);
  g.item = item;
  byId("groups").append(item);
}

function degreesText(r) {
  return r === null || r === undefined ? "--" : r.toFixed(1);
}

function setText(element, text) {
  if (element.textContent !== text) element.textContent = text;
}

function show(g) {
  g.item.firstChild.style.background = g.colour;
  setText(g.reading_, g.reading === null ? "--" : degreesText(g.reading) + "℃");
  setText(g.state_, g.state);
  g.item.classList.toggle("offline", g.state === Offline);
  if (alone && g === groups[0]) {
    setText(byId("big").firstChild, degreesText(g.reading));
    setText(byId("sensor"), g.sensor);
    setText(byId("lo"), g.lo + "℃");
    setText(byId("hi"), g.hi + "℃");
    const full = g.hi > g.lo && g.reading !== null ? (g.reading - g.lo) / (g.hi - g.lo) : 0;
    byId("fill").style.height = (100 * Math.min(1, Math.max(0, full))).toFixed(1) + "%";
  }
}

function learn(g, frame) {
  if (frame.c) g.colour = frame.c;
  if ("s" in frame) g.state = frame.s;
  if ("r" in frame) g.reading = frame.r;
  if ("k" in frame) g.sensor = frame.k;
  if (typeof frame.lo === "number") g.lo = frame.lo;
  if (typeof frame.hi === "number") g.hi = frame.hi;
  show(g);
}

// A tap on a group: its row and its trace forward at once.
byId("groups").addEventListener("click", (event) => {
  const item = event.target.closest("li");
  if (!item) return;
  const i = Number(item.dataset.i);
  if (picked >= 0 && groups[picked]) groups[picked].item.classList.remove("picked");
  picked = picked === i ? -1 : i;
  if (picked >= 0) item.classList.add("picked");
  drawPicked();
});

// ---- the feed ----------------------------------------------------------------------------

function forget() {
  if (chart) chart.destroy();
  chart = null;
  groups = [];
  byName.clear();
  picked = -1;
  ready = false;
  span = 1;
  times = [];
  byId("groups").textContent = "";
  forgetNotes();
}

function take(frame) {
  if (frame.t === "ticks") {
    store(groupOf(frame.n), frame.from, frame.d, frame.new === true);
    soon();
  } else if (frame.t === "group") {
    learn(groupOf(frame.n), frame);
  } else if (frame.t === "class") {
    forget();
    alone = frame.alone === true;
    document.body.classList.toggle("alone", alone);
    setText(byId("class"), frame.class || "");
    for (const g of frame.groups) learn(groupOf(g.n), g);
    soon();
  } else if (frame.t === "ready") {
    ready = true;
    drawNow();  // the lesson so far, drawn whole now
  } else if (frame.t === "prediction" || frame.t === "markers" || frame.t === "results") {
    takeNote(frame);
  }
}

let feed = null;
let failures = [];

function say(text, lost) {
  const state = byId("state");
  setText(state, text);
  state.classList.toggle("lost", lost);
}

function recentFailures() {
  const now = Date.now();
  failures = failures.filter((t) => now - t < LostWindowMs);
  return failures.length;
}

function listen() {
  feed = new EventSource("feed");
  feed.onopen = () => {
    if (recentFailures() < LostErrors) say("", false);
  };
  feed.onmessage = (event) => take(JSON.parse(event.data));
  feed.onerror = () => {
    failures.push(Date.now());
    if (recentFailures() >= LostErrors) say(Lost, true);
    else say(Reconnecting, false);
    if (feed.readyState === EventSource.CLOSED) {  // refused: the browser will not retry
      feed.close();
      setTimeout(listen, ReopenMs);
    }
  };
}

// Every group's ticks with a reading as [tick, degrees], in order, as JSON: what the page holds.
function traces() {
  const all = {};
  for (const g of groups) {
    const ticks = [];
    for (let t = 0; t < g.length; ++t)
      if (!Number.isNaN(g.degrees[t])) ticks.push([t, Math.round(g.degrees[t] * 100) / 100]);
    all[g.name] = ticks;
  }
  return JSON.stringify(all);
}

startTools();
listen();
