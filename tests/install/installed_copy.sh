#!/bin/sh
# An installed copy in a read-only folder: the links on the PATH start it, it finds its
# languages through its own folder, takes its settings from the user's configuration
# folder, and stamps files.
set -eu
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
program="$work/prefix/lib/markwell"
test -x "$work/prefix/bin/markwell"
test -f "$work/prefix/share/applications/markwell.desktop"
test -f "$work/prefix/share/icons/hicolor/scalable/apps/markwell.svg"
test -f "$program/languages/english.ini"

mkdir -p "$work/photos" "$work/config/markwell"
cp "$build/bin/samples/meadow.jpg" "$build/bin/samples/stamp.png" "$work/photos/"
# A start-up configuration in the user's folder that picks the stamp; the tool that makes
# the samples writes one into any folder it is given.
"$build/tools/markwell-samples" "$work/config/markwell" >/dev/null
test -f "$work/config/markwell/startup.config"

# Root can write to any folder whatever its permissions, so for root the program folder
# is made read-only with a read-only mount in a private namespace.
if [ "$(id -u)" -ne 0 ]; then
    chmod -R a-w "$program"
elif ! unshare -m sh -c "mount --bind '$program' '$program' && mount -o remount,bind,ro '$program'" 2>/dev/null; then
    echo "no private mounts here: the program folder stays writable for root; skipped" >&2
    exit 77
fi
run_read_only() {
    if [ "$(id -u)" -eq 0 ]; then
        unshare -m sh -c "mount --bind '$program' '$program' && mount -o remount,bind,ro '$program' && $*"
    else
        sh -c "$*"
    fi
}

export XDG_CONFIG_HOME="$work/config"
output=$(run_read_only "'$work/prefix/bin/markwell-batch' '$work/photos/meadow.jpg'")
echo "$output"
echo "$output" | grep -q "Finished: saved 1 of 1."
test -f "$work/photos/stamped_meadow.jpg"
test ! -e "$program/startup.config"

# The window starts from the link, runs until it is told to stop, and then saves its
# settings in the user's folder: a first start there makes the folder.
rm -rf "$work/config"
status=0
run_read_only "timeout -s TERM --preserve-status 3 '$work/prefix/bin/markwell' '$work/photos/meadow.jpg'" || status=$?
[ "$status" -eq 0 ]
test -f "$work/config/markwell/startup.config"
test ! -e "$program/startup.config"
chmod -R u+w "$work"
echo "1 passed, 0 failed"
