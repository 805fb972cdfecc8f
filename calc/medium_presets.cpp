// SPDX-License-Identifier: GPL-3.0-or-later
// Preset matching and selection for the medium size drop-down list.
#include "calc/medium_presets.h"

#include "common/string_format.h"

namespace ratewise {

int PresetIndexForSize(std::int32_t sizeMb)
{
    for (std::size_t i = 0; i < MediumPresets.size(); ++i) {
        if (MediumPresets[i].sizeMb == sizeMb)
            return static_cast<int>(i);
    }
    return 0;
}

void SelectPreset(CalculatorState& state, int index)
{
    if (index >= 1 && index < static_cast<int>(MediumPresets.size()))
        state.mediumSizeMb = MediumPresets[static_cast<std::size_t>(index)].sizeMb;
    state.mediumSizeText = StringPrintf("%d", state.mediumSizeMb);
}

int PresetIndexByName(std::string_view name)
{
    for (std::size_t i = 0; i < MediumPresets.size(); ++i) {
        if (MediumPresets[i].label == name)
            return static_cast<int>(i);
    }
    if (name.size() == 1 && name[0] >= '0' && name[0] < char('0' + MediumPresets.size()))
        return name[0] - '0';
    return -1;
}

} // namespace ratewise
