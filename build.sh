#!/bin/sh
# Installs what is missing, builds, then starts the program or runs every test.
#   ./build.sh run [image files...]    build and start Markwell
#   ./build.sh test                     build and run the whole test suite
set -eu

cd "$(dirname "$0")"

packages="cmake make g++ pkg-config qt6-base-dev libdevil-dev libjpeg-dev fonts-wqy-microhei"
test_packages="imagemagick"

action=${1:-run}
[ $# -gt 0 ] && shift
case "$action" in
    run) ;;
    test) packages="$packages $test_packages" ;;
    *) echo "usage: $0 run [image files...] | test" >&2; exit 2 ;;
esac

missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
        || missing="$missing $package"
done
if [ -n "$missing" ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
fi

build_dir=${MARKWELL_BUILD_DIR:-build}
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DMARKWELL_WERROR=$werror
cmake --build "$build_dir" --parallel "$(nproc)"

case "$action" in
    run)
        # Without files of your own, the window starts with the sample photos listed.
        [ $# -eq 0 ] && set -- "$build_dir"/bin/samples/*.jpg
        exec "$build_dir/bin/markwell" "$@" ;;
    test) exec ctest --test-dir "$build_dir" --output-on-failure --no-tests=error --parallel "$(nproc)" ;;
esac
