#!/bin/sh
# Whole-program checks of kardel-cli against the file system around it:
#   sh files.sh CASE KARDEL_CLI DATA_DIR WORK_DIR
# Exit 0 passes, 77 skips, anything else fails (with the reason on stderr).
set -u
case_name=$1 K=$2 data=$3 d=$4/cli-files-$1
rm -rf "$d" && mkdir -p "$d" && cd "$d" || exit 1

fail() { echo "FAIL: $*" >&2; exit 1; }
# expect_refusal TEXT CMD...: exit 1 with TEXT in the message
expect_refusal() {
    text=$1; shift
    "$@" > out.log 2> err.log; rc=$?
    [ $rc -eq 1 ] || fail "$* exited $rc"
    grep -q "$text" err.log || fail "$* said: $(cat err.log)"
}
full='ﾃﾞｨｽｸがいっぱいになりました。'
not_a_file='はﾌｧｲﾙではありません。'
read_only='は使用中または読み取り専用のため、書き込めません。'

"$K" new doc.kdl || fail "new"

case $case_name in
stdout_failures)
    # Writing into a full disk is an error, on standard output and into a device alike.
    "$K" build "$data/rich.json" rich.kdl || fail "build"
    for cmd in "dump doc.kdl" "outline doc.kdl" "export doc.kdl" "export-memo rich.kdl --memo 3" "check doc.kdl" \
               "search doc.kdl --all" "export doc.kdl -o /dev/full" "search doc.kdl --all -o /dev/full"; do
        # shellcheck disable=SC2086
        "$K" $cmd > /dev/full 2> err.log; rc=$?
        [ $rc -eq 1 ] || fail "$cmd into /dev/full exited $rc"
        grep -q "/dev/full.*$full" err.log || fail "$cmd said: $(cat err.log)"
    done ;;
readers)
    # Only regular files are read, and a FIFO or /dev/zero is refused at once.
    mkfifo fifo.kdl; mkdir folder.kdl
    for source in fifo.kdl /dev/zero folder.kdl; do
        expect_refusal "$not_a_file" "$K" check "$source"
        expect_refusal "$not_a_file" "$K" merge doc.kdl "$source" --under 0 out.kdl
    done
    [ ! -e out.kdl ] || fail "a merge wrote out.kdl" ;;
targets)
    # Read-only files, folders and dangling links are refused and left alone.
    echo keep > ro.txt; chmod 444 ro.txt
    [ "$(id -u)" -eq 0 ] && chmod 0 ro.txt # root may write anything but a file without any write bit
    expect_refusal "$read_only" "$K" export doc.kdl -o ro.txt
    expect_refusal "$read_only" "$K" new ro.txt
    chmod 644 ro.txt; [ "$(cat ro.txt)" = keep ] || fail "ro.txt changed"
    mkdir dir.txt
    expect_refusal "$not_a_file" "$K" export doc.kdl -o dir.txt
    ln -s missing/target.kdl dangling.kdl
    expect_refusal 'が見つかりません。' "$K" new dangling.kdl
    [ -L dangling.kdl ] && [ ! -e missing ] || fail "the dangling link changed"
    # No export replaces the document it is made from, under any of its names.
    cp doc.kdl source.kdl; ln -s source.kdl source-link.kdl; ln source.kdl source-hard.kdl
    for target in source.kdl ./source-link.kdl source-hard.kdl; do
        for cmd in "export source.kdl" "export-memo source.kdl --memo 0" "search source.kdl --all"; do
            # shellcheck disable=SC2086
            expect_refusal 'は出力元のﾄﾞｷｭﾒﾝﾄ自身のため、書き込めません。' "$K" $cmd -o "$target"
        done
    done
    cmp -s doc.kdl source.kdl || fail "an export replaced the document it came from"
    # A link is followed: the file it names is replaced, the link stays.
    mkdir real; echo old > real/doc.kdl; ln -s real/doc.kdl link.kdl
    "$K" apply doc.kdl link.kdl || fail "save through a link"
    [ -L link.kdl ] || fail "the link was replaced"
    "$K" check real/doc.kdl > /dev/null || fail "the linked file was not written"
    [ "$(ls -A real)" = doc.kdl ] || fail "left in real/: $(ls -A real)"
    # The longest name the file system takes.
    long=$(printf '%0251d' 0)
    "$K" export doc.kdl -o "$long" || fail "a 251-byte name"
    [ -z "$(ls -A | grep '^\.')" ] || fail "left behind: $(ls -A | grep '^\.')"
    # A character device is written into, never replaced.
    if [ "$(id -u)" -eq 0 ] && mknod null c 1 3 2> /dev/null; then dev=null; else dev=/dev/null; fi
    [ "$dev" = /dev/null ] && [ "$(id -u)" -eq 0 ] && exit 0 # never risk the system's own
    "$K" export doc.kdl -o "$dev" || fail "export into $dev"
    [ -c "$dev" ] || fail "$dev is no longer a device" ;;
signal)
    # A save ended by a signal leaves no temporary file: a deep chain makes an
    # export of some 70 MB, long enough to be caught while it writes.
    "$K" dump doc.kdl | awk -v depth=8000 -f "$data/chain.awk" > chain.json
    "$K" build chain.json chain.kdl || fail "build the chain"
    for sig in TERM INT HUP; do
        # A background job of a script starts with SIGINT ignored; give it back its default.
        env --default-signal="$sig" "$K" export chain.kdl --memo 2 -o out.txt &
        pid=$!
        tries=0
        until ls -A | grep -q '^\.out\.txt\.'; do
            tries=$((tries + 1))
            if ! kill -0 $pid 2> /dev/null || [ $tries -gt 500 ]; then
                wait $pid; echo "the export ended before it could be interrupted" >&2; exit 77
            fi
            sleep 0.01
        done
        kill -$sig $pid; wait $pid; rc=$?
        [ $rc -gt 128 ] || fail "SIG$sig: exit $rc"
        [ -z "$(ls -A | grep '^\.out')" ] || fail "SIG$sig left $(ls -A | grep '^\.out')"
        [ ! -e out.txt ] || fail "SIG$sig: out.txt was written"
    done ;;
*) fail "unknown case $case_name" ;;
esac
exit 0
