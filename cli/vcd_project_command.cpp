// SPDX-License-Identifier: GPL-3.0-or-later
// `ratewise-cli vcd-project FILE -o OUT`: writes a Video CD project for the title set's video.
#include "cli/vcd_project_command.h"
#include "cli/json_text.h"
#include "common/ascii_case.h"
#include "common/dvd_time.h"

#include <memory>
#include <nlohmann/json.hpp>
#include <vector>

#include <cstring>
#include <sys/stat.h>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/option_checks.h"
#include "common/atomic_file.h"
#include "common/string_format.h"
#include "project/aspect_pictures.h"
#include "project/project_file_writer.h"
#include "project/vcd_warnings.h"

namespace ratewise::cli {

namespace {

bool EndsWithTprAnyCase(const std::string& name)
{
    return EndsWithIgnoringAsciiCase(name, ".tpr");
}

bool IsFolder(const std::string& path)
{
    struct stat status {
    };
    return !path.empty() &&
           (path.back() == '/' || (::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode)));
}

} // namespace

FailureKind RunVcdProject(const VcdProjectOptions& options, const VcdSourceReader& readSource,
                          std::ostream& out, std::ostream& err)
{
    const bool toStdout = options.output == "-";
    if (toStdout && options.json) {
        PrintRefusal(err, "--json", "cannot be used with -o -, which writes the project to standard output");
        return FailureKind::Usage;
    }
    if (!toStdout && IsFolder(options.output)) {
        PrintError(err, options.output, "is a folder: expected a project file name");
        return FailureKind::WriteFailed;
    }
    FailureKind status = FailureKind::BadInput;
    const std::optional<VcdSource> source = readSource(options.ifoPath, err, status);
    if (!source)
        return status == FailureKind::None ? FailureKind::BadInput : status;

    // The fields as the dialog holds them when OK is pressed: opened with conversion 0, audio
    // 224 and video 1150, quality "Normal" from its start-up, and no conversion for a 4:3 source.
    VcdProjectSettings settings;
    settings.isPal = source->isPal;
    settings.sourceAspect = source->sourceAspect;
    settings.conversion =
        AspectPictures(source->sourceAspect, options.conversion.value_or(kConvertAddBorders)).conversion;
    if (options.conversion && settings.conversion != *options.conversion)
        PrintNote(err, StringPrintf("--conversion %d is not used: the source is 4:3", *options.conversion));
    settings.audioKbps = options.audioKbps;
    settings.videoKbps = options.videoKbps;
    settings.quality = options.quality;
    settings.destination = options.output;
    const WarningList warnings = RefreshWarnings(settings);
    settings.keep16x9Flag = warnings.keep16x9Flag;

    // The dialog's checks, in its order; the options' own checks make them pass in practice.
    if (!IsVideoKbpsInRange(settings.videoKbps) || !IsVcdAudioBitrate(settings.audioKbps) ||
        settings.destination.empty()) {
        const ProjectWriteResult refused =
            !IsVideoKbpsInRange(settings.videoKbps)  ? ProjectWriteResult::VideoBitrateOutOfRange
            : !IsVcdAudioBitrate(settings.audioKbps) ? ProjectWriteResult::AudioBitrateNotOffered
                                                     : ProjectWriteResult::NoFileName;
        PrintRefusal(err, "vcd-project", std::string(ProjectWriteMessage(refused)));
        return FailureKind::Usage;
    }
    // Unlike the dialog, which adds ".tpr" unless the name ends in exactly that, a name ending in
    // ".TPR" is kept: it is the same kind of file on a case-insensitive disk.
    if (!toStdout && !EndsWithTprAnyCase(settings.destination))
        settings.destination += ".tpr";

    const std::vector<std::uint8_t> bytes = ProjectFileWriter::Build(settings);
    if (toStdout) {
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        // The warnings would spoil the file on standard output; they become notes.
        for (const std::string& line : warnings.lines)
            PrintNote(err, line);
        return out ? FailureKind::None : FailureKind::WriteFailed;
    }
    std::string why = "Error creating file";
    if (bytes.empty() || !WriteFileAtomically(settings.destination, bytes, why)) {
        PrintError(err, settings.destination, why);
        return FailureKind::WriteFailed;
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
                   {"frameRate", ShownFrameRate(settings.isPal)},
                   {"framesPerSecond", ShownFrameRate(settings.isPal)},
               })
            << "\n";
    } else {
        for (const std::string& line : warnings.lines)
            out << line << "\n";
        out << "Project written: " << settings.destination << "\n";
    }
    return FailureKind::None;
}

void AddVcdProjectCommand(CLI::App& app, CommandAction& action)
{
    auto options = std::make_shared<VcdProjectOptions>();
    CLI::App* command =
        app.add_subcommand("vcd-project", "Write a TMPGEnc Video CD project (.tpr) for a title set");
    command
        ->add_option(
            "FILE", options->ifoPath,
            "Title-set information file (VTS_xx_0.IFO), or a disc: VIDEO_TS.IFO, folder, image, drive; - "
            "reads a title set from standard input")
        ->required();
    AddDiscChoiceOptions(*command, options->disc);
    command
        ->add_option(
            "-o,--output", options->output,
            "The project file to write (\".tpr\" is added if missing); - writes it to standard output")
        ->type_name("OUT")
        ->required();
    command
        ->add_option(
            "--conversion", options->conversion,
            "16:9 sources: 0 add borders, 1 crop, 2 keep 16:9 and its AR bit, 3 keep 16:9 with a 4:3 AR bit")
        ->type_name("0-3")
        ->default_str("0")
        ->check(WholeNumber("a conversion", 0, 3));
    command
        ->add_option("--audio", options->audioKbps,
                     "Audio bitrate in Kbps: 64, 96, 112, 128, 160, 192, 224, 256, 320 or 384")
        ->type_name("KBPS")
        ->check(OneOf({"64", "96", "112", "128", "160", "192", "224", "256", "320", "384"}));
    command->add_option("--video", options->videoKbps, "Video bitrate in Kbps, 0 to 10000")
        ->type_name("KBPS")
        ->check(WholeNumber("a bitrate in Kbps", kMinVideoKbps, kMaxVideoKbps));
    command
        ->add_option(
            "--quality", options->quality,
            "0 lowest, 1 low, 2 normal, 3 high, 4 highest, 5 motion estimate (motion search of the encoder)")
        ->type_name("0-5")
        ->check(WholeNumber("a quality", 0, 5));
    command->add_flag("--json", options->json, "Print one JSON object");
    command->callback([options, &action] {
        action = [options](std::ostream& out, std::ostream& err) {
            const auto readSource = [options](const std::string& path, std::ostream& errors,
                                              FailureKind& status) {
                return ReadVcdSource(path, options->disc, errors, status);
            };
            return RunVcdProject(*options, readSource, out, err);
        };
    });
}

} // namespace ratewise::cli
