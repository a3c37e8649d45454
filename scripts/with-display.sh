#!/bin/sh
# Runs a command that needs an X display (OpenGL textures, windows): on the
# current display when there is one, otherwise on a private virtual one.
if [ -n "${DISPLAY:-}" ]; then
    exec "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x720x24 +extension GLX +render -noreset" "$@"
