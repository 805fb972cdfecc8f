// SPDX-License-Identifier: GPL-3.0-or-later
// `ratewise-cli vcd-project FILE -o OUT`: writes a Video CD project for the title set's video.
#include "cli/vcd_project_command.h"
#include "cli/json_text.h"

#include <memory>
#include <nlohmann/json.hpp>
#include <vector>

#include "cli/cli.h"
#include "cli/commands.h"
#include "project/aspect_pictures.h"
#include "project/project_file_writer.h"
#include "project/vcd_warnings.h"

namespace ratewise::cli {

int RunVcdProject(const VcdProjectOptions& options, const VcdSourceReader& readSource, std::ostream& out,
                  std::ostream& err)
{
    const std::optional<VcdSource> source = readSource(options.ifoPath, err);
    if (!source)
        return kExitBadInput;

    // The fields as the dialog holds them when OK is pressed: opened with conversion 0, audio
    // 224 and video 1150, quality "Normal" from its start-up, and no conversion for a 4:3 source.
    VcdProjectSettings settings;
    settings.isPal = source->isPal;
    settings.sourceAspect = source->sourceAspect;
    settings.conversion =
        AspectPictures(source->sourceAspect, options.conversion.value_or(kConvertAddBorders)).conversion;
    settings.audioKbps = options.audioKbps;
    settings.videoKbps = options.videoKbps;
    settings.quality = options.quality;
    settings.destination = options.output;
    const WarningList warnings = RefreshWarnings(settings);
    settings.keep16x9Flag = warnings.keep16x9Flag;

    const ProjectWriteResult result = ProjectFileWriter::write(settings);
    const std::string why(ProjectWriteMessage(result));
    switch (result) {
    case ProjectWriteResult::Written:
        break;
    case ProjectWriteResult::CreateFailed:
        PrintError(err, settings.destination, why);
        return kExitWriteFailed;
    case ProjectWriteResult::NoFileName:
    case ProjectWriteResult::VideoBitrateOutOfRange:
    case ProjectWriteResult::AudioBitrateNotOffered:
        PrintError(err, "vcd-project", why);
        return kExitUsage;
    }

    if (options.json) {
        out << JsonText(nlohmann::json{
                   {"warnings", warnings.lines},
                   {"keep16x9Flag", settings.keep16x9Flag},
                   {"isPal", settings.isPal},
                   {"sourceAspect", settings.sourceAspect},
                   {"conversion", settings.conversion},
                   {"audioKbps", settings.audioKbps},
                   {"videoKbps", settings.videoKbps},
                   {"quality", settings.quality},
                   {"path", settings.destination},
               })
            << "\n";
    } else {
        for (const std::string& line : warnings.lines)
            out << line << "\n";
        out << "Project written: " << settings.destination << "\n";
    }
    return kExitOk;
}

void AddVcdProjectCommand(CLI::App& app, CommandAction& action)
{
    auto options = std::make_shared<VcdProjectOptions>();
    CLI::App* command =
        app.add_subcommand("vcd-project", "Write a TMPGEnc Video CD project (.tpr) for a title set");
    command
        ->add_option("FILE", options->ifoPath,
                     "Title-set information file (VTS_xx_0.IFO); - reads it from standard input")
        ->required();
    command
        ->add_option("-o,--output", options->output,
                     "The project file to write (\".tpr\" is added if missing)")
        ->required();
    command
        ->add_option(
            "--conversion", options->conversion,
            "16:9 sources: 0 add borders, 1 crop, 2 keep 16:9 and its AR bit, 3 keep 16:9 with a 4:3 AR bit")
        ->check(CLI::Range(0, 3));
    command
        ->add_option("--audio", options->audioKbps,
                     "Audio bitrate in Kbps: 64, 96, 112, 128, 160, 192, 224, 256, 320 or 384")
        ->check(CLI::IsMember(std::vector<int>(kVcdAudioBitrates.begin(), kVcdAudioBitrates.end())));
    command->add_option("--video", options->videoKbps, "Video bitrate in Kbps, 0 to 10000")
        ->check(CLI::Range(kMinVideoKbps, kMaxVideoKbps));
    command
        ->add_option(
            "--quality", options->quality,
            "0 lowest, 1 low, 2 normal, 3 high, 4 highest, 5 motion estimate (motion search of the encoder)")
        ->check(CLI::Range(0, 5));
    command->add_flag("--json", options->json, "Print one JSON object");
    command->callback([options, &action] {
        action = [options](std::ostream& out, std::ostream& err) {
            return RunVcdProject(*options, ReadVcdSource, out, err);
        };
    });
}

} // namespace ratewise::cli
