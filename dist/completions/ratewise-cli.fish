# SPDX-License-Identifier: GPL-3.0-or-later
# fish completion for ratewise-cli: its commands, their options, the values of the options that
# take a choice, the medium presets and title-set files. A new command is one line under
# "Commands" and its options below.

set -l commands calc vcd-project split chapters profile tracks info disc plan stream
set -l c complete -c ratewise-cli

# Options take values only where a line says so; positional words are title-set files.
$c -f
$c -n "not __fish_seen_subcommand_from $commands" -s h -l help -d 'Print help and exit'
$c -n "not __fish_seen_subcommand_from $commands" -s V -l version -d 'Print the version and license and exit'
$c -n "not __fish_seen_subcommand_from $commands" -s q -l quiet -d 'Print no notes on values changed or ignored'

# Commands
$c -n "not __fish_seen_subcommand_from $commands" -a calc -d 'The video bitrate (or, locked, the running time) that fills the media'
$c -n "not __fish_seen_subcommand_from $commands" -a vcd-project -d 'Write a TMPGEnc Video CD project for a title set'
$c -n "not __fish_seen_subcommand_from $commands" -a split -d "The most even split of a track's chapters over the media"
$c -n "not __fish_seen_subcommand_from $commands" -a chapters -d 'Where each chapter of a track begins'
$c -n "not __fish_seen_subcommand_from $commands" -a profile -d "A track's bitrate over its running time"
$c -n "not __fish_seen_subcommand_from $commands" -a tracks -d 'The track list of a title set'
$c -n "not __fish_seen_subcommand_from $commands" -a info -d 'The video, audio or subtitle report of a title set'
$c -n "not __fish_seen_subcommand_from $commands" -a disc -d 'What a disc holds: its titles and title sets'
$c -n "not __fish_seen_subcommand_from $commands" -a plan -d 'A two-pass HandBrakeCLI or ffmpeg encode that fills the media'
$c -n "not __fish_seen_subcommand_from $commands" -a stream -d "A title's cells as one MPEG program stream on standard output"

# Every command
$c -n "__fish_seen_subcommand_from $commands" -s h -l help -d 'Print help and exit'
$c -n "__fish_seen_subcommand_from $commands" -s j -l json -d 'Print one JSON object'
$c -n "__fish_seen_subcommand_from $commands" -s q -l quiet -d 'Print no notes on values changed or ignored'
$c -n "__fish_seen_subcommand_from vcd-project split chapters profile tracks info disc plan stream" -a '(__fish_complete_suffix .IFO; __fish_complete_suffix .ifo; __fish_complete_suffix .iso)'

# A title set of a disc: every command that reads one
set -l disc '__fish_seen_subcommand_from calc vcd-project split chapters profile tracks info plan stream'
$c -n $disc -l title-set -x -d 'Title set of a disc, image or folder'
$c -n $disc -l title -x -d 'Disc title: its title set and track'

# The calculator: calc and split
set -l calculator '__fish_seen_subcommand_from calc split plan'
$c -n $calculator -l hours -x -d 'Hours, typed as text'
$c -n $calculator -l minutes -x -d 'Minutes, typed as text'
$c -n $calculator -l seconds -x -d 'Seconds, typed as text'
$c -n $calculator -l size -x -d 'Size of one medium in MB'
$c -n $calculator -l preset -x -a "Custom '74min CD' '80min CD' '90min CD' '99min CD' '21min CD' '24min CD' DVD-R/RW" -d 'Medium preset'
$c -n $calculator -l count -x -d 'Number of media'
$c -n $calculator -l audio1 -x -d 'First audio bitrate in Kbps'
$c -n $calculator -l audio2 -x -d 'Second audio bitrate in Kbps'
$c -n $calculator -l mode -x -a 'avidvd svcd' -d 'Format (svcd snaps the audio bitrates)'
$c -n $calculator -l lock -d 'Click Lock: the duration follows from the video bitrate'
$c -n $calculator -l video -x -d 'Video bitrate in Kbps'

# calc
$c -n '__fish_seen_subcommand_from calc' -l ifo -r -a '(__fish_complete_suffix .IFO; __fish_complete_suffix .ifo)' -d 'Take the duration from tracks of a title set'
$c -n '__fish_seen_subcommand_from calc' -l tracks -x -d 'Tracks selected in the list, from 1: 1,3'

