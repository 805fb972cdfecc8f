// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/plan_script.h"

#include "common/printable_text.h"
#include "common/string_format.h"
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

std::string MediumHeader(const MediumPlan& plan)
{
    const MediumShare& share = plan.share;
    std::string text = StringPrintf("# Medium %d of %d: chapters %d-%d of %d, %.3f s -> %s\n", plan.medium,
                                    plan.mediumCount, share.firstChapter, share.lastChapter,
                                    share.chapterCount, share.seconds, CommentWord(plan.output).c_str());
    text +=
        StringPrintf("#   target: %.0f bytes (%.3f kbit usable)\n", plan.targetBytes, share.usableKilobits);
    text += StringPrintf("#   calculator video bitrate: %.3f Kbps\n", share.calculatorVideoKbps);
    text += StringPrintf("#   audio: %.0f bit/s\n", plan.audioBitsPerSecond);
    const ContainerOverhead& overhead = plan.overhead;
    text += StringPrintf("#   container overhead (%s): %.0f bytes + %.0f bytes/s = %.0f bytes\n",
                         std::string(ContainerName(plan.container)).c_str(), overhead.fixedBytes,
                         overhead.bytesPerSecond, plan.overheadBytes);
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
