// SPDX-License-Identifier: GPL-3.0-or-later
#include "ifo/seek_read.h"

#include <algorithm>

#include "ifo/diagnostics.h"

namespace ratewise {

std::int64_t ifoSeekRead(ByteSource& source, std::int64_t offset, std::span<std::uint8_t> buffer)
{
    if (!source.Seek(offset))
        return -1;
    return source.Read(buffer);
}

std::int64_t ifoSeekReadLogged(ByteSource& source, std::int64_t offset, std::span<std::uint8_t> buffer,
                               std::ostream& err)
{
    if (!source.Seek(offset)) {
        err << RATEWISE_IFO_WHERE << "error in lseek\n";
        return -1;
    }
    return source.Read(buffer);
}

std::size_t TableBufferSize(const ByteSource& source, std::int64_t offset, std::uint64_t claimedSize)
{
    const std::uint64_t size = source.Size();
    const std::uint64_t start = offset < 0 ? size : static_cast<std::uint64_t>(offset);
    const std::uint64_t available = start < size ? size - start : 0;
    const std::uint64_t wanted = std::min(claimedSize, available);
    return static_cast<std::size_t>(std::max<std::uint64_t>(wanted, kSectorSize));
}

} // namespace ratewise
