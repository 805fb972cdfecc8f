// SPDX-License-Identifier: GPL-3.0-or-later
// Paths of the program's built-in pictures and sound, and its icon.
#pragma once

#include <QIcon>
#include <QString>
#include <QUrl>

namespace ratewise {

QIcon ApplicationIcon();
QUrl AboutChimeUrl();

// The three pictures of how a widescreen picture is shown on a 4:3 screen, 80 x 60 pixels each.
QString LetterboxedPicturePath();
QString FullPicturePath();
QString SqueezedPicturePath();

} // namespace ratewise
