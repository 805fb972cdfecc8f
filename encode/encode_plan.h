// SPDX-License-Identifier: GPL-3.0-or-later
// Target-size encode plans: for each medium, the bitrates that fill it and the commands that make
// the file (HandBrakeCLI, or ffmpeg reading `ratewise-cli stream`), as data; plan_script.h turns
// them into a POSIX shell script.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "chapters/chapter_forms.h"
#include "encode/overhead_model.h"

namespace ratewise {

enum class Encoder { HandBrake, Ffmpeg };

enum class AudioCodec { Aac, Ac3, Copy };

std::string_view EncoderName(Encoder encoder);     // "handbrake", "ffmpeg"
std::string_view VideoCodecName(VideoCodec codec); // "x264", "x265"
std::string_view AudioCodecName(AudioCodec codec); // "aac", "ac3", "copy"

// The DVD audio coding of a stream the plan maps or copies (the title set's attribute values).
enum class DvdAudio { Ac3 = 0, Mpeg1 = 2, Mpeg2 = 3, Lpcm = 4, Dts = 6, Other = 7 };

struct AudioTrack {
    int stream = 0; // the title set's audio stream, from 0
    DvdAudio coding = DvdAudio::Ac3;
    double bitsPerSecond = 0; // what the plan gives it, or what the copied stream carries
    int encoderKbps = 0;      // the encoder's option (kbit/s of 1000 bits); 0 for copy
    AudioCodec codec = AudioCodec::Aac;
    int channels = 2;             // the source's
    int askedKbps = 0;            // what the user asked for; encoderKbps is what the encoder takes
    std::string language = "und"; // ISO 639-2
    bool commentary = false;      // a director's or other commentary
};

// A subpicture stream, copied as it is (VobSub).
struct SubtitleTrack {
    int stream = 0; // from 0
    std::string language = "und";
    bool commentary = false;
    double bitsPerSecond = 0; // the stream's own bytes over the medium's time
};

// Which streams the user chose (--audio, --subtitles); without a choice the calculator's audio
// fields pick streams 1 and 2 and no subtitles are carried.
struct AudioChoice {
    int stream = 0;                  // from 0
    std::optional<AudioCodec> codec; // the plan's audio codec when not given
    std::optional<int> kbps;         // the calculator's first audio field when not given
    friend bool operator==(const AudioChoice&, const AudioChoice&) = default;
};
struct StreamChoice {
    bool audioGiven = false;
    bool allAudio = false;
    std::vector<AudioChoice> audio;
    bool subtitlesGiven = false;
    bool allSubtitles = false;
    std::vector<int> subtitles; // from 0
};

// One medium's share of the title, as the calculator and the split give it.
struct MediumShare {
    int firstChapter = 1;
    int lastChapter = 1;
    int chapterCount = 1;              // chapters of the whole title
    double seconds = 0;                // exact playing time of the chapters (frames included)
    double usableKilobits = 0;         // the medium's usable size (1 kbit = 1024 bits)
    double calculatorVideoKbps = 0;    // the calculator's answer for this medium
    std::vector<double> chapterStarts; // seconds from the share's start, one per chapter
    TimedChapters chapters;            // the same at exact frames, named, for the chapter file
    std::int64_t startFrame = 0;       // where the share begins, in frames from the title's start
};

struct PlanRequest {
    Encoder encoder = Encoder::HandBrake;
    VideoCodec codec = VideoCodec::X264;
    AudioCodec audioCodec = AudioCodec::Aac;
    std::string encoderPreset; // e.g. "ultrafast"; empty: the encoder's default
    std::string source;        // as the user named it
    bool byTitle = true;       // how `stream` is told the title: --title or --track
    int number = 1;            // the title or track number given
    int titleSet = 0;          // the track's title set, given to `stream` with --track
    int discTitle = 1;         // HandBrakeCLI's -t
    std::string output;
    std::string streamProgram = "ratewise-cli"; // what the ffmpeg plan runs for its input
    std::vector<AudioTrack> audio;
    std::vector<SubtitleTrack> subtitles;
    StreamChoice choice;
    std::vector<std::string> chapterNames; // --names; "Chapter 01" ... for the rest
    std::string chapterLanguage = "und";
    // A video bitrate the user fixed (the calculator's lock, or one bitrate shared by several
    // tracks), in the calculator's kbit/s of 1024 bits; without it the video fills the medium.
    std::optional<double> fixedVideoKbps;
};

// A command, optionally fed on its standard input by another one (`feed | command`).
struct PlanCommand {
    std::vector<std::string> feed;
    std::vector<std::string> command;
};

struct TextFile {
    std::string path;
    std::string text;
};

struct MediumPlan {
    int medium = 1; // from 1
    int mediumCount = 1;
    std::string sourceTitle; // in a plan of several titles, which one this is ("title 3 of s1.iso")
    MediumShare share;
    std::string output;
    Container container = Container::Matroska;
    double targetBytes = 0;        // whole bytes
    double audioBitsPerSecond = 0; // every audio and subtitle stream carried
    ContainerOverhead overhead;    // the model for this container and codec
    double overheadBytes = 0;
    double audioMarginBytes = 0; // held back for encoded AAC's rate control
    double toleranceMargin = 0;
    double videoBitsPerSecond = 0;       // what the encoder is asked for
    std::optional<TextFile> chapterFile; // ffmpeg's chapters, written by the script first
    std::vector<AudioTrack> audio;       // as budgeted for this medium (copied streams counted in it)
    std::vector<SubtitleTrack> subtitles;
    std::vector<PlanCommand> commands;
    std::vector<std::string> leftovers; // files the script removes at the end (pass logs)
};

// `output` for one medium of `count`: itself when count is 1, else with "-K" before the extension
// ("film.mkv" -> "film-2.mkv"; "film" -> "film-2").
std::string MediumOutputPath(const std::string& output, int medium, int count);

// What the medium's file is planned to take: video and audio at their bitrates, the container's
// overhead and the margins held back for the encoders' rate control.
double PlannedBytes(const MediumPlan& plan);

// The figures and commands of one medium. Empty commands when the video bitrate would not be
// above 0 (the caller reports that).
MediumPlan BuildMediumPlan(const PlanRequest& request, const MediumShare& share, int medium, int mediumCount);

} // namespace ratewise
