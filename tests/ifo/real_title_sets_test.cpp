// SPDX-License-Identifier: GPL-3.0-or-later
// The real title sets decode as lsdvd, an independent reader, decodes them (its output is kept
// beside each set as lsdvd-x.txt), and their time maps agree with their cells.
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <sstream>

#include "ifo/audio_names.h"
#include "ifo/cells.h"
#include "ifo/language_table.h"
#include "ifo/part_of_title_table.h"
#include "ifo/stream_attributes.h"
#include "ifo/time_map.h"
#include "ifo/video_attributes.h"

namespace ratewise {
namespace {

struct PeerTitle {
    std::smatch title, video;
    std::vector<std::smatch> audio, chapters, cells, subtitles;
};

// lsdvd -x output, one record per title, the fields as regular-expression groups.
std::vector<PeerTitle> ReadPeer(const std::string& text, std::vector<std::string>& lines)
{
    static const std::regex title(
        R"(^Title: (\d+), Length: (\d+):(\d+):(\d+)\.(\d+) Chapters: (\d+), Cells: (\d+), Audio streams: (\d+), Subpictures: (\d+))");
    static const std::regex video(
        R"(Format: (\w+), Aspect ratio: (\d+)/(\d+), Width: (\d+), Height: (\d+), DF: (.*)$)");
    static const std::regex audio(
        R"(^\tAudio: \d+, Language: (..) - ([^,]*), Format: (\w+).*Channels: (\d+),.*Stream id: (0x..))");
    static const std::regex chapter(R"(^\tChapter: (\d+), .*Start Cell: (\d+))");
    static const std::regex cell(R"(^\tCell: \d+, Length: (\d+):(\d+):(\d+)\.(\d+))");
    static const std::regex subtitle(R"(^\tSubtitle: \d+, Language: (..) - ([^,]*),)");
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::vector<PeerTitle> titles;
    std::smatch m;
    for (const std::string& line : lines) {
        if (std::regex_search(line, m, title))
            titles.push_back(
                {.title = m, .video = {}, .audio = {}, .chapters = {}, .cells = {}, .subtitles = {}});
        else if (titles.empty())
            continue;
        else if (std::regex_search(line, m, video))
            titles.back().video = m;
        else if (std::regex_search(line, m, audio))
            titles.back().audio.push_back(m);
        else if (std::regex_search(line, m, chapter))
            titles.back().chapters.push_back(m);
        else if (std::regex_search(line, m, cell))
            titles.back().cells.push_back(m);
        else if (std::regex_search(line, m, subtitle))
            titles.back().subtitles.push_back(m);
    }
    return titles;
}

int Number(const std::ssub_match& match)
{
    return std::stoi(match.str());
}

// lsdvd prints milliseconds; the DVD stores frames counted at 25 or 30 per second.
void ExpectSameTime(const PlaybackTime& time, const std::smatch& m, int first, int frameRate)
{
    EXPECT_EQ(time.hours, Number(m[first]));
    EXPECT_EQ(time.minutes, Number(m[first + 1]));
    EXPECT_EQ(time.seconds, Number(m[first + 2]));
    EXPECT_NEAR(time.frames * 1000.0 / frameRate, Number(m[first + 3]), 1.0);
}

// lsdvd's name for an unknown code, its own spelling of formats and display modes.
std::string PeerLanguage(std::array<std::uint8_t, 2> code)
{
    const std::string_view name = languageName(code);
    return name.empty() || name == "???" ? "Unknown" : std::string(name);
}

const std::map<std::string, std::string> kPeerFormats{{"ac3", "AC3"},           {"mpeg1", "MPEG1"},
                                                      {"mpeg2ext", "MPEG2ext"}, {"lpcm", "LPCM"},
                                                      {"dts", "DTS"},           {"sdds", "SDDS"}};
const std::map<std::string, std::string> kPeerDisplayModes{{"P&S + Letter", "pan-scan & letterboxed"},
                                                           {"Pan&Scan", "pan-scan"},
                                                           {"Letterbox", "letterboxed"},
                                                           {"?", "not specified"}};

class RealTitleSet : public ::testing::TestWithParam<std::string>
{
protected:
    void SetUp() override
    {
        const std::string folder = std::string(RATEWISE_FIXTURES_DIR "/ifo/") + GetParam();
        m_path = folder + "/VTS_01_0.IFO";
        m_info = ifoOpen(m_path);
        std::ifstream peer(folder + "/lsdvd-x.txt");
        std::stringstream text;
        text << peer.rdbuf();
        m_peerText = text.str();
        m_titles = ReadPeer(m_peerText, m_lines);
        ASSERT_NE(m_info, nullptr);
        ASSERT_FALSE(m_titles.empty());
        m_video = *ifoGetVideoAttributes(m_info.get());
    }

