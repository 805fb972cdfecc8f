// SPDX-License-Identifier: GPL-3.0-or-later
#include "ifo/video_attributes.h"

#include <array>

namespace ratewise {

namespace {

constexpr std::size_t kVideoAttributesOffset = 0x200;

constexpr std::array<std::string_view, 4> kAspectNames{"4:3", "square pixels", "4:3", "16:9"};
constexpr std::array<std::string_view, 4> kDisplayModeNames{"pan-scan & letterboxed", "pan-scan",
                                                            "letterboxed", "not specified"};
constexpr std::array<std::string_view, 8> kResolutionNames{"720x480", "704x480", "352x480", "352x240",
                                                           "720x576", "704x576", "352x576", "352x288"};

template <std::size_t N> std::string_view NameAt(const std::array<std::string_view, N>& names, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= N)
        return {};
    return names[static_cast<std::size_t>(index)];
}

} // namespace

VideoAttributes DecodeVideoAttributes(std::uint8_t b0, std::uint8_t b1)
{
    VideoAttributes video;
    video.b0 = b0;
    video.b1 = b1;
    video.mpeg2 = (b0 & 0xC0) != 0;
    video.standard = (b0 >> 4) & 3;
    video.pal = (b0 & 0x30) != 0;
    video.aspectCode = (b0 >> 2) & 3;
    video.displayModeCode = b0 & 3;
    video.pictureSize = (b1 >> 2) & 3;
    video.resolutionIndex = video.standard * 4 + video.pictureSize;
    video.letterboxed = (b1 & 0x02) != 0;
    return video;
}

std::optional<VideoAttributes> ifoGetVideoAttributes(const TitleSetInfo* info)
{
    if (info == nullptr)
        return std::nullopt;
    const BeView header = info->header.View();
    const auto b0 = header.U8(kVideoAttributesOffset);
    const auto b1 = header.U8(kVideoAttributesOffset + 1);
    if (!b0 || !b1)
        return std::nullopt;
    return DecodeVideoAttributes(*b0, *b1);
}

std::string_view AspectName(int aspectCode)
{
    return NameAt(kAspectNames, aspectCode);
}

std::string_view DisplayModeName(int displayModeCode)
{
    return NameAt(kDisplayModeNames, displayModeCode);
}

std::string_view ResolutionName(int resolutionIndex)
{
    return NameAt(kResolutionNames, resolutionIndex);
}

} // namespace ratewise
