// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/overhead_model.h"

#include <cctype>

namespace ratewise {

Container ContainerForOutput(std::string_view outputPath)
{
    const std::size_t dot = outputPath.rfind('.');
    if (dot == std::string_view::npos)
        return Container::Matroska;
    std::string extension;
    for (const char c : outputPath.substr(dot + 1))
        extension += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == "mp4" || extension == "m4v" ? Container::Mp4 : Container::Matroska;
}

std::string_view ContainerName(Container container)
{
    return container == Container::Mp4 ? "MP4" : "Matroska";
}

ContainerOverhead OverheadOf(Container container)
{
    if (container == Container::Mp4)
        return {8192, 1200};
    return {8192, 1200};
}

double EncoderToleranceMargin()
{
    return 0.01;
}

} // namespace ratewise
