// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/vcd_project_command.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>

#include "project/project_file_writer.h"
#include "tests/cli/cli_runner.h"

namespace ratewise {
namespace {

namespace fs = std::filesystem;
using cli::RunVcdProject;
using cli::VcdProjectOptions;

struct ProjectRun {
    int status = -1;
    std::string out;
    std::string err;
    std::string file; // the written project, if any
};

class VcdProjectCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("ratewise-vcd-cli-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    ProjectRun Write(VcdSource source, VcdProjectOptions options)
    {
        options.ifoPath = "VTS_01_0.IFO";
        if (options.output.empty())
            options.output = (m_dir / "movie").string();
        std::ostringstream out, err;
        ProjectRun run;
        run.status = cli::ExitStatusOf(RunVcdProject(
            options,
            [source](const std::string&, std::ostream&, FailureKind&) {
                return std::optional<VcdSource>(source);
            },
            out, err));
        run.out = out.str();
        run.err = err.str();
        if (fs::is_regular_file(m_dir / "movie.tpr")) {
            std::ifstream in(m_dir / "movie.tpr", std::ios::binary);
            run.file.assign(std::istreambuf_iterator<char>(in), {});
        }
        return run;
    }
    static bool Holds(const std::string& file, const std::string& text)
    {
        return file.find(text) != std::string::npos;
    }

    fs::path m_dir;
};

TEST_F(VcdProjectCommand, DefaultsAreTheDialogsForA4x3PalSource)
{
    const ProjectRun run = Write({true, 0}, {});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Warnings:\n  This wizard is being beta-tested...\nTarget media: Standard VCD\n"
                       "Project written: " +
                           (m_dir / "movie.tpr").string() + "\n");
    EXPECT_TRUE(Holds(run.file, "$$VCD_PAL"));
    EXPECT_TRUE(Holds(run.file, "\x2BMPEGVideoConfig_ImageArrangeType_FullScreen\x18"));
    EXPECT_TRUE(Holds(run.file, "MotionSearchSpeed_Normal"));
}

TEST_F(VcdProjectCommand, OptionsReachTheProjectAndTheWarnings)
{
    VcdProjectOptions options;
    options.json = true;
    options.audioKbps = 256;
    options.videoKbps = 2000;
    options.quality = kQualityMotionEstimate;
    options.conversion = kLeaveWideKeepFlag;
    const ProjectRun wide = Write({false, 3}, options);
    ASSERT_EQ(wide.status, 0) << wide.err;
    const auto json = nlohmann::json::parse(wide.out);
    EXPECT_EQ(json["conversion"], 2);
    EXPECT_EQ(json["keep16x9Flag"], true);
    EXPECT_EQ(json["isPal"], false);
    EXPECT_EQ(json["warnings"].size(), 7u);
    EXPECT_EQ(json["warnings"][5], "  AR byte set to 16:9: some players could show a deformed image.");
    EXPECT_EQ(json["warnings"][6], "Target media: XVCD");
    EXPECT_TRUE(Holds(wide.file, "$$VCD_NTSCFilm"));
    EXPECT_TRUE(Holds(wide.file, "MotionSearchSpeed_MotionEstimate"));
    EXPECT_TRUE(Holds(wide.file, std::string("Job.MPEG.Video.AspectRatio\x02\x06", 28)));
    EXPECT_TRUE(Holds(wide.file, std::string("Job.MPEG.Audio.BitRate\x04\x00\xE8\x03\x00", 27))); // 256000

    // Without --conversion a 16:9 source gets the dialog's first choice, borders added; a 4:3
    // source ignores the option as the dialog's disabled list does.
    EXPECT_TRUE(Holds(Write({true, 3}, {}).file, "ImageArrangeType_FullScreen_KeepAspectRatio\x18"));
    options.conversion = kConvertCrop;
    const auto narrow = nlohmann::json::parse(Write({true, 0}, options).out);
    EXPECT_EQ(narrow["conversion"], -1);
}

TEST_F(VcdProjectCommand, FailuresGiveTheirExitStatusAndWriteNothing)
{
    VcdProjectOptions overFolder;
    fs::create_directory(m_dir / "movie.tpr");
    overFolder.output = (m_dir / "movie.tpr").string();
    const ProjectRun failed = Write({true, 0}, overFolder);
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err,
              "ratewise-cli: " + overFolder.output + ": is a folder: expected a project file name\n");
    EXPECT_EQ(failed.out, "");
    EXPECT_TRUE(fs::is_directory(m_dir / "movie.tpr"));

