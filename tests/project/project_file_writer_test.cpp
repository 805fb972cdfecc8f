// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/project_file_writer.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "project/project_template.h"
#include "project/vcd_warnings.h"
#include "tests/project/expected_template_rows.h"
#include "tests/project/tpr_reader.h"

namespace ratewise {
namespace {

namespace fs = std::filesystem;
using test_support::ExpectedTemplateRows;
using test_support::ReadTpr;
using test_support::SetRow;
using test_support::TprFile;
using test_support::TprRow;

const std::string kSourceAspect = "Job.SourceList[0].Video.AspectRatio";
const std::string kArrange = "Job.SourceList[0].Video.ImageArrange.ArrangeType";
const std::string kMotionSearch = "Job.MPEG.Video.MotionSearchSpeed";

// Settings as the dialog hands them over: fields read, warnings refreshed.
VcdProjectSettings DialogSettings(bool pal, int sourceAspect, int conversion, int quality = kQualityNormal)
{
    VcdProjectSettings settings;
    settings.isPal = pal;
    settings.sourceAspect = sourceAspect;
    settings.conversion = conversion;
    settings.quality = quality;
    settings.keep16x9Flag = RefreshWarnings(settings).keep16x9Flag;
    return settings;
}

TprFile Decode(const std::vector<std::uint8_t>& bytes)
{
    const auto file = ReadTpr(bytes);
    EXPECT_TRUE(file) << "not a complete project file";
    EXPECT_EQ(file ? file->headerLength : 0, bytes.size() - kProjectHeaderSize) << "header length";
    return file.value_or(TprFile{});
}

std::size_t ValueOffset(const TprFile& file, const std::string& path)
{
    for (const auto& [name, offset] : file.valueOffsets)
        if (name == path)
            return offset;
    ADD_FAILURE() << "no property " << path;
    return 0;
}

TEST(ProjectFileWriter, StandardValuesAnd4x3SourceGiveTheTemplateWithTheSourceAspectSet)
{
    for (const bool pal : {true, false}) {
        SCOPED_TRACE(pal ? "PAL" : "NTSC film");
        const std::vector<std::uint8_t> written =
            ProjectFileWriter::Build(DialogSettings(pal, 0, kConversionNone));
        const ProjectTemplate& tmpl = pal ? PalVcdTemplate() : NtscFilmVcdTemplate();
        const std::vector<std::uint8_t> restored = RestoreZeroBytes(tmpl.StorageText());
        ASSERT_EQ(written.size(), restored.size());

        const std::size_t aspectPayload = ValueOffset(Decode(restored), kSourceAspect) + 1;
        std::vector<std::size_t> differences;
        for (std::size_t i = 0; i < written.size(); ++i)
            if (written[i] != restored[i])
                differences.push_back(i);
        EXPECT_EQ(differences, std::vector<std::size_t>{aspectPayload});
        EXPECT_EQ(written[aspectPayload], 13);
    }
}

TEST(ProjectFileWriter, EachQualityWritesItsMotionSearch)
{
    const char* const searches[] = {"Fast", "FastWide", "Normal", "Slow", "HighCQ", "MotionEstimate"};
    const long sizeChange[] = {-2, 2, 0, -2, 0, 8};
    const long templateSize = static_cast<long>(PalVcdTemplate().bytes.size());
    for (int quality = 0; quality < 6; ++quality) {
        SCOPED_TRACE(searches[quality]);
        const auto written = ProjectFileWriter::Build(DialogSettings(true, 0, kConversionNone, quality));
        std::vector<TprRow> expected = ExpectedTemplateRows(true);
        SetRow(expected, kSourceAspect, "int8 13");
        SetRow(expected, kMotionSearch,
               std::string("ident MPEGVideoEncoder_MotionSearchSpeed_") + searches[quality]);
        EXPECT_EQ(Decode(written).rows, expected);
        EXPECT_EQ(static_cast<long>(written.size()) - templateSize, sizeChange[quality]);
    }
}

TEST(ProjectFileWriter, WideSourceConversionsSetArrangementAndAspectBit)
{
    struct Case {
        int conversion;
        const char* arrange;
        bool wideBit;
        long sizeChange;
    };
    const Case cases[] = {
        {0, "MPEGVideoConfig_ImageArrangeType_FullScreen_KeepAspectRatio", false, 16},
        {1, "MPEGVideoConfig_ImageArrangeType_FullScreen_KeepAspectRatio3", false, 17},
        {2, "MPEGVideoConfig_ImageArrangeType_FullScreen", true, 0},
        {3, "MPEGVideoConfig_ImageArrangeType_FullScreen", false, 0},
    };
    for (const bool pal : {true, false}) {
        const long templateSize =
            static_cast<long>((pal ? PalVcdTemplate() : NtscFilmVcdTemplate()).bytes.size());
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(pal ? "PAL" : "NTSC film") + " conversion " +
                         std::to_string(c.conversion));
            const auto written = ProjectFileWriter::Build(DialogSettings(pal, 3, c.conversion));
            std::vector<TprRow> expected = ExpectedTemplateRows(pal);
            SetRow(expected, kArrange, std::string("ident ") + c.arrange);
            if (c.wideBit)
                SetRow(expected, "Job.MPEG.Video.AspectRatio", pal ? "int8 3" : "int8 6");
            EXPECT_EQ(Decode(written).rows, expected); // the source aspect stays 14
            EXPECT_EQ(static_cast<long>(written.size()) - templateSize, c.sizeChange);
        }
    }
}

