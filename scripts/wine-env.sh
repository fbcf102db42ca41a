# Sourced by the run and test scripts: a private Wine prefix under the build
# folder and a virtual X display on a free number, both torn down by PID.
# Needs VELMOR_BUILD set to the build folder. With VELMOR_DESKTOP=1 set
# before sourcing, the prefix is one of its own that keeps Wine's own X11
# settings, so that a window manager (start_window_manager) manages and frames
# the windows as on a desktop; the benchmarks run so. VELMOR_WINEPREFIX names
# another prefix.

if [ -n "${VELMOR_WINEPREFIX:-}" ]; then
    export WINEPREFIX="$VELMOR_WINEPREFIX"
elif [ -n "${VELMOR_DESKTOP:-}" ]; then
    export WINEPREFIX="$VELMOR_BUILD/wineprefix-desktop"
else
    export WINEPREFIX="$VELMOR_BUILD/wineprefix"
fi
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
XVFB_PID=""
WM_PID=""

start_display() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        local tries=0
        # Another script may have taken the same number a moment before: the
        # display is ours only when its lock file names our server.
        while ! xdpyinfo -display ":$n" >/dev/null 2>&1 ||
              [ "$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null)" != "$XVFB_PID" ]; do
            sleep 0.1
            tries=$((tries + 1))
            if ! kill -0 "$XVFB_PID" 2>/dev/null || [ $tries -gt 100 ]; then
                # A server that never answers must not outlive the script.
                kill "$XVFB_PID" 2>/dev/null
                wait "$XVFB_PID" 2>/dev/null
                XVFB_PID=""
                continue 2
            fi
        done
        export DISPLAY=":$n"
        return 0
    done
    echo "No free X display number" >&2
    return 1
}

# Creates the prefix once, then starts a persistent wineserver and warms it up,
# so that later wine processes do not hold our output pipes open.
start_wine() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        "$WINE" wineboot -i >/dev/null 2>&1 || true
        "$WINESERVER" -w
        local fonts="$WINEPREFIX/drive_c/windows/Fonts"
        mkdir -p "$fonts"
        cp -n /usr/share/fonts/truetype/liberation/*.ttf "$fonts"/ 2>/dev/null || true
        cp -n /usr/share/fonts/opentype/ipafont-gothic/*.ttf "$fonts"/ 2>/dev/null || true
        cp -n /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$fonts"/ 2>/dev/null || true
        "$WINESERVER" -w
    fi
    if [ -z "${VELMOR_DESKTOP:-}" ] && [ ! -f "$WINEPREFIX/.velmor-x11-settings" ]; then
        # Wine draws window frames itself, so tests can click captions without a window manager.
        "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
        # Unmanaged windows: with no window manager to confirm it, Wine waits two
        # seconds for every shown window it hides or destroys.
        "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
        "$WINESERVER" -w
        touch "$WINEPREFIX/.velmor-x11-settings"
    fi
    if [ ! -f "$WINEPREFIX/.velmor-font-settings" ]; then
        # Japanese language files name the Windows font; IPAGothic has its glyphs.
        "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "MS UI Gothic" /t REG_SZ /d IPAGothic /f >/dev/null 2>&1
        "$WINESERVER" -w
        touch "$WINEPREFIX/.velmor-font-settings"
    fi
    "$WINESERVER" -p >/dev/null 2>&1 </dev/null
    "$WINE" wineboot >/dev/null 2>&1 </dev/null
}

# on_one_cpu <command...>: runs the command, and wineserver while it runs,
# on CPU 0, for a measure that compares two programs. Every call of every
# Wine thread goes through wineserver, and on a virtual machine a call to a
# server on another CPU costs tens of microseconds more; the scheduler's
# placement holds for a whole process, so that one run timed a copy at 6 ms
# and the next at 23 ms. On one CPU the programs compared meet the same
# conditions. Measures with a goal of their own run free: on one CPU, a
# program reading 100 MB keeps the server, and so every other program, busy.
on_one_cpu() {
    local cpus status=0
    cpus=$(nproc)
    if [ "$cpus" -le 1 ]; then
        "$@"
        return
    fi
    wineserver_cpus 0
    taskset -c 0 "$@" || status=$?
    wineserver_cpus "0-$((cpus - 1))"
    return "$status"
}

wineserver_cpus() {
    local pid
    for pid in $(pgrep -x wineserver64 || true) $(pgrep -x wineserver || true); do
        taskset -acp "$1" "$pid" >/dev/null
    done
}

# openbox on our display, as any desktop has a window manager; returns once it
# manages the screen (it starts in well under a second). Now and then it
# cannot open a display that has just come up, so it has three tries.
start_window_manager() {
    local attempt tries
    for attempt in 1 2 3; do
        openbox --sm-disable </dev/null >"$VELMOR_BUILD/openbox.log" 2>&1 &
        WM_PID=$!
        tries=0
        while kill -0 "$WM_PID" 2>/dev/null && [ $tries -lt 100 ]; do
            xprop -display "$DISPLAY" -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
            sleep 0.1
            tries=$((tries + 1))
        done
        kill "$WM_PID" 2>/dev/null
        wait "$WM_PID" 2>/dev/null
        WM_PID=""
        sleep 0.5
    done
    echo "openbox did not start: $(cat "$VELMOR_BUILD/openbox.log")" >&2
    return 1
}

# A Japanese locale for Wine processes that must run with code page 932:
# LANG=ja_JP.UTF-8 LOCPATH="$VELMOR_BUILD/locale" (made once, about a second).
make_japanese_locale() {
    [ -d "$VELMOR_BUILD/locale/ja_JP.UTF-8" ] && return 0
    mkdir -p "$VELMOR_BUILD/locale"
    localedef -i ja_JP -f UTF-8 "$VELMOR_BUILD/locale/ja_JP.UTF-8" >/dev/null 2>&1
}

stop_all() {
    "$WINESERVER" -k >/dev/null 2>&1 || true
    if [ -n "$WM_PID" ]; then
        kill "$WM_PID" 2>/dev/null || true
        wait "$WM_PID" 2>/dev/null || true
        WM_PID=""
    fi
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    fi
}