    std::ostringstream out, err;
    VcdProjectOptions options;
    options.output = (m_dir / "other").string();
    const int unreadable = cli::ExitStatusOf(RunVcdProject(
        options,
        [](const std::string&, std::ostream& e, FailureKind&) {
            e << "unreadable\n";
            return std::optional<VcdSource>();
        },
        out, err));
    EXPECT_EQ(unreadable, 3);
    EXPECT_EQ(err.str(), "unreadable\n");
    EXPECT_FALSE(fs::exists(m_dir / "other.tpr"));
}

TEST_F(VcdProjectCommand, RealTitleSetsGiveTheProjectOfTheirStandardAndAspect)
{
    using test_support::RunCliCapture;
    const auto fixture = [](const char* set, const char* file = "VTS_01_0.IFO") {
        return std::string(RATEWISE_FIXTURES_DIR) + "/ifo/" + set + "/" + file;
    };
    const auto read = [](const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
    };

    // PAL 4:3 with the defaults: the PAL template with the source marked 4:3.
    const auto pal =
        RunCliCapture({"vcd-project", fixture("pal_d1_3audio_cells"), "-o", (m_dir / "pal").string()});
    ASSERT_EQ(pal.status, 0) << pal.err;
    EXPECT_EQ(read(m_dir / "pal.tpr"), ProjectFileWriter::Build(VcdProjectSettings{}));

    // NTSC 16:9 cropped to 4:3 at other rates: the NTSC film template with the crop arrangement.
    const auto ntsc = RunCliCapture({"vcd-project", fixture("ntsc_d1_wide_subs16_menu"), "-o",
                                     (m_dir / "ntsc.tpr").string(), "--conversion", "1", "--audio", "128",
                                     "--video", "2400", "--quality", "3", "--json"});
    ASSERT_EQ(ntsc.status, 0) << ntsc.err;
    const auto json = nlohmann::json::parse(ntsc.out);
    EXPECT_EQ(json["isPal"], false);
    EXPECT_EQ(json["sourceAspect"], 3);
    EXPECT_EQ(json["warnings"].back(), "Target media: XVCD");
    VcdProjectSettings expected;
    expected.isPal = false;
    expected.sourceAspect = 3;
    expected.conversion = kConvertCrop;
    expected.audioKbps = 128;
    expected.videoKbps = 2400;
    expected.quality = kQualityHigh;
    EXPECT_EQ(read(m_dir / "ntsc.tpr"), ProjectFileWriter::Build(expected));

    // A video manager without its title set: exit 3, nothing written.
    const auto manager =
        RunCliCapture({"vcd-project", test_support::LoneVideoManager(), "-o", (m_dir / "vmg").string()});
    EXPECT_EQ(manager.status, 3);
    EXPECT_NE(manager.err.find(test_support::kNoTitleSet), std::string::npos) << manager.err;
    EXPECT_FALSE(fs::exists(m_dir / "vmg.tpr"));
}

TEST(VcdProjectCommandLine, RefusesValuesTheDialogWouldNotOffer)
{
    using test_support::RunCliCapture;
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"vcd-project", "a.ifo", "-o", "x", "--audio", "200"},
             {"vcd-project", "a.ifo", "-o", "x", "--video", "10001"},
             {"vcd-project", "a.ifo", "-o", "x", "--video", "-5"},
             {"vcd-project", "a.ifo", "-o", "x", "--quality", "6"},
             {"vcd-project", "a.ifo", "-o", "x", "--conversion", "4"},
             {"vcd-project", "a.ifo"},
         }) {
        const auto result = RunCliCapture(args);
        EXPECT_EQ(result.status, 2) << args.back();
        EXPECT_EQ(result.err.rfind("ratewise-cli: ", 0), 0u) << result.err;
        EXPECT_NE(result.err.find(" --help')\n"), std::string::npos) << result.err;
    }
}

} // namespace
} // namespace ratewise
