// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/title_set_load.h"

#include <algorithm>
#include <cstdio>

#include "disc/title_vobs.h"

namespace ratewise {
namespace {

// Bytes held by the opened disc, served as a source that keeps the disc alive.
class DiscBytesSource final : public ByteSource
{
public:
    DiscBytesSource(std::shared_ptr<const OpenedDisc> disc, std::span<const std::uint8_t> bytes)
        : m_disc(std::move(disc)), m_memory(bytes)
    {
    }
    bool Seek(std::int64_t offset) override { return m_memory.Seek(offset); }
    std::int64_t Read(std::span<std::uint8_t> out) override { return m_memory.Read(out); }
    std::uint64_t Size() const override { return m_memory.Size(); }
    int LastError() const override { return m_memory.LastError(); }

private:
    std::shared_ptr<const OpenedDisc> m_disc;
    MemoryByteSource m_memory;
};

TitleSetLoadResult Failure(LoadFailure failure, std::string why)
{
    return {std::nullopt, failure, std::move(why)};
}

std::string NoSetReason(const OpenedDisc& disc, int number)
{
    if (const MissingTitleSet* missing = disc.MissingSet(number))
        return "title set " + std::to_string(number) + " of the title table " + missing->why;
    return "no title set " + std::to_string(number) + " on the disc";
}

// The requested title, or nothing with why (a usage error; empty: the title table is damaged).
// The title table numbers the disc's titles; without one, each set numbers its own.
const DiscTitle* ChooseTitle(const OpenedDisc& disc, const TitleSetRequest& request, std::string& why)
{
    const std::string number = std::to_string(request.title);
    if (disc.TitlesNumberedBySet()) {
        const int setNumber = request.titleSet != 0 ? request.titleSet : disc.DefaultTitleSet();
        if (!disc.TitleSet(setNumber)) {
            why = NoSetReason(disc, setNumber);
            return nullptr;
        }
        int count = 0;
        for (const DiscTitle& title : disc.titles) {
            if (title.titleSet != setNumber)
                continue;
            ++count;
            if (title.number == request.title)
                return &title;
        }
        why = "no title " + number + " in title set " + std::to_string(setNumber) + ": it has " +
              std::to_string(count) + " (without a video manager, each set numbers its own)";
        return nullptr;
    }
    // A title table that was read but lists nothing is damaged, not a wrong title number.
    if (disc.hasTitleTable && disc.titles.empty())
        return nullptr;
    // By number: a lone title set beside its manager holds the disc's numbers of its own titles.
    const auto found = std::find_if(disc.titles.begin(), disc.titles.end(),
                                    [&](const DiscTitle& title) { return title.number == request.title; });
    if (found == disc.titles.end()) {
        why = disc.input.kind == DiscKind::TitleSet && disc.hasTitleTable
                  ? "no title " + number + " in this title set (the disc numbers its titles)"
                  : "no title " + number + ": the disc has " + std::to_string(disc.titles.size()) + " titles";
        return nullptr;
    }
    const DiscTitle& title = *found;
    if (request.titleSet != 0 && request.titleSet != title.titleSet)
        why = "title " + number + " is in title set " + std::to_string(title.titleSet);
    else if (const MissingTitleSet* missing = disc.MissingSet(title.titleSet); missing && title.missing)
        why = "title " + number + " is in title set " + std::to_string(title.titleSet) + ", which " +
              missing->why;
    return why.empty() ? &title : nullptr;
}

// The disc's main title, or the longest title of `titleSet` that is neither play-all nor a repeat.
const DiscTitle* MainTitleOf(const OpenedDisc& disc, int titleSet)
{
    if (titleSet == 0)
        return disc.mainTitle != 0 ? disc.FindTitle(disc.mainTitle, disc.mainTitleSet) : nullptr;
    const DiscTitle* main = nullptr;
    for (const DiscTitle& title : disc.titles) {
        if (title.titleSet == titleSet && !title.missing && title.track >= 1 && title.playAll.empty() &&
            title.sameAs == 0 && (!main || title.frameCount > main->frameCount))
            main = &title;
    }
    return main;
}

} // namespace

std::unique_ptr<ByteSource> TitleSetLoad::OpenIfo() const
{
    if (disc->input.kind == DiscKind::TitleSet)
        return OpenFileSource(disc->input.titleSetPath);
    const TitleSetFile* set = disc->TitleSet(titleSet);
    if (!set)
        return nullptr;
    return std::make_unique<DiscBytesSource>(disc, set->bytes);
}

std::unique_ptr<ByteSource> TitleSetLoad::OpenTitleVobs(std::string* why) const
{
    return ratewise::OpenTitleVobs(*disc->input.files, titleSet, why);
}

TitleSetLoadResult LoadTitleSet(std::shared_ptr<const OpenedDisc> disc, TitleSetRequest request,
                                std::ostream& out, std::ostream& err, TrackList start)
{
    TitleSetLoad load;
    load.tracks = std::move(start);
    if (request.mainTitle && request.title == 0) {
        const DiscTitle* main = MainTitleOf(*disc, request.titleSet);
        if (!main)
            return Failure(LoadFailure::NoTitle, "expected a track number, or --title T for a disc title");
        request.title = main->number;
        request.titleSet = main->titleSet;
        load.mainTitle = main->number;
    }
    if (request.title != 0) {
        std::string why;
        const DiscTitle* title = ChooseTitle(*disc, request, why);
        if (!title)
            return Failure(why.empty() ? LoadFailure::BadInput : LoadFailure::NoSuchSet,
                           why.empty() ? "the disc's title table lists no titles (damaged)" : why);
        if (title->track < 1 && disc->TitleSet(title->titleSet))
            return Failure(LoadFailure::BadInput,
                           "title " + std::to_string(request.title) + ": no track of title set " +
                               std::to_string(title->titleSet) + " plays it (its tables are damaged)");
        request.titleSet = title->titleSet;
        load.titleTrack = title->track - 1;
    }
    load.titleSet = request.titleSet != 0 ? request.titleSet : disc->DefaultTitleSet();
    const TitleSetFile* set = disc->TitleSet(load.titleSet);
    if (!set)
        return Failure(LoadFailure::NoSuchSet, NoSetReason(*disc, load.titleSet));

    if (disc->input.kind == DiscKind::TitleSet) {
        // A lone title set is read exactly as it always was: from its path.
        load.name = disc->input.titleSetPath;
        if (!ifoParse(load.name, load.tracks, out, err))
            return Failure(LoadFailure::BadInput, "not a title-set information file");
    } else {
        load.name = disc->input.source + "/" + set->file;
        MemoryByteSource source(set->bytes);
        if (!ifoParse(source, load.name, load.tracks, out, err))
            return Failure(LoadFailure::BadInput, "not a title-set information file");
    }
    load.disc = std::move(disc);
    return {std::move(load), LoadFailure::None, {}};
}

TitleSetLoadResult LoadTitleSet(const std::string& path, TitleSetRequest request, std::ostream& out,
                                std::ostream& err)
{
    OpenedDiscResult opened = OpenDisc(path);
    if (!opened.disc)
        return Failure(LoadFailure::BadInput, opened.why);
    return LoadTitleSet(std::move(opened.disc), request, out, err);
}

} // namespace ratewise
