// SPDX-License-Identifier: GPL-3.0-or-later
// Discs made at test time: VIDEO_TS folders from the real title sets, UDF images of them made by
// genisoimage, a two-set disc authored by dvdauthor from ffmpeg test patterns, and lsdvd's reading
// of any of them. Each step gives nothing when its tool is missing or fails.
#pragma once

#include <filesystem>
#include <functional>
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

// The folder `name` under the build's authored files, filled by `author` when it is not there yet
// or was made before `key` changed (a rebuild of the test program, an edit of the script that
// authors it). Cases and test processes share it: one authors it, the others wait on a lock and
// read it. Nothing when `author` fails; the next caller tries again.
std::optional<std::filesystem::path>
AuthoredOnce(const std::string& name, const std::string& key,
             const std::function<bool(const std::filesystem::path&)>& author);

// The disc tests' discs, authored once per build of the tests: for each fixture of `fixtures`,
// NAME/VIDEO_TS (MakeFixtureDisc) and NAME.iso labelled FIXTURE, and the two-set disc as multi/ and
// multi.iso labelled TWO_SETS. Nothing when a tool is missing or fails.
std::optional<std::filesystem::path> FixtureDiscs(const std::vector<std::string>& fixtures);

// make_test_dvd.sh DIR/STANDARD STANDARD [SECONDS] (0: the script's own length), authored once per
// edit of the script: the folder DIR/STANDARD and the image DIR/STANDARD.iso. Nothing when a tool
// is missing or fails; what the script printed is in DIR.log.
std::optional<std::filesystem::path> TestDvd(const std::string& standard, int seconds = 0);

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
