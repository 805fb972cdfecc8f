// Feeds arbitrary bytes to the title-set reader as if they were a title-set information file:
// open, every PGC's time and cells, the stream decoders and counts, then the time-map pass.
// Seed corpus: the title sets in tests/fixtures/ifo.
#include <cstddef>
#include <cstdint>
#include <span>

#include "tests/ifo/exercise_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ratewise::testing::ExerciseReader(std::span<const std::uint8_t>(data, size));
    return 0;
}
