// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/disc/disc_builder.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <sys/file.h>
#include <unistd.h>

namespace ratewise::test_support {
namespace {

namespace fs = std::filesystem;

bool Run(const std::string& command)
{
    return std::system(command.c_str()) == 0;
}

std::string Quoted(const fs::path& path)
{
    return "'" + path.string() + "'";
}

} // namespace

bool HaveTools(const std::vector<std::string>& tools)
{
    for (const std::string& tool : tools) {
        if (!Run("command -v " + tool + " >/dev/null 2>&1"))
            return false;
    }
    return true;
}

std::vector<unsigned char> ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

fs::path MakeFixtureDisc(const std::string& fixture, const fs::path& dir)
{
    const fs::path from = fs::path(RATEWISE_FIXTURES_DIR) / "ifo" / fixture;
    const fs::path videoTs = dir / fixture / "VIDEO_TS";
    fs::create_directories(videoTs);
    for (const char* stem : {"VIDEO_TS", "VTS_01_0"}) {
        const std::vector<unsigned char> bytes = ReadBytes(from / (std::string(stem) + ".IFO"));
        WriteBytes(videoTs / (std::string(stem) + ".IFO"), bytes);
        WriteBytes(videoTs / (std::string(stem) + ".BUP"), bytes);
    }
    return dir / fixture;
}

std::optional<fs::path> MakeTwoSetDisc(const fs::path& dir)
{
    if (!HaveTools({"ffmpeg", "dvdauthor"}))
        return std::nullopt;
    fs::create_directories(dir);
    const std::string pal = Quoted(dir / "pal.mpg");
    const std::string ntsc = Quoted(dir / "ntsc.mpg");
    if (!Run("ffmpeg -v error -f lavfi -i testsrc=size=720x576:rate=25 -f lavfi -i sine -t 2 -target pal-dvd "
             "-y " +
             pal) ||
        !Run("ffmpeg -v error -f lavfi -i testsrc=size=720x480:rate=30000/1001 -f lavfi -i sine -t 3 "
             "-target ntsc-dvd -y " +
             ntsc))
        return std::nullopt;
    const fs::path xml = dir / "disc.xml";
    std::ofstream(xml) << "<dvdauthor dest=\"" << (dir / "multi").string() << "\"><vmgm/>"
                       << "<titleset><titles><pgc><vob file=" << '"' << (dir / "pal.mpg").string()
                       << "\" chapters=\"0,1\"/></pgc><pgc><vob file=\"" << (dir / "pal.mpg").string()
                       << "\"/></pgc></titles></titleset>"
                       << "<titleset><titles><video format=\"ntsc\"/><pgc><vob file=\""
                       << (dir / "ntsc.mpg").string()
                       << "\" chapters=\"0,1,2\"/></pgc></titles></titleset></dvdauthor>\n";
    if (!Run("VIDEO_FORMAT=PAL dvdauthor -x " + Quoted(xml) + " >/dev/null 2>&1"))
        return std::nullopt;
    return dir / "multi";
}

std::optional<fs::path> MakeImage(const fs::path& folder, const std::string& label, const fs::path& image)
{
    if (!HaveTools({"genisoimage"}) || !Run("genisoimage -quiet -dvd-video -udf -V " + label + " -o " +
                                            Quoted(image) + " " + Quoted(folder) + " >/dev/null 2>&1"))
        return std::nullopt;
    return image;
}

std::optional<fs::path> AuthoredOnce(const std::string& name, const std::string& key,
                                     const std::function<bool(const fs::path&)>& author)
{
    const fs::path root = RATEWISE_AUTHORED_DIR;
    std::error_code error;
    fs::create_directories(root, error);
    const int lock = ::open((root / (name + ".lock")).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (lock < 0 || ::flock(lock, LOCK_EX) != 0) {
        if (lock >= 0)
            ::close(lock);
        return std::nullopt;
    }
    const fs::path dir = root / name;
    const fs::path stamp = root / (name + ".key");
    std::string made;
    std::getline(std::ifstream(stamp), made);
    if (made != key || !fs::is_directory(dir)) {
        fs::remove(stamp, error);
        fs::remove_all(dir, error);
        fs::create_directories(dir, error);
        if (author(dir))
            std::ofstream(stamp) << key << '\n';
        else
            fs::remove_all(dir, error);
    }
    const bool ready = fs::exists(stamp);
    ::close(lock);
    return ready ? std::optional<fs::path>(dir) : std::nullopt;
}

namespace {

// When a file was last written, as text: the key of what is authored from it.
std::string WrittenAt(const fs::path& path)
{
    std::error_code error;
    return std::to_string(fs::last_write_time(path, error).time_since_epoch().count());
}

} // namespace

std::optional<fs::path> FixtureDiscs(const std::vector<std::string>& fixtures)
{
    std::string key = WrittenAt("/proc/self/exe");
    for (const std::string& fixture : fixtures)
        key += " " + fixture;
    return AuthoredOnce(
        "fixture-discs-" + fs::read_symlink("/proc/self/exe").filename().string(), key,
        [&](const fs::path& dir) {
            for (const std::string& fixture : fixtures) {
                if (!MakeImage(MakeFixtureDisc(fixture, dir), "FIXTURE", dir / (fixture + ".iso")))
                    return false;
            }
            const std::optional<fs::path> multi = MakeTwoSetDisc(dir);
            return multi && MakeImage(*multi, "TWO_SETS", dir / "multi.iso");
        });
}

std::optional<fs::path> TestDvd(const std::string& standard, int seconds)
{
    const std::string length = seconds > 0 ? " " + std::to_string(seconds) : "";
    const std::optional<fs::path> dir = AuthoredOnce(
        "test-dvd-" + standard + (seconds > 0 ? "-" + std::to_string(seconds) : ""),
        WrittenAt(RATEWISE_TEST_DVD_SCRIPT), [&](const fs::path& into) {
            return Run("sh " + Quoted(RATEWISE_TEST_DVD_SCRIPT) + " " + Quoted(into / standard) + " " +
                       standard + length + " >" + Quoted(into.string() + ".log") + " 2>&1");
        });
    return dir ? std::optional<fs::path>(*dir / standard) : std::nullopt;
}

std::optional<PeerDisc> ReadWithLsdvd(const fs::path& disc)
{
    if (!HaveTools({"lsdvd"}))
        return std::nullopt;
    // Into a file of this process's own: the disc may be shared with other test processes.
    const fs::path out =
        fs::temp_directory_path() / ("ratewise-lsdvd-" + std::to_string(::getpid()) + ".txt");
    const bool read = Run("lsdvd -x " + Quoted(disc) + " >" + Quoted(out) + " 2>/dev/null");
    std::ifstream in(out);
    std::error_code error;
    fs::remove(out, error);
    if (!read)
        return std::nullopt;
    static const std::regex title(R"(^Title: (\d+), Length: (\d+):(\d+):(\d+)\.(\d+) Chapters: (\d+),)");
    static const std::regex set(R"(^\tVTS: (\d+), TTN: (\d+),)");
    static const std::regex angles(R"(^\tNumber of Angles: (\d+))");
    static const std::regex label(R"(^Disc Title: (.*)$)");
    static const std::regex longest(R"(^Longest track: (\d+))");
    PeerDisc peer;
    std::smatch m;
    for (std::string line; std::getline(in, line);) {
        if (std::regex_search(line, m, title))
            peer.titles.push_back({std::stoi(m[1]), 0, 0, std::stoi(m[6]), 0, std::stoi(m[2]),
                                   std::stoi(m[3]), std::stoi(m[4]), std::stoi(m[5])});
        else if (std::regex_search(line, m, label))
            peer.label = m[1];
        else if (std::regex_search(line, m, longest))
            peer.longestTitle = std::stoi(m[1]);
        else if (peer.titles.empty())
            continue;
        else if (std::regex_search(line, m, set)) {
            peer.titles.back().titleSet = std::stoi(m[1]);
            peer.titles.back().titleInSet = std::stoi(m[2]);
        } else if (std::regex_search(line, m, angles))
            peer.titles.back().angles = std::stoi(m[1]);
    }
    return peer;
}

} // namespace ratewise::test_support
