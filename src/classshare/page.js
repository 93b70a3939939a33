// The class, live: every group's trace on one graph (dygraphs), each group's read-out and
// state; tapping a group brings its trace forward. The page only listens: it sends nothing.
"use strict";

const groups = new Map();  // name -> {colour, state, reading, ticks: Map(tick -> degrees)}
let order = [];            // the names, in the order they came
let picked = null;
let graph = null;
let drawSoon = false;
let ready = false;     // the lesson so far has all come
let complete = false;  // and has been drawn

function group(name, colour) {
  if (!groups.has(name)) {
    groups.set(name, {colour: colour || "#000000", state: "", reading: null, ticks: new Map()});
    order.push(name);
  }
  const g = groups.get(name);
  if (colour) g.colour = colour;
  return g;
}

function take(frame) {
  if (frame.t === "class") {
    document.getElementById("class").textContent = frame.class;
    groups.clear();
    order = [];
    for (const g of frame.groups) {
      const held = group(g.n, g.c);
      held.state = g.s;
      held.reading = g.r;
    }
  } else if (frame.t === "group") {
    const g = group(frame.n, frame.c);
    g.state = frame.s;
    g.reading = frame.r;
  } else if (frame.t === "ready") {
    ready = true;
  } else if (frame.t === "ticks") {
    const g = group(frame.n, frame.c);
    if (frame.new) g.ticks.clear();
    frame.d.forEach((d, i) => { if (d !== null) g.ticks.set(frame.from + i, d); });
  }
  soon();
}

function soon() {
  if (drawSoon) return;
  drawSoon = true;
  setTimeout(() => { drawSoon = false; draw(); }, 250);
}

function rows() {
  let last = -1;
  for (const g of groups.values()) for (const t of g.ticks.keys()) last = Math.max(last, t);
  const data = [];
  for (let t = 0; t <= last; ++t) {
    const row = [t / 2];
    let any = false;
    for (const name of order) {
      const d = groups.get(name).ticks.get(t);
      row.push(d === undefined ? null : d);
      any = any || d !== undefined;
    }
    if (any) data.push(row);
  }
  return data;
}

function drawList() {
  const list = document.getElementById("groups");
  list.textContent = "";
  for (const name of order) {
    const g = groups.get(name);
    const item = document.createElement("li");
    if (name === picked) item.className = "picked";
    if (g.state === "オフライン") item.classList.add("offline");
    const swatch = document.createElement("span");
    swatch.className = "swatch";
    swatch.style.background = g.colour;
    const label = document.createElement("span");
    label.className = "name";
    label.textContent = name;
    const reading = document.createElement("span");
    reading.className = "reading";
    reading.textContent = g.reading === null ? "--" : g.reading.toFixed(1) + "℃";
    const what = document.createElement("span");
    what.className = "what";
    what.textContent = g.state;
    item.append(swatch, label, reading, what);
    item.addEventListener("click", () => { picked = picked === name ? null : name; draw(); });
    list.append(item);
  }
}

// Every group's ticks as [tick, degrees], in order, as JSON: what the page holds.
function traces() {
  const all = {};
  for (const name of order) all[name] = [...groups.get(name).ticks.entries()].sort((a, b) => a[0] - b[0]);
  return JSON.stringify(all);
}

// What a harness reads: each redraw's time, the newest tick of each group it painted, and when
// the lesson so far was first drawn whole.
function painted(start) {
  performance.measure("redraw", {start});
  const newest = {};
  for (const name of order) newest[name] = Math.max(-1, ...groups.get(name).ticks.keys());
  performance.mark("painted", {detail: newest});
  if (ready && !complete) {
    complete = true;
    performance.mark("graph-complete");
  }
}

function draw() {
  const start = performance.now();
  drawList();
  if (order.length === 0) return;
  const series = {};
  for (const name of order)
    series[name] = {strokeWidth: name === picked ? 4 : picked ? 1 : 2,
                    color: name === picked || !picked ? groups.get(name).colour : groups.get(name).colour + "80"};
  const options = {labels: ["秒", ...order], series, colors: order.map(n => groups.get(n).colour),
                   connectSeparatedPoints: true, legend: "always", labelsSeparateLines: true,
                   xlabel: "秒", ylabel: "℃", gridLineColor: "#000080", axisLabelFontSize: 16,
                   animatedZooms: false, interactionModel: {}};
  const data = rows();
  if (data.length === 0) return;
  if (graph) graph.updateOptions(Object.assign({file: data}, options));
  else graph = new Dygraph(document.getElementById("graph"), data, options);
  painted(start);
}

function listen() {
  const feed = new EventSource("feed");
  const state = document.getElementById("state");
  feed.onopen = () => { state.textContent = ""; };
  feed.onmessage = (event) => take(JSON.parse(event.data));
  feed.onerror = () => { state.textContent = "とぎれました。つなぎなおしています…"; };
}

listen();
