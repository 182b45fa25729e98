#pragma once

#include <QString>

// Where the folders the program knows from Windows are on Linux. Each ends with "/".
namespace platform {

// The Windows folder: the installed system's programs and shared data, "/usr/".
QString WindowsFolder();
// The system folder: where our own component libraries are, the folder of the platform library
// itself. The start-up component check looks for the other libraries there.
QString SystemFolder();

// The private folders that stood beside the program: user data (user menu links, the FTP site
// file) below $XDG_DATA_HOME/duopane/, scratch files below $XDG_CACHE_HOME/duopane/DpxTmp/.
QString PrivateDataFolder();
QString PrivateLinkFolder();
QString PrivateScratchFolder();
QString SiteFilePath();

} // namespace platform
