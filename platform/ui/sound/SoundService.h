#pragma once

#include <QString>

// Short notification sounds, as sndPlaySound played them: asynchronously, by file name.
namespace platform {

// The sound output devices the system reports.
int WaveOutputDeviceCount();
// Starts playing a wave file and returns at once; false when nothing plays (no output device,
// no such file). A file that turns out unreadable later stays silent.
bool PlaySoundFile(const QString& path);

} // namespace platform
