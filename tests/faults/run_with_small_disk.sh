#!/usr/bin/env bash
# Runs a test program (through the runner given first) with VELQUOR_SMALL_DISK_FOLDER naming the
# Windows path of a freshly mounted 1 MB file system, which is unmounted and removed again
# however the program ends. Where mounting is not allowed the program runs without it and skips
# the tests that need it.
set -u
runner=$1
shift
folder=$(mktemp -d /tmp/velquor-small-disk.XXXXXX) || exit 1
cleanup() {
    if mountpoint -q "$folder"; then
        umount "$folder" 2>/dev/null || umount -l "$folder"
    fi
    rmdir "$folder"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
if mount -t tmpfs -o size=1m,mode=0700 velquor-small-disk "$folder" 2>/dev/null; then
    export VELQUOR_SMALL_DISK_FOLDER="Z:${folder//\//\\}"
fi
"$runner" "$@"
exit $?
