// SPDX-License-Identifier: GPL-3.0-or-later
// The Bitrate Explorer's texts: window titles, track list items and the chart caption.
#pragma once

#include <string>

#include "explorer/explorer_data.h"

namespace ratewise {

inline constexpr const char* kChartCaption = "BitRate (KBps)";

// The title at opening: track number, average in kbit/s and in Mbit/s (1 Mbit = 1024 kbit).
std::string LongExplorerTitle(const ExplorerData& data);
// The title after another track is chosen: the average in Mbit/s only.
std::string ShortExplorerTitle(const ExplorerData& data);
// A line of the main window's track list as an item of the explorer's list: every "T" becomes
// "Track ", so "T1: 01:23:05 .07" reads "Track 1: 01:23:05 .07".
std::string ExplorerTrackItem(const std::string& trackLine);

} // namespace ratewise
