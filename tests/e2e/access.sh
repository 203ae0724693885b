#!/usr/bin/env bash
# The game as a screen reader meets it: Debian's AT-SPI bus and registry on
# the run's own session bus, openbox for the focus, Orca listening, and
# access.py walking the accessible tree and reading what Orca says.
#   access.sh GAME_BINARY
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
start_x
start_wm

start_reader
open_game QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
/usr/bin/python3 "$(dirname "$0")/access.py" "$ORCA_LOG" || fail "the game through AT-SPI and Orca"
wmctrl -i -c "$WIN"
expect_exit "after its window was closed"
echo "7 passed, 0 failed"
rm -rf "$RUN"
