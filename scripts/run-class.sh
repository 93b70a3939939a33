#!/usr/bin/env bash
# The whole class, as scripts/run.sh --class starts it:
#   scripts/run-class.sh KELVIRA KELVIRA_CLASS ZANPO_SIM
# A broker on 127.0.0.1 (a free port), three simulated boxes with different profiles, three
# Kelvira windows side by side that press スタート and publish to the class "demo", and the
# class view below them. On a machine without a display everything runs under Xvfb for
# RUN_SECONDS (default 40) and screenshots of the class view, at 1x and at 2x, go to
# screenshots/. Each group's files stay in .run/class/.
set -euo pipefail
kelvira=$1
class_view=$2
sim=$3
root=$(cd "$(dirname "$0")/.." && pwd)
work="$root/.run/class"
shots="$root/screenshots"
rm -rf "$work"
mkdir -p "$work" "$shots"
rm -f "$shots"/class-*.png

pids=()
group_pids=()
cleanup() {
    # The groups' programs first, so that each closes its port and removes its lock file.
    for pid in "${group_pids[@]}"; do pkill -TERM -P "$pid" -x kelvira 2>/dev/null || true; done
    sleep 1
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -f /run/lock/LCK.."$(echo "$work" | tr / _)"_han*_zanpo
}
trap cleanup EXIT

# The broker, on the first free port from 18830 on.
mosquitto=$(command -v mosquitto || echo /usr/sbin/mosquitto)
for port in $(seq 18830 18930); do
    printf 'listener %s 127.0.0.1\nallow_anonymous true\npersistence false\n' "$port" >"$work/mosquitto.conf"
    "$mosquitto" -c "$work/mosquitto.conf" >"$work/mosquitto.log" 2>&1 &
    broker=$!
    sleep 0.5
    if kill -0 "$broker" 2>/dev/null; then break; fi
done
pids+=("$broker")
url="mqtt://127.0.0.1:$port/demo"
echo "Broker on 127.0.0.1:$port; the class: $url"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    display_number=$(for n in $(seq 90 130); do [[ -e /tmp/.X11-unix/X$n ]] || { echo $n; break; }; done)
    Xvfb ":$display_number" -screen 0 1960x1300x24 -nolisten tcp >/dev/null 2>&1 &
    pids+=($!)
    export DISPLAY=":$display_number"
    headless=yes
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi

# Three groups: a cup cooling, a slow swing, a steady warm bath.
profiles=("cooling" "sine:120" "constant:110")
for i in 1 2 3; do
    dir="$work/han$i"
    mkdir -p "$dir"
    cp "$root"/samples/VEXO.TXT "$root"/samples/KION.CSV "$root"/samples/EKION.CSV "$dir/"
    printf 'Kiroku=kiroku\r\n' >>"$dir/VEXO.TXT"
    (cd "$dir" && exec "$sim" --link "$dir/zanpo" --profile "${profiles[$((i - 1))]}" \
        --sensor-map -10:110 --run "$kelvira" --class "$url" --group "han$i") >"$dir/log" 2>&1 &
    group_pids+=($!)
    pids+=($!)
done
"$class_view" "$url" --csv "$work/class.csv" >"$work/class.log" 2>&1 &
view=$!
pids+=("$view")

window_of() {  # the visible window of a process or of its child called NAME
    local pid w
    for pid in $1 $(pgrep -P "$1" -x "$2" || true); do
        w=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1 || true)
        [[ -n "$w" ]] && { echo "$w"; return 0; }
    done
}

sleep 7  # the boxes have answered
# Side by side first (without a window manager they all stand at the corner), then スタート.
windows=()
for i in 0 1 2; do
    w=$(window_of "${group_pids[$i]}" kelvira)
    [[ -n "$w" ]] || { echo "run-class.sh: no window for han$((i + 1))" >&2; exit 1; }
    xdotool windowmove "$w" $((i * 655)) 0
    windows+=("$w")
done
sleep 0.5
for w in "${windows[@]}"; do xdotool mousemove --window "$w" 60 323 click 1; done
w=$(window_of "$view" kelvira-class)
[[ -n "$w" ]] && xdotool windowmove "$w" 0 440
if [[ "${headless:-}" != yes ]]; then
    echo "The class runs; close the windows or press Ctrl+C to end."
    wait "$view"
    exit 0
fi

seconds=${RUN_SECONDS:-40}
sleep $((seconds / 2))
import -window "$w" "$shots/class-1x.png"
xdotool windowfocus "$w" key ctrl+equal key ctrl+equal
sleep 2
import -window "$w" "$shots/class-2x.png"
sleep $((seconds / 2))
kill "$view"
wait "$view" || true
columns=$(head -1 "$work/class.csv" | tr ',' '\n' | wc -l)
echo "Screenshots: $(cd "$shots" && ls class-*.png | tr '\n' ' ')"
echo "The class's lesson: $work/class.csv ($((columns - 1)) groups, $(($(wc -l <"$work/class.csv") - 1)) ticks)"
if ((columns != 4)); then
    echo "run-class.sh: the class view did not receive the three groups" >&2
    exit 1
fi
