// SPDX-License-Identifier: GPL-3.0-or-later
// The files of a disc's VIDEO_TS folder, wherever they lie: in a folder on disk or inside a UDF
// image or drive. Names are matched without regard to case, as discs and copies of them spell
// them either way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ifo/byte_source.h"

namespace ratewise {

class UdfImage;

class DiscFiles
{
public:
    virtual ~DiscFiles() = default;

    // The regular files of the folder, as stored.
    const std::vector<std::string>& Names() const { return m_names; }
    // The stored name equal to name without regard to ASCII case; empty when there is none.
    std::string Find(std::string_view name) const;

    // The stored file as a byte source; nothing when it cannot be opened.
    virtual std::unique_ptr<ByteSource> Open(const std::string& storedName) const = 0;

protected:
    std::vector<std::string> m_names;
};

// The regular files of the folder at path (at most a few thousand names).
std::shared_ptr<DiscFiles> FolderFiles(const std::string& path);
// The files of the image's VIDEO_TS folder (found without regard to case); nothing without one.
std::shared_ptr<DiscFiles> ImageFiles(std::shared_ptr<UdfImage> image);

// The largest information file we read whole; real ones stay far below it.
inline constexpr std::size_t kMostInformationFileBytes = std::size_t{32} << 20;

} // namespace ratewise
