#!/bin/bash
# isolate.sh MODE [--hosts FILE] [--tmpfs SIZE] [--depth BITS] --timeout S -- MODULE [ARGS...]
# Runs a Winelib module under Wine within a time limit and leaves no process behind.
#   --shared   the build folder's shared prefix and its persistent wineserver (unit tests)
#   --netns    a private network namespace (loopback only, fixed ports such as 25, 53, 110 free)
#              and a PID namespace, with a copy of the template prefix and a wineserver of its own
#              started inside (Wine opens sockets in the wineserver, so it must live in there too);
#              --hosts FILE is bind-mounted over /etc/hosts inside; --tmpfs SIZE mounts a small
#              disk of its own (a tmpfs of SIZE, e.g. 4m) inside and names it in ORV_SMALL_DISK
#   --display  a copy of the template prefix, a wineserver of its own and an Xvfb of its own;
#              --depth BITS sets the display's colour depth (24 by default, 8 for a palette
#              display), also given to the test as ORV_DISPLAY_DEPTH
#   --display-netns  both: a private network and PID namespace as --netns gives (with --hosts and
#              the fixture manager) and an Xvfb of its own as --display gives (with --depth), so
#              a window test reaches fixture servers on fixed ports (80, 21, 110, 25, 53)
# The module's exit code is passed through; a time-out exits 124 with a message.
# Environment: ORV_WINE_TEMPLATE, WINEPREFIX (the shared prefix), the test's own variables.
# Inside the run ORV_FIXTURE_DIR is a scratch folder that is removed afterwards.
set -u
MODE=""; HOSTS=""; LIMIT=120; TMPFS=""; DEPTH=24
while [ $# -gt 0 ]; do
  case "$1" in
    --shared|--netns|--display|--display-netns) MODE="${1#--}"; shift ;;
    --hosts) HOSTS="$2"; shift 2 ;;
    --tmpfs) TMPFS="$2"; shift 2 ;;
    --depth) DEPTH="$2"; shift 2 ;;
    --timeout) LIMIT="$2"; shift 2 ;;
    --) shift; break ;;
    *) echo "isolate.sh: unknown option $1" >&2; exit 2 ;;
  esac
