// SPDX-License-Identifier: GPL-3.0-or-later
// The track list and the stream reports of the real title sets agree with what lsdvd, an
// independent reader, lists for them (its output is kept beside each set as lsdvd-x.txt).
#include <algorithm>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <numeric>
#include <regex>
#include <sstream>

#include "common/string_format.h"
#include "ifo/stream_reports.h"
#include "ifo/track_texts.h"

namespace ratewise {
namespace {

struct PeerStream {
    std::string language; // lsdvd's name: "English", "Unknown"
    std::string format;   // audio only: "ac3", "mpeg1", "lpcm"
    int channels = 0;
    std::string streamId; // audio only: "0x80"
};

struct PeerTitle {
    int hours = 0, minutes = 0, seconds = 0, milliseconds = 0, cells = 0;
    std::vector<PeerStream> audio, subtitles;
};

struct Peer {
    std::vector<PeerTitle> titles;
    std::string format, aspect, resolution, displayMode;
};

Peer ReadPeer(const std::string& folder)
{
    static const std::regex title(
        R"(^Title: \d+, Length: (\d+):(\d+):(\d+)\.(\d+) Chapters: \d+, Cells: (\d+))");
    static const std::regex video(
        R"(Format: (\w+), Aspect ratio: (\d+/\d+), Width: (\d+), Height: (\d+), DF: (.*)$)");
    static const std::regex audio(
        R"(^\tAudio: \d+, Language: .. - ([^,]*), Format: (\w+).*Channels: (\d+),.*Stream id: (0x..))");
    static const std::regex subtitle(R"(^\tSubtitle: \d+, Language: .. - ([^,]*),)");
    std::ifstream in(folder + "/lsdvd-x.txt");
    Peer peer;
    std::smatch m;
    for (std::string line; std::getline(in, line);) {
        if (std::regex_search(line, m, title)) {
            peer.titles.push_back({std::stoi(m[1]),
                                   std::stoi(m[2]),
                                   std::stoi(m[3]),
                                   std::stoi(m[4]),
                                   std::stoi(m[5]),
                                   {},
                                   {}});
        } else if (peer.titles.empty()) {
            continue;
        } else if (std::regex_search(line, m, video)) {
            peer.format = m[1];
            peer.aspect = m[2];
            peer.resolution = m[3].str() + "x" + m[4].str();
            peer.displayMode = m[5];
        } else if (std::regex_search(line, m, audio)) {
            peer.titles.back().audio.push_back(
                {.language = m[1], .format = m[2], .channels = std::stoi(m[3]), .streamId = m[4]});
        } else if (std::regex_search(line, m, subtitle)) {
            peer.titles.back().subtitles.push_back(
                {.language = m[1], .format = {}, .channels = 0, .streamId = {}});
        }
    }
    return peer;
}

// A line that ends in the language lsdvd names. What lsdvd calls "Unknown" is either a code our
// table lacks (no name) or the blank code (its "???" entry).
void ExpectLanguageLine(const std::string& line, const std::string& prefix, const std::string& peerName)
{
    if (peerName == "Unknown") {
        EXPECT_TRUE(line == prefix || line == prefix + "???") << line;
    } else {
        EXPECT_EQ(line, prefix + peerName);
    }
}

std::string OurAudioLine(const PeerStream& stream)
{
    static const std::map<std::string, std::string> codings{
        {"ac3", "AC3"}, {"mpeg1", "MPEG1"}, {"mpeg2ext", "MPEG2ext"}, {"lpcm", "LPCM"}, {"dts", "DTS"}};
    std::string id = stream.streamId;
    std::transform(id.begin() + 2, id.end(), id.begin() + 2, ::toupper);
    const bool subStream = stream.format != "mpeg1" && stream.format != "mpeg2ext";
    return "    " + std::to_string(stream.channels) + (stream.channels == 1 ? " channel  " : " channels ") +
           codings.at(stream.format) + " " + (subStream ? "0xBD " : "") + id;
}

class RealTrackList : public ::testing::TestWithParam<std::string>
{
protected:
    void SetUp() override
    {
        m_folder = std::string(RATEWISE_FIXTURES_DIR "/ifo/") + GetParam();
        m_path = m_folder + "/VTS_01_0.IFO";
        m_peer = ReadPeer(m_folder);
        ASSERT_FALSE(m_peer.titles.empty());
        std::ostringstream out, err;
        ASSERT_TRUE(ifoParse(m_path, m_list, out, err));
        EXPECT_EQ(err.str(), "");
        EXPECT_EQ(out.str().rfind("Parsing \"" + m_path + "\"...\n", 0), 0u);
    }

