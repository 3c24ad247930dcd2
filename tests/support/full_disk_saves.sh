#!/bin/sh
# One pop saved on a nearly full disk, at every free size from 0 to 16 KiB
# in steps of 1 KiB: the settings file then holds the old count or the new
# one, never anything else, the save's status says which, and nothing but
# the file is left beside it.
#   full_disk_saves.sh SAVE_PROBE
# Runs in a private mount namespace; exits 77 where mounting is not allowed.
set -u
probe=$1
if [ -z "${PLINKETY_PRIVATE_MOUNT:-}" ]; then
    unshare --mount --propagation private true 2>/dev/null || exit 77
    PLINKETY_PRIVATE_MOUNT=1 exec unshare --mount --propagation private sh "$0" "$@"
fi
disk=$(mktemp -d)
mount -t tmpfs -o size=32k tmpfs "$disk" || exit 77
file=$disk/Plinkety.conf
old=$(printf '[Defaults]\nPopped=7\n')
new=$(printf '[Defaults]\nPopped=8\n')
failed=0 saved=0
for free in $(seq 0 16); do
    rm -f "$disk"/*
    printf '%s\n' "$old" > "$file"
    fill=$(( $(stat -f -c '%a * %S' "$disk") - free * 1024 ))
    [ "$fill" -gt 0 ] && head -c "$fill" /dev/zero > "$disk/filler" 2>/dev/null
    "$probe" "$file" add 1 2>/dev/null
    status=$?
    left=$(cat "$file")
    others=$(ls -A "$disk" | grep -v -x -e Plinkety.conf -e filler)
    if [ "$status" -eq 0 ] && [ "$left" = "$new" ]; then
        saved=$((saved + 1))
    elif [ "$status" -eq 0 ] || [ "$left" != "$old" ]; then
        echo "$free KiB free: status $status, the file holds: $left" >&2
        failed=1
    fi
    if [ -n "$others" ]; then
        echo "$free KiB free: left beside the file: $others" >&2
        failed=1
    fi
done
umount "$disk" && rmdir "$disk"
echo "saved at $saved of 17 free sizes; the old count kept whole at the others"
exit $failed
