// SPDX-License-Identifier: GPL-3.0-or-later
// Paths of the program's built-in pictures and sound, and its icon.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QUrl>

namespace ratewise {

QIcon ApplicationIcon();
QUrl AboutChimeUrl();

// The three pictures of how a widescreen picture is shown on a 4:3 screen, 80 x 60 pixels each.
QString LetterboxedPicturePath();
QString FullPicturePath();
QString SqueezedPicturePath();
// One of them for a screen of `ratio` device pixels per pixel: above 1, its @2x form (160 x 120)
// at ratio 2, so that it is drawn sharp.
QPixmap PicturePixmap(const QString& path, qreal ratio);

} // namespace ratewise
