#!/bin/bash
# Times markwell-batch beside the tools users would pick instead, on the shared corpus:
# the stamp at the bottom right with a 20-pixel margin, JPEG quality 80 out.
#   bench/run.sh [OUTDIR=/tmp/markwell-bench] [ROUNDS=3]
# KIT=path names the benchmark kit (make-corpus.sh, devil_loop.cpp); by default the
# shared one beside this checkout. Rounds are interleaved, so drift on a busy machine
# hits every tool alike, and every figure is divided by the floor of the same run:
# libjpeg-turbo's own decode and encode with no stamp at all.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
top=$(dirname "$here")
out=${1:-/tmp/markwell-bench}
rounds=${2:-3}
kit=${KIT:-$top/../shared/bench}
[ -f "$kit/make-corpus.sh" ] || { echo "no benchmark kit at $kit (set KIT=...)" >&2; exit 1; }

packages="imagemagick libjpeg-turbo-progs time g++ libdevil-dev"
missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing="$missing $package"
done
if [ -n "$missing" ]; then
    sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
fi

build=${MARKWELL_BUILD_DIR:-$top/build}
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target markwell-batch markwell_resources >/dev/null
batch=$build/bin/markwell-batch

bash "$kit/make-corpus.sh" "$out" >/dev/null
stamp=$out/stamp.png
work=$out/markwell
mkdir -p "$work/bin"
g++ -O2 -o "$work/bin/devil_loop" "$kit/devil_loop.cpp" -lIL

run_tool() { # tool corpus outdir
    local tool=$1 corpus=$2 dest=$3
    case $tool in
        floor) for f in "$corpus"/*.jpg; do djpeg "$f" | cjpeg -quality 80 > "$dest/${f##*/}"; done ;;
        im-composite) for f in "$corpus"/*.jpg; do
                /usr/bin/composite -gravity southeast -geometry +20+20 "$stamp" "$f" -quality 80 "$dest/${f##*/}"
            done ;;
        devil-rgb) "$work/bin/devil_loop" -rgb "$stamp" "$dest" "$corpus"/*.jpg ;;
        markwell) "$batch" --config "$work/config-$(basename "$dest")" "$corpus"/*.jpg ;;
        markwell-jobs) "$batch" --jobs 0 --config "$work/config-$(basename "$dest")" "$corpus"/*.jpg ;;
    esac >/dev/null
}
export -f run_tool
export stamp work batch

tools="floor im-composite devil-rgb markwell markwell-jobs"
median() { sort -g | awk '{v[NR]=$1} END{i=int((NR+1)/2); print (NR%2)?v[i]:(v[i]+v[i+1])/2}'; }

table() { # corpus-name
    local name=$1 corpus=$out/$1 count
    count=$(ls "$corpus"/*.jpg | wc -l)
    for tool in $tools; do
        mkdir -p "$work/out-$name-$tool"
        python3 "$here/write-config.py" "$work/config-out-$name-$tool" "$stamp" "$work/out-$name-$tool"
        run_tool "$tool" "$corpus" "$work/out-$name-$tool" # warms the cache
    done
    for round in $(seq 1 "$rounds"); do
        for tool in $tools; do
            /usr/bin/time -f '%e %U %S %M' -o "$work/$name-$tool.t$round" \
                bash -c 'run_tool "$0" "$1" "$2"' "$tool" "$corpus" "$work/out-$name-$tool"
        done
    done
    local floor
    floor=$(for r in $(seq 1 "$rounds"); do cut -d' ' -f1 "$work/$name-floor.t$r"; done | median)
    printf '\n%s: %d images, %d rounds\n' "$name" "$count" "$rounds"
    printf '| tool | s/image | × floor | cpu-s/image | max RSS MB |\n|---|---|---|---|---|\n'
    for tool in $tools; do
        local wall cpu rss
        wall=$(for r in $(seq 1 "$rounds"); do cut -d' ' -f1 "$work/$name-$tool.t$r"; done | median)
        cpu=$(for r in $(seq 1 "$rounds"); do awk '{print $2 + $3}' "$work/$name-$tool.t$r"; done | median)
        rss=$(for r in $(seq 1 "$rounds"); do cut -d' ' -f4 "$work/$name-$tool.t$r"; done | sort -n | tail -n1)
        awk -v t="$tool" -v w="$wall" -v f="$floor" -v c="$cpu" -v n="$count" -v m="$rss" \
            'BEGIN { printf "| %s | %.4f | %.2f | %.4f | %.0f |\n", t, w / n, w / f, c / n, m / 1024 }'
    done
}

echo "markwell-jobs runs one worker per core ($(nproc)); the other tools use one process." >&2
table photo
table small
