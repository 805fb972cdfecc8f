#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Authors a small real DVD for the encode tests: OUT/VIDEO_TS (a folder) and OUT.iso (a UDF image).
# Usage: make_test_dvd.sh OUT pal|ntsc [SECONDS]
# One title set, two titles: title 1 is SECONDS of moving test pattern under noise (so an encoder
# has to spend the bits a plan gives it) with a tone in pink noise, chapters every 5 s; title 2 is
# a short second clip, so the set's VOB holds more than one title. CIF frames keep encodes quick;
# PAL carries AC-3 audio, NTSC MPEG-1 Layer II.
set -eu
out=$1
standard=$2
seconds=${3:-20}
case $standard in
pal) size=352x288 rate=25 target=pal-dvd audio="-c:a ac3 -b:a 192k" ;;
ntsc) size=352x240 rate=30000/1001 target=ntsc-dvd audio="-c:a mp2 -b:a 224k" ;;
*) echo "make_test_dvd.sh: standard must be pal or ntsc" >&2; exit 2 ;;
esac
work=$out.work
rm -rf "$out" "$out.iso" "$work"
mkdir -p "$work"

clip() { # clip NAME SECONDS FREQUENCY
    # shellcheck disable=SC2086
    ffmpeg -nostdin -v error -y \
        -f lavfi -i "testsrc2=size=$size:rate=$rate:duration=$2" \
        -f lavfi -i "sine=frequency=$3:duration=$2:sample_rate=48000" \
        -f lavfi -i "anoisesrc=color=pink:amplitude=0.2:duration=$2:sample_rate=48000:seed=7" \
        -filter_complex "[0:v]noise=alls=30:allf=t[v];[1:a][2:a]amix=inputs=2[a]" \
        -map "[v]" -map "[a]" -target $target -s $size -b:v 3000k -maxrate 6000k $audio -ac 2 \
        "$work/$1.mpg"
}
clip main "$seconds" 440
clip extra 4 660

chapters=0
at=5
while [ "$at" -lt "$seconds" ]; do
    chapters="$chapters,0:$(printf %02d "$at")"
    at=$((at + 5))
done
cat >"$work/dvd.xml" <<XML
<dvdauthor dest="$out">
  <vmgm />
  <titleset>
    <titles>
      <pgc><vob file="$work/main.mpg" chapters="$chapters" /></pgc>
      <pgc><vob file="$work/extra.mpg" chapters="0" /></pgc>
    </titles>
  </titleset>
</dvdauthor>
XML
VIDEO_FORMAT=$(echo "$standard" | tr a-z A-Z) dvdauthor -x "$work/dvd.xml" >"$work/dvdauthor.log" 2>&1 ||
    { cat "$work/dvdauthor.log" >&2; exit 1; }
genisoimage -quiet -dvd-video -udf -V RATEWISE_TEST -o "$out.iso" "$out" 2>"$work/genisoimage.log" ||
    { cat "$work/genisoimage.log" >&2; exit 1; }
rm -rf "$work"
