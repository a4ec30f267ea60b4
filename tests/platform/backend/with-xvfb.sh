#!/bin/sh
# Runs a command against an X server of its own: starts Xvfb on a display it
# picks itself (free, whatever else runs), waits until it is ready, runs the
# command with DISPLAY set and stops the server afterwards. Listing a test
# program's cases needs no server.
case " $* " in
  *" --gtest_list_tests "*) exec "$@" ;;
esac
dir=$(mktemp -d)
mkfifo "$dir/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -br -nolisten tcp 3>"$dir/display" 2>"$dir/log" &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$dir"' EXIT
read -r number <"$dir/display"
if [ -z "$number" ]; then
  echo "with-xvfb: Xvfb did not start:" >&2
  cat "$dir/log" >&2
  exit 1
fi
DISPLAY=":$number" "$@"
