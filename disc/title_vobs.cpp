// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/title_vobs.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>

namespace ratewise {
namespace {

class ConcatenatedSource final : public ByteSource
{
public:
    explicit ConcatenatedSource(std::vector<std::unique_ptr<ByteSource>> parts) : m_parts(std::move(parts))
    {
        for (const auto& part : m_parts) {
            m_starts.push_back(m_size);
            m_size += part->Size();
        }
    }

    bool Seek(std::int64_t offset) override
    {
        if (offset < 0) {
            m_lastError = EINVAL;
            return false;
        }
        m_position = static_cast<std::uint64_t>(offset);
        return true;
    }

    // Reads across the parts' seams; each part is asked only for bytes it says it holds.
    std::int64_t Read(std::span<std::uint8_t> out) override
    {
        m_lastError = 0;
        std::size_t done = 0;
        for (std::size_t k = 0; k < m_parts.size() && done < out.size(); ++k) {
            const std::uint64_t start = m_starts[k];
            const std::uint64_t end = start + m_parts[k]->Size();
            if (m_position >= end || m_position < start)
                continue;
            const std::size_t wanted =
                static_cast<std::size_t>(std::min<std::uint64_t>(out.size() - done, end - m_position));
            if (!m_parts[k]->Seek(static_cast<std::int64_t>(m_position - start))) {
                m_lastError = m_parts[k]->LastError();
                break;
            }
            const std::int64_t got = m_parts[k]->Read(out.subspan(done, wanted));
            if (got < 0) {
                m_lastError = m_parts[k]->LastError();
                break;
            }
            done += static_cast<std::size_t>(got);
            m_position += static_cast<std::uint64_t>(got);
            if (static_cast<std::size_t>(got) < wanted)
                break; // a part shorter than it claimed: stop rather than skip its missing bytes
        }
        if (done == 0 && m_lastError != 0)
            return -1;
        return static_cast<std::int64_t>(done);
    }

    std::uint64_t Size() const override { return m_size; }
    int LastError() const override { return m_lastError; }

private:
    std::vector<std::unique_ptr<ByteSource>> m_parts;
    std::vector<std::uint64_t> m_starts;
    std::uint64_t m_size = 0;
    std::uint64_t m_position = 0;
    int m_lastError = 0;
};

} // namespace

std::unique_ptr<ByteSource> ConcatenateSources(std::vector<std::unique_ptr<ByteSource>> parts)
{
    return std::make_unique<ConcatenatedSource>(std::move(parts));
}

std::unique_ptr<ByteSource> OpenTitleVobs(const DiscFiles& files, int titleSet, std::string* why)
{
    std::vector<std::unique_ptr<ByteSource>> parts;
    for (int part = 1; part <= 9; ++part) {
        char name[24];
        std::snprintf(name, sizeof name, "VTS_%02d_%d.VOB", titleSet, part);
        const std::string stored = files.Find(name);
        if (stored.empty())
            break;
        errno = 0;
        std::unique_ptr<ByteSource> source = files.Open(stored);
        if (!source) {
            if (why)
                *why =
                    stored + " cannot be read" + (errno != 0 ? std::string(": ") + std::strerror(errno) : "");
            return nullptr;
        }
        parts.push_back(std::move(source));
    }
    if (parts.empty()) {
        if (why)
            *why = "no title VOB files (VTS_" + std::string(titleSet < 10 ? "0" : "") +
                   std::to_string(titleSet) + "_1.VOB)";
        return nullptr;
    }
    return ConcatenateSources(std::move(parts));
}

} // namespace ratewise
