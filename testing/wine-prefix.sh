#!/bin/bash
# Test prefixes of one build folder (ctest fixture "wine").
#   up:   make the template prefix once (fonts, virtual desktop, the test CA trusted, quiet),
#         copy it to the shared prefix, start Xvfb on $DISPLAY and one persistent wineserver
#         for the shared prefix (started with DISPLAY set, so explorer can draw the desktop)
#   down: stop that wineserver and the Xvfb it started (by pid)
# Needs WINEPREFIX (the shared prefix), ORV_WINE_TEMPLATE, ORV_BINARY_DIR, ORV_TESTING, DISPLAY.
set -u
TEMPLATE="$ORV_WINE_TEMPLATE"
SHARED="$WINEPREFIX"
ROOT="$(dirname "$SHARED")"
PIDFILE="$ROOT/xvfb.pid"
mkdir -p "$ROOT"

make_template() {
  "$ORV_SOURCE_DIR/scripts/make-prefix.sh" "$TEMPLATE.new" || return 1
  # the test CA signs the HTTPS fixture's certificate; trust it in the test prefixes only
  ( export WINEPREFIX="$TEMPLATE.new"
    "$ORV_TESTING/make-certs.sh" "$ROOT/certs" || exit 1
    unset DISPLAY
    wine "$ORV_BINARY_DIR/testing/orv_trust_ca.exe.so" "$(winepath -w "$ROOT/certs/ca.pem" 2>/dev/null)" >/dev/null || exit 1
    wineserver -w ) || { echo "wine-prefix.sh: could not trust the test CA" >&2; return 1; }
  rm -rf "$TEMPLATE" && mv "$TEMPLATE.new" "$TEMPLATE"
}

case "${1:-}" in
  up)
    if [ ! -f "$TEMPLATE/.orv-ready" ]; then
      echo "making the template prefix (about 20 s)"
      make_template || exit 1
    fi
    # certificates added since the template was made (signed by the CA it already trusts)
    "$ORV_TESTING/make-certs.sh" "$ROOT/certs" || exit 1
    if [ ! -f "$SHARED/.orv-ready" ] || [ "$TEMPLATE/.orv-ready" -nt "$SHARED/.orv-ready" ]; then
      timeout 20 wineserver -k >/dev/null 2>&1 </dev/null
      rm -rf "$SHARED" && cp -a "$TEMPLATE" "$SHARED" || exit 1
    fi
    if [ -n "${DISPLAY:-}" ] && ! xdpyinfo >/dev/null 2>&1; then
      # own session, no inherited output: otherwise ctest waits for Xvfb to exit
      setsid Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >"$ROOT/xvfb.log" 2>&1 </dev/null &
      echo $! > "$PIDFILE"
      for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
      xdpyinfo >/dev/null 2>&1 || { echo "wine-prefix.sh: Xvfb did not start on $DISPLAY" >&2; exit 1; }
    fi
    # Start from no server at all: one left from an earlier run (or started by hand without
    # DISPLAY) would be reused as it is, and "wineserver -w" on a persistent one never returns.
    # (no inherited output: a server holding ctest's pipe makes ctest wait for ever)
    timeout 20 wineserver -k >/dev/null 2>&1 </dev/null
    timeout 30 wineserver -w >/dev/null 2>&1 </dev/null
    timeout 20 wineserver -p >/dev/null 2>&1 </dev/null || { echo "wine-prefix.sh: cannot start the wineserver" >&2; exit 1; }
    # services.exe and explorer under the persistent server
    timeout 60 wine cmd /c exit 0 >/dev/null 2>&1 || { echo "wine-prefix.sh: wine does not start in $SHARED" >&2; exit 1; }
    echo "shared prefix $SHARED ready on $DISPLAY"
    ;;
  down)
    timeout 20 wineserver -k >/dev/null 2>&1 </dev/null
    if [ -f "$PIDFILE" ]; then kill "$(cat "$PIDFILE")" 2>/dev/null; rm -f "$PIDFILE"; fi
    exit 0
    ;;
  *) echo "usage: $0 up|down" >&2; exit 2 ;;
esac
