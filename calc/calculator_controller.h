// SPDX-License-Identifier: GPL-3.0-or-later
// Carries out each request the main window makes of the calculator and says what the window must
// show afterwards. The window and the command line drive the calculator only through this object,
// so both run exactly the same sequence of steps.
#pragma once

#include <optional>
#include <string_view>

#include "calc/calculator_state.h"
#include "calc/tip_texts.h"

namespace ratewise {

// What a request changed on screen.
struct CalculatorUpdate {
    // Write every text of the state and the count into the fields (without raising change
    // requests) and redraw every field frame in its state's colour.
    bool showFields = false;
    // Select this entry of the medium list.
    std::optional<int> presetIndex;
    // New text and colour for the medium size field's tip.
    std::optional<TipText> mediumReport;
    // New text and colour for the video field's tip (shown up to 2000 pixels wide).
    std::optional<TipText> bitrateSuggestion;
};

class CalculatorController
{
public:
    // The suggestion tip may grow this wide before it wraps.
    static constexpr int kSuggestionMaxWidth = 2000;

    // The state holds the start values; nothing has been computed yet.
    CalculatorController() = default;

    // Start-up of the main window: select "80min CD", compute, choose "Avi/Dvd", write "0" into
    // the second audio field (which recalculates without a suggestion), then the medium report
    // and the bitrate suggestion.
    CalculatorUpdate StartUp();

    // The user changed the text of a field: hours, minutes, seconds, size, either audio or video.
    CalculatorUpdate FieldChanged(CalcField field, std::string_view text);
    // An entry of the medium list was chosen (0, or -1 for no selection, keeps the size).
    CalculatorUpdate PresetChosen(int index);
    // The up-down control wrote a new count into the count field.
    CalculatorUpdate CountChanged(std::string_view text);
    // One of the two format radio buttons was clicked. "(S)VCD" snaps the audio bitrates.
    CalculatorUpdate FormatChosen(FormatMode mode);
    // "Lock" flips the locked flag only; the next computation takes the new path.
    CalculatorUpdate LockClicked();
    // Tracks were chosen in the track list: their summed running time becomes the duration.
    CalculatorUpdate TracksChosen(int hours, int minutes, int seconds);
    // The main window repaints: recalculate, which redraws the frames.
    CalculatorUpdate Repaint();
    // The video or second audio field got the focus: refresh the suggestion only.
    CalculatorUpdate SuggestionRequested();

    const CalculatorState& State() const { return m_state; }

private:
    CalculatorUpdate WithSuggestion(CalculatorUpdate update) const;
    CalculatorUpdate Recalculated();

    CalculatorState m_state;
    // The start-up write of "0" into the second audio field is its first change; only later
    // changes refresh the suggestion.
    bool m_audio2Written = false;
};

} // namespace ratewise
