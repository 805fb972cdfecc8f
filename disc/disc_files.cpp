// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/disc_files.h"

#include <algorithm>
#include <filesystem>

#include "common/ascii_case.h"
#include "disc/udf_image.h"

namespace ratewise {
namespace {

constexpr std::size_t kMostNames = 4096;

class Folder final : public DiscFiles
{
public:
    explicit Folder(std::filesystem::path path) : m_path(std::move(path))
    {
        std::error_code error;
        std::filesystem::directory_iterator entry(m_path, error);
        for (; !error && entry != std::filesystem::directory_iterator() && m_names.size() < kMostNames;
             entry.increment(error)) {
            std::error_code statError;
            if (entry->is_regular_file(statError))
                m_names.push_back(entry->path().filename().string());
        }
    }

    std::unique_ptr<ByteSource> Open(const std::string& storedName) const override
    {
        return OpenFileSource((m_path / storedName).string());
    }

private:
    std::filesystem::path m_path;
};

class ImageFolder final : public DiscFiles
{
public:
    ImageFolder(std::shared_ptr<UdfImage> image, std::string folder, std::vector<std::string> names)
        : m_image(std::move(image)), m_folder(std::move(folder))
    {
        m_names = std::move(names);
    }

    std::unique_ptr<ByteSource> Open(const std::string& storedName) const override
    {
        return m_image->OpenFile(m_folder + "/" + storedName);
    }

private:
    std::shared_ptr<UdfImage> m_image;
    std::string m_folder;
};

} // namespace

std::string DiscFiles::Find(std::string_view name) const
{
    for (const std::string& stored : m_names) {
        if (SameIgnoringAsciiCase(stored, name))
            return stored;
    }
    return {};
}

std::shared_ptr<DiscFiles> FolderFiles(const std::string& path)
{
    return std::make_shared<Folder>(path);
}

std::shared_ptr<DiscFiles> ImageFiles(std::shared_ptr<UdfImage> image)
{
    const std::optional<std::vector<std::string>> folders = image->List("/", UdfImage::Entries::Folders);
    if (!folders)
        return nullptr;
    for (const std::string& folder : *folders) {
        if (!SameIgnoringAsciiCase(folder, "VIDEO_TS"))
            continue;
        std::optional<std::vector<std::string>> names = image->List("/" + folder, UdfImage::Entries::Files);
        if (!names)
            return nullptr;
        return std::make_shared<ImageFolder>(std::move(image), "/" + folder, std::move(*names));
    }
    return nullptr;
}

} // namespace ratewise
