// SPDX-License-Identifier: GPL-3.0-or-later
// A UDF file system in an image file or on an optical drive, read through libudfread over our own
// block reader. libudfread reports damage by printing "udfread ERROR:" lines on stderr itself; we
// check the anchor volume descriptor at sector 256 before handing the image over, and keep stderr
// closed while libudfread works, so that only our own one-line failure reaches the user.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ifo/byte_source.h"

struct udfread;
struct udfread_file;

namespace ratewise {

class UdfImage : public std::enable_shared_from_this<UdfImage>
{
public:
    // Opens path (a regular file or a block device). Nothing, with why set to one short reason,
    // when it cannot be opened, holds no disc, is too short or holds no UDF file system.
    static std::shared_ptr<UdfImage> Open(const std::string& path, std::string& why);

    ~UdfImage();
    UdfImage(const UdfImage&) = delete;
    UdfImage& operator=(const UdfImage&) = delete;

    bool IsDevice() const { return m_device; }
    // The logical volume identifier; empty when there is none.
    const std::string& Label() const { return m_label; }

    enum class Entries { Files, Folders };
    // Names of the regular files, or of the folders, in the folder at path ("/" or "/VIDEO_TS");
    // at most a few thousand, in the image's order. Nothing when there is no such folder.
    std::optional<std::vector<std::string>> List(const std::string& path, Entries entries) const;

    // The file at path as a byte source; it keeps the image open. Nothing when there is none.
    std::unique_ptr<ByteSource> OpenFile(const std::string& path);

private:
    UdfImage() = default;
    std::uint64_t BytesInImage(udfread_file* file, std::uint64_t size) const;

    struct BlockInput;
    std::unique_ptr<BlockInput> m_input;
    udfread* m_udf = nullptr;
    std::string m_label;
    bool m_device = false;
};

// True when tag (at least its first 16 bytes) is the tag of an anchor volume descriptor pointer at
// sector 256: tag 2, a correct tag checksum, and its own location 256.
bool IsUdfAnchor(std::span<const std::uint8_t> tag);

// True when the 2048 bytes at sector 256 of source hold a valid anchor volume descriptor pointer
// (tag 2, a correct tag checksum, and its own location 256): the mark of a UDF file system.
bool HasUdfAnchor(ByteSource& source);

} // namespace ratewise
