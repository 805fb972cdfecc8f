// Sound through QSoundEffect, silent where there is no audio output.
#include "ui/sound_player.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>

namespace ratewise {

EffectSoundPlayer::EffectSoundPlayer() = default;

EffectSoundPlayer::~EffectSoundPlayer()
{
    delete m_effect;
}

void EffectSoundPlayer::Play(const QUrl& source)
{
    // Without an output device there is nothing to play on; stay quiet rather than let the
    // backend complain.
    if (QMediaDevices::audioOutputs().isEmpty())
        return;
    if (m_effect == nullptr)
        m_effect = new QSoundEffect();
    m_effect->stop();
    if (m_effect->source() != source)
        m_effect->setSource(source);
    m_effect->play();
}

} // namespace ratewise
