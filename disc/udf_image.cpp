// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/udf_image.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <mutex>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <udfread/blockinput.h>
#include <udfread/udfread.h>
#include <unistd.h>

#include "ifo/seek_read.h"

namespace ratewise {
namespace {

constexpr std::uint32_t kAnchorSector = 256;
constexpr std::uint16_t kAnchorTag = 2;
constexpr std::size_t kMostNames = 4096;

// Sends stderr to /dev/null while it lives. libudfread prints its complaints about a damaged image
// itself; the program's own message says what went wrong in one line. One at a time, process-wide.
class QuietStderr
{
public:
    QuietStderr() : m_lock(Mutex())
    {
        std::fflush(stderr);
        // /dev/null stays open for the process: a disc's listing takes dozens of these scopes.
        static const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        m_saved = ::dup(STDERR_FILENO);
        if (m_saved >= 0 && null >= 0)
            ::dup2(null, STDERR_FILENO);
    }
    ~QuietStderr()
    {
        std::fflush(stderr);
        if (m_saved >= 0) {
            ::dup2(m_saved, STDERR_FILENO);
            ::close(m_saved);
        }
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    static std::recursive_mutex& Mutex()
    {
        static std::recursive_mutex mutex;
        return mutex;
    }
    std::lock_guard<std::recursive_mutex> m_lock;
    int m_saved = -1;
};

std::uint16_t Le16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t Le32(const std::uint8_t* p)
{
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

// A file inside the image. Reads go through libudfread's file calls; the image stays open while
// any file of it does.
class UdfFileSource final : public ByteSource
{
public:
    UdfFileSource(std::shared_ptr<UdfImage> image, UDFFILE* file, std::uint64_t size)
        : m_image(std::move(image)), m_file(file), m_size(size)
    {
    }
    ~UdfFileSource() override { udfread_file_close(m_file); }
    UdfFileSource(const UdfFileSource&) = delete;
    UdfFileSource& operator=(const UdfFileSource&) = delete;

    bool Seek(std::int64_t offset) override
    {
        if (offset < 0) {
            m_lastError = EINVAL;
            return false;
        }
        m_position = offset;
        return true;
    }

    std::int64_t Read(std::span<std::uint8_t> out) override
    {
        m_lastError = 0;
        if (static_cast<std::uint64_t>(m_position) >= m_size || out.empty())
            return 0;
        const QuietStderr quiet;
        if (udfread_file_seek(m_file, m_position, UDF_SEEK_SET) != m_position) {
            m_lastError = EIO;
            return -1;
        }
        std::size_t done = 0;
        while (done < out.size()) {
            const ssize_t got = udfread_file_read(m_file, out.data() + done, out.size() - done);
            if (got < 0) {
                m_lastError = EIO;
                break;
            }
            if (got == 0)
                break;
            done += static_cast<std::size_t>(got);
        }
        if (done == 0 && m_lastError != 0)
            return -1;
        m_position += static_cast<std::int64_t>(done);
        return static_cast<std::int64_t>(done);
    }

    std::uint64_t Size() const override { return m_size; }
    int LastError() const override { return m_lastError; }

private:
    std::shared_ptr<UdfImage> m_image;
    UDFFILE* m_file;
    std::uint64_t m_size;
    std::int64_t m_position = 0;
    int m_lastError = 0;
};

} // namespace

// Our block reader for libudfread: positioned reads on the descriptor, never past the image's end.
struct UdfImage::BlockInput {
    udfread_block_input input{}; // first, so libudfread's pointer is also ours
    int fd = -1;
    std::uint64_t blocks = 0;

    ~BlockInput()
    {
        if (fd >= 0)
            ::close(fd);
    }

    static int Read(udfread_block_input* input, std::uint32_t lba, void* buffer, std::uint32_t count, int)
    {
        auto* self = reinterpret_cast<BlockInput*>(input);
        if (lba >= self->blocks)
            return 0;
        const std::uint64_t wanted = std::min<std::uint64_t>(count, self->blocks - lba);
        auto* bytes = static_cast<std::uint8_t*>(buffer);
        const std::uint64_t total = wanted * UDF_BLOCK_SIZE;
        std::uint64_t done = 0;
        while (done < total) {
            const ssize_t got = ::pread(self->fd, bytes + done, total - done,
                                        static_cast<off_t>(std::uint64_t{lba} * UDF_BLOCK_SIZE + done));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            done += static_cast<std::uint64_t>(got);
        }
        return static_cast<int>(done / UDF_BLOCK_SIZE);
    }

