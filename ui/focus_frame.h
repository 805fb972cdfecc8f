// SPDX-License-Identifier: GPL-3.0-or-later
// A frame drawn in the highlight colour while a list or text box has the keyboard focus, for the
// boxes whose own look shows none (read-only text on the window's background, the track list).
#pragma once

class QFrame;

namespace ratewise {

// From now on `frame` shows a plain box in the highlight colour while it has the focus, as wide as
// its own frame so that nothing inside moves.
void ShowFocusFrame(QFrame* frame);

} // namespace ratewise
