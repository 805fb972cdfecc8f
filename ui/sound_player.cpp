// SPDX-License-Identifier: GPL-3.0-or-later
// Sound through QSoundEffect, silent where there is no audio output.
#include "ui/sound_player.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QSoundEffect>

namespace ratewise {
namespace {

// Whether any audio output exists. The first query starts the sound backend, which complains on
// the terminal when there is no sound server; the About box promises silence in that case, so
// messages are held back for the length of the query.
bool HasAudioOutput()
{
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const bool found = !QMediaDevices::audioOutputs().isEmpty();
    qInstallMessageHandler(previous);
    return found;
}

} // namespace

EffectSoundPlayer::~EffectSoundPlayer()
{
    delete m_effect.data();
}

void EffectSoundPlayer::Play(const QUrl& source)
{
    // Without an output device there is nothing to play on; stay quiet rather than let the
    // backend complain.
    if (!HasAudioOutput())
        return;
    if (m_effect == nullptr)
        m_effect = new QSoundEffect(QCoreApplication::instance());
    m_effect->stop();
    if (m_effect->source() != source)
        m_effect->setSource(source);
    m_effect->play();
}

} // namespace ratewise
