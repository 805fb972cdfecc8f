// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/stream_choice.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <vector>

namespace ratewise {
namespace {

constexpr int kMostStreams = 32;     // a title set holds at most 8 audio and 32 subtitle streams
constexpr int kMostAudioKbps = 6144; // beyond what any encoder takes for a DVD's audio
constexpr std::array<std::string_view, 10> kPresets{"ultrafast", "superfast", "veryfast", "faster",
                                                    "fast",      "medium",    "slow",     "slower",
                                                    "veryslow",  "placebo"};

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (std::size_t begin = 0;;) {
        const std::size_t end = text.find(separator, begin);
        parts.push_back(
            text.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin));
        if (end == std::string_view::npos)
            return parts;
        begin = end + 1;
    }
}

bool WholeNumber(std::string_view text, int lowest, int highest, int& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size() && value >= lowest &&
           value <= highest;
}

std::string Shown(std::string_view text)
{
    return "'" + std::string(text.substr(0, 24)) + (text.size() > 24 ? "...'" : "'");
}

// Stream numbers from 1 as indexes from 0, each once.
bool StreamNumber(std::string_view text, const std::vector<int>& taken, int& stream, std::string& why)
{
    if (!WholeNumber(text, 1, kMostStreams, stream)) {
        why = "expected a stream number from 1, got " + Shown(text);
        return false;
    }
    --stream;
    if (std::find(taken.begin(), taken.end(), stream) != taken.end()) {
        why = "stream " + std::to_string(stream + 1) + " is named twice";
        return false;
    }
    return true;
}

} // namespace

bool ParseAudioChoice(std::string_view text, StreamChoice& choice, std::string& why)
{
    choice.audioGiven = true;
    choice.allAudio = text == "all";
    choice.audio.clear();
    if (choice.allAudio)
        return true;
    std::vector<int> taken;
    for (const std::string_view item : Split(text, ',')) {
        const std::vector<std::string_view> fields = Split(item, ':');
        AudioChoice audio;
        if (fields.size() > 3 || !StreamNumber(fields[0], taken, audio.stream, why)) {
            if (fields.size() > 3)
                why = "expected N, N:codec or N:codec:kbps, got " + Shown(item);
            return false;
        }
        if (fields.size() >= 2) {
            if (fields[1] == "aac")
                audio.codec = AudioCodec::Aac;
            else if (fields[1] == "ac3")
                audio.codec = AudioCodec::Ac3;
            else if (fields[1] == "copy")
                audio.codec = AudioCodec::Copy;
            else {
                why = "expected the codec aac, ac3 or copy, got " + Shown(fields[1]);
                return false;
            }
        }
        if (fields.size() == 3) {
            int kbps = 0;
            if (audio.codec == AudioCodec::Copy || !WholeNumber(fields[2], 1, kMostAudioKbps, kbps)) {
                why = audio.codec == AudioCodec::Copy
                          ? "a copied stream takes no bitrate: " + Shown(item)
                          : "expected kbit/s from 1 to 6144, got " + Shown(fields[2]);
                return false;
            }
            audio.kbps = kbps;
        }
        taken.push_back(audio.stream);
        choice.audio.push_back(audio);
    }
    return true;
}

bool ParseSubtitleChoice(std::string_view text, StreamChoice& choice, std::string& why)
{
    choice.subtitlesGiven = true;
    choice.allSubtitles = text == "all";
    choice.subtitles.clear();
    if (choice.allSubtitles || text == "none")
        return true;
    for (const std::string_view item : Split(text, ',')) {
        int stream = 0;
        if (!StreamNumber(item, choice.subtitles, stream, why))
            return false;
        choice.subtitles.push_back(stream);
    }
    return true;
}

bool IsEncoderPreset(std::string_view name)
{
    return std::find(kPresets.begin(), kPresets.end(), name) != kPresets.end();
}

std::string EncoderPresetList()
{
    std::string list;
    for (const std::string_view preset : kPresets)
        list += (list.empty() ? "" : ", ") + std::string(preset);
    return list;
}

} // namespace ratewise
