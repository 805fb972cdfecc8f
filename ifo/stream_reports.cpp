// SPDX-License-Identifier: GPL-3.0-or-later
#include "ifo/stream_reports.h"

#include <algorithm>

#include "common/string_format.h"
#include "ifo/audio_names.h"
#include "ifo/language_table.h"
#include "ifo/stream_attributes.h"

namespace ratewise {

std::vector<std::string> VideoReportLines(const VideoAttributes& video)
{
    return {
        std::string("Compression : MPEG-") + (video.mpeg2 ? "2" : "1"),
        std::string("System : ") + (video.pal ? "PAL 625/50" : "NTSC 525/60"),
        "Aspect Ratio : " + std::string(AspectName(video.aspectCode)),
        "Display Mode : " + std::string(DisplayModeName(video.displayModeCode)),
        // A reserved standard code gives an index without a name; the label then stands alone.
        "Video Resolution : " + std::string(ResolutionName(video.resolutionIndex)),
        std::string("Letterboxed : ") + (video.letterboxed ? "yes" : "no"),
    };
}

std::vector<std::string> AudioReportLines(const TitleSetInfo* info, int audioStreamCount)
{
    std::vector<std::string> lines;
    for (int k = 0; k < audioStreamCount; ++k) {
        const std::optional<AudioAttributes> audio = ifoGetAudioAttributes(info, k);
        if (!audio)
            break;
        lines.push_back(StringPrintf("%d: ", k + 1) + std::string(languageName(audio->language)));
        // The two spaces after the singular keep the coding names aligned with the plural.
        lines.push_back(StringPrintf("    %d", audio->channelCount) +
                        (audio->channelCount == 1 ? " channel  " : " channels ") +
                        std::string(audioCodingName(audio->codingMode)) + " " +
                        audioStreamCode(audio->codingMode, k));
    }
    lines.emplace_back(kReportEndMarker);
    return lines;
}

std::vector<std::string> SubsReportLines(const TitleSetInfo* info, int subpictureStreamCount)
{
    std::vector<std::string> lines;
    for (int k = 0; k < subpictureStreamCount; ++k) {
        const std::optional<SubpictureAttributes> subpicture = ifoGetSubpictureAttributes(info, k);
        if (!subpicture)
            break;
        lines.push_back(std::string(k <= 8 ? " " : "") + StringPrintf("%d ", k + 1) +
                        std::string(languageName(subpicture->language)));
    }
    lines.emplace_back(kReportEndMarker);
    return lines;
}

int MinimumReportLines(InfoReportKind kind)
{
    switch (kind) {
    case InfoReportKind::Video:
        return 7;
    case InfoReportKind::Audio:
        return 10;
    case InfoReportKind::Subs:
        return 15;
    }
    return 0;
}

std::string InfoReportText(InfoReportKind kind, std::span<const std::string> lines)
{
    const auto end = std::find(lines.begin(), lines.end(), kReportEndMarker);
    std::string text;
    for (auto line = lines.begin(); line != end; ++line)
        text += *line + "\r\n";
    for (auto shown = end - lines.begin(); shown < MinimumReportLines(kind); ++shown)
        text += "\r\n";
    return text;
}

namespace {

std::optional<InfoReport> BuildInfoReport(InfoReportKind kind, std::unique_ptr<TitleSetInfo> info,
                                          const TrackList& list)
{
    if (!info)
        return std::nullopt;
    InfoReport report = BuildInfoReport(kind, *info, list);
    ifoClose(std::move(info));
    return report;
}

} // namespace

InfoReport BuildInfoReport(InfoReportKind kind, const TitleSetInfo& info, const TrackList& list)
{
    InfoReport report;
    report.kind = kind;
    switch (kind) {
    case InfoReportKind::Video:
        report.lines = VideoReportLines(ifoGetVideoAttributes(&info).value_or(VideoAttributes{}));
        break;
    case InfoReportKind::Audio:
        report.lines = AudioReportLines(&info, list.audioStreamCount);
        break;
    case InfoReportKind::Subs:
        report.lines = SubsReportLines(&info, list.subpictureStreamCount);
        break;
    }
    report.text = InfoReportText(kind, report.lines);
    return report;
}

std::optional<InfoReport> BuildInfoReport(InfoReportKind kind, const std::string& path, const TrackList& list)
{
    return BuildInfoReport(kind, ifoOpen(path), list);
}

std::optional<InfoReport> BuildInfoReport(InfoReportKind kind, ByteSource& source, const TrackList& list)
{
    return BuildInfoReport(kind, ifoOpen(source), list);
}

} // namespace ratewise
