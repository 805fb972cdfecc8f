// SPDX-License-Identifier: GPL-3.0-or-later
// `ratewise-cli vcd-project`: the Create VCD Project dialog run with its defaults or the options.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "cli/title_set_input.h"
#include "common/failure_kind.h"
#include "project/vcd_project_settings.h"

namespace ratewise::cli {

struct VcdProjectOptions {
    std::string ifoPath;
    DiscChoice disc;
    std::string output;
    std::optional<int> conversion; // the dialog opens with 0; a 4:3 source has none
    int audioKbps = kStandardVcdAudioKbps;
    unsigned int videoKbps = kStandardVcdVideoKbps;
    int quality = kQualityNormal;
    bool json = false;
};

// Reads the video standard and aspect code of a title set; prints one error line, sets `status`
// and gives nothing when the file cannot be read or has no such title set or title.
using VcdSourceReader = std::function<std::optional<VcdSource>(const std::string& ifoPath, std::ostream& err,
                                                               FailureKind& status)>;

// The reader the command uses for FILE (see vcd_source_reader.cpp).
std::optional<VcdSource> ReadVcdSource(const std::string& ifoPath, const DiscChoice& choice,
                                       std::ostream& err, FailureKind& status);
inline std::optional<VcdSource> ReadVcdSource(const std::string& ifoPath, std::ostream& err)
{
    FailureKind status = FailureKind::None;
    return ReadVcdSource(ifoPath, DiscChoice{}, err, status);
}

// Takes the source from `readSource`, sets the dialog's fields as OK would see them, refreshes
// the warnings, writes the project and prints the warnings and the path written.
FailureKind RunVcdProject(const VcdProjectOptions& options, const VcdSourceReader& readSource,
                          std::ostream& out, std::ostream& err);

} // namespace ratewise::cli
