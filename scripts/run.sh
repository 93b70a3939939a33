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
# window in the folder screenshots/. The lesson it records stays in .run/kiroku/, with the rest
# of the demonstration's files; it fails when the demonstration did not measure.
#
# scripts/run.sh --class: a whole class instead: a broker on 127.0.0.1, three simulated boxes of
# different profiles, three Kelvira windows that press スタート and publish to it, and the class
# view; without a display, under Xvfb with screenshots in screenshots/ (the class view at 1x
# and at 2x).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh run
scripts/build.sh build-run -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
kelvira="$root/build-run/kelvira"
sim="$root/build-run/tools/zanpo-sim/zanpo-sim"

if [[ "${1:-}" == "--class" ]]; then
    exec scripts/run-class.sh "$kelvira" "$root/build-run/kelvira-class" "$sim"
fi

command=()
if [[ -n "${KELVIRA_PORT1:-}" ]]; then
    echo "Using the Zanpo at $KELVIRA_PORT1"
    command=("$kelvira")
else
    workdir="$root/.run"
    mkdir -p "$workdir"
    cp samples/VEXO.TXT samples/KION.CSV samples/EKION.CSV "$workdir/"
    # The demonstration's lessons stay with it, not in the user's documents.
    rm -rf "$workdir/kiroku"
    printf 'Kiroku=kiroku\r\n' >>"$workdir/VEXO.TXT"
    cd "$workdir"
    echo "No KELVIRA_PORT1 set: a simulated Zanpo (a cup of hot water cooling) answers."
    # Hot water, seen through the liquid sensor of the sample files (-10 to 110 degrees).
    command=("$sim" --link "$workdir/zanpo" --profile cooling --sensor-map -10:110
             --run "$kelvira")
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

# The window of the program's own process (a child of the simulated box when there is one),
# found whatever the locale: its title is Japanese.
program_window() {
    local pid window
    for pid in $program_pid $(pgrep -P $program_pid -x kelvira || true); do
        window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1 || true)
        [[ -n "$window" ]] && { echo "$window"; return 0; }
    done
    return 0
}

pressed_start=no
for ((second = 1; second <= seconds; ++second)); do
    sleep 1
    kill -0 $program_pid 2>/dev/null || break
    window=$(program_window)
    [[ -n "$window" ]] || continue
    if [[ $pressed_start == no && $second -ge 6 ]]; then
        # スタート (the window stands at the screen's top-left corner without a window manager).
        xdotool mousemove --window "$window" 60 323 click 1 && pressed_start=yes
    fi
    if ((second % 5 == 0)); then
        import -window "$window" "$shots/kelvira-$(printf %03d "$second")s.png" 2>/dev/null || true
    fi
done
kill $program_pid 2>/dev/null || true
wait $program_pid 2>/dev/null || true

shot_list=$(cd "$shots" && ls kelvira-*.png 2>/dev/null | tr '\n' ' ')
echo "Screenshots: ${shot_list:-none}"
if [[ -z "${KELVIRA_PORT1:-}" ]]; then
    lesson=$(ls "$root/.run/kiroku/"*.csv 2>/dev/null | head -1 || true)
    ticks=0
    [[ -n "$lesson" ]] && ticks=$(($(wc -l <"$lesson") - 1))
    if [[ $pressed_start != yes || $ticks -le 0 || -z "$shot_list" ]]; then
        echo "run.sh: the demonstration did not measure (window found and スタート pressed:" \
            "$pressed_start, ticks recorded: $ticks, screenshots: ${shot_list:-none})" >&2
        exit 1
    fi
    echo "Recorded $ticks ticks into $lesson"
fi
