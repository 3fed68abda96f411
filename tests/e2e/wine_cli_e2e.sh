#!/usr/bin/env bash
# quorvel-cli.exe under Wine against the virtual module on a pseudo-terminal, which a link
# in the Wine prefix's dosdevices makes COM7. The expectations are those of the Linux
# end-to-end tests; Wine's default locale writes a decimal point.
#   wine_cli_e2e.sh QUORVEL_CLI_EXE QUORVEL_SIM
set -uo pipefail
cli_exe=$1
sim=$2
here="$(cd "$(dirname "$0")/../.." && pwd)"
wine="$here/scripts/wine-run.sh"
export LANG=C LC_ALL=C
export WINEPREFIX="${WINEPREFIX:-$here/build/windows-cross/wineprefix}"
work=$(mktemp -d)
failures=0
sim_pid=""

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_eq() { [ "$1" == "$2" ] || fail "$3: expected [$2], got [$1]"; }

start_module() {  # options for quorvel-sim
    "$sim" "$@" > "$work/sim.out" &
    sim_pid=$!
    for _ in $(seq 50); do [ -s "$work/sim.out" ] && break; sleep 0.1; done
    mkdir -p "$WINEPREFIX/dosdevices"
    ln -sfn "$(head -1 "$work/sim.out")" "$WINEPREFIX/dosdevices/com7"
}
stop_module() { kill "$sim_pid" 2>/dev/null; wait "$sim_pid" 2>/dev/null; rm -f "$WINEPREFIX/dosdevices/com7"; }
cli() { "$wine" "$cli_exe" "$@" 2> "$work/err" | tr -d '\r'; }

if [ ! -x "$sim" ]; then
    echo "no $sim: build the release preset first"
    exit 1
fi
"$wine" wineboot --init > /dev/null 2>&1

# Records: every column but date and time, 25 frames, byte for byte.
start_module --rate 100 --values 1.25,12,13.25,-10.75
out=$(cli record --port COM7 --file "Z:$work/w.csv" --frames 25 --columns counter,in1,in2,fx1,fx2)
expected=$(printf 'DATA;GODZINA;LICZNIK;WEJ\x8cCIE 1;WEJ\x8cCIE 2;FUNKCJA 1;FUNKCJA 2;\r\n'
           for i in $(seq 0 24); do printf ';;%d;1.25;12.00;13.25;-10.75;\r\n' "$i"; done)
expect_eq "$(cat "$work/w.csv")" "$expected" "record file"
[[ "$(tail -1 <<< "$out")" =~ ^rx=[0-9]+\ tx=1\ err=0$ ]] || fail "record counters: $out"

# Part files every 10 records, counter cleared in each.
cli record --port COM7 --file "Z:$work/p.csv" --frames 25 --columns counter --split 10 \
    --clear-counter > /dev/null
expect_eq "$(sed -n 2p "$work/p_1.csv" | tr -d '\r')" ";;0;;;;;" "second part"
expect_eq "$(($(wc -l < "$work/p_2.csv") - 1))" "5" "third part"
[ ! -e "$work/p_3.csv" ] || fail "a fourth part"

# Set, then get: clamping, list items, the firmware.
out=$(cli set --port COM7 freq=250 fcon=-5 mode1=4~20mA umin1=1.5)
expect_eq "$(head -4 <<< "$out")" $'freq=250\nfcon=300 (clamped)\nmode1=2\numin1=1.5' "set"
out=$(cli get --port COM7 --decimals 3 freq fcon mode1 umin1 firmware)
expect_eq "$(head -5 <<< "$out")" $'freq=250\nfcon=300\nmode1=4~20mA\numin1=1.500\nfirmware=SIM1' "get"

# Invalid values: nothing sent, exit 2.
cli set --port COM7 freq=100 umin1=12x > /dev/null
expect_eq "$?" "2" "invalid set exit"
expect_eq "$(tr -d '\r' < "$work/err")" "umin1: not a number" "invalid set message"
expect_eq "$(cli get --port COM7 freq | head -1)" "freq=250" "nothing was sent"
stop_module

# Corrupted frames are counted.
start_module --rate 100 --corrupt 0.3 --seed 5
out=$(cli record --port COM7 --file "Z:$work/c.csv" --frames 30)
[[ "$(tail -1 <<< "$out")" =~ ^rx=[0-9]+\ tx=1\ err=[1-9][0-9]*$ ]] || fail "corrupted frames: $out"
stop_module

# The module hangs up during a recording: exit 3, every record on disk.
start_module --rate 100 --values 1,2,3,4 --hangup-after 2
out=$(cli record --port COM7 --file "Z:$work/h.csv")
expect_eq "$?" "3" "port lost exit"
rx=$(tail -1 <<< "$out" | sed -n 's/^rx=\([0-9]*\) .*/\1/p')
lines=$(($(wc -l < "$work/h.csv") - 1))
[ "$lines" -gt 10 ] || fail "too few records before the hang-up: $lines"
expect_eq "$lines" "$((rx - 1))" "records on disk against frames received"
grep -q "port lost" "$work/err" || fail "no port-lost message: $(cat "$work/err")"
stop_module

# A missing port: the component's message with the system's text.
cli monitor --port COM8 > "$work/out"
expect_eq "$?" "3" "missing port exit"
[[ "$(tr -d '\r' < "$work/err" | head -1)" == 'Device "COM8" Open Error !!!' ]] ||
    fail "open message: $(cat "$work/err")"
[ -n "$(tr -d '\r' < "$work/err" | sed -n 2p)" ] || fail "no system text"

# The port list ends with the demo module.
expect_eq "$(cli ports | tail -1)" $'Symulator\tbuilt-in demo module' "port list"

rm -rf "$work"
if [ "$failures" -eq 0 ]; then
    echo "1 passed, 0 failed"
    exit 0
fi
echo "0 passed, 1 failed ($failures expectations)"
exit 1
