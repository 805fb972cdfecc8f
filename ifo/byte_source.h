// SPDX-License-Identifier: GPL-3.0-or-later
// ByteSource: where the reader's bytes come from, a file on disk or a block of memory. The reader
// only seeks and reads, as it would on a file handle, so tests and the fuzz target need no files.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace ratewise {

class ByteSource
{
public:
    virtual ~ByteSource() = default;

    // Moves the read position to offset bytes from the start. False when that position is
    // invalid (negative or beyond what the source can address).
    virtual bool Seek(std::int64_t offset) = 0;

    // Reads up to out.size() bytes at the current position and advances it. Returns the number
    // of bytes read (0 at the end of the data) or -1 on a read error.
    virtual std::int64_t Read(std::span<std::uint8_t> out) = 0;

    // Total number of bytes the source holds. Sizes taken from the data never make the reader
    // allocate more than this.
    virtual std::uint64_t Size() const = 0;

    // The system error code of the last failed operation, 0 when the last read simply hit the
    // end of the data. Reported in the perror style ("ifoReadLB2: ...").
    virtual int LastError() const = 0;
};

// A view of bytes owned by the caller, who keeps them alive while the source is used.
class MemoryByteSource final : public ByteSource
{
public:
    explicit MemoryByteSource(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    bool Seek(std::int64_t offset) override;
    std::int64_t Read(std::span<std::uint8_t> out) override;
    std::uint64_t Size() const override { return m_bytes.size(); }
    int LastError() const override { return m_lastError; }

private:
    std::span<const std::uint8_t> m_bytes;
    std::uint64_t m_position = 0;
    int m_lastError = 0;
};

// Opens a regular file read-only. Nothing when it cannot be opened or its size cannot be told.
std::unique_ptr<ByteSource> OpenFileSource(const std::string& path);

} // namespace ratewise
