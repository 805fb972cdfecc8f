// SPDX-License-Identifier: GPL-3.0-or-later
// From the settings to the project file: patch, replace identifiers, fix the length, write.
#include "project/project_file_writer.h"

#include <algorithm>
#include <string>

#include "common/atomic_file.h"
#include "project/project_template.h"

namespace ratewise {
namespace {

constexpr std::string_view kFullScreen = "MPEGVideoConfig_ImageArrangeType_FullScreen";
constexpr std::string_view kNormalSearch = "MPEGVideoEncoder_MotionSearchSpeed_Normal";

constexpr std::string_view kArrangeForConversion[] = {
    "MPEGVideoConfig_ImageArrangeType_FullScreen_KeepAspectRatio",  // add borders
    "MPEGVideoConfig_ImageArrangeType_FullScreen_KeepAspectRatio3", // crop
};

constexpr std::string_view kMotionSearchForQuality[] = {
    "MPEGVideoEncoder_MotionSearchSpeed_Fast",   "MPEGVideoEncoder_MotionSearchSpeed_FastWide",
    "MPEGVideoEncoder_MotionSearchSpeed_Normal", "MPEGVideoEncoder_MotionSearchSpeed_Slow",
    "MPEGVideoEncoder_MotionSearchSpeed_HighCQ", "MPEGVideoEncoder_MotionSearchSpeed_MotionEstimate",
};

// Overwrites the payload of a 32-bit value whose tag byte is at `tagOffset`.
void PatchInt32(std::vector<std::uint8_t>& bytes, std::size_t tagOffset, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes[tagOffset + 1 + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void PatchInt8(std::vector<std::uint8_t>& bytes, std::size_t tagOffset, std::uint8_t value)
{
    bytes[tagOffset + 1] = value;
}

std::vector<std::uint8_t> StoredIdentifier(std::string_view name)
{
    std::vector<std::uint8_t> stored(name.size() + 1);
    stored[0] = static_cast<std::uint8_t>(name.size());
    std::copy(name.begin(), name.end(), stored.begin() + 1);
    return stored;
}

// Replaces every identifier `from` by `to`, each matched as its length byte and characters.
// The match works on bytes: the stream holds zero bytes long before the identifiers.
void ReplaceIdentifier(std::vector<std::uint8_t>& bytes, std::string_view from, std::string_view to)
{
    const std::vector<std::uint8_t> pattern = StoredIdentifier(from);
    const std::vector<std::uint8_t> replacement = StoredIdentifier(to);
    std::vector<std::uint8_t> result;
    result.reserve(bytes.size() + replacement.size());
    auto rest = bytes.cbegin();
    for (;;) {
        const auto match = std::search(rest, bytes.cend(), pattern.begin(), pattern.end());
        result.insert(result.end(), rest, match);
        if (match == bytes.cend())
            break;
        result.insert(result.end(), replacement.begin(), replacement.end());
        rest = match + static_cast<std::ptrdiff_t>(pattern.size());
    }
    bytes = std::move(result);
}

bool EndsWithTpr(const std::string& name)
{
    constexpr std::string_view extension = ".tpr";
    return name.size() >= extension.size() && name.compare(name.size() - extension.size(), extension.size(),
                                                           extension.data(), extension.size()) == 0;
}

} // namespace

std::string_view ProjectWriteMessage(ProjectWriteResult result)
{
    switch (result) {
    case ProjectWriteResult::Written:
        return "";
    case ProjectWriteResult::VideoBitrateOutOfRange:
        return kVideoRangeMessage;
    case ProjectWriteResult::AudioBitrateNotOffered:
        return "Please choose an audio bitrate from the list.";
    case ProjectWriteResult::NoFileName:
        return "Please specify a file name";
    case ProjectWriteResult::CreateFailed:
        return "Error creating file";
    }
    return "";
}

std::vector<std::uint8_t> ProjectFileWriter::Build(const VcdProjectSettings& settings)
{
    const ProjectTemplate& source = settings.isPal ? PalVcdTemplate() : NtscFilmVcdTemplate();

    // The template's zero bytes are restored first and the patches applied after, so a patched
    // byte is always written as it is (110 kbit/s keeps its 0xAD byte: B0 AD 01 00). The
    // identifiers replaced below hold neither 0x00 nor 0xAD, so matching them on the file bytes
    // finds exactly what matching on the storage text would.
    std::vector<std::uint8_t> bytes = source.bytes;
    if (bytes.size() < kProjectHeaderSize)
        return {};

    PatchInt32(bytes, source.audioBitRateOffset, static_cast<std::uint32_t>(settings.audioKbps) * 1000u);
    PatchInt32(bytes, source.videoBitRateOffset, settings.videoKbps * 1000u);
    if (settings.sourceAspect == 0)
        PatchInt8(bytes, source.sourceAspectRatioOffset, 13);
    if (settings.keep16x9Flag)
        PatchInt8(bytes, source.videoAspectRatioOffset, source.wideAspectRatio);

    // Conversions 2 and 3 keep the full-screen arrangement; so does any value the list does not
    // offer. An unknown quality likewise keeps the template's normal search.
    if (settings.sourceAspect > 0 &&
        (settings.conversion == kConvertAddBorders || settings.conversion == kConvertCrop))
        ReplaceIdentifier(bytes, kFullScreen, kArrangeForConversion[settings.conversion]);
    if (settings.quality >= 0 && settings.quality < static_cast<int>(std::size(kMotionSearchForQuality)))
        ReplaceIdentifier(bytes, kNormalSearch, kMotionSearchForQuality[settings.quality]);

    // The header gives the length of the stream actually written; a replacement changes it.
    const auto streamLength = static_cast<std::uint32_t>(bytes.size() - kProjectHeaderSize);
    for (std::size_t i = 0; i < 4; ++i)
        bytes[kProjectHeaderLengthOffset + i] = static_cast<std::uint8_t>(streamLength >> (8 * i));
    return bytes;
}

ProjectWriteResult ProjectFileWriter::write(VcdProjectSettings& settings)
{
    if (!IsVideoKbpsInRange(settings.videoKbps))
        return ProjectWriteResult::VideoBitrateOutOfRange;
    if (!IsVcdAudioBitrate(settings.audioKbps))
        return ProjectWriteResult::AudioBitrateNotOffered;
    if (settings.destination.empty())
        return ProjectWriteResult::NoFileName;
    if (!EndsWithTpr(settings.destination))
        settings.destination += ".tpr";

    const std::vector<std::uint8_t> bytes = Build(settings);
    if (bytes.empty() || !WriteFileAtomically(settings.destination, bytes))
        return ProjectWriteResult::CreateFailed;
    return ProjectWriteResult::Written;
}

} // namespace ratewise
