// SPDX-License-Identifier: GPL-3.0-or-later
// The video, audio and subpicture reports of a title set: their lines, and the text of the
// read-only window that shows them, padded with empty lines to the window's minimum.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ifo/title_set_info.h"
#include "ifo/track_list.h"
#include "ifo/video_attributes.h"

namespace ratewise {

enum class InfoReportKind { Video, Audio, Subs };

// The line that ends the audio and subs reports' lines; it is never shown.
inline constexpr const char* kReportEndMarker = "*";

// Compression, system, aspect ratio, display mode, resolution and letterboxing, one line each.
std::vector<std::string> VideoReportLines(const VideoAttributes& video);

// Two lines per audio stream ("1: English", then four spaces and "6 channels AC3 0xBD 0x80"),
// then the end marker. Streams beyond the header's eight slots are not reported.
std::vector<std::string> AudioReportLines(const TitleSetInfo* info, int audioStreamCount);

// One line per subpicture stream (" 1 English" ... "10 Dansk": numbers 1 to 9 get a space in
// front, so the lines stay aligned), then the end marker.
std::vector<std::string> SubsReportLines(const TitleSetInfo* info, int subpictureStreamCount);

// Empty lines the window shows at least: 7 for video, 10 for audio, 15 for subs.
int MinimumReportLines(InfoReportKind kind);

// The window's text: the lines before the end marker, each followed by "\r\n", then one "\r\n"
// for every line missing to the minimum.
std::string InfoReportText(InfoReportKind kind, std::span<const std::string> lines);

struct InfoReport {
    InfoReportKind kind = InfoReportKind::Video;
    std::vector<std::string> lines; // as built, end marker included
    std::string text;               // as the window shows it
};

// Opens the title set at path and builds the report of the given kind. The audio and subs
// reports take their stream counts from `list` (the last successful load), the attributes from
// the file. Nothing when the file cannot be opened as a title set.
std::optional<InfoReport> BuildInfoReport(InfoReportKind kind, const std::string& path,
                                          const TrackList& list);
// The same from a title set's information file in source (a disc's set, read by the load path).
std::optional<InfoReport> BuildInfoReport(InfoReportKind kind, ByteSource& source, const TrackList& list);

// The same from a title set already opened.
InfoReport BuildInfoReport(InfoReportKind kind, const TitleSetInfo& info, const TrackList& list);

} // namespace ratewise
