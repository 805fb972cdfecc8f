// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a Video CD project file from the stored template of the source's video standard.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "project/vcd_project_settings.h"

namespace ratewise {

enum class ProjectWriteResult {
    Written,
    VideoBitrateOutOfRange, // video outside 0 to 10000 kbit/s
    AudioBitrateNotOffered, // audio not one of the MPEG-1 Layer II rates of the list
    NoFileName,
    CreateFailed,
};

// The message the caller shows for a result; empty for Written.
std::string_view ProjectWriteMessage(ProjectWriteResult result);

class ProjectFileWriter
{
public:
    // The file's bytes for the settings: the template of the video standard with the bitrates,
    // the aspect codes, the arrangement and the motion search set. Expects bitrates that pass
    // the checks of `write`.
    static std::vector<std::uint8_t> Build(const VcdProjectSettings& settings);

    // Checks the bitrates and the destination, appends ".tpr" to a destination that lacks it
    // (the settings keep the longer name) and writes the file atomically. Expects
    // RefreshWarnings to have set keep16x9Flag. Nothing is written unless the result is Written.
    static ProjectWriteResult write(VcdProjectSettings& settings);
};

} // namespace ratewise
