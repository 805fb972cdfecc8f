// SPDX-License-Identifier: GPL-3.0-or-later
// The PAL and NTSC film templates, encoded from their property lists on first use.
#include "project/project_template.h"

#include <optional>

#include "project/component_stream.h"
#include "project/vcd_template_properties.h"

namespace ratewise {
namespace {

std::optional<ProjectTemplate> BuildTemplate(const VcdTemplateVariant& variant, std::uint8_t wideAspectRatio)
{
    const std::optional<EncodedStream> stream =
        EncodeComponentStream(kEncodeJobClassName, VcdTemplateProperties(variant));
    if (!stream)
        return std::nullopt;

    // The source item's aspect ratio is spelled "Video.AspectRatio", the job's with its prefix,
    // so the two names are distinct.
    const auto audio = stream->ValueOffset("Job.MPEG.Audio.BitRate");
    const auto video = stream->ValueOffset("Job.MPEG.Video.CBR_BitRate");
    const auto sourceAspect = stream->ValueOffset("Video.AspectRatio");
    const auto videoAspect = stream->ValueOffset("Job.MPEG.Video.AspectRatio");
    if (!audio || !video || !sourceAspect || !videoAspect)
        return std::nullopt;

    ProjectTemplate result;
    AppendProjectHeader(result.bytes, static_cast<std::uint32_t>(stream->bytes.size()));
    result.bytes.insert(result.bytes.end(), stream->bytes.begin(), stream->bytes.end());
    result.audioBitRateOffset = kProjectHeaderSize + *audio;
    result.videoBitRateOffset = kProjectHeaderSize + *video;
    result.sourceAspectRatioOffset = kProjectHeaderSize + *sourceAspect;
    result.videoAspectRatioOffset = kProjectHeaderSize + *videoAspect;
    result.wideAspectRatio = wideAspectRatio;
    return result;
}

} // namespace

std::string ProjectTemplate::StorageText() const
{
    return ToStorageText(bytes);
}

const ProjectTemplate& PalVcdTemplate()
{
    static const ProjectTemplate pal = BuildTemplate(kPalVcdVariant, 3).value_or(ProjectTemplate{});
    return pal;
}

const ProjectTemplate& NtscFilmVcdTemplate()
{
    static const ProjectTemplate ntscFilm = BuildTemplate(kNtscFilmVcdVariant, 6).value_or(ProjectTemplate{});
    return ntscFilm;
}

void AppendProjectHeader(std::vector<std::uint8_t>& out, std::uint32_t streamLength)
{
    const std::uint8_t fixed[] = {
        0xFF, 0x0A, 0x00,       // resource type given as a number: RCDATA
        'J',  'O',  'B',  0x00, // resource name
        0x30, 0x10,             // memory flags: moveable, pure, discardable
    };
    out.insert(out.end(), std::begin(fixed), std::end(fixed));
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(streamLength >> (8 * i)));
}

std::string ToStorageText(std::span<const std::uint8_t> bytes)
{
    std::string text(bytes.size(), '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        text[i] = static_cast<char>(bytes[i] == 0 ? kStoredZeroByte : bytes[i]);
    return text;
}

std::vector<std::uint8_t> RestoreZeroBytes(std::string_view storageText)
{
    std::vector<std::uint8_t> bytes(storageText.size());
    for (std::size_t i = 0; i < storageText.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(storageText[i]);
        bytes[i] = byte == kStoredZeroByte ? 0 : byte;
    }
    return bytes;
}

} // namespace ratewise
