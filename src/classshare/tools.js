// The lesson's steps on the pupil's graph (page.js holds the graph and the feed): the teacher's
// prediction, dashed, and markers, thin vertical lines with their labels, listed with their
// times; the pupil's own prediction, drawn with a finger and kept on this device alone (the page
// sends nothing); reading the graph off (a cursor, two points of a trace, a stretch); and the
// class's results (まとめ) as a table. Texts from the feed are shown as text, never as HTML.
//
// Each is drawn on a canvas of its own over the plot (page.js makes them with the chart): a
// finger's move repaints one layer at the next frame, never the chart and its forty traces.
"use strict";

const TeacherColour = "#000000";
const OwnColour = "#ffffff";  // with a dark edge: apart from every trace and from the teacher's
const MarkerColour = "#202020";
const DrawingSeconds = 600;   // the time axis while a prediction is drawn, at least
const StrokeStepPx = 8;       // a stroke drawn is made a point this often ...
const SmoothReach = 2;        // ... each the mean of its neighbours this many either side
const RowsAfterMs = 150;      // the rows say what was picked this long after the graph shows it
const LabelChars = 12;        // a marker's label on the graph, shortened; whole in the list

const Words = {
  read: "グラフに ふれると、その ときの おんどが でます。",
  two: "グラフの せんの うえで、てんを 2つ えらびます。",
  second: "もう 1つ てんを えらびます。",
  stretch: "グラフを ゆびで よこに なぞって、はんいを えらびます。",
  draw: "グラフに ゆびで よそうを かきます。かけたら「よそうを かく」を もう いちど おします。",
  noResults: "まだ けっかが ありません。",
};

// What the teacher sent, and the pupil's own prediction.
const notes = {
  teacher: [],    // [[seconds, degrees], ...], sorted
  markers: [],    // [{s: seconds, l: label}], sorted
  results: null,  // the "results" frame
  own: [],        // as the teacher's
};
const OwnKey = "kelvira-own:" + location.pathname;  // this sharing's, on this device

// The tool in hand, and what it has picked: ticks (-1: none) and groups by their index.
let tool = "read";
let finger = null;   // the pointer followed while it is down
let stroke = null;   // the stroke being drawn, [[seconds, degrees], ...] as the finger went
let newDrawing = true;  // the next stroke starts the prediction anew
const picks = {
  cursor: -1,
  group: -1, a: -1, b: -1,          // two points of the trace of `group`
  from: -1, to: -1, open: false,    // a stretch; `open`: a tap began it, a second tap ends it
  dragging: false,
  stats: [],                        // by group: stretchOf() and what it was worked out from
};
let frameAsked = 0;
let rowsAsked = 0;

// ---- the frames ------------------------------------------------------------------------------

function markersOf(m) {
  if (!Array.isArray(m)) return [];
  return m.filter((x) => x && Number.isFinite(x.s))
      .map((x) => ({s: x.s, l: typeof x.l === "string" ? x.l : ""}))
      .sort((a, b) => a.s - b.s);
}

function takeNote(frame) {
  if (frame.t === "results") {
    notes.results = frame;
    showResults();
    return;
  }
  if (frame.t === "prediction") notes.teacher = predictionOf(frame.p);
  else notes.markers = markersOf(frame.m);
  showNotes();
  drawNow();  // the axes take the prediction in
}

// A new class: what its teacher sent comes again; what was picked is gone with its groups.
function forgetNotes() {
  notes.teacher = [];
  notes.markers = [];
  notes.results = null;
  Object.assign(picks, {cursor: -1, group: -1, a: -1, b: -1, from: -1, to: -1, open: false,
                        dragging: false, stats: []});
  showNotes();
  showResults();
}

// ---- the axes --------------------------------------------------------------------------------

// How far the time axis reaches for what is drawn on it.
function notesReach() {
  let reach = tool === "draw" ? DrawingSeconds : 0;
  for (const p of [notes.teacher, notes.own, stroke || []])
    if (p.length) reach = Math.max(reach, p[p.length - 1][0]);
  for (const m of notes.markers) reach = Math.max(reach, m.s);
  return reach;
}

