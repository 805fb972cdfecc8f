// SPDX-License-Identifier: GPL-3.0-or-later
// Where `vcd-project` gets the aspect code and the PAL flag of FILE from: the title set's first
// video attribute byte, read with the title-set reader.
#include "cli/cli.h"
#include "cli/title_set_input.h"
#include "cli/vcd_project_command.h"
#include "ifo/title_set_info.h"
#include "ifo/video_attributes.h"

namespace ratewise::cli {

std::optional<VcdSource> ReadVcdSource(const std::string& ifoPath, std::ostream& err)
{
    // Checked without blocking: a FIFO without a writer reads as empty.
    std::unique_ptr<TitleSetInfo> info = OpenTitleSetInfo(ifoPath, err);
    if (!info)
        return std::nullopt;
    const std::optional<VideoAttributes> video = ifoGetVideoAttributes(info.get());
    ifoClose(std::move(info));
    if (!video) {
        PrintError(err, ifoPath, "not a title-set information file");
        return std::nullopt;
    }
    return VcdSourceFromVideoAttributes(video->b0);
}

} // namespace ratewise::cli
