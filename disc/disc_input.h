// SPDX-License-Identifier: GPL-3.0-or-later
// What the user gave, told apart: a title set's VTS_xx_0.IFO (read exactly as before), a disc's
// VIDEO_TS.IFO, a folder holding VIDEO_TS (or that folder itself), an image file with a UDF file
// system, or a block device (an optical drive) read the same way as an image. A file is told
// apart by its identifier at byte 0, whatever its name: backups and copies rename files.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "disc/disc_files.h"

namespace ratewise {

enum class DiscKind { TitleSet, Folder, Image, Device };

// "titleSet", "folder", "image" or "device".
const char* DiscKindName(DiscKind kind);

struct DiscInput {
    DiscKind kind = DiscKind::TitleSet;
    std::string source; // as given
    std::string label;  // the UDF logical volume identifier; empty for folders
    // The VIDEO_TS files; for a lone title set, the files beside it.
    std::shared_ptr<DiscFiles> files;
    // A lone title set: the path as given, and the set's number (from VTS_xx_0 in its name, else 1).
    std::string titleSetPath;
    int titleSetNumber = 0;
    // A video manager given as a file: its name as stored beside the title sets (it may be
    // OTHER.IFO); empty for VIDEO_TS.IFO, found in the folder.
    std::string managerName;
};

struct DiscInputResult {
    std::optional<DiscInput> input;
    std::string why; // one short reason when there is no input
};

// Never blocks on a FIFO or waits for a drive: special files other than block devices are refused
// and devices are opened without waiting.
DiscInputResult ResolveDiscInput(const std::string& path);

} // namespace ratewise
