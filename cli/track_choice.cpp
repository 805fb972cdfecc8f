// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/track_choice.h"

#include <algorithm>

#include "cli/cli.h"
#include "cli/comma_list.h"
#include "cli/messages.h"
#include "cli/title_set_input.h"
#include "common/string_format.h"

namespace ratewise::cli {

std::optional<std::vector<int>> ParseTrackNumbers(const std::string& text, std::string& why)
{
    std::vector<int> numbers;
    for (const ListedNumber& item : ReadCommaList(text)) {
        if (item.reading != ListedNumber::Reading::kNumber || item.value < 1) {
            why = "expected track numbers from 1, such as 1,3, got '" + item.text + "'";
            return std::nullopt;
        }
        numbers.push_back(item.value);
    }
    return numbers;
}

void AddTrackChoiceOptions(CLI::App& command, TrackChoice& choice)
{
    CLI::Option* ifo =
        command
            .add_option("--ifo", choice.ifoPath,
                        "Take the duration from tracks of this title set's .ifo file (- reads stdin)")
            ->type_name("FILE");
    CLI::Option* tracks =
        command.add_option("--tracks", choice.tracks, "Tracks selected in the list, numbered from 1: 1,3")
            ->type_name("TRACKS")
            ->default_str("1")
            ->check([](const std::string& text) {
                std::string why;
                return ParseTrackNumbers(text, why) ? std::string() : why;
            });
    tracks->needs(ifo);
    AddDiscChoiceOptions(command, choice.disc);
    command.get_option("--title-set")->needs(ifo);
    command.get_option("--title")->needs(ifo);
    for (const char* typed : {"--hours", "--minutes", "--seconds"}) {
        if (CLI::Option* option = command.get_option_no_throw(typed))
            ifo->excludes(option);
    }
}

std::optional<TrackDuration> ChooseTracks(const TrackChoice& choice, std::ostream& err, FailureKind& status)
{
    const std::optional<TitleSetLoad> load = LoadTitleSet(choice.ifoPath, choice.disc, err, status);
    if (!load)
        return std::nullopt;
    const TrackList* list = &load->tracks;
    std::string why;
    std::vector<int> numbers = choice.tracks.empty()
                                   ? std::vector<int>{load->titleTrack >= 0 ? load->titleTrack + 1 : 1}
                                   : ParseTrackNumbers(choice.tracks, why).value_or(std::vector<int>{});
    // A list box selection is a set of entries in list order, whatever order they were named in.
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    const int count = list->TrackCount();
    std::vector<int> selected;
    for (const int number : numbers) {
        if (number > count) {
            PrintUsageError(err, "--tracks", StringPrintf("track numbers from 1 to %d", count),
                            std::to_string(number));
            status = FailureKind::Usage;
            return std::nullopt;
        }
        selected.push_back(number - 1);
    }
    const std::optional<TrackDuration> duration = SumSelectedTracks(*list, selected);
    if (!duration) {
        PrintRefusal(err, "--tracks", "no track chosen");
        status = FailureKind::Usage;
    }
    return duration;
}

} // namespace ratewise::cli
