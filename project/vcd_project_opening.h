// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window hands to the Create VCD Project dialog when it opens it: the source read
// afresh from the loaded title set, the dialog's opening choices and the calculator's bitrates.
#pragma once

#include <optional>
#include <string>

#include "calc/calculator_state.h"
#include "project/vcd_project_settings.h"

namespace ratewise {

class ByteSource;

struct VcdProjectOpening {
    bool isPal = true;
    int sourceAspect = 0; // the title set's aspect code: 0 for 4:3, 3 for 16:9
    int conversion = kConvertAddBorders;
    int audioIndex = kStandardVcdAudioIndex;
    unsigned int videoKbps = kStandardVcdVideoKbps;
    // For "Get from Ratewise": the first audio bitrate and the video bitrate, truncated toward
    // zero. The video bitrate may be negative when the audio does not fit the media.
    int calcAudioKbps = 0;
    int calcVideoKbps = 0;
};

// The calculator's video bitrate as a whole number, truncated toward zero; a value beyond the
// range of int is held at its nearest end, and a value that is not a number gives 0.
int TruncatedVideoKbps(double videoKbps);

// Opens the title set at `ifoPath` for its video attributes and closes it again. Nothing when the
// file cannot be opened or is not a title set.
std::optional<VcdProjectOpening> ReadVcdProjectOpening(const std::string& ifoPath,
                                                       const CalculatorState& calculator);
// The same from the title set's information file in source; nothing for a null source.
std::optional<VcdProjectOpening> ReadVcdProjectOpening(ByteSource* source, const CalculatorState& calculator);

} // namespace ratewise
