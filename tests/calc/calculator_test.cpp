// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calculator.h"

#include <gtest/gtest.h>

#include "calc/medium_presets.h"

namespace ratewise {
namespace {

// A state as left by the window after the user typed these values.
CalculatorState Typed(const char* hours, const char* minutes, const char* seconds, const char* size,
                      int count, const char* audio1, const char* audio2, FormatMode mode = FormatMode::AviDvd)
{
    CalculatorState state;
    state.hoursText = hours;
    state.minutesText = minutes;
    state.secondsText = seconds;
    state.mediumSizeText = size;
    state.mediumCount = count;
    state.audio1Text = audio1;
    state.audio2Text = audio2;
    state.formatMode = mode;
    return state;
}

TEST(Recalculate, ForwardExamples)
{
    CalculatorState start = Typed("2", "00", "00", "700", 1, "128", "0");
    Recalculate(start);
    EXPECT_EQ(start.videoBitrateText, "668.444");
    EXPECT_EQ(start.fieldStates.video, FieldState::Valid);
    EXPECT_EQ(start.hoursText, "2");
    EXPECT_EQ(start.minutesText, "00");

    CalculatorState svcd = Typed("2", "00", "00", "700", 1, "128", "0", FormatMode::Svcd);
    Recalculate(svcd);
    EXPECT_EQ(svcd.videoBitrateText, "771.904");

    CalculatorState twoDiscs = Typed("1", "30", "00", "700", 2, "224", "0", FormatMode::Svcd);
    Recalculate(twoDiscs);
    EXPECT_EQ(twoDiscs.videoBitrateText, "2175.745");

    CalculatorState dvd = Typed("2", "00", "00", "4480", 1, "192", "0");
    Recalculate(dvd);
    EXPECT_EQ(dvd.videoBitrateText, "4905.244");

    // Typed duration texts stay as typed, without a leading zero.
    CalculatorState five = Typed("1", "5", "0", "700", 1, "128", "0");
    Recalculate(five);
    EXPECT_EQ(five.minutesText, "5");
    EXPECT_EQ(five.secondsText, "0");
}

TEST(Recalculate, ReverseExamples)
{
    CalculatorState locked = Typed("0", "0", "0", "700", 1, "128", "0");
    locked.locked = true;
    locked.videoBitrateText = "1000";
    Recalculate(locked);
    EXPECT_EQ(locked.hoursText, "1");
    EXPECT_EQ(locked.minutesText, "24");
    EXPECT_EQ(locked.secondsText, "43");
    EXPECT_EQ(locked.videoBitrateText, "1000");
    EXPECT_EQ(locked.fieldStates.video, FieldState::Output);
    EXPECT_DOUBLE_EQ(locked.videoKbps, 1000.0);

    CalculatorState svcd = Typed("0", "0", "0", "700", 1, "224", "0", FormatMode::Svcd);
    svcd.locked = true;
    svcd.videoBitrateText = "2000";
    Recalculate(svcd);
    EXPECT_EQ(svcd.hoursText, "0");
    EXPECT_EQ(svcd.minutesText, "48");
    EXPECT_EQ(svcd.secondsText, "33");

    // A duration typed while locked is no input: no Invalid frame, replaced at once.
    CalculatorState typedMinutes = Typed("1", "75", "0", "700", 1, "128", "0");
    typedMinutes.locked = true;
    typedMinutes.videoBitrateText = "1000";
    Recalculate(typedMinutes);
    EXPECT_EQ(typedMinutes.fieldStates.minutes, FieldState::Valid);
    EXPECT_EQ(typedMinutes.minutesText, "24");
}

TEST(Recalculate, UnusableReverseResultsGiveZeroDuration)
{
    for (const char* video : {"abc", "0", "-5", "nan", ""}) {
        CalculatorState state = Typed("1", "2", "3", "700", 1, "128", "0");
        state.videoEdited = true;
        state.videoBitrateText = video;
        Recalculate(state);
        EXPECT_EQ(state.hoursText, "0") << video;
        EXPECT_EQ(state.minutesText, "00") << video;
        EXPECT_EQ(state.secondsText, "00") << video;
        EXPECT_EQ(state.videoBitrateText, video);
        EXPECT_EQ(state.fieldStates.video, FieldState::Output);
    }
    // Divisor of exactly 0: audio -100 and video 100.
    EXPECT_FALSE(ComputeDuration(100.0, 700, 1, -100.0, FormatMode::AviDvd).usable);
    // Hours beyond the 32-bit range.
    EXPECT_FALSE(ComputeDuration(1e-300, 700, 1, 0.0, FormatMode::AviDvd).usable);
    EXPECT_EQ(ComputeDuration(1e-300, 700, 1, 0.0, FormatMode::AviDvd), DurationResult{});
    // A negative size gives a negative time.
    EXPECT_FALSE(ComputeDuration(1000.0, -1, 1, 128.0, FormatMode::AviDvd).usable);
}

TEST(Recalculate, RangeChecksAndTheErrorResult)
{
    struct Case {
        const char *hours, *minutes, *seconds;
        bool hoursValid, minutesValid, secondsValid;
    };
    const Case cases[] = {
        {"100", "0", "0", true, true, true}, {"101", "0", "0", false, true, true},
        {"1", "60", "0", true, false, true}, {"1", "0", "60", true, true, false},
        {"-1", "0", "0", false, true, true}, {"1", "-1", "0", true, false, true},
        {"1", "0", "-1", true, true, false},
    };
    for (const Case& c : cases) {
        CalculatorState state = Typed(c.hours, c.minutes, c.seconds, "700", 1, "128", "0");
        Recalculate(state);
        EXPECT_EQ(state.fieldStates.hours == FieldState::Valid, c.hoursValid) << c.hours;
        EXPECT_EQ(state.fieldStates.minutes == FieldState::Valid, c.minutesValid) << c.minutes;
        EXPECT_EQ(state.fieldStates.seconds == FieldState::Valid, c.secondsValid) << c.seconds;
        const bool allValid = c.hoursValid && c.minutesValid && c.secondsValid;
        EXPECT_EQ(state.videoBitrateText == "error", !allValid)
            << c.hours << ":" << c.minutes << ":" << c.seconds;
    }

    CalculatorState zero = Typed("0", "00", "00", "700", 1, "128", "0");
    Recalculate(zero);
    EXPECT_EQ(zero.fieldStates.hours, FieldState::Valid);
    EXPECT_EQ(zero.videoBitrateText, "error");
    EXPECT_EQ(zero.fieldStates.video, FieldState::Invalid);
    EXPECT_EQ(zero.videoKbps, 0.0);

    for (const char* audio : {"-1"}) {
        CalculatorState badAudio = Typed("2", "0", "0", "700", 1, audio, "0");
        Recalculate(badAudio);
        EXPECT_EQ(badAudio.fieldStates.audio1, FieldState::Invalid);
        EXPECT_EQ(badAudio.videoBitrateText, "error");
        CalculatorState badAudio2 = Typed("2", "0", "0", "700", 1, "128", audio);
        Recalculate(badAudio2);
        EXPECT_EQ(badAudio2.fieldStates.audio2, FieldState::Invalid);
        EXPECT_EQ(badAudio2.videoBitrateText, "error");
    }
    CalculatorState badSize = Typed("2", "0", "0", "-1", 1, "128", "0");
    Recalculate(badSize);
    EXPECT_EQ(badSize.fieldStates.size, FieldState::Invalid);
    EXPECT_EQ(badSize.videoBitrateText, "error");

    // Size 0 is allowed: the result is minus the audio total, with an Invalid video frame.
    CalculatorState empty = Typed("2", "0", "0", "0", 1, "128", "0");
    Recalculate(empty);
    EXPECT_EQ(empty.fieldStates.size, FieldState::Valid);
    EXPECT_EQ(empty.videoBitrateText, "-128.000");
    EXPECT_EQ(empty.fieldStates.video, FieldState::Invalid);
}

TEST(Recalculate, ClampsTheCountIntoOneToNine)
{
    CalculatorState state = Typed("2", "0", "0", "700", 10, "128", "0");
    Recalculate(state);
    EXPECT_EQ(state.mediumCount, 9);
    state.mediumCount = 0;
    Recalculate(state);
    EXPECT_EQ(state.mediumCount, 1);
    state.mediumCount = -5;
    Recalculate(state);
    EXPECT_EQ(state.mediumCount, 1);
}

TEST(Recalculate, HugeAndOddTextsStayDefined)
{
    const char* texts[] = {"",
                           "abc",
                           "-",
                           "+",
                           "1e9",
                           "999999999999999999999999999999",
                           "-999999999999999999999999999999",
                           " 12abc",
                           "\t-0",
                           "0x1F"};
    for (const char* text : texts) {
        for (int field = 0; field < kCalcFieldCount; ++field) {
            for (bool locked : {false, true}) {
                for (FormatMode mode : {FormatMode::AviDvd, FormatMode::Svcd}) {
                    CalculatorState state = Typed("2", "00", "00", "700", 1, "128", "0", mode);
                    state.locked = locked;
                    state.videoBitrateText = "1000";
                    state.Text(static_cast<CalcField>(field)) = text;
                    Recalculate(state);
                    // Only a typed video text stays as typed (it may be empty); every other
                    // run writes a result or "error".
                    const bool keepsTyped = locked;
                    if (!keepsTyped) {
                        EXPECT_FALSE(state.videoBitrateText.empty()) << text;
                    }
                    EXPECT_GE(state.mediumCount, 1);
                }
            }
        }
    }
    // A saturated size over many media still gives a finite forward result.
    CalculatorState huge = Typed("0", "0", "1", "999999999999", 9, "0", "0");
    Recalculate(huge);
    EXPECT_EQ(huge.mediumSizeMb, 2147483647);
    EXPECT_GT(huge.videoKbps, 1e14);
}

TEST(Presets, MatchingSelectingAndNaming)
{
    EXPECT_EQ(PresetIndexForSize(650), 1);
    EXPECT_EQ(PresetIndexForSize(700), 2);
    EXPECT_EQ(PresetIndexForSize(4480), 7);
    EXPECT_EQ(PresetIndexForSize(0), 0);
    EXPECT_EQ(PresetIndexForSize(701), 0);

    CalculatorState state;
    state.mediumSizeText = "0700";
    Recalculate(state);
    SelectPreset(state, 0);
    EXPECT_EQ(state.mediumSizeText, "700");
    SelectPreset(state, 7);
    EXPECT_EQ(state.mediumSizeText, "4480");
    EXPECT_EQ(state.mediumSizeMb, 4480);
    SelectPreset(state, -1);
    EXPECT_EQ(state.mediumSizeText, "4480");

    EXPECT_EQ(PresetIndexByName("DVD-R/RW"), 7);
    EXPECT_EQ(PresetIndexByName("3"), 3);
    EXPECT_EQ(PresetIndexByName("8"), -1);
    EXPECT_EQ(PresetIndexByName("80 min"), -1);
}

TEST(SnapAudioToSvcd, RoundsDownToTheLayerTwoList)
{
    struct Case {
        int from, to;
    };
    for (const Case c : {Case{100, 96}, Case{63, 63}, Case{500, 384}, Case{384, 384}, Case{0, 0},
                         Case{64, 64}, Case{-5, -5}, Case{225, 224}}) {
        CalculatorState state;
        state.audio1Kbps = c.from;
        state.audio2Kbps = c.from;
        state.audio1Text = state.audio2Text = "typed";
        const bool rewritten = SnapAudioToSvcd(state);
        EXPECT_EQ(state.audio1Kbps, c.to) << c.from;
        EXPECT_EQ(state.audio2Kbps, c.to) << c.from;
        EXPECT_EQ(rewritten, c.from >= 64);
        EXPECT_EQ(state.audio1Text, c.from >= 64 ? std::to_string(c.to) : "typed");
    }
}

} // namespace
} // namespace ratewise
