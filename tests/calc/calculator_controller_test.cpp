// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calculator_controller.h"

#include <gtest/gtest.h>

namespace ratewise {
namespace {

TEST(CalculatorController, StartUpShowsTheStartValuesAndBothTips)
{
    CalculatorController controller;
    const CalculatorUpdate update = controller.StartUp();
    const CalculatorState& state = controller.State();
    EXPECT_TRUE(update.showFields);
    EXPECT_EQ(update.presetIndex, 2);
    EXPECT_EQ(state.hoursText, "2");
    EXPECT_EQ(state.minutesText, "00");
    EXPECT_EQ(state.audio2Text, "0");
    EXPECT_EQ(state.videoBitrateText, "668.444");
    EXPECT_EQ(state.formatMode, FormatMode::AviDvd);
    ASSERT_TRUE(update.mediumReport);
    EXPECT_EQ(update.mediumReport->colour, TipColour::Green);
    EXPECT_NE(update.mediumReport->text.find("716800"), std::string::npos);
    ASSERT_TRUE(update.bitrateSuggestion);
    EXPECT_NE(update.bitrateSuggestion->text.find("Avg Bitrate: 668\n Max Bitrate: 9872"), std::string::npos);
}

TEST(CalculatorController, EachRequestRefreshesWhatTheWindowShows)
{
    CalculatorController controller;
    controller.StartUp();

    CalculatorUpdate hours = controller.FieldChanged(CalcField::Hours, "101");
    EXPECT_TRUE(hours.showFields);
    EXPECT_FALSE(hours.mediumReport);
    EXPECT_FALSE(hours.presetIndex);
    EXPECT_EQ(controller.State().videoBitrateText, "error");
    EXPECT_EQ(controller.State().fieldStates.hours, FieldState::Invalid);
    ASSERT_TRUE(hours.bitrateSuggestion);
    EXPECT_EQ(hours.bitrateSuggestion->colour, TipColour::Red);
    controller.FieldChanged(CalcField::Hours, "2");

    CalculatorUpdate size = controller.FieldChanged(CalcField::MediumSize, "650");
    EXPECT_EQ(size.presetIndex, 1);
    ASSERT_TRUE(size.mediumReport);
    EXPECT_NE(size.mediumReport->text.find("665600"), std::string::npos);
    EXPECT_EQ(controller.FieldChanged(CalcField::MediumSize, "651").presetIndex, 0);
    EXPECT_EQ(controller.FieldChanged(CalcField::MediumSize, "0").presetIndex, 0);

    controller.FieldChanged(CalcField::MediumSize, "0700");
    CalculatorUpdate custom = controller.PresetChosen(0);
    EXPECT_EQ(controller.State().mediumSizeText, "700");
    EXPECT_TRUE(custom.mediumReport);
    EXPECT_FALSE(custom.presetIndex);
    controller.PresetChosen(7);
    EXPECT_EQ(controller.State().mediumSizeText, "4480");

    controller.CountChanged("10");
    EXPECT_EQ(controller.State().mediumCount, 9);
    controller.CountChanged("0");
    EXPECT_EQ(controller.State().mediumCount, 1);

    // The lock click alone computes nothing.
    const std::string before = controller.State().videoBitrateText;
    const CalculatorUpdate lock = controller.LockClicked();
    EXPECT_FALSE(lock.showFields);
    EXPECT_FALSE(lock.bitrateSuggestion);
    EXPECT_TRUE(controller.State().locked);
    EXPECT_EQ(controller.State().videoBitrateText, before);
}

TEST(CalculatorController, VideoEditedRunsReverseOnceUnlessLocked)
{
    CalculatorController controller;
    controller.StartUp();
    const CalculatorUpdate edited = controller.FieldChanged(CalcField::Video, "1000");
    EXPECT_EQ(controller.State().hoursText, "1");
    EXPECT_EQ(controller.State().minutesText, "24");
    EXPECT_EQ(controller.State().secondsText, "43");
    EXPECT_EQ(controller.State().fieldStates.video, FieldState::Output);
    EXPECT_FALSE(controller.State().videoEdited);
    ASSERT_TRUE(edited.bitrateSuggestion);
    EXPECT_NE(edited.bitrateSuggestion->text.find("Avg Bitrate: 1000"), std::string::npos);
    // Not locked: the next change of another field returns to the forward path.
    controller.FieldChanged(CalcField::Audio1, "128");
    EXPECT_NE(controller.State().videoBitrateText, "1000");
    EXPECT_EQ(controller.State().fieldStates.video, FieldState::Valid);

    controller.LockClicked();
    controller.FieldChanged(CalcField::Video, "1000");
    controller.FieldChanged(CalcField::Minutes, "75");
    EXPECT_EQ(controller.State().minutesText, "24");
    EXPECT_EQ(controller.State().videoBitrateText, "1000");
    controller.Repaint();
    EXPECT_EQ(controller.State().videoBitrateText, "1000");
}

TEST(CalculatorController, SvcdSnapsBothAudioFields)
{
    CalculatorController controller;
    controller.StartUp();
    controller.FieldChanged(CalcField::Audio1, "100");
    controller.FieldChanged(CalcField::Audio2, "100");
    const CalculatorUpdate update = controller.FormatChosen(FormatMode::Svcd);
    const CalculatorState& state = controller.State();
    EXPECT_EQ(state.audio1Text, "96");
    EXPECT_EQ(state.audio2Text, "96");
    EXPECT_EQ(state.formatMode, FormatMode::Svcd);
    // 2:00:00 on 700 MB in (S)VCD mode, minus 192 kbit/s of audio.
    EXPECT_EQ(state.videoBitrateText, "707.904");
    ASSERT_TRUE(update.bitrateSuggestion);
    EXPECT_NE(update.bitrateSuggestion->text.find("(S)VCD mode selected."), std::string::npos);

    controller.FieldChanged(CalcField::Audio1, "0128");
    controller.FormatChosen(FormatMode::Svcd);
    EXPECT_EQ(controller.State().audio1Text, "128");
    controller.FormatChosen(FormatMode::AviDvd);
    EXPECT_EQ(controller.State().formatMode, FormatMode::AviDvd);
}

TEST(CalculatorController, SecondAudioSuggestsOnlyAfterTheStartUpWrite)
{
    CalculatorController controller;
    controller.StartUp();
    EXPECT_TRUE(controller.FieldChanged(CalcField::Audio2, "64").bitrateSuggestion);
    EXPECT_TRUE(controller.SuggestionRequested().bitrateSuggestion);
    EXPECT_FALSE(controller.SuggestionRequested().showFields);
}

TEST(CalculatorController, TracksChosenFormatTheDuration)
{
    CalculatorController controller;
    controller.StartUp();
    const CalculatorUpdate update = controller.TracksChosen(1, 5, 9);
    EXPECT_EQ(controller.State().hoursText, "1");
    EXPECT_EQ(controller.State().minutesText, "05");
    EXPECT_EQ(controller.State().secondsText, "09");
    EXPECT_TRUE(update.bitrateSuggestion);
    EXPECT_EQ(controller.State().videoBitrateText, "1338.974");
}

} // namespace
} // namespace ratewise
