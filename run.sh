#!/usr/bin/env bash
# Installs what is missing, builds, starts the controller simulator on a
# pseudo-terminal and opens the configurator on it. With --port NAME the
# configurator uses that port (a real controller) and no simulator is started.
# Other arguments go to the configurator (see ./run.sh --help).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target rzn460-config rzn460-sim

args=("$@")
has() { local a; for a in "${args[@]}"; do [ "$a" = "$1" ] && return 0; done; return 1; }

if has --help || has -h; then
    exec build/src/rzn460-config --help
fi

if has --screenshot; then
    export QT_QPA_PLATFORM=offscreen
elif [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    cat >&2 <<'MSG'
No display is available, so the configurator window cannot open here.
Use the screenshot mode instead: it starts the program offscreen (on the
simulator), saves the window as a PNG and closes it normally, for example

    ./run.sh --screenshot out.png                 # the main status page
    ./run.sh --page 1 --screenshot page1.png      # any page 0..55
    ./run.sh --wait-ms 3000 --screenshot live.png # after 3 s of monitoring
MSG
    exit 1
fi

sim_pid=""
cleanup() { [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true; }
trap cleanup EXIT

if ! has --port; then
    link="${TMPDIR:-/tmp}/rzn460-sim-$(id -u)"
    rm -f "$link"
    build/sim/rzn460-sim --link "$link" --baud 19200 </dev/null >"${link}.log" 2>&1 &
    sim_pid=$!
    for _ in $(seq 1 100); do [ -e "$link" ] && break; sleep 0.05; done
    if [ ! -e "$link" ]; then
        echo "The simulator did not start; its output:" >&2
        cat "${link}.log" >&2
        exit 1
    fi
    echo "Simulator on $link (log: ${link}.log)"
    args=(--port "$link" "${args[@]}")
fi

build/src/rzn460-config "${args[@]}"
