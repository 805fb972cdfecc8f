// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into every window test: from start to end the native dialogs are answered by a recorder
// (cancel, OK, silence), since a real one would wait for a click that never comes. A test that
// looks at the questions or gives answers puts its own DialogRecorder on top.
#include "dialog_recorder.h"

namespace {

ratewise::test_support::DialogRecorder g_answerEverything;

} // namespace
