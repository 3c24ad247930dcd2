# Sourced by the X11 test scripts: starts a private Xvfb server and openbox
# on it, and stops both (by their process ids) when the script ends.
# Exits with 77 (skipped) where the tools are not installed.

for tool in Xvfb openbox xdotool xwininfo xprop; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (scripts/install-deps.sh test)"
        exit 77
    fi
done

session_dir=$(mktemp -d)
session_pids=()

end_session() {
    local pid
    for pid in "${session_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${session_pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$session_dir"
}
trap end_session EXIT

# Xvfb picks a free display itself and writes its number to fd 3.
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$session_dir/display" 2>"$session_dir/xvfb.log" &
session_pids+=($!)
for _ in $(seq 100); do
    [ -s "$session_dir/display" ] && break
    sleep 0.1
done
[ -s "$session_dir/display" ] || { echo "Xvfb did not start"; cat "$session_dir/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n1 "$session_dir/display")"

openbox --sm-disable >"$session_dir/openbox.log" 2>&1 &
session_pids+=($!)
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || { echo "openbox did not start"; exit 1; }

export QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME="$session_dir/config"
export XDG_RUNTIME_DIR="$session_dir/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