TEST(ProjectFileWriter, BitratesArePatchedAsBitsPerSecondKeepingEveryByte)
{
    VcdProjectSettings settings = DialogSettings(true, 0, kConversionNone);
    settings.videoKbps = 110;
    settings.audioKbps = 384;
    const auto written = ProjectFileWriter::Build(settings);
    const TprFile file = Decode(written);
    const std::size_t video = ValueOffset(file, "Job.MPEG.Video.CBR_BitRate");
    // 110000 is B0 AD 01 00: the 0xAD of a patched value is a real byte, not a stored zero.
    EXPECT_EQ(test_support::HexBytes(std::span(written).subspan(video, 5)), "04 b0 ad 01 00");
    std::vector<TprRow> expected = ExpectedTemplateRows(true);
    SetRow(expected, kSourceAspect, "int8 13");
    SetRow(expected, "Job.MPEG.Video.CBR_BitRate", "int32 110000");
    SetRow(expected, "Job.MPEG.Audio.BitRate", "int32 384000");
    EXPECT_EQ(file.rows, expected);

    // Both ends of the range keep the 32-bit slot.
    const auto videoValue = [&] {
        const auto bytes = ProjectFileWriter::Build(settings);
        return test_support::HexBytes(std::span(bytes).subspan(video, 5));
    };
    settings.videoKbps = 0;
    EXPECT_EQ(videoValue(), "04 00 00 00 00");
    settings.videoKbps = 10000;
    EXPECT_EQ(videoValue(), "04 80 96 98 00");
}

// A fresh folder per test, removed afterwards.
class ProjectFileWriting : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() /
                ("ratewise-project-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::permissions(m_dir, fs::perms::owner_all, ignored);
        fs::remove_all(m_dir, ignored);
    }

    std::set<std::string> Entries(const fs::path& dir) const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir))
            names.insert(entry.path().filename().string());
        return names;
    }
    static std::string Content(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void Put(const fs::path& path, const std::string& content)
    {
        std::ofstream(path, std::ios::binary) << content;
    }
    static std::string AsText(const std::vector<std::uint8_t>& bytes)
    {
        return std::string(bytes.begin(), bytes.end());
    }

    VcdProjectSettings SettingsFor(const fs::path& destination) const
    {
        VcdProjectSettings settings = DialogSettings(true, 3, kConvertCrop, kQualityHigh);
        settings.destination = destination.string();
        return settings;
    }

    fs::path m_dir;
};

TEST_F(ProjectFileWriting, AddsTheExtensionUnlessTheNameEndsInExactlyTpr)
{
    const std::pair<std::string, std::string> names[] = {
        {"movie", "movie.tpr"}, {"movie.TPR", "movie.TPR.tpr"}, {"a.tpr", "a.tpr"}, {"tpr", "tpr.tpr"},
        {".tpr", ".tpr"},
    };
    std::set<std::string> expectedEntries;
    for (const auto& [given, written] : names) {
        VcdProjectSettings settings = SettingsFor(m_dir / given);
        ASSERT_EQ(ProjectFileWriter::write(settings), ProjectWriteResult::Written) << given;
        EXPECT_EQ(settings.destination, (m_dir / written).string());
        EXPECT_EQ(Content(m_dir / written), AsText(ProjectFileWriter::Build(settings)));
        expectedEntries.insert(written);
    }
    EXPECT_EQ(Entries(m_dir), expectedEntries); // no temporary file left behind
}

TEST_F(ProjectFileWriting, OverwritesAnExistingFileWithoutAsking)
{
    Put(m_dir / "old.tpr", "an older project");
    VcdProjectSettings settings = SettingsFor(m_dir / "old.tpr");
    EXPECT_EQ(ProjectFileWriter::write(settings), ProjectWriteResult::Written);
    EXPECT_EQ(Content(m_dir / "old.tpr"), AsText(ProjectFileWriter::Build(settings)));
    EXPECT_EQ(Entries(m_dir), std::set<std::string>{"old.tpr"});
}

