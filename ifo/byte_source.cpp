// SPDX-License-Identifier: GPL-3.0-or-later
#include "ifo/byte_source.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace ratewise {

bool MemoryByteSource::Seek(std::int64_t offset)
{
    if (offset < 0) {
        m_lastError = EINVAL;
        return false;
    }
    m_position = static_cast<std::uint64_t>(offset);
    return true;
}

std::int64_t MemoryByteSource::Read(std::span<std::uint8_t> out)
{
    m_lastError = 0;
    if (m_position >= m_bytes.size())
        return 0;
    const std::size_t count =
        static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), m_bytes.size() - m_position));
    std::copy_n(m_bytes.data() + m_position, count, out.data());
    m_position += count;
    return static_cast<std::int64_t>(count);
}

namespace {

// A POSIX file descriptor, closed when the source goes away.
class FileByteSource final : public ByteSource
{
public:
    FileByteSource(int fd, std::uint64_t size) : m_fd(fd), m_size(size) {}
    ~FileByteSource() override { ::close(m_fd); }
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    bool Seek(std::int64_t offset) override
    {
        if (offset < 0 || offset > std::numeric_limits<off_t>::max()) {
            m_lastError = EINVAL;
            return false;
        }
        if (::lseek(m_fd, static_cast<off_t>(offset), SEEK_SET) < 0) {
            m_lastError = errno;
            return false;
        }
        return true;
    }

    // Keeps reading until the buffer is full or the file ends, so a short read means the end.
    std::int64_t Read(std::span<std::uint8_t> out) override
    {
        m_lastError = 0;
        std::size_t done = 0;
        while (done < out.size()) {
            const ssize_t got = ::read(m_fd, out.data() + done, out.size() - done);
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                m_lastError = errno;
                return done > 0 ? static_cast<std::int64_t>(done) : -1;
            }
            if (got == 0)
                break;
            done += static_cast<std::size_t>(got);
        }
        return static_cast<std::int64_t>(done);
    }

    std::uint64_t Size() const override { return m_size; }
    int LastError() const override { return m_lastError; }

private:
    int m_fd;
    std::uint64_t m_size;
    int m_lastError = 0;
};

} // namespace

std::unique_ptr<ByteSource> OpenFileSource(const std::string& path)
{
    // Non-blocking, so a FIFO given as a path cannot hang the open; regular files ignore it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return nullptr;
    struct stat info {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<FileByteSource>(fd, static_cast<std::uint64_t>(info.st_size));
}

} // namespace ratewise
