#!/bin/sh
# Burns the camera frames of a shot into its rendered plates on a render farm: each task takes a
# chunk of frames (--frames FIRST-LAST), so any farm manager that runs command lines can share a
# sequence out. Here as a shell loop over chunks of 25 frames; a farm manager runs the same
# zkhost line once per task with its own FIRST and LAST (Deadline: a command-line job with the
# task's <STARTFRAME> and <ENDFRAME>; OpenCue and Tractor: the frame range tokens of a layer).
#
#   examples/farm-burn.sh SCENE.lws PLATES OUTPUT FIRST LAST [CHUNK]
#   examples/farm-burn.sh shot.lws renders/shot.####.exr review/shot.####.exr 1001 1240
set -eu
scene=$1 plates=$2 output=$3 first=$4 last=$5 chunk=${6:-25}
zkhost=${ZKHOST:-zkhost}
start=$first
status=0
while [ "$start" -le "$last" ]; do
    end=$((start + chunk - 1))
    [ "$end" -le "$last" ] || end=$last
    # One task: its frames on this machine's cores; a frame that fails is listed and the rest go on.
    "$zkhost" burn "$scene" --in "$plates" --out "$output" --frames "$start-$end" --keep-going || status=1
    start=$((end + 1))
done
exit $status
