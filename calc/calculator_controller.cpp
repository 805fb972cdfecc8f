// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator's requests, step by step as the main window raises them.
#include "calc/calculator_controller.h"

#include "calc/calculator.h"
#include "calc/medium_presets.h"
#include "common/lenient_number.h"
#include "common/string_format.h"

namespace ratewise {

CalculatorUpdate CalculatorController::Recalculated()
{
    Recalculate(m_state);
    CalculatorUpdate update;
    update.showFields = true;
    return update;
}

CalculatorUpdate CalculatorController::WithSuggestion(CalculatorUpdate update) const
{
    update.bitrateSuggestion = BitrateSuggestion(m_state);
    return update;
}

CalculatorUpdate CalculatorController::StartUp()
{
    m_state = CalculatorState{};
    m_audio2Written = false;
    CalculatorUpdate update = Recalculated();
    update.presetIndex = kStartPresetIndex;
    SetFormatMode(m_state, FormatMode::AviDvd);
    FieldChanged(CalcField::Audio2, "0");
    update.mediumReport = MediumReport(m_state);
    return WithSuggestion(update);
}

CalculatorUpdate CalculatorController::FieldChanged(CalcField field, std::string_view text)
{
    m_state.Text(field) = std::string(text);
    switch (field) {
    case CalcField::Hours:
    case CalcField::Minutes:
    case CalcField::Seconds:
    case CalcField::Audio1:
        return WithSuggestion(Recalculated());
    case CalcField::MediumSize: {
        CalculatorUpdate update = Recalculated();
        update.presetIndex = PresetIndexForSize(m_state.mediumSizeMb);
        update.mediumReport = MediumReport(m_state);
        return WithSuggestion(update);
    }
    case CalcField::Video: {
        m_state.videoEdited = true;
        CalculatorUpdate update = Recalculated();
        m_state.videoEdited = false;
        return WithSuggestion(update);
    }
    case CalcField::Audio2: {
        CalculatorUpdate update = Recalculated();
        if (!m_audio2Written) {
            m_audio2Written = true;
            return update;
        }
        return WithSuggestion(update);
    }
    }
    return {};
}

CalculatorUpdate CalculatorController::PresetChosen(int index)
{
    SelectPreset(m_state, index);
    CalculatorUpdate update = Recalculated();
    update.mediumReport = MediumReport(m_state);
    return WithSuggestion(update);
}

CalculatorUpdate CalculatorController::CountChanged(std::string_view text)
{
    SetMediumCount(m_state, LenientAtoi(text));
    return WithSuggestion(Recalculated());
}

CalculatorUpdate CalculatorController::FormatChosen(FormatMode mode)
{
    SetFormatMode(m_state, mode);
    if (mode == FormatMode::Svcd && SnapAudioToSvcd(m_state)) {
        // The snapped text is written into the second audio field directly, which raises that
        // field's own change request before this one goes on.
        const std::string snapped = m_state.audio2Text;
        FieldChanged(CalcField::Audio2, snapped);
    }
    return WithSuggestion(Recalculated());
}

CalculatorUpdate CalculatorController::LockClicked()
{
    ToggleLock(m_state);
    return {};
}

CalculatorUpdate CalculatorController::TracksChosen(int hours, int minutes, int seconds)
{
    m_state.hoursText = StringPrintf("%d", hours);
    m_state.minutesText = WithLeadingZero(minutes);
    m_state.secondsText = WithLeadingZero(seconds);
    return WithSuggestion(Recalculated());
}

CalculatorUpdate CalculatorController::Repaint()
{
    return Recalculated();
}

CalculatorUpdate CalculatorController::SuggestionRequested()
{
    return WithSuggestion({});
}

} // namespace ratewise
