// Where `vcd-project` gets the aspect code and the PAL flag of FILE from.
#include <fstream>

#include "cli/cli.h"
#include "cli/vcd_project_command.h"

namespace ratewise::cli {

// HOOK for the title-set reader. Once the reader is linked in, this opens `ifoPath` with it,
// takes the first byte of the title set's video attributes and returns
// VcdSourceFromVideoAttributes(byte), or prints the reader's refusal and returns nothing.
// Until then a readable file is refused as well, so the command never writes a project for a
// source it has not seen.
std::optional<VcdSource> ReadVcdSource(const std::string& ifoPath, std::ostream& err)
{
    if (!std::ifstream(ifoPath, std::ios::binary)) {
        PrintError(err, ifoPath, "cannot open file");
        return std::nullopt;
    }
    PrintError(err, ifoPath, "reading title sets is not available in this build");
    return std::nullopt;
}

} // namespace ratewise::cli