// The degrees the axis shows, the traces' `lo`..`hi` (null: none) widened for the predictions,
// and while one is drawn for the whole of the sensors' scales.
function notesDegrees(lo, hi) {
  const spans = [degreesSpan(notes.teacher, notes.own)];
  if (tool === "draw" && groups.length)
    spans.push([Math.min(...groups.map((g) => g.lo)), Math.max(...groups.map((g) => g.hi))]);
  for (const s of spans) {
    if (!s) continue;
    lo = lo === null ? s[0] : Math.min(lo, s[0]);
    hi = hi === null ? s[1] : Math.max(hi, s[1]);
  }
  return [lo, hi];
}

// ---- the layers ------------------------------------------------------------------------------

function longest() {
  let most = 0;
  for (const g of groups) most = Math.max(most, g.length);
  return most;
}

function line(ctx, points) {
  ctx.beginPath();
  points.forEach(([s, d], i) => {
    const x = chart.valToPos(s, "x"), y = chart.valToPos(d, "y");
    if (i) ctx.lineTo(x, y);
    else ctx.moveTo(x, y);
  });
  ctx.stroke();
}

function drawOwn(ctx, points) {
  ctx.lineJoin = ctx.lineCap = "round";
  ctx.strokeStyle = "rgba(0, 0, 0, 0.7)";
  ctx.lineWidth = 8;
  line(ctx, points);
  ctx.strokeStyle = OwnColour;
  ctx.lineWidth = 4;
  line(ctx, points);
}

// The markers, the predictions and a stroke being drawn.
function drawNotes() {
  const ctx = fitLayer(layers.notes, !notes.markers.length && !notes.teacher.length &&
                                     !notes.own.length && !stroke);
  if (!ctx) return;
  const {width, height} = plotSize();
  ctx.save();
  ctx.beginPath();
  ctx.rect(0, 0, width, height);
  ctx.clip();
  ctx.font = "bold 15px sans-serif";
  ctx.textBaseline = "top";
  const rows = [];  // where each row of labels is taken up to
  for (const m of notes.markers) {
    const x = Math.round(chart.valToPos(m.s, "x")) + 0.5;
    ctx.strokeStyle = MarkerColour;
    ctx.lineWidth = 1;
    ctx.beginPath();
    ctx.moveTo(x, 0);
    ctx.lineTo(x, height);
    ctx.stroke();
    const text = m.l.length > LabelChars ? m.l.slice(0, LabelChars - 1) + "…" : m.l;
    const w = ctx.measureText(text).width + 8;
    const left = x + w + 2 > width ? x - w - 2 : x + 2;
    let row = rows.findIndex((end) => end < left);
    if (row < 0) row = rows.length < 3 ? rows.length : rows.indexOf(Math.min(...rows));
    rows[row] = left + w;
    ctx.fillStyle = "rgba(255, 255, 255, 0.85)";
    ctx.fillRect(left, 4 + row * 22, w, 20);
    ctx.fillStyle = MarkerColour;
    ctx.fillText(text, left + 4, 6 + row * 22);
  }
  if (notes.teacher.length) {
    ctx.setLineDash([14, 8]);
    ctx.strokeStyle = TeacherColour;
    ctx.lineWidth = 3;
    line(ctx, notes.teacher);
    ctx.setLineDash([]);
  }
  drawOwn(ctx, stroke && newDrawing ? [] : notes.own);
  if (stroke) drawOwn(ctx, stroke);
  ctx.restore();
}

function dot(ctx, x, y, colour, radius) {
  ctx.beginPath();
  ctx.arc(x, y, radius, 0, 2 * Math.PI);
  ctx.fillStyle = colour;
  ctx.fill();
  ctx.lineWidth = 2;
  ctx.strokeStyle = "#000";
  ctx.stroke();
}

function upright(ctx, tick, height) {
  const x = Math.round(chart.valToPos(tick * TickSeconds, "x")) + 0.5;
  ctx.beginPath();
  ctx.moveTo(x, 0);
  ctx.lineTo(x, height);
  ctx.stroke();
  return x;
}