    std::string m_folder;
    std::string m_path;
    Peer m_peer;
    TrackList m_list;
};

TEST_P(RealTrackList, ListsOneLinePerTitleWithThePeersRunningTimesAndCells)
{
    const std::vector<std::string> lines = TrackEntryLines(m_list);
    ASSERT_EQ(lines.size(), m_peer.titles.size());
    EXPECT_EQ(m_list.frameRate, m_peer.format == "PAL" ? 25 : 30);
    for (std::size_t t = 0; t < lines.size(); ++t) {
        const PeerTitle& title = m_peer.titles[t];
        // lsdvd gives milliseconds; the disc counts frames.
        const int frames = static_cast<int>(std::lround(title.milliseconds * m_list.frameRate / 1000.0));
        EXPECT_EQ(lines[t], StringPrintf("T%zu: 0%d:", t + 1, title.hours) + WithLeadingZero(title.minutes) +
                                ":" + WithLeadingZero(title.seconds) + " ." + WithLeadingZero(frames));
        EXPECT_EQ(m_list.cells[t], title.cells);
        const std::int32_t length = m_list.lastFrame[t] - m_list.firstFrame[t] + (t == 0 ? 0 : 1);
        EXPECT_EQ(length,
                  ((title.hours * 60 + title.minutes) * 60 + title.seconds) * m_list.frameRate + frames);
    }
    // The whole title set selected: the running times of every title, summed with carries.
    std::vector<int> all(lines.size());
    std::iota(all.begin(), all.end(), 0);
    int total = 0;
    for (const PeerTitle& title : m_peer.titles)
        total += (title.hours * 60 + title.minutes) * 60 + title.seconds;
    EXPECT_EQ(SumSelectedTracks(m_list, all), (TrackDuration{total / 3600, total / 60 % 60, total % 60}));
}

TEST_P(RealTrackList, StreamReportsNameThePeersStreams)
{
    std::size_t subtitles = 0;
    for (const PeerTitle& title : m_peer.titles) {
        EXPECT_EQ(m_list.audioStreamCount, static_cast<int>(title.audio.size()));
        subtitles = std::max(subtitles, title.subtitles.size());
    }
    ASSERT_EQ(m_list.subpictureStreamCount, static_cast<int>(subtitles));

    const auto audio = BuildInfoReport(InfoReportKind::Audio, m_path, m_list);
    ASSERT_TRUE(audio);
    const std::vector<PeerStream>& peerAudio = m_peer.titles[0].audio;
    ASSERT_EQ(audio->lines.size(), 2 * peerAudio.size() + 1);
    for (std::size_t k = 0; k < peerAudio.size(); ++k) {
        ExpectLanguageLine(audio->lines[2 * k], std::to_string(k + 1) + ": ", peerAudio[k].language);
        EXPECT_EQ(audio->lines[2 * k + 1], OurAudioLine(peerAudio[k]));
    }

    // The title with the most subpicture streams lists them all.
    const auto widest = std::max_element(m_peer.titles.begin(), m_peer.titles.end(), [](auto& a, auto& b) {
        return a.subtitles.size() < b.subtitles.size();
    });
    const auto subs = BuildInfoReport(InfoReportKind::Subs, m_path, m_list);
    ASSERT_TRUE(subs);
    ASSERT_EQ(subs->lines.size(), subtitles + 1);
    for (std::size_t k = 0; k < subtitles; ++k)
        ExpectLanguageLine(subs->lines[k], (k < 9 ? " " : "") + std::to_string(k + 1) + " ",
                           widest->subtitles[k].language);

    const auto video = BuildInfoReport(InfoReportKind::Video, m_path, m_list);
    ASSERT_TRUE(video);
    EXPECT_EQ(video->lines[1], m_peer.format == "PAL" ? "System : PAL 625/50" : "System : NTSC 525/60");
    std::string aspect = m_peer.aspect;
    std::replace(aspect.begin(), aspect.end(), '/', ':');
    EXPECT_EQ(video->lines[2], "Aspect Ratio : " + aspect);
    EXPECT_EQ(video->lines[4], "Video Resolution : " + m_peer.resolution);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RealTrackList,
                         ::testing::Values("pal_d1_3audio_cells", "ntsc_d1_wide_subs16_menu",
                                           "pal_98_titles"));

TEST(RealTrackList, TheDiscsMenuFileIsNoTitleSet)
{
    TrackList list;
    std::ostringstream out, err;
    EXPECT_FALSE(
        ifoParse(std::string(RATEWISE_FIXTURES_DIR "/ifo/pal_98_titles/VIDEO_TS.IFO"), list, out, err));
    EXPECT_FALSE(BuildInfoReport(InfoReportKind::Video,
                                 RATEWISE_FIXTURES_DIR "/ifo/pal_98_titles/VIDEO_TS.IFO", list));
}

} // namespace
} // namespace ratewise
