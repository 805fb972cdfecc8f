// SPDX-License-Identifier: GPL-3.0-or-later
// "Copy encode command" of the window's menu: the HandBrakeCLI plan of the loaded title set's
// selected tracks, with the calculator as it stands, put on the clipboard as a shell script.
#pragma once

#include <QString>
#include <QWidget>

#include "calc/calculator_state.h"
#include "disc/loaded_title_set.h"
#include "encode/encode_plan.h"

namespace ratewise {

// What the Encode window chooses; without it, the HandBrakeCLI plan written beside wherever the
// script runs.
struct EncodeChoice {
    Encoder encoder = Encoder::HandBrake;
    VideoCodec codec = VideoCodec::X264;
    AudioCodec audioCodec = AudioCodec::Aac;
    std::string encoderPreset;
    StreamChoice streams;
    QString folder;            // where the files go
    QString name;              // the file of one track; of several, each adds "-" and its track number
    std::string streamProgram; // ratewise-cli, for the ffmpeg plan's `stream`
};

// The plan of the selected tracks (or the focused one) as the calculator shows it: a locked
// video bitrate, or one shared by several selected tracks, is the video bitrate asked.
struct EncodeCommand {
    QString script;  // empty when there is no plan
    QString why;     // why not, one message
    QString warning; // a plan that asks more than the source holds
    int trackCount = 0;
    std::vector<MediumPlan> media; // every track's media, in order
    PlanRequest request;           // the last track's
};
EncodeCommand BuildEncodeCommand(const LoadedTitleSet& loaded, const CalculatorState& state,
                                 const EncodeChoice* choice = nullptr);

// The script, or an empty text with `why` set when there is no plan (no title set loaded, no
// disc title for the track, no room for video).
QString EncodeCommandScript(const LoadedTitleSet& loaded, const CalculatorState& state, QString& why);

// Puts the script on the clipboard, says so in a tip (or in a message with the warning) and
// returns it; otherwise leaves the clipboard alone, opens a
// message box saying why (window-modal, deleting itself) and returns an empty text.
QString CopyEncodeCommand(QWidget* parent, const LoadedTitleSet& loaded, const CalculatorState& state);

} // namespace ratewise
