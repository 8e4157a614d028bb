#!/bin/sh
# on_own_x_server.sh PROGRAM [ARG...]: runs PROGRAM on an Xvfb of its own.
# The server picks a free display itself (-displayfd), so programs started
# together never share one, and the script waits for the server to end, so
# a server on its way out never removes the socket of the next one.
# -noreset: without it the server resets when its last client leaves, and
# a program that connects in that moment is refused.
dir=$(mktemp -d) || exit 1
server=
trap 'if [ -n "$server" ]; then kill "$server" 2>/dev/null; wait "$server"; fi; rm -rf "$dir"' EXIT
trap 'exit 143' TERM INT HUP
mkfifo "$dir/display" || exit 1
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/log" &
server=$!
read -r number <"$dir/display"
if [ -z "$number" ]; then
    echo "on_own_x_server: Xvfb did not start:" >&2
    cat "$dir/log" >&2
    exit 1
fi
DISPLAY=":$number" "$@"
