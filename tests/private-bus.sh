# A session bus of a run's own, with no service activation: the game finds a
# bus as on a desktop, yet nothing is started on its behalf (Qt would
# otherwise launch a bus of its own, through dbus-launch, that outlives it).
# Sourced: private_bus DIR [PREFIX...] starts it (through PREFIX, such as
# setpriv), its socket in DIR, and exports its address; end_private_bus ends
# it (also when none was started).
# shellcheck shell=bash
BUS_PID=""

private_bus() {
    echo "<busconfig><type>session</type><listen>unix:dir=$1</listen><auth>EXTERNAL</auth>
        <policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>
        <allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>" >"$1/bus.conf"
    : >"$1/bus.address"
    "${@:2}" dbus-daemon --config-file="$1/bus.conf" --nofork --print-address=3 3>"$1/bus.address" 2>"$1/bus.log" &
    BUS_PID=$!
    for _ in $(seq 400); do [ -s "$1/bus.address" ] && break; sleep 0.025; done
    [ -s "$1/bus.address" ] || { echo "FAIL: no session bus" >&2; return 1; }
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$1/bus.address") && export DBUS_SESSION_BUS_ADDRESS
}

end_private_bus() {
    [ -z "$BUS_PID" ] || { kill "$BUS_PID" 2>/dev/null; wait "$BUS_PID" 2>/dev/null; }
    BUS_PID=""
}
