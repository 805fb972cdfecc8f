#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Authors a small NTSC series disc for the season tests: OUT/VIDEO_TS (a folder) and OUT.iso.
# Usage: make_series_dvd.sh OUT EPISODES [SECONDS] [plain]
# One title set: EPISODES titles of SECONDS (default 6) of noisy moving test pattern, two chapters
# each, then (unless "plain") a play-all title built on the same cells (dvdauthor stores a VOB
# named twice once) and a title repeating episode 2's cells.
set -eu
out=$1
episodes=$2
seconds=${3:-6}
plain=${4:-}
work=$out.work
rm -rf "$out" "$out.iso" "$work"
mkdir -p "$work"
half=$(printf '0:%02d' $((seconds / 2)))
pgcs=""
all=""
k=1
while [ "$k" -le "$episodes" ]; do
    ffmpeg -nostdin -v error -y \
        -f lavfi -i "testsrc2=size=352x240:rate=30000/1001:duration=$seconds" \
        -f lavfi -i "sine=frequency=$((300 + k * 110)):duration=$seconds:sample_rate=48000" \
        -f lavfi -i "anoisesrc=color=pink:amplitude=0.2:duration=$seconds:sample_rate=48000:seed=$k" \
        -filter_complex "[0:v]noise=alls=30:allf=t[v];[1:a][2:a]amix=inputs=2[a]" \
        -map "[v]" -map "[a]" -target ntsc-dvd -s 352x240 -b:v 3000k -maxrate 6000k \
        -c:a ac3 -b:a 192k -ac 2 "$work/ep$k.mpg"
    vob="<vob file=\"$work/ep$k.mpg\" chapters=\"0,$half\" />"
    pgcs="$pgcs<pgc>$vob</pgc>"
    all="$all$vob"
    k=$((k + 1))
done
if [ "$plain" != plain ]; then
    pgcs="$pgcs<pgc>$all</pgc><pgc><vob file=\"$work/ep2.mpg\" chapters=\"0,$half\" /></pgc>"
fi
cat >"$work/dvd.xml" <<XML
<dvdauthor dest="$out">
  <vmgm />
  <titleset><titles><audio lang="en" />$pgcs</titles></titleset>
</dvdauthor>
XML
VIDEO_FORMAT=NTSC dvdauthor -x "$work/dvd.xml" >"$work/dvdauthor.log" 2>&1 ||
    { cat "$work/dvdauthor.log" >&2; exit 1; }
genisoimage -quiet -dvd-video -udf -V RATEWISE_SERIES -o "$out.iso" "$out" 2>"$work/genisoimage.log" ||
    { cat "$work/genisoimage.log" >&2; exit 1; }
rm -rf "$work"