    static std::uint32_t Size(udfread_block_input* input)
    {
        const auto* self = reinterpret_cast<BlockInput*>(input);
        return static_cast<std::uint32_t>(std::min<std::uint64_t>(self->blocks, UINT32_MAX));
    }
};

bool IsUdfAnchor(std::span<const std::uint8_t> tag)
{
    if (tag.size() < 16)
        return false;
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < 16; ++i) {
        if (i != 4)
            sum = static_cast<std::uint8_t>(sum + tag[i]);
    }
    return Le16(tag.data()) == kAnchorTag && sum == tag[4] && Le32(tag.data() + 12) == kAnchorSector;
}

bool HasUdfAnchor(ByteSource& source)
{
    std::uint8_t tag[16] = {};
    return ifoSeekRead(source, std::int64_t{kAnchorSector} * kSectorSize, tag) == sizeof tag &&
           IsUdfAnchor(tag);
}

// How much of a file of `size` bytes the image really holds. A cut image keeps the file's full size
// in its directory; reading the missing end would fail only after the first part was used (half a
// title already streamed to an encoder). Files on video discs are contiguous, so the blocks that
// lie inside the image are a first run of the file's blocks, found by halving.
std::uint64_t UdfImage::BytesInImage(UDFFILE* file, std::uint64_t size) const
{
    if (size == 0)
        return 0;
    const auto inImage = [&](std::uint64_t block) {
        const std::uint32_t lba = udfread_file_lba(file, static_cast<std::uint32_t>(block));
        return lba != 0 && lba < m_input->blocks;
    };
    const std::uint64_t lastBlock = (size - 1) / UDF_BLOCK_SIZE;
    if (lastBlock > UINT32_MAX || inImage(lastBlock))
        return size;
    if (!inImage(0))
        return size; // data kept in the file entry itself, or no way to tell: left to the reads
    std::uint64_t low = 0, high = lastBlock; // block low is inside, block high is not
    while (high - low > 1) {
        const std::uint64_t middle = low + (high - low) / 2;
        (inImage(middle) ? low : high) = middle;
    }
    return (low + 1) * UDF_BLOCK_SIZE;
}

std::shared_ptr<UdfImage> UdfImage::Open(const std::string& path, std::string& why)
{
    auto input = std::make_unique<BlockInput>();
    // Non-blocking, so that a drive without a disc answers at once.
    input->fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (input->fd < 0) {
        why = errno == ENOMEDIUM ? "no disc in the drive" : std::strerror(errno);
        return nullptr;
    }
    struct stat status {
    };
    std::uint64_t bytes = 0;
    if (::fstat(input->fd, &status) != 0) {
        why = std::strerror(errno);
        return nullptr;
    }
    const bool device = S_ISBLK(status.st_mode);
    if (device) {
        if (::ioctl(input->fd, BLKGETSIZE64, &bytes) != 0 || bytes == 0) {
            why = "no disc in the drive";
            return nullptr;
        }
    } else if (S_ISREG(status.st_mode)) {
        bytes = static_cast<std::uint64_t>(status.st_size);
    } else {
        why = "not a regular file";
        return nullptr;
    }
    input->blocks = bytes / UDF_BLOCK_SIZE;

    std::uint8_t anchor[16] = {};
    if (::pread(input->fd, anchor, sizeof anchor, off_t{kAnchorSector} * kSectorSize) != sizeof anchor ||
        !IsUdfAnchor(anchor)) {
        why = "no UDF file system";
        return nullptr;
    }

    std::shared_ptr<UdfImage> image(new UdfImage());
    image->m_device = device;
    image->m_input = std::move(input);
    image->m_input->input.read = &BlockInput::Read;
    image->m_input->input.size = &BlockInput::Size;
    const QuietStderr quiet;
    image->m_udf = udfread_init();
    if (!image->m_udf || udfread_open_input(image->m_udf, &image->m_input->input) < 0) {
        why = "the UDF file system is damaged";
        return nullptr;
    }
    if (const char* label = udfread_get_volume_id(image->m_udf))
        image->m_label = label;
    return image;
}

UdfImage::~UdfImage()
{
    if (m_udf) {
        const QuietStderr quiet;
        udfread_close(m_udf); // the block input has no close: we close the descriptor ourselves
    }
}

std::optional<std::vector<std::string>> UdfImage::List(const std::string& path, Entries entries) const
{
    const QuietStderr quiet;
    UDFDIR* dir = udfread_opendir(m_udf, path.c_str());
    if (!dir)
        return std::nullopt;
    std::vector<std::string> names;
    udfread_dirent entry{};
    while (names.size() < kMostNames && udfread_readdir(dir, &entry)) {
        if (entry.d_name && entry.d_type == (entries == Entries::Folders ? UDF_DT_DIR : UDF_DT_REG))
            names.emplace_back(entry.d_name);
    }
    udfread_closedir(dir);
    return names;
}

std::unique_ptr<ByteSource> UdfImage::OpenFile(const std::string& path)
{
    const QuietStderr quiet;
    UDFFILE* file = udfread_file_open(m_udf, path.c_str());
    if (!file)
        return nullptr;
    const std::int64_t size = udfread_file_size(file);
    if (size < 0) {
        udfread_file_close(file);
        return nullptr;
    }
    return std::make_unique<UdfFileSource>(shared_from_this(), file,
                                           BytesInImage(file, static_cast<std::uint64_t>(size)));
}

} // namespace ratewise
