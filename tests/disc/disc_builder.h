// SPDX-License-Identifier: GPL-3.0-or-later
// Discs made at test time: VIDEO_TS folders from the real title sets, UDF images of them made by
// genisoimage, a two-set disc authored by dvdauthor from ffmpeg test patterns, and lsdvd's reading
// of any of them. Each step gives nothing when its tool is missing or fails.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ratewise::test_support {

// True when every named program is on PATH.
bool HaveTools(const std::vector<std::string>& tools);

// dir/NAME/VIDEO_TS with the fixture's VIDEO_TS.IFO and VTS_01_0.IFO and a .BUP copy of each;
// returns dir/NAME.
std::filesystem::path MakeFixtureDisc(const std::string& fixture, const std::filesystem::path& dir);

// dir/multi/VIDEO_TS: title set 1 (PAL: a title of two chapters, a title of one) and title set 2
// (NTSC: one title of three chapters, the longest), VOBs included.
std::optional<std::filesystem::path> MakeTwoSetDisc(const std::filesystem::path& dir);

// `genisoimage -dvd-video -udf -V label` of the folder holding VIDEO_TS.
std::optional<std::filesystem::path> MakeImage(const std::filesystem::path& folder, const std::string& label,
                                               const std::filesystem::path& image);

// lsdvd -x's reading of a disc.
struct PeerTitle {
    int number = 0, titleSet = 0, titleInSet = 0, chapters = 0, angles = 0;
    int hours = 0, minutes = 0, seconds = 0, milliseconds = 0;
};
struct PeerDisc {
    std::string label;
    int longestTitle = 0;
    std::vector<PeerTitle> titles;
};
std::optional<PeerDisc> ReadWithLsdvd(const std::filesystem::path& disc);

// The whole file as bytes, and bytes written to a file.
std::vector<unsigned char> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes);

} // namespace ratewise::test_support