TEST_F(ProjectFileWriting, ReplacingKeepsTheModeAndWritesThroughALink)
{
    Put(m_dir / "target.tpr", "an older project");
    fs::permissions(m_dir / "target.tpr",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("target.tpr", m_dir / "link.tpr");
    VcdProjectSettings settings = SettingsFor(m_dir / "link.tpr");
    ASSERT_EQ(ProjectFileWriter::write(settings), ProjectWriteResult::Written);
    EXPECT_TRUE(fs::is_symlink(m_dir / "link.tpr"));
    EXPECT_EQ(Content(m_dir / "target.tpr"), AsText(ProjectFileWriter::Build(settings)));
    EXPECT_EQ(fs::status(m_dir / "target.tpr").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Entries(m_dir), (std::set<std::string>{"link.tpr", "target.tpr"}));
}

TEST_F(ProjectFileWriting, RefusalsComeBeforeAnyWriteWithTheirMessages)
{
    VcdProjectSettings unnamed = SettingsFor("");
    EXPECT_EQ(ProjectFileWriter::write(unnamed), ProjectWriteResult::NoFileName);
    EXPECT_EQ(ProjectWriteMessage(ProjectWriteResult::NoFileName), "Please specify a file name");
    EXPECT_EQ(unnamed.destination, "");

    VcdProjectSettings tooFast = SettingsFor(m_dir / "fast");
    tooFast.videoKbps = 10001;
    EXPECT_EQ(ProjectFileWriter::write(tooFast), ProjectWriteResult::VideoBitrateOutOfRange);
    EXPECT_EQ(ProjectWriteMessage(ProjectWriteResult::VideoBitrateOutOfRange), kVideoRangeMessage);
    // A negative calculator bitrate wraps round in the unsigned field; it is refused the same way.
    tooFast.videoKbps = static_cast<unsigned int>(-5);
    EXPECT_EQ(ProjectFileWriter::write(tooFast), ProjectWriteResult::VideoBitrateOutOfRange);

    VcdProjectSettings oddAudio = SettingsFor(m_dir / "audio");
    oddAudio.audioKbps = 200;
    EXPECT_EQ(ProjectFileWriter::write(oddAudio), ProjectWriteResult::AudioBitrateNotOffered);
    EXPECT_TRUE(Entries(m_dir).empty());
}

TEST_F(ProjectFileWriting, FailingToCreateLosesNothing)
{
    EXPECT_EQ(ProjectWriteMessage(ProjectWriteResult::CreateFailed), "Error creating file");

    VcdProjectSettings missingFolder = SettingsFor(m_dir / "missing" / "x.tpr");
    EXPECT_EQ(ProjectFileWriter::write(missingFolder), ProjectWriteResult::CreateFailed);
    EXPECT_FALSE(fs::exists(m_dir / "missing"));

    fs::create_directory(m_dir / "folder.tpr");
    Put(m_dir / "folder.tpr" / "inside", "kept");
    VcdProjectSettings overFolder = SettingsFor(m_dir / "folder.tpr");
    EXPECT_EQ(ProjectFileWriter::write(overFolder), ProjectWriteResult::CreateFailed);
    EXPECT_TRUE(fs::is_directory(m_dir / "folder.tpr"));
    EXPECT_EQ(Content(m_dir / "folder.tpr" / "inside"), "kept");
    EXPECT_EQ(Entries(m_dir), std::set<std::string>{"folder.tpr"});
}

TEST_F(ProjectFileWriting, ReadOnlyFolderLosesNothing)
{
    const fs::path folder = m_dir / "readonly";
    fs::create_directory(folder);
    Put(folder / "x.tpr", "an older project");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    VcdProjectSettings settings = SettingsFor(folder / "x.tpr");

    // Permissions do not bind the superuser, so the write is tried by an unprivileged child.
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(100);
        ::_exit(static_cast<int>(ProjectFileWriter::write(settings)));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(ProjectWriteResult::CreateFailed));
    EXPECT_EQ(Content(folder / "x.tpr"), "an older project");
    EXPECT_EQ(Entries(folder), std::set<std::string>{"x.tpr"});
}

TEST_F(ProjectFileWriting, FullDiskLosesNothing)
{
    // A file-size limit below the project's size makes the write fail part-way, as a full disk does.
    Put(m_dir / "x.tpr", "an older project");
    VcdProjectSettings settings = SettingsFor(m_dir / "x.tpr");
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 512;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const ProjectWriteResult result = ProjectFileWriter::write(settings);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(result, ProjectWriteResult::CreateFailed);
    EXPECT_EQ(Content(m_dir / "x.tpr"), "an older project");
    EXPECT_EQ(Entries(m_dir), std::set<std::string>{"x.tpr"});
}

} // namespace
} // namespace ratewise