done
[ -n "$MODE" ] && [ $# -gt 0 ] || { echo "usage: isolate.sh --shared|--netns|--display|--display-netns [--hosts F] --timeout S -- MODULE [ARGS]" >&2; exit 2; }
MODULE="$1"; shift

run_limited() {   # run wine MODULE ARGS with the time limit; report a time-out clearly
  timeout -k 5 "$LIMIT" wine "$MODULE" "$@"
  local rc=$?
  if [ $rc -eq 124 ] || [ $rc -eq 137 ]; then
    echo "TIMEOUT: $(basename "$MODULE") $* did not end within $LIMIT s" >&2
    rc=124
  fi
  return $rc
}

private_prefix() {   # a copy of the template, removed on exit
  SCRATCH="$(mktemp -d /tmp/orv-test.XXXXXX)"
  export WINEPREFIX="$SCRATCH/prefix" ORV_FIXTURE_DIR="$SCRATCH/fixture"
  mkdir -p "$ORV_FIXTURE_DIR"
  cp -a "$ORV_WINE_TEMPLATE" "$WINEPREFIX" || { echo "isolate.sh: no template prefix (run the wine_prefix_up fixture)" >&2; exit 1; }
}

start_fixture_manager() {   # inside the namespace: the manager that starts fixture servers for the test
  export ORV_FIXTURE_PORT=7999
  /usr/bin/python3 -u "$ORV_TESTING/fixtures/manager.py" "$ORV_FIXTURE_PORT" >"$SCRATCH/manager.log" 2>&1 &
  for _ in $(seq 100); do grep -q '^ready' "$SCRATCH/manager.log" 2>/dev/null && break; sleep 0.05; done
  grep -q '^ready' "$SCRATCH/manager.log" || { echo "isolate.sh: the fixture manager did not start" >&2; cat "$SCRATCH/manager.log" >&2; exit 1; }
}

wait_for_desktop() {   # the private prefix's desktop up with its display driver, held for the test
  # A program's first window starts the desktop's program and gives up on it after ten seconds,
  # going on without a display driver: on a loaded machine a window test then had no windows.
  # The desktop closes a second after the last program using it ends, so a holder stays attached
  # to it while the test runs (the exit trap ends it with the server).
  local tool="$ORV_BINARY_DIR/testing/orv_desktop_ready.exe.so"
  [ -f "$tool" ] || return 0
  wineserver -p >/dev/null 2>&1 </dev/null
  local deadline=$((SECONDS + 50)) tries=0 pid
  while [ $SECONDS -lt $deadline ]; do
    tries=$((tries + 1))
    wine "$tool" --hold >"$SCRATCH/desktop" 2>/dev/null </dev/null &
    pid=$!
    # ready, or the holder ended at once: its own start gave up on a desktop still coming up
    while kill -0 $pid 2>/dev/null && ! grep -q '^ready' "$SCRATCH/desktop" && [ $SECONDS -lt $deadline ]; do
      sleep 0.1
    done
    grep -q '^ready' "$SCRATCH/desktop" && return 0
    kill $pid 2>/dev/null
    sleep 0.2
  done
  echo "isolate.sh: the test prefix's desktop did not come up within 50 s ($tries tries; desktop program" \
       "$(pgrep -f 'explorer.exe /desktop' >/dev/null && echo running || echo not running))" >&2
  return 1
}

start_xvfb() {   # an X server of our own at DEPTH bits; sets XVFB_PID, DISPLAY and the screenshot folder
  exec 3>"$SCRATCH/display"
  Xvfb -displayfd 3 -screen 0 "1280x1024x$DEPTH" -nolisten tcp >"$SCRATCH/xvfb.log" 2>&1 </dev/null &
  XVFB_PID=$!
  exec 3>&-
  for _ in $(seq 100); do [ -s "$SCRATCH/display" ] && break; sleep 0.1; done
  [ -s "$SCRATCH/display" ] || { echo "isolate.sh: Xvfb did not start" >&2; cat "$SCRATCH/xvfb.log" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$SCRATCH/display")" ORV_DISPLAY_DEPTH="$DEPTH"
  export ORV_SCREENSHOT_DIR="${ORV_SCREENSHOT_DIR:-$ORV_BINARY_DIR/screenshots}"
  mkdir -p "$ORV_SCREENSHOT_DIR"
}

case "$MODE" in
  shared)
    SCRATCH="$(mktemp -d /tmp/orv-test.XXXXXX)"; export ORV_FIXTURE_DIR="$SCRATCH"
    trap 'rm -rf "$SCRATCH"' EXIT
    run_limited "$@"; exit $?
    ;;
  netns)
    if [ -z "${ORV_IN_NETNS:-}" ]; then
      # PID 1 of the new PID namespace is this script; when it ends the kernel ends everything
      # left inside (wineserver, fixture servers), and --kill-child ends it if we are killed
      export ORV_IN_NETNS=1
      exec unshare --net --pid --mount --fork --kill-child --mount-proc "$0" --netns ${HOSTS:+--hosts "$HOSTS"} ${TMPFS:+--tmpfs "$TMPFS"} --timeout "$LIMIT" -- "$MODULE" "$@"
    fi
    ip link set lo up || { echo "isolate.sh: cannot bring up loopback in the namespace" >&2; exit 1; }
    # more loopback addresses are there already (127.0.0.0/8); fixtures bind 127.0.0.x as they need
    if [ -n "$HOSTS" ]; then mount --bind "$HOSTS" /etc/hosts || exit 1; fi
    private_prefix
    trap 'wineserver -k 2>/dev/null; [ -n "$TMPFS" ] && umount "$SCRATCH/disk"; rm -rf "$SCRATCH"' EXIT
    if [ -n "$TMPFS" ]; then
      # the mount lives in this mount namespace only and goes with it
      mkdir -p "$SCRATCH/disk" && mount -t tmpfs -o size="$TMPFS" orv-small-disk "$SCRATCH/disk" || exit 1
      export ORV_SMALL_DISK="$SCRATCH/disk"
    fi
    # the fixture manager starts and stops fixture servers for the test (testing/fixtures/manager.py)
    export ORV_FIXTURE_PORT=7999
    /usr/bin/python3 -u "$ORV_TESTING/fixtures/manager.py" "$ORV_FIXTURE_PORT" >"$SCRATCH/manager.log" 2>&1 &
    for _ in $(seq 100); do grep -q '^ready' "$SCRATCH/manager.log" 2>/dev/null && break; sleep 0.05; done
    grep -q '^ready' "$SCRATCH/manager.log" || { echo "isolate.sh: the fixture manager did not start" >&2; cat "$SCRATCH/manager.log" >&2; exit 1; }
    run_limited "$@"; rc=$?
    exit $rc
    ;;
  display)
    if [ -z "${ORV_IN_PIDNS:-}" ]; then
      export ORV_IN_PIDNS=1
      exec unshare --pid --mount --fork --kill-child --mount-proc "$0" --display --depth "$DEPTH" --timeout "$LIMIT" -- "$MODULE" "$@"
    fi
    private_prefix
    XVFB_PID=""
    trap '[ -n "$XVFB_PID" ] && kill $XVFB_PID 2>/dev/null; wineserver -k 2>/dev/null; rm -rf "$SCRATCH"' EXIT
    exec 3>"$SCRATCH/display"
    Xvfb -displayfd 3 -screen 0 "1280x1024x$DEPTH" -nolisten tcp >"$SCRATCH/xvfb.log" 2>&1 </dev/null &
    XVFB_PID=$!
    exec 3>&-
    for _ in $(seq 100); do [ -s "$SCRATCH/display" ] && break; sleep 0.1; done
    [ -s "$SCRATCH/display" ] || { echo "isolate.sh: Xvfb did not start" >&2; cat "$SCRATCH/xvfb.log" >&2; exit 1; }
    export DISPLAY=":$(head -n1 "$SCRATCH/display")" ORV_DISPLAY_DEPTH="$DEPTH"
    # screenshots the test writes (orvtest::screenshot) are kept as PNG files in the build folder
    export ORV_SCREENSHOT_DIR="${ORV_SCREENSHOT_DIR:-$ORV_BINARY_DIR/screenshots}"
    mkdir -p "$ORV_SCREENSHOT_DIR"
    wait_for_desktop || exit 1
    run_limited "$@"; exit $?
    ;;
  display-netns)
    if [ -z "${ORV_IN_NETNS:-}" ]; then
      # as --netns: PID 1 of the new namespaces is this script, and everything inside ends with it
      export ORV_IN_NETNS=1 ORV_IN_PIDNS=1
      exec unshare --net --pid --mount --fork --kill-child --mount-proc "$0" --display-netns ${HOSTS:+--hosts "$HOSTS"} --depth "$DEPTH" --timeout "$LIMIT" -- "$MODULE" "$@"
    fi
    ip link set lo up || { echo "isolate.sh: cannot bring up loopback in the namespace" >&2; exit 1; }
    if [ -n "$HOSTS" ]; then mount --bind "$HOSTS" /etc/hosts || exit 1; fi
    private_prefix
    XVFB_PID=""
    trap '[ -n "$XVFB_PID" ] && kill $XVFB_PID 2>/dev/null; wineserver -k 2>/dev/null; rm -rf "$SCRATCH"' EXIT
    start_fixture_manager
    # the X server listens on a Unix socket only: its file is in the shared /tmp/.X11-unix, and
    # the abstract socket belongs to this network namespace, so it needs no network of the host
    start_xvfb
    wait_for_desktop || exit 1
    run_limited "$@"; exit $?
    ;;
esac
