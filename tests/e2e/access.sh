#!/usr/bin/env bash
# The game as a screen reader meets it: Debian's AT-SPI bus and registry on
# the run's own session bus, openbox for the focus, and access.py walking the
# accessible tree.
#   access.sh GAME_BINARY
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
[ -x /usr/libexec/at-spi-bus-launcher ] && /usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
    fail "at-spi2-core or python3-pyatspi is not installed"
start_x

# owned NAME: someone has the name on the bus (asked without starting anything)
owned() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q "boolean true"
}
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$RUN/launcher.log" 2>&1 &
HELPERS+=($!)
poll 200 owned org.a11y.Bus || fail "nobody took org.a11y.Bus on the session bus"
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
    string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null
/usr/libexec/at-spi2-registryd >"$RUN/registry.log" 2>&1 &
HELPERS+=($!)
sleep 1  # the registry on the accessibility bus

open_game QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
/usr/bin/python3 "$(dirname "$0")/access.py" || fail "the accessible tree"
wmctrl -i -c "$WIN"
expect_exit "after its window was closed"
echo "6 passed, 0 failed"
rm -rf "$RUN"
