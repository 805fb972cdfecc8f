// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/disc_input.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <sys/stat.h>

#include "common/ascii_case.h"
#include "disc/udf_image.h"
#include "ifo/seek_read.h"

namespace ratewise {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTitleSetId = "DVDVIDEO-VTS";
constexpr std::string_view kVideoManagerId = "DVDVIDEO-VMG";

bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view id)
{
    return bytes.size() >= id.size() && std::equal(id.begin(), id.end(), bytes.begin());
}

// True when name ends in extension, without regard to case.
bool HasExtension(const std::string& name, std::string_view extension)
{
    return EndsWithIgnoringAsciiCase(name, extension);
}

// The set number in a name like VTS_07_0.IFO; 1 for any other name.
int TitleSetNumberOf(const std::string& path)
{
    const std::string name = fs::path(path).filename().string();
    if (name.size() >= 8 && AsciiLower(name[0]) == 'v' && name[3] == '_' && name[6] == '_' &&
        name[4] >= '0' && name[4] <= '9' && name[5] >= '0' && name[5] <= '9') {
        const int number = (name[4] - '0') * 10 + (name[5] - '0');
        if (number >= 1)
            return number;
    }
    return 1;
}

bool IsVideoTsName(const std::string& name)
{
    return SameIgnoringAsciiCase(name, "VIDEO_TS");
}

// A folder is a disc's VIDEO_TS folder when it holds the video manager or any title set's file.
bool HoldsDiscFiles(const DiscFiles& files)
{
    return std::any_of(files.Names().begin(), files.Names().end(), [](const std::string& name) {
        const std::string lower = AsciiLowered(name);
        return lower == "video_ts.ifo" || lower == "video_ts.bup" ||
               (lower.starts_with("vts_") && (lower.ends_with(".ifo") || lower.ends_with(".bup")));
    });
}

// What `source` turned out to be, with its VIDEO_TS files (for a lone title set, the files beside
// it); the rest is filled in where it applies.
DiscInput Found(DiscKind kind, const std::string& source, std::shared_ptr<DiscFiles> files)
{
    DiscInput input;
    input.kind = kind;
    input.source = source;
    input.files = std::move(files);
    return input;
}

DiscInputResult FromFolder(const std::string& source, const fs::path& folder)
{
    // The folder holding VIDEO_TS, or the VIDEO_TS folder itself.
    std::error_code error;
    for (fs::directory_iterator entry(folder, error); !error && entry != fs::directory_iterator();
         entry.increment(error)) {
        std::error_code statError;
        if (IsVideoTsName(entry->path().filename().string()) && entry->is_directory(statError))
            return {.input = Found(DiscKind::Folder, source, FolderFiles(entry->path().string())), .why = {}};
    }
    std::shared_ptr<DiscFiles> files = FolderFiles(folder.string());
    if (!HoldsDiscFiles(*files))
        return {.input = std::nullopt, .why = "no VIDEO_TS folder and no IFO files"};
    return {.input = Found(DiscKind::Folder, source, std::move(files)), .why = {}};
}

DiscInputResult FromImage(const std::string& source, DiscKind kind)
{
    std::string why;
    std::shared_ptr<UdfImage> image = UdfImage::Open(source, why);
    if (!image)
        return {.input = std::nullopt, .why = why};
    std::string label = image->Label();
    std::shared_ptr<DiscFiles> files = ImageFiles(std::move(image));
    if (!files)
        return {.input = std::nullopt, .why = "no VIDEO_TS folder in the UDF file system"};
    DiscInput input = Found(kind, source, std::move(files));
    input.label = std::move(label);
    return {.input = std::move(input), .why = {}};
}

DiscInputResult FromFile(const std::string& source)
{
    const fs::path parent =
        fs::path(source).parent_path().empty() ? fs::path(".") : fs::path(source).parent_path();
    const auto lone = [&] {
        DiscInput input = Found(DiscKind::TitleSet, source, FolderFiles(parent.string()));
        input.titleSetPath = source;
        input.titleSetNumber = TitleSetNumberOf(source);
        return DiscInputResult{.input = std::move(input), .why = {}};
    };
    std::unique_ptr<ByteSource> file = OpenFileSource(source);
    if (!file)
        return lone(); // the title-set reader says why, as it always has
    std::uint8_t head[16] = {};
    const std::int64_t got = ifoSeekRead(*file, 0, head);
    const std::span<const std::uint8_t> start(head, got > 0 ? static_cast<std::size_t>(got) : 0);
    if (StartsWith(start, kTitleSetId))
        return lone();
    if (StartsWith(start, kVideoManagerId)) {
        // VIDEO_TS.IFO and its .BUP are found in the folder as ever; any other name is read as given.
        std::string name = fs::path(source).filename().string();
        if (IsVideoTsName(fs::path(name).stem().string()) &&
            (HasExtension(name, ".ifo") || HasExtension(name, ".bup")))
            name.clear();
        DiscInput input = Found(DiscKind::Folder, source, FolderFiles(parent.string()));
        input.managerName = std::move(name);
        return {.input = std::move(input), .why = {}};
    }
    if (HasUdfAnchor(*file)) {
        file.reset();
        return FromImage(source, DiscKind::Image);
    }
    if (HasExtension(source, ".iso") || HasExtension(source, ".img") || HasExtension(source, ".udf"))
        return {.input = std::nullopt, .why = "no UDF file system in the image"};
    return lone();
}

} // namespace

const char* DiscKindName(DiscKind kind)
{
    switch (kind) {
    case DiscKind::Folder:
        return "folder";
    case DiscKind::Image:
        return "image";
    case DiscKind::Device:
        return "device";
    case DiscKind::TitleSet:
        break;
    }
    return "titleSet";
}

DiscInputResult ResolveDiscInput(const std::string& path)
{
    if (path.empty())
        return {.input = std::nullopt, .why = "empty path"};
    struct stat status {
    };
    if (::stat(path.c_str(), &status) != 0)
        return {.input = std::nullopt, .why = errno == ENOENT ? "no such file" : std::strerror(errno)};
    if (S_ISDIR(status.st_mode))
        return FromFolder(path, path);
    if (S_ISBLK(status.st_mode))
        return FromImage(path, DiscKind::Device);
    if (!S_ISREG(status.st_mode))
        return {.input = std::nullopt, .why = "not a regular file"};
    return FromFile(path);
}

} // namespace ratewise
