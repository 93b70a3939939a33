#!/usr/bin/env bash
# Sets up, builds and runs Kelvira.
#
# With a Zanpo attached, name its device in KELVIRA_PORT1 (for example
# KELVIRA_PORT1=/dev/ttyUSB0); the program then runs in the current folder with the
# configuration files found there. Without KELVIRA_PORT1 a simulated Zanpo answers instead,
# and the program runs in the folder .run/ with the sample configuration files of samples/.
#
# On a machine without a display the program runs under Xvfb for RUN_SECONDS (default 40):
# after the Zanpo has answered, the script presses スタート, and it leaves screenshots of the
# window in the folder screenshots/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh run
scripts/build.sh build-run -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
kelvira="$root/build-run/kelvira"
sim="$root/build-run/tools/zanpo-sim/zanpo-sim"

command=()
if [[ -n "${KELVIRA_PORT1:-}" ]]; then
    echo "Using the Zanpo at $KELVIRA_PORT1"
    command=("$kelvira")
else
    workdir="$root/.run"
    mkdir -p "$workdir"
    cp samples/VEXO.TXT samples/KION.CSV samples/EKION.CSV "$workdir/"
    cd "$workdir"
    echo "No KELVIRA_PORT1 set: a simulated Zanpo (a cup of hot water cooling) answers."
    command=("$sim" --link "$workdir/zanpo" --profile cooling --run "$kelvira")
fi

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
    exec "${command[@]}"
fi

# No display: run under Xvfb and take screenshots.
shots="$root/screenshots"
mkdir -p "$shots"
rm -f "$shots"/kelvira-*.png
seconds=${RUN_SECONDS:-40}
display_number=$(for n in $(seq 90 130); do [[ -e /tmp/.X11-unix/X$n ]] || { echo $n; break; }; done)
Xvfb ":$display_number" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
export DISPLAY=":$display_number"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

"${command[@]}" &
program_pid=$!
echo "Kelvira runs under Xvfb on $DISPLAY for $seconds s; screenshots go to $shots/"
pressed_start=no
for ((second = 1; second <= seconds; ++second)); do
    sleep 1
    kill -0 $program_pid 2>/dev/null || break
    if [[ $pressed_start == no && $second -ge 6 ]]; then
        # Press スタート (the window stands at the screen's top-left corner without a window manager).
        window=$(xdotool search --name 'けるびら' 2>/dev/null | head -1 || true)
        if [[ -n "$window" ]]; then
            xdotool mousemove --window "$window" 60 323 click 1 || true
            pressed_start=yes
        fi
    fi
    if ((second % 5 == 0)); then
        window=$(xdotool search --name 'けるびら' 2>/dev/null | head -1 || true)
        [[ -n "$window" ]] &&
            import -window "$window" "$shots/kelvira-$(printf %03d "$second")s.png" 2>/dev/null || true
    fi
done
kill $program_pid 2>/dev/null || true
wait $program_pid 2>/dev/null || true
echo "Screenshots: $(ls "$shots" | tr '\n' ' ')"