// What the tool in hand has picked: the cursor and each trace's point under it, two points of a
// trace and the change between them, a stretch.
function drawPicks() {
  const shown = {read: picks.cursor, two: picks.a, stretch: picks.from, draw: -1};
  const ctx = fitLayer(layers.reading, shown[tool] < 0);
  if (!ctx) return;
  const {height} = plotSize();
  ctx.strokeStyle = "#000";
  ctx.lineWidth = 2;
  if (tool === "read" && picks.cursor >= 0) {
    upright(ctx, picks.cursor, height);
    groups.forEach((g, i) => {
      const h = hundredthsAt(g.degrees, g.length, picks.cursor);
      if (h === null) return;
      const r = picked < 0 || picked === i ? 6 : 3;
      dot(ctx, chart.valToPos(picks.cursor * TickSeconds, "x"), chart.valToPos(h / 100, "y"),
          g.colour, r);
    });
  } else if (tool === "two" && picks.a >= 0 && groups[picks.group]) {
    const g = groups[picks.group];
    const at = (t) => [chart.valToPos(t * TickSeconds, "x"),
                       chart.valToPos(hundredthsAt(g.degrees, g.length, t) / 100, "y")];
    const a = at(picks.a);
    if (picks.b >= 0 && hundredthsAt(g.degrees, g.length, picks.b) !== null) {
      const b = at(picks.b);
      ctx.setLineDash([6, 5]);  // the change's two legs: its time and its degrees
      ctx.beginPath();
      ctx.moveTo(a[0], a[1]);
      ctx.lineTo(b[0], a[1]);
      ctx.lineTo(b[0], b[1]);
      ctx.stroke();
      ctx.setLineDash([]);
      ctx.lineWidth = 3;
      ctx.beginPath();
      ctx.moveTo(a[0], a[1]);
      ctx.lineTo(b[0], b[1]);
      ctx.stroke();
      dot(ctx, b[0], b[1], g.colour, 8);
    }
    if (hundredthsAt(g.degrees, g.length, picks.a) !== null) dot(ctx, a[0], a[1], g.colour, 8);
  } else if (tool === "stretch" && picks.from >= 0) {
    const x0 = chart.valToPos(Math.min(picks.from, picks.to) * TickSeconds, "x");
    const x1 = chart.valToPos(Math.max(picks.from, picks.to) * TickSeconds, "x");
    ctx.fillStyle = "rgba(255, 255, 0, 0.35)";
    ctx.fillRect(x0, 0, Math.max(2, x1 - x0), height);
    upright(ctx, picks.from, height);
    if (!picks.open) upright(ctx, picks.to, height);
  }
}

// ---- what was picked, in words ----------------------------------------------------------------

function reading(h) {
  return h === null ? "--" : degreesWord(h / 100) + "℃";
}

function statsWords(s) {
  if (!s) return "--";
  return "たかい " + degreesWord(s.highest) + "℃　ひくい " + degreesWord(s.lowest) +
         "℃　へいきん " + degreesWord(s.mean) + "℃";
}

// A stretch's figures, worked out again for a group whose ticks in it changed.
function countStretch() {
  if (tool !== "stretch" || picks.from < 0 || picks.open || picks.dragging) return;
  const end = Math.max(picks.from, picks.to);
  groups.forEach((g, i) => {
    const s = picks.stats[i];
    if (s && s.rewritten === g.rewritten && (s.length === g.length || end < s.length)) return;
    picks.stats[i] = {figures: stretchOf(g.degrees, g.length, picks.from, picks.to),
                      length: g.length, rewritten: g.rewritten};
  });
}

// What the tool in hand picked, in words: the line over the graph, and what each group's row
// reads off (`lead` before it).
function picksWords() {
  countStretch();
  let said = Words[tool];
  let each = () => "";
  let lead = "";  // before what a group's row reads off
  if (tool === "read" && picks.cursor >= 0) {
    said = timeWord(picks.cursor * TickSeconds) + " のとき";
    each = (g) => reading(hundredthsAt(g.degrees, g.length, picks.cursor));
    lead = "その とき ";
  } else if (tool === "two" && picks.a >= 0 && groups[picks.group]) {
    const g = groups[picks.group];
    const a = hundredthsAt(g.degrees, g.length, picks.a);
    said = (alone ? "" : g.name + "　") + timeWord(picks.a * TickSeconds) + " " + reading(a);
    const b = picks.b >= 0 ? hundredthsAt(g.degrees, g.length, picks.b) : null;
    if (a === null || b === null) {
      said += "　" + Words.second;
    } else {
      const c = between([picks.a, a], [picks.b, b]);
      said += " → " + timeWord(picks.b * TickSeconds) + " " + reading(b) + "　Δ " +
              secondsWord(c.seconds) + "　Δ " + changeWord(c.degrees) + "℃　" +
              (c.perMinute === null ? "--" : changeWord(c.perMinute)) + " ℃/分";
    }
  } else if (tool === "stretch" && picks.from >= 0) {
    const from = Math.min(picks.from, picks.to), to = Math.max(picks.from, picks.to);
    said = timeWord(from * TickSeconds) + " から " +
           (picks.open ? "…" : timeWord(to * TickSeconds) + " まで");
    if (!picks.open && !picks.dragging)
      each = (g, i) => statsWords(picks.stats[i] && picks.stats[i].figures);
  }
  const own = alone && groups[0] ? each(groups[0], 0) : "";
  if (own) said += "　" + own;
  return {said, each, lead};
}

