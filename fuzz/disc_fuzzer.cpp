// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the disc side of the load path. The first byte chooses what they are:
//   0: a video manager (VIDEO_TS.IFO) for the VMGI_MAT and title-table parser;
//   1: a VIDEO_TS.IFO beside a real title set in a folder, opened and loaded as a disc;
//   2, 3: damage to a real UDF image (made once with genisoimage from the fixtures): records of
//      (sector u16, offset u16, length u8, bytes) written over it, and for 3 the image first cut
//      to the sector count in the next two bytes; then opened through libudfread, listed and
//      loaded, and its title VOBs read. An image is far larger than a fuzz input, so the input
//      says what to change rather than being the image.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "disc/title_set_load.h"
#include "disc/video_manager.h"

namespace {

namespace fs = std::filesystem;

fs::path g_dir;
std::vector<std::uint8_t> g_image;

std::vector<std::uint8_t> ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& path, const std::uint8_t* data, std::size_t size)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void Load(const fs::path& path)
{
    std::ostream quiet(nullptr);
    const ratewise::TitleSetLoadResult loaded = ratewise::LoadTitleSet(path.string(), {}, quiet, quiet);
    if (!loaded.load)
        return;
    if (std::unique_ptr<ratewise::ByteSource> vobs = loaded.load->OpenTitleVobs()) {
        std::vector<std::uint8_t> sector(2048);
        vobs->Seek(0);
        vobs->Read(sector);
    }
}

std::uint16_t U16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    g_dir = fs::temp_directory_path() / ("ratewise-fuzz-disc-" + std::to_string(::getpid()));
    const fs::path videoTs = g_dir / "folder" / "VIDEO_TS";
    fs::create_directories(videoTs);
    const fs::path fixture = RATEWISE_FIXTURES_DIR "/ifo/pal_d1_3audio_cells";
    fs::copy_file(fixture / "VTS_01_0.IFO", videoTs / "VTS_01_0.IFO", fs::copy_options::overwrite_existing);
    const fs::path source = g_dir / "source" / "VIDEO_TS";
    fs::create_directories(source);
    fs::copy_file(fixture / "VTS_01_0.IFO", source / "VTS_01_0.IFO", fs::copy_options::overwrite_existing);
    fs::copy_file(fixture / "VIDEO_TS.IFO", source / "VIDEO_TS.IFO", fs::copy_options::overwrite_existing);
    const std::string command = "genisoimage -quiet -dvd-video -udf -V FUZZ -o '" +
                                (g_dir / "base.iso").string() + "' '" + (g_dir / "source").string() +
                                "' >/dev/null 2>&1";
    if (std::system(command.c_str()) == 0)
        g_image = ReadAll(g_dir / "base.iso");
    std::atexit([] {
        std::error_code error;
        fs::remove_all(g_dir, error);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int mode = data[0] & 3;
    ++data;
    --size;
    if (mode == 0) {
        (void)ratewise::ParseVideoManager(ratewise::BeView(std::span(data, size)));
        return 0;
    }
    if (mode == 1) {
        WriteAll(g_dir / "folder" / "VIDEO_TS" / "VIDEO_TS.IFO", data, size);
        Load(g_dir / "folder");
        return 0;
    }
    if (g_image.empty())
        return 0;
    std::vector<std::uint8_t> image = g_image;
    if (mode == 3 && size >= 2) {
        image.resize(std::min<std::size_t>(image.size(), std::size_t{U16(data)} * 2048));
        data += 2;
        size -= 2;
    }
    while (size >= 5) {
        const std::size_t at = std::size_t{U16(data)} * 2048 + U16(data + 2) % 2048;
        const std::size_t length = std::min<std::size_t>(data[4], size - 5);
        for (std::size_t i = 0; i < length && at + i < image.size(); ++i)
            image[at + i] = data[5 + i];
        data += 5 + length;
        size -= 5 + length;
    }
    WriteAll(g_dir / "image.iso", image.data(), image.size());
    Load(g_dir / "image.iso");
    return 0;
}
