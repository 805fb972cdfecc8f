// SPDX-License-Identifier: GPL-3.0-or-later
// Plays short sounds without waiting for them. The program uses Qt Multimedia; tests put in a
// recorder instead.
#pragma once

#include <QUrl>

class QSoundEffect;

namespace ratewise {

class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    // Starts `source` and returns at once. A sound that cannot be played is not heard and not
    // reported.
    virtual void Play(const QUrl& source) = 0;
};

class EffectSoundPlayer : public SoundPlayer
{
public:
    EffectSoundPlayer();
    ~EffectSoundPlayer() override;
    void Play(const QUrl& source) override;

private:
    // Kept for the whole run, so a sound goes on after the window that started it has closed.
    QSoundEffect* m_effect = nullptr;
};

} // namespace ratewise
