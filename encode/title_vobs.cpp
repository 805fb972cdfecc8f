// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/title_vobs.h"

#include <vector>

#include "common/string_format.h"

namespace ratewise {
namespace {

// Several sources as one: a read stops at the end of the part it starts in, the next read goes on
// in the next part.
class ConcatenatedSource final : public ByteSource
{
public:
    explicit ConcatenatedSource(std::vector<std::unique_ptr<ByteSource>> parts) : m_parts(std::move(parts))
    {
        for (const auto& part : m_parts)
            m_size += part->Size();
    }

    bool Seek(std::int64_t offset) override
    {
        if (offset < 0 || static_cast<std::uint64_t>(offset) > m_size)
            return false;
        m_position = static_cast<std::uint64_t>(offset);
        return true;
    }

    std::int64_t Read(std::span<std::uint8_t> out) override
    {
        m_lastError = 0;
        std::uint64_t start = 0;
        for (const auto& part : m_parts) {
            if (m_position < start + part->Size()) {
                const std::uint64_t inPart = m_position - start;
                const std::uint64_t left = part->Size() - inPart;
                if (out.size() > left)
                    out = out.first(static_cast<std::size_t>(left));
                if (!part->Seek(static_cast<std::int64_t>(inPart))) {
                    m_lastError = part->LastError();
                    return -1;
                }
                const std::int64_t got = part->Read(out);
                if (got < 0) {
                    m_lastError = part->LastError();
                    return -1;
                }
                m_position += static_cast<std::uint64_t>(got);
                return got;
            }
            start += part->Size();
        }
        return 0;
    }

    std::uint64_t Size() const override { return m_size; }
    int LastError() const override { return m_lastError; }

private:
    std::vector<std::unique_ptr<ByteSource>> m_parts;
    std::uint64_t m_size = 0;
    std::uint64_t m_position = 0;
    int m_lastError = 0;
};

} // namespace

std::unique_ptr<ByteSource> OpenTitleVobs(const std::string& videoTsDir, int titleSet)
{
    std::vector<std::unique_ptr<ByteSource>> parts;
    for (int n = 1; n <= 9; ++n) {
        std::unique_ptr<ByteSource> part =
            OpenFileSource(videoTsDir + StringPrintf("/VTS_%02d_%d.VOB", titleSet, n));
        if (!part)
            break;
        parts.push_back(std::move(part));
    }
    if (parts.empty())
        return nullptr;
    return std::make_unique<ConcatenatedSource>(std::move(parts));
}

} // namespace ratewise
