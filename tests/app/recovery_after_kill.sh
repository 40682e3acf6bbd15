#!/bin/sh
# Crash recovery as a user meets it: typing in a running kardel, SIGKILL, a new start that
# offers the copy, restore (Return on the question), save; the typed text is in the file.
# Runs on an X server of its own (Xvfb) and types with xdotool; without them it is skipped.
# usage: recovery_after_kill.sh KARDEL KARDEL_CLI WORK_FOLDER
K="$1" CLI="$2" D="$3"
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "no Xvfb or xdotool"; exit 77; }
rm -rf "$D" && mkdir -p "$D/run" && chmod 700 "$D/run" && cd "$D" || exit 1
export XDG_STATE_HOME="$D/state" XDG_DATA_HOME="$D/data" XDG_CONFIG_HOME="$D/config" XDG_RUNTIME_DIR="$D/run"
export KARDEL_RECOVERY_DELAY_MS=300 QT_QPA_PLATFORM=xcb
unset KARDEL_NOW
fail() { echo "FAIL: $*"; exit 1; }
waitfor() { # condition, tenths of a second
    i=0
    while ! sh -c "$1"; do i=$((i + 1)); [ $i -gt "$2" ] && return 1; sleep 0.1; done
}

n=77
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >xvfb.log 2>&1 &
xpid=$!
trap 'kill -9 $kpid 2>/dev/null; kill $xpid 2>/dev/null' EXIT
export DISPLAY=":$n"
waitfor 'xdpyinfo >/dev/null 2>&1' 100 || fail "no X server"

"$CLI" new doc.kdl || fail "kardel-cli new"
"$K" "$D/doc.kdl" >first.log 2>&1 &
kpid=$!
win=$(timeout 20 xdotool search --sync --name '^doc\.kdl - Kardel$' | head -1)
[ -n "$win" ] || fail "no window"
xdotool windowfocus --sync "$win"
sleep 0.3
xdotool key --delay 50 ctrl+Tab # TreeView to MemoView
xdotool type --delay 20 'rescued by recovery'
waitfor 'ls state/Kardel/recovery/*.kdl >/dev/null 2>&1' 100 || fail "no recovery copy"
sleep 0.5 # the last keys reach the copy too
kill -9 $kpid
wait $kpid 2>/dev/null
[ "$("$CLI" dump doc.kdl | grep -c 'rescued by recovery')" -eq 0 ] || fail "the file changed before saving"

"$K" >second.log 2>&1 &
kpid=$!
ask=$(timeout 20 xdotool search --sync --name '^Kardel$' | head -1)
[ -n "$ask" ] || fail "no question at start"
xdotool windowfocus --sync "$ask"
sleep 0.3
xdotool key Return # [はい] restore
win=$(timeout 20 xdotool search --sync --name 'doc\.kdl' | head -1)
[ -n "$win" ] || fail "not restored"
xdotool windowfocus --sync "$win"
sleep 0.3
xdotool key ctrl+s
waitfor "\"$CLI\" dump doc.kdl | grep -q 'rescued by recovery'" 100 || fail "the restored text was not saved"
waitfor '! ls state/Kardel/recovery/*.kdl >/dev/null 2>&1' 100 || fail "the copy outlived the save"
kill $kpid
echo "ok"
