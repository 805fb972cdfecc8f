#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Authors a small real DVD for the encode tests: OUT/VIDEO_TS (a folder) and OUT.iso (a UDF image).
# Usage: make_test_dvd.sh OUT pal|ntsc|film [SECONDS]
# pal, ntsc: one title set, two titles: title 1 is SECONDS of moving test pattern under noise (so
# an encoder has to spend the bits a plan gives it) with a tone in pink noise, chapters every 5 s;
# title 2 is a short second clip, so the set's VOB holds more than one title. CIF frames keep
# encodes quick; PAL carries AC-3 audio, NTSC MPEG-1 Layer II.
# film: a PAL film disc as people rip them: title 1 a 4 s trailer in title set 1; title 2 the film
# in title set 2, SECONDS (default 24) with a chapter every 2 s, AC-3 5.1 English, AC-3 2.0
# English director's commentary, and two subtitle streams (English, German).
set -eu
out=$1
standard=$2
seconds=${3:-20}
case $standard in
pal) size=352x288 rate=25 target=pal-dvd audio="-c:a ac3 -b:a 192k" ;;
ntsc) size=352x240 rate=30000/1001 target=ntsc-dvd audio="-c:a mp2 -b:a 224k" ;;
film) size=352x288 rate=25 target=pal-dvd seconds=${3:-24} ;;
*) echo "make_test_dvd.sh: standard must be pal, ntsc or film" >&2; exit 2 ;;
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

# film: the film with its two audio streams and two subtitle streams, and the trailer in a set of
# its own.
if [ "$standard" = film ]; then
    ffmpeg -nostdin -v error -y \
        -f lavfi -i "testsrc2=size=$size:rate=$rate:duration=$seconds" \
        -f lavfi -i "sine=frequency=440:duration=$seconds:sample_rate=48000" \
        -f lavfi -i "anoisesrc=color=pink:amplitude=0.2:duration=$seconds:sample_rate=48000:seed=7" \
        -f lavfi -i "sine=frequency=880:duration=$seconds:sample_rate=48000" \
        -filter_complex "[0:v]noise=alls=30:allf=t[v];[1:a][2:a]amix=inputs=2,pan=5.1|FL=c0|FR=c0|FC=c0|LFE=c0|BL=c0|BR=c0[a];[3:a]pan=stereo|FL=c0|FR=c0[c]" \
        -map "[v]" -map "[a]" -map "[c]" -target $target -s $size -b:v 3000k -maxrate 6000k \
        -c:a ac3 -b:a:0 448k -b:a:1 192k "$work/film.mpg"
    subtitles=$work/film.mpg
    for stream in 0 1; do
        printf '1\n00:00:01,000 --> 00:00:03,000\nSubtitle %s one\n\n2\n00:00:09,000 --> 00:00:12,000\nSubtitle %s two\n' \
            "$stream" "$stream" >"$work/sub$stream.srt"
        cat >"$work/sub$stream.xml" <<XML
<subpictures><stream><textsub filename="$work/sub$stream.srt" font="/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
  fontsize="18" movie-width="352" movie-height="288" /></stream></subpictures>
XML
        VIDEO_FORMAT=PAL spumux -s "$stream" "$work/sub$stream.xml" <"$subtitles" >"$work/film$stream.mpg" 2>"$work/spumux.log" ||
            { cat "$work/spumux.log" >&2; exit 1; }
        subtitles=$work/film$stream.mpg
    done
    audio="-c:a ac3 -b:a 192k"
    clip trailer 4 660
    chapters=0
    at=2
    while [ "$at" -lt "$seconds" ]; do
        chapters="$chapters,0:$(printf %02d "$at")"
        at=$((at + 2))
    done
    cat >"$work/dvd.xml" <<XML
<dvdauthor dest="$out">
  <vmgm />
  <titleset><titles><pgc><vob file="$work/trailer.mpg" chapters="0" /></pgc></titles></titleset>
  <titleset>
    <titles>
      <audio lang="en" /><audio lang="en" content="comments1" />
      <subpicture lang="en" /><subpicture lang="de" />
      <pgc><vob file="$subtitles" chapters="$chapters" /></pgc>
    </titles>
  </titleset>
</dvdauthor>
XML
    VIDEO_FORMAT=PAL dvdauthor -x "$work/dvd.xml" >"$work/dvdauthor.log" 2>&1 ||
        { cat "$work/dvdauthor.log" >&2; exit 1; }
    genisoimage -quiet -dvd-video -udf -V RATEWISE_FILM -o "$out.iso" "$out" 2>"$work/genisoimage.log" ||
        { cat "$work/genisoimage.log" >&2; exit 1; }
    rm -rf "$work"
    exit 0
fi

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
