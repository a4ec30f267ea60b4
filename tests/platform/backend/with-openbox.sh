#!/bin/sh
# Runs a command on an X server of its own (with-xvfb.sh) managed by a real
# window manager: starts Openbox, waits (bounded) until it has taken the
# screen over, runs the command and stops the window manager afterwards.
# Listing a test program's cases needs neither.
case " $* " in
  *" --gtest_list_tests "*) exec "$@" ;;
esac
here=$(dirname "$0")
if [ "$1" != "--managed" ]; then
  exec sh "$here/with-xvfb.sh" sh "$0" --managed "$@"
fi
shift
log=$(mktemp)
openbox --sm-disable >"$log" 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null; wait "$wm" 2>/dev/null; rm -f "$log"' EXIT
# A window manager announces itself with a check window on the root.
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
  tries=$((tries + 1))
  if [ "$tries" -gt 100 ] || ! kill -0 "$wm" 2>/dev/null; then
    echo "with-openbox: the window manager did not start:" >&2
    cat "$log" >&2
    exit 1
  fi
  sleep 0.1
done
"$@"
