// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/plan_script.h"

#include "common/printable_text.h"
#include "common/string_format.h"
#include "encode/audio_rules.h"
#include "encode/shell_quote.h"

namespace ratewise {
namespace {

// A here-document delimiter that no line of the text equals.
std::string Delimiter(const std::string& text)
{
    std::string delimiter = "RATEWISE_CHAPTERS";
    while (text.find("\n" + delimiter + "\n") != std::string::npos || text.rfind(delimiter + "\n", 0) == 0)
        delimiter += "_";
    return delimiter;
}

// A word from the user or the disc in a comment line: quoted as the commands quote it, with its
// control characters escaped, since a newline would end the comment and run the rest.
std::string CommentWord(const std::string& word)
{
    return PrintableText(ShellQuote(word));
}

const char* SourceCodingName(DvdAudio coding)
{
    switch (coding) {
    case DvdAudio::Ac3:
        return "AC-3";
    case DvdAudio::Mpeg1:
    case DvdAudio::Mpeg2:
        return "MPEG audio";
    case DvdAudio::Lpcm:
        return "LPCM";
    case DvdAudio::Dts:
        return "DTS";
    default:
        break;
    }
    return "audio";
}

std::string SourceLayout(int channels)
{
    return channels == 1   ? "mono"
           : channels == 2 ? "stereo"
           : channels == 6 ? "5.1"
                           : StringPrintf("%d channels", channels);
}

// "audio 1 (eng, AC-3 5.1): AAC 5.1 at 192000 bit/s (asked 128 kbit/s)".
std::string AudioLine(const AudioTrack& track)
{
    const Mixdown mixdown = MixdownFor(track.channels);
    std::string line =
        StringPrintf("audio %d (%s%s, %s %s): ", track.stream + 1, CommentWord(track.language).c_str(),
                     track.commentary ? ", commentary" : "", SourceCodingName(track.coding),
                     SourceLayout(track.channels).c_str());
    if (track.codec == AudioCodec::Copy)
        return line + StringPrintf("copied, %.0f bit/s counted in the title's packs", track.bitsPerSecond);
    line += StringPrintf("%s %s at %.0f bit/s", track.codec == AudioCodec::Aac ? "AAC" : "AC-3",
                         MixdownLabel(mixdown), track.bitsPerSecond);
    if (track.askedKbps != track.encoderKbps)
        line += StringPrintf(" (asked %d kbit/s)", track.askedKbps);
    return line;
}

std::string MediumHeader(const MediumPlan& plan)
{
    const MediumShare& share = plan.share;
    std::string text;
    if (!plan.sourceTitle.empty())
        text += "# " + PrintableText(plan.sourceTitle) + "\n";
    text += StringPrintf("# Medium %d of %d: chapters %d-%d of %d, %.3f s -> %s\n", plan.medium,
                         plan.mediumCount, share.firstChapter, share.lastChapter, share.chapterCount,
                         share.seconds, CommentWord(plan.output).c_str());
    text += StringPrintf("#   target: %.0f bytes (%.3f kbit usable, 1 kbit = 1024 bits)\n", plan.targetBytes,
                         share.usableKilobits);
    text += StringPrintf("#   calculator video bitrate: %.3f kbit/s (1 kbit = 1024 bits)\n",
                         share.calculatorVideoKbps);
    for (const AudioTrack& track : plan.audio)
        text += "#   " + AudioLine(track) + "\n";
    for (const SubtitleTrack& track : plan.subtitles)
        text += StringPrintf("#   subtitles %d (%s%s): copied, %.0f bit/s counted in the title's packs\n",
                             track.stream + 1, CommentWord(track.language).c_str(),
                             track.commentary ? ", commentary" : "", track.bitsPerSecond);
    text += StringPrintf("#   audio and subtitles: %.0f bit/s\n", plan.audioBitsPerSecond);
    const ContainerOverhead& overhead = plan.overhead;
    text += StringPrintf("#   container overhead (%s): %.0f bytes + %.0f bytes/s = %.0f bytes\n",
                         std::string(ContainerName(plan.container)).c_str(), overhead.fixedBytes,
                         overhead.bytesPerSecond, plan.overheadBytes);
    if (plan.audioMarginBytes > 0)
        text += StringPrintf("#   AAC tolerance margin: %.0f bytes\n", plan.audioMarginBytes);
    text += StringPrintf("#   encoder tolerance margin: %.2f %% of the video bits\n",
                         plan.toleranceMargin * 100.0);
    text += StringPrintf("#   video bitrate asked: %.0f bit/s\n", plan.videoBitsPerSecond);
    return text;
}

} // namespace

std::string PlanScript(const PlanRequest& request, const std::vector<MediumPlan>& media)
{
    std::string script = "#!/bin/sh\n";
    script += StringPrintf("# Ratewise encode plan: %s, %s, audio %s\n",
                           std::string(EncoderName(request.encoder)).c_str(),
                           std::string(VideoCodecName(request.codec)).c_str(),
                           std::string(AudioCodecName(request.audioCodec)).c_str());
    const bool season = !media.empty() && !media.front().sourceTitle.empty();
    if (season)
        script += "# The files of each medium share one video bitrate: together they fill the medium once\n"
                  "# every file's audio, container overhead and encoder tolerance margin have their share.\n";
    else if (request.fixedVideoKbps)
        script += StringPrintf(
            "# The video bitrate is the calculator's %.3f kbit/s (1 kbit = 1024 bits), as given;\n"
            "# each medium's target shows the room it has.\n",
            *request.fixedVideoKbps);
    else
        script += "# The video bitrate fills each medium once the audio, the container's overhead and the\n"
                  "# encoder's tolerance margin have their share.\n";
    script += "set -e\n";
    for (const MediumPlan& plan : media) {
        script += "\n" + MediumHeader(plan);
        if (plan.chapterFile) {
            // The delimiter must stand on a line of its own, or the rest of the script would
            // become part of the file.
            std::string text = plan.chapterFile->text;
            if (!text.empty() && text.back() != '\n')
                text += '\n';
            const std::string delimiter = Delimiter(text);
            script += "cat >" + ShellQuote(plan.chapterFile->path) + " <<'" + delimiter + "'\n" + text +
                      delimiter + "\n";
        }
        for (const PlanCommand& command : plan.commands) {
            if (!command.feed.empty())
                script += ShellWords(command.feed) + " | ";
            script += ShellWords(command.command) + "\n";
        }
        if (!plan.leftovers.empty()) {
            std::vector<std::string> remove{"rm", "-f", "--"};
            remove.insert(remove.end(), plan.leftovers.begin(), plan.leftovers.end());
            script += ShellWords(remove) + "\n";
        }
    }
    return script;
}

} // namespace ratewise
