#include "platform/ui/sound/SoundService.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace platform {

int WaveOutputDeviceCount()
{
    return int(QMediaDevices::audioOutputs().size());
}

bool PlaySoundFile(const QString& path)
{
    if (WaveOutputDeviceCount() == 0 || !QFileInfo(path).isFile() || !QCoreApplication::instance())
        return false;
    // The effect lives until it has played or failed, then goes.
    auto* effect = new QSoundEffect(QCoreApplication::instance());
    QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
        if (!effect->isPlaying())
            effect->deleteLater();
    });
    QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
        if (effect->status() == QSoundEffect::Error)
            effect->deleteLater();
        else if (effect->status() == QSoundEffect::Ready)
            effect->play();
    });
    effect->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    return true;
}

} // namespace platform
