#!/bin/sh
# Starts Plinkety with its settings under CONFIG_HOME, closes it the way a
# user's session would (SIGTERM, once the program handles it), copies the
# settings file it left to COPY and exits with the program's status.
#   run_and_close.sh MODE CONFIG_HOME COPY PROGRAM
# MODE says what the settings folder CONFIG_HOME/Plinkety is:
#   plain     as it is;
#   readonly  a read-only mount of itself, which root cannot write either;
#   full      a tiny file system holding its files and nothing else fits in.
# The last two run in a private mount namespace and exit with 77 where
# this machine does not allow mounting.
set -u
mode=$1 home=$2 copy=$3 program=$4
folder=$home/Plinkety

if [ "$mode" != plain ] && [ -z "${PLINKETY_PRIVATE_MOUNT:-}" ]; then
    unshare --mount --propagation private true 2>/dev/null || exit 77
    PLINKETY_PRIVATE_MOUNT=1 exec unshare --mount --propagation private sh "$0" "$@"
fi

case $mode in
readonly)
    mount --bind "$folder" "$folder" && mount -o remount,bind,ro "$folder" "$folder" || exit 77
    ;;
full)
    saved=$(mktemp -d) && cp -a "$folder/." "$saved/"
    mount -t tmpfs -o size=16k tmpfs "$folder" || exit 77
    cp -a "$saved/." "$folder/" && rm -rf "$saved"
    # Fill what is left, so that not one more byte fits.
    dd if=/dev/zero of="$folder/filler" bs=1024 2>/dev/null
    dd if=/dev/zero of="$folder/filler2" bs=1 2>/dev/null
    ;;
esac

XDG_CONFIG_HOME=$home "$program" &
pid=$!
# The program takes SIGTERM for a close once its handler is in place.
handles_term() {
    mask=$(sed -n 's/^SigCgt:[[:space:]]*//p' "/proc/$pid/status" 2>/dev/null) || return 1
    [ -n "$mask" ] && [ $(( 0x$mask & 0x4000 )) -ne 0 ]
}
tries=0
while kill -0 "$pid" 2>/dev/null && ! handles_term && [ $tries -lt 600 ]; do
    sleep 0.1
    tries=$((tries + 1))
done
sleep 0.5
kill -TERM "$pid" 2>/dev/null
wait "$pid"
status=$?
rm -f "$folder/filler" "$folder/filler2"
if [ -f "$folder/Plinkety.conf" ]; then cp "$folder/Plinkety.conf" "$copy"; else rm -f "$copy"; fi
exit $status