function sayRows(words) {
  groups.forEach((g, i) => {
    const off = words.each(g, i);
    setText(g.off_, off && words.lead + off);
  });
}

function sayPicks() {
  const words = picksWords();
  setText(byId("said"), words.said);
  sayRows(words);
}

// The layers over the graph and the words, at the next frame (once however many moves came).
function repaint() {
  if (frameAsked) return;
  frameAsked = requestAnimationFrame(() => {
    frameAsked = 0;
    if (!chart) return;
    if (stroke) drawNotes();
    drawPicks();
    setText(byId("said"), picksWords().said);
    // The rows after this frame is shown: the finger sees its answer on the graph first, and
    // forty rows laid out again wait for it (once however many frames ask).
    if (!rowsAsked) rowsAsked = setTimeout(() => {
      rowsAsked = 0;
      sayRows(picksWords());
    }, RowsAfterMs);
  });
}

// After a redraw of the chart: every layer again, as the axes may have moved.
function drawTools() {
  drawNotes();
  drawPicks();
  sayPicks();
}

// ---- the finger --------------------------------------------------------------------------------

function plotAt(event) {
  const box = chart.over.getBoundingClientRect();
  const x = event.clientX - box.left, y = event.clientY - box.top;
  return {inside: x >= 0 && y >= 0 && x <= box.width && y <= box.height,
          seconds: chart.posToVal(x, "x"), degrees: chart.posToVal(y, "y")};
}

// A point of a trace: the first on the trace nearest the finger (the tapped group's, when one
// is tapped), the second on the same trace; a third starts again.
function pickPoint(p) {
  const t = tickAt(p.seconds, longest());
  if (t < 0) return;
  if (picks.a >= 0 && picks.b < 0 && groups[picks.group]) {
    const g = groups[picks.group];
    if (hundredthsAt(g.degrees, g.length, t) !== null) picks.b = t;
    return;
  }
  const values = groups.map((g) => {
    const h = hundredthsAt(g.degrees, g.length, t);
    return h === null ? null : h / 100;
  });
  const g = picked >= 0 && values[picked] !== null ? picked : nearest(values, p.degrees);
  if (g < 0) return;
  Object.assign(picks, {group: g, a: t, b: -1});
}

function touched(p) {
  const t = tickAt(p.seconds, longest());
  if (tool === "read") {
    picks.cursor = t;
  } else if (tool === "two") {
    pickPoint(p);
  } else if (tool === "stretch" && t >= 0) {
    if (picks.open) {
      Object.assign(picks, {to: t, open: false, stats: []});
    } else {
      Object.assign(picks, {from: t, to: t, dragging: true, stats: []});
    }
  } else if (tool === "draw") {
    stroke = [[p.seconds, p.degrees]];
  }
}

function moved(p) {
  if (tool === "read") picks.cursor = tickAt(p.seconds, longest());
  else if (tool === "stretch" && picks.dragging) picks.to = tickAt(p.seconds, longest());
  else if (tool === "draw" && stroke && p.inside) stroke.push([p.seconds, p.degrees]);
}

function lifted() {
  if (tool === "stretch" && picks.dragging) {
    picks.dragging = false;
    picks.open = picks.from === picks.to;  // a tap: the next tap ends the stretch
  } else if (tool === "draw" && stroke) {
    const step = Math.abs(chart.posToVal(StrokeStepPx, "x") - chart.posToVal(0, "x"));
    const smooth = smoothStroke(stroke, step, SmoothReach);
    stroke = null;
    if (smooth.length) {
      notes.own = mergeStroke(newDrawing ? [] : notes.own, smooth);
      newDrawing = false;
      keepOwn();
      showNotes();
    }
    drawNow();
  }
}

function keepOwn() {
  try {
    sessionStorage.setItem(OwnKey, JSON.stringify(notes.own));
  } catch (e) {
    // kept while the page is open, then
  }
}

