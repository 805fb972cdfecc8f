// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the source of a Video CD project from the title set and takes the calculator's bitrates.
#include "project/vcd_project_opening.h"

#include <cmath>
#include <limits>
#include <memory>

#include "ifo/title_set_info.h"
#include "ifo/video_attributes.h"

namespace ratewise {

int TruncatedVideoKbps(double videoKbps)
{
    if (std::isnan(videoKbps))
        return 0;
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    if (videoKbps <= lowest)
        return std::numeric_limits<int>::min();
    if (videoKbps >= highest)
        return std::numeric_limits<int>::max();
    return static_cast<int>(std::trunc(videoKbps));
}

std::optional<VcdProjectOpening> ReadVcdProjectOpening(const std::string& ifoPath,
                                                       const CalculatorState& calculator)
{
    if (ifoPath.empty())
        return std::nullopt;
    std::unique_ptr<ByteSource> source = OpenFileSource(ifoPath);
    return ReadVcdProjectOpening(source.get(), calculator);
}

std::optional<VcdProjectOpening> ReadVcdProjectOpening(ByteSource* source, const CalculatorState& calculator)
{
    if (!source)
        return std::nullopt;
    std::unique_ptr<TitleSetInfo> info = ifoOpen(*source);
    if (!info)
        return std::nullopt;
    const std::optional<VideoAttributes> video = ifoGetVideoAttributes(info.get());
    ifoClose(std::move(info));
    if (!video)
        return std::nullopt;

    const VcdSource vcdSource = VcdSourceFromVideoAttributes(video->b0);
    VcdProjectOpening opening;
    opening.isPal = vcdSource.isPal;
    opening.sourceAspect = vcdSource.sourceAspect;
    opening.calcAudioKbps = calculator.audio1Kbps;
    opening.calcVideoKbps = TruncatedVideoKbps(calculator.videoKbps);
    return opening;
}

} // namespace ratewise
