// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/json_fields.h"

#include "common/dvd_time.h"

namespace ratewise::cli {

double FrameRateNumber(bool pal)
{
    return ShownFrameRate(pal);
}

nlohmann::json DurationJson(std::int64_t frameCount, bool pal)
{
    return {{"seconds", FramesToSeconds(frameCount, pal)}, {"frameCount", frameCount}};
}

void WriteDuration(JsonWriter& json, std::int64_t frameCount, bool pal)
{
    json.BeginObject()
        .Member("seconds", FramesToSeconds(frameCount, pal))
        .Member("frameCount", frameCount)
        .EndObject();
}

nlohmann::json ChapterObjects(const ChapterList& chapters, std::optional<bool> pal)
{
    nlohmann::json objects = nlohmann::json::array();
    for (int n = 1; n <= chapters.chapterCount; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        const int whole = i < chapters.startSeconds.size() ? chapters.startSeconds[i] : 0;
        nlohmann::json chapter = {{"number", n}, {"startSeconds", whole}};
        if (pal && i < chapters.startFrames.size()) {
            // The playback counter: 25 (PAL) or 30 (NTSC) frames a nominal second.
            const std::int64_t counter =
                TimeCodeFrames(0, 0, whole, chapters.startFrames[i], TimeCodeFramesPerSecond(*pal));
            chapter["startSeconds"] = FramesToSeconds(counter, *pal);
            chapter["startFrame"] = counter;
        }
        objects.push_back(chapter);
    }
    return objects;
}

} // namespace ratewise::cli
