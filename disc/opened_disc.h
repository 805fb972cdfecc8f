// SPDX-License-Identifier: GPL-3.0-or-later
// A disc opened and listed: its title sets (each one's information file read whole, with its
// track list and part-of-title table) and its titles from the video manager's title table, each
// with the running time of the track that plays its first chapter. Where an .IFO is missing or
// damaged, its .BUP copy is read instead. A disc is read as players read it: title sets that are
// absent or damaged leave their titles listed as missing, with a note, and a folder of title sets
// without a video manager (a backup of one film) lists each set's own titles.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "disc/disc_input.h"
#include "ifo/part_of_title_table.h"
#include "ifo/track_list.h"

namespace ratewise {

struct DiscTitle {
    int number = 0; // 1-based, as players and lsdvd count titles
    int titleSet = 0;
    int titleInSet = 0;
    int track = 0;    // the program chain playing chapter 1, 1-based; 0 when the set's tables lack it
    int chapters = 0; // the title's parts in its set's part-of-title table (else the title table's count)
    int angles = 0;
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int frames = 0;
    int frameRate = 0;    // 25 or 30 (the frame counter's rate)
    bool missing = false; // its title set is absent, damaged or unreadable: nothing but the counts
    // What the title plays, from its cells (first angle only): its exact length in frames and
    // seconds, the titles it plays one after another when it is a "play all" title (in their
    // order), and the first title playing exactly its cells when it repeats one.
    std::int64_t frameCount = 0;
    double durationSeconds = 0;
    std::vector<int> playAll;
    int sameAs = 0;
};

struct TitleSetFile {
    int number = 0;
    std::string file;                // the name read: VTS_xx_0.IFO, or its .BUP
    std::vector<std::uint8_t> bytes; // the whole information file
    TrackList tracks;                // read quietly, as a load reads it
    std::vector<TitleParts> parts;   // empty when the set has no readable part-of-title table
    bool readable = false;           // false only for a lone title set the reader refuses
};

// A title set the title table names that could not be read.
struct MissingTitleSet {
    int number = 0;
    std::string why; // "is missing", "is damaged" or "cannot be read (<the system's reason>)"
};

struct OpenedDisc {
    DiscInput input;
    std::string provider;
    std::vector<TitleSetFile> titleSets; // in number order
    // Without a video manager, each set's own titles, numbered within their set (set by set).
    std::vector<DiscTitle> titles;
    bool hasTitleTable = false; // a video manager was read (its table may still list none)
    int longestTitle = 0;       // 1-based; 0 without titles
    int longestTitleSet = 0;    // the set holding it (title numbers repeat when numbered by set)
    // The longest title that is neither a play-all title nor a repeat of another; 0 without one.
    int mainTitle = 0;
    int mainTitleSet = 0;
    // Titles of one set that look like the episodes of a series (see disc_structure.h), in order.
    std::vector<int> episodes;
    int episodesTitleSet = 0;
    std::vector<MissingTitleSet> missingTitleSets;
    // One line per missing title set: what a command says before its answer.
    std::vector<std::string> notes;

    const TitleSetFile* TitleSet(int number) const;
    const MissingTitleSet* MissingSet(int number) const;
    // True for a folder or image without a video manager: titles numbered within each set.
    bool TitlesNumberedBySet() const;
    // The set holding the main title (else the longest title); without titles, the first set.
    int DefaultTitleSet() const;
    // Title `number` (of `titleSet` when titles are numbered by set); nothing when there is none.
    const DiscTitle* FindTitle(int number, int titleSet = 0) const;
};

struct OpenedDiscResult {
    std::shared_ptr<const OpenedDisc> disc;
    std::string why; // one short reason when there is no disc
};

// Opens what path names and lists it. A lone VTS_xx_0.IFO gives a disc of that one set (its titles
// from its own part-of-title table), however damaged: loading it then fails as it always did.
// Fails only when no title set at all can be read, or the video manager is there but damaged.
OpenedDiscResult OpenDisc(const std::string& path);

} // namespace ratewise