    std::string m_path;
    std::unique_ptr<TitleSetInfo> m_info;
    std::string m_peerText;
    std::vector<std::string> m_lines;
    std::vector<PeerTitle> m_titles;
    VideoAttributes m_video;
};

TEST_P(RealTitleSet, ProgramChainsTimesCellsAndChaptersMatchThePeer)
{
    ASSERT_EQ(ifoGetPGCCount(m_info.get()), static_cast<int>(m_titles.size()));
    for (std::size_t t = 0; t < m_titles.size(); ++t) {
        SCOPED_TRACE("title " + std::to_string(t + 1));
        const PeerTitle& peer = m_titles[t];
        const int pgc = static_cast<int>(t);
        PlaybackTime time;
        ASSERT_EQ(ifoGetPlaybackTime(m_info.get(), pgc, &time), Number(peer.title[7]));
        ExpectSameTime(time, peer.title, 2, m_video.FrameRate());
        EXPECT_EQ(*ifoGetPGC(m_info.get(), pgc)->U8(kPgcProgramCountOffset), Number(peer.title[6]));

        const auto cells = ifoGetCells(m_info.get(), pgc);
        ASSERT_TRUE(cells);
        ASSERT_EQ(cells->size(), peer.cells.size());
        for (std::size_t c = 0; c < cells->size(); ++c) {
            ExpectSameTime((*cells)[c].time, peer.cells[c], 1, m_video.FrameRate());
            EXPECT_EQ((*cells)[c].angle, 0x11); // no angle blocks on these discs
            EXPECT_LE((*cells)[c].firstSector, (*cells)[c].lastSector);
        }
        for (const std::smatch& chapter : peer.chapters) {
            const int program = Number(chapter[1]) - 1;
            const auto start = static_cast<std::size_t>(Number(chapter[2]) - 1);
            EXPECT_EQ((*cells)[start].program, program);
            if (start > 0) {
                EXPECT_EQ((*cells)[start - 1].program, program - 1);
            }
        }
    }
}

// dvdxchap (kept as dvdxchap.txt) lists the parts of each title, the chapters a player shows; a
// program that no part names is no chapter there, so lsdvd's program count can be larger.
TEST_P(RealTitleSet, PartsOfTitlesAreTheChaptersAPlayerShows)
{
    std::ifstream peer(std::string(RATEWISE_FIXTURES_DIR "/ifo/") + GetParam() + "/dvdxchap.txt");
    std::vector<std::size_t> peerCounts;
    for (std::string line; std::getline(peer, line);) {
        if (line.starts_with("## dvdxchap"))
            peerCounts.push_back(0);
        else if (!peerCounts.empty() && line.starts_with("CHAPTER") &&
                 line.find("NAME=") == std::string::npos)
            ++peerCounts.back();
    }
    const auto source = OpenFileSource(m_path);
    ASSERT_TRUE(source);
    const auto titles = ReadPartOfTitleTable(*source, m_info->header.View());
    ASSERT_TRUE(titles);
    ASSERT_EQ(titles->size(), peerCounts.size());
    for (std::size_t t = 0; t < titles->size(); ++t) {
        ASSERT_EQ((*titles)[t].size(), peerCounts[t]) << t;
        for (std::size_t part = 0; part < (*titles)[t].size(); ++part) {
            EXPECT_EQ((*titles)[t][part].programChain, t + 1); // one program chain per title here
            EXPECT_GT((*titles)[t][part].program, part == 0 ? 0 : (*titles)[t][part - 1].program);
        }
    }
}

TEST_P(RealTitleSet, StreamsMatchThePeer)
{
    EXPECT_EQ(m_video.pal, m_titles[0].video[1] == "PAL");
    EXPECT_EQ(AspectName(m_video.aspectCode), m_titles[0].video[2].str() + ":" + m_titles[0].video[3].str());
    EXPECT_EQ(ResolutionName(m_video.resolutionIndex),
              m_titles[0].video[4].str() + "x" + m_titles[0].video[5].str());
    EXPECT_EQ(DisplayModeName(m_video.displayModeCode), kPeerDisplayModes.at(m_titles[0].video[6]));
    EXPECT_TRUE(m_video.mpeg2);

    int peerSubpictures = 0;
    for (const PeerTitle& title : m_titles) {
        EXPECT_EQ(ifoCountAudioStreams(m_info.get()), Number(title.title[8]));
        peerSubpictures = std::max(peerSubpictures, Number(title.title[9]));
        ASSERT_EQ(title.audio.size(), static_cast<std::size_t>(Number(title.title[8])));
        ASSERT_EQ(title.subtitles.size(), static_cast<std::size_t>(Number(title.title[9])));
        for (std::size_t k = 0; k < title.audio.size(); ++k) {
            const auto audio = ifoGetAudioAttributes(m_info.get(), static_cast<int>(k));
            ASSERT_TRUE(audio);
            EXPECT_EQ(PeerLanguage(audio->language), title.audio[k][2]);
            EXPECT_EQ(audioCodingName(audio->codingMode), kPeerFormats.at(title.audio[k][3]));
            EXPECT_EQ(audio->channelCount, Number(title.audio[k][4]));
            std::string code = audioStreamCode(audio->codingMode, static_cast<int>(k));
            code = code.substr(code.size() - 4);
            std::transform(code.begin(), code.end(), code.begin(), ::tolower);
            EXPECT_EQ(code, title.audio[k][5]);
        }
        for (std::size_t k = 0; k < title.subtitles.size(); ++k) {
            const auto subpicture = ifoGetSubpictureAttributes(m_info.get(), static_cast<int>(k));
            EXPECT_EQ(PeerLanguage(subpicture->language), title.subtitles[k][2]) << k;
        }
    }
    EXPECT_EQ(ifoCountSubpictureStreams(m_info.get()), peerSubpictures);
}

TEST_P(RealTitleSet, TimeMapsFollowTheCellsOfTheirProgramChains)
{
    const int pgcCount = ifoGetPGCCount(m_info.get());
    std::vector<std::int32_t> seconds;
    for (int i = 0; i < pgcCount; ++i) {
        PlaybackTime t;
        ifoGetPlaybackTime(m_info.get(), i, &t);
        seconds.push_back(t.hours * 3600 + t.minutes * 60 + t.seconds);
    }
    TimeMapData data;
    std::ostringstream out, err;
    ifoRunTimeMapPass(m_path, seconds, data, out, err);
    EXPECT_EQ(err.str(), "");
    ASSERT_EQ(data.mapCount, pgcCount);

    const std::int64_t first = data.mapOffsets[0] / 4;
    for (int i = 0; i < pgcCount; ++i) {
        SCOPED_TRACE("map " + std::to_string(i));
        const auto cells = *ifoGetCells(m_info.get(), i);
        std::uint32_t low = cells.front().firstSector, high = cells.front().lastSector;
        for (const CellEntry& cell : cells) {
            low = std::min(low, cell.firstSector);
            high = std::max(high, cell.lastSector);
        }
        // Entries of map i: from its first word up to the next map's header or the table's end.
        const auto a = static_cast<std::size_t>(data.mapOffsets[static_cast<std::size_t>(i)] / 4 - first);
        const std::size_t end =
            i + 1 < pgcCount
                ? static_cast<std::size_t>(data.mapOffsets[static_cast<std::size_t>(i) + 1] / 4 - first - 1)
                : data.words.size();
        PlaybackTime t;
        ifoGetPlaybackTime(m_info.get(), i, &t);
        const double duration = seconds[static_cast<std::size_t>(i)] + t.frames / double(m_video.FrameRate());
        EXPECT_NEAR(static_cast<double>(end - a), duration / data.mapTimeUnits[static_cast<std::size_t>(i)],
                    1.0);
        for (std::size_t k = a; k < end; ++k) {
            EXPECT_GE(static_cast<std::uint32_t>(data.words[k]), low);
            EXPECT_LE(static_cast<std::uint32_t>(data.words[k]), high);
        }
        // The average never exceeds the rate of the PGC's whole cells; maps too short for two
        // entries (and the last map's shortened span) give 0.
        const double cellKbps =
            (high - low + 1) * 16.0 / std::max(0.5, double(seconds[static_cast<std::size_t>(i)]));
        EXPECT_GE(data.averageKbps[static_cast<std::size_t>(i)], 0);
        EXPECT_LE(data.averageKbps[static_cast<std::size_t>(i)], cellKbps);
        if (end - a < 2) {
            EXPECT_EQ(data.averageKbps[static_cast<std::size_t>(i)], 0);
        } else if (i + 1 < pgcCount) {
            EXPECT_GT(data.averageKbps[static_cast<std::size_t>(i)], cellKbps / 4);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RealTitleSet,
                         ::testing::Values("pal_d1_3audio_cells", "ntsc_d1_wide_subs16_menu",
                                           "pal_98_titles"));

} // namespace
} // namespace ratewise
