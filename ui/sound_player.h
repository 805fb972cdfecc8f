// SPDX-License-Identifier: GPL-3.0-or-later
// Plays short sounds through Qt Multimedia without waiting for them; the platform's side of the
// native-dialog seam's sound.
#pragma once

#include <QPointer>
#include <QUrl>

class QSoundEffect;

namespace ratewise {

class EffectSoundPlayer
{
public:
    EffectSoundPlayer() = default;
    ~EffectSoundPlayer();
    EffectSoundPlayer(const EffectSoundPlayer&) = delete;
    EffectSoundPlayer& operator=(const EffectSoundPlayer&) = delete;

    // Starts `source` and returns at once. A sound that cannot be played is not heard and not
    // reported.
    void Play(const QUrl& source);

private:
    // Made on the first sound and owned by the application object, so a sound goes on after the
    // window that started it has closed and the effect goes with the application.
    QPointer<QSoundEffect> m_effect;
};

} // namespace ratewise
