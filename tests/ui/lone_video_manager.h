// SPDX-License-Identifier: GPL-3.0-or-later
// A disc's VIDEO_TS.IFO alone in a folder of its own, its title set missing: a file the window's
// load refuses (next to its VTS_01_0.IFO it would load that set).
#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace ratewise::test_support {

inline QString LoneVideoManager()
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("VIDEO_TS.IFO"));
    if (!QFile::exists(path))
        QFile::copy(QStringLiteral(RATEWISE_FIXTURES_DIR "/ifo/pal_d1_3audio_cells/VIDEO_TS.IFO"), path);
    return path;
}

} // namespace ratewise::test_support
