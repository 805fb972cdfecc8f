// SPDX-License-Identifier: GPL-3.0-or-later
// The two stored Video CD project files (PAL and NTSC film) and their zero-free storage form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ratewise {

// A .tpr file is a 13-byte resource-entry header ("JOB", RCDATA) followed by the stream.
inline constexpr std::size_t kProjectHeaderSize = 13;
inline constexpr std::size_t kProjectHeaderLengthOffset = 9;

// The byte that stands for a zero byte in the storage text.
inline constexpr std::uint8_t kStoredZeroByte = 0xAD;

struct ProjectTemplate {
    // The complete file: header and stream.
    std::vector<std::uint8_t> bytes;

    // Offsets in `bytes` of the tag bytes of the values the writer patches in place.
    std::size_t audioBitRateOffset = 0;      // Job.MPEG.Audio.BitRate (32-bit)
    std::size_t videoBitRateOffset = 0;      // Job.MPEG.Video.CBR_BitRate (32-bit)
    std::size_t sourceAspectRatioOffset = 0; // Video.AspectRatio of the source item (8-bit)
    std::size_t videoAspectRatioOffset = 0;  // Job.MPEG.Video.AspectRatio (8-bit)

    // Job.MPEG.Video.AspectRatio for a 16:9 picture that keeps its aspect bit: 3 (625 lines)
    // or 6 (525 lines).
    std::uint8_t wideAspectRatio = 0;

    // The file with every zero byte stored as 0xAD, so it can be held and searched as text.
    std::string StorageText() const;
};

// Built once from their property lists. Empty `bytes` would mean a property list that cannot be
// encoded; the tests guard against that.
const ProjectTemplate& PalVcdTemplate();
const ProjectTemplate& NtscFilmVcdTemplate();

// The 13-byte header in front of a stream of `streamLength` bytes.
void AppendProjectHeader(std::vector<std::uint8_t>& out, std::uint32_t streamLength);

// Storage text <-> file bytes. The templates hold no genuine 0xAD, so the two are inverse.
std::string ToStorageText(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> RestoreZeroBytes(std::string_view storageText);

} // namespace ratewise