# vcd-project
$c -n '__fish_seen_subcommand_from vcd-project' -s o -l output -r -F -d 'The project file to write'
$c -n '__fish_seen_subcommand_from vcd-project' -l conversion -x -a '0\t"add borders" 1\tcrop 2\t"keep 16:9" 3\t"keep 16:9, 4:3 flag"' -d 'Aspect conversion of a 16:9 source'
$c -n '__fish_seen_subcommand_from vcd-project' -l audio -x -a '64 96 112 128 160 192 224 256 320 384' -d 'Audio bitrate in Kbps'
$c -n '__fish_seen_subcommand_from vcd-project' -l video -x -d 'Video bitrate in Kbps, 0 to 10000'
$c -n '__fish_seen_subcommand_from vcd-project' -l quality -x -a '0\tlowest 1\tlow 2\tnormal 3\thigh 4\thighest 5\t"motion estimate"' -d 'Encoding quality'

# split, chapters, profile
$c -n '__fish_seen_subcommand_from split chapters profile' -s t -l track -x -d 'Track number, from 1'
$c -n '__fish_seen_subcommand_from split' -l starts -x -d 'Chapter start seconds, then the end: S1,...,SC,END'
$c -n '__fish_seen_subcommand_from chapters' -s f -l format -x -a 'time frame second ogm matroska ffmetadata csv' -d 'Form of the chapter starts, or a chapter file'
$c -n '__fish_seen_subcommand_from chapters' -s o -l output -r -F -d 'Write to this file'
$c -n '__fish_seen_subcommand_from split' -s f -l format -x -a 'mkvmerge ffmpeg' -d 'Print the cuts for a tool'
$c -n '__fish_seen_subcommand_from split' -l chapters-per-medium -x -a '(__fish_complete_directories)' -d 'One chapter file per medium: DIR FORMAT'
$c -n '__fish_seen_subcommand_from split; and __fish_seen_argument -l chapters-per-medium' -a 'ogm matroska ffmetadata csv' -d 'Chapter file format'
$c -n '__fish_seen_subcommand_from split chapters' -l names -r -F -d 'Chapter names, one a line (UTF-8)'
$c -n '__fish_seen_subcommand_from split chapters' -l language -x -d 'Language of the chapter names, ISO 639-2'
$c -n '__fish_seen_subcommand_from profile' -l width -x -d 'Plot width in pixels'

# info
$c -n '__fish_seen_subcommand_from info' -l video -d 'The video report'
$c -n '__fish_seen_subcommand_from info' -l audio -d 'The audio report'
$c -n '__fish_seen_subcommand_from info' -l subs -d 'The subtitle report'
$c -n '__fish_seen_subcommand_from info' -l raw -d "Keep the window's CR LF line ends"

# plan, stream
$c -n '__fish_seen_subcommand_from plan stream' -s t -l track -x -d 'Track of the title set, from 1'
$c -n '__fish_seen_subcommand_from plan' -l titles -x -a 'episodes' -d 'Several titles in one plan: numbers and ranges, or episodes'
$c -n '__fish_seen_subcommand_from plan' -l encoder -x -a 'handbrake ffmpeg' -d 'The encoder the plan runs'
$c -n '__fish_seen_subcommand_from plan' -l codec -x -a 'x264 x265' -d 'Video codec'
$c -n '__fish_seen_subcommand_from plan' -l audio-codec -x -a 'aac ac3 copy' -d 'Audio codec'
$c -n '__fish_seen_subcommand_from plan' -l audio -x -a 'all' -d 'Audio streams to carry: all, or N, N:codec, N:codec:kbps'
$c -n '__fish_seen_subcommand_from plan' -l subtitles -x -a 'all none' -d 'Subtitle streams to copy'
$c -n '__fish_seen_subcommand_from plan' -l names -r -F -d 'Chapter names, one per line'
$c -n '__fish_seen_subcommand_from plan' -l language -x -d 'Language of the chapter names, ISO 639-2'
$c -n '__fish_seen_subcommand_from plan' -l encoder-preset -x -a 'ultrafast superfast veryfast faster fast medium slow slower veryslow placebo' -d "The video encoder's speed preset"
$c -n '__fish_seen_subcommand_from plan' -s o -l output -r -F -d 'The encoded file (.mkv, .mp4 or .m4v)'
$c -n '__fish_seen_subcommand_from plan' -l stream-command -x -a '(__fish_complete_command)' -d 'What the ffmpeg plan runs for stream'
$c -n '__fish_seen_subcommand_from plan' -l run -d 'Run the plan now, with its progress, instead of printing it'
$c -n '__fish_seen_subcommand_from stream' -l chapters -x -d 'Only chapters A to B: A-B'
