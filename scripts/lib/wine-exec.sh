#!/usr/bin/env bash
# Runs a Windows executable under the private Wine environment that
# scripts/test.sh (or scripts/run.sh) prepared; CTest uses it as the emulator.
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
    echo "wine-exec: no Wine environment; run the tests through scripts/test.sh" >&2
    exit 2
fi
export HOME="${AD_WINE_HOME:-$HOME}"
exec "${AD_WINE:-wine}" "$@"
