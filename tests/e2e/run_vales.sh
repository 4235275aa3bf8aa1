#!/usr/bin/env bash
# Runs the built program on a private X server against a database of its own, waits for its window and
# then runs a check on it from outside, the way an operator would see it.
#
#   run_vales.sh --program PATH --schema SQL [--sql SQL]... [--window REGEX] --check SCRIPT
#                [--check-arg ARG]... [--screenshot PNG] [--build-dir DIR] [--timeout SECONDS]
#                [--expect-exit] -- [PROGRAM ARGUMENTS...]
#
# The program is copied into a folder of its own with an Admin.ini that points at a new database made
# from --schema and the --sql files. The check runs with DISPLAY, VALES_WINDOW (the window's id),
# VALES_PID, VALES_E2E_DB, VALES_TEST_DB_PORT and MYSQL_PWD set (so `mariadb -h 127.0.0.1 -P
# "$VALES_TEST_DB_PORT" -u root "$VALES_E2E_DB"` reaches the data); its exit status is the result.
# With --expect-exit the check is expected to end the program (closing its window, say): the program
# must then exit by itself with status 0, which is also when a sanitizer build reports what it found.
# Everything started here is stopped and the database dropped on the way out.
set -euo pipefail

die() {
    echo "run_vales: $*" >&2
    exit 1
}

program="" schema="" window="." check="" screenshot="" build_dir="" timeout=30 expect_exit=""
sql_files=() check_args=() program_args=()
while [ $# -gt 0 ]; do
    case "$1" in
    --program) program="$2"; shift 2 ;;
    --schema) schema="$2"; shift 2 ;;
    --sql) sql_files+=("$2"); shift 2 ;;
    --window) window="$2"; shift 2 ;;
    --check) check="$2"; shift 2 ;;
    --check-arg) check_args+=("$2"); shift 2 ;;
    --screenshot) screenshot="$2"; shift 2 ;;
    --build-dir) build_dir="$2"; shift 2 ;;
    --timeout) timeout="$2"; shift 2 ;;
    --expect-exit) expect_exit=1; shift ;;
    --) shift; program_args=("$@"); break ;;
    *) die "unknown option $1" ;;
    esac
done
[ -x "$program" ] || die "no program to run (--program $program)"
[ -r "$schema" ] || die "cannot read the schema (--schema $schema)"
[ -n "$check" ] || die "no check given (--check)"
for tool in Xvfb xdotool mariadb; do
    command -v "$tool" >/dev/null || die "$tool is not installed (run scripts/setup)"
done

# The database server: its port from the environment (scripts/test sets it) or from the build tree; the
# password is the one the build was configured with.
port="${VALES_TEST_DB_PORT:-}"
if [ -z "$port" ] && [ -n "$build_dir" ] && [ -f "$build_dir/dbserver/port" ]; then
    port="$(cat "$build_dir/dbserver/port")"
fi
[ -n "$port" ] || die "VALES_TEST_DB_PORT is not set (start the server: scripts/dbserver start)"
password="vales-dev"
if [ -n "$build_dir" ] && [ -f "$build_dir/CMakeCache.txt" ] &&
    line="$(grep -m1 '^VALES_DB_PASSWORD:[A-Z]*=' "$build_dir/CMakeCache.txt")"; then
    password="${line#*=}"
fi
export MYSQL_PWD="$password" VALES_TEST_DB_PORT="$port"
sql() {
    mariadb --no-defaults --protocol=tcp -h 127.0.0.1 -P "$port" -u root --default-character-set=utf8mb4 "$@"
}

work="$(mktemp -d "${TMPDIR:-/tmp}/vales-e2e.XXXXXX")"
database="vt_e2e_$$"
xvfb_pid="" app_pid="" database_made=""

stop_process() { # pid: TERM, a bounded wait, then KILL
    local pid="$1" i
    kill -0 "$pid" 2>/dev/null || return 0
    kill -TERM "$pid" 2>/dev/null || true
    for i in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

cleanup() {
    local status=$?
    [ -z "$app_pid" ] || stop_process "$app_pid"
    [ -z "$xvfb_pid" ] || stop_process "$xvfb_pid"
    [ -z "$database_made" ] || sql -e "DROP DATABASE IF EXISTS $database" || true
    if [ $status -ne 0 ] && [ -s "$work/vales.log" ]; then
        echo "---- program output ----" >&2
        tail -n 40 "$work/vales.log" >&2
    fi
    rm -rf "$work"
    exit $status
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A display of its own: Xvfb picks a free number and writes it to the given descriptor.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; die "Xvfb did not start"; }
    sleep 0.1
done
[ -s "$work/display" ] || die "Xvfb did not report a display within 10s"
export DISPLAY=":$(tr -dc '0-9' <"$work/display")"

sql -e "DROP DATABASE IF EXISTS $database; CREATE DATABASE $database"
database_made=1
for file in "$schema" "${sql_files[@]}"; do
    sql "$database" <"$file" || die "loading $file failed"
done

mkdir -p "$work/app" "$work/runtime"
chmod 700 "$work/runtime"
cp "$program" "$work/app/"
printf '[LOCAL]\r\nPORTA=%s\r\nSERVIDOR=127.0.0.1\r\nBANCO=%s\r\n' "$port" "$database" >"$work/app/Admin.ini"

# A real X client. The D-Bus address leads nowhere, so no message bus is launched on its behalf.
(
    cd "$work/app"
    export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"
    exec "./$(basename "$program")" "${program_args[@]}"
) >"$work/vales.log" 2>&1 &
app_pid=$!

if ! window_id="$(timeout "$timeout" xdotool search --sync --onlyvisible --name "$window" | head -n 1)" ||
    [ -z "$window_id" ]; then
    kill -0 "$app_pid" 2>/dev/null && state="still running" || state="exited"
    die "no visible window named /$window/ within ${timeout}s (program $state)"
fi

# The window as it first shows, cut out of the screen (no window manager, so no frame around it).
if [ -n "$screenshot" ]; then
    mkdir -p "$(dirname "$screenshot")"
    sleep 0.5 # let the window finish painting; the picture is for people, nothing is asserted on it
    crop=()
    if geometry="$(xdotool getwindowgeometry --shell "$window_id" 2>/dev/null)"; then
        eval "$geometry"
        crop=(-crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage)
    fi
    import -window root "${crop[@]}" "$screenshot" 2>/dev/null || echo "run_vales: no screenshot taken" >&2
fi

status=0
VALES_WINDOW="$window_id" VALES_PID="$app_pid" VALES_E2E_DB="$database" \
    "$check" "${check_args[@]}" || status=$?

if [ -n "$expect_exit" ] && [ $status -eq 0 ]; then
    for _ in $(seq $((timeout * 10))); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app_pid" 2>/dev/null && die "the program did not end within ${timeout}s after the check"
    exit_code=0
    wait "$app_pid" || exit_code=$?
    app_pid=""
    [ $exit_code -eq 0 ] || die "the program ended with status $exit_code"
fi
exit $status