function startFinger() {
  const box = byId("graph");
  box.addEventListener("pointerdown", (event) => {
    if (!chart || finger !== null || !event.isPrimary || event.button > 0) return;
    const p = plotAt(event);
    if (!p.inside) return;
    event.preventDefault();
    finger = event.pointerId;
    box.setPointerCapture(finger);
    touched(p);
    repaint();
  });
  box.addEventListener("pointermove", (event) => {
    if (!chart) return;
    if (finger === null) {
      // A mouse or a pen above the graph: the cursor follows it.
      if (tool !== "read" || event.pointerType === "touch") return;
      const p = plotAt(event);
      if (!p.inside) return;
      picks.cursor = tickAt(p.seconds, longest());
    } else {
      if (event.pointerId !== finger) return;
      const all = event.getCoalescedEvents ? event.getCoalescedEvents() : [];
      for (const e of all.length ? all : [event]) moved(plotAt(e));
    }
    repaint();
  });
  const lift = (event) => {
    if (event.pointerId !== finger) return;
    finger = null;
    lifted();
    repaint();
  };
  box.addEventListener("pointerup", lift);
  box.addEventListener("pointercancel", lift);
}

// ---- the buttons, the list of markers and the table --------------------------------------------

function setTool(t) {
  const axesChange = (t === "draw") !== (tool === "draw");
  tool = t;
  document.body.classList.toggle("tool-read", t === "read");
  stroke = null;
  newDrawing = true;
  for (const b of document.querySelectorAll("#tools [data-tool]"))
    b.setAttribute("aria-pressed", String(b.dataset.tool === t));
  if (axesChange) drawNow();
  repaint();
}

function item(className, text) {
  const li = document.createElement("li");
  li.className = className;
  li.textContent = text;
  return li;
}

// The keys of the predictions and the markers with their times; a marker tapped puts the cursor
// at its time.
function showNotes() {
  const list = byId("notes");
  list.textContent = "";
  if (notes.teacher.length) list.append(item("key teacher", "先生の よそう"));
  if (notes.own.length) list.append(item("key own", "じぶんの よそう"));
  if (notes.markers.length) list.append(item("head", "めじるし"));
  for (const m of notes.markers) {
    const li = item("marker", "");
    const button = document.createElement("button");
    const time = document.createElement("b");
    time.textContent = timeWord(m.s);
    button.append(time, " " + m.l);
    button.addEventListener("click", () => {
      setTool("read");
      picks.cursor = tickAt(m.s, longest());
      repaint();
    });
    li.append(button);
    list.append(li);
  }
  byId("erase").disabled = notes.own.length === 0;
}

function cells(texts, tag, colourOf) {
  const row = document.createElement("tr");
  if (!Array.isArray(texts)) return row;
  texts.forEach((text, i) => {
    const cell = document.createElement(tag);
    cell.textContent = text === null || text === undefined ? "" : String(text);
    const colour = i === 0 && colourOf ? colourOf(cell.textContent) : null;
    if (colour) cell.style.borderLeft = "0.5em solid " + colour;
    row.append(cell);
  });
  return row;
}

function showResults() {
  const box = byId("summary");
  if (box.hidden) return;
  const table = byId("results");
  table.textContent = "";
  const r = notes.results;
  const rows = r && Array.isArray(r.rows) ? r.rows : [];
  setText(byId("noResults"), rows.length ? "" : Words.noResults);
  if (!rows.length) return;
  const colourOf = (name) => byName.has(name) ? byName.get(name).colour : null;
  table.createTHead().append(cells(r.head, "th"));
  const body = table.createTBody();
  for (const row of rows) body.append(cells(row, "td", colourOf));
  if (Array.isArray(r.mean)) table.createTFoot().append(cells(r.mean, "td"));
}

function startTools() {
  try {
    notes.own = predictionOf(JSON.parse(sessionStorage.getItem(OwnKey) || "[]"));
  } catch (e) {
    notes.own = [];
  }
  for (const b of document.querySelectorAll("#tools [data-tool]"))
    b.addEventListener("click", () => setTool(b.dataset.tool === tool ? "read" : b.dataset.tool));
  byId("erase").addEventListener("click", () => {
    notes.own = [];
    newDrawing = true;
    keepOwn();
    showNotes();
    drawNow();
  });
  byId("sum").addEventListener("click", () => {
    const box = byId("summary");
    box.hidden = !box.hidden;
    byId("sum").setAttribute("aria-pressed", String(!box.hidden));
    showResults();
  });
  startFinger();
  showNotes();
  setTool("read");
}
