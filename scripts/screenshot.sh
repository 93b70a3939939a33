#!/usr/bin/env bash
# Makes docs/screenshot.png, the picture at the top of the README and in the package's
# metadata, from the real window: the installed program's demonstration (kelvira --demo)
# on a private Xvfb screen, スタート pressed once the simulated box has answered, and the
# window taken after SECONDS_MEASURED (default 60) seconds of measuring.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${SECONDS_MEASURED:-60}

scripts/setup.sh run
scripts/build.sh build-run -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
stage="$root/build-run/stage"
cmake --install build-run --prefix "$stage" >/dev/null

work=$(mktemp -d)
display_number=$(for n in $(seq 90 130); do [[ -e /tmp/.X11-unix/X$n ]] || { echo $n; break; }; done)
Xvfb ":$display_number" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
program_pid=
finish() {
    [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null && wait "$program_pid" 2>/dev/null
    kill $xvfb_pid 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT
export DISPLAY=":$display_number"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# An empty working folder and configuration folders: the example files are used.
(cd "$work" && XDG_CONFIG_HOME="$work/config" XDG_CONFIG_DIRS="$work/config" \
    KELVIRA_TRACE=1 exec "$stage/bin/kelvira" --demo --no-record 2>"$work/trace") &
program_pid=$!
for _ in $(seq 100); do grep -q 'あと３秒' "$work/trace" 2>/dev/null && break; sleep 0.1; done
sleep 3  # the connection watch hands over to the poll and draws the thermometer and graph
window=$(xdotool search --onlyvisible --class kelvira | head -1)
# The window stands at the screen's top-left corner without a window manager.
xdotool mousemove --window "$window" 60 323 click 1
echo "Measuring for $seconds s ..."
sleep "$seconds"
mkdir -p docs
import -window "$window" docs/screenshot.png
echo "Saved docs/screenshot.png"
