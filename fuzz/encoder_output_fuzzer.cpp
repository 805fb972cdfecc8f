// SPDX-License-Identifier: GPL-3.0-or-later
// What the plan runner reads from other programs, over arbitrary bytes: HandBrakeCLI's and
// ffmpeg's progress on standard output, fed in pieces of the size the first byte gives, and
// ffprobe's flat listing of a file. The progress stays a task within its count, a fraction from 0
// to 1 and a time that is a finite number of seconds, whatever the bytes; nothing reads outside
// them.
// Seed corpus: fuzz/seeds/encoder_output (captured from the real programs).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "encode/plan_runner.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t piece = 1 + data[0] % 64;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    for (const auto kind :
         {ratewise::ProgressReader::Kind::HandBrake, ratewise::ProgressReader::Kind::Ffmpeg}) {
        ratewise::ProgressReader reader(kind);
        for (std::size_t at = 0; at < text.size(); at += piece) {
            reader.Feed(text.substr(at, piece));
            if (reader.Task() < 1 || reader.Task() > reader.Tasks() || !(reader.Fraction() >= 0) ||
                reader.Fraction() > 1 || !std::isfinite(reader.Seconds()) || reader.Seconds() < 0)
                std::abort();
        }
    }
    const ratewise::ProbedFile file = ratewise::ParseProbeFlat(text);
    if (file.streams.size() > 1000 || file.chapters < 0 || ratewise::ProbedFileLine(file).empty())
        std::abort();
    return 0;
}
