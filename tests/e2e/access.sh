#!/usr/bin/env bash
# The game as a screen reader meets it: Debian's AT-SPI bus and registry on
# the run's own session bus, openbox for the focus, Orca listening, and
# access.py walking the accessible tree and reading what Orca says.
#   access.sh GAME_BINARY
source "$(dirname "$0")/lib.sh"
start_x
start_wm
start_reader orca
open_game QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
reader
wmctrl -i -c "$WIN"
expect_exit "after its window was closed"
pass "closing the window ends the game with status 0"
