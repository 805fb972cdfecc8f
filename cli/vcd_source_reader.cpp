// SPDX-License-Identifier: GPL-3.0-or-later
// Where `vcd-project` gets the aspect code and the PAL flag of FILE from: the title set's first
// video attribute byte, read with the title-set reader.
#include "cli/cli.h"
#include "cli/title_set_input.h"
#include "cli/vcd_project_command.h"
#include "ifo/title_set_info.h"
#include "ifo/video_attributes.h"

namespace ratewise::cli {

std::optional<VcdSource> ReadVcdSource(const std::string& ifoPath, const DiscChoice& choice,
                                       std::ostream& err, FailureKind& status)
{
    // The header is all it needs; the track list's diagnostics are not its own.
    std::ostream quiet(nullptr);
    status = FailureKind::None;
    const std::optional<TitleSetLoad> load = LoadTitleSet(ifoPath, choice, err, quiet, status);
    if (!load)
        return std::nullopt;
    std::unique_ptr<ByteSource> source = load->OpenIfo();
    std::unique_ptr<TitleSetInfo> info = source ? ifoOpen(*source) : nullptr;
    const std::optional<VideoAttributes> video = ifoGetVideoAttributes(info.get());
    ifoClose(std::move(info));
    if (!video) {
        PrintError(err, ifoPath, "not a title-set information file");
        status = FailureKind::BadInput;
        return std::nullopt;
    }
    return VcdSourceFromVideoAttributes(video->b0);
}

} // namespace ratewise::cli
