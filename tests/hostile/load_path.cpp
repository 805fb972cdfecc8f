#include "tests/hostile/load_path.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "cli/vcd_project_command.h"

namespace ratewise::testing {

LoadOutcome RunLoadPath(const std::string& path)
{
    LoadOutcome outcome;
    // The decoders over the file's bytes (a folder or a missing file has none).
    std::vector<std::uint8_t> bytes;
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    outcome.reader = ExerciseReader(bytes);

    std::ostringstream vcdError;
    outcome.vcdSource = cli::ReadVcdSource(path, vcdError);
    outcome.vcdError = vcdError.str();
    return outcome;
}

} // namespace ratewise::testing
