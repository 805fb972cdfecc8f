// SPDX-License-Identifier: GPL-3.0-or-later
// The resource paths under ":/ratewise", where resources/CMakeLists.txt puts the files.
#include "ui/app_resources.h"

namespace ratewise {

QIcon ApplicationIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/ratewise/ratewise_%1.png").arg(size), QSize(size, size));
    return icon;
}

QUrl AboutChimeUrl()
{
    return QUrl(QStringLiteral("qrc:/ratewise/about_chime.wav"));
}

QString LetterboxedPicturePath()
{
    return QStringLiteral(":/ratewise/aspect_letterboxed.png");
}

QString FullPicturePath()
{
    return QStringLiteral(":/ratewise/aspect_full.png");
}

QString SqueezedPicturePath()
{
    return QStringLiteral(":/ratewise/aspect_squeezed.png");
}

QPixmap PicturePixmap(const QString& path, qreal ratio)
{
    if (ratio > 1.0) {
        QString twice = path;
        twice.insert(twice.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
        QPixmap pixmap(twice);
        if (!pixmap.isNull()) {
            pixmap.setDevicePixelRatio(2.0);
            return pixmap;
        }
    }
    return QPixmap(path);
}

} // namespace ratewise
