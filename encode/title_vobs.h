// SPDX-License-Identifier: GPL-3.0-or-later
// The title VOBs of a title set (VTS_xx_1.VOB, VTS_xx_2.VOB, ...) read as one run of sectors, the
// address space its cells' sector numbers count in.
#pragma once

#include <memory>
#include <string>

#include "ifo/byte_source.h"

namespace ratewise {

// The consecutive files VTS_xx_1.VOB up to VTS_xx_9.VOB found in `videoTsDir`, one after the
// other. Nothing when the first is missing or unreadable.
std::unique_ptr<ByteSource> OpenTitleVobs(const std::string& videoTsDir, int titleSet);

} // namespace ratewise
